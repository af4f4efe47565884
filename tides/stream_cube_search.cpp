// Position searches on a stream cube: the three nearest grid points of the
// routing index, inverse-distance weighting, and the combined interpolation in
// space and time that routing calls at every node of its grids.

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "core/constants.h"
#include "tides/stream_cube.h"

namespace corvane {

namespace {

// Half-width of the first square window and its growth per pass, minutes of
// arc, held in 32-bit floats so that the passes step exactly as defined.
constexpr float kFirstHalfWidth = 1.0f;
constexpr float kHalfWidthStep = 0.5f;

// Buckets hold about this many points on average.
constexpr double kPointsPerBucket = 2;

// Bounds between the chord of two unit vectors in double precision and the
// great-circle distance DistanceOfBogen returns (radians), so that the chord
// can rule points out without ever changing the result:
//   - arc = 2 asin(chord / 2) lies in [chord, chord + chord^3 / 20] for
//     chords up to 0.1 (series c + c^3/24 + 3c^5/640 + ...);
//   - the haversine formula in double is off by a few 1e-16 of the arc, the
//     double chord by a few 1e-15. kArcError covers both with a wide margin.
// A point whose lower bound exceeds the third-smallest upper bound of the
// pass by the relative gap kFloatGap has a 32-bit distance strictly greater
// than those three points, whatever the rounding, so it can never be among
// the three nearest, not even through a tie.
constexpr double kArcError = 1e-8;
constexpr double kInfinity = std::numeric_limits<double>::infinity();
constexpr double kChordSeriesLimit = 0.1;
constexpr double kFloatGap = 1.0 + 1.0 / (1 << 20);

// Candidates of one pass waiting for the cut; the cut runs early when full,
// which only means a few more exact distances.
constexpr std::size_t kCandidateBuffer = 256;

// Margins of the lattice walk's stop (relative, and minutes of arc): the
// haversine in double is good to some 1e-15 of the arc and 1e-13 minutes.
constexpr double kLatticeRelativeMargin = 1e-12;
constexpr double kLatticeAbsoluteMargin = 1e-9;

double ArcUpperBound(double chord) {
  if (chord > kChordSeriesLimit) return static_cast<double>(kPi) + kArcError;
  return chord + chord * chord * chord / 20 + kArcError;
}

struct TUnitVector {
  double X, Y, Z;
};

// TMathTools::DistanceOfBogen from a position to a bucket entry whose
// latitude cosine is already known: the same operations in the same order on
// the same values, so the same bits, with one cosine per point fewer. The
// bucket tests hold it to the scan, which calls DistanceOfBogen itself.
double DistanceToPoint(const TMathTools& math, const TBogen& here, double hereCos, double xRad, double yRad,
                       double cosLat) {
  const double sinHalfLat = std::sin((yRad - here.yRad) / 2);
  const double sinHalfLon = std::sin((xRad - here.xRad) / 2);
  const double h = sinHalfLat * sinHalfLat + hereCos * cosLat * sinHalfLon * sinHalfLon;
  return 2 * math.SecureArcSin(std::sqrt(h)) * kRadiansToMinutes;
}

double DistanceToEntry(const TMathTools& math, const TBogen& here, double hereCos,
                       const TStreamPointBuckets::TEntry& e) {
  return DistanceToPoint(math, here, hereCos, e.XRad, e.YRad, e.CosLat);
}

TUnitVector UnitVectorOf(const TBogen& bogen) {
  const double lat = static_cast<double>(bogen.yRad);
  const double lon = static_cast<double>(bogen.xRad);
  return TUnitVector{std::cos(lat) * std::cos(lon), std::cos(lat) * std::sin(lon), std::sin(lat)};
}

// The three best candidates of one pass, kept sorted by distance and, for
// equal distances, by position in the routing index. This is exactly the
// order that inserting the candidates one by one in routing-index order with
// strict comparisons produces, so the visiting order does not matter.
class TNearestThree {
 public:
  void Offer(std::uint32_t point, float distance, std::uint32_t order) {
    ++count_;
    if (filled_ == 3 && !Before(distance, order, slots_[2])) return;
    int k = filled_ < 3 ? filled_++ : 2;
    slots_[k] = TSlot{point, distance, order};
    while (k > 0 && Before(slots_[k].Distance, slots_[k].Order, slots_[k - 1])) {
      std::swap(slots_[k], slots_[k - 1]);
      --k;
    }
  }
  int Count() const { return count_; }
  bool Full() const { return filled_ == 3; }
  // The distance of the third point; only when Full.
  float Third() const { return slots_[2].Distance; }
  TNearestPositions Result() const {
    TNearestPositions result;
    for (int k = 0; k < filled_; ++k) {
      result[k] = TNearestPoint{static_cast<int>(slots_[k].Point), slots_[k].Distance};
    }
    return result;
  }

 private:
  struct TSlot {
    std::uint32_t Point = 0;
    float Distance = 0;
    std::uint32_t Order = 0;
  };
  static bool Before(float distance, std::uint32_t order, const TSlot& slot) {
    return distance < slot.Distance || (distance == slot.Distance && order < slot.Order);
  }
  TSlot slots_[3];
  int filled_ = 0;
  int count_ = 0;
};

// The square window of one pass: strictly inside, in minutes of longitude and
// latitude. The bounds are formed once per pass exactly as the comparison
// P.Lon > position.Lon - d would form them.
struct TSquare {
  double LonLo, LonHi, LatLo, LatHi;
  TSquare(const TMinutes& position, float d)
      : LonLo(position.Lon - d),
        LonHi(position.Lon + d),
        LatLo(position.Lat - d),
        LatHi(position.Lat + d) {}
  bool Contains(double lon, double lat) const {
    return lon > LonLo && lon < LonHi && lat < LatHi && lat > LatLo;
  }
};

bool Finite(const TMinutes& m) { return std::isfinite(m.Lon) && std::isfinite(m.Lat); }

// The routing index entries that name an existing point.
std::size_t CountValidIndex(const TVektorCubeLight& cube) {
  const std::size_t points = std::min(cube.CoordM.size(), cube.CoordB.size());
  return static_cast<std::size_t>(
      std::count_if(cube.IndexRoutingArea.begin(), cube.IndexRoutingArea.end(),
                    [points](std::uint32_t p) { return p < points; }));
}

// Bucket range [lo, hi] covering [from, to] along one axis, widened by one
// bucket each way so that rounding at a bucket edge never loses a point; the
// exact window test decides. False when the range misses the grid. Bucket
// numbers are worked out in double precision: extended floor and integer
// conversions switch the x87 rounding mode each time, which cost more than
// the rest of a search.
bool BucketRange(double from, double to, double origin, double cell, int count, int& lo, int& hi) {
  const double a = std::floor(static_cast<double>((from - origin) / cell)) - 1;
  const double b = std::floor(static_cast<double>((to - origin) / cell)) + 1;
  if (!(b >= 0) || !(a <= count - 1)) return false;
  lo = a < 0 ? 0 : static_cast<int>(a);
  hi = b > count - 1 ? count - 1 : static_cast<int>(b);
  return true;
}

int BucketOf(double value, double origin, double cell, int count) {
  const double k = std::floor(static_cast<double>((value - origin) / cell));
  if (!(k > 0)) return 0;
  return k > count - 1 ? count - 1 : static_cast<int>(k);
}

// A lattice holds at most this many crossings per point (plus a few), so
// that its tables stay within a few times the size of the points.
constexpr std::uint64_t kLatticeCrossingsPerPoint = 4;
constexpr std::uint64_t kLatticeCrossingsExtra = 64;

// Fills b.Lattice from the entries when the points lie on a lattice whose
// columns and rows each hold one radian value, ascending; IsLattice tells.
void BuildLattice(const std::vector<TStreamPointBuckets::TEntry>& entries, TStreamPointBuckets& b) {
  b.IsLattice = false;
  TStreamPointBuckets::TLattice& l = b.Lattice;
  l = TStreamPointBuckets::TLattice{};
  for (const auto& e : entries) {
    l.Lon.push_back(e.Lon);
    l.Lat.push_back(e.Lat);
  }
  for (std::vector<double>* axis : {&l.Lon, &l.Lat}) {
    std::sort(axis->begin(), axis->end());
    axis->erase(std::unique(axis->begin(), axis->end()), axis->end());
  }
  const std::size_t nx = l.Lon.size();
  const std::size_t ny = l.Lat.size();
  if (static_cast<std::uint64_t>(nx) * ny >
      kLatticeCrossingsPerPoint * entries.size() + kLatticeCrossingsExtra) {
    l = TStreamPointBuckets::TLattice{};
    return;
  }
  l.XRad.assign(nx, kInfinity);
  l.YRad.assign(ny, kInfinity);
  l.CosLat.assign(ny, kInfinity);
  l.Point.assign(nx * ny, 0);
  l.Order.assign(nx * ny, 0);
  // Every point of a column (row) must hold the column's radians, or the
  // bounds the walk takes from the column would not hold for the point.
  auto take = [](double& slot, double value) {
    if (slot == kInfinity) slot = value;
    return slot == value;
  };
  for (const auto& e : entries) {
    const auto ix = static_cast<std::size_t>(std::lower_bound(l.Lon.begin(), l.Lon.end(), e.Lon) - l.Lon.begin());
    const auto iy = static_cast<std::size_t>(std::lower_bound(l.Lat.begin(), l.Lat.end(), e.Lat) - l.Lat.begin());
    std::uint32_t& cell = l.Point[iy * nx + ix];
    if (cell != 0 || !take(l.XRad[ix], e.XRad) || !take(l.YRad[iy], e.YRad) || !take(l.CosLat[iy], e.CosLat)) {
      l = TStreamPointBuckets::TLattice{};
      return;
    }
    cell = e.Point + 1;
    l.Order[iy * nx + ix] = e.Order;
  }
  if (!std::is_sorted(l.XRad.begin(), l.XRad.end()) || !std::is_sorted(l.YRad.begin(), l.YRad.end())) {
    l = TStreamPointBuckets::TLattice{};
    return;
  }
  l.MinCosLat = *std::min_element(l.CosLat.begin(), l.CosLat.end());
  l.Sum.assign((nx + 1) * (ny + 1), 0);
  for (std::size_t iy = 0; iy < ny; ++iy) {
    for (std::size_t ix = 0; ix < nx; ++ix) {
      l.Sum[(iy + 1) * (nx + 1) + ix + 1] = l.Sum[iy * (nx + 1) + ix + 1] + l.Sum[(iy + 1) * (nx + 1) + ix] -
                                            l.Sum[iy * (nx + 1) + ix] + (l.Point[iy * nx + ix] != 0 ? 1 : 0);
    }
  }
  l.Count = l.Sum.back();
  b.IsLattice = true;
}

// The indices [first, last] of the ascending values strictly between lo and
// hi; empty (first > last) when none is.
struct TIndexRange {
  std::ptrdiff_t First = 0;
  std::ptrdiff_t Last = -1;
};
TIndexRange StrictlyBetween(const std::vector<double>& values, double lo, double hi) {
  const auto first = std::upper_bound(values.begin(), values.end(), lo);
  const auto end = std::lower_bound(values.begin(), values.end(), hi);
  return {first - values.begin(), end - values.begin() - 1};
}

// The points of the lattice inside the square window of half-width d, and
// their column and row ranges.
struct TLatticeWindow {
  TIndexRange Columns, Rows;
  std::uint32_t Count = 0;
};
TLatticeWindow LatticeWindow(const TStreamPointBuckets::TLattice& l, const TMinutes& position, float d) {
  const TSquare square(position, d);
  TLatticeWindow w{StrictlyBetween(l.Lon, square.LonLo, square.LonHi),
                   StrictlyBetween(l.Lat, square.LatLo, square.LatHi)};
  if (w.Columns.First > w.Columns.Last || w.Rows.First > w.Rows.Last) return w;
  const std::size_t stride = l.Lon.size() + 1;
  const auto x0 = static_cast<std::size_t>(w.Columns.First);
  const auto x1 = static_cast<std::size_t>(w.Columns.Last) + 1;
  const auto y0 = static_cast<std::size_t>(w.Rows.First);
  const auto y1 = static_cast<std::size_t>(w.Rows.Last) + 1;
  w.Count = l.Sum[y1 * stride + x1] - l.Sum[y0 * stride + x1] - l.Sum[y1 * stride + x0] + l.Sum[y0 * stride + x0];
  return w;
}

// The index in [first, last] of the value nearest to v.
std::ptrdiff_t NearestIndex(const std::vector<double>& values, const TIndexRange& range, double v) {
  const auto at = std::lower_bound(values.begin() + range.First, values.begin() + range.Last + 1, v);
  std::ptrdiff_t k = std::min<std::ptrdiff_t>(at - values.begin(), range.Last);
  if (k > range.First && std::fabs(values[static_cast<std::size_t>(k - 1)] - v) < std::fabs(values[static_cast<std::size_t>(k)] - v)) {
    --k;
  }
  return k;
}

// The last pass of a search: a float half-width 1 + 0.5 k no longer grows
// once it reaches 2^23.
constexpr std::int64_t kLastPass = (std::int64_t{1} << 24) - 2;

float HalfWidthOfPass(std::int64_t pass) { return static_cast<float>(kFirstHalfWidth + kHalfWidthStep * static_cast<double>(pass)); }

// FindNearestPositions on a lattice. The first pass whose window holds three
// points is found by bisection over the pass number (the count only grows
// with the window); in that window the crossings are walked in rings of
// columns and rows around the one nearest the position, until no crossing
// outside the rings can be as near as the third point found.
TNearestPositions FindNearestOnLattice(const TStreamPointBuckets& b, const TMathTools& math, const TMinutes& position) {
  const TStreamPointBuckets::TLattice& l = b.Lattice;
  std::int64_t pass = kLastPass;
  if (LatticeWindow(l, position, HalfWidthOfPass(kLastPass)).Count >= 3) {
    std::int64_t lo = 0;  // the first pass with three points lies in [lo, pass]
    while (lo < pass) {
      const std::int64_t mid = lo + (pass - lo) / 2;
      if (LatticeWindow(l, position, HalfWidthOfPass(mid)).Count >= 3) {
        pass = mid;
      } else {
        lo = mid + 1;
      }
    }
  }
  const TLatticeWindow w = LatticeWindow(l, position, HalfWidthOfPass(pass));
  TNearestThree nearest;
  if (w.Count == 0) return nearest.Result();

  const TBogen here = math.MinutesToBogen(position);
  const double hereCos = here.yRadCos;
  const std::ptrdiff_t cx = NearestIndex(l.Lon, w.Columns, position.Lon);
  const std::ptrdiff_t cy = NearestIndex(l.Lat, w.Rows, position.Lat);
  const std::ptrdiff_t rings =
      std::max({cx - w.Columns.First, w.Columns.Last - cx, cy - w.Rows.First, w.Rows.Last - cy});
  const std::size_t nx = l.Lon.size();
  auto visit = [&](std::ptrdiff_t ix, std::ptrdiff_t iy) {
    const std::size_t cell = static_cast<std::size_t>(iy) * nx + static_cast<std::size_t>(ix);
    if (l.Point[cell] == 0) return;
    const auto x = static_cast<std::size_t>(ix);
    const auto y = static_cast<std::size_t>(iy);
    nearest.Offer(l.Point[cell] - 1,
                  static_cast<float>(DistanceToPoint(math, here, hereCos, l.XRad[x], l.YRad[y], l.CosLat[y])),
                  l.Order[cell]);
  };

  // The bounds below need every latitude within the poles (cosines not
  // negative) and every longitude difference within half the globe (the
  // haversine grows with it); otherwise the walk covers the whole window.
  const double xFirst = l.XRad[static_cast<std::size_t>(w.Columns.First)];
  const double xLast = l.XRad[static_cast<std::size_t>(w.Columns.Last)];
  const double yFirst = l.YRad[static_cast<std::size_t>(w.Rows.First)];
  const double yLast = l.YRad[static_cast<std::size_t>(w.Rows.Last)];
  const bool bounded = std::max(std::fabs(yFirst), std::fabs(yLast)) <= kPi / 2 &&
                       std::fabs(here.yRad) <= kPi / 2 &&
                       std::max(xLast, here.xRad) - std::min(xFirst, here.xRad) <= kPi && l.MinCosLat >= 0 &&
                       hereCos >= 0;
  const double cosProduct = hereCos * l.MinCosLat;
  // Lower bound (minutes) of the distance to a point at least dx and dy
  // radians away in longitude and latitude: haversine with the smallest
  // cosines.
  auto arcAtLeast = [&](double dx, double dy) {
    const double sy = std::sin(dy / 2);
    const double sx = std::sin(dx / 2);
    return 2 * std::asin(std::min(1.0, std::sqrt(sy * sy + cosProduct * sx * sx))) * kRadiansToMinutes;
  };
  const double lonGap = std::max({0.0, xFirst - here.xRad, here.xRad - xLast});
  const double latGap = std::max({0.0, yFirst - here.yRad, here.yRad - yLast});

  for (std::ptrdiff_t r = 0; r <= rings; ++r) {
    // The ring's first and last rows, then its side columns between them
    // (a thin lattice has rings of two cells).
    const std::ptrdiff_t left = std::max(cx - r, w.Columns.First);
    const std::ptrdiff_t right = std::min(cx + r, w.Columns.Last);
    for (const std::ptrdiff_t iy : {cy - r, cy + r}) {
      if (iy < w.Rows.First || iy > w.Rows.Last) continue;
      for (std::ptrdiff_t ix = left; ix <= right; ++ix) visit(ix, iy);
      if (r == 0) break;
    }
    const bool leftSide = cx - r >= w.Columns.First;
    const bool rightSide = r > 0 && cx + r <= w.Columns.Last;
    if (leftSide || rightSide) {
      for (std::ptrdiff_t iy = std::max(cy - r + 1, w.Rows.First); iy <= std::min(cy + r - 1, w.Rows.Last); ++iy) {
        if (leftSide) visit(cx - r, iy);
        if (rightSide) visit(cx + r, iy);
      }
    }
    if (!nearest.Full() || !bounded || r == rings) continue;
    // Offsets in radians to the nearest column and row outside the rings.
    double lonOffset = kInfinity;
    double latOffset = kInfinity;
    if (cx - r > w.Columns.First) lonOffset = here.xRad - l.XRad[static_cast<std::size_t>(cx - r - 1)];
    if (cx + r < w.Columns.Last) lonOffset = std::min(lonOffset, l.XRad[static_cast<std::size_t>(cx + r + 1)] - here.xRad);
    if (cy - r > w.Rows.First) latOffset = here.yRad - l.YRad[static_cast<std::size_t>(cy - r - 1)];
    if (cy + r < w.Rows.Last) latOffset = std::min(latOffset, l.YRad[static_cast<std::size_t>(cy + r + 1)] - here.yRad);
    // A point outside the rings lies beyond them in longitude (and at least
    // latGap away in latitude) or beyond them in latitude.
    const double beyondLon = lonOffset == kInfinity ? kInfinity : arcAtLeast(std::max(lonOffset, 0.0), latGap);
    const double beyondLat = latOffset == kInfinity ? kInfinity : arcAtLeast(lonGap, std::max(latOffset, 0.0));
    // Margins far above the rounding of either formula; a point must fall
    // past the next float above the third distance, so not even a tie with
    // an earlier routing-index position is possible.
    const double limit = static_cast<double>(std::nextafter(nearest.Third(), std::numeric_limits<float>::infinity()));
    if (std::min(beyondLon, beyondLat) * (1 - kLatticeRelativeMargin) - kLatticeAbsoluteMargin > limit) break;
  }
  return nearest.Result();
}

}  // namespace

void TListVektorCubeLight::EnsureBuckets(const TVektorCubeLight& cube) const {
  const TStreamPointBuckets& b = cube.Buckets;
  if (b.Valid && b.SourcePoints == cube.CoordM.size() &&
      b.SourceIndex == cube.IndexRoutingArea.size()) {
    return;
  }
  BuildStreamPointBuckets(cube.CoordM, cube.CoordB, cube.IndexRoutingArea, cube.Buckets);
}

void BuildStreamPointBuckets(const TListMinutes& coordM, const TListBogen& coordB,
                             const std::vector<std::uint32_t>& index, TStreamPointBuckets& b) {
  b = TStreamPointBuckets{};
  b.Valid = true;
  b.SourcePoints = coordM.size();
  b.SourceIndex = index.size();

  // Points that a window test could ever accept: existing and finite (a NaN
  // or infinite coordinate fails every strict comparison of the window).
  std::vector<TStreamPointBuckets::TEntry> entries;
  entries.reserve(index.size());
  const std::size_t points = std::min(coordM.size(), coordB.size());
  for (std::size_t o = 0; o < index.size(); ++o) {
    const std::uint32_t p = index[o];
    if (p >= points || !Finite(coordM[p])) continue;
    const TBogen& radians = coordB[p];
    const TUnitVector u = UnitVectorOf(radians);
    entries.push_back({coordM[p].Lon, coordM[p].Lat, u.X, u.Y, u.Z, radians.xRad, radians.yRad,
                       std::cos(radians.yRad), static_cast<std::uint32_t>(o), p});
  }
  if (entries.empty()) return;
  // The lattice holds all a search needs; buckets would only double the
  // memory of a large grid.
  BuildLattice(entries, b);
  if (b.IsLattice) return;

  double minLon = entries[0].Lon, maxLon = minLon, minLat = entries[0].Lat, maxLat = minLat;
  for (const auto& e : entries) {
    minLon = std::min(minLon, e.Lon);
    maxLon = std::max(maxLon, e.Lon);
    minLat = std::min(minLat, e.Lat);
    maxLat = std::max(maxLat, e.Lat);
  }
  const double width = maxLon - minLon;
  const double height = maxLat - minLat;
  const double n = static_cast<double>(entries.size());
  // Square buckets sized for a few points each over the points' box; a box
  // without area (points on one line or one spot) is cut along its length.
  double cell = width > 0 && height > 0 ? std::sqrt(width * height * kPointsPerBucket / n)
                                     : std::max(width, height) * kPointsPerBucket / n;
  if (!(cell > 0) || !std::isfinite(cell)) cell = 1;
  // A very thin box would give more buckets than points are worth.
  const double maxBuckets = 4 * n + 64;
  for (;;) {
    const double nx = std::floor(width / cell) + 1;
    const double ny = std::floor(height / cell) + 1;
    if (nx * ny <= maxBuckets) {
      b.CountX = static_cast<int>(nx);
      b.CountY = static_cast<int>(ny);
      break;
    }
    cell *= 2;
  }
  b.Lon0 = minLon;
  b.Lat0 = minLat;
  b.MaxAbsLat = std::max(std::fabs(minLat), std::fabs(maxLat));
  b.CellLon = cell;
  b.CellLat = cell;

  const std::size_t buckets = static_cast<std::size_t>(b.CountX) * static_cast<std::size_t>(b.CountY);
  std::vector<std::uint32_t> bucketOf(entries.size());
  b.CellStart.assign(buckets + 1, 0);
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const int ix = BucketOf(entries[k].Lon, b.Lon0, b.CellLon, b.CountX);
    const int iy = BucketOf(entries[k].Lat, b.Lat0, b.CellLat, b.CountY);
    bucketOf[k] = static_cast<std::uint32_t>(iy * b.CountX + ix);
    ++b.CellStart[bucketOf[k] + 1];
  }
  for (std::size_t c = 0; c < buckets; ++c) b.CellStart[c + 1] += b.CellStart[c];
  b.Entries.resize(entries.size());
  std::vector<std::uint32_t> next(b.CellStart.begin(), b.CellStart.end() - 1);
  for (std::size_t k = 0; k < entries.size(); ++k) b.Entries[next[bucketOf[k]]++] = entries[k];
}

TNearestPositions TListVektorCubeLight::GetNearestPositionsByScan(int cube,
                                                                  const TMinutes& position) const {
  const TVektorCubeLight* c = Cube(cube);
  if (c == nullptr || CountValidIndex(*c) < 3 || !Finite(position)) return {};
  const std::size_t points = std::min(c->CoordM.size(), c->CoordB.size());
  const TBogen here = MathTools.MinutesToBogen(position);
  float d = kFirstHalfWidth;
  for (;;) {
    const TSquare square(position, d);
    TNearestThree nearest;
    for (std::size_t o = 0; o < c->IndexRoutingArea.size(); ++o) {
      const std::uint32_t p = c->IndexRoutingArea[o];
      if (p >= points || !square.Contains(c->CoordM[p].Lon, c->CoordM[p].Lat)) continue;
      nearest.Offer(p, static_cast<float>(MathTools.DistanceOfBogen(here, c->CoordB[p])),
                    static_cast<std::uint32_t>(o));
    }
    // A float half-width that no longer grows (far beyond any chart) ends
    // the search with what it has.
    if (nearest.Count() >= 3 || d + kHalfWidthStep == d) return nearest.Result();
    d += kHalfWidthStep;
  }
}

TNearestPositions TListVektorCubeLight::GetNearestPositions(int cube,
                                                            const TMinutes& position) const {
  const TVektorCubeLight* c = Cube(cube);
  if (c == nullptr) return {};
  EnsureBuckets(*c);
  return FindNearestPositions(c->Buckets, MathTools, position);
}

TNearestPositions FindNearestPositions(const TStreamPointBuckets& b, const TMathTools& MathTools,
                                       const TMinutes& position) {
  if (b.IsLattice) return Finite(position) && b.Lattice.Count >= 3 ? FindNearestOnLattice(b, MathTools, position)
                                                                     : TNearestPositions{};
  if (!Finite(position) || b.Entries.size() < 3) return {};
  const TBogen here = MathTools.MinutesToBogen(position);
  const TUnitVector hereUnit = UnitVectorOf(here);
  // MinutesToBogen fills it with exactly the cosine that the distance
  // formula would take.
  const double hereCos = here.yRadCos;
  // For bounding distances across longitude: cos of the largest latitude
  // that the position or any point has.
  const double cosMaxLat = std::cos(
      static_cast<double>(std::max(b.MaxAbsLat, std::fabs(position.Lat)) * kMinutesToRadians));
  // The longitude bound below holds while no two of the points and the
  // position are half the globe apart in longitude (no wrap-around).
  const double east = b.Lon0 + b.CountX * b.CellLon;
  const bool stopEarly =
      std::max(east, position.Lon) - std::min(b.Lon0, position.Lon) < 10800 - 1;

  struct TCandidate {
    std::uint32_t Entry;
    double Chord;
  };
  std::array<TCandidate, kCandidateBuffer> candidates;

  float d = kFirstHalfWidth;
  bool skipped = false;
  for (;;) {
    const TSquare square(position, d);
    TNearestThree nearest;
    int count = 0;
    std::size_t waiting = 0;
    // The three smallest upper bounds of the pass so far, ascending.
    double upper[3] = {kInfinity, kInfinity, kInfinity};
    // Exact distances for the waiting candidates that the chord cannot rule
    // out against the upper bounds known so far.
    auto cut = [&]() {
      const double limit = upper[2] * kFloatGap;
      for (std::size_t k = 0; k < waiting; ++k) {
        if (candidates[k].Chord - kArcError > limit) continue;
        const TStreamPointBuckets::TEntry& e = b.Entries[candidates[k].Entry];
        nearest.Offer(e.Point,
                      static_cast<float>(DistanceToEntry(MathTools, here, hereCos, e)),
                      e.Order);
      }
      waiting = 0;
    };
    auto visit = [&](int iy, int fromX, int toX) {
      const std::size_t row = static_cast<std::size_t>(iy) * static_cast<std::size_t>(b.CountX);
      const std::uint32_t from = b.CellStart[row + static_cast<std::size_t>(fromX)];
      const std::uint32_t to = b.CellStart[row + static_cast<std::size_t>(toX) + 1];
      for (std::uint32_t k = from; k < to; ++k) {
        const TStreamPointBuckets::TEntry& e = b.Entries[k];
        if (!square.Contains(e.Lon, e.Lat)) continue;
        ++count;
        const double dx = e.X - hereUnit.X;
        const double dy = e.Y - hereUnit.Y;
        const double dz = e.Z - hereUnit.Z;
        const double chord = std::sqrt(dx * dx + dy * dy + dz * dz);
        const double bound = ArcUpperBound(chord);
        if (bound < upper[2]) {
          upper[2] = bound;
          if (upper[2] < upper[1]) std::swap(upper[1], upper[2]);
          if (upper[1] < upper[0]) std::swap(upper[0], upper[1]);
        }
        candidates[waiting++] = TCandidate{k, chord};
        if (waiting == candidates.size()) cut();
      }
    };

    int x0, x1, y0, y1;
    if (BucketRange(square.LonLo, square.LonHi, b.Lon0, b.CellLon, b.CountX, x0, x1) &&
        BucketRange(square.LatLo, square.LatHi, b.Lat0, b.CellLat, b.CountY, y0, y1)) {
      // Rings of buckets around the position's bucket, nearest ring first,
      // inside the buckets the square overlaps. The candidate count of the
      // pass only matters up to three, and once three are known, a ring
      // whose buckets all lie farther than the third-nearest bound can hold
      // no point of the result; so the rings stop there.
      const int cx = std::clamp(BucketOf(position.Lon, b.Lon0, b.CellLon, b.CountX), x0, x1);
      const int cy = std::clamp(BucketOf(position.Lat, b.Lat0, b.CellLat, b.CountY), y0, y1);
      const int rings = std::max({cx - x0, x1 - cx, cy - y0, y1 - cy});
      for (int r = 0; r <= rings; ++r) {
        const int left = std::max(cx - r, x0);
        const int right = std::min(cx + r, x1);
        for (int iy = std::max(cy - r, y0); iy <= std::min(cy + r, y1); ++iy) {
          if (iy == cy - r || iy == cy + r) {
            visit(iy, left, right);
          } else {
            if (cx - r >= x0) visit(iy, cx - r, cx - r);
            if (r > 0 && cx + r <= x1) visit(iy, cx + r, cx + r);
          }
        }
        if (count < 3 || r == rings || !stopEarly) continue;
        // Offsets (minutes) from the position to the edges of the block of
        // rings 0 ... r, on the sides where buckets remain; a small margin
        // absorbs the rounding of bucket edges.
        constexpr double kEdgeMargin = 1e-6;
        double lonOffset = std::numeric_limits<double>::infinity();
        double latOffset = std::numeric_limits<double>::infinity();
        if (cx - r > x0) lonOffset = position.Lon - (b.Lon0 + (cx - r) * b.CellLon);
        if (cx + r < x1) lonOffset = std::min(lonOffset, b.Lon0 + (cx + r + 1) * b.CellLon - position.Lon);
        if (cy - r > y0) latOffset = position.Lat - (b.Lat0 + (cy - r) * b.CellLat);
        if (cy + r < y1) latOffset = std::min(latOffset, b.Lat0 + (cy + r + 1) * b.CellLat - position.Lat);
        lonOffset -= kEdgeMargin;
        latOffset -= kEdgeMargin;
        if (!(lonOffset > 0) || !(latOffset > 0)) continue;
        // Great-circle lower bounds: a latitude difference is never longer
        // than the arc; across longitude, by the haversine formula,
        // sin(arc/2) >= cos(max lat) sin(dlon/2), and sin x >= x (1 - x^2/6).
        const double dLon = std::min(static_cast<double>(lonOffset * kMinutesToRadians), 1.0);
        const double dLat = static_cast<double>(latOffset * kMinutesToRadians);
        const double lonBound = cosMaxLat * dLon * (1 - dLon * dLon / 6);
        const double beyond = std::min(lonBound, dLat);
        if (beyond - kArcError > upper[2] * kFloatGap) break;
      }
    }
    // A pass with fewer than three candidates is discarded without any
    // exact distance (unless the half-width no longer grows, as in the scan).
    if (count >= 3 || d + kHalfWidthStep == d) {
      cut();
      return nearest.Result();
    }

    if (!skipped) {
      // Far from the points, passes that cannot hold three points would be
      // repeated many times. A point enters the window only once d exceeds
      // its larger coordinate offset; so every pass with d at most the
      // third-smallest such offset, less a margin far above rounding, finds
      // fewer than three, and the search may resume just below that.
      skipped = true;
      std::vector<double> offsets;
      offsets.reserve(b.Entries.size());
      for (const auto& e : b.Entries) {
        offsets.push_back(std::max(std::fabs(e.Lon - position.Lon), std::fabs(e.Lat - position.Lat)));
      }
      std::nth_element(offsets.begin(), offsets.begin() + 2, offsets.end());
      const double passes = std::floor((offsets[2] - 0.25 - kFirstHalfWidth) / kHalfWidthStep);
      const double current = (static_cast<double>(d) - kFirstHalfWidth) / kHalfWidthStep;
      // Beyond 2^23 passes the float half-width no longer takes every step.
      if (passes > current + 1 && passes < 8388608) {
        d = kFirstHalfWidth + kHalfWidthStep * static_cast<float>(passes);
        continue;
      }
    }
    d += kHalfWidthStep;
  }
}

TCartesian WeightedStreamVektor(const TNearestPositions& nearest, const TListCartesian& values) {
  for (const TNearestPoint& n : nearest) {
    if (n.Point < 0) return {};
  }
  auto valueOf = [&values](int point) {
    return static_cast<std::size_t>(point) < values.size() ? values[static_cast<std::size_t>(point)]
                                                           : TCartesian{};
  };
  // Inverse-distance (Shepard) weights 1/d1, 1/d2, 1/d3 multiplied by
  // d1 d2 d3, so that a zero distance needs no division.
  const double d1 = nearest[0].Distance;
  const double d2 = nearest[1].Distance;
  const double d3 = nearest[2].Distance;
  const double w1 = d2 * d3;
  const double w2 = d1 * d3;
  const double w3 = d1 * d2;
  const double w = w1 + w2 + w3;
  if (w == 0) return {};
  const TCartesian v1 = valueOf(nearest[0].Point);
  // On a grid point the other weights vanish; return its vector as it is
  // rather than w1 v / w1, which may differ in the last bit.
  if (d1 == 0) return v1;
  const TCartesian v2 = valueOf(nearest[1].Point);
  const TCartesian v3 = valueOf(nearest[2].Point);
  return TCartesian{(w1 * v1.x + w2 * v2.x + w3 * v3.x) / w, (w1 * v1.y + w2 * v2.y + w3 * v3.y) / w};
}

TCartesian TListVektorCubeLight::GetWeightedVektor(const TNearestPositions& nearest,
                                                   const TListCartesian& values) const {
  return WeightedStreamVektor(nearest, values);
}

int TListVektorCubeLight::GetCubeIndex(const TMinutes& position) const {
  for (std::size_t c = 0; c < ListVektorCube.size(); ++c) {
    if (MathTools.GetInPolygon(position, ListVektorCube[c].VektorArea)) return static_cast<int>(c);
  }
  return 0;
}

TPolar TListVektorCubeLight::GetVektorIntpAtPosition(const TMinutes& position) const {
  const int cube = GetCubeIndex(position);
  const TVektorCubeLight* c = Cube(cube);
  if (c == nullptr || c->CoordM.size() < 3 || c->IndexRoutingArea.size() < 3) return {};
  const TNearestPositions nearest = GetNearestPositions(cube, position);
  return MathTools.CartesianToPolar(GetWeightedVektor(nearest, c->VektorCIntp));
}

bool TListVektorCubeLight::GetTINFieldVektor(int cube, int field, const TMinutes& position,
                                             TCartesian& vektor) const {
  vektor = TCartesian{};
  const TVektorCubeLight* c = Cube(cube);
  const TVektorFieldLight* f = Field(cube, field);
  if (c == nullptr || f == nullptr || c->IndexRoutingArea.size() < 3) return false;
  if (!MathTools.GetInPolygon(position, ListRoutingArea)) return false;
  const TNearestPositions nearest = GetNearestPositions(cube, position);
  if (nearest[2].Point < 0) return false;
  vektor = GetWeightedVektor(nearest, f->ValueC);
  return true;
}

TCartesian TListVektorCubeLight::GetTINVektor(bool indexed, int cube, const TMinutes& position,
                                              TDateTime t) const {
  const std::optional<TFieldPair> pair = GetFieldsAround(indexed, t);
  if (!pair) return {};
  const TVektorCubeLight* c = Cube(cube);
  const TVektorFieldLight* before = Field(cube, pair->FieldBefore);
  const TVektorFieldLight* after = Field(cube, pair->FieldAfter);
  if (c == nullptr || before == nullptr || after == nullptr || c->IndexRoutingArea.size() < 3) {
    return {};
  }
  if (!MathTools.GetInPolygon(position, ListRoutingArea)) return {};
  // Both fields share the cube's points, so one search serves the two
  // spatial interpolations.
  const TNearestPositions nearest = GetNearestPositions(cube, position);
  if (nearest[2].Point < 0) return {};
  const TCartesian cb = GetWeightedVektor(nearest, before->ValueC);
  const TCartesian ca = GetWeightedVektor(nearest, after->ValueC);
  return BlendVektors(cb, MathTools.CartesianToPolar(cb), pair->TimeBefore, ca,
                      MathTools.CartesianToPolar(ca), pair->TimeAfter, t);
}

void TListVektorCubeLight::GetTINField(int cube, int field, const TListMinutes& positions) {
  TVektorCubeLight* c = Cube(cube);
  if (c == nullptr) return;
  c->VektorPIntp.resize(positions.size());
  for (std::size_t i = 0; i < positions.size(); ++i) {
    TCartesian v;
    GetTINFieldVektor(cube, field, positions[i], v);
    c->VektorPIntp[i] = MathTools.CartesianToPolar(v);
  }
}

}  // namespace corvane
