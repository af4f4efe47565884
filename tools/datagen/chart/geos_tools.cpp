#include "tools/datagen/chart/geos_tools.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <limits>
#include <stdexcept>

namespace corvane {

namespace {

void GeosMessage(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(stderr, format, args);
  std::fputc('\n', stderr);
  va_end(args);
}

}  // namespace

TGeos::TGeos() : handle_(GEOS_init_r()) {
  GEOSContext_setNoticeHandler_r(handle_, GeosMessage);
  GEOSContext_setErrorHandler_r(handle_, GeosMessage);
}

TGeos::~TGeos() { GEOS_finish_r(handle_); }

TGeos::TGeom TGeos::Own(GEOSGeometry* geometry, const char* what) const {
  if (geometry == nullptr) throw std::runtime_error(std::string("GEOS failed: ") + what);
  return TGeom(geometry, Deleter{handle_});
}

TGeos::TGeom TGeos::LineString(const std::vector<TPt>& points) const {
  GEOSCoordSequence* sequence = GEOSCoordSeq_create_r(handle_, static_cast<unsigned>(points.size()), 2);
  for (unsigned i = 0; i < points.size(); ++i) {
    GEOSCoordSeq_setXY_r(handle_, sequence, i, points[i].x, points[i].y);
  }
  return Own(GEOSGeom_createLineString_r(handle_, sequence), "line");
}

TGeos::TGeom TGeos::Polygon(const TRingPolygon& polygon) const {
  auto ring = [this](const TRing& points) {
    GEOSCoordSequence* sequence =
        GEOSCoordSeq_create_r(handle_, static_cast<unsigned>(points.size()), 2);
    for (unsigned i = 0; i < points.size(); ++i) {
      GEOSCoordSeq_setXY_r(handle_, sequence, i, points[i].x, points[i].y);
    }
    return GEOSGeom_createLinearRing_r(handle_, sequence);
  };
  std::vector<GEOSGeometry*> holes;
  for (const TRing& hole : polygon.Holes) holes.push_back(ring(hole));
  return Own(GEOSGeom_createPolygon_r(handle_, ring(polygon.Exterior), holes.data(),
                                      static_cast<unsigned>(holes.size())),
             "polygon");
}

TGeos::TGeom TGeos::Rectangle(double west, double south, double east, double north) const {
  return Polygon({{{west, south}, {east, south}, {east, north}, {west, north}, {west, south}}, {}});
}

TGeos::TGeom TGeos::Collection(std::vector<TGeom> parts, int type) const {
  std::vector<GEOSGeometry*> raw;
  for (TGeom& part : parts) raw.push_back(part.release());
  return Own(GEOSGeom_createCollection_r(handle_, type, raw.data(), static_cast<unsigned>(raw.size())),
             "collection");
}

TGeos::TGeom TGeos::Empty() const {
  return Own(GEOSGeom_createEmptyPolygon_r(handle_), "empty");
}

TGeos::TGeom TGeos::Intersection(const TGeom& a, const TGeom& b) const {
  return Own(GEOSIntersection_r(handle_, a.get(), b.get()), "intersection");
}
TGeos::TGeom TGeos::Difference(const TGeom& a, const TGeom& b) const {
  return Own(GEOSDifference_r(handle_, a.get(), b.get()), "difference");
}
TGeos::TGeom TGeos::UnaryUnion(const TGeom& a) const {
  return Own(GEOSUnaryUnion_r(handle_, a.get()), "union");
}
TGeos::TGeom TGeos::Simplify(const TGeom& a, double tolerance) const {
  return Own(GEOSTopologyPreserveSimplify_r(handle_, a.get(), tolerance), "simplify");
}
TGeos::TGeom TGeos::MakeValid(const TGeom& a) const {
  return Own(GEOSMakeValid_r(handle_, a.get()), "make valid");
}

std::vector<TGeos::TGeom> TGeos::Polygonize(const TGeom& lines) const {
  const GEOSGeometry* input[] = {lines.get()};
  TGeom faces = Own(GEOSPolygonize_r(handle_, input, 1), "polygonize");
  std::vector<TGeom> out;
  const int n = GEOSGetNumGeometries_r(handle_, faces.get());
  for (int i = 0; i < n; ++i) {
    out.push_back(Own(GEOSGeom_clone_r(handle_, GEOSGetGeometryN_r(handle_, faces.get(), i)), "face"));
  }
  return out;
}

TPt TGeos::InteriorCentre(const TGeom& polygon, double tolerance) const {
  TGeom line = Own(GEOSMaximumInscribedCircle_r(handle_, polygon.get(), tolerance), "inscribed circle");
  const GEOSCoordSequence* sequence = GEOSGeom_getCoordSeq_r(handle_, line.get());
  TPt centre;
  GEOSCoordSeq_getXY_r(handle_, sequence, 0, &centre.x, &centre.y);
  return centre;
}

TPt TGeos::PointOnSurface(const TGeom& geometry) const {
  TGeom point = Own(GEOSPointOnSurface_r(handle_, geometry.get()), "point on surface");
  TPt p;
  GEOSGeomGetX_r(handle_, point.get(), &p.x);
  GEOSGeomGetY_r(handle_, point.get(), &p.y);
  return p;
}

double TGeos::Area(const TGeom& a) const {
  double area = 0;
  GEOSArea_r(handle_, a.get(), &area);
  return area;
}

bool TGeos::IsEmpty(const TGeom& a) const { return GEOSisEmpty_r(handle_, a.get()) == 1; }

TRing TGeos::RingOf(const GEOSGeometry* ring) const {
  const GEOSCoordSequence* sequence = GEOSGeom_getCoordSeq_r(handle_, ring);
  unsigned size = 0;
  GEOSCoordSeq_getSize_r(handle_, sequence, &size);
  TRing out(size);
  for (unsigned i = 0; i < size; ++i) GEOSCoordSeq_getXY_r(handle_, sequence, i, &out[i].x, &out[i].y);
  return out;
}

void TGeos::CollectPolygons(const GEOSGeometry* geometry, std::vector<TRingPolygon>& out) const {
  const int type = GEOSGeomTypeId_r(handle_, geometry);
  if (type == GEOS_POLYGON) {
    if (GEOSisEmpty_r(handle_, geometry)) return;
    TRingPolygon polygon;
    polygon.Exterior = RingOf(GEOSGetExteriorRing_r(handle_, geometry));
    const int holes = GEOSGetNumInteriorRings_r(handle_, geometry);
    for (int i = 0; i < holes; ++i) {
      polygon.Holes.push_back(RingOf(GEOSGetInteriorRingN_r(handle_, geometry, i)));
    }
    out.push_back(std::move(polygon));
  } else if (type == GEOS_MULTIPOLYGON || type == GEOS_GEOMETRYCOLLECTION) {
    const int n = GEOSGetNumGeometries_r(handle_, geometry);
    for (int i = 0; i < n; ++i) CollectPolygons(GEOSGetGeometryN_r(handle_, geometry, i), out);
  }
}

std::vector<TRingPolygon> TGeos::Polygons(const TGeom& a) const {
  std::vector<TRingPolygon> out;
  CollectPolygons(a.get(), out);
  return out;
}

TRing JoinRings(const std::vector<TRing>& rings) {
  // Work on open rings (no repeated closing point).
  auto open = [](const TRing& ring) {
    TRing out = ring;
    if (out.size() > 1 && out.front().x == out.back().x && out.front().y == out.back().y) out.pop_back();
    return out;
  };
  TRing joined;
  for (const TRing& ring : rings) {
    TRing next = open(ring);
    if (next.size() < 3) continue;
    if (joined.empty()) {
      joined = next;
      continue;
    }
    // The nearest pair of vertices between the joined ring and the next one.
    std::size_t bestI = 0, bestJ = 0;
    double best = std::numeric_limits<double>::infinity();
    for (std::size_t i = 0; i < joined.size(); ++i) {
      for (std::size_t j = 0; j < next.size(); ++j) {
        const double dx = joined[i].x - next[j].x, dy = joined[i].y - next[j].y;
        const double d = dx * dx + dy * dy;
        if (d < best) {
          best = d;
          bestI = i;
          bestJ = j;
        }
      }
    }
    TRing merged(joined.begin(), joined.begin() + static_cast<std::ptrdiff_t>(bestI) + 1);
    for (std::size_t k = 0; k <= next.size(); ++k) merged.push_back(next[(bestJ + k) % next.size()]);
    merged.insert(merged.end(), joined.begin() + static_cast<std::ptrdiff_t>(bestI), joined.end());
    joined = std::move(merged);
  }
  if (!joined.empty()) joined.push_back(joined.front());
  return joined;
}

TRing JoinPolygon(const TRingPolygon& polygon) {
  std::vector<TRing> rings{polygon.Exterior};
  rings.insert(rings.end(), polygon.Holes.begin(), polygon.Holes.end());
  return JoinRings(rings);
}

double RingArea(const TRing& ring) {
  double twice = 0;
  for (std::size_t i = 0; i + 1 < ring.size(); ++i) {
    twice += ring[i].x * ring[i + 1].y - ring[i + 1].x * ring[i].y;
  }
  if (!ring.empty()) twice += ring.back().x * ring.front().y - ring.front().x * ring.back().y;
  return std::abs(twice) / 2;
}

}  // namespace corvane
