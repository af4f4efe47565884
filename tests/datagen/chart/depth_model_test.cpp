// The shared depth model and its land mask file, on small masks whose
// answers can be reasoned out: a straight coast, an enclosed bay, a channel.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tools/datagen/bathymetry/depth_model.h"
#include "tools/datagen/bathymetry/land_mask.h"

namespace corvane {
namespace {

using K = TDepthModelConstants;

// 0.01' cells; land in the rows at and above landFromRow.
TLandMask StraightCoast(int columns, int rows, int landFromRow) {
  TLandMask mask(-10, 3000, 0.01L, columns, rows);
  for (int r = landFromRow; r < rows; ++r)
    for (int c = 0; c < columns; ++c) mask.SetLandCell(c, r, true);
  return mask;
}

TEST(DepthModel, SeaDeepensAwayFromAStraightCoastAndTheShoreDries) {
  const TDepthModel model(StraightCoast(60, 400, 300), {});
  const int column = 30;
  // Just off the shore the beach dries; it then deepens steadily.
  EXPECT_LT(model.DepthOfCell(column, 299), 0);
  EXPECT_GE(model.DepthOfCell(column, 299), -K::kCoastHeight);
  float previous = model.DepthOfCell(column, 299);
  for (int r = 298; r >= 0; --r) {
    SCOPED_TRACE("row " + std::to_string(r));
    ASSERT_GT(model.DepthOfCell(column, r), previous);
    previous = model.DepthOfCell(column, r);
  }
  // 300 cells of 18.52 m: 5.6 km out, within 2% of the open depth.
  EXPECT_NEAR(previous, K::kOpenDepth, 0.02 * K::kOpenDepth);
  // The depth by position is the value of the cell holding it.
  EXPECT_EQ(model.DepthBelowDatum(-10 + 0.305L, 3000 + 1.005L), model.DepthOfCell(30, 100));
}

TEST(DepthModel, LandRisesInlandAndReadsAsNegativeDepth) {
  const TDepthModel model(StraightCoast(40, 400, 100), {});
  EXPECT_EQ(model.LandHeightOfCell(20, 50), 0);  // water
  float previous = 0;
  for (int r = 100; r < 400; r += 50) {
    SCOPED_TRACE("row " + std::to_string(r));
    const float height = model.LandHeightOfCell(20, r);
    EXPECT_GT(height, previous);
    EXPECT_LT(height, K::kLandRise);
    EXPECT_FLOAT_EQ(model.DepthOfCell(20, r), -(K::kCoastHeight + height));
    previous = height;
  }
}

TEST(DepthModel, EnclosedBayDriesWhereTheOpenSeaDoesNot) {
  // All land but a square bay of 80 x 80 cells (about 0.9 x 1.5 km) with no
  // way out, and a strip of open sea along the south edge far from it.
  TLandMask mask(-10, 3000, 0.01L, 300, 600);
  for (int r = 0; r < 600; ++r)
    for (int c = 0; c < 300; ++c) mask.SetLandCell(c, r, r >= 300);
  for (int r = 450; r < 530; ++r)
    for (int c = 110; c < 190; ++c) mask.SetLandCell(c, r, false);
  const TDepthModel model(mask, {});
  EXPECT_GT(model.Shelter(-10 + 1.505L, 3000 + 4.905L), K::kShelterFull);
  EXPECT_FLOAT_EQ(model.DepthOfCell(150, 490), -K::kFlatDryingHeight);
  // The same distance from the coast in the open sea is well below datum.
  EXPECT_GT(model.DepthOfCell(150, 260), 5);
}

TEST(DepthModel, ChannelLineDeepensTheSeaAlongIt) {
  const TLandMask mask = StraightCoast(400, 200, 190);
  const TDepthModel plain(mask, {});
  // A channel along row 100 (latitude 3001.005').
  const TDepthModel channel(mask, {{{-10, 3001.005L}, {-6, 3001.005L}}});
  EXPECT_NEAR(channel.DepthOfCell(200, 100) - plain.DepthOfCell(200, 100), K::kChannelDepth, 0.01);
  EXPECT_NEAR(channel.DepthOfCell(200, 0) - plain.DepthOfCell(200, 0), 0, 0.01);
  EXPECT_EQ(channel.DepthOfCell(200, 195), plain.DepthOfCell(200, 195));  // land
}

TEST(LandMask, FileRoundTripKeepsEveryCell) {
  TLandMask mask(-102, 3030, 0.01L, 7, 3);
  mask.SetLandCell(0, 0, true);
  mask.SetLandCell(6, 1, true);
  mask.SetLandCell(3, 2, true);
  mask.SetLandCell(4, 2, true);
  std::string error;
  const std::optional<TLandMask> back = TLandMask::Decode(mask.Encode(), error);
  ASSERT_TRUE(back.has_value()) << error;
  EXPECT_TRUE(*back == mask);
  EXPECT_TRUE(back->IsLand(-102 + 0.035L, 3030 + 0.025L));   // cell (3, 2)
  EXPECT_FALSE(back->IsLand(-102 + 0.025L, 3030 + 0.025L));  // cell (2, 2)
  EXPECT_FALSE(back->IsLand(-200, 3030));                    // outside: water
}

TEST(LandMask, DecodeNamesWhatIsWrong) {
  const std::vector<std::uint8_t> good = TLandMask(-1, 1, 0.01L, 4, 2).Encode();
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::string message;
  };
  std::vector<std::uint8_t> wrongMagic = good;
  wrongMagic[0] = 'X';
  std::vector<std::uint8_t> cut(good.begin(), good.end() - 1);
  std::vector<std::uint8_t> extra = good;
  extra.push_back(0);
  std::vector<std::uint8_t> longRun = good;
  longRun[30] = 5;  // first row: one run of 5 water cells in 4 columns
  const std::vector<Case> cases = {
      {"magic", wrongMagic, "land mask: missing header (36 bytes)"},
      {"cut", cut, "land mask: runs of row 1 cut off (1 runs, 1 bytes left)"},
      {"extra", extra, "land mask: 1 bytes after the last row"},
      {"long run", longRun, "land mask: runs of row 0 exceed 4 columns"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string error;
    EXPECT_FALSE(TLandMask::Decode(c.bytes, error).has_value());
    EXPECT_EQ(error, c.message);
  }
}

}  // namespace
}  // namespace corvane
