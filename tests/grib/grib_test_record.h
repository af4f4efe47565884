#pragma once
// A builder of small GRIB edition 1 records for the decoder's tests: every
// octet the decoder reads can be set, and the section lengths are computed
// unless a test overrides them to show a fault.

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace corvane::test {

using TBytes = std::vector<std::uint8_t>;

inline void PutUnsigned(TBytes& out, std::uint32_t value, int octets) {
  for (int k = octets - 1; k >= 0; --k) out.push_back(static_cast<std::uint8_t>(value >> (8 * k)));
}

// Sign and magnitude: the top bit of the first octet is the sign.
inline void PutSigned(TBytes& out, std::int32_t value, int octets) {
  const std::uint32_t sign = 1u << (8 * octets - 1);
  PutUnsigned(out, value < 0 ? sign | static_cast<std::uint32_t>(-value) : static_cast<std::uint32_t>(value),
              octets);
}

// The IBM single-precision octets of a value: the mantissa normalised so its
// first hexadecimal digit is not 0, truncated to 24 bits.
inline std::array<std::uint8_t, 4> IbmOctets(double value) {
  if (value == 0) return {0, 0, 0, 0};
  const std::uint8_t sign = value < 0 ? 0x80 : 0x00;
  double magnitude = std::fabs(value);
  int exponent = 64;
  while (magnitude >= 1) { magnitude /= 16; ++exponent; }
  while (magnitude < 1.0 / 16) { magnitude *= 16; --exponent; }
  const auto mantissa = static_cast<std::uint32_t>(magnitude * 16777216.0);
  return {static_cast<std::uint8_t>(sign | exponent), static_cast<std::uint8_t>(mantissa >> 16),
          static_cast<std::uint8_t>(mantissa >> 8), static_cast<std::uint8_t>(mantissa)};
}

// Packs unsigned values of `bits` bits each, most significant bit first,
// the last octet padded with zero bits.
inline TBytes PackBits(std::span<const std::uint32_t> values, int bits) {
  TBytes out((values.size() * static_cast<std::size_t>(bits) + 7) / 8, 0);
  std::size_t bit = 0;
  for (const std::uint32_t value : values) {
    for (int b = bits - 1; b >= 0; --b, ++bit) {
      if ((value >> b) & 1u) out[bit / 8] |= static_cast<std::uint8_t>(0x80u >> (bit % 8));
    }
  }
  return out;
}

struct TGRIBTestRecord {
  // Indicator section.
  std::uint8_t Edition = 1;
  std::optional<std::uint32_t> RecordLength;  // computed when not set
  // Product definition section.
  std::optional<std::uint32_t> PDSLength;     // 28 when not set
  std::uint8_t Parameter = 33;
  bool WithGDS = true;
  bool WithBMS = false;
  int Century = 21;
  int YearOfCentury = 16;
  int Month = 6, Day = 12, Hour = 6, Minute = 0;
  std::uint8_t Unit = 1;
  std::uint8_t P1 = 0, P2 = 0;
  std::uint8_t TimeRange = 0;
  std::int32_t D = 0;
  // Grid description section (32 octets).
  std::optional<std::uint32_t> GDSLength;
  std::uint8_t GridType = 0;
  std::uint16_t Ni = 3, Nj = 2;
  std::int32_t La1 = 51000, Lo1 = -2000, La2 = 50000, Lo2 = 0;  // millidegrees
  std::uint8_t Scan = 0;
  // Bit map section: one flag per grid point.
  std::optional<std::uint32_t> BMSLength;
  std::vector<bool> BitMap;
  // Binary data section.
  std::optional<std::uint32_t> BDSLength;
  std::uint8_t BDSFlags = 0;  // octet 4
  std::int32_t E = 0;
  std::array<std::uint8_t, 4> R = {0, 0, 0, 0};
  std::uint8_t Bits = 8;
  TBytes Data;
  bool WithEnd = true;

  TBytes Bytes() const {
    TBytes pds;
    PutUnsigned(pds, PDSLength.value_or(28), 3);
    pds.insert(pds.end(), {3, 98, 0, 255});                       // octets 4-7
    pds.push_back(static_cast<std::uint8_t>((WithGDS ? 0x80 : 0) | (WithBMS ? 0x40 : 0)));
    pds.insert(pds.end(), {Parameter, 1, 0, 0});                  // octets 9-12
    pds.insert(pds.end(), {static_cast<std::uint8_t>(YearOfCentury), static_cast<std::uint8_t>(Month),
                           static_cast<std::uint8_t>(Day), static_cast<std::uint8_t>(Hour),
                           static_cast<std::uint8_t>(Minute), Unit, P1, P2, TimeRange, 0, 0, 0,
                           static_cast<std::uint8_t>(Century), 0});
    PutSigned(pds, D, 2);
    if (!PDSLength) pds.resize(28);

    TBytes gds;
    if (WithGDS) {
      PutUnsigned(gds, GDSLength.value_or(32), 3);
      gds.insert(gds.end(), {0, 255, GridType});
      PutUnsigned(gds, Ni, 2);
      PutUnsigned(gds, Nj, 2);
      PutSigned(gds, La1, 3);
      PutSigned(gds, Lo1, 3);
      gds.push_back(0x80);
      PutSigned(gds, La2, 3);
      PutSigned(gds, Lo2, 3);
      PutUnsigned(gds, 1000, 2);
      PutUnsigned(gds, 1000, 2);
      gds.push_back(Scan);
      gds.resize(32);
      if (GDSLength && *GDSLength < 32) gds.resize(*GDSLength);
    }

    TBytes bms;
    if (WithBMS) {
      TBytes map((BitMap.size() + 7) / 8, 0);
      for (std::size_t k = 0; k < BitMap.size(); ++k) {
        if (BitMap[k]) map[k / 8] |= static_cast<std::uint8_t>(0x80u >> (k % 8));
      }
      PutUnsigned(bms, BMSLength.value_or(static_cast<std::uint32_t>(6 + map.size())), 3);
      bms.insert(bms.end(), {0, 0, 0});
      bms.insert(bms.end(), map.begin(), map.end());
    }

    TBytes bds;
    PutUnsigned(bds, BDSLength.value_or(static_cast<std::uint32_t>(11 + Data.size())), 3);
    bds.push_back(BDSFlags);
    PutSigned(bds, E, 2);
    bds.insert(bds.end(), R.begin(), R.end());
    bds.push_back(Bits);
    bds.insert(bds.end(), Data.begin(), Data.end());

    const std::size_t total = 8 + pds.size() + gds.size() + bms.size() + bds.size() + (WithEnd ? 4 : 0);
    TBytes out = {'G', 'R', 'I', 'B'};
    PutUnsigned(out, RecordLength.value_or(static_cast<std::uint32_t>(total)), 3);
    out.push_back(Edition);
    for (const TBytes* part : {&pds, &gds, &bms, &bds}) out.insert(out.end(), part->begin(), part->end());
    if (WithEnd) out.insert(out.end(), {'7', '7', '7', '7'});
    return out;
  }
};

// Concatenates records and filler bytes into one file image.
inline TBytes Join(std::initializer_list<TBytes> parts) {
  TBytes out;
  for (const TBytes& part : parts) out.insert(out.end(), part.begin(), part.end());
  return out;
}

}  // namespace corvane::test
