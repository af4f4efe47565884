#include "core/date_time.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>
#include <stdexcept>

namespace corvane {

namespace {

// Days from 1970-01-01 to 1899-12-30.
constexpr std::int64_t kUnixEpochToDateTimeEpoch = 25569;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

// Day number of a Gregorian date counted from 1970-01-01, after H. Hinnant,
// "chrono-Compatible Low-Level Date Algorithms" (days_from_civil): the year is
// shifted to start in March so that the leap day is the last day of a year,
// then whole 400-year eras, years of the era and days of the year are counted.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2 ? 1 : 0;
  const std::int64_t era = FloorDiv(y, 400);
  const std::int64_t yoe = y - era * 400;                                  // [0, 399]
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;  // [0, 365]
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;          // [0, 146096]
  return era * 146097 + doe - 719468;
}

// Inverse of DaysFromCivil (civil_from_days of the same paper).
void CivilFromDays(std::int64_t z, int& year, int& month, int& day) {
  z += 719468;
  const std::int64_t era = FloorDiv(z, 146097);
  const std::int64_t doe = z - era * 146097;                                    // [0, 146096]
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;  // [0, 399]
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);             // [0, 365]
  const std::int64_t mp = (5 * doy + 2) / 153;                                  // [0, 11]
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

bool IsValidTime(int hour, int minute, int second, int ms) {
  return hour >= 0 && hour < 24 && minute >= 0 && minute < 60 && second >= 0 && second < 60 &&
         ms >= 0 && ms < 1000;
}

// Day number of the millisecond-rounded date and the milliseconds of its day.
void SplitMilliseconds(std::int64_t ms, std::int64_t& days, std::int64_t& msOfDay) {
  days = FloorDiv(ms, kMsPerDay);
  msOfDay = ms - days * kMsPerDay;
}

void AppendNumber(std::string& out, std::int64_t value, int width) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  if (value < 0) out += '-';
  if (static_cast<int>(digits.size()) < width) out.append(width - digits.size(), '0');
  out += digits;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::int64_t DateTimeToMilliseconds(TDateTime value) {
  if (std::isnan(value)) return 0;
  value = std::clamp(value, kMinDateTime - 1.0, kMaxDateTime + 1.0);
  const double datePart = std::trunc(value);
  // The fraction is the time of day even before the epoch (classic
  // convention), so its absolute value is taken.
  const double timePart = std::fabs(value - datePart);
  const auto msOfDay = static_cast<std::int64_t>(std::llround(timePart * kMsPerDay));
  return static_cast<std::int64_t>(datePart) * kMsPerDay + msOfDay;
}

TDateTime MillisecondsToDateTime(std::int64_t ms) {
  std::int64_t days = 0;
  std::int64_t msOfDay = 0;
  SplitMilliseconds(ms, days, msOfDay);
  const double fraction = static_cast<double>(msOfDay) / static_cast<double>(kMsPerDay);
  return days >= 0 ? static_cast<double>(days) + fraction : static_cast<double>(days) - fraction;
}

bool IsValidDate(int year, int month, int day) {
  return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
         day <= DaysInMonth(year, month);
}

std::optional<TDateTime> TryEncodeDate(int year, int month, int day) {
  if (!IsValidDate(year, month, day)) return std::nullopt;
  return static_cast<double>(DaysFromCivil(year, month, day) + kUnixEpochToDateTimeEpoch);
}

std::optional<TDateTime> TryEncodeDateTime(int year, int month, int day, int hour, int minute,
                                           int second, int ms) {
  if (!IsValidDate(year, month, day) || !IsValidTime(hour, minute, second, ms)) return std::nullopt;
  const std::int64_t days = DaysFromCivil(year, month, day) + kUnixEpochToDateTimeEpoch;
  const std::int64_t msOfDay = hour * kMsPerHour + minute * kMsPerMinute + second * kMsPerSecond + ms;
  return MillisecondsToDateTime(days * kMsPerDay + msOfDay);
}

TDateTime EncodeDate(int year, int month, int day) {
  const auto value = TryEncodeDate(year, month, day);
  if (!value) throw std::invalid_argument("EncodeDate: invalid date");
  return *value;
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int ms) {
  const auto value = TryEncodeDateTime(year, month, day, hour, minute, second, ms);
  if (!value) throw std::invalid_argument("EncodeDateTime: invalid date or time");
  return *value;
}

TDateTime EncodeTime(int hour, int minute, int second, int ms) {
  if (!IsValidTime(hour, minute, second, ms)) throw std::invalid_argument("EncodeTime: invalid time");
  return MillisecondsToDateTime(hour * kMsPerHour + minute * kMsPerMinute + second * kMsPerSecond + ms);
}

TDateTimeParts DecodeDateTime(TDateTime value) {
  std::int64_t days = 0;
  std::int64_t msOfDay = 0;
  SplitMilliseconds(DateTimeToMilliseconds(value), days, msOfDay);
  TDateTimeParts parts;
  CivilFromDays(days - kUnixEpochToDateTimeEpoch, parts.Year, parts.Month, parts.Day);
  parts.Hour = static_cast<int>(msOfDay / kMsPerHour);
  parts.Minute = static_cast<int>(msOfDay / kMsPerMinute % 60);
  parts.Second = static_cast<int>(msOfDay / kMsPerSecond % 60);
  parts.MilliSecond = static_cast<int>(msOfDay % kMsPerSecond);
  return parts;
}

void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& ms) {
  const TDateTimeParts parts = DecodeDateTime(value);
  year = parts.Year;
  month = parts.Month;
  day = parts.Day;
  hour = parts.Hour;
  minute = parts.Minute;
  second = parts.Second;
  ms = parts.MilliSecond;
}

void DecodeDate(TDateTime value, int& year, int& month, int& day) {
  const TDateTimeParts parts = DecodeDateTime(value);
  year = parts.Year;
  month = parts.Month;
  day = parts.Day;
}

void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& ms) {
  const TDateTimeParts parts = DecodeDateTime(value);
  hour = parts.Hour;
  minute = parts.Minute;
  second = parts.Second;
  ms = parts.MilliSecond;
}

TDateTime DateOf(TDateTime value) { return std::trunc(value); }

int DayOfWeek(TDateTime value) {
  std::int64_t days = 0;
  std::int64_t msOfDay = 0;
  SplitMilliseconds(DateTimeToMilliseconds(value), days, msOfDay);
  // Day 0, 1899-12-30, was a Saturday (7).
  return static_cast<int>((days % 7 + 7 + 6) % 7) + 1;
}

bool SameDate(TDateTime a, TDateTime b) { return DateOf(a) == DateOf(b); }

TDateTime IncMilliSecond(TDateTime value, std::int64_t ms) {
  return MillisecondsToDateTime(DateTimeToMilliseconds(value) + ms);
}

TDateTime IncSecond(TDateTime value, std::int64_t seconds) {
  return IncMilliSecond(value, seconds * kMsPerSecond);
}

TDateTime IncMinute(TDateTime value, std::int64_t minutes) {
  return IncMilliSecond(value, minutes * kMsPerMinute);
}

TDateTime IncHour(TDateTime value, std::int64_t hours) {
  return IncMilliSecond(value, hours * kMsPerHour);
}

std::int64_t MinutesBetween(TDateTime a, TDateTime b) {
  const std::int64_t difference = DateTimeToMilliseconds(a) - DateTimeToMilliseconds(b);
  return (difference < 0 ? -difference : difference) / kMsPerMinute;
}

double HourSpan(TDateTime a, TDateTime b) { return std::fabs(a - b) * 24.0; }

int CompareDateTime(TDateTime a, TDateTime b) {
  const std::int64_t msA = DateTimeToMilliseconds(a);
  const std::int64_t msB = DateTimeToMilliseconds(b);
  return msA < msB ? -1 : (msA > msB ? 1 : 0);
}

std::string FormatDateTime(std::string_view pattern, TDateTime value, char timeSeparator) {
  const TDateTimeParts parts = DecodeDateTime(value);
  std::string out;
  // "m" means minutes right after an hour token ("hh:mm"), months elsewhere.
  bool afterHour = false;
  std::size_t i = 0;
  while (i < pattern.size()) {
    const char c = pattern[i];
    if (c == '"' || c == '\'') {
      const std::size_t close = pattern.find(c, i + 1);
      const std::size_t end = close == std::string_view::npos ? pattern.size() : close;
      out.append(pattern.substr(i + 1, end - i - 1));
      i = end == pattern.size() ? end : end + 1;
      continue;
    }
    const char lc = Lower(c);
    std::size_t run = 1;
    while (i + run < pattern.size() && Lower(pattern[i + run]) == lc) ++run;
    switch (lc) {
      case 'y':
        if (run >= 3) {
          AppendNumber(out, parts.Year, 4);
          i += std::min<std::size_t>(run, 4);
        } else {
          AppendNumber(out, parts.Year % 100, 2);
          i += run;
        }
        afterHour = false;
        break;
      case 'm':
        AppendNumber(out, afterHour ? parts.Minute : parts.Month, run >= 2 ? 2 : 1);
        i += std::min<std::size_t>(run, 2);
        afterHour = false;
        break;
      case 'n':
        AppendNumber(out, parts.Minute, run >= 2 ? 2 : 1);
        i += std::min<std::size_t>(run, 2);
        afterHour = false;
        break;
      case 'd':
        AppendNumber(out, parts.Day, run >= 2 ? 2 : 1);
        i += std::min<std::size_t>(run, 2);
        afterHour = false;
        break;
      case 'h':
        AppendNumber(out, parts.Hour, run >= 2 ? 2 : 1);
        i += std::min<std::size_t>(run, 2);
        afterHour = true;
        break;
      case 's':
        AppendNumber(out, parts.Second, run >= 2 ? 2 : 1);
        i += std::min<std::size_t>(run, 2);
        afterHour = false;
        break;
      case 'z':
        AppendNumber(out, parts.MilliSecond, run >= 3 ? 3 : 1);
        i += std::min<std::size_t>(run, 3);
        afterHour = false;
        break;
      case ':':
        out += timeSeparator;
        ++i;
        break;
      default:
        out += c;
        ++i;
        break;
    }
  }
  return out;
}

TDateTime NowLocal() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto sinceEpoch =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  const int ms = static_cast<int>(((sinceEpoch % 1000) + 1000) % 1000);
  std::tm local{};
  if (localtime_r(&seconds, &local) == nullptr) return 0;
  // A leap second (tm_sec 60) is folded into the last ordinary second.
  const int second = std::min(local.tm_sec, 59);
  const auto value = TryEncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                       local.tm_hour, local.tm_min, second, ms);
  return value ? *value : 0;
}

}  // namespace corvane
