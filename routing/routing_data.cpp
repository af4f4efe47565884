#include "routing/routing_data.h"

#include "core/constants.h"
#include "core/string_tools.h"

namespace corvane {

// ------------------------------------------------------------ TListCoords

TCoords& TListCoords::Add(const TGeoPos& geoPos) { return Add(MathTools.GeoPosToMinutes(geoPos)); }

TCoords& TListCoords::Add(const std::string& lon, const std::string& lat) {
  return Add(MathTools.GeoPosToMinutes(lon), MathTools.GeoPosToMinutes(lat));
}

void TListCoords::Clone(const TListCoords& listCoords) {
  if (&listCoords == this) return;
  Items = listCoords.Items;
}

bool TListCoords::GetInPolygon(const TMinutes& minutes, bool fault) const {
  if (Count() < 3) return fault;
  TListMinutes polygon;
  polygon.reserve(Items.size());
  for (const TCoords& coords : Items) polygon.push_back(coords.CoordM);
  return MathTools.GetInPolygon(minutes, polygon);
}

bool TListCoords::GetInPolygon(const TBogen& bogen, bool fault) const {
  return GetInPolygon(MathTools.BogenToMinutes(bogen), fault);
}

// -------------------------------------------------------------- TListBoat

void TListBoat::Clone(const TListBoat& listBoat) {
  if (&listBoat == this) return;
  Items.clear();
  Items.reserve(listBoat.Items.size());
  for (const TBoat& source : listBoat.Items) {
    TBoat& boat = Add();
    boat.CoordM = source.CoordM;
    boat.Tack = source.Tack;
    boat.Angle = source.Angle;
    boat.Bug = source.Bug;
    boat.Time = source.Time;
  }
}

// ----------------------------------------------------------- TRoutingData

void TRoutingData::Clone(const TRoutingData& routingData) {
  if (&routingData == this) return;
  const TRoutingData& r = routingData;
  TypeOfCourse = r.TypeOfCourse;
  RoutingEnabled = r.RoutingEnabled;
  DateTimeStartGMT = r.DateTimeStartGMT;
  DateTimeStartLOC = r.DateTimeStartLOC;
  DateTimeFinishGMT = r.DateTimeFinishGMT;
  DateTimeFinishLOC = r.DateTimeFinishLOC;
  TimeBestCourse = r.TimeBestCourse;
  TimeLaylineLeft = r.TimeLaylineLeft;
  TimeLaylineRight = r.TimeLaylineRight;
  ListBestCourse.Clone(r.ListBestCourse);
  ListLaylineLeft.Clone(r.ListLaylineLeft);
  ListLaylineRight.Clone(r.ListLaylineRight);
  LayLinesValid = r.LayLinesValid;
  LayLineCrossRight = r.LayLineCrossRight;
  LayLineCrossLeft = r.LayLineCrossLeft;
  ListBoat.Clone(r.ListBoat);
  TrackVMG = r.TrackVMG;
  TrackMinVMG = r.TrackMinVMG;
  StreamOnTrack = r.StreamOnTrack;
  FinalTack = r.FinalTack;
  FinalCourse = r.FinalCourse;
  IndexStart = r.IndexStart;
  IndexFinish = r.IndexFinish;
  TrackStart = r.TrackStart;
  TrackWindward = r.TrackWindward;
  TrackFinish = r.TrackFinish;
  TrackCenter = r.TrackCenter;
  TrackAngle = r.TrackAngle;
  TrackDistance = r.TrackDistance;
  TrackAngleText = r.TrackAngleText;
  TrackDistanceText = r.TrackDistanceText;
  CurrentsWind = r.CurrentsWind;
  CurrentsWindShift = r.CurrentsWindShift;
  HoursToRefTideText = r.HoursToRefTideText;
  StrokeDash = r.StrokeDash;
}

// ------------------------------------------------------- TListRoutingData

namespace {

constexpr int kNoTopMarkOffset = 10;  // IndexTopMark holds degrees + 10

TMinutes OrtWegOrt(const TMathTools& math, const TMinutes& from, double distance, double course) {
  TBogen to;
  math.GetOrtWegOrt(math.MinutesToBogen(from), TPolar{distance, course}, to);
  return math.BogenToMinutes(to);
}

}  // namespace

// The offsets are taken in double: an index of any int value (a settings
// file is checked, a caller need not be) must not overflow.
double TListRoutingData::TopMarkOffset() const {
  const float degrees = static_cast<float>(static_cast<double>(IndexTopMark) - kNoTopMarkOffset);
  return static_cast<float>(degrees * kDegreesToRadians);
}

void TListRoutingData::SetRoutingDataByMarks() {
  const TStringTools strings;
  for (const std::unique_ptr<TRoutingData>& item : Items) {
    TRoutingData& track = *item;
    track.TrackAngle = MathTools.AngleOfMinutes(track.TrackStart, track.TrackFinish);
    track.TrackAngleText = strings.ExtendedToStr(track.TrackAngle, 0) + " deg";
    track.TrackDistance = MathTools.DistanceOfMinutes(track.TrackStart, track.TrackFinish);
    track.TrackDistanceText = strings.ExtendedToStr(track.TrackDistance, 2) + " nm";
    if (IndexTopMark == kNoTopMarkOffset) {
      track.TrackWindward = track.TrackFinish;
    } else {
      const double course = MathTools.AddRad(track.TrackAngle * kDegreesToRadians, -TopMarkOffset());
      track.TrackWindward = OrtWegOrt(MathTools, track.TrackStart, track.TrackDistance, course);
    }
    track.TrackCenter = TMinutes{(track.TrackStart.Lon + track.TrackWindward.Lon) / 2,
                                 (track.TrackStart.Lat + track.TrackWindward.Lat) / 2};
  }
}

void TListRoutingData::SetRoutingDataByWind(TRoutingData& routingDataBeat,
                                            TRoutingData& routingDataRun, double wind) const {
  const double distance = routingDataBeat.TrackDistance;
  const TMinutes start =
      OrtWegOrt(MathTools, routingDataBeat.TrackCenter, distance / 2, MathTools.AddRad(kPi, wind));
  routingDataBeat.TrackStart = start;
  routingDataRun.TrackFinish = start;
  const TMinutes finish =
      OrtWegOrt(MathTools, start, distance, MathTools.AddRad(TopMarkOffset(), wind));
  routingDataBeat.TrackFinish = finish;
  routingDataRun.TrackStart = finish;
}

double TListRoutingData::GetTrueWindAngle() const {
  const TRoutingData* first = GetItem(0);
  if (first == nullptr) return 0;
  return MathTools.AddDeg(first->TrackAngle, kNoTopMarkOffset - static_cast<double>(IndexTopMark)) * kDegreesToRadians;
}

void TListRoutingData::Clone(const TListRoutingData& listRoutingData) {
  if (&listRoutingData == this) return;
  Items.clear();
  for (const std::unique_ptr<TRoutingData>& source : listRoutingData.Items) {
    Add().Clone(*source);
  }
  IndexTrack = listRoutingData.IndexTrack;
}

void TListRoutingData::SetRoutingLineStroke() {
  constexpr TAlphaColor kBlack = 0xFF000000;
  for (int i = 0; i < Count(); ++i) {
    TRoutingData& track = *Items[static_cast<std::size_t>(i)];
    track.StrokeDash = TStrokeDash::Solid;
    const bool selected = i == IndexTrack;
    track.ColorTrack = selected ? kColorTrackDefault : kBlack;
    track.ColorLaylines = selected ? kColorLaylinesDefault : kBlack;
    track.ColorLaylinesNoCurrents = selected ? kColorLaylinesNoCurrentsDefault : kBlack;
    track.DrawLaylines = selected;
  }
}

}  // namespace corvane
