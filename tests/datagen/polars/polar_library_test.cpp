// The built-in polar library as the program embeds it: names, record layout,
// validity for routing and the plausibility of every class.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <map>
#include <numbers>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "data/resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "polars/polar_records.h"
#include "polars/polar_validity.h"
#include "tools/datagen/polars/catalogue.h"
#include "tools/datagen/polars/polar_pack.h"
#include "tools/datagen/polars/vpp.h"

namespace corvane {
namespace {

struct TLibrary {
  std::vector<std::string> Names;
  std::vector<std::uint8_t> Records;
  std::vector<TPolars> Tables;
};

TLibrary Load(const std::string& namesSet, const std::string& recordsSet) {
  TPackageSuperResourceLoader loader(BuiltInResourceStore());
  TLibrary library;
  auto names = loader.OpenResource(namesSet);
  auto records = loader.OpenResource(recordsSet);
  if (!names || !records) return library;
  while (names->Remaining() > 0) library.Names.push_back(loader.ReadString(*names));
  library.Records.resize(static_cast<std::size_t>(records->Size()));
  records->Read(library.Records.data(), library.Records.size());
  for (std::size_t i = 0; i < library.Names.size(); ++i) {
    TPolars p;
    ReadPolarsRecord(library.Records, static_cast<int>(i), p);
    library.Tables.push_back(p);
  }
  return library;
}

double Vmg(const TPolars& p, std::size_t col) {
  return static_cast<double>(p.Velocity[col][0]) *
         std::cos(static_cast<double>(p.BeatAngles[col]) * std::numbers::pi / 180);
}

constexpr std::size_t kColumn12Knots = 4;
constexpr std::size_t kColumn20Knots = 7;

class PolarLibraryTest : public ::testing::Test {
 protected:
  TLibrary yachts_ = Load("POLARSN", "POLARS");
  TLibrary dinghies_ = Load("DINGHYN", "DINGHY");
};

TEST_F(PolarLibraryTest, CountsAndRecordSizes) {
  EXPECT_EQ(yachts_.Names.size(), 730u);
  EXPECT_EQ(dinghies_.Names.size(), 10u);
  EXPECT_EQ(yachts_.Records.size(), 730u * 544u);
  EXPECT_EQ(dinghies_.Records.size(), 10u * 544u);
}

TEST_F(PolarLibraryTest, NamesAreUniqueUpperCaseAndShortAndHoldTheDefault) {
  std::set<std::string> all;
  for (const auto* list : {&yachts_.Names, &dinghies_.Names}) {
    for (const std::string& name : *list) {
      SCOPED_TRACE(name);
      EXPECT_FALSE(name.empty());
      EXPECT_LE(name.size(), 25u);
      EXPECT_TRUE(std::all_of(name.begin(), name.end(), [](char c) {
        return std::isupper(static_cast<unsigned char>(c)) || std::isdigit(static_cast<unsigned char>(c)) || c == '-';
      }));
      EXPECT_TRUE(all.insert(name).second) << "duplicate";
    }
  }
  EXPECT_TRUE(std::count(yachts_.Names.begin(), yachts_.Names.end(), "GRAND-SOLEIL39-NEW-C") == 1);
}

TEST_F(PolarLibraryTest, EveryRecordHasTheFixedRowsAndEmptyBoundColumns) {
  const std::vector<double> angles{0, 52, 60, 75, 90, 110, 120, 135, 150, 180};
  const std::vector<double> winds{0, 6, 8, 10, 12, 14, 16, 20, 50};
  for (const auto* library : {&yachts_, &dinghies_}) {
    for (std::size_t i = 0; i < library->Names.size(); ++i) {
      SCOPED_TRACE(library->Names[i]);
      const TPolars& p = library->Tables[i];
      EXPECT_EQ(p.WindAngles, angles);
      EXPECT_EQ(p.WindVelocity, winds);
      for (const std::size_t bound : {std::size_t{0}, std::size_t{8}}) {
        EXPECT_EQ(p.BeatAngles[bound], 0);
        EXPECT_EQ(p.GybeAngles[bound], 0);
        EXPECT_EQ(p.TackTime[bound], 0);
        EXPECT_TRUE(std::all_of(p.Velocity[bound].begin(), p.Velocity[bound].end(), [](double v) { return v == 0; }));
      }
    }
  }
}

TEST_F(PolarLibraryTest, YachtsAreValidForEveryLegAndDinghiesForBeatsAndRunsOnly) {
  for (std::size_t i = 0; i < yachts_.Names.size(); ++i) {
    SCOPED_TRACE(yachts_.Names[i]);
    EXPECT_TRUE(GetValidBeat(yachts_.Tables[i]));
    EXPECT_TRUE(GetValidRun(yachts_.Tables[i]));
    EXPECT_TRUE(GetValidReach(yachts_.Tables[i]));
  }
  for (std::size_t i = 0; i < dinghies_.Names.size(); ++i) {
    SCOPED_TRACE(dinghies_.Names[i]);
    const TPolars& p = dinghies_.Tables[i];
    EXPECT_TRUE(GetValidBeat(p));
    EXPECT_TRUE(GetValidRun(p));
    EXPECT_FALSE(GetValidReach(p));
    for (std::size_t c = 0; c < 9; ++c) {
      for (std::size_t r = 1; r <= 8; ++r) EXPECT_EQ(p.Velocity[c][r], 0);
    }
  }
}

TEST_F(PolarLibraryTest, SpeedAtEveryAngleDoesNotFallAsTheWindRises) {
  for (std::size_t i = 0; i < yachts_.Names.size(); ++i) {
    SCOPED_TRACE(yachts_.Names[i]);
    const TPolars& p = yachts_.Tables[i];
    for (std::size_t r = 1; r <= 8; ++r) {
      for (std::size_t c = 2; c <= 7; ++c) {
        EXPECT_GE(p.Velocity[c][r], p.Velocity[c - 1][r]) << p.WindAngles[r] << " deg, " << p.WindVelocity[c] << " kn";
      }
    }
  }
}

TEST_F(PolarLibraryTest, BeatAndGybeAnglesArePlausible) {
  for (const auto* library : {&yachts_, &dinghies_}) {
    for (std::size_t i = 0; i < library->Names.size(); ++i) {
      SCOPED_TRACE(library->Names[i]);
      const TPolars& p = library->Tables[i];
      for (std::size_t c = 1; c <= 7; ++c) {
        EXPECT_GE(p.BeatAngles[c], 33);
        EXPECT_LE(p.BeatAngles[c], 48);
        EXPECT_GE(p.GybeAngles[c], 135);
        EXPECT_LE(p.GybeAngles[c], 180);
        EXPECT_GT(p.TackTime[c], 0);
      }
    }
  }
}

// Within one hull type, keel and rig (and spinnaker), a longer waterline makes
// a faster boat to windward, and a heavier one tacks slower.
TEST_F(PolarLibraryTest, UpwindVmgAndTackTimeGrowWithWaterlineLength) {
  const auto designs = vpp::YachtCatalogue();
  using TKey = std::tuple<vpp::THullType, vpp::TKeelType, vpp::TRigType, vpp::TSpinnakerType>;
  struct TEntry {
    double Lwl;
    std::string Name;
    const TPolars* Table;
  };
  std::map<TKey, std::vector<TEntry>> series;
  for (std::size_t i = 0; i < yachts_.Names.size(); ++i) {
    const vpp::TBoatDesign* d = vpp::FindDesign(designs, yachts_.Names[i]);
    ASSERT_NE(d, nullptr) << yachts_.Names[i];
    series[TKey{d->Hull, d->Keel, d->Rig, d->Spinnaker}].push_back({d->Lwl, d->Name, &yachts_.Tables[i]});
  }
  EXPECT_GE(series.size(), 10u);
  for (auto& [key, boats] : series) {
    std::sort(boats.begin(), boats.end(), [](const TEntry& a, const TEntry& b) { return a.Lwl < b.Lwl; });
    for (std::size_t j = 1; j < boats.size(); ++j) {
      SCOPED_TRACE(boats[j - 1].Name + " and " + boats[j].Name);
      EXPECT_GT(Vmg(*boats[j].Table, kColumn12Knots), Vmg(*boats[j - 1].Table, kColumn12Knots));
      EXPECT_GE(boats[j].Table->TackTime[kColumn12Knots], boats[j - 1].Table->TackTime[kColumn12Knots]);
    }
  }
}

TEST_F(PolarLibraryTest, DefaultClassSailsLikeA39FootCruiserRacer) {
  const auto at = std::find(yachts_.Names.begin(), yachts_.Names.end(), "GRAND-SOLEIL39-NEW-C");
  ASSERT_NE(at, yachts_.Names.end());
  const TPolars& p = yachts_.Tables[static_cast<std::size_t>(at - yachts_.Names.begin())];
  EXPECT_GE(p.Velocity[kColumn12Knots][0], 6);
  EXPECT_LE(p.Velocity[kColumn12Knots][0], 7);
  double bestReach = 0;
  for (std::size_t r = 1; r <= 8; ++r) bestReach = std::max(bestReach, p.Velocity[kColumn20Knots][r]);
  EXPECT_LT(bestReach, 9.5);
  EXPECT_GT(bestReach, p.Velocity[kColumn20Knots][0]);
}

// The committed data sets are what the generator writes: a few records
// recomputed here match the embedded bytes exactly.
TEST_F(PolarLibraryTest, GeneratorReproducesEmbeddedRecords) {
  struct Case {
    const TLibrary* Library;
    std::vector<vpp::TBoatDesign> Designs;
    std::string Name;
    bool ReachRows;
  };
  const std::vector<Case> cases = {
      {&yachts_, vpp::YachtCatalogue(), "GRAND-SOLEIL39-NEW-C", true},
      {&yachts_, vpp::YachtCatalogue(), "SPORTBOAT-20-LIFT-FR", true},
      {&dinghies_, vpp::DinghyCatalogue(), "DUO-SKIFF-460", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    const auto at = std::find(c.Library->Names.begin(), c.Library->Names.end(), c.Name);
    ASSERT_NE(at, c.Library->Names.end());
    const auto index = static_cast<std::size_t>(at - c.Library->Names.begin());
    const vpp::TBoatDesign* design = vpp::FindDesign(c.Designs, c.Name);
    ASSERT_NE(design, nullptr);
    TDataSetPacker packer;
    vpp::PackPolarsRecord(packer, vpp::Polars(*design, c.ReachRows));
    const std::vector<std::uint8_t> embedded(c.Library->Records.begin() + static_cast<std::ptrdiff_t>(index * 544),
                                             c.Library->Records.begin() + static_cast<std::ptrdiff_t>(index * 544 + 544));
    EXPECT_EQ(packer.Bytes(), embedded);
  }
}

}  // namespace
}  // namespace corvane
