#pragma once
// Polar diagrams from and for other navigation programs.
//
// Two text formats are read:
//
//  * The TWA/TWS matrix. The first cell of the first line is "twa/tws",
//    "TWA\TWS" or "TWA" (any letter case); the rest of that line are the true
//    wind speeds (knots). Every further line is a true wind angle (degrees,
//    0 to 180) followed by the boat speeds (knots) under each wind speed.
//    Cells are separated by ";", a tab, "," or blanks, whichever the first
//    line uses (in that order of preference); with ";", tab or blanks a cell
//    may use a decimal comma.
//
//        TWA\TWS;6;8;10;12;14;16;20
//        52;4.9;5.6;5.9;6.1;6.2;6.3;6.3
//
//  * One row per wind speed. Lines beginning with "!" are comments; every
//    other line is a wind speed followed by pairs of angle and boat speed,
//    separated by tabs, blanks, ";" or ",".
//
//        !  TWS  TWA BSP  TWA BSP ...
//        6   43.1 4.9  52 5.1  60 5.4 ...
//
// Empty lines are skipped in both. An empty cell, or a speed of 0, means the
// file gives no speed there (programs write them below a wind's beat angle
// and beyond its gybe angle). Lines may end in "\n", "\r\n" or "\r" (older
// programs), mixed in one file. A number may carry an exponent ("6.5E0").
//
// Resampling. For every wind speed of the file, its speeds against angle are
// taken as a line through its points (linear between neighbouring angles).
// Its beat angle and speed are the point with the best upwind velocity made
// good (speed times cos angle, angles below 90 degrees), its gybe angle and
// run speed the point with the best downwind one (angles above 90 degrees),
// and its speeds at the table's fixed angles (52 to 150 degrees) are read
// off the line; a fixed angle at which the file gives exactly 0 stays 0 (a
// boat not rated for reaching). Each of these series is then interpolated
// linearly in wind speed onto the table's wind columns (6 to 20 knots),
// held to the file's lowest or highest wind speed beyond them. The files carry
// no tack times: they become 5 s for the columns up to 10 knots and 4 s above,
// as for any polar given by velocities made good.
//
// Faults. A fault that leaves no sensible table rejects the file with one
// message "line N: what is wrong" (N counts from 1): among them a line of
// separators alone, an empty angle or wind speed cell of the matrix, a value
// that is not a finite number, a wind speed above kPolarMaxWindSpeed, a boat
// speed above kPolarMaxBoatSpeed and more wind speeds or angles than the
// limits below. The text of a cell is quoted in the message with control
// characters written as "\xNN" and cut after a few dozen characters, so that
// the message stays one readable line. A fault with one clear
// repair is repaired and reported in Repairs in the same form: wind speeds or
// angles out of order are sorted; a missing speed between two given ones is
// interpolated from its neighbouring angles; a wind column of the table
// outside the file's wind speeds repeats the nearest one of the file.
//
// Writing. The matrix is written with ";", a decimal point (whatever the
// user's locale, as the other programs read it), the seven data columns
// across and as rows the sorted angles of every column's beat point, fixed
// rows and gybe point. A cell is the column's own speed at that angle, or
// its speed interpolated between its own two neighbouring points, or empty
// beyond the column's own beat and gybe angle. An interpolated cell is held
// just below the velocity made good of its column's beat point (upwind) or
// gybe point (downwind), so that a reader looking for the best point finds
// the column's own beat and gybe angles. A matrix holds one speed per
// angle, so a beat or gybe point on a fixed angle (a dinghy gybing at 135
// degrees) is written as that angle's speed. Otherwise reading the matrix
// back gives the same table (speeds and angles to the 0.01 written), apart
// from the tack times.

#include <array>
#include <cstddef>
#include <string>
#include <vector>

#include "core/types.h"
#include "polars/polars.h"

namespace corvane {

// Limits. The files of other programs hold a few dozen wind speeds and at
// most a few hundred angles (a degree or half a degree apart); the limits lie
// well above that and keep the work and memory of a hostile file small.
inline constexpr std::size_t kPolarMaxWindSpeeds = 100;
inline constexpr std::size_t kPolarMaxAngles = 400;  // matrix rows, or pairs of one wind speed
inline constexpr std::size_t kPolarFileMaxBytes = 1000000;
// Largest wind speed and boat speed a file may give (knots).
inline constexpr double kPolarMaxWindSpeed = 100;
inline constexpr double kPolarMaxBoatSpeed = 100;

struct TPolarImport {
  // True when Polars holds the file's polar; false when the file was
  // rejected (Polars then is a reset table).
  bool Ok = false;
  TPolars Polars;
  // Why the file was rejected: "line N: what is wrong" (or that the file
  // cannot be read). Empty when Ok.
  std::string Error;
  // What was repaired, one "line N: ..." text each; empty for a clean file.
  std::vector<std::string> Repairs;
};

// Reads a polar given as the lines of a file in either format. A line that
// still holds "\r" or "\n" is split there, and the lines are counted after
// the split.
TPolarImport ReadPolarExchange(const std::vector<std::string>& Lines);

// Reads the file (UTF-8; a byte-order mark is dropped). A file that cannot
// be read gives Error "cannot read <FileName>"; one larger than
// kPolarFileMaxBytes is rejected unread past that size (a device that never
// ends, too) with Error "the file is larger than 1000000 bytes, the most a
// polar file may hold".
TPolarImport ReadPolarExchangeFile(const std::string& FileName);

// The lines of the TWA/TWS matrix of a table (see Writing above). The table
// must have the standard shape (nCols 9, nRows 10); a malformed table gives
// the header line alone.
std::vector<std::string> WritePolarMatrix(const TPolars& Polars);

// Writes WritePolarMatrix to the file; false when it cannot be written.
bool SavePolarMatrix(const std::string& FileName, const TPolars& Polars);

// ------------------------------------------------ the table as users read it
//
// The layout the polar dialogs' grid and the command-line listing share:
// 13 rows, each with a label and the values of the data columns 1 to 7
// (6 to 20 knots) followed by a unit:
//
//   0  "Beat angle"      BeatAngles[c]      "°"
//   1  "Beat speed"      Velocity[c][0]
//   2  "Beat tack time"  TackTime[c]        " sec"
//   3..10  "52°" ... "150°"  Velocity[c][1..8]
//   11 "Run speed"       Velocity[c][9]
//   12 "Gybe angle"      GybeAngles[c]      "°"

inline constexpr int kPolarTableRows = 13;
inline constexpr int kPolarTableFirstColumn = 1;
inline constexpr int kPolarTableLastColumn = 7;

struct TPolarTableRow {
  const char* Label;  // UTF-8
  const char* Unit;   // written after the number ("" for speeds)
};
extern const std::array<TPolarTableRow, kPolarTableRows> kPolarTableLayout;

// True when the table has the standard shape (nCols 9, nRows 10 and arrays
// of those sizes), the only shape the layout addresses.
bool PolarTableShaped(const TPolars& Polars);

// The value behind row Row (0..12) and data column Column (1..7) of a
// table of the standard shape; both out of range is a programming error
// (std::out_of_range).
double& PolarTableValue(TPolars& Polars, int Row, int Column);
double PolarTableValue(const TPolars& Polars, int Row, int Column);

}  // namespace corvane
