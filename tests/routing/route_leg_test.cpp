#include "routing/route_leg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "core/constants.h"
#include "polars/package_polars.h"
#include "routing/isochronic_grid.h"
#include "routing/package_routing.h"
#include "routing/routing_area.h"
#include "routing_test_world.h"

namespace corvane {
namespace {

using routing_test::kStart;
using routing_test::TRecordingProgress;
using routing_test::TWorld;

TEST(RouteLegTest, TheTestTableCanRouteEveryLegType) {
  const TPackagePolars lookups;
  const TPolars polars = routing_test::TestPolars();
  EXPECT_TRUE(lookups.GetValidBeat(polars));
  EXPECT_TRUE(lookups.GetValidRun(polars));
  EXPECT_TRUE(lookups.GetValidReach(polars));
}

TEST(RouteLegTest, EachLegTypeIsRoutedWithItsResults) {
  struct Case {
    const char* name;
    double bearing;
    TLegType type;
  };
  const Case cases[] = {
      {"beat", 10, TLegType::Beat},
      {"run", 175, TLegType::Run},
      {"reach", 260, TLegType::Reach},
  };
  const TWorld world;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TRoutingData leg = routing_test::Leg(c.bearing, 2.5);
    const TLegRouting result = world.Route(leg);
    ASSERT_TRUE(result.Routed()) << result.Error->Message;
    EXPECT_EQ(result.Type(), c.type);
    EXPECT_EQ(result.Warning, "");
    EXPECT_TRUE(result.FinishTimed);
    const TRoutingData& track = result.Track;
    EXPECT_EQ(track.TrackStart.Lon, leg.TrackStart.Lon);
    EXPECT_GT(track.TimeBestCourse, 0.2);
    EXPECT_LT(track.TimeBestCourse, 1);
    EXPECT_GT(track.ListBestCourse.Count(), 3);
    EXPECT_GT(track.ListLaylineLeft.Count(), 1);
    EXPECT_GT(track.ListLaylineRight.Count(), 1);
    EXPECT_EQ(track.DateTimeFinishGMT,
              IncSecond(leg.DateTimeStartGMT, std::llround(track.TimeBestCourse * 3600)));
    // Every leg keeps the beat cone that decided its type.
    EXPECT_GT(result.Detection.Count(), 3);
    EXPECT_EQ(result.Detection.GetInPolygon(track.TrackFinish, false), c.type == TLegType::Beat);
    // The lookups for the true wind of 12 knots come with a beat or a run.
    ASSERT_EQ(result.PolarsForWind.has_value(), c.type != TLegType::Reach);
    if (result.PolarsForWind) {
      EXPECT_EQ(result.PolarsForWind->BeatSpeed, 6.9);
      EXPECT_EQ(result.PolarsForWind->BeatAngle, 38.4);
      EXPECT_EQ(result.PolarsForWind->BeatTackTime, 7.2);
      EXPECT_EQ(result.PolarsForWind->RunSpeed, 5.7);
      EXPECT_EQ(result.PolarsForWind->GybeAngle, 158);
    }
  }
}

TEST(RouteLegTest, FailuresCarryTheirKindAndMessage) {
  const TMinutes finish = routing_test::Leg(0, 2).TrackFinish;
  // Two ponds, one around each mark of a 2-mile leg north or east.
  const auto ponds = [](const TMinutes& other) {
    return [other](const TMinutes& p) {
      const auto near = [&p](const TMinutes& m) {
        return std::fabs(p.Lon - m.Lon) < 0.05 && std::fabs(p.Lat - m.Lat) < 0.05;
      };
      return near(kStart) || near(other);
    };
  };
  const TMinutes reachFinish = routing_test::Leg(260, 2).TrackFinish;
  struct Case {
    const char* name;
    double bearing;
    std::function<void(TWorld&)> change;
    int stopAfter;  // reports before the listener asks to stop; never when negative
    TRoutingFailure kind;
    const char* message;
    int type;  // the leg type decided before the failure
  };
  const Case cases[] = {
      {"start ashore", 0,
       [](TWorld& w) { w.Conditions.Navigable = routing_test::Headland({-80.1, -79.9, 3039.9, 3040.1}); },
       -1, TRoutingFailure::MarksAshore, "Error: Course marks in shallow waters!", 0},
      {"beat angles out of range", 0, [](TWorld& w) { w.Polars.BeatAngles[7] = 70; }, -1,
       TRoutingFailure::PolarsNotValid, "Polars not valid beat!", kCourseBeat},
      {"gybe angles out of range", 180, [](TWorld& w) { w.Polars.GybeAngles[7] = 100; }, -1,
       TRoutingFailure::PolarsNotValid, "Polars not valid run!", kCourseRun},
      {"a reach row too slow", 260, [](TWorld& w) { w.Polars.Velocity[7][3] = 1; }, -1,
       TRoutingFailure::PolarsNotValid, "Polars not valid reach!", kCourseReach},
      {"beat longer than the limit", 0, [](TWorld& w) { w.Options.MaxHoursToFinish = 0.1; }, -1,
       TRoutingFailure::LowVMGEstimate, "Error: Low VMG!", kCourseBeat},
      {"reach longer than the limit", 260, [](TWorld& w) { w.Options.MaxHoursToFinish = 0.1; }, -1,
       TRoutingFailure::LowVMGEstimate, "Error: Low VMG!", kCourseReach},
      {"beat across dry land", 0, [&](TWorld& w) { w.Conditions.Navigable = ponds(finish); }, -1,
       TRoutingFailure::Shallows, "Error: Routing across shallow waters!", kCourseBeat},
      {"reach across dry land", 260, [&](TWorld& w) { w.Conditions.Navigable = ponds(reachFinish); }, -1,
       TRoutingFailure::Failed, "Routing failed", kCourseReach},
      // Over ground both edges of the beat cone head off at some 75 degrees
      // from the wind and never enclose the finish: a reach, refused as
      // too slow to sail.
      {"beat against a stream almost as fast as the beat", 0,
       [](TWorld& w) { w.Conditions.Stream = routing_test::UniformStream(3.5, 180); }, -1,
       TRoutingFailure::LowVMGEstimate, "Error: Low VMG!", kCourseReach},
      {"beat cancelled", 0, [](TWorld&) {}, 20, TRoutingFailure::Cancelled, "Routing cancelled", kCourseBeat},
      {"reach cancelled", 260, [](TWorld&) {}, 20, TRoutingFailure::Cancelled, "Routing cancelled",
       kCourseReach},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TWorld world;
    c.change(world);
    TRecordingProgress progress;
    progress.StopAfter = c.stopAfter;
    const TLegRouting result = world.Route(routing_test::Leg(c.bearing, 2), 0, &progress);
    ASSERT_FALSE(result.Routed());
    EXPECT_EQ(result.Error->Kind, c.kind);
    EXPECT_EQ(result.Error->Message, c.message);
    EXPECT_EQ(result.Track.TypeOfCourse, c.type);
    EXPECT_EQ(result.Warning, "");
    EXPECT_FALSE(result.FinishTimed);
    // The bar is filled whatever the end, once the leg got past its marks.
    ASSERT_EQ(progress.Values.empty(), c.type == 0);
    if (c.type != 0) {
      EXPECT_EQ(progress.Values.back(), kLegProgressEnd);
    }
  }
}

TEST(RouteLegTest, ALegSlowedByTheStreamIsRoutedWithAWarning) {
  TWorld world;
  // In 6 knots of wind the boat beats at 4.9 knots, 43.5 degrees off the
  // wind; 2 knots foul leave 1.55 made good.
  world.Conditions = routing_test::SteadyWind(0, 6);
  world.Conditions.Stream = routing_test::UniformStream(2, 180);
  const TLegRouting result = world.Route(routing_test::Leg(0, 1));
  ASSERT_TRUE(result.Routed()) << result.Error->Message;
  EXPECT_EQ(result.Type(), TLegType::Beat);
  EXPECT_EQ(result.Warning, "Low VMG - routing might fail!");
  EXPECT_NEAR(result.Track.TrackVMG, 4.9 * std::cos(43.5 * kDegreesToRadians) - 2, 0.01);
}

TEST(RouteLegTest, ABeatReadsTheStreamOfItsHexagonAndAReachThatOfItsCorridor) {
  struct Case {
    const char* name;
    double bearing;
    bool corridor;
  };
  const Case cases[] = {{"beat", 0, false}, {"run", 180, false}, {"reach", 260, true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<TListMinutes> areas;
    std::vector<int> reads;  // queries of the stream of each area
    int everywhere = 0;
    TWorld world;
    world.Conditions.Stream = [&everywhere](const TMinutes&, double) {
      ++everywhere;
      return TCartesian{};
    };
    world.Conditions.StreamWithin = [&](const TListMinutes& area) {
      const std::size_t index = areas.size();
      areas.push_back(area);
      reads.push_back(0);
      return [&reads, index](const TMinutes&, double) {
        ++reads[index];
        return TCartesian{};
      };
    };
    const TRoutingData leg = routing_test::Leg(c.bearing, 2);
    const TLegRouting result = world.Route(leg);
    ASSERT_TRUE(result.Routed()) << result.Error->Message;
    EXPECT_EQ(everywhere, 0);
    ASSERT_EQ(areas.size(), c.corridor ? 2u : 1u);

    const TMathTools math;
    const TListMinutes hexagon = GetRoutingHexagon(math, leg);
    ASSERT_EQ(areas[0].size(), hexagon.size());
    for (std::size_t i = 0; i < hexagon.size(); ++i) {
      EXPECT_EQ(areas[0][i].Lon, hexagon[i].Lon);
      EXPECT_EQ(areas[0][i].Lat, hexagon[i].Lat);
    }
    EXPECT_GT(reads[0], 0);
    if (c.corridor) {
      TIsochronicGrid grid;
      TListCoords starts;
      TListCoords finishes;
      const TListMinutes corridor =
          grid.GetStripesReach(leg.TrackStart, leg.TrackFinish, kCountStripes, starts, finishes, leg);
      ASSERT_EQ(areas[1].size(), corridor.size());
      for (std::size_t i = 0; i < corridor.size(); ++i) {
        EXPECT_EQ(areas[1][i].Lon, corridor[i].Lon);
        EXPECT_EQ(areas[1][i].Lat, corridor[i].Lat);
      }
      // The isochrones read the corridor's stream, and only that.
      EXPECT_GT(reads[1], 100);
    }
  }
}

TEST(RouteLegTest, ProgressRunsThroughTheStagesToTheEndOfTheScale) {
  struct Case {
    const char* name;
    double bearing;
    std::vector<std::string> stages;  // in the order they first report
  };
  const Case cases[] = {
      {"beat", 0, {"Detecting course type", "Building dynamic grid beat", "Building dynamic grid Beat",
                   "Processing results"}},
      {"run", 180, {"Detecting course type", "Building dynamic grid run", "Building dynamic grid Run",
                    "Processing results"}},
      {"reach", 260, {"Detecting course type", "Building stripes reach", "Building isochronic grid reach",
                      "Processing results"}},
  };
  const TWorld world;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRecordingProgress progress;
    ASSERT_TRUE(world.Route(routing_test::Leg(c.bearing, 2), 0, &progress).Routed());
    std::vector<std::string> stages;
    for (const std::string& text : progress.Texts) {
      if (std::find(stages.begin(), stages.end(), text) == stages.end()) stages.push_back(text);
    }
    EXPECT_EQ(stages, c.stages);
    // The type is decided at 2 K + 5.
    const auto decided = std::find(progress.Values.begin(), progress.Values.end(), kLegProgressAfterCourseType);
    ASSERT_NE(decided, progress.Values.end());
    EXPECT_EQ(progress.Texts[static_cast<std::size_t>(decided - progress.Values.begin())],
              "Detecting course type");
    for (float value : progress.Values) EXPECT_LE(value, kLegProgressEnd);
    EXPECT_EQ(progress.Texts.back(), "Processing results");
    EXPECT_EQ(progress.Values.back(), kLegProgressEnd);
  }
}

TEST(RouteLegTest, AStopRequestedBeforeTheGridStillDecidesTheTypeAndStopsAtLineTwo) {
  TWorld world;
  world.Options.TraceGrid = true;
  TRecordingProgress progress;
  progress.StopAfter = 0;
  const TLegRouting result = world.Route(routing_test::Leg(0, 2), 0, &progress);
  ASSERT_FALSE(result.Routed());
  EXPECT_EQ(result.Error->Kind, TRoutingFailure::Cancelled);
  EXPECT_EQ(result.Type(), TLegType::Beat);
  EXPECT_GT(result.Detection.Count(), 3);
  EXPECT_EQ(result.GridTrace.size(), 2u);
}

TEST(RouteLegTest, TheGridTraceHoldsOneLineEachWhenAskedFor) {
  TWorld world;
  const TRoutingData leg = routing_test::Leg(0, 2);
  const TLegRouting quiet = world.Route(leg);
  ASSERT_TRUE(quiet.Routed());
  EXPECT_TRUE(quiet.GridTrace.empty());

  world.Options.TraceGrid = true;
  const TLegRouting traced = world.Route(leg);
  ASSERT_TRUE(traced.Routed());
  ASSERT_GT(traced.GridTrace.size(), 2u);
  EXPECT_EQ(traced.GridBestLine, static_cast<int>(traced.GridTrace.size()) - 1);
  EXPECT_GT(traced.GridHoursPerLine, 0);
  for (std::size_t i = 0; i < traced.GridTrace.size(); ++i) {
    SCOPED_TRACE(i);
    const TGridLineTrace& line = traced.GridTrace[i];
    EXPECT_EQ(line.Points, static_cast<int>(i) + 1);
    EXPECT_EQ(line.Afloat, line.Points);  // open water
    EXPECT_GE(line.BestIndex, 1);
    EXPECT_LE(line.BestIndex, line.Points);
  }
  const TGridLineTrace& best = traced.GridTrace[static_cast<std::size_t>(traced.GridBestLine - 1)];
  EXPECT_EQ(best.BestIndex, traced.GridBestIndex);
  EXPECT_LT(best.BestDistance, 0.1);
  // Tracing changes nothing of the route.
  EXPECT_EQ(traced.Track.TimeBestCourse, quiet.Track.TimeBestCourse);
}

TEST(RouteLegTest, TheResultsALegAlreadyHoldsAreNotRead) {
  const TWorld world;
  const TRoutingData fresh = routing_test::Leg(10, 2);
  TRoutingData stale = fresh;
  stale.TypeOfCourse = kCourseRun;
  stale.TimeBestCourse = 99;
  stale.LayLinesValid = true;
  stale.ListBestCourse.Add(-90, 3000);
  stale.ListBoat.Add().Tack = true;
  stale.StreamOnTrack = TCartesian{5, 5};
  const TLegRouting a = world.Route(fresh);
  const TLegRouting b = world.Route(stale);
  ASSERT_TRUE(a.Routed());
  ASSERT_TRUE(b.Routed());
  EXPECT_EQ(b.Type(), TLegType::Beat);
  EXPECT_EQ(b.Track.TimeBestCourse, a.Track.TimeBestCourse);
  EXPECT_EQ(b.Track.ListBestCourse.Count(), a.Track.ListBestCourse.Count());
  EXPECT_EQ(b.Track.ListBoat.Count(), a.Track.ListBoat.Count());
  EXPECT_EQ(b.Track.StreamOnTrack.x, 0);
}

TEST(RouteLegTest, LegsRoutedAtTheSameTimeOnOtherThreadsGetTheSameResults) {
  TWorld world;
  world.Conditions.Stream = routing_test::ReversingStream(0.8, 200, 0.3);
  world.Conditions.Wind = routing_test::GribWind(12, 0, 5);
  const double bearings[] = {10, 175, 260, 350};
  std::vector<double> serial;
  for (double bearing : bearings) serial.push_back(world.Route(routing_test::Leg(bearing, 2)).Track.TimeBestCourse);

  std::vector<double> parallel(std::size(bearings));
  std::vector<std::thread> threads;
  for (std::size_t i = 0; i < std::size(bearings); ++i) {
    threads.emplace_back([&, i] { parallel[i] = world.Route(routing_test::Leg(bearings[i], 2)).Track.TimeBestCourse; });
  }
  for (std::thread& thread : threads) thread.join();
  for (std::size_t i = 0; i < serial.size(); ++i) {
    SCOPED_TRACE(bearings[i]);
    EXPECT_GT(serial[i], 0);
    EXPECT_EQ(parallel[i], serial[i]);
  }
}

// A wind direction handed over without being reduced to one turn (a
// settings file may hold 700 radians) is the same wind: the leg routes as
// in the reduced direction, and as quickly.
TEST(RouteLegTest, AWindDirectionOfManyTurnsRoutesAsTheSameDirectionWithinOneTurn) {
  struct Case {
    const char* name;
    double bearing;
    double turns;  // whole turns added to the wind's direction
  };
  const Case cases[] = {
      {"beat, 111 turns", 10, 111},     {"run, 111 turns", 175, 111},   {"reach, 111 turns", 260, 111},
      {"reach, -111 turns", 260, -111}, {"beat, -3 turns", 10, -3},     {"reach, 1e6 turns", 260, 1e6},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TRoutingData leg = routing_test::Leg(c.bearing, 2.5);
    TWorld reduced;
    reduced.Conditions = routing_test::SteadyWind(20);
    TWorld turned;
    turned.Conditions = reduced.Conditions;
    turned.Conditions.TrueWind.Winkel += c.turns * 2 * kPi;
    const TLegRouting expected = reduced.Route(leg);
    ASSERT_TRUE(expected.Routed()) << expected.Error->Message;
    const auto begin = std::chrono::steady_clock::now();
    const TLegRouting result = turned.Route(leg);
    EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(2));
    ASSERT_TRUE(result.Routed()) << result.Error->Message;
    EXPECT_EQ(result.Type(), expected.Type());
    EXPECT_NEAR(result.Track.TimeBestCourse, expected.Track.TimeBestCourse, 1e-6);
  }
}

}  // namespace
}  // namespace corvane
