// The settings file: the user's choices as key=value lines, read once at
// start-up and written after the commands that change them. Reader and
// writer stand side by side so that the key list is seen once.

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <locale>
#include <optional>
#include <system_error>
#include <utility>

#include "core/date_time.h"
#include "data/package_resource_loader.h"
#include "state/settings_quarne.h"

namespace corvane {

namespace {

// Highest indices of the calibration and depth-line lists the window offers.
constexpr int kMaxIndexTideShift = 30;
constexpr int kMaxIndexRangeShift = 40;
constexpr int kMaxIndexDepthLine = 4;
constexpr int kMaxWord = std::numeric_limits<std::uint16_t>::max();
// The wind speed list: row 0 "<6 kts", rows 1 to 25 for 6 to 30 knots.
constexpr int kMaxIndexWindSpeed = 25;
// The wind direction in whole degrees, as a GRIB wind sets it.
constexpr int kMaxIndexWindDirection = 359;
// The windward mark lies -10 to +10 degrees off the wind, kept as 0 to 20.
constexpr int kMaxIndexTopMark = 20;
// The two kinds of course.
constexpr int kCourseTypeWindwardLeeward = 1;
constexpr int kCourseTypeMarks = 3;
// Times of day of the selectable window of the other application types.
constexpr int kMaxHour = 23;
constexpr int kMaxMinute = 59;
// A time step the analyzer only keeps for the file: at most a day of minutes.
constexpr int kMaxTimeInterval = 24 * 60;
// The wind direction, radians. The window writes it within one turn; a
// value of some turns more is the same direction and is reduced, but beyond
// a million radians the number is a slip, not a direction.
constexpr double kMaxDirectionRadians = 1e6;
// Positions of a chart frame not loaded yet: the whole globe, in minutes.
constexpr double kMaxLongitudeMinutes = 180 * 60;
constexpr double kMaxLatitudeMinutes = 90 * 60;

// Buoys 0 and 1 are the two movable marks.
constexpr std::size_t kMovableMarks = 2;

// Booleans are written as -1 and 0, as the file has always held them; the
// reader takes "1" and "-1" as true.
const char* BooleanText(bool value) { return value ? "-1" : "0"; }

// General float text: the shortest text of the value with up to 15
// significant digits (printf "%.15g", exponent notation for very large or
// small values), with the locale's decimal separator. Fifteen digits keep
// the chart position to far below a metre and survive every reader.
std::string GeneralFloatText(double value) {
  std::array<char, 64> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::general, 15);
  if (ec != std::errc()) return "0";
  std::string text(buffer.data(), end);
  const char point = std::use_facet<std::numpunct<char>>(std::locale()).decimal_point();
  for (char& c : text) {
    if (c == '.') c = point;
  }
  return text;
}

std::string Line(const std::string& key, const std::string& value) { return key + "=" + value; }

// A float value as the writer writes it (GeneralFloatText, with the decimal
// point or comma of the locale it ran under): an optional sign, digits with
// at most one separator, an optional exponent, blanks around it allowed.
// Anything else, "nan" and "inf" among it, is nothing, as is a number beyond
// the range of a double.
std::optional<double> ParseSettingsNumber(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  std::string number = text.substr(first, text.find_last_not_of(" \t") - first + 1);
  for (char& c : number) {
    if (c == ',') c = '.';
    const bool allowed = (c >= '0' && c <= '9') || c == '.' || c == '+' || c == '-' || c == 'e' || c == 'E';
    if (!allowed) return std::nullopt;
  }
  // from_chars reads no leading "+".
  const char* begin = number.data();
  const char* end = number.data() + number.size();
  if (*begin == '+') {
    ++begin;
    if (begin == end || *begin == '-') return std::nullopt;
  }
  double value = 0;
  const auto [last, ec] = std::from_chars(begin, end, value, std::chars_format::general);
  if (ec != std::errc() || last != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

// The chart frame's span along one axis, or the whole globe's while no
// frame is loaded (both corners still at the origin).
std::pair<double, double> FrameSpan(double a, double b, double globe) {
  if (a == b) return {-globe, globe};
  return {std::min(a, b), std::max(a, b)};
}

// Reads the keys of one file into the state, collecting what could not be
// used. Every key is independent of the others: a bad value costs that key
// only.
class TSettingsReader {
 public:
  TSettingsReader(TPackageSuperResourceLoader& loader, const TStringList& lines)
      : loader_(loader), lines_(lines) {}

  // An integer key within [low, high]; nothing (and one warning) otherwise.
  std::optional<int> CheckedInteger(const std::string& key, int current, int low, int high) {
    int value = current;
    try {
      value = loader_.ReadIniInteger(lines_, key, current);
    } catch (const TIniConversionError& error) {
      Warn("\"" + key + "=" + error.Value() + "\" is not a whole number; " + key + " keeps " +
           std::to_string(current) + ".");
      return std::nullopt;
    }
    if (value < low || value > high) {
      Warn("\"" + key + "=" + std::to_string(value) + "\" is outside " + std::to_string(low) +
           " to " + std::to_string(high) + "; " + key + " keeps " + std::to_string(current) + ".");
      return std::nullopt;
    }
    return value;
  }

  void Integer(const std::string& key, int& field, int low, int high) {
    if (auto value = CheckedInteger(key, field, low, high)) field = *value;
  }
  void Word(const std::string& key, std::uint16_t& field, int high = kMaxWord) {
    if (auto value = CheckedInteger(key, field, 0, high)) field = static_cast<std::uint16_t>(*value);
  }

  // A float key within [low, high]; nothing (and one warning unless the key
  // is missing or empty) otherwise. A missing key keeps the field as it is:
  // passing the default through a two-decimal text would move a chart
  // centre or a mark by up to half a hundredth of a minute on every start
  // without a line.
  std::optional<double> CheckedNumber(const std::string& key, double current, double low, double high) {
    const std::string text = loader_.ReadIniString(lines_, key, "");
    if (text.empty()) return std::nullopt;
    const std::optional<double> value = ParseSettingsNumber(text);
    if (!value) {
      Warn("\"" + key + "=" + text + "\" is not a number; " + key + " keeps " + GeneralFloatText(current) + ".");
      return std::nullopt;
    }
    if (!(*value >= low && *value <= high)) {
      Warn("\"" + key + "=" + text + "\" is outside " + GeneralFloatText(low) + " to " + GeneralFloatText(high) +
           "; " + key + " keeps " + GeneralFloatText(current) + ".");
      return std::nullopt;
    }
    return value;
  }
  void Number(const std::string& key, double& field, double low, double high) {
    if (auto value = CheckedNumber(key, field, low, high)) field = *value;
  }

  void Boolean(const std::string& key, bool& field) { field = loader_.ReadIniBoolean(lines_, key, field); }
  void Text(const std::string& key, std::string& field) { field = loader_.ReadIniString(lines_, key, field); }

  void Warn(const std::string& text) { warnings_.push_back("Settings file: " + text); }
  TStringList& Warnings() { return warnings_; }

 private:
  TPackageSuperResourceLoader& loader_;
  const TStringList& lines_;
  TStringList warnings_;
};

// The first item of a waypoint text that is not a buoy number of a list of
// buoyCount buoys, or nothing when every item is one. Empty items are kept
// by the waypoint edits and are no fault; a trailing ";" is dropped as the
// course splitting does.
std::optional<std::string> BadWaypoint(TStringTools& stringTools, const std::string& text, int buoyCount) {
  TStringList items;
  stringTools.GetDelimitedStringList(text, ';', items);
  for (const std::string& item : items) {
    if (item.empty()) continue;
    const std::optional<int> index = ParseDecimalInteger(item);
    if (!index || *index < 0 || *index >= buoyCount) return item;
  }
  return std::nullopt;
}

void ReadDateTime(TSettingsReader& reader, TInterfaceApplicationMobile& state) {
  const std::array<std::uint16_t, 5> before{state.AYear, state.AMonth, state.ADay, state.AHour, state.AMinute};
  reader.Word("T_YEAR", state.AYear);
  reader.Word("T_MONTH", state.AMonth);
  reader.Word("T_DAY", state.ADay);
  reader.Word("T_HOUR", state.AHour);
  reader.Word("T_MINUTE", state.AMinute);
  if (TryEncodeDateTime(state.AYear, state.AMonth, state.ADay, state.AHour, state.AMinute, 0, 0)) return;
  const auto moment = [](int y, int mo, int d, int h, int mi) {
    std::array<char, 64> text{};
    std::snprintf(text.data(), text.size(), "%04d-%02d-%02d %02d:%02d", y, mo, d, h, mi);
    return std::string(text.data());
  };
  reader.Warn("T_YEAR, T_MONTH, T_DAY, T_HOUR, T_MINUTE give " +
              moment(state.AYear, state.AMonth, state.ADay, state.AHour, state.AMinute) +
              ", which is no valid date and time; the moment stays " +
              moment(before[0], before[1], before[2], before[3], before[4]) + " GMT.");
  state.AYear = before[0];
  state.AMonth = before[1];
  state.ADay = before[2];
  state.AHour = before[3];
  state.AMinute = before[4];
}

// The longitudes and latitudes a position key may hold: the chart frame.
struct TChartSpan {
  std::pair<double, double> Lon;
  std::pair<double, double> Lat;
};

TChartSpan ChartSpan(const TMapArea& chart) {
  return TChartSpan{FrameSpan(chart.P1.Lon, chart.P2.Lon, kMaxLongitudeMinutes),
                    FrameSpan(chart.P1.Lat, chart.P2.Lat, kMaxLatitudeMinutes)};
}

// A mark moves only with both coordinates usable.
void ReadMovableMark(TSettingsReader& reader, const std::string& lonKey, const std::string& latKey,
                     const TChartSpan& span, TMinutes& position) {
  const std::optional<double> lon = reader.CheckedNumber(lonKey, position.Lon, span.Lon.first, span.Lon.second);
  const std::optional<double> lat = reader.CheckedNumber(latKey, position.Lat, span.Lat.first, span.Lat.second);
  if (lon && lat) position = TMinutes{*lon, *lat};
}

// The course kind is one of two values, not a range.
void ReadCourseType(TSettingsReader& reader, int& field) {
  const std::optional<int> type =
      reader.CheckedInteger("COURSETYPE", field, kCourseTypeWindwardLeeward, kCourseTypeMarks);
  if (!type) return;
  if (*type == kCourseTypeWindwardLeeward || *type == kCourseTypeMarks) {
    field = *type;
    return;
  }
  reader.Warn("\"COURSETYPE=" + std::to_string(*type) + "\" is neither 1 (windward-leeward) nor 3 (course of "
              "marks); COURSETYPE keeps " + std::to_string(field) + ".");
}

// The course's marks: buoy numbers of the loaded list (not checked while
// none is loaded), no more than the window's waypoint rows.
void ReadWaypoints(TSettingsReader& reader, TStringTools& stringTools, TInterfaceApplicationMobile& state) {
  const std::string course = state.ListWayPoints;
  reader.Text("WAYPOINTS", state.ListWayPoints);
  TStringList items;
  stringTools.GetDelimitedStringList(state.ListWayPoints, ';', items);
  if (items.size() > static_cast<std::size_t>(kMaxWaypoints)) {
    reader.Warn("WAYPOINTS holds " + std::to_string(items.size()) + " marks, more than the " +
                std::to_string(kMaxWaypoints) + " rows of the waypoint list; the course stays " + course + ".");
    state.ListWayPoints = course;
    return;
  }
  const int buoys = static_cast<int>(state.ListBuoysPosition.size());
  if (buoys > 0) {
    if (auto bad = BadWaypoint(stringTools, state.ListWayPoints, buoys)) {
      reader.Warn("\"WAYPOINTS=" + state.ListWayPoints + "\" names \"" + *bad + "\", which is not a buoy number 0 to " +
                  std::to_string(buoys - 1) + "; the course stays " + course + ".");
      state.ListWayPoints = course;
    }
  }
}

// The name of the two-byte text encoding a file is written in: its byte
// order mark, or without one the zero bytes that every character of the
// ASCII range carries beside it (on the right for little-endian). Nothing
// for a text without zero bytes.
std::optional<std::string> TwoByteEncoding(const TStringList& lines) {
  if (!lines.empty() && lines.front().rfind("\xFF\xFE", 0) == 0) return "UTF-16 little-endian";
  if (!lines.empty() && lines.front().rfind("\xFE\xFF", 0) == 0) return "UTF-16 big-endian";
  for (const std::string& line : lines) {
    if (line.find('\0') == std::string::npos) continue;
    if (line.size() >= 2 && line[0] != '\0' && line[1] == '\0') return "UTF-16 little-endian";
    if (line.size() >= 2 && line[0] == '\0' && line[1] != '\0') return "UTF-16 big-endian";
    return "UTF-16";
  }
  return std::nullopt;
}

// Lines ended by a carriage return alone (as old Mac editors save them)
// reach here as one line; they are split there. A carriage return is never
// part of a value, so splitting at it cannot change a key.
bool SplitCarriageReturns(TStringList& lines) {
  TStringList split;
  bool found = false;
  for (const std::string& line : lines) {
    std::size_t start = 0;
    for (std::size_t end = line.find('\r'); end != std::string::npos; end = line.find('\r', start)) {
      split.push_back(line.substr(start, end - start));
      start = end + 1;
      found = true;
    }
    split.push_back(line.substr(start));
  }
  if (found) lines = std::move(split);
  return found;
}

void ReadSettingsLines(TPackageSuperResourceLoader& loader, const TStringList& lines,
                       TInterfaceApplicationMobile& state, TStringList& warnings) {
  TSettingsReader reader(loader, lines);
  const TChartSpan chart = ChartSpan(state.SeaMap);
  // The region's zoom range: the file is that of The Quarne, and a state
  // not yet set up for the region holds a smaller construction default.
  reader.Number("DEVICEZOOM", state.DeviceZoom, 0, kZoomMaxQuarne);
  reader.Number("DEVICECENTERLON", state.DeviceCenter.Lon, chart.Lon.first, chart.Lon.second);
  reader.Number("DEVICECENTERLAT", state.DeviceCenter.Lat, chart.Lat.first, chart.Lat.second);
  ReadDateTime(reader, state);
  reader.Integer("TIDESHIFT", state.IndexTideShift, 0, kMaxIndexTideShift);
  reader.Integer("CURRENTSSPEED", state.IndexRangeShift, 0, kMaxIndexRangeShift);
  reader.Text("BOATCLASS", state.BoatClass);
  reader.Integer("BOATDEPTH", state.IndexDepthLine, 0, kMaxIndexDepthLine);

  ReadCourseType(reader, state.TrackType);
  reader.Integer("INDEXTOPMARK", state.ListRoutingData.IndexTopMark, 0, kMaxIndexTopMark);
  ReadWaypoints(reader, loader.StringTools, state);
  if (state.ListBuoysPosition.size() >= kMovableMarks) {
    ReadMovableMark(reader, "M1LON", "M1LAT", chart, state.ListBuoysPosition[0]);
    ReadMovableMark(reader, "M2LON", "M2LAT", chart, state.ListBuoysPosition[1]);
  }

  reader.Integer("INDEXSPEED", state.Wind.IndexSpeed, 0, kMaxIndexWindSpeed);
  reader.Integer("INDEXDIRECTION", state.Wind.IndexDirection, 0, kMaxIndexWindDirection);
  reader.Number("DIRECTION", state.Wind.TrueWind.Winkel, -kMaxDirectionRadians, kMaxDirectionRadians);
  state.Wind.TrueWind.Winkel = loader.MathTools.ReduceRad(state.Wind.TrueWind.Winkel);

  reader.Boolean("BOATSONTRACK", state.DrawBoatsOnTrack);
  reader.Boolean("LAYLINES", state.DrawLaylines);
  reader.Boolean("COURSES", state.DrawCourse);
  reader.Boolean("GPS", state.ShowGPSLocation);
  reader.Word("T_HOURBEGIN", state.AHourBegin, kMaxHour);
  reader.Word("T_MINUTEBEGIN", state.AMinuteBegin, kMaxMinute);
  reader.Word("T_HOUREND", state.AHourEnd, kMaxHour);
  reader.Word("T_MINUTEEND", state.AMinuteEnd, kMaxMinute);
  reader.Integer("T_TIMEINTERVAL", state.TimeInterval, 0, kMaxTimeInterval);

  warnings.insert(warnings.end(), reader.Warnings().begin(), reader.Warnings().end());
}

// Application types of the stream-model editor and the simulator, whose
// selectable window follows the saved day.
constexpr int kAppTypeModeler = 1;
constexpr int kAppTypeSimulatorWindow = 4;

void SetSelectableWindowOfDay(TInterfaceApplicationMobile& state) {
  const std::optional<TDateTime> begin =
      TryEncodeDateTime(state.AYear, state.AMonth, state.ADay, state.AHourBegin, state.AMinuteBegin, 0, 0);
  const std::optional<TDateTime> end =
      TryEncodeDateTime(state.AYear, state.AMonth, state.ADay, state.AHourEnd, state.AMinuteEnd, 0, 0);
  if (begin && end) {
    state.DateTimeMinLOC = *begin;
    state.DateTimeMaxLOC = *end;
  }
}

}  // namespace

std::string TPackageResourceLoader::GetSettingsFileName(const TInterfaceApplicationMobile& state) const {
  return FileTools.GetPath(FileTools.GetDocumentsPathForReading(), state.IniName);
}

TStringList TPackageResourceLoader::LoadSettingsDevice(TInterfaceApplicationMobile& state) {
  return LoadSettingsDevice(state, GetSettingsFileName(state));
}

TStringList TPackageResourceLoader::LoadSettingsDevice(TInterfaceApplicationMobile& state,
                                                       const std::string& file) {
  TStringList warnings;
  if (FileTools.GetFileExists(file)) {
    TStringList lines;
    std::error_code error;
    if (!FileTools.ReadTextFile(file, lines, error)) {
      warnings.push_back("Settings file " + file + " cannot be read (" + error.message() +
                         "); the defaults stay in force.");
    } else if (const std::optional<std::string> encoding = TwoByteEncoding(lines)) {
      warnings.push_back("Settings file " + file + " is " + *encoding +
                         " text, which the program does not read; save it as UTF-8. The defaults stay in force.");
    } else {
      if (SplitCarriageReturns(lines)) {
        warnings.push_back("Settings file " + file +
                           " ends its lines with a carriage return alone; they are read as lines.");
      }
      ReadSettingsLines(*this, lines, state, warnings);
    }
  }

  // The date fields were checked above, so they always form a date.
  state.DateTimeGMT = EncodeDateTime(state.AYear, state.AMonth, state.ADay, state.AHour, state.AMinute, 0, 0);
  if (state.AppType == kAppTypeModeler || state.AppType == kAppTypeSimulatorWindow) {
    SetSelectableWindowOfDay(state);
  }
  // The calibration values go through the texts of their list items, so
  // they are exactly what the lists show.
  state.TideRangeShift = StringTools.ToRangeShift(StringTools.ToRangeShift(state.IndexRangeShift)) / 100;
  state.TideTimeShift = StringTools.ToTideShift(StringTools.ToTideShift(state.IndexTideShift));
  return warnings;
}

bool TPackageResourceLoader::SaveSettingsDevice(TInterfaceApplicationMobile& state) {
  return SaveSettingsDevice(state, GetSettingsFileName(state));
}

bool TPackageResourceLoader::SaveSettingsDevice(TInterfaceApplicationMobile& state, const std::string& file) {
  const TDateTimeParts moment = DecodeDateTime(state.DateTimeGMT);
  state.AYear = static_cast<std::uint16_t>(moment.Year);
  state.AMonth = static_cast<std::uint16_t>(moment.Month);
  state.ADay = static_cast<std::uint16_t>(moment.Day);
  state.AHour = static_cast<std::uint16_t>(moment.Hour);
  state.AMinute = static_cast<std::uint16_t>(moment.Minute);
  const TDateTimeParts begin = DecodeDateTime(state.DateTimeMinLOC);
  const TDateTimeParts end = DecodeDateTime(state.DateTimeMaxLOC);
  state.AHourBegin = static_cast<std::uint16_t>(begin.Hour);
  state.AMinuteBegin = static_cast<std::uint16_t>(begin.Minute);
  state.AHourEnd = static_cast<std::uint16_t>(end.Hour);
  state.AMinuteEnd = static_cast<std::uint16_t>(end.Minute);

  const auto number = [](auto value) { return std::to_string(value); };
  TStringList lines{
      "[SETTINGS]",
      Line("DEVICEZOOM", GeneralFloatText(state.DeviceZoom)),
      Line("DEVICECENTERLON", GeneralFloatText(state.DeviceCenter.Lon)),
      Line("DEVICECENTERLAT", GeneralFloatText(state.DeviceCenter.Lat)),
      Line("T_YEAR", number(state.AYear)),
      Line("T_MONTH", number(state.AMonth)),
      Line("T_DAY", number(state.ADay)),
      Line("T_HOUR", number(state.AHour)),
      Line("T_MINUTE", number(state.AMinute)),
      Line("TIDESHIFT", number(state.IndexTideShift)),
      Line("CURRENTSSPEED", number(state.IndexRangeShift)),
      Line("BOATCLASS", state.BoatClass),
      Line("BOATDEPTH", GeneralFloatText(state.IndexDepthLine)),
      "[COURSES]",
      Line("COURSETYPE", number(state.TrackType)),
      Line("INDEXTOPMARK", number(state.ListRoutingData.IndexTopMark)),
      Line("WAYPOINTS", state.ListWayPoints),
  };
  if (state.ListBuoysPosition.size() >= kMovableMarks) {
    lines.push_back(Line("M1LON", GeneralFloatText(state.ListBuoysPosition[0].Lon)));
    lines.push_back(Line("M1LAT", GeneralFloatText(state.ListBuoysPosition[0].Lat)));
    lines.push_back(Line("M2LON", GeneralFloatText(state.ListBuoysPosition[1].Lon)));
    lines.push_back(Line("M2LAT", GeneralFloatText(state.ListBuoysPosition[1].Lat)));
  }
  lines.insert(lines.end(), {
                                "[WIND]",
                                Line("INDEXSPEED", number(state.Wind.IndexSpeed)),
                                Line("INDEXDIRECTION", number(state.Wind.IndexDirection)),
                                Line("DIRECTION", GeneralFloatText(state.Wind.TrueWind.Winkel)),
                                "[SWITCH]",
                                Line("BOATSONTRACK", BooleanText(state.DrawBoatsOnTrack)),
                                Line("LAYLINES", BooleanText(state.DrawLaylines)),
                                Line("COURSES", BooleanText(state.DrawCourse)),
                                Line("GPS", BooleanText(state.ShowGPSLocation)),
                                Line("T_HOURBEGIN", number(state.AHourBegin)),
                                Line("T_MINUTEBEGIN", number(state.AMinuteBegin)),
                                Line("T_HOUREND", number(state.AHourEnd)),
                                Line("T_MINUTEEND", number(state.AMinuteEnd)),
                                Line("T_TIMEINTERVAL", number(state.TimeInterval)),
                            });
  const std::filesystem::path folder = std::filesystem::path(file).parent_path();
  std::error_code error;
  if (!folder.empty()) std::filesystem::create_directories(folder, error);
  return FileTools.SaveTextFile(file, lines);
}

}  // namespace corvane
