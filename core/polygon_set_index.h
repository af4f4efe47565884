#pragma once
// Whether a position lies inside any polygon of a set, each polygon taken by
// the even-odd rule, without walking every edge: the edges are filed by
// bands of latitude, and a query looks only at the edges of its band that
// cross its parallel, in the polygons whose box holds it. The answer is the
// one TMathTools::GetInPolygon gives polygon by polygon, to the bit: the same
// crossings are counted with the same arithmetic.
//
// Built once; queries only read, so threads may share an index.

#include <cstdint>
#include <vector>

#include "core/types.h"

namespace corvane {

class TPolygonSetIndex {
 public:
  TPolygonSetIndex() = default;
  // Polygons in minutes of arc (X longitude, Y latitude); a polygon of fewer
  // than 3 points encloses nothing. bandHeight is the height of a band in
  // minutes of latitude.
  explicit TPolygonSetIndex(const std::vector<const TPolygon*>& polygons, double bandHeight = 0.05);
  // The same for polygons of positions in minutes.
  explicit TPolygonSetIndex(const std::vector<const TListMinutes*>& polygons, double bandHeight = 0.05);

  // True when the position is inside at least one polygon.
  bool Contains(const TMinutes& position) const;
  bool Empty() const { return polygons_.empty(); }

 private:
  // Files a ring of n vertices; vertexAt(k) gives (longitude, latitude).
  template <typename VertexAt>
  void Add(std::size_t n, VertexAt vertexAt);

  struct TEdge {
    double X1, Y1, X2, Y2;
  };
  struct TIndexedPolygon {
    double MinLon = 0, MaxLon = 0, MinLat = 0, MaxLat = 0;
    double South = 0;  // latitude of band 0's southern edge
    int Bands = 0;
    std::vector<std::uint32_t> BandStart;  // Bands + 1 offsets into Edges
    std::vector<TEdge> Edges;              // band by band
  };
  bool Inside(const TIndexedPolygon& polygon, double lon, double lat) const;

  double bandHeight_ = 0.05;
  std::vector<TIndexedPolygon> polygons_;
};

}  // namespace corvane
