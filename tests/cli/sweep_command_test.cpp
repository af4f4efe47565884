// corvane sweep: a row per start with the best start marked, a plot of the
// size asked for, the CSV and JSON forms, and the arguments it refuses.

#include <gtest/gtest.h>

#include <QImage>
#include <QString>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "run_corvane.h"

namespace corvane {
namespace {

// The table's rows: the lines after its header line.
std::vector<std::string> Rows(const std::string& out) {
  std::istringstream lines(out);
  std::vector<std::string> rows;
  bool table = false;
  for (std::string line; std::getline(lines, line);) {
    if (table && !line.empty()) rows.push_back(line);
    if (line.rfind("  Start  To HW", 0) == 0) table = true;
  }
  return rows;
}

TEST(SweepCommandTest, OneRowPerStartTheBestMarkedAndAPlotOfTheAskedSize) {
  const TCorvaneRunner corvane;
  const std::string plot = (corvane.Documents().path() / "sweep.png").string();
  const std::string csv = (corvane.Documents().path() / "sweep.csv").string();
  const TCorvaneOutcome outcome =
      corvane.Run({"sweep", "--from", "2016-09-01 09:00", "--to", "2016-09-01 21:00", "--step", "10", "--plot", plot,
                   "--width", "900", "--height", "500", "--csv", csv});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  const std::vector<std::string> rows = Rows(outcome.out);
  ASSERT_EQ(rows.size(), 73u) << outcome.out;
  int marked = 0;
  for (const std::string& row : rows) marked += row.rfind("* ", 0) == 0 ? 1 : 0;
  EXPECT_EQ(marked, 1);
  EXPECT_EQ(rows.front().substr(2, 5), "09:00");
  EXPECT_EQ(rows.back().substr(2, 5), "21:00");
  EXPECT_NE(outcome.out.find("  Best start        2016-09-01 "), std::string::npos) << outcome.out;

  const QImage image(QString::fromStdString(plot));
  ASSERT_FALSE(image.isNull());
  EXPECT_EQ(image.width(), 900);
  EXPECT_EQ(image.height(), 500);

  std::ifstream table(csv);
  int lines = 0;
  for (std::string line; std::getline(table, line);) ++lines;
  EXPECT_EQ(lines, 74) << "a header and a line per start";
}

TEST(SweepCommandTest, JsonGivesEveryStartWithItsLegsAndTheBest) {
  const TCorvaneOutcome outcome = TCorvaneRunner().Run(
      {"sweep", "--json", "--course", "183,177,37", "--wind", "12@60", "--from", "2016-09-01 14:00", "--to",
       "2016-09-01 15:00", "--step", "30"});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  const nlohmann::json json = nlohmann::json::parse(outcome.out);
  ASSERT_EQ(json.at("Starts").size(), 3u);
  EXPECT_EQ(json.at("Legs").size(), 2u);
  const int best = json.at("Best").get<int>();
  ASSERT_GE(best, 0);
  double shortest = 1e9;
  for (const nlohmann::json& start : json.at("Starts")) {
    EXPECT_TRUE(start.at("Complete").get<bool>());
    EXPECT_EQ(start.at("Legs").size(), 2u);
    shortest = std::min(shortest, start.at("TotalHours").get<double>());
  }
  EXPECT_DOUBLE_EQ(json.at("Starts")[static_cast<std::size_t>(best)].at("TotalHours").get<double>(), shortest);
  EXPECT_EQ(json.at("Starts")[0].at("StartLOC").get<std::string>(), "2016-09-01 14:00");
}

TEST(SweepCommandTest, ARefusedLegIsShownInItsRowAndNoStartIsBest) {
  const TCorvaneOutcome outcome = TCorvaneRunner().Run(
      {"sweep", "--boat", "DUO-CLASSIC-420", "--course", "37,183,177", "--wind", "10@95", "--from",
       "2016-09-01 15:00", "--to", "2016-09-01 15:20"});
  EXPECT_EQ(outcome.code, 1);
  const std::vector<std::string> rows = Rows(outcome.out);
  ASSERT_EQ(rows.size(), 3u) << outcome.out;
  for (const std::string& row : rows) {
    EXPECT_NE(row.find("Run "), std::string::npos) << row;
    EXPECT_NE(row.find("Reach not routed"), std::string::npos) << row;
    EXPECT_NE(row.find("Polars not valid reach!"), std::string::npos) << row;
  }
  EXPECT_NE(outcome.out.find("Best start        none"), std::string::npos);
}

TEST(SweepCommandTest, RefusesArgumentsItCannotUse) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string message;  // a fragment of standard error
  };
  const std::vector<Case> cases = {
      {"no window", {"sweep"}, "--from is required"},
      {"a time that is none", {"sweep", "--from", "tomorrow", "--to", "2016-09-01 12:00"}, "--from tomorrow"},
      {"backwards",
       {"sweep", "--from", "2016-09-01 12:00", "--to", "2016-09-01 11:00"},
       "the last start comes before the first"},
      {"no step", {"sweep", "--from", "2016-09-01 11:00", "--to", "2016-09-01 12:00", "--step", "0"}, "at least 1"},
      {"the moment of route",
       {"sweep", "--time", "2016-09-01 11:00", "--from", "2016-09-01 11:00", "--to", "2016-09-01 12:00"},
       "a sweep's starts are set by --from and --to"},
      {"a plot too large",
       {"sweep", "--from", "2016-09-01 11:00", "--to", "2016-09-01 12:00", "--plot", "x.png", "--width", "9000"},
       "the plot is 200 x 150 to 4000 x 4000 pixels"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TCorvaneOutcome outcome = TCorvaneRunner().Run(c.args);
    EXPECT_EQ(outcome.code, 2);
    EXPECT_NE(outcome.err.find(c.message), std::string::npos) << outcome.err;
  }
}

}  // namespace
}  // namespace corvane
