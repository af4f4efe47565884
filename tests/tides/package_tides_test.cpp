// The tide model: record lookup, the tide lists of a moment, chart times and
// the chart window, the tide texts, the day's range and the tide bar; small
// tables written by the data-set packer and read by the tide-table loader,
// and pinned values of the built-in table.

#include "tides/package_tides.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/date_time.h"
#include "data/data_set_packer.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"

namespace corvane {
namespace {

struct TRecordBytes {
  int Gauge = 0, Hour = 0, Minute = 0, Sign = 0, Height = 0;
};

// A tide table of whole years on the fixed grid, written by the packer.
class TTableFixture {
 public:
  TTableFixture(int yearBegin, int years)
      : yearBegin_(yearBegin), records_(static_cast<std::size_t>(years) * kTideRecordsPerYear) {}

  TTableFixture& Set(int year, int month, int day, int slot, TRecordBytes record) {
    const int number = *GetTideRecordNumber(yearBegin_, year, month, day, slot);
    records_.at(static_cast<std::size_t>(number)) = record;
    return *this;
  }
  TTableFixture& High(int year, int month, int day, int slot, int hour, int minute, int dm) {
    return Set(year, month, day, slot, {kGaugeHighWater, hour, minute, 0, dm});
  }
  TTableFixture& Low(int year, int month, int day, int slot, int hour, int minute, int dm) {
    return Set(year, month, day, slot, {kGaugeLowWater, hour, minute, 0, dm});
  }

  std::vector<std::uint8_t> Bytes() const {
    TDataSetPacker packer;
    for (const TRecordBytes& r : records_) {
      for (int b : {r.Gauge, r.Hour, r.Minute, r.Sign, r.Height}) {
        packer.PackCount8(static_cast<std::uint8_t>(b));
      }
    }
    return packer.Bytes();
  }

 private:
  int yearBegin_;
  std::vector<TRecordBytes> records_;
};

// Loads a header and a table the way the program does.
void Load(const std::string& header, const TTableFixture& table, TPackageTides& tides) {
  TResourceStore store;
  store.Add("TIDESINI", header);
  store.Add("TIDES", table.Bytes());
  TInterfaceApplicationMobile state;
  TPackageResourceLoader(std::move(store), TFileTools(std::filesystem::temp_directory_path()))
      .LoadListTides(state, tides);
}

const char* const kHeaderGMT = "[SETTINGS]\nYEAR=2016\nTIMEZONE=5\nTIMEZONEOFFSET=0\n"
                               "MEANHIGH=3,6\nMEANLOW=1,8\nTIMECHARTS30=1\n";
const char* const kHeaderSummerTime = "[SETTINGS]\nYEAR=2016\nTIMEZONE=0\nTIMEZONEOFFSET=0\n";

TDateTime At(int year, int month, int day, int hour, int minute, int second = 0) {
  return EncodeDateTime(year, month, day, hour, minute, second, 0);
}

std::vector<std::string> Texts(const TListDateTimes& list) {
  std::vector<std::string> texts;
  for (TDateTime t : list.Items()) texts.push_back(FormatDateTime("dd.mm.yyyy hh:nn", t));
  return texts;
}

std::vector<std::string> Lines(const TListDayTides& days) {
  std::vector<std::string> lines;
  for (const TDayTides& day : days) {
    lines.push_back(day.Day);
    for (const std::string& line : day.Tides) lines.push_back(line);
  }
  return lines;
}

// ----------------------------------------------------------- record lookup

TEST(TideRecordNumberTest, FollowsTheFixedGridOfTheTable) {
  struct Case {
    const char* name;
    int year, month, day, slot;
    std::optional<int> expected;
  };
  const std::vector<Case> cases = {
      {"1 January slot 1", 2016, 1, 1, 1, 0},
      {"1 March slot 1", 2016, 3, 1, 1, 248},
      {"31 December slot 4", 2016, 12, 31, 4, 1487},
      {"1 January of the next year", 2017, 1, 1, 1, 1488},
      {"30 February exists on the grid", 2016, 2, 30, 2, 241},
      {"a year before the table", 2015, 12, 31, 4, std::nullopt},
      {"twenty years before the table", 1996, 1, 1, 1, std::nullopt},
      {"slot 0", 2016, 5, 5, 0, std::nullopt},
      {"slot 5", 2016, 5, 5, 5, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GetTideRecordNumber(2016, c.year, c.month, c.day, c.slot), c.expected);
  }
}

TEST(TideRecordLookupTest, FindsOnlyRecordsInsideTheTable) {
  TPackageTides tides;
  Load(kHeaderGMT, TTableFixture(2016, 1).High(2016, 12, 31, 4, 22, 10, 40), tides);
  const auto last = tides.GetTideRecord(tides.TidalAtlasMainPort, At(2016, 12, 31, 23, 59), 4);
  ASSERT_TRUE(last.has_value());
  EXPECT_EQ(last->Hour, 22);
  EXPECT_FALSE(tides.GetTideRecord(tides.TidalAtlasMainPort, At(2017, 1, 1, 0, 0), 1));
  EXPECT_FALSE(tides.GetTideRecord(tides.TidalAtlasMainPort, At(2015, 12, 31, 12, 0), 1));
}

TEST(TideRecordLookupTest, AYearLongBeforeATwentyFiveYearTableFindsNothing) {
  // In 16-bit record numbers 1996 would wrap onto the records of 2040.
  TPackageTides tides;
  Load(kHeaderGMT, TTableFixture(2016, 25).High(2040, 1, 1, 1, 3, 0, 40), tides);
  EXPECT_TRUE(tides.GetTideRecord(tides.TidalAtlasMainPort, At(2040, 1, 1, 0, 0), 1));
  for (int year = 1990; year < 2016; ++year) {
    SCOPED_TRACE(year);
    EXPECT_FALSE(tides.GetTideRecord(tides.TidalAtlasMainPort, At(year, 1, 1, 0, 0), 1));
  }
}

// ------------------------------------------------------------- tide lists

// Three days of June 2016 with three or four tides each, in GMT.
TTableFixture ThreeJuneDays() {
  TTableFixture table(2016, 1);
  table.Low(2016, 6, 9, 1, 2, 10, 12).High(2016, 6, 9, 2, 8, 20, 41).Low(2016, 6, 9, 3, 14, 35, 11)
      .High(2016, 6, 9, 4, 20, 45, 43);
  table.Low(2016, 6, 10, 1, 3, 0, 13).High(2016, 6, 10, 2, 9, 10, 40).Low(2016, 6, 10, 3, 15, 20, 12)
      .High(2016, 6, 10, 4, 21, 35, 42);
  table.Low(2016, 6, 11, 1, 3, 50, 14).High(2016, 6, 11, 2, 10, 0, 39)
      .Low(2016, 6, 11, 3, 16, 10, 13);
  return table;
}

TEST(TideListsTest, HoldTheTidesOfThreeDaysInOrder) {
  TPackageTides tides;
  Load(kHeaderGMT, ThreeJuneDays(), tides);
  TListDayTides days;
  ASSERT_TRUE(tides.GetTides(days, At(2016, 6, 10, 12, 0)));

  EXPECT_EQ(Texts(tides.ListTideTimesHW),
            (std::vector<std::string>{"09.06.2016 08:20", "09.06.2016 20:45", "10.06.2016 09:10",
                                      "10.06.2016 21:35", "11.06.2016 10:00"}));
  EXPECT_EQ(Texts(tides.ListTideTimesLW),
            (std::vector<std::string>{"09.06.2016 02:10", "09.06.2016 14:35", "10.06.2016 03:00",
                                      "10.06.2016 15:20", "11.06.2016 03:50", "11.06.2016 16:10"}));
  ASSERT_EQ(tides.ListAllTideTimes.Count(), 11);
  ASSERT_EQ(tides.ListAllTideLevel.Count(), 11);
  EXPECT_NEAR(static_cast<double>(tides.ListAllTideLevel.GetItem(5).Value), 4.0, 1e-15);
  for (int i = 0; i + 1 < tides.ListAllTideTimes.Count(); ++i) {
    EXPECT_LT(tides.ListAllTideTimes.Get(i), tides.ListAllTideTimes.Get(i + 1));
  }

  EXPECT_EQ(Lines(days),
            (std::vector<std::string>{
                "09.06.2016", "L   02:10    1.2m", "H   08:20    4.1m", "L   14:35    1.1m",
                "H   20:45    4.3m", "10.06.2016", "L   03:00    1.3m", "H   09:10    4.0m",
                "L   15:20    1.2m", "H   21:35    4.2m", "11.06.2016", "L   03:50    1.4m",
                "H   10:00    3.9m", "L   16:10    1.3m"}));
  ASSERT_EQ(days[1].DayTide.size(), 4u);
  EXPECT_EQ(days[1].DayTide[1].Gauge, "H");
  EXPECT_EQ(days[1].DayTide[1].Times, "09:10");
  EXPECT_EQ(days[1].DayTide[1].Level, "4.0");
}

TEST(TideListsTest, ListTidesUnderTheirLocalDay) {
  // Summer time (+1 h): the high water at 23:30 GMT on 9 June is 00:30 on
  // the moment's day and is listed there; the one at 23:40 GMT on 11 June is
  // on 12 June local, after the last listed day.
  TTableFixture table(2016, 1);
  table.High(2016, 6, 9, 1, 11, 5, 40).High(2016, 6, 9, 2, 23, 30, 41);
  table.Low(2016, 6, 10, 1, 5, 40, 12).Low(2016, 6, 10, 2, 18, 0, 11).High(2016, 6, 10, 3, 23, 10, 42);
  table.Low(2016, 6, 11, 1, 6, 20, 13).High(2016, 6, 11, 2, 23, 40, 43);
  TPackageTides tides;
  Load(kHeaderSummerTime, table, tides);
  TListDayTides days;
  ASSERT_TRUE(tides.GetTides(days, At(2016, 6, 10, 12, 0)));
  EXPECT_EQ(Lines(days),
            (std::vector<std::string>{"09.06.2016", "H   12:05    4.0m", "10.06.2016",
                                      "H   00:30    4.1m", "L   06:40    1.2m", "L   19:00    1.1m",
                                      "11.06.2016", "H   00:10    4.2m", "L   07:20    1.3m"}));
  // The time lists keep every tide in GMT.
  EXPECT_EQ(tides.ListTideTimesHW.Count(), 4);
  EXPECT_EQ(tides.ListAllTideTimes.Count(), 7);
}

TEST(TideListsTest, AFifthTideCarriedIntoTheDayBeforeFallsOnItsOwnDay) {
  // 14 June has five tides; its first one (00:20) stands in the fourth slot
  // of 13 June as hour 24.
  TTableFixture table(2016, 1);
  table.Low(2016, 6, 12, 1, 5, 0, 12).High(2016, 6, 12, 2, 11, 15, 40).Low(2016, 6, 12, 3, 17, 30, 11)
      .High(2016, 6, 12, 4, 23, 45, 41);
  table.Low(2016, 6, 13, 1, 5, 55, 13).High(2016, 6, 13, 2, 12, 5, 42).Low(2016, 6, 13, 3, 18, 20, 12)
      .High(2016, 6, 13, 4, 24, 20, 43);
  table.Low(2016, 6, 14, 1, 6, 40, 11).High(2016, 6, 14, 2, 12, 50, 44).Low(2016, 6, 14, 3, 19, 5, 10)
      .High(2016, 6, 14, 4, 23, 55, 45);
  table.Low(2016, 6, 15, 1, 7, 20, 12).High(2016, 6, 15, 2, 13, 30, 43);

  struct Case {
    const char* name;
    TDateTime moment;
    std::vector<std::string> highWaters;
    std::vector<std::string> listed;
  };
  const std::vector<Case> cases = {
      {"moment on the day that holds the carried tide", At(2016, 6, 13, 12, 0),
       {"12.06.2016 11:15", "12.06.2016 23:45", "13.06.2016 12:05", "14.06.2016 00:20",
        "14.06.2016 12:50", "14.06.2016 23:55"},
       {"12.06.2016", "L   05:00    1.2m", "H   11:15    4.0m", "L   17:30    1.1m",
        "H   23:45    4.1m", "13.06.2016", "L   05:55    1.3m", "H   12:05    4.2m",
        "L   18:20    1.2m", "14.06.2016", "H   00:20    4.3m", "L   06:40    1.1m",
        "H   12:50    4.4m", "L   19:05    1.0m", "H   23:55    4.5m"}},
      {"moment on the day with five tides", At(2016, 6, 14, 12, 0),
       {"13.06.2016 12:05", "14.06.2016 00:20", "14.06.2016 12:50", "14.06.2016 23:55",
        "15.06.2016 13:30"},
       {"13.06.2016", "L   05:55    1.3m", "H   12:05    4.2m", "L   18:20    1.2m",
        "14.06.2016", "H   00:20    4.3m", "L   06:40    1.1m", "H   12:50    4.4m",
        "L   19:05    1.0m", "H   23:55    4.5m", "15.06.2016", "L   07:20    1.2m",
        "H   13:30    4.3m"}},
  };
  TPackageTides tides;
  Load(kHeaderGMT, table, tides);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TListDayTides days;
    ASSERT_TRUE(tides.GetTides(days, c.moment));
    EXPECT_EQ(Texts(tides.ListTideTimesHW), c.highWaters);
    EXPECT_EQ(Lines(days), c.listed);
  }

  TStringList highWaters;
  tides.GetListTides(2016, highWaters);
  EXPECT_EQ(highWaters, (TStringList{"12.06.2016      H 11:15", "12.06.2016      H 23:45",
                                     "13.06.2016      H 12:05", "14.06.2016      H 00:20",
                                     "14.06.2016      H 12:50", "14.06.2016      H 23:55",
                                     "15.06.2016      H 13:30"}));
}

TEST(TideListsTest, ADayOutsideTheTableFailsAndKeepsWhatWasFound) {
  TTableFixture table(2016, 1);
  table.High(2016, 12, 30, 1, 10, 0, 40).High(2016, 12, 31, 1, 10, 45, 41);
  TPackageTides tides;
  Load(kHeaderGMT, table, tides);
  TListDayTides days;
  EXPECT_FALSE(tides.GetTides(days, At(2016, 12, 31, 12, 0)));
  EXPECT_EQ(Texts(tides.ListTideTimesHW),
            (std::vector<std::string>{"30.12.2016 10:00", "31.12.2016 10:45"}));
  EXPECT_EQ(days.size(), 2u);
  EXPECT_TRUE(tides.GetTides(At(2016, 12, 30, 12, 0)));
  EXPECT_FALSE(tides.GetTides(At(2016, 1, 1, 12, 0))) << "the day before lies before the table";
  EXPECT_EQ(tides.ListAllTideTimes.Count(), 0);
}

// ------------------------------------------------------------ chart times

TListDateTimes Tides(std::initializer_list<TDateTime> times) {
  TListDateTimes list;
  for (TDateTime t : times) list.Add(t);
  return list;
}

TEST(ChartTimesTest, HalfHourlyChartsDropTheEarliestChartOfEachLaterTide) {
  TPackageTides tides;
  tides.TimeCharts30 = true;
  const TDateTime first = At(2016, 6, 10, 9, 10);
  const TDateTime second = IncMinute(first, 12 * 60 + 25);
  const TDateTime third = IncMinute(second, 12 * 60 + 25);
  tides.SetListChartTimes(Tides({first, second, third}));

  ASSERT_EQ(tides.ListChartTimes.Count(), 26 + 25 + 25);
  EXPECT_EQ(tides.ListChartIndizes.Get(0), -390);
  EXPECT_EQ(tides.ListChartIndizes.Get(25), 360);
  EXPECT_EQ(tides.ListChartIndizes.Get(26), -360);
  EXPECT_EQ(tides.ListChartTimes.Get(13), first);
  EXPECT_EQ(tides.ListChartTimes.Get(26 + 12), second);
  for (int i = 0; i + 1 < tides.ListChartTimes.Count(); ++i) {
    const std::int64_t step = MinutesBetween(tides.ListChartTimes.Get(i), tides.ListChartTimes.Get(i + 1));
    const bool boundary = tides.ListChartIndizes.Get(i) == 360;
    EXPECT_EQ(step, boundary ? 25 : 30) << "after chart " << i;
  }
}

TEST(ChartTimesTest, HourlyChartsOfTidesMoreThanTwelveHoursApartAllStay) {
  TPackageTides tides;
  const TDateTime first = At(2016, 6, 10, 9, 10);
  tides.SetListChartTimes(Tides({first, IncMinute(first, 12 * 60 + 25)}));
  ASSERT_EQ(tides.ListChartTimes.Count(), 26);
  EXPECT_EQ(tides.ListChartIndizes.Get(13), -6);
  EXPECT_EQ(tides.ListChartTimes.Get(6), first);

  // Twelve hours apart the next tide's -6 h chart coincides with the +6 h
  // chart and is dropped.
  tides.SetListChartTimes(Tides({first, IncHour(first, 12)}));
  EXPECT_EQ(tides.ListChartTimes.Count(), 25);
  EXPECT_EQ(tides.ListChartIndizes.Get(13), -5);
}

TEST(ChartTimesTest, TheNearestChartWinsAndAHalfwayMomentTakesTheEarlier) {
  TPackageTides tides;
  tides.TimeCharts30 = true;
  const TDateTime tide = At(2016, 6, 10, 9, 10);
  tides.SetListChartTimes(Tides({tide}));
  struct Case {
    const char* name;
    TDateTime moment;
    int index;
  };
  const std::vector<Case> cases = {
      {"on the tide", tide, 13},
      {"halfway between two charts", IncMinute(tide, 15), 13},
      {"a second past halfway", IncSecond(tide, 15 * 60 + 1), 14},
      {"long before", At(2016, 6, 9, 0, 0), 0},
      {"long after", At(2016, 6, 12, 0, 0), 25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    tides.GetListChartTimeIndex(c.moment);
    EXPECT_EQ(tides.ListChartTimeIndex, c.index);
  }
  tides.SetListChartTimes(TListDateTimes{});
  tides.GetListChartTimeIndex(tide);
  EXPECT_EQ(tides.ListChartTimeIndex, 0);
}

// A cube of one point with one field per chart, so that the window's times
// can be read back through the ring.
TListVektorCubeLight CubeWithFields(int fields) {
  TListVektorCubeLight cube;
  const int c = cube.AddCube();
  cube.AddFields(c, fields);
  return cube;
}

TEST(ChartWindowTest, TheWindowHoldsTheChartsAroundTheMomentInOrder) {
  const TDateTime first = At(2016, 6, 9, 8, 20);
  const TDateTime second = IncMinute(first, 12 * 60 + 25);
  const TDateTime third = IncMinute(second, 12 * 60 + 25);
  const TDateTime fourth = IncMinute(third, 12 * 60 + 25);
  struct Case {
    const char* name;
    bool charts30;
    TDateTime moment;
    int iOffset;
    bool overlap;
    int places;
  };
  const std::vector<Case> cases = {
      {"hourly, on a high water", false, third, 0, false, 13},
      {"hourly, 4 h after", false, IncHour(third, 4), 4, false, 13},
      {"hourly, 2 h before", false, IncHour(third, -2), 11, false, 13},
      {"half-hourly, on a high water", true, third, 0, true, 25},
      {"half-hourly, 6 h before", true, IncHour(third, -6), 12, true, 25},
      {"half-hourly, 90 min after", true, IncMinute(third, 90), -3, true, 25},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TPackageTides tides;
    tides.TimeCharts30 = c.charts30;
    tides.SetListChartTimes(Tides({first, second, third, fourth}));
    tides.GetListChartTimeIndex(c.moment);
    TListVektorCubeLight cube = CubeWithFields(c.charts30 ? 26 : 13);
    tides.SetStreamCubeLightIndexing(cube);
    EXPECT_EQ(cube.Charts30, c.charts30);
    EXPECT_EQ(cube.iOffset, c.iOffset);
    EXPECT_EQ(cube.OverlapCharts30, c.overlap);
    // The nearest chart stands at place 6 of the hourly and 13 of the
    // half-hourly window.
    const int centre = c.charts30 ? 13 : 6;
    EXPECT_EQ(cube.GetFieldTime(centre), tides.ListChartTimes.Get(tides.ListChartTimeIndex));
    for (int i = 0; i + 1 < c.places; ++i) {
      EXPECT_LT(cube.GetFieldTime(i), cube.GetFieldTime(i + 1)) << "place " << i;
    }
    EXPECT_LE(cube.GetFieldTime(0), c.moment);
    EXPECT_GE(cube.GetFieldTime(c.places - 1), c.moment);
  }
}

TEST(ChartWindowTest, TidesWithFullCyclesKeepTwentySixPlaces) {
  // High waters 13 h apart lose no chart: the ring has all 26 places.
  const TDateTime first = At(2016, 6, 9, 8, 0);
  TPackageTides tides;
  tides.TimeCharts30 = true;
  tides.SetListChartTimes(Tides({first, IncHour(first, 13), IncHour(first, 26)}));
  ASSERT_EQ(tides.ListChartTimes.Count(), 78);
  tides.GetListChartTimeIndex(IncHour(first, 13));
  TListVektorCubeLight cube = CubeWithFields(26);
  tides.SetStreamCubeLightIndexing(cube);
  EXPECT_FALSE(cube.OverlapCharts30);
  EXPECT_EQ(cube.iOffset, 0);
  for (int i = 0; i < 26; ++i) {
    EXPECT_EQ(cube.GetFieldTime(i), tides.ListChartTimes.Get(tides.ListChartTimeIndex + i - 13));
  }
}

// -------------------------------------------------------------- tide texts

TEST(TideTextTest, TellsTheTimeToTheNearestHighWater) {
  struct Case {
    const char* name;
    int timeZoneOffset, timeZone;
    TDateTime highWater, moment;
    std::string text;
    double hours;
  };
  const std::vector<Case> cases = {
      {"95 minutes before", 1, 5, At(2016, 6, 10, 13, 20), At(2016, 6, 10, 11, 45),
       "01:35 before HW at 14:20", -95.0 / 60},
      {"5 minutes after", 0, 5, At(2016, 6, 10, 9, 2), At(2016, 6, 10, 9, 7),
       "00:05 after HW at 09:02", 5.0 / 60},
      {"on the high water", 0, 5, At(2016, 6, 10, 12, 0), At(2016, 6, 10, 12, 0), "HW at 12:00", 0},
      {"30 seconds after", 0, 5, At(2016, 6, 10, 12, 0), At(2016, 6, 10, 12, 0, 30), "HW at 12:00",
       0},
      {"59.9 seconds before counts no whole minute", 0, 5, At(2016, 6, 10, 12, 0),
       IncMilliSecond(At(2016, 6, 10, 12, 0), -59900), "HW at 12:00", 0},
      {"summer time", 0, 0, At(2016, 7, 1, 12, 0), At(2016, 7, 1, 14, 0), "02:00 after HW at 13:00",
       2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TPackageTides tides;
    tides.ListTideTimesHW.Add(IncHour(c.highWater, -12));
    tides.ListTideTimesHW.Add(c.highWater);
    tides.ListTideTimesHW.Add(IncHour(c.highWater, 13));
    EXPECT_EQ(tides.GetTimeToRefTideText(c.timeZoneOffset, c.timeZone, c.moment), c.text);
    EXPECT_NEAR(static_cast<double>(tides.HoursToRefTide), c.hours, 1e-15);
    EXPECT_EQ(tides.DateTimeRefTide, c.highWater);
  }
}

TEST(TideTextTest, IsEmptyWithoutHighWaters) {
  TPackageTides tides;
  tides.HoursToRefTide = 3;
  EXPECT_EQ(tides.GetTimeToRefTideText(0, 0, At(2016, 6, 10, 12, 0)), "");
  EXPECT_EQ(tides.HoursToRefTide, 3);
}

TEST(TimeToRefTideTest, IsSignedHoursToTheNearestTide) {
  TPackageTides tides;
  const TListDateTimes list = Tides({At(2016, 6, 10, 3, 0), At(2016, 6, 10, 15, 25)});
  EXPECT_NEAR(static_cast<double>(tides.GetTimeToRefTide(list, At(2016, 6, 10, 13, 55))), -1.5,
              1e-9);
  EXPECT_EQ(tides.DateTimeRefTide, At(2016, 6, 10, 15, 25));
  EXPECT_NEAR(static_cast<double>(tides.GetTimeToRefTide(list, At(2016, 6, 10, 4, 15))), 1.25,
              1e-9);
  EXPECT_EQ(tides.DateTimeRefTide, At(2016, 6, 10, 3, 0));
}

// --------------------------------------------------------- range and bar

TEST(TideRangeTest, IsTheMeanHighMinusTheMeanLowOfTheGMTDay) {
  TTableFixture table(2016, 1);
  table.Low(2016, 6, 1, 1, 3, 0, 18).High(2016, 6, 1, 2, 9, 0, 42).Low(2016, 6, 1, 3, 15, 0, 17)
      .High(2016, 6, 1, 4, 21, 0, 40);
  table.Low(2016, 6, 2, 1, 3, 0, 18).High(2016, 6, 2, 2, 9, 0, 42).Low(2016, 6, 2, 3, 15, 0, 17);
  table.High(2016, 6, 3, 1, 9, 0, 42);
  TPackageTides tides;
  Load(kHeaderGMT, table, tides);
  struct Case {
    const char* name;
    bool secondary;
    double shift;
    TDateTime moment;
    double range;
  };
  const std::vector<Case> cases = {
      {"two highs and two lows", false, 0, At(2016, 6, 1, 23, 59), 2.35},
      {"one high and two lows", false, 0, At(2016, 6, 2, 0, 0), 2.45},
      {"a shift is added", false, 0.5, At(2016, 6, 2, 12, 0), 2.95},
      {"a single high water", false, 0, At(2016, 6, 3, 12, 0), 4.2},
      {"a day without tides", false, 0, At(2016, 6, 4, 12, 0), 0},
      {"outside the table", false, 0, At(2017, 6, 4, 12, 0), 0},
      {"the secondary port's table is empty", true, 0, At(2016, 6, 1, 12, 0), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(static_cast<double>(tides.GetMeanTideRange(c.secondary, c.shift, c.moment)), c.range,
                1e-6);
  }
}

TEST(TidesBarTest, InterpolatesTheLevelWithTheSignOfItsDirection) {
  TTableFixture table(2016, 1);
  table.Low(2016, 6, 10, 1, 9, 0, 18).High(2016, 6, 10, 2, 15, 0, 40).Low(2016, 6, 10, 3, 21, 0, 17);
  TPackageTides tides;
  Load(kHeaderGMT, table, tides);
  ASSERT_TRUE(tides.GetTides(At(2016, 6, 10, 12, 0)));
  struct Case {
    const char* name;
    TDateTime moment;
    double level;
  };
  const std::vector<Case> cases = {
      {"rising", At(2016, 6, 10, 12, 0), 2.9},
      {"falling", At(2016, 6, 10, 18, 0), -2.85},
      {"on the low water", At(2016, 6, 10, 9, 0), 1.8},
      {"on the high water, falling from there", At(2016, 6, 10, 15, 0), -4.0},
      {"before the first tide", At(2016, 6, 10, 8, 0), 0},
      {"after the last tide", At(2016, 6, 10, 22, 0), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    double low = 0;
    double high = 0;
    double level = 99;
    tides.GetTidesBar(low, high, level, c.moment);
    EXPECT_NEAR(static_cast<double>(low), 1.7, 1e-15);
    EXPECT_NEAR(static_cast<double>(high), 4.0, 1e-15);
    EXPECT_NEAR(static_cast<double>(level), c.level, 1e-9);
  }
}

TEST(SpringTideTest, ScalesASpeedToSpringStrength) {
  TPackageTides tides;
  tides.MeanRangeSprings = 3.6f;
  tides.MeanRangeNeaps = 1.8f;
  EXPECT_NEAR(static_cast<double>(tides.GetSpringTide(1.8, 1)), 2.0, 1e-6);
  EXPECT_NEAR(static_cast<double>(tides.GetSpringTide(3.6, 1.5)), 1.5, 1e-6);
  EXPECT_EQ(tides.GetSpringTide(0, 1), 0) << "f = 0 gives 0";
}

TEST(TideListTest, NearestIndexIsSixteenBitAndZeroForAnEmptyList) {
  EXPECT_EQ(TListDateTimes{}.GetNearestIndex(At(2016, 1, 1, 0, 0)), 0);
  TListInteger offsets;
  offsets.Add(-390);
  offsets.Add(-360);
  EXPECT_EQ(offsets.GetValue(1, 7), -360);
  EXPECT_EQ(offsets.GetValue(2, 7), 7);
  EXPECT_EQ(offsets.GetValue(-1, 7), 7);
  EXPECT_TRUE(offsets.FindItem(-390));
  EXPECT_FALSE(offsets.FindItem(0));
}

// ------------------------------------------------ the built-in tide table

class BuiltInTideTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    TPackageResourceLoader(BuiltInResourceStore(),
                           TFileTools(std::filesystem::temp_directory_path()))
        .LoadListTides(state_, tides_);
  }
  TInterfaceApplicationMobile state_;
  TPackageTides tides_;
};

TEST_F(BuiltInTideTableTest, PinsTheTidesOfTheDefaultMoment) {
  // 1 September 2016 14:00 GMT; the table's local time is GMT with summer
  // time (+1 h) on that day.
  const TDateTime moment = At(2016, 9, 1, 14, 0);
  TListDayTides days;
  ASSERT_TRUE(tides_.GetTides(days, moment));
  EXPECT_EQ(Lines(days),
            (std::vector<std::string>{"31.08.2016", "L   04:26    0.8m", "H   12:30    4.3m",
                                      "L   16:46    0.9m", "01.09.2016", "H   00:46    4.3m",
                                      "L   05:05    0.7m", "H   13:16    4.4m", "L   17:24    0.8m",
                                      "02.09.2016", "H   01:29    4.3m", "L   05:43    0.6m",
                                      "H   13:54    4.4m", "L   18:02    0.8m"}));
  EXPECT_EQ(Texts(tides_.ListTideTimesHW),
            (std::vector<std::string>{"31.08.2016 11:30", "31.08.2016 23:46", "01.09.2016 12:16",
                                      "02.09.2016 00:29", "02.09.2016 12:54"}));
  EXPECT_EQ(tides_.GetTimeToRefTideText(state_.TimeZoneOffset, state_.TimeZone, moment),
            "01:44 after HW at 13:16");
  EXPECT_NEAR(static_cast<double>(tides_.HoursToRefTide), 104.0 / 60, 1e-15);
  EXPECT_NEAR(static_cast<double>(tides_.GetMeanTideRange(false, 0, moment)), 3.65, 1e-6);
  double low = 0;
  double high = 0;
  double level = 0;
  tides_.GetTidesBar(low, high, level, moment);
  EXPECT_NEAR(static_cast<double>(low), 0.7, 1e-15);
  EXPECT_NEAR(static_cast<double>(high), 4.4, 1e-15);
  EXPECT_NEAR(static_cast<double>(level), -(4.4 - 3.6 * 104.0 / 248), 1e-9);

  tides_.SetListChartTimes(tides_.ListTideTimesHW);
  tides_.GetListChartTimeIndex(moment);
  EXPECT_EQ(tides_.ListChartTimes.Count(), 26 + 4 * 25);
  EXPECT_EQ(FormatDateTime("dd.mm.yyyy hh:nn", tides_.ListChartTimes.Get(tides_.ListChartTimeIndex)),
            "01.09.2016 13:46");
  EXPECT_EQ(tides_.ListChartIndizes.Get(tides_.ListChartTimeIndex), 90);
}

TEST_F(BuiltInTideTableTest, ACarriedFifthTideIsListedOnItsOwnDay) {
  // 6 March 2019 has five tides; the first stands in 5 March's fourth slot
  // as hour 24.
  const auto carried = tides_.GetTideRecord(tides_.TidalAtlasMainPort, At(2019, 3, 5, 0, 0), 4);
  ASSERT_TRUE(carried.has_value());
  EXPECT_EQ(carried->Hour, 24);
  EXPECT_EQ(carried->Minute, 1);

  TListDayTides days;
  ASSERT_TRUE(tides_.GetTides(days, At(2019, 3, 6, 12, 0)));
  EXPECT_EQ(Texts(tides_.ListTideTimesHW),
            (std::vector<std::string>{"05.03.2019 11:29", "06.03.2019 00:01", "06.03.2019 11:20",
                                      "06.03.2019 23:44", "07.03.2019 11:50"}));
  ASSERT_EQ(days.size(), 3u);
  EXPECT_EQ(days[1].Day, "06.03.2019");
  ASSERT_EQ(days[1].Tides.size(), 5u);
  EXPECT_EQ(days[1].DayTide[0].Times, "00:01");
  EXPECT_EQ(days[1].DayTide[0].Gauge, "H");
}

TEST_F(BuiltInTideTableTest, CoversEveryDayFromTheSecondOfJanuary2016ToTheThirtiethOfDecember2040) {
  EXPECT_FALSE(tides_.GetTides(At(2016, 1, 1, 12, 0)));
  EXPECT_TRUE(tides_.GetTides(At(2016, 1, 2, 12, 0)));
  EXPECT_TRUE(tides_.GetTides(At(2040, 12, 30, 12, 0)));
  EXPECT_FALSE(tides_.GetTides(At(2040, 12, 31, 12, 0)));
}

}  // namespace
}  // namespace corvane
