#include "data/resource_loader.h"

#include <gtest/gtest.h>

#include "data/data_set_packer.h"

namespace corvane {
namespace {

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<std::uint8_t> bytes;
  for (int v : values) bytes.push_back(static_cast<std::uint8_t>(v));
  return bytes;
}

TPackageSuperResourceLoader LoaderWith(const std::string& name, std::vector<std::uint8_t> bytes) {
  TResourceStore store;
  store.Add(name, std::move(bytes));
  return TPackageSuperResourceLoader(std::move(store));
}

TEST(ResourceLoaderTest, FindsDataSetsWithoutRegardToCase) {
  auto loader = LoaderWith("MAPINI", Bytes({1}));
  EXPECT_TRUE(loader.FindResource("mapini"));
  EXPECT_TRUE(loader.FindResource("MapIni"));
  EXPECT_FALSE(loader.FindResource("tides2"));
  EXPECT_FALSE(loader.OpenResource("tides2").has_value());
}

TEST(ResourceLoaderTest, ReadsLittleEndianPrimitives) {
  auto loader = LoaderWith("X", Bytes({0x78, 0x56, 0x34, 0x12, 0xFF, 0xFF, 0xFF, 0xFF, 0xAB}));
  auto stream = *loader.OpenResource("x");
  EXPECT_EQ(loader.ReadInt32(stream), 0x12345678);
  EXPECT_EQ(loader.ReadInt32(stream), -1);
  EXPECT_EQ(loader.ReadByte(stream), 0xAB);
  EXPECT_EQ(stream.Position(), 9);
}

TEST(ResourceLoaderTest, ShortReadsGiveZeroWithoutMoving) {
  auto loader = LoaderWith("X", Bytes({1, 2, 3}));
  auto stream = *loader.OpenResource("X");
  EXPECT_EQ(loader.ReadInt32(stream), 0);
  EXPECT_EQ(stream.Position(), 0);
  EXPECT_EQ(loader.ReadFloat(stream), 0.0f);
  EXPECT_EQ(loader.ReadFloatShort(stream), 0.0);
  EXPECT_EQ(stream.Position(), 0);
  stream.Seek(3);
  EXPECT_EQ(loader.ReadByte(stream), 0);
  EXPECT_EQ(stream.Position(), 3);
}

TEST(ResourceLoaderTest, CoordinateIsRoundedToA32BitFloat) {
  TDataSetPacker packer;
  packer.PackCount(-94203);
  packer.PackCount(3049406);
  packer.PackCount(-9420);  // short coordinate: hundredths in extended precision
  auto loader = LoaderWith("X", packer.Bytes());
  auto stream = *loader.OpenResource("X");

  const float lon = loader.ReadFloat(stream);
  EXPECT_EQ(lon, static_cast<float>(-94.203));
  EXPECT_NE(static_cast<double>(lon), -94.203);  // the 32-bit rounding shows
  EXPECT_EQ(loader.ReadFloat(stream), static_cast<float>(3049.406));
  EXPECT_EQ(loader.ReadFloatShort(stream), -9420.0 / 100);
}

TEST(ResourceLoaderTest, ReadsMinutesLongitudeFirst) {
  TDataSetPacker packer;
  packer.PackCoord(TMinutes{-76.063, 3049.406});
  auto loader = LoaderWith("X", packer.Bytes());
  auto stream = *loader.OpenResource("X");
  const TMinutes m = loader.ReadMinutes(stream);
  EXPECT_EQ(m.Lon, static_cast<float>(-76.063));
  EXPECT_EQ(m.Lat, static_cast<float>(3049.406));
}

TEST(ResourceLoaderTest, ShortStrings) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::string expected;
    std::int64_t positionAfter;
  };
  const Case cases[] = {
      {"empty consumes one byte", Bytes({0, 'A'}), "", 1},
      {"plain text", Bytes({3, 'B', 'u', 'o', 'y'}), "Buo", 4},
      {"truncated completes with zero bytes", Bytes({4, 'A', 'B'}), std::string("AB\0\0", 4), 3},
      {"latin-1 becomes utf-8", Bytes({1, 0xE9}), "\xC3\xA9", 2},
      {"nothing left reads empty", Bytes({}), "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto loader = LoaderWith("S", c.bytes);
    auto stream = *loader.OpenResource("S");
    EXPECT_EQ(loader.ReadString(stream), c.expected);
    EXPECT_EQ(stream.Position(), c.positionAfter);
  }
}

class IniReadTest : public ::testing::Test {
 protected:
  TPackageSuperResourceLoader loader{TResourceStore{}};
};

TEST_F(IniReadTest, FirstMatchingKeyWinsAndEmptyValueIsMissing) {
  const TStringList lines = {"[TIDES]", "YEAR=", "YEAR=2016", "YEAR=2017", "YEAR =2018",
                             "PORT=Harbour=ignored"};
  // The first YEAR line is empty, so the default wins; later lines are never seen.
  EXPECT_EQ(loader.ReadIniString(lines, "YEAR", "2015"), "2015");
  EXPECT_EQ(loader.ReadIniString({"YEAR=2016", "YEAR=2017"}, "YEAR", "2015"), "2016");
  EXPECT_EQ(loader.ReadIniString(lines, "YEAR ", "x"), "2018");
  EXPECT_EQ(loader.ReadIniString(lines, "year", "x"), "x");
  EXPECT_EQ(loader.ReadIniString(lines, "PORT", "x"), "Harbour");
  EXPECT_EQ(loader.ReadIniString(lines, "[TIDES]", "x"), "x");
}

TEST_F(IniReadTest, Booleans) {
  struct Case {
    const char* line;
    bool defaultValue;
    bool expected;
  };
  const Case cases[] = {
      {"K=1", false, true},       {"K=-1", false, true},   {"K=true", true, false},
      {"K=2", true, false},       {"K= 1", true, false},   {"K=", false, false},
      {"K=", true, true},         {"OTHER=0", true, true}, {"OTHER=0", false, false},
      {"K=0", true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.line) + (c.defaultValue ? " default true" : " default false"));
    EXPECT_EQ(loader.ReadIniBoolean({c.line}, "K", c.defaultValue), c.expected);
  }
}

TEST_F(IniReadTest, Integers) {
  EXPECT_EQ(loader.ReadIniInteger({"K=42"}, "K", 7), 42);
  EXPECT_EQ(loader.ReadIniInteger({"K=-3"}, "K", 7), -3);
  EXPECT_EQ(loader.ReadIniInteger({"X=1"}, "K", 7), 7);
  EXPECT_EQ(loader.ReadIniInteger({"X=1"}, "K", "12"), 12);
}

TEST_F(IniReadTest, NonIntegerValueThrowsNamingKeyAndValue) {
  for (const char* bad : {"K=4.5", "K=abc", "K= 4", "K=99999999999", "K=+-1"}) {
    SCOPED_TRACE(bad);
    try {
      loader.ReadIniInteger({bad}, "K", 0);
      FAIL() << "no error";
    } catch (const TIniConversionError& e) {
      EXPECT_EQ(e.Key(), "K");
      EXPECT_EQ(e.Value(), std::string(bad).substr(2));
    }
  }
}

TEST_F(IniReadTest, ExtendedReadsBothSeparatorsAndDefaultPassesThroughText) {
  EXPECT_NEAR(static_cast<double>(loader.ReadIniExtended({"K=3,6"}, "K", 0.0)), 3.6, 1e-12);
  EXPECT_NEAR(static_cast<double>(loader.ReadIniExtended({"K=3.6"}, "K", 0.0)), 3.6, 1e-12);
  EXPECT_NEAR(static_cast<double>(loader.ReadIniExtended({}, "K", 0.125)), 0.13, 1e-12);
  EXPECT_EQ(loader.ReadIniExtended({"K=nonsense.x.y"}, "K", 1.0), 0);
  EXPECT_NEAR(static_cast<double>(loader.ReadIniExtended({}, "K", "2,5")), 2.5, 1e-12);
}

TEST(SplitLinesTest, HandlesLineEndings) {
  EXPECT_EQ(SplitLines("A=1\r\nB=2\n"), (TStringList{"A=1", "B=2"}));
  EXPECT_EQ(SplitLines("A=1\n\nB=2"), (TStringList{"A=1", "", "B=2"}));
  EXPECT_TRUE(SplitLines("").empty());
}

}  // namespace
}  // namespace corvane
