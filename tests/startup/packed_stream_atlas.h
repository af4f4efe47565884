#pragma once
// The built-in data sets with a small low-resolution stream atlas written by
// the packer in place of the generated one: 40 grid points around the
// default chart centre, 26 charts, one validity area and two slack
// positions. The start-up and the command-line program are then tested with
// an atlas whether or not the generated one is built in.

#include <string>

#include "core/types.h"
#include "data/data_set_packer.h"
#include "data/resource_store.h"
#include "datasets/builtin_datasets.h"

namespace corvane::testing {

inline constexpr int kPackedAtlasPoints = 40;
inline constexpr int kPackedAtlasCharts = 26;

// Grid point p: eight rows of five columns, 1.2' apart east-west and 0.7'
// north-south, south-west corner (-79, 3044).
inline TMinutes PackedAtlasPoint(int p) { return TMinutes{-79.0 + 1.2 * (p % 5), 3044.0 + 0.7 * (p / 5)}; }

// The built-in store with the packed atlas in place of STREAMG, STREAMF,
// AREAS and SLACK (no high-resolution atlas: STREAMP and STREAMV are left
// as built in).
inline TResourceStore StoreWithPackedAtlas() {
  TResourceStore store = BuiltInResourceStore();
  TDataSetPacker packer;
  packer.PackModelFrame(TRectF{-80, 3050, -73, 3043}, "Model The Quarne test");
  packer.PackCount(kPackedAtlasPoints);
  for (int p = 0; p < kPackedAtlasPoints; ++p) packer.PackCoord(PackedAtlasPoint(p));
  store.Add("STREAMG", packer.Bytes());
  packer.PackReset();
  packer.PackCount(kPackedAtlasPoints);
  for (int f = 0; f < kPackedAtlasCharts; ++f) {
    // Springs 0.5 to 4.8 knots, neaps half of that; point 7 is slack in
    // every chart.
    for (int p = 0; p < kPackedAtlasPoints; ++p) {
      const int springs = p == 7 ? 0 : 50 + 11 * p;
      packer.PackVektor((13 * f + 7 * p) % 360, springs, springs / 2);
    }
  }
  store.Add("STREAMF", packer.Bytes());
  packer.PackReset();
  packer.PackCount(4);
  for (const TMinutes& m : {TMinutes{-80, 3043}, TMinutes{-80, 3050}, TMinutes{-73, 3050}, TMinutes{-73, 3043}}) {
    packer.PackCoord(m);
  }
  store.Add("AREAS", packer.Bytes());
  packer.PackReset();
  packer.PackCount(2);
  packer.PackCoord(PackedAtlasPoint(7));
  packer.PackCoord(PackedAtlasPoint(39));
  store.Add("SLACK", packer.Bytes());
  return store;
}

// The built-in store without any data set of the stream atlas.
inline TResourceStore StoreWithoutStreamAtlas() {
  const TResourceStore builtIn = BuiltInResourceStore();
  TResourceStore store;
  for (const std::string& name : builtIn.Names()) {
    if (name.rfind("STREAM", 0) == 0 || name == "AREAS" || name == "SLACK") continue;
    std::optional<TResourceStream> stream = builtIn.Open(name);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream->Size()));
    stream->Read(bytes.data(), bytes.size());
    store.Add(name, std::move(bytes));
  }
  return store;
}

}  // namespace corvane::testing
