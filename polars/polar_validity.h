#pragma once
// Whether a polar table can be used to route a leg of a given type. Routing
// refuses a beat, a run or a reach whose check fails, so a table that holds
// zeros, NaN or implausible angles in any wind column never reaches the
// routing grids.
//
// Every check looks at the data columns 1 to nCols - 2 only (column 0 and
// the last column merely bound the wind range) and stops at the first
// failure. A table whose arrays are shorter than nCols / nRows say, or with
// fewer than three columns or rows, fails every check. All comparisons are
// written so that a NaN entry fails.

#include "polars/polars.h"

namespace corvane {

// True when every data column has a beat angle strictly between 30 and 65
// degrees and a beat boat speed (Velocity[c][0]) strictly above 2 knots.
bool GetValidBeat(const TPolars& Polars);

// True when every data column has a gybe angle strictly above 110 and at
// most 180 degrees and a run boat speed (Velocity[c][nRows - 1]) strictly
// above 2 knots.
bool GetValidRun(const TPolars& Polars);

// True when every data column has a boat speed strictly above 2 knots in each
// of the fixed-angle rows 1 to nRows - 2.
bool GetValidReach(const TPolars& Polars);

}  // namespace corvane
