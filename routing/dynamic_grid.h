#pragma once
// Routing of beats and runs on a dynamic grid, and the results read out of
// it.
//
// A beat or a run is sailed on two courses, one on each side of the wind,
// with tacks (or gybes) between them. The grid holds the positions
// reachable from the start: line L has L points, point 1 reached by sailing
// only to the left, point L only to the right, the points between by mixing
// both courses. Each point keeps the earliest time at which it is reached
// from either side, including the time lost in a tack. The grid grows line
// by line until it has passed its closest approach to the finish; the point
// nearest the finish on the line before becomes the arrival. The same
// stepping, reduced to the grid's two outer edges, decides whether a leg is
// a beat, a run or a reach.
//
// A failure never raises: it sets the leg's verdict (TLegContext). Each
// leg's routing has a grid of its own; the result steps read the grid that
// GetDynamicGrid built, in the order below.

#include <string>

#include "core/list_extended.h"
#include "core/type_names.h"
#include "routing/grid.h"
#include "routing/leg_context.h"
#include "routing/super_routing.h"

namespace corvane {

class TDynamicGrid : public TSuperRouting {
 public:
  TListCoords ListDetection;          // detection polygon of the last detection
  TListExtended ListTimeBestCourse;   // running totals of the best-course walk
  TGrid Grid;
  TTypes Types;
  // The closest-approach margin of the last grid line built (nautical
  // miles): the grid stops once the best distance grows while below it. The
  // arrival must lie within it (edge points) or within twice it, the margin
  // taken at least as one line's share of the track (TrackDistance / 60).
  double MinDistanceFinish = 0;

  // Fails the leg with "Error: Course marks in shallow waters!" when the
  // start or the finish mark is not navigable.
  void GetCourseInWater(TLegContext& Leg);
  // Whether the finish lies inside the cone that the two courses of a beat
  // (1) or run (3) sweep from the start, followed on each side until it has
  // covered 2.5 times the track's distance (at most 180 steps), with the
  // stream and the true wind. Sets LowVMG (through the time estimate); for a
  // beat the cone is also copied to the leg's Detection. Reports "Detecting
  // course type" every 18 steps.
  bool GetFinishInLaylines(int TypeOfCourse, TLegContext& Leg);
  // Builds the grid of a beat (1) or run (3) and chooses the arrival; sets
  // the track's LayLinesValid and TimeBestCourse. Failures: "Error: Grid
  // exceeds limits!" (line 120 reached), "Error: Routing across shallow
  // waters!" (a line with no afloat point, or an arrival on the edge of the
  // afloat stretch away from the finish), "Error: Mark not reached!"
  // (an arrival farther from the finish than twice the closest-approach
  // margin, see MinDistanceFinish), "Routing cancelled" (the progress
  // listener asked to stop). A grid that fails while it is built is not
  // judged again at its arrival, so its message names the cause.
  void GetDynamicGrid(int TypeOfCourse, TLegContext& Leg);

  // ---- results (best_course.cpp), in calling order; each does nothing
  // when the leg is no longer valid on entry.

  // Best course from the finish over the arrival back to the start, its
  // boats (with tack flags, headings, attack angles and times), duration,
  // finish times, mean and least VMG and mean stream. A mean VMG below
  // 2 kn warns "Low VMG - routing might fail!", below 0.5 kn fails with
  // "Low VMG!".
  void GetRoutingBestLine(int TypeOfCourse, TLegContext& Leg);
  // The route that sails the grid's left edge first and tacks once into the
  // arrival, and the time it loses against the best course (0 below 4 s);
  // stored in TimeLaylineLeft on a beat and TimeLaylineRight on a run.
  void GetRoutingLaylineLeft(TLegContext& Leg);
  // The mirror image along the right edge (loss in TimeLaylineRight on a
  // beat, TimeLaylineLeft on a run).
  void GetRoutingLaylineRight(TLegContext& Leg);
  // The two corners of the layline diamond without stream, from the true
  // wind and the polar's beat (1) or gybe (3) angle.
  void GetLaylinesNoCurrents(int TypeOfCourse, TLegContext& Leg);
  // On a beat: the last tack before the windward mark (the first tacking
  // boat from the arrival end) and the course from there to the mark; left
  // as it was when no boat tacks.
  void GetTopMarkApproach(TLegContext& Leg);

  // Arrival time of a point reached from its left predecessor v after t
  // hours sailing to the right, q the tack time (hours): when v was reached
  // from both sides the boat tacks at v if v's time from the left is at
  // least its time from the right + q (equality tacks); a v reached only
  // from the right always means a tack. Sets TimeFromLeft and
  // FromLeftWithTack.
  void ArriveFromLeft(const TGridPoint& v, double t, double q, TGridPoint& point) const;
  // The mirror image: TimeFromRight and FromRightWithTack.
  void ArriveFromRight(const TGridPoint& v, double t, double q, TGridPoint& point) const;

 private:
  // Whether `point` lies ahead of `from` on `course` (over ground, radians)
  // rather than behind it.
  bool LiesAhead(const TBogen& from, const TPolar& course, const TBogen& point) const;
  // Fills a point reached from one predecessor: boat vector over ground for
  // the signed angle, scaled by the time step, gives its position.
  void StepFrom(int TypeOfCourse, const TGridPoint& before, double sign, double timeStep,
                const TLegContext& Leg, TGridPoint& point, TPolar& displacement) const;
  // Stream, wind, boat angle, headings, VMG, water test and distance to the
  // finish of a newly placed point.
  void CompletePoint(int TypeOfCourse, bool fromLeft, bool fromRight, const TLegContext& Leg,
                     TGridPoint& point) const;
  // Walks a layline back from the arrival; preferLeft chooses the left walk.
  double LaylineTime(bool preferLeft, TListCoords& layline, const TLegContext& Leg);
};

}  // namespace corvane
