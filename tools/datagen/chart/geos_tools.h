#pragma once
// Thin owning wrappers over the GEOS C API (reentrant functions), for the
// polygon work of the chart generator: clipping, union, difference,
// simplification, and turning polygons with holes into the single rings that
// the chart's even-odd polygon test reads.

#include <geos_c.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace corvane {

struct TPt {
  double x = 0;  // longitude, minutes of arc
  double y = 0;  // latitude, minutes of arc
};
using TRing = std::vector<TPt>;  // closed: the last point repeats the first

// A polygon as its exterior ring and its holes.
struct TRingPolygon {
  TRing Exterior;
  std::vector<TRing> Holes;
};

class TGeos {
 public:
  struct Deleter {
    GEOSContextHandle_t handle;
    void operator()(GEOSGeometry* geometry) const { GEOSGeom_destroy_r(handle, geometry); }
  };
  using TGeom = std::unique_ptr<GEOSGeometry, Deleter>;

  TGeos();
  ~TGeos();
  TGeos(const TGeos&) = delete;
  TGeos& operator=(const TGeos&) = delete;

  GEOSContextHandle_t Handle() const { return handle_; }

  TGeom Rectangle(double west, double south, double east, double north) const;
  TGeom LineString(const std::vector<TPt>& points) const;
  TGeom Polygon(const TRingPolygon& polygon) const;
  // A collection that takes over its parts (a multi-polygon when every part
  // is a polygon, a generic collection otherwise).
  TGeom Collection(std::vector<TGeom> parts, int type) const;
  TGeom Empty() const;

  TGeom Intersection(const TGeom& a, const TGeom& b) const;
  TGeom Difference(const TGeom& a, const TGeom& b) const;
  TGeom UnaryUnion(const TGeom& a) const;
  TGeom Simplify(const TGeom& a, double tolerance) const;  // topology preserving
  TGeom MakeValid(const TGeom& a) const;
  // Faces of a noded set of lines.
  std::vector<TGeom> Polygonize(const TGeom& lines) const;
  // The centre of the largest circle inside a polygon.
  TPt InteriorCentre(const TGeom& polygon, double tolerance) const;
  TPt PointOnSurface(const TGeom& geometry) const;

  double Area(const TGeom& a) const;
  bool IsEmpty(const TGeom& a) const;
  // Every polygon of a geometry (polygons of collections and multi-polygons;
  // lines and points dropped), in the order GEOS holds them.
  std::vector<TRingPolygon> Polygons(const TGeom& a) const;

 private:
  TGeom Own(GEOSGeometry* geometry, const char* what) const;
  TRing RingOf(const GEOSGeometry* ring) const;
  void CollectPolygons(const GEOSGeometry* geometry, std::vector<TRingPolygon>& out) const;
  GEOSContextHandle_t handle_;
};

// Joins rings into one ring for the even-odd test: each further ring is
// linked to the ring built so far by a bridge from its vertex nearest to a
// vertex of that ring and back along the same edge. A bridge walked twice
// changes no crossing count, so the joined ring holds exactly the points of
// an odd number of the given rings: holes inside their exterior are cut out,
// and disjoint parts are all inside. Empty input gives an empty ring.
TRing JoinRings(const std::vector<TRing>& rings);
// JoinRings of a polygon's exterior and holes.
TRing JoinPolygon(const TRingPolygon& polygon);

double RingArea(const TRing& ring);  // unsigned, shoelace

}  // namespace corvane
