#pragma once
// The tidal stream of one run, ready to be read at any position and time of
// the run by any number of threads: the atlas unpacked for the day's tide
// range and the user's speed correction, the charts around the moment, and
// the user's time shift. Nothing in it changes after it is built.
//
// A read follows the stream cube's own (GetTINVektor through the chart
// ring, as routing has always read it): the first cube whose validity
// polygon holds the position, its three nearest points by inverse-distance
// weights in the two charts around the moment, blended in time. A reading
// narrowed to an area (Within) considers only the points inside the area
// and gives no stream outside it, as a leg's routing area does.

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "core/math_tools.h"
#include "core/polygon_set_index.h"
#include "core/types.h"
#include "tides/stream_cube.h"

namespace corvane {

// An atlas unpacked for one tide range and speed correction: per cube its
// points, its validity polygon and each field's vectors (knots).
struct TUnpackedStreamAtlas {
  struct TCube {
    TListMinutes Points;
    TListBogen Radians;
    TListMinutes Area;
    // The polygon's box in 32-bit floats, as TMathTools::GetInPolygon forms
    // it, to pass over cubes far from a position cheaply.
    float MinLon = 0, MaxLon = 0, MinLat = 0, MaxLat = 0;
    TPolygonSetIndex AreaIndex;  // the polygon, for the even-odd test
    std::vector<TListCartesian> Fields;
    // Search buckets over all the points, for readings not bound to an area.
    TStreamPointBuckets Buckets;
  };
  std::vector<TCube> Cubes;
};

// A cube's points, validity polygon and search buckets, without fields.
TUnpackedStreamAtlas::TCube StreamCubeOf(const TVektorCubeLight& cube);

// Unpacks every field of every cube of `atlas` (its ValuePacked) as
// TListVektorCubeLight::GetUnpackCubes does.
std::shared_ptr<const TUnpackedStreamAtlas> UnpackStreamAtlas(const TListVektorCubeLight& atlas,
                                                              double neapRange, double springRange,
                                                              double tideRange, double speedFactor);

// Unpacked atlases by what they were unpacked for, so that a day's speeds
// are unpacked once however often it is routed. Safe to share between
// threads. An atlas is known by its address and size: load a new atlas into
// a new object, or Clear the cache.
class TStreamAtlasCache {
 public:
  std::shared_ptr<const TUnpackedStreamAtlas> Get(const TListVektorCubeLight& atlas, double neapRange,
                                                  double springRange, double tideRange, double speedFactor);
  void Clear();

 private:
  struct TEntry {
    const TListVektorCubeLight* Atlas;
    std::size_t Points;
    double NeapRange, SpringRange, TideRange, SpeedFactor;
    std::shared_ptr<const TUnpackedStreamAtlas> Unpacked;
  };
  static constexpr std::size_t kEntries = 6;
  std::mutex mutex_;
  std::vector<TEntry> entries_;  // most recently used last
};

// The charts around a moment: window place i is the chart at Times[i],
// held in atlas field Fields[i]; times ascend.
struct TChartWindow {
  std::vector<TDateTime> Times;
  std::vector<int> Fields;
};

// The window that the indexing of a cube list (iOffset, Charts30,
// OverlapCharts30 and TimeField, as TPackageTides::SetStreamCubeLightIndexing
// writes them) describes.
TChartWindow ChartWindowOf(const TListVektorCubeLight& indexed);

// A stream at a position (minutes) and a time (hours after the snapshot's
// moment), knots toward where the water flows.
using TStreamLookup = std::function<TCartesian(const TMinutes& position, double hours)>;

class TStreamSnapshot : public std::enable_shared_from_this<TStreamSnapshot> {
 public:
  // moment: the run's moment (GMT); shiftMinutes: the user's high-water
  // shift, taken to the nearest whole minute (the atlas is read that much
  // earlier). Times of a query are taken to whole seconds, truncated.
  TStreamSnapshot(std::shared_ptr<const TUnpackedStreamAtlas> atlas, TChartWindow window,
                  TDateTime moment, double shiftMinutes);

  // The stream over the whole atlas.
  TCartesian At(const TMinutes& position, double hours) const;
  // A lookup over the whole atlas, and one narrowed to the closed polygon
  // `area`; each keeps the snapshot alive.
  TStreamLookup Everywhere() const;
  TStreamLookup Within(const TListMinutes& area) const;

 private:
  // The points a reading bound to an area considers, per cube.
  struct TReach {
    TListMinutes Area;
    std::vector<TStreamPointBuckets> Buckets;
    std::vector<std::size_t> IndexSize;
  };
  std::shared_ptr<const TReach> MakeReach(const TListMinutes& area) const;
  // reach: nullptr for the whole atlas.
  TCartesian Read(const TReach* reach, const TMinutes& position, double hours) const;

  TMathTools math_;
  std::shared_ptr<const TUnpackedStreamAtlas> atlas_;
  TChartWindow window_;
  TDateTime shiftedMoment_ = 0;
};

}  // namespace corvane
