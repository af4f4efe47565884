#pragma once
// The number forms of GRIB edition 1 records (WMO FM 92 GRIB, edition 1):
// big-endian unsigned integers, sign-and-magnitude signed integers, IBM
// single-precision floats and the bit fields of simple packing.
//
// Every function reads only the octets it is given; the callers check the
// lengths of their sections before they call.

#include <cstddef>
#include <cstdint>
#include <span>

namespace corvane {

// Big-endian unsigned integers of two and three octets.
std::uint32_t GRIBUnsigned16(const std::uint8_t* octets);
std::uint32_t GRIBUnsigned24(const std::uint8_t* octets);

// Sign-and-magnitude integers of two and three octets: the top bit of the
// first octet is the sign (set = negative), the other bits the magnitude, so
// 0x80 0x01 is -1 and 0x80 0x00 is 0 ("negative zero").
std::int32_t GRIBSigned16(const std::uint8_t* octets);
std::int32_t GRIBSigned24(const std::uint8_t* octets);

// IBM System/360 single precision (4 octets): sign bit 0x80 of octet 1,
// exponent (octet 1 AND 0x7F) - 64 as a power of 16, mantissa octets 2-4 as
// an unsigned 24-bit fraction of 2^24. value = mantissa * 16^exponent / 2^24,
// negated when the sign is set; a zero mantissa gives 0. Every IBM value in
// the range of a 32-bit float is exact in one (24-bit mantissa); larger
// exponents give +-infinity, smaller ones underflow toward 0.
// Examples: 42 10 00 00 = 16.0, C2 10 00 00 = -16.0, 41 10 00 00 = 1.0.
float GRIBIbmFloat(const std::uint8_t* octets);

// The unsigned integer of `bits` bits (0 ... 32) that begins at bit `index` x
// `bits` of data, bits counted from the most significant bit of the first
// octet. A value may span up to five octets; bits past the end of the data
// count as 0. 0 bits, and widths above 32, give 0.
inline std::uint32_t GRIBPackedValue(std::span<const std::uint8_t> data, std::uint32_t bits,
                                     std::uint64_t index) {
  if (bits == 0 || bits > 32) return 0;
  const std::uint64_t first = index * bits;
  const std::uint64_t octet = first >> 3;
  const auto shift = static_cast<unsigned>(first & 7u);
  // The value lies in bits shift ... shift + bits - 1 of the 40-bit window
  // that starts at its first octet (at most 7 + 32 = 39 bits).
  std::uint64_t window = 0;
  if (octet + 4 < data.size()) {
    for (std::uint64_t m = octet; m < octet + 5; ++m) window = (window << 8) | data[m];
  } else {
    for (std::uint64_t m = octet; m < octet + 5; ++m) {
      window = (window << 8) | (m < data.size() ? data[m] : 0u);
    }
  }
  return static_cast<std::uint32_t>((window >> (40u - shift - bits)) & ((std::uint64_t{1} << bits) - 1u));
}

}  // namespace corvane
