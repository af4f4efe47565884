#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_app.h"
#include "cli/cli_context.h"
#include "core/date_time.h"
#include "datasets/builtin_datasets.h"
#include "startup/packed_stream_atlas.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

struct Outcome {
  int code = -1;
  std::string out;
  std::string err;
};

// Runs the program on a store, with a fresh documents folder unless the
// arguments name one.
class CorvaneTest : public ::testing::Test {
 protected:
  Outcome Run(std::vector<std::string> args, const TResourceStore& store) {
    return RunIn(documents_.path(), std::move(args), store);
  }
  Outcome RunIn(const std::filesystem::path& documents, std::vector<std::string> args, const TResourceStore& store) {
    args.insert(args.begin(), {"corvane", "--documents", documents.string()});
    std::vector<const char*> argv;
    for (const std::string& a : args) argv.push_back(a.c_str());
    std::ostringstream out;
    std::ostringstream err;
    Outcome outcome;
    outcome.code = cli::RunCorvane(static_cast<int>(argv.size()), argv.data(), out, err, store);
    outcome.out = out.str();
    outcome.err = err.str();
    return outcome;
  }
  Outcome Run(std::vector<std::string> args) { return Run(std::move(args), BuiltInResourceStore()); }

  std::filesystem::path SettingsFile() const {
    return documents_.path() / "TheQuarne2016.ini";
  }

  static bool Has(const std::string& text, const std::string& line) { return text.find(line) != std::string::npos; }

  TTempFolder documents_;
};

// ------------------------------------------------------------- arguments

TEST(CommandLineTextTest, DatesTimesAndPositionsAreReadStrictly) {
  struct Case {
    std::string text;
    std::string expected;  // "" for nothing
  };
  const auto show = [](std::optional<TDateTime> t) {
    return t ? FormatDateTime("yyyy-mm-dd hh:mm", *t) : std::string();
  };
  for (const Case& c : std::vector<Case>{{"2016-09-01", "2016-09-01 00:00"},
                                         {"2016-02-30", ""},
                                         {"2016-9-1", ""},
                                         {"01.09.2016", ""},
                                         {"2016-09-01x", ""}}) {
    SCOPED_TRACE("date " + c.text);
    EXPECT_EQ(show(cli::ParseDate(c.text)), c.expected);
  }
  for (const Case& c : std::vector<Case>{{"15:00", "1899-12-30 15:00"},
                                         {"7:05", "1899-12-30 07:05"},
                                         {"24:00", ""},
                                         {"12:60", ""},
                                         {"12:5", ""},
                                         {"1500", ""}}) {
    SCOPED_TRACE("time " + c.text);
    EXPECT_EQ(show(cli::ParseClockTime(c.text)), c.expected);
  }
  for (const Case& c : std::vector<Case>{{"2016-09-01 15:00", "2016-09-01 15:00"},
                                         {"2016-09-01T15:00", "2016-09-01 15:00"},
                                         {"2016-09-01", ""},
                                         {"2016-09-01  15:00", ""}}) {
    SCOPED_TRACE("moment " + c.text);
    EXPECT_EQ(show(cli::ParseDateAndTime(c.text)), c.expected);
  }
}

TEST(CommandLineTextTest, CoordinatesAreDegreesOrTheDisplayForm) {
  struct Case {
    std::string text;
    bool latitude;
    std::optional<double> minutes;
  };
  const Case cases[] = {
      {"-1.5", false, -90.0},       {"1.5W", false, -90.0},         {"1.5e", false, 90.0},
      {"+50.5", true, 3030.0},      {"50.5N", true, 3030.0},        {"050.46.500N", true, 3046.5},
      {"001:16:615W", false, -76.615}, {"50.5E", true, std::nullopt}, {"-1.5W", false, std::nullopt},
      {"181", false, std::nullopt}, {"91", true, std::nullopt},     {"west", false, std::nullopt},
      {"", true, std::nullopt},     {"1.5.", false, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const std::optional<double> minutes = cli::ParseCoordinate(c.text, c.latitude);
    ASSERT_EQ(minutes.has_value(), c.minutes.has_value());
    if (minutes) {
      EXPECT_NEAR(static_cast<double>(*minutes), *c.minutes, 1e-9);
    }
  }
}

TEST_F(CorvaneTest, BadArgumentsGiveOneLineAndExitCode2) {
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const Case cases[] = {
      {{}, "corvane: A subcommand is required\n"},
      {{"plot"}, "corvane: unknown command 'plot' (the commands are datasets, info, tides, currents, grib, chart, route, sweep, print, polar)\n"},
      {{"info", "--colour"}, "corvane: The following argument was not expected: --colour\n"},
      {{"tides", "--date", "2016-13-01"}, "corvane: --date 2016-13-01: expected a date YYYY-MM-DD\n"},
      {{"tides", "--time", "25:00"}, "corvane: --time 25:00: expected a time of day HH:MM\n"},
      {{"tides", "--date", "2041-03-01", "--time", "12:00"},
       "corvane: 2041-03-01 12:00 lies outside the tide table, which serves 2016-01-02 01:00 to 2040-12-29 23:00 "
       "local time\n"},
      {{"tides", "--gmt", "--date", "2016-01-02", "--time", "00:30"},
       "corvane: 2016-01-02 00:30 GMT lies outside the tide table, which serves 2016-01-02 01:00 to 2040-12-29 "
       "23:00 local time\n"},
      {{"currents"}, "corvane: --time is required\n"},
      {{"currents", "--time", "2016-09-01"},
       "corvane: --time 2016-09-01: expected a date and time \"YYYY-MM-DD HH:MM\"\n"},
      {{"currents", "--time", "2016-09-01 15:00", "--lon", "-1.28"}, "corvane: --lon and --lat go together\n"},
      {{"currents", "--time", "2016-09-01 15:00", "--lon", "-1.28", "--lat", "50.77W"},
       "corvane: --lat 50.77W: expected degrees north (50.77 or 50.77N) or 050.46.200N\n"},
      {{"currents", "--time", "2016-09-01 15:00", "--shift", "15"},
       "corvane: --shift 15: the high-water shift is a multiple of 10 minutes from -150 to 150\n"},
      {{"currents", "--time", "2016-09-01 15:00", "--range", "105"},
       "corvane: --range 105: the speed correction is a multiple of 5 percent from -100 to 100\n"},
      {{"info", "--settings", "/nonexistent/settings.ini"}, "corvane: --settings /nonexistent/settings.ini: no such file\n"},
      {{"info", "--settings", documents_.path().string()},
       "corvane: --settings " + documents_.path().string() + ": is a folder, not a settings file\n"},
  };
  for (const Case& c : cases) {
    std::string name;
    for (const std::string& a : c.args) name += a + " ";
    SCOPED_TRACE(name);
    const Outcome outcome = Run(c.args);
    EXPECT_EQ(outcome.code, 2);
    EXPECT_EQ(outcome.err, c.err);
    EXPECT_EQ(outcome.out, "");
  }
}

// ------------------------------------------------------------------ info

TEST_F(CorvaneTest, InfoListsTheDataSetsAndTheDefaultsWithoutWritingSettings) {
  const Outcome outcome = Run({"info"});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_EQ(outcome.err, "");
  EXPECT_TRUE(Has(outcome.out, "  Tide table        Portquarne, 2016 to 2040, 37200 records\n"));
  EXPECT_TRUE(Has(outcome.out, "  Boat classes      740 (10 dinghies, 730 yachts, 0 own)\n"));
  EXPECT_TRUE(Has(outcome.out, "  Moment            2016-09-01 15:00 local (14:00 GMT)\n"));
  EXPECT_TRUE(Has(outcome.out, "  Selectable        2016-01-02 01:00 to 2040-12-29 23:00 local\n"));
  EXPECT_TRUE(Has(outcome.out, "  Boat class        GRAND-SOLEIL39-NEW-C\n"));
  EXPECT_TRUE(Has(outcome.out, "  Wind              7 kts from 60 deg\n"));
  EXPECT_TRUE(Has(outcome.out, "  Calibration       Time 0 min    Range 0 %\n"));
  EXPECT_TRUE(Has(outcome.out, "(none: defaults)\n"));
  EXPECT_TRUE(Has(outcome.out, "\nWarnings\n  none\n"));
  EXPECT_FALSE(std::filesystem::exists(SettingsFile()));
}

TEST_F(CorvaneTest, InfoShowsTheSettingsFileAndItsWarnings) {
  const std::string file = documents_.folder() + "my.ini";
  std::ofstream(file) << "T_HOUR=noon\nCURRENTSSPEED=22\nBOATCLASS=BLUEWATER-33-DEEP-MH\nWAYPOINTS=1;x\n";
  // The common options stand after the command's name as well.
  const Outcome outcome = Run({"info", "--settings", file});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_TRUE(Has(outcome.out, "  Settings file     " + file + "\n"));
  EXPECT_TRUE(Has(outcome.out, "  Boat class        BLUEWATER-33-DEEP-MH\n"));
  EXPECT_TRUE(Has(outcome.out, "  Calibration       Time 0 min    Range +10 %\n"));
  EXPECT_TRUE(Has(outcome.out, "  Settings file: \"T_HOUR=noon\" is not a whole number; T_HOUR keeps 14.\n"));
  EXPECT_TRUE(Has(outcome.out, "  Settings file: \"WAYPOINTS=1;x\" names \"x\""));
  EXPECT_TRUE(Has(outcome.out, "  Course            183;177 ("));
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "T_HOUR=noon\nCURRENTSSPEED=22\nBOATCLASS=BLUEWATER-33-DEEP-MH\nWAYPOINTS=1;x\n");
}

// A settings value outside what the program can show or use is listed under
// Warnings, and the setting in force is the default.
TEST_F(CorvaneTest, InfoWarnsOfSettingsOutOfRangeAndShowsTheDefaultInForce) {
  const auto utf16 = [](const std::string& text) {
    std::string bytes = "\xFF\xFE";
    for (char c : text) bytes += std::string{c, '\0'};
    return bytes;
  };
  struct Case {
    std::string settings;
    std::string warning;  // a part of the line under Warnings
    std::string row;      // the setting in force
  };
  const std::string defaultWind = "  Wind              7 kts from 60 deg\n";
  const std::string defaultView = "  Chart view        centre 001.16.615W  050.46.475N, zoom 9.82\n";
  const Case cases[] = {
      {"[WIND]\nINDEXSPEED=2147483647\n", "\"INDEXSPEED=2147483647\" is outside 0 to 25; INDEXSPEED keeps 2.",
       defaultWind},
      {"[WIND]\nINDEXSPEED=-1\n", "\"INDEXSPEED=-1\" is outside 0 to 25", defaultWind},
      {"[WIND]\nDIRECTION=nan\n", "\"DIRECTION=nan\" is not a number; DIRECTION keeps 1.0471975511966.",
       defaultWind},
      {"[SETTINGS]\nDEVICEZOOM=1e308\n", "\"DEVICEZOOM=1e308\" is outside 0 to 25", defaultView},
      {"[SETTINGS]\nDEVICEZOOM=-5\n", "\"DEVICEZOOM=-5\" is outside 0 to 25", defaultView},
      {"[SETTINGS]\nDEVICECENTERLON=1e308\n", "\"DEVICECENTERLON=1e308\" is outside -100 to -60", defaultView},
      {"[COURSES]\nCOURSETYPE=99\n", "\"COURSETYPE=99\" is outside 1 to 3", "  Course type       waypoints (3)\n"},
      {"[COURSES]\nINDEXTOPMARK=-2147483648\n", "\"INDEXTOPMARK=-2147483648\" is outside 0 to 20",
       "  Course            183;177 ("},
      {"[COURSES]\nWAYPOINTS=1;2;3;4;5;6;7;8;9;10;11;12;13\n", "WAYPOINTS holds 13 marks, more than the 12 rows",
       "  Course            183;177 ("},
      {"[SETTINGS]\nBOATCLASS=NO-SUCH-CLASS\n",
       "The boat class NO-SUCH-CLASS is not in the class list; the first class, DUO-CLASSIC-420, is taken.",
       "  Boat class        DUO-CLASSIC-420\n"},
      {utf16("[WIND]\r\nINDEXSPEED=5\r\n"), "is UTF-16 little-endian text, which the program does not read",
       defaultWind},
      // Read as lines, with a note; the value is taken.
      {"[WIND]\rINDEXSPEED=5\r", "ends its lines with a carriage return alone; they are read as lines.",
       "  Wind              10 kts from 60 deg\n"},
      // A direction of many turns is the same direction: no warning.
      {"[WIND]\nDIRECTION=700\n", "", "  Wind              7 kts from 147 deg\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.settings);
    std::ofstream(SettingsFile(), std::ios::binary) << c.settings;
    const Outcome outcome = Run({"info"});
    ASSERT_EQ(outcome.code, 0) << outcome.err;
    const std::string warnings = outcome.out.substr(outcome.out.find("\nWarnings\n"));
    if (c.warning.empty()) {
      EXPECT_EQ(warnings, "\nWarnings\n  none\n");
    } else {
      EXPECT_TRUE(Has(warnings, c.warning)) << warnings;
      EXPECT_EQ(std::count(warnings.begin(), warnings.end(), '\n'), 3) << "one warning: " << warnings;
    }
    EXPECT_TRUE(Has(outcome.out, c.row)) << outcome.out;
  }
}

// A command that writes nothing leaves the documents folder it is given
// uncreated.
TEST_F(CorvaneTest, ACommandThatWritesNothingCreatesNoFolder) {
  const std::filesystem::path folder = documents_.path() / "not" / "there";
  for (const std::vector<std::string>& command : std::vector<std::vector<std::string>>{
           {"info"}, {"tides"}, {"currents", "--time", "2016-09-01 15:00"}, {"route", "--course", "183,177"}}) {
    SCOPED_TRACE(command.front());
    const Outcome outcome = RunIn(folder, command, BuiltInResourceStore());
    EXPECT_EQ(outcome.code, 0) << outcome.err;
    EXPECT_FALSE(std::filesystem::exists(documents_.path() / "not"));
  }
}

TEST_F(CorvaneTest, InfoSaysWhetherAStreamAtlasIsBuiltIn) {
  const Outcome without = Run({"info"}, testing::StoreWithoutStreamAtlas());
  EXPECT_TRUE(Has(without.out, "  Stream atlas      low resolution not built in\n"));
  const Outcome with = Run({"info"}, testing::StoreWithPackedAtlas());
  EXPECT_TRUE(Has(with.out, "  Stream atlas      low resolution 40 points in 1 cube(s), 26 charts\n"));
  EXPECT_TRUE(Has(with.out, "  Slack positions   2\n"));
}

// ----------------------------------------------------------------- tides

TEST_F(CorvaneTest, TidesListThreeDaysInLocalTimeOrGMT) {
  const Outcome local = Run({"tides", "--date", "2016-09-01", "--time", "15:00"});
  ASSERT_EQ(local.code, 0) << local.err;
  EXPECT_TRUE(Has(local.out, "Tides at Portquarne (local time)\n31.08.2016\n"));
  EXPECT_TRUE(Has(local.out, "01.09.2016\n  H   00:46    4.3m\n  L   05:05    0.7m\n  H   13:16    4.4m\n"
                             "  L   17:24    0.8m\n02.09.2016\n"));
  EXPECT_TRUE(Has(local.out, "  Moment            2016-09-01 15:00 local (14:00 GMT)\n"));
  EXPECT_TRUE(Has(local.out, "  Range of the day  3.65 m (low water 0.7 m, high water 4.4 m)\n"));
  EXPECT_TRUE(Has(local.out, "  High water        01:44 after HW at 13:16\n"));

  // The same moment typed in GMT.
  const Outcome gmt = Run({"--gmt", "tides", "--date", "2016-09-01", "--time", "14:00"});
  ASSERT_EQ(gmt.code, 0) << gmt.err;
  EXPECT_TRUE(Has(gmt.out, "  Moment            2016-09-01 14:00 GMT (15:00 local)\n"));
  EXPECT_TRUE(Has(gmt.out, "  High water        01:44 after HW at 13:16\n"));

  // In winter local time is GMT.
  const Outcome winter = Run({"tides", "--date", "2016-12-01", "--time", "12:00"});
  ASSERT_EQ(winter.code, 0) << winter.err;
  EXPECT_TRUE(Has(winter.out, "  Moment            2016-12-01 12:00 local (12:00 GMT)\n"));
}

TEST_F(CorvaneTest, TidesDefaultToTheChosenMoment) {
  const Outcome outcome = Run({"tides"});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_TRUE(Has(outcome.out, "  Moment            2016-09-01 15:00 local (14:00 GMT)\n"));
}

// -------------------------------------------------------------- currents

TEST_F(CorvaneTest, CurrentsSayWhenNoStreamAtlasIsBuiltIn) {
  const Outcome outcome = Run({"currents", "--time", "2016-09-01 15:00"}, testing::StoreWithoutStreamAtlas());
  EXPECT_EQ(outcome.code, 1);
  EXPECT_EQ(outcome.out,
            "  Moment            2016-09-01 15:00 local (14:00 GMT)\n"
            "  High water        01:44 after HW at 13:16\n"
            "  Calibration       Time 0 min    Range 0 %\n"
            "No stream atlas is built in (data sets STREAMG and STREAMF): there are no streams to show.\n");
}

TEST_F(CorvaneTest, CurrentsSummariseTheDrawnField) {
  const Outcome outcome =
      Run({"currents", "--time", "2016-09-01 15:00", "--shift", "-20", "--range", "10"}, testing::StoreWithPackedAtlas());
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_TRUE(Has(outcome.out, "  Calibration       Time -20 min    Range +10 %\n"));
  EXPECT_TRUE(Has(outcome.out, "  Drawn field       40 points in 1 cube(s), "));
  EXPECT_TRUE(Has(outcome.out, "  Strongest         "));
  EXPECT_TRUE(Has(outcome.out, "  Slack marks       1 of 2 slack positions at or below 0.15 kts\n"));
}

TEST_F(CorvaneTest, CurrentsAtAPositionAgreeWithTheStateInBothTimeForms) {
  // The stream at the default chart centre, computed through the program's
  // own state for the same moment.
  cli::TCliContext context(cli::TCommonOptions{documents_.path().string(), "", false}, testing::StoreWithPackedAtlas());
  context.SetMoment(EncodeDateTime(2016, 9, 1, 15, 0, 0, 0));
  const TMinutes centre{-76.615, 3046.475};
  ASSERT_TRUE(context.Currents.GetInWater(centre, context.State)) << "the chart centre lies in water";
  const TPolar expected = context.Currents.GetCurrents(context.State, centre);
  ASSERT_GT(expected.Betrag, 0);

  TStringTools tools;
  const std::string line = "  Stream            " + tools.ToSpeed(expected.Betrag, 2) + " (" +
                           tools.ToSpeed(expected.Betrag * 1852 / 60) + ") toward " +
                           tools.ToCompass(expected.Winkel * 180 / kPi) + "\n";
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"currents", "--time", "2016-09-01 15:00", "--lon", "-1.276917", "--lat", "50.774583"},
        std::vector<std::string>{"--gmt", "currents", "--time", "2016-09-01 14:00", "--lon", "001.16.615W", "--lat",
                                 "050.46.475N"}}) {
    SCOPED_TRACE(args[1]);
    const Outcome outcome = Run(args, testing::StoreWithPackedAtlas());
    ASSERT_EQ(outcome.code, 0) << outcome.err;
    EXPECT_TRUE(Has(outcome.out, "  Position          001.16.615W  050.46.475N\n"));
    EXPECT_TRUE(Has(outcome.out, line)) << outcome.out;
  }
}

TEST_F(CorvaneTest, CurrentsOutsideTheAtlasSaySo) {
  const Outcome outcome = Run({"currents", "--time", "2016-09-01 15:00", "--lon", "-1.6", "--lat", "50.6"},
                              testing::StoreWithPackedAtlas());
  EXPECT_EQ(outcome.code, 1);
  EXPECT_TRUE(Has(outcome.out, "  Stream            none: the position lies outside the stream atlas\n"));
}

TEST_F(CorvaneTest, DatasetsListsTheBuiltInDataSets) {
  const Outcome outcome = Run({"datasets"});
  ASSERT_EQ(outcome.code, 0);
  EXPECT_TRUE(Has(outcome.out, "TIDESINI "));
}

}  // namespace
}  // namespace corvane
