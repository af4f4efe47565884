#pragma once
// Sailing over ground: the physics both routing grids share. Where the wind
// and the tidal stream are at a position and a moment, the wind a boat feels
// on the moving water, the boat's velocity over ground for an angle to that
// wind, its velocity made good along a course, and a first estimate of a
// leg's duration. Everything reads the leg's context (TLegContext); nothing
// else.
//
// Conventions. Directions are radians clockwise from north unless a
// function says degrees. The wind over ground is the vector
// PolarToCartesian(wind): it points toward where the wind comes from. A
// stream is a vector in knots pointing where the water flows. The wind on the
// water is their sum: its Winkel is where the wind seems to come from for a
// boat drifting with the water, its Betrag the speed felt there (wind 10 kn
// from north over a 1 kn stream flowing north: 11 kn from north). A boat
// angle A is signed: the heading through the water is the wind-on-water
// direction + A. Elapsed times are hours since the leg's start, distances
// nautical miles. Leg types: 1 beat, 2 reach, 3 run.
//
// Nothing here fails: outside the stream's area the stream is zero, and a
// zero boat speed gives zero times; the grids turn those into messages.

#include <string>

#include "core/math_tools.h"
#include "core/types.h"
#include "polars/package_polars.h"
#include "routing/grid.h"
#include "routing/leg_context.h"

namespace corvane {

class TSuperRouting {
 public:
  TMathTools MathTools;
  TPackagePolars PackagePolars;

  // ------------------------------------------------------ wind and angles

  // Wind on the water: CartesianToPolar(WindOverGround + Current), knots.
  TPolar GetWindOnWater(const TCartesian& WindOverGround, const TCartesian& Current) const;
  // Unsigned angle between a course (degrees) and the wind's direction,
  // radians [0, pi].
  double GetAngleCourseWind(double AngleCourse, const TPolar& WindOnWater) const;
  // The wind's direction seen from a course (degrees): AddRad(wind, -course),
  // radians [0, 2 pi].
  double GetAngleCourseToWind(double AngleCourse, const TPolar& WindOnWater) const;
  // Boat speed through the water (knots) for the wind speed Wind.Betrag: the
  // polar's beat speed (1), run speed (3) or reach speed at SailingAngle
  // (radians, sign ignored) (2); 0 for any other type.
  double GetBoatSpeed(int TypeOfCourse, const TPolar& Wind, const TPolars& Polars,
                      double SailingAngle) const;
  // The polar's beat / gybe angle for that wind speed, radians.
  double GetPolarBeatAngle(const TPolar& WindOnWater, const TPolars& Polars) const;
  double GetPolarGybeAngle(const TPolar& WindOnWater, const TPolars& Polars) const;
  // Degrees: the beat (1) or gybe (3) angle for the true wind speed; for a
  // reach the angle between the track and the true wind; 0 otherwise.
  double GetAngleBoatWindOverGround(int TypeOfCourse, const TLegContext& Leg) const;
  // Radians: the beat (1) or gybe (3) angle for the speed of the wind on the
  // water; for a reach the angle between the track and the true wind (the
  // true wind, not the wind on the water); 0 otherwise.
  double GetAngleBoatWindOnWater(int TypeOfCourse, const TCartesian& WindOverGround,
                                 const TCartesian& Currents, const TLegContext& Leg) const;

  // ------------------------------------------------------ boat velocities

  // Velocity over ground (knots, radians) leaving a grid point with boat
  // angle A: the polar speed on the heading wind-on-water + A, plus the
  // point's stream.
  TPolar GetBoatVektorOverGround(int TypeOfCourse, const TPolars& Polars, const TGridPoint& Point,
                                 double AngleBoatWindOnWater) const;
  // Velocities made good (knots) along the course AngleCourse (degrees) for
  // the heading wind + A (VMG_STB) and wind - A (VMG_BBB), each including
  // the stream's component along the course.
  void GetVMGOverGround(int TypeOfCourse, const TCartesian& WindOverGround,
                        const TCartesian& Currents, double AngleBoatWindOnWater, double AngleCourse,
                        const TPolars& Polars, double& VMG_STB, double& VMG_BBB) const;
  // Heading through the water at a point: A + the wind-on-water direction
  // there, brought into [0, 2 pi] by one turn at most.
  double GetAttackAngle(const TGridPoint& Point, double AngleBoatWindOnWater) const;
  // Stores that heading in SailingRight (Bug 1) when AngleCourseWind <= pi,
  // else in SailingLeft (Bug 2).
  void SetAttackAngle(TGridPoint& Point, double AngleCourseWind, double AngleBoatWindOnWater) const;

  // ------------------------------------------------------------ durations

  // Time step after a point, hours: TimeDefault while the point's best VMG
  // exceeds 0.5 kn, otherwise TimeDefault x ((0.5 - v) x 10 + 1), so slow
  // points take longer steps (6 x at v = 0, more for a negative v).
  // TimeDefault for a missing point.
  double GetTimeToNextLine(const TGridPoint* Point, double TimeDefault) const;
  // First estimate of the leg's duration without stream, hours (0 for a
  // zero boat speed); sets the leg's LowVMG when it exceeds the options'
  // MaxHoursToFinish.
  double GetTimeToFinishNoCurrents(int TypeOfCourse, TLegContext& Leg) const;
  // Hours per grid line for DefaultGridLines lines: the track's distance
  // over the mean of the best VMG at the start (now) and at the finish (after
  // the estimate above), each with the true wind; 0 for n < 1 or a zero mean.
  // Sets LowVMG when the whole leg would exceed the limit.
  double GetGridTimeDefault(int TypeOfCourse, int DefaultGridLines, TLegContext& Leg) const;
  // Hours to sail straight from a point to the finish at the polar's reach
  // speed for the wind on the water there; 0 for a zero speed.
  double GetSailingTimeToFinish(const TGridPoint& Point, const TLegContext& Leg) const;

  // ------------------------------------------------------ wind and water

  // Sets the point's InWater from the conditions.
  void GetInWater(TGridPoint& Point, const TLegContext& Leg) const;

  // ------------------------------------------------------------ results

  // Only while the leg is valid: CurrentsWind = direction (radians) of the
  // true wind vector + the track's StreamOnTrack; CurrentsWindShift = its
  // difference from the true wind, degrees in [-180, 180].
  void GetCurrentsWindShift(TLegContext& Leg) const;
};

}  // namespace corvane
