#pragma once
// The land mask of the racing area: a grid of square cells (in minutes of arc)
// that are either land or water, as the coastline generator rasterised it from
// the full-resolution shoreline. Lakes count as land; only the sea is water.
//
// File layout (little-endian), written and read here only:
//   8 bytes   "CVLMASK1"
//   int32 x5  west edge, south edge, cell size (thousandths of a minute of
//             arc), column count, row count
//   per row, south to north: uint16 run count n, then n uint16 run lengths
//             that alternate water, land, water, ... starting with water (a
//             first run of 0 when the row starts on land); they sum to the
//             column count.
// Runs keep the file small (about 100 kB for the area at 0.01').

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/types.h"

namespace corvane {

class TLandMask {
 public:
  TLandMask() = default;
  // An all-water mask. west, south: the south-west corner (minutes of arc);
  // cell: cell size (minutes, > 0); columns, rows: grid size (>= 1).
  TLandMask(ext west, ext south, ext cell, int columns, int rows);

  ext West() const { return west_; }
  ext South() const { return south_; }
  ext Cell() const { return cell_; }
  ext East() const { return west_ + cell_ * columns_; }
  ext North() const { return south_ + cell_ * rows_; }
  int Columns() const { return columns_; }
  int Rows() const { return rows_; }

  // Cell (column, row), row 0 in the south. Outside the grid: water.
  bool IsLandCell(int column, int row) const;
  void SetLandCell(int column, int row, bool land);
  // The cell holding the position (minutes of arc; west and south cell edges
  // belong to the cell). Outside the grid: water.
  bool IsLand(ext lon, ext lat) const;
  // Column and row of the cell holding a coordinate; may lie outside the grid.
  int ColumnOf(ext lon) const;
  int RowOf(ext lat) const;
  // Centre of a cell (minutes of arc).
  ext CellCentreLon(int column) const { return west_ + (column + 0.5L) * cell_; }
  ext CellCentreLat(int row) const { return south_ + (row + 0.5L) * cell_; }

  std::vector<std::uint8_t> Encode() const;
  // Nothing, with the reason in error, when the bytes are not a valid mask.
  static std::optional<TLandMask> Decode(const std::vector<std::uint8_t>& bytes,
                                         std::string& error);
  bool Save(const std::string& path) const;
  static std::optional<TLandMask> Load(const std::string& path, std::string& error);

  bool operator==(const TLandMask& other) const = default;

 private:
  ext west_ = 0;
  ext south_ = 0;
  ext cell_ = 1;
  int columns_ = 0;
  int rows_ = 0;
  std::vector<std::uint8_t> land_;  // row-major, row 0 south; 1 = land
};

}  // namespace corvane
