// The results of a beat or run, read out of the dynamic grid that
// GetDynamicGrid has just built: best course, laylines, layline corners
// without stream and the top-mark approach.

#include <algorithm>
#include <cmath>

#include "core/constants.h"
#include "core/date_time.h"
#include "routing/dynamic_grid.h"

namespace corvane {

namespace {

constexpr double kGybeTime = 2.0 / 3600;        // hours lost in a gybe on the best course
constexpr double kTrackMinVMGStart = 255;        // knots, above any real VMG
constexpr double kWarnVMG = 2.0;                // knots
constexpr double kFailVMG = 0.5;                // knots
constexpr double kLaylineLossMin = 4.0 / 3600;  // hours: smaller losses are noise of the grid

const char* const kMessageWarnVMG = "Low VMG - routing might fail!";
const char* const kMessageFailVMG = "Low VMG!";
const char* const kProcessing = "Processing results";

}  // namespace

void TDynamicGrid::GetRoutingBestLine(int TypeOfCourse, TLegContext& Leg) {
  if (!Leg.Valid) return;
  Leg.Step(kProcessing, 1);

  TRoutingData& track = Leg.Track;
  track.ListBestCourse.Clear();
  track.ListBoat.Clear();
  track.TrackVMG = 0;
  track.TrackMinVMG = kTrackMinVMGStart;
  track.TimeBestCourse = 0;
  track.StreamOnTrack = TCartesian{};
  ListTimeBestCourse.Clear();
  ListTimeBestCourse.Add(0, 0);
  double q = 0;
  if (TypeOfCourse == kCourseBeat) q = Leg.Polars.BeatTackTime / 3600;
  if (TypeOfCourse == kCourseRun) q = kGybeTime;

  track.ListBestCourse.Add(track.TrackFinish);

  // Walk back from the arrival: c is the current point's index, p its
  // predecessor's in the line before (c - 1 for the left predecessor, c for
  // the right one), n the predecessor's own predecessor.
  int line = Grid.BestLine;
  int c = Grid.BestIndex;
  int p = Grid.TimeLeft < Grid.TimeRight ? c - 1 : c;
  bool tackNext = false;
  while (line > 0) {
    const TGridPoint* r = Grid.GetPoint(line, c);
    const TGridPoint* s = line > 1 ? Grid.GetPoint(line - 1, p) : nullptr;
    --line;
    TCoords& coords = track.ListBestCourse.Add();
    TBoat& boat = track.ListBoat.Add();
    boat.Tack = tackNext;
    tackNext = false;
    int n = p;
    if (r != nullptr) {
      coords.CoordM = MathTools.BogenToMinutes(r->Position);
      boat.CoordM = coords.CoordM;
      double overGround = 0;
      if (p < c) {
        n = r->FromLeftWithTack ? p : p - 1;
        track.TimeBestCourse += r->TimeFromBeforeLeft;
        ListTimeBestCourse.Add(track.TimeBestCourse, 0);
        if (s != nullptr) {
          track.TrackVMG += s->VMG_STB;
          track.TrackMinVMG = std::min(track.TrackMinVMG, s->VMG_STB);
        }
        boat.Angle = r->SailingLeft;
        boat.Bug = 2;
        overGround = r->SailingVektorLeft.Winkel;
      } else {
        n = r->FromRightWithTack ? p - 1 : p;
        track.TimeBestCourse += r->TimeFromBeforeRight;
        ListTimeBestCourse.Add(track.TimeBestCourse, 0);
        if (s != nullptr) {
          track.TrackVMG += s->VMG_BBB;
          track.TrackMinVMG = std::min(track.TrackMinVMG, s->VMG_BBB);
        }
        boat.Angle = r->SailingRight;
        boat.Bug = 1;
        overGround = r->SailingVektorRight.Winkel;
      }
      // The angle the stream sets the boat off its heading, [0, 180].
      double attack = MathTools.AddRad(overGround, -boat.Angle) * kRadiansToDegrees;
      if (attack > 180) attack = 360 - attack;
      boat.Attack = attack;
      track.StreamOnTrack = MathTools.AddCartesian(track.StreamOnTrack, r->Stream);
    }
    // The course changes side at s: a tack (or gybe) there.
    if (s != nullptr && (c - p) != (p - n)) {
      track.TimeBestCourse += q;
      tackNext = true;
    }
    c = p;
    p = n;
  }
  if (track.ListBoat.Count() > 0) {
    track.ListBoat.Items.back().Angle = track.TrackAngle * kDegreesToRadians;
  }

  // Boat times, from the start boat on: the walk's running totals in the
  // order they were summed.
  const int boats = track.ListBoat.Count();
  for (int i = 0; i < boats; ++i) {
    TBoat& boat = track.ListBoat.Items[static_cast<std::size_t>(boats - 1 - i)];
    boat.Time = i < ListTimeBestCourse.Count() ? ListTimeBestCourse.GetItem(i).Value : 0;
  }

  if (Grid.BestLine > 1) track.TrackVMG /= Grid.BestLine - 1;
  if (track.TrackVMG < kWarnVMG) Leg.Message = kMessageWarnVMG;
  if (track.TrackVMG < kFailVMG) Leg.Fail(TRoutingFailure::LowVMG, kMessageFailVMG);
  if (Grid.BestLine > 0) {
    track.StreamOnTrack.x /= Grid.BestLine;
    track.StreamOnTrack.y /= Grid.BestLine;
  }
  // Whole seconds, halves to even (the default rounding mode).
  const auto seconds = static_cast<std::int64_t>(std::nearbyint(track.TimeBestCourse * 3600));
  track.DateTimeFinishGMT = IncSecond(track.DateTimeStartGMT, seconds);
  track.DateTimeFinishLOC = IncSecond(track.DateTimeStartLOC, seconds);
  Leg.FinishTimed = true;
}

double TDynamicGrid::LaylineTime(bool preferLeft, TListCoords& layline, const TLegContext& Leg) {
  // Every change of side costs the polar's tack time, on runs as well.
  const double q = Leg.Polars.BeatTackTime / 3600;
  double sum = 0;
  bool flag = false;
  int k = Grid.BestIndex;
  for (int line = Grid.BestLine; line >= 2; --line) {
    const TGridPoint* point = Grid.GetPoint(line, k);
    if (point == nullptr) break;
    const bool first = preferLeft ? point->BeforeLeftExists : point->BeforeRightExists;
    const bool second = preferLeft ? point->BeforeRightExists : point->BeforeLeftExists;
    if (first) {
      sum += preferLeft ? point->TimeFromBeforeLeft : point->TimeFromBeforeRight;
      flag = true;
      if (preferLeft) --k;
    } else if (second) {
      sum += preferLeft ? point->TimeFromBeforeRight : point->TimeFromBeforeLeft;
      if (flag) sum += q;
      flag = false;
      if (!preferLeft) --k;
    }
    layline.Add(MathTools.BogenToMinutes(point->Position));
  }
  if (const TGridPoint* start = Grid.GetPoint(1, 1)) {
    layline.Add(MathTools.BogenToMinutes(start->Position));
  }
  return sum;
}

void TDynamicGrid::GetRoutingLaylineLeft(TLegContext& Leg) {
  if (!Leg.Valid) return;
  Leg.Step(kProcessing, 1);
  TRoutingData& RoutingData = Leg.Track;
  RoutingData.ListLaylineLeft.Clear();
  double loss = LaylineTime(true, RoutingData.ListLaylineLeft, Leg) - RoutingData.TimeBestCourse;
  if (loss < kLaylineLossMin) loss = 0;
  // The left walk is the left layline seen upwind; downwind the sides swap.
  if (RoutingData.TypeOfCourse == kCourseBeat) {
    RoutingData.TimeLaylineLeft = loss;
  } else {
    RoutingData.TimeLaylineRight = loss;
  }
}

void TDynamicGrid::GetRoutingLaylineRight(TLegContext& Leg) {
  if (!Leg.Valid) return;
  Leg.FillToEnd(kProcessing);
  TRoutingData& RoutingData = Leg.Track;
  RoutingData.ListLaylineRight.Clear();
  double loss = LaylineTime(false, RoutingData.ListLaylineRight, Leg) - RoutingData.TimeBestCourse;
  if (loss < kLaylineLossMin) loss = 0;
  if (RoutingData.TypeOfCourse == kCourseBeat) {
    RoutingData.TimeLaylineRight = loss;
  } else {
    RoutingData.TimeLaylineLeft = loss;
  }
}

void TDynamicGrid::GetLaylinesNoCurrents(int TypeOfCourse, TLegContext& Leg) {
  if (!Leg.Valid) return;
  TRoutingData& RoutingData = Leg.Track;
  double boatAngle = GetAngleBoatWindOverGround(TypeOfCourse, Leg);
  if (TypeOfCourse == kCourseRun) boatAngle = MathTools.AddDeg(180, -boatAngle);
  double course = 0;
  if (TypeOfCourse == kCourseBeat) course = RoutingData.TrackAngle * kDegreesToRadians;
  if (TypeOfCourse == kCourseRun) course = MathTools.AddRad(RoutingData.TrackAngle * kDegreesToRadians, kPi);
  const double windOffCourse = MathTools.AddRad(Leg.Conditions.TrueWind.Winkel, -course);
  // The diamond's interior angles at the marks: the boat angle opened or
  // closed by the wind's angle to the course.
  const double beta = boatAngle * kDegreesToRadians;
  const double alpha1 = MathTools.AddRad(beta, windOffCourse);
  const double alpha2 = MathTools.AddRad(beta, -windOffCourse);
  const TBogen start = MathTools.MinutesToBogen(RoutingData.TrackStart);
  const TBogen finish = MathTools.MinutesToBogen(RoutingData.TrackFinish);
  RoutingData.LayLineCrossRight =
      MathTools.BogenToMinutes(MathTools.GetIntersection(start, finish, alpha1, alpha2));
  RoutingData.LayLineCrossLeft =
      MathTools.BogenToMinutes(MathTools.GetIntersection(finish, start, alpha1, alpha2));
}

void TDynamicGrid::GetTopMarkApproach(TLegContext& Leg) {
  TRoutingData& RoutingData = Leg.Track;
  if (!Leg.Valid || RoutingData.TypeOfCourse != kCourseBeat) return;
  for (const TBoat& boat : RoutingData.ListBoat.Items) {
    if (!boat.Tack) continue;
    RoutingData.FinalTack = boat.CoordM;
    RoutingData.FinalCourse = MathTools.AngleOfMinutes(RoutingData.FinalTack, RoutingData.TrackFinish);
    return;
  }
}

}  // namespace corvane
