#pragma once
// The reader of GRIB edition 1 records (WMO FM 92 GRIB, edition 1): its state,
// one reader per section, and the test whether a position lies in the grid
// last decoded.
//
// Subset read: a regular latitude/longitude grid, an optional bit map sent
// with the record, grid-point values in simple packing of 0 to 32 bits. The
// "2" in the class names is not an edition number.
//
// Each section reader takes the flag ok of the steps before it and does
// nothing when it is false; a failing check makes it false and leaves the
// reason in ReadEnd. Every section must lie inside its record (whose end was
// checked against the size of the data), so a length that points past the
// data ends the reading of that record and nothing is read outside it.

#include <cstdint>
#include <string>
#include <vector>

#include "core/math_tools.h"
#include "core/types.h"
#include "grib/grib_byte_stream.h"

namespace corvane {

// Shared base of the GRIB classes; it holds nothing.
class TFastGRIBTools {};

// The largest grid decoded by default: 2^20 points (a 0.25 degree grid of the
// whole globe). A grid description with more points is treated like one of
// another representation type, so a few bytes cannot ask for gigabytes.
inline constexpr std::uint32_t kGRIBMaxGridPoints = 1u << 20;
// The most values one file may decode into (time fields x grid points with a
// value): five days of hourly fields on a 300 x 200 grid, some 400 MB in the
// cube, while a small file of constant fields (0 bits per value need no data)
// cannot ask for gigabytes.
inline constexpr std::uint64_t kGRIBMaxDecodedValues = 120 * 300 * 200;
// The most time fields one file may hold, whatever their size.
inline constexpr std::uint32_t kGRIBMaxFields = 10000;
// Widest packed value decoded, bits.
inline constexpr std::uint32_t kGRIBMaxBitsPerValue = 32;

class TFastGRIB2Reader : public TFastGRIBTools {
 public:
  // Makes the fixed buffers (3, 8, 6, 11 and 4 octets).
  TFastGRIB2Reader();

  std::uint32_t LengthRecord = 0;  // total length of the current record
  std::uint32_t LengthPDS = 0;
  std::uint32_t LengthGDS = 0;
  std::uint32_t LengthBMS = 0;
  std::uint32_t LengthBitMap = 0;  // LengthBMS - 6: the bit map proper
  std::uint32_t LengthBDS = 0;
  std::uint8_t VersionGRIB = 0;    // edition number of the record
  bool GDSAvailable = false;
  bool BMSAvailable = false;
  std::uint8_t Parameter = 0;      // WMO code table 2
  bool ParameterValid = false;     // Parameter is one of the two wanted numbers
  std::int32_t DecimalScaleFactor = 0;  // D
  TDateTime TimeOfRecord = 0;      // valid time of the current u record, GMT
  std::uint8_t BDS4 = 0;           // flag octet of the data section (not examined)
  std::int32_t BinaryScaleFactor = 0;  // E
  float ReferenceValue = 0;        // R, IBM single precision held as a 32-bit float
  std::uint32_t LengthData = 0;    // LengthBDS - 11: octets of packed values
  std::uint8_t NumberOfBits = 0;   // bits per packed value
  std::uint32_t nField = 0;        // time field of the latest u record
  bool BitMapLoaded = false;       // for the current file
  bool GridLoaded = false;         // positions built, for the current file
  std::uint32_t GridCountX = 0;    // Ni
  std::uint32_t GridCountY = 0;    // Nj
  std::uint32_t GridCount = 0;     // Ni x Nj
  std::uint8_t GridResolution = 0; // resolution and component flags (not examined)
  std::uint32_t GridLonIncrement = 0;  // Di (not used)
  std::uint32_t GridLatIncrement = 0;  // Dj (not used)
  std::vector<std::uint8_t> Buffer;     // 3 octets: a section length
  std::vector<std::uint8_t> BufferIS;   // indicator section, 8
  std::vector<std::uint8_t> BufferPDS;  // product definition section, its length
  std::vector<std::uint8_t> BufferGDS;  // grid description section, its length
  std::vector<std::uint8_t> BufferBMS;  // bit map header, 6
  std::vector<std::uint8_t> BufferBDS;  // data header, 11
  std::vector<std::uint8_t> BufferES;   // end section, 4
  std::vector<std::uint8_t> BufferBitMap;  // the bit map proper
  std::vector<std::uint8_t> BufferData;    // the packed values
  TMathTools MathTools;
  std::uint32_t nRecord = 0;  // records of a wanted parameter in the current file
  std::uint32_t nData = 0;    // values per record: the number of grid positions
  std::vector<bool> BitMap;   // per grid point: the point has a value
  std::int32_t GridLat1 = 0;  // first and last grid point, millidegrees,
  std::int32_t GridLon1 = 0;  // longitudes folded into -180000 ... 180000
  std::int32_t GridLat2 = 0;
  std::int32_t GridLon2 = 0;
  bool GridScanWE = true;  // points run west to east (scanning bit 0x80 clear)
  bool GridScanNS = true;  // points run north to south (scanning bit 0x40 clear)
  // Adjacent points run along a meridian (scanning bit 0x20 set): the data
  // holds the grid column by column. Positions are built in that order.
  bool GridScanColumns = false;

  // Grids with more points are not decoded (see kGRIBMaxGridPoints).
  std::uint32_t MaxGridPoints = kGRIBMaxGridPoints;
  // A file is read only up to this many values (see kGRIBMaxDecodedValues).
  std::uint64_t MaxDecodedValues = kGRIBMaxDecodedValues;
  // Why the last reading stopped, with the numbers of the failed check;
  // empty after a reading that ended with the data.
  std::string ReadEnd;

  // Whether a position (minutes of arc) lies in the grid rectangle last
  // decoded: the closed polygon (Lo1, La1), (Lo1, La2), (Lo2, La2),
  // (Lo2, La1), (Lo1, La1), corners converted from millidegrees by x 6 / 100,
  // tested with TMathTools::GetInPolygon (east and north edges inside, west
  // and south edges outside). False before any grid has been decoded.
  bool GetInGRIBArea(const TMinutes& minutes) const;

  // The five corners of the grid rectangle in minutes, as GetInGRIBArea tests
  // them.
  TListMinutes GetGRIBAreaPolygon() const;

 protected:
  // Resets the per-record bounds at the start of a reading.
  void StartReading(TGRIBByteStream& stream);

  // Step "search": passes over bytes until an indicator section "GRIB" with
  // more than 8 octets left from its start. ok = the record is of edition 1
  // (checked first: other editions place the length elsewhere) and ends
  // within the data.
  bool ReadIS(TGRIBByteStream& stream);
  // Product definition section: flags, parameter, scale factor D, and the
  // valid time of a u record (uParm) whose time range it understands.
  bool ReadPDS(TGRIBByteStream& stream, bool ok, std::uint8_t uParm, std::uint8_t vParm);
  // Grid description section: skipped unless wanted; decoded once per file.
  bool ReadGDS(TGRIBByteStream& stream, bool ok);
  // Bit map section: decoded from the first wanted record of the file only.
  bool ReadBMS(TGRIBByteStream& stream, bool ok);
  // Binary data section: header, then the packed values into BufferData.
  // Refuses a wanted record packed other than as grid-point values in simple
  // packing of 0 ... 32 bits, a reference value beyond the range of a 32-bit
  // float, and packed values shorter than the grid's values need.
  bool ReadBDS(TGRIBByteStream& stream, bool ok);
  // End section: ok = "7777" when at least 4 octets remain in the data;
  // unchanged when fewer remain.
  bool ReadES(TGRIBByteStream& stream, bool ok);

  // Valid time of the current record from the product definition section;
  // false (with ReadEnd) when the reference is not a calendar date and time
  // or the time range cannot be placed.
  bool GetTimeOfRecord();

 private:
  // Reads count octets of the current record into `into`; false (with
  // ReadEnd naming `what`) when they would pass the end of the record.
  bool Take(TGRIBByteStream& stream, std::uint8_t* into, std::uint64_t count, const char* what);
  // Moves over count octets of the current record, with the same check.
  bool Skip(TGRIBByteStream& stream, std::uint64_t count, const char* what);
  // Reads a whole section whose length is in its octets 1-3 into `into`;
  // false when the length is below minLength or passes the record's end.
  bool TakeSection(TGRIBByteStream& stream, std::vector<std::uint8_t>& into,
                   std::uint32_t minLength, std::uint32_t& length, const char* what);

 protected:
  // Keeps the first reason of a reading (ReadEnd); returns false.
  bool Fail(const std::string& reason);
  // "record at offset N", for messages.
  std::string RecordName() const;

 private:
  std::uint64_t RecordStart = 0;  // offset of "GRIB" of the current record
  std::uint64_t RecordEnd = 0;    // RecordStart + LengthRecord
};

}  // namespace corvane
