#include "polars/polar_validity.h"

#include <cstddef>

namespace corvane {

namespace {

// Below this boat speed (knots) a column cannot be routed: the grids would
// need hours per cell and the tidal stream would dominate the boat.
constexpr double kMinimumSpeed = 2;

// The beat angle must lie strictly inside this range (degrees).
constexpr double kBeatAngleLow = 30;
constexpr double kBeatAngleHigh = 65;

// The gybe angle must be strictly above the low bound and at most the high
// one (degrees); 180 is a dead run.
constexpr double kGybeAngleLow = 110;
constexpr double kGybeAngleHigh = 180;

// True when the arrays are as large as nCols and nRows say and there is at
// least one data column and one fixed-angle row.
bool HasShape(const TPolars& polars) {
  if (polars.nCols < 3 || polars.nRows < 3) return false;
  const auto cols = static_cast<std::size_t>(polars.nCols);
  const auto rows = static_cast<std::size_t>(polars.nRows);
  if (polars.BeatAngles.size() < cols || polars.GybeAngles.size() < cols ||
      polars.Velocity.size() < cols) {
    return false;
  }
  for (std::size_t c = 0; c < cols; ++c) {
    if (polars.Velocity[c].size() < rows) return false;
  }
  return true;
}

bool FastEnough(double speed) { return speed > kMinimumSpeed; }

}  // namespace

bool GetValidBeat(const TPolars& Polars) {
  if (!HasShape(Polars)) return false;
  for (int c = 1; c <= Polars.nCols - 2; ++c) {
    const auto col = static_cast<std::size_t>(c);
    const double angle = Polars.BeatAngles[col];
    if (!(angle > kBeatAngleLow && angle < kBeatAngleHigh)) return false;
    if (!FastEnough(Polars.Velocity[col][0])) return false;
  }
  return true;
}

bool GetValidRun(const TPolars& Polars) {
  if (!HasShape(Polars)) return false;
  const auto runRow = static_cast<std::size_t>(Polars.nRows - 1);
  for (int c = 1; c <= Polars.nCols - 2; ++c) {
    const auto col = static_cast<std::size_t>(c);
    const double angle = Polars.GybeAngles[col];
    if (!(angle > kGybeAngleLow && angle <= kGybeAngleHigh)) return false;
    if (!FastEnough(Polars.Velocity[col][runRow])) return false;
  }
  return true;
}

bool GetValidReach(const TPolars& Polars) {
  if (!HasShape(Polars)) return false;
  for (int c = 1; c <= Polars.nCols - 2; ++c) {
    const auto col = static_cast<std::size_t>(c);
    for (int r = 1; r <= Polars.nRows - 2; ++r) {
      if (!FastEnough(Polars.Velocity[col][static_cast<std::size_t>(r)])) return false;
    }
  }
  return true;
}

}  // namespace corvane
