#include "core/polygon_set_index.h"

#include <algorithm>
#include <cmath>
#include <tuple>
#include <utility>

namespace corvane {

TPolygonSetIndex::TPolygonSetIndex(const std::vector<const TPolygon*>& polygons, double bandHeight)
    : bandHeight_(bandHeight > 0 ? bandHeight : 0.05) {
  for (const TPolygon* p : polygons) {
    if (p == nullptr) continue;
    Add(p->size(), [p](std::size_t k) { return std::pair<double, double>{(*p)[k].X, (*p)[k].Y}; });
  }
}

TPolygonSetIndex::TPolygonSetIndex(const std::vector<const TListMinutes*>& polygons, double bandHeight)
    : bandHeight_(bandHeight > 0 ? bandHeight : 0.05) {
  for (const TListMinutes* p : polygons) {
    if (p == nullptr) continue;
    Add(p->size(), [p](std::size_t k) { return std::pair<double, double>{(*p)[k].Lon, (*p)[k].Lat}; });
  }
}

template <typename VertexAt>
void TPolygonSetIndex::Add(std::size_t n, VertexAt vertexAt) {
  if (n < 3) return;
  TIndexedPolygon indexed;
  std::tie(indexed.MinLon, indexed.MinLat) = vertexAt(0);
  indexed.MaxLon = indexed.MinLon;
  indexed.MaxLat = indexed.MinLat;
  for (std::size_t k = 0; k < n; ++k) {
    const auto [lon, lat] = vertexAt(k);
    indexed.MinLon = std::min(indexed.MinLon, lon);
    indexed.MaxLon = std::max(indexed.MaxLon, lon);
    indexed.MinLat = std::min(indexed.MinLat, lat);
    indexed.MaxLat = std::max(indexed.MaxLat, lat);
  }
  indexed.South = indexed.MinLat;
  indexed.Bands = static_cast<int>(std::floor((indexed.MaxLat - indexed.MinLat) / bandHeight_)) + 1;
  const auto bandOf = [&](double lat) {
    const int band = static_cast<int>(std::floor((lat - indexed.South) / bandHeight_));
    return std::clamp(band, 0, indexed.Bands - 1);
  };
  // Every edge from vertex i to vertex j, the closing edge included, goes
  // into each band its latitudes span; a horizontal edge never crosses a
  // parallel and is left out, as the even-odd walk leaves it out.
  std::vector<std::vector<TEdge>> bands(static_cast<std::size_t>(indexed.Bands));
  std::size_t i = n - 1;
  for (std::size_t j = 0; j < n; i = j++) {
    const auto [x1, y1] = vertexAt(i);
    const auto [x2, y2] = vertexAt(j);
    const TEdge edge{x1, y1, x2, y2};
    if (edge.Y1 == edge.Y2) continue;
    const int from = bandOf(std::min(edge.Y1, edge.Y2));
    const int to = bandOf(std::max(edge.Y1, edge.Y2));
    for (int b = from; b <= to; ++b) bands[static_cast<std::size_t>(b)].push_back(edge);
  }
  indexed.BandStart.push_back(0);
  for (const std::vector<TEdge>& band : bands) {
    indexed.Edges.insert(indexed.Edges.end(), band.begin(), band.end());
    indexed.BandStart.push_back(static_cast<std::uint32_t>(indexed.Edges.size()));
  }
  polygons_.push_back(std::move(indexed));
}

bool TPolygonSetIndex::Inside(const TIndexedPolygon& polygon, double lon, double lat) const {
  // Below or above the polygon no edge crosses the parallel.
  if (lat < polygon.MinLat || lat > polygon.MaxLat) return false;
  const int band = std::clamp(static_cast<int>(std::floor((lat - polygon.South) / bandHeight_)), 0,
                              polygon.Bands - 1);
  bool inside = false;
  for (std::uint32_t k = polygon.BandStart[static_cast<std::size_t>(band)];
       k < polygon.BandStart[static_cast<std::size_t>(band) + 1]; ++k) {
    const TEdge& e = polygon.Edges[k];
    // As TMathTools::GetInPolygon: an edge with exactly one end at or north
    // of the point crosses its parallel.
    if ((e.Y1 >= lat) == (e.Y2 >= lat)) continue;
    const double crossLon = (e.X1 * e.Y2 + lat * (e.X2 - e.X1) - e.Y1 * e.X2) / (e.Y2 - e.Y1);
    if (lon <= crossLon) inside = !inside;
  }
  return inside;
}

bool TPolygonSetIndex::Contains(const TMinutes& position) const {
  if (!std::isfinite(position.Lon) || !std::isfinite(position.Lat)) return false;
  for (const TIndexedPolygon& polygon : polygons_) {
    if (Inside(polygon, position.Lon, position.Lat)) return true;
  }
  return false;
}

}  // namespace corvane
