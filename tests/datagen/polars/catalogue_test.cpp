#include "tools/datagen/polars/catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>

#include "tools/datagen/polars/vpp.h"

namespace corvane::vpp {
namespace {

constexpr double kMetresPerFoot = 0.3048;

TEST(CatalogueTest, YachtNamesAreUniqueSortedAndSayWhatTheBoatIs) {
  const auto yachts = YachtCatalogue();
  ASSERT_EQ(static_cast<int>(yachts.size()), kYachtClassCount);
  EXPECT_TRUE(std::is_sorted(yachts.begin(), yachts.end(),
                             [](const TBoatDesign& a, const TBoatDesign& b) { return a.Name < b.Name; }));
  std::set<std::string> names;
  for (const TBoatDesign& d : yachts) {
    SCOPED_TRACE(d.Name);
    names.insert(d.Name);
    if (d.Name == kDefaultClassName) continue;
    // FAMILY-LOA-KEEL-RIG: the length and the variants in the name are the
    // boat's own.
    const auto rigAt = d.Name.rfind('-');
    const auto keelAt = d.Name.rfind('-', rigAt - 1);
    const auto loaAt = d.Name.rfind('-', keelAt - 1);
    const std::string rig = d.Name.substr(rigAt + 1);
    const std::string keel = d.Name.substr(keelAt + 1, rigAt - keelAt - 1);
    const int feet = std::stoi(d.Name.substr(loaAt + 1, keelAt - loaAt - 1));
    EXPECT_NEAR(d.Loa, feet * kMetresPerFoot, 1e-9);
    EXPECT_EQ(rig, d.Rig == TRigType::Fractional ? "FR" : "MH");
    EXPECT_EQ(keel, d.Keel == TKeelType::Deep ? "DEEP" : d.Keel == TKeelType::Shoal ? "SHOAL" : "LIFT");
  }
  EXPECT_EQ(names.size(), yachts.size());
}

TEST(CatalogueTest, SpansSportboatsToLargeCruisersWithEveryVariant) {
  const auto yachts = YachtCatalogue();
  const auto [shortest, longest] = std::minmax_element(
      yachts.begin(), yachts.end(), [](const TBoatDesign& a, const TBoatDesign& b) { return a.Loa < b.Loa; });
  EXPECT_NEAR(shortest->Loa, 20 * kMetresPerFoot, 1e-9);
  EXPECT_NEAR(longest->Loa, 80 * kMetresPerFoot, 1e-9);
  std::set<THullType> hulls;
  std::set<TKeelType> keels;
  std::set<TRigType> rigs;
  for (const TBoatDesign& d : yachts) {
    hulls.insert(d.Hull);
    keels.insert(d.Keel);
    rigs.insert(d.Rig);
  }
  for (THullType h : {THullType::Sportboat, THullType::Racer, THullType::CruiserRacer, THullType::Cruiser}) {
    EXPECT_TRUE(hulls.count(h));
  }
  EXPECT_TRUE(keels.count(TKeelType::Deep) && keels.count(TKeelType::Shoal));
  EXPECT_TRUE(rigs.count(TRigType::Fractional) && rigs.count(TRigType::Masthead));

  const TBoatDesign* def = FindDesign(yachts, kDefaultClassName);
  ASSERT_NE(def, nullptr);
  EXPECT_EQ(def->Hull, THullType::CruiserRacer);
  EXPECT_NEAR(def->Loa, 39 * kMetresPerFoot, 1e-9);
}

TEST(CatalogueTest, DinghiesAreSingleAndDoubleHandedOfThreeAndAHalfToFiveMetres) {
  const auto dinghies = DinghyCatalogue();
  ASSERT_EQ(static_cast<int>(dinghies.size()), kDinghyClassCount);
  std::set<int> crews;
  for (const TBoatDesign& d : dinghies) {
    SCOPED_TRACE(d.Name);
    EXPECT_EQ(d.Hull, THullType::Dinghy);
    EXPECT_GE(d.Loa, 3.5);
    EXPECT_LE(d.Loa, 5.0);
    crews.insert(d.CrewCount);
  }
  EXPECT_EQ(crews, (std::set<int>{1, 2}));
}

// The residuary resistance regression holds within the proportions of the
// hull series it was fitted to; every hull of the library stays inside them.
TEST(CatalogueTest, EveryHullLiesWithinTheDelftSeriesRanges) {
  auto designs = YachtCatalogue();
  const auto dinghies = DinghyCatalogue();
  designs.insert(designs.end(), dinghies.begin(), dinghies.end());
  for (const TBoatDesign& d : designs) {
    SCOPED_TRACE(d.Name);
    const TVpp vpp(d);
    EXPECT_GE(d.Lwl / d.BeamWl, 2.73);
    EXPECT_LE(d.Lwl / d.BeamWl, 5.88);
    EXPECT_GE(d.Lwl / std::cbrt(vpp.CanoeVolume()), 4.34);
    EXPECT_LE(d.Lwl / std::cbrt(vpp.CanoeVolume()), 8.5);
    EXPECT_GE(d.BeamWl / vpp.CanoeDraft(), 2.46);
    EXPECT_LE(d.BeamWl / vpp.CanoeDraft(), 19.38);
    EXPECT_GE(d.Cp, 0.52);
    EXPECT_LE(d.Cp, 0.60);
    EXPECT_GT(vpp.MetacentricHeight(), 0);
  }
}

}  // namespace
}  // namespace corvane::vpp
