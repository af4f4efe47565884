// The settings file: the user's choices as key=value lines, read once at
// start-up and written after the commands that change them. Reader and
// writer stand side by side so that the key list is seen once.

#include <array>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <limits>
#include <locale>
#include <optional>
#include <system_error>

#include "core/date_time.h"
#include "data/package_resource_loader.h"

namespace corvane {

namespace {

// Highest indices of the calibration and depth-line lists the window offers.
constexpr int kMaxIndexTideShift = 30;
constexpr int kMaxIndexRangeShift = 40;
constexpr int kMaxIndexDepthLine = 4;
constexpr int kMaxWord = std::numeric_limits<std::uint16_t>::max();

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

  void Integer(const std::string& key, int& field) {
    if (auto value = CheckedInteger(key, field, std::numeric_limits<int>::min(),
                                    std::numeric_limits<int>::max())) {
      field = *value;
    }
  }
  void Integer(const std::string& key, int& field, int low, int high) {
    if (auto value = CheckedInteger(key, field, low, high)) field = *value;
  }
  void Word(const std::string& key, std::uint16_t& field) {
    if (auto value = CheckedInteger(key, field, 0, kMaxWord)) field = static_cast<std::uint16_t>(*value);
  }

  // A float key. A missing key keeps the field as it is: passing the
  // default through a two-decimal text would move a chart centre or a mark
  // by up to half a hundredth of a minute on every start without a line.
  void Extended(const std::string& key, double& field) {
    if (auto value = OptionalExtended(key)) field = *value;
  }
  std::optional<double> OptionalExtended(const std::string& key) {
    if (loader_.ReadIniString(lines_, key, "").empty()) return std::nullopt;
    return loader_.ReadIniExtended(lines_, key, "0");
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

void ReadMovableMark(TSettingsReader& reader, const std::string& lonKey, const std::string& latKey,
                     TMinutes& position) {
  const std::optional<double> lon = reader.OptionalExtended(lonKey);
  const std::optional<double> lat = reader.OptionalExtended(latKey);
  if (lon && lat) position = TMinutes{*lon, *lat};
}

void ReadSettingsLines(TPackageSuperResourceLoader& loader, const TStringList& lines,
                       TInterfaceApplicationMobile& state, TStringList& warnings) {
  TSettingsReader reader(loader, lines);
  reader.Extended("DEVICEZOOM", state.DeviceZoom);
  reader.Extended("DEVICECENTERLON", state.DeviceCenter.Lon);
  reader.Extended("DEVICECENTERLAT", state.DeviceCenter.Lat);
  ReadDateTime(reader, state);
  reader.Integer("TIDESHIFT", state.IndexTideShift, 0, kMaxIndexTideShift);
  reader.Integer("CURRENTSSPEED", state.IndexRangeShift, 0, kMaxIndexRangeShift);
  reader.Text("BOATCLASS", state.BoatClass);
  reader.Integer("BOATDEPTH", state.IndexDepthLine, 0, kMaxIndexDepthLine);

  reader.Integer("COURSETYPE", state.TrackType);
  reader.Integer("INDEXTOPMARK", state.ListRoutingData.IndexTopMark);
  const std::string course = state.ListWayPoints;
  reader.Text("WAYPOINTS", state.ListWayPoints);
  const int buoys = static_cast<int>(state.ListBuoysPosition.size());
  if (buoys > 0) {
    if (auto bad = BadWaypoint(loader.StringTools, state.ListWayPoints, buoys)) {
      reader.Warn("\"WAYPOINTS=" + state.ListWayPoints + "\" names \"" + *bad + "\", which is not a buoy number 0 to " +
                  std::to_string(buoys - 1) + "; the course stays " + course + ".");
      state.ListWayPoints = course;
    }
  }
  if (state.ListBuoysPosition.size() >= kMovableMarks) {
    ReadMovableMark(reader, "M1LON", "M1LAT", state.ListBuoysPosition[0]);
    ReadMovableMark(reader, "M2LON", "M2LAT", state.ListBuoysPosition[1]);
  }

  reader.Integer("INDEXSPEED", state.Wind.IndexSpeed);
  reader.Integer("INDEXDIRECTION", state.Wind.IndexDirection);
  reader.Extended("DIRECTION", state.Wind.TrueWind.Winkel);

  reader.Boolean("BOATSONTRACK", state.DrawBoatsOnTrack);
  reader.Boolean("LAYLINES", state.DrawLaylines);
  reader.Boolean("COURSES", state.DrawCourse);
  reader.Boolean("GPS", state.ShowGPSLocation);
  reader.Word("T_HOURBEGIN", state.AHourBegin);
  reader.Word("T_MINUTEBEGIN", state.AMinuteBegin);
  reader.Word("T_HOUREND", state.AHourEnd);
  reader.Word("T_MINUTEEND", state.AMinuteEnd);
  reader.Integer("T_TIMEINTERVAL", state.TimeInterval);

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
  return FileTools.GetPath(FileTools.GetDocumentsPath(), state.IniName);
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
    if (FileTools.ReadTextFile(file, lines, error)) {
      ReadSettingsLines(*this, lines, state, warnings);
    } else {
      warnings.push_back("Settings file " + file + " cannot be read (" + error.message() +
                         "); the defaults stay in force.");
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
