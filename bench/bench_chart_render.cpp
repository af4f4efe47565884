// The chart renderer on the built-in chart data at the default moment, on a
// 1920 x 1080 map image: a redraw of every layer of the off-screen bitmap
// (three device lengths each way, 5760 x 5760 at the default zoom) for the
// default view and for the whole chart (zoom 0), the pan copy of the
// visible window, and a window paint with its overlays. The stream atlas
// is drawn when it is built in.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <memory>

#include "chart/mobile_graphics.h"
#include "core/date_time.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "state/settings_quarne.h"
#include "analysis/current_field.h"

namespace corvane {
namespace {

struct TRenderSetup {
  int Argc = 1;
  char Arg0[16] = "bench_chart";
  char* Argv[2] = {Arg0, nullptr};
  std::unique_ptr<QGuiApplication> App;
  TInterfaceApplicationMobile State;
  TPackageCurrents Currents;
  TMobileGraphics Graphics;
  bool Atlas = false;

  explicit TRenderSetup(double zoom) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    App = std::make_unique<QGuiApplication>(Argc, Argv);
    TSettingsQuarne().Setup(2, 0, State);
    const TResourceStore store = BuiltInResourceStore();
    TPackageResourceLoader loader(store, TFileTools(std::filesystem::temp_directory_path()));
    loader.LoadListBuoys(State);
    loader.LoadSettingsMap(State);
    loader.LoadListMapTilesA(State);
    loader.LoadListMapTilesB(State);
    loader.LoadListTides(State, Currents.PackageTides);
    Atlas = store.FindResource("STREAMG") && store.FindResource("STREAMF");
    if (Atlas) {
      loader.LoadListCurrentsPositionsLight("STREAMG", State.CubeLoRes, Currents.PackageTides);
      loader.LoadListCurrentsVektorsLight("STREAMF", Currents.PackageTides, State.CubeLoRes);
      loader.LoadListCurrentsAreasLight(State.CubeLoRes);
      loader.LoadListCurrentsTextLight(State.CubeLoRes);
      loader.LoadListSlacks(State);
    }
    loader.LoadListTowns(State);
    loader.LoadListFlats(State);
    State.DateTimeGMT = EncodeDateTime(2016, 9, 1, 14, 0, 0, 0);
    SetDateTimeLOC(State);
    Currents.GetTidalCurrents(kCurrentsSourceDrawn, State);
    State.DeviceWidth = 1920;
    State.DeviceHeight = 1080;
    if (zoom >= 0) State.DeviceZoom = zoom;
    Graphics.InitDeviceProjection(State);
    Graphics.GetDeviceProjection(State);
    Graphics.DrawOffScreen(State);
  }
};

constexpr double kDefaultZoom = -1;  // keep the default zoom of the settings

void Label(benchmark::State& bench, const TRenderSetup& setup) {
  bench.SetLabel(std::string(setup.Atlas ? "atlas" : "no atlas") + ", off-screen " +
                 std::to_string(setup.Graphics.OffScreen.BitMap->Width()) + "x" +
                 std::to_string(setup.Graphics.OffScreen.BitMap->Height()));
}

void RunDrawOffScreen(benchmark::State& bench, double zoom) {
  auto setup = std::make_unique<TRenderSetup>(zoom);
  Label(bench, *setup);
  for (auto _ : bench) {
    setup->Graphics.DrawOffScreen(setup->State);
    benchmark::DoNotOptimize(setup->Graphics.OffScreenImage()->constBits());
  }
}

void BM_DrawOffScreenDefaultView(benchmark::State& bench) { RunDrawOffScreen(bench, kDefaultZoom); }
void BM_DrawOffScreenWholeChart(benchmark::State& bench) { RunDrawOffScreen(bench, 0); }

void BM_PanCopy(benchmark::State& bench) {
  auto setup = std::make_unique<TRenderSetup>(kDefaultZoom);
  Label(bench, *setup);
  setup->Graphics.GesturePanStart(TPointF{960, 540});
  float dx = 0;
  for (auto _ : bench) {
    // A small drag that stays inside the off-screen bitmap: no redraw.
    dx = dx > 100 ? 0 : dx + 5;
    setup->Graphics.GesturePan(setup->State, TPointF{960 - dx, 540});
    setup->Graphics.CopyOffScreenToOnScreen();
    benchmark::DoNotOptimize(setup->Graphics.OnScreenImage()->constBits());
  }
}

void BM_DrawOnScreenWithOverlays(benchmark::State& bench) {
  auto setup = std::make_unique<TRenderSetup>(kDefaultZoom);
  Label(bench, *setup);
  QImage window(1920, 1080, QImage::Format_ARGB32_Premultiplied);
  for (auto _ : bench) {
    QPainter painter(&window);
    setup->Graphics.DrawOnScreen(painter, TRectF{0, 0, 1920, 1080}, setup->State);
    painter.end();
    benchmark::DoNotOptimize(window.constBits());
  }
}

BENCHMARK(BM_DrawOffScreenDefaultView)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawOffScreenWholeChart)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PanCopy)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DrawOnScreenWithOverlays)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace corvane
