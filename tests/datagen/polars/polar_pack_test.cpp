#include "tools/datagen/polars/polar_pack.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "data/resource_loader.h"
#include "polars/polar_records.h"

namespace corvane::vpp {
namespace {

// A table whose every value differs, so a value in the wrong place shows.
TPolars DistinctTable(double offset) {
  TPolars p;
  p.Reset();
  for (std::size_t c = 1; c <= 7; ++c) {
    p.BeatAngles[c] = 35 + static_cast<double>(c) + offset;
    p.GybeAngles[c] = 140 + static_cast<double>(c) + offset;
    p.TackTime[c] = 4 + static_cast<double>(c) / 4 + offset;
    for (std::size_t r = 0; r < 10; ++r) {
      p.Velocity[c][r] = static_cast<double>(c) + static_cast<double>(r) / 10 + offset;
    }
  }
  return p;
}

void ExpectSameTable(const TPolars& expected, const TPolars& actual) {
  ASSERT_EQ(actual.nCols, 9);
  ASSERT_EQ(actual.nRows, 10);
  for (std::size_t r = 0; r < 10; ++r) EXPECT_NEAR(actual.WindAngles[r], expected.WindAngles[r], 0.005);
  for (std::size_t c = 0; c < 9; ++c) {
    SCOPED_TRACE("column " + std::to_string(c));
    EXPECT_NEAR(actual.WindVelocity[c], expected.WindVelocity[c], 0.005);
    EXPECT_NEAR(actual.BeatAngles[c], expected.BeatAngles[c], 0.005);
    EXPECT_NEAR(actual.GybeAngles[c], expected.GybeAngles[c], 0.005);
    EXPECT_NEAR(actual.TackTime[c], expected.TackTime[c], 0.005);
    for (std::size_t r = 0; r < 10; ++r) EXPECT_NEAR(actual.Velocity[c][r], expected.Velocity[c][r], 0.005);
  }
}

TEST(PolarPackTest, RecordsReadBackInOrder) {
  const TPolars first = DistinctTable(0);
  const TPolars second = DistinctTable(0.5);
  const TDataSetPacker packer = PackPolarsRecords({first, second});
  ASSERT_EQ(packer.Bytes().size(), 2u * 544u);

  TPolars read;
  ASSERT_TRUE(ReadPolarsRecord(packer.Bytes(), 0, read));
  ExpectSameTable(first, read);
  ASSERT_TRUE(ReadPolarsRecord(packer.Bytes(), 1, read));
  ExpectSameTable(second, read);
}

TEST(PolarPackTest, ValuesSitWhereTheLayoutPutsThem) {
  TPolars p = DistinctTable(0);
  p.Velocity[3][2] = 7.25;  // value 46 + 9 * 2 + 3
  p.TackTime[5] = 6.5;      // value 37 + 5
  p.GybeAngles[7] = 171.04; // value 28 + 7
  TDataSetPacker packer;
  PackPolarsRecord(packer, p);

  TResourceStore store;
  store.Add("POLARS", packer.Bytes());
  TPackageSuperResourceLoader loader(std::move(store));
  auto stream = *loader.OpenResource("POLARS");
  struct Case {
    std::string name;
    int value;
    std::int32_t hundredths;
  };
  const std::vector<Case> cases = {
      {"first angle row entry", 0, 0},        {"52 degree row", 1, 5200},
      {"last angle row entry", 9, 18000},     {"6 knot column", 11, 600},
      {"50 knot bound", 18, 5000},            {"beat angle of column 1", 20, 3600},
      {"gybe angle of column 7", 35, 17104},  {"tack time of column 5", 42, 650},
      {"speed column 3 row 2", 67, 725},      {"run speed column 7", 46 + 81 + 7, 790},
      {"column 0 of the speeds", 46, 0},      {"column 8 of the speeds", 46 + 8, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    stream.Seek(4 * c.value);
    EXPECT_EQ(loader.ReadInt32(stream), c.hundredths);
  }
}

TEST(PolarPackTest, NegativeIndexLeavesTableAndRecordPastTheEndReadsZeros) {
  const TDataSetPacker packer = PackPolarsRecords({DistinctTable(0)});
  TPolars p = DistinctTable(1);
  EXPECT_FALSE(ReadPolarsRecord(packer.Bytes(), -1, p));
  EXPECT_EQ(p.Velocity[4][4], DistinctTable(1).Velocity[4][4]);

  EXPECT_TRUE(ReadPolarsRecord(packer.Bytes(), 1, p));
  for (std::size_t r = 0; r < 10; ++r) EXPECT_EQ(p.WindAngles[r], 0);
  for (std::size_t c = 0; c < 9; ++c) {
    EXPECT_EQ(p.WindVelocity[c], 0);
    EXPECT_EQ(p.Velocity[c][0], 0);
  }

  // A truncated record keeps the values that are there.
  std::vector<std::uint8_t> truncated(packer.Bytes().begin(), packer.Bytes().begin() + 4 * 11);
  EXPECT_TRUE(ReadPolarsRecord(truncated, 0, p));
  EXPECT_EQ(p.WindAngles[9], 180);
  EXPECT_EQ(p.WindVelocity[0], 0);
  EXPECT_EQ(p.WindVelocity[1], 0);
}

TEST(PolarPackTest, TableOfAnotherShapeIsRefused) {
  TPolars p = DistinctTable(0);
  p.Velocity[2].pop_back();
  TDataSetPacker packer;
  EXPECT_THROW(PackPolarsRecord(packer, p), std::invalid_argument);
  EXPECT_TRUE(packer.Bytes().empty());
}

TEST(PolarPackTest, NamesAreShortStrings) {
  const TDataSetPacker packer = PackClassNames({"SOLO-PRAM-350", "", "CRUISER-RACER-36-SHOAL-MH"});
  TResourceStore store;
  store.Add("POLARSN", packer.Bytes());
  TPackageSuperResourceLoader loader(std::move(store));
  auto stream = *loader.OpenResource("POLARSN");
  EXPECT_EQ(loader.ReadString(stream), "SOLO-PRAM-350");
  EXPECT_EQ(loader.ReadString(stream), "");
  EXPECT_EQ(loader.ReadString(stream), "CRUISER-RACER-36-SHOAL-MH");
  EXPECT_EQ(stream.Remaining(), 0);
}

}  // namespace
}  // namespace corvane::vpp
