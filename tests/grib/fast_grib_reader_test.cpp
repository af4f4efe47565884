// The record reader: the search for records, the bounds of every section,
// the grid description, the valid time of a record and the area test, on
// records built octet by octet.

#include "grib/fast_grib_reader.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "core/date_time.h"
#include "grib/fast_grib.h"
#include "grib/grib_byte_stream.h"
#include "grib_test_record.h"
#include "support/temp_folder.h"
#include "tides/stream_cube.h"

namespace corvane {
namespace {

using test::TBytes;
using test::TGRIBTestRecord;

// A wind component on the 3 x 2 grid of the builder, six 8-bit values.
TGRIBTestRecord Wind(std::uint8_t parameter, std::uint8_t step = 0) {
  TGRIBTestRecord r;
  r.Parameter = parameter;
  r.P1 = step;
  r.Data = {1, 2, 3, 4, 5, 6};
  return r;
}

void Read(TFastGRIB2& grib, const TBytes& bytes, TListVektorCubeLight& cube) {
  TGRIBMemoryStream stream(bytes);
  grib.ReadGRIBStream(stream, kGRIBParameterUWind, kGRIBParameterVWind, cube);
}

TEST(FastGRIB2ReaderTest, BytesBeforeAndBetweenRecordsArePassedOver) {
  const TBytes bytes = test::Join({{'x', 'G', 'R', 'I', 'x', 'G', 'R', 'I', 'b'},
                                   Wind(33).Bytes(),
                                   {0, 'G', 'R', 'I', 0, 0},
                                   Wind(34).Bytes(),
                                   {'t', 'a', 'i', 'l'}});
  TFastGRIB2 grib;
  TListVektorCubeLight cube;
  Read(grib, bytes, cube);
  EXPECT_EQ(cube.GetCountFields(0), 1);
  EXPECT_EQ(grib.GetCountFields(), 2u);
  EXPECT_EQ(grib.ReadEnd, "");
}

TEST(FastGRIB2ReaderTest, RecordOfAnotherEditionEndsTheReading) {
  TGRIBTestRecord edition2 = Wind(33);
  edition2.Edition = 2;
  TFastGRIB2 grib;
  TListVektorCubeLight cube;
  Read(grib, test::Join({edition2.Bytes(), Wind(33).Bytes()}), cube);
  EXPECT_EQ(cube.GetCountCubes(), 1);
  EXPECT_EQ(cube.GetCountFields(0), 0);
  EXPECT_EQ(grib.ReadEnd,
            "record at offset 0 is of GRIB edition 2, which is not read; convert with grib_set -s edition=1");
}

// Lengths that point past the data, sections too short for the octets read,
// a missing end section and times that cannot be placed: each ends the
// reading at that record, the record before it stays, and nothing outside
// the data is read.
TEST(FastGRIB2ReaderTest, FaultsEndTheReadingAtTheirRecord) {
  struct Case {
    const char* name;
    TGRIBTestRecord record;
    std::string readEnd;  // 89 octets of a good record stand before
  };
  std::vector<Case> cases;
  auto add = [&](const char* name, auto change, std::string readEnd) {
    TGRIBTestRecord r = Wind(33, 3);
    change(r);
    cases.push_back({name, r, std::move(readEnd)});
  };
  add("record longer than the data", [](TGRIBTestRecord& r) { r.RecordLength = 0xFFFFFF; },
      "record at offset 89 is 16777215 octets long, the data ends at 267");
  add("record shorter than its sections", [](TGRIBTestRecord& r) { r.RecordLength = 60; },
      "grid description section at offset 128 needs 29 octets, the record ends at 149");
  add("product definition past the record", [](TGRIBTestRecord& r) { r.PDSLength = 0xFFFFFF; },
      "product definition section at offset 100 needs 16777212 octets, the record ends at 178");
  add("product definition too short", [](TGRIBTestRecord& r) { r.PDSLength = 20; },
      "product definition section at offset 97 has 20 octets, fewer than 28");
  add("grid description past the record", [](TGRIBTestRecord& r) { r.GDSLength = 500; },
      "grid description section at offset 128 needs 497 octets, the record ends at 178");
  add("bit map header past the record",
      [](TGRIBTestRecord& r) {
        r.WithBMS = true;
        r.BMSLength = 300;
        r.BitMap.assign(6, true);
      },
      "bit map at offset 163 needs 294 octets, the record ends at 185");
  add("bit map section shorter than its header",
      [](TGRIBTestRecord& r) {
        r.WithBMS = true;
        r.BMSLength = 5;
        r.BitMap.assign(6, true);
      },
      "bit map section at offset 157 has 5 octets, fewer than 6");
  add("data past the record", [](TGRIBTestRecord& r) { r.BDSLength = 0x10000; },
      "packed data at offset 168 needs 65525 octets, the record ends at 178");
  add("data section shorter than its header", [](TGRIBTestRecord& r) { r.BDSLength = 10; },
      "binary data section at offset 157 has 10 octets, fewer than 11");
  add("no end section", [](TGRIBTestRecord& r) { r.WithEnd = false; r.Data.resize(10); },
      "record at offset 89 has no end section \"7777\" at offset 178");
  add("time range indicator 4", [](TGRIBTestRecord& r) { r.TimeRange = 4; },
      "record at offset 89 has time range indicator 4, not 0, 1 or 10");
  add("month 13", [](TGRIBTestRecord& r) { r.Month = 13; },
      "record at offset 89 has reference time 2016-13-12 6:0, not a calendar date and time");
  add("hour 24", [](TGRIBTestRecord& r) { r.Hour = 24; },
      "record at offset 89 has reference time 2016-6-12 24:0, not a calendar date and time");
  add("time unit month", [](TGRIBTestRecord& r) { r.Unit = 3; },
      "record at offset 89 has unit of time range 3, not one of fixed length");

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TBytes good = Wind(33).Bytes();
    ASSERT_EQ(good.size(), 89u);
    // A further good record after the faulty one is never reached.
    const TBytes bytes = test::Join({good, c.record.Bytes(), Wind(33, 6).Bytes()});
    TFastGRIB2 grib;
    TListVektorCubeLight cube;
    Read(grib, bytes, cube);
    EXPECT_EQ(cube.GetCountFields(0), 1);
    EXPECT_EQ(grib.ReadEnd, c.readEnd);
    // The field of the good record is whole and finishing has run.
    EXPECT_EQ(cube.GetCountVektors(0, 0), 6);
    EXPECT_EQ(cube.ListRoutingArea.size(), 5u);
  }
}

TEST(FastGRIB2ReaderTest, LatLonGridDescriptionTooShort) {
  TGRIBTestRecord r = Wind(33);
  r.GDSLength = 20;
  TFastGRIB2 grib;
  TListVektorCubeLight cube;
  Read(grib, r.Bytes(), cube);
  EXPECT_EQ(cube.GetCountFields(0), 0);
  EXPECT_EQ(grib.ReadEnd,
            "latitude/longitude grid description of record at offset 0 has 20 octets, fewer than 28");
}

TEST(FastGRIB2ReaderTest, RecordCutShortByTheEndOfTheData) {
  const TBytes whole = Wind(33).Bytes();
  for (std::size_t size = 0; size < whole.size(); ++size) {
    SCOPED_TRACE("size " + std::to_string(size));
    const TBytes cut(whole.begin(), whole.begin() + static_cast<long>(size));
    TFastGRIB2 grib;
    TListVektorCubeLight cube;
    Read(grib, cut, cube);
    EXPECT_EQ(cube.GetCountFields(0), 0);
  }
}

TEST(FastGRIB2ReaderTest, EndSectionMayBeMissingAtTheEndOfTheData) {
  // Fewer than 4 octets left where the end section belongs: the record is
  // taken as it is.
  TGRIBTestRecord r = Wind(33);
  r.WithEnd = false;
  TFastGRIB2 grib;
  TListVektorCubeLight cube;
  Read(grib, test::Join({r.Bytes(), {'7', '7'}}), cube);
  EXPECT_EQ(cube.GetCountFields(0), 1);
}

TEST(FastGRIB2ReaderTest, GridDescription) {
  TGRIBTestRecord r = Wind(33);
  r.Lo1 = 358500;  // east of Greenwich: folded to -1.5 degrees
  r.Lo2 = 500;
  r.La1 = 51000;
  r.La2 = 50000;
  r.Scan = 0x00;
  TFastGRIB2 grib;
  TListVektorCubeLight cube;
  Read(grib, r.Bytes(), cube);
  EXPECT_EQ(grib.GridCountX, 3u);
  EXPECT_EQ(grib.GridCountY, 2u);
  EXPECT_EQ(grib.GridCount, 6u);
  EXPECT_EQ(grib.GridLon1, -1500);
  EXPECT_EQ(grib.GridLon2, 500);
  EXPECT_EQ(grib.GridLat1, 51000);
  EXPECT_EQ(grib.GridLat2, 50000);
  EXPECT_EQ(grib.GridLonIncrement, 1000u);
  EXPECT_EQ(grib.GridResolution, 0x80);
  EXPECT_DOUBLE_EQ(static_cast<double>(cube.GetVektorMinutes(0, 0).Lon), -90.0);
}

TEST(FastGRIB2ReaderTest, PositionsFollowTheGrid) {
  TFastGRIB2 grib;
  TListVektorCubeLight cube;
  Read(grib, Wind(33).Bytes(), cube);  // Ni 3 from -2000 to 0, Nj 2 from 51000 to 50000
  const std::vector<TMinutes> expected = {{-120, 3060}, {-60, 3060}, {0, 3060},
                                          {-120, 3000}, {-60, 3000}, {0, 3000}};
  ASSERT_EQ(cube.GetCountVektors(0), 6);
  for (int k = 0; k < 6; ++k) {
    SCOPED_TRACE("point " + std::to_string(k));
    EXPECT_DOUBLE_EQ(static_cast<double>(cube.GetVektorMinutes(0, k).Lon),
                     static_cast<double>(expected[static_cast<std::size_t>(k)].Lon));
    EXPECT_DOUBLE_EQ(static_cast<double>(cube.GetVektorMinutes(0, k).Lat),
                     static_cast<double>(expected[static_cast<std::size_t>(k)].Lat));
  }
  EXPECT_EQ(grib.GetCountVektors(), 6u);
}

TEST(FastGRIB2ReaderTest, ScanningModesAndCorners) {
  struct Case {
    const char* name;
    std::uint8_t scan;
    std::int32_t lo1, la1, lo2, la2;
    TPointF p1, p2;
    TMinutes second;  // position of the second point of the data
  };
  const Case cases[] = {
      {"west to east, north to south", 0x00, -2000, 51000, 0, 50000, {-2000, 50000}, {0, 51000}, {-60, 3060}},
      {"east to west", 0x80, 0, 51000, -2000, 50000, {-2000, 50000}, {0, 51000}, {-60, 3060}},
      {"south to north", 0x40, -2000, 50000, 0, 51000, {-2000, 50000}, {0, 51000}, {-60, 3000}},
      {"columns, south to north", 0x60, -2000, 50000, 0, 51000, {-2000, 50000}, {0, 51000}, {-120, 3060}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TGRIBTestRecord r = Wind(33);
    r.Scan = c.scan;
    r.Lo1 = c.lo1;
    r.La1 = c.la1;
    r.Lo2 = c.lo2;
    r.La2 = c.la2;
    TFastGRIB2 grib;
    TListVektorCubeLight cube;
    Read(grib, r.Bytes(), cube);
    EXPECT_EQ(grib.GetGRIBAreaP1().X, c.p1.X);
    EXPECT_EQ(grib.GetGRIBAreaP1().Y, c.p1.Y);
    EXPECT_EQ(grib.GetGRIBAreaP2().X, c.p2.X);
    EXPECT_EQ(grib.GetGRIBAreaP2().Y, c.p2.Y);
    EXPECT_DOUBLE_EQ(static_cast<double>(cube.GetVektorMinutes(0, 1).Lon), static_cast<double>(c.second.Lon));
    EXPECT_DOUBLE_EQ(static_cast<double>(cube.GetVektorMinutes(0, 1).Lat), static_cast<double>(c.second.Lat));
  }
}

TEST(FastGRIB2ReaderTest, ValidTimeOfTheRecord) {
  const TDateTime reference = EncodeDateTime(2016, 6, 12, 6, 0, 0, 0);
  struct Case {
    const char* name;
    std::uint8_t unit, p1, p2, indicator;
    std::int64_t minutes;
  };
  const Case cases[] = {
      {"indicator 0, P1 hours", 1, 3, 7, 0, 180},
      {"indicator 0, P1 zero takes P2", 1, 0, 7, 0, 420},
      {"indicator 1 takes P2", 1, 3, 2, 1, 120},
      {"indicator 10, P1 and P2 as one number", 1, 1, 44, 10, 300 * 60},
      {"minutes", 0, 90, 0, 0, 90},
      {"days", 2, 2, 0, 0, 2 * 1440},
      {"3 hours", 10, 2, 0, 0, 360},
      {"6 hours", 11, 2, 0, 0, 720},
      {"12 hours", 12, 1, 0, 0, 720},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TGRIBTestRecord r = Wind(33);
    r.Unit = c.unit;
    r.P1 = c.p1;
    r.P2 = c.p2;
    r.TimeRange = c.indicator;
    TFastGRIB2 grib;
    TListVektorCubeLight cube;
    Read(grib, r.Bytes(), cube);
    ASSERT_EQ(cube.GetCountFields(0), 1);
    EXPECT_EQ(DateTimeToMilliseconds(cube.GetTimeField(0)),
              DateTimeToMilliseconds(IncMinute(reference, c.minutes)));
  }
}

TEST(FastGRIB2ReaderTest, CenturyAndYearOfTheCentury) {
  TGRIBTestRecord r = Wind(33);
  r.Century = 20;
  r.YearOfCentury = 100;  // the year 2000 as GRIB edition 1 writes it
  TFastGRIB2 grib;
  TListVektorCubeLight cube;
  Read(grib, r.Bytes(), cube);
  EXPECT_EQ(grib.TimeOfRecord, EncodeDateTime(2000, 6, 12, 6, 0, 0, 0));
}

TEST(FastGRIB2ReaderTest, AreaTest) {
  TFastGRIB2 grib;
  // Before any grid every corner is 0.
  EXPECT_FALSE(grib.GetInGRIBArea({0, 0}));
  EXPECT_FALSE(grib.GetInGRIBArea({-60, 3030}));

  TListVektorCubeLight cube;
  Read(grib, Wind(33).Bytes(), cube);  // -120 ... 0 minutes east, 3000 ... 3060 north
  struct Case {
    const char* name;
    TMinutes position;
    bool inside;
  };
  const Case cases[] = {
      {"centre", {-60, 3030}, true},
      {"east of the grid", {10, 3030}, false},
      {"west of the grid", {-130, 3030}, false},
      {"north of the grid", {-60, 3070}, false},
      {"south of the grid", {-60, 2990}, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(grib.GetInGRIBArea(c.position), c.inside);
  }
}

// Input that once crashed, hung, filled the memory or read as a calm wind:
// each gives the fields before its fault and the reason, or a correct field.
TEST(FastGRIB2ReaderTest, BadInputGivesItsReasonOrACorrectField) {
  struct Case {
    const char* name;
    TBytes bytes;
    int fields;            // time fields read
    std::string readEnd;   // why the reading stopped, empty when it did not
    std::uint64_t maxValues = kGRIBMaxDecodedValues;
  };
  std::vector<Case> cases;
  auto change = [](auto how) {
    TGRIBTestRecord r = Wind(33);
    how(r);
    return r.Bytes();
  };

  // 200 records that each claim a 1024 x 1024 grid of 8-bit values with ten
  // octets of data would once have been padded to 22 GB of zeros.
  TBytes claims;
  for (int k = 0; k < 200; ++k) {
    TGRIBTestRecord r = Wind(k % 2 == 0 ? 33 : 34, static_cast<std::uint8_t>(k / 2));
    r.Ni = 1024;
    r.Nj = 1024;
    r.Data.assign(10, 7);
    claims = test::Join({claims, r.Bytes()});
  }
  cases.push_back({"records far shorter than their grids", claims, 0,
                   "record at offset 0 holds 10 octets of packed values, its 1048576 values of 8 bits need 1048576"});
  cases.push_back({"record cut short", change([](TGRIBTestRecord& r) { r.Data = {4, 2}; }), 0,
                   "record at offset 0 holds 2 octets of packed values, its 6 values of 8 bits need 6"});
  cases.push_back({"11-bit values one octet short",
                   change([](TGRIBTestRecord& r) {
                     r.Bits = 11;
                     r.Data.assign(8, 0);
                   }),
                   0, "record at offset 0 holds 8 octets of packed values, its 6 values of 11 bits need 9"});

  // Constant fields need no data at all; the file's decoded size is bounded
  // (lowered here so that the case stays small).
  TBytes constants;
  for (std::uint8_t step = 0; step < 5; ++step) {
    TGRIBTestRecord r = Wind(33, step);
    r.Bits = 0;
    r.Data.clear();
    constants = test::Join({constants, r.Bytes()});
  }
  cases.push_back({"constant fields beyond the decoded size", constants, 3,
                   "record at offset 249 would make 4 time fields of 6 values, more than this program decodes "
                   "from one file (10000 fields, 20 values)",
                   20});

  cases.push_back({"33 bits per value", change([](TGRIBTestRecord& r) { r.Bits = 33; }), 0,
                   "record at offset 0 packs values in 33 bits, more than 32"});
  cases.push_back({"complex packing", change([](TGRIBTestRecord& r) { r.BDSFlags = 0x40; }), 0,
                   "record at offset 0 holds complex packing, not grid-point values in simple packing"});
  cases.push_back({"spherical harmonics", change([](TGRIBTestRecord& r) { r.BDSFlags = 0x80; }), 0,
                   "record at offset 0 holds spherical harmonic coefficients, not grid-point values in simple "
                   "packing"});
  cases.push_back({"reference value 0x7fffffff",
                   change([](TGRIBTestRecord& r) { r.R = {0x7F, 0xFF, 0xFF, 0xFF}; }), 0,
                   "record at offset 0 has a reference value beyond the range of a 32-bit float"});
  cases.push_back({"binary scale factor 32767", change([](TGRIBTestRecord& r) { r.E = 32767; }), 0,
                   "record at offset 0 decodes value 1 to infinity (R = 0.000000, E = 32767, D = 0)"});
  cases.push_back({"decimal scale factor -32767",
                   change([](TGRIBTestRecord& r) {
                     r.D = -32767;
                     r.Data = {0, 1, 2, 3, 4, 5};
                   }),
                   0, "record at offset 0 decodes value 1 to NaN (R = 0.000000, E = 0, D = -32767)"});

  // Edition 2 keeps its length in octets 9-16; octets 5-7 hold other things.
  TBytes edition2 = {'G', 'R', 'I', 'B', 0xFF, 0xFF, 0x00, 2, 0, 0, 0, 0, 0, 0, 0, 40};
  edition2.resize(40, 0);
  cases.push_back({"GRIB edition 2", edition2, 0,
                   "record at offset 0 is of GRIB edition 2, which is not read; convert with grib_set -s edition=1"});

  cases.push_back({"valid time repeated",
                   test::Join({Wind(33, 3).Bytes(), Wind(34, 3).Bytes(), Wind(33, 3).Bytes()}), 1,
                   "record at offset 178 repeats the valid time 2016-06-12 09:00 GMT of field 1"});
  cases.push_back({"24-bit values",
                   change([](TGRIBTestRecord& r) {
                     r.Bits = 24;
                     r.Data = {0, 0, 1, 0, 0, 2, 0, 0, 3, 0, 0, 4, 0, 0, 5, 0, 0, 6};
                   }),
                   1, ""});
  cases.push_back({"5 MB of zeros", TBytes(5u << 20, 0), 0, ""});

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TFastGRIB2 grib;
    grib.MaxDecodedValues = c.maxValues;
    TListVektorCubeLight cube;
    Read(grib, c.bytes, cube);
    EXPECT_EQ(cube.GetCountFields(0), c.fields);
    EXPECT_EQ(grib.ReadEnd, c.readEnd);
    for (int field = 0; field < cube.GetCountFields(0); ++field) {
      for (int point = 0; point < cube.GetCountVektors(0, field); ++point) {
        EXPECT_TRUE(std::isfinite(cube.GetVektorPolar(0, field, point).Betrag));
      }
    }
  }
}

// Forecast steps in any order give fields in order of their valid times,
// each with the values of its own records.
TEST(FastGRIB2ReaderTest, FieldsFollowTheirValidTimes) {
  auto component = [](std::uint8_t parameter, std::uint8_t step) {
    TGRIBTestRecord r = Wind(parameter, step);
    r.Data.assign(6, static_cast<std::uint8_t>(step + (parameter == 34 ? 100 : 0)));
    return r.Bytes();
  };
  const TBytes bytes = test::Join({component(33, 6), component(34, 6), component(33, 0), component(34, 0),
                                   component(33, 3), component(34, 3)});
  TFastGRIB2 grib;
  TListVektorCubeLight cube;
  Read(grib, bytes, cube);
  EXPECT_EQ(grib.ReadEnd, "");
  ASSERT_EQ(cube.GetCountFields(0), 3);
  const int steps[] = {0, 3, 6};
  for (int field = 0; field < 3; ++field) {
    SCOPED_TRACE("field " + std::to_string(field));
    EXPECT_EQ(cube.GetTimeField(field), EncodeDateTime(2016, 6, 12, 6 + steps[field], 0, 0, 0));
    // The wind is negated and in knots: -X m/s east, -(X + 100) m/s north.
    const TCartesian v = cube.GetVektorCartesian(0, field, 2);
    EXPECT_NEAR(v.x, -steps[field] * 3600.0 / 1852, 1e-4);
    EXPECT_NEAR(v.y, -(steps[field] + 100) * 3600.0 / 1852, 1e-4);
  }
  EXPECT_TRUE(cube.GetDateTimeInCube(EncodeDateTime(2016, 6, 12, 10, 0, 0, 0)));
}

// The file stream reads through a buffer: a record that begins before a
// buffer's end and ends after it, behind more zeros than one buffer holds,
// is found and read whole.
TEST(FastGRIB2ReaderTest, FileStreamFindsARecordAcrossItsBuffer) {
  TTempFolder temp;
  const std::string path = (temp.path() / "late.grb").string();
  TBytes bytes((1u << 17) - 40, 0);
  bytes = test::Join({bytes, Wind(33).Bytes(), Wind(34).Bytes()});
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  TGRIBFileStream stream;
  ASSERT_TRUE(stream.Open(path));
  TFastGRIB2 grib;
  TListVektorCubeLight cube;
  grib.ReadGRIBStream(stream, kGRIBParameterUWind, kGRIBParameterVWind, cube);
  EXPECT_EQ(grib.ReadEnd, "");
  EXPECT_EQ(grib.GetCountFields(), 2u);
  ASSERT_EQ(cube.GetCountVektors(0, 0), 6);
  EXPECT_NEAR(cube.GetVektorCartesian(0, 0, 5).x, -6 * 3600.0 / 1852, 1e-4);
  EXPECT_NEAR(cube.GetVektorCartesian(0, 0, 5).y, -6 * 3600.0 / 1852, 1e-4);
}

}  // namespace
}  // namespace corvane
