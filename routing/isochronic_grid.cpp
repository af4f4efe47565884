#include "routing/isochronic_grid.h"

#include <algorithm>
#include <cmath>

#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>

#include "core/constants.h"
#include "core/date_time.h"

namespace corvane {

namespace {

constexpr double kMinCorridorLength = 0.5;  // nm: shorter tracks get this corridor
constexpr int kReachLines = 25;           // planned lines
constexpr int kFanStepDegrees = 5;
constexpr double kFanStep = kFanStepDegrees * kDegreesToRadians;
// A fan turns from the beat angle at most to dead downwind, half a turn: no
// fan holds more headings than that, whatever angles it is handed.
constexpr int kMaxFanHeadings = 180 / kFanStepDegrees + 1;
constexpr double kDistanceBound = 1.15;     // drop points this much farther than the last best
constexpr double kThinningStart = 1.5;      // thin once the best is below this many half tracks
constexpr int kThinningKeep = 50;
constexpr double kNoDistance = 65535;
constexpr double kStopFactor = 1.5;
constexpr int kLastLineToExtend = 35;
// Fans of one line sailed by one task: enough to outweigh handing it out.
constexpr int kFansPerTask = 16;
constexpr double kArrivalReach = 0.3;       // nm: the arrival must come this close
constexpr double kTrackMinVMGStart = 255;
constexpr double kWarnVMG = 2.0;
constexpr double kFailVMG = 0.5;

const char* const kMessageFailed = "Routing failed";
const char* const kProgressGrid = "Building isochronic grid reach";

TMinutes Move(const TMathTools& math, const TMinutes& from, double distance, double course) {
  TBogen to;
  math.GetOrtWegOrt(math.MinutesToBogen(from), TPolar{distance, course}, to);
  return math.BogenToMinutes(to);
}

}  // namespace

TListMinutes TIsochronicGrid::GetStripesReach(const TMinutes& Start, const TMinutes& Finish,
                                              int CountStripes, TListCoords& StripesStart,
                                              TListCoords& StripesFinish,
                                              const TRoutingData& RoutingData) {
  StripesStart.Clear();
  StripesFinish.Clear();
  ListStripes.Clear();
  StripeCorners.clear();
  const int n = CountStripes;
  const double length = std::max(RoutingData.TrackDistance, kMinCorridorLength);
  const double course = RoutingData.TrackAngle * kDegreesToRadians;
  WidthStripes = n > 0 ? length / (2 * n) : 0;
  const TMinutes beyond = Move(MathTools, Finish, length / 5, course);
  const double left = MathTools.AddRad(3 * kPi / 2, course);
  const double right = MathTools.AddRad(kPi / 2, course);
  const TMinutes s0 = Move(MathTools, Start, n * WidthStripes / 2, left);
  const TMinutes f0 = Move(MathTools, beyond, n * WidthStripes / 2, left);
  StripesStart.Add(s0);
  StripesFinish.Add(f0);
  for (int i = 1; i <= n; ++i) {
    StripesStart.Add(Move(MathTools, s0, i * WidthStripes, right));
    StripesFinish.Add(Move(MathTools, f0, i * WidthStripes, right));
  }
  if (StripesStart.Count() == 0 || StripesStart.Count() != StripesFinish.Count()) return {};

  const auto corner = [](const TListCoords& list, int i) {
    return list.Items[static_cast<std::size_t>(i)].CoordM;
  };
  const auto addStripe = [&](int a, int b) {
    TStripes& stripe = ListStripes.Add();
    stripe.ListCoords.Add(corner(StripesStart, a));
    stripe.ListCoords.Add(corner(StripesStart, b));
    stripe.ListCoords.Add(corner(StripesFinish, b));
    stripe.ListCoords.Add(corner(StripesFinish, a));
  };
  addStripe(0, n);
  for (int k = 1; k <= n; ++k) addStripe(k - 1, k);
  StripeCorners = {corner(StripesStart, 0), corner(StripesStart, n)};
  return TListMinutes{corner(StripesStart, 0), corner(StripesStart, n), corner(StripesFinish, n),
                      corner(StripesFinish, 0), corner(StripesStart, 0)};
}

void TIsochronicGrid::GetGridTimeDefaultReach(TLegContext& Leg) {
  Grid.Clear();
  Grid.SetDefaultGridLines(kReachLines);
  Grid.TimeDefault = GetGridTimeDefault(kCourseReach, kReachLines, Leg);
}

void TIsochronicGrid::AddFan(int line, const TGridPoint& before, int j, double beta, double gamma,
                             double a0, double a1, float r, float elapsed, double s,
                             const TLegContext& Leg) {
  TGridLine* gridLine = Grid.GetLine(line);
  if (gridLine == nullptr) return;
  SailFan(before, j, beta, gamma, a0, a1, r, elapsed, s, Leg, gridLine->Points);
}

void TIsochronicGrid::SailFan(const TGridPoint& before, int j, double beta, double gamma, double a0, double a1,
                              float r, float elapsed, double s, const TLegContext& Leg,
                              std::vector<TGridPoint>& afloat) const {
  const TRoutingData& RoutingData = Leg.Track;
  const TBogen startB = MathTools.MinutesToBogen(RoutingData.TrackStart);
  const TBogen finishB = MathTools.MinutesToBogen(RoutingData.TrackFinish);
  for (int h = 0; h < kMaxFanHeadings; ++h) {
    const double x = std::max(std::fabs(a0 + h * kFanStep), beta);
    double angle = std::min(x, gamma);
    // The wind from the right of the course: the boat bears away to the left
    // of the wind's direction.
    if (s <= kPi) angle = -angle;

    TGridPoint point;
    point.IndexBefore = j;
    point.PolarAngle = angle;
    const TPolar overGround = GetBoatVektorOverGround(kCourseReach, Leg.Polars, before, angle);
    point.SailingVektor = TPolar{overGround.Betrag * r, overGround.Winkel};
    MathTools.GetOrtWegOrt(before.Position, point.SailingVektor, point.Position);
    point.Stream = Leg.StreamAt(point.Position, elapsed);
    point.Wind = Leg.WindAt(point.Position, elapsed);
    point.TimeFromLeft = elapsed;
    SetAttackAngle(point, s, angle);
    GetVMGOverGround(kCourseReach, point.Wind, point.Stream, angle, RoutingData.TrackAngle,
                     Leg.Polars, point.VMG_STB, point.VMG_BBB);
    point.VMG = std::max(point.VMG_STB, point.VMG_BBB);
    GetInWater(point, Leg);
    point.Valid = point.InWater;
    point.DistanceToStart = MathTools.DistanceOfBogen(point.Position, startB);
    point.DistanceToFinish = MathTools.DistanceOfBogen(point.Position, finishB);
    if (point.Valid) afloat.push_back(point);

    if (std::fabs(angle) >= a1) break;
    if (!(x <= gamma)) break;
  }
}

template <typename Drop>
void TIsochronicGrid::RemovePoints(int line, Drop drop) {
  TGridLine* gridLine = Grid.GetLine(line);
  if (gridLine == nullptr) return;
  // Decide for every point first (positions from 1), then keep the rest in
  // their order.
  std::vector<TGridPoint>& points = gridLine->Points;
  std::size_t kept = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    if (drop(points[i], static_cast<int>(i) + 1)) continue;
    if (kept != i) points[kept] = points[i];
    ++kept;
  }
  points.resize(kept);
}

std::vector<std::vector<int>> TIsochronicGrid::PointsByStripe(int line) const {
  const int n = ListStripes.Count() - 1;
  std::vector<std::vector<int>> byStripe(static_cast<std::size_t>(std::max(n, 0)) + 1);
  if (n < 1 || StripeCorners.size() < 2) return byStripe;
  // The stripes lie side by side across the corridor, so a point's place
  // across it (0 on the left edge, 1 on the right, in a plane over the
  // corridor) names its stripe to within one; the polygons of that stripe
  // and its two neighbours decide, as a test of every stripe would.
  const TMinutes& left = StripeCorners.front();
  const TMinutes& right = StripeCorners.back();
  const double scale = std::cos(left.Lat * kMinutesToRadians);
  const double ax = (right.Lon - left.Lon) * scale;
  const double ay = right.Lat - left.Lat;
  const double across = ax * ax + ay * ay;
  const TGridLine& gridLine = *Grid.GetLine(line);
  for (int i = 2; i < gridLine.Count(); ++i) {
    const TMinutes p = MathTools.BogenToMinutes(gridLine.Points[static_cast<std::size_t>(i - 1)].Position);
    const double u = across > 0 ? ((p.Lon - left.Lon) * scale * ax + (p.Lat - left.Lat) * ay) / across : 0;
    const int guess = std::clamp(static_cast<int>(std::floor(u * n)) + 1, 1, n);
    for (int k = std::max(guess - 1, 1); k <= std::min(guess + 1, n); ++k) {
      if (ListStripes.Items[static_cast<std::size_t>(k)].ListCoords.GetInPolygon(p, true)) {
        byStripe[static_cast<std::size_t>(k)].push_back(i);
      }
    }
  }
  return byStripe;
}

void TIsochronicGrid::SetBestPoint(int line) {
  TGridLine& gridLine = *Grid.GetLine(line);
  gridLine.BestIndex = 0;
  gridLine.BestDistance = kNoDistance;
  for (int k = 1; k <= gridLine.Count(); ++k) {
    const double distance = Grid.GetPoint(line, k)->DistanceToFinish;
    if (distance < gridLine.BestDistance) {
      gridLine.BestIndex = k;
      gridLine.BestDistance = distance;
    }
  }
}

void TIsochronicGrid::GetIsochronicGrid(TLegContext& Leg) {
  TRoutingData& RoutingData = Leg.Track;
  Leg.Step(kProgressGrid, 1);
  Grid.Clear();
  const double td = Grid.TimeDefault;
  const double q = RoutingData.TrackDistance / 2;
  double elapsed = 0;

  Grid.AddLine(1);
  TGridPoint& start = *Grid.GetPoint(1, 1);
  start.Position = MathTools.MinutesToBogen(RoutingData.TrackStart);
  start.Valid = true;
  start.InWater = true;
  start.Stream = Leg.StreamAt(start.Position, 0);
  start.Wind = Leg.WindAt(start.Position, 0);
  start.DistanceToFinish = RoutingData.TrackDistance;

  // The first isochrone: the whole fan from the beat to the gybe angle.
  double r = 2 * td;
  elapsed += r;
  const TPolar windAtStart = GetWindOnWater(start.Wind, start.Stream);
  const double side = GetAngleCourseToWind(RoutingData.TrackAngle, windAtStart);
  {
    const double beta = GetPolarBeatAngle(windAtStart, Leg.Polars);
    const double gamma = GetPolarGybeAngle(windAtStart, Leg.Polars);
    Grid.AddLine();
    AddFan(2, start, 1, beta, gamma, beta, gamma, static_cast<float>(r),
           static_cast<float>(elapsed), side, Leg);
    SetBestPoint(2);
  }

  const int n = ListStripes.Count() - 1;
  for (int line = 3;; ++line) {
    const double b = Grid.GetLine(line - 1)->BestDistance;
    // Long steps in mid-leg, short ones near either end.
    r = b <= q ? td * (0.2 + 2 * b / q) : td * (0.2 + 2 * (2 * q - b) / q);
    elapsed += r;
    Grid.AddLine();
    const int before = Grid.GetLine(line - 1)->Count();
    // Each predecessor's fan depends on that point alone: the fans are
    // sailed on the cores and joined in the predecessors' order, the line
    // the same as fan after fan.
    std::vector<std::vector<TGridPoint>> fans(static_cast<std::size_t>(before));
    const TGridLine& previous = *Grid.GetLine(line - 1);
    tbb::parallel_for(tbb::blocked_range<int>(1, before + 1, kFansPerTask), [&](const tbb::blocked_range<int>& range) {
      for (int j = range.begin(); j != range.end(); ++j) {
        const TGridPoint& predecessor = previous.Points[static_cast<std::size_t>(j - 1)];
        const TPolar wind = GetWindOnWater(predecessor.Wind, predecessor.Stream);
        const double beta = GetPolarBeatAngle(wind, Leg.Polars);
        const double gamma = GetPolarGybeAngle(wind, Leg.Polars);
        const double u = std::fabs(predecessor.PolarAngle);
        std::vector<TGridPoint>& fan = fans[static_cast<std::size_t>(j - 1)];
        // A narrow fan holds three headings.
        fan.reserve(3);
        SailFan(predecessor, j, beta, gamma, std::max(u - kFanStep, beta), std::min(u + kFanStep, gamma),
                static_cast<float>(r), static_cast<float>(elapsed), side, Leg, fan);
      }
    });
    std::vector<TGridPoint>& points = Grid.GetLine(line)->Points;
    points.reserve(3 * static_cast<std::size_t>(before));
    for (const std::vector<TGridPoint>& fan : fans) points.insert(points.end(), fan.begin(), fan.end());

    if (line > 3) {
      // Keep the corridor, and in each stripe the few points nearest the
      // finish (the line's two end points always stay).
      const int keep = std::max(10 - line, 4);
      if (n >= 0) {
        const TListCoords& corridor = ListStripes.Items[0].ListCoords;
        RemovePoints(line, [&](const TGridPoint& point, int) {
          return !corridor.GetInPolygon(point.Position, true);
        });
      }
      const int count = Grid.GetLine(line)->Count();
      std::vector<bool> marked(static_cast<std::size_t>(count) + 1, false);
      const std::vector<std::vector<int>> byStripe = PointsByStripe(line);
      for (int k = 1; k <= n; ++k) {
        ListDistBound.Clear();
        for (const int i : byStripe[static_cast<std::size_t>(k)]) {
          ListDistBound.Add(Grid.GetPoint(line, i)->DistanceToFinish, i);
        }
        ListDistBound.Sort();
        for (int i = keep; i < ListDistBound.Count(); ++i) {
          marked[static_cast<std::size_t>(ListDistBound.GetValueIndex(i))] = true;
        }
      }
      RemovePoints(line, [&](const TGridPoint&, int position) {
        return marked[static_cast<std::size_t>(position)];
      });
    }
    RemovePoints(line, [&](const TGridPoint& point, int) {
      return point.DistanceToFinish >= kDistanceBound * b;
    });
    if (q > 0 && b < kThinningStart * q) {
      const int count = Grid.GetLine(line)->Count();
      const int inner = std::max(count - 2, 0);
      ListDistBound.Clear();
      for (int i = 2; i < count; ++i) ListDistBound.Add(Grid.GetPoint(line, i)->DistanceToFinish, i);
      ListDistBound.Sort();
      const int stay = std::max<int>(kThinningKeep, static_cast<int>(std::trunc(kThinningStart * inner * b / q)));
      std::vector<bool> dropped(static_cast<std::size_t>(count) + 1, false);
      for (int i = stay; i < ListDistBound.Count(); ++i) {
        dropped[static_cast<std::size_t>(ListDistBound.GetValueIndex(i))] = true;
      }
      RemovePoints(line, [&](const TGridPoint&, int position) {
        return dropped[static_cast<std::size_t>(position)];
      });
    }

    SetBestPoint(line);
    const double d = Grid.GetLine(line)->BestDistance;
    const bool stop = b < d || d < kStopFactor * std::fabs(b - d);
    RoutingData.TimeBestCourse = elapsed;
    Leg.Step(kProgressGrid, 1);
    if (stop || line > kLastLineToExtend || line > kStopFactor * Grid.DefaultGridLines) break;
    if (Leg.StopRequested()) {
      Leg.Fail(TRoutingFailure::Cancelled, kMessageRoutingCancelled);
      return;
    }
  }

  const int last = Grid.Count();
  const double nearest = std::min(Grid.GetLine(last)->BestDistance, Grid.GetLine(last - 1)->BestDistance);
  if (nearest > kArrivalReach) Leg.Fail(TRoutingFailure::Failed, kMessageFailed);
  Grid.BestLine = last - 1;
  Grid.BestIndex = Grid.GetLine(Grid.BestLine)->BestIndex;
  Grid.BestDistance = Grid.GetLine(Grid.BestLine)->BestDistance;
  Leg.FillToEnd("Processing results");
}

void TIsochronicGrid::GetRoutingBestLine(TLegContext& Leg) {
  if (!Leg.Valid) return;
  TRoutingData& track = Leg.Track;
  track.ListBestCourse.Clear();
  track.ListBoat.Clear();
  track.TrackVMG = 0;
  track.StreamOnTrack = TCartesian{};
  track.ListBestCourse.Add(track.TrackFinish);

  int line = Grid.BestLine;
  int index = Grid.BestIndex;
  const TGridPoint* arrival = Grid.GetPoint(line, index);
  // An arrival past the finish overshoots it: the line before gets there.
  if (arrival != nullptr && arrival->DistanceToStart > track.TrackDistance && line > 1) {
    --line;
    index = Grid.GetLine(line)->BestIndex;
    arrival = Grid.GetPoint(line, index);
  }
  // The leg lasts until the arrival point is reached and then the straight
  // run on to the finish. Adding that run to the last line's time instead
  // (one time step past the arrival) would overstate every reach by about
  // half a step, a few percent of the leg.
  if (arrival != nullptr) {
    track.TimeBestCourse = arrival->TimeFromLeft + GetSailingTimeToFinish(*arrival, Leg);
  }

  const int arrivalLine = line;
  int counted = 0;
  double minVMG = kTrackMinVMGStart;
  for (; line >= 1; --line) {
    const TGridPoint* point = Grid.GetPoint(line, index);
    if (point == nullptr) {
      Leg.Fail(TRoutingFailure::Failed, kMessageFailed);
      continue;
    }
    TCoords& coords = track.ListBestCourse.Add();
    coords.CoordM = MathTools.BogenToMinutes(point->Position);
    TBoat& boat = track.ListBoat.Add();
    boat.CoordM = coords.CoordM;
    boat.Tack = false;
    boat.Bug = point->Bug;
    boat.Angle = point->Bug == 1 ? point->SailingRight : point->SailingLeft;
    double attack = MathTools.AddRad(point->SailingVektor.Winkel, -boat.Angle) * kRadiansToDegrees;
    if (attack > 180) attack = 360 - attack;
    boat.Attack = attack;
    boat.Time = point->TimeFromLeft;
    if (line > 1 && line < arrivalLine) {
      ++counted;
      track.TrackVMG += point->VMG;
      minVMG = std::min(minVMG, point->VMG);
      track.StreamOnTrack = MathTools.AddCartesian(track.StreamOnTrack, point->Stream);
    }
    index = point->IndexBefore;
  }
  if (counted > 0) {
    track.TrackMinVMG = minVMG;
    track.TrackVMG /= counted;
    track.StreamOnTrack.x /= counted;
    track.StreamOnTrack.y /= counted;
  }
  if (track.ListBoat.Count() > 0) {
    track.ListBoat.Items.back().Angle = track.TrackAngle * kDegreesToRadians;
  }
  if (track.TrackVMG < kWarnVMG) Leg.Message = "Low VMG - routing might fail!";
  if (track.TrackVMG < kFailVMG) Leg.Fail(TRoutingFailure::LowVMG, "Low VMG!");
  const auto seconds = static_cast<std::int64_t>(std::nearbyint(track.TimeBestCourse * 3600));
  track.DateTimeFinishGMT = IncSecond(track.DateTimeStartGMT, seconds);
  track.DateTimeFinishLOC = IncSecond(track.DateTimeStartLOC, seconds);
  Leg.FinishTimed = true;
}

}  // namespace corvane
