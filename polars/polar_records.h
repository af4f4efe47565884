#pragma once
// The polar record of the built-in polar data sets ("DINGHY", "POLARS"): one
// fixed-size record per boat class, record i starting at byte i * 544. Each of
// its 136 values is a short coordinate (little-endian signed 32-bit integer
// holding hundredths), filling a table of 9 wind columns and 10 rows in this
// order:
//
//   values   0..9    WindAngles[0..9], degrees
//   values  10..18   WindVelocity[0..8], knots
//   values  19..27   BeatAngles[0..8], degrees
//   values  28..36   GybeAngles[0..8], degrees
//   values  37..45   TackTime[0..8], seconds
//   values  46..135  Velocity row by row: value 46 + 9 r + c is
//                    Velocity[c][r], knots
//
// The order lives here once: the reader below and the data generator's writer
// (which packs PolarsRecordValues with TDataSetPacker::PackFloatShort) both
// take it from this file.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "polars/polars.h"

namespace corvane {

inline constexpr int kPolarsRecordColumns = 9;
inline constexpr int kPolarsRecordRows = 10;
inline constexpr int kPolarsRecordValueCount =
    kPolarsRecordRows + 4 * kPolarsRecordColumns + kPolarsRecordColumns * kPolarsRecordRows;
inline constexpr std::int64_t kPolarsRecordSize = 4 * kPolarsRecordValueCount;
static_assert(kPolarsRecordValueCount == 136 && kPolarsRecordSize == 544);

// The 136 values of a table in record order (knots, degrees, seconds as held).
// The table must have the record's shape (nCols 9, nRows 10, arrays of those
// sizes); any other shape is a programming error and throws
// std::invalid_argument.
std::vector<double> PolarsRecordValues(const TPolars& Polars);

// Resets Polars and reads record Index of a polar data set given as its bytes.
// Values past the end of the data set read as 0, as every data-set read does,
// so a record beyond the end leaves a table of zeros (wind and angle rows
// included). A negative Index does nothing and returns false (the table keeps
// its content); otherwise returns true.
bool ReadPolarsRecord(std::span<const std::uint8_t> DataSet, int Index, TPolars& Polars);

}  // namespace corvane
