#include "grib/fast_grib_reader.h"

#include <cmath>
#include <cstring>
#include <optional>

#include "core/date_time.h"
#include "grib/grib_numbers.h"

namespace corvane {

namespace {

// Octet counts of the fixed parts (WMO FM 92 GRIB edition 1).
constexpr std::uint32_t kLengthIS = 8;
constexpr std::uint32_t kLengthBMSHeader = 6;
constexpr std::uint32_t kLengthBDSHeader = 11;
constexpr std::uint32_t kLengthES = 4;
// Shortest sections whose octets the reader uses: the product definition up
// to D (octets 27-28), the grid description up to its representation type
// (octet 6) and, for a latitude/longitude grid, up to the scanning mode
// (octet 28).
constexpr std::uint32_t kMinLengthPDS = 28;
constexpr std::uint32_t kMinLengthGDS = 6;
constexpr std::uint32_t kMinLengthLatLonGDS = 28;

// Product definition flags (octet 8).
constexpr std::uint8_t kFlagGDS = 0x80;
constexpr std::uint8_t kFlagBMS = 0x40;
// Scanning mode (octet 28 of the grid description).
constexpr std::uint8_t kScanMinusI = 0x80;
constexpr std::uint8_t kScanPlusJ = 0x40;
constexpr std::uint8_t kScanJConsecutive = 0x20;
// Binary data flags (octet 4): spherical harmonic coefficients, and complex
// or second-order packing; neither is simple packing of grid-point values.
constexpr std::uint8_t kFlagHarmonics = 0x80;
constexpr std::uint8_t kFlagComplexPacking = 0x40;
// GRIB edition 2: its total length lies in octets 9-16, not 5-7.
constexpr std::uint8_t kEditionTwo = 2;

// Longitudes east of 180 degrees are brought to the west (millidegrees).
std::int32_t FoldLongitude(std::int32_t millidegrees) {
  return millidegrees > 180000 ? millidegrees - 360000 : millidegrees;
}

// Minutes per unit of the time range (WMO code table 4). Minute and hour are
// the units of the forecast files this program reads; day, 3, 6 and 12 hours
// have fixed lengths too. Month, year and longer units have no fixed length
// in minutes, and the rest are reserved or local.
std::optional<std::int64_t> MinutesPerUnit(std::uint8_t unit) {
  switch (unit) {
    case 0: return 1;
    case 1: return 60;
    case 2: return 1440;
    case 10: return 180;
    case 11: return 360;
    case 12: return 720;
    default: return std::nullopt;
  }
}

}  // namespace

TFastGRIB2Reader::TFastGRIB2Reader()
    : Buffer(3), BufferIS(kLengthIS), BufferBMS(kLengthBMSHeader), BufferBDS(kLengthBDSHeader),
      BufferES(kLengthES) {}

bool TFastGRIB2Reader::Fail(const std::string& reason) {
  if (ReadEnd.empty()) ReadEnd = reason;
  return false;
}

std::string TFastGRIB2Reader::RecordName() const { return "record at offset " + std::to_string(RecordStart); }

void TFastGRIB2Reader::StartReading(TGRIBByteStream& stream) {
  ReadEnd.clear();
  RecordStart = 0;
  RecordEnd = stream.Size();
}

bool TFastGRIB2Reader::Take(TGRIBByteStream& stream, std::uint8_t* into, std::uint64_t count,
                            const char* what) {
  const std::uint64_t position = stream.Position();
  if (position > RecordEnd || count > RecordEnd - position) {
    return Fail(std::string(what) + " at offset " + std::to_string(position) + " needs " +
                std::to_string(count) + " octets, the record ends at " +
                std::to_string(RecordEnd));
  }
  if (count > 0 && stream.Read(into, static_cast<std::size_t>(count)) != count) {
    return Fail(std::string(what) + " at offset " + std::to_string(position) +
                ": the data ended early");
  }
  return true;
}

bool TFastGRIB2Reader::Skip(TGRIBByteStream& stream, std::uint64_t count, const char* what) {
  const std::uint64_t position = stream.Position();
  if (position > RecordEnd || count > RecordEnd - position) {
    return Fail(std::string(what) + " at offset " + std::to_string(position) + " needs " +
                std::to_string(count) + " octets, the record ends at " +
                std::to_string(RecordEnd));
  }
  stream.Seek(position + count);
  return true;
}

bool TFastGRIB2Reader::TakeSection(TGRIBByteStream& stream, std::vector<std::uint8_t>& into,
                                   std::uint32_t minLength, std::uint32_t& length,
                                   const char* what) {
  const std::uint64_t start = stream.Position();
  if (!Take(stream, Buffer.data(), Buffer.size(), what)) return false;
  length = GRIBUnsigned24(Buffer.data());
  if (length < minLength) {
    return Fail(std::string(what) + " at offset " + std::to_string(start) + " has " +
                std::to_string(length) + " octets, fewer than " + std::to_string(minLength));
  }
  into.resize(length);
  std::memcpy(into.data(), Buffer.data(), Buffer.size());
  return Take(stream, into.data() + Buffer.size(), length - Buffer.size(), what);
}

bool TFastGRIB2Reader::ReadIS(TGRIBByteStream& stream) {
  // The search may pass over any bytes, so it is bounded by the data alone.
  RecordEnd = stream.Size();
  while (stream.Remaining() > kLengthIS) {
    const std::uint64_t start = stream.Position();
    if (stream.Read(BufferIS.data(), kLengthIS) != kLengthIS) break;
    if (std::memcmp(BufferIS.data(), "GRIB", 4) != 0) {
      // The next "GRIB" can begin no earlier than the next 'G' of the octets
      // just read, or after all of them.
      const auto* next = static_cast<const std::uint8_t*>(std::memchr(BufferIS.data() + 1, 'G', kLengthIS - 1));
      stream.Seek(start + (next != nullptr ? static_cast<std::uint64_t>(next - BufferIS.data()) : kLengthIS));
      continue;
    }
    RecordStart = start;
    LengthRecord = GRIBUnsigned24(BufferIS.data() + 4);
    VersionGRIB = BufferIS[7];
    if (VersionGRIB == kEditionTwo) {
      return Fail(RecordName() + " is of GRIB edition 2, which is not read; convert with grib_set -s edition=1");
    }
    if (VersionGRIB != 1) {
      return Fail(RecordName() + " is of GRIB edition " + std::to_string(VersionGRIB) + ", not 1");
    }
    if (RecordStart + LengthRecord > stream.Size()) {
      return Fail(RecordName() + " is " + std::to_string(LengthRecord) + " octets long, the data ends at " +
                  std::to_string(stream.Size()));
    }
    RecordEnd = RecordStart + LengthRecord;
    return true;
  }
  return false;  // no further record: the normal end of a file
}

bool TFastGRIB2Reader::ReadPDS(TGRIBByteStream& stream, bool ok, std::uint8_t uParm,
                               std::uint8_t vParm) {
  if (!ok) return false;
  if (!TakeSection(stream, BufferPDS, kMinLengthPDS, LengthPDS, "product definition section")) {
    return false;
  }
  const std::uint8_t* pds = BufferPDS.data();
  GDSAvailable = (pds[7] & kFlagGDS) != 0;
  BMSAvailable = (pds[7] & kFlagBMS) != 0;
  Parameter = pds[8];
  ParameterValid = Parameter == uParm || Parameter == vParm;
  if (!ParameterValid) return true;
  nRecord += 1;
  DecimalScaleFactor = GRIBSigned16(pds + 26);
  if (Parameter == uParm) return GetTimeOfRecord();
  return true;
}

bool TFastGRIB2Reader::GetTimeOfRecord() {
  const std::uint8_t* pds = BufferPDS.data();
  const std::uint8_t unit = pds[17];
  const std::int64_t p1 = pds[18];
  const std::int64_t p2 = pds[19];
  const std::uint8_t indicator = pds[20];
  const std::string where = RecordName();
  if (indicator != 0 && indicator != 1 && indicator != 10) {
    return Fail(where + " has time range indicator " + std::to_string(indicator) +
                ", not 0, 1 or 10");
  }
  const int year = (pds[24] - 1) * 100 + pds[12];
  const std::optional<TDateTime> reference =
      TryEncodeDateTime(year, pds[13], pds[14], pds[15], pds[16], 0, 0);
  if (!reference) {
    return Fail(where + " has reference time " + std::to_string(year) + "-" +
                std::to_string(pds[13]) + "-" + std::to_string(pds[14]) + " " +
                std::to_string(pds[15]) + ":" + std::to_string(pds[16]) +
                ", not a calendar date and time");
  }
  const std::optional<std::int64_t> factor = MinutesPerUnit(unit);
  if (!factor) {
    return Fail(where + " has unit of time range " + std::to_string(unit) +
                ", not one of fixed length");
  }
  std::int64_t steps = 0;
  switch (indicator) {
    case 0: steps = p1 > 0 ? p1 : p2; break;
    case 1: steps = p2; break;
    default: steps = 256 * p1 + p2; break;  // P1 and P2 as one 16-bit number
  }
  TimeOfRecord = IncMinute(*reference, steps * *factor);
  return true;
}

bool TFastGRIB2Reader::ReadGDS(TGRIBByteStream& stream, bool ok) {
  if (!ok || !GDSAvailable) return ok;
  if (!ParameterValid) {
    const std::uint64_t start = stream.Position();
    if (!Take(stream, Buffer.data(), Buffer.size(), "grid description section")) return false;
    LengthGDS = GRIBUnsigned24(Buffer.data());
    if (LengthGDS < kMinLengthGDS) {
      return Fail("grid description section at offset " + std::to_string(start) + " has " +
                  std::to_string(LengthGDS) + " octets, fewer than " +
                  std::to_string(kMinLengthGDS));
    }
    return Skip(stream, LengthGDS - Buffer.size(), "grid description section");
  }
  if (!TakeSection(stream, BufferGDS, kMinLengthGDS, LengthGDS, "grid description section")) {
    return false;
  }
  if (GridLoaded) return true;
  const std::uint8_t* gds = BufferGDS.data();
  if (gds[5] != 0) return true;  // not a latitude/longitude grid: not decoded
  if (LengthGDS < kMinLengthLatLonGDS) {
    return Fail("latitude/longitude grid description of record at offset " +
                std::to_string(RecordStart) + " has " + std::to_string(LengthGDS) +
                " octets, fewer than " + std::to_string(kMinLengthLatLonGDS));
  }
  const std::uint32_t countX = GRIBUnsigned16(gds + 6);
  const std::uint32_t countY = GRIBUnsigned16(gds + 8);
  const std::uint64_t count = static_cast<std::uint64_t>(countX) * countY;
  if (count > MaxGridPoints) return true;  // too large for this program: not decoded
  GridCountX = countX;
  GridCountY = countY;
  GridCount = static_cast<std::uint32_t>(count);
  GridLat1 = GRIBSigned24(gds + 10);
  GridLon1 = FoldLongitude(GRIBSigned24(gds + 13));
  GridResolution = gds[16];
  GridLat2 = GRIBSigned24(gds + 17);
  GridLon2 = FoldLongitude(GRIBSigned24(gds + 20));
  GridLonIncrement = GRIBUnsigned16(gds + 23);
  GridLatIncrement = GRIBUnsigned16(gds + 25);
  GridScanWE = (gds[27] & kScanMinusI) == 0;
  GridScanNS = (gds[27] & kScanPlusJ) == 0;
  GridScanColumns = (gds[27] & kScanJConsecutive) != 0;
  nData = GridCount;
  return true;
}

bool TFastGRIB2Reader::ReadBMS(TGRIBByteStream& stream, bool ok) {
  if (!ok || !BMSAvailable) return ok;
  const std::uint64_t start = stream.Position();
  if (!Take(stream, BufferBMS.data(), kLengthBMSHeader, "bit map section")) return false;
  LengthBMS = GRIBUnsigned24(BufferBMS.data());
  if (LengthBMS < kLengthBMSHeader) {
    return Fail("bit map section at offset " + std::to_string(start) + " has " +
                std::to_string(LengthBMS) + " octets, fewer than " +
                std::to_string(kLengthBMSHeader));
  }
  LengthBitMap = LengthBMS - kLengthBMSHeader;
  if (!ParameterValid || BitMapLoaded || GridLoaded) {
    return Skip(stream, LengthBitMap, "bit map");
  }
  BufferBitMap.resize(LengthBitMap);
  if (!Take(stream, BufferBitMap.data(), LengthBitMap, "bit map")) return false;
  BitMap.assign(GridCount, false);
  std::uint32_t set = 0;
  const std::uint64_t bits = static_cast<std::uint64_t>(LengthBitMap) * 8;
  for (std::uint32_t k = 0; k < GridCount && k < bits; ++k) {
    if ((BufferBitMap[k >> 3] & (0x80u >> (k & 7u))) != 0) {
      BitMap[k] = true;
      ++set;
    }
  }
  nData = set;
  BitMapLoaded = true;
  return true;
}

bool TFastGRIB2Reader::ReadBDS(TGRIBByteStream& stream, bool ok) {
  if (!ok) return false;
  const std::uint64_t start = stream.Position();
  if (!Take(stream, BufferBDS.data(), kLengthBDSHeader, "binary data section")) return false;
  LengthBDS = GRIBUnsigned24(BufferBDS.data());
  if (LengthBDS < kLengthBDSHeader) {
    return Fail("binary data section at offset " + std::to_string(start) + " has " +
                std::to_string(LengthBDS) + " octets, fewer than " +
                std::to_string(kLengthBDSHeader));
  }
  LengthData = LengthBDS - kLengthBDSHeader;
  if (!ParameterValid) return Skip(stream, LengthData, "packed data");
  const std::uint8_t* bds = BufferBDS.data();
  BDS4 = bds[3];
  BinaryScaleFactor = GRIBSigned16(bds + 4);
  ReferenceValue = GRIBIbmFloat(bds + 6);
  NumberOfBits = bds[10];
  if ((BDS4 & (kFlagHarmonics | kFlagComplexPacking)) != 0) {
    return Fail(RecordName() + " holds " +
                ((BDS4 & kFlagHarmonics) != 0 ? "spherical harmonic coefficients" : "complex packing") +
                ", not grid-point values in simple packing");
  }
  if (NumberOfBits > kGRIBMaxBitsPerValue) {
    return Fail(RecordName() + " packs values in " + std::to_string(NumberOfBits) + " bits, more than " +
                std::to_string(kGRIBMaxBitsPerValue));
  }
  if (!std::isfinite(ReferenceValue)) {
    return Fail(RecordName() + " has a reference value beyond the range of a 32-bit float");
  }
  // A record cut short is refused rather than read as zeros.
  const std::uint64_t needed = (static_cast<std::uint64_t>(nData) * NumberOfBits + 7) / 8;
  if (LengthData < needed) {
    return Fail(RecordName() + " holds " + std::to_string(LengthData) + " octets of packed values, its " +
                std::to_string(nData) + " values of " + std::to_string(NumberOfBits) + " bits need " +
                std::to_string(needed));
  }
  BufferData.resize(LengthData);
  return Take(stream, BufferData.data(), LengthData, "packed data");
}

bool TFastGRIB2Reader::ReadES(TGRIBByteStream& stream, bool ok) {
  if (!ok) return false;
  if (stream.Remaining() < kLengthES) return ok;
  const std::uint64_t start = stream.Position();
  if (stream.Read(BufferES.data(), kLengthES) != kLengthES ||
      std::memcmp(BufferES.data(), "7777", kLengthES) != 0) {
    return Fail("record at offset " + std::to_string(RecordStart) +
                " has no end section \"7777\" at offset " + std::to_string(start));
  }
  return true;
}

TListMinutes TFastGRIB2Reader::GetGRIBAreaPolygon() const {
  const auto minutes = [](std::int32_t millidegrees) {
    return static_cast<double>(millidegrees) * 6 / 100;
  };
  const double lon1 = minutes(GridLon1);
  const double lat1 = minutes(GridLat1);
  const double lon2 = minutes(GridLon2);
  const double lat2 = minutes(GridLat2);
  return {{lon1, lat1}, {lon1, lat2}, {lon2, lat2}, {lon2, lat1}, {lon1, lat1}};
}

bool TFastGRIB2Reader::GetInGRIBArea(const TMinutes& minutes) const {
  return MathTools.GetInPolygon(minutes, GetGRIBAreaPolygon());
}

}  // namespace corvane
