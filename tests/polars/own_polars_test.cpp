#include "polars/own_polars.h"

#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace corvane {
namespace {

TEST(OwnPolarsTest, ClassNamesCompareWithoutLetterCase) {
  struct Case {
    std::string a;
    std::string b;
    bool same;
  };
  const std::vector<Case> cases{
      {"My-Boat", "MY-BOAT", true},   {"My-Boat", "my-boat", true},  {"My-Boat", "My-Boats", false},
      {"My-Boat", "My-Bo", false},    {"", "", true},                {"My-Boat 2", "My-Boat 3", false},
      // Only ASCII letters fold: the bytes of other characters must match.
      {"My-\xC3\x85", "My-\xC3\xA5", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.a + " / " + c.b);
    EXPECT_EQ(SameClassName(c.a, c.b), c.same);
    EXPECT_EQ(SameClassName(c.b, c.a), c.same);
  }
}

TEST(OwnPolarsTest, AnOwnPolarOfTheSameNameInAnyCaseIsFound) {
  struct Case {
    const char* name;
    std::vector<std::string> files;  // in the documents folder before
    std::string className;
    std::string expectedName;
    std::string expectedFile;  // in the documents folder
    bool exists;
  };
  const std::vector<Case> cases{
      {"none yet", {}, "My-Boat", "My-Boat", "My-Boat.pol", false},
      {"same spelling", {"My-Boat.pol"}, "My-Boat", "My-Boat", "My-Boat.pol", true},
      {"other case", {"My-Boat.pol"}, "My-BOAT", "My-Boat", "My-Boat.pol", true},
      {"other case of the extension", {"My-Boat.POL"}, "my-boat", "My-Boat", "My-Boat.POL", true},
      {"both spellings there", {"My-Boat.pol", "My-BOAT.pol"}, "My-BOAT", "My-BOAT", "My-BOAT.pol", true},
      {"a longer name is another", {"My-Boats.pol", "My-Boat.txt"}, "My-Boat", "My-Boat", "My-Boat.pol", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TTempFolder documents;
    const TFileTools files = TFileTools::ForProgramFolder(documents.path());
    for (const std::string& file : c.files) std::ofstream(documents.folder() + file) << "Wind Velocity\n";
    const TOwnPolarFile found = FindOwnPolarFile(files, c.className);
    EXPECT_EQ(found.Name, c.expectedName);
    EXPECT_EQ(found.File, documents.folder() + c.expectedFile);
    EXPECT_EQ(found.Exists, c.exists);
  }
}

}  // namespace
}  // namespace corvane
