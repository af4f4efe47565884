#pragma once
// A simplified velocity prediction program (VPP) for monohull sailing boats,
// used only to generate the built-in polar library.
//
// For a boat described by its hull and rig, Solve finds the steady boat speed
// at a true wind speed and angle: the speed at which the aerodynamic drive of
// the sails equals the hydrodynamic resistance, while the heel that the
// heeling moment causes stays within the boat's heel limit. The sails are
// depowered by flattening and reefing (flattening first or reefing first,
// whichever keeps more thrust) as far as the limit requires, and further
// where that gains speed. Polars runs Solve over the wind columns and
// angle rows of the polar table and adds, per wind column, the angles of best
// upwind and downwind VMG and a tack time.
//
// Model, with the source of each part:
// - Apparent wind from the wind triangle, seen by the heeled rig with the
//   component across the boat reduced by cos(heel) (ORC VPP Documentation
//   2013, "effective angle" of the heeled sail plan).
// - Sail forces from lift and drag coefficients against apparent wind angle
//   for mainsail, jib, symmetric and asymmetric spinnaker (ORC VPP
//   Documentation 2013 sail coefficient sets, developed from Hazen, "A model
//   of sail aerodynamics for diverse rig types", SNAME New England Sailing
//   Yacht Symposium 1980), combined by area; induced drag CL^2 A / (pi heff^2)
//   with an effective rig height heff of 1.1 times the masthead height above
//   the water (the free surface acting as a mirror); depowering by the
//   flattening factor "flat" on the lift and by reefing the area (Kerwin, "A
//   velocity prediction program for ocean racing yachts", MIT 1978, the
//   origin of the flat/reef scheme); windage of hull and mast as flat-plate
//   drag.
// - Frictional resistance from the ITTC-57 model-ship correlation line,
//   Cf = 0.075 / (log10 Re - 2)^2, on the canoe body's wetted surface from the
//   Delft Systematic Yacht Hull Series estimate (Keuning & Sonnenberg,
//   "Approximation of the hydrodynamic forces on a sailing yacht based on the
//   Delft Systematic Yacht Hull Series", HISWA 1998) with Re on 0.7 LWL, and
//   on keel and rudder with Re on their mean chord and Hoerner's form factor
//   1 + 2 t/c + 60 (t/c)^4 (Hoerner, "Fluid-Dynamic Drag", 1965).
// - Residuary resistance of the canoe body from the DSYHS regression of
//   Keuning & Katgert, "A bare hull resistance prediction method derived from
//   the results of the Delft Systematic Yacht Hull Series extended to higher
//   speeds", Innov'Sail 2008 (coefficients a0..a7 at Froude numbers 0.15 to
//   0.75, interpolated with a shape-preserving cubic, held non-decreasing and
//   continued linearly beyond).
// - Induced resistance of keel and hull, Fs^2 / (q pi Te^2), with the side
//   force Fs, the dynamic pressure q and an effective draft Te equal to the
//   draft (the canoe body above and a bulb or wing below the fin act as end
//   plates), reduced by cos(heel).
// - Heel from the balance of heeling moment (heeling force times the height
//   of the centre of effort above the centre of lateral resistance) and
//   righting moment Displacement g GM sin(heel) plus the crew on the rail;
//   GM from KB + BM - KG with the transverse waterplane inertia estimated as
//   0.04 LWL BWL^3.
//
// Everything here works in SI units and double precision; the results are
// stored in hundredths of a knot or a degree, so the last digits of a double
// do not reach the data sets. Every function is deterministic.

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "polars/polars.h"

namespace corvane::vpp {

// The design style of a hull; it decides the sail coefficient set, the
// spinnaker type, the crew on the rail and the heel limit (see the
// catalogue for the proportions of each).
enum class THullType {
  Sportboat,
  Daysailer,
  Racer,
  OffshoreRacer,
  CruiserRacer,
  Cruiser,
  Bluewater,
  Dinghy,
};

enum class TRigType {
  Fractional,  // main and non-overlapping jib, hounds below the masthead
  Masthead,    // overlapping genoa set from the masthead
  Una,         // a single sail (single-handed dinghies)
};

enum class TKeelType {
  Deep,         // high-aspect fin with bulb
  Shoal,        // shallow fin with wing or bulb
  Lifting,      // lifting keel with bulb, sailed fully down
  Centreboard,  // unballasted board (dinghies)
};

enum class TSpinnakerType {
  None,
  Symmetric,      // on a pole
  Asymmetric,     // on a bowsprit, tacked on the centreline
};

// The hull and rig of one boat class. Lengths in metres, areas in square
// metres, masses in kilograms.
struct TBoatDesign {
  std::string Name;
  THullType Hull = THullType::CruiserRacer;
  TRigType Rig = TRigType::Fractional;
  TKeelType Keel = TKeelType::Deep;
  TSpinnakerType Spinnaker = TSpinnakerType::Symmetric;

  double Loa = 0;           // length overall
  double Lwl = 0;           // length at the waterline
  double Beam = 0;          // maximum beam
  double BeamWl = 0;        // beam at the waterline
  double Freeboard = 0;     // mean freeboard
  double Draft = 0;         // total draft, keel or board down
  double BoatMass = 0;      // light ship plus gear, without crew
  double BallastRatio = 0;  // ballast mass / BoatMass, 0 for dinghies
  double KeelArea = 0;      // lateral (planform) area of keel or board
  double RudderArea = 0;    // lateral area of the rudder

  double MainArea = 0;       // mainsail
  double JibArea = 0;        // jib or genoa; 0 for a una rig
  double DownwindArea = 0;   // spinnaker; 0 without one
  double MastHeight = 0;     // masthead above the deck
  double BoomHeight = 0;     // boom above the deck

  int CrewCount = 0;
  double CrewMass = 85;      // per person
  double CrewArm = 0;        // lateral distance of the crew's centre of mass
                             // from the centreline when hiking, metres
  double MaxHeel = 25;       // heel limit, degrees

  // Canoe body form coefficients (within the DSYHS ranges).
  double Cp = 0.55;   // prismatic
  double Cm = 0.72;   // midship section
  double Cwp = 0.70;  // waterplane
  double Lcb = 0.53;  // centre of buoyancy from the forward perpendicular / LWL
  double Lcf = 0.56;  // centre of flotation from the forward perpendicular / LWL

  double Displacement() const { return BoatMass + CrewCount * CrewMass; }
};

// Which sails one solution used.
enum class TSailSet {
  Upwind,    // main and jib (or the main alone on a una rig)
  Downwind,  // main and spinnaker, jib furled
};

// The steady state of one sailing condition.
struct TSailingState {
  double Speed = 0;  // boat speed, knots; 0 when the boat cannot sail there
  double Heel = 0;   // degrees
  double Flat = 1;   // lift factor, 1 = fully powered
  double Reef = 1;   // span factor of the sails, 1 = full sail
  TSailSet Sails = TSailSet::Upwind;
};

// One column of the polar: best upwind and downwind VMG at one wind speed.
struct TVmgOptimum {
  double Angle = 0;  // true wind angle, degrees
  double Speed = 0;  // boat speed at that angle, knots
  double Vmg = 0;    // velocity made good toward or away from the wind, knots
};

// A curve through tabulated points, interpolated with the shape-preserving
// piecewise cubic Hermite scheme of Fritsch & Carlson (SIAM J. Numer. Anal.
// 17, 1980): no overshoot between points, so a lift curve never exceeds its
// table. Outside the table it holds the end values. Abscissae must ascend
// strictly (std::invalid_argument otherwise).
class TCurve {
 public:
  TCurve(std::span<const double> x, std::span<const double> y);
  double At(double x) const;

 private:
  std::vector<double> x_, y_, d_;
};

class TVpp {
 public:
  // Throws std::invalid_argument for a design without length, beam, draft,
  // mass, mainsail or mast, or one whose proportions leave no canoe draft or
  // no initial stability.
  explicit TVpp(const TBoatDesign& design);

  // Steady state at a true wind speed (knots, > 0) and true wind angle
  // (degrees, 0 head to wind .. 180 dead downwind), with the best of the sail
  // sets the boat carries at that angle: the upwind sails up to 135 degrees
  // (at every angle without a spinnaker), the spinnaker from 60 degrees.
  TSailingState Solve(double trueWindKnots, double trueWindAngleDeg) const;
  // The same with one sail set (the downwind set of a boat without a
  // spinnaker is its upwind set).
  TSailingState SolveWith(double trueWindKnots, double trueWindAngleDeg, TSailSet sails) const;

  // Best upwind VMG over true wind angles of 30 to 60 degrees (upwind sails).
  TVmgOptimum BestBeat(double trueWindKnots) const;
  // Best downwind VMG over true wind angles of 135 to 180 degrees (the
  // spinnaker when the boat has one); hotter angles count as reaches.
  TVmgOptimum BestRun(double trueWindKnots) const;
  // Seconds lost per tack: the boat slows through the tack and needs time to
  // regain speed, which grows with its mass (the time to accelerate scales
  // with the cube root of the displacement in tonnes), a little less in
  // stronger wind where the drive is higher.
  double TackTime(double trueWindKnots) const;

  const TBoatDesign& Design() const { return design_; }

  // Derived hydrostatics (metres, cubic and square metres).
  double CanoeDraft() const { return canoeDraft_; }
  double CanoeVolume() const { return canoeVolume_; }
  double WettedSurface() const { return canoeWetted_; }
  double MetacentricHeight() const { return gm_; }

  // Resistance of the upright hull with keel and rudder (friction and
  // residuary, no induced part) at a boat speed in knots, newtons.
  double UprightResistance(double speedKnots) const;

 private:
  struct TSails {
    TSailSet Set = TSailSet::Upwind;
    double MainArea = 0;
    double FrontArea = 0;  // jib or spinnaker
    TCurve MainLift, MainDrag, FrontLift, FrontDrag;
    double MainHeight = 0;   // centre of effort above the deck at full hoist
    double FrontHeight = 0;
    double MastHeight = 0;   // above the deck
    double Fractionality = 1;
  };
  struct TPoint {
    double Thrust = 0;  // drive minus resistance, N
    double Heel = 0;    // degrees
    double Flat = 1;
    double Reef = 1;
  };

  static TSails UpwindSails(const TBoatDesign& design);
  static TSails DownwindSails(const TBoatDesign& design);
  const TSails& SailsOf(TSailSet set) const;

  enum class TDepowering { FlattenFirst, ReefFirst };

  TPoint Evaluate(double speed, double tws, double twa, const TSails& sails, double flat,
                  double reef) const;
  TPoint EvaluateScheduled(double speed, double tws, double twa, const TSails& sails,
                           TDepowering order, double s) const;
  TPoint BestAlong(double speed, double tws, double twa, const TSails& sails,
                   TDepowering order) const;
  TPoint BestAt(double speed, double tws, double twa, const TSails& sails) const;
  TSailingState SolveSails(double tws, double twa, const TSails& sails) const;
  double HullResistance(double speed) const;

  TBoatDesign design_;
  TSails upwind_;
  std::optional<TSails> downwind_;

  double displacement_ = 0;   // kg, with crew
  double canoeVolume_ = 0;    // m^3
  double canoeDraft_ = 0;     // m
  double canoeWetted_ = 0;    // m^2
  double keelWetted_ = 0;     // m^2, both sides
  double rudderWetted_ = 0;   // m^2, both sides
  double keelChord_ = 0;      // m, mean
  double rudderChord_ = 0;    // m, mean
  double gm_ = 0;             // m
  double crewMoment_ = 0;     // N m, crew on the rail
  double lateralCentre_ = 0;  // centre of lateral resistance below the water, m
  double effectiveDraft_ = 0; // m, upright
  double windageArea_ = 0;    // m^2, flat-plate drag area of hull and mast
  TCurve residuary_;             // Rr / (rho g Vc) against Froude number
  double residuarySlope_ = 0;    // its rise per unit Froude number beyond the table
  double fMin_ = 0.6;   // least flat
  double rMin_ = 0.55;  // least reef (span factor)
};

// The full polar table of a design: wind columns 6..20 knots and the fixed
// angle rows of the polar table; beat and gybe angles, beat and run speeds
// and tack times per column. With reachRows false the fixed-angle rows stay 0
// (the dinghy library carries only beats and runs). Columns 0 and 8 stay 0.
TPolars Polars(const TBoatDesign& design, bool reachRows);

}  // namespace corvane::vpp
