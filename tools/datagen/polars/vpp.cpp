#include "tools/datagen/polars/vpp.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <functional>
#include <numbers>
#include <span>
#include <stdexcept>
#include <vector>

namespace corvane::vpp {

namespace {

constexpr double kPi = std::numbers::pi;
constexpr double kRadPerDeg = kPi / 180;
constexpr double kGravity = 9.80665;           // m/s^2, standard gravity
constexpr double kRhoWater = 1025.9;           // kg/m^3, sea water at 15 C (ITTC 2011)
constexpr double kNuWater = 1.18831e-6;        // m^2/s, sea water at 15 C (ITTC 2011)
constexpr double kRhoAir = 1.225;              // kg/m^3, ISA sea level
constexpr double kRhoLead = 11340;             // kg/m^3, keel ballast
constexpr double kMetresPerSecondPerKnot = 1852.0 / 3600.0;

// ----------------------------------------------------------- coefficient tables

// Sail lift and drag coefficients against apparent wind angle (degrees), the
// sets of the ORC VPP Documentation 2013 (after Hazen 1980). "High" sets are
// for racing sails and crews, "low" sets for cruising sails.
constexpr std::array<double, 10> kMainAngles{0, 7, 9, 12, 28, 60, 90, 120, 150, 180};
constexpr std::array<double, 10> kMainHighLift{0.000, 0.948, 1.138, 1.250, 1.427, 1.269, 1.125, 0.838, 0.296, -0.112};
constexpr std::array<double, 10> kMainHighDrag{0.034, 0.017, 0.015, 0.015, 0.026, 0.113, 0.383, 0.969, 1.316, 1.345};
constexpr std::array<double, 10> kMainLowLift{0.000, 0.862, 1.052, 1.164, 1.347, 1.239, 1.125, 0.838, 0.296, -0.112};
constexpr std::array<double, 10> kMainLowDrag{0.043, 0.026, 0.023, 0.023, 0.033, 0.113, 0.383, 0.969, 1.316, 1.345};

constexpr std::array<double, 9> kJibAngles{7, 15, 20, 27, 50, 60, 100, 150, 180};
constexpr std::array<double, 9> kJibHighLift{0.000, 1.100, 1.475, 1.500, 1.430, 1.250, 0.400, 0.000, -0.100};
constexpr std::array<double, 9> kJibLowLift{0.000, 1.000, 1.375, 1.450, 1.430, 1.250, 0.400, 0.000, -0.100};
constexpr std::array<double, 9> kJibDrag{0.050, 0.032, 0.031, 0.037, 0.250, 0.350, 0.730, 0.950, 0.900};

constexpr std::array<double, 11> kSpinnakerAngles{28, 41, 50, 60, 67, 75, 100, 115, 130, 150, 180};
constexpr std::array<double, 11> kSymmetricLift{0.000, 0.978, 1.241, 1.454, 1.456, 1.437, 1.190, 0.951, 0.706, 0.425, 0.000};
constexpr std::array<double, 11> kSymmetricDrag{0.213, 0.321, 0.425, 0.587, 0.598, 0.619, 0.850, 0.911, 0.935, 0.935, 0.935};
constexpr std::array<double, 11> kAsymmetricLift{0.026, 1.018, 1.277, 1.471, 1.513, 1.444, 1.137, 0.829, 0.560, 0.250, -0.120};
constexpr std::array<double, 11> kAsymmetricDrag{0.191, 0.280, 0.366, 0.523, 0.448, 0.556, 0.757, 0.790, 0.776, 0.620, 0.400};

// Residuary resistance of the canoe body, Keuning & Katgert 2008:
//   Rr / (rho g Vc) = a0 + (a1 LCB/LWL + a2 Cp + a3 Vc^(2/3)/Aw + a4 BWL/LWL
//                     + a5 LCB/LCF + a6 BWL/Tc + a7 Cm) Vc^(1/3)/LWL
// at the Froude numbers below (LCB and LCF from the forward perpendicular).
constexpr std::array<double, 13> kDelftFroude{0.15, 0.20, 0.25, 0.30, 0.35, 0.40, 0.45,
                                              0.50, 0.55, 0.60, 0.65, 0.70, 0.75};
constexpr std::array<std::array<double, 8>, 13> kDelftCoefficients{{
    {-0.0005, 0.0023, -0.0086, -0.0015, 0.0061, 0.0010, 0.0001, 0.0052},
    {-0.0003, 0.0059, -0.0064, 0.0070, 0.0014, 0.0013, 0.0005, -0.0020},
    {-0.0002, -0.0156, 0.0031, -0.0021, -0.0070, 0.0148, 0.0010, -0.0043},
    {-0.0009, 0.0016, 0.0337, -0.0285, -0.0367, 0.0218, 0.0015, -0.0172},
    {-0.0026, -0.0567, 0.0446, -0.1091, -0.0707, 0.0914, 0.0021, -0.0078},
    {-0.0064, -0.4034, -0.1250, 0.0273, -0.1341, 0.3578, 0.0045, 0.1115},
    {-0.0218, -0.5261, -0.2945, 0.2485, -0.2428, 0.6293, 0.0081, 0.2086},
    {-0.0388, -0.5986, -0.3038, 0.6033, -0.0430, 0.8332, 0.0106, 0.1336},
    {-0.0347, -0.4764, -0.2361, 0.8726, 0.4219, 0.8990, 0.0096, -0.2272},
    {-0.0361, 0.0037, -0.2960, 0.9661, 0.6123, 0.7534, 0.0100, -0.3352},
    {0.0008, 0.3728, -0.3667, 1.3957, 1.0343, 0.3230, 0.0072, -0.4632},
    {0.0108, -0.1238, -0.2026, 1.1282, 1.1836, 0.4973, 0.0038, -0.4477},
    {0.1023, 0.7726, 0.5040, 1.7867, 2.1934, -1.5479, -0.0115, -0.0977},
}};
static_assert(kDelftFroude.size() == kDelftCoefficients.size());

// ITTC-57 model-ship correlation line.
double FrictionCoefficient(double reynolds) {
  const double l = std::log10(std::max(reynolds, 1.0e4)) - 2;
  return 0.075 / (l * l);
}

// Hoerner's form factor of a foil of thickness ratio t/c.
double FoilFormFactor(double thickness) {
  return 1 + 2 * thickness + 60 * std::pow(thickness, 4);
}

constexpr double kKeelThickness = 0.12;    // t/c of keel and board
constexpr double kRudderThickness = 0.10;  // t/c of the rudder

// Maximises f on [a, b] by golden-section search; returns the best abscissa
// seen (the ends are not evaluated).
double GoldenMax(const std::function<double(double)>& f, double a, double b, int iterations) {
  const double ratio = (std::sqrt(5.0) - 1) / 2;
  double c = b - ratio * (b - a);
  double d = a + ratio * (b - a);
  double fc = f(c);
  double fd = f(d);
  for (int i = 0; i < iterations; ++i) {
    if (fc > fd) {
      b = d;
      d = c;
      fd = fc;
      c = b - ratio * (b - a);
      fc = f(c);
    } else {
      a = c;
      c = d;
      fc = fd;
      d = a + ratio * (b - a);
      fd = f(d);
    }
  }
  return fc > fd ? c : d;
}

bool RacingSails(THullType hull) {
  switch (hull) {
    case THullType::Daysailer:
    case THullType::Cruiser:
    case THullType::Bluewater:
      return false;
    default:
      return true;
  }
}

constexpr double kMaxBeatAngle = 60;   // degrees, the upwind search range
constexpr double kMinBeatAngle = 30;
// Downwind the search starts at 135 degrees: hotter angles are reaches, which
// the fixed rows up to 135 degrees describe, and a run leg in the routing is
// one sailed deeper than that.
constexpr double kMinRunAngle = 135;   // degrees, the downwind search range
constexpr double kMaxRunAngle = 180;
constexpr double kUpwindSailsUpTo = 135;     // degrees true wind angle
constexpr double kSpinnakerFrom = 60;        // degrees true wind angle

}  // namespace

// -------------------------------------------------------------------- curve

TCurve::TCurve(std::span<const double> x, std::span<const double> y)
    : x_(x.begin(), x.end()), y_(y.begin(), y.end()), d_(x.size(), 0) {
  if (x_.size() != y_.size() || x_.size() < 2) throw std::invalid_argument("curve needs two points");
  const std::size_t n = x_.size();
  std::vector<double> h(n - 1), delta(n - 1);
  for (std::size_t k = 0; k + 1 < n; ++k) {
    h[k] = x_[k + 1] - x_[k];
    if (!(h[k] > 0)) throw std::invalid_argument("curve abscissae must ascend");
    delta[k] = (y_[k + 1] - y_[k]) / h[k];
  }
  d_[0] = delta[0];
  d_[n - 1] = delta[n - 2];
  for (std::size_t k = 1; k + 1 < n; ++k) {
    if (delta[k - 1] * delta[k] <= 0) {
      d_[k] = 0;  // a local extreme stays one
    } else {
      // Weighted harmonic mean of the neighbouring secants (Fritsch & Butland).
      const double w1 = 2 * h[k] + h[k - 1];
      const double w2 = h[k] + 2 * h[k - 1];
      d_[k] = (w1 + w2) / (w1 / delta[k - 1] + w2 / delta[k]);
    }
  }
}

double TCurve::At(double x) const {
  if (x <= x_.front()) return y_.front();
  if (x >= x_.back()) return y_.back();
  const auto it = std::upper_bound(x_.begin(), x_.end(), x);
  const std::size_t k = static_cast<std::size_t>(it - x_.begin()) - 1;
  const double h = x_[k + 1] - x_[k];
  const double t = (x - x_[k]) / h;
  const double t2 = t * t;
  const double t3 = t2 * t;
  return (2 * t3 - 3 * t2 + 1) * y_[k] + (t3 - 2 * t2 + t) * h * d_[k] +
         (-2 * t3 + 3 * t2) * y_[k + 1] + (t3 - t2) * h * d_[k + 1];
}

// ----------------------------------------------------------------- sail sets

TVpp::TSails TVpp::UpwindSails(const TBoatDesign& d) {
  const bool racing = RacingSails(d.Hull);
  // Hounds height over masthead height: the jib of a fractional rig is set
  // lower; a una rig has no jib.
  const double fractionality = d.Rig == TRigType::Fractional ? 0.85 : 1.0;
  const double luff = 0.96 * d.MastHeight - d.BoomHeight;
  const double foretriangle = 0.97 * fractionality * d.MastHeight;
  return TSails{
      TSailSet::Upwind,
      d.MainArea,
      d.Rig == TRigType::Una ? 0.0 : d.JibArea,
      TCurve(kMainAngles, racing ? kMainHighLift : kMainLowLift),
      TCurve(kMainAngles, racing ? kMainHighDrag : kMainLowDrag),
      TCurve(kJibAngles, racing ? kJibHighLift : kJibLowLift),
      TCurve(kJibAngles, kJibDrag),
      // Centres of effort at 39 % of the luff above the foot.
      d.BoomHeight + 0.39 * luff,
      0.39 * foretriangle,
      d.MastHeight,
      fractionality,
  };
}

TVpp::TSails TVpp::DownwindSails(const TBoatDesign& d) {
  TSails sails = UpwindSails(d);
  const bool symmetric = d.Spinnaker == TSpinnakerType::Symmetric;
  sails.Set = TSailSet::Downwind;
  sails.FrontArea = d.DownwindArea;
  sails.FrontLift = TCurve(kSpinnakerAngles, symmetric ? kSymmetricLift : kAsymmetricLift);
  sails.FrontDrag = TCurve(kSpinnakerAngles, symmetric ? kSymmetricDrag : kAsymmetricDrag);
  // Spinnaker hoist: the masthead on a masthead rig, just below it otherwise;
  // its centre of effort at 56.5 % of the hoist (ORC).
  const double hoist = (d.Rig == TRigType::Masthead ? 1.0 : 0.92) * d.MastHeight;
  sails.FrontHeight = 0.565 * hoist;
  return sails;
}

const TVpp::TSails& TVpp::SailsOf(TSailSet set) const {
  if (set == TSailSet::Downwind && downwind_) return *downwind_;
  return upwind_;
}

// -------------------------------------------------------------------- model

TVpp::TVpp(const TBoatDesign& design)
    : design_(design),
      upwind_(UpwindSails(design)),
      residuary_(std::array<double, 2>{0, 1}, std::array<double, 2>{0, 0}) {
  const TBoatDesign& d = design_;
  if (!(d.Lwl > 0 && d.BeamWl > 0 && d.Beam >= d.BeamWl && d.Draft > 0 && d.BoatMass > 0 &&
        d.MainArea > 0 && d.MastHeight > d.BoomHeight && d.KeelArea > 0 && d.RudderArea > 0)) {
    throw std::invalid_argument("incomplete boat design: " + d.Name);
  }
  if (d.Spinnaker != TSpinnakerType::None && d.DownwindArea > 0) downwind_ = DownwindSails(d);

  displacement_ = d.Displacement();
  const double volume = displacement_ / kRhoWater;
  const double ballast = d.BallastRatio * d.BoatMass;
  // The keel's own volume: the ballast and as much again for fin and fairing.
  const double keelVolume = 2 * ballast / kRhoLead;
  canoeVolume_ = volume - keelVolume;
  canoeDraft_ = canoeVolume_ / (d.Cp * d.Cm * d.Lwl * d.BeamWl);
  // Wetted surface of the canoe body, Keuning & Sonnenberg 1998.
  canoeWetted_ = (1.97 + 0.171 * d.BeamWl / canoeDraft_) * std::cbrt(0.65 / d.Cm) *
                 std::sqrt(canoeVolume_ * d.Lwl);
  const double keelSpan = d.Draft - canoeDraft_;
  if (!(canoeDraft_ > 0 && keelSpan > 0.1)) {
    throw std::invalid_argument("boat design without canoe draft or keel span: " + d.Name);
  }
  keelChord_ = d.KeelArea / keelSpan;
  rudderChord_ = d.RudderArea / (0.85 * keelSpan);
  keelWetted_ = 2 * d.KeelArea;
  rudderWetted_ = 2 * d.RudderArea;

  // Initial stability; heights relative to the waterline, up positive.
  const double kb = -0.4 * canoeDraft_;
  // Transverse inertia of the waterplane, about 0.04 LWL BWL^3 for a
  // waterplane coefficient near 0.7.
  const double bm = 0.04 * d.Lwl * std::pow(d.BeamWl, 3) / volume;
  double ballastDepth = 0.8;  // fraction of the keel span below the canoe body
  switch (d.Keel) {
    case TKeelType::Deep: ballastDepth = 0.80; break;
    case TKeelType::Shoal: ballastDepth = 0.70; break;
    case TKeelType::Lifting: ballastDepth = 0.85; break;
    case TKeelType::Centreboard: ballastDepth = 0.50; break;
  }
  const double ballastZ = -(canoeDraft_ + ballastDepth * keelSpan);
  // Hull, deck, rig and interior: racing boats carry their weight lower.
  const double hullZ = (RacingSails(d.Hull) ? 0.30 : 0.45) * d.Freeboard;
  const double crewMass = d.CrewCount * d.CrewMass;
  const double crewZ = d.Freeboard + 0.3;
  const double kg =
      (ballast * ballastZ + (d.BoatMass - ballast) * hullZ + crewMass * crewZ) / displacement_;
  gm_ = kb + bm - kg;
  if (!(gm_ > 0)) throw std::invalid_argument("boat design without initial stability: " + d.Name);
  crewMoment_ = crewMass * kGravity * d.CrewArm;
  lateralCentre_ = canoeDraft_ + 0.45 * keelSpan;
  effectiveDraft_ = d.Draft;

  // Windage: hull topsides end-on and the mast, as flat-plate drag area.
  const double mastChord = 0.06 + 0.008 * d.MastHeight;
  windageArea_ = 0.8 * d.Freeboard * d.Beam + mastChord * d.MastHeight;

  // The regression evaluated for this hull at its Froude numbers. It does not
  // rise everywhere for every hull (at the high-speed end some fall back), and
  // a resistance that falls as the boat speeds up would let it run away, so
  // each value is held at least at the one before.
  const double vc13 = std::cbrt(canoeVolume_);
  const double waterplane = d.Cwp * d.Lwl * d.BeamWl;
  std::vector<double> froude{0.0};
  std::vector<double> ratio{0.0};
  for (std::size_t i = 0; i < kDelftFroude.size(); ++i) {
    const auto& a = kDelftCoefficients[i];
    const double value =
        a[0] + (a[1] * d.Lcb + a[2] * d.Cp + a[3] * vc13 * vc13 / waterplane + a[4] * d.BeamWl / d.Lwl +
                a[5] * d.Lcb / d.Lcf + a[6] * d.BeamWl / canoeDraft_ + a[7] * d.Cm) *
                   vc13 / d.Lwl;
    froude.push_back(kDelftFroude[i]);
    ratio.push_back(std::max(value, ratio.back()));
  }
  residuary_ = TCurve(froude, ratio);
  // Beyond the table the resistance keeps rising at the mean rate of its last
  // three intervals.
  const std::size_t n = ratio.size();
  residuarySlope_ = (ratio[n - 1] - ratio[n - 4]) / (froude[n - 1] - froude[n - 4]);
  if (d.Hull == THullType::Dinghy) {
    // A dinghy cannot reef; it depowers further by twisting and easing.
    fMin_ = 0.35;
    rMin_ = 1;
  }
}

double TVpp::HullResistance(double speed) const {
  const TBoatDesign& d = design_;
  const double q = 0.5 * kRhoWater * speed * speed;
  const double friction =
      q * (canoeWetted_ * FrictionCoefficient(speed * 0.7 * d.Lwl / kNuWater) +
           keelWetted_ * FrictionCoefficient(speed * keelChord_ / kNuWater) *
               FoilFormFactor(kKeelThickness) +
           rudderWetted_ * FrictionCoefficient(speed * rudderChord_ / kNuWater) *
               FoilFormFactor(kRudderThickness));
  // Residuary part: the shape-preserving cubic through the regression's
  // values (a kink at every tabulated Froude number would gather the steady
  // speeds of many boats at it), rising from 0 at rest, continued with the
  // last slope beyond the table.
  const double froude = speed / std::sqrt(kGravity * d.Lwl);
  const double last = kDelftFroude.back();
  double ratio = 0;
  if (froude <= last) {
    ratio = residuary_.At(froude);
  } else {
    ratio = residuary_.At(last) + residuarySlope_ * (froude - last);
  }
  return friction + std::max(0.0, ratio) * kRhoWater * kGravity * canoeVolume_;
}

double TVpp::UprightResistance(double speedKnots) const {
  return HullResistance(speedKnots * kMetresPerSecondPerKnot);
}

// One force balance at boat speed (m/s), true wind speed (m/s) and angle
// (radians), with the sails flattened to `flat` and reefed to `reef`.
TVpp::TPoint TVpp::Evaluate(double speed, double tws, double twa, const TSails& sails, double flat,
                            double reef) const {
  TPoint p;
  p.Flat = flat;
  p.Reef = reef;
  const double freeboard = design_.Freeboard;
  const double mainArea = sails.MainArea * p.Reef * p.Reef;
  const double frontArea = sails.FrontArea * p.Reef * p.Reef;
  const double area = mainArea + frontArea;
  // A flattened rig also twists off, which lowers its centre of effort
  // (ORC VPP Documentation 2013).
  const double twist =
      1 - 0.203 * (1 - p.Flat) - 0.451 * (1 - p.Flat) * (1 - sails.Fractionality);
  const double effectiveHeight = 1.1 * (freeboard + p.Reef * sails.MastHeight);
  const double inducedFactor = area / (kPi * effectiveHeight * effectiveHeight);
  const double cosTwa = std::cos(twa);
  const double sinTwa = std::sin(twa);
  const double righting = displacement_ * kGravity * gm_;

  double heel = 0;  // radians
  double drive = 0;
  double side = 0;
  constexpr int kHeelIterations = 6;
  for (int i = 0; i < kHeelIterations; ++i) {
    // Apparent wind in the heeled sail plan: the cross component shrinks
    // with cos(heel).
    const double along = tws * cosTwa + speed;
    const double across = tws * sinTwa * std::cos(heel);
    const double awa = std::atan2(across, along);
    const double awaDeg = awa / kRadPerDeg;
    const double q = 0.5 * kRhoAir * (along * along + across * across);
    const double mainLift = sails.MainLift.At(awaDeg);
    const double frontLift = sails.FrontLift.At(awaDeg);
    const double liftMax = (mainLift * mainArea + frontLift * frontArea) / area;
    const double lift = p.Flat * liftMax;
    const double parasitic =
        (sails.MainDrag.At(awaDeg) * mainArea + sails.FrontDrag.At(awaDeg) * frontArea) / area;
    const double liftForce = q * area * lift;
    const double dragForce = q * (area * (parasitic + lift * lift * inducedFactor) + windageArea_);
    drive = liftForce * std::sin(awa) - dragForce * std::cos(awa);
    side = liftForce * std::cos(awa) + dragForce * std::sin(awa);
    // Centre of effort above the deck, each sail weighted by its lift.
    const double wMain = std::abs(mainLift) * mainArea;
    const double wFront = std::abs(frontLift) * frontArea;
    const double centre = wMain + wFront > 0
                              ? (wMain * sails.MainHeight + wFront * sails.FrontHeight) / (wMain + wFront)
                              : sails.MainHeight;
    const double arm = freeboard + p.Reef * centre * twist + lateralCentre_;
    // side * arm * cos(heel) = W GM sin(heel) + crew moment * cos(heel)
    const double target = std::atan(std::max(0.0, side * arm - crewMoment_) / righting);
    heel = i == 0 ? target : 0.5 * (heel + target);
  }
  const double sideForce = side * std::cos(heel);
  const double draft = effectiveDraft_ * std::cos(heel);
  const double induced =
      sideForce * sideForce / (0.5 * kRhoWater * speed * speed * kPi * draft * draft);
  p.Thrust = drive - HullResistance(speed) - induced;
  p.Heel = heel / kRadPerDeg;
  return p;
}

// The depowering along one schedule: s in [0, 1] runs from full power to the
// least flat and least reef, through one control first and then the other.
TVpp::TPoint TVpp::EvaluateScheduled(double speed, double tws, double twa, const TSails& sails,
                                     TDepowering order, double s) const {
  const double first = std::min(1.0, 2 * s);
  const double second = std::max(0.0, 2 * s - 1);
  double flat = 1;
  double reef = 1;
  if (order == TDepowering::FlattenFirst) {
    flat = 1 - first * (1 - fMin_);
    reef = 1 - second * (1 - rMin_);
  } else {
    reef = 1 - first * (1 - rMin_);
    flat = 1 - second * (1 - fMin_);
  }
  return Evaluate(speed, tws, twa, sails, flat, reef);
}

// The best force balance at one boat speed along one schedule: the least
// depowering that keeps the heel within the limit, or more where that leaves
// more thrust.
TVpp::TPoint TVpp::BestAlong(double speed, double tws, double twa, const TSails& sails,
                             TDepowering order) const {
  const double maxHeel = design_.MaxHeel;
  const auto at = [&](double s) { return EvaluateScheduled(speed, tws, twa, sails, order, s); };
  TPoint low = at(0);
  double sLow = 0;
  if (low.Heel > maxHeel) {
    const TPoint full = at(1);
    if (full.Heel > maxHeel) return full;  // overpowered even fully depowered
    double a = 0;
    double b = 1;
    for (int i = 0; i < 14; ++i) {
      const double m = 0.5 * (a + b);
      if (at(m).Heel > maxHeel) {
        a = m;
      } else {
        b = m;
      }
    }
    sLow = b;
    low = at(sLow);
  }
  if (sLow >= 1) return low;
  const double probe = std::min(1.0, sLow + 0.02);
  if (!(at(probe).Thrust > low.Thrust)) return low;
  const double s = GoldenMax([&](double x) { return at(x).Thrust; }, sLow, 1.0, 14);
  const TPoint better = at(s);
  return better.Thrust > low.Thrust ? better : low;
}

// Flattening first suits sails whose drag falls with their lift; reefing
// first suits a spinnaker, whose drag only a smaller sail reduces. The crew
// does whichever keeps more thrust.
TVpp::TPoint TVpp::BestAt(double speed, double tws, double twa, const TSails& sails) const {
  const TPoint flattened = BestAlong(speed, tws, twa, sails, TDepowering::FlattenFirst);
  if (rMin_ >= 1) return flattened;
  const TPoint reefed = BestAlong(speed, tws, twa, sails, TDepowering::ReefFirst);
  return reefed.Thrust > flattened.Thrust ? reefed : flattened;
}

TSailingState TVpp::SolveSails(double twsKnots, double twaDeg, const TSails& sails) const {
  const double tws = twsKnots * kMetresPerSecondPerKnot;
  const double twa = twaDeg * kRadPerDeg;
  const auto sustains = [&](double v) { return BestAt(v, tws, twa, sails).Thrust >= 0; };
  // The steady speed is the highest one the sails can hold: search down from
  // well above any speed the boat reaches, in steps of half a metre per
  // second, then bisect.
  double top = (0.9 * twsKnots + 8) * kMetresPerSecondPerKnot;
  for (int i = 0; i < 4 && sustains(top); ++i) top *= 1.5;
  constexpr double kStep = 0.5;
  for (double hi = top; hi > kStep; hi -= kStep) {
    double lo = hi - kStep;
    if (!sustains(lo)) continue;
    double up = hi;
    for (int i = 0; i < 20; ++i) {
      const double m = 0.5 * (lo + up);
      if (sustains(m)) {
        lo = m;
      } else {
        up = m;
      }
    }
    const TPoint p = BestAt(lo, tws, twa, sails);
    return TSailingState{lo / kMetresPerSecondPerKnot, p.Heel, p.Flat, p.Reef, sails.Set};
  }
  return TSailingState{0, 0, 1, 1, sails.Set};
}

TSailingState TVpp::SolveWith(double trueWindKnots, double trueWindAngleDeg, TSailSet sails) const {
  return SolveSails(trueWindKnots, trueWindAngleDeg, SailsOf(sails));
}

TSailingState TVpp::Solve(double trueWindKnots, double trueWindAngleDeg) const {
  if (!downwind_) return SolveSails(trueWindKnots, trueWindAngleDeg, upwind_);
  TSailingState best{};
  if (trueWindAngleDeg <= kUpwindSailsUpTo) {
    best = SolveSails(trueWindKnots, trueWindAngleDeg, upwind_);
  }
  if (trueWindAngleDeg >= kSpinnakerFrom) {
    const TSailingState spinnaker = SolveSails(trueWindKnots, trueWindAngleDeg, *downwind_);
    if (spinnaker.Speed > best.Speed) best = spinnaker;
  }
  return best;
}

namespace {

// Maximises a VMG over an angle range: a scan in steps of `step` degrees,
// then a golden-section refinement around the best scanned angle.
TVmgOptimum BestVmg(const std::function<double(double)>& speedAt, double from, double to,
                    double step, bool downwind) {
  const auto vmgOf = [&](double angle, double speed) {
    return speed * std::cos((downwind ? 180 - angle : angle) * kRadPerDeg);
  };
  TVmgOptimum best;
  best.Vmg = -1;
  for (double a = from; a <= to + 1e-9; a += step) {
    const double v = speedAt(a);
    const double vmg = vmgOf(a, v);
    if (vmg > best.Vmg) best = TVmgOptimum{a, v, vmg};
  }
  const double lo = std::max(from, best.Angle - step);
  const double hi = std::min(to, best.Angle + step);
  const double angle = GoldenMax([&](double a) { return vmgOf(a, speedAt(a)); }, lo, hi, 14);
  const double v = speedAt(angle);
  if (vmgOf(angle, v) > best.Vmg) best = TVmgOptimum{angle, v, vmgOf(angle, v)};
  return best;
}

}  // namespace

TVmgOptimum TVpp::BestBeat(double trueWindKnots) const {
  return BestVmg([&](double a) { return SolveSails(trueWindKnots, a, upwind_).Speed; },
                 kMinBeatAngle, kMaxBeatAngle, 2, false);
}

TVmgOptimum TVpp::BestRun(double trueWindKnots) const {
  const TSails& sails = downwind_ ? *downwind_ : upwind_;
  return BestVmg([&](double a) { return SolveSails(trueWindKnots, a, sails).Speed; },
                 kMinRunAngle, kMaxRunAngle, 3, true);
}

double TVpp::TackTime(double trueWindKnots) const {
  const double tonnes = displacement_ / 1000;
  const double windFactor = 1.1 - 0.2 * std::clamp((trueWindKnots - 6) / 14, 0.0, 1.0);
  return (2.5 + 2.2 * std::cbrt(tonnes)) * windFactor;
}

TPolars Polars(const TBoatDesign& design, bool reachRows) {
  const TVpp vpp(design);
  TPolars polars;
  polars.Reset();
  for (int c = 1; c <= polars.nCols - 2; ++c) {
    const auto col = static_cast<std::size_t>(c);
    const double tws = static_cast<double>(polars.WindVelocity[col]);
    const TVmgOptimum beat = vpp.BestBeat(tws);
    const TVmgOptimum run = vpp.BestRun(tws);
    polars.BeatAngles[col] = beat.Angle;
    polars.Velocity[col][0] = beat.Speed;
    polars.GybeAngles[col] = run.Angle;
    polars.Velocity[col][static_cast<std::size_t>(polars.nRows - 1)] = run.Speed;
    polars.TackTime[col] = vpp.TackTime(tws);
    if (!reachRows) continue;
    for (int r = 1; r <= polars.nRows - 2; ++r) {
      const auto row = static_cast<std::size_t>(r);
      polars.Velocity[col][row] = vpp.Solve(tws, static_cast<double>(polars.WindAngles[row])).Speed;
    }
  }
  return polars;
}

}  // namespace corvane::vpp
