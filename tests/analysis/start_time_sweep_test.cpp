// The start-time sweep: each start gives what a run at that moment gives,
// leg after leg; the best start is the shortest course; a leg that cannot
// be routed shows as such and the sweep goes on; a stop keeps what is done;
// and the state's moment comes back.

#include "analysis/start_time_sweep.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "core/date_time.h"
#include "routing_services_world.h"

namespace corvane {
namespace {

using services_test::TServicesWorld;

class StartTimeSweepTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(world_.Started()); }

  // Starts every `step` minutes from 1 September 2016 `hour`:00 local.
  TSweepRequest Request(int hour, int starts, int step) {
    state_.DateTimeLOC = EncodeDateTime(2016, 9, 1, static_cast<std::uint16_t>(hour), 0, 0, 0);
    SetDateTimeGMT(state_);
    TSweepRequest request;
    request.FromGMT = state_.DateTimeGMT;
    request.ToGMT = IncMinute(request.FromGMT, static_cast<std::int64_t>(starts - 1) * step);
    request.StepMinutes = step;
    return request;
  }

  TSweep Sweep(const TSweepRequest& request, const TSweepListener& listener = {}) {
    return SweepStartTimes(request, world_.Apps, world_.Controls, state_, listener);
  }

  TServicesWorld world_;
  TInterfaceApplicationMobile& state_ = world_.State;
};

TEST_F(StartTimeSweepTest, EachStartIsTheRunOfItsMomentAndTheBestIsTheShortest) {
  // A beat and a reach, leg after leg, at three starts an hour and a half
  // apart across the turn of the tide.
  world_.SetCourse("183;177;37", 12, 60);
  const TSweepRequest request = Request(11, 3, 90);
  const TSweep sweep = Sweep(request);
  ASSERT_EQ(sweep.Starts.size(), 3u);
  ASSERT_EQ(sweep.LegNames.size(), 2u);
  EXPECT_FALSE(sweep.Stopped);

  int best = -1;
  for (std::size_t k = 0; k < sweep.Starts.size(); ++k) {
    SCOPED_TRACE("start " + std::to_string(k));
    const TSweptStart& start = sweep.Starts[k];
    state_.DateTimeGMT = start.StartGMT;
    SetDateTimeLOC(state_);
    ASSERT_TRUE(world_.Run(true, false).AllRouted()) << state_.AppMessage;
    ASSERT_TRUE(start.Complete);
    const TListRoutingData& tracks = state_.ListRoutingData;
    for (int leg = 0; leg < 2; ++leg) {
      EXPECT_EQ(start.Legs[static_cast<std::size_t>(leg)].TypeOfCourse, tracks.GetItem(leg)->TypeOfCourse);
      EXPECT_DOUBLE_EQ(start.Legs[static_cast<std::size_t>(leg)].Hours, tracks.GetItem(leg)->TimeBestCourse);
    }
    EXPECT_EQ(tracks.GetItem(1)->DateTimeStartGMT, tracks.GetItem(0)->DateTimeFinishGMT)
        << "the second leg starts when the first finishes";
    EXPECT_NEAR((tracks.GetItem(1)->DateTimeFinishGMT - start.StartGMT) * 24, start.TotalHours, 1e-9);
    EXPECT_EQ(start.HighWaterText, tracks.GetItem(0)->HoursToRefTideText);
    if (best < 0 || start.TotalHours < sweep.Starts[static_cast<std::size_t>(best)].TotalHours) {
      best = static_cast<int>(k);
    }
  }
  EXPECT_EQ(sweep.Best, best);
  for (const TSweptStart& start : sweep.Starts) {
    EXPECT_NEAR(start.LossHours, start.TotalHours - sweep.Starts[static_cast<std::size_t>(best)].TotalHours, 1e-12);
  }
  EXPECT_FALSE(sweep.HighWatersLOC.empty()) << "the high water of 13:16 lies in the window";
}

TEST_F(StartTimeSweepTest, ALegThatCannotBeRoutedIsShownAndTheSweepGoesOn) {
  // A dinghy whose polar cannot sail a reach: the run home routes, the reach
  // after it does not (later in the afternoon the stream turns it into a
  // beat), and no start routes the whole course.
  world_.SetCourse("37;183;177", 10, 95);
  world_.SetBoat("DUO-CLASSIC-420");
  const TSweep sweep = Sweep(Request(15, 2, 10));
  ASSERT_EQ(sweep.Starts.size(), 2u);
  for (const TSweptStart& start : sweep.Starts) {
    ASSERT_EQ(start.Legs.size(), 2u);
    EXPECT_TRUE(start.Legs[0].Routed);
    EXPECT_FALSE(start.Legs[1].Routed);
    EXPECT_EQ(start.Legs[1].Failure, "Polars not valid reach!");
    EXPECT_FALSE(start.Complete);
  }
  EXPECT_EQ(sweep.Best, -1);

  // A start at which the first leg fails has no start for the second.
  state_.ListMapTiles.clear();
  const TSweep ashore = Sweep(Request(15, 1, 10));
  ASSERT_EQ(ashore.Starts.size(), 1u);
  EXPECT_EQ(ashore.Starts[0].Legs[0].Failure, "Error: Course marks in shallow waters!");
  EXPECT_EQ(ashore.Starts[0].Legs[1].Failure, "no start: the leg before was not routed");
}

TEST_F(StartTimeSweepTest, AStopKeepsWhatIsDoneAndTheMomentComesBack) {
  world_.SetCourse("183;177", 12, 60);
  const TDateTime chosen = EncodeDateTime(2016, 9, 1, 12, 0, 0, 0);
  const TSweepRequest request = Request(14, 4, 10);
  state_.DateTimeGMT = chosen;
  SetDateTimeLOC(state_);

  std::atomic<bool> stop = false;
  TSweepListener listener;
  listener.Stop = &stop;
  int reports = 0;
  listener.Progress = [&](int done, int total) {
    ++reports;
    EXPECT_LE(done, total);
    stop = true;  // after the first start
  };
  const TSweep sweep = Sweep(request, listener);
  EXPECT_TRUE(sweep.Stopped);
  EXPECT_GE(sweep.Starts.size(), 1u);
  EXPECT_LT(sweep.Starts.size(), 4u);
  EXPECT_GE(reports, 1);
  EXPECT_EQ(state_.DateTimeGMT, chosen);
  EXPECT_FALSE(state_.DrawRouting) << "the sweep's runs leave no routing results";
}

TEST(StartTimeSweepRequestTest, RefusesWhatCannotBeSwept) {
  const TDateTime from = EncodeDateTime(2016, 9, 1, 9, 0, 0, 0);
  struct Case {
    const char* name;
    double hours;
    int step;
    std::string why;  // empty: accepted
  };
  const Case cases[] = {
      {"a day every ten minutes", 24, 10, ""},
      {"one start", 0, 10, ""},
      {"no step", 1, 0, "the step must be a whole number of minutes, at least 1"},
      {"backwards", -1, 10, "the last start comes before the first"},
      {"too many starts", 100, 1, "6001 starts; at most 2000 (a longer step or a shorter window)"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TSweepRequest request;
    request.FromGMT = from;
    request.ToGMT = IncMinute(from, static_cast<std::int64_t>(c.hours * 60));
    request.StepMinutes = c.step;
    EXPECT_EQ(CheckSweepRequest(request).value_or(""), c.why);
  }
}

}  // namespace
}  // namespace corvane
