// The --grib option of the commands that set up a race situation (route,
// chart): a file without GRIB wind is a bad argument, a file that misses the
// chart or the moment leaves the fixed wind with a note, and a file that
// serves both gives the wind of the moment.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/grib_services.h"
#include "cli/cli_context.h"
#include "cli/scenario_options.h"
#include "core/constants.h"
#include "datasets/builtin_datasets.h"
#include "run_corvane.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// wind_bits covers the whole chart with fields at 06:00, 07:00 and 08:00 GMT
// on 2016-06-12; wind_bitmap lies across the chart without covering a corner
// of it; current_scan holds current, no wind.
const fs::path kFixtures = CORVANE_GRIB_FIXTURES;

TEST(GribOptionTest, AFileWithoutGRIBWindIsABadArgument) {
  struct Case {
    std::string command;
    std::string file;
    std::string expected;  // the line on standard error after "corvane: "
  };
  TCorvaneRunner runner;
  const fs::path junk = runner.Documents().path() / "junk.grb";
  std::ofstream(junk) << "not a GRIB file\n";
  const std::string current = (kFixtures / "current_scan.grb").string();
  const std::string chart = (runner.Documents().path() / "chart.png").string();
  const std::vector<Case> cases = {
      {"chart", "missing.grb", "--grib missing.grb: no such file"},
      {"route", "missing.grb", "--grib missing.grb: no such file"},
      {"chart", runner.Documents().path().string(),
       "--grib " + runner.Documents().path().string() + ": is a folder, not a GRIB file"},
      // A bare name is looked for in the program's folder.
      {"chart", "junk.grb", "--grib junk.grb: holds no GRIB edition 1 wind (u and v wind records)"},
      {"route", junk.string(), "--grib " + junk.string() + ": holds no GRIB edition 1 wind (u and v wind records)"},
      {"route", current, "--grib " + current + ": holds no GRIB edition 1 wind (u and v wind records)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.command + " " + c.file);
    std::vector<std::string> args = {c.command, "--grib", c.file};
    if (c.command == "chart") args.insert(args.end(), {"--out", chart});
    const TCorvaneOutcome outcome = runner.Run(args);
    EXPECT_EQ(outcome.code, 2);
    EXPECT_EQ(outcome.err, "corvane: " + c.expected + "\n");
    EXPECT_EQ(outcome.out, "");
  }
}

TEST(GribOptionTest, TheChartIsDrawnWithAGRIBWind) {
  TCorvaneRunner runner;
  const std::string chart = (runner.Documents().path() / "chart.png").string();
  const TCorvaneOutcome outcome = runner.Run({"--gmt", "chart", "--grib", (kFixtures / "wind_bits.grb").string(),
                                              "--time", "2016-06-12 07:30", "--out", chart});
  EXPECT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_EQ(outcome.err, "");
  EXPECT_TRUE(fs::exists(chart));
}

// A file whose reading stopped at a faulty record: the route is sailed with
// the fields read before it, a note says why, and the exit code is 1.
TEST(GribOptionTest, AFileReadInPartRoutesWithWhatWasReadAndExitsWithOne) {
  TCorvaneRunner runner;
  std::ifstream in(kFixtures / "wind_bits.grb", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  bytes.resize(bytes.size() - 30);
  const fs::path cut = runner.Documents().path() / "cut.grb";
  std::ofstream(cut, std::ios::binary) << bytes;
  const TCorvaneOutcome outcome =
      runner.Run({"--gmt", "route", "--grib", cut.string(), "--time", "2016-06-12 06:30"});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_NE(outcome.err.find("corvane: --grib " + cut.string() + ": reading stopped (record at offset "),
            std::string::npos)
      << outcome.err;
  EXPECT_NE(outcome.err.find("); the fields before it are used\n"), std::string::npos) << outcome.err;
  EXPECT_NE(outcome.out.find("  Legs routed       1 of 1"), std::string::npos) << outcome.out;
}

class GribOptionScenarioTest : public ::testing::Test {
 protected:
  // The scenario of `file` at `time` (GMT) with a fixed wind of 12 knots
  // from 225 degrees; the notes it wrote.
  std::string Apply(const std::string& file, const std::string& time) {
    cli::TScenarioOptions options;
    options.Grib = (kFixtures / file).string();
    options.Time = time;
    options.Wind = "12@225";
    std::ostringstream notes;
    cli::ApplyScenario(context_, options, notes);
    return notes.str();
  }

  TTempFolder documents_;
  cli::TCliContext context_{cli::TCommonOptions{documents_.path().string(), "", true}, BuiltInResourceStore()};
};

TEST_F(GribOptionScenarioTest, AFileThatServesTheChartAndTheMomentGivesTheWind) {
  EXPECT_EQ(Apply("wind_bits.grb", "2016-06-12 07:00"), "");
  const TInterfaceApplicationMobile& state = context_.State;
  EXPECT_TRUE(state.GRIBWindLoaded);
  EXPECT_TRUE(state.GRIBWindValid);
  EXPECT_EQ(state.CubeWind.GetCountFields(0), 3);
  // The wind panel's rows follow the field's wind in whole knots.
  EXPECT_EQ(state.Wind.IndexSpeed, static_cast<int>(state.Wind.TrueWind.Betrag) - kGRIBWindSpeedMin);
  EXPECT_EQ(state.Wind.TrueWind.Winkel, state.Wind.IndexDirection * kDegreesToRadians);
}

TEST_F(GribOptionScenarioTest, AFileThatMissesTheChartOrTheMomentLeavesTheFixedWind) {
  struct Case {
    const char* file;
    const char* time;
    std::string note;
  };
  const Case cases[] = {
      {"wind_bitmap.grb", "2016-06-12 18:00", "its grid covers no corner of the chart"},
      {"wind_bits.grb", "2016-06-12 08:01",
       "its fields serve 2016-06-12 06:00 to 2016-06-12 08:00 GMT, not the moment 2016-06-12 08:01 GMT (09:01 "
       "local)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file);
    const std::string notes = Apply(c.file, c.time);
    EXPECT_EQ(notes, "corvane: --grib " + (kFixtures / c.file).string() + ": " + c.note +
                         "; the fixed wind 12.0 kts from 225 deg stays\n");
    const TInterfaceApplicationMobile& state = context_.State;
    EXPECT_FALSE(state.GRIBWindLoaded);
    EXPECT_FALSE(state.GRIBWindValid);
    EXPECT_EQ(state.CubeWind.GetCountCubes(), 0);
    EXPECT_EQ(state.Wind.TrueWind.Betrag, 12);
    EXPECT_NEAR(state.Wind.TrueWind.Winkel, 225 * kDegreesToRadians, 1e-15);
  }
}

}  // namespace
}  // namespace corvane
