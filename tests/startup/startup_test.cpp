#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "core/date_time.h"
#include "startup/packed_stream_atlas.h"
#include "startup/startup.h"
#include "state/settings_quarne.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

std::string Moment(TDateTime t) { return FormatDateTime("yyyy-mm-dd hh:mm", t); }

class StartupTest : public ::testing::Test {
 protected:
  // The settings file of the documents folder the loader uses. Naming the
  // file creates no folder (a save does), so the folder is made here.
  void WriteSettings(const std::string& text) {
    const std::filesystem::path file = loader_.GetSettingsFileName(state_);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << text;
  }

  TStartupResult Run() { return RunStartup(loader_, currents_, state_); }

  TTempFolder documents_;
  TPackageResourceLoader loader_{BuiltInResourceStore(), TFileTools(documents_.path())};
  TPackageCurrents currents_;
  TInterfaceApplicationMobile state_;
};

TEST_F(StartupTest, WithoutASettingsFileTheDefaultMomentIsReadyAfterTheJoin) {
  const TStartupResult result = Run();
  EXPECT_TRUE(result.Completed);
  EXPECT_TRUE(result.Error.empty());
  EXPECT_TRUE(result.Warnings.empty());

  EXPECT_EQ(Moment(state_.DateTimeGMT), "2016-09-01 14:00");
  EXPECT_EQ(Moment(state_.DateTimeLOC), "2016-09-01 15:00");
  EXPECT_EQ(state_.BoatClass, "GRAND-SOLEIL39-NEW-C");
  EXPECT_EQ(state_.ListWayPoints, "183;177");
  EXPECT_EQ(state_.TideTimeShift, 0);
  EXPECT_EQ(state_.TideRangeShift, 0);
  EXPECT_TRUE(state_.DrawCurrentsText);

  // Every built-in data set is in, the tide model is up to date for the
  // moment, and nothing was written to the documents folder but the folder.
  EXPECT_GT(state_.ListBuoysName.size(), 183u);
  EXPECT_FALSE(state_.ListMapTiles.empty());
  EXPECT_FALSE(state_.ListTownsName.empty());
  EXPECT_EQ(state_.ListClasses.size(), 740u);
  EXPECT_EQ(state_.PortName, "Portquarne");
  EXPECT_TRUE(state_.TidesValid);
  EXPECT_EQ(state_.HoursToRefTideText, "01:44 after HW at 13:16");
  EXPECT_EQ(state_.ListDayTides.size(), 3u);
  EXPECT_FALSE(std::filesystem::exists(loader_.GetSettingsFileName(state_)));
}

TEST_F(StartupTest, TheSelectableWindowSpansTheTideTablesYears) {
  Run();
  EXPECT_EQ(Moment(state_.DateTimeMinLOC), "2016-01-02 01:00");
  EXPECT_EQ(Moment(state_.DateTimeMaxLOC), "2040-12-29 23:00");
}

TEST_F(StartupTest, TheSettingsFileIsReadAfterTheBuoysSoTheMovableMarksTakeItsPositions) {
  WriteSettings(
      "[SETTINGS]\nT_YEAR=2030\nT_MONTH=6\nT_DAY=15\nT_HOUR=8\nT_MINUTE=20\nBOATCLASS=BLUEWATER-40-DEEP-MH\n"
      "[COURSES]\nM1LON=-75.25\nM1LAT=3045.5\nM2LON=-77.125\nM2LAT=3047.75\n");
  const TStartupResult result = Run();
  ASSERT_TRUE(result.Completed);
  EXPECT_TRUE(result.Warnings.empty());
  EXPECT_EQ(state_.BoatClass, "BLUEWATER-40-DEEP-MH");
  EXPECT_EQ(state_.ListBuoysPosition[0].Lon, -75.25);
  EXPECT_EQ(state_.ListBuoysPosition[0].Lat, 3045.5);
  EXPECT_EQ(state_.ListBuoysPosition[1].Lon, -77.125);
  EXPECT_EQ(state_.ListBuoysPosition[1].Lat, 3047.75);
  // A year other than 2016 lies inside the tide table and gets its tides.
  EXPECT_EQ(Moment(state_.DateTimeGMT), "2030-06-15 08:20");
  EXPECT_EQ(Moment(state_.DateTimeLOC), "2030-06-15 09:20");
  EXPECT_TRUE(state_.TidesValid);
  EXPECT_FALSE(state_.HoursToRefTideText.empty());
}

// The chart frame is loaded before the settings file, so a chart centre
// off the chart is caught there; a boat class the class list does not hold
// falls back to the first class, and says so.
TEST_F(StartupTest, SettingsAreCheckedAgainstTheChartFrameAndTheClassList) {
  WriteSettings("[SETTINGS]\nDEVICECENTERLON=-50\nBOATCLASS=NO-SUCH-CLASS\n");
  const TStartupResult result = Run();
  ASSERT_TRUE(result.Completed);
  ASSERT_EQ(result.Warnings.size(), 2u);
  EXPECT_EQ(result.Warnings[0],
            "Settings file: \"DEVICECENTERLON=-50\" is outside -100 to -60; DEVICECENTERLON keeps -76.6150016784668.");
  EXPECT_EQ(result.Warnings[1],
            "The boat class NO-SUCH-CLASS is not in the class list; the first class, DUO-CLASSIC-420, is taken.");
  EXPECT_EQ(state_.DeviceCenter.Lon, -76.6150016784668);
  EXPECT_EQ(state_.BoatClass, "DUO-CLASSIC-420");
}

TEST_F(StartupTest, ABadSettingsValueIsReportedAndTheLoadGoesOn) {
  WriteSettings("[SETTINGS]\nT_HOUR=half past\nTIDESHIFT=16\n[WIND]\nINDEXSPEED=4\n");
  const TStartupResult result = Run();
  EXPECT_TRUE(result.Completed);
  ASSERT_EQ(result.Warnings.size(), 1u);
  EXPECT_EQ(result.Warnings[0], "Settings file: \"T_HOUR=half past\" is not a whole number; T_HOUR keeps 14.");
  // The keys after the bad one and every data set after the settings file
  // are loaded, and the current field is computed.
  EXPECT_EQ(state_.IndexTideShift, 16);
  EXPECT_EQ(state_.TideTimeShift, 10);
  EXPECT_EQ(state_.Wind.IndexSpeed, 4);
  EXPECT_EQ(state_.ListClasses.size(), 740u);
  EXPECT_FALSE(state_.ListMapTiles.empty());
  EXPECT_TRUE(state_.TidesValid);
}

TEST_F(StartupTest, AMomentOutsideTheTideTableIsReported) {
  WriteSettings("T_YEAR=2045\n");
  const TStartupResult result = Run();
  EXPECT_TRUE(result.Completed);
  ASSERT_EQ(result.Warnings.size(), 1u);
  EXPECT_EQ(result.Warnings[0],
            "The chosen moment 2045-09-01 15:00 (local time) lies outside the tide table, which serves "
            "2016-01-02 01:00 to 2040-12-29 23:00: no tides or streams for it.");
  EXPECT_FALSE(state_.TidesValid);
}

TEST_F(StartupTest, TheSequenceIsNotReentrant) {
  TSettingsQuarne().Setup(2, 0, state_);
  TStartupTask task;
  task.Start(loader_, currents_, state_);
  EXPECT_TRUE(task.Started());
  EXPECT_THROW(task.Start(loader_, currents_, state_), std::logic_error);
  EXPECT_TRUE(task.Join().Completed);
  EXPECT_FALSE(task.Started());
  EXPECT_THROW(task.Join(), std::logic_error);
}

TEST(StartupAtlasTest, WithAStreamAtlasTheDrawnFieldOfTheMomentIsComputed) {
  TTempFolder documents;
  TPackageResourceLoader loader(testing::StoreWithPackedAtlas(), TFileTools(documents.path()));
  TPackageCurrents currents;
  TInterfaceApplicationMobile state;
  ASSERT_TRUE(RunStartup(loader, currents, state).Completed);
  ASSERT_EQ(state.CubeLoRes.GetCountCubes(), 1);
  ASSERT_EQ(state.CubeLoRes.GetCountVektors(0), testing::kPackedAtlasPoints);
  EXPECT_EQ(state.CubeLoRes.GetCountFields(0), testing::kPackedAtlasCharts);
  EXPECT_TRUE(state.TidesValid);
  // Point 7 is slack in every chart, and its slack position is flagged; the
  // others carry a stream.
  EXPECT_EQ(state.CubeLoRes.GetVektorIntpPolar(0, 7).Betrag, 0);
  EXPECT_GT(state.CubeLoRes.GetVektorIntpPolar(0, 20).Betrag, 0.5);
  ASSERT_EQ(state.CubeLoRes.GetCountSlacks(), 2);
  EXPECT_TRUE(state.CubeLoRes.GetSlack(0));
  EXPECT_FALSE(state.CubeLoRes.GetSlack(1));
}

TEST(StartupAtlasTest, WithoutAStreamAtlasTheStartUpCompletesWithEmptyCubes) {
  TTempFolder documents;
  TPackageResourceLoader loader(testing::StoreWithoutStreamAtlas(), TFileTools(documents.path()));
  TPackageCurrents currents;
  TInterfaceApplicationMobile state;
  const TStartupResult result = RunStartup(loader, currents, state);
  EXPECT_TRUE(result.Completed);
  EXPECT_EQ(state.CubeLoRes.GetCountCubes(), 0);
  EXPECT_EQ(state.CubeHiRes.GetCountCubes(), 0);
  EXPECT_TRUE(state.TidesValid);
  EXPECT_EQ(state.HoursToRefTideText, "01:44 after HW at 13:16");
}

TEST(DateTimeWindowTest, FollowsTheTideTableOnlyWhenBothYearsAreUsable) {
  struct Case {
    std::string name;
    std::string from;
    std::string to;
    bool set;
    std::string min;
    std::string max;
  };
  const Case cases[] = {
      {"the built-in table", "2016", "2040", true, "2016-01-02 01:00", "2040-12-29 23:00"},
      {"one year", "2020", "2020", true, "2020-01-02 01:00", "2020-12-29 23:00"},
      {"no table loaded", "", "", false, "2016-01-02 01:00", "2016-12-29 23:00"},
      {"years reversed", "2040", "2016", false, "2016-01-02 01:00", "2016-12-29 23:00"},
      {"not a year", "20x6", "2040", false, "2016-01-02 01:00", "2016-12-29 23:00"},
      {"beyond the calendar", "2016", "10000", false, "2016-01-02 01:00", "2016-12-29 23:00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TInterfaceApplicationMobile state;
    TSettingsQuarne().Setup(2, 0, state);
    state.YearOfTidesFrom = c.from;
    state.YearOfTidesTo = c.to;
    EXPECT_EQ(SetDateTimeWindowOfTides(state), c.set);
    EXPECT_EQ(Moment(state.DateTimeMinLOC), c.min);
    EXPECT_EQ(Moment(state.DateTimeMaxLOC), c.max);
  }
}

}  // namespace
}  // namespace corvane
