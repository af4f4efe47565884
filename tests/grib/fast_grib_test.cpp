// Reading GRIB files into a stream cube: fields, vectors in knots, wind
// negation, bit maps, the offset angle, the routing area, and what a reading
// keeps from the file before.

#include "grib/fast_grib.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <string>
#include <vector>

#include "core/constants.h"
#include "core/date_time.h"
#include "grib/grib_byte_stream.h"
#include "grib_test_record.h"
#include "support/temp_folder.h"
#include "tides/stream_cube.h"

namespace corvane {
namespace {

using test::TBytes;
using test::TGRIBTestRecord;

constexpr double kKnotsPerMs = 3600.0 / 1852.0;

// A component on the 3 x 2 grid of the builder: X = 0 ... 5 in 8 bits,
// R = 16, E = -1, D = 1, so Y = (16 + X / 2) / 10 m/s.
TGRIBTestRecord Component(std::uint8_t parameter, std::uint8_t step = 0) {
  TGRIBTestRecord r;
  r.Parameter = parameter;
  r.P1 = step;
  r.R = {0x42, 0x10, 0x00, 0x00};
  r.E = -1;
  r.D = 1;
  r.Data = {0, 1, 2, 3, 4, 5};
  return r;
}

double Expected(int x) { return (16.0 + x / 2.0) / 10.0; }

void Read(TFastGRIB2& grib, const TBytes& bytes, TListVektorCubeLight& cube,
          std::uint8_t u = kGRIBParameterUWind, std::uint8_t v = kGRIBParameterVWind) {
  TGRIBMemoryStream stream(bytes);
  grib.ReadGRIBStream(stream, u, v, cube);
}

TEST(FastGRIB2Test, WindValueFromReferenceScaleFactorsAndPackedValue) {
  TFastGRIB2 grib;
  TListVektorCubeLight cube;
  Read(grib, Component(33).Bytes(), cube);
  ASSERT_EQ(cube.GetCountFields(0), 1);
  // X = 3: (16 + 3 x 2^-1) / 10^1 = 1.75 m/s = 3.40173 knots, negated for wind.
  EXPECT_NEAR(static_cast<double>(cube.GetVektorCartesian(0, 0, 3).x), -3.40173, 5e-6);
  EXPECT_EQ(cube.GetVektorCartesian(0, 0, 3).y, 0);
  EXPECT_FLOAT_EQ(grib.ReferenceValue, 16.0f);
  EXPECT_EQ(grib.BinaryScaleFactor, -1);
  EXPECT_EQ(grib.DecimalScaleFactor, 1);
  EXPECT_EQ(grib.NumberOfBits, 8);
}

TEST(FastGRIB2Test, ThreeForecastTimesOfWind) {
  const TBytes bytes = test::Join({Component(33, 0).Bytes(), Component(34, 0).Bytes(),
                                   Component(33, 3).Bytes(), Component(34, 3).Bytes(),
                                   Component(33, 6).Bytes(), Component(34, 6).Bytes()});
  TFastGRIB2 grib;
  TListVektorCubeLight cube;
  Read(grib, bytes, cube);
  ASSERT_EQ(cube.GetCountFields(0), 3);
  EXPECT_EQ(grib.GetCountFields(), 6u);
  EXPECT_EQ(grib.GetCountVektors(), 6u);
  const TDateTime t0 = EncodeDateTime(2016, 6, 12, 6, 0, 0, 0);
  for (int f = 0; f < 3; ++f) {
    SCOPED_TRACE("field " + std::to_string(f));
    EXPECT_EQ(DateTimeToMilliseconds(cube.GetTimeField(f)),
              DateTimeToMilliseconds(IncHour(t0, 3 * f)));
    ASSERT_EQ(cube.GetCountVektors(0, f), 6);
    for (int n = 0; n < 6; ++n) {
      const float y = static_cast<float>(Expected(n));  // held in single precision
      const TCartesian c = cube.GetVektorCartesian(0, f, n);
      EXPECT_NEAR(static_cast<double>(c.x), static_cast<double>(-y * kKnotsPerMs), 1e-12);
      EXPECT_NEAR(static_cast<double>(c.y), static_cast<double>(-y * kKnotsPerMs), 1e-12);
      // Wind from the north-east quadrant's opposite: the vector points to
      // the south-west, where the wind comes from.
      const TPolar p = cube.GetVektorPolar(0, f, n);
      EXPECT_NEAR(static_cast<double>(p.Winkel), 225 * kDegreesToRadians, 1e-12);
      EXPECT_NEAR(static_cast<double>(p.Betrag), std::sqrt(2.0) * y * kKnotsPerMs, 1e-6);
    }
  }
}

TEST(FastGRIB2Test, VRecordsCompleteTheLatestURecord) {
  struct Case {
    const char* name;
    std::vector<TGRIBTestRecord> records;
    int fields;
    std::uint32_t wanted;
  };
  const Case cases[] = {
      {"only v records", {Component(34, 0), Component(34, 3)}, 0, 2},
      {"v before any u is ignored", {Component(34, 0), Component(33, 3)}, 1, 2},
      {"v of another time completes the latest u", {Component(33, 3), Component(34, 9)}, 1, 2},
      {"other parameters are skipped", {Component(11, 0), Component(33, 3), Component(2, 0)}, 1, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TBytes bytes;
    for (const TGRIBTestRecord& r : c.records) bytes = test::Join({bytes, r.Bytes()});
    TFastGRIB2 grib;
    TListVektorCubeLight cube;
    Read(grib, bytes, cube);
    EXPECT_EQ(cube.GetCountFields(0), c.fields);
    EXPECT_EQ(grib.GetCountFields(), c.wanted);
  }
  // The field of a u record at 3 hours gets its y from the v record of 9.
  TFastGRIB2 grib;
  TListVektorCubeLight cube;
  TGRIBTestRecord v = Component(34, 9);
  v.Data = {5, 5, 5, 5, 5, 5};
  Read(grib, test::Join({Component(33, 3).Bytes(), v.Bytes()}), cube);
  EXPECT_NEAR(static_cast<double>(cube.GetVektorCartesian(0, 0, 0).y),
              static_cast<double>(-static_cast<float>(Expected(5)) * kKnotsPerMs), 1e-12);
  EXPECT_EQ(cube.GetTimeField(0), IncHour(EncodeDateTime(2016, 6, 12, 6, 0, 0, 0), 3));
}

TEST(FastGRIB2Test, CurrentKeepsItsDirectionAndHasNoOffset) {
  TFastGRIB2 grib;
  TListVektorCubeLight cube;
  TGRIBTestRecord u = Component(49);
  TGRIBTestRecord v = Component(50);
  v.R = {0, 0, 0, 0};
  v.Data = {0, 0, 0, 0, 0, 0};
  Read(grib, test::Join({u.Bytes(), v.Bytes()}), cube, kGRIBParameterUCurrent, kGRIBParameterVCurrent);
  ASSERT_EQ(cube.GetCountFields(0), 1);
  EXPECT_NEAR(static_cast<double>(cube.GetVektorCartesian(0, 0, 3).x),
              static_cast<double>(static_cast<float>(Expected(3)) * kKnotsPerMs), 1e-12);
  EXPECT_NEAR(static_cast<double>(cube.GetVektorPolar(0, 0, 3).Winkel), kPi / 2, 1e-15);
}

TEST(FastGRIB2Test, OffsetAngleTurnsEveryDirection) {
  // A wind from 355 degrees: u = -sin(355) s, v = -cos(355) s in the record,
  // so that the negated vector points to 355 degrees.
  const double direction = 355 * kDegreesToRadians;
  TGRIBTestRecord u = Component(33);
  TGRIBTestRecord v = Component(34);
  u.R = test::IbmOctets(static_cast<double>(-std::sin(direction) * 10));
  v.R = test::IbmOctets(static_cast<double>(-std::cos(direction) * 10));
  u.D = v.D = 0;
  u.Bits = v.Bits = 0;  // constant fields
  u.Data.clear();
  v.Data.clear();
  TFastGRIB2 grib;
  TListVektorCubeLight cube;
  cube.OffsetAngle = 10;
  Read(grib, test::Join({u.Bytes(), v.Bytes()}), cube);
  ASSERT_EQ(cube.GetCountVektors(0, 0), 6);
  const TPolar p = cube.GetVektorPolar(0, 0, 2);
  EXPECT_NEAR(static_cast<double>(p.Winkel * kRadiansToDegrees), 5.0, 1e-4);
  EXPECT_NEAR(static_cast<double>(p.Betrag), static_cast<double>(10 * kKnotsPerMs), 1e-4);
  // The cartesian form follows the turned direction.
  EXPECT_NEAR(static_cast<double>(cube.GetVektorCartesian(0, 0, 2).x),
              static_cast<double>(p.Betrag * std::sin(p.Winkel)), 1e-9);

  TListVektorCubeLight current;
  current.OffsetAngle = 10;
  TTempFolder temp;
  TFastGRIB2 reader(temp.path());
  reader.ReadGRIBCurrent("none.grb", current);
  EXPECT_EQ(current.OffsetAngle, 0);
}

TEST(FastGRIB2Test, BitWidths) {
  struct Case {
    const char* name;
    std::uint8_t bits;
    TBytes data;
    std::vector<double> ms;  // expected values, m/s, before the wind negation
  };
  const Case cases[] = {
      // Zero bits: a constant field, every value R / 10^D.
      {"constant field", 0, {}, {1.6, 1.6, 1.6, 1.6, 1.6, 1.6}},
      {"16 bits", 16, {0, 1, 0, 2, 0, 3, 0, 4, 0, 5, 0, 6}, {1.65, 1.7, 1.75, 1.8, 1.85, 1.9}},
      // X = 1, 2, 3 ... spread over 17-bit fields (102 bits, 13 octets).
      {"17 bits", 17, {0x00, 0x00, 0x80, 0x00, 0x80, 0x00, 0x60, 0x00, 0x40, 0x00, 0x28, 0x00, 0x18},
       {1.65, 1.7, 1.75, 1.8, 1.85, 1.9}},
      {"24 bits", 24, {0, 0, 1, 0, 0, 2, 0, 0, 3, 0, 0, 4, 0, 0, 5, 0, 0, 6}, {1.65, 1.7, 1.75, 1.8, 1.85, 1.9}},
      {"32 bits", 32, {0, 0, 0, 1, 0, 0, 0, 2, 0, 0, 0, 3, 0, 0, 0, 4, 0, 0, 0, 5, 0, 0, 0, 6},
       {1.65, 1.7, 1.75, 1.8, 1.85, 1.9}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TGRIBTestRecord u = Component(33);
    u.Bits = c.bits;
    u.Data = c.data;
    TFastGRIB2 grib;
    TListVektorCubeLight cube;
    Read(grib, u.Bytes(), cube);
    ASSERT_EQ(cube.GetCountVektors(0, 0), 6);
    for (int n = 0; n < 6; ++n) {
      EXPECT_NEAR(static_cast<double>(cube.GetVektorCartesian(0, 0, n).x),
                  static_cast<double>(-static_cast<float>(c.ms[static_cast<std::size_t>(n)]) * kKnotsPerMs),
                  1e-12)
          << "value " << n;
    }
  }
}

TEST(FastGRIB2Test, BitMapOfTheFirstWantedRecord) {
  TGRIBTestRecord u = Component(33);
  u.WithBMS = true;
  u.BitMap = {true, false, true, true, false, true};
  u.Data = {7, 8, 9, 10};  // the four points with a value
  TGRIBTestRecord v = Component(34);
  v.WithBMS = true;
  v.BitMap = {false, false, false, false, false, true};  // ignored: the first one holds
  v.Data = {1, 2, 3, 4};
  TFastGRIB2 grib;
  TListVektorCubeLight cube;
  Read(grib, test::Join({u.Bytes(), v.Bytes()}), cube);
  EXPECT_EQ(grib.GetCountVektors(), 4u);
  ASSERT_EQ(cube.GetCountVektors(0), 4);
  ASSERT_EQ(cube.GetCountVektors(0, 0), 4);
  const std::vector<TMinutes> positions = {{-120, 3060}, {0, 3060}, {-120, 3000}, {0, 3000}};
  for (int n = 0; n < 4; ++n) {
    SCOPED_TRACE("point " + std::to_string(n));
    EXPECT_EQ(cube.GetVektorMinutes(0, n).Lon, positions[static_cast<std::size_t>(n)].Lon);
    EXPECT_EQ(cube.GetVektorMinutes(0, n).Lat, positions[static_cast<std::size_t>(n)].Lat);
    EXPECT_NEAR(static_cast<double>(cube.GetVektorCartesian(0, 0, n).x),
                static_cast<double>(-static_cast<float>(Expected(7 + n)) * kKnotsPerMs), 1e-12);
    EXPECT_NEAR(static_cast<double>(cube.GetVektorCartesian(0, 0, n).y),
                static_cast<double>(-static_cast<float>(Expected(1 + n)) * kKnotsPerMs), 1e-12);
  }
  EXPECT_EQ(grib.BitMap, (std::vector<bool>{true, false, true, true, false, true}));
}

TEST(FastGRIB2Test, RoutingAreaIsTheGridRectangle) {
  TFastGRIB2 grib;
  TListVektorCubeLight cube;
  Read(grib, Component(33).Bytes(), cube);
  const TListMinutes expected = {{-120, 3060}, {-120, 3000}, {0, 3000}, {0, 3060}, {-120, 3060}};
  ASSERT_EQ(cube.ListRoutingArea.size(), 5u);
  ASSERT_EQ(cube.ListVektorCube[0].VektorArea.size(), 5u);
  for (std::size_t k = 0; k < 5; ++k) {
    EXPECT_EQ(cube.ListRoutingArea[k].Lon, expected[k].Lon);
    EXPECT_EQ(cube.ListRoutingArea[k].Lat, expected[k].Lat);
    EXPECT_EQ(cube.ListVektorCube[0].VektorArea[k].Lat, expected[k].Lat);
  }
  EXPECT_EQ(cube.ListVektorCube[0].IndexRoutingArea, (std::vector<std::uint32_t>{0, 1, 2, 3, 4, 5}));
}

TEST(FastGRIB2Test, GridOfTheFileBeforeServesAFileWithoutOne) {
  TFastGRIB2 grib;
  TListVektorCubeLight cube;
  // Before any grid: fields without vectors.
  TGRIBTestRecord bare = Component(33);
  bare.WithGDS = false;
  Read(grib, bare.Bytes(), cube);
  EXPECT_EQ(cube.GetCountFields(0), 1);
  EXPECT_EQ(cube.GetCountVektors(0), 0);
  EXPECT_EQ(cube.GetCountVektors(0, 0), 0);

  Read(grib, Component(33).Bytes(), cube);
  ASSERT_EQ(cube.GetCountVektors(0), 6);
  Read(grib, bare.Bytes(), cube);
  EXPECT_EQ(cube.GetCountVektors(0), 6);
  EXPECT_EQ(cube.GetCountVektors(0, 0), 6);
  EXPECT_TRUE(grib.GetInGRIBArea({-60, 3030}));
}

TEST(FastGRIB2Test, GridsNotDecoded) {
  struct Case {
    const char* name;
    std::uint8_t type;
    std::uint16_t ni, nj;
    std::uint32_t maxPoints;
  };
  const Case cases[] = {
      {"Gaussian grid", 4, 3, 2, kGRIBMaxGridPoints},
      {"more points than allowed", 0, 65535, 65535, kGRIBMaxGridPoints},
      {"above a lowered limit", 0, 3, 2, 5},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TGRIBTestRecord u = Component(33);
    u.GridType = c.type;
    u.Ni = c.ni;
    u.Nj = c.nj;
    TFastGRIB2 grib;
    grib.MaxGridPoints = c.maxPoints;
    TListVektorCubeLight cube;
    Read(grib, u.Bytes(), cube);
    EXPECT_EQ(cube.GetCountFields(0), 1);
    EXPECT_EQ(cube.GetCountVektors(0), 0);
    EXPECT_EQ(grib.GridCount, 0u);
  }
}

TEST(FastGRIB2Test, FilesInTheProgramFolder) {
  TTempFolder temp;
  TFastGRIB2 grib(temp.path());
  const std::string folder = grib.FileTools.GetDocumentsPath();
  {
    const TBytes bytes = test::Join({Component(33).Bytes(), Component(34).Bytes()});
    std::ofstream out(folder + "wind.grb", std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  TListVektorCubeLight cube;
  grib.ReadGRIBWind("wind.grb", cube);
  EXPECT_EQ(cube.GetCountFields(0), 1);
  EXPECT_EQ(cube.GetCountVektors(0, 0), 6);

  // A missing file: one empty cube, no field, and no finishing.
  grib.ReadGRIBWind("missing.grb", cube);
  EXPECT_EQ(cube.GetCountCubes(), 1);
  EXPECT_EQ(cube.GetCountFields(0), 0);
  EXPECT_TRUE(cube.ListRoutingArea.empty());
  EXPECT_EQ(grib.GetCountFields(), 0u);
}

TEST(FastGRIB2Test, DebugBitMapWritesOneLinePerGridPoint) {
  TTempFolder temp;
  TFastGRIB2 grib(temp.path());
  TGRIBTestRecord u = Component(33);
  u.WithBMS = true;
  u.BitMap = {true, false, false, true, true, false};
  u.Data = {1, 2, 3};
  TListVektorCubeLight cube;
  Read(grib, u.Bytes(), cube);
  ASSERT_TRUE(grib.DebugBitMap("bitmap.txt"));
  TStringList lines;
  ASSERT_TRUE(grib.FileTools.ReadTextFile(grib.FileTools.GetDocumentsPath() + "bitmap.txt", lines));
  EXPECT_EQ(lines, (TStringList{"True", "False", "False", "True", "True", "False"}));
}

}  // namespace
}  // namespace corvane
