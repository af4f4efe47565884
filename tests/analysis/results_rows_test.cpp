// The rows of the results table: the two layouts, the values of a routed
// track, and "not computed" where the results are not valid or do not
// belong to the leg type.

#include "analysis/results_rows.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "routing_services_world.h"

namespace corvane {
namespace {

using services_test::TServicesWorld;

std::vector<std::string> TextsOf(const std::vector<TResultsRow>& rows) {
  std::vector<std::string> texts;
  for (const TResultsRow& row : rows) texts.push_back((row.Header ? "H " : "I ") + row.Text);
  return texts;
}

std::string DetailOf(const TResultsTable& table, std::size_t row) {
  return row < table.Rows.size() ? table.Rows[row].Detail : "(no row)";
}

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

TEST(ResultsRowsSetupTest, EachCourseTypeHasItsLayout) {
  EXPECT_EQ(TextsOf(GetResultsRowsSetup(3)),
            (std::vector<std::string>{"H Track", "I Start", "I Finish", "I Distance", "I Course", "H Results",
                                      "I Boatclass", "I Course", "I Start", "I Best Course", "I Losses Left",
                                      "I Losses Right", "I Currents Wind", "I Top Approach", "H VMG on Track",
                                      "I VMG Average", "I VMG Minimum", "H Currents Track", "I Direction",
                                      "I Speed"}));
  EXPECT_EQ(TextsOf(GetResultsRowsSetup(1)),
            (std::vector<std::string>{"H Settings", "I Boatclass", "I True Wind", "H Track", "I Direction",
                                      "I Distance", "I Topmark", "H Results", "I Best Course", "I Losses Left",
                                      "I Losses Right", "I Currents Wind", "I Top Approach", "I VMG Average",
                                      "I VMG Minimum"}));
  EXPECT_TRUE(GetResultsRowsSetup(0).empty());
  EXPECT_TRUE(GetResultsRowsSetup(2).empty());
}

class ResultsRowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(world_.Started());
    world_.SetCourse("183;177", 7, 60);
  }

  TServicesWorld world_;
  TInterfaceApplicationMobile& state_ = world_.State;
};

TEST_F(ResultsRowsTest, AnUnroutedTrackShowsItsGeometryAndNothingComputed) {
  const TResultsTable table = GetResultsRows(state_);
  EXPECT_EQ(table.LabelTrack, "Track 1");
  ASSERT_EQ(table.Rows.size(), 20u);
  EXPECT_EQ(table.Rows[0].Text, "TRACK");
  EXPECT_EQ(table.Rows[5].Text, "ROUTING");
  EXPECT_EQ(table.Rows[14].Text, "VMG ON TRACK");
  EXPECT_EQ(table.Rows[17].Text, "CURRENTS ON TRACK");
  EXPECT_EQ(DetailOf(table, 1), "Orrasey Post - 7Y");
  EXPECT_EQ(DetailOf(table, 2), "Fennick Post - 7S");
  EXPECT_EQ(DetailOf(table, 3), "2.99 nm");
  EXPECT_EQ(DetailOf(table, 4), "60 deg");
  // Whole, though longer than the other values.
  EXPECT_EQ(DetailOf(table, 6), "GRAND-SOLEIL39-NEW-C");
  for (const std::size_t row : {7u, 8u, 9u, 10u, 11u, 12u, 13u, 15u, 16u, 18u, 19u}) {
    SCOPED_TRACE(table.Rows[row].Text);
    EXPECT_EQ(DetailOf(table, row), "not computed");
  }
  for (const std::size_t row : {0u, 5u, 14u, 17u}) EXPECT_EQ(DetailOf(table, row), "");
}

TEST_F(ResultsRowsTest, ARoutedBeatShowsEveryResult) {
  ASSERT_TRUE(world_.Run(false, false).AllRouted()) << state_.AppMessage;
  const TRoutingData& track = *state_.ListRoutingData.GetItem(0);
  ASSERT_EQ(track.TypeOfCourse, 1);
  const TResultsTable table = GetResultsRows(state_, 0);
  EXPECT_EQ(DetailOf(table, 7), "Beat");
  EXPECT_EQ(DetailOf(table, 8), "15:00:00 h:m:s");
  for (const std::size_t row : {9u, 10u, 11u}) {
    SCOPED_TRACE(table.Rows[row].Text);
    EXPECT_TRUE(EndsWith(DetailOf(table, row), " h:m:s"));
  }
  EXPECT_TRUE(EndsWith(DetailOf(table, 12), " deg"));
  EXPECT_TRUE(EndsWith(DetailOf(table, 13), " deg"));
  EXPECT_TRUE(EndsWith(DetailOf(table, 15), " kts"));
  EXPECT_TRUE(EndsWith(DetailOf(table, 19), " kts"));
  // A beat of 2.99 nm in 7 knots of wind takes the yacht well over half an
  // hour and under an hour and a half.
  EXPECT_GT(track.TimeBestCourse, 0.5);
  EXPECT_LT(track.TimeBestCourse, 1.5);

  // Discarded results are not computed any more, the geometry stays.
  world_.Apps.ResetRouting(state_);
  const TResultsTable reset = GetResultsRows(state_, 0);
  EXPECT_EQ(DetailOf(reset, 9), "not computed");
  EXPECT_EQ(DetailOf(reset, 3), "2.99 nm");
}

TEST_F(ResultsRowsTest, LaylineLossesAndTheTopApproachBelongToTheirLegTypes) {
  ASSERT_TRUE(world_.Run(false, false).AllRouted()) << state_.AppMessage;
  TRoutingData& track = *state_.ListRoutingData.GetItem(0);
  struct Case {
    const char* name;
    int type;
    bool losses;
    bool topApproach;
  };
  const Case cases[] = {{"beat", 1, true, true}, {"reach", 2, false, false}, {"run", 3, true, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    track.TypeOfCourse = c.type;
    const TResultsTable table = GetResultsRows(state_, 0);
    // A value the leg type does not have is a dash with the reason beside
    // it, never "not computed", which reads like a failure.
    for (const auto& [row, applies] : {std::pair<std::size_t, bool>{10, c.losses}, {11, c.losses}, {13, c.topApproach}}) {
      SCOPED_TRACE(table.Rows[row].Text);
      const std::string detail = DetailOf(table, row);
      EXPECT_NE(detail, "not computed");
      EXPECT_EQ(detail == kNotApplicable, !applies);
      EXPECT_EQ(table.Rows[row].Note.empty(), applies);
    }
    EXPECT_NE(DetailOf(table, 9), "not computed");
  }
}

TEST_F(ResultsRowsTest, AWindwardLeewardCourseNamesItsTracksAndLegTypes) {
  state_.TrackType = 1;
  state_.ListWayPoints = "0;1";
  state_.ListRoutingData.IndexTopMark = 13;
  world_.Apps.SetListRoutingData(state_);
  state_.Wind.TrueWind.Betrag = 12;
  const TResultsTable before = GetResultsRows(state_, 0);
  EXPECT_EQ(before.LabelTrack, "Track Beat");
  ASSERT_EQ(before.Rows.size(), 15u);
  EXPECT_EQ(before.Rows[7].Text, "RESULTS not computed");
  EXPECT_EQ(DetailOf(before, 6), "+3 deg");
  EXPECT_EQ(DetailOf(before, 8), "not computed");

  ASSERT_TRUE(world_.Run(false, false).AllRouted()) << state_.AppMessage;
  const TResultsTable beat = GetResultsRows(state_, 0);
  const TResultsTable run = GetResultsRows(state_, 1);
  EXPECT_EQ(beat.Rows[7].Text, "RESULTS Beat");
  EXPECT_EQ(run.LabelTrack, "Track Run");
  EXPECT_EQ(run.Rows[7].Text, "RESULTS Run");
  EXPECT_EQ(DetailOf(beat, 2), "12 kts   " + std::to_string(static_cast<int>(std::lround(
                                                 state_.Wind.TrueWind.Winkel * kRadiansToDegrees))) + " deg");
  EXPECT_TRUE(EndsWith(DetailOf(run, 8), " h:m:s"));
  EXPECT_EQ(DetailOf(run, 12), kNotApplicable);  // no windward mark on a run
}

TEST_F(ResultsRowsTest, OtherCourseTypesAndMissingTracksGiveNoValues) {
  state_.TrackType = 2;
  EXPECT_TRUE(GetResultsRows(state_).Rows.empty());
  state_.TrackType = 3;
  const TResultsTable missing = GetResultsRows(state_, 5);
  EXPECT_EQ(missing.LabelTrack, "Track 6");
  ASSERT_EQ(missing.Rows.size(), 20u);
  EXPECT_EQ(DetailOf(missing, 3), "");
}

}  // namespace
}  // namespace corvane
