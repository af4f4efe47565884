#pragma once
// The depth and land-height model of the racing area, built from the land
// mask alone. No surveyed depths are available to the generators, so the sea
// bed is a documented function of the coastline; the chart's depth areas and
// the tidal stream atlas are both computed from this one model.
//
// Vertical datum: chart datum (roughly the lowest astronomical tide). Depths
// are metres below chart datum; a negative depth is a drying height (metres
// above chart datum). The shoreline of the mask is taken to lie at
// kCoastHeight above chart datum (about mean high water springs in the area),
// and land rises from there.
//
// Water cell, with
//   d   distance (m) from the cell centre to the centre of the nearest land
//       cell (exact Euclidean distance transform, Felzenszwalb & Huttenlocher
//       2012, on the cell grid scaled by cos of the grid's mid latitude),
//   s   shelter: the fraction of kShelterRays rays (equally spaced bearings)
//       from the position that meet land within kShelterRange, sampled every
//       kShelterStep (computed on a grid kShelterCoarsening times coarser and
//       interpolated bilinearly),
//   e   enclosure = clamp((s - kShelterOnset) / (kShelterFull - kShelterOnset), 0, 1),
//   c   distance (m) to the nearest of the main channel lines,
// the depth is
//   open(d)  = kOpenDepth (1 - exp(-d / kOpenScale))
//              - kCoastHeight exp(-d / kShoreScale)
//   D        = open(d) (1 - e) - kFlatDryingHeight e
//              + kChannelDepth exp(-(c / kChannelHalfWidth)^2)
// and never less than -kCoastHeight. So the sea deepens away from the coast
// towards kOpenDepth; every shore has a narrow drying beach (the shoreline
// itself at -kCoastHeight); sheltered bays and estuaries (high s) turn into
// flats drying kFlatDryingHeight; and the channel lines keep a dredged-like
// trough kChannelDepth deeper through them.
//
// Land cell, with h the distance (m) from the cell centre to the nearest
// water-cell centre, the height above the shoreline is
//   H = kLandRise (1 - exp(-h / kLandScale))
// and the value returned by DepthBelowDatum is -(kCoastHeight + H).

#include <array>
#include <vector>

#include "core/types.h"
#include "tools/datagen/bathymetry/land_mask.h"

namespace corvane {

struct TDepthModelConstants {
  static constexpr ext kMetresPerMinute = 1852;       // one minute of latitude
  static constexpr ext kOpenDepth = 32;               // m, far from any coast
  static constexpr ext kOpenScale = 1400;             // m, e-folding of the deepening
  static constexpr ext kCoastHeight = 4.0;            // m above chart datum at the shoreline
  static constexpr ext kShoreScale = 25;              // m, width scale of the drying beach
  static constexpr int kShelterRays = 16;
  static constexpr ext kShelterRange = 2500;          // m
  static constexpr ext kShelterStep = 50;             // m between ray samples
  static constexpr int kShelterCoarsening = 4;        // shelter grid cell = 4 mask cells
  static constexpr ext kShelterOnset = 0.55;          // no flats below this shelter
  static constexpr ext kShelterFull = 0.8;            // fully enclosed from this shelter on
  static constexpr ext kFlatDryingHeight = 2.0;       // m above chart datum, fully enclosed
  static constexpr ext kChannelDepth = 9;             // m added on a channel line
  static constexpr ext kChannelHalfWidth = 350;       // m, Gaussian half width
  static constexpr ext kLandRise = 190;               // m, asymptotic height inland
  static constexpr ext kLandScale = 3500;             // m, e-folding of the rise
};

// A channel line: positions in minutes of arc (Lon, Lat), in order.
using TChannelLine = std::vector<TMinutes>;

// The main channels of the area, real geometry traced along the deep water:
// the strait between the island and the mainland with its western and
// eastern approaches, the long northern estuary, the harbour entrance in the
// east and the river mouth on the island's north shore.
const std::vector<TChannelLine>& MainChannelLines();

class TDepthModel {
 public:
  // Builds the model over the mask's grid (one value per mask cell). Takes a
  // few seconds for the area's 4400 x 2400 cells.
  explicit TDepthModel(TLandMask mask);
  // The same with other channel lines (tests use none or a single line).
  TDepthModel(TLandMask mask, std::vector<TChannelLine> channels);

  const TLandMask& Mask() const { return mask_; }

  // Depth below chart datum (m) of the cell holding the position (minutes of
  // arc); negative above chart datum: drying heights on the foreshore and
  // -(kCoastHeight + land height) on land. Positions outside the grid take
  // the nearest edge cell. 32-bit floats: the model is no finer than that.
  float DepthBelowDatum(ext lon, ext lat) const;
  float DepthOfCell(int column, int row) const;
  // Height of land above the shoreline (m) at the position; 0 on water.
  float LandHeight(ext lon, ext lat) const;
  float LandHeightOfCell(int column, int row) const;
  // Shelter s in [0, 1] at a water position (0 on land), for diagnostics.
  float Shelter(ext lon, ext lat) const;

 private:
  std::size_t IndexOf(int column, int row) const;
  void Build();

  TLandMask mask_;
  std::vector<TChannelLine> channels_;
  std::vector<float> level_;    // depth below datum per cell, row-major, row 0 south
  std::vector<float> shelter_;  // per cell
};

}  // namespace corvane
