#pragma once
// Small worlds for routing tests: the polar table of a 39 ft cruiser-racer,
// a steady true wind, and the stream, wind and water of a leg given by a few
// lambdas. Legs lie around 50.7 N 1.33 W, inside the racing area, but every
// condition is the test's own so that the expected times follow from the
// polar table and the stream alone.

#include <cmath>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "core/constants.h"
#include "core/date_time.h"
#include "core/math_tools.h"
#include "polars/polars.h"
#include "routing/leg_context.h"
#include "routing/route_leg.h"
#include "routing/routing_conditions.h"
#include "routing/routing_data.h"
#include "support/track_legs.h"
#include "routing/routing_progress.h"

namespace corvane::routing_test {

inline constexpr double kWindSpeed = 12;  // knots, the true wind of most tests
inline const TMinutes kStart{-80, 3040};
inline const TDateTime kMoment = EncodeDateTime(2016, 9, 1, 14, 0, 0, 0);

// ------------------------------------------------------------- polar table

// Data columns 1 ... 7 hold 6, 8, 10, 12, 14, 16 and 20 knots of true wind.
inline constexpr int kDataColumns = 7;
inline constexpr double kBeatAngles[kDataColumns] = {43.5, 41.8, 39.9, 38.4, 36.8, 36.1, 35.8};
inline constexpr double kBeatSpeeds[kDataColumns] = {4.9, 5.9, 6.5, 6.9, 7.0, 7.1, 7.2};
inline constexpr double kTackTimes[kDataColumns] = {7.8, 7.6, 7.4, 7.2, 7.0, 6.8, 6.3};
inline constexpr double kGybeAngles[kDataColumns] = {150, 152, 155, 158, 162, 165, 170};
inline constexpr double kRunSpeeds[kDataColumns] = {3.0, 4.0, 4.9, 5.7, 6.5, 7.1, 7.9};
// Rows 1 ... 8: 52, 60, 75, 90, 110, 120, 135 and 150 degrees.
inline constexpr double kRowSpeeds[8][kDataColumns] = {
    {5.5, 6.6, 7.2, 7.6, 7.9, 8.1, 8.3},  // 52
    {5.8, 6.8, 7.4, 7.8, 8.1, 8.4, 8.6},  // 60
    {6.0, 7.0, 7.5, 7.9, 8.3, 8.6, 9.2},  // 75
    {5.9, 6.9, 7.4, 7.8, 8.2, 8.5, 9.2},  // 90
    {5.1, 6.2, 6.9, 7.4, 7.7, 8.1, 8.7},  // 110
    {4.5, 5.6, 6.4, 7.0, 7.4, 7.8, 8.4},  // 120
    {3.6, 4.7, 5.6, 6.4, 7.0, 7.4, 8.2},  // 135
    {3.3, 4.3, 5.2, 6.0, 6.7, 7.2, 8.0},  // 150
};

// The table filled as the polar files and the generated tables fill it: the
// data columns only. Columns 0 and 8 merely bound the wind range (0 and 50
// knots); every lookup holds a wind between a bound and the nearest data
// column to that column, so their entries stay as Reset leaves them.
inline TPolars TestPolars() {
  TPolars p;
  p.Reset();
  const auto run = static_cast<std::size_t>(p.nRows - 1);
  for (int c = 1; c <= kDataColumns; ++c) {
    const auto col = static_cast<std::size_t>(c);
    const int i = c - 1;
    p.BeatAngles[col] = kBeatAngles[i];
    p.Velocity[col][0] = kBeatSpeeds[i];
    p.TackTime[col] = kTackTimes[i];
    p.GybeAngles[col] = kGybeAngles[i];
    p.Velocity[col][run] = kRunSpeeds[i];
    for (int r = 1; r <= 8; ++r) p.Velocity[col][static_cast<std::size_t>(r)] = kRowSpeeds[r - 1][i];
  }
  return p;
}

// Boat speed and true wind angle (degrees) of the beat or the run for a wind
// between 10 and 14 knots, interpolated straight from the literals above, so
// that expected times do not go through the lookups under test.
struct TOptimum {
  double Speed;
  double AngleDeg;
  // Velocity made good toward (beat) or away from (run) the wind, knots.
  double MadeGood() const { return Speed * std::fabs(std::cos(AngleDeg * kDegreesToRadians)); }
};
inline TOptimum BeatAt(double wind) {
  const int i = wind <= 12 ? 2 : 3;  // columns of 10 and 12, or 12 and 14 knots
  const double f = (wind - (6 + 2 * i)) / 2;
  return TOptimum{kBeatSpeeds[i] + f * (kBeatSpeeds[i + 1] - kBeatSpeeds[i]),
               kBeatAngles[i] + f * (kBeatAngles[i + 1] - kBeatAngles[i])};
}
// Run speed and gybe angle (degrees) in the same way.
inline TOptimum RunAt(double wind) {
  const int i = wind <= 12 ? 2 : 3;
  const double f = (wind - (6 + 2 * i)) / 2;
  return TOptimum{kRunSpeeds[i] + f * (kRunSpeeds[i + 1] - kRunSpeeds[i]),
               kGybeAngles[i] + f * (kGybeAngles[i + 1] - kGybeAngles[i])};
}

// -------------------------------------------------------------- conditions

using TWindField = std::function<TCartesian(const TMinutes& position, double hours)>;
using TWater = std::function<bool(const TMinutes& position)>;

// Still open water in a steady true wind of `speed` knots from `fromDeg`.
inline TRoutingConditions SteadyWind(double fromDeg = 0, double speed = kWindSpeed) {
  TRoutingConditions conditions;
  conditions.TrueWind = TPolar{speed, fromDeg * kDegreesToRadians};
  return conditions;
}

// `speed` knots flowing toward `towardDeg`, everywhere and always.
inline TStreamField UniformStream(double speed, double towardDeg) {
  const TCartesian v = TMathTools().PolarToCartesian(TPolar{speed, towardDeg * kDegreesToRadians});
  return [v](const TMinutes&, double) { return v; };
}

// `speed` knots across a track of bearing `trackDeg`, flowing to its right.
inline TStreamField CrossStream(double speed, double trackDeg) {
  return UniformStream(speed, trackDeg + 90);
}

// `speed` knots toward `towardDeg` until `flipHours`, then the other way.
inline TStreamField ReversingStream(double speed, double towardDeg, double flipHours) {
  const TCartesian v = TMathTools().PolarToCartesian(TPolar{speed, towardDeg * kDegreesToRadians});
  return [v, flipHours](const TMinutes&, double hours) {
    return hours < flipHours ? v : TCartesian{-v.x, -v.y};
  };
}

// A rectangle of land, minutes of arc.
struct TLand {
  double West, East, South, North;
  bool Contains(const TMinutes& p) const {
    return p.Lon >= West && p.Lon <= East && p.Lat >= South && p.Lat <= North;
  }
};

// Water everywhere but on the headland.
inline TWater Headland(const TLand& land) {
  return [land](const TMinutes& p) { return !land.Contains(p); };
}

// A wind as a GRIB file gives it: `speed` knots from `fromDeg` at hour 0 of
// the conditions, veering `veerPerHour` degrees each hour, over the area
// west of `eastLimit` minutes of longitude; calm beyond it, where the file
// has no wind. The vector points where the wind comes from.
inline TWindField GribWind(double speed, double fromDeg, double veerPerHour = 0,
                           double eastLimit = -60) {
  return [=](const TMinutes& p, double hours) {
    if (p.Lon > eastLimit) return TCartesian{};
    const double from = (fromDeg + veerPerHour * hours) * kDegreesToRadians;
    return TMathTools().PolarToCartesian(TPolar{speed, from});
  };
}

// ---------------------------------------------------------------- the legs

using test_support::AddTrack;

// A leg with the geometry SetRoutingDataByMarks derives, starting at kMoment
// (local time an hour later).
inline TRoutingData Leg(double bearing, double distance, const TMinutes& start = kStart) {
  TListRoutingData list;
  AddTrack(list, start, bearing, distance);
  list.SetRoutingDataByMarks();
  TRoutingData leg = *list.GetItem(0);
  leg.DateTimeStartGMT = kMoment;
  leg.DateTimeStartLOC = IncHour(kMoment, 1);
  return leg;
}

// What a leg's routing reads, kept alive for the contexts made from it.
struct TWorld {
  TPolars Polars = TestPolars();
  TRoutingConditions Conditions = SteadyWind();
  TRoutingOptions Options;

  TLegContext Context(const TRoutingData& leg, double startHours = 0,
                      TRoutingProgress* progress = nullptr) const {
    return TLegContext(leg, startHours, Polars, Conditions, Options, progress);
  }
  TLegRouting Route(const TRoutingData& leg, double startHours = 0,
                    TRoutingProgress* progress = nullptr) const {
    return RouteLeg(leg, startHours, Polars, Conditions, Options, progress);
  }
};

// Records every report; asks to stop once it has received `StopAfter`
// reports (never when negative).
class TRecordingProgress : public TRoutingProgress {
 public:
  void Report(const std::string& text, float value) override {
    Texts.push_back(text);
    Values.push_back(value);
  }
  bool StopRequested() const override {
    return StopAfter >= 0 && static_cast<int>(Texts.size()) >= StopAfter;
  }

  int StopAfter = -1;
  std::vector<std::string> Texts;
  std::vector<float> Values;
};

// Tacks (or gybes) on a routed course.
inline int Tacks(const TRoutingData& track) {
  int tacks = 0;
  for (const TBoat& boat : track.ListBoat.Items) tacks += boat.Tack ? 1 : 0;
  return tacks;
}

}  // namespace corvane::routing_test
