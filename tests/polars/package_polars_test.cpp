#include "polars/package_polars.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "core/constants.h"
#include "core/file_tools.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "support/locale_guard.h"

namespace corvane {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kTolerance = 1e-12;

double Deg(double degrees) { return degrees * kDegreesToRadians; }
TPolar Wind(double knots) { return TPolar{knots, 0}; }

// Speed of row r (1..8) in column c (1..7) of the sample table.
double RowSpeed(int c, int r) { return 3 + 0.25 * c + 0.5 * r; }

// A table with a distinct value in every data column, so that a lookup that
// takes the wrong column shows. Columns 0 and 8 stay 0.
TPolars SampleTable() {
  TPolars p;
  p.Reset();
  const double beatSpeed[] = {0, 4.0, 4.6, 5.0, 5.3, 5.5, 5.6, 5.7, 0};
  const double beatAngle[] = {0, 44, 42, 40, 39, 38, 38, 37, 0};
  const double runSpeed[] = {0, 3.5, 4.2, 5.0, 5.8, 6.4, 7.0, 7.9, 0};
  const double gybeAngle[] = {0, 140, 145, 150, 155, 160, 165, 178, 0};
  const double tackTime[] = {0, 9, 8, 7, 6, 6, 5, 5, 0};
  for (int c = 0; c < 9; ++c) {
    const auto col = static_cast<std::size_t>(c);
    p.Velocity[col][0] = beatSpeed[c];
    p.BeatAngles[col] = beatAngle[c];
    p.Velocity[col][9] = runSpeed[c];
    p.GybeAngles[col] = gybeAngle[c];
    p.TackTime[col] = tackTime[c];
    if (c >= 1 && c <= 7) {
      for (int r = 1; r <= 8; ++r) p.Velocity[col][static_cast<std::size_t>(r)] = RowSpeed(c, r);
    }
  }
  return p;
}

TEST(PackagePolarsTest, FindWindColumnBracketsTheWindSpeed) {
  struct Case {
    double wind;
    int column;
  };
  const std::vector<Case> cases = {
      {0, 0},  {3, 0},     {6, 0},  {6.5, 1},    {8, 1},       {14, 4},    {14.5, 5},
      {20, 6}, {20.5, 7}, {50, 7}, {50.01, -1}, {-0.01, -1}, {kNaN, -1},
  };
  TPackagePolars package;
  const TPolars table = SampleTable();
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<double>(c.wind)) + " kts");
    EXPECT_EQ(package.FindWindColumn(c.wind, table), c.column);
  }
}

TEST(PackagePolarsTest, PerColumnLookupsHoldTheWindToTheDataColumns) {
  struct Case {
    std::string name;
    std::function<double(const TPackagePolars&, const TPolar&, const TPolars&)> lookup;
    double at3, at6, at7, at20, at35, at60, atMinus1;
  };
  const std::vector<Case> cases = {
      {"beat speed", [](auto& k, auto& w, auto& p) { return k.GetBeatSpeed(w, p); }, 4.0, 4.0,
       4.3, 5.7, 5.7, 0, 0},
      {"beat angle", [](auto& k, auto& w, auto& p) { return k.GetBeatAngle(w, p); }, 44, 44, 43, 37,
       37, 0, 0},
      {"run speed", [](auto& k, auto& w, auto& p) { return k.GetRunSpeed(w, p); }, 3.5, 3.5,
       3.85, 7.9, 7.9, 0, 0},
      // The 20-knot gybe angle of 178 degrees is limited to GybeAngleMax.
      {"gybe angle", [](auto& k, auto& w, auto& p) { return k.GetGybeAngle(w, p); }, 140, 140,
       142.5, 175, 175, 0, 0},
      {"tack time", [](auto& k, auto& w, auto& p) { return k.GetBeatTackTime(w, p); }, 9, 9, 8.5,
       5, 5, 0, 0},
  };
  TPackagePolars package;
  const TPolars table = SampleTable();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(c.lookup(package, Wind(3), table), c.at3, kTolerance);
    EXPECT_NEAR(c.lookup(package, Wind(6), table), c.at6, kTolerance);
    EXPECT_NEAR(c.lookup(package, Wind(7), table), c.at7, kTolerance);
    EXPECT_NEAR(c.lookup(package, Wind(20), table), c.at20, kTolerance);
    EXPECT_NEAR(c.lookup(package, Wind(35), table), c.at35, kTolerance);
    EXPECT_EQ(c.lookup(package, Wind(60), table), c.at60);
    EXPECT_EQ(c.lookup(package, Wind(-1), table), c.atMinus1);
  }
}

TEST(PackagePolarsTest, GybeAngleBelowTheLimitIsNotTouched) {
  TPackagePolars package;
  TPolars table = SampleTable();
  table.GybeAngleMax = 160;
  EXPECT_NEAR(package.GetGybeAngle(Wind(10), table), 150, kTolerance);
  EXPECT_EQ(package.GetGybeAngle(Wind(16), table), 160);  // 165 in the table
}

TEST(PackagePolarsTest, ReachSpeedWithinOneColumn) {
  // Column 1: beat 44 degrees at 4.0 kts, fixed rows 52 ... 150, run 140
  // degrees at 3.5 kts, which sorts between the 135 and 150 rows.
  struct Case {
    std::string name;
    double angleDeg;
    double expected;
  };
  const double row135 = RowSpeed(1, 7);
  const double row150 = RowSpeed(1, 8);
  const std::vector<Case> cases = {
      {"the 90-degree row exactly", 90, RowSpeed(1, 4)},
      {"port and starboard alike", -90, RowSpeed(1, 4)},
      {"half way 60 to 75", 67.5, (RowSpeed(1, 2) + RowSpeed(1, 3)) / 2},
      {"the beat row", 44, 4.0},
      {"below the beat angle: the line through beat and 52 rows", 40,
       4.0 + (RowSpeed(1, 1) - 4.0) * (40 - 44) / (52 - 44)},
      {"between the 135 row and the run row", 137.5, (row135 + 3.5) / 2},
      {"the run row", 140, 3.5},
      {"between the run row and the 150 row", 145, (3.5 + row150) / 2},
      {"beyond the last row: the line through run and 150 rows", 170,
       3.5 + (row150 - 3.5) * (170 - 140) / (150 - 140)},
  };
  TPackagePolars package;
  const TPolars table = SampleTable();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_NEAR(package.GetReachSpeedOfColumn(Deg(c.angleDeg), 1, table), c.expected, 1e-9);
  }
}

TEST(PackagePolarsTest, ReachSpeedInterpolatesAcrossWindColumns) {
  TPackagePolars package;
  const TPolars table = SampleTable();
  // 9 knots lies half way between the 8- and 10-knot columns 2 and 3.
  EXPECT_NEAR(package.GetReachSpeed(Wind(9), Deg(90), table), (RowSpeed(2, 4) + RowSpeed(3, 4)) / 2,
              1e-9);
  EXPECT_NEAR(package.GetReachSpeed(Wind(9), Deg(-90), table),
              (RowSpeed(2, 4) + RowSpeed(3, 4)) / 2, 1e-9);
  // Outside the data columns the bound columns stand in for their
  // neighbours: 3 knots sails like 6, 35 like 20.
  EXPECT_NEAR(package.GetReachSpeed(Wind(3), Deg(100), table),
              package.GetReachSpeedOfColumn(Deg(100), 1, table), 1e-12);
  EXPECT_NEAR(package.GetReachSpeed(Wind(35), Deg(100), table),
              package.GetReachSpeedOfColumn(Deg(100), 7, table), 1e-12);
  EXPECT_EQ(package.GetReachSpeed(Wind(60), Deg(90), table), 0);
  EXPECT_EQ(package.GetReachSpeed(Wind(-1), Deg(90), table), 0);
}

TEST(PackagePolarsTest, GetPolarDataStoresTheLookupsOfTheTrueWind) {
  TPolars polars = SampleTable();
  TPackagePolars package;
  package.GetPolarData(TPolar{7, Deg(200)}, polars);
  EXPECT_NEAR(polars.BeatSpeed, 4.3, kTolerance);
  EXPECT_NEAR(polars.BeatAngle, 43, kTolerance);
  EXPECT_NEAR(polars.RunSpeed, 3.85, kTolerance);
  EXPECT_NEAR(polars.GybeAngle, 142.5, kTolerance);
  EXPECT_NEAR(polars.BeatTackTime, 8.5, kTolerance);
}

TEST(PackagePolarsTest, EmptyAndMalformedTablesGiveZeroAndAreNeverValid) {
  TPolars reset;
  reset.Reset();
  TPolars neverReset;  // arrays empty although nCols and nRows say 9 and 10
  TPolars shortColumn = SampleTable();
  shortColumn.Velocity[3].resize(4);

  struct Case {
    std::string name;
    const TPolars* table;
  };
  const std::vector<Case> cases = {
      {"reset", &reset}, {"never reset", &neverReset}, {"short column", &shortColumn}};
  TPackagePolars package;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(package.GetBeatSpeed(Wind(10), *c.table), 0);
    EXPECT_EQ(package.GetBeatAngle(Wind(10), *c.table), 0);
    EXPECT_EQ(package.GetRunSpeed(Wind(10), *c.table), 0);
    EXPECT_EQ(package.GetGybeAngle(Wind(10), *c.table), 0);
    EXPECT_EQ(package.GetBeatTackTime(Wind(10), *c.table), 0);
    EXPECT_EQ(package.GetReachSpeed(Wind(10), Deg(90), *c.table), 0);
    EXPECT_FALSE(package.GetValidBeat(*c.table));
    EXPECT_FALSE(package.GetValidRun(*c.table));
    EXPECT_FALSE(package.GetValidReach(*c.table));
  }
}

TEST(PackagePolarsTest, ValidityOfAYachtAndOfADinghyTable) {
  TPackagePolars package;
  const TPolars yacht = SampleTable();
  EXPECT_TRUE(package.GetValidBeat(yacht));
  EXPECT_TRUE(package.GetValidRun(yacht));
  EXPECT_TRUE(package.GetValidReach(yacht));

  // A dinghy record carries only the beat and run rows.
  TPolars dinghy = SampleTable();
  for (auto& column : dinghy.Velocity) {
    for (int r = 1; r <= 8; ++r) column[static_cast<std::size_t>(r)] = 0;
  }
  EXPECT_TRUE(package.GetValidBeat(dinghy));
  EXPECT_TRUE(package.GetValidRun(dinghy));
  EXPECT_FALSE(package.GetValidReach(dinghy));
}

// ------------------------------------------------------------- polar files

class PolarFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::path(::testing::TempDir()) /
              ("corvane_polar_files_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string File(const std::string& name) const { return (folder_ / name).string(); }

  void Write(const std::string& name, const TStringList& lines) const {
    ASSERT_TRUE(TFileTools().SaveTextFile(File(name), lines));
  }
  TStringList Read(const std::string& name) const {
    TStringList lines;
    EXPECT_TRUE(TFileTools().ReadTextFile(File(name), lines));
    return lines;
  }

  TPackagePolars package_;
  std::filesystem::path folder_;
};

TEST_F(PolarFileTest, SavePolarsWritesFourteenLinesOfTheDataColumns) {
  TPolars table = SampleTable();
  const double row1[] = {0, 4.9, 5.6, 5.9, 6.1, 6.2, 6.3, 6.3, 0};
  for (int c = 0; c < 9; ++c) table.Velocity[static_cast<std::size_t>(c)][1] = row1[c];
  ASSERT_TRUE(package_.SavePolars(File("a.pol"), table));

  const TStringList lines = Read("a.pol");
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[0], "Wind Velocity 6 kts 8 kts 10 kts 12 kts 14 kts 16 kts 20 kts");
  EXPECT_EQ(lines[1], "Beat Angles 44.0° 42.0° 40.0° 39.0° 38.0° 38.0° 37.0°");
  EXPECT_EQ(lines[2], "Beat 4.0 4.6 5.0 5.3 5.5 5.6 5.7");
  EXPECT_EQ(lines[3], "Tack Time 9.0 8.0 7.0 6.0 6.0 5.0 5.0");
  EXPECT_EQ(lines[4], "52° 4.9 5.6 5.9 6.1 6.2 6.3 6.3");
  // Speeds of 7.25, 7.75, ... are exact halves and round away from zero.
  EXPECT_EQ(lines[11], "150° 7.3 7.5 7.8 8.0 8.3 8.5 8.8");
  EXPECT_EQ(lines[12], "Run 3.5 4.2 5.0 5.8 6.4 7.0 7.9");
  EXPECT_EQ(lines[13], "Gybe Angles 140.0° 145.0° 150.0° 155.0° 160.0° 165.0° 178.0°");
}

TEST_F(PolarFileTest, WrittenFileReadsBackIntoTheSameTable) {
  const TPolars table = SampleTable();
  ASSERT_TRUE(package_.SavePolars(File("a.pol"), table));
  TPolars back;
  ASSERT_TRUE(package_.LoadPolars(File("a.pol"), back));

  // Half a unit of the written decimal, and a hair for the binary fractions.
  const double halfDecimal = 0.05 + 1e-9;
  EXPECT_EQ(back.WindVelocity, table.WindVelocity);
  EXPECT_EQ(back.WindAngles, table.WindAngles);
  for (int c = 1; c <= 7; ++c) {
    SCOPED_TRACE("column " + std::to_string(c));
    const auto col = static_cast<std::size_t>(c);
    EXPECT_NEAR(back.BeatAngles[col], table.BeatAngles[col], halfDecimal);
    EXPECT_NEAR(back.GybeAngles[col], table.GybeAngles[col], halfDecimal);
    EXPECT_NEAR(back.TackTime[col], table.TackTime[col], halfDecimal);
    for (int r = 0; r <= 9; ++r) {
      EXPECT_NEAR(back.Velocity[col][static_cast<std::size_t>(r)],
                  table.Velocity[col][static_cast<std::size_t>(r)], halfDecimal);
    }
  }
  EXPECT_EQ(back.Velocity[0], std::vector<double>(10, 0));
  EXPECT_EQ(back.Velocity[8], std::vector<double>(10, 0));
}

TEST_F(PolarFileTest, DecimalCommaLocaleWritesAndReadsTheSameValues) {
  const TPolars table = SampleTable();
  {
    testing::TLocaleGuard comma(testing::MakeDecimalLocale(','));
    ASSERT_TRUE(package_.SavePolars(File("comma.pol"), table));
  }
  ASSERT_TRUE(package_.SavePolars(File("point.pol"), table));
  EXPECT_EQ(Read("comma.pol")[2], "Beat 4,0 4,6 5,0 5,3 5,5 5,6 5,7");

  TPolars fromComma;
  TPolars fromPoint;
  ASSERT_TRUE(package_.LoadPolars(File("comma.pol"), fromComma));
  ASSERT_TRUE(package_.LoadPolars(File("point.pol"), fromPoint));
  EXPECT_EQ(fromComma.Velocity, fromPoint.Velocity);
  EXPECT_EQ(fromComma.BeatAngles, fromPoint.BeatAngles);
  EXPECT_EQ(fromComma.GybeAngles, fromPoint.GybeAngles);
  EXPECT_EQ(fromComma.TackTime, fromPoint.TackTime);
  EXPECT_EQ(fromComma.Velocity[1][0], 4.0);
}

TEST_F(PolarFileTest, VelocitiesMadeGoodBecomeBoatSpeedsAndDefaultTackTimes) {
  Write("vmg.pol", {
                       "Beat Angles 45° 45° 45° 45° 45° 45° 45°",
                       "Tack Time 9 9 9 9 9 9 9",
                       "Beat VMG 3.0 3.0 3.0 3.0 3.0 3.0 3.0",
                       "Run VMG 4.0 4.0 4.0 4.0 4.0 4.0 4.0",
                       "Gybe Angles 150° 150° 150° 150° 150° 150° 150°",
                   });
  TPolars p;
  ASSERT_TRUE(package_.LoadPolars(File("vmg.pol"), p));
  const double tack[] = {0, 5, 5, 5, 4, 4, 4, 4, 0};
  for (int c = 1; c <= 7; ++c) {
    SCOPED_TRACE("column " + std::to_string(c));
    const auto col = static_cast<std::size_t>(c);
    EXPECT_NEAR(p.Velocity[col][0], 4.243, 0.0005);  // 3.0 / cos 45
    EXPECT_NEAR(p.Velocity[col][9], 4.0 / std::cos(Deg(30)), 1e-12);
    EXPECT_EQ(p.TackTime[col], tack[c]);
  }
}

TEST_F(PolarFileTest, TheLastBeatOrRunLineDecidesWhetherItIsAVMG) {
  Write("later.pol", {
                         "Beat Angles 45° 45° 45° 45° 45° 45° 45°",
                         "Beat VMG 3.0 3.0 3.0 3.0 3.0 3.0 3.0",
                         "Beat 5.5 5.5 5.5 5.5 5.5 5.5 5.5",
                         "Tack Time 9 9 9 9 9 9 9",
                     });
  TPolars p;
  ASSERT_TRUE(package_.LoadPolars(File("later.pol"), p));
  EXPECT_EQ(p.Velocity[4][0], 5.5);
  EXPECT_EQ(p.TackTime[4], 9);
}

TEST_F(PolarFileTest, DataRowsFillRowsInTheOrderTheyAppear) {
  Write("rows.pol", {
                        "Wind Velocity 7 kts 9 kts",
                        "75° 1 2 3 4 5 6 7",
                        "",
                        "Beat 4.4",
                        "80° 8 9",
                    });
  TPolars p;
  ASSERT_TRUE(package_.LoadPolars(File("rows.pol"), p));
  // Missing values keep the reset table: the standard wind columns beyond
  // the two given, and the angles of the rows not given.
  EXPECT_EQ(p.WindVelocity, (std::vector<double>{0, 7, 9, 10, 12, 14, 16, 20, 50}));
  EXPECT_EQ(p.WindAngles, (std::vector<double>{0, 75, 80, 75, 90, 110, 120, 135, 150, 180}));
  EXPECT_EQ(p.Velocity[1][1], 1);
  EXPECT_EQ(p.Velocity[7][1], 7);
  EXPECT_EQ(p.Velocity[2][2], 9);
  EXPECT_EQ(p.Velocity[3][2], 0);
  EXPECT_EQ(p.Velocity[1][0], 4.4);
}

TEST_F(PolarFileTest, FileWithoutWindVelocityKeepsTheStandardColumns) {
  Write("nowind.pol", {"Beat 4 5 6 7 8 9 10"});
  TPolars p;
  ASSERT_TRUE(package_.LoadPolars(File("nowind.pol"), p));
  EXPECT_EQ(p.WindVelocity, (std::vector<double>{0, 6, 8, 10, 12, 14, 16, 20, 50}));
  EXPECT_EQ(p.Velocity[7][0], 10);
}

TEST_F(PolarFileTest, ExcessValuesAndRowsAreIgnored) {
  TStringList lines = {"Wind Velocity 1 kts 2 kts 3 kts 4 kts 5 kts 6 kts 7 kts 8 kts 9 kts",
                       "Beat 1 2 3 4 5 6 7 8 9 10"};
  for (int row = 1; row <= 10; ++row)
    lines.push_back(std::to_string(row * 10) + "° 1 2 3 4 5 6 7 8");
  Write("excess.pol", lines);
  TPolars p;
  ASSERT_TRUE(package_.LoadPolars(File("excess.pol"), p));
  EXPECT_EQ(p.WindVelocity, (std::vector<double>{0, 1, 2, 3, 4, 5, 6, 7, 50}));
  EXPECT_EQ(p.Velocity[8][0], 0);  // the bound column is not data
  EXPECT_EQ(p.WindAngles, (std::vector<double>{0, 10, 20, 30, 40, 50, 60, 70, 80, 180}));
  EXPECT_EQ(p.Velocity[8][4], 0);
  EXPECT_EQ(p.Velocity[7][9], 0);  // rows 9 and 10 did not reach the run row
  ASSERT_EQ(p.Velocity.size(), 9u);
  for (const auto& column : p.Velocity) EXPECT_EQ(column.size(), 10u);
}

TEST_F(PolarFileTest, MissingFileGivesFalseAndAResetTable) {
  TPolars p = SampleTable();
  EXPECT_FALSE(package_.LoadPolars(File("none.pol"), p));
  TPolars reset;
  reset.Reset();
  EXPECT_EQ(p.Velocity, reset.Velocity);
  EXPECT_EQ(p.BeatAngles, reset.BeatAngles);
  EXPECT_EQ(p.WindVelocity, reset.WindVelocity);
}

TEST_F(PolarFileTest, UnwritableFileGivesFalse) {
  EXPECT_FALSE(package_.SavePolars(File("no-such-folder/a.pol"), SampleTable()));
}

TEST_F(PolarFileTest, SavingAMalformedTableWritesZerosInsteadOfReadingPastIt) {
  TPolars neverReset;
  ASSERT_TRUE(package_.SavePolars(File("empty.pol"), neverReset));
  const TStringList lines = Read("empty.pol");
  ASSERT_EQ(lines.size(), 14u);
  EXPECT_EQ(lines[0], "Wind Velocity 0 kts 0 kts 0 kts 0 kts 0 kts 0 kts 0 kts");
  EXPECT_EQ(lines[4], "0° 0.0 0.0 0.0 0.0 0.0 0.0 0.0");
}

// ------------------------------------------------ the built-in default class

TEST(PackagePolarsBuiltInTest, DefaultClassIsValidForEveryLegAndSurvivesItsFile) {
  TPackageResourceLoader loader(
      BuiltInResourceStore(),
      TFileTools(std::filesystem::path(::testing::TempDir()) / "corvane_polars_builtin_documents"));
  if (!loader.FindResource("polarsn") || !loader.FindResource("polars")) {
    GTEST_SKIP() << "the yacht polar data sets are not generated yet";
  }
  TInterfaceApplicationMobile state;
  loader.LoadListClasses(state);
  loader.LoadBoatPolars(state);
  ASSERT_EQ(state.BoatClass, "GRAND-SOLEIL39-NEW-C");

  TPackagePolars package;
  EXPECT_TRUE(package.GetValidBeat(state.Polars));
  EXPECT_TRUE(package.GetValidRun(state.Polars));
  EXPECT_TRUE(package.GetValidReach(state.Polars));
  // Upwind slower than on a reach, and more wind is never slower upwind.
  EXPECT_LT(package.GetBeatSpeed(Wind(12), state.Polars),
            package.GetReachSpeed(Wind(12), Deg(90), state.Polars));
  EXPECT_LE(package.GetBeatSpeed(Wind(8), state.Polars),
            package.GetBeatSpeed(Wind(12), state.Polars));

  const auto file =
      (std::filesystem::path(::testing::TempDir()) / "corvane_default_class.pol").string();
  ASSERT_TRUE(package.SavePolars(file, state.Polars));
  TPolars back;
  ASSERT_TRUE(package.LoadPolars(file, back));
  std::filesystem::remove(file);
  for (double wind : {5.0, 7.0, 11.0, 18.0}) {
    SCOPED_TRACE(std::to_string(static_cast<double>(wind)) + " kts");
    EXPECT_NEAR(package.GetBeatSpeed(Wind(wind), back),
                package.GetBeatSpeed(Wind(wind), state.Polars), 0.05 + 1e-9);
    EXPECT_NEAR(package.GetReachSpeed(Wind(wind), Deg(100), back),
                package.GetReachSpeed(Wind(wind), Deg(100), state.Polars), 0.05 + 1e-9);
  }
}

}  // namespace
}  // namespace corvane
