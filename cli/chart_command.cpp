// corvane chart: the chart as the window shows it, with its overlays,
// written to a PNG file for a moment, a wind, a course and a calibration
// (the situation options of corvane route and corvane print).
//
// With --route the course is routed first, exactly as corvane route runs it
// ("Routing all", or "Routing track" for the track of --track), and the
// chart shows what the window shows after that run: the best courses, the
// laylines and the boats on the tracks. The run's messages go to standard
// error, one line each. A run that was refused or left a leg unrouted still
// writes the picture (the course as far as it was routed, or unrouted), so
// that it can be looked at, and the exit code is then 1.
//
// The picture is painted by the window's renderer on an image, so it needs
// no display; the renderer's fonts need a GUI application object, which is
// made here on the offscreen platform when the program has none.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <iomanip>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "chart/mobile_graphics.h"
#include "cli/commands.h"
#include "cli/offscreen_application.h"
#include "cli/scenario_options.h"
#include "cli/scenario_routing.h"
#include "core/math_tools.h"
#include "core/string_tools.h"

namespace corvane::cli {

namespace {

constexpr int kDefaultWidth = 1920;
constexpr int kDefaultHeight = 1080;
// Below this the legend and the tide bar do not fit. The renderer's bitmaps
// grow with the square of the longer side, some 45 bytes for each of its
// pixels: 3000 x 3000 takes 430 MB and 1.7 s with --route, 8000 x 8000 took
// 2.8 GB. 3000 pixels print 25 cm at 300 dpi, the short side of an A3 page
// at 250 dpi.
constexpr int kMinPixels = 200;
constexpr int kMaxPixels = 3000;

struct TChartOptions {
  std::string Out;
  int Width = kDefaultWidth;
  int Height = kDefaultHeight;
  std::optional<double> Zoom;
  std::vector<std::string> Center;  // longitude, latitude
  std::optional<int> Track;         // from 1
  bool Route = false;
  TScenarioOptions Scenario;
};


std::string Fixed(double value, int digits) {
  std::ostringstream text;
  text << std::fixed << std::setprecision(digits) << static_cast<double>(value);
  return text.str();
}

std::optional<TMinutes> ParseCenter(const std::vector<std::string>& center) {
  if (center.size() != 2) return std::nullopt;
  const std::optional<double> lon = ParseCoordinate(center[0], false);
  const std::optional<double> lat = ParseCoordinate(center[1], true);
  if (!lon || !lat) return std::nullopt;
  return TMinutes{*lon, *lat};
}

bool InChart(const TMinutes& position, const TMapArea& chart) {
  return position.Lon >= std::min(chart.P1.Lon, chart.P2.Lon) && position.Lon <= std::max(chart.P1.Lon, chart.P2.Lon) &&
         position.Lat >= std::min(chart.P1.Lat, chart.P2.Lat) && position.Lat <= std::max(chart.P1.Lat, chart.P2.Lat);
}

std::string CourseNames(const TInterfaceApplicationMobile& state) {
  TStringTools tools;
  std::string text;
  const TListRoutingData& tracks = state.ListRoutingData;
  for (const auto& track : tracks.Items) {
    if (text.empty()) text = tools.ToExtendedNameMovableMark(track->BuoyStart);
    text += ", " + tools.ToExtendedNameMovableMark(track->BuoyFinish);
  }
  return state.ListWayPoints + (text.empty() ? "" : " (" + text + ")");
}

int RunChart(TCliContext& context, const TChartOptions& options, std::ostream& out, std::ostream& err) {
  if (options.Width < kMinPixels || options.Width > kMaxPixels || options.Height < kMinPixels ||
      options.Height > kMaxPixels) {
    throw TUsageError("--width and --height: " + std::to_string(options.Width) + " x " +
                      std::to_string(options.Height) + " pixels; each must lie from " + std::to_string(kMinPixels) +
                      " to " + std::to_string(kMaxPixels) + " (" + std::to_string(kMaxPixels) +
                      " pixels print 25 cm at 300 dpi)");
  }
  std::optional<TMinutes> center;
  if (!options.Center.empty()) {
    center = ParseCenter(options.Center);
    if (!center) {
      throw TUsageError("--center " + options.Center.front() + " " + options.Center.back() +
                        ": expected a longitude and a latitude in degrees (-1.28 50.77)");
    }
  }
  ApplyScenario(context, options.Scenario, err);
  TInterfaceApplicationMobile& state = context.State;
  if (options.Zoom && !(*options.Zoom >= 0 && *options.Zoom <= state.DeviceZoomMax)) {
    throw TUsageError("--zoom " + Fixed(*options.Zoom, 2) + ": the zoom lies from 0 (the "
                      "whole chart) to " + std::to_string(static_cast<int>(state.DeviceZoomMax)));
  }
  if (center && !InChart(*center, state.SeaMap)) {
    const TMathTools math;
    throw TUsageError("--center: " + math.MinutesToGeoPos(*center) + " lies outside the chart, which spans " +
                      math.MinutesToGeoPos(state.SeaMap.P1) + " to " + math.MinutesToGeoPos(state.SeaMap.P2));
  }
  const int tracks = state.ListRoutingData.Count();
  if (options.Track && (*options.Track < 1 || *options.Track > tracks)) {
    throw TUsageError("--track " + std::to_string(*options.Track) + ": the course " + state.ListWayPoints + " has " +
                      std::to_string(tracks) + " track(s), numbered from 1");
  }
  if (options.Track) state.ListRoutingData.IndexTrack = *options.Track - 1;
  std::optional<TRoutingRunResult> run;
  if (options.Route) {
    if (tracks == 0) throw TUsageError("the course " + state.ListWayPoints + " has no track to route");
    // Before the view is set up: the chart is drawn from the routed state.
    TScenarioRouting routing(context, &err);
    run = routing.Run(options.Track.has_value());
  }

  const TOffscreenApplication application;
  state.DeviceWidth = options.Width;
  state.DeviceHeight = options.Height;
  if (center) state.DeviceCenter = *center;
  if (options.Zoom) state.DeviceZoom = *options.Zoom;
  TMobileGraphics graphics;
  graphics.InitDeviceProjection(state);
  graphics.GetDeviceProjection(state);
  if (options.Track) {
    graphics.GetGotoTrack(*state.ListRoutingData.GetItem(*options.Track - 1), state);
    if (options.Zoom) {
      // A zoom given with the track wins over the one that fits the track.
      state.DeviceZoom = *options.Zoom;
      graphics.GestureZoom(state);
    }
  }
  graphics.DrawOffScreen(state);
  QImage image(options.Width, options.Height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  graphics.DrawOnScreen(painter, TRectF{0, 0, static_cast<float>(options.Width), static_cast<float>(options.Height)},
                        state);
  painter.end();
  if (!image.save(QString::fromStdString(options.Out), "PNG")) {
    throw TUsageError("--out " + options.Out + ": the picture cannot be written there");
  }

  const TMathTools math;
  TStringTools tools;
  out << Row("Chart", options.Out + ", " + std::to_string(options.Width) + " x " + std::to_string(options.Height) +
                          " pixels");
  out << Row("Moment", context.MomentText());
  out << Row("Centre", math.MinutesToGeoPos(state.DeviceCenter));
  out << Row("Zoom", Fixed(state.DeviceZoom, 2) + " of 0 (whole chart) to " +
                         std::to_string(static_cast<int>(state.DeviceZoomMax)));
  out << Row("Course", CourseNames(state));
  out << Row("Wind", tools.ToSpeed(state.Wind.TrueWind.Betrag, 1) + " from " +
                         tools.ToWindDirection(state.Wind.TrueWind.Winkel));
  out << Row("Calibration", tools.ToCalibrationText(state.IndexTideShift, state.IndexRangeShift));
  if (!context.HasStreamAtlas()) out << Row("Streams", "none drawn: no stream atlas is built in");
  if (!run) return kExitOk;
  const int legs = options.Track ? 1 : tracks;
  out << Row("Legs routed", std::to_string(run->LegsRouted) + " of " + std::to_string(legs) +
                                (run->Started ? "" : " (the run was refused)"));
  return run->AllRouted() ? kExitOk : kExitFailure;
}

}  // namespace

TCommand AddChartCommand(CLI::App& app) {
  auto options = std::make_shared<TChartOptions>();
  TCommand command;
  command.Sub = app.add_subcommand(
      "chart", "The chart as the window shows it, with its overlays, written to a PNG file");
  command.Sub->add_option("--out", options->Out, "PNG file to write")->type_name("FILE.png")->required();
  command.Sub->add_option("--width", options->Width, "Image width, pixels (200 to 3000, default 1920)")
      ->type_name("W");
  command.Sub->add_option("--height", options->Height, "Image height, pixels (200 to 3000, default 1080)")
      ->type_name("H");
  command.Sub->add_option("--zoom", options->Zoom, "Zoom, 0 (the whole chart) up to the settings' largest")
      ->type_name("Z");
  CLI::Option* center =
      command.Sub->add_option("--center", options->Center, "Centre of the view, degrees east and north")
          ->type_name("LON LAT")
          ->expected(2)
          ->allow_extra_args(false);
  command.Sub->add_option("--track", options->Track, "Zoom to track N of the course (from 1) and select it")
      ->type_name("N")
      ->excludes(center);
  command.Sub->add_flag("--route", options->Route,
                        "Route the course first (as corvane route; with --track only that track) and draw the best "
                        "courses, laylines and boats. The run's messages go to standard error; when the run is "
                        "refused or a leg is not routed the picture is still written and the exit code is 1");
  AddScenarioOptions(*command.Sub, options->Scenario);
  command.RunWithMessages = [options](TCliContext& context, std::ostream& out, std::ostream& err) {
    return RunChart(context, *options, out, err);
  };
  return command;
}

}  // namespace corvane::cli
