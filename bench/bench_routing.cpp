// Routing runs on the built-in data at the default moment (1 September 2016
// 15:00 local): the default course, Orrasey Post to Fennick Post, a beat of
// 2.99 nm in the default wind of 7 knots from 060; and a three-leg course
// in 12 knots from 095: the beat to Fennick Post, a reach of 2.17 nm on to
// buoy 37 and a run of 3.70 nm back to Orrasey Post. Each iteration is a whole silent
// run as printing starts it: the drawn field of the moment, and per leg the
// routing hexagon with its tiles, the routing stream field, the leg-type
// detection and the grid routing with its results.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>

#include "analysis/package_apps.h"
#include "analysis/routing_run.h"
#include "core/constants.h"
#include "core/file_tools.h"
#include "core/type_names.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "startup/startup.h"

namespace corvane {
namespace {

// Orrasey Post (7Y) to Fennick Post (7S): a beat in a wind from 060.
constexpr const char* kDefaultCourse = "183;177";
// Orrasey Post, Fennick Post, buoy 37, Orrasey Post.
constexpr const char* kBeatReachRun = "183;177;37;183";

struct TRoutingBench {
  TPackageResourceLoader Loader{BuiltInResourceStore(), TFileTools(std::filesystem::temp_directory_path())};
  TPackageCurrents Currents;
  TInterfaceApplicationMobile State;
  TPackageApps Apps{Currents};
  TPackageControls Controls;
  bool Started = false;

  TRoutingBench(const std::string& waypoints, double knots, double degrees) {
    Started = RunStartup(Loader, Currents, State).Completed;
    State.TrackType = 3;
    State.ListWayPoints = waypoints;
    Apps.SetListRoutingData(State);
    State.Wind.TrueWind = TPolar{knots, degrees * kDegreesToRadians};
  }
};

void RunCourse(benchmark::State& bench, const std::string& waypoints, double knots, double degrees) {
  auto setup = std::make_unique<TRoutingBench>(waypoints, knots, degrees);
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
void BM_RouteBeatReachRun(benchmark::State& bench) { RunCourse(bench, kBeatReachRun, 12, 95); }

BENCHMARK(BM_RouteDefaultCourse)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RouteBeatReachRun)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane
