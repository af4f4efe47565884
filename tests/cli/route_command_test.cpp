// corvane route: the default course routed as a beat, the results tables,
// the messages on standard error with the exit codes, --json, --gpx,
// --track and the windward-leeward course.

#include <gtest/gtest.h>

#include <QFile>
#include <QString>
#include <QXmlStreamReader>
#include <fstream>
#include <map>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "run_corvane.h"

namespace corvane {
namespace {

// The value of a row "  Label             value" of the output; empty when
// the label does not begin a row.
std::string RowValue(const std::string& out, const std::string& label) {
  const std::string start = "  " + label;
  std::size_t at = 0;
  while ((at = out.find(start, at)) != std::string::npos) {
    const std::size_t value = at + 20;
    if ((at == 0 || out[at - 1] == '\n') && out.compare(at + 2 + label.size(), value - at - 2 - label.size(),
                                                        std::string(value - at - 2 - label.size(), ' ')) == 0) {
      return out.substr(value, out.find('\n', value) - value);
    }
    at += start.size();
  }
  return "";
}

// "hh:mm:ss h:m:s" as hours.
double Hours(const std::string& times) {
  return std::stoi(times.substr(0, 2)) + std::stoi(times.substr(3, 2)) / 60.0 + std::stoi(times.substr(6, 2)) / 3600.0;
}

// What a GPX file holds, read back with an XML reader.
struct TGpx {
  bool WellFormed = false;
  std::string Version;
  std::string Namespace;
  std::vector<std::string> Waypoints;
  std::map<std::string, int> RoutePoints;  // route name -> points
};

TGpx ReadGpx(const std::string& file) {
  TGpx gpx;
  QFile input(QString::fromStdString(file));
  if (!input.open(QIODevice::ReadOnly)) return gpx;
  QXmlStreamReader xml(&input);
  std::string route;
  std::string parent;
  while (!xml.atEnd()) {
    xml.readNext();
    if (!xml.isStartElement()) continue;
    const std::string name = xml.name().toString().toStdString();
    if (name == "gpx") {
      gpx.Version = xml.attributes().value("version").toString().toStdString();
      gpx.Namespace = xml.namespaceUri().toString().toStdString();
    } else if (name == "wpt" || name == "rte") {
      parent = name;
    } else if (name == "rtept") {
      ++gpx.RoutePoints[route];
      parent = name;
    } else if (name == "name") {
      const std::string text = xml.readElementText().toStdString();
      if (parent == "wpt") gpx.Waypoints.push_back(text);
      if (parent == "rte") route = text;
    }
  }
  gpx.WellFormed = !xml.hasError();
  return gpx;
}

class RouteCommandTest : public ::testing::Test {
 protected:
  TCorvaneOutcome Run(std::vector<std::string> args) const { return runner_.Run(std::move(args)); }
  std::string Out(const std::string& name) const { return (runner_.Documents().path() / name).string(); }
  TCorvaneRunner runner_;
};

TEST_F(RouteCommandTest, TheDefaultCourseRoutesAsABeat) {
  const TCorvaneOutcome outcome = Run({"route"});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_EQ(outcome.err, "");
  const std::string& out = outcome.out;
  EXPECT_EQ(RowValue(out, "Moment"), "2016-09-01 15:00 local (14:00 GMT)");
  EXPECT_EQ(RowValue(out, "Legs routed"), "1 of 1");
  EXPECT_NE(out.find("\nTrack 1\n\nTRACK\n"), std::string::npos) << out;
  EXPECT_NE(out.find("\nROUTING\n"), std::string::npos);
  EXPECT_NE(out.find("\nCURRENTS ON TRACK\n"), std::string::npos);
  EXPECT_EQ(RowValue(out, "Start"), "Orrasey Post - 7Y");
  EXPECT_EQ(RowValue(out, "Finish"), "Fennick Post - 7S");
  EXPECT_EQ(RowValue(out, "Distance"), "2.99 nm");
  EXPECT_NE(out.find("  Course            Beat\n"), std::string::npos) << out;
  // 2.99 nm to windward in 7 knots, against that afternoon's ebb of about a
  // knot along the track: a yacht makes good 2.5 to 5 knots.
  const double hours = Hours(RowValue(out, "Best Course"));
  EXPECT_GT(hours, 2.99 / 5);
  EXPECT_LT(hours, 2.99 / 2.5);
  // The average is the boats' VMG along the best course, which leaves out
  // the time each tack costs: a little above the rate made good, never below
  // it by more than the printed tenth's rounding.
  const double vmg = std::stod(RowValue(out, "VMG Average"));
  EXPECT_GE(vmg, 2.99 / hours - 0.05);
  EXPECT_LE(vmg, 2.99 / hours + 0.3);
  EXPECT_LE(std::stod(RowValue(out, "VMG Minimum")), vmg);
}

// A settings file may hold a wind direction of many turns (700 radians ran
// the isochrones on without end): it routes as the same direction within
// one turn, in well under a second.
TEST_F(RouteCommandTest, AWindDirectionOfManyTurnsRoutesAsThatDirection) {
  const auto routeWithDirection = [this](const std::string& direction) {
    std::ofstream(runner_.Documents().path() / "TheQuarne2016.ini") << "[WIND]\nDIRECTION=" << direction << "\n";
    return Run({"route"});
  };
  const TCorvaneOutcome turned = routeWithDirection("700");
  ASSERT_EQ(turned.code, 0) << turned.err;
  EXPECT_EQ(RowValue(turned.out, "Wind"), "7.0 kts from 147 deg");
  EXPECT_EQ(RowValue(turned.out, "Legs routed"), "1 of 1");
  const TCorvaneOutcome reduced = routeWithDirection("2.56637061435917");
  ASSERT_EQ(reduced.code, 0) << reduced.err;
  EXPECT_EQ(turned.out, reduced.out);
}

TEST_F(RouteCommandTest, BadArgumentsExitWithTwo) {
  struct Case {
    std::vector<std::string> args;
    std::string err;  // the start of the one line on standard error
  };
  const Case cases[] = {
      {{"route", "--wind", "12"}, "corvane: --wind 12: expected knots"},
      {{"route", "--course", "183"}, "corvane: --course 183: a course needs at least two marks"},
      {{"route", "--course", "183,177,183,177,183,177,183,177,183,177,183,177,183"},
       "corvane: --course: 13 marks; a course holds at most 12"},
      {{"route", "--shortcuts", "7Y 7S 7Y 7S 7Y 7S 7Y 7S 7Y 7S 7Y 7S 7Y"},
       "corvane: --shortcuts: 13 marks; a course holds at most 12"},
      {{"route", "--shortcuts", "7Y ZZ"}, "corvane: --shortcuts 7Y ZZ: no buoy has the code \"ZZ\""},
      {{"route", "--track", "2"}, "corvane: --track 2: the course has 1 track(s), numbered from 1"},
      {{"route", "--track", "0"}, "corvane: --track 0:"},
      {{"route", "--depth", "5"}, "corvane: --depth 5: the depth line is 0 (afloat is enough) to 4"},
      {{"route", "--windward-leeward", "--topmark", "11"}, "corvane: --topmark 11: the windward mark lies from -10"},
      {{"route", "--topmark", "3"}, "corvane: --topmark requires --windward-leeward"},
      {{"route", "--windward-leeward", "--course", "183,177"}, "corvane: --course excludes --windward-leeward"},
      {{"route", "--gpx", "/no/such/folder/route.gpx"}, "corvane: --gpx /no/such/folder/route.gpx: the file cannot"},
      {{"route", "--time", "2041-03-01 15:00"}, "corvane: 2041-03-01 15:00 lies outside the tide table"},
      {{"route", "--boat", "NO-SUCH-CLASS"}, "corvane: --boat NO-SUCH-CLASS: no such boat class"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    const TCorvaneOutcome outcome = Run(c.args);
    EXPECT_EQ(outcome.code, 2);
    EXPECT_EQ(outcome.err.rfind(c.err, 0), 0u) << outcome.err;
    EXPECT_EQ(std::count(outcome.err.begin(), outcome.err.end(), '\n'), 1);
    EXPECT_EQ(outcome.out, "");
  }
}

TEST_F(RouteCommandTest, ARunThatRoutesNotEveryLegExitsWithOne) {
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string err;
    bool tables;
  };
  const Case cases[] = {
      {"wind below 6 knots", {"route", "--wind", "5.9@60"}, "Low wind speed\n", false},
      // A reach from Fennick Post around the headland: the straight line
      // crosses land and the isochrones cannot get round it.
      {"reach behind a headland", {"route", "--course", "177,25", "--wind", "12@60"},
       "Course ashore - routing might fail!\nRouting failed\n", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TCorvaneOutcome outcome = Run(c.args);
    EXPECT_EQ(outcome.code, 1) << outcome.out;
    EXPECT_EQ(outcome.err, c.err);
    EXPECT_EQ(outcome.out.find("Track 1") != std::string::npos, c.tables);
  }
}

TEST_F(RouteCommandTest, TheMessagesOfTheRunGoToStandardErrorAsWorded) {
  // Orrasey Post to a mark across the island: the run warns before the leg
  // and goes on.
  const TCorvaneOutcome outcome = Run({"route", "--course", "183,20", "--wind", "12@200"});
  EXPECT_EQ(outcome.err.rfind("Course ashore - routing might fail!\n", 0), 0u) << outcome.err;
  EXPECT_NE(outcome.out.find("\nTrack 1\n"), std::string::npos);
}

TEST_F(RouteCommandTest, JsonHoldsEveryResultFieldOfEachTrack) {
  const TCorvaneOutcome outcome = Run({"route", "--json", "--shortcuts", "7Y 7S 4P", "--wind", "12@60"});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  const nlohmann::json json = nlohmann::json::parse(outcome.out);
  ASSERT_TRUE(json.contains("tracks"));
  ASSERT_EQ(json["tracks"].size(), 2u);
  const nlohmann::json& first = json["tracks"][0];
  for (const char* field :
       {"IndexStart", "IndexFinish", "BuoyStart", "BuoyFinish", "TrackStart", "TrackFinish", "TrackAngle",
        "TrackAngleText", "TrackDistance", "TrackDistanceText", "TrackWindward", "TrackCenter", "TypeOfCourse",
        "RoutingEnabled", "DateTimeStartGMT", "DateTimeStartLOC", "DateTimeFinishGMT", "DateTimeFinishLOC",
        "TimeBestCourse", "TimeLaylineLeft", "TimeLaylineRight", "ListBestCourse", "ListLaylineLeft",
        "ListLaylineRight", "LayLinesValid", "LayLineCrossRight", "LayLineCrossLeft", "ListBoat", "TrackVMG",
        "TrackMinVMG", "StreamOnTrack", "FinalTack", "FinalCourse", "CurrentsWind", "CurrentsWindShift",
        "HoursToRefTideText"}) {
    EXPECT_TRUE(first.contains(field)) << field;
  }
  EXPECT_EQ(first["IndexStart"], 183);
  EXPECT_EQ(first["IndexFinish"], 177);
  EXPECT_EQ(first["TypeOfCourse"], 1);
  EXPECT_TRUE(first["RoutingEnabled"].get<bool>());
  // Positions in minutes of arc: Orrasey Post lies near 50 46.5 N 1 20.2 W.
  EXPECT_NEAR(first["TrackStart"]["Lat"].get<double>(), 3046.5, 0.01);
  EXPECT_NEAR(first["TrackStart"]["Lon"].get<double>(), -80.2, 0.01);
  ASSERT_TRUE(first["ListBestCourse"].is_array());
  ASSERT_GT(first["ListBestCourse"].size(), 2u);
  EXPECT_TRUE(first["ListBestCourse"][0].contains("Lon"));
  EXPECT_EQ(first["ListBoat"].size(), first["ListBestCourse"].size() - 1);
  EXPECT_EQ(first["DateTimeStartLOC"], "2016-09-01 15:00:00");
  // The second leg starts when the first finishes.
  EXPECT_EQ(json["tracks"][1]["DateTimeStartGMT"], first["DateTimeFinishGMT"]);
}

TEST_F(RouteCommandTest, GpxHoldsTheMarksTheBestCoursesAndTheLaylines) {
  const std::string file = Out("route.gpx");
  const TCorvaneOutcome outcome =
      Run({"route", "--json", "--shortcuts", "7Y 7S 4P", "--wind", "12@60", "--gpx", file});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  const nlohmann::json json = nlohmann::json::parse(outcome.out);
  const TGpx gpx = ReadGpx(file);
  ASSERT_TRUE(gpx.WellFormed);
  EXPECT_EQ(gpx.Version, "1.1");
  EXPECT_EQ(gpx.Namespace, "http://www.topografix.com/GPX/1/1");
  EXPECT_EQ(gpx.Waypoints,
            (std::vector<std::string>{"Orrasey Post - 7Y", "Fennick Post - 7S", json["tracks"][1]["BuoyFinish"]}));
  for (int i = 0; i < 2; ++i) {
    SCOPED_TRACE(i);
    const nlohmann::json& track = json["tracks"][i];
    const std::string leg = "Track " + std::to_string(i + 1) + " " + track["BuoyStart"].get<std::string>() + " to " +
                            track["BuoyFinish"].get<std::string>();
    EXPECT_EQ(gpx.RoutePoints.at(leg + " best course"), static_cast<int>(track["ListBestCourse"].size()));
    if (track["TypeOfCourse"] != 2 && track["LayLinesValid"].get<bool>()) {
      EXPECT_EQ(gpx.RoutePoints.at(leg + " layline left"), static_cast<int>(track["ListLaylineLeft"].size()));
      EXPECT_EQ(gpx.RoutePoints.at(leg + " layline right"), static_cast<int>(track["ListLaylineRight"].size()));
    }
  }
}

TEST_F(RouteCommandTest, OneTrackIsRoutedAloneFromTheChosenTime) {
  const TCorvaneOutcome outcome =
      Run({"route", "--json", "--shortcuts", "7Y 7S 4P", "--wind", "12@60", "--track", "2", "--time",
           "2016-09-01 16:30"});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  const nlohmann::json json = nlohmann::json::parse(outcome.out);
  ASSERT_EQ(json["tracks"].size(), 1u);
  EXPECT_EQ(json["tracks"][0]["IndexStart"], 177);
  EXPECT_EQ(json["tracks"][0]["DateTimeStartLOC"], "2016-09-01 16:30:00");
  EXPECT_TRUE(json["tracks"][0]["RoutingEnabled"].get<bool>());

  const TCorvaneOutcome text = Run({"route", "--shortcuts", "7Y 7S 4P", "--wind", "12@60", "--track", "2"});
  ASSERT_EQ(text.code, 0) << text.err;
  EXPECT_NE(text.out.find("\nTrack 2\n"), std::string::npos);
  EXPECT_EQ(text.out.find("\nTrack 1\n"), std::string::npos);
  EXPECT_EQ(RowValue(text.out, "Legs routed"), "1 of 1");
}

TEST_F(RouteCommandTest, AWindwardLeewardCourseIsLaidIntoTheWind) {
  // A class that gybes downwind: the default class sails dead downwind, so
  // its run sweeps no cone, and a stream across the leg leaves the leeward
  // mark off that line and the leg to route as a reach (with the windward
  // mark 5 degrees right of the wind that reach does not reach its mark).
  const TCorvaneOutcome outcome =
      Run({"route", "--windward-leeward", "--wind", "12@220", "--boat", "BLUEWATER-40-DEEP-MH", "--json"});
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  const nlohmann::json json = nlohmann::json::parse(outcome.out);
  ASSERT_EQ(json["tracks"].size(), 2u);
  const nlohmann::json& beat = json["tracks"][0];
  const nlohmann::json& run = json["tracks"][1];
  EXPECT_EQ(beat["TypeOfCourse"], 1);
  EXPECT_EQ(run["TypeOfCourse"], 3);
  // Straight upwind and back downwind.
  EXPECT_NEAR(beat["TrackAngle"].get<double>(), 220, 0.5);
  EXPECT_NEAR(run["TrackAngle"].get<double>(), 40, 0.5);
  EXPECT_EQ(run["IndexStart"], beat["IndexFinish"]);
  EXPECT_EQ(run["TrackFinish"], beat["TrackStart"]);

  const TCorvaneOutcome text = Run({"route", "--windward-leeward", "--topmark", "5", "--wind", "12@220", "--boat",
                                    "BLUEWATER-40-DEEP-MH"});
  ASSERT_EQ(text.code, 0) << text.err;
  EXPECT_NE(text.out.find("\nTrack Beat\n\nSETTINGS\n"), std::string::npos) << text.out;
  EXPECT_NE(text.out.find("\nTrack Run\n"), std::string::npos);
  EXPECT_NE(text.out.find("\nRESULTS Beat\n"), std::string::npos);
  // The windward mark lies 5 degrees right of the wind.
  EXPECT_EQ(RowValue(text.out, "Direction"), "225 deg");
  EXPECT_EQ(RowValue(text.out, "Topmark"), "+5 deg");
  EXPECT_EQ(RowValue(text.out, "True Wind"), "12 kts   220 deg");
}

}  // namespace
}  // namespace corvane
