// The tide-table loader: header keys and their defaults, the five-byte
// records, the secondary port, and the faults that end or shorten a load.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "data/data_set_packer.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "tides/package_tides.h"

namespace corvane {
namespace {

struct TRecordBytes {
  int Gauge, Hour, Minute, Sign, Height;
};

std::vector<std::uint8_t> PackRecords(const std::vector<TRecordBytes>& records) {
  TDataSetPacker packer;
  for (const TRecordBytes& r : records) {
    packer.PackCount8(static_cast<std::uint8_t>(r.Gauge));
    packer.PackCount8(static_cast<std::uint8_t>(r.Hour));
    packer.PackCount8(static_cast<std::uint8_t>(r.Minute));
    packer.PackCount8(static_cast<std::uint8_t>(r.Sign));
    packer.PackCount8(static_cast<std::uint8_t>(r.Height));
  }
  return packer.Bytes();
}

TPackageResourceLoader LoaderOf(TResourceStore store) {
  return TPackageResourceLoader(std::move(store),
                                TFileTools(std::filesystem::temp_directory_path()));
}

// A state and a tide model whose header targets hold values no header
// writes, so that a load that stores nothing shows.
struct TTargets {
  TInterfaceApplicationMobile State;
  TPackageTides Tides;
  TTargets() {
    State.YearOfTidesFrom = "1999";
    State.YearOfTidesTo = "1999";
    State.TimeZone = 7;
    State.TimeZoneOffset = 7;
    State.PortName = "before";
    State.RefTide = 9;
    Tides.MeanRangeSprings = 9;
    Tides.MeanRangeNeaps = 9;
    Tides.TidalYearBegin = 1999;
    Tides.TimeZone = 7;
    Tides.TimeZoneOffset = 7;
    Tides.TidalAtlasMainPort.assign(3, TTides{});
  }
};

TEST(TideTableLoaderTest, ReadsTheHeaderKeysWithTheirDefaults) {
  struct Case {
    const char* name;
    std::string header;
    std::string yearFrom, yearTo, port;
    int yearBegin, timeZone, timeZoneOffset, refTide;
    float springs, neaps;
    bool charts30;
  };
  const std::vector<Case> cases = {
      {"full header with decimal commas",
       "[SETTINGS]\nPORT=Portquarne\nYEAR=2016\nYEARTO=2040\nTIMEZONE=0\nTIMEZONEOFFSET=1\n"
       "TIDESREF=1\nMEANHIGH=3,6\nMEANLOW=1,8\nTIMECHARTS30=1\n",
       "2016", "2040", "Portquarne", 2016, 0, 1, 1, 3.6f, 1.8f, true},
      {"decimal points read the same", "[SETTINGS]\nYEAR=2016\nMEANHIGH=3.6\nMEANLOW=1.8\n",
       "2016", "2016", "", 2016, 0, 0, 2, 3.6f, 1.8f, false},
      {"only the header line", "[SETTINGS]\n", "2015", "2015", "", 2015, 0, 0, 2, 0.0f, 0.0f,
       false},
      {"empty values count as missing", "YEAR=\nTIDESREF=\nTIMECHARTS30=\nTIMEZONE=2\n", "2015",
       "2015", "", 2015, 2, 0, 2, 0.0f, 0.0f, false},
      {"TIMECHARTS30=-1 is true", "YEAR=2020\nTIMECHARTS30=-1\n", "2020", "2020", "", 2020, 0, 0,
       2, 0.0f, 0.0f, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TResourceStore store;
    store.Add("TIDESINI", c.header);
    TTargets t;
    LoaderOf(std::move(store)).LoadListTides(t.State, t.Tides);
    EXPECT_EQ(t.State.YearOfTidesFrom, c.yearFrom);
    EXPECT_EQ(t.State.YearOfTidesTo, c.yearTo);
    EXPECT_EQ(t.State.PortName, c.port);
    EXPECT_EQ(t.Tides.TidalYearBegin, c.yearBegin);
    EXPECT_EQ(t.State.TimeZone, c.timeZone);
    EXPECT_EQ(t.Tides.TimeZone, c.timeZone);
    EXPECT_EQ(t.State.TimeZoneOffset, c.timeZoneOffset);
    EXPECT_EQ(t.Tides.TimeZoneOffset, c.timeZoneOffset);
    EXPECT_EQ(t.State.RefTide, c.refTide);
    EXPECT_EQ(t.Tides.MeanRangeSprings, c.springs);
    EXPECT_EQ(t.Tides.MeanRangeNeaps, c.neaps);
    EXPECT_EQ(t.Tides.TimeCharts30, c.charts30);
  }
}

TEST(TideTableLoaderTest, AHeaderEntryThatIsNoIntegerEndsTheWholeLoad) {
  struct Case {
    const char* name;
    std::string header;
  };
  const std::vector<Case> cases = {
      {"YEAR with a letter", "[SETTINGS]\nYEAR=2016a\nPORT=Portquarne\nMEANHIGH=3,6\n"},
      {"YEAR with a decimal", "YEAR=2016.0\n"},
      {"YEAR of blanks", "YEAR= 2016\n"},
      {"TIMEZONE not an integer", "YEAR=2016\nTIMEZONE=one\nPORT=Portquarne\n"},
      {"TIDESREF not an integer", "YEAR=2016\nTIDESREF=HW\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TResourceStore store;
    store.Add("TIDESINI", c.header);
    store.Add("TIDES", PackRecords({{2, 3, 52, 0, 42}}));
    TTargets t;
    LoaderOf(std::move(store)).LoadListTides(t.State, t.Tides);
    EXPECT_EQ(t.State.YearOfTidesFrom, "1999");
    EXPECT_EQ(t.State.PortName, "before");
    EXPECT_EQ(t.State.TimeZone, 7);
    EXPECT_EQ(t.State.RefTide, 9);
    EXPECT_EQ(t.Tides.TidalYearBegin, 1999);
    EXPECT_EQ(t.Tides.MeanRangeSprings, 9.0f);
    EXPECT_EQ(t.Tides.TimeZone, 7);
    EXPECT_EQ(t.Tides.TidalAtlasMainPort.size(), 3u) << "the records are not loaded either";
  }
}

TEST(TideTableLoaderTest, AMissingHeaderLeavesTheHeaderTargetsAndStillLoadsTheRecords) {
  TResourceStore store;
  store.Add("TIDES", PackRecords({{2, 3, 52, 0, 42}, {1, 8, 54, 1, 5}}));
  TTargets t;
  LoaderOf(std::move(store)).LoadListTides(t.State, t.Tides);
  EXPECT_EQ(t.State.YearOfTidesFrom, "1999");
  EXPECT_EQ(t.State.YearOfTidesTo, "1999");
  EXPECT_EQ(t.State.PortName, "before");
  EXPECT_EQ(t.State.RefTide, 9);
  EXPECT_EQ(t.Tides.TidalYearBegin, 1999);
  EXPECT_EQ(t.Tides.MeanRangeSprings, 9.0f);
  EXPECT_EQ(t.Tides.TimeZoneOffset, 7);
  EXPECT_EQ(t.Tides.TidalAtlasMainPort.size(), 2u);
  EXPECT_FALSE(t.State.SecondaryPort);
}

TEST(TideTableLoaderTest, NothingAtAllLeavesEverythingAsItWas) {
  TTargets t;
  LoaderOf(TResourceStore{}).LoadListTides(t.State, t.Tides);
  EXPECT_EQ(t.State.YearOfTidesFrom, "1999");
  EXPECT_EQ(t.Tides.TidalAtlasMainPort.size(), 3u);
  EXPECT_TRUE(t.Tides.TidalAtlasRangePort.empty());
  EXPECT_FALSE(t.State.SecondaryPort);
  EXPECT_FALSE(t.Tides.TimeCharts30);
}

TEST(TideTableLoaderTest, DecodesTheFiveByteRecords) {
  struct Case {
    const char* name;
    TRecordBytes bytes;
    int gauge, hour, minute;
    long double level;
  };
  const std::vector<Case> cases = {
      {"high water 03:52 of 4.2 m", {2, 3, 52, 0, 42}, 2, 3, 52, 4.2},
      {"low water 08:54 below datum", {1, 8, 54, 1, 5}, 1, 8, 54, -0.5},
      {"sign byte other than 1 is positive", {1, 23, 59, 2, 255}, 1, 23, 59, 25.5},
      {"an hour carried into the day before", {2, 24, 31, 0, 40}, 2, 24, 31, 4.0},
      {"empty slot", {0, 0, 0, 0, 0}, 0, 0, 0, 0.0},
  };
  std::vector<TRecordBytes> records;
  for (const Case& c : cases) records.push_back(c.bytes);
  TResourceStore store;
  store.Add("TIDES", PackRecords(records));
  TTargets t;
  LoaderOf(std::move(store)).LoadListTides(t.State, t.Tides);
  ASSERT_EQ(t.Tides.TidalAtlasMainPort.size(), cases.size());
  for (std::size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(cases[i].name);
    const TTides& r = t.Tides.TidalAtlasMainPort[i];
    EXPECT_EQ(r.Gauge, cases[i].gauge);
    EXPECT_EQ(r.Hour, cases[i].hour);
    EXPECT_EQ(r.Minute, cases[i].minute);
    EXPECT_NEAR(static_cast<double>(r.Level), static_cast<double>(cases[i].level), 1e-15);
  }
}

TEST(TideTableLoaderTest, AShortTailIsLeftOutAndTheWholeRecordsLoad) {
  for (int tail = 1; tail <= 4; ++tail) {
    SCOPED_TRACE("tail of " + std::to_string(tail) + " bytes");
    std::vector<std::uint8_t> bytes = PackRecords({{2, 3, 52, 0, 42}, {1, 9, 58, 0, 17}});
    for (int i = 0; i < tail; ++i) bytes.push_back(2);
    TResourceStore store;
    store.Add("TIDES", bytes);
    TTargets t;
    LoaderOf(std::move(store)).LoadListTides(t.State, t.Tides);
    ASSERT_EQ(t.Tides.TidalAtlasMainPort.size(), 2u);
    EXPECT_EQ(t.Tides.TidalAtlasMainPort[1].Hour, 9);
    EXPECT_EQ(t.Tides.TidalAtlasMainPort[1].Minute, 58);
    EXPECT_NEAR(static_cast<double>(t.Tides.TidalAtlasMainPort[1].Level), 1.7, 1e-15);
  }
}

TEST(TideTableLoaderTest, TheSecondaryPortFillsItsOwnTableAndRaisesTheFlag) {
  TResourceStore store;
  store.Add("TIDES", PackRecords({{2, 3, 52, 0, 42}}));
  store.Add("TIDES2", PackRecords({{1, 4, 10, 0, 9}, {2, 10, 20, 0, 31}}));
  TTargets t;
  LoaderOf(std::move(store)).LoadListTides(t.State, t.Tides);
  EXPECT_EQ(t.Tides.TidalAtlasMainPort.size(), 1u);
  ASSERT_EQ(t.Tides.TidalAtlasRangePort.size(), 2u);
  EXPECT_EQ(t.Tides.TidalAtlasRangePort[1].Hour, 10);
  EXPECT_TRUE(t.State.SecondaryPort);
}

TEST(TideTableLoaderTest, TheBuiltInTableCoversTwentyFiveYears) {
  TInterfaceApplicationMobile state;
  TPackageTides tides;
  LoaderOf(BuiltInResourceStore()).LoadListTides(state, tides);
  EXPECT_EQ(state.YearOfTidesFrom, "2016");
  EXPECT_EQ(state.YearOfTidesTo, "2040");
  EXPECT_EQ(state.PortName, "Portquarne");
  EXPECT_EQ(state.RefTide, 2);
  EXPECT_EQ(state.TimeZone, 0);
  EXPECT_EQ(state.TimeZoneOffset, 0);
  EXPECT_FALSE(state.SecondaryPort);
  EXPECT_EQ(tides.TidalYearBegin, 2016);
  EXPECT_EQ(tides.MeanRangeSprings, 3.86f);
  EXPECT_EQ(tides.MeanRangeNeaps, 2.07f);
  EXPECT_TRUE(tides.TimeCharts30);
  EXPECT_EQ(tides.TidalAtlasMainPort.size(), 25u * kTideRecordsPerYear);
}

}  // namespace
}  // namespace corvane
