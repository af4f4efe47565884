#include "tools/datagen/polars/vpp.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "tools/datagen/polars/catalogue.h"

namespace corvane::vpp {
namespace {

TBoatDesign Design(const std::string& name) {
  const auto yachts = YachtCatalogue();
  const TBoatDesign* d = FindDesign(yachts, name);
  if (d == nullptr) throw std::logic_error("no class " + name);
  return *d;
}

TEST(VppTest, RefusesIncompleteDesignsNamingThem) {
  struct Case {
    std::string name;
    void (*change)(TBoatDesign&);
  };
  const std::vector<Case> cases = {
      {"no waterline", [](TBoatDesign& d) { d.Lwl = 0; }},
      {"no mast above the boom", [](TBoatDesign& d) { d.MastHeight = d.BoomHeight; }},
      {"no keel area", [](TBoatDesign& d) { d.KeelArea = 0; }},
      {"draft within the canoe body", [](TBoatDesign& d) { d.Draft = 0.2; }},
      {"no mass", [](TBoatDesign& d) { d.BoatMass = 0; }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TBoatDesign d = Design(kDefaultClassName);
    c.change(d);
    try {
      const TVpp vpp(d);
      ADD_FAILURE() << "accepted";
    } catch (const std::invalid_argument& e) {
      EXPECT_NE(std::string(e.what()).find(kDefaultClassName), std::string::npos) << e.what();
    }
  }
}

TEST(VppTest, UprightResistanceRisesWithSpeed) {
  for (const std::string name : {"SPORTBOAT-24-LIFT-FR", kDefaultClassName, "BLUEWATER-80-SHOAL-MH"}) {
    SCOPED_TRACE(name);
    const TVpp vpp(Design(name));
    double previous = 0;
    for (double knots = 0.5; knots <= 25; knots += 0.5) {
      const double r = vpp.UprightResistance(knots);
      EXPECT_GT(r, previous) << knots << " kn";
      previous = r;
    }
  }
}

// Upwind in a breeze the heel limit sets how much sail the boat carries; in
// light air it carries everything and heels less.
TEST(VppTest, DepowersToTheHeelLimitOnlyWhenTheWindNeedsIt) {
  const TBoatDesign d = Design(kDefaultClassName);
  const TVpp vpp(d);
  const TSailingState light = vpp.SolveWith(6, 45, TSailSet::Upwind);
  EXPECT_EQ(light.Flat, 1);
  EXPECT_EQ(light.Reef, 1);
  EXPECT_LT(light.Heel, d.MaxHeel);

  const TSailingState breeze = vpp.SolveWith(20, 45, TSailSet::Upwind);
  EXPECT_LT(breeze.Flat * breeze.Reef, 1);
  EXPECT_NEAR(breeze.Heel, d.MaxHeel, 0.1);
  EXPECT_GT(breeze.Speed, light.Speed);
}

TEST(VppTest, SpinnakerPaysOffDownwindAndNotCloseHauled) {
  const TVpp vpp(Design("RACER-36-DEEP-FR"));
  EXPECT_GT(vpp.SolveWith(12, 135, TSailSet::Downwind).Speed, vpp.SolveWith(12, 135, TSailSet::Upwind).Speed);
  EXPECT_GT(vpp.SolveWith(12, 60, TSailSet::Upwind).Speed, vpp.SolveWith(12, 60, TSailSet::Downwind).Speed);
  EXPECT_EQ(vpp.Solve(12, 150).Sails, TSailSet::Downwind);
}

TEST(VppTest, NoWayHeadToWind) {
  const TVpp vpp(Design(kDefaultClassName));
  EXPECT_EQ(vpp.SolveWith(12, 15, TSailSet::Upwind).Speed, 0);
}

TEST(VppTest, TackTimeGrowsWithDisplacementAndFallsWithWind) {
  const TVpp light(Design("SPORTBOAT-24-LIFT-FR"));
  const TVpp heavy(Design("BLUEWATER-60-DEEP-MH"));
  EXPECT_LT(light.TackTime(12), heavy.TackTime(12));
  EXPECT_GT(heavy.TackTime(6), heavy.TackTime(20));
}

}  // namespace
}  // namespace corvane::vpp
