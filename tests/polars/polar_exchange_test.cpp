#include "polars/polar_exchange.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <functional>
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
      {"exponents", {"TWA;6e0;2E1", "4.0e1;4;6", "150;0.4E1;72e-1"}},
      {"exponents, decimal comma", {"TWA;6;20", "40;4,0E0;0,6e+1", "1,5e2;4;7,2"}},
      {"wind rows, exponents", {"6.0E0 40 4 150 4e0", "2e1 40 6 150 7.2E0"}},
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
      // What a careless export or a hostile user may hand in: never read past
      // the end of a row, never a control character in the message.
      {"lone semicolon after wind rows", {"6 40 4 150 4", ";"}, "line 2: only separators, no values"},
      {"lone comma after wind rows", {"6 40 4 150 4", ","}, "line 2: only separators, no values"},
      {"tab and semicolon after wind rows", {"6 40 4 150 4", "\t;"}, "line 2: only separators, no values"},
      {"lone semicolon first", {"", ";"}, "line 2: only separators, no values"},
      {"separators in a matrix", {"TWA;6;8", "52;4;5", ";;;"}, "line 3: only separators, no values"},
      {"lone separator in a matrix", {"TWA,6,8", "52,4,5", ","}, "line 3: only separators, no values"},
      {"row without its angle", {"TWA;6;8", ";4;5"}, "line 2: the first cell is empty where the angle belongs"},
      {"empty wind speed cell", {"TWA;6;;10", "52;4;5;6"}, "line 1: cell 3 is empty where a wind speed belongs"},
      {"infinite speed", {"TWA;6;8", "52;4;inf"}, "line 2: 'inf' under 8 kts is not a finite number"},
      {"angle not a number (nan)", {"TWA;6;8", "NaN;4;5"}, "line 2: angle 'NaN' is not a finite number"},
      {"infinite wind speed", {"TWA;6;infinity"}, "line 1: wind speed 'infinity' is not a finite number"},
      {"exponent out of range", {"6 40 4 150 1e400"}, "line 1: '1e400' is out of range"},
      {"first wind row with a bad value", {"6 40 inf 150 4"}, "line 1: 'inf' is not a finite number"},
      {"two signs", {"TWA;6;8", "52;+-4;5"}, "line 2: '+-4' under 6 kts is not a number"},
      {"exponent angle out of range", {"TWA;6;8", "1e5;4;5"}, "line 2: angle 100000 is outside 0 to 180"},
      {"huge angle", {"TWA;6;8", "1e300;4;5"}, "line 2: angle 1e+300 is outside 0 to 180"},
      {"wind speed too strong", {"TWA;6;1.5e2", "52;4;5"}, "line 1: wind speed 150 is above 100 kts"},
      {"wind row too strong", {"101 40 4 150 4"}, "line 1: wind speed 101 is above 100 kts"},
      {"boat speed too high", {"TWA;6;8", "52;4;1E3"}, "line 2: speed 1000 under 8 kts is above 100 kts"},
      {"row speed too high", {"6 40 4 150 250"}, "line 1: speed 250 at 150 deg is above 100 kts"},
      {"angle given twice, nearly", {"6 40 4 40.0000001 4.1 150 4"}, "line 1: angle 40 is given twice"},
      {"control characters quoted", {"TWA;6;8", "52;4;5\x1B[31m"}, "line 2: '5\\x1B[31m' under 8 kts is not a number"},
      {"long cell cut", {"TWA;6;8", "52;4;" + std::string(100, 'x')},
       "line 2: '" + std::string(32, 'x') + "...' under 8 kts is not a number"},
      {"cut after a whole character", {"TWA;6;8", "52;4;" + std::string(31, 'x') + "\xC2\xB0kn"},
       "line 2: '" + std::string(31, 'x') + "\xC2\xB0...' under 8 kts is not a number"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TPolarImport result = ReadPolarExchange(c.lines);
    EXPECT_FALSE(result.Ok);
    EXPECT_EQ(result.Error, c.error);
    EXPECT_TRUE(result.Repairs.empty());
  }
}

// Files end their lines in "\n", "\r\n" or (older programs) "\r" alone:
// each reads alike, counts its lines alike, and no "\r" reaches a message.
TEST(PolarExchangeTest, EveryLineEndingReadsAlike) {
  struct Case {
    const char* name;
    const char* ending;
  };
  const std::vector<Case> cases{{"LF", "\n"}, {"CRLF", "\r\n"}, {"CR", "\r"}};
  const std::vector<std::string> good{"! a matrix", "TWA;6;20", "40;4;6", "150;4;7.2"};
  const std::vector<std::string> bad{"! a matrix", "TWA;6;20", "40;4;6", "52;x;7", "150;4;7.2"};
  TTempFolder folder;
  const auto join = [](const std::vector<std::string>& lines, const std::string& ending) {
    std::string text;
    for (const std::string& line : lines) text += line + ending;
    return text;
  };
  const auto write = [&](const std::string& name, const std::string& text) {
    const std::string file = folder.folder() + name;
    std::ofstream(file, std::ios::binary) << text;
    return file;
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TPolarImport read = ReadPolarExchangeFile(write(std::string("good") + c.name, join(good, c.ending)));
    ASSERT_TRUE(read.Ok) << read.Error;
    EXPECT_NEAR(double(read.Polars.Velocity[1][0]), 4.0, 1e-9);
    EXPECT_NEAR(double(read.Polars.Velocity[7][9]), 7.2, 1e-9);
    for (const TPolarImport& rejected : {ReadPolarExchangeFile(write(std::string("bad") + c.name, join(bad, c.ending))),
                                         ReadPolarExchange({join(bad, c.ending)})}) {
      EXPECT_FALSE(rejected.Ok);
      EXPECT_EQ(rejected.Error, "line 4: 'x' under 6 kts is not a number");
    }
  }
  // Endings mixed in one file, as a file edited in two programs has them.
  const TPolarImport mixed =
      ReadPolarExchangeFile(write("mixed", "\xEF\xBB\xBFTWA;6;20\r\n40;4;6\r52;x;7\n150;4;7.2\r"));
  EXPECT_EQ(mixed.Error, "line 3: 'x' under 6 kts is not a number");
}

// The n-th of count values spread over 0 to 180 degrees as a file writes
// it, to four decimals, written without formatting a double: the tests
// below write a million of them.
std::string AngleText(std::size_t n, std::size_t count) {
  const std::size_t tenThousandths = n * 1800000 / count;
  const std::string fraction = std::to_string(10000 + tenThousandths % 10000).substr(1);
  return std::to_string(tenThousandths / 10000) + "." + fraction;
}

// The wind speeds 0.5, 1, 1.5, ... knots.
std::string WindText(std::size_t n) { return std::to_string(n / 2) + (n % 2 == 1 ? ".5" : ""); }

// Lines of a matrix of the given numbers of wind speeds and angles, every
// speed 5 knots.
std::vector<std::string> MatrixOf(std::size_t winds, std::size_t angles) {
  std::string header = "TWA";
  for (std::size_t w = 1; w <= winds; ++w) header += ";" + WindText(w);
  std::string speeds;
  for (std::size_t w = 0; w < winds; ++w) speeds += ";5";
  std::vector<std::string> lines{header};
  for (std::size_t a = 0; a < angles; ++a) lines.push_back(AngleText(a, angles) + speeds);
  return lines;
}

// Wind rows of the given numbers of wind speeds and pairs of angle and
// speed, every speed 5 knots.
std::vector<std::string> WindRowsOf(std::size_t winds, std::size_t pairs) {
  std::string row;
  for (std::size_t p = 0; p < pairs; ++p) row += " " + AngleText(p, pairs) + " 5";
  std::vector<std::string> lines;
  for (std::size_t w = 1; w <= winds; ++w) lines.push_back(WindText(w) + row);
  return lines;
}

// A polar of a million columns or pairs, or of far too many rows, is refused
// at the limit, quickly and in little memory; a polar at the limits is read.
// Repeats far apart are still found.
TEST(PolarExchangeTest, SizeLimitsAreNamedAndCheap) {
  // A million cells on one line; a fifth of that in lines, which cost the
  // test more to write than the reader to refuse.
  constexpr std::size_t kHuge = 1000000;
  constexpr std::size_t kManyLines = 200000;
  const std::string winds = "more than 100 wind speeds, the most a polar may hold";
  const std::string angles = "more than 400 angles, the most a polar may hold";
  using TLines = std::vector<std::string>;
  struct Case {
    const char* name;
    std::function<TLines()> lines;  // made when the case runs, one large input at a time
    std::string error;              // empty: read
  };
  const auto matrix = [](std::size_t winds, std::size_t rows) { return [=] { return MatrixOf(winds, rows); }; };
  const auto windRows = [](std::size_t winds, std::size_t pairs) { return [=] { return WindRowsOf(winds, pairs); }; };
  const std::vector<Case> cases{
      {"matrix at the limits", matrix(kPolarMaxWindSpeeds, kPolarMaxAngles), ""},
      {"wind rows at the limits", windRows(kPolarMaxWindSpeeds, kPolarMaxAngles), ""},
      // A separator after the last cell ends the line; it is no cell past
      // the limit.
      {"trailing separators at the limits",
       [] {
         TLines lines = MatrixOf(kPolarMaxWindSpeeds, kPolarMaxAngles);
         for (std::string& line : lines) line += ";";
         return lines;
       },
       ""},
      {"one wind speed too many", matrix(kPolarMaxWindSpeeds + 1, 2), "line 1: " + winds},
      {"a million wind speeds", matrix(kHuge, 0), "line 1: " + winds},
      {"one angle row too many", matrix(2, kPolarMaxAngles + 1), "line 402: " + angles},
      {"many angle rows", matrix(1, kManyLines), "line 402: " + angles},
      {"one wind row too many", windRows(kPolarMaxWindSpeeds + 1, 2), "line 101: " + winds},
      {"many wind rows", windRows(kManyLines, 2), "line 101: " + winds},
      {"one pair too many", windRows(1, kPolarMaxAngles + 1), "line 1: " + angles},
      {"a million pairs", windRows(1, kHuge), "line 1: " + angles},
      {"angle repeated far apart",
       [] {
         TLines lines = MatrixOf(3, kPolarMaxAngles - 1);
         lines.push_back(lines[1]);
         return lines;
       },
       "line 401: angle 0 is given twice (line 2)"},
      {"wind repeated far apart",
       [] {
         TLines lines = WindRowsOf(kPolarMaxWindSpeeds - 1, 2);
         lines.push_back(lines.front());
         return lines;
       },
       "line 100: wind speed 0.5 is given twice"},
  };

  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TLines lines = c.lines();
    const auto start = std::chrono::steady_clock::now();
    const TPolarImport result = ReadPolarExchange(lines);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(result.Ok, c.error.empty());
    EXPECT_EQ(result.Error, c.error);
    // Generous for a sanitizer build; comparing every pair takes minutes.
    EXPECT_LT(took.count(), 2.0);
  }
}

TEST(PolarExchangeTest, FileSizeIsLimited) {
  TTempFolder folder;
  const std::string polar = "TWA;6;20\n40;4;6\n150;4;7.2\n!";
  const auto write = [&](const std::string& name, std::size_t bytes) {
    const std::string file = folder.folder() + name;
    std::ofstream(file, std::ios::binary) << polar << std::string(bytes - polar.size(), 'x');
    return file;
  };
  const TPolarImport atLimit = ReadPolarExchangeFile(write("at.csv", kPolarFileMaxBytes));
  EXPECT_TRUE(atLimit.Ok) << atLimit.Error;
  const std::string tooLarge = "the file is larger than 1000000 bytes, the most a polar file may hold";
  EXPECT_EQ(ReadPolarExchangeFile(write("over.csv", kPolarFileMaxBytes + 1)).Error, tooLarge);
  // A device that never ends is read no further than the limit.
  if (std::filesystem::exists("/dev/zero")) EXPECT_EQ(ReadPolarExchangeFile("/dev/zero").Error, tooLarge);
  EXPECT_EQ(ReadPolarExchangeFile(folder.folder()).Error, "cannot read " + folder.folder());
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
