#pragma once
// Date-time helpers on TDateTime: a 64-bit float counting days since
// 1899-12-30 00:00, the integer part being the date and the fraction the time
// of day.
//
// Before the epoch the classic convention holds: the integer part (truncated
// toward zero) is the date and the absolute value of the fraction is the time
// of day, so -1.25 is 1899-12-29 06:00. The program itself only meets dates of
// 2013-2041 (the tide tables and GRIB files); every routine is nevertheless
// correct for the years 1 to 9999.
//
// Every computation on a moment goes through whole milliseconds since the
// epoch, rounded to the nearest millisecond: adding time is then exact and
// does not drift however many steps are taken, and comparisons ignore the
// floating-point noise below a millisecond.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/types.h"

namespace corvane {

inline constexpr std::int64_t kMsPerSecond = 1000;
inline constexpr std::int64_t kMsPerMinute = 60 * kMsPerSecond;
inline constexpr std::int64_t kMsPerHour = 60 * kMsPerMinute;
inline constexpr std::int64_t kMsPerDay = 24 * kMsPerHour;

// Day numbers of 0001-01-01 and 9999-12-31; values outside are clamped to
// this range by the millisecond conversions.
inline constexpr TDateTime kMinDateTime = -693593.0;
inline constexpr TDateTime kMaxDateTime = 2958465.0;

// Weekday numbers of DayOfWeek: 1 Sunday ... 7 Saturday.
inline constexpr int kSunday = 1;
inline constexpr int kSaturday = 7;

// Broken-down date-time. Month 1-12, Day 1-31, Hour 0-23, Minute 0-59,
// Second 0-59, MilliSecond 0-999.
struct TDateTimeParts {
  int Year = 1899;
  int Month = 12;
  int Day = 30;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
  int MilliSecond = 0;
};

// --- Millisecond conversion -------------------------------------------------

// Whole milliseconds since 1899-12-30 00:00 on a linear time line (negative
// before the epoch), the time of day rounded to the nearest millisecond.
// NaN gives 0; values outside kMinDateTime - 1 .. kMaxDateTime + 1 are
// clamped to that range.
std::int64_t DateTimeToMilliseconds(TDateTime value);

// Inverse of DateTimeToMilliseconds: the date-time of a linear millisecond
// count (classic convention before the epoch). Exact round trip for every
// millisecond of the years 1 to 9999.
TDateTime MillisecondsToDateTime(std::int64_t ms);

// --- Encoding and decoding --------------------------------------------------

// True for a valid Gregorian date (year 1-9999, month 1-12, day within the
// month, leap years included).
bool IsValidDate(int year, int month, int day);

// The date-time of a date at midnight, or nullopt for an invalid date.
std::optional<TDateTime> TryEncodeDate(int year, int month, int day);

// The date-time of a date and a time of day (hour 0-23, minute 0-59,
// second 0-59, ms 0-999), or nullopt when any part is out of range.
std::optional<TDateTime> TryEncodeDateTime(int year, int month, int day, int hour, int minute,
                                           int second, int ms);

// As TryEncodeDate / TryEncodeDateTime; an invalid argument is a programming
// error and raises std::invalid_argument. Data read from files goes through
// the Try forms.
TDateTime EncodeDate(int year, int month, int day);
TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int ms);

// A time of day (date part 0): hour 0-23, minute 0-59, second 0-59,
// ms 0-999; raises std::invalid_argument otherwise.
TDateTime EncodeTime(int hour, int minute, int second, int ms);

// The parts of a date-time, after rounding to the nearest millisecond (so
// 12:59:59.9999 decodes as 13:00:00.000, and 23:59:59.9999 as the next day).
TDateTimeParts DecodeDateTime(TDateTime value);
void DecodeDateTime(TDateTime value, int& year, int& month, int& day, int& hour, int& minute,
                    int& second, int& ms);
void DecodeDate(TDateTime value, int& year, int& month, int& day);
void DecodeTime(TDateTime value, int& hour, int& minute, int& second, int& ms);

// --- Parts of a date-time ---------------------------------------------------

// The date part: the value truncated toward zero (midnight of its day).
TDateTime DateOf(TDateTime value);

// The weekday of the (millisecond-rounded) date: 1 Sunday ... 7 Saturday.
int DayOfWeek(TDateTime value);

// True when both date-times have the same date part (DateOf).
bool SameDate(TDateTime a, TDateTime b);

// --- Arithmetic -------------------------------------------------------------

// Add a whole number of hours, minutes, seconds or milliseconds (negative
// goes back). The value is converted to whole milliseconds, the step added
// and the sum converted back, so repeated steps are exact to the millisecond.
TDateTime IncHour(TDateTime value, std::int64_t hours = 1);
TDateTime IncMinute(TDateTime value, std::int64_t minutes = 1);
TDateTime IncSecond(TDateTime value, std::int64_t seconds = 1);
TDateTime IncMilliSecond(TDateTime value, std::int64_t ms = 1);

// Whole minutes between two date-times: the absolute difference of their
// millisecond counts divided by 60000, the remainder dropped (90 min 59.9 s
// gives 90). Never negative.
std::int64_t MinutesBetween(TDateTime a, TDateTime b);

// Span in hours: |a - b| (days) x 24, fractional, never negative.
double HourSpan(TDateTime a, TDateTime b);

// Compare to the millisecond: -1 when a is earlier than b, 0 when equal,
// 1 when later.
int CompareDateTime(TDateTime a, TDateTime b);

// --- Text -------------------------------------------------------------------

// Format a date-time by a pattern. Tokens (letters case-insensitive):
//   yyyy four-digit year, yy two-digit year,
//   dd / d day with / without leading zero,
//   mm / m month, or minute when it follows an hour token (as in "hh:mm"),
//   nn / n minute, hh / h hour (0-23), ss / s second, zzz / z milliseconds,
//   ":" the time separator (an argument: the C++ locale has no notion of one,
//       and every locale the program is used in writes ":"),
//   text in single or double quotes is copied without its quotes;
// every other character, the "." included, is copied as it is.
// The program uses "hh:mm", "hh:nn", "dd.mm.yyyy", "dd.mm.yyyy  hh:mm",
// "hh:mm:ss" and "hh:mm:ss.zzz".
std::string FormatDateTime(std::string_view pattern, TDateTime value, char timeSeparator = ':');

// --- Clock ------------------------------------------------------------------

// The computer's clock as local time, to the millisecond.
TDateTime NowLocal();

}  // namespace corvane
