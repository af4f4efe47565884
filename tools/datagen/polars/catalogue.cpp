#include "tools/datagen/polars/catalogue.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <set>
#include <stdexcept>
#include <string>

namespace corvane::vpp {

namespace {

constexpr double kMetresPerFoot = 0.3048;
constexpr double kKilogramsPerLongTon = 1016.047;
constexpr double kPoundsPerKilogram = 2.204623;
constexpr double kSquareMetresPerSquareFoot = 0.09290304;

// One design family: a style of boat built over a range of lengths.
struct TFamily {
  const char* Name;
  THullType Hull;
  int LoaFromFt;  // first length overall, feet
  int LoaToFt;    // last length overall, feet
  std::vector<TKeelType> Keels;
  std::vector<TRigType> Rigs;
  TSpinnakerType Spinnaker;
  double LwlRatio;        // LWL / LOA
  double BeamFactor;      // beam relative to the length-dependent norm
  double Dlr;             // displacement-length ratio at 40 ft: long tons / (LWL ft / 100)^3
  double SaD;             // sail-area-displacement ratio: SA ft^2 / (displacement ft^3)^(2/3)
  double BallastRatio;    // ballast / displacement
  double DraftFactor;     // deep-keel draft relative to the length-dependent norm
  double SpinnakerRatio;  // spinnaker area / upwind sail area
  double FeetPerCrew;     // one crew member per this many feet of length
  double RailFactor;      // crew's lateral arm as a fraction of half the beam
  double MaxHeel;         // degrees
  double Freeboard;       // freeboard relative to the length-dependent norm
};

// The families. Counts: 13 + 42 + 114 + 102 + 140 + 220 + 98 = 729 classes,
// and the default class makes 730.
std::vector<TFamily> Families() {
  using enum THullType;
  const std::vector<TKeelType> deep{TKeelType::Deep};
  const std::vector<TKeelType> deepShoal{TKeelType::Deep, TKeelType::Shoal};
  const std::vector<TRigType> fr{TRigType::Fractional};
  const std::vector<TRigType> mh{TRigType::Masthead};
  const std::vector<TRigType> both{TRigType::Fractional, TRigType::Masthead};
  return {
      // Planing keelboats with lifting keels and a bowsprit gennaker.
      {"SPORTBOAT", Sportboat, 20, 32, {TKeelType::Lifting}, fr, TSpinnakerType::Asymmetric,
       0.92, 0.98, 95, 30, 0.40, 1.10, 2.4, 6, 1.00, 18, 0.85},
      // Light open-cockpit keelboats for an afternoon's sail.
      {"DAYSAILER", Daysailer, 20, 40, deepShoal, fr, TSpinnakerType::Asymmetric,
       0.86, 0.95, 175, 20, 0.38, 0.95, 1.5, 10, 0.60, 22, 0.90},
      // Inshore racing yachts, light and powerful, symmetric spinnaker.
      {"RACER", Racer, 24, 80, deep, both, TSpinnakerType::Symmetric,
       0.90, 0.98, 125, 26, 0.42, 1.10, 1.95, 5, 0.95, 22, 0.95},
      // Offshore racers: more displacement and a smaller rig for the sea.
      {"OFFSHORE-RACER", OffshoreRacer, 30, 80, deep, both, TSpinnakerType::Symmetric,
       0.89, 1.00, 165, 22, 0.38, 1.05, 1.85, 6, 0.90, 22, 1.00},
      // Cruiser-racers: accommodation and a racing rig.
      {"CRUISER-RACER", CruiserRacer, 26, 60, deepShoal, both, TSpinnakerType::Symmetric,
       0.87, 1.00, 195, 20, 0.33, 1.00, 1.75, 7, 0.75, 24, 1.00},
      // Production cruisers: beamy, moderate rig, cruising gennaker.
      {"CRUISER", Cruiser, 26, 80, deepShoal, both, TSpinnakerType::Asymmetric,
       0.86, 1.02, 220, 17.5, 0.30, 0.90, 1.35, 10, 0.35, 25, 1.08},
      // Heavy long-distance cruisers, masthead rig, small gennaker.
      {"BLUEWATER", Bluewater, 32, 80, deepShoal, mh, TSpinnakerType::Asymmetric,
       0.83, 1.02, 290, 15.5, 0.36, 0.90, 1.20, 12, 0.25, 25, 1.10},
  };
}

// The default class: a modern 39 ft cruiser-racer with a fractional rig.
TFamily DefaultFamily() {
  return {kDefaultClassName, THullType::CruiserRacer, 39, 39, {TKeelType::Deep},
          {TRigType::Fractional}, TSpinnakerType::None,
          0.87, 1.00, 210, 20, 0.34, 1.02, 0, 6.5, 0.80, 24, 1.00};
}

const char* KeelWord(TKeelType keel) {
  switch (keel) {
    case TKeelType::Deep: return "DEEP";
    case TKeelType::Shoal: return "SHOAL";
    case TKeelType::Lifting: return "LIFT";
    case TKeelType::Centreboard: return "BOARD";
  }
  return "";
}

const char* RigWord(TRigType rig) {
  switch (rig) {
    case TRigType::Fractional: return "FR";
    case TRigType::Masthead: return "MH";
    case TRigType::Una: return "UNA";
  }
  return "";
}

// A boat of a family at one length with one keel and one rig.
//
// Length-dependent norms (L = LOA in metres, F = LOA in feet):
//   beam       L / (2.6 + 0.027 (F - 20)): 2.6 L/B at 20 ft, 3.1 at 39 ft, 4.2 at 80 ft
//   freeboard  0.07 L + 0.45
//   draft      0.31 L^0.8 (deep keel), shoal keels 85 % of it
//   boom       0.09 L + 0.75 above the deck
// Displacement from the displacement-length ratio, easing by 0.3 % per foot
// above 40 ft as large boats are built relatively lighter; sail area from
// the sail-area-displacement ratio; main / foretriangle split 58 / 42 on a
// fractional rig and 45 / 55 on a masthead rig.
TBoatDesign Build(const TFamily& f, int loaFt, TKeelType keel, TRigType rig, const std::string& name) {
  TBoatDesign d;
  d.Name = name;
  d.Hull = f.Hull;
  d.Rig = rig;
  d.Keel = keel;
  d.Spinnaker = f.Spinnaker;

  const double feet = loaFt;
  d.Loa = feet * kMetresPerFoot;
  d.Lwl = f.LwlRatio * d.Loa;
  d.Beam = f.BeamFactor * d.Loa / (2.6 + 0.027 * (feet - 20));
  d.BeamWl = 0.85 * d.Beam;
  d.Freeboard = f.Freeboard * (0.07 * d.Loa + 0.45);
  const double deepDraft = f.DraftFactor * 0.31 * std::pow(d.Loa, 0.8);
  d.Draft = keel == TKeelType::Shoal ? 0.85 * deepDraft : deepDraft;

  const double lwlFeet = d.Lwl / kMetresPerFoot;
  const double dlr = f.Dlr * (1 - 0.003 * (feet - 40));
  d.BoatMass = dlr * std::pow(lwlFeet / 100, 3) * kKilogramsPerLongTon;
  d.BallastRatio = f.BallastRatio;

  // Sail area from SA/D: displacement volume in cubic feet of sea water
  // (64 lb per cubic foot).
  const double cubicFeet = d.BoatMass * kPoundsPerKilogram / 64;
  const double upwind = f.SaD * std::pow(cubicFeet, 2.0 / 3) * kSquareMetresPerSquareFoot;
  const double mainShare = rig == TRigType::Fractional ? 0.58 : 0.45;
  d.MainArea = mainShare * upwind;
  d.JibArea = upwind - d.MainArea;
  d.DownwindArea = f.SpinnakerRatio * upwind;

  // Mast height from the mainsail: luff P with aspect P/E of 3.1 and a roach
  // adding 15 % to the triangle P E / 2; the luff starts at the boom and ends
  // just below the masthead.
  d.BoomHeight = 0.09 * d.Loa + 0.75;
  const double luff = std::sqrt(2 * d.MainArea * 3.1 / 1.15);
  d.MastHeight = (luff + d.BoomHeight) / 0.96;
  if (rig == TRigType::Masthead) {
    // The masthead rig's larger foretriangle sets the height, not the main.
    d.MastHeight = std::max(d.MastHeight, std::sqrt(2 * d.JibArea / 1.5 * 3.2) / 0.97);
  }

  // Keel and rudder lateral areas; a shoal keel needs a longer chord.
  d.KeelArea = 0.026 * upwind * (keel == TKeelType::Shoal ? 1.25 : 1.0);
  d.RudderArea = 0.42 * d.KeelArea;

  d.CrewCount = std::max(2, static_cast<int>(std::lround(feet / f.FeetPerCrew)));
  d.CrewArm = f.RailFactor * d.Beam / 2;
  d.MaxHeel = f.MaxHeel;

  const bool racing = f.Hull == THullType::Sportboat || f.Hull == THullType::Racer ||
                      f.Hull == THullType::OffshoreRacer;
  d.Cp = racing ? 0.56 : 0.55;
  d.Lcb = racing ? 0.535 : 0.530;
  d.Lcf = racing ? 0.555 : 0.550;
  return d;
}

std::string ClassName(const TFamily& f, int loaFt, TKeelType keel, TRigType rig) {
  return std::string(f.Name) + "-" + std::to_string(loaFt) + "-" + KeelWord(keel) + "-" + RigWord(rig);
}

bool ByName(const TBoatDesign& a, const TBoatDesign& b) { return a.Name < b.Name; }

// One dinghy: hull, board, crew and rig as measured on boats of its kind.
struct TDinghy {
  const char* Name;
  double Loa, Lwl, Beam, BeamWl, Freeboard, Draft;  // m
  double HullMass;                                  // kg, rigged
  int Crew;
  double CrewMass, CrewArm;                         // kg each, m
  double Main, Jib, Spinnaker;                      // m^2
  TSpinnakerType SpinnakerType;
  double MastHeight, BoomHeight;                    // m above the deck
  double BoardArea, RudderArea;                     // m^2
};

// Single-handers are una rigs (the skiff adds a gennaker); double-handers
// are fractional sloops. A trapeze or racks show as a long crew arm.
constexpr std::array<TDinghy, kDinghyClassCount> kDinghies{{
    {"SOLO-PRAM-350", 3.50, 3.20, 1.35, 1.00, 0.35, 0.85, 45, 1, 55, 0.90,
     4.9, 0, 0, TSpinnakerType::None, 5.0, 0.60, 0.20, 0.10},
    {"SOLO-TRAINER-380", 3.80, 3.50, 1.40, 1.05, 0.38, 0.90, 55, 1, 65, 0.95,
     5.8, 0, 0, TSpinnakerType::None, 5.6, 0.60, 0.22, 0.11},
    {"SOLO-RACER-420", 4.20, 3.85, 1.39, 1.05, 0.38, 1.00, 60, 1, 80, 1.05,
     7.1, 0, 0, TSpinnakerType::None, 6.4, 0.55, 0.25, 0.12},
    {"SOLO-HEAVY-450", 4.50, 4.20, 1.50, 1.15, 0.40, 1.10, 115, 1, 95, 1.10,
     10.0, 0, 0, TSpinnakerType::None, 6.8, 0.60, 0.30, 0.14},
    {"SOLO-SKIFF-440", 4.40, 4.10, 1.45, 0.95, 0.40, 1.00, 50, 1, 78, 1.40,
     8.5, 0, 14.0, TSpinnakerType::Asymmetric, 6.5, 0.70, 0.24, 0.12},
    {"DUO-TRAINER-380", 3.80, 3.50, 1.45, 1.10, 0.40, 0.90, 75, 2, 60, 0.80,
     6.0, 2.2, 7.0, TSpinnakerType::Symmetric, 6.0, 0.70, 0.24, 0.12},
    {"DUO-CLASSIC-420", 4.20, 3.90, 1.63, 1.15, 0.42, 1.00, 100, 2, 65, 1.20,
     7.5, 2.8, 9.0, TSpinnakerType::Symmetric, 6.3, 0.75, 0.27, 0.13},
    {"DUO-TRAPEZE-470", 4.70, 4.40, 1.68, 1.20, 0.42, 1.05, 120, 2, 68, 1.30,
     9.1, 3.6, 13.0, TSpinnakerType::Symmetric, 6.8, 0.80, 0.30, 0.14},
    {"DUO-SKIFF-460", 4.60, 4.30, 1.75, 1.05, 0.42, 1.05, 85, 2, 72, 1.60,
     10.5, 3.5, 20.0, TSpinnakerType::Asymmetric, 7.3, 0.80, 0.28, 0.14},
    {"DUO-FAMILY-490", 4.90, 4.55, 1.85, 1.35, 0.50, 1.15, 170, 2, 80, 0.60,
     8.9, 3.6, 12.0, TSpinnakerType::Asymmetric, 6.5, 0.85, 0.32, 0.16},
}};

}  // namespace

std::vector<TBoatDesign> YachtCatalogue() {
  std::vector<TBoatDesign> designs;
  for (const TFamily& f : Families()) {
    for (int ft = f.LoaFromFt; ft <= f.LoaToFt; ++ft) {
      for (TKeelType keel : f.Keels) {
        for (TRigType rig : f.Rigs) designs.push_back(Build(f, ft, keel, rig, ClassName(f, ft, keel, rig)));
      }
    }
  }
  const TFamily def = DefaultFamily();
  designs.push_back(Build(def, 39, TKeelType::Deep, TRigType::Fractional, kDefaultClassName));
  std::sort(designs.begin(), designs.end(), ByName);

  std::set<std::string> names;
  for (const TBoatDesign& d : designs) names.insert(d.Name);
  if (static_cast<int>(designs.size()) != kYachtClassCount ||
      static_cast<int>(names.size()) != kYachtClassCount) {
    throw std::logic_error("yacht catalogue holds " + std::to_string(designs.size()) + " classes, " +
                           std::to_string(names.size()) + " unique, not " +
                           std::to_string(kYachtClassCount));
  }
  return designs;
}

std::vector<TBoatDesign> DinghyCatalogue() {
  std::vector<TBoatDesign> designs;
  for (const TDinghy& g : kDinghies) {
    TBoatDesign d;
    d.Name = g.Name;
    d.Hull = THullType::Dinghy;
    d.Rig = g.Jib > 0 ? TRigType::Fractional : TRigType::Una;
    d.Keel = TKeelType::Centreboard;
    d.Spinnaker = g.SpinnakerType;
    d.Loa = g.Loa;
    d.Lwl = g.Lwl;
    d.Beam = g.Beam;
    d.BeamWl = g.BeamWl;
    d.Freeboard = g.Freeboard;
    d.Draft = g.Draft;
    d.BoatMass = g.HullMass;
    d.BallastRatio = 0;
    d.KeelArea = g.BoardArea;
    d.RudderArea = g.RudderArea;
    d.MainArea = g.Main;
    d.JibArea = g.Jib;
    d.DownwindArea = g.Spinnaker;
    d.MastHeight = g.MastHeight;
    d.BoomHeight = g.BoomHeight;
    d.CrewCount = g.Crew;
    d.CrewMass = g.CrewMass;
    d.CrewArm = g.CrewArm;
    d.MaxHeel = 10;
    d.Cp = 0.56;
    d.Lcb = 0.54;
    d.Lcf = 0.56;
    designs.push_back(d);
  }
  std::sort(designs.begin(), designs.end(), ByName);
  return designs;
}

const TBoatDesign* FindDesign(const std::vector<TBoatDesign>& designs, const std::string& name) {
  for (const TBoatDesign& d : designs) {
    if (d.Name == name) return &d;
  }
  return nullptr;
}

}  // namespace corvane::vpp
