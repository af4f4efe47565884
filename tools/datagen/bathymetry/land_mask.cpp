#include "tools/datagen/bathymetry/land_mask.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>

namespace corvane {

namespace {

constexpr char kMagic[8] = {'C', 'V', 'L', 'M', 'A', 'S', 'K', '1'};
constexpr std::size_t kHeaderSize = sizeof(kMagic) + 5 * 4;

void PutInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(u >> (8 * i)));
}
void PutUInt16(std::vector<std::uint8_t>& out, std::uint16_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
std::int32_t GetInt32(const std::vector<std::uint8_t>& in, std::size_t at) {
  std::uint32_t u = 0;
  for (int i = 0; i < 4; ++i) u |= static_cast<std::uint32_t>(in[at + i]) << (8 * i);
  return static_cast<std::int32_t>(u);
}
std::uint16_t GetUInt16(const std::vector<std::uint8_t>& in, std::size_t at) {
  return static_cast<std::uint16_t>(in[at] | (in[at + 1] << 8));
}
std::int32_t Thousandths(ext minutes) {
  return static_cast<std::int32_t>(std::llround(minutes * 1000));
}

}  // namespace

TLandMask::TLandMask(ext west, ext south, ext cell, int columns, int rows)
    : west_(west), south_(south), cell_(cell), columns_(columns), rows_(rows),
      land_(static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows), 0) {}

bool TLandMask::IsLandCell(int column, int row) const {
  if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return false;
  return land_[static_cast<std::size_t>(row) * columns_ + column] != 0;
}

void TLandMask::SetLandCell(int column, int row, bool land) {
  if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return;
  land_[static_cast<std::size_t>(row) * columns_ + column] = land ? 1 : 0;
}

int TLandMask::ColumnOf(ext lon) const {
  return static_cast<int>(std::floor((lon - west_) / cell_));
}
int TLandMask::RowOf(ext lat) const {
  return static_cast<int>(std::floor((lat - south_) / cell_));
}

bool TLandMask::IsLand(ext lon, ext lat) const {
  if (!(lon >= west_ && lat >= south_)) return false;  // also rejects NaN
  return IsLandCell(ColumnOf(lon), RowOf(lat));
}

std::vector<std::uint8_t> TLandMask::Encode() const {
  std::vector<std::uint8_t> out(std::begin(kMagic), std::end(kMagic));
  PutInt32(out, Thousandths(west_));
  PutInt32(out, Thousandths(south_));
  PutInt32(out, Thousandths(cell_));
  PutInt32(out, columns_);
  PutInt32(out, rows_);
  for (int row = 0; row < rows_; ++row) {
    std::vector<std::uint16_t> runs;
    bool land = false;
    int length = 0;
    for (int column = 0; column < columns_; ++column) {
      if (IsLandCell(column, row) != land) {
        runs.push_back(static_cast<std::uint16_t>(length));
        land = !land;
        length = 0;
      }
      ++length;
    }
    runs.push_back(static_cast<std::uint16_t>(length));
    PutUInt16(out, static_cast<std::uint16_t>(runs.size()));
    for (std::uint16_t run : runs) PutUInt16(out, run);
  }
  return out;
}

std::optional<TLandMask> TLandMask::Decode(const std::vector<std::uint8_t>& bytes,
                                           std::string& error) {
  if (bytes.size() < kHeaderSize || std::memcmp(bytes.data(), kMagic, sizeof(kMagic)) != 0) {
    error = "land mask: missing header (" + std::to_string(bytes.size()) + " bytes)";
    return std::nullopt;
  }
  const std::int32_t cell = GetInt32(bytes, 16);
  const std::int32_t columns = GetInt32(bytes, 20);
  const std::int32_t rows = GetInt32(bytes, 24);
  if (cell <= 0 || columns <= 0 || rows <= 0 || columns > 65535 || rows > 65535) {
    error = "land mask: bad grid (cell " + std::to_string(cell) + ", " + std::to_string(columns) +
            " x " + std::to_string(rows) + ")";
    return std::nullopt;
  }
  TLandMask mask(GetInt32(bytes, 8) / 1000.0L, GetInt32(bytes, 12) / 1000.0L, cell / 1000.0L,
                 columns, rows);
  std::size_t at = kHeaderSize;
  for (int row = 0; row < rows; ++row) {
    if (at + 2 > bytes.size()) {
      error = "land mask: row " + std::to_string(row) + " cut off at byte " + std::to_string(at);
      return std::nullopt;
    }
    const std::uint16_t count = GetUInt16(bytes, at);
    at += 2;
    if (at + 2u * count > bytes.size()) {
      error = "land mask: runs of row " + std::to_string(row) + " cut off (" +
              std::to_string(count) + " runs, " + std::to_string(bytes.size() - at) +
              " bytes left)";
      return std::nullopt;
    }
    int column = 0;
    for (int i = 0; i < count; ++i) {
      const int run = GetUInt16(bytes, at + 2u * i);
      const bool land = (i % 2) == 1;
      if (column + run > columns) {
        error = "land mask: runs of row " + std::to_string(row) + " exceed " +
                std::to_string(columns) + " columns";
        return std::nullopt;
      }
      for (int k = 0; k < run; ++k) mask.SetLandCell(column + k, row, land);
      column += run;
    }
    at += 2u * count;
    if (column != columns) {
      error = "land mask: runs of row " + std::to_string(row) + " cover " +
              std::to_string(column) + " of " + std::to_string(columns) + " columns";
      return std::nullopt;
    }
  }
  if (at != bytes.size()) {
    error = "land mask: " + std::to_string(bytes.size() - at) + " bytes after the last row";
    return std::nullopt;
  }
  return mask;
}

bool TLandMask::Save(const std::string& path) const {
  const std::vector<std::uint8_t> bytes = Encode();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::optional<TLandMask> TLandMask::Load(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    error = "land mask: cannot open " + path;
    return std::nullopt;
  }
  std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  return Decode(bytes, error);
}

}  // namespace corvane
