#pragma once
// The questions routing and the result sheets ask of a boat's polar table for
// a given true wind, and the reader and writer of the user's polar files.
//
// Wind columns. Columns 1 to nCols - 2 (6 to 20 knots in the standard table)
// carry the data; column 0 and the last column only bound the wind range. A
// true wind inside the bounds but outside the data columns is held to the
// first or last data column; a wind outside the bounds (below column 0's
// speed, above the last column's, or NaN) gives 0 for every speed, angle and
// time.
//
// Malformed tables. A table whose arrays are shorter than nCols and nRows
// say, or that has fewer than three columns or rows (a TPolars that was never
// Reset, for one), gives 0 for every lookup and fails every validity check;
// no lookup reads outside the arrays.
//
// The lookups only read the table; GetPolarData stores their results in it.

#include <string>

#include "core/file_tools.h"
#include "core/math_tools.h"
#include "core/string_tools.h"
#include "core/types.h"
#include "polars/polars.h"

namespace corvane {

class TPackagePolars {
 public:
  // ------------------------------------------------------ per-column lookups
  //
  // Wind: only Betrag is used, the true wind speed in knots. Each result is
  // the column series interpolated linearly between the two wind columns
  // around the wind speed (held to the data columns, see above).

  // Boat speed through the water on the beat (row 0), knots.
  double GetBeatSpeed(const TPolar& Wind, const TPolars& Polars) const;
  // Optimum beat angle, degrees true wind angle.
  double GetBeatAngle(const TPolar& Wind, const TPolars& Polars) const;
  // Boat speed through the water on the run (row nRows - 1), knots.
  double GetRunSpeed(const TPolar& Wind, const TPolars& Polars) const;
  // Optimum gybe angle, degrees true wind angle, never above GybeAngleMax.
  double GetGybeAngle(const TPolar& Wind, const TPolars& Polars) const;
  // Time lost per tack, seconds.
  double GetBeatTackTime(const TPolar& Wind, const TPolars& Polars) const;

  // Boat speed through the water at the true wind angle SailingAngle
  // (radians; its absolute value is used, so port and starboard are alike),
  // knots. Within each of the two wind columns around the wind the speed is
  // interpolated between the rows that bracket the angle (beat row, the fixed
  // rows and the run row in order of angle); angles below the beat angle or
  // beyond the last row extrapolate the end rows. The two column speeds are
  // then interpolated in wind speed. The bound columns take the beat angle,
  // gybe angle and speeds of their neighbouring data column.
  double GetReachSpeed(const TPolar& Wind, double SailingAngle, const TPolars& Polars) const;

  // Stores the five per-column results for the true wind in the table:
  // BeatSpeed, BeatAngle, RunSpeed, GybeAngle, BeatTackTime.
  void GetPolarData(const TPolar& TrueWind, TPolars& Polars) const;

  // -------------------------------------------------------------- validity
  //
  // Whether the table can route a leg of that type (see polar_validity.h for
  // the bounds); routing refuses a leg whose check fails.
  bool GetValidBeat(const TPolars& Polars) const;
  bool GetValidRun(const TPolars& Polars) const;
  bool GetValidReach(const TPolars& Polars) const;

  // ----------------------------------------------------------- the searches

  // The first column k in 0 ... nCols - 2 with WindVelocity[k] <= w <=
  // WindVelocity[k + 1]; -1 when there is none (w below the first or above
  // the last column's speed, NaN, or a malformed table). With the standard
  // columns 0 <= w <= 6 gives 0, 6 < w <= 8 gives 1, 20 < w <= 50 gives 7.
  int FindWindColumn(double w, const TPolars& Polars) const;

  // Speed (knots) at the true wind angle (radians, absolute value used)
  // within column Column alone, as described at GetReachSpeed; Column must
  // be a data column (1 ... nCols - 2) of a well-formed table, otherwise 0.
  double GetReachSpeedOfColumn(double SailingAngle, int Column, const TPolars& Polars) const;

  // ------------------------------------------------------------ polar files
  //
  // A polar file is text, one entry per line, tokens separated by single
  // blanks, listing the seven data columns 1 to 7 (FileName is a full path):
  //
  //   Wind Velocity 6 kts 8 kts 10 kts 12 kts 14 kts 16 kts 20 kts
  //   Beat Angles 43.0° 41.5° ...          (per column, degrees)
  //   Beat 4.9 5.6 ...                     (boat speed at the beat angle)
  //   Tack Time 6.0 5.0 ...                (seconds)
  //   52° 4.9 5.6 5.9 6.1 6.2 6.3 6.3      (8 rows: angle, then speeds)
  //   ...
  //   Run 4.1 5.0 ...                      (boat speed at the gybe angle)
  //   Gybe Angles 145.0° 150.0° ...        (per column, degrees)
  //
  // Numbers are written in the user's locale and read with either decimal
  // separator, so a file moves between locales.

  // Resets Polars, then reads the file. A line is classified by the first of
  // "Wind Velocity", "Beat Angles", "Beat VMG", "Beat", "Tack Time",
  // "Run VMG", "Run", "Gybe Angles" that it contains (case-sensitive); any
  // other non-empty line is the next data row (rows 1, 2, ... in file
  // order). "Beat VMG" and "Run VMG" lines hold velocities made good: after
  // reading, a VMG beat value becomes VMG / cos(beat angle) in each column
  // whose beat angle is below 90 degrees, a VMG run value VMG / cos(180 -
  // gybe angle) in each column whose gybe angle is above 90 degrees, and the
  // tack times become 5 s (columns 1 to 3) and 4 s (columns 4 to 7). Tokens
  // that hold no number read 0; values past the seventh on a line, data rows
  // past the eighth and empty lines are ignored, so nothing is written
  // outside the table. Missing lines leave the reset values. False only when
  // the file cannot be read (the table then stays reset).
  bool LoadPolars(const std::string& FileName, TPolars& Polars);

  // Writes the 14 lines above (speeds, beat and gybe angles and tack times
  // with 1 decimal, wind speeds and row angles with 0). Entries that a
  // malformed table lacks are written as 0. False when the file cannot be
  // written (its folder must exist).
  bool SavePolars(const std::string& FileName, const TPolars& Polars) const;

  TMathTools MathTools;
  TStringTools StringTools;

 private:
  TFileTools FileTools;
};

}  // namespace corvane
