#include "core/logging.h"

#include <array>
#include <charconv>
#include <filesystem>
#include <locale>

#include "core/constants.h"
#include "core/date_time.h"
#include "core/file_tools.h"

namespace corvane {

namespace {

constexpr const char* kUpdateLogName = "Update.log";
constexpr const char* kPairGap = "   ";

char LocaleDecimalPoint() {
  try {
    return std::use_facet<std::numpunct<char>>(std::locale()).decimal_point();
  } catch (...) {
    return '.';
  }
}

std::string UpdateLogPath(const std::string& folder) {
  if (folder.empty()) return kUpdateLogName;
  if (folder.back() == kPathSeparator) return folder + kUpdateLogName;
  return folder + kPathSeparator + kUpdateLogName;
}

std::string KeyLine(const std::string& key, const std::string& text) { return key + "=" + text; }

}  // namespace

std::string TLogging::FormatGeneral(double value) {
  // The shortest round-trip text of a double needs at most 17 significant
  // digits plus sign, point and exponent.
  std::array<char, 64> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value);
  if (ec != std::errc()) return std::string();
  std::string text(buffer.data(), end);
  const char point = LocaleDecimalPoint();
  if (point != '.') {
    for (char& c : text) {
      if (c == '.') c = point;
    }
  }
  return text;
}

std::string TLogging::FormatFixed(double value, int width, int decimals) {
  // Large enough for the fixed text of any finite double (up to 309 integer
  // digits) with the decimals that the log uses.
  std::array<char, 5200> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed, decimals);
  if (ec != std::errc()) return std::string();
  std::string text(buffer.data(), end);
  if (static_cast<int>(text.size()) < width) text.insert(0, width - text.size(), ' ');
  return text;
}

void TLogging::Clear() { List.clear(); }

void TLogging::Clear(const std::string& fileName) {
  List.clear();
  SaveToFile(fileName);
}

const TStringList& TLogging::GetLog() const { return List; }

void TLogging::AddLog(const TStringList& lines) { List.insert(List.end(), lines.begin(), lines.end()); }

void TLogging::LoadFromFile(const std::string& fileName) {
  std::error_code error;
  TStringList lines;
  if (!TFileTools().ReadTextFile(fileName, lines, error)) {
    throw std::filesystem::filesystem_error("cannot read log file", fileName, error);
  }
  List = std::move(lines);
}

void TLogging::SaveToFile(const std::string& fileName) const {
  std::error_code error;
  if (!TFileTools().SaveTextFile(fileName, List, error)) {
    throw std::filesystem::filesystem_error("cannot write log file", fileName, error);
  }
}

void TLogging::AddItem() { List.emplace_back(); }

void TLogging::AddTextLine(const std::string& key, const std::string& text) {
  List.push_back(KeyLine(key, text));
}

void TLogging::AddIndexedLine(const std::string& key, const std::string& index, double value) {
  List.push_back(KeyLine(key, index + kPairGap + FormatGeneral(value)));
}

void TLogging::AddPairLine(const std::string& key, double first, double second, int width) {
  List.push_back(KeyLine(key, FormatFixed(first, width, 4) + kPairGap + FormatFixed(second, width, 4)));
}

void TLogging::AddItem(const std::string& key, bool value) { List.push_back(KeyLine(key, value ? "1" : "0")); }

void TLogging::AddItem(const std::string& key, double value) {
  List.push_back(KeyLine(key, FormatFixed(value, 14, 10)));
}

void TLogging::AddItem(const std::string& key, float value) { AddItem(key, static_cast<double>(value)); }

void TLogging::AddItem(const std::string& key, double first, double second) {
  List.push_back(KeyLine(key, FormatGeneral(second) + kPairGap + FormatGeneral(first)));
}

void TLogging::AddItem(const std::string& key, const std::string& text) { List.push_back(KeyLine(key, text)); }

void TLogging::AddItem(const std::string& key, const char* text) {
  AddItem(key, std::string(text == nullptr ? "" : text));
}

void TLogging::AddItem(const std::string& key, const std::string& first, const std::string& second) {
  List.push_back(key);
  List.push_back(first + "  " + second);
  List.emplace_back();
}

void TLogging::AddItem(const std::string& text) { List.push_back(text); }

void TLogging::AddDateTime(const std::string& key, TDateTime value) {
  List.push_back(KeyLine(key, FormatDateTime("dd.mm.yyyy  hh:mm", value)));
}

void TLogging::AddDateTime(TDateTime value) { List.push_back(FormatDateTime("dd.mm.yyyy  hh:mm", value)); }

void TLogging::AddItem(const std::string& key, const TStringList& list) {
  for (const std::string& entry : list) List.push_back(KeyLine(key, entry));
}

void TLogging::AddItem(const TStringList& list) { AddLog(list); }

void TLogging::AddItem(double value) { List.push_back(FormatGeneral(value)); }

void TLogging::AddItem(float value) { AddItem(static_cast<double>(value)); }

void TLogging::AddItem(const std::string& key, const TCartesian& value) { AddPairLine(key, value.x, value.y, 8); }

void TLogging::AddItem(const std::string& key, const TMinutes& value) {
  AddPairLine(key, value.Lon, value.Lat, 8);
}

void TLogging::AddItem(const std::string& key, const TLogHours& value) {
  AddPairLine(key, value.First, value.Second, 8);
}

void TLogging::AddItem(const std::string& key, const TPolar& value) {
  AddPairLine(key, value.Betrag, value.Winkel * kRadiansToDegrees, 8);
}

void TLogging::AddItem(const std::string& key, const TGeoPos& value) {
  List.push_back(KeyLine(key, value.Lon + kPairGap + value.Lat));
}

void TLogging::AddItem(const std::string& key, const TLogPoint& value) {
  List.push_back(KeyLine(key, std::to_string(value.X) + kPairGap +
                                  std::to_string(value.Y)));
}

void TLogging::AddItem(const std::string& key, const TPointF& value) {
  AddPairLine(key, value.X, value.Y, 10);
}

void TLogging::AddTimeStampStart(const std::string& folder, const std::string& text) {
  const std::string path = UpdateLogPath(folder);
  if (TFileTools().GetFileExists(path)) {
    LoadFromFile(path);
  } else {
    List.clear();
  }
  List.push_back(text);
  List.push_back(KeyLine("Start", FormatDateTime("hh:mm:ss", NowLocal())));
  SaveToFile(path);
}

void TLogging::AddTimeStampEnd(const std::string& folder) {
  const std::string path = UpdateLogPath(folder);
  if (TFileTools().GetFileExists(path)) {
    LoadFromFile(path);
  } else {
    List.clear();
  }
  List.push_back(KeyLine("End", FormatDateTime("hh:mm:ss", NowLocal())));
  List.emplace_back();
  SaveToFile(path);
}

void TLogging::AddTimeStamp() { List.push_back(FormatDateTime("hh:mm:ss.zzz", NowLocal())); }

}  // namespace corvane
