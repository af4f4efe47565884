#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "data/data_set_packer.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "polars/package_polars.h"
#include "polars/polar_records.h"

namespace corvane {
namespace {

// A table that names itself: beat angle of column 1 = marker, and speeds
// high enough to be routable, so a test can tell which record arrived.
TPolars MarkedTable(double marker) {
  TPolars p;
  p.Reset();
  for (std::size_t c = 1; c <= 7; ++c) {
    p.BeatAngles[c] = 40;
    p.GybeAngles[c] = 150;
    p.TackTime[c] = 6;
    for (std::size_t r = 0; r <= 9; ++r) p.Velocity[c][r] = 5;
  }
  p.BeatAngles[1] = marker;
  return p;
}

std::vector<std::uint8_t> PackNames(const TStringList& names) {
  TDataSetPacker packer;
  for (const std::string& name : names) packer.PackString(name);
  return packer.Bytes();
}

std::vector<std::uint8_t> PackRecords(const std::vector<double>& markers) {
  TDataSetPacker packer;
  for (double marker : markers) {
    for (double value : PolarsRecordValues(MarkedTable(marker))) packer.PackFloatShort(value);
  }
  return packer.Bytes();
}

// Two dinghy classes (markers 31, 32), three yacht classes (41, 42, 43), and
// the user's documents folder in a temporary folder of its own.
class PolarLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = std::filesystem::path(::testing::TempDir()) /
            ("corvane_polar_loader_" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(base_);
    store_.Add("DINGHYN", PackNames({"Skiff-A", "Skiff-B"}));
    store_.Add("DINGHY", PackRecords({31, 32}));
    store_.Add("POLARSN", PackNames({"CRUISER-30", "RACER-36", "GRAND-SOLEIL39-NEW-C"}));
    store_.Add("POLARS", PackRecords({41, 42, 43}));
  }
  void TearDown() override { std::filesystem::remove_all(base_); }

  TPackageResourceLoader Loader() const {
    return TPackageResourceLoader(store_, TFileTools(base_));
  }
  std::string DocumentsPath() const { return TFileTools(base_).GetDocumentsPath(); }

  // Writes a polar file of the given marker into the documents folder.
  void SaveUserPolar(const std::string& className, double marker) const {
    TPackagePolars package;
    ASSERT_TRUE(package.SavePolars(DocumentsPath() + className + ".pol", MarkedTable(marker)));
  }

  std::filesystem::path base_;
  TResourceStore store_;
};

TEST_F(PolarLoaderTest, ClassListHoldsDinghiesThenYachtsThenTheUsersFiles) {
  SaveUserPolar("My-Boat", 51);
  std::ofstream(DocumentsPath() + "notes.txt") << "not a polar\n";
  auto loader = Loader();
  TInterfaceApplicationMobile state;
  state.ListClasses = {"stale"};
  loader.LoadListClasses(state);

  EXPECT_EQ(state.ListClasses, (TStringList{"Skiff-A", "Skiff-B", "CRUISER-30", "RACER-36",
                                            "GRAND-SOLEIL39-NEW-C", "My-Boat"}));
  EXPECT_EQ(state.CountDinghy, 2);
  EXPECT_EQ(state.CountORCI, 3);
}

TEST_F(PolarLoaderTest, MissingNamesDataSetLeavesItsGroupOut) {
  TResourceStore yachtsOnly;
  yachtsOnly.Add("POLARSN", PackNames({"CRUISER-30"}));
  TPackageResourceLoader loader(yachtsOnly, TFileTools(base_));
  TInterfaceApplicationMobile state;
  loader.LoadListClasses(state);
  EXPECT_EQ(state.ListClasses, TStringList{"CRUISER-30"});
  EXPECT_EQ(state.CountDinghy, 0);
  EXPECT_EQ(state.CountORCI, 1);

  TStringList names = {"kept"};
  EXPECT_EQ(loader.ReadClassNames("dinghyn", names), 0);
  EXPECT_EQ(loader.ReadClassNames("polarsn", names), 1);
  EXPECT_EQ(names, (TStringList{"kept", "CRUISER-30"}));
}

TEST_F(PolarLoaderTest, BoatClassSelectsItsRecordOrFile) {
  struct Case {
    std::string boatClass;
    std::string selected;  // BoatClass afterwards
    double marker;            // beat angle of column 1 of the loaded table
  };
  const std::vector<Case> cases = {
      {"Skiff-B", "Skiff-B", 32},
      {"racer-36", "racer-36", 42},  // letter case does not matter
      {"GRAND-SOLEIL39-NEW-C", "GRAND-SOLEIL39-NEW-C", 43},
      {"My-Boat", "My-Boat", 51},
      {"CRUISER-30", "CRUISER-30", 41},  // a user file of that name is never read
      {"Unknown class", "Skiff-A", 31},
  };
  SaveUserPolar("My-Boat", 51);
  SaveUserPolar("CRUISER-30", 52);
  auto loader = Loader();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.boatClass);
    TInterfaceApplicationMobile state;
    loader.LoadListClasses(state);
    state.BoatClass = c.boatClass;
    state.Polars = MarkedTable(99);
    loader.LoadBoatPolars(state);
    EXPECT_EQ(state.BoatClass, c.selected);
    EXPECT_NEAR(state.Polars.BeatAngles[1], c.marker, 0.005);
    EXPECT_EQ(state.Polars.WindVelocity, (std::vector<double>{0, 6, 8, 10, 12, 14, 16, 20, 50}));
  }
}

TEST_F(PolarLoaderTest, UnknownClassWithAnEmptyListKeepsTheTable) {
  TPackageResourceLoader loader{TResourceStore(), TFileTools(base_)};
  TInterfaceApplicationMobile state;
  loader.LoadListClasses(state);
  ASSERT_TRUE(state.ListClasses.empty());
  state.BoatClass = "Nowhere";
  state.Polars = MarkedTable(99);
  loader.LoadBoatPolars(state);
  EXPECT_EQ(state.BoatClass, "Nowhere");
  EXPECT_EQ(state.Polars.BeatAngles[1], 99);
}

TEST_F(PolarLoaderTest, ReadPolarsRecordReadsOneRecordAndNeverPastTheTable) {
  struct Case {
    std::string name;
    int index;
    std::string dataSet;
    double beatAngle1;   // after the read
    double windColumn1;  // WindVelocity[1] after the read
  };
  const std::vector<Case> cases = {
      {"second record", 1, "polars", 42, 6},
      {"negative index: nothing happens", -1, "polars", 99, 6},
      {"missing data set: nothing happens", 0, "nosuchset", 99, 6},
      {"past the end: a table of zeros", 3, "polars", 0, 0},
      {"far past the end", 0x7FFFFFFF, "polars", 0, 0},
  };
  auto loader = Loader();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TInterfaceApplicationMobile state;
    state.Polars = MarkedTable(99);
    loader.ReadPolarsRecord(c.index, c.dataSet, state);
    EXPECT_NEAR(state.Polars.BeatAngles[1], c.beatAngle1, 0.005);
    EXPECT_EQ(state.Polars.WindVelocity[1], c.windColumn1);
    ASSERT_EQ(state.Polars.Velocity.size(), 9u);
  }
}

TEST_F(PolarLoaderTest, TruncatedRecordIsCompletedWithZeros) {
  std::vector<std::uint8_t> bytes = PackRecords({41});
  bytes.resize(bytes.size() - 9 * 4);  // the run row, the record's last 9 values, is cut
  TResourceStore store;
  store.Add("POLARS", bytes);
  TPackageResourceLoader loader(store, TFileTools(base_));
  TInterfaceApplicationMobile state;
  loader.ReadPolarsRecord(0, "polars", state);
  EXPECT_NEAR(state.Polars.BeatAngles[1], 41, 0.005);
  for (std::size_t c = 1; c <= 7; ++c) {
    SCOPED_TRACE("column " + std::to_string(c));
    EXPECT_EQ(state.Polars.Velocity[c][8], 5);
    EXPECT_EQ(state.Polars.Velocity[c][9], 0);
  }
}

TEST_F(PolarLoaderTest, UserPolarsComeOnlyFromTheDocumentsFolder) {
  SaveUserPolar("My-Boat", 51);
  std::filesystem::create_directories(base_ / "elsewhere");
  TPackagePolars package;
  ASSERT_TRUE(package.SavePolars((base_ / "elsewhere" / "Escape.pol").string(), MarkedTable(53)));
  auto loader = Loader();

  struct Case {
    std::string className;
    bool loaded;
    double marker;
  };
  const std::vector<Case> cases = {
      {"My-Boat", true, 51},
      {"My-Nothing", false, 99},
      {"../elsewhere/Escape", false, 99},
      {"", false, 99},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.className);
    TInterfaceApplicationMobile state;
    state.Polars = MarkedTable(99);
    EXPECT_EQ(loader.LoadUserPolars(c.className, state), c.loaded);
    EXPECT_NEAR(state.Polars.BeatAngles[1], c.marker, 0.05);
  }
}

// ----------------------------------------------------- the built-in library

TEST(BuiltInPolarsTest, ClassCountsAndTheDefaultClass) {
  const auto documents =
      std::filesystem::path(::testing::TempDir()) / "corvane_builtin_polars_documents";
  std::filesystem::remove_all(documents);
  TPackageResourceLoader loader(BuiltInResourceStore(), TFileTools(documents));
  for (const char* name : {"dinghyn", "dinghy", "polarsn", "polars"}) {
    if (!loader.FindResource(name)) GTEST_SKIP() << "data set " << name << " is not generated yet";
  }
  TInterfaceApplicationMobile state;
  loader.LoadListClasses(state);
  EXPECT_EQ(state.CountDinghy, 10);
  EXPECT_EQ(state.CountORCI, 730);
  EXPECT_EQ(state.ListClasses.size(), 740u);

  const auto found =
      std::find(state.ListClasses.begin(), state.ListClasses.end(), "GRAND-SOLEIL39-NEW-C");
  ASSERT_NE(found, state.ListClasses.end());
  EXPECT_GE(found - state.ListClasses.begin(), state.CountDinghy);

  TPackagePolars package;
  struct Case {
    std::string boatClass;
    bool reach;
  };
  for (const Case& c : {Case{"GRAND-SOLEIL39-NEW-C", true}, Case{state.ListClasses[0], false}}) {
    SCOPED_TRACE(c.boatClass);
    state.BoatClass = c.boatClass;
    state.Polars.Reset();
    loader.LoadBoatPolars(state);
    EXPECT_EQ(state.BoatClass, c.boatClass);
    EXPECT_EQ(state.Polars.WindVelocity, (std::vector<double>{0, 6, 8, 10, 12, 14, 16, 20, 50}));
    EXPECT_EQ(state.Polars.WindAngles,
              (std::vector<double>{0, 52, 60, 75, 90, 110, 120, 135, 150, 180}));
    EXPECT_TRUE(package.GetValidBeat(state.Polars));
    EXPECT_TRUE(package.GetValidRun(state.Polars));
    // Dinghy records carry only the beat and run rows.
    EXPECT_EQ(package.GetValidReach(state.Polars), c.reach);
  }
  std::filesystem::remove_all(documents);
}

}  // namespace
}  // namespace corvane
