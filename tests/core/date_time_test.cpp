#include "core/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <ctime>
#include <stdexcept>
#include <string>

namespace corvane {
namespace {

TEST(DateTimeTest, EncodeCountsDaysFromTheEpoch) {
  struct Case {
    const char* name;
    int year, month, day, hour, minute, second, ms;
    TDateTime expected;
  };
  const Case cases[] = {
      {"epoch", 1899, 12, 30, 0, 0, 0, 0, 0.0},
      {"first day of 1900", 1900, 1, 1, 0, 0, 0, 0, 2.0},
      {"unix epoch", 1970, 1, 1, 0, 0, 0, 0, 25569.0},
      {"leap day 2000", 2000, 2, 29, 0, 0, 0, 0, 36585.0},
      {"noon 1 July 2016", 2016, 7, 1, 12, 0, 0, 0, 42552.5},
      {"before the epoch: date -1, time 06:00", 1899, 12, 29, 6, 0, 0, 0, -1.25},
      {"before the epoch: date -2, time 18:00", 1899, 12, 28, 18, 0, 0, 0, -2.75},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TDateTime value = EncodeDateTime(c.year, c.month, c.day, c.hour, c.minute, c.second, c.ms);
    EXPECT_DOUBLE_EQ(value, c.expected);
    const TDateTimeParts parts = DecodeDateTime(value);
    EXPECT_EQ(parts.Year, c.year);
    EXPECT_EQ(parts.Month, c.month);
    EXPECT_EQ(parts.Day, c.day);
    EXPECT_EQ(parts.Hour, c.hour);
    EXPECT_EQ(parts.Minute, c.minute);
  }
}

TEST(DateTimeTest, EveryMillisecondOfTheSystemsYearsRoundTrips) {
  // Spot checks over 2013-2041 with awkward milliseconds.
  for (int year = 2013; year <= 2041; year += 7) {
    for (const int ms : {0, 1, 499, 500, 999}) {
      const TDateTime value = EncodeDateTime(year, 10, 31, 23, 59, 59, ms);
      const TDateTimeParts parts = DecodeDateTime(value);
      EXPECT_EQ(parts.Year, year);
      EXPECT_EQ(parts.Day, 31);
      EXPECT_EQ(parts.Second, 59);
      EXPECT_EQ(parts.MilliSecond, ms);
    }
  }
}

TEST(DateTimeTest, DecodeRoundsToTheNearestMillisecond) {
  // Just below 13:00 by a tenth of a millisecond.
  const TDateTime nearlyOne = 42552.0 + 13.0 / 24.0 - 0.1 / static_cast<double>(kMsPerDay);
  const TDateTimeParts parts = DecodeDateTime(nearlyOne);
  EXPECT_EQ(parts.Hour, 13);
  EXPECT_EQ(parts.Minute, 0);
  EXPECT_EQ(parts.Second, 0);
  EXPECT_EQ(parts.MilliSecond, 0);
}

TEST(DateTimeTest, InvalidPartsAreRefused) {
  EXPECT_FALSE(TryEncodeDate(2015, 2, 29).has_value());
  EXPECT_TRUE(TryEncodeDate(2016, 2, 29).has_value());
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29).has_value());
  EXPECT_FALSE(TryEncodeDate(2016, 13, 1).has_value());
  EXPECT_FALSE(TryEncodeDate(2016, 4, 31).has_value());
  EXPECT_FALSE(TryEncodeDateTime(2016, 7, 1, 24, 0, 0, 0).has_value());
  EXPECT_FALSE(TryEncodeDateTime(2016, 7, 1, 12, 60, 0, 0).has_value());
  EXPECT_FALSE(TryEncodeDateTime(2016, 7, 1, 12, 0, 0, 1000).has_value());
  EXPECT_THROW(EncodeDate(2015, 2, 29), std::invalid_argument);
  EXPECT_THROW(EncodeTime(25, 0, 0, 0), std::invalid_argument);
}

TEST(DateTimeTest, DateOfTruncatesTowardZero) {
  EXPECT_EQ(DateOf(42552.75), 42552.0);
  EXPECT_EQ(DateOf(-1.25), -1.0);
  EXPECT_EQ(DateOf(0.5), 0.0);
  EXPECT_TRUE(SameDate(42552.01, 42552.99));
  EXPECT_FALSE(SameDate(42552.99, 42553.01));
}

TEST(DateTimeTest, DayOfWeekCountsFromSunday) {
  struct Case {
    const char* name;
    int year, month, day;
    int expected;
  };
  const Case cases[] = {
      {"epoch was a Saturday", 1899, 12, 30, kSaturday},
      {"day before the epoch", 1899, 12, 29, 6},
      {"26 March 2016", 2016, 3, 26, kSaturday},
      {"27 March 2016", 2016, 3, 27, kSunday},
      {"31 March 2018", 2018, 3, 31, kSaturday},
      {"31 October 2015", 2015, 10, 31, kSaturday},
      {"1 January 2041", 2041, 1, 1, 3},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DayOfWeek(EncodeDate(c.year, c.month, c.day)), c.expected);
    EXPECT_EQ(DayOfWeek(EncodeDateTime(c.year, c.month, c.day, 23, 59, 0, 0)), c.expected);
  }
}

TEST(DateTimeTest, IncrementsAreExactAndDoNotDrift) {
  const TDateTime start = EncodeDateTime(2016, 7, 1, 0, 0, 0, 0);
  TDateTime bySeconds = start;
  for (int i = 0; i < 86400; ++i) bySeconds = IncSecond(bySeconds);
  EXPECT_EQ(bySeconds, EncodeDate(2016, 7, 2));

  TDateTime byMs = start;
  for (int i = 0; i < 100000; ++i) byMs = IncMilliSecond(byMs);
  EXPECT_EQ(byMs, EncodeDateTime(2016, 7, 1, 0, 1, 40, 0));

  TDateTime byMinutes = start;
  for (int i = 0; i < 7 * 24 * 60; ++i) byMinutes = IncMinute(byMinutes, 1);
  for (int i = 0; i < 7 * 24; ++i) byMinutes = IncHour(byMinutes, -1);
  EXPECT_EQ(byMinutes, start);
}

TEST(DateTimeTest, IncrementsCrossTheEpochInTheClassicConvention) {
  // 06:00 on day 0 minus 12 hours is 18:00 on day -1, written -1.75.
  EXPECT_DOUBLE_EQ(IncHour(0.25, -12), -1.75);
  EXPECT_DOUBLE_EQ(IncHour(-1.75, 12), 0.25);
}

TEST(DateTimeTest, MinutesBetweenDropsTheRemainder) {
  const TDateTime a = EncodeDateTime(2016, 7, 1, 10, 0, 0, 0);
  const TDateTime b = IncMilliSecond(a, 90 * kMsPerMinute + 59900);
  EXPECT_EQ(MinutesBetween(a, b), 90);
  EXPECT_EQ(MinutesBetween(b, a), 90);
  EXPECT_EQ(MinutesBetween(a, IncMilliSecond(a, 59999)), 0);
  EXPECT_EQ(MinutesBetween(a, IncMinute(a, 60 * 24 * 3)), 60 * 24 * 3);
}

TEST(DateTimeTest, HourSpanIsTheAbsoluteDifference) {
  EXPECT_DOUBLE_EQ(HourSpan(42552.0, 42553.5), 36.0);
  EXPECT_DOUBLE_EQ(HourSpan(42553.5, 42552.0), 36.0);
  EXPECT_NEAR(HourSpan(42552.0, IncMinute(42552.0, 30)), 0.5, 1e-9);
}

TEST(DateTimeTest, CompareIgnoresLessThanAMillisecond) {
  const TDateTime a = EncodeDateTime(2016, 7, 1, 10, 0, 0, 0);
  const TDateTime nearlyA = a + 0.4 / static_cast<double>(kMsPerDay);
  EXPECT_EQ(CompareDateTime(a, nearlyA), 0);
  EXPECT_EQ(CompareDateTime(a, IncMilliSecond(a)), -1);
  EXPECT_EQ(CompareDateTime(IncMilliSecond(a), a), 1);
}

TEST(DateTimeTest, FormatPatterns) {
  const TDateTime value = EncodeDateTime(2016, 7, 1, 9, 5, 7, 45);
  struct Case {
    const char* pattern;
    const char* expected;
  };
  const Case cases[] = {
      {"hh:mm", "09:05"},
      {"hh:nn", "09:05"},
      {"dd.mm.yyyy", "01.07.2016"},
      {"dd.mm.yyyy  hh:mm", "01.07.2016  09:05"},
      {"hh:mm:ss", "09:05:07"},
      {"hh:mm:ss.zzz", "09:05:07.045"},
      {"d.m.yy", "1.7.16"},
      {"'at' hh:nn", "at 09:05"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.pattern);
    EXPECT_EQ(FormatDateTime(c.pattern, value), c.expected);
  }
  EXPECT_EQ(FormatDateTime("hh:mm", value, '.'), "09.05");
}

TEST(DateTimeTest, NowLocalFollowsTheClock) {
  const std::time_t seconds = std::time(nullptr);
  std::tm local{};
  ASSERT_NE(localtime_r(&seconds, &local), nullptr);
  const TDateTime expected = EncodeDateTime(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                                            local.tm_hour, local.tm_min, local.tm_sec > 59 ? 59 : local.tm_sec, 0);
  EXPECT_LT(std::fabs(NowLocal() - expected) * 86400.0, 5.0);
}

}  // namespace
}  // namespace corvane
