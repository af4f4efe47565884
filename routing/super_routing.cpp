#include "routing/super_routing.h"

#include <algorithm>
#include <cmath>

#include "core/constants.h"

namespace corvane {

namespace {

// Below this best VMG (knots) a grid point's next time step is stretched.
constexpr double kSlowVMG = 0.5;

}  // namespace

TPolar TSuperRouting::GetWindOnWater(const TCartesian& WindOverGround,
                                     const TCartesian& Current) const {
  return MathTools.CartesianToPolar(MathTools.AddCartesian(WindOverGround, Current));
}

double TSuperRouting::GetAngleCourseWind(double AngleCourse, const TPolar& WindOnWater) const {
  return MathTools.AngleRad180(AngleCourse * kDegreesToRadians, WindOnWater.Winkel);
}

double TSuperRouting::GetAngleCourseToWind(double AngleCourse, const TPolar& WindOnWater) const {
  return MathTools.AddRad(WindOnWater.Winkel, -AngleCourse * kDegreesToRadians);
}

double TSuperRouting::GetBoatSpeed(int TypeOfCourse, const TPolar& Wind, const TPolars& Polars,
                                double SailingAngle) const {
  switch (TypeOfCourse) {
    case kCourseBeat:
      return PackagePolars.GetBeatSpeed(Wind, Polars);
    case kCourseRun:
      return PackagePolars.GetRunSpeed(Wind, Polars);
    case kCourseReach:
      return PackagePolars.GetReachSpeed(Wind, SailingAngle, Polars);
    default:
      return 0;
  }
}

double TSuperRouting::GetPolarBeatAngle(const TPolar& WindOnWater, const TPolars& Polars) const {
  return PackagePolars.GetBeatAngle(WindOnWater, Polars) * kDegreesToRadians;
}

double TSuperRouting::GetPolarGybeAngle(const TPolar& WindOnWater, const TPolars& Polars) const {
  return PackagePolars.GetGybeAngle(WindOnWater, Polars) * kDegreesToRadians;
}

double TSuperRouting::GetAngleBoatWindOverGround(int TypeOfCourse, const TLegContext& Leg) const {
  const TPolar& trueWind = Leg.Conditions.TrueWind;
  const TPolars& polars = Leg.Polars;
  switch (TypeOfCourse) {
    case kCourseBeat:
      return PackagePolars.GetBeatAngle(trueWind, polars);
    case kCourseRun:
      return PackagePolars.GetGybeAngle(trueWind, polars);
    case kCourseReach:
      return GetAngleCourseWind(Leg.Track.TrackAngle, trueWind) * kRadiansToDegrees;
    default:
      return 0;
  }
}

double TSuperRouting::GetAngleBoatWindOnWater(int TypeOfCourse, const TCartesian& WindOverGround,
                                              const TCartesian& Currents,
                                              const TLegContext& Leg) const {
  const TPolar windOnWater = GetWindOnWater(WindOverGround, Currents);
  const TPolars& polars = Leg.Polars;
  switch (TypeOfCourse) {
    case kCourseBeat:
      return GetPolarBeatAngle(windOnWater, polars);
    case kCourseRun:
      return GetPolarGybeAngle(windOnWater, polars);
    case kCourseReach:
      return GetAngleCourseWind(Leg.Track.TrackAngle, Leg.Conditions.TrueWind);
    default:
      return 0;
  }
}

TPolar TSuperRouting::GetBoatVektorOverGround(int TypeOfCourse, const TPolars& Polars,
                                              const TGridPoint& Point,
                                              double AngleBoatWindOnWater) const {
  const TPolar windOnWater = GetWindOnWater(Point.Wind, Point.Stream);
  // The heading is left unreduced: only its sine and cosine are used.
  const double heading = AngleBoatWindOnWater + windOnWater.Winkel;
  const double speed = GetBoatSpeed(TypeOfCourse, windOnWater, Polars, AngleBoatWindOnWater);
  const TCartesian throughWater = MathTools.PolarToCartesian(TPolar{speed, heading});
  return MathTools.CartesianToPolar(MathTools.AddCartesian(throughWater, Point.Stream));
}

void TSuperRouting::GetVMGOverGround(int TypeOfCourse, const TCartesian& WindOverGround,
                                     const TCartesian& Currents, double AngleBoatWindOnWater,
                                     double AngleCourse, const TPolars& Polars, double& VMG_STB,
                                     double& VMG_BBB) const {
  const TPolar windOnWater = GetWindOnWater(WindOverGround, Currents);
  const double heading1 = MathTools.AddRad(windOnWater.Winkel, AngleBoatWindOnWater);
  const double heading2 = MathTools.AddRad(windOnWater.Winkel, -AngleBoatWindOnWater);
  const double course = AngleCourse * kDegreesToRadians;
  const double speed = GetBoatSpeed(TypeOfCourse, windOnWater, Polars, AngleBoatWindOnWater);
  const TPolar stream = MathTools.CartesianToPolar(Currents);
  const double streamAlong = stream.Betrag * std::cos(MathTools.AngleRad180(course, stream.Winkel));
  VMG_STB = speed * std::cos(MathTools.AddRad(heading1, -course)) + streamAlong;
  VMG_BBB = speed * std::cos(MathTools.AddRad(course, -heading2)) + streamAlong;
}

double TSuperRouting::GetAttackAngle(const TGridPoint& Point, double AngleBoatWindOnWater) const {
  const TPolar windOnWater = GetWindOnWater(Point.Wind, Point.Stream);
  return MathTools.AddRad(AngleBoatWindOnWater, windOnWater.Winkel);
}

void TSuperRouting::SetAttackAngle(TGridPoint& Point, double AngleCourseWind,
                                   double AngleBoatWindOnWater) const {
  const double heading = GetAttackAngle(Point, AngleBoatWindOnWater);
  if (AngleCourseWind <= kPi) {
    Point.SailingRight = heading;
    Point.Bug = 1;
  } else {
    Point.SailingLeft = heading;
    Point.Bug = 2;
  }
}

double TSuperRouting::GetTimeToNextLine(const TGridPoint* Point, double TimeDefault) const {
  if (Point == nullptr) return TimeDefault;
  const double v = std::max({Point->VMG, Point->VMG_STB, Point->VMG_BBB});
  if (v > kSlowVMG) return TimeDefault;
  return TimeDefault * ((kSlowVMG - v) * 10 + 1);
}

double TSuperRouting::GetTimeToFinishNoCurrents(int TypeOfCourse, TLegContext& Leg) const {
  const TPolar& trueWind = Leg.Conditions.TrueWind;
  const double boatAngle = GetAngleBoatWindOverGround(TypeOfCourse, Leg);
  const double courseWind = GetAngleCourseWind(Leg.Track.TrackAngle, trueWind);
  const double speed = GetBoatSpeed(TypeOfCourse, trueWind, Leg.Polars, boatAngle * kDegreesToRadians);
  // The boat sails off the course by the part of its angle to the wind that
  // the course itself does not take up.
  const double offCourse = std::max<double>(boatAngle - courseWind * kRadiansToDegrees, 0);
  double factor = std::cos(offCourse * kDegreesToRadians);
  if (factor <= 0) factor = 1;
  const double hours = speed > 0 ? Leg.Track.TrackDistance / factor / speed : 0;
  Leg.LowVMG = hours > Leg.Options.MaxHoursToFinish;
  return hours;
}

double TSuperRouting::GetGridTimeDefault(int TypeOfCourse, int DefaultGridLines,
                                         TLegContext& Leg) const {
  const double estimate = GetTimeToFinishNoCurrents(TypeOfCourse, Leg);
  const TCartesian wind = Leg.TrueWindVector;
  const auto bestVMG = [&](const TMinutes& position, double elapsed) {
    const TCartesian stream = Leg.StreamAt(position, elapsed);
    const double angle = GetAngleBoatWindOnWater(TypeOfCourse, wind, stream, Leg);
    double stb = 0;
    double bbb = 0;
    GetVMGOverGround(TypeOfCourse, wind, stream, angle, Leg.Track.TrackAngle, Leg.Polars, stb, bbb);
    return std::max(stb, bbb);
  };
  const double v = (bestVMG(Leg.Track.TrackStart, 0) + bestVMG(Leg.Track.TrackFinish, estimate)) / 2;
  const double hours = v != 0 ? Leg.Track.TrackDistance / std::fabs(v) : 0;
  Leg.LowVMG = hours > Leg.Options.MaxHoursToFinish;
  return DefaultGridLines >= 1 ? hours / DefaultGridLines : 0;
}

double TSuperRouting::GetSailingTimeToFinish(const TGridPoint& Point, const TLegContext& Leg) const {
  const TBogen finish = MathTools.MinutesToBogen(Leg.Track.TrackFinish);
  const double distance = MathTools.DistanceOfBogen(Point.Position, finish);
  const TPolar windOnWater = GetWindOnWater(Point.Wind, Point.Stream);
  // The angle between the bearing and the wind, whichever side the wind
  // blows from: the table is read by its size.
  const double angle = MathTools.AngleRad180(windOnWater.Winkel, MathTools.AngleOfBogen(Point.Position, finish));
  const double speed = PackagePolars.GetReachSpeed(windOnWater, angle, Leg.Polars);
  return speed > 0 ? distance / speed : 0;
}

void TSuperRouting::GetInWater(TGridPoint& Point, const TLegContext& Leg) const {
  Point.InWater = Leg.Navigable(MathTools.BogenToMinutes(Point.Position));
}

void TSuperRouting::GetCurrentsWindShift(TLegContext& Leg) const {
  if (!Leg.Valid) return;
  TRoutingData& track = Leg.Track;
  const TPolar& trueWind = Leg.Conditions.TrueWind;
  const TCartesian combined =
      MathTools.AddCartesian(MathTools.PolarToCartesian(trueWind), track.StreamOnTrack);
  track.CurrentsWind = MathTools.CartesianToRadiant(combined);
  double shift = (track.CurrentsWind - trueWind.Winkel) * kRadiansToDegrees;
  if (shift > 180) shift -= 360;
  if (shift < -180) shift += 360;
  track.CurrentsWindShift = shift;
}

}  // namespace corvane
