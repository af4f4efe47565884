#include "polars/polar_validity.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace corvane {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// A table that passes all three checks: beat 40 degrees at 5 knots, gybe
// 150 degrees at 6 knots, every fixed-angle row at 6 knots, in the data
// columns 1 to 7; the bounding columns 0 and 8 stay 0.
TPolars GoodTable() {
  TPolars p;
  p.Reset();
  for (std::size_t c = 1; c <= 7; ++c) {
    p.BeatAngles[c] = 40;
    p.GybeAngles[c] = 150;
    p.Velocity[c][0] = 5;
    for (std::size_t r = 1; r <= 8; ++r) p.Velocity[c][r] = 6;
    p.Velocity[c][9] = 6;
  }
  return p;
}

struct Case {
  std::string name;
  std::function<void(TPolars&)> change;
  bool beat;
  bool run;
  bool reach;
};

TEST(PolarValidityTest, ChecksAngleAndSpeedBoundsOfEveryDataColumn) {
  const std::vector<Case> cases = {
      {"unchanged", [](TPolars&) {}, true, true, true},
      {"beat angle exactly 30", [](TPolars& p) { p.BeatAngles[4] = 30; }, false, true, true},
      {"beat angle just above 30", [](TPolars& p) { p.BeatAngles[4] = 30.01; }, true, true, true},
      {"beat angle exactly 65", [](TPolars& p) { p.BeatAngles[1] = 65; }, false, true, true},
      {"beat angle just below 65", [](TPolars& p) { p.BeatAngles[1] = 64.99; }, true, true, true},
      {"beat speed exactly 2", [](TPolars& p) { p.Velocity[7][0] = 2; }, false, true, true},
      {"beat speed just above 2", [](TPolars& p) { p.Velocity[7][0] = 2.01; }, true, true, true},
      {"beat angle NaN", [](TPolars& p) { p.BeatAngles[3] = kNaN; }, false, true, true},
      {"gybe angle exactly 110", [](TPolars& p) { p.GybeAngles[2] = 110; }, true, false, true},
      {"gybe angle just above 110", [](TPolars& p) { p.GybeAngles[2] = 110.01; }, true, true, true},
      {"gybe angle exactly 180", [](TPolars& p) { p.GybeAngles[6] = 180; }, true, true, true},
      {"gybe angle above 180", [](TPolars& p) { p.GybeAngles[6] = 180.01; }, true, false, true},
      {"run speed exactly 2", [](TPolars& p) { p.Velocity[5][9] = 2; }, true, false, true},
      {"run speed NaN", [](TPolars& p) { p.Velocity[5][9] = kNaN; }, true, false, true},
      {"one reach speed exactly 2", [](TPolars& p) { p.Velocity[3][8] = 2; }, true, true, false},
      {"one reach speed 0 in the last data column", [](TPolars& p) { p.Velocity[7][1] = 0; }, true, true, false},
      {"reach speed NaN", [](TPolars& p) { p.Velocity[1][4] = kNaN; }, true, true, false},
      {"bounding columns are not data",
       [](TPolars& p) {
         p.BeatAngles[0] = 90;
         p.GybeAngles[8] = 20;
         p.Velocity[0][5] = 0;
         p.Velocity[8][9] = 0;
       },
       true, true, true},
      {"only beat and run rows, as a dinghy",
       [](TPolars& p) {
         for (std::size_t c = 1; c <= 7; ++c) {
           for (std::size_t r = 1; r <= 8; ++r) p.Velocity[c][r] = 0;
         }
       },
       true, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TPolars p = GoodTable();
    c.change(p);
    EXPECT_EQ(GetValidBeat(p), c.beat);
    EXPECT_EQ(GetValidRun(p), c.run);
    EXPECT_EQ(GetValidReach(p), c.reach);
  }
}

TEST(PolarValidityTest, ResetTableFailsEveryCheck) {
  TPolars p;
  p.Reset();
  EXPECT_FALSE(GetValidBeat(p));
  EXPECT_FALSE(GetValidRun(p));
  EXPECT_FALSE(GetValidReach(p));
}

TEST(PolarValidityTest, TableWithoutArraysOrWithShortArraysFailsWithoutReadingPastThem) {
  const TPolars empty;  // never reset: nCols 9 but no arrays
  EXPECT_FALSE(GetValidBeat(empty));
  EXPECT_FALSE(GetValidRun(empty));
  EXPECT_FALSE(GetValidReach(empty));

  TPolars shortColumn = GoodTable();
  shortColumn.Velocity[7].resize(5);
  EXPECT_FALSE(GetValidBeat(shortColumn));
  EXPECT_FALSE(GetValidRun(shortColumn));
  EXPECT_FALSE(GetValidReach(shortColumn));
}

TEST(PolarValidityTest, ChecksFollowTheTableSize) {
  // Five wind columns: data columns 1 to 3 only.
  TPolars p = GoodTable();
  p.nCols = 5;
  p.BeatAngles[4] = 0;
  p.GybeAngles[4] = 0;
  p.Velocity[4].assign(10, 0);
  EXPECT_TRUE(GetValidBeat(p));
  EXPECT_TRUE(GetValidRun(p));
  EXPECT_TRUE(GetValidReach(p));
  p.Velocity[3][2] = 1;
  EXPECT_FALSE(GetValidReach(p));
}

}  // namespace
}  // namespace corvane
