// Routing runs on the built-in data at the default moment (1 September 2016
// 15:00 local): the default course, Orrasey Post to Fennick Post, a beat of
// 2.99 nm in the default wind of 7 knots from 060; and a three-leg course
// in 12 knots from 095: a reach to Fennick Post, a reach of 2.17 nm on to
// buoy 37 and a run of 3.70 nm back to Orrasey Post. Each iteration is a
// whole silent run as printing starts it: the drawn field of the moment, and per leg the
// routing hexagon with its tiles, the routing stream field, the leg-type
// detection and the grid routing with its results.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "analysis/routing_run.h"
#include "built_in_course.h"
#include "core/type_names.h"

namespace corvane {
namespace {

void RunCourse(benchmark::State& bench, const std::string& waypoints, double knots, double degrees) {
  auto setup = std::make_unique<TBuiltInCourse>(waypoints, knots, degrees);
  if (!setup->Started) {
    bench.SkipWithError("the built-in start-up did not complete");
    return;
  }
  TRoutingRunResult result;
  for (auto _ : bench) {
    result = GetRoutingNew(true, false, setup->Apps, setup->Controls, setup->State);
    benchmark::DoNotOptimize(result);
  }
  std::string types;
  for (const auto& track : setup->State.ListRoutingData.Items) {
    types += (types.empty() ? "" : ", ") + TTypes().GetTypeOfCourse(track->TypeOfCourse);
  }
  bench.SetLabel(types);
  if (!result.AllRouted()) bench.SkipWithError(("not every leg routed: " + setup->State.AppMessage).c_str());
}

void BM_RouteDefaultCourse(benchmark::State& bench) { RunCourse(bench, kDefaultCourse, 7, 60); }
void BM_RouteThreeLegs(benchmark::State& bench) { RunCourse(bench, kThreeLegCourse, 12, 95); }

BENCHMARK(BM_RouteDefaultCourse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RouteThreeLegs)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane
