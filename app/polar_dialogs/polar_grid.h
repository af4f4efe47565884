#pragma once
// The polar table as the dialogs show it: a grid of 8 columns by 13 rows.
// Column 0 holds the row labels under the header "True wind speed"; columns
// 1 to 7 are the wind columns 6 to 20 knots of the table (its columns 1 to
// 7; the bound columns 0 and 50 knots are not shown); the rows are those of
// kPolarTableLayout (polars/polar_exchange.h): beat angle, beat speed, beat
// tack time, the speeds at 52 to 150 degrees, run speed, gybe angle.
//
// Numbers are written with 1 decimal and the user's decimal separator
// (TStringTools::ExtendedToStr), followed by the row's unit ("°", " sec"),
// and read back with either separator.

#include <QTableWidget>

#include "core/string_tools.h"
#include "polars/polars.h"

namespace corvane {

inline constexpr int kGridPolarsColumns = 8;
inline constexpr int kGridPolarsRows = 13;

// Sets the size, the headers, the column widths (142 for the labels, 70 for
// each wind column), the row height 24, the labels and the reset texts
// ("0,0°", "0,0" and "0,0 sec", with a comma in any locale). Column 0 is
// made read-only; whether the wind columns can be edited is the dialog's
// choice (its edit triggers).
void ResetGridPolars(QTableWidget& GridPolars);

// Writes the table's values into columns 1 to 7 as listed above. A table
// without the standard shape (9 columns, 10 rows) writes nothing.
void SetGridPolars(QTableWidget& GridPolars, const TPolars& Polars, const TStringTools& StringTools);

// Reads every value cell of columns 1 to 7 into the same place of the table
// with StringTools.StrToExtended and fallback 0: unit texts ("°", " sec")
// and either decimal separator are accepted ("7,5" and "7.5" read 7.5), a
// cell without a number reads 0. A table without the standard shape is
// Reset first.
void GetGridPolars(const QTableWidget& GridPolars, TPolars& Polars, const TStringTools& StringTools);

}  // namespace corvane
