// The course table: courses routed end to end on the built-in data sets
// (beats, runs and reaches in both stream directions, a leg along the shore,
// a windward-leeward course, GRIB wind, a depth line, a calibration, a
// dinghy, and two failures), each pinned to its leg types and leg times as
// measured on the routing that came before the routing core was rebuilt,
// but for the four reaches with the wind on their left, which end with a
// run on to the finish at the reach speed of the angle to the wind (1.5 to
// 40 s shorter than when that run read the table past its run row), and
// for the legs after the first of a course, which sail the stream and the
// wind of the time they start, when the leg before finishes (they were
// routed against the chosen moment, as if every leg started then).
// A change of the engine that moves a leg's time by more than a second, or
// types a leg differently, shows here by the course's name.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "run_corvane.h"

namespace corvane {
namespace {

struct TLeg {
  int Type;        // 1 beat, 2 reach, 3 run
  double Seconds;  // TimeBestCourse
};

struct TCourseCase {
  const char* Name;
  std::vector<std::string> Args;
  int ExitCode;
  std::vector<TLeg> Legs;
  const char* Message;  // standard error, empty when none
};

// A failing case names its course rather than dumping the struct's bytes.
void PrintTo(const TCourseCase& c, std::ostream* os) { *os << c.Name; }

const std::string kGribWind = std::string(CORVANE_GRIB_FIXTURES) + "/wind_bits.grb";

// Times are local at the reference port (high water 13:16, low water 17:24
// on 1 September 2016); without --time the default moment, 15:00.
const std::vector<TCourseCase>& Cases() {
  static const std::vector<TCourseCase> cases = {
      {"DefaultCourse", {}, 0, {{1, 3913.7}}, ""},
      {"ThreeLegCourse", {"--course", "183,177,37,183", "--wind", "12@95"}, 0,
       {{2, 2138.2}, {2, 1126.1}, {3, 2105.7}}, ""},
      {"BeatBeforeHighWater", {"--course", "183,177", "--wind", "12@60", "--time", "2016-09-01 09:00"}, 0,
       {{1, 1295.6}}, ""},
      {"BeatAfterHighWater", {"--course", "183,177", "--wind", "12@60", "--time", "2016-09-01 15:00"}, 0,
       {{1, 2686.6}}, ""},
      {"BeatFreshWindNearLowWater",
       {"--course", "183,177", "--wind", "16@60", "--time", "2016-09-01 18:00"}, 0, {{1, 1580.2}}, ""},
      {"RunAfterHighWater", {"--course", "37,183", "--wind", "12@95", "--time", "2016-09-01 15:00"}, 0,
       {{3, 2019.5}}, ""},
      {"RunBeforeHighWater", {"--course", "37,183", "--wind", "12@95", "--time", "2016-09-01 09:00"}, 0,
       {{3, 2731.4}}, ""},
      {"ReachAfterHighWater", {"--course", "183,177", "--wind", "12@150", "--time", "2016-09-01 15:00"}, 0,
       {{2, 1802.0}}, ""},
      {"ReachBeforeHighWater", {"--course", "183,177", "--wind", "12@150", "--time", "2016-09-01 09:00"}, 0,
       {{2, 1026.9}}, ""},
      {"BeatAlongTheShore", {"--course", "126,152", "--wind", "12@80", "--time", "2016-09-01 15:00"}, 0,
       {{1, 1034.5}}, ""},
      {"WindwardLeeward", {"--windward-leeward", "--wind", "10@220", "--time", "2016-09-01 12:00"}, 0,
       {{1, 524.0}, {2, 768.2}}, ""},
      {"GribWindBeat", {"--grib", kGribWind, "--time", "2016-06-12 07:30", "--course", "183,27"}, 0,
       {{1, 806.6}}, ""},
      {"GribWindReach", {"--grib", kGribWind, "--time", "2016-06-12 07:30", "--course", "183,177"}, 0,
       {{2, 1900.2}}, ""},
      {"DepthLine", {"--depth", "2", "--course", "183,177", "--wind", "12@60"}, 0, {{1, 2667.9}}, ""},
      {"Calibrated", {"--shift", "60", "--range", "30", "--course", "183,177", "--wind", "12@60"}, 0,
       {{1, 4030.1}}, ""},
      {"DinghyRun", {"--boat", "DUO-CLASSIC-420", "--course", "37,183", "--wind", "10@95"}, 0, {{3, 2341.4}}, ""},
      {"DinghyBeat", {"--boat", "DUO-CLASSIC-420", "--course", "183,177", "--wind", "10@60"}, 0,
       {{1, 4053.4}}, ""},
      {"TwoReachesInTheEast", {"--course", "26,104,190", "--wind", "14@240", "--time", "2016-09-01 11:00"}, 0,
       {{2, 1035.1}, {2, 1526.4}}, ""},
      {"GribWindBeatAcrossShallows",
       {"--grib", kGribWind, "--time", "2016-06-12 08:30", "--course", "183,177"}, 1, {{1, 1922.5}},
       "Error: Routing across shallow waters!\n"},
      {"DinghyCannotReach", {"--boat", "DUO-CLASSIC-420", "--course", "37,183,177", "--wind", "10@95"}, 1,
       {{3, 2341.4}, {2, 0.0}}, "Polars not valid reach!\n"},
  };
  return cases;
}

class CourseTableTest : public ::testing::TestWithParam<TCourseCase> {};

TEST_P(CourseTableTest, RoutesToTheMeasuredLegTypesAndTimes) {
  const TCourseCase& c = GetParam();
  std::vector<std::string> args = {"route", "--json"};
  args.insert(args.end(), c.Args.begin(), c.Args.end());
  const TCorvaneOutcome outcome = TCorvaneRunner().Run(args);
  EXPECT_EQ(outcome.code, c.ExitCode);
  EXPECT_EQ(outcome.err, c.Message);

  const nlohmann::json json = nlohmann::json::parse(outcome.out, nullptr, false);
  ASSERT_FALSE(json.is_discarded()) << outcome.out;
  const nlohmann::json& tracks = json.at("tracks");
  ASSERT_EQ(tracks.size(), c.Legs.size());
  for (std::size_t i = 0; i < c.Legs.size(); ++i) {
    SCOPED_TRACE("leg " + std::to_string(i + 1));
    EXPECT_EQ(tracks[i].at("TypeOfCourse").get<int>(), c.Legs[i].Type);
    EXPECT_NEAR(tracks[i].at("TimeBestCourse").get<double>() * 3600, c.Legs[i].Seconds, 1.0);
  }
}

INSTANTIATE_TEST_SUITE_P(Courses, CourseTableTest, ::testing::ValuesIn(Cases()),
                         [](const ::testing::TestParamInfo<TCourseCase>& info) { return info.param.Name; });

}  // namespace
}  // namespace corvane
