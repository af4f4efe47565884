#include "data/resource_loader.h"

#include <charconv>
#include <cstring>

namespace corvane {

TIniConversionError::TIniConversionError(const std::string& key, const std::string& value)
    : std::runtime_error("'" + value + "' is not a valid integer value for " + key),
      key_(key),
      value_(value) {}

TPackageSuperResourceLoader::TPackageSuperResourceLoader(TResourceStore store)
    : store_(std::move(store)) {}

bool TPackageSuperResourceLoader::FindResource(const std::string& name) const {
  return store_.FindResource(name);
}

std::optional<TResourceStream> TPackageSuperResourceLoader::OpenResource(
    const std::string& name) const {
  return store_.Open(name);
}

std::optional<TStringList> TPackageSuperResourceLoader::ReadResourceLines(
    const std::string& name) const {
  auto stream = store_.Open(name);
  if (!stream) return std::nullopt;
  return SplitLines(stream->ReadAllText());
}

std::int32_t TPackageSuperResourceLoader::ReadInt32(TResourceStream& stream) const {
  std::uint8_t b[4];
  if (!stream.Read(b, 4)) return 0;
  const std::uint32_t u = static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
                          (static_cast<std::uint32_t>(b[2]) << 16) |
                          (static_cast<std::uint32_t>(b[3]) << 24);
  std::int32_t value;
  std::memcpy(&value, &u, sizeof value);
  return value;
}

std::uint8_t TPackageSuperResourceLoader::ReadByte(TResourceStream& stream) const {
  std::uint8_t b = 0;
  if (!stream.Read(&b, 1)) return 0;
  return b;
}

float TPackageSuperResourceLoader::ReadFloat(TResourceStream& stream) const {
  const double thousandths = ReadInt32(stream);
  return static_cast<float>(thousandths / 1000);
}

double TPackageSuperResourceLoader::ReadFloatShort(TResourceStream& stream) const {
  const double hundredths = ReadInt32(stream);
  return hundredths / 100;
}

TMinutes TPackageSuperResourceLoader::ReadMinutes(TResourceStream& stream) const {
  TMinutes m;
  m.Lon = ReadFloat(stream);
  m.Lat = ReadFloat(stream);
  return m;
}

std::string TPackageSuperResourceLoader::ReadString(TResourceStream& stream) const {
  const int length = ReadByte(stream);
  std::string text;
  text.reserve(length);
  for (int i = 0; i < length; ++i) {
    const std::uint8_t c = ReadByte(stream);
    if (c < 0x80) {
      text.push_back(static_cast<char>(c));
    } else {
      text.push_back(static_cast<char>(0xC0 | (c >> 6)));
      text.push_back(static_cast<char>(0x80 | (c & 0x3F)));
    }
  }
  return text;
}

std::string TPackageSuperResourceLoader::ReadIniString(const TStringList& lines,
                                                       const std::string& key,
                                                       const std::string& defaultText) {
  for (const std::string& line : lines) {
    if (StringTools.GetDelimitedString(0, '=', line) != key) continue;
    const std::string value = StringTools.GetDelimitedString(1, '=', line);
    return value.empty() ? defaultText : value;
  }
  return defaultText;
}

int TPackageSuperResourceLoader::ReadIniInteger(const TStringList& lines, const std::string& key,
                                                const std::string& defaultText) {
  const std::string value = ReadIniString(lines, key, defaultText);
  if (auto parsed = ParseDecimalInteger(value)) return *parsed;
  throw TIniConversionError(key, value);
}

int TPackageSuperResourceLoader::ReadIniInteger(const TStringList& lines, const std::string& key,
                                                int defaultValue) {
  return ReadIniInteger(lines, key, std::to_string(defaultValue));
}

double TPackageSuperResourceLoader::ReadIniExtended(const TStringList& lines, const std::string& key,
                                                 const std::string& defaultText) {
  return StringTools.StrToExtended(ReadIniString(lines, key, defaultText), 0);
}

double TPackageSuperResourceLoader::ReadIniExtended(const TStringList& lines, const std::string& key,
                                                 double defaultValue) {
  return ReadIniExtended(lines, key, StringTools.ExtendedToStr(defaultValue, 2));
}

bool TPackageSuperResourceLoader::ReadIniBoolean(const TStringList& lines, const std::string& key,
                                                 bool defaultValue) {
  const std::string value = ReadIniString(lines, key, defaultValue ? "1" : "0");
  return value == "1" || value == "-1";
}

TStringList SplitLines(const std::string& text) {
  TStringList lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(std::move(line));
    start = end + 1;
  }
  return lines;
}

std::optional<int> ParseDecimalInteger(const std::string& text) {
  const char* first = text.data();
  const char* last = text.data() + text.size();
  if (first != last && *first == '+') {
    ++first;
    if (first == last || *first == '-') return std::nullopt;
  }
  int value = 0;
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last) return std::nullopt;
  return value;
}

}  // namespace corvane
