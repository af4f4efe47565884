#include "core/string_tools.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <locale>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/constants.h"

namespace corvane {
namespace {

constexpr const char* kNotComputed = "not computed";

// More significant digits than this show only the noise of a value's last
// bits.
constexpr int kMaxSignificantDigits = 17;

constexpr std::int64_t kMsPerDay = 86400000;

char DecimalSeparator() {
  return std::use_facet<std::numpunct<char>>(std::locale()).decimal_point();
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Blanks and control characters (codes up to 32) off both ends.
std::string TrimBlanks(const std::string& text) {
  auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && isBlank(text[first])) ++first;
  while (last > first && isBlank(text[last - 1])) --last;
  return text.substr(first, last - first);
}

// The exact decimal expansion of a finite value >= 0, "III.FFF". A double
// holds 53 mantissa bits, so no bit lies below 2^(exponent - 53) and that
// many decimals represent it exactly (glibc prints exact digits).
std::string ExactDecimal(double value) {
  int exponent = 0;
  std::frexp(value, &exponent);
  const int fractionBits = std::max(0, std::numeric_limits<double>::digits - exponent);
  const int length = std::snprintf(nullptr, 0, "%.*f", fractionBits, value);
  if (length <= 0) return "0";
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  std::snprintf(text.data(), text.size(), "%.*f", fractionBits, value);
  text.resize(static_cast<std::size_t>(length));
  return text;
}

// Fixed notation as described in the header: rounding on the exact digits
// makes the halfway case visible (its next digit is 5 followed by zeros
// only), so half away from zero is simply "next digit >= 5" on the
// magnitude.
std::string FormatFixed(double value, int decimals) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  const std::size_t places = static_cast<std::size_t>(std::max(0, decimals));

  const std::string exact = ExactDecimal(std::fabs(value));
  const std::size_t point = exact.find('.');
  std::size_t integerLength = point == std::string::npos ? exact.size() : point;
  std::string digits = exact.substr(0, integerLength);
  if (point != std::string::npos) digits += exact.substr(point + 1);

  std::size_t keep = integerLength + places;
  const std::size_t lead = digits.find_first_not_of('0');
  if (lead != std::string::npos && keep > lead + kMaxSignificantDigits) {
    keep = lead + kMaxSignificantDigits;
  }
  const bool roundUp = keep < digits.size() && digits[keep] >= '5';
  digits.resize(std::min(keep, digits.size()));
  if (roundUp) {
    std::size_t i = digits.size();
    while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
    if (i > 0) {
      ++digits[i - 1];
    } else {
      digits.insert(digits.begin(), '1');
      ++integerLength;
    }
  }
  digits.resize(integerLength + places, '0');

  std::string text = value < 0 ? "-" : "";
  text += digits.substr(0, integerLength);
  if (places > 0) {
    text += DecimalSeparator();
    text += digits.substr(integerLength);
  }
  return text;
}

// A decimal integer: optional sign, at least one digit, nothing else,
// within the range of int.
bool ReadInteger(const std::string& text, int& result) {
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  if (i == text.size()) return false;
  std::int64_t magnitude = 0;
  const std::int64_t limit = static_cast<std::int64_t>(std::numeric_limits<int>::max()) + 1;
  for (; i < text.size(); ++i) {
    if (!IsDigit(text[i])) return false;
    magnitude = magnitude * 10 + (text[i] - '0');
    if (magnitude > limit) return false;
  }
  const std::int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > std::numeric_limits<int>::max()) return false;
  result = static_cast<int>(signedValue);
  return true;
}

// A digit run as a number; exact up to 2^64.
double DigitsToNumber(const std::string& digits) {
  double number = 0;
  for (char c : digits) number = number * 10 + (c - '0');
  return number;
}

std::string PadLeft(std::string text, std::size_t width) {
  if (text.size() < width) text.insert(0, width - text.size(), '0');
  return text;
}

std::string PadRight(std::string text, std::size_t width) {
  if (text.size() < width) text.append(width - text.size(), '0');
  return text;
}

// A whole number with "+" in front when positive.
std::string SignedWhole(int value) {
  return (value > 0 ? "+" : "") + std::to_string(value);
}

// The text before the first blank (all of it when there is none): the
// number of a list item such as "+10 min".
std::string FirstWord(const std::string& text) { return text.substr(0, text.find(' ')); }

// Two digits at least, as FormatTime writes each part; wider numbers stay.
std::string TwoDigits(std::uint64_t value) { return PadLeft(std::to_string(value), 2); }

// Minutes and seconds of an hours value >= 0, each truncated toward zero.
struct TTimeParts {
  double Hours = 0;
  double Minutes = 0;
  double Seconds = 0;
};

TTimeParts SplitHours(double times) {
  TTimeParts parts;
  parts.Hours = std::trunc(times);
  const double minutes = (times - parts.Hours) * 60;
  parts.Minutes = std::trunc(minutes);
  parts.Seconds = std::trunc((minutes - parts.Minutes) * 60);
  return parts;
}

// Round half to even, the rule of the time stamps.
double RoundHalfEven(double value) {
  double whole = std::floor(value);
  const double rest = value - whole;
  if (rest > 0.5 || (rest == 0.5 && std::fmod(whole, 2) != 0)) whole += 1;
  return whole;
}

}  // namespace

// ------------------------------------------------------------------ numbers

std::string TStringTools::ConvToFloat(const std::string& value) const {
  const char separator = DecimalSeparator();
  std::string result;
  result.reserve(value.size());
  for (char c : value) {
    if (c == '.' || c == ',') {
      result += separator;
    } else if (IsDigit(c) || c == '-') {
      result += c;
    }
  }
  return result.empty() ? "0" : result;
}

double TStringTools::StrToExtended(const std::string& value, double fault) const {
  std::istringstream in(ConvToFloat(value));
  in.imbue(std::locale());
  double number = 0;
  in >> number;
  // The whole text must be the number: "1.2.3" stops at the second
  // separator and is refused, not read as 1.2.
  if (in.fail() || in.peek() != std::char_traits<char>::eof()) return fault;
  return number;
}

std::string TStringTools::ExtendedToStr(double value, int kommata) const {
  return FormatFixed(value, kommata);
}

std::string TStringTools::ToFormatPositiveExtended(const std::string& value, int decimal,
                                                   double fault) const {
  const std::string text = TrimBlanks(value);
  int index = 0;
  std::string whole = ToNumberOfString(text, index);
  ++index;
  const std::string fraction = ToNumberOfString(text, index);
  if (whole.empty()) whole = "0";
  std::string candidate = whole;
  if (decimal > 0) candidate += "," + PadRight(fraction, static_cast<std::size_t>(decimal));
  if (StrToExtended(candidate, -1) >= 0) return candidate;
  return ExtendedToStr(fault, decimal);
}

// ---------------------------------------------------------------- positions

std::string TStringTools::ToFormatGeoPos(const std::string& value,
                                         const std::string& fault) const {
  const std::string text = TrimBlanks(value);
  int index = 0;
  const std::string degrees = ToNumberOfString(text, index);
  ++index;
  const std::string minutes = ToNumberOfString(text, index);
  ++index;
  const std::string thousandths = ToNumberOfString(text, index);
  const std::string hemisphere = ToHemisphereOfString(text, index);
  if (hemisphere.empty()) return fault;
  return PadLeft(degrees, 3) + ":" + PadLeft(minutes, 2) + ":" + PadRight(thousandths, 3) +
         hemisphere;
}

double TStringTools::GeoPosToMinutes(const std::string& geoPos) const {
  int index = 0;
  const std::string degrees = ToNumberOfString(geoPos, index);
  ++index;
  const std::string minutes = ToNumberOfString(geoPos, index);
  ++index;
  const std::string thousandths = ToNumberOfString(geoPos, index);
  const std::string hemisphere = ToHemisphereOfString(geoPos, index);
  if (hemisphere.empty()) return 0;
  // Summed in whole thousandths of a minute and divided once, so a text
  // reads as the double nearest to its decimal value.
  const double total = DigitsToNumber(degrees) * 60000 + DigitsToNumber(minutes) * 1000 +
                    DigitsToNumber(PadRight(thousandths, 3));
  const double sign = (hemisphere == "W" || hemisphere == "S") ? -1 : 1;
  return sign * (total / 1000);
}

std::string TStringTools::ToNumberOfString(const std::string& value, int& startIndex) const {
  if (startIndex < 0 || static_cast<std::size_t>(startIndex) >= value.size()) return "";
  std::size_t end = static_cast<std::size_t>(startIndex);
  while (end < value.size() && IsDigit(value[end])) ++end;
  std::string run = value.substr(static_cast<std::size_t>(startIndex),
                                 end - static_cast<std::size_t>(startIndex));
  startIndex = static_cast<int>(end);
  return run;
}

std::string TStringTools::ToHemisphereOfString(const std::string& value, int startIndex) const {
  if (startIndex < 0 || static_cast<std::size_t>(startIndex) >= value.size()) return "";
  switch (value[static_cast<std::size_t>(startIndex)]) {
    case 's': case 'S': return "S";
    case 'n': case 'N': return "N";
    case 'e': case 'E': return "E";
    case 'w': case 'W': return "W";
    default: return "";
  }
}

// ------------------------------------------------------ times and durations

std::string TStringTools::FormatTime(std::uint16_t hour, std::uint16_t minute) const {
  return TwoDigits(hour) + ":" + TwoDigits(minute);
}

std::string TStringTools::FormatTime(std::uint16_t hour, std::uint16_t minute,
                                     std::uint16_t second) const {
  return TwoDigits(hour) + ":" + TwoDigits(minute) + ":" + TwoDigits(second);
}

std::string TStringTools::MinutesToString(std::int64_t minutes) const {
  // Unsigned magnitude, so the most negative count has one too.
  const std::uint64_t magnitude =
      minutes < 0 ? 0 - static_cast<std::uint64_t>(minutes) : static_cast<std::uint64_t>(minutes);
  return (minutes < 0 ? "-" : "") + TwoDigits(magnitude / 60) + ":" + TwoDigits(magnitude % 60);
}

std::string TStringTools::ToTimes(double times) const {
  if (std::isnan(times)) return "00:00:00";
  if (times < 0) return "-" + ToTimes(-times);
  if (!(times < 1e9)) return "999999999:59:59";
  const TTimeParts parts = SplitHours(times);
  return TwoDigits(static_cast<std::uint64_t>(parts.Hours)) + ":" +
         TwoDigits(static_cast<std::uint64_t>(parts.Minutes)) + ":" +
         TwoDigits(static_cast<std::uint64_t>(parts.Seconds));
}

std::string TStringTools::ToTimesShort(double times) const {
  const double magnitude = std::fabs(times);
  if (!std::isfinite(magnitude)) return "00:00";
  const TTimeParts parts = SplitHours(magnitude);
  return TwoDigits(static_cast<std::uint64_t>(parts.Minutes)) + ":" +
         TwoDigits(static_cast<std::uint64_t>(parts.Seconds));
}

std::string TStringTools::ToTimeOfDay(TDateTime times, bool valid) const {
  if (!valid) return kNotComputed;
  std::int64_t ms = 0;
  if (std::isfinite(times)) {
    // Before the epoch the fraction's magnitude is the time of day.
    const double fraction = std::fabs(times - std::trunc(times));
    ms = std::llround(fraction * static_cast<double>(kMsPerDay)) % kMsPerDay;
  }
  const std::int64_t seconds = ms / 1000;
  return TwoDigits(static_cast<std::uint64_t>(seconds / 3600)) + ":" +
         TwoDigits(static_cast<std::uint64_t>(seconds / 60 % 60)) + ":" +
         TwoDigits(static_cast<std::uint64_t>(seconds % 60)) + " h:m:s";
}

std::string TStringTools::ToTimes(double times, bool valid) const {
  if (!valid) return kNotComputed;
  return ToTimes(times) + " h:m:s";
}

std::string TStringTools::ToSeconds(double seconds, bool valid) const {
  if (!valid) return kNotComputed;
  return ExtendedToStr(seconds, 0) + " sec";
}

std::string TStringTools::ToTideTime(float tideTime) const {
  if (tideTime == 0) return "HW";
  return (tideTime > 0 ? "+" : "") + ExtendedToStr(tideTime, 1);
}

std::string TStringTools::ToTimeStamp(float timeStamp) const {
  // A float times 60 is exact in double, so only the final rounding rounds.
  double minutes = std::isnan(timeStamp) ? 0 : std::fabs(static_cast<double>(timeStamp)) * 60;
  minutes = std::min(RoundHalfEven(minutes), 1e15);
  return (timeStamp < 0 ? "-" : "+") + MinutesToString(static_cast<std::int64_t>(minutes));
}

// ---------------------------------------------- speeds, angles and distances

std::string TStringTools::ToSpeed(double speed, bool valid) const {
  if (!valid) return kNotComputed;
  return ExtendedToStr(speed, 1) + " kts";
}

std::string TStringTools::ToSpeed(double speed, int digits) const {
  return ExtendedToStr(speed, digits) + " kts";
}

std::string TStringTools::ToSpeed(double speed) const { return ExtendedToStr(speed, 1) + " m/min"; }

std::string TStringTools::ToSpeed3(double speed) const {
  return PadLeft(ExtendedToStr(speed * 100, 0), 3);
}

std::string TStringTools::ToCompass(double compass, bool valid) const {
  if (!valid) return kNotComputed;
  return ExtendedToStr(compass, 0) + " deg";
}

std::string TStringTools::ToCompass(double compass) const { return ToCompass(compass, true); }

std::string TStringTools::ToWindDirection(double windDirection) const {
  return ExtendedToStr(windDirection * kRadiansToDegrees, 0) + " deg";
}

std::string TStringTools::ToAngle(double angle) const {
  return ExtendedToStr(angle * kRadiansToDegrees, 0);
}

std::string TStringTools::ToAngle3(double angle) const { return ToAngle3(angle, 0); }

std::string TStringTools::ToAngle3(double angle, double bias) const {
  return PadLeft(ExtendedToStr(bias + angle * kRadiansToDegrees, 0), 3);
}

std::string TStringTools::ToWindshift(double windshift, bool valid, bool withUnit) const {
  if (!valid) return kNotComputed;
  std::string text = (windshift > 0 ? "+" : "") + ExtendedToStr(windshift, 0);
  if (withUnit) text += " deg";
  return text;
}

std::string TStringTools::ToDistance(double value, bool valid) const {
  if (!valid) return kNotComputed;
  return ExtendedToStr(value, 2) + " nm";
}

std::string TStringTools::ToDistance(double value) const { return ToDistance(value, true); }

std::string TStringTools::ToWind(const TPolar& wind) const {
  return ExtendedToStr(wind.Betrag, 0) + " kts   " +
         ExtendedToStr(wind.Winkel * kRadiansToDegrees, 0) + " deg";
}

std::string TStringTools::ToCurrent(double speed, double angle) const {
  return ExtendedToStr(speed, 0) + " m/min  " + ExtendedToStr(angle * kRadiansToDegrees, 0) +
         " deg";
}

// --------------------------------------------------- settings and choices

std::string TStringTools::ToTideShift(int indexTideShift) const {
  return SignedWhole(indexTideShift * 10 - 150) + " min";
}

double TStringTools::ToTideShift(const std::string& tideShift) const {
  return StrToExtended(FirstWord(tideShift), 0);
}

std::string TStringTools::ToRangeShift(int indexRangeShift) const {
  return SignedWhole(indexRangeShift * 5 - 100) + " %";
}

double TStringTools::ToRangeShift(const std::string& rangeShift) const {
  return StrToExtended(FirstWord(rangeShift), 0);
}

std::string TStringTools::ToCalibrationText(int indexTideShift, int indexRangeShift) const {
  return "Time " + SignedWhole(indexTideShift * 10 - 150) + " min    " + "Range " +
         SignedWhole(indexRangeShift * 5 - 100) + " %";
}

double TStringTools::ToWindSpeed(const std::string& windSpeed) const {
  // The lowest item, "<6 kts", stands for light air.
  if (!windSpeed.empty() && windSpeed.front() == '<') return 5;
  return StrToExtended(FirstWord(windSpeed), 0);
}

double TStringTools::ToWindDirection(const std::string& windDirection) const {
  return StrToExtended(FirstWord(windDirection), 0) * kDegreesToRadians;
}

int TStringTools::ToWindAngle(const std::string& windAngle) const {
  int angle = 0;
  if (!ReadInteger(windAngle, angle) || angle < 0 || angle > 359) return 0;
  return angle;
}

std::string TStringTools::ToTopmark(int index) const { return SignedWhole(index - 10) + " deg"; }

std::string TStringTools::ToRange(std::uint8_t range) const {
  return std::to_string(range) + "%";
}

// -------------------------------------------------------------------- names

std::string TStringTools::ToCourseType(int typeOfCourse, bool valid) const {
  if (!valid) return kNotComputed;
  return Types.GetTypeOfCourse(typeOfCourse);
}

std::string TStringTools::ToWaypoint(int number, const std::string& name) const {
  std::string text = std::to_string(number);
  if (!name.empty()) text += " - " + name;
  return text;
}

std::string TStringTools::ToExtendedNameMovableMark(const std::string& value) const {
  if (value == "1" || value == "2") return "Mark " + value;
  return value;
}

std::string TStringTools::ToOriginalNameMovableMark(const std::string& value) const {
  if (value.rfind("Mark", 0) != 0) return value;
  return value.size() > 5 ? value.substr(5, 1) : "";
}

std::string TStringTools::ToMyBoatName(const std::string& value) const {
  if (value.rfind("My-", 0) == 0) return value;
  return "My-" + value;
}

// ---------------------------------------------------------- delimited lists

void TStringTools::SplitStrict(const std::string& text, char delimiter) {
  sl.clear();
  if (text.empty()) return;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(delimiter, start);
    if (end == std::string::npos) {
      sl.push_back(text.substr(start));
      return;
    }
    sl.push_back(text.substr(start, end - start));
    start = end + 1;
  }
}

std::string TStringTools::GetDelimitedString(int index, char delimiter, const std::string& text) {
  SplitStrict(text, delimiter);
  if (index < 0 || static_cast<std::size_t>(index) >= sl.size()) return "";
  return sl[static_cast<std::size_t>(index)];
}

double TStringTools::GetDelimitedExtended(int index, char delimiter, const std::string& text) {
  return StrToExtended(GetDelimitedString(index, delimiter, text), 0);
}

int TStringTools::GetDelimitedInteger(int index, char delimiter, const std::string& text) {
  int value = 0;
  if (!ReadInteger(GetDelimitedString(index, delimiter, text), value)) return 0;
  return value;
}

void TStringTools::GetDelimitedStringList(const std::string& text, char delimiter,
                                          TStringList& list) {
  std::string trimmed = text;
  if (!trimmed.empty() && trimmed.back() == delimiter) trimmed.pop_back();
  SplitStrict(trimmed, delimiter);
  list = sl;
}

void TStringTools::GetDelimitedStringList(const std::string& text, TStringList& list) {
  std::string squeezed = text;
  if (!squeezed.empty() && squeezed.back() == ' ') squeezed.pop_back();
  // One left-to-right pass per pattern, never rescanning what was written.
  auto replaceOnce = [](const std::string& source, const std::string& pattern) {
    std::string result;
    std::size_t start = 0;
    while (true) {
      const std::size_t found = source.find(pattern, start);
      if (found == std::string::npos) break;
      result.append(source, start, found - start);
      result += ' ';
      start = found + pattern.size();
    }
    result.append(source, start, std::string::npos);
    return result;
  };
  squeezed = replaceOnce(replaceOnce(squeezed, "   "), "  ");
  SplitStrict(squeezed, ' ');
  list = sl;
}

std::string TStringTools::SetDelimitedStringList(char delimiter, const TStringList& list) const {
  std::string text;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i > 0) text += delimiter;
    text += list[i];
  }
  return text;
}

void TStringTools::DelDelimitedStringList(int index, TStringList& list) const {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return;
  list[static_cast<std::size_t>(index)].clear();
}

void TStringTools::DelAndMoveDelimitedStringList(int index, TStringList& list) const {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return;
  list.erase(list.begin() + index);
}

void TStringTools::MoveDelimitedStringList(int indexOld, int indexNew, TStringList& list) const {
  if (indexOld == indexNew || indexOld < 0 || indexNew < 0) return;
  const std::size_t from = static_cast<std::size_t>(indexOld);
  const std::size_t to = static_cast<std::size_t>(indexNew);
  if (from >= list.size()) return;
  std::string item = list[from];
  if (to < list.size()) {
    list.erase(list.begin() + indexOld);
    list.insert(list.begin() + indexNew, std::move(item));
  } else {
    list[from].clear();
    list.push_back(std::move(item));
  }
}

void TStringTools::ClrDelimitedStringList(TStringList& list) const {
  std::erase_if(list, [](const std::string& item) { return item.empty(); });
}

bool TStringTools::GetDelimitedIntegerList(const std::string& text, char delimiter,
                                           TIntegerArray& list) {
  list.clear();
  std::string trimmed = text;
  if (!trimmed.empty() && trimmed.back() == delimiter) trimmed.pop_back();
  SplitStrict(trimmed, delimiter);
  list.reserve(sl.size());
  for (const std::string& item : sl) {
    int value = 0;
    if (!ReadInteger(item, value)) {
      list.clear();
      return false;
    }
    list.push_back(value);
  }
  return true;
}

std::string TStringTools::SetDelimitedIntegerList(char delimiter,
                                                  const TIntegerArray& list) const {
  std::string text;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i > 0) text += delimiter;
    text += std::to_string(list[i]);
  }
  return text;
}

// ------------------------------------------------------------------ helpers

bool TStringTools::GetValueInString(const std::string& value, const std::string& inString) const {
  return !value.empty() && inString.find(value) != std::string::npos;
}

std::string TStringTools::ExtendedToStrPadRight(double value, int kommata, int right) const {
  const std::size_t blanks = static_cast<std::size_t>(std::max(0, right));
  return ExtendedToStr(value, kommata) + std::string(blanks, ' ');
}

std::string TStringTools::ToPointF(const TPointF& point) const {
  return ExtendedToStr(point.X, 0) + "  " + ExtendedToStr(point.Y, 0);
}

std::string TStringTools::ToTracking(double distanceMeasured, double timeMeasured) const {
  return ExtendedToStr(timeMeasured, 0) + " sec   " + ExtendedToStr(distanceMeasured, 1) + " m";
}

int TStringTools::GetListInteger(const TStringList& list, int index, int fault) const {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return fault;
  int value = 0;
  if (!ReadInteger(list[static_cast<std::size_t>(index)], value)) return fault;
  return value;
}

double TStringTools::GetListExtended(const TStringList& list, int index, double fault) const {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return fault;
  return StrToExtended(list[static_cast<std::size_t>(index)], fault);
}

std::string TStringTools::GetListString(const TStringList& list, int index,
                                        const std::string& fault) const {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return fault;
  return list[static_cast<std::size_t>(index)];
}

bool TStringTools::GetListBoolean(const TStringList& list, int index, bool fault) const {
  if (index < 0 || static_cast<std::size_t>(index) >= list.size()) return fault;
  return list[static_cast<std::size_t>(index)] != "0";
}

}  // namespace corvane
