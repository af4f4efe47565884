#include "polars/polar_exchange.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "core/file_tools.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

std::size_t At(int i) { return static_cast<std::size_t>(i); }

// A small yacht polar in the TWA/TWS matrix, two wind speeds that bracket
// the table's columns partly, written the way other programs write it.
const std::vector<std::string> kMatrix{
    "TWA\\TWS;6;20", "40;4.00;6.00",  "52;4.50;7.00",  "60;5.00;7.40",  "75;5.20;7.80",  "90;5.30;8.00",
    "110;5.20;8.20", "120;5.00;8.10", "135;4.60;7.80", "150;4.00;7.20", "165;3.50;6.80",
};

TPolars BuiltInClass(TPackageResourceLoader& loader, TInterfaceApplicationMobile& state, int index) {
  state.BoatClass = state.ListClasses[At(index)];
  loader.LoadBoatPolars(state);
  return state.Polars;
}

// Speeds, beat and gybe angles of the data columns agree to within
// tolerance (knots and degrees).
void ExpectSameTable(const TPolars& expected, const TPolars& actual, double tolerance) {
  for (int c = 1; c <= 7; ++c) {
    SCOPED_TRACE("column " + std::to_string(c));
    EXPECT_NEAR(double(expected.BeatAngles[At(c)]), double(actual.BeatAngles[At(c)]), double(tolerance));
    EXPECT_NEAR(double(expected.GybeAngles[At(c)]), double(actual.GybeAngles[At(c)]), double(tolerance));
    for (int r = 0; r < 10; ++r) {
      SCOPED_TRACE("row " + std::to_string(r));
      // A matrix holds one speed per angle: a beat or gybe point on a fixed
      // angle (a dinghy gybing at 135 degrees) is that angle's speed.
      double speed = expected.Velocity[At(c)][At(r)];
      if (r > 0 && r < 9) {
        const double angle = expected.WindAngles[At(r)];
        if (std::fabs(expected.BeatAngles[At(c)] - angle) < 0.005) speed = expected.Velocity[At(c)][0];
        if (std::fabs(expected.GybeAngles[At(c)] - angle) < 0.005) speed = expected.Velocity[At(c)][9];
      }
      EXPECT_NEAR(double(speed), double(actual.Velocity[At(c)][At(r)]), double(tolerance));
    }
  }
}

TEST(PolarExchangeTest, EveryBuiltInClassRoundTripsThroughTheMatrix) {
  TTempFolder documents;
  TPackageResourceLoader loader(BuiltInResourceStore(), TFileTools::ForProgramFolder(documents.path()));
  TInterfaceApplicationMobile state;
  loader.LoadListClasses(state);
  const int builtIn = state.CountDinghy + state.CountORCI;
  ASSERT_GT(state.CountDinghy, 0);
  ASSERT_GT(state.CountORCI, 0);
  for (int i = 0; i < builtIn; ++i) {
    const TPolars original = BuiltInClass(loader, state, i);
    SCOPED_TRACE(state.BoatClass);
    const TPolarImport back = ReadPolarExchange(WritePolarMatrix(original));
    ASSERT_TRUE(back.Ok) << back.Error;
    EXPECT_TRUE(back.Repairs.empty()) << back.Repairs.front();
    // The hundredths written, and a cell held a hundredth below its column's
    // best velocity made good.
    ExpectSameTable(original, back.Polars, 0.02);
    if (::testing::Test::HasFailure()) break;
  }
}

TEST(PolarExchangeTest, TheDefaultClassRoundTripsThroughAFile) {
  TTempFolder documents;
  TPackageResourceLoader loader(BuiltInResourceStore(), TFileTools::ForProgramFolder(documents.path()));
  TInterfaceApplicationMobile state;
  loader.LoadListClasses(state);
  loader.LoadBoatPolars(state);
  ASSERT_EQ(state.BoatClass, "GRAND-SOLEIL39-NEW-C");
  const std::string file = documents.folder() + "export.csv";
  ASSERT_TRUE(SavePolarMatrix(file, state.Polars));

  TStringList lines;
  ASSERT_TRUE(TFileTools().ReadTextFile(file, lines));
  EXPECT_EQ(lines.front(), "TWA\\TWS;6;8;10;12;14;16;20");

  const TPolarImport back = ReadPolarExchangeFile(file);
  ASSERT_TRUE(back.Ok) << back.Error;
  // The written hundredths are all that may differ.
  ExpectSameTable(state.Polars, back.Polars, 0.005);
  // The files carry no tack times.
  EXPECT_EQ(back.Polars.TackTime, (std::vector<double>{0, 5, 5, 5, 4, 4, 4, 4, 0}));
}

TEST(PolarExchangeTest, MatrixIsResampledOntoTheTableColumns) {
  const TPolarImport result = ReadPolarExchange(kMatrix);
  ASSERT_TRUE(result.Ok) << result.Error;
  const TPolars& p = result.Polars;
  // 6 kts: upwind 4.0 cos 40 = 3.06 beats 4.5 cos 52 = 2.77; downwind
  // 4.0 cos 30 = 3.46 at 150 beats 3.5 cos 15 = 3.38 at 165.
  EXPECT_NEAR(double(p.BeatAngles[1]), 40, 1e-9);
  EXPECT_NEAR(double(p.Velocity[1][0]), 4.0, 1e-9);
  EXPECT_NEAR(double(p.GybeAngles[1]), 150, 1e-9);
  EXPECT_NEAR(double(p.Velocity[1][9]), 4.0, 1e-9);
  // 20 kts: 7.2 cos 30 = 6.24 < 6.8 cos 15 = 6.57: gybe at 165.
  EXPECT_NEAR(double(p.GybeAngles[7]), 165, 1e-9);
  EXPECT_NEAR(double(p.Velocity[7][9]), 6.8, 1e-9);
  // Column 4 is 12 kts: 6/14 of the way from 6 to 20.
  EXPECT_NEAR(double(p.Velocity[4][3]), 5.2 + (7.8 - 5.2) * 6.0 / 14.0, 1e-9);
  EXPECT_NEAR(double(p.GybeAngles[4]), 150 + 15 * 6.0 / 14.0, 1e-9);
  EXPECT_EQ(p.WindVelocity, (std::vector<double>{0, 6, 8, 10, 12, 14, 16, 20, 50}));
  EXPECT_TRUE(result.Repairs.empty());
}

TEST(PolarExchangeTest, SeparatorsAndDecimalSeparators) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
  };
  const std::vector<Case> cases{
      {"semicolon, decimal comma", {"twa/tws;6;20", "40;4,0;6,0", "150;4,0;7,2"}},
      {"tab", {"TWA\t6\t20", "40\t4.0\t6.0", "150\t4.0\t7.2"}},
      {"comma", {"TWA,6,20", "40,4.0,6.0", "150,4.0,7.2"}},
      {"blanks", {"TWA   6  20", "40  4.0  6.0", "  150 4.0 7.2  "}},
      {"wind rows, tabs", {"! TWS TWA BSP", "6\t40\t4.0\t150\t4.0", "20\t40\t6.0\t150\t7.2"}},
      {"wind rows, blanks", {"!", "6 40 4 150 4", "", "20 40 6 150 7.2"}},
      {"wind rows, semicolons", {"6;40;4,0;150;4,0", "20;40;6,0;150;7,2"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TPolarImport result = ReadPolarExchange(c.lines);
    ASSERT_TRUE(result.Ok) << result.Error;
    EXPECT_NEAR(double(result.Polars.Velocity[1][0]), 4.0, 1e-9);
    EXPECT_NEAR(double(result.Polars.Velocity[7][9]), 7.2, 1e-9);
    EXPECT_NEAR(double(result.Polars.BeatAngles[7]), 40, 1e-9);
  }
}

TEST(PolarExchangeTest, BadFilesAreRejectedNamingTheLine) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::string error;
  };
  const std::vector<Case> cases{
      {"empty", {"", "! only a comment"}, "line 1: the file holds no polar"},
      {"no wind speeds", {"TWA\\TWS", "52;4"}, "line 1: no wind speeds after 'TWA\\TWS'"},
      {"wind not a number", {"TWA;6;x8"}, "line 1: wind speed 'x8' is not a number"},
      {"wind zero", {"TWA;0;8"}, "line 1: wind speed 0 is not above 0"},
      {"wind twice", {"TWA;6;8;6", "52;4;5;4"}, "line 1: wind speed 6 is given twice"},
      {"no rows", {"TWA;6;8"}, "line 1: no angle rows follow the wind speeds"},
      {"angle not a number", {"TWA;6;8", "52;4;5", "6O;4;5"}, "line 3: angle '6O' is not a number"},
      {"angle too big", {"TWA;6;8", "190;4;5"}, "line 2: angle 190 is outside 0 to 180"},
      {"angle twice", {"TWA;6;8", "52;4;5", "", "52;4;5"}, "line 4: angle 52 is given twice (line 2)"},
      {"cell not a number", {"TWA;6;8", "52;4;5kn"}, "line 2: '5kn' under 8 kts is not a number"},
      {"negative cell", {"TWA;6;8", "52;4;-5"}, "line 2: speed -5 under 8 kts is negative"},
      {"too many cells", {"TWA;6;8", "52;4;5;6"}, "line 2: 3 speeds for 2 wind speeds"},
      {"comma cells with a comma separator", {"TWA,6,8", "52,4,5,5"}, "line 2: 3 speeds for 2 wind speeds"},
      {"no downwind", {"TWA;6;8", "52;4;5", "90;5;6"}, "line 1: 6 kts has no speed above 90 deg"},
      {"no upwind", {"TWA;6;8", "90;0;0", "120;5;6"}, "line 1: 6 kts has no speed below 90 deg"},
      {"not a polar", {"Polar of my boat", "52 4"},
       "line 1: 'Polar' begins neither a TWA/TWS matrix nor a row of wind speed, angles and speeds"},
      {"row: text", {"6 40 4 150 4", "8 40 4.5 15O 4.4"}, "line 2: '15O' is not a number"},
      {"row: odd", {"6 40 4 150"}, "line 1: angle 150 has no speed"},
      {"row: wind only", {"!x", "6"}, "line 2: wind speed 6 has no angle and speed"},
      {"row: wind twice", {"6 40 4 150 4", "6 40 4 150 4"}, "line 2: wind speed 6 is given twice"},
      {"row: angle twice", {"6 40 4 40 4.1 150 4"}, "line 1: angle 40 is given twice"},
      {"row: negative", {"6 40 4 150 -4"}, "line 1: speed -4 at 150 deg is negative"},
      {"row: no downwind", {"6 40 4 52 4.5"}, "line 1: 6 kts has no speed above 90 deg"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TPolarImport result = ReadPolarExchange(c.lines);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Error, c.error);
    EXPECT_TRUE(result.Repairs.empty());
  }
}

TEST(PolarExchangeTest, RepairsAreNamedAndMade) {
  struct Case {
    const char* name;
    std::vector<std::string> lines;
    std::vector<std::string> repairs;
    int column;
    int row;
    double value;  // Velocity[column][row] after the repair
  };
  const std::vector<Case> cases{
      {"missing cell inside a column",
       {"TWA;6;20", "40;4;6", "52;4.5;7", "75;;7.8", "90;5.5;8", "150;4;7.2"},
       {"line 4: no speed under 6 kts at 75 deg; interpolated between the neighbouring angles"},
       1,
       3,
       4.5 + (5.5 - 4.5) * (75.0 - 52.0) / (90.0 - 52.0)},
      {"short row",
       {"TWA;6;20", "40;4;6", "52;4.5", "90;5.5;8", "150;4;7.2"},
       {"line 3: no speed under 20 kts at 52 deg; interpolated between the neighbouring angles"},
       7,
       1,
       6 + (8 - 6) * (52.0 - 40.0) / (90.0 - 40.0)},
      {"unordered wind speeds",
       {"TWA;20;6", "40;6;4", "52;7;4.5", "150;7.2;4"},
       {"line 1: wind speeds not in ascending order; the columns were sorted"},
       1,
       1,
       4.5},
      {"unordered angles",
       {"TWA;6;20", "52;4.5;7", "40;4;6", "150;4;7.2"},
       {"line 3: angles not in ascending order; the rows were sorted"},
       7,
       0,
       6},
      {"unordered wind rows",
       {"20 40 6 52 7 150 7.2", "6 40 4 52 4.5 150 4"},
       {"line 1: wind speeds not in ascending order; the rows were sorted"},
       1,
       1,
       4.5},
      {"unordered pairs",
       {"6 150 4 40 4 52 4.5", "20 40 6 52 7 150 7.2"},
       {"line 1: angles not in ascending order; the pairs were sorted"},
       1,
       1,
       4.5},
      {"narrow wind range",
       {"TWA;8;16", "40;4;6", "52;4.5;7", "150;4;7.2"},
       {"line 1: the file's lowest wind speed is 8 kts; the columns below it repeat it",
        "line 1: the file's highest wind speed is 16 kts; the columns above it repeat it"},
       7,
       1,
       7},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TPolarImport result = ReadPolarExchange(c.lines);
    ASSERT_TRUE(result.Ok) << result.Error;
    std::vector<std::string> repairs;
    // Angles the file does not reach are reported too; only the case's own
    // repair is asked for here.
    for (const std::string& repair : result.Repairs) {
      if (repair.find("gives no speed at") == std::string::npos) repairs.push_back(repair);
    }
    EXPECT_EQ(repairs, c.repairs);
    EXPECT_NEAR(double(result.Polars.Velocity[At(c.column)][At(c.row)]), c.value, 1e-9);
  }
}

TEST(PolarExchangeTest, AnglesBeyondTheFileAreHeldAndReported) {
  const TPolarImport result = ReadPolarExchange({"TWA;6", "60;5", "150;4"});
  ASSERT_TRUE(result.Ok) << result.Error;
  EXPECT_EQ(result.Repairs.front(), "line 1: 6 kts gives no speed at 52 deg; the speed at 60 deg is used");
  EXPECT_NEAR(double(result.Polars.Velocity[1][1]), 5, 1e-9);
}

TEST(PolarExchangeTest, ZerosKeepADinghyOffTheReaches) {
  // A dinghy's polar: beat and run only, zeros on the reaching angles.
  const TPolarImport result = ReadPolarExchange(
      {"TWA;6;20", "43;3.5;5", "52;0;0", "60;0;0", "75;0;0", "90;0;0", "110;0;0", "120;0;0", "135;0;0", "150;0;0",
       "170;3.8;6.5"});
  ASSERT_TRUE(result.Ok) << result.Error;
  EXPECT_TRUE(result.Repairs.empty());
  for (int r = 1; r <= 8; ++r) EXPECT_EQ(result.Polars.Velocity[4][At(r)], 0) << r;
  EXPECT_NEAR(double(result.Polars.GybeAngles[4]), 170, 1e-9);
}

TEST(PolarExchangeTest, UnreadableFileSaysSo) {
  TTempFolder folder;
  const std::string file = folder.folder() + "missing.csv";
  const TPolarImport result = ReadPolarExchangeFile(file);
  EXPECT_FALSE(result.Ok);
  EXPECT_EQ(result.Error, "cannot read " + file);
}

}  // namespace
}  // namespace corvane
