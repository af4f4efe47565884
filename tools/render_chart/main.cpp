// render_chart <output folder>: renders PNG pictures of the chart from the
// built-in data sets at the default moment (1 September 2016 14:00 GMT):
//   default_view.png   the start-up view of a 1920 x 1080 map image
//   whole_chart.png    the whole chart (zoom 0) on the same image
//   routed_beat.png    the default course as a routed beat with laylines,
//                      best course and boats, from hand-filled routing
//                      records (zoomed to the track)
// The stream atlas is drawn when its data sets are built in.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>

#include "chart/mobile_graphics.h"
#include "core/constants.h"
#include "core/date_time.h"
#include "core/string_tools.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "state/settings_quarne.h"
#include "startup/startup.h"
#include "analysis/current_field.h"

namespace corvane {
namespace {

constexpr int kDeviceWidth = 1920;
constexpr int kDeviceHeight = 1080;

// The state as the program starts it on the built-in data sets, at the
// default moment; a program folder of its own keeps the user's settings out
// of the pictures. True when the stream atlas is built in.
bool LoadState(TInterfaceApplicationMobile& state, TPackageCurrents& currents) {
  const TResourceStore store = BuiltInResourceStore();
  TPackageResourceLoader loader(
      store, TFileTools::ForProgramFolder(std::filesystem::temp_directory_path() / "corvane-render-chart"));
  const TStartupResult result = RunStartup(loader, currents, state);
  if (!result.Completed) std::fprintf(stderr, "start-up stopped: %s\n", result.Error.c_str());
  return store.FindResource("STREAMG") && store.FindResource("STREAMF");
}

// A position moved by (east, north) nautical miles.
TMinutes Move(const TMinutes& from, double east, double north) {
  return TMinutes{from.Lon + east / std::cos(from.Lat / 60 * kDegreesToRadians), from.Lat + north};
}

// The default course (buoys 183 to 177, or two points near the default
// centre) as a routed beat: two tacks, both laylines, the laylines
// without stream, boats along the track and the boat at the moment.
void FillRoutedBeat(TInterfaceApplicationMobile& state) {
  const std::size_t buoys = state.ListBuoysPosition.size();
  const TMinutes start = buoys > 183 ? state.ListBuoysPosition[183] : Move(state.DeviceCenter, 0, -1);
  const TMinutes finish = buoys > 183 ? state.ListBuoysPosition[177] : Move(state.DeviceCenter, 0, 1);
  const double cosLat = std::cos(start.Lat / 60 * kDegreesToRadians);
  const double dx = (finish.Lon - start.Lon) * cosLat;
  const double dy = finish.Lat - start.Lat;
  const double bearing = std::atan2(dx, dy);
  const double distance = std::hypot(dx, dy);

  // The wind 10 degrees right of the course; tacks 45 degrees either side.
  const double wind = bearing + 10 * kDegreesToRadians;
  state.Wind.TrueWind = TPolar{12, wind};
  const double h1 = wind - 45 * kDegreesToRadians;  // port-tack heading (wind on the right)
  const double h2 = wind + 45 * kDegreesToRadians;
  // dx, dy = a u1 + b u2 with u = (sin h, cos h).
  const double det = std::sin(h1) * std::cos(h2) - std::cos(h1) * std::sin(h2);
  const double a = (dx * std::cos(h2) - dy * std::sin(h2)) / det;
  const double b = (std::sin(h1) * dy - std::cos(h1) * dx) / det;
  auto along = [&](const TMinutes& from, double heading, double miles) {
    return Move(from, miles * std::sin(heading), miles * std::cos(heading));
  };
  const TMinutes tack1 = along(start, h1, a / 2);
  const TMinutes tack2 = along(tack1, h2, b);
  const TMinutes crossLeft = along(start, h1, a);
  const TMinutes crossRight = along(start, h2, b);

  TRoutingData& track = state.ListRoutingData.Add();
  track.TrackStart = start;
  track.TrackFinish = finish;
  track.TrackDistance = distance;
  track.TrackAngle = bearing * kRadiansToDegrees;
  track.TrackCenter = TMinutes{(start.Lon + finish.Lon) / 2, (start.Lat + finish.Lat) / 2};
  track.TypeOfCourse = 1;
  track.RoutingEnabled = true;
  track.LayLinesValid = true;
  track.LayLineCrossLeft = crossLeft;
  track.LayLineCrossRight = crossRight;
  track.FinalTack = tack2;
  track.FinalCourse = std::fmod(h1 * kRadiansToDegrees + 360, 360);
  track.CurrentsWind = wind + 6 * kDegreesToRadians;
  track.CurrentsWindShift = 6;

  // Legs of the best course, with the boats every 0.03 nm at 6 knots.
  struct Leg {
    TMinutes From;
    double Heading;
    double Miles;
    std::uint8_t Bug;
  };
  const Leg legs[] = {{start, h1, a / 2, 1}, {tack1, h2, b, 2}, {tack2, h1, a / 2, 1}};
  constexpr double kStep = 0.03;
  constexpr double kSpeed = 6;
  double elapsed = 0;
  TListCoords forward;
  for (const Leg& leg : legs) {
    const int steps = static_cast<int>(std::ceil(leg.Miles / kStep));
    for (int i = 0; i <= steps; ++i) {
      const double miles = std::min(leg.Miles, i * kStep);
      TBoat& boat = track.ListBoat.Add();
      boat.CoordM = along(leg.From, leg.Heading, miles);
      boat.Angle = leg.Heading;
      boat.Bug = leg.Bug;
      boat.Attack = 7;
      boat.Tack = i == 0 && &leg != &legs[0];
      boat.Time = (elapsed + miles) / kSpeed;
      forward.Add(boat.CoordM);
    }
    elapsed += leg.Miles;
  }
  for (auto it = forward.Items.rbegin(); it != forward.Items.rend(); ++it) {
    track.ListBestCourse.Add(it->CoordM);
  }
  // Laylines through the stream bend a little; drawn as three-point lines.
  track.ListLaylineLeft.Add(start);
  track.ListLaylineLeft.Add(along(start, h1 + 0.05, a / 2));
  track.ListLaylineLeft.Add(crossLeft);
  track.ListLaylineLeft.Add(finish);
  track.ListLaylineRight.Add(start);
  track.ListLaylineRight.Add(along(start, h2 - 0.05, b / 2));
  track.ListLaylineRight.Add(crossRight);
  track.ListLaylineRight.Add(finish);
  track.TimeBestCourse = elapsed / kSpeed;
  track.DateTimeStartGMT = IncMinute(state.DateTimeGMT, -20);
  track.DateTimeFinishGMT = IncMinute(track.DateTimeStartGMT,
                                      static_cast<std::int64_t>(track.TimeBestCourse * 60) + 1);
  state.RoutingValid = true;
  state.DrawRouting = true;
}

bool Render(TMobileGraphics& graphics, const TInterfaceApplicationMobile& state,
            const std::filesystem::path& file) {
  graphics.DrawOffScreen(state);
  QImage window(kDeviceWidth, kDeviceHeight, QImage::Format_ARGB32_Premultiplied);
  window.fill(Qt::white);
  QPainter painter(&window);
  graphics.DrawOnScreen(painter, TRectF{0, 0, kDeviceWidth, kDeviceHeight}, state);
  painter.end();
  const bool saved = window.save(QString::fromStdString(file.string()), "PNG");
  std::printf("%s %s (zoom %.2f, %.1f px/min, off-screen %d x %d)\n", saved ? "wrote" : "FAILED",
              file.string().c_str(), static_cast<double>(state.DeviceZoom),
              static_cast<double>(graphics.SeaMapPixPerSm), graphics.OffScreen.BitMap->Width(),
              graphics.OffScreen.BitMap->Height());
  return saved;
}

int Run(const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  TInterfaceApplicationMobile state;
  TPackageCurrents currents;
  const bool atlas = LoadState(state, currents);
  std::printf("stream atlas %s; tides %s; %zu tiles, %zu buoys\n", atlas ? "built in" : "absent",
              state.TidesValid ? "valid" : "invalid", state.ListMapTiles.size(),
              state.ListBuoysName.size());
  state.DeviceWidth = kDeviceWidth;
  state.DeviceHeight = kDeviceHeight;

  TMobileGraphics graphics;
  graphics.InitDeviceProjection(state);
  graphics.GetDeviceProjection(state);
  bool ok = Render(graphics, state, folder / "default_view.png");

  const double zoom = state.DeviceZoom;
  state.DeviceZoom = 0;
  graphics.GestureZoom(state);
  ok = Render(graphics, state, folder / "whole_chart.png") && ok;
  state.DeviceZoom = zoom;

  FillRoutedBeat(state);
  graphics.GetGotoTrack(*state.ListRoutingData.GetItem(0), state);
  ok = Render(graphics, state, folder / "routed_beat.png") && ok;
  return ok ? 0 : 1;
}

}  // namespace
}  // namespace corvane

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: render_chart <output folder>\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  return corvane::Run(argv[1]);
}
