#include "routing/dynamic_grid.h"

#include <algorithm>
#include <cmath>

#include "core/constants.h"

namespace corvane {

namespace {

constexpr int kGridLines = 60;                  // planned lines of detection and routing
constexpr int kGridLinesFail = 2 * kGridLines;  // line at which the grid gives up
constexpr int kGridLinesMax = 3 * kGridLines;   // hard limit of lines
// Detection follows each edge of the cone until it has covered this many
// track distances: far enough past the finish to enclose it when it lies
// inside, not so far that a cone curving in the stream closes back on it.
constexpr double kDetectionReach = 2.5;
// Progress every 18 detection lines (60 x 1.5 / K) and every routing line.
constexpr int kDetectionModula = 18;
constexpr int kRoutingModula = 1;
constexpr double kGybeTime = 2.0 / 3600;  // hours lost in a gybe
constexpr double kLaylineMargin = 5;       // degrees inside the beat / gybe angle
// The closest-approach test: a multiple of the last change of the best
// distance, at most a fraction of the track's distance.
constexpr double kApproachFactor = 3;
constexpr double kApproachShare = 20;
// The predecessors an inner grid point is reached from.
enum class TReachedFrom { None, Left, Right, Both };
// Nautical miles below which two grid points are one place.
constexpr double kSamePlace = 1e-6;
constexpr float kProgressGridDone = 2 * kProgressK + 70;

const char* const kMessageMarksAshore = "Error: Course marks in shallow waters!";
const char* const kMessageGridLimits = "Error: Grid exceeds limits!";
const char* const kMessageShallow = "Error: Routing across shallow waters!";
const char* const kMessageNotReached = "Error: Mark not reached!";

}  // namespace

bool TDynamicGrid::LiesAhead(const TBogen& from, const TPolar& course, const TBogen& point) const {
  // A point on top of its predecessor is reached in no time on any course.
  if (MathTools.DistanceOfBogen(from, point) < kSamePlace) return true;
  return std::fabs(std::remainder(MathTools.AngleOfBogen(from, point) - course.Winkel, 2 * kPi)) < kPi / 2;
}

void TDynamicGrid::GetCourseInWater(TLegContext& Leg) {
  if (!Leg.Navigable(Leg.Track.TrackStart) || !Leg.Navigable(Leg.Track.TrackFinish)) {
    Leg.Fail(TRoutingFailure::MarksAshore, kMessageMarksAshore);
  }
}

void TDynamicGrid::StepFrom(int TypeOfCourse, const TGridPoint& before, double sign, double timeStep,
                            const TLegContext& Leg, TGridPoint& point, TPolar& displacement) const {
  const double angle = GetAngleBoatWindOnWater(TypeOfCourse, before.Wind, before.Stream, Leg);
  const TPolar overGround = GetBoatVektorOverGround(TypeOfCourse, Leg.Polars, before, sign * angle);
  displacement = TPolar{overGround.Betrag * timeStep, overGround.Winkel};
  MathTools.GetOrtWegOrt(before.Position, displacement, point.Position);
}

bool TDynamicGrid::GetFinishInLaylines(int TypeOfCourse, TLegContext& Leg) {
  const TRoutingData& RoutingData = Leg.Track;
  Grid.Clear();
  Grid.SetDefaultGridLines(kGridLines);
  Grid.GridModula = kDetectionModula;
  Grid.TimeDefault = GetGridTimeDefault(TypeOfCourse, kGridLines, Leg);
  const double step = Grid.TimeDefault;
  // Detection always sails in the chosen true wind: a GRIB wind would make
  // the leg type depend on the forecast hour.
  const TCartesian trueWind = Leg.TrueWindVector;

  Grid.AddLine(1);
  TGridPoint& start = *Grid.GetPoint(1, 1);
  start.Position = MathTools.MinutesToBogen(RoutingData.TrackStart);
  start.InWater = true;
  start.Stream = Leg.StreamAt(start.Position, 0);
  start.Wind = trueWind;

  double sumLeft = 0;
  double sumRight = 0;
  const double reach = kDetectionReach * RoutingData.TrackDistance;
  const auto advance = [&](const TGridPoint& before, double sign, double beforeTime, TGridPoint& point,
                           double& sum) {
    TPolar displacement;
    StepFrom(TypeOfCourse, before, sign, step, Leg, point, displacement);
    const double elapsed = beforeTime + step;
    point.Stream = Leg.StreamAt(point.Position, elapsed);
    point.Wind = trueWind;
    point.InWater = true;
    sum += displacement.Betrag;
    return elapsed;
  };
  while (!(sumLeft > reach && sumRight > reach) && Grid.Count() < kGridLinesMax) {
    const int before = Grid.Count();
    Grid.AddLine(2);
    const int line = Grid.Count();
    TGridPoint& left = *Grid.GetPoint(line, 1);
    TGridPoint& right = *Grid.GetPoint(line, 2);
    const TGridPoint& leftBefore = *Grid.GetPoint(before, 1);
    const TGridPoint& rightBefore = *Grid.GetPoint(before, before == 1 ? 1 : 2);
    left.TimeFromRight = advance(leftBefore, -1, leftBefore.TimeFromRight, left, sumLeft);
    right.TimeFromLeft = advance(rightBefore, +1, rightBefore.TimeFromLeft, right, sumRight);
    if (line % Grid.GridModula == 0) Leg.Step("Detecting course type", 1);
  }

  // The cone: down the left edge, back up the right edge, closed.
  ListDetection.Clear();
  const int lines = Grid.Count();
  for (int line = 1; line <= lines; ++line) {
    ListDetection.Add(MathTools.BogenToMinutes(Grid.GetPoint(line, 1)->Position));
  }
  for (int line = lines; line >= 2; --line) {
    ListDetection.Add(MathTools.BogenToMinutes(Grid.GetPoint(line, 2)->Position));
  }
  ListDetection.Add(ListDetection.Items.front().CoordM);
  if (TypeOfCourse == kCourseBeat) Leg.Detection.Clone(ListDetection);
  return ListDetection.GetInPolygon(RoutingData.TrackFinish, true);
}

void TDynamicGrid::ArriveFromLeft(const TGridPoint& v, double t, double q, TGridPoint& point) const {
  if (v.BeforeLeftExists && v.BeforeRightExists) {
    // Tacking at v pays when v was reached sooner on the other tack, by at
    // least the tack time (equality tacks).
    point.FromLeftWithTack = v.TimeFromLeft >= v.TimeFromRight + q;
    point.TimeFromLeft =
        point.FromLeftWithTack ? v.TimeFromRight + t + q : v.TimeFromLeft + t;
  } else if (v.BeforeRightExists) {
    point.FromLeftWithTack = true;
    point.TimeFromLeft = v.TimeFromRight + t + q;
  } else {
    point.FromLeftWithTack = false;
    point.TimeFromLeft = v.TimeFromLeft + t;
  }
}

void TDynamicGrid::ArriveFromRight(const TGridPoint& v, double t, double q, TGridPoint& point) const {
  if (v.BeforeLeftExists && v.BeforeRightExists) {
    point.FromRightWithTack = v.TimeFromRight >= v.TimeFromLeft + q;
    point.TimeFromRight =
        point.FromRightWithTack ? v.TimeFromLeft + t + q : v.TimeFromRight + t;
  } else if (v.BeforeLeftExists) {
    point.FromRightWithTack = true;
    point.TimeFromRight = v.TimeFromLeft + t + q;
  } else {
    point.FromRightWithTack = false;
    point.TimeFromRight = v.TimeFromRight + t;
  }
}

void TDynamicGrid::CompletePoint(int TypeOfCourse, bool fromLeft, bool fromRight,
                                 const TLegContext& Leg, TGridPoint& point) const {
  double elapsed = fromLeft ? point.TimeFromLeft : point.TimeFromRight;
  if (fromLeft && fromRight) elapsed = (point.TimeFromLeft + point.TimeFromRight) / 2;
  point.Stream = Leg.StreamAt(point.Position, elapsed);
  point.Wind = Leg.WindAt(point.Position, elapsed);
  const double angle = GetAngleBoatWindOnWater(TypeOfCourse, point.Wind, point.Stream, Leg);
  if (fromLeft) point.SailingLeft = GetAttackAngle(point, angle);
  if (fromRight) point.SailingRight = GetAttackAngle(point, -angle);
  GetVMGOverGround(TypeOfCourse, point.Wind, point.Stream, angle, Leg.Track.TrackAngle, Leg.Polars,
                   point.VMG_STB, point.VMG_BBB);
  GetInWater(point, Leg);
  point.DistanceToFinish =
      MathTools.DistanceOfBogen(point.Position, MathTools.MinutesToBogen(Leg.Track.TrackFinish));
}

void TDynamicGrid::GetDynamicGrid(int TypeOfCourse, TLegContext& Leg) {
  TRoutingData& RoutingData = Leg.Track;
  const int type = TypeOfCourse;
  Grid.Clear();
  Grid.SetDefaultGridLines(kGridLines);
  Grid.GridModula = kRoutingModula;
  MinDistanceFinish = 0;
  PackagePolars.GetPolarData(Leg.Conditions.TrueWind, Leg.Polars);

  double q = 0;  // hours lost in a tack or gybe
  if (type == kCourseBeat) q = Leg.Polars.BeatTackTime / 3600;
  if (type == kCourseRun) q = kGybeTime;

  Grid.TimeDefault = GetGridTimeDefault(type, kGridLines, Leg);
  double stepLeft = Grid.TimeDefault;   // s: points reached sailing to the left
  double stepRight = Grid.TimeDefault;  // p: points reached sailing to the right

  const double courseWind =
      GetAngleCourseWind(RoutingData.TrackAngle, Leg.Conditions.TrueWind) * kRadiansToDegrees;
  RoutingData.LayLinesValid = false;
  if (type == kCourseBeat) RoutingData.LayLinesValid = Leg.Polars.BeatAngle - kLaylineMargin > courseWind;
  if (type == kCourseRun) RoutingData.LayLinesValid = courseWind > Leg.Polars.GybeAngle + kLaylineMargin;

  const TBogen start = MathTools.MinutesToBogen(RoutingData.TrackStart);
  const double distance = RoutingData.TrackDistance;

  Grid.AddLine(1);
  {
    TGridPoint& first = *Grid.GetPoint(1, 1);
    first.Position = start;
    GetInWater(first, Leg);
    first.Stream = Leg.StreamAt(first.Position, 0);
    first.Wind = Leg.WindAt(first.Position, 0);
    const double angle = GetAngleBoatWindOnWater(type, first.Wind, first.Stream, Leg);
    GetVMGOverGround(type, first.Wind, first.Stream, angle, RoutingData.TrackAngle, Leg.Polars,
                     first.VMG_STB, first.VMG_BBB);
    first.DistanceToFinish = distance;
    Grid.GetLine(1)->BestIndex = 1;
    Grid.GetLine(1)->BestDistance = distance;
  }

  int L = 1;
  while (!Grid.EndBuildGrid && L < kGridLinesMax) {
    ++L;
    Grid.AddLine(L);
    Grid.IndexLine = L;

    // The rightmost point sails on to the right from the right edge.
    {
      TGridPoint& point = *Grid.GetPoint(L, L);
      const TGridPoint& before = *Grid.GetPoint(L - 1, L - 1);
      if (before.InWater) {
        StepFrom(type, before, +1, stepRight, Leg, point, point.SailingVektorLeft);
        point.TimeFromBeforeLeft = stepRight;
        point.BeforeLeftExists = true;
        ArriveFromLeft(before, stepRight, q, point);
        CompletePoint(type, true, false, Leg, point);
      }
    }
    // The leftmost point sails on to the left from the left edge.
    {
      TGridPoint& point = *Grid.GetPoint(L, 1);
      const TGridPoint& before = *Grid.GetPoint(L - 1, 1);
      if (before.InWater) {
        StepFrom(type, before, -1, stepLeft, Leg, point, point.SailingVektorRight);
        point.TimeFromBeforeRight = stepLeft;
        point.BeforeRightExists = true;
        ArriveFromRight(before, stepLeft, q, point);
        CompletePoint(type, false, true, Leg, point);
      }
    }
    // Inner points, from the right: each is where the course from its left
    // predecessor meets the course from its right predecessor.
    for (int k = L - 1; k >= 2 && !Grid.EndBuildGrid; --k) {
      Grid.IndexPoint = k;
      TGridPoint& point = *Grid.GetPoint(L, k);
      const TGridPoint& left = *Grid.GetPoint(L - 1, k - 1);
      const TGridPoint& right = *Grid.GetPoint(L - 1, k);
      TReachedFrom from = left.InWater ? (right.InWater ? TReachedFrom::Both : TReachedFrom::Left)
                                       : (right.InWater ? TReachedFrom::Right : TReachedFrom::None);
      TBogen apex;
      TPolar overLeft;
      TPolar overRight;
      if (from == TReachedFrom::Both) {
        const double angle = GetAngleBoatWindOnWater(type, left.Wind, left.Stream, Leg);
        overLeft = GetBoatVektorOverGround(type, Leg.Polars, left, angle);
        overRight = GetBoatVektorOverGround(type, Leg.Polars, right, -angle);
        apex = MathTools.GetIntersection(type, left.Position, right.Position, overLeft, overRight);
        if (!LiesAhead(left.Position, overLeft, apex) || !LiesAhead(right.Position, overRight, apex)) {
          // A strong foul stream can turn the two tacks over ground away
          // from each other: their courses then meet only behind one of the
          // boats, and no point is reached on both. Taking that meeting
          // point would credit a boat with sailing backwards. The point is
          // the one of the two tacks that ends nearer the finish.
          const TBogen finish = MathTools.MinutesToBogen(RoutingData.TrackFinish);
          TGridPoint viaLeft;
          TGridPoint viaRight;
          TPolar unused;
          StepFrom(type, left, +1, stepRight, Leg, viaLeft, unused);
          StepFrom(type, right, -1, stepLeft, Leg, viaRight, unused);
          from = MathTools.DistanceOfBogen(viaLeft.Position, finish) <=
                         MathTools.DistanceOfBogen(viaRight.Position, finish)
                     ? TReachedFrom::Left
                     : TReachedFrom::Right;
        }
      }
      if (from == TReachedFrom::Left) {
        StepFrom(type, left, +1, stepRight, Leg, point, point.SailingVektorLeft);
        point.TimeFromBeforeLeft = stepRight;
        point.BeforeLeftExists = true;
        ArriveFromLeft(left, stepRight, q, point);
        CompletePoint(type, true, false, Leg, point);
      } else if (from == TReachedFrom::Right) {
        StepFrom(type, right, -1, stepLeft, Leg, point, point.SailingVektorRight);
        point.TimeFromBeforeRight = stepLeft;
        point.BeforeRightExists = true;
        ArriveFromRight(right, stepLeft, q, point);
        CompletePoint(type, false, true, Leg, point);
      } else if (from == TReachedFrom::Both) {
        point.Position = apex;
        point.SailingVektorLeft = overLeft;
        point.SailingVektorRight = overRight;
        point.TimeFromBeforeLeft =
            overLeft.Betrag != 0 ? MathTools.DistanceOfBogen(left.Position, apex) / overLeft.Betrag : 0;
        point.TimeFromBeforeRight =
            overRight.Betrag != 0 ? MathTools.DistanceOfBogen(right.Position, apex) / overRight.Betrag : 0;
        point.BeforeLeftExists = true;
        point.BeforeRightExists = true;
        ArriveFromLeft(left, point.TimeFromBeforeLeft, q, point);
        ArriveFromRight(right, point.TimeFromBeforeRight, q, point);
        CompletePoint(type, true, true, Leg, point);
      }
      if (L >= kGridLinesFail) {
        Grid.EndBuildGrid = true;
        Leg.Fail(TRoutingFailure::GridLimits, kMessageGridLimits);
      }
    }

    // The line's best point: the first afloat one nearest the finish, if any
    // is nearer than the start was.
    TGridLine& line = *Grid.GetLine(L);
    line.BestIndex = 1;
    line.BestDistance = distance;
    bool afloat = false;
    for (int k = 1; k <= L; ++k) {
      const TGridPoint& point = *Grid.GetPoint(L, k);
      if (!point.InWater) continue;
      afloat = true;
      if (point.DistanceToFinish < line.BestDistance) {
        line.BestIndex = k;
        line.BestDistance = point.DistanceToFinish;
      }
    }

    if (!afloat) {
      Grid.EndBuildGrid = true;
      Leg.Fail(TRoutingFailure::Shallows, kMessageShallow);
    }
    if (!Grid.EndBuildGrid && Leg.StopRequested()) {
      Grid.EndBuildGrid = true;
      Leg.Fail(TRoutingFailure::Cancelled, kMessageRoutingCancelled);
    }
    if (!Grid.EndBuildGrid) {
      // Past the closest approach: the best distance grows again while it
      // is already small compared with its last change.
      const double before = Grid.GetLine(L - 1)->BestDistance;
      MinDistanceFinish =
          std::min(kApproachFactor * std::fabs(before - line.BestDistance), distance / kApproachShare);
      if (line.BestDistance > before && line.BestDistance < MinDistanceFinish) Grid.EndBuildGrid = true;
    }
    if (!Grid.EndBuildGrid) {
      TGridPoint& best = *Grid.GetPoint(L, line.BestIndex);
      best.DistanceToStart = MathTools.DistanceOfBogen(best.Position, start);
      if (best.DistanceToStart > distance) Grid.EndBuildGrid = true;
    }

    // Slow edges take longer steps so that the grid still advances.
    Grid.IndexPointLeft = -1;
    Grid.IndexPointRight = -1;
    for (int k = 1; k <= L && Grid.IndexPointLeft < 0; ++k) {
      if (Grid.GetPoint(L, k)->InWater) Grid.IndexPointLeft = k;
    }
    for (int k = L; k >= 1 && Grid.IndexPointRight < 0; --k) {
      if (Grid.GetPoint(L, k)->InWater) Grid.IndexPointRight = k;
    }
    stepLeft = GetTimeToNextLine(Grid.GetPoint(L, Grid.IndexPointLeft), Grid.TimeDefault);
    stepRight = GetTimeToNextLine(Grid.GetPoint(L, Grid.IndexPointRight), Grid.TimeDefault);
    if (Leg.Reporting() && L % Grid.GridModula == 0) {
      Leg.Step("Building dynamic grid " + Types.GetTypeOfCourseSmall(type), 1);
    }
  }

  // The arrival lies on the line before the one that went past the finish.
  Grid.BestLine = Grid.Count() - 1;
  const TGridLine& bestLine = *Grid.GetLine(Grid.BestLine);
  Grid.BestIndex = bestLine.BestIndex;
  Grid.BestDistance = bestLine.BestDistance;
  // A grid that stopped on a failure keeps that failure's message: its
  // arrival is wherever the failure left it, and judging it again would
  // only hide the cause. Of the two arrival checks the first that fails
  // speaks.
  //
  // The closest-approach margin follows the last change of the best
  // distance, which is close to 0 whenever two lines straddle the finish
  // alike; the arrival is judged against at least one line's share of the
  // track, the finest distance the grid resolves, so that a grid that
  // passes within a point spacing of the mark is not refused.
  const double arrivalMargin = std::max(MinDistanceFinish, distance / kGridLines);
  if (Leg.Valid) {
    if (!Grid.GetBestPointValid(arrivalMargin)) {
      Leg.Fail(TRoutingFailure::Shallows, kMessageShallow);
    } else if (!Grid.GetBestPointDistanceValid(arrivalMargin)) {
      Leg.Fail(TRoutingFailure::MarkNotReached, kMessageNotReached);
    }
  }
  const TGridPoint& arrival = *Grid.GetPoint(Grid.BestLine, Grid.BestIndex);
  // A side the arrival was not reached from counts as twice the other.
  Grid.TimeLeft = arrival.TimeFromLeft != 0 ? arrival.TimeFromLeft : 2 * arrival.TimeFromRight;
  Grid.TimeRight = arrival.TimeFromRight != 0 ? arrival.TimeFromRight : 2 * arrival.TimeFromLeft;
  RoutingData.TimeBestCourse = std::min(Grid.TimeLeft, Grid.TimeRight);
  if (Leg.Reporting()) Leg.Fill("Building dynamic grid " + Types.GetTypeOfCourse(type), kProgressGridDone);
}

}  // namespace corvane
