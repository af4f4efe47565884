#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <fstream>
#include <sstream>
#include <string>

#include "core/constants.h"
#include "core/date_time.h"
#include "data/package_resource_loader.h"
#include "state/settings_quarne.h"
#include "support/locale_guard.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

class SettingsFileTest : public ::testing::Test {
 protected:
  void SetUp() override { TSettingsQuarne().Setup(2, 0, state_); }

  std::string File() const { return folder_.folder() + "settings.ini"; }

  void Write(const std::string& text) const { std::ofstream(File()) << text; }

  std::string Read() const {
    std::ifstream in(File());
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  // A buoy list of n entries, the first two being the movable marks.
  static void Buoys(TInterfaceApplicationMobile& state, int n) {
    state.ListBuoysPosition.clear();
    for (int i = 0; i < n; ++i) state.ListBuoysPosition.push_back(TMinutes{-70.5 - i, 3040.25 + i});
  }

  // The region defaults, a buoy list as long as the built-in one and the
  // chart frame of The Quarne, which bounds the positions of the file.
  static void SetUpQuarne(TInterfaceApplicationMobile& state) {
    TSettingsQuarne().Setup(2, 0, state);
    Buoys(state, 195);
    state.SeaMap.P1 = TMinutes{-100, 3032};
    state.SeaMap.P2 = TMinutes{-60, 3052};
  }

  TTempFolder folder_;
  TPackageResourceLoader loader_{TResourceStore(), TFileTools(folder_.path())};
  TInterfaceApplicationMobile state_;
};

TEST_F(SettingsFileTest, TheDefaultsAreWrittenKeyForKeyInTheirOrder) {
  Buoys(state_, 2);
  state_.ListBuoysPosition[0] = TMinutes{-74.125, 3045.5};
  state_.ListBuoysPosition[1] = TMinutes{-78, 3047.75};
  ASSERT_TRUE(loader_.SaveSettingsDevice(state_, File()));
  EXPECT_EQ(Read(),
            "[SETTINGS]\nDEVICEZOOM=9.81699816298431\nDEVICECENTERLON=-76.6150016784668\n"
            "DEVICECENTERLAT=3046.47497558594\nT_YEAR=2016\nT_MONTH=9\nT_DAY=1\nT_HOUR=14\nT_MINUTE=0\n"
            "TIDESHIFT=15\nCURRENTSSPEED=20\nBOATCLASS=GRAND-SOLEIL39-NEW-C\nBOATDEPTH=0\n"
            "[COURSES]\nCOURSETYPE=3\nINDEXTOPMARK=10\nWAYPOINTS=183;177\n"
            "M1LON=-74.125\nM1LAT=3045.5\nM2LON=-78\nM2LAT=3047.75\n"
            "[WIND]\nINDEXSPEED=2\nINDEXDIRECTION=12\nDIRECTION=1.0471975511966\n"
            "[SWITCH]\nBOATSONTRACK=-1\nLAYLINES=-1\nCOURSES=-1\nGPS=0\n"
            "T_HOURBEGIN=1\nT_MINUTEBEGIN=0\nT_HOUREND=23\nT_MINUTEEND=0\nT_TIMEINTERVAL=4\n");
}

TEST_F(SettingsFileTest, WithoutMovableMarksTheirLinesAreLeftOut) {
  Buoys(state_, 1);
  ASSERT_TRUE(loader_.SaveSettingsDevice(state_, File()));
  EXPECT_EQ(Read().find("M1LON"), std::string::npos);
  EXPECT_NE(Read().find("WAYPOINTS=183;177\n[WIND]"), std::string::npos);
}

TEST_F(SettingsFileTest, ASavedFileRestoresEveryKey) {
  Buoys(state_, 6);
  state_.DeviceZoom = 12.5;
  state_.DeviceCenter = TMinutes{-70.123456789, 3040.98765432};
  state_.DateTimeGMT = EncodeDateTime(2017, 3, 4, 5, 6, 0, 0);
  state_.DateTimeMinLOC = EncodeDateTime(2016, 1, 2, 6, 30, 0, 0);
  state_.DateTimeMaxLOC = EncodeDateTime(2016, 12, 29, 20, 45, 0, 0);
  state_.IndexTideShift = 17;
  state_.IndexRangeShift = 22;
  state_.BoatClass = "FIRST-40";
  state_.IndexDepthLine = 2;
  state_.TrackType = 1;
  state_.ListRoutingData.IndexTopMark = 13;
  state_.ListWayPoints = "0;5;1";
  state_.ListBuoysPosition[0] = TMinutes{-75.25, 3044.125};
  state_.ListBuoysPosition[1] = TMinutes{-79.5, 3048.0625};
  state_.Wind.IndexSpeed = 5;
  state_.Wind.IndexDirection = 30;
  state_.Wind.TrueWind.Winkel = 1.25;
  state_.DrawBoatsOnTrack = false;
  state_.DrawLaylines = false;
  state_.DrawCourse = false;
  state_.ShowGPSLocation = true;
  state_.TimeInterval = 7;
  ASSERT_TRUE(loader_.SaveSettingsDevice(state_, File()));
  EXPECT_NE(Read().find("BOATDEPTH=2\n"), std::string::npos);

  TInterfaceApplicationMobile back;
  TSettingsQuarne().Setup(2, 0, back);
  Buoys(back, 6);
  EXPECT_TRUE(loader_.LoadSettingsDevice(back, File()).empty());
  EXPECT_EQ(back.DeviceZoom, 12.5);
  EXPECT_NEAR(static_cast<double>(back.DeviceCenter.Lon), -70.123456789, 1e-12);
  EXPECT_NEAR(static_cast<double>(back.DeviceCenter.Lat), 3040.98765432, 1e-10);
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:mm:ss", back.DateTimeGMT), "2017-03-04 05:06:00");
  EXPECT_EQ(back.IndexTideShift, 17);
  EXPECT_EQ(back.IndexRangeShift, 22);
  EXPECT_EQ(back.TideTimeShift, 20);
  EXPECT_NEAR(static_cast<double>(back.TideRangeShift), 0.1, 1e-15);
  EXPECT_EQ(back.BoatClass, "FIRST-40");
  EXPECT_EQ(back.IndexDepthLine, 2);
  EXPECT_EQ(back.TrackType, 1);
  EXPECT_EQ(back.ListRoutingData.IndexTopMark, 13);
  EXPECT_EQ(back.ListWayPoints, "0;5;1");
  EXPECT_EQ(back.ListBuoysPosition[0].Lon, -75.25);
  EXPECT_EQ(back.ListBuoysPosition[0].Lat, 3044.125);
  EXPECT_EQ(back.ListBuoysPosition[1].Lon, -79.5);
  EXPECT_EQ(back.ListBuoysPosition[1].Lat, 3048.0625);
  EXPECT_EQ(back.Wind.IndexSpeed, 5);
  EXPECT_EQ(back.Wind.IndexDirection, 30);
  EXPECT_EQ(back.Wind.TrueWind.Winkel, 1.25);
  EXPECT_FALSE(back.DrawBoatsOnTrack);
  EXPECT_FALSE(back.DrawLaylines);
  EXPECT_FALSE(back.DrawCourse);
  EXPECT_TRUE(back.ShowGPSLocation);
  EXPECT_EQ(back.AHourBegin, 6);
  EXPECT_EQ(back.AMinuteBegin, 30);
  EXPECT_EQ(back.AHourEnd, 20);
  EXPECT_EQ(back.AMinuteEnd, 45);
  EXPECT_EQ(back.TimeInterval, 7);
  // The analyzer's selectable window is not taken from the file.
  EXPECT_EQ(back.DateTimeMinLOC, DateTimeMinOfYear(2016));
}

TEST_F(SettingsFileTest, BooleansAreTrueForOneAndMinusOneOnly) {
  struct Case {
    std::string value;
    bool expected;
  };
  for (const Case& c : {Case{"-1", true}, Case{"1", true}, Case{"true", false}, Case{"0", false}}) {
    SCOPED_TRACE(c.value);
    Write("LAYLINES=" + c.value + "\n");
    state_.DrawLaylines = !c.expected;
    loader_.LoadSettingsDevice(state_, File());
    EXPECT_EQ(state_.DrawLaylines, c.expected);
  }
}

TEST_F(SettingsFileTest, WithoutAFileTheDefaultsMakeTheMoment) {
  state_.DateTimeGMT = 0;
  EXPECT_TRUE(loader_.LoadSettingsDevice(state_, folder_.folder() + "missing.ini").empty());
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:mm", state_.DateTimeGMT), "2016-09-01 14:00");
  EXPECT_EQ(state_.TideTimeShift, 0);
  EXPECT_EQ(state_.TideRangeShift, 0);
  EXPECT_EQ(state_.ListWayPoints, "183;177");
}

TEST_F(SettingsFileTest, TheDocumentsFolderHoldsTheFileUnderItsIniName) {
  state_.BoatClass = "FIRST-40";
  ASSERT_TRUE(loader_.SaveSettingsDevice(state_));
  EXPECT_EQ(loader_.GetSettingsFileName(state_), folder_.folder() + "CorvaneAnalyzer/TheQuarne2016.ini");
  TInterfaceApplicationMobile back;
  loader_.LoadSettingsDevice(back);
  EXPECT_EQ(back.BoatClass, "FIRST-40");
}

TEST_F(SettingsFileTest, MissingMarkLinesLeaveTheBuoyPositions) {
  Buoys(state_, 3);
  state_.ListBuoysPosition[0] = TMinutes{-75.123456, 3044.987654};
  Write("[COURSES]\nM1LON=\nM2LAT=3049.5\n");
  loader_.LoadSettingsDevice(state_, File());
  EXPECT_EQ(state_.ListBuoysPosition[0].Lon, -75.123456);
  EXPECT_EQ(state_.ListBuoysPosition[0].Lat, 3044.987654);
  // A mark with one coordinate only keeps both.
  EXPECT_EQ(state_.ListBuoysPosition[1].Lat, 3041.25);
}

TEST_F(SettingsFileTest, AMissingFloatKeyKeepsTheFieldUnrounded) {
  Write("T_HOUR=10\n");
  loader_.LoadSettingsDevice(state_, File());
  EXPECT_EQ(state_.DeviceCenter.Lon, -76.6150016784668);
  EXPECT_EQ(state_.DeviceZoom, 9.81699816298431);
}

TEST_F(SettingsFileTest, AFileSavedWithADecimalCommaReadsBackUnderAPoint) {
  state_.DeviceZoom = 7.375;
  state_.Wind.TrueWind.Winkel = 2.5;
  {
    testing::TLocaleGuard comma(testing::MakeDecimalLocale(','));
    ASSERT_TRUE(loader_.SaveSettingsDevice(state_, File()));
  }
  EXPECT_NE(Read().find("DEVICEZOOM=7,375\n"), std::string::npos);
  testing::TLocaleGuard point(testing::MakeDecimalLocale('.'));
  TInterfaceApplicationMobile back;
  loader_.LoadSettingsDevice(back, File());
  EXPECT_EQ(back.DeviceZoom, 7.375);
  EXPECT_EQ(back.Wind.TrueWind.Winkel, 2.5);
}

TEST_F(SettingsFileTest, SecondsAreLostOnSaving) {
  state_.DateTimeGMT = EncodeDateTime(2016, 9, 1, 14, 37, 45, 0);
  ASSERT_TRUE(loader_.SaveSettingsDevice(state_, File()));
  EXPECT_EQ(state_.AHour, 14);
  EXPECT_EQ(state_.AMinute, 37);
  EXPECT_NE(Read().find("T_HOUR=14\nT_MINUTE=37\n"), std::string::npos);
  TInterfaceApplicationMobile back;
  loader_.LoadSettingsDevice(back, File());
  EXPECT_EQ(FormatDateTime("hh:mm:ss", back.DateTimeGMT), "14:37:00");
}

// A value that cannot be used costs its own key only: the key keeps its
// value, the keys after it are read, and the warning names key and value.
TEST_F(SettingsFileTest, AnUnusableValueKeepsItsKeyAndTheLoadGoesOn) {
  struct Case {
    std::string line;
    std::string warning;
  };
  const Case cases[] = {
      {"T_HOUR=abc", "Settings file: \"T_HOUR=abc\" is not a whole number; T_HOUR keeps 14."},
      {"TIDESHIFT=1.5", "Settings file: \"TIDESHIFT=1.5\" is not a whole number; TIDESHIFT keeps 15."},
      {"COURSETYPE=99999999999", "Settings file: \"COURSETYPE=99999999999\" is not a whole number; COURSETYPE keeps 3."},
      {"TIDESHIFT=45", "Settings file: \"TIDESHIFT=45\" is outside 0 to 30; TIDESHIFT keeps 15."},
      {"CURRENTSSPEED=-1", "Settings file: \"CURRENTSSPEED=-1\" is outside 0 to 40; CURRENTSSPEED keeps 20."},
      {"BOATDEPTH=5", "Settings file: \"BOATDEPTH=5\" is outside 0 to 4; BOATDEPTH keeps 0."},
      {"T_YEAR=70000", "Settings file: \"T_YEAR=70000\" is outside 0 to 65535; T_YEAR keeps 2016."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    TInterfaceApplicationMobile state;
    TSettingsQuarne().Setup(2, 0, state);
    Write("[SETTINGS]\nT_MINUTE=30\n" + c.line + "\nBOATCLASS=FIRST-40\n[SWITCH]\nT_TIMEINTERVAL=9\n");
    const TStringList warnings = loader_.LoadSettingsDevice(state, File());
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], c.warning);
    EXPECT_EQ(state.AHour, 14);
    EXPECT_EQ(state.IndexTideShift, 15);
    EXPECT_EQ(state.IndexRangeShift, 20);
    EXPECT_EQ(state.TrackType, 3);
    EXPECT_EQ(state.AYear, 2016);
    EXPECT_EQ(state.BoatClass, "FIRST-40");
    EXPECT_EQ(state.TimeInterval, 9);
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:mm", state.DateTimeGMT), "2016-09-01 14:30");
  }
}

TEST_F(SettingsFileTest, AnEmptyValueKeepsTheFieldWithoutWarning) {
  Write("TIDESHIFT=\nBOATCLASS=\n");
  EXPECT_TRUE(loader_.LoadSettingsDevice(state_, File()).empty());
  EXPECT_EQ(state_.IndexTideShift, 15);
  EXPECT_EQ(state_.BoatClass, "GRAND-SOLEIL39-NEW-C");
}

TEST_F(SettingsFileTest, ADateThatDoesNotExistKeepsTheWholeMoment) {
  Write("T_YEAR=2017\nT_MONTH=2\nT_DAY=30\nT_HOUR=10\nT_MINUTE=15\n");
  const TStringList warnings = loader_.LoadSettingsDevice(state_, File());
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0],
            "Settings file: T_YEAR, T_MONTH, T_DAY, T_HOUR, T_MINUTE give 2017-02-30 10:15, which is no valid date "
            "and time; the moment stays 2016-09-01 14:00 GMT.");
  EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:mm", state_.DateTimeGMT), "2016-09-01 14:00");
}

TEST_F(SettingsFileTest, WaypointsOutsideTheBuoyListFallBackToTheCourse) {
  struct Case {
    std::string waypoints;
    int buoys;
    std::string expected;
    std::string warning;  // empty: none
  };
  const Case cases[] = {
      {"183;999", 195, "183;177",
       "Settings file: \"WAYPOINTS=183;999\" names \"999\", which is not a buoy number 0 to 194; the course stays "
       "183;177."},
      {"12;x7;3", 195, "183;177",
       "Settings file: \"WAYPOINTS=12;x7;3\" names \"x7\", which is not a buoy number 0 to 194; the course stays "
       "183;177."},
      {"-1;4", 195, "183;177",
       "Settings file: \"WAYPOINTS=-1;4\" names \"-1\", which is not a buoy number 0 to 194; the course stays "
       "183;177."},
      {"0;;194;", 195, "0;;194;", ""},
      // Without a buoy list there is nothing to check against.
      {"999;1", 0, "999;1", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.waypoints);
    TInterfaceApplicationMobile state;
    TSettingsQuarne().Setup(2, 0, state);
    Buoys(state, c.buoys);
    Write("WAYPOINTS=" + c.waypoints + "\n");
    const TStringList warnings = loader_.LoadSettingsDevice(state, File());
    EXPECT_EQ(state.ListWayPoints, c.expected);
    if (c.warning.empty()) {
      EXPECT_TRUE(warnings.empty());
    } else {
      ASSERT_EQ(warnings.size(), 1u);
      EXPECT_EQ(warnings[0], c.warning);
    }
  }
}

// Every key has the range of what the program can show or use; a value
// outside it, or a number that is none (nan, inf), warns and keeps the
// key's value. The chart frame of The Quarne bounds the positions.
TEST_F(SettingsFileTest, AValueOutsideItsRangeKeepsTheKeyAndWarns) {
  struct Case {
    std::string line;
    std::string warning;
    std::function<double(const TInterfaceApplicationMobile&)> field;
    double kept;
  };
  const auto zoom = [](const TInterfaceApplicationMobile& s) { return s.DeviceZoom; };
  const auto centreLon = [](const TInterfaceApplicationMobile& s) { return s.DeviceCenter.Lon; };
  const auto centreLat = [](const TInterfaceApplicationMobile& s) { return s.DeviceCenter.Lat; };
  const auto speed = [](const TInterfaceApplicationMobile& s) { return double(s.Wind.IndexSpeed); };
  const auto direction = [](const TInterfaceApplicationMobile& s) { return s.Wind.TrueWind.Winkel; };
  const auto mark = [](const TInterfaceApplicationMobile& s) { return s.ListBuoysPosition[0].Lon; };
  const Case cases[] = {
      {"INDEXSPEED=2147483647", "\"INDEXSPEED=2147483647\" is outside 0 to 25; INDEXSPEED keeps 2.", speed, 2},
      {"INDEXSPEED=-1", "\"INDEXSPEED=-1\" is outside 0 to 25; INDEXSPEED keeps 2.", speed, 2},
      {"INDEXDIRECTION=360", "\"INDEXDIRECTION=360\" is outside 0 to 359; INDEXDIRECTION keeps 12.",
       [](const TInterfaceApplicationMobile& s) { return double(s.Wind.IndexDirection); }, 12},
      {"INDEXTOPMARK=-2147483648", "\"INDEXTOPMARK=-2147483648\" is outside 0 to 20; INDEXTOPMARK keeps 10.",
       [](const TInterfaceApplicationMobile& s) { return double(s.ListRoutingData.IndexTopMark); }, 10},
      {"COURSETYPE=99", "\"COURSETYPE=99\" is outside 1 to 3; COURSETYPE keeps 3.",
       [](const TInterfaceApplicationMobile& s) { return double(s.TrackType); }, 3},
      {"COURSETYPE=2", "\"COURSETYPE=2\" is neither 1 (windward-leeward) nor 3 (course of marks); COURSETYPE keeps 3.",
       [](const TInterfaceApplicationMobile& s) { return double(s.TrackType); }, 3},
      {"T_HOURBEGIN=24", "\"T_HOURBEGIN=24\" is outside 0 to 23; T_HOURBEGIN keeps 0.",
       [](const TInterfaceApplicationMobile& s) { return double(s.AHourBegin); }, 0},
      {"T_MINUTEEND=60", "\"T_MINUTEEND=60\" is outside 0 to 59; T_MINUTEEND keeps 0.",
       [](const TInterfaceApplicationMobile& s) { return double(s.AMinuteEnd); }, 0},
      {"T_TIMEINTERVAL=-1", "\"T_TIMEINTERVAL=-1\" is outside 0 to 1440; T_TIMEINTERVAL keeps 4.",
       [](const TInterfaceApplicationMobile& s) { return double(s.TimeInterval); }, 4},
      {"DEVICEZOOM=1e308", "\"DEVICEZOOM=1e308\" is outside 0 to 25; DEVICEZOOM keeps 9.81699816298431.", zoom,
       9.81699816298431},
      {"DEVICEZOOM=-5", "\"DEVICEZOOM=-5\" is outside 0 to 25; DEVICEZOOM keeps 9.81699816298431.", zoom,
       9.81699816298431},
      {"DEVICEZOOM=nan", "\"DEVICEZOOM=nan\" is not a number; DEVICEZOOM keeps 9.81699816298431.", zoom,
       9.81699816298431},
      {"DEVICEZOOM=inf", "\"DEVICEZOOM=inf\" is not a number; DEVICEZOOM keeps 9.81699816298431.", zoom,
       9.81699816298431},
      {"DEVICEZOOM=1e400", "\"DEVICEZOOM=1e400\" is not a number; DEVICEZOOM keeps 9.81699816298431.", zoom,
       9.81699816298431},
      {"DEVICEZOOM=12abc", "\"DEVICEZOOM=12abc\" is not a number; DEVICEZOOM keeps 9.81699816298431.", zoom,
       9.81699816298431},
      {"DEVICECENTERLON=1e308",
       "\"DEVICECENTERLON=1e308\" is outside -100 to -60; DEVICECENTERLON keeps -76.6150016784668.", centreLon,
       -76.6150016784668},
      {"DEVICECENTERLAT=3052.5",
       "\"DEVICECENTERLAT=3052.5\" is outside 3032 to 3052; DEVICECENTERLAT keeps 3046.47497558594.", centreLat,
       3046.47497558594},
      {"DIRECTION=1e308", "\"DIRECTION=1e308\" is outside -1000000 to 1000000; DIRECTION keeps 1.0471975511966.",
       direction, kPi / 3},
      {"DIRECTION=-inf", "\"DIRECTION=-inf\" is not a number; DIRECTION keeps 1.0471975511966.", direction, kPi / 3},
      // One coordinate of a mark out of the chart keeps both.
      {"M1LON=-75.25\nM1LAT=3099", "\"M1LAT=3099\" is outside 3032 to 3052; M1LAT keeps 3040.25.", mark, -70.5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    TInterfaceApplicationMobile state;
    SetUpQuarne(state);
    Write(c.line + "\nT_MINUTE=30\n");
    const TStringList warnings = loader_.LoadSettingsDevice(state, File());
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "Settings file: " + c.warning);
    EXPECT_EQ(c.field(state), c.kept);
    // The keys after the bad one are read.
    EXPECT_EQ(state.AMinute, 30);
  }
}

TEST_F(SettingsFileTest, ValuesWithinTheirRangeAreTakenAndDirectionsReducedToOneTurn) {
  struct Case {
    std::string line;
    std::function<double(const TInterfaceApplicationMobile&)> field;
    double expected;
  };
  const auto zoom = [](const TInterfaceApplicationMobile& s) { return s.DeviceZoom; };
  const auto direction = [](const TInterfaceApplicationMobile& s) { return s.Wind.TrueWind.Winkel; };
  const Case cases[] = {
      {"DEVICEZOOM=0", zoom, 0},
      {"DEVICEZOOM=25", zoom, 25},
      {"DEVICEZOOM=+1,5e1", zoom, 15},
      {"DEVICEZOOM= 12.5 ", zoom, 12.5},
      {"DEVICECENTERLON=-100", [](const TInterfaceApplicationMobile& s) { return s.DeviceCenter.Lon; }, -100},
      {"DIRECTION=700", direction, 700 - 111 * kTwoPi},
      {"DIRECTION=-0.5", direction, kTwoPi - 0.5},
      // The writer's form of a small value.
      {"DIRECTION=1e-05", direction, 1e-05},
      {"INDEXSPEED=25", [](const TInterfaceApplicationMobile& s) { return double(s.Wind.IndexSpeed); }, 25},
      {"COURSETYPE=1", [](const TInterfaceApplicationMobile& s) { return double(s.TrackType); }, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    TInterfaceApplicationMobile state;
    SetUpQuarne(state);
    Write(c.line + "\n");
    EXPECT_TRUE(loader_.LoadSettingsDevice(state, File()).empty());
    EXPECT_NEAR(c.field(state), c.expected, 1e-12);
  }
}

TEST_F(SettingsFileTest, ACourseLongerThanTheWaypointListKeepsTheCourse) {
  Buoys(state_, 195);
  Write("WAYPOINTS=1;2;3;4;5;6;7;8;9;10;11;12\n");
  EXPECT_TRUE(loader_.LoadSettingsDevice(state_, File()).empty());
  EXPECT_EQ(state_.ListWayPoints, "1;2;3;4;5;6;7;8;9;10;11;12");

  state_.ListWayPoints = "183;177";
  Write("WAYPOINTS=1;2;3;4;5;6;7;8;9;10;11;12;13\n");
  const TStringList warnings = loader_.LoadSettingsDevice(state_, File());
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0],
            "Settings file: WAYPOINTS holds 13 marks, more than the 12 rows of the waypoint list; the course stays "
            "183;177.");
  EXPECT_EQ(state_.ListWayPoints, "183;177");
}

// A file the line reader cannot take as key=value lines is not passed over
// in silence: UTF-16 is refused by name, lines ended by a carriage return
// alone are read as lines.
TEST_F(SettingsFileTest, AFileInAnotherEncodingOrWithOldLineEndsSaysSo) {
  const auto utf16 = [](const std::string& text, bool little, bool mark) {
    std::string bytes = mark ? (little ? "\xFF\xFE" : "\xFE\xFF") : "";
    for (char c : text) bytes += little ? std::string{c, '\0'} : std::string{'\0', c};
    return bytes;
  };
  struct Case {
    std::string name;
    std::string bytes;
    std::string warning;  // after the file's name
    int indexSpeed;
  };
  const std::string text = "[WIND]\r\nINDEXSPEED=5\r\n";
  const Case cases[] = {
      {"UTF-16 with its mark", utf16(text, true, true),
       " is UTF-16 little-endian text, which the program does not read; save it as UTF-8. The defaults stay in force.",
       2},
      {"UTF-16 big-endian without a mark", utf16(text, false, false),
       " is UTF-16 big-endian text, which the program does not read; save it as UTF-8. The defaults stay in force.", 2},
      {"carriage returns alone", "[WIND]\rINDEXSPEED=5\rINDEXDIRECTION=30\r",
       " ends its lines with a carriage return alone; they are read as lines.", 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TInterfaceApplicationMobile state;
    TSettingsQuarne().Setup(2, 0, state);
    std::ofstream(File(), std::ios::binary) << c.bytes;
    const TStringList warnings = loader_.LoadSettingsDevice(state, File());
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_EQ(warnings[0], "Settings file " + File() + c.warning);
    EXPECT_EQ(state.Wind.IndexSpeed, c.indexSpeed);
  }
}

// The file is written beside its target and renamed: a write cut short (here
// by a file size limit, as a full disk or a crash would cut it) leaves the
// previous file whole.
TEST_F(SettingsFileTest, AFailedSaveLeavesThePreviousFileWhole) {
  ASSERT_TRUE(loader_.SaveSettingsDevice(state_, File()));
  const std::string before = Read();

  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 64;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  state_.BoatClass = "FIRST-40";
  const bool saved_ok = loader_.SaveSettingsDevice(state_, File());
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);

  EXPECT_FALSE(saved_ok);
  EXPECT_EQ(Read(), before);
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder_.path())) ++files;
  EXPECT_EQ(files, 1) << "no temporary file is left behind";
}

}  // namespace
}  // namespace corvane
