#include "polars/polar_records.h"

#include <stdexcept>
#include <string>

namespace corvane {

namespace {

constexpr int kAnglesAt = 0;
constexpr int kWindAt = kAnglesAt + kPolarsRecordRows;
constexpr int kBeatAnglesAt = kWindAt + kPolarsRecordColumns;
constexpr int kGybeAnglesAt = kBeatAnglesAt + kPolarsRecordColumns;
constexpr int kTackTimeAt = kGybeAnglesAt + kPolarsRecordColumns;
constexpr int kVelocityAt = kTackTimeAt + kPolarsRecordColumns;
static_assert(kVelocityAt == 46);

// The field of the table that value k of a record fills. The table must have
// the record's shape.
double& RecordTarget(TPolars& polars, int k) {
  if (k < kWindAt) return polars.WindAngles[static_cast<std::size_t>(k - kAnglesAt)];
  if (k < kBeatAnglesAt) return polars.WindVelocity[static_cast<std::size_t>(k - kWindAt)];
  if (k < kGybeAnglesAt) return polars.BeatAngles[static_cast<std::size_t>(k - kBeatAnglesAt)];
  if (k < kTackTimeAt) return polars.GybeAngles[static_cast<std::size_t>(k - kGybeAnglesAt)];
  if (k < kVelocityAt) return polars.TackTime[static_cast<std::size_t>(k - kTackTimeAt)];
  const int v = k - kVelocityAt;
  const int row = v / kPolarsRecordColumns;
  const int col = v % kPolarsRecordColumns;
  return polars.Velocity[static_cast<std::size_t>(col)][static_cast<std::size_t>(row)];
}

bool HasRecordShape(const TPolars& polars) {
  const auto cols = static_cast<std::size_t>(kPolarsRecordColumns);
  const auto rows = static_cast<std::size_t>(kPolarsRecordRows);
  if (polars.nCols != kPolarsRecordColumns || polars.nRows != kPolarsRecordRows) return false;
  if (polars.WindAngles.size() != rows || polars.WindVelocity.size() != cols ||
      polars.BeatAngles.size() != cols || polars.GybeAngles.size() != cols ||
      polars.TackTime.size() != cols || polars.Velocity.size() != cols) {
    return false;
  }
  for (const auto& column : polars.Velocity) {
    if (column.size() != rows) return false;
  }
  return true;
}

// Little-endian signed 32-bit integer at offset, or 0 when the four bytes are
// not all there.
std::int32_t Int32At(std::span<const std::uint8_t> bytes, std::int64_t offset) {
  if (offset < 0 || offset + 4 > static_cast<std::int64_t>(bytes.size())) return 0;
  const auto at = static_cast<std::size_t>(offset);
  const std::uint32_t u = static_cast<std::uint32_t>(bytes[at]) |
                          static_cast<std::uint32_t>(bytes[at + 1]) << 8 |
                          static_cast<std::uint32_t>(bytes[at + 2]) << 16 |
                          static_cast<std::uint32_t>(bytes[at + 3]) << 24;
  return static_cast<std::int32_t>(u);
}

}  // namespace

std::vector<double> PolarsRecordValues(const TPolars& Polars) {
  if (!HasRecordShape(Polars)) {
    throw std::invalid_argument("polar table of " + std::to_string(Polars.nCols) + " columns and " +
                                std::to_string(Polars.nRows) +
                                " rows does not have the record's 9 x 10 shape");
  }
  TPolars copy = Polars;
  std::vector<double> values;
  values.reserve(kPolarsRecordValueCount);
  for (int k = 0; k < kPolarsRecordValueCount; ++k) values.push_back(RecordTarget(copy, k));
  return values;
}

bool ReadPolarsRecord(std::span<const std::uint8_t> DataSet, int Index, TPolars& Polars) {
  if (Index < 0) return false;
  Polars.Reset();
  const std::int64_t start = static_cast<std::int64_t>(Index) * kPolarsRecordSize;
  for (int k = 0; k < kPolarsRecordValueCount; ++k) {
    const double hundredths = Int32At(DataSet, start + 4 * static_cast<std::int64_t>(k));
    RecordTarget(Polars, k) = hundredths / 100;
  }
  return true;
}

}  // namespace corvane
