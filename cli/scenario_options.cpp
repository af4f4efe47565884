#include "cli/scenario_options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>

#include "core/constants.h"
#include "core/math_tools.h"
#include "core/string_tools.h"
#include "data/resource_loader.h"

namespace corvane::cli {

namespace {

// The window's wind speed list: row 0 is "<6 kts" (5 knots), row i the
// speed i + 5 knots, up to 30 knots.
constexpr int kWindListFirstKnots = 5;
constexpr int kWindListLastRow = 25;
constexpr ext kWindMaxKnots = 60;
constexpr ext kDegreesPerCircle = 360;

std::optional<ext> ParseNumber(const std::string& text) {
  double value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return static_cast<ext>(value);
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

}  // namespace

void AddScenarioOptions(CLI::App& command, TScenarioOptions& options) {
  command.add_option("--time", options.Time, "Moment (default: the one of the settings)")
      ->type_name("\"YYYY-MM-DD HH:MM\"");
  command.add_option("--wind", options.Wind, "True wind: knots and the direction it comes from, degrees")
      ->type_name("SPEED@DIR");
  command.add_option("--boat", options.Boat, "Boat class (letter case ignored)")->type_name("CLASS");
  CLI::Option* course =
      command.add_option("--course", options.Course, "Course of marks: buoy numbers in order, at least two")
          ->type_name("183,177,...");
  command.add_option("--shortcuts", options.ShortCuts, "Course of marks by the buoys' shortcut codes")
      ->type_name("\"4P 3V ...\"")
      ->excludes(course);
  command.add_option("--shift", options.Shift, "High-water time shift, minutes (multiple of 10, -150 to 150)")
      ->type_name("MIN");
  command.add_option("--range", options.Range, "Stream speed correction, percent (multiple of 5, -100 to 100)")
      ->type_name("PCT");
}

std::optional<TPolar> ParseWind(const std::string& text) {
  const std::size_t at = text.find('@');
  if (at == std::string::npos) return std::nullopt;
  const std::optional<ext> speed = ParseNumber(text.substr(0, at));
  const std::optional<ext> direction = ParseNumber(text.substr(at + 1));
  if (!speed || !direction || !(*speed > 0) || *speed > kWindMaxKnots || *direction < 0 ||
      *direction > kDegreesPerCircle) {
    return std::nullopt;
  }
  const ext degrees = *direction == kDegreesPerCircle ? 0 : *direction;
  return TPolar{*speed, degrees * kDegreesToRadians};
}

std::vector<int> ParseCourse(const std::string& text, const TInterfaceApplicationMobile& state) {
  TStringTools tools;
  TStringList items;
  tools.GetDelimitedStringList(text, ',', items);
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
  TStringTools tools;
  TStringList items;
  tools.GetDelimitedStringList(text, items);
  std::vector<int> course;
  for (const std::string& item : items) {
    if (item.empty()) continue;  // runs of blanks
    const auto found = std::find(state.ListBuoysShortCut.begin(), state.ListBuoysShortCut.end(), item);
    if (item.size() != 2 || found == state.ListBuoysShortCut.end()) {
      throw TUsageError("--shortcuts " + text + ": no buoy has the code \"" + item + "\"");
    }
    course.push_back(static_cast<int>(found - state.ListBuoysShortCut.begin()));
  }
  if (course.size() < 2) throw TUsageError("--shortcuts " + text + ": a course needs at least two marks");
  return course;
}

void ApplyScenario(TCliContext& context, const TScenarioOptions& options) {
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
  context.Load();
  TInterfaceApplicationMobile& state = context.State;
  if (!(state.Wind.TrueWind.Betrag > 0)) {
    // The speed of the chosen row of the speed list, as the window shows it.
    state.Wind.TrueWind.Betrag = std::max(state.Wind.IndexSpeed, 0) + kWindListFirstKnots;
  }
  if (wind) {
    state.Wind.TrueWind = *wind;
    // The row of the window's speed list nearest to the speed.
    state.Wind.IndexSpeed =
        std::clamp(static_cast<int>(std::lround(wind->Betrag)) - kWindListFirstKnots, 0, kWindListLastRow);
  }
  if (!options.Boat.empty()) SetBoat(context, options.Boat);
  if (!options.Course.empty()) state.ListWayPoints = CourseText(ParseCourse(options.Course, state));
  if (!options.ShortCuts.empty()) state.ListWayPoints = CourseText(ParseShortCuts(options.ShortCuts, state));
  SetCourseTracks(state);
  context.SetCalibration(options.Shift, options.Range);
  context.SetMoment(typed ? *typed : (context.Options().GMT ? state.DateTimeGMT : state.DateTimeLOC));
}

void SetCourseTracks(TInterfaceApplicationMobile& state) {
  TStringTools tools;
  const TMathTools math;
  TStringList items;
  tools.GetDelimitedStringList(state.ListWayPoints, ';', items);
  std::vector<int> buoys;
  for (const std::string& item : items) {
    const std::optional<int> buoy = ParseDecimalInteger(item);
    if (buoy && *buoy >= 0 && *buoy < static_cast<int>(state.ListBuoysPosition.size())) buoys.push_back(*buoy);
  }
  TListRoutingData& tracks = state.ListRoutingData;
  tracks.Items.clear();
  tracks.IndexTrack = 0;
  for (std::size_t i = 0; i + 1 < buoys.size(); ++i) {
    TRoutingData& track = tracks.Add();
    const auto start = static_cast<std::size_t>(buoys[i]);
    const auto finish = static_cast<std::size_t>(buoys[i + 1]);
    track.IndexStart = buoys[i];
    track.IndexFinish = buoys[i + 1];
    if (start < state.ListBuoysName.size()) track.BuoyStart = state.ListBuoysName[start];
    if (finish < state.ListBuoysName.size()) track.BuoyFinish = state.ListBuoysName[finish];
    track.TrackStart = state.ListBuoysPosition[start];
    track.TrackFinish = state.ListBuoysPosition[finish];
    track.DrawGesture = true;
    track.TrackAngle = math.AngleOfMinutes(track.TrackStart, track.TrackFinish);
    track.TrackDistance = math.DistanceOfMinutes(track.TrackStart, track.TrackFinish);
    // The windward mark is the finish: no top-mark offset is set here.
    track.TrackWindward = track.TrackFinish;
    track.TrackCenter = TMinutes{(track.TrackStart.Lon + track.TrackFinish.Lon) / 2,
                                 (track.TrackStart.Lat + track.TrackFinish.Lat) / 2};
  }
}

}  // namespace corvane::cli
