#include "tools/datagen/bathymetry/depth_model.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

namespace corvane {

namespace {

using K = TDepthModelConstants;

// Larger than any squared distance on the grid, small enough to stay finite
// in the parabola intersections below.
constexpr double kFar = 1e18;

// One pass of the exact squared Euclidean distance transform of a sampled
// function (Felzenszwalb & Huttenlocher 2012, "Distance Transforms of Sampled
// Functions"): out[p] = min over q of (spacing (p - q))^2 + f[q], by the lower
// envelope of the parabolas rooted at each sample.
void DistanceTransform1D(const std::vector<double>& f, double spacing, std::vector<double>& out,
                         std::vector<int>& v, std::vector<double>& z) {
  const int n = static_cast<int>(f.size());
  out.assign(n, kFar);
  v.assign(n, 0);
  z.assign(n + 1, 0);
  int k = -1;
  for (int q = 0; q < n; ++q) {
    if (f[q] >= kFar) continue;
    const double xq = q * spacing;
    double s = 0;
    while (k >= 0) {
      const double xv = v[k] * spacing;
      // Where the parabola of q overtakes the one of v[k].
      s = ((f[q] + xq * xq) - (f[v[k]] + xv * xv)) / (2 * (xq - xv));
      if (s > z[k]) break;
      --k;
    }
    ++k;
    v[k] = q;
    z[k] = k == 0 ? -std::numeric_limits<double>::infinity() : s;
    z[k + 1] = std::numeric_limits<double>::infinity();
  }
  if (k < 0) return;  // no sample at all: everything stays far
  int j = 0;
  for (int p = 0; p < n; ++p) {
    const double xp = p * spacing;
    while (z[j + 1] < xp) ++j;
    const double dx = xp - v[j] * spacing;
    out[p] = dx * dx + f[v[j]];
  }
}

// Distance (m) from each cell centre to the nearest cell centre whose land
// flag equals seedIsLand; kFar-root where there is no such cell.
std::vector<double> DistanceToCells(const TLandMask& mask, bool seedIsLand, double dx, double dy) {
  const int columns = mask.Columns();
  const int rows = mask.Rows();
  std::vector<double> grid(static_cast<std::size_t>(columns) * rows);
  std::vector<double> line, out, z;
  std::vector<int> v;
  // Columns first (north-south spacing dy), then rows (east-west spacing dx).
  line.resize(rows);
  for (int c = 0; c < columns; ++c) {
    for (int r = 0; r < rows; ++r) line[r] = mask.IsLandCell(c, r) == seedIsLand ? 0 : kFar;
    DistanceTransform1D(line, dy, out, v, z);
    for (int r = 0; r < rows; ++r) grid[static_cast<std::size_t>(r) * columns + c] = out[r];
  }
  line.resize(columns);
  for (int r = 0; r < rows; ++r) {
    double* row = &grid[static_cast<std::size_t>(r) * columns];
    std::copy(row, row + columns, line.begin());
    DistanceTransform1D(line, dx, out, v, z);
    for (int c = 0; c < columns; ++c) row[c] = std::sqrt(out[c]);
  }
  return grid;
}

// Distance (m) from a point to a segment, both in local metres.
double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
  const double ux = bx - ax, uy = by - ay;
  const double length2 = ux * ux + uy * uy;
  double t = length2 > 0 ? ((px - ax) * ux + (py - ay) * uy) / length2 : 0;
  t = std::clamp(t, 0.0, 1.0);
  const double ex = ax + t * ux - px, ey = ay + t * uy - py;
  return std::sqrt(ex * ex + ey * ey);
}

}  // namespace

const std::vector<TChannelLine>& MainChannelLines() {
  // Positions in minutes of arc (longitude west negative, latitude).
  static const std::vector<TChannelLine> lines = {
      // The strait from the south-western approach to the eastern approach.
      {{-97.5, 3037.6}, {-95.2, 3039.6}, {-93.6, 3041.3}, {-92.3, 3042.1}, {-90.0, 3042.7},
       {-87.0, 3043.7}, {-84.0, 3044.7}, {-81.0, 3045.7}, {-78.5, 3046.6}, {-76.0, 3047.2},
       {-73.0, 3046.8}, {-70.0, 3045.8}, {-67.5, 3044.9}, {-64.5, 3043.6}, {-61.0, 3042.0},
       {-57.0, 3040.5}},
      // The long estuary running north-west from the strait.
      {{-78.5, 3046.6}, {-79.4, 3048.0}, {-80.3, 3049.4}, {-81.4, 3050.5}, {-82.6, 3051.6},
       {-83.8, 3053.2}},
      // The harbour entrance in the east and the harbour's main channel.
      {{-67.5, 3044.9}, {-66.9, 3046.0}, {-66.6, 3047.0}, {-66.4, 3047.9}, {-66.2, 3048.8},
       {-66.1, 3049.4}},
      // The river mouth on the island's north shore.
      {{-77.9, 3046.6}, {-77.8, 3045.7}, {-77.6, 3044.8}},
  };
  return lines;
}

TDepthModel::TDepthModel(TLandMask mask) : TDepthModel(std::move(mask), MainChannelLines()) {}

TDepthModel::TDepthModel(TLandMask mask, std::vector<TChannelLine> channels)
    : mask_(std::move(mask)), channels_(std::move(channels)) {
  Build();
}

std::size_t TDepthModel::IndexOf(int column, int row) const {
  column = std::clamp(column, 0, mask_.Columns() - 1);
  row = std::clamp(row, 0, mask_.Rows() - 1);
  return static_cast<std::size_t>(row) * mask_.Columns() + column;
}

void TDepthModel::Build() {
  const int columns = mask_.Columns();
  const int rows = mask_.Rows();
  const std::size_t count = static_cast<std::size_t>(columns) * rows;
  level_.assign(count, 0);
  shelter_.assign(count, 0);
  if (count == 0) return;

  // Local plane in metres: x east, y north, scaled at the grid's mid latitude.
  const double midLat = static_cast<double>((mask_.South() + mask_.North()) / 2);
  const double cosLat = std::cos(midLat / 60.0 * std::numbers::pi / 180.0);
  const double mPerMinLat = static_cast<double>(K::kMetresPerMinute);
  const double mPerMinLon = mPerMinLat * cosLat;
  const double cell = static_cast<double>(mask_.Cell());
  const double dx = cell * mPerMinLon;
  const double dy = cell * mPerMinLat;

  const std::vector<double> toLand = DistanceToCells(mask_, true, dx, dy);
  const std::vector<double> toWater = DistanceToCells(mask_, false, dx, dy);

  // Shelter on a coarser grid; a cell farther than the ray range from any
  // land has shelter 0 without casting rays.
  const int step = K::kShelterCoarsening;
  const int coarseColumns = (columns + step - 1) / step + 1;
  const int coarseRows = (rows + step - 1) / step + 1;
  std::vector<float> coarse(static_cast<std::size_t>(coarseColumns) * coarseRows, 0.0f);
  const double range = static_cast<double>(K::kShelterRange);
  const double rayStep = static_cast<double>(K::kShelterStep);
  const int samples = static_cast<int>(range / rayStep);
  std::array<double, K::kShelterRays> rayX{}, rayY{};
  for (int i = 0; i < K::kShelterRays; ++i) {
    const double bearing = 2 * std::numbers::pi * i / K::kShelterRays;
    rayX[i] = std::sin(bearing) * rayStep / mPerMinLon;  // minutes of longitude per sample
    rayY[i] = std::cos(bearing) * rayStep / mPerMinLat;
  }
  for (int cr = 0; cr < coarseRows; ++cr) {
    for (int cc = 0; cc < coarseColumns; ++cc) {
      // Coarse node (cc, cr) sits on the centre of fine cell (cc * step, cr * step).
      const int c = cc * step, r = cr * step;
      if (toLand[IndexOf(c, r)] >= range) continue;
      const double lon = static_cast<double>(mask_.CellCentreLon(c));
      const double lat = static_cast<double>(mask_.CellCentreLat(r));
      int hits = 0;
      for (int i = 0; i < K::kShelterRays; ++i) {
        for (int k = 1; k <= samples; ++k) {
          if (mask_.IsLand(lon + k * rayX[i], lat + k * rayY[i])) {
            ++hits;
            break;
          }
        }
      }
      coarse[static_cast<std::size_t>(cr) * coarseColumns + cc] =
          static_cast<float>(hits) / K::kShelterRays;
    }
  }

  // Channel segments in the local plane.
  struct Segment {
    double ax, ay, bx, by;
  };
  std::vector<Segment> segments;
  for (const TChannelLine& line : channels_) {
    for (std::size_t i = 1; i < line.size(); ++i) {
      segments.push_back({static_cast<double>(line[i - 1].Lon) * mPerMinLon,
                          static_cast<double>(line[i - 1].Lat) * mPerMinLat,
                          static_cast<double>(line[i].Lon) * mPerMinLon,
                          static_cast<double>(line[i].Lat) * mPerMinLat});
    }
  }

  const double openDepth = static_cast<double>(K::kOpenDepth);
  const double openScale = static_cast<double>(K::kOpenScale);
  const double coastHeight = static_cast<double>(K::kCoastHeight);
  const double shoreScale = static_cast<double>(K::kShoreScale);
  const double onset = static_cast<double>(K::kShelterOnset);
  const double full = static_cast<double>(K::kShelterFull);
  const double flatHeight = static_cast<double>(K::kFlatDryingHeight);
  const double channelDepth = static_cast<double>(K::kChannelDepth);
  const double channelWidth = static_cast<double>(K::kChannelHalfWidth);
  const double channelReach = 4 * channelWidth;  // beyond it the trough adds < 1e-6 m
  const double landRise = static_cast<double>(K::kLandRise);
  const double landScale = static_cast<double>(K::kLandScale);

  for (int r = 0; r < rows; ++r) {
    const int cr = r / step;
    const double fr = static_cast<double>(r % step) / step;
    const double py = static_cast<double>(mask_.CellCentreLat(r)) * mPerMinLat;
    for (int c = 0; c < columns; ++c) {
      const std::size_t i = static_cast<std::size_t>(r) * columns + c;
      if (mask_.IsLandCell(c, r)) {
        const double h = toWater[i];
        const double height = h >= kFar ? landRise : landRise * (1 - std::exp(-h / landScale));
        level_[i] = static_cast<float>(-(coastHeight + height));
        continue;
      }
      const double d = toLand[i];
      const int cc = c / step;
      const double fc = static_cast<double>(c % step) / step;
      auto at = [&](int x, int y) {
        return static_cast<double>(coarse[static_cast<std::size_t>(y) * coarseColumns + x]);
      };
      // Bilinear between the four coarse nodes around the cell.
      const double s = (1 - fr) * ((1 - fc) * at(cc, cr) + fc * at(cc + 1, cr)) +
                       fr * ((1 - fc) * at(cc, cr + 1) + fc * at(cc + 1, cr + 1));
      shelter_[i] = static_cast<float>(s);
      const double e = std::clamp((s - onset) / (full - onset), 0.0, 1.0);
      const double open = d >= kFar ? openDepth
                                    : openDepth * (1 - std::exp(-d / openScale)) -
                                          coastHeight * std::exp(-d / shoreScale);
      double depth = open * (1 - e) - flatHeight * e;
      if (!segments.empty()) {
        const double px = static_cast<double>(mask_.CellCentreLon(c)) * mPerMinLon;
        double nearest = channelReach;
        for (const Segment& g : segments) {
          nearest = std::min(nearest, SegmentDistance(px, py, g.ax, g.ay, g.bx, g.by));
        }
        if (nearest < channelReach) {
          const double q = nearest / channelWidth;
          depth += channelDepth * std::exp(-q * q);
        }
      }
      level_[i] = static_cast<float>(std::max(depth, -coastHeight));
    }
  }
}

float TDepthModel::DepthOfCell(int column, int row) const {
  if (level_.empty()) return 0;
  return level_[IndexOf(column, row)];
}

float TDepthModel::DepthBelowDatum(ext lon, ext lat) const {
  if (std::isnan(static_cast<double>(lon)) || std::isnan(static_cast<double>(lat))) return 0;
  const ext limit = 1e6L;  // keeps the cell index inside int before the clamp
  return DepthOfCell(mask_.ColumnOf(std::clamp(lon, -limit, limit)),
                     mask_.RowOf(std::clamp(lat, -limit, limit)));
}

float TDepthModel::LandHeightOfCell(int column, int row) const {
  const int c = std::clamp(column, 0, std::max(0, mask_.Columns() - 1));
  const int r = std::clamp(row, 0, std::max(0, mask_.Rows() - 1));
  if (!mask_.IsLandCell(c, r)) return 0;
  return -DepthOfCell(c, r) - static_cast<float>(K::kCoastHeight);
}

float TDepthModel::LandHeight(ext lon, ext lat) const {
  if (std::isnan(static_cast<double>(lon)) || std::isnan(static_cast<double>(lat))) return 0;
  const ext limit = 1e6L;
  return LandHeightOfCell(mask_.ColumnOf(std::clamp(lon, -limit, limit)),
                          mask_.RowOf(std::clamp(lat, -limit, limit)));
}

float TDepthModel::Shelter(ext lon, ext lat) const {
  if (shelter_.empty() || std::isnan(static_cast<double>(lon)) ||
      std::isnan(static_cast<double>(lat)))
    return 0;
  const ext limit = 1e6L;
  return shelter_[IndexOf(mask_.ColumnOf(std::clamp(lon, -limit, limit)),
                          mask_.RowOf(std::clamp(lat, -limit, limit)))];
}

}  // namespace corvane
