#include "cli/scenario_options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "analysis/course_services.h"
#include "analysis/grib_services.h"
#include "core/constants.h"
#include "core/date_time.h"
#include "core/math_tools.h"
#include "core/string_tools.h"
#include "data/resource_loader.h"

namespace corvane::cli {

namespace {

// The window's wind speed list: row 0 is "<6 kts" (5 knots), row i the
// speed i + 5 knots, up to 30 knots.
constexpr int kWindListFirstKnots = 5;
constexpr int kWindListLastRow = 25;
constexpr double kWindMaxKnots = 60;
constexpr double kDegreesPerCircle = 360;
// Course kind (TrackType) of a course of marks.
constexpr int kTrackTypeCourse = 3;
// Whole degrees the windward mark may lie off the wind, either side.
constexpr int kTopMarkMaxDegrees = 10;
// Depth lines of the chart data: 0 (afloat is enough) to 4.
constexpr int kDepthLineMax = 4;

std::optional<double> ParseNumber(const std::string& text) {
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return static_cast<double>(value);
}

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return "";
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::string CourseText(const std::vector<int>& buoys) {
  std::string text;
  for (const int buoy : buoys) text += (text.empty() ? "" : ";") + std::to_string(buoy);
  return text;
}

void SetBoat(TCliContext& context, const std::string& boat) {
  TInterfaceApplicationMobile& state = context.State;
  const auto same = [&boat](const std::string& name) {
    return std::equal(name.begin(), name.end(), boat.begin(), boat.end(), [](char a, char b) {
      return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
    });
  };
  const auto found = std::find_if(state.ListClasses.begin(), state.ListClasses.end(), same);
  if (found == state.ListClasses.end()) {
    throw TUsageError("--boat " + boat + ": no such boat class (" + std::to_string(state.ListClasses.size()) +
                      " classes" + (state.ListClasses.empty() ? std::string() : ", such as " + state.ListClasses.front()) +
                      ")");
  }
  state.BoatClass = *found;
  context.Loader.LoadBoatPolars(state);
}

// The file named by --grib: the path as typed, or a bare name in the
// program's folder, where the window lists its GRIB files.
std::filesystem::path FindGRIBFile(const TCliContext& context, const std::string& name) {
  const std::filesystem::path typed(name);
  std::error_code error;
  if (std::filesystem::is_directory(typed, error)) {
    throw TUsageError("--grib " + name + ": is a folder, not a GRIB file");
  }
  if (std::filesystem::is_regular_file(typed, error)) {
    const std::filesystem::path absolute = std::filesystem::absolute(typed, error);
    return error ? typed : absolute;
  }
  if (!typed.has_parent_path()) {
    const std::filesystem::path inFolder(context.Loader.FileTools.GetDocumentsPathForReading() + name);
    if (std::filesystem::is_regular_file(inFolder, error)) return inFolder;
  }
  throw TUsageError("--grib " + name + ": no such file");
}

// Reads the --grib file into CubeWind as the window's GRIB wind list does,
// and takes the wind of the moment from it. A file that serves the chart and
// the moment stays loaded for routing; any other is dropped again, so that
// the fixed wind applies at every moment of the run, and a note says why.
void LoadScenarioGRIB(TCliContext& context, const std::string& typed, const std::filesystem::path& file,
                      std::ostream& notes) {
  TInterfaceApplicationMobile& state = context.State;
  const TWind fixed = state.Wind;
  TGRIBServices grib(TFileTools::ForProgramFolder(file.parent_path()));
  const TGRIBWindLoad load =
      grib.LoadGRIBWindFile(file.filename().string(), 0, context.Currents, state);
  const std::string& stopped = grib.FastGRIB2.ReadEnd;
  if (load != TGRIBWindLoad::Invalid && !stopped.empty()) {
    // The fields before the faulty record serve; the command still ends
    // with exit code 1 so that a script notices the records left out.
    context.InputReadInPart = true;
    notes << "corvane: --grib " << typed << ": reading stopped (" << stopped
          << "); the fields before it are used\n";
  }
  if (load == TGRIBWindLoad::Loaded && state.GRIBWindValid) {
    grib.GetTrueGRIBWindCourse(state);
    return;
  }
  std::string why;
  if (load == TGRIBWindLoad::Loaded) {
    const TListVektorCubeLight& cube = state.CubeWind;
    why = "its fields serve " + FormatDateTime(kMomentFormat, cube.GetTimeFirstField()) + " to " +
          FormatDateTime(kMomentFormat, cube.GetTimeLastField()) + " GMT, not the moment " + context.MomentText();
  } else if (load == TGRIBWindLoad::OutOfMap) {
    why = "its grid covers no corner of the chart";
  }
  state.CubeWind.ClrCubes();
  state.GRIBWindLoaded = false;
  state.GRIBWindValid = false;
  state.Wind = fixed;
  if (load == TGRIBWindLoad::Invalid) {
    throw TUsageError("--grib " + typed + ": holds no GRIB edition 1 wind (u and v wind records)");
  }
  const TStringTools tools;
  notes << "corvane: --grib " << typed << ": " << why << "; the fixed wind "
        << tools.ToSpeed(fixed.TrueWind.Betrag, 1) << " from " << tools.ToWindDirection(fixed.TrueWind.Winkel)
        << " stays\n";
}

// A course holds no more marks than the window's waypoint list has rows.
// Checked before the marks are looked up: the text of a course far too long
// is not repeated in the message.
void CheckCourseLength(const std::string& option, std::size_t marks) {
  if (marks <= static_cast<std::size_t>(kMaxWaypoints)) return;
  throw TUsageError(option + ": " + std::to_string(marks) + " marks; a course holds at most " +
                    std::to_string(kMaxWaypoints) + ", the rows of the window's waypoint list");
}

// The ranges of --topmark and --depth, checked before the data sets load.
void CheckCourseOptions(const TScenarioOptions& options) {
  if (options.TopMark && (*options.TopMark < -kTopMarkMaxDegrees || *options.TopMark > kTopMarkMaxDegrees)) {
    throw TUsageError("--topmark " + std::to_string(*options.TopMark) + ": the windward mark lies from -" +
                      std::to_string(kTopMarkMaxDegrees) + " to " + std::to_string(kTopMarkMaxDegrees) +
                      " whole degrees off the wind");
  }
  if (options.Depth && (*options.Depth < 0 || *options.Depth > kDepthLineMax)) {
    throw TUsageError("--depth " + std::to_string(*options.Depth) + ": the depth line is 0 (afloat is enough) to " +
                      std::to_string(kDepthLineMax));
  }
}

// A windward-leeward course between the two movable marks, sailed out and
// back. With a wind given, the course is turned into it around its centre
// as the window's wind command turns it; the marks must stay afloat.
void SetWindwardLeeward(const TScenarioOptions& options, const std::optional<TPolar>& wind,
                        TInterfaceApplicationMobile& state) {
  TCourseServices services;
  state.TrackType = kTrackTypeWindwardLeeward;
  state.ListWayPoints = "0;1";
  state.ListRoutingData.IndexTopMark = kTopMarkStraightUpwind + options.TopMark.value_or(0);
  services.SetListRoutingData(state);
  TListRoutingData& tracks = state.ListRoutingData;
  if (!wind || tracks.Count() < 2 || state.ListBuoysPosition.size() < 2) return;
  state.Wind.TrueWind.Winkel = wind->Winkel;
  tracks.SetRoutingDataByWind(*tracks.GetItem(0), *tracks.GetItem(1), wind->Winkel);
  tracks.SetRoutingDataByMarks();
  const TRoutingData& beat = *tracks.GetItem(0);
  for (const TMinutes& mark : {beat.TrackStart, beat.TrackFinish}) {
    if (!services.GetMarkInWater(mark, state)) {
      const TMathTools math;
      throw TUsageError("--windward-leeward --wind " + options.Wind + ": turned into that wind the course puts " +
                        math.MinutesToGeoPos(mark) + " ashore; move the marks in your settings or choose "
                        "another wind direction");
    }
  }
  state.ListBuoysPosition[0] = beat.TrackStart;
  state.ListBuoysPosition[1] = beat.TrackFinish;
}

}  // namespace

void AddScenarioOptions(CLI::App& command, TScenarioOptions& options) {
  command.add_option("--time", options.Time, "Moment (default: the one of the settings)")
      ->type_name("\"YYYY-MM-DD HH:MM\"");
  command.add_option("--wind", options.Wind, "True wind: knots and the direction it comes from, degrees")
      ->type_name("SPEED@DIR");
  command.add_option("--boat", options.Boat, "Boat class (letter case ignored)")->type_name("CLASS");
  CLI::Option* course =
      command.add_option("--course", options.Course, "Course of marks: buoy numbers in order, 2 to 12")
          ->type_name("183,177,...");
  command.add_option("--shortcuts", options.ShortCuts, "Course of marks by the buoys' shortcut codes, 2 to 12")
      ->type_name("\"4P 3V ...\"")
      ->excludes(course);
  command.add_option("--shift", options.Shift, "High-water time shift, minutes (multiple of 10, -150 to 150)")
      ->type_name("MIN");
  command.add_option("--range", options.Range, "Stream speed correction, percent (multiple of 5, -100 to 100)")
      ->type_name("PCT");
  command.add_option("--grib", options.Grib,
                     "GRIB wind file (a path, or a name in the program's folder): its wind where and when it "
                     "covers the chart")
      ->type_name("FILE");
  CLI::Option* windwardLeeward = command.add_flag(
      "--windward-leeward", options.WindwardLeeward,
      "A windward-leeward course between the two movable marks (out and back) instead of the course");
  windwardLeeward->excludes(course)->excludes(command.get_option("--shortcuts"));
  command.add_option("--topmark", options.TopMark,
                     "Windward mark off the wind, whole degrees (-10 to 10; with --windward-leeward)")
      ->type_name("DEG")
      ->needs(windwardLeeward);
  command.add_option("--depth", options.Depth, "Depth line the boat keeps to, 0 (afloat) to 4")->type_name("0..4");
}

std::optional<TPolar> ParseWind(const std::string& text) {
  const std::size_t at = text.find('@');
  if (at == std::string::npos) return std::nullopt;
  const std::optional<double> speed = ParseNumber(text.substr(0, at));
  const std::optional<double> direction = ParseNumber(text.substr(at + 1));
  if (!speed || !direction || !(*speed > 0) || *speed > kWindMaxKnots || *direction < 0 ||
      *direction > kDegreesPerCircle) {
    return std::nullopt;
  }
  const double degrees = *direction == kDegreesPerCircle ? 0 : *direction;
  return TPolar{*speed, degrees * kDegreesToRadians};
}

std::vector<int> ParseCourse(const std::string& text, const TInterfaceApplicationMobile& state) {
  TStringTools tools;
  TStringList items;
  tools.GetDelimitedStringList(text, ',', items);
  CheckCourseLength("--course", items.size());
  const int buoys = static_cast<int>(state.ListBuoysPosition.size());
  std::vector<int> course;
  for (const std::string& item : items) {
    const std::optional<int> buoy = ParseDecimalInteger(Trimmed(item));
    if (!buoy || *buoy < 0 || *buoy >= buoys) {
      throw TUsageError("--course " + text + ": \"" + item + "\" is not a buoy number 0 to " +
                        std::to_string(buoys - 1));
    }
    course.push_back(*buoy);
  }
  if (course.size() < 2) throw TUsageError("--course " + text + ": a course needs at least two marks");
  return course;
}

std::vector<int> ParseShortCuts(const std::string& text, const TInterfaceApplicationMobile& state) {
  // The window skips a code it does not know; on the command line a typing
  // error is reported instead of sailing a different course.
  TCourseServices services;
  const TShortCutCourse course = services.GetShortCutCourse(text, state);
  CheckCourseLength("--shortcuts", course.Buoys.size() + course.Skipped.size());
  if (!course.Skipped.empty()) {
    throw TUsageError("--shortcuts " + text + ": no buoy has the code \"" + course.Skipped.front() + "\"");
  }
  if (course.Buoys.size() < 2) throw TUsageError("--shortcuts " + text + ": a course needs at least two marks");
  return course.Buoys;
}

void ApplyScenario(TCliContext& context, const TScenarioOptions& options) {
  ApplyScenario(context, options, std::cerr);
}

void ApplyScenario(TCliContext& context, const TScenarioOptions& options, std::ostream& notes) {
  std::optional<TDateTime> typed;
  if (!options.Time.empty()) {
    typed = ParseDateAndTime(options.Time);
    if (!typed) throw TUsageError("--time " + options.Time + ": expected a date and time \"YYYY-MM-DD HH:MM\"");
  }
  std::optional<TPolar> wind;
  if (!options.Wind.empty()) {
    wind = ParseWind(options.Wind);
    if (!wind) {
      throw TUsageError("--wind " + options.Wind +
                        ": expected knots (above 0, up to 60) @ degrees the wind comes from (0 to 360), as 12@225");
    }
  }
  CheckCourseOptions(options);
  // A file that is not there fails before the data sets are loaded.
  const std::optional<std::filesystem::path> grib =
      options.Grib.empty() ? std::nullopt : std::optional(FindGRIBFile(context, options.Grib));
  context.Load();
  TInterfaceApplicationMobile& state = context.State;
  if (!(state.Wind.TrueWind.Betrag > 0)) {
    // The speed of the chosen row of the speed list, as the window shows it.
    state.Wind.TrueWind.Betrag = std::clamp(state.Wind.IndexSpeed, 0, kWindListLastRow) + kWindListFirstKnots;
  }
  if (!options.Boat.empty()) SetBoat(context, options.Boat);
  if (!options.Course.empty()) state.ListWayPoints = CourseText(ParseCourse(options.Course, state));
  if (!options.ShortCuts.empty()) state.ListWayPoints = CourseText(ParseShortCuts(options.ShortCuts, state));
  if (options.WindwardLeeward) {
    SetWindwardLeeward(options, wind, state);
  } else {
    state.TrackType = kTrackTypeCourse;
    SetCourseTracks(state);
  }
  if (options.Depth) state.IndexDepthLine = *options.Depth;
  // After the tracks: a windward-leeward course turns the wind to its first
  // track, and a wind given on the command line has the last word.
  if (wind) {
    state.Wind.TrueWind = *wind;
    // The row of the window's speed list nearest to the speed.
    state.Wind.IndexSpeed =
        std::clamp(static_cast<int>(std::lround(wind->Betrag)) - kWindListFirstKnots, 0, kWindListLastRow);
  }
  context.SetCalibration(options.Shift, options.Range);
  context.SetMoment(typed ? *typed : (context.Options().GMT ? state.DateTimeGMT : state.DateTimeLOC));
  // Last, as it needs the chart, the course and the moment.
  if (grib) LoadScenarioGRIB(context, options.Grib, *grib, notes);
}

void SetCourseTracks(TInterfaceApplicationMobile& state) {
  TCourseServices services;
  services.SetListRoutingData(state);
}

}  // namespace corvane::cli
