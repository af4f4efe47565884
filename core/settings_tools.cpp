#include "core/settings_tools.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <locale>

#include "core/date_time.h"
#include "core/file_tools.h"

namespace corvane {

namespace {

std::string_view Trim(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  return text;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Lower(a[i]) != Lower(b[i])) return false;
  }
  return true;
}

std::string SettingsFilePath(const std::string& folder, const std::string& fileName) {
  if (folder.empty()) return fileName;
  if (folder.back() == kPathSeparator) return folder + fileName;
  return folder + kPathSeparator + fileName;
}

char LocaleDecimalPoint() {
  try {
    return std::use_facet<std::numpunct<char>>(std::locale()).decimal_point();
  } catch (...) {
    return '.';
  }
}

// Reads an unsigned decimal field of 1 to maxDigits digits at text[pos].
bool ReadField(std::string_view text, std::size_t& pos, int maxDigits, int& value) {
  std::size_t digits = 0;
  value = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    if (++digits > static_cast<std::size_t>(maxDigits)) return false;
    value = value * 10 + (text[pos] - '0');
    ++pos;
  }
  return digits > 0;
}

bool Expect(std::string_view text, std::size_t& pos, char c) {
  if (pos >= text.size() || text[pos] != c) return false;
  ++pos;
  return true;
}

}  // namespace

std::optional<std::string> TSettingsTools::ReadValue(const std::string& folder,
                                                     const std::string& fileName,
                                                     const std::string& key,
                                                     const std::string& section) const {
  TStringList lines;
  if (!TFileTools().ReadTextFile(SettingsFilePath(folder, fileName), lines)) return std::nullopt;
  const std::string_view wantedSection = Trim(section);
  const std::string_view wantedKey = Trim(key);
  // Lines before the first section line belong to the section "".
  bool inSection = wantedSection.empty();
  for (const std::string& rawLine : lines) {
    const std::string_view line = Trim(rawLine);
    if (line.empty() || line.front() == ';' || line.front() == '#') continue;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      if (close != std::string_view::npos) {
        inSection = EqualsNoCase(Trim(line.substr(1, close - 1)), wantedSection);
        continue;
      }
    }
    if (!inSection) continue;
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    if (EqualsNoCase(Trim(line.substr(0, equals)), wantedKey)) {
      return std::string(Trim(line.substr(equals + 1)));
    }
  }
  return std::nullopt;
}

std::string TSettingsTools::Read(const std::string& folder, const std::string& fileName,
                                 const std::string& key, const std::string& section,
                                 const std::string& defaultValue) const {
  try {
    return ReadValue(folder, fileName, key, section).value_or(defaultValue);
  } catch (...) {
    return defaultValue;
  }
}

std::optional<double> TSettingsTools::ParseNumber(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  // Decimal separators of any locale become "."; from_chars then reads the
  // text independently of the process's C locale.
  const char localePoint = LocaleDecimalPoint();
  std::string normal(text);
  for (char& c : normal) {
    if (c == localePoint || c == ',') c = '.';
  }
  double value = 0;
  const char* end = normal.data() + normal.size();
  const auto [ptr, ec] = std::from_chars(normal.data(), end, value, std::chars_format::general);
  if (ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::optional<double> TSettingsTools::ReadNumber(const std::string& folder,
                                              const std::string& fileName, const std::string& key,
                                              const std::string& section) const {
  try {
    const auto text = ReadValue(folder, fileName, key, section);
    if (!text) return std::nullopt;
    return ParseNumber(*text);
  } catch (...) {
    return std::nullopt;
  }
}

int TSettingsTools::Read(const std::string& folder, const std::string& fileName,
                         const std::string& key, const std::string& section,
                         int defaultValue) const {
  try {
    const auto value = ReadValue(folder, fileName, key, section);
    if (!value) return defaultValue;
    std::string_view text = Trim(*value);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
      negative = text.front() == '-';
      text.remove_prefix(1);
    }
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
      base = 16;
      text.remove_prefix(2);
    } else if (text.size() > 1 && text[0] == '$') {
      base = 16;
      text.remove_prefix(1);
    }
    if (text.empty()) return defaultValue;
    // Unsigned, so that a second sign ("--5") is refused.
    std::uint64_t magnitude = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, magnitude, base);
    if (ec != std::errc() || ptr != end || magnitude > (std::uint64_t{1} << 32)) return defaultValue;
    const auto signedMagnitude = static_cast<std::int64_t>(magnitude);
    const std::int64_t result = negative ? -signedMagnitude : signedMagnitude;
    if (result < std::numeric_limits<int>::min() || result > std::numeric_limits<int>::max()) {
      return defaultValue;
    }
    return static_cast<int>(result);
  } catch (...) {
    return defaultValue;
  }
}

std::optional<TDateTime> TSettingsTools::ParseDateTime(std::string_view text) {
  text = Trim(text);
  std::size_t pos = 0;
  int day = 0;
  int month = 0;
  int year = 0;
  int hour = 0;
  int minute = 0;
  int second = 0;
  int ms = 0;
  if (!ReadField(text, pos, 2, day) || !Expect(text, pos, '.') || !ReadField(text, pos, 2, month) ||
      !Expect(text, pos, '.') || !ReadField(text, pos, 4, year)) {
    return std::nullopt;
  }
  if (pos < text.size()) {
    if (text[pos] != ' ' && text[pos] != '\t') return std::nullopt;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t')) ++pos;
    if (!ReadField(text, pos, 2, hour) || !Expect(text, pos, ':') ||
        !ReadField(text, pos, 2, minute)) {
      return std::nullopt;
    }
    if (pos < text.size()) {
      if (!Expect(text, pos, ':') || !ReadField(text, pos, 2, second)) return std::nullopt;
      if (pos < text.size()) {
        const std::size_t msStart = pos + 1;
        if (!Expect(text, pos, '.') || !ReadField(text, pos, 3, ms)) return std::nullopt;
        // ".5" is half a second, not 5 ms.
        for (std::size_t digits = pos - msStart; digits < 3; ++digits) ms *= 10;
      }
    }
  }
  if (pos != text.size()) return std::nullopt;
  return TryEncodeDateTime(year, month, day, hour, minute, second, ms);
}

TDateTime TSettingsTools::Read(const std::string& folder, const std::string& fileName,
                               const std::string& key, const std::string& section) const {
  try {
    if (const auto text = ReadValue(folder, fileName, key, section)) {
      if (const auto value = ParseDateTime(*text)) return *value;
    }
  } catch (...) {
    // Falls through to the current time, as for a missing key.
  }
  return NowLocal();
}

}  // namespace corvane
