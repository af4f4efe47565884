#include "tides/stream_snapshot.h"

#include <algorithm>
#include <cmath>

#include "core/date_time.h"

namespace corvane {

TUnpackedStreamAtlas::TCube StreamCubeOf(const TVektorCubeLight& cube) {
  TUnpackedStreamAtlas::TCube out;
  out.Points = cube.CoordM;
  out.Radians = cube.CoordB;
  out.Area = cube.VektorArea;
  out.MinLon = out.MinLat = 65535;
  out.MaxLon = out.MaxLat = -65535;
  for (const TMinutes& vertex : out.Area) {
    out.MinLon = std::min(out.MinLon, static_cast<float>(vertex.Lon));
    out.MaxLon = std::max(out.MaxLon, static_cast<float>(vertex.Lon));
    out.MinLat = std::min(out.MinLat, static_cast<float>(vertex.Lat));
    out.MaxLat = std::max(out.MaxLat, static_cast<float>(vertex.Lat));
  }
  out.AreaIndex = TPolygonSetIndex(std::vector<const TListMinutes*>{&out.Area});
  std::vector<std::uint32_t> all(out.Points.size());
  for (std::size_t j = 0; j < all.size(); ++j) all[j] = static_cast<std::uint32_t>(j);
  BuildStreamPointBuckets(out.Points, out.Radians, all, out.Buckets);
  return out;
}

std::shared_ptr<const TUnpackedStreamAtlas> UnpackStreamAtlas(const TListVektorCubeLight& atlas,
                                                              double neapRange, double springRange,
                                                              double tideRange, double speedFactor) {
  auto unpacked = std::make_shared<TUnpackedStreamAtlas>();
  for (const TVektorCubeLight& cube : atlas.ListVektorCube) {
    TUnpackedStreamAtlas::TCube& out = unpacked->Cubes.emplace_back(StreamCubeOf(cube));
    for (const TVektorFieldLight& field : cube.ListVektorField) {
      TListCartesian& values = out.Fields.emplace_back();
      values.reserve(field.ValuePacked.size());
      for (const std::int32_t packed : field.ValuePacked) {
        values.push_back(atlas.MathTools.PolarToCartesian(
            UnpackStreamVektor(packed, neapRange, springRange, tideRange, speedFactor)));
      }
    }
  }
  return unpacked;
}

std::shared_ptr<const TUnpackedStreamAtlas> TStreamAtlasCache::Get(const TListVektorCubeLight& atlas,
                                                                   double neapRange, double springRange,
                                                                   double tideRange, double speedFactor) {
  std::size_t points = 0;
  for (const TVektorCubeLight& cube : atlas.ListVektorCube) points += cube.CoordM.size();
  const auto same = [&](const TEntry& e) {
    return e.Atlas == &atlas && e.Points == points && e.NeapRange == neapRange &&
           e.SpringRange == springRange && e.TideRange == tideRange && e.SpeedFactor == speedFactor;
  };
  {
    std::lock_guard<std::mutex> lock(mutex_);
    const auto found = std::find_if(entries_.begin(), entries_.end(), same);
    if (found != entries_.end()) {
      TEntry entry = *found;
      entries_.erase(found);
      entries_.push_back(entry);
      return entry.Unpacked;
    }
  }
  // Unpacked outside the lock: two threads asking for the same day at once
  // both unpack it, which costs time but never a wrong answer.
  std::shared_ptr<const TUnpackedStreamAtlas> unpacked =
      UnpackStreamAtlas(atlas, neapRange, springRange, tideRange, speedFactor);
  std::lock_guard<std::mutex> lock(mutex_);
  if (entries_.size() >= kEntries) entries_.erase(entries_.begin());
  entries_.push_back(TEntry{&atlas, points, neapRange, springRange, tideRange, speedFactor, unpacked});
  return unpacked;
}

void TStreamAtlasCache::Clear() {
  std::lock_guard<std::mutex> lock(mutex_);
  entries_.clear();
}

TChartWindow ChartWindowOf(const TListVektorCubeLight& indexed) {
  TChartWindow window;
  const int count = static_cast<int>(indexed.TimeField.size());
  for (int i = 0; i < count; ++i) {
    window.Times.push_back(indexed.GetFieldTime(i));
    window.Fields.push_back(indexed.GetFieldIndex(i));
  }
  return window;
}

TStreamSnapshot::TStreamSnapshot(std::shared_ptr<const TUnpackedStreamAtlas> atlas, TChartWindow window,
                                 TDateTime moment, double shiftMinutes)
    : atlas_(std::move(atlas)),
      window_(std::move(window)),
      shiftedMoment_(IncMinute(moment, -std::llround(shiftMinutes))) {}

std::shared_ptr<const TStreamSnapshot::TReach> TStreamSnapshot::MakeReach(const TListMinutes& area) const {
  auto reach = std::make_shared<TReach>();
  reach->Area = area;
  for (const TUnpackedStreamAtlas::TCube& cube : atlas_->Cubes) {
    std::vector<std::uint32_t> index;
    for (std::size_t j = 0; j < cube.Points.size(); ++j) {
      if (math_.GetInPolygon(cube.Points[j], area)) index.push_back(static_cast<std::uint32_t>(j));
    }
    reach->IndexSize.push_back(index.size());
    BuildStreamPointBuckets(cube.Points, cube.Radians, index, reach->Buckets.emplace_back());
  }
  return reach;
}

TCartesian TStreamSnapshot::Read(const TReach* reach, const TMinutes& position, double hours) const {
  const TDateTime t = IncSecond(shiftedMoment_, static_cast<std::int64_t>(std::trunc(hours * 3600)));
  // The first cube whose validity polygon holds the position.
  std::size_t c = 0;
  for (; c < atlas_->Cubes.size(); ++c) {
    const TUnpackedStreamAtlas::TCube& cube = atlas_->Cubes[c];
    if (position.Lon < cube.MinLon || position.Lon > cube.MaxLon || position.Lat < cube.MinLat ||
        position.Lat > cube.MaxLat) {
      continue;
    }
    // With the box above, the test of TMathTools::GetInPolygon, by bands.
    if (cube.AreaIndex.Contains(position)) break;
  }
  if (c == atlas_->Cubes.size()) return {};
  const TUnpackedStreamAtlas::TCube& cube = atlas_->Cubes[c];

  // The pair of charts around the moment, as GetFieldsAround pairs them.
  const std::size_t places = window_.Times.size();
  std::size_t i = 0;
  while (i + 1 < places && !(window_.Times[i] <= t && t <= window_.Times[i + 1])) ++i;
  if (i + 1 >= places) return {};
  const auto field = [&](std::size_t place) -> const TListCartesian* {
    const int f = window_.Fields[place];
    if (f < 0 || static_cast<std::size_t>(f) >= cube.Fields.size()) return nullptr;
    return &cube.Fields[static_cast<std::size_t>(f)];
  };
  const TListCartesian* before = field(i);
  const TListCartesian* after = field(i + 1);
  const std::size_t usable = reach != nullptr ? reach->IndexSize[c] : cube.Points.size();
  if (before == nullptr || after == nullptr || usable < 3) return {};
  if (reach != nullptr && !math_.GetInPolygon(position, reach->Area)) return {};

  // Both fields share the cube's points, so one search serves the two.
  const TStreamPointBuckets& buckets = reach != nullptr ? reach->Buckets[c] : cube.Buckets;
  const TNearestPositions nearest = FindNearestPositions(buckets, math_, position);
  if (nearest[2].Point < 0) return {};
  const TCartesian cb = WeightedStreamVektor(nearest, *before);
  const TCartesian ca = WeightedStreamVektor(nearest, *after);
  return BlendStreamVektors(math_, cb, math_.CartesianToPolar(cb), window_.Times[i], ca,
                            math_.CartesianToPolar(ca), window_.Times[i + 1], t);
}

TCartesian TStreamSnapshot::At(const TMinutes& position, double hours) const {
  return Read(nullptr, position, hours);
}

TStreamLookup TStreamSnapshot::Everywhere() const {
  std::shared_ptr<const TStreamSnapshot> self = shared_from_this();
  return [self](const TMinutes& position, double hours) { return self->At(position, hours); };
}

TStreamLookup TStreamSnapshot::Within(const TListMinutes& area) const {
  std::shared_ptr<const TStreamSnapshot> self = shared_from_this();
  std::shared_ptr<const TReach> reach = MakeReach(area);
  return [self, reach](const TMinutes& position, double hours) {
    return self->Read(reach.get(), position, hours);
  };
}

}  // namespace corvane
