// Start-time sweeps on the built-in data: 144 starts, every 5 minutes for 12
// hours from 1 September 2016 09:00 local, of the default course (Orrasey
// Post to Fennick Post, 7 knots from 060) and of the three-leg course
// Orrasey Post, Fennick Post, buoy 37, Orrasey Post in 12 knots from 095.
// Each iteration is a whole sweep as corvane sweep runs it: the jobs
// prepared one by one, the starts routed on the cores.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "analysis/start_time_sweep.h"
#include "core/date_time.h"
#include "built_in_course.h"

namespace corvane {
namespace {

constexpr int kStarts = 144;
constexpr int kStepMinutes = 5;

void RunSweep(benchmark::State& bench, const std::string& waypoints, double knots, double degrees) {
  auto setup = std::make_unique<TBuiltInCourse>(waypoints, knots, degrees);
  if (!setup->Started) {
    bench.SkipWithError("the built-in start-up did not complete");
    return;
  }
  setup->State.DateTimeLOC = EncodeDateTime(2016, 9, 1, 9, 0, 0, 0);
  SetDateTimeGMT(setup->State);
  TSweepRequest request;
  request.FromGMT = setup->State.DateTimeGMT;
  request.ToGMT = IncMinute(request.FromGMT, (kStarts - 1) * kStepMinutes);
  request.StepMinutes = kStepMinutes;
  int complete = 0;
  for (auto _ : bench) {
    const TSweep sweep = SweepStartTimes(request, setup->Apps, setup->Controls, setup->State);
    complete = 0;
    for (const TSweptStart& start : sweep.Starts) complete += start.Complete ? 1 : 0;
    benchmark::DoNotOptimize(sweep.Best);
  }
  bench.SetLabel(std::to_string(kStarts) + " starts, " + std::to_string(complete) + " routed whole");
}

void BM_SweepDefaultCourse(benchmark::State& bench) { RunSweep(bench, kDefaultCourse, 7, 60); }
void BM_SweepThreeLegs(benchmark::State& bench) { RunSweep(bench, kThreeLegCourse, 12, 95); }

BENCHMARK(BM_SweepDefaultCourse)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SweepThreeLegs)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace corvane
