// corvane route: routes the course of marks (or a windward-leeward course)
// on the built-in data for a moment, a wind, a boat and a calibration, and
// prints the results table of each track as the window lists it; or every
// result field as JSON; and optionally the routed courses as a GPX file.
//
// The run behaves as the window's buttons do ("Routing all", or "Routing
// track" with --track): it is not silent, so a true wind below 6 knots is
// refused with "Low wind speed", and the messages the window would show in
// its dialogs go to standard error, one line each, exactly as worded. There
// is no progress bar and no dialog waits. Exit code 0 when every leg routed,
// 1 when the run was refused, a leg failed or could not be routed, or the
// --grib file was read only in part, 2 for bad arguments. The situation
// options (--time, --wind, --boat, --course or --shortcuts,
// --windward-leeward with --topmark, --depth, --shift, --range, --grib) are
// those of corvane chart and corvane print; their notes go to standard error
// as well.

#include <cmath>
#include <fstream>
#include <iomanip>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "analysis/results_rows.h"
#include "cli/commands.h"
#include "cli/scenario_options.h"
#include "cli/scenario_routing.h"
#include "core/date_time.h"
#include "core/string_tools.h"

namespace corvane::cli {

namespace {

constexpr const char* kJsonDateTimeFormat = "yyyy-mm-dd hh:nn:ss";
// Decimal degrees in the GPX file: 1e-7 degrees is about a centimetre.
constexpr int kGpxDigits = 7;

struct TRouteOptions {
  TScenarioOptions Scenario;
  std::optional<int> Track;  // from 1
  bool Json = false;
  std::string Gpx;
};

// ------------------------------------------------------------------ output

void PrintTables(const TInterfaceApplicationMobile& state, int first, int last, std::ostream& out) {
  for (int i = first; i <= last; ++i) {
    const TResultsTable table = GetResultsRows(state, i);
    out << "\n" << table.LabelTrack << "\n";
    for (const TResultsRow& row : table.Rows) {
      if (row.Header) {
        out << "\n" << row.Text << "\n";
      } else {
        out << Row(row.Text, row.Detail);
      }
    }
  }
}

nlohmann::json Position(const TMinutes& position) {
  return {{"Lon", static_cast<double>(position.Lon)}, {"Lat", static_cast<double>(position.Lat)}};
}

nlohmann::json Positions(const TListCoords& list) {
  nlohmann::json positions = nlohmann::json::array();
  for (const TCoords& coords : list.Items) positions.push_back(Position(coords.CoordM));
  return positions;
}

nlohmann::json Number(double value) { return static_cast<double>(value); }

nlohmann::json TrackJson(const TRoutingData& t) {
  nlohmann::json boats = nlohmann::json::array();
  for (const TBoat& boat : t.ListBoat.Items) {
    boats.push_back({{"CoordM", Position(boat.CoordM)},
                     {"Tack", boat.Tack},
                     {"Angle", Number(boat.Angle)},
                     {"Bug", boat.Bug},
                     {"Attack", Number(boat.Attack)},
                     {"Time", Number(boat.Time)}});
  }
  return {{"IndexStart", t.IndexStart},
          {"IndexFinish", t.IndexFinish},
          {"BuoyStart", t.BuoyStart},
          {"BuoyFinish", t.BuoyFinish},
          {"TrackStart", Position(t.TrackStart)},
          {"TrackFinish", Position(t.TrackFinish)},
          {"TrackAngle", Number(t.TrackAngle)},
          {"TrackAngleText", t.TrackAngleText},
          {"TrackDistance", Number(t.TrackDistance)},
          {"TrackDistanceText", t.TrackDistanceText},
          {"TrackWindward", Position(t.TrackWindward)},
          {"TrackCenter", Position(t.TrackCenter)},
          {"TypeOfCourse", t.TypeOfCourse},
          {"RoutingEnabled", t.RoutingEnabled},
          {"DateTimeStartGMT", FormatDateTime(kJsonDateTimeFormat, t.DateTimeStartGMT)},
          {"DateTimeStartLOC", FormatDateTime(kJsonDateTimeFormat, t.DateTimeStartLOC)},
          {"DateTimeFinishGMT", FormatDateTime(kJsonDateTimeFormat, t.DateTimeFinishGMT)},
          {"DateTimeFinishLOC", FormatDateTime(kJsonDateTimeFormat, t.DateTimeFinishLOC)},
          {"TimeBestCourse", Number(t.TimeBestCourse)},
          {"TimeLaylineLeft", Number(t.TimeLaylineLeft)},
          {"TimeLaylineRight", Number(t.TimeLaylineRight)},
          {"ListBestCourse", Positions(t.ListBestCourse)},
          {"ListLaylineLeft", Positions(t.ListLaylineLeft)},
          {"ListLaylineRight", Positions(t.ListLaylineRight)},
          {"LayLinesValid", t.LayLinesValid},
          {"LayLineCrossRight", Position(t.LayLineCrossRight)},
          {"LayLineCrossLeft", Position(t.LayLineCrossLeft)},
          {"ListBoat", boats},
          {"TrackVMG", Number(t.TrackVMG)},
          {"TrackMinVMG", Number(t.TrackMinVMG)},
          {"StreamOnTrack", {{"x", Number(t.StreamOnTrack.x)}, {"y", Number(t.StreamOnTrack.y)}}},
          {"FinalTack", Position(t.FinalTack)},
          {"FinalCourse", Number(t.FinalCourse)},
          {"CurrentsWind", Number(t.CurrentsWind)},
          {"CurrentsWindShift", Number(t.CurrentsWindShift)},
          {"HoursToRefTideText", t.HoursToRefTideText}};
}

void PrintJson(const TInterfaceApplicationMobile& state, int first, int last, std::ostream& out) {
  nlohmann::json tracks = nlohmann::json::array();
  for (int i = first; i <= last; ++i) tracks.push_back(TrackJson(*state.ListRoutingData.GetItem(i)));
  out << nlohmann::json{{"tracks", tracks}}.dump(2) << "\n";
}

std::string XmlText(const std::string& text) {
  std::string escaped;
  for (const char c : text) {
    switch (c) {
      case '&': escaped += "&amp;"; break;
      case '<': escaped += "&lt;"; break;
      case '>': escaped += "&gt;"; break;
      case '"': escaped += "&quot;"; break;
      case '\'': escaped += "&apos;"; break;
      default: escaped += c;
    }
  }
  return escaped;
}

// lat and lon attributes in decimal degrees, north and east positive.
std::string GpxPoint(const std::string& element, const TMinutes& position, const std::string& name) {
  std::ostringstream point;
  point << std::fixed << std::setprecision(kGpxDigits) << "<" << element << " lat=\""
        << static_cast<double>(position.Lat / 60) << "\" lon=\"" << static_cast<double>(position.Lon / 60)
        << "\"><name>" << XmlText(name) << "</name></" << element << ">";
  return point.str();
}

// One route; points in the given order, each named by the route's prefix
// and its number from 1.
void GpxRoute(std::ostream& gpx, const std::string& name, const std::string& prefix,
              const std::vector<TMinutes>& points) {
  if (points.size() < 2) return;
  gpx << "  <rte>\n    <name>" << XmlText(name) << "</name>\n";
  for (std::size_t i = 0; i < points.size(); ++i) {
    gpx << "    " << GpxPoint("rtept", points[i], prefix + std::to_string(i + 1)) << "\n";
  }
  gpx << "  </rte>\n";
}

std::vector<TMinutes> PointsOf(const TListCoords& list) {
  std::vector<TMinutes> points;
  for (const TCoords& coords : list.Items) points.push_back(coords.CoordM);
  return points;
}

// GPX 1.1: the marks of the routed tracks as waypoints (each mark once),
// then per routed track the best course from start to finish and, for a
// beat or a run, its two laylines, as routes.
void WriteGpx(std::ostream& gpx, const TInterfaceApplicationMobile& state, int first, int last) {
  const TStringTools tools;
  gpx << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      << "<gpx version=\"1.1\" creator=\"" << XmlText(state.AppName)
      << "\" xmlns=\"http://www.topografix.com/GPX/1/1\">\n"
      << "  <metadata><name>" << XmlText(state.RegionName + " course " + state.ListWayPoints)
      << "</name></metadata>\n";
  std::vector<int> marks;
  const auto addMark = [&](int buoy, const TMinutes& position, const std::string& name) {
    for (const int known : marks) {
      if (known == buoy) return;
    }
    marks.push_back(buoy);
    gpx << "  " << GpxPoint("wpt", position, tools.ToExtendedNameMovableMark(name)) << "\n";
  };
  for (int i = first; i <= last; ++i) {
    const TRoutingData& track = *state.ListRoutingData.GetItem(i);
    addMark(track.IndexStart, track.TrackStart, track.BuoyStart);
    addMark(track.IndexFinish, track.TrackFinish, track.BuoyFinish);
  }
  for (int i = first; i <= last; ++i) {
    const TRoutingData& track = *state.ListRoutingData.GetItem(i);
    if (!track.RoutingEnabled || !state.RoutingValid) continue;
    const std::string number = std::to_string(i + 1);
    const std::string legName = "Track " + number + " " + tools.ToExtendedNameMovableMark(track.BuoyStart) + " to " +
                                tools.ToExtendedNameMovableMark(track.BuoyFinish);
    // The best course is kept from the finish back to the start.
    std::vector<TMinutes> best = PointsOf(track.ListBestCourse);
    best.assign(best.rbegin(), best.rend());
    GpxRoute(gpx, legName + " best course", "T" + number + "-BC", best);
    if (track.TypeOfCourse != kCourseReach && track.LayLinesValid) {
      GpxRoute(gpx, legName + " layline left", "T" + number + "-LL", PointsOf(track.ListLaylineLeft));
      GpxRoute(gpx, legName + " layline right", "T" + number + "-LR", PointsOf(track.ListLaylineRight));
    }
  }
  gpx << "</gpx>\n";
}

// ------------------------------------------------------------------ run

int RunRoute(TCliContext& context, const TRouteOptions& options, std::ostream& out, std::ostream& err) {
  std::ofstream gpx;
  if (!options.Gpx.empty()) {
    gpx.open(options.Gpx, std::ios::binary | std::ios::trunc);
    if (!gpx) throw TUsageError("--gpx " + options.Gpx + ": the file cannot be written there");
  }
  ApplyScenario(context, options.Scenario, err);
  TInterfaceApplicationMobile& state = context.State;
  const int tracks = state.ListRoutingData.Count();
  if (options.Track && (*options.Track < 1 || *options.Track > tracks)) {
    throw TUsageError("--track " + std::to_string(*options.Track) + ": the course has " + std::to_string(tracks) +
                      " track(s), numbered from 1");
  }
  if (tracks == 0) throw TUsageError("the course " + state.ListWayPoints + " has no track to route");
  if (options.Track) state.ListRoutingData.IndexTrack = *options.Track - 1;

  TScenarioRouting routing(context, &err);
  const TRoutingRunResult result = routing.Run(options.Track.has_value());

  const int first = options.Track ? *options.Track - 1 : 0;
  const int last = options.Track ? *options.Track - 1 : tracks - 1;
  if (!result.Started) return kExitFailure;
  if (gpx.is_open()) WriteGpx(gpx, state, first, last);
  if (options.Json) {
    PrintJson(state, first, last, out);
  } else {
    const TStringTools tools;
    out << Row("Moment", context.MomentText());
    out << Row("Boat", state.BoatClass);
    out << Row("Wind", tools.ToSpeed(state.Wind.TrueWind.Betrag, 1) + " from " +
                           tools.ToWindDirection(state.Wind.TrueWind.Winkel));
    out << Row("Calibration", tools.ToCalibrationText(state.IndexTideShift, state.IndexRangeShift));
    out << Row("Legs routed", std::to_string(result.LegsRouted) + " of " + std::to_string(last - first + 1));
    PrintTables(state, first, last, out);
  }
  return result.AllRouted() && !context.InputReadInPart ? kExitOk : kExitFailure;
}

}  // namespace

TCommand AddRouteCommand(CLI::App& app) {
  auto options = std::make_shared<TRouteOptions>();
  TCommand command;
  command.Sub = app.add_subcommand("route", "Routes the course and prints the results table of each track");
  AddScenarioOptions(*command.Sub, options->Scenario);
  command.Sub->add_option("--track", options->Track, "Route only track N of the course (from 1)")->type_name("N");
  command.Sub->add_flag("--json", options->Json, "Every result field of each track as JSON");
  command.Sub->add_option("--gpx", options->Gpx, "Write the best courses, laylines and marks as GPX 1.1")
      ->type_name("FILE");
  command.RunWithMessages = [options](TCliContext& context, std::ostream& out, std::ostream& err) {
    return RunRoute(context, *options, out, err);
  };
  return command;
}

}  // namespace corvane::cli
