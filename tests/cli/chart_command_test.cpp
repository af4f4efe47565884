// corvane chart: the picture file, its size, what lies where on it, the
// course options and the errors.

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "chart/graphics_custom_draw.h"
#include "routing/routing_data.h"
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

// The pixels of `routed` that have the colour where `plain`, the same view
// without the routing, has another: their number and their mean position.
struct TNewPixels {
  int Count = 0;
  double MeanX = 0;
  double MeanY = 0;
};

TNewPixels NewPixels(const QImage& routed, const QImage& plain, TAlphaColor colour) {
  TNewPixels found;
  for (int y = 0; y < routed.height(); ++y) {
    for (int x = 0; x < routed.width(); ++x) {
      if (routed.pixel(x, y) != colour || plain.pixel(x, y) == colour) continue;
      ++found.Count;
      found.MeanX += x;
      found.MeanY += y;
    }
  }
  if (found.Count > 0) {
    found.MeanX /= found.Count;
    found.MeanY /= found.Count;
  }
  return found;
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

// A settings view the chart cannot show (a zoom of 1e308 drew a blank
// picture) gives way to the default view: the same picture as without it.
TEST_F(ChartCommandTest, AViewOutsideTheSettingsRangesDrawsTheDefaultView) {
  const std::string file = Out("view.png");
  const std::vector<std::string> args{"chart", "--out", file, "--width", "400", "--height", "300"};
  const TCorvaneOutcome plain = Run(args);
  ASSERT_EQ(plain.code, 0) << plain.err;
  const QImage expected(QString::fromStdString(file), "PNG");
  for (const std::string settings : {"DEVICEZOOM=1e308", "DEVICEZOOM=-5", "DEVICECENTERLON=1e308"}) {
    SCOPED_TRACE(settings);
    std::ofstream(runner_.Documents().path() / "TheQuarne2016.ini") << "[SETTINGS]\n" << settings << "\n";
    const TCorvaneOutcome outcome = Run(args);
    ASSERT_EQ(outcome.code, 0) << outcome.err;
    EXPECT_EQ(outcome.out, plain.out);
    EXPECT_TRUE(QImage(QString::fromStdString(file), "PNG") == expected);
  }
}

// Twelve marks fill the window's waypoint list and are taken.
TEST_F(ChartCommandTest, ACourseOfTwelveMarksIsTaken) {
  const TCorvaneOutcome outcome = Run({"chart", "--out", Out("twelve.png"), "--width", "300", "--height", "200",
                                       "--course", "183,177,183,177,183,177,183,177,183,177,183,177"});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_NE(outcome.out.find("  Course            183;177;183;177;183;177;183;177;183;177;183;177 ("),
            std::string::npos)
      << outcome.out;
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

TEST_F(ChartCommandTest, RoutingDrawsTheBestCourseAndTheBoatsAlongTheTrack) {
  // The same view of the default course's beat, centred on the track and
  // close enough for the boats to be drawn, with and without the routing.
  const std::vector<std::string> view{"--width", "800", "--height", "600", "--track", "1", "--zoom", "5"};
  std::vector<std::string> plainArgs{"chart", "--out", Out("plain.png")};
  plainArgs.insert(plainArgs.end(), view.begin(), view.end());
  std::vector<std::string> routedArgs{"chart", "--out", Out("routed.png"), "--route"};
  routedArgs.insert(routedArgs.end(), view.begin(), view.end());
  const TCorvaneOutcome plain = Run(plainArgs);
  const TCorvaneOutcome routed = Run(routedArgs);
  ASSERT_EQ(plain.code, 0) << plain.err;
  ASSERT_EQ(routed.code, 0) << routed.err;
  EXPECT_EQ(routed.err, "");
  EXPECT_NE(routed.out.find("  Legs routed       1 of 1\n"), std::string::npos) << routed.out;
  EXPECT_EQ(plain.out.find("Legs routed"), std::string::npos) << plain.out;

  const QImage plainImage(QString::fromStdString(Out("plain.png")), "PNG");
  const QImage routedImage(QString::fromStdString(Out("routed.png")), "PNG");
  ASSERT_FALSE(plainImage.isNull());
  ASSERT_FALSE(routedImage.isNull());
  // The selected track's best course is red; its tacks leave the straight
  // line, which is red too without the routing.
  const TNewPixels best = NewPixels(routedImage, plainImage, kColorTrackDefault);
  EXPECT_GT(best.Count, 100);
  // The view is centred on the track; the stream bends the route to one
  // side of it, so only its rough place is checked.
  EXPECT_NEAR(best.MeanX, 400, 250);
  EXPECT_NEAR(best.MeanY, 300, 225);
  // The boats along the track are light green.
  EXPECT_GT(NewPixels(routedImage, plainImage, 0xFF90EE90).Count, 0);
}

TEST_F(ChartCommandTest, ARefusedRoutingRunStillWritesThePictureAndExitsWithOne) {
  const std::string file = Out("refused.png");
  const TCorvaneOutcome outcome =
      Run({"chart", "--out", file, "--width", "300", "--height", "200", "--route", "--wind", "5@60"});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_EQ(outcome.err, "Low wind speed\n");
  EXPECT_NE(outcome.out.find("  Legs routed       0 of 1 (the run was refused)\n"), std::string::npos) << outcome.out;
  EXPECT_FALSE(QImage(QString::fromStdString(file), "PNG").isNull());
}

TEST_F(ChartCommandTest, AWindwardLeewardCourseIsDrawnBetweenTheMovableMarks) {
  const TCorvaneOutcome outcome = Run({"chart", "--out", Out("windward-leeward.png"), "--width", "300", "--height",
                                       "200", "--windward-leeward", "--topmark", "5", "--wind", "12@220",
                                       "--depth", "2"});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_NE(outcome.out.find("  Course            0;1 ("), std::string::npos) << outcome.out;
  EXPECT_NE(outcome.out.find("  Wind              12.0 kts from 220 deg\n"), std::string::npos) << outcome.out;
}

TEST_F(ChartCommandTest, BadArgumentsGiveOneLineAndExitCode2) {
  struct Case {
    std::string name;
    std::vector<std::string> args;
    std::string err;
  };
  const std::string out = Out("bad.png");
  // A thousand marks took two minutes to route; thirteen already do not fit
  // the window's waypoint list.
  std::string thousandMarks = "183";
  std::string thousandCodes = "7Y";
  for (int i = 1; i < 1000; ++i) {
    thousandMarks += i % 2 == 0 ? ",183" : ",177";
    thousandCodes += i % 2 == 0 ? " 7Y" : " 7S";
  }
  const std::vector<Case> cases{
      {"too small", {"--width", "10"},
       "corvane: --width and --height: 10 x 1080 pixels; each must lie from 200 to 3000 (3000 pixels print 25 cm at "
       "300 dpi)\n"},
      {"too large to hold in memory", {"--width", "8000", "--height", "8000"},
       "corvane: --width and --height: 8000 x 8000 pixels; each must lie from 200 to 3000 (3000 pixels print 25 cm "
       "at 300 dpi)\n"},
      {"one side too large", {"--width", "3001"},
       "corvane: --width and --height: 3001 x 1080 pixels; each must lie from 200 to 3000 (3000 pixels print 25 cm "
       "at 300 dpi)\n"},
      {"thirteen marks", {"--course", "183,177,183,177,183,177,183,177,183,177,183,177,183"},
       "corvane: --course: 13 marks; a course holds at most 12, the rows of the window's waypoint list\n"},
      {"a thousand marks", {"--course", thousandMarks},
       "corvane: --course: 1000 marks; a course holds at most 12, the rows of the window's waypoint list\n"},
      {"a thousand codes", {"--shortcuts", thousandCodes},
       "corvane: --shortcuts: 1000 marks; a course holds at most 12, the rows of the window's waypoint list\n"},
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
      {"depth line", {"--depth", "5"}, "corvane: --depth 5: the depth line is 0 (afloat is enough) to 4\n"},
      {"top mark off the wind", {"--windward-leeward", "--topmark", "-11"},
       "corvane: --topmark -11: the windward mark lies from -10 to 10 whole degrees off the wind\n"},
      {"windward-leeward and a course", {"--windward-leeward", "--course", "183,177"},
       "corvane: --course excludes --windward-leeward\n"},
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
