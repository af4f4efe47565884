// The window's re-route path with "Live" on, for the three-leg course
// Orrasey Post, Fennick Post, buoy 37, Orrasey Post in 12 knots from 095 on
// the built-in data, from the change to the chart that shows its results: a
// change of the moment by a minute as the time keys make it (the drawn field
// of the new moment; with Live on the change leaves the drawing to the run
// that follows it), then the course prepared, routed and applied, and the
// chart drawn off screen with the streams, laylines, boats and results. The
// off-screen chart is that of a 1920 x 1080 map image at the default zoom.
// What is left to the window after it is the copy of the visible part
// (under a millisecond, bench_chart_render).

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <memory>

#include "analysis/routing_run.h"
#include "chart/mobile_graphics.h"
#include "core/date_time.h"
#include "built_in_course.h"

namespace corvane {
namespace {

// The window's parts of a run that cost: drawing the chart off screen.
class TDrawingWindow : public TRoutingRunWindow {
 public:
  TDrawingWindow(TMobileGraphics& graphics, TInterfaceApplicationMobile& state) : graphics_(graphics), state_(state) {}
  void DrawOffScreen() override { graphics_.DrawOffScreen(state_); }

 private:
  TMobileGraphics& graphics_;
  TInterfaceApplicationMobile& state_;
};

struct TLiveSetup {
  int Argc = 1;
  char Arg0[16] = "bench_live";
  char* Argv[2] = {Arg0, nullptr};
  std::unique_ptr<QGuiApplication> App;
  TBuiltInCourse Course{kThreeLegCourse, 12, 95};
  TMobileGraphics Graphics;

  TLiveSetup() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    App = std::make_unique<QGuiApplication>(Argc, Argv);
    Course.State.DeviceWidth = 1920;
    Course.State.DeviceHeight = 1080;
    Graphics.InitDeviceProjection(Course.State);
    Graphics.GetDeviceProjection(Course.State);
  }
};

void BM_LiveRerouteThreeLegs(benchmark::State& bench) {
  auto setup = std::make_unique<TLiveSetup>();
  if (!setup->Course.Started) {
    bench.SkipWithError("the built-in start-up did not complete");
    return;
  }
  TInterfaceApplicationMobile& state = setup->Course.State;
  TPackageApps& apps = setup->Course.Apps;
  TPackageControls& controls = setup->Course.Controls;
  TDrawingWindow window(setup->Graphics, state);
  int step = 1;
  TRoutingRunResult result;
  for (auto _ : bench) {
    // The change: a minute on (or back) and its field.
    state.DateTimeGMT = IncMinute(state.DateTimeGMT, step);
    step = -step;
    SetDateTimeLOC(state);
    setup->Course.Currents.GetTidalCurrents(kCurrentsSourceDrawn, state);
    // The re-route that follows it.
    const TRoutingJob job = PrepareRouting(false, false, apps, controls, state, &window, false);
    const TRoutedCourse routed = RouteJob(job);
    result = ApplyRouting(job, routed, apps, controls, state, &window);
  }
  if (!result.AllRouted()) bench.SkipWithError(("not every leg routed: " + state.AppMessage).c_str());
  bench.SetLabel("off-screen " + std::to_string(setup->Graphics.OffScreen.BitMap->Width()) + "x" +
                 std::to_string(setup->Graphics.OffScreen.BitMap->Height()));
}

BENCHMARK(BM_LiveRerouteThreeLegs)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane
