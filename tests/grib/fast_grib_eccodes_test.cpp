// The decoder against ECMWF's ecCodes on files that ecCodes wrote: every
// value, every position, the valid times, the grid corners and the scanning
// modes must agree with what grib_get_data and grib_ls read from the same
// files. fixtures/make_fixtures.sh made the files and the two texts beside
// each; ecCodes is not needed to run these tests.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/date_time.h"
#include "grib/fast_grib.h"
#include "support/temp_folder.h"
#include "tides/stream_cube.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

constexpr double kKnotsPerMs = 3600.0 / 1852.0;

const fs::path kFixtures = CORVANE_GRIB_FIXTURES;

// One row of grib_ls: key -> text.
using TLsRow = std::map<std::string, std::string>;

std::vector<TLsRow> ReadLs(const fs::path& file) {
  std::ifstream in(file);
  std::string line;
  std::getline(in, line);  // the file name
  std::getline(in, line);  // the keys
  std::vector<std::string> keys;
  std::istringstream header(line);
  for (std::string key; header >> key;) keys.push_back(key);
  std::vector<TLsRow> rows;
  while (std::getline(in, line) && line.find(" messages in ") == std::string::npos) {
    std::istringstream fields(line);
    TLsRow row;
    for (const std::string& key : keys) fields >> row[key];
    rows.push_back(row);
  }
  return rows;
}

struct TPointValue {
  double Lat = 0;  // degrees
  double Lon = 0;
  double Value = 0;
};

// grib_get_data: one block per record, points without a value left out.
std::vector<std::vector<TPointValue>> ReadData(const fs::path& file) {
  std::ifstream in(file);
  std::vector<std::vector<TPointValue>> blocks;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("Latitude", 0) == 0) {
      blocks.emplace_back();
      continue;
    }
    std::istringstream fields(line);
    TPointValue p;
    if (fields >> p.Lat >> p.Lon >> p.Value) blocks.back().push_back(p);
  }
  return blocks;
}

int Int(const TLsRow& row, const std::string& key) { return std::stoi(row.at(key)); }

// validityDate (yyyymmdd) and validityTime (hhmm) as a date-time.
TDateTime ValidTime(const TLsRow& row) {
  const int date = Int(row, "validityDate");
  const int time = Int(row, "validityTime");
  return EncodeDateTime(date / 10000, date / 100 % 100, date % 100, time / 100, time % 100, 0, 0);
}

// ecCodes keeps longitudes as written; the decoder brings those east of 180
// degrees to the west.
double FoldDegrees(double lon) { return lon > 180 ? lon - 360 : lon; }
int FoldMillidegrees(int lon) { return lon > 180000 ? lon - 360000 : lon; }

TEST(FastGRIB2ECCodesTest, DecodedFilesAgreeWithECCodes) {
  struct Case {
    const char* name;
    bool wind;
    int uParm, vParm;
  };
  const Case cases[] = {
      {"wind_decimal", true, 33, 34},
      {"wind_bits", true, 33, 34},
      {"wind_bits24", true, 33, 34},
      {"wind_bitmap", true, 33, 34},
      {"current_scan", false, 49, 50},
      {"current_columns", false, 49, 50},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<TLsRow> ls = ReadLs(kFixtures / (std::string(c.name) + ".ls.txt"));
    const std::vector<std::vector<TPointValue>> data =
        ReadData(kFixtures / (std::string(c.name) + ".data.txt"));
    ASSERT_FALSE(ls.empty());
    ASSERT_EQ(ls.size(), data.size());

    TTempFolder temp;
    TFastGRIB2 grib(temp.path());
    fs::copy_file(kFixtures / (std::string(c.name) + ".grb"),
                  grib.FileTools.GetDocumentsPath() + "fixture.grb");
    TListVektorCubeLight cube;
    if (c.wind) {
      grib.ReadGRIBWind("fixture.grb", cube);
    } else {
      grib.ReadGRIBCurrent("fixture.grb", cube);
    }
    EXPECT_EQ(grib.ReadEnd, "");

    int field = -1;
    std::uint32_t wanted = 0;
    const TLsRow* last = nullptr;
    for (std::size_t m = 0; m < ls.size(); ++m) {
      const TLsRow& row = ls[m];
      const int parameter = Int(row, "indicatorOfParameter");
      if (parameter != c.uParm && parameter != c.vParm) continue;
      SCOPED_TRACE("record " + std::to_string(m));
      ++wanted;
      last = &row;
      const bool isU = parameter == c.uParm;
      if (isU) {
        ++field;
        ASSERT_LT(field, cube.GetCountFields(0));
        EXPECT_EQ(DateTimeToMilliseconds(cube.GetTimeField(field)),
                  DateTimeToMilliseconds(ValidTime(row)));
      }
      EXPECT_EQ(static_cast<int>(grib.GetCountVektors()), Int(row, "numberOfCodedValues"));
      const std::vector<TPointValue>& points = data[m];
      ASSERT_EQ(cube.GetCountVektors(0, field), static_cast<int>(points.size()));
      for (std::size_t n = 0; n < points.size(); ++n) {
        const TPointValue& p = points[n];
        const int k = static_cast<int>(n);
        const TMinutes position = cube.GetVektorMinutes(0, k);
        EXPECT_NEAR(static_cast<double>(position.Lat), p.Lat * 60, 1e-3) << "point " << n;
        EXPECT_NEAR(static_cast<double>(position.Lon), FoldDegrees(p.Lon) * 60, 1e-3) << "point " << n;
        const TCartesian v = cube.GetVektorCartesian(0, field, k);
        const double knots = isU ? v.x : v.y;
        const double ms = static_cast<double>((c.wind ? -knots : knots) / kKnotsPerMs);
        // Our values are held as 32-bit floats, ecCodes' as doubles printed to
        // 11 digits: they agree to the float's rounding.
        EXPECT_NEAR(ms, p.Value, 2.4e-7 * std::fabs(p.Value) + 1e-9) << "point " << n;
      }
    }
    EXPECT_EQ(grib.GetCountFields(), wanted);
    EXPECT_EQ(cube.GetCountFields(0), field + 1);
    ASSERT_NE(last, nullptr);

    // Grid and packing of the records as grib_ls reports them.
    EXPECT_EQ(static_cast<int>(grib.GridCountX), Int(*last, "Ni"));
    EXPECT_EQ(static_cast<int>(grib.GridCountY), Int(*last, "Nj"));
    EXPECT_EQ(grib.GridLat1, Int(*last, "latitudeOfFirstGridPoint"));
    EXPECT_EQ(grib.GridLon1, FoldMillidegrees(Int(*last, "longitudeOfFirstGridPoint")));
    EXPECT_EQ(grib.GridLat2, Int(*last, "latitudeOfLastGridPoint"));
    EXPECT_EQ(grib.GridLon2, FoldMillidegrees(Int(*last, "longitudeOfLastGridPoint")));
    EXPECT_EQ(!grib.GridScanWE, Int(*last, "iScansNegatively") == 1);
    EXPECT_EQ(!grib.GridScanNS, Int(*last, "jScansPositively") == 1);
    EXPECT_EQ(grib.GridScanColumns, Int(*last, "jPointsAreConsecutive") == 1);
    EXPECT_EQ(grib.NumberOfBits, Int(*last, "bitsPerValue"));
    EXPECT_EQ(grib.DecimalScaleFactor, Int(*last, "decimalScaleFactor"));
    EXPECT_EQ(grib.BinaryScaleFactor, Int(*last, "binaryScaleFactor"));

    // The corners: the south-west and north-east of the points ecCodes lists.
    double west = 1e9, east = -1e9, south = 1e9, north = -1e9;
    for (const TPointValue& p : data[0]) {
      west = std::min(west, FoldDegrees(p.Lon));
      east = std::max(east, FoldDegrees(p.Lon));
      south = std::min(south, p.Lat);
      north = std::max(north, p.Lat);
    }
    if (std::string(c.name) != "wind_bitmap") {  // a bit map may hide a corner point
      EXPECT_NEAR(grib.GetGRIBAreaP1().X, west * 1000, 1e-3);
      EXPECT_NEAR(grib.GetGRIBAreaP1().Y, south * 1000, 1e-3);
      EXPECT_NEAR(grib.GetGRIBAreaP2().X, east * 1000, 1e-3);
      EXPECT_NEAR(grib.GetGRIBAreaP2().Y, north * 1000, 1e-3);
    }
  }
}

}  // namespace
}  // namespace corvane
