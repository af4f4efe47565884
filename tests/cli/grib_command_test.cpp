// corvane grib against what ecCodes read from the same fixture files (the
// texts beside them in tests/grib/fixtures): the per-field summary, the
// wind at a grid point, and the errors.

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "core/date_time.h"
#include "run_corvane.h"

namespace corvane {
namespace {

namespace fs = std::filesystem;

const fs::path kFixtures = CORVANE_GRIB_FIXTURES;
constexpr double kKnotsPerMs = 3600.0 / 1852.0;
constexpr double kRadiansToDegrees = 180.0 / 3.14159265358979323846;

// One record of a fixture as ecCodes read it: parameter, valid time and the
// values of the points that have one, in data order.
struct TRecord {
  int Parameter = 0;
  std::string ValidGMT;  // "yyyy-mm-dd hh:mm"
  std::vector<double> Lat, Lon, Value;
};

std::vector<TRecord> ReadFixture(const std::string& name) {
  std::vector<TRecord> records;
  std::ifstream ls(kFixtures / (name + ".ls.txt"));
  std::string line;
  std::getline(ls, line);  // the file name
  std::getline(ls, line);  // the keys: parameter, validityDate, validityTime first
  while (std::getline(ls, line) && line.find(" messages in ") == std::string::npos) {
    std::istringstream fields(line);
    TRecord record;
    int date = 0;
    int time = 0;
    fields >> record.Parameter >> date >> time;
    record.ValidGMT = FormatDateTime(
        "yyyy-mm-dd hh:mm", EncodeDateTime(date / 10000, date / 100 % 100, date % 100, time / 100, time % 100, 0, 0));
    records.push_back(record);
  }
  std::ifstream data(kFixtures / (name + ".data.txt"));
  std::size_t block = 0;
  while (std::getline(data, line)) {
    if (line.rfind("Latitude", 0) == 0) {
      ++block;
      continue;
    }
    std::istringstream fields(line);
    double lat = 0, lon = 0, value = 0;
    if (block == 0 || block > records.size() || !(fields >> lat >> lon >> value)) continue;
    TRecord& record = records[block - 1];
    record.Lat.push_back(lat);
    record.Lon.push_back(lon > 180 ? lon - 360 : lon);
    record.Value.push_back(value);
  }
  return records;
}

// The u and v records of each time field, in file order.
std::vector<std::pair<const TRecord*, const TRecord*>> WindFields(const std::vector<TRecord>& records) {
  std::vector<std::pair<const TRecord*, const TRecord*>> fields;
  for (const TRecord& record : records) {
    if (record.Parameter == 33) fields.emplace_back(&record, nullptr);
    if (record.Parameter == 34 && !fields.empty()) fields.back().second = &record;
  }
  return fields;
}

// The vector toward the direction the wind comes from, knots.
struct TWindVector {
  double x = 0, y = 0;
};
TWindVector WindAt(const TRecord& u, const TRecord& v, std::size_t point) {
  return {-u.Value[point] * kKnotsPerMs, -v.Value[point] * kKnotsPerMs};
}
double DirectionFrom(double x, double y) {
  const double degrees = std::atan2(x, y) * kRadiansToDegrees;
  return std::fmod(std::round(degrees) + 360, 360);
}
// Whole degrees a and b differ by at most one, across north.
bool NearDirection(double a, double b) {
  const double d = std::fabs(std::fmod(a - b + 540, 360) - 180);
  return d <= 1;
}

// The table rows after the line that starts with "  Field".
std::vector<std::string> TableRows(const std::string& out) {
  std::istringstream lines(out);
  std::vector<std::string> rows;
  bool table = false;
  for (std::string line; std::getline(lines, line);) {
    if (table && !line.empty()) rows.push_back(line);
    if (line.rfind("  Field  ", 0) == 0) table = true;
  }
  return rows;
}

class GribCommandTest : public ::testing::Test {
 protected:
  TCorvaneOutcome Run(std::vector<std::string> args) const { return runner_.Run(std::move(args)); }
  TCorvaneRunner runner_;
};

TEST_F(GribCommandTest, FieldSummariesAgreeWithECCodes) {
  for (const std::string name : {"wind_bits", "wind_bits24", "wind_decimal", "wind_bitmap"}) {
    SCOPED_TRACE(name);
    const std::vector<TRecord> records = ReadFixture(name);
    const auto fields = WindFields(records);
    ASSERT_FALSE(fields.empty());
    const TCorvaneOutcome outcome = Run({"grib", (kFixtures / (name + ".grb")).string(), "--gmt"});
    ASSERT_EQ(outcome.code, 0) << outcome.err;
    EXPECT_NE(outcome.out.find(std::to_string(2 * fields.size()) + " wind records, " +
                               std::to_string(fields.size()) + " time field(s)"),
              std::string::npos)
        << outcome.out;
    const std::vector<std::string> rows = TableRows(outcome.out);
    ASSERT_EQ(rows.size(), fields.size()) << outcome.out;
    for (std::size_t f = 0; f < fields.size(); ++f) {
      SCOPED_TRACE("field " + std::to_string(f + 1));
      const TRecord& u = *fields[f].first;
      const TRecord& v = *fields[f].second;
      double sum = 0, smallest = HUGE_VAL, largest = 0, sx = 0, sy = 0;
      for (std::size_t p = 0; p < u.Value.size(); ++p) {
        const TWindVector w = WindAt(u, v, p);
        const double speed = std::hypot(w.x, w.y);
        sum += speed;
        smallest = std::min(smallest, speed);
        largest = std::max(largest, speed);
        sx += w.x;
        sy += w.y;
      }
      std::istringstream row(rows[f]);
      int number = 0;
      std::string date, time, gmt, unit;
      double mean = 0, low = 0, high = 0, direction = 0;
      row >> number >> date >> time >> gmt >> mean >> low >> high >> direction >> unit;
      EXPECT_EQ(number, static_cast<int>(f + 1));
      EXPECT_EQ(date + " " + time + " " + gmt, u.ValidGMT + " GMT");
      // One decimal printed, values decoded as 32-bit floats.
      EXPECT_NEAR(mean, sum / static_cast<double>(u.Value.size()), 0.051);
      EXPECT_NEAR(low, smallest, 0.051);
      EXPECT_NEAR(high, largest, 0.051);
      EXPECT_TRUE(NearDirection(direction, DirectionFrom(sx, sy))) << direction;
      EXPECT_EQ(unit, "deg");
    }
  }
}

TEST_F(GribCommandTest, TimesAreLocalAtTheReferencePortUnlessGMT) {
  const std::string file = (kFixtures / "wind_bits.grb").string();
  const TCorvaneOutcome local = Run({"grib", file});
  ASSERT_EQ(local.code, 0) << local.err;
  // June: British summer time, one hour ahead of GMT.
  EXPECT_NE(local.out.find("Times             2016-06-12 07:00 local (06:00 GMT) to 2016-06-12 09:00 local "
                           "(08:00 GMT)"),
            std::string::npos)
      << local.out;
  const TCorvaneOutcome gmt = Run({"grib", file, "--gmt"});
  EXPECT_NE(gmt.out.find("Times             2016-06-12 06:00 GMT to 2016-06-12 08:00 GMT"), std::string::npos)
      << gmt.out;
}

TEST_F(GribCommandTest, WindAtAGridPointIsThatPointsValues) {
  const std::vector<TRecord> records = ReadFixture("wind_bits");
  const auto fields = WindFields(records);
  const TRecord& u0 = *fields[0].first;
  constexpr std::size_t kPoint = 14;  // an inner point of the 6 x 4 grid
  std::ostringstream lon, lat;
  lon << u0.Lon[kPoint];
  lat << u0.Lat[kPoint];
  const std::string file = (kFixtures / "wind_bits.grb").string();

  const TCorvaneOutcome every = Run({"grib", file, "--lon", lon.str(), "--lat", lat.str(), "--gmt"});
  ASSERT_EQ(every.code, 0) << every.err;
  for (std::size_t f = 0; f < fields.size(); ++f) {
    SCOPED_TRACE("field " + std::to_string(f + 1));
    const TWindVector w = WindAt(*fields[f].first, *fields[f].second, kPoint);
    const std::string label = "  Field " + std::to_string(f + 1);
    const std::size_t at = every.out.find(label);
    ASSERT_NE(at, std::string::npos) << every.out;
    std::istringstream row(every.out.substr(at + label.size()));
    std::string date, time, gmt, kts, from;
    double speed = 0, direction = 0;
    row >> date >> time >> gmt >> speed >> kts >> from >> direction;
    EXPECT_EQ(date + " " + time, fields[f].first->ValidGMT);
    EXPECT_NEAR(speed, std::hypot(w.x, w.y), 0.051);
    EXPECT_TRUE(NearDirection(direction, DirectionFrom(w.x, w.y))) << direction;
  }

  // Half way between the first two fields: the mean of the two speeds, the
  // direction of the sum of the two vectors.
  const TWindVector a = WindAt(*fields[0].first, *fields[0].second, kPoint);
  const TWindVector b = WindAt(*fields[1].first, *fields[1].second, kPoint);
  const TCorvaneOutcome between =
      Run({"grib", file, "--lon", lon.str(), "--lat", lat.str(), "--gmt", "--time", "2016-06-12 06:30"});
  ASSERT_EQ(between.code, 0) << between.err;
  const std::string label = "  Wind              ";
  const std::size_t at = between.out.find(label);
  ASSERT_NE(at, std::string::npos) << between.out;
  std::istringstream row(between.out.substr(at + label.size()));
  std::string kts, from;
  double speed = 0, direction = 0;
  row >> speed >> kts >> from >> direction;
  EXPECT_NEAR(speed, (std::hypot(a.x, a.y) + std::hypot(b.x, b.y)) / 2, 0.051);
  EXPECT_TRUE(NearDirection(direction, DirectionFrom(a.x + b.x, a.y + b.y))) << direction;
}

TEST_F(GribCommandTest, APositionOutsideTheGridHasNoWind) {
  const TCorvaneOutcome outcome =
      Run({"grib", (kFixtures / "wind_bits.grb").string(), "--lon", "-1.9", "--lat", "50.6"});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_NE(outcome.out.find("  Wind              none: the position lies outside the grid\n"), std::string::npos)
      << outcome.out;
}

TEST_F(GribCommandTest, UnusableFilesAndArgumentsGiveOneLine) {
  const fs::path text = runner_.Documents().path() / "notes.txt";
  std::ofstream(text) << "a plain text\n";
  const fs::path cut = runner_.Documents().path() / "cut.grb";
  {
    std::ifstream in(kFixtures / "wind_bits.grb", std::ios::binary);
    std::string bytes(100, '\0');
    in.read(bytes.data(), 100);
    std::ofstream(cut, std::ios::binary) << bytes;
  }
  const std::string bits = (kFixtures / "wind_bits.grb").string();
  struct Case {
    std::string name;
    std::vector<std::string> args;
    int code;
    std::string err;
  };
  const std::vector<Case> cases{
      {"missing file", {"grib", "absent.grb"}, 2, "corvane: absent.grb: no such file\n"},
      {"folder", {"grib", runner_.Documents().path().string()}, 2,
       "corvane: " + runner_.Documents().path().string() + ": is a folder, not a GRIB file\n"},
      {"not GRIB", {"grib", text.string()}, 1,
       "corvane: " + text.string() + ": no GRIB edition 1 wind record (parameters 33 and 34) on a regular grid\n"},
      {"cut short", {"grib", cut.string()}, 1,
       "corvane: " + cut.string() +
           ": no GRIB edition 1 wind record (parameters 33 and 34) on a regular grid (record at offset 0 is 122 "
           "octets long, the data ends at 100)\n"},
      {"current only", {"grib", (kFixtures / "current_scan.grb").string()}, 1,
       "corvane: " + (kFixtures / "current_scan.grb").string() +
           ": no GRIB edition 1 wind record (parameters 33 and 34) on a regular grid\n"},
      {"lon alone", {"grib", bits, "--lon", "-1.2"}, 2, "corvane: --lon and --lat go together\n"},
      {"time alone", {"grib", bits, "--time", "2016-06-12 06:30"}, 2, "corvane: --time needs --lon and --lat\n"},
      {"bad latitude", {"grib", bits, "--lon", "-1.2", "--lat", "95"}, 2,
       "corvane: --lat 95: expected degrees north (50.77 or 50.77N) or 050.46.200N\n"},
      {"time outside",
       {"grib", bits, "--lon", "-1.2", "--lat", "50.6", "--gmt", "--time", "2016-06-12 09:00"},
       2,
       "corvane: --time 2016-06-12 09:00 GMT lies outside the file's fields, which serve 2016-06-12 06:00 GMT to "
       "2016-06-12 08:00 GMT\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TCorvaneOutcome outcome = Run(c.args);
    EXPECT_EQ(outcome.code, c.code);
    EXPECT_EQ(outcome.err, c.err);
    EXPECT_EQ(outcome.out, "");
  }
}

// A file whose reading stops at a faulty record lists what was read before
// it and exits with 1, so that a script notices the records left out.
TEST_F(GribCommandTest, AReadingStoppedAtAFaultListsWhatWasReadAndExitsWithOne) {
  std::ifstream in(kFixtures / "wind_bits.grb", std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  bytes.resize(bytes.size() - 30);  // the last record, the v wind of the third field, cut short
  const fs::path cut = runner_.Documents().path() / "cut.grb";
  std::ofstream(cut, std::ios::binary) << bytes;
  const TCorvaneOutcome outcome = Run({"grib", cut.string(), "--gmt"});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_NE(outcome.out.find("  Reading stopped   record at offset "), std::string::npos) << outcome.out;
  EXPECT_EQ(TableRows(outcome.out).size(), 3u) << outcome.out;

  const TCorvaneOutcome at = Run({"grib", cut.string(), "--lon", "-1.2", "--lat", "50.6"});
  EXPECT_EQ(at.code, 1);
  EXPECT_NE(at.out.find("  Field 1"), std::string::npos) << at.out;
}

// Edition 2 keeps its length elsewhere; the message says so instead of
// reading a length from the wrong octets.
TEST_F(GribCommandTest, AnEdition2FileIsNamedAsSuch) {
  std::string bytes = {'G', 'R', 'I', 'B', '\xFF', '\xFF', '\0', '\2'};
  bytes.resize(64, '\0');
  bytes[15] = 64;
  const fs::path file = runner_.Documents().path() / "edition2.grb";
  std::ofstream(file, std::ios::binary) << bytes;
  const TCorvaneOutcome outcome = Run({"grib", file.string()});
  EXPECT_EQ(outcome.code, 1);
  EXPECT_EQ(outcome.err, "corvane: " + file.string() +
                             ": no GRIB edition 1 wind record (parameters 33 and 34) on a regular grid (record at "
                             "offset 0 is of GRIB edition 2, which is not read; convert with grib_set -s edition=1)\n");
}

TEST_F(GribCommandTest, ABareNameIsLookedForInTheProgramFolder) {
  // With --documents the folder given is the program's folder.
  fs::copy_file(kFixtures / "wind_decimal.grb", runner_.Documents().path() / "forecast.grb");
  const TCorvaneOutcome outcome = Run({"grib", "forecast.grb"});
  EXPECT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_NE(outcome.out.find("7 x 5 points, 35 with a value"), std::string::npos) << outcome.out;
}

}  // namespace
}  // namespace corvane
