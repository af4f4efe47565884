#include "cli/cli_context.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <system_error>
#include <utility>

#include "core/date_time.h"
#include "core/string_tools.h"

namespace corvane::cli {

namespace {

constexpr int kMinutesPerDegree = 60;
constexpr double kMaxLongitude = 180;
constexpr double kMaxLatitude = 90;

// The calibration lists of the window: high water shifted in steps of 10
// minutes from -150 (index 0) to +150 (index 30), speeds corrected in steps
// of 5 percent from -100 (index 0) to +100 (index 40).
constexpr int kTideShiftStep = 10;
constexpr int kTideShiftMin = -150;
constexpr int kTideShiftMax = 150;
constexpr int kRangeShiftStep = 5;
constexpr int kRangeShiftMin = -100;
constexpr int kRangeShiftMax = 100;

bool AllDigits(std::string_view text) {
  if (text.empty()) return false;
  for (char c : text) {
    if (!std::isdigit(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

int ToInt(std::string_view digits) {
  int value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return value;
}

TFileTools MakeFileTools(const std::string& documents) {
  return documents.empty() ? TFileTools() : TFileTools::ForProgramFolder(std::filesystem::path(documents));
}

}  // namespace

std::optional<TDateTime> ParseDate(const std::string& text) {
  const std::string_view t(text);
  if (t.size() != 10 || t[4] != '-' || t[7] != '-') return std::nullopt;
  if (!AllDigits(t.substr(0, 4)) || !AllDigits(t.substr(5, 2)) || !AllDigits(t.substr(8, 2))) {
    return std::nullopt;
  }
  return TryEncodeDate(ToInt(t.substr(0, 4)), ToInt(t.substr(5, 2)), ToInt(t.substr(8, 2)));
}

std::optional<TDateTime> ParseClockTime(const std::string& text) {
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos || colon == 0 || colon > 2) return std::nullopt;
  const std::string_view t(text);
  const std::string_view hour = t.substr(0, colon);
  const std::string_view minute = t.substr(colon + 1);
  if (!AllDigits(hour) || minute.size() != 2 || !AllDigits(minute)) return std::nullopt;
  const int h = ToInt(hour);
  const int m = ToInt(minute);
  if (h > 23 || m > 59) return std::nullopt;
  return EncodeTime(h, m, 0, 0);
}

std::optional<TDateTime> ParseDateAndTime(const std::string& text) {
  if (text.size() < 12 || (text[10] != ' ' && text[10] != 'T')) return std::nullopt;
  const std::optional<TDateTime> date = ParseDate(text.substr(0, 10));
  const std::optional<TDateTime> time = ParseClockTime(text.substr(11));
  if (!date || !time) return std::nullopt;
  return *date + *time;
}

std::optional<double> ParseCoordinate(const std::string& text, bool latitude) {
  if (text.empty()) return std::nullopt;
  const char negative = latitude ? 'S' : 'W';
  const char positive = latitude ? 'N' : 'E';
  const char last = static_cast<char>(std::toupper(static_cast<unsigned char>(text.back())));
  const bool hemisphere = last == negative || last == positive;
  if (!hemisphere && std::isalpha(static_cast<unsigned char>(last))) return std::nullopt;

  double minutes = 0;
  std::string number = hemisphere ? text.substr(0, text.size() - 1) : text;
  const std::size_t separators = std::count(number.begin(), number.end(), ':') +
                                 std::count(number.begin(), number.end(), '.');
  if (hemisphere && separators == 2) {
    // The display form: degrees, minutes and thousandths of a minute.
    TStringTools tools;
    const std::string normal = tools.ToFormatGeoPos(text, "");
    if (normal.empty()) return std::nullopt;
    minutes = tools.GeoPosToMinutes(normal);
  } else {
    if (hemisphere && !number.empty() && (number.front() == '-' || number.front() == '+')) return std::nullopt;
    if (!number.empty() && number.front() == '+') number.erase(0, 1);
    double degrees = 0;
    const auto [end, ec] = std::from_chars(number.data(), number.data() + number.size(), degrees);
    if (ec != std::errc() || end != number.data() + number.size() || !std::isfinite(degrees)) {
      return std::nullopt;
    }
    minutes = static_cast<double>(degrees) * kMinutesPerDegree;
    if (hemisphere && last == negative) minutes = -minutes;
  }
  const double limit = (latitude ? kMaxLatitude : kMaxLongitude) * kMinutesPerDegree;
  if (!(std::fabs(minutes) <= limit)) return std::nullopt;
  return minutes;
}

std::string Row(const std::string& label, const std::string& value) {
  constexpr std::size_t kLabelWidth = 18;
  std::string line = "  " + label;
  if (line.size() < kLabelWidth + 2) line.resize(kLabelWidth + 2, ' ');
  else line += ' ';
  return line + value + "\n";
}

TCliContext::TCliContext(TCommonOptions options, TResourceStore store)
    : Loader(store, MakeFileTools(options.Documents)), options_(std::move(options)), store_(std::move(store)) {}

void TCliContext::Load() {
  if (loaded_) return;
  if (!options_.Settings.empty()) {
    std::error_code error;
    if (std::filesystem::is_directory(options_.Settings, error)) {
      throw TUsageError("--settings " + options_.Settings + ": is a folder, not a settings file");
    }
    if (!Loader.FileTools.GetFileExists(options_.Settings)) {
      throw TUsageError("--settings " + options_.Settings + ": no such file");
    }
    SettingsFile = options_.Settings;
  } else {
    SettingsFile = Loader.GetSettingsFileName(State);
  }
  SettingsFileFound = Loader.FileTools.GetFileExists(SettingsFile);
  Startup = RunStartup(Loader, Currents, State, SettingsFile);
  loaded_ = true;
}

void TCliContext::SetMoment(TDateTime typed) {
  Load();
  if (options_.GMT) {
    State.DateTimeGMT = typed;
    SetDateTimeLOC(State);
  } else {
    State.DateTimeLOC = typed;
    SetDateTimeGMT(State);
  }
  if (CompareDateTime(State.DateTimeLOC, State.DateTimeMinLOC) < 0 ||
      CompareDateTime(State.DateTimeLOC, State.DateTimeMaxLOC) > 0) {
    throw TUsageError(FormatDateTime(kMomentFormat, typed) + (options_.GMT ? " GMT" : "") +
                      " lies outside the tide table, which serves " +
                      FormatDateTime(kMomentFormat, State.DateTimeMinLOC) + " to " +
                      FormatDateTime(kMomentFormat, State.DateTimeMaxLOC) + " local time");
  }
  Currents.GetTidalCurrents(kCurrentsSourceDrawn, State);
}

void TCliContext::SetCalibration(std::optional<int> shiftMinutes, std::optional<int> rangePercent) {
  Load();
  if (shiftMinutes) {
    if (*shiftMinutes % kTideShiftStep != 0 || *shiftMinutes < kTideShiftMin || *shiftMinutes > kTideShiftMax) {
      throw TUsageError("--shift " + std::to_string(*shiftMinutes) +
                        ": the high-water shift is a multiple of 10 minutes from -150 to 150");
    }
    State.IndexTideShift = (*shiftMinutes - kTideShiftMin) / kTideShiftStep;
  }
  if (rangePercent) {
    if (*rangePercent % kRangeShiftStep != 0 || *rangePercent < kRangeShiftMin || *rangePercent > kRangeShiftMax) {
      throw TUsageError("--range " + std::to_string(*rangePercent) +
                        ": the speed correction is a multiple of 5 percent from -100 to 100");
    }
    State.IndexRangeShift = (*rangePercent - kRangeShiftMin) / kRangeShiftStep;
  }
  // The same derivation as after reading the settings file: through the
  // texts of the list items.
  TStringTools tools;
  State.TideRangeShift = tools.ToRangeShift(tools.ToRangeShift(State.IndexRangeShift)) / 100;
  State.TideTimeShift = tools.ToTideShift(tools.ToTideShift(State.IndexTideShift));
}

std::string TCliContext::MomentText() const {
  if (options_.GMT) {
    return FormatDateTime(kMomentFormat, State.DateTimeGMT) + " GMT (" + FormatDateTime("hh:mm", State.DateTimeLOC) +
           " local)";
  }
  return FormatDateTime(kMomentFormat, State.DateTimeLOC) + " local (" + FormatDateTime("hh:mm", State.DateTimeGMT) +
         " GMT)";
}

bool TCliContext::HasStreamAtlas() const {
  const TListVektorCubeLight& atlas = State.CubeLoRes;
  for (int c = 0; c < atlas.GetCountCubes(); ++c) {
    if (atlas.GetCountVektors(c) > 0 && atlas.GetCountFields(c) > 0 && atlas.GetCountVektors(c, 0) > 0) return true;
  }
  return false;
}

}  // namespace corvane::cli
