// corvane chart: the picture file, its size, what lies where on it, the
// course options and the errors.

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <filesystem>
#include <string>
#include <vector>

#include "chart/graphics_custom_draw.h"
#include "cli/cli_context.h"
#include "cli/scenario_options.h"
#include "run_corvane.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

// Share of the pixels of a square of side 2 r + 1 around the image's centre
// that have the colour; a mark or an arrow may cover a few.
double ShareAroundCentre(const QImage& image, TAlphaColor colour, int r) {
  const int cx = image.width() / 2;
  const int cy = image.height() / 2;
  int hits = 0;
  for (int y = cy - r; y <= cy + r; ++y) {
    for (int x = cx - r; x <= cx + r; ++x) {
      if (image.pixel(x, y) == colour) ++hits;
    }
  }
  return static_cast<double>(hits) / ((2 * r + 1) * (2 * r + 1));
}

class ChartCommandTest : public ::testing::Test {
 protected:
  TCorvaneOutcome Run(std::vector<std::string> args) const { return runner_.Run(std::move(args)); }
  std::string Out(const std::string& name) const { return (runner_.Documents().path() / name).string(); }
  TCorvaneRunner runner_;
};

TEST_F(ChartCommandTest, ThePictureHasTheRequestedSize) {
  const std::string file = Out("chart.png");
  const TCorvaneOutcome outcome = Run({"chart", "--out", file, "--width", "640", "--height", "400"});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_EQ(outcome.err, "");
  EXPECT_NE(outcome.out.find("  Chart             " + file + ", 640 x 400 pixels\n"), std::string::npos)
      << outcome.out;
  const QImage image(QString::fromStdString(file), "PNG");
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 640);
  EXPECT_EQ(image.height(), 400);
}

TEST_F(ChartCommandTest, OpenWaterIsSeaColouredAndLandIsNot) {
  struct Case {
    std::string name;
    std::string lon, lat;
    bool water;
  };
  // The middle of the channel, and the middle of the island south of it.
  const std::vector<Case> cases{{"channel", "-1.2675", "50.7875", true}, {"island", "-1.30", "50.66", false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = Out(c.name + ".png");
    const TCorvaneOutcome outcome = Run({"chart", "--out", file, "--width", "400", "--height", "300", "--zoom", "3",
                                         "--center", c.lon, c.lat});
    ASSERT_EQ(outcome.code, 0) << outcome.err;
    const QImage image(QString::fromStdString(file), "PNG");
    ASSERT_FALSE(image.isNull());
    const double deep = ShareAroundCentre(image, kColorDeep, 10);
    if (c.water) {
      EXPECT_GT(deep, 0.9);
    } else {
      EXPECT_EQ(deep, 0.0);
      EXPECT_EQ(ShareAroundCentre(image, kColorSea, 10), 0.0);
    }
  }
}

TEST_F(ChartCommandTest, ShortcutCodesGiveTheCourseOfTheirBuoys) {
  cli::TCliContext context(cli::TCommonOptions{}, BuiltInResourceStore());
  context.Load();
  const std::vector<int> course = cli::ParseShortCuts("4P  3V", context.State);
  ASSERT_EQ(course.size(), 2u);
  EXPECT_EQ(context.State.ListBuoysShortCut[static_cast<std::size_t>(course[0])], "4P");
  EXPECT_EQ(context.State.ListBuoysShortCut[static_cast<std::size_t>(course[1])], "3V");

  const std::string courseText = std::to_string(course[0]) + ";" + std::to_string(course[1]);
  const TCorvaneOutcome outcome =
      Run({"chart", "--out", Out("course.png"), "--width", "300", "--height", "200", "--shortcuts", "4P 3V",
           "--track", "1"});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_NE(outcome.out.find("  Course            " + courseText + " ("), std::string::npos) << outcome.out;
}

TEST_F(ChartCommandTest, TheScenarioOptionsReachTheState) {
  const TCorvaneOutcome outcome =
      Run({"chart", "--out", Out("scenario.png"), "--width", "300", "--height", "200", "--time", "2016-09-01 10:00",
           "--wind", "14@200", "--shift", "-20", "--range", "10", "--course", "183, 177"});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_NE(outcome.out.find("  Moment            2016-09-01 10:00 local (09:00 GMT)\n"), std::string::npos)
      << outcome.out;
  EXPECT_NE(outcome.out.find("  Wind              14.0 kts from 200 deg\n"), std::string::npos) << outcome.out;
  EXPECT_NE(outcome.out.find("  Calibration       Time -20 min    Range +10 %\n"), std::string::npos) << outcome.out;
  EXPECT_NE(outcome.out.find("  Course            183;177 ("), std::string::npos) << outcome.out;
}

TEST_F(ChartCommandTest, BadArgumentsGiveOneLineAndExitCode2) {
  struct Case {
    std::string name;
    std::vector<std::string> args;
    std::string err;
  };
  const std::string out = Out("bad.png");
  const std::vector<Case> cases{
      {"too small", {"--width", "10"}, "corvane: --width and --height: 10 x 1080 pixels; each must lie from 200 to 8000\n"},
      {"zoom", {"--zoom", "30"}, "corvane: --zoom 30.00: the zoom lies from 0 (the whole chart) to 25\n"},
      {"centre off the chart", {"--center", "5", "50"},
       "corvane: --center: 005.00.000E  050.00.000N lies outside the chart, which spans 001.40.000W  050.32.000N to "
       "001.00.000W  050.52.000N\n"},
      {"no such track", {"--track", "2"}, "corvane: --track 2: the course 183;177 has 1 track(s), numbered from 1\n"},
      {"wind without direction", {"--wind", "12"},
       "corvane: --wind 12: expected knots (above 0, up to 60) @ degrees the wind comes from (0 to 360), as 12@225\n"},
      {"one mark", {"--course", "183"}, "corvane: --course 183: a course needs at least two marks\n"},
      {"no such buoy", {"--course", "183,999"}, "corvane: --course 183,999: \"999\" is not a buoy number 0 to 194\n"},
      {"unknown code", {"--shortcuts", "4P ZZ"}, "corvane: --shortcuts 4P ZZ: no buoy has the code \"ZZ\"\n"},
      {"unknown boat", {"--boat", "NOBOAT"}, ""},
      {"shift", {"--shift", "7"},
       "corvane: --shift 7: the high-water shift is a multiple of 10 minutes from -150 to 150\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<std::string> args{"chart", "--out", out};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const TCorvaneOutcome outcome = Run(args);
    EXPECT_EQ(outcome.code, 2);
    if (c.err.empty()) {
      EXPECT_EQ(outcome.err.rfind("corvane: --boat NOBOAT: no such boat class (", 0), 0u) << outcome.err;
    } else {
      EXPECT_EQ(outcome.err, c.err);
    }
    EXPECT_EQ(outcome.out, "");
  }
  EXPECT_FALSE(fs::exists(out));
}

TEST_F(ChartCommandTest, APictureThatCannotBeWrittenIsABadArgument) {
  const std::string out = (fs::path(Out("missing")) / "x.png").string();
  const TCorvaneOutcome outcome = Run({"chart", "--out", out, "--width", "300", "--height", "200"});
  EXPECT_EQ(outcome.code, 2);
  EXPECT_EQ(outcome.err, "corvane: --out " + out + ": the picture cannot be written there\n");
  EXPECT_EQ(outcome.out, "");
}

}  // namespace
}  // namespace corvane
