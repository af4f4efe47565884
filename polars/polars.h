#pragma once
// The polar table of one boat class: boat speed through the water (knots)
// against true wind speed (columns) and true wind angle (rows).

#include <cstddef>
#include <vector>

#include "core/types.h"

namespace corvane {

struct TPolars {
  int nCols = 9;   // wind-speed columns; 0 and nCols-1 only bound the range
  int nRows = 10;  // row 0 beat, row nRows-1 run, rows between fixed angles

  // Last results of the lookup for the current true wind.
  double BeatSpeed = 0;     // knots
  double BeatAngle = 0;     // degrees
  double BeatTackTime = 0;  // seconds
  double RunSpeed = 0;      // knots
  double GybeAngle = 0;     // degrees
  double GybeAngleMax = 0;  // upper limit for gybe angles, degrees

  std::vector<double> WindVelocity;  // nCols, knots, ascending
  std::vector<double> WindAngles;    // nRows, degrees true wind angle
  std::vector<double> BeatAngles;    // nCols, degrees
  std::vector<double> TackTime;      // nCols, seconds lost per tack
  std::vector<double> GybeAngles;    // nCols, degrees
  std::vector<std::vector<double>> Velocity;  // [column][row], knots

  // Clears the table and sets the fixed wind speeds and angles; every speed,
  // beat and gybe angle and tack time becomes 0.
  void Reset() {
    BeatSpeed = BeatAngle = BeatTackTime = RunSpeed = GybeAngle = 0;
    GybeAngleMax = 175;
    WindVelocity = {0, 6, 8, 10, 12, 14, 16, 20, 50};
    WindAngles = {0, 52, 60, 75, 90, 110, 120, 135, 150, 180};
    nCols = static_cast<int>(WindVelocity.size());
    nRows = static_cast<int>(WindAngles.size());
    BeatAngles.assign(static_cast<std::size_t>(nCols), 0);
    TackTime.assign(static_cast<std::size_t>(nCols), 0);
    GybeAngles.assign(static_cast<std::size_t>(nCols), 0);
    Velocity.assign(static_cast<std::size_t>(nCols),
                    std::vector<double>(static_cast<std::size_t>(nRows), 0));
  }
  // Makes this table an equal copy of another.
  void Clone(const TPolars& other) { *this = other; }
};

}  // namespace corvane
