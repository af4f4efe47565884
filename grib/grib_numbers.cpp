#include "grib/grib_numbers.h"

#include <cmath>

namespace corvane {

std::uint32_t GRIBUnsigned16(const std::uint8_t* octets) {
  return (static_cast<std::uint32_t>(octets[0]) << 8) | octets[1];
}

std::uint32_t GRIBUnsigned24(const std::uint8_t* octets) {
  return (static_cast<std::uint32_t>(octets[0]) << 16) |
         (static_cast<std::uint32_t>(octets[1]) << 8) | octets[2];
}

std::int32_t GRIBSigned16(const std::uint8_t* octets) {
  const auto magnitude = static_cast<std::int32_t>(GRIBUnsigned16(octets) & 0x7FFFu);
  return (octets[0] & 0x80u) != 0 ? -magnitude : magnitude;
}

std::int32_t GRIBSigned24(const std::uint8_t* octets) {
  const auto magnitude = static_cast<std::int32_t>(GRIBUnsigned24(octets) & 0x7FFFFFu);
  return (octets[0] & 0x80u) != 0 ? -magnitude : magnitude;
}

float GRIBIbmFloat(const std::uint8_t* octets) {
  const std::uint32_t mantissa = GRIBUnsigned24(octets + 1);
  if (mantissa == 0) return 0.0f;
  const int exponent = static_cast<int>(octets[0] & 0x7Fu) - 64;
  // 16^exponent / 2^24 = 2^(4 exponent - 24); in double the product is exact,
  // and the one rounding to float is exact too unless out of float range.
  const double value = std::ldexp(static_cast<double>(mantissa), 4 * exponent - 24);
  return static_cast<float>((octets[0] & 0x80u) != 0 ? -value : value);
}

}  // namespace corvane
