// corvane print: one PDF page per printed track, the progress and summary
// lines, and the errors.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "print/print_fixture.h"
#include "run_corvane.h"

namespace corvane {
namespace {

using testing_print::PdfPageCount;

class PrintCommandTest : public ::testing::Test {
 protected:
  TCorvaneOutcome Run(std::vector<std::string> args) const { return runner_.Run(std::move(args)); }
  std::string Out(const std::string& name) const { return (runner_.Documents().path() / name).string(); }
  TCorvaneRunner runner_;
};

const std::vector<std::string> kThreeLegs{"--course", "183,177,175,183", "--wind", "12@240",
                                          "--time", "2016-09-01 15:00"};

TEST_F(PrintCommandTest, AllTracksOfAThreeLegCourseGiveThreePages) {
  const std::string file = Out("sheets.pdf");
  std::vector<std::string> args{"print", "--out", file, "--all"};
  args.insert(args.end(), kThreeLegs.begin(), kThreeLegs.end());
  const TCorvaneOutcome outcome = Run(args);
  ASSERT_EQ(outcome.code, 0) << outcome.err;
  EXPECT_EQ(outcome.err, "");
  EXPECT_EQ(PdfPageCount(file), 3);
  std::size_t at = 0;
  for (const char* line : {"  Printing track 1\n", "  Printing track 2\n", "  Printing track 3\n"}) {
    SCOPED_TRACE(line);
    at = outcome.out.find(line, at);
    EXPECT_NE(at, std::string::npos) << outcome.out;
  }
  EXPECT_NE(outcome.out.find("  Sheets            " + file + ", 3 A4 page(s)\n"), std::string::npos) << outcome.out;
  EXPECT_NE(outcome.out.find("  Track 2           Fennick Post - 7S to Skeldra Post - 7Q, 9.59 nm, Beat in "),
            std::string::npos)
      << outcome.out;
}

TEST_F(PrintCommandTest, WithoutAllOneTrackIsPrinted) {
  struct Case {
    const char* Name;
    std::vector<std::string> Extra;
    const char* Progress;
  };
  const std::vector<Case> cases{
      {"the first track", {}, "  Printing track 1\n"},
      {"a track by number", {"--track", "3"}, "  Printing track 3\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string file = Out("one.pdf");
    std::vector<std::string> args{"print", "--out", file};
    args.insert(args.end(), kThreeLegs.begin(), kThreeLegs.end());
    args.insert(args.end(), c.Extra.begin(), c.Extra.end());
    const TCorvaneOutcome outcome = Run(args);
    ASSERT_EQ(outcome.code, 0) << outcome.err;
    EXPECT_EQ(PdfPageCount(file), 1);
    EXPECT_NE(outcome.out.find(c.Progress), std::string::npos) << outcome.out;
    EXPECT_EQ(outcome.out.find("Printing track 2"), std::string::npos) << outcome.out;
  }
}

TEST_F(PrintCommandTest, AWindwardLeewardCourseIsPrintedLegByLeg) {
  // The run of a windward-leeward course ends with its beat selected; each
  // sheet must still show its own leg, routed.
  struct Case {
    const char* Name;
    std::vector<std::string> Extra;
    int Pages;
    std::vector<std::string> Summaries;
  };
  const std::vector<Case> cases{
      {"the beat alone", {}, 1, {"  Track 1           Mark 1 to Mark 2, 0.89 nm, Beat in "}},
      {"both legs",
       {"--all"},
       2,
       {"  Track 1           Mark 1 to Mark 2, 0.89 nm, Beat in ", "  Track 2           Mark 2 to Mark 1, 0.89 nm, "}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const std::string file = Out("windward-leeward.pdf");
    // A class that gybes downwind, as in the route command's test of this
    // course: the default class's leeward leg is a reach 5 degrees off dead
    // downwind, which does not reach its mark.
    std::vector<std::string> args{"print", "--out",  file,     "--windward-leeward", "--topmark", "5",
                                  "--wind", "12@220", "--depth", "1", "--boat", "BLUEWATER-40-DEEP-MH"};
    args.insert(args.end(), c.Extra.begin(), c.Extra.end());
    const TCorvaneOutcome outcome = Run(args);
    ASSERT_EQ(outcome.code, 0) << outcome.err;
    EXPECT_EQ(PdfPageCount(file), c.Pages);
    for (std::size_t i = 0; i < c.Summaries.size(); ++i) {
      const std::size_t at = outcome.out.find(c.Summaries[i]);
      ASSERT_NE(at, std::string::npos) << outcome.out;
      const std::string summary = outcome.out.substr(at, outcome.out.find('\n', at) - at);
      EXPECT_EQ(summary.find("not routed"), std::string::npos) << summary;
    }
  }
}

TEST_F(PrintCommandTest, BadArgumentsAreUsageErrors) {
  struct Case {
    const char* Name;
    std::vector<std::string> Args;
    std::string Message;
  };
  const std::string folder = Out("no-such-folder");
  const std::vector<Case> cases{
      {"track outside the course",
       {"--track", "4"},
       "corvane: --track 4: the course has 3 track(s), numbered from 1\n"},
      {"depth line outside the chart data", {"--depth", "5"},
       "corvane: --depth 5: the depth line is 0 (afloat is enough) to 4\n"},
      {"top mark without a windward-leeward course", {"--topmark", "3"},
       "corvane: --topmark requires --windward-leeward\n"},
      {"a folder that does not exist",
       {"--out", folder + "/sheets.pdf"},
       "corvane: --out " + folder + "/sheets.pdf: the PDF file cannot be written there\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    std::vector<std::string> args{"print"};
    if (c.Args.front() != "--out") args.insert(args.end(), {"--out", Out("bad.pdf")});
    args.insert(args.end(), kThreeLegs.begin(), kThreeLegs.end());
    args.insert(args.end(), c.Args.begin(), c.Args.end());
    const TCorvaneOutcome outcome = Run(args);
    EXPECT_EQ(outcome.code, 2);
    EXPECT_EQ(outcome.err, c.Message);
    EXPECT_FALSE(std::filesystem::exists(Out("bad.pdf")));
  }
}

TEST_F(PrintCommandTest, AllAndTrackExcludeEachOther) {
  const TCorvaneOutcome outcome = Run({"print", "--out", Out("x.pdf"), "--all", "--track", "1"});
  EXPECT_EQ(outcome.code, 2);
  EXPECT_NE(outcome.err.find("excludes"), std::string::npos) << outcome.err;
}

}  // namespace
}  // namespace corvane
