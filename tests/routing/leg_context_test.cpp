#include "routing/leg_context.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/constants.h"
#include "routing_test_world.h"

namespace corvane {
namespace {

using routing_test::kStart;
using routing_test::TRecordingProgress;
using routing_test::TWorld;

// One stream or wind query as the conditions received it.
struct TQuery {
  TMinutes Position;
  double Hours;
};

TEST(LegContextTest, StreamAndWindAreReadAtTheLegsStartPlusTheTimeSailed) {
  std::vector<TQuery> streamQueries;
  std::vector<TQuery> windQueries;
  TWorld world;
  world.Conditions.Stream = [&](const TMinutes& p, double hours) {
    streamQueries.push_back({p, hours});
    return TCartesian{hours, p.Lat};
  };
  world.Conditions.Wind = [&](const TMinutes& p, double hours) {
    windQueries.push_back({p, hours});
    return TCartesian{p.Lon, hours};
  };
  const TLegContext leg = world.Context(routing_test::Leg(0, 2), 1.5);
  const TMathTools math;
  const TMinutes position{-79.5, 3041};

  const TCartesian stream = leg.StreamAt(position, 0.25);
  EXPECT_EQ(stream.x, 1.75);
  EXPECT_EQ(stream.y, 3041);
  // The radian form reaches the conditions as the same minutes.
  leg.StreamAt(math.MinutesToBogen(position), 0.5);
  const TCartesian wind = leg.WindAt(math.MinutesToBogen(position), 2);
  EXPECT_NEAR(wind.x, -79.5, 1e-9);
  EXPECT_EQ(wind.y, 3.5);

  ASSERT_EQ(streamQueries.size(), 2u);
  EXPECT_EQ(streamQueries[1].Hours, 2);
  EXPECT_NEAR(streamQueries[1].Position.Lon, -79.5, 1e-9);
  EXPECT_NEAR(streamQueries[1].Position.Lat, 3041, 1e-9);
  ASSERT_EQ(windQueries.size(), 1u);
  EXPECT_NEAR(windQueries[0].Position.Lat, 3041, 1e-9);
}

TEST(LegContextTest, EmptyConditionsMeanStillWaterTheTrueWindAndWaterEverywhere) {
  TWorld world;
  world.Conditions = routing_test::SteadyWind(90, 10);
  const TLegContext leg = world.Context(routing_test::Leg(0, 2), 3);
  const TMathTools math;
  const TBogen somewhere = math.MinutesToBogen(TMinutes{-200, 2000});
  const TCartesian stream = leg.StreamAt(somewhere, 1);
  EXPECT_EQ(stream.x, 0);
  EXPECT_EQ(stream.y, 0);
  const TCartesian wind = leg.WindAt(somewhere, 1);
  EXPECT_NEAR(wind.x, 10, 1e-12);
  EXPECT_NEAR(wind.y, 0, 1e-12);
  EXPECT_NEAR(leg.TrueWindVector.x, 10, 1e-12);
  EXPECT_TRUE(leg.Navigable(TMinutes{-200, 2000}));
}

TEST(LegContextTest, NavigableAsksTheConditionsAtThePosition) {
  TWorld world;
  world.Conditions.Navigable = routing_test::Headland({-81, -79, 3039, 3041});
  const TLegContext leg = world.Context(routing_test::Leg(0, 2));
  EXPECT_FALSE(leg.Navigable(kStart));
  EXPECT_TRUE(leg.Navigable(TMinutes{-78, 3040}));
}

TEST(LegContextTest, TheStreamOfTheLegsAreaReplacesTheConditionsStream) {
  TWorld world;
  world.Conditions.Stream = routing_test::UniformStream(1, 0);
  TLegContext leg = world.Context(routing_test::Leg(0, 2));
  EXPECT_NEAR(leg.StreamAt(kStart, 0).y, 1, 1e-12);
  leg.Stream = routing_test::UniformStream(2, 180);
  EXPECT_NEAR(leg.StreamAt(kStart, 0).y, -2, 1e-12);
}

TEST(LegContextTest, AFailureKeepsTheLastMessageAndAWarningLeavesTheLegValid) {
  TWorld world;
  TLegContext leg = world.Context(routing_test::Leg(0, 2));
  EXPECT_TRUE(leg.Valid);
  leg.Message = "Low VMG - routing might fail!";
  EXPECT_TRUE(leg.Valid);
  leg.Fail(TRoutingFailure::Shallows, "Error: Routing across shallow waters!");
  leg.Fail(TRoutingFailure::LowVMG, "Low VMG!");
  EXPECT_FALSE(leg.Valid);
  EXPECT_EQ(leg.FailureKind, TRoutingFailure::LowVMG);
  EXPECT_EQ(leg.Message, "Low VMG!");
}

TEST(LegContextTest, TheBarGrowsByStepsUpToTheEndOfTheLegsScale) {
  struct Case {
    const char* name;
    float filled;  // where the bar stands before the step
    float step;
    float after;
  };
  const Case cases[] = {
      {"from empty", 0, 1, 1},
      {"up to the end", kLegProgressEnd - 1, 1, kLegProgressEnd},
      {"at the end", kLegProgressEnd, 1, kLegProgressEnd},
      {"a step that would pass the end", kLegProgressEnd - 1, 2, kLegProgressEnd - 1},
  };
  TWorld world;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TRecordingProgress progress;
    TLegContext leg = world.Context(routing_test::Leg(0, 2), 0, &progress);
    EXPECT_TRUE(leg.Reporting());
    leg.Fill("Filled", c.filled);
    leg.Step("Stepped", c.step);
    ASSERT_EQ(progress.Values.size(), 2u);
    EXPECT_EQ(progress.Texts[1], "Stepped");
    EXPECT_EQ(progress.Values[1], c.after);
  }
  TRecordingProgress progress;
  TLegContext leg = world.Context(routing_test::Leg(0, 2), 0, &progress);
  leg.FillToEnd("Done");
  EXPECT_EQ(progress.Values.back(), kLegProgressEnd);
  EXPECT_EQ(progress.Texts.back(), "Done");
}

TEST(LegContextTest, StopIsAskedOfTheListenerAndNeverWithoutOne) {
  TWorld world;
  const TLegContext silent = world.Context(routing_test::Leg(0, 2));
  EXPECT_FALSE(silent.Reporting());
  EXPECT_FALSE(silent.StopRequested());
  TRecordingProgress progress;
  progress.StopAfter = 0;
  const TLegContext stopped = world.Context(routing_test::Leg(0, 2), 0, &progress);
  EXPECT_TRUE(stopped.StopRequested());
}

}  // namespace
}  // namespace corvane
