#pragma once
// The invented names of the chart and the positions the generator starts
// from when it places the towns and the navigation marks. The positions are
// real geometry of the frame (minutes of arc); the generator moves each one
// to the nearest place that fits its kind (on land, afloat, on a drying flat)
// against the land mask and the depth model, so the catalogue does not need
// to be exact.

#include <cstdint>
#include <string>
#include <vector>

#include "core/types.h"

namespace corvane {

struct TCatalogueEntry {
  std::string Name;
  TMinutes Near;            // where to start looking
  std::uint8_t Type = 0;    // buoy symbol (marks only)
  bool OnLand = false;      // a land feature (marks only)
  std::uint8_t Align = 0;   // label placement (towns only)
};

// The twelve towns.
const std::vector<TCatalogueEntry>& CatalogueTowns();
// The navigation marks and landmarks that carry no shortcut code (18).
const std::vector<TCatalogueEntry>& CatalogueNavigationMarks();
// Names of the drying flats, in the order of the flats found (largest first).
const std::vector<std::string>& CatalogueFlatNames();
// Invented name of racing mark i (0-based); unique for i < 300 and at most 29
// characters.
std::string RacingMarkName(int i);
// The shortcut codes, in the order they are given to the racing marks (175).
std::vector<std::string> ShortCutCodes();

// The two racing marks of the default course "183;177": where they are looked
// for (the start mark in the west, the windward mark 2 to 4 nm to the
// north-east of it, up the strait).
inline constexpr TMinutes kDefaultCourseStartNear{-80.2, 3046.5};
inline constexpr TMinutes kDefaultCourseTopNear{-76.1, 3048.0};
// The movable marks, near the default chart centre.
inline constexpr TMinutes kMovableMarkNear[2] = {{-77.3, 3046.9}, {-75.9, 3046.9}};

}  // namespace corvane
