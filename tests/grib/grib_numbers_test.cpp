// The number forms of GRIB edition 1: IBM floats, sign-and-magnitude
// integers and the bit fields of simple packing.

#include "grib/grib_numbers.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "grib_test_record.h"

namespace corvane {
namespace {

TEST(GRIBNumbersTest, IbmFloats) {
  struct Case {
    const char* name;
    std::array<std::uint8_t, 4> octets;
    float expected;
  };
  const Case cases[] = {
      {"16", {0x42, 0x10, 0x00, 0x00}, 16.0f},
      {"minus 16", {0xC2, 0x10, 0x00, 0x00}, -16.0f},
      {"one", {0x41, 0x10, 0x00, 0x00}, 1.0f},
      {"zero mantissa, any exponent", {0x7F, 0x00, 0x00, 0x00}, 0.0f},
      {"negative zero mantissa", {0xC5, 0x00, 0x00, 0x00}, 0.0f},
      {"one tenth, truncated mantissa", {0x40, 0x19, 0x99, 0x99}, 0x199999p-24f},
      {"unnormalised mantissa", {0x42, 0x01, 0x00, 0x00}, 1.0f},
      {"full 24-bit mantissa", {0x46, 0xFF, 0xFF, 0xFF}, 16777215.0f},
      {"118.625", {0x42, 0x76, 0xA0, 0x00}, 118.625f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GRIBIbmFloat(c.octets.data()), c.expected);
  }
}

TEST(GRIBNumbersTest, IbmFloatsBeyondTheRangeOfAFloat) {
  const std::array<std::uint8_t, 4> huge = {0x7F, 0xFF, 0xFF, 0xFF};  // about 7.2e75
  const std::array<std::uint8_t, 4> tiny = {0x00, 0x10, 0x00, 0x00};  // 16^-65
  EXPECT_EQ(GRIBIbmFloat(huge.data()), std::numeric_limits<float>::infinity());
  EXPECT_EQ(GRIBIbmFloat(tiny.data()), 0.0f);
}

TEST(GRIBNumbersTest, SignAndMagnitudeIntegers) {
  struct Case {
    const char* name;
    std::vector<std::uint8_t> octets;
    std::int32_t expected;
  };
  const Case cases[] = {
      {"16-bit minus one", {0x80, 0x01}, -1},
      {"16-bit plus one", {0x00, 0x01}, 1},
      {"16-bit negative zero", {0x80, 0x00}, 0},
      {"16-bit largest", {0x7F, 0xFF}, 32767},
      {"16-bit smallest", {0xFF, 0xFF}, -32767},
      {"24-bit minus 2000", {0x80, 0x07, 0xD0}, -2000},
      {"24-bit 358500", {0x05, 0x78, 0x64}, 358500},
      {"24-bit smallest", {0xFF, 0xFF, 0xFF}, -8388607},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::int32_t value =
        c.octets.size() == 2 ? GRIBSigned16(c.octets.data()) : GRIBSigned24(c.octets.data());
    EXPECT_EQ(value, c.expected);
  }
}

// Every width from 1 to 32 bits: values packed by the test's own bit writer
// come back in order, including those that span up to five octets.
TEST(GRIBNumbersTest, PackedValuesOfEveryWidth) {
  for (std::uint32_t bits = 1; bits <= 32; ++bits) {
    SCOPED_TRACE("bits " + std::to_string(bits));
    const auto top = static_cast<std::uint32_t>((std::uint64_t{1} << bits) - 1);
    std::vector<std::uint32_t> values;
    for (std::uint32_t n = 0; n < 37; ++n) values.push_back((n * 2654435761u) & top);
    values.push_back(top);
    values.push_back(0);
    const test::TBytes data = test::PackBits(values, static_cast<int>(bits));
    for (std::size_t n = 0; n < values.size(); ++n) {
      ASSERT_EQ(GRIBPackedValue(data, bits, n), values[n]) << "value " << n;
    }
  }
}

TEST(GRIBNumbersTest, ElevenBitValueSpanningThreeOctets) {
  // Value 2 begins at bit 22: the last two bits of octet 3, all of octet 4
  // and the first bit of octet 5.
  const std::vector<std::uint8_t> data = {0x00, 0x00, 0x03, 0xFF, 0x80, 0x00};
  EXPECT_EQ(GRIBPackedValue(data, 11, 2), 0x7FFu);
  EXPECT_EQ(GRIBPackedValue(data, 11, 1), 0u);
  EXPECT_EQ(GRIBPackedValue(data, 11, 3), 0u);
}

TEST(GRIBNumbersTest, BitsPastTheEndCountAsZero) {
  const std::vector<std::uint8_t> data = {0xFF, 0xFF, 0xF0};
  struct Case {
    const char* name;
    std::uint32_t bits;
    std::uint64_t index;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {"last whole value", 10, 1, 0x3FF},
      {"value cut by the end", 10, 2, 0x0},
      {"16 bits, half outside", 16, 1, 0xF000},
      {"far past the end", 16, 1000, 0},
      {"first octet", 8, 0, 0xFF},
      {"zero bits", 0, 5, 0},
      {"17 bits", 17, 0, 0x1FFFF},
      {"32 bits, a nibble outside", 32, 0, 0xFFFFF000},
      {"more than 32 bits", 33, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GRIBPackedValue(data, c.bits, c.index), c.expected);
  }
  EXPECT_EQ(GRIBPackedValue({}, 8, 0), 0u);
}

}  // namespace
}  // namespace corvane
