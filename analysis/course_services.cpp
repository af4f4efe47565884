#include "analysis/course_services.h"

#include <algorithm>
#include <cstddef>

#include "analysis/land_checks.h"

namespace corvane {

namespace {

constexpr char kWaypointDelimiter = ';';
// The waypoint a new row gets: movable mark 1, which the user then moves or
// replaces.
constexpr const char* kNewWaypoint = "0";
constexpr std::size_t kShortCutLength = 2;
// TrackType of a windward-leeward course, sailed out and back.
constexpr int kCourseWindwardLeeward = 1;

}  // namespace

int TCourseServices::SplitWaypoints(const TInterfaceApplicationMobile& state) {
  courseStrings_.GetDelimitedStringList(state.ListWayPoints, kWaypointDelimiter, DelimitedStringList);
  return static_cast<int>(DelimitedStringList.size());
}

void TCourseServices::StoreWaypoints(TInterfaceApplicationMobile& state) const {
  state.ListWayPoints = courseStrings_.SetDelimitedStringList(kWaypointDelimiter, DelimitedStringList);
}

int TCourseServices::GetCountWaypoints(const TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  return SplitWaypoints(InterfaceApplicationMobile);
}

int TCourseServices::BuoyOfItem(int index, const TInterfaceApplicationMobile& state) const {
  const int buoy = courseStrings_.GetListInteger(DelimitedStringList, index, -1);
  const int buoys = static_cast<int>(state.ListBuoysPosition.size());
  return buoy >= 0 && buoy < buoys ? buoy : -1;
}

int TCourseServices::GetIndexBuoy(int IndexWaypoint,
                                  const TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  SplitWaypoints(InterfaceApplicationMobile);
  return BuoyOfItem(IndexWaypoint, InterfaceApplicationMobile);
}

void TCourseServices::SetIndexWaypointByIndex(int row,
                                              TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  InterfaceApplicationMobile.IndexWaypoint = std::max(row, -1);
}

void TCourseServices::ModifyListWaypoints(int IndexBuoy,
                                          TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  const int index = InterfaceApplicationMobile.IndexWaypoint;
  if (index < 0) return;
  const int count = SplitWaypoints(InterfaceApplicationMobile);
  if (index < count) {
    DelimitedStringList[static_cast<std::size_t>(index)] = std::to_string(IndexBuoy);
  } else {
    DelimitedStringList.resize(static_cast<std::size_t>(index));
    DelimitedStringList.push_back(std::to_string(IndexBuoy));
  }
  StoreWaypoints(InterfaceApplicationMobile);
}

void TCourseServices::AddListWaypoints(TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  if (SplitWaypoints(InterfaceApplicationMobile) >= kMaxWaypoints) return;
  DelimitedStringList.emplace_back(kNewWaypoint);
  StoreWaypoints(InterfaceApplicationMobile);
}

bool TCourseServices::DeleteAndMoveListWaypoints(int IndexWaypoint,
                                                 TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  const int count = SplitWaypoints(InterfaceApplicationMobile);
  if (count <= kMinWaypoints || IndexWaypoint < 0 || IndexWaypoint >= count) return false;
  courseStrings_.DelAndMoveDelimitedStringList(IndexWaypoint, DelimitedStringList);
  StoreWaypoints(InterfaceApplicationMobile);
  return true;
}

void TCourseServices::MoveListWaypoints(int IndexWaypointOld, int IndexWaypointNew,
                                        TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  SplitWaypoints(InterfaceApplicationMobile);
  courseStrings_.MoveDelimitedStringList(IndexWaypointOld, IndexWaypointNew, DelimitedStringList);
  StoreWaypoints(InterfaceApplicationMobile);
}

void TCourseServices::SetListRoutingData(TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  TListRoutingData& tracks = state.ListRoutingData;
  tracks.Clear();
  tracks.IndexTrack = 0;

  const int count = SplitWaypoints(state);
  TIntegerArray buoys;
  for (int i = 0; i < count; ++i) {
    const int buoy = BuoyOfItem(i, state);
    if (buoy >= 0) buoys.push_back(buoy);
  }

  const auto setEnds = [&state](TRoutingData& track, int start, int finish) {
    const auto s = static_cast<std::size_t>(start);
    const auto f = static_cast<std::size_t>(finish);
    track.IndexStart = start;
    track.IndexFinish = finish;
    // The name list may be shorter than the position list in a partial
    // data set; a missing name stays empty.
    if (s < state.ListBuoysName.size()) track.BuoyStart = state.ListBuoysName[s];
    if (f < state.ListBuoysName.size()) track.BuoyFinish = state.ListBuoysName[f];
    track.TrackStart = state.ListBuoysPosition[s];
    track.TrackFinish = state.ListBuoysPosition[f];
  };

  for (std::size_t i = 0; i + 1 < buoys.size(); ++i) {
    TRoutingData& track = tracks.Add();
    setEnds(track, buoys[i], buoys[i + 1]);
    track.DrawGesture = true;
  }

  const bool windwardLeeward = state.TrackType == kCourseWindwardLeeward;
  if (windwardLeeward && tracks.Count() > 0) {
    const TRoutingData& last = *tracks.GetItem(tracks.Count() - 1);
    const int start = last.IndexFinish;
    const int finish = last.IndexStart;
    // The return leg follows the outward one; it is laid out by the wind,
    // not dragged on the chart.
    TRoutingData& back = tracks.Add();
    setEnds(back, start, finish);
    back.DrawGesture = false;
  }

  tracks.SetRoutingDataByMarks();
  if (windwardLeeward && tracks.Count() > 0) state.Wind.TrueWind.Winkel = tracks.GetTrueWindAngle();
}

bool TCourseServices::GetMovableMarkIsWaypoint(int IndexMark, const TMinutes& PositionMark,
                                               TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  TListRoutingData& tracks = InterfaceApplicationMobile.ListRoutingData;
  bool moved = false;
  for (const auto& track : tracks.Items) {
    if (track->IndexStart == IndexMark) {
      track->TrackStart = PositionMark;
      moved = true;
    }
    if (track->IndexFinish == IndexMark) {
      track->TrackFinish = PositionMark;
      moved = true;
    }
  }
  tracks.SetRoutingDataByMarks();
  return moved;
}

int TCourseServices::GetIndexBuoyOfShortCut(
    const std::string& code, const TInterfaceApplicationMobile& InterfaceApplicationMobile) const {
  if (code.size() != kShortCutLength) return -1;
  const TStringList& codes = InterfaceApplicationMobile.ListBuoysShortCut;
  const auto found = std::find(codes.begin(), codes.end(), code);
  if (found == codes.end()) return -1;
  return static_cast<int>(found - codes.begin());
}

TShortCutCourse TCourseServices::GetShortCutCourse(
    const std::string& text, const TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  courseStrings_.GetDelimitedStringList(text, DelimitedStringList);
  TShortCutCourse course;
  for (const std::string& item : DelimitedStringList) {
    if (item.empty()) continue;
    const int buoy = GetIndexBuoyOfShortCut(item, InterfaceApplicationMobile);
    if (buoy >= 0) {
      course.Buoys.push_back(buoy);
    } else {
      course.Skipped.push_back(item);
    }
  }
  return course;
}

bool TCourseServices::GetShortCutWaypoints(const std::string& memoText,
                                           TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  const TShortCutCourse course = GetShortCutCourse(memoText, InterfaceApplicationMobile);
  if (static_cast<int>(course.Buoys.size()) < kMinWaypoints) return false;
  InterfaceApplicationMobile.ListWayPoints =
      courseStrings_.SetDelimitedIntegerList(kWaypointDelimiter, course.Buoys);
  return true;
}

bool TCourseServices::GetMarkInWater(const TMinutes& Minutes,
                                     const TInterfaceApplicationMobile& InterfaceApplicationMobile) const {
  return corvane::GetMarkInWater(courseMath_, Minutes, InterfaceApplicationMobile);
}

bool TCourseServices::GetCourseAshore(const TRoutingData& RoutingData,
                                      const TInterfaceApplicationMobile& InterfaceApplicationMobile) const {
  return corvane::GetCourseAshore(courseMath_, RoutingData, InterfaceApplicationMobile);
}

}  // namespace corvane
