// window_screens <output folder>: pictures of the main window at 1600 x 1000
// on the offscreen platform (or the one QT_QPA_PLATFORM names, xcb under
// Xvfb say), for looking at the window by hand:
//   loading.png     the window while the data sets load (when caught)
//   startup.png     the window after start-up on the built-in data
//   routed_beat.png after "Routing all" on the default course
//   results.png     the side column scrolled to the results table
//   mark_drag.png   mark 1 armed and dragged on the chart
// The program folder is a temporary one, so the user's settings are neither
// read nor written.

#include <QApplication>
#include <QPixmap>
#include <QScrollArea>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/window/main_window.h"
#include "app/window/service_gestures.h"
#include "datasets/builtin_datasets.h"

namespace corvane {
namespace {

class TPrintedMessages : public TMessageSink {
 public:
  void ShowMessage(TMessageKind, const std::string& text) override { std::printf("message: %s\n", text.c_str()); }
};

void Settle() {
  for (int i = 0; i < 5; ++i) QCoreApplication::processEvents();
}

bool Save(QWidget& window, const std::filesystem::path& file) {
  Settle();
  const bool saved = window.grab().save(QString::fromStdString(file.string()), "PNG");
  std::printf("%s %s\n", saved ? "wrote" : "FAILED", file.string().c_str());
  return saved;
}

int Run(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  const std::filesystem::path program = std::filesystem::temp_directory_path() / "corvane-window-screens";
  std::filesystem::remove_all(program);
  TPrintedMessages messages;
  TFormCorvaneDesktop window(BuiltInResourceStore(), TFileTools::ForProgramFolder(program));
  window.Controls().Messages = &messages;
  window.resize(1600, 1000);
  window.show();
  QCoreApplication::processEvents();  // the first show starts the load
  bool ok = true;
  if (!window.Ready()) {
    const bool saved = window.grab().save(QString::fromStdString((folder / "loading.png").string()), "PNG");
    std::printf("%s %s\n", saved ? "wrote" : "FAILED", (folder / "loading.png").string().c_str());
  }
  while (!window.Ready()) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
  ok = Save(window, folder / "startup.png") && ok;

  TPackageProcess& process = window.Process();
  TInterfaceApplicationMobile& state = process.InterfaceApplicationMobile;
  const TRoutingRunResult run = process.GetRoutingNew(false, false);
  std::printf("routing: started %d, legs %d/%d, valid %d, message '%s'\n", run.Started, run.LegsRouted,
              run.LegsTried, run.RoutingValid, state.AppMessage.c_str());
  process.GetGotoTrack();
  ok = Save(window, folder / "routed_beat.png") && ok;

  if (auto* scroll = window.findChild<QScrollArea*>()) scroll->ensureWidgetVisible(window.Controls().ListView_Results, 0, 0);
  ok = Save(window, folder / "results.png") && ok;

  // Mark 1 where it is when the chart shows it, else moved into view.
  TMobileGraphics& graphics = process.MobileGraphics;
  TPointF m1 = graphics.Minutes_to_OnScreen(state.ListBuoysPosition[0], state.Offset);
  if (m1.X < 50 || m1.Y < 50 || m1.X > state.DeviceWidth - 50 || m1.Y > state.DeviceHeight - 50) {
    m1 = TPointF{static_cast<float>(state.DeviceWidth * 0.3), static_cast<float>(state.DeviceHeight * 0.6)};
    const TMinutes place = graphics.OnScreen_to_Minutes(m1, state.Offset);
    std::printf("mark 1 moved into view: %s\n", process.GetMarkInWater(place) ? "in water" : "ON LAND");
    state.ListBuoysPosition[0] = place;
  }
  process.MouseMap(kMouseDown, m1.X, m1.Y);
  process.MouseMap(kMouseUp, m1.X, m1.Y);
  process.MouseMap(kMouseDoubleClick, 0, 0);
  process.MouseMap(kMouseDown, m1.X, m1.Y);
  for (int step = 1; step <= 10; ++step) process.MouseMap(kMouseMove, m1.X + 8 * step, m1.Y - 5 * step);
  std::printf("drag: gesture %d, armed %d\n", state.Gesture, state.DeviceGestureMovableMarkActive);
  ok = Save(window, folder / "mark_drag.png") && ok;
  process.MouseMap(kMouseUp, m1.X + 80, m1.Y - 50);
  return ok ? 0 : 1;
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: window_screens <output folder>\n");
    return 2;
  }
  // Offscreen unless a platform is named (xcb under Xvfb, say).
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  return corvane::Run(argv[1]);
}
