#include "routing/super_routing.h"

#include <algorithm>
#include <cmath>

#include "core/constants.h"
#include "core/date_time.h"
#include "tides/in_water.h"

namespace corvane {

namespace {

// Below this best VMG (knots) a grid point's next time step is stretched.
constexpr double kSlowVMG = 0.5;
constexpr int kAppTypeSimulator = 4;

// Whole seconds of an elapsed time in hours, truncated toward zero.
std::int64_t ElapsedSeconds(double elapsed) {
  return static_cast<std::int64_t>(std::trunc(elapsed * 3600));
}

}  // namespace

void TSuperRouting::StepProgressBar(TInterfaceApplicationMobile& InterfaceApplicationMobile,
                                   const std::string& ProgressText, float Step) {
  StepProgress(InterfaceApplicationMobile, ProgressText, Step, progress_);
}

void TSuperRouting::FillProgressBar(TInterfaceApplicationMobile& InterfaceApplicationMobile,
                                   const std::string& ProgressText, float Value) {
  FillProgress(InterfaceApplicationMobile, ProgressText, Value, progress_);
}

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

double TSuperRouting::GetAngleBoatWindOverGround(
    int TypeOfCourse, const TRoutingData& RoutingData,
    const TInterfaceApplicationMobile& InterfaceApplicationMobile) const {
  const TPolar& trueWind = InterfaceApplicationMobile.Wind.TrueWind;
  const TPolars& polars = InterfaceApplicationMobile.Polars;
  switch (TypeOfCourse) {
    case kCourseBeat:
      return PackagePolars.GetBeatAngle(trueWind, polars);
    case kCourseRun:
      return PackagePolars.GetGybeAngle(trueWind, polars);
    case kCourseReach:
      return GetAngleCourseWind(RoutingData.TrackAngle, trueWind) * kRadiansToDegrees;
    default:
      return 0;
  }
}

double TSuperRouting::GetAngleBoatWindOnWater(
    int TypeOfCourse, const TCartesian& WindOverGround, const TCartesian& Currents,
    const TRoutingData& RoutingData,
    const TInterfaceApplicationMobile& InterfaceApplicationMobile) const {
  const TPolar windOnWater = GetWindOnWater(WindOverGround, Currents);
  const TPolars& polars = InterfaceApplicationMobile.Polars;
  switch (TypeOfCourse) {
    case kCourseBeat:
      return GetPolarBeatAngle(windOnWater, polars);
    case kCourseRun:
      return GetPolarGybeAngle(windOnWater, polars);
    case kCourseReach:
      return GetAngleCourseWind(RoutingData.TrackAngle, InterfaceApplicationMobile.Wind.TrueWind);
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

double TSuperRouting::GetTimeToFinishNoCurrents(
    int TypeOfCourse, const TRoutingData& RoutingData,
    TInterfaceApplicationMobile& InterfaceApplicationMobile) const {
  const TPolar& trueWind = InterfaceApplicationMobile.Wind.TrueWind;
  const double boatAngle = GetAngleBoatWindOverGround(TypeOfCourse, RoutingData, InterfaceApplicationMobile);
  const double courseWind = GetAngleCourseWind(RoutingData.TrackAngle, trueWind);
  const double speed = GetBoatSpeed(TypeOfCourse, trueWind, InterfaceApplicationMobile.Polars,
                                 boatAngle * kDegreesToRadians);
  // The boat sails off the course by the part of its angle to the wind that
  // the course itself does not take up.
  const double offCourse = std::max<double>(boatAngle - courseWind * kRadiansToDegrees, 0);
  double factor = std::cos(offCourse * kDegreesToRadians);
  if (factor <= 0) factor = 1;
  const double hours = speed > 0 ? RoutingData.TrackDistance / factor / speed : 0;
  InterfaceApplicationMobile.LowVMG = hours > InterfaceApplicationMobile.MaxTimeToFinish;
  return hours;
}

double TSuperRouting::GetGridTimeDefault(int TypeOfCourse, int DefaultGridLines,
                                      const TRoutingData& RoutingData,
                                      TInterfaceApplicationMobile& InterfaceApplicationMobile) const {
  const double estimate = GetTimeToFinishNoCurrents(TypeOfCourse, RoutingData, InterfaceApplicationMobile);
  const TCartesian wind = MathTools.PolarToCartesian(InterfaceApplicationMobile.Wind.TrueWind);
  const auto bestVMG = [&](const TMinutes& position, double elapsed) {
    const TCartesian stream = GetCurrentsLight(InterfaceApplicationMobile, elapsed, position);
    const double angle = GetAngleBoatWindOnWater(TypeOfCourse, wind, stream, RoutingData,
                                              InterfaceApplicationMobile);
    double stb = 0;
    double bbb = 0;
    GetVMGOverGround(TypeOfCourse, wind, stream, angle, RoutingData.TrackAngle,
                     InterfaceApplicationMobile.Polars, stb, bbb);
    return std::max(stb, bbb);
  };
  const double v = (bestVMG(RoutingData.TrackStart, 0) + bestVMG(RoutingData.TrackFinish, estimate)) / 2;
  const double hours = v != 0 ? RoutingData.TrackDistance / std::fabs(v) : 0;
  InterfaceApplicationMobile.LowVMG = hours > InterfaceApplicationMobile.MaxTimeToFinish;
  return DefaultGridLines >= 1 ? hours / DefaultGridLines : 0;
}

double TSuperRouting::GetSailingTimeToFinish(
    const TGridPoint& Point, const TRoutingData& RoutingData,
    const TInterfaceApplicationMobile& InterfaceApplicationMobile) const {
  const TBogen finish = MathTools.MinutesToBogen(RoutingData.TrackFinish);
  const double distance = MathTools.DistanceOfBogen(Point.Position, finish);
  const TPolar windOnWater = GetWindOnWater(Point.Wind, Point.Stream);
  const double angle =
      MathTools.AddRad(windOnWater.Winkel, -MathTools.AngleOfBogen(Point.Position, finish));
  const double speed = PackagePolars.GetReachSpeed(windOnWater, angle, InterfaceApplicationMobile.Polars);
  return speed > 0 ? distance / speed : 0;
}

TDateTime TSuperRouting::StreamMoment(const TInterfaceApplicationMobile& state, double elapsed) const {
  const TDateTime shifted = IncMinute(state.DateTimeGMT, std::llround(state.TideTimeShift) * -1);
  return IncSecond(shifted, ElapsedSeconds(elapsed));
}

TDateTime TSuperRouting::WindMoment(const TInterfaceApplicationMobile& state, double elapsed) const {
  return IncSecond(state.DateTimeGMT, ElapsedSeconds(elapsed));
}

TCartesian TSuperRouting::GetCurrentsLight(
    const TInterfaceApplicationMobile& InterfaceApplicationMobile, double ElapsedTime,
    const TMinutes& Position) const {
  if (InterfaceApplicationMobile.HideCurrent) return TCartesian{};
  const TListVektorCubeLight& cubes = InterfaceApplicationMobile.GRIBCurrentLoaded
                                          ? InterfaceApplicationMobile.CubeLoRes
                                          : InterfaceApplicationMobile.CubeHiRes;
  const int count = static_cast<int>(cubes.ListVektorCube.size());
  for (int cube = 0; cube < count; ++cube) {
    const TListMinutes& area = cubes.ListVektorCube[static_cast<std::size_t>(cube)].VektorArea;
    if (MathTools.GetInPolygon(Position, area)) {
      return cubes.GetTINVektor(true, cube, Position,
                                StreamMoment(InterfaceApplicationMobile, ElapsedTime));
    }
  }
  return TCartesian{};
}

TCartesian TSuperRouting::GetCurrentsLight(
    const TInterfaceApplicationMobile& InterfaceApplicationMobile, double ElapsedTime,
    const TBogen& Position) const {
  return GetCurrentsLight(InterfaceApplicationMobile, ElapsedTime, MathTools.BogenToMinutes(Position));
}

TPolar TSuperRouting::GetCurrentsLight(const TInterfaceApplicationMobile& InterfaceApplicationMobile,
                                       const TMinutes& Position) const {
  if (InterfaceApplicationMobile.HideCurrent) return TPolar{};
  if (!GetInWater(Position, InterfaceApplicationMobile)) return TPolar{};
  const TListVektorCubeLight& cubes = InterfaceApplicationMobile.CubeLoRes;
  const int count = static_cast<int>(cubes.ListVektorCube.size());
  for (int cube = 0; cube < count; ++cube) {
    const TListMinutes& area = cubes.ListVektorCube[static_cast<std::size_t>(cube)].VektorArea;
    if (MathTools.GetInPolygon(Position, area)) {
      return MathTools.CartesianToPolar(
          cubes.GetTINVektor(true, cube, Position, StreamMoment(InterfaceApplicationMobile, 0)));
    }
  }
  return TPolar{};
}

TCartesian TSuperRouting::GetWind(const TInterfaceApplicationMobile& InterfaceApplicationMobile,
                                  double ElapsedTime, const TBogen& Position,
                                  const TCartesian& WindDefault) const {
  const TListVektorCubeLight& cube = InterfaceApplicationMobile.CubeWind;
  if (cube.ListVektorCube.empty() || !InterfaceApplicationMobile.GRIBWindLoaded) return WindDefault;
  const TDateTime moment = WindMoment(InterfaceApplicationMobile, ElapsedTime);
  if (!cube.GetDateTimeInCube(moment)) return WindDefault;
  return cube.GetTINVektor(false, 0, MathTools.BogenToMinutes(Position), moment);
}

void TSuperRouting::GetInWater(TGridPoint& Point,
                               const TInterfaceApplicationMobile& InterfaceApplicationMobile) const {
  if (InterfaceApplicationMobile.AppType == kAppTypeSimulator) {
    Point.InWater = true;
    return;
  }
  Point.InWater = GetInNavigableWater(MathTools, MathTools.BogenToMinutes(Point.Position),
                                      InterfaceApplicationMobile, true);
}

bool TSuperRouting::GetInWater(const TMinutes& Minutes,
                               const TInterfaceApplicationMobile& InterfaceApplicationMobile) const {
  return GetInNavigableWater(MathTools, Minutes, InterfaceApplicationMobile, false);
}

void TSuperRouting::GetCurrentsWindShift(
    TRoutingData& RoutingData, const TInterfaceApplicationMobile& InterfaceApplicationMobile) const {
  if (!InterfaceApplicationMobile.RoutingValid) return;
  const TPolar& trueWind = InterfaceApplicationMobile.Wind.TrueWind;
  const TCartesian combined =
      MathTools.AddCartesian(MathTools.PolarToCartesian(trueWind), RoutingData.StreamOnTrack);
  RoutingData.CurrentsWind = MathTools.CartesianToRadiant(combined);
  double shift = (RoutingData.CurrentsWind - trueWind.Winkel) * kRadiansToDegrees;
  if (shift > 180) shift -= 360;
  if (shift < -180) shift += 360;
  RoutingData.CurrentsWindShift = shift;
}

}  // namespace corvane
