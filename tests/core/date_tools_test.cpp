#include "core/date_tools.h"

#include <gtest/gtest.h>

#include "core/date_time.h"

namespace corvane {
namespace {

TDateTime At(int year, int month, int day, int hour = 0, int minute = 0) {
  return EncodeDateTime(year, month, day, hour, minute, 0, 0);
}

TEST(DateToolsTest, GMTToLocal) {
  struct Case {
    const char* name;
    int offset;
    int zone;
    TDateTime gmt;
    TDateTime local;
  };
  const Case cases[] = {
      {"rule 0, summer", 0, 0, At(2016, 7, 1, 12), At(2016, 7, 1, 13)},
      {"rule 0, winter", 0, 0, At(2016, 1, 15, 12), At(2016, 1, 15, 12)},
      {"rule 0, late on the last day of summer", 0, 0, At(2016, 10, 29, 23, 30),
       At(2016, 10, 30, 0, 30)},
      {"rule 0 with offset 1, summer", 1, 0, At(2016, 7, 1, 12), At(2016, 7, 1, 14)},
      {"no rule (5) with offset 1, summer", 1, 5, At(2016, 7, 1, 12), At(2016, 7, 1, 13)},
      {"no rule (5) with offset 1, winter", 1, 5, At(2016, 1, 15, 12), At(2016, 1, 15, 13)},
      {"negative offset crosses midnight", -5, 5, At(2016, 1, 15, 2), At(2016, 1, 14, 21)},
      {"rule 2, first summer day", -5, 2, At(2016, 3, 13, 12), At(2016, 3, 13, 8)},
      {"rule 2, day before", -5, 2, At(2016, 3, 12, 12), At(2016, 3, 12, 7)},
      {"rule 1, summer in January", 10, 1, At(2016, 1, 15, 12), At(2016, 1, 15, 23)},
  };
  const TDateTools tools;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CompareDateTime(tools.GMTToLocal(c.offset, c.zone, c.gmt), c.local), 0);
  }
}

TEST(DateToolsTest, SummerTimeRulesDecideOnWholeDays) {
  struct Case {
    const char* name;
    int zone;
    TDateTime moment;
    bool summer;
  };
  const Case cases[] = {
      // Rule 0 in 2016: last Saturdays are 26 March and 29 October.
      {"0: last Saturday of March 2016", 0, At(2016, 3, 26, 23, 59), false},
      {"0: the Sunday after", 0, At(2016, 3, 27), true},
      {"0: last Saturday of October 2016", 0, At(2016, 10, 29, 23, 59), true},
      {"0: the Sunday after", 0, At(2016, 10, 30), false},
      // 31 March 2018 is itself a Saturday: summer starts on 1 April.
      {"0: 31 March 2018", 0, At(2018, 3, 31, 12), false},
      {"0: 1 April 2018", 0, At(2018, 4, 1), true},
      // 31 October 2015 is a Saturday: it is still summer.
      {"0: 31 October 2015", 0, At(2015, 10, 31, 12), true},
      {"0: 1 November 2015", 0, At(2015, 11, 1), false},
      {"1: first day of a window", 1, At(2015, 10, 18), true},
      {"1: day before it", 1, At(2015, 10, 17, 23), false},
      {"1: last day of a window", 1, At(2016, 2, 20, 23), true},
      {"1: day after it", 1, At(2016, 2, 21), false},
      {"1: first window", 1, At(2013, 10, 20), true},
      {"1: after all windows", 1, At(2017, 12, 1), false},
      {"2: last day of 2015", 2, At(2015, 11, 1, 23), true},
      {"2: day after", 2, At(2015, 11, 2), false},
      {"2: 2016 window", 2, At(2016, 11, 6), true},
      {"2: no window in 2017", 2, At(2017, 7, 1), false},
      {"unknown rule 3", 3, At(2016, 7, 1), false},
      {"unknown rule -1", -1, At(2016, 7, 1), false},
  };
  const TDateTools tools;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(tools.IsSummerTime(c.zone, c.moment), c.summer);
  }
}

TEST(DateToolsTest, LocalToGMTInvertsAwayFromTheDayBoundary) {
  const TDateTools tools;
  for (const int zone : {0, 1, 2, 7}) {
    for (const int offset : {0, 1, -5}) {
      SCOPED_TRACE(testing::Message() << "zone " << zone << " offset " << offset);
      for (TDateTime gmt = At(2016, 1, 1, 12); gmt < At(2017, 1, 1); gmt = IncHour(gmt, 24 * 5)) {
        const TDateTime local = tools.GMTToLocal(offset, zone, gmt);
        EXPECT_EQ(CompareDateTime(tools.LocalToGMT(offset, zone, local), gmt), 0);
      }
    }
  }
}

TEST(DateToolsTest, LocalToGMTTestsTheRuleOnTheLocalValue) {
  const TDateTools tools;
  EXPECT_EQ(CompareDateTime(tools.LocalToGMT(0, 0, At(2016, 7, 1, 13)), At(2016, 7, 1, 12)), 0);
  // Within an hour of the rule's day boundary the two conversions are not
  // inverse: 23:30 GMT on the last summer day is 00:30 local on a winter day,
  // which goes back to 00:30 GMT.
  const TDateTime local = tools.GMTToLocal(0, 0, At(2016, 10, 29, 23, 30));
  EXPECT_EQ(CompareDateTime(tools.LocalToGMT(0, 0, local), At(2016, 10, 30, 0, 30)), 0);
}

TEST(DateToolsTest, MinutesToDateTimeIsATimeOfDay) {
  const TDateTools tools;
  EXPECT_EQ(tools.MinutesToDateTime(0), 0.0);
  EXPECT_EQ(FormatDateTime("hh:nn", tools.MinutesToDateTime(90)), "01:30");
  EXPECT_EQ(FormatDateTime("hh:nn", tools.MinutesToDateTime(1439)), "23:59");
  EXPECT_EQ(DateOf(tools.MinutesToDateTime(1439)), 0.0);
}

}  // namespace
}  // namespace corvane
