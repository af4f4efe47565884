// The stream fields of the default moment (1 September 2016 14:00 GMT) on
// the built-in tide table: the drawn field (GetTidalCurrents with source 1,
// the low-resolution cube with labels and slack marks), the routing field
// (the stream of a run's conditions over the high-resolution atlas, with the
// day's atlas already unpacked, and for a day not unpacked before), and one
// routing stream read inside a leg's hexagon. The built-in stream atlas is
// used when it exists;
// otherwise a synthetic atlas of its documented shape: 26 half-hourly
// fields; a low-resolution cube 0 of 498 points on a staggered lattice 0.4'
// by 0.5' apart and a high-resolution cube 0 of 4956 points 0.12' by 0.15'
// apart; sub-area cubes of 7, 10, 2, 2, 2, 6 and 4 points; 528 label and 49
// slack positions.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>

#include "analysis/current_field.h"
#include "analysis/run_conditions.h"
#include "core/date_time.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "routing/routing_area.h"

namespace corvane {
namespace {

constexpr int kFields = 26;
constexpr int kSubAreaPoints[] = {7, 10, 2, 2, 2, 6, 4};
constexpr float kFrameLeft = -94.203f;
constexpr float kFrameBottom = 3041.13f;
constexpr float kFrameRight = -62.8f;
constexpr float kFrameTop = 3051.18f;

// A packed vector that turns with the field and varies over the grid.
std::int32_t SyntheticVektor(int field, int point) {
  const int direction = (field * 14 + point % 37) % 360;
  const int spring = 40 + (point * 7 + field * 3) % 400;
  return direction * 1000000 + spring * 1000 + spring / 2;
}

void AddSyntheticCube(TListVektorCubeLight& atlas, int points, int rows, double dLon, double dLat,
                      double lon0, double lat0, bool staggered) {
  const int c = atlas.AddCube();
  atlas.AddFields(c, kFields);
  atlas.AddPositions(c, points);
  for (int p = 0; p < points; ++p) {
    const int column = p / rows;
    const double shift = staggered && column % 2 == 1 ? dLat / 2 : 0;
    const TMinutes m{lon0 + column * dLon, lat0 + (p % rows) * dLat + shift};
    atlas.SetPosition(c, p, static_cast<float>(m.Lat), static_cast<float>(m.Lon));
  }
  for (int f = 0; f < kFields; ++f) {
    atlas.AddVektors(c, f, points);
    for (int p = 0; p < points; ++p) atlas.SetVektorPacked(c, f, SyntheticVektor(f, p), p);
  }
}

void BuildSyntheticAtlas(TListVektorCubeLight& atlas, bool highResolution) {
  atlas.ClrCubes();
  atlas.ModelFrame = TRectF{kFrameLeft, kFrameTop, kFrameRight, kFrameBottom};
  atlas.SetDefaultRoutingArea(atlas.ModelFrame);
  if (highResolution) {
    AddSyntheticCube(atlas, 4956, 59, 0.12, 0.15, -86.0, 3042.0, false);
  } else {
    AddSyntheticCube(atlas, 498, 20, 0.4, 0.5, -86.0, 3042.0, true);
  }
  for (int k = 0; k < 7; ++k) {
    AddSyntheticCube(atlas, kSubAreaPoints[k], 2, 0.05, 0.05, -76.0 + k, 3044.0, false);
  }
  for (int c = 0; c < atlas.GetCountCubes(); ++c) {
    // Cube 0 covers the frame; each sub-area a small square of its own.
    const float west = c == 0 ? kFrameLeft : -76.1f + (c - 1);
    const float east = c == 0 ? kFrameRight : -75.6f + (c - 1);
    const float south = c == 0 ? kFrameBottom : 3043.9f;
    const float north = c == 0 ? kFrameTop : 3044.4f;
    atlas.AddVektorArea(c, 4);
    atlas.SetVektorArea(c, 0, south, west);
    atlas.SetVektorArea(c, 1, north, west);
    atlas.SetVektorArea(c, 2, north, east);
    atlas.SetVektorArea(c, 3, south, east);
  }
  if (!highResolution) {
    atlas.AddPositionsText(528);
    for (int i = 0; i < 528; ++i) {
      atlas.SetPositionText(i, 3042.2f + 0.4f * static_cast<float>(i % 22),
                            -85.9f + 0.4f * static_cast<float>(i / 22));
    }
    atlas.AddSlacks(49);
    for (int i = 0; i < 49; ++i) {
      atlas.SetSlackPosition(i, TMinutes{-85.7 + 0.3 * (i / 7), 3042.3 + 0.6 * (i % 7)});
    }
  }
}

struct TBenchSetup {
  TInterfaceApplicationMobile State;
  TPackageCurrents Currents;
  bool BuiltInAtlas = false;

  TBenchSetup() {
    const TResourceStore store = BuiltInResourceStore();
    TPackageResourceLoader loader(store, TFileTools(std::filesystem::temp_directory_path()));
    loader.LoadListTides(State, Currents.PackageTides);
    BuiltInAtlas = store.FindResource("STREAMG") && store.FindResource("STREAMF") &&
                   store.FindResource("STREAMP") && store.FindResource("STREAMV");
    if (BuiltInAtlas) {
      loader.LoadListCurrentsPositionsLight("STREAMP", State.CubeHiRes, Currents.PackageTides);
      loader.LoadListCurrentsPositionsLight("STREAMG", State.CubeLoRes, Currents.PackageTides);
      loader.LoadListCurrentsVektorsLight("STREAMV", Currents.PackageTides, State.CubeHiRes);
      loader.LoadListCurrentsVektorsLight("STREAMF", Currents.PackageTides, State.CubeLoRes);
      loader.LoadListCurrentsAreasLight(State.CubeHiRes);
      loader.LoadListCurrentsAreasLight(State.CubeLoRes);
      loader.LoadListCurrentsTextLight(State.CubeLoRes);
      loader.LoadListSlacks(State);
    } else {
      BuildSyntheticAtlas(State.CubeLoRes, false);
      BuildSyntheticAtlas(State.CubeHiRes, true);
    }
    State.DateTimeGMT = EncodeDateTime(2016, 9, 1, 14, 0, 0, 0);
  }
};

void BM_GetTidalCurrentsDrawn(benchmark::State& bench) {
  auto setup = std::make_unique<TBenchSetup>();
  bench.SetLabel(setup->BuiltInAtlas ? "built-in atlas" : "synthetic atlas");
  for (auto _ : bench) {
    setup->Currents.GetTidalCurrents(kCurrentsSourceDrawn, setup->State);
    benchmark::DoNotOptimize(setup->State.CubeLoRes.ListVektorCube.data());
  }
  if (!setup->State.TidesValid) bench.SkipWithError("the tide table does not cover the moment");
}

// The routing field of a run: the conditions' stream, ready to read. With
// a new day the atlas is unpacked again for its range.
void RunRoutingField(benchmark::State& bench, bool newDay) {
  auto setup = std::make_unique<TBenchSetup>();
  bench.SetLabel(setup->BuiltInAtlas ? "built-in atlas" : "synthetic atlas");
  bool stream = true;
  for (auto _ : bench) {
    if (newDay) setup->Currents.StreamAtlases.Clear();
    const TRoutingConditions conditions = BuildRoutingConditions(setup->State, setup->Currents);
    stream = stream && static_cast<bool>(conditions.Stream);
    benchmark::DoNotOptimize(conditions);
  }
  if (!stream) bench.SkipWithError("the tide table does not cover the moment");
}

void BM_RoutingFieldOfTheMoment(benchmark::State& bench) { RunRoutingField(bench, false); }
void BM_RoutingFieldOfANewDay(benchmark::State& bench) { RunRoutingField(bench, true); }

// One stream read at the points of a 10 x 10 lattice inside the hexagon of
// the default course (Orrasey Post to Fennick Post), an hour into the leg.
void BM_RoutingStreamRead(benchmark::State& bench) {
  auto setup = std::make_unique<TBenchSetup>();
  const TRoutingConditions conditions = BuildRoutingConditions(setup->State, setup->Currents);
  TRoutingData track;
  track.TrackStart = TMinutes{-80.2, 3046.5};
  track.TrackFinish = TMinutes{-76.1, 3048.0};
  track.TrackAngle = 60;
  track.TrackDistance = 2.99;
  const TStreamField stream = conditions.StreamFor(GetRoutingHexagon(TMathTools(), track));
  if (!stream) {
    bench.SkipWithError("no stream");
    return;
  }
  std::size_t k = 0;
  for (auto _ : bench) {
    const TMinutes p{-80 + 0.4 * static_cast<double>(k % 10), 3046.3 + 0.17 * static_cast<double>(k / 10 % 10)};
    benchmark::DoNotOptimize(stream(p, 1.0));
    ++k;
  }
}

BENCHMARK(BM_GetTidalCurrentsDrawn)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RoutingFieldOfTheMoment)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RoutingFieldOfANewDay)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RoutingStreamRead);

}  // namespace
}  // namespace corvane
