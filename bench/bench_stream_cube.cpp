// The routing stream lookup, GetTINVektor, runs for every node and step of a
// routing grid. Measured on a grid of the high-resolution atlas's size and
// spacing, narrowed to the routing hexagon of a 3 nm leg as the routing run
// narrows it, at positions on the water inside the hexagon and moments inside
// the chart window:
//   - the three-nearest search by walking the routing index (Scan) and by
//     the bucket index (Buckets), on the hexagon and on the whole grid;
//   - the whole lookup as defined (two field lookups, each with its own
//     scanned search) against GetTINVektor (one bucket search for both);
//   - rebuilding the routing index and its buckets for a new track.

#include <benchmark/benchmark.h>

#include <optional>
#include <random>
#include <vector>

#include "tests/tides/synthetic_stream_cube.h"
#include "tides/stream_cube.h"

namespace corvane {
namespace {

constexpr int kProbes = 4096;

struct TProbe {
  TMinutes Position;
  TDateTime Time;
};

struct TFixture {
  TListVektorCubeLight List = synthetic::MakeSyntheticHiResCube();
  TListMinutes Hexagon = synthetic::RoutingHexagon(List.MathTools, synthetic::LegStart(),
                                                   synthetic::kLegCourseDeg,
                                                   synthetic::kLegDistance);
  std::vector<TProbe> Probes;

  explicit TFixture(bool narrowed) {
    if (narrowed) {
      List.CloneRoutingArea(Hexagon);
      List.GetIndexRoutingArea();
    }
    std::mt19937 random(42);
    std::uniform_real_distribution<double> offset(0, 25 * synthetic::kHalfHour);
    for (int k = 0; k < kProbes; ++k) {
      Probes.push_back({synthetic::RandomPositionIn(List.MathTools, Hexagon, random, true),
                        synthetic::kSyntheticFirstChart + offset(random)});
    }
  }
};

// Builds the grid for each run; range(0) is 1 for the routing hexagon, 0 for
// the whole grid.
class TStreamCubeBench : public benchmark::Fixture {
 public:
  void SetUp(const benchmark::State& state) override { fixture_.emplace(state.range(0) != 0); }
  void TearDown(const benchmark::State&) override { fixture_.reset(); }

 protected:
  TFixture& F() { return *fixture_; }
  void ReportIndexSize(benchmark::State& state) {
    state.counters["index_points"] =
        static_cast<double>(F().List.ListVektorCube[0].IndexRoutingArea.size());
  }

 private:
  std::optional<TFixture> fixture_;
};

BENCHMARK_DEFINE_F(TStreamCubeBench, NearestScan)(benchmark::State& state) {
  TFixture& f = F();
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(f.List.GetNearestPositionsByScan(0, f.Probes[k].Position));
    k = (k + 1) % f.Probes.size();
  }
  ReportIndexSize(state);
}

BENCHMARK_DEFINE_F(TStreamCubeBench, NearestBuckets)(benchmark::State& state) {
  TFixture& f = F();
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(f.List.GetNearestPositions(0, f.Probes[k].Position));
    k = (k + 1) % f.Probes.size();
  }
  ReportIndexSize(state);
}

BENCHMARK_REGISTER_F(TStreamCubeBench, NearestScan)->ArgName("hexagon")->Arg(1)->Arg(0);
BENCHMARK_REGISTER_F(TStreamCubeBench, NearestBuckets)->ArgName("hexagon")->Arg(1)->Arg(0);

// The lookup exactly as written out: the pair of charts, then for each chart
// the routing-area test and a scanned three-nearest search, the weights, and
// the blend in time.
TCartesian TINVektorByScan(const TListVektorCubeLight& list, const TMinutes& p, TDateTime t) {
  const auto pair = list.GetFieldsAround(true, t);
  if (!pair) return {};
  const TVektorCubeLight& cube = list.ListVektorCube[0];
  TCartesian fieldVektor[2];
  const int fields[2] = {pair->FieldBefore, pair->FieldAfter};
  for (int k = 0; k < 2; ++k) {
    if (!list.MathTools.GetInPolygon(p, list.ListRoutingArea)) return {};
    const TNearestPositions nearest = list.GetNearestPositionsByScan(0, p);
    fieldVektor[k] = list.GetWeightedVektor(
        nearest, cube.ListVektorField[static_cast<std::size_t>(fields[k])].ValueC);
  }
  return list.BlendVektors(fieldVektor[0], list.MathTools.CartesianToPolar(fieldVektor[0]),
                           pair->TimeBefore, fieldVektor[1],
                           list.MathTools.CartesianToPolar(fieldVektor[1]), pair->TimeAfter, t);
}

BENCHMARK_DEFINE_F(TStreamCubeBench, TINVektorByScan)(benchmark::State& state) {
  TFixture& f = F();
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(TINVektorByScan(f.List, f.Probes[k].Position, f.Probes[k].Time));
    k = (k + 1) % f.Probes.size();
  }
  ReportIndexSize(state);
}

BENCHMARK_DEFINE_F(TStreamCubeBench, TINVektor)(benchmark::State& state) {
  TFixture& f = F();
  std::size_t k = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(f.List.GetTINVektor(true, 0, f.Probes[k].Position, f.Probes[k].Time));
    k = (k + 1) % f.Probes.size();
  }
  ReportIndexSize(state);
}

BENCHMARK_REGISTER_F(TStreamCubeBench, TINVektorByScan)->ArgName("hexagon")->Arg(1);
BENCHMARK_REGISTER_F(TStreamCubeBench, TINVektor)->ArgName("hexagon")->Arg(1);

// Once per routed track: the routing index from the hexagon, then the first
// search, which builds the buckets of cube 0.
BENCHMARK_DEFINE_F(TStreamCubeBench, IndexRebuild)(benchmark::State& state) {
  TFixture& f = F();
  for (auto _ : state) {
    f.List.GetIndexRoutingArea();
    benchmark::DoNotOptimize(f.List.GetNearestPositions(0, f.Probes[0].Position));
  }
  ReportIndexSize(state);
}

BENCHMARK_REGISTER_F(TStreamCubeBench, IndexRebuild)
    ->ArgName("hexagon")
    ->Arg(1)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace corvane
