// corvane info: what the start-up loaded, the settings in force and the
// warnings of the start-up.

#include <array>
#include <string>

#include "cli/commands.h"
#include "core/date_time.h"
#include "core/math_tools.h"
#include "core/string_tools.h"

namespace corvane::cli {

namespace {

// The depth lines as the window lists them.
constexpr std::array<const char*, 5> kDepthLineNames{"Coast Line", "0.0 m + Tide level", "2.0 m + Tide level",
                                                     "3.5 m + Tide level", "5.0 m + Tide level"};

// Wind speed list: index 0 is "<6 kts", index i >= 1 is i + 5 knots.
constexpr int kWindSpeedOffset = 5;

std::string Count(std::size_t n, const std::string& what) { return std::to_string(n) + " " + what; }

std::string CubeText(const TListVektorCubeLight& atlas) {
  if (atlas.GetCountCubes() == 0 || atlas.GetCountVektors(0) == 0) return "not built in";
  std::string text;
  for (int c = 0; c < atlas.GetCountCubes(); ++c) {
    if (c > 0) text += ", ";
    text += std::to_string(atlas.GetCountVektors(c));
  }
  return text + " points in " + Count(static_cast<std::size_t>(atlas.GetCountCubes()), "cube(s)") + ", " +
         std::to_string(atlas.GetCountFields(0)) + " charts";
}

std::string CourseText(const TInterfaceApplicationMobile& state) {
  TStringTools tools;
  TStringList items;
  tools.GetDelimitedStringList(state.ListWayPoints, ';', items);
  std::string names;
  for (const std::string& item : items) {
    const std::optional<int> index = ParseDecimalInteger(item);
    if (!index || *index < 0 || *index >= static_cast<int>(state.ListBuoysName.size())) continue;
    if (!names.empty()) names += ", ";
    names += tools.ToExtendedNameMovableMark(state.ListBuoysName[static_cast<std::size_t>(*index)]);
  }
  return state.ListWayPoints + (names.empty() ? "" : " (" + names + ")");
}

std::string WindText(const TInterfaceApplicationMobile& state) {
  TStringTools tools;
  const std::string speed = state.Wind.IndexSpeed == 0
                                ? "<6 kts"
                                : std::to_string(state.Wind.IndexSpeed + kWindSpeedOffset) + " kts";
  return speed + " from " + tools.ToWindDirection(state.Wind.TrueWind.Winkel);
}

int RunInfo(TCliContext& context, std::ostream& out) {
  context.Load();
  const TInterfaceApplicationMobile& state = context.State;
  const TMathTools math;
  TStringTools tools;

  out << state.AppName << "\n\nData sets\n";
  out << Row("Chart frame", math.MinutesToGeoPos(state.SeaMap.P1) + " to " + math.MinutesToGeoPos(state.SeaMap.P2));
  out << Row("Coast tiles", Count(state.ListMapTiles.size(), "tiles, ") + Count(state.ListDrafts.size(), "depth areas"));
  out << Row("Buoys", Count(state.ListBuoysName.size(), "marks (the first two movable)"));
  out << Row("Towns", std::to_string(state.ListTownsName.size()));
  out << Row("Flats", std::to_string(state.ListFlatsName.size()));
  out << Row("Course areas", std::to_string(state.ListCoursesName.size()));
  const TPackageTides& tides = context.Currents.PackageTides;
  out << Row("Tide table", tides.TidalAtlasMainPort.empty()
                               ? std::string("not built in")
                               : state.PortName + ", " + state.YearOfTidesFrom + " to " + state.YearOfTidesTo + ", " +
                                     Count(tides.TidalAtlasMainPort.size(), "records"));
  out << Row("Stream atlas", "low resolution " + CubeText(state.CubeLoRes));
  out << Row("", "high resolution " + CubeText(state.CubeHiRes));
  out << Row("Slack positions", std::to_string(state.CubeLoRes.GetCountSlacks()));
  const std::size_t own = state.ListClasses.size() - static_cast<std::size_t>(state.CountDinghy + state.CountORCI);
  out << Row("Boat classes", Count(state.ListClasses.size(), "(") + std::to_string(state.CountDinghy) + " dinghies, " +
                                 std::to_string(state.CountORCI) + " yachts, " + std::to_string(own) + " own)");

  out << "\nSettings\n";
  out << Row("Settings file", context.SettingsFile + (context.SettingsFileFound ? "" : " (none: defaults)"));
  out << Row("Moment", context.MomentText());
  out << Row("Selectable", FormatDateTime(kMomentFormat, state.DateTimeMinLOC) + " to " +
                               FormatDateTime(kMomentFormat, state.DateTimeMaxLOC) + " local");
  out << Row("High water", state.TidesValid ? state.HoursToRefTideText : std::string("no tides for the moment"));
  out << Row("Calibration", tools.ToCalibrationText(state.IndexTideShift, state.IndexRangeShift));
  out << Row("Boat class", state.BoatClass);
  out << Row("Wind", WindText(state));
  out << Row("Course", CourseText(state));
  out << Row("Course type", state.TrackType == 1 ? "windward-leeward (1)" : "waypoints (" + std::to_string(state.TrackType) + ")");
  const bool knownDepth = state.IndexDepthLine >= 0 && state.IndexDepthLine < static_cast<int>(kDepthLineNames.size());
  out << Row("Depth line", knownDepth ? kDepthLineNames[static_cast<std::size_t>(state.IndexDepthLine)]
                                      : std::to_string(state.IndexDepthLine));
  out << Row("Chart view", "centre " + math.MinutesToGeoPos(state.DeviceCenter) + ", zoom " +
                               tools.ExtendedToStr(state.DeviceZoom, 2));

  out << "\nWarnings\n";
  if (!context.Startup.Completed) out << "  Start-up stopped: " << context.Startup.Error << "\n";
  if (context.Startup.Warnings.empty() && context.Startup.Completed) out << "  none\n";
  for (const std::string& warning : context.Startup.Warnings) out << "  " << warning << "\n";
  return context.Startup.Completed ? kExitOk : kExitFailure;
}

}  // namespace

TCommand AddInfoCommand(CLI::App& app) {
  TCommand command;
  command.Sub = app.add_subcommand("info", "The loaded data sets, the settings in force and any warnings");
  command.Run = RunInfo;
  return command;
}

}  // namespace corvane::cli
