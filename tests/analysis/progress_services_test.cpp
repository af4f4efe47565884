// The progress bar of a routing run: its arithmetic on the state's fields
// and what the sink is told.

#include "analysis/progress_services.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvane {
namespace {

// Records every call in order: "show <value> <text>" and "visible 0/1".
class TRecordingBar : public TProgressSink {
 public:
  void ShowProgress(const TInterfaceApplicationMobile& state) override {
    Calls.push_back("show " + std::to_string(static_cast<int>(state.ProgressValue)) + " " +
                    state.ProgressText);
  }
  void SetProgressVisible(bool visible) override {
    Calls.push_back(std::string("visible ") + (visible ? "1" : "0"));
  }
  std::vector<std::string> Calls;
};

class ProgressServicesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    controls_.ProgressBar = &bar_;
    services_.SetupProgressBar(controls_);
  }

  TRecordingBar bar_;
  TPackageControls controls_;
  TProgressServices services_;
  TInterfaceApplicationMobile state_;
};

TEST_F(ProgressServicesTest, StartShowsTheBarAndTakesTheFirstStep) {
  state_.ProgressValue = 40;
  services_.StartProgressBar(state_);
  EXPECT_EQ(state_.ProgressMaxValue, 86);
  EXPECT_EQ(state_.ProgressValue, 1);
  EXPECT_EQ(state_.ProgressText, "Initializing routing");
  EXPECT_EQ(bar_.Calls, (std::vector<std::string>{"visible 1", "show 1 Initializing routing"}));
}

TEST_F(ProgressServicesTest, AStepNeverPassesTheEnd) {
  struct Case {
    std::string name;
    float value;
    float step;
    float after;
  };
  const std::vector<Case> cases = {
      {"inside", 10, 1, 11},
      {"up to the end", 85, 1, 86},
      {"at the end", 86, 1, 86},
      {"a long step that would pass the end", 80, 7, 80},
      {"a long step that just fits", 80, 6, 86},
      {"a zero step", 10, 0, 10},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    state_.ProgressMaxValue = 86;
    state_.ProgressValue = c.value;
    services_.StepProgressBar("Building dynamic grid beat", c.step, state_);
    EXPECT_EQ(state_.ProgressValue, c.after);
    EXPECT_EQ(state_.ProgressText, "Building dynamic grid beat");
  }
}

TEST_F(ProgressServicesTest, ARunOfManyStepsEndsAtTheEnd) {
  services_.StartProgressBar(state_);
  for (int i = 0; i < 200; ++i) {
    services_.StepProgressBar("Building isochronic grid reach", 1, state_);
    ASSERT_LE(state_.ProgressValue, state_.ProgressMaxValue);
  }
  EXPECT_EQ(state_.ProgressValue, 86);
}

TEST_F(ProgressServicesTest, FillSetsTheValue) {
  state_.ProgressMaxValue = 86;
  state_.ProgressValue = 60;
  services_.FillProgressBar("Processing results", 15, state_);
  EXPECT_EQ(state_.ProgressValue, 15);
  EXPECT_EQ(bar_.Calls.back(), "show 15 Processing results");
}

TEST_F(ProgressServicesTest, StopFillsTheBarAndHidesIt) {
  services_.StartProgressBar(state_);
  services_.StepProgressBar("Tidal currents", 1, state_);
  bar_.Calls.clear();

  services_.StopProgressBar(state_);
  EXPECT_EQ(state_.ProgressValue, 86);
  EXPECT_EQ(state_.ProgressText, "Routing finished");
  EXPECT_EQ(bar_.Calls, (std::vector<std::string>{"show 86 Routing finished", "visible 0"}));
}

TEST_F(ProgressServicesTest, WithoutABarTheFieldsStillChange) {
  TPackageControls none;
  services_.SetupProgressBar(none);
  EXPECT_EQ(services_.ProgressBar(), nullptr);

  services_.StartProgressBar(state_);
  EXPECT_EQ(state_.ProgressValue, 1);
  services_.StepProgressBar("Tidal currents", 2, state_);
  EXPECT_EQ(state_.ProgressValue, 3);
  services_.StopProgressBar(state_);
  EXPECT_EQ(state_.ProgressValue, 86);
  EXPECT_EQ(state_.ProgressText, "Routing finished");
  EXPECT_TRUE(bar_.Calls.empty());
}

}  // namespace
}  // namespace corvane
