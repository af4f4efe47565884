// corvane polar: the listing of a class's table and the import of another
// program's polar as the user's own.

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace corvane
