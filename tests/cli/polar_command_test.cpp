// corvane polar: the listing of a class's table and the import of another
// program's polar as the user's own.

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/file_tools.h"
#include "polars/package_polars.h"
#include "polars/polar_exchange.h"
#include "run_corvane.h"
#include "support/locale_guard.h"

namespace corvane {
namespace {

class PolarCommandTest : public ::testing::Test {
 protected:
  std::string DocumentsFile(const std::string& name) const { return corvane.Documents().folder() + name; }
  void Write(const std::string& name, const TStringList& lines) const {
    ASSERT_TRUE(TFileTools().SaveTextFile(DocumentsFile(name), lines));
  }

  testing::TLocaleGuard point{testing::MakeDecimalLocale('.')};
  TCorvaneRunner corvane;
};

TEST_F(PolarCommandTest, ListsAClassTable) {
  const TCorvaneOutcome run = corvane.Run({"polar", "grand-soleil39-new-c"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out.rfind("GRAND-SOLEIL39-NEW-C (yacht)\n\n", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("True wind speed   6 kts   8 kts  10 kts  12 kts  14 kts  16 kts  20 kts\n"),
            std::string::npos)
      << run.out;
  // The rows of the viewer's grid, with the class's numbers.
  EXPECT_NE(run.out.find("Beat angle         43.5\xC2\xB0"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("\n52\xC2\xB0 "), std::string::npos);
  EXPECT_NE(run.out.find("\nGybe angle"), std::string::npos);
  EXPECT_NE(run.out.find("\nBeat tack time      7.8     7.6"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("beats, runs, reaches"), std::string::npos) << run.out;
}

TEST_F(PolarCommandTest, ImportsAPolarAsTheUsersOwn) {
  Write("sprinter.csv", {"TWA\\TWS;6;20", "40;4;6", "52;4.5;7", "60;4.8;7.3", "75;5;7.6", "90;5.1;7.8",
                         "110;5;8", "120;4.8;7.9", "135;4.4;7.6", "150;4;7.2"});
  const TCorvaneOutcome run =
      corvane.Run({"polar", "--import", DocumentsFile("sprinter.csv"), "--name", "Harbour Sprinter"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_NE(run.out.find("Saved My-Harbour Sprinter to "), std::string::npos) << run.out;

  TPolars saved;
  ASSERT_TRUE(TPackagePolars().LoadPolars(DocumentsFile("My-Harbour Sprinter.pol"), saved));
  EXPECT_NEAR(double(saved.Velocity[1][0]), 4.0, 1e-9);
  EXPECT_NEAR(double(saved.BeatAngles[7]), 40, 1e-9);
  EXPECT_NEAR(double(saved.Velocity[7][4]), 7.8, 1e-9);

  // The own class is listed like any other.
  const TCorvaneOutcome list = corvane.Run({"polar", "My-Harbour Sprinter"});
  ASSERT_EQ(list.code, 0) << list.err;
  EXPECT_EQ(list.out.rfind("My-Harbour Sprinter (own polar)\n", 0), 0u) << list.out;

  // A second import does not replace it unless asked to.
  const TCorvaneOutcome again =
      corvane.Run({"polar", "--import", DocumentsFile("sprinter.csv"), "--name", "My-Harbour Sprinter"});
  EXPECT_EQ(again.code, 2);
  EXPECT_NE(again.err.find("My-Harbour Sprinter exists already"), std::string::npos) << again.err;
  const TCorvaneOutcome replaced = corvane.Run(
      {"polar", "--import", DocumentsFile("sprinter.csv"), "--name", "My-Harbour Sprinter", "--overwrite"});
  EXPECT_EQ(replaced.code, 0) << replaced.err;
}

TEST_F(PolarCommandTest, RepairsArePrinted) {
  Write("rows.txt", {"! TWS TWA BSP", "20 40 6 52 7 150 7.2", "6 40 4 52 4.5 150 4"});
  const TCorvaneOutcome run = corvane.Run({"polar", "--import", DocumentsFile("rows.txt"), "--name", "Rows"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out.rfind("Repaired line 2: wind speeds not in ascending order; the rows were sorted\n", 0), 0u)
      << run.out;
}

TEST_F(PolarCommandTest, Errors) {
  Write("bad.csv", {"TWA;6;8", "52;4;5", "6O;4;5"});
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string err;
  };
  const std::vector<Case> cases{
      {"bad file",
       {"polar", "--import", DocumentsFile("bad.csv"), "--name", "Bad"},
       "corvane: " + DocumentsFile("bad.csv") + ": line 3: angle '6O' is not a number\n"},
      {"unknown class",
       {"polar", "Flying Teapot"},
       "corvane: unknown boat class 'Flying Teapot' (corvane info counts the classes)\n"},
      {"no class", {"polar"}, "corvane: polar: give a boat class, or --import FILE --name NAME\n"},
      {"no name",
       {"polar", "--import", DocumentsFile("bad.csv")},
       "corvane: --import needs --name NAME, the name of your own polar\n"},
      {"invalid name",
       {"polar", "--import", DocumentsFile("bad.csv"), "--name", "a/b"},
       "corvane: --name a/b: not a valid file name\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const TCorvaneOutcome run = corvane.Run(c.args);
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, c.err);
  }
  EXPECT_FALSE(TFileTools().GetFileExists(DocumentsFile("My-Bad.pol")));
}

// Files a careless export or a hostile user may hand in: bad input (exit
// code 2) with one line naming the file, the line and the fault, and no
// polar saved.
TEST_F(PolarCommandTest, MalformedFilesAreBadInput) {
  struct Case {
    const char* name;
    std::string text;  // the file's bytes
    std::string error;
  };
  const std::vector<Case> cases{
      {"lone semicolon", "6 40 4 150 4\n20 40 6 150 7\n;\n", "line 3: only separators, no values"},
      {"only a semicolon", ";\n", "line 1: only separators, no values"},
      {"tab and semicolon", "6 40 4 150 4\n\t;\n", "line 2: only separators, no values"},
      {"row of separators", "TWA;6;20\n40;4;6\n;;\n", "line 3: only separators, no values"},
      {"old line endings", "TWA;6;20\r40;4;6\r52;x;7\r150;4;7\r", "line 3: 'x' under 6 kts is not a number"},
      {"not finite", "TWA;6;20\n40;4;nan\n", "line 2: 'nan' under 20 kts is not a finite number"},
      {"too many wind speeds", "TWA" + [] {
         std::string header;
         for (int w = 1; w <= 1000; ++w) header += ";" + std::to_string(w);
         return header;
       }() + "\n",
       "line 1: more than 100 wind speeds, the most a polar may hold"},
      {"too large", std::string(kPolarFileMaxBytes + 1, '!'),
       "the file is larger than 1000000 bytes, the most a polar file may hold"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = DocumentsFile("import.txt");
    std::ofstream(file, std::ios::binary | std::ios::trunc) << c.text;
    const TCorvaneOutcome run = corvane.Run({"polar", "--import", file, "--name", "Hostile"});
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, "corvane: " + file + ": " + c.error + "\n");
    EXPECT_FALSE(TFileTools().GetFileExists(DocumentsFile("My-Hostile.pol")));
  }
}

TEST_F(PolarCommandTest, ExponentsAreNumbers) {
  Write("exponents.csv", {"TWA;6e0;2E1", "4.0e1;4;6", "1.5E2;0.4e1;72e-1"});
  const TCorvaneOutcome run =
      corvane.Run({"polar", "--import", DocumentsFile("exponents.csv"), "--name", "Exponents"});
  ASSERT_EQ(run.code, 0) << run.err;
  TPolars saved;
  ASSERT_TRUE(TPackagePolars().LoadPolars(DocumentsFile("My-Exponents.pol"), saved));
  EXPECT_NEAR(double(saved.Velocity[7][9]), 7.2, 1e-9);
}

// Choosing a class ignores letter case, so an own polar whose name differs
// from another's only in case would be hidden: it is the same polar.
TEST_F(PolarCommandTest, NamesDifferingInLetterCaseAreOnePolar) {
  Write("first.csv", {"TWA;6;20", "40;4;6", "150;4;7.2"});
  Write("second.csv", {"TWA;6;20", "40;3;5", "150;3;6.2"});
  const auto ownPolars = [&] {
    return TFileTools().GetFileNameWithoutExtension(corvane.Documents().folder(), "*.pol").value_or(TStringList{});
  };
  ASSERT_EQ(corvane.Run({"polar", "--import", DocumentsFile("first.csv"), "--name", "Boat"}).code, 0);

  const TCorvaneOutcome clash = corvane.Run({"polar", "--import", DocumentsFile("second.csv"), "--name", "BOAT"});
  EXPECT_EQ(clash.code, 2);
  EXPECT_EQ(clash.err, "corvane: My-BOAT exists already as My-Boat (class names ignore letter case) (" +
                           DocumentsFile("My-Boat.pol") + "); give --overwrite to replace it\n");
  EXPECT_EQ(ownPolars(), (TStringList{"My-Boat"}));

  const TCorvaneOutcome replaced =
      corvane.Run({"polar", "--import", DocumentsFile("second.csv"), "--name", "My-bOAT", "--overwrite"});
  ASSERT_EQ(replaced.code, 0) << replaced.err;
  EXPECT_EQ(replaced.out.rfind("Saved My-Boat (the existing spelling of My-bOAT) to " + DocumentsFile("My-Boat.pol") +
                                   "\n",
                               0),
            0u)
      << replaced.out;
  EXPECT_EQ(ownPolars(), (TStringList{"My-Boat"}));
  const TCorvaneOutcome listed = corvane.Run({"polar", "MY-BOAT"});
  ASSERT_EQ(listed.code, 0) << listed.err;
  EXPECT_NE(listed.out.find("\nBeat speed          3.0"), std::string::npos) << listed.out;
}

TEST_F(PolarCommandTest, AFailedImportLeavesTheExistingPolar) {
  Write("good.csv", {"TWA;6;20", "40;4;6", "150;4;7.2"});
  ASSERT_EQ(corvane.Run({"polar", "--import", DocumentsFile("good.csv"), "--name", "Keeper"}).code, 0);
  TStringList before;
  ASSERT_TRUE(TFileTools().ReadTextFile(DocumentsFile("My-Keeper.pol"), before));
  for (const TStringList& bad : std::vector<TStringList>{{"6 40 4 150 4", ";"}, {"TWA;6;20", "40;4;1e999"}}) {
    Write("bad.csv", bad);
    const TCorvaneOutcome run =
        corvane.Run({"polar", "--import", DocumentsFile("bad.csv"), "--name", "KEEPER", "--overwrite"});
    EXPECT_EQ(run.code, 2);
    TStringList after;
    ASSERT_TRUE(TFileTools().ReadTextFile(DocumentsFile("My-Keeper.pol"), after));
    EXPECT_EQ(after, before);
  }
}

}  // namespace
}  // namespace corvane
