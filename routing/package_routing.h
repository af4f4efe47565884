#pragma once
// The small facade over the two routing grids that RouteLeg uses: the mark
// check, the leg-type decision, a beat or run on the dynamic grid with all its
// results, and a reach on isochrones inside its corridor. Each operation works
// on one leg's context; a facade serves one leg at a time.

#include "routing/dynamic_grid.h"
#include "routing/isochronic_grid.h"
#include "routing/leg_context.h"

namespace corvane {

// Stripes of a reach corridor.
inline constexpr int kCountStripes = 41;

class TPackageRouting {
 public:
  TDynamicGrid DynamicGrid;
  TIsochronicGrid IsochronicGrid;

  // Fails the leg with "Error: Course marks in shallow waters!" when a mark
  // of the track is not navigable.
  void GetCourseInWater(TLegContext& Leg);
  // TypeOfCourse: 1 (beat) when the beat cone from the start holds the
  // finish, else 3 (run) when the run cone does, else 2 (reach). Leaves
  // LowVMG as the last cone's time estimate set it.
  void GetTypeOfCourse(TLegContext& Leg);
  // A beat (1) or run (3): refused with "Error: Low VMG!" when LowVMG is
  // set; otherwise the grid, the best course, both laylines, the corners
  // without stream, the stream's wind shift and the top-mark approach.
  void GetDynamicGridRouting(int TypeOfCourse, TLegContext& Leg);
  // The reach corridor of 41 stripes; its edges go to the track's layline
  // lists, and the leg reads the stream of the corridor from now on.
  void GetStripesReach(TLegContext& Leg);
  // A reach: hours per line (sets LowVMG), refused with "Error: Low VMG!"
  // when set; otherwise the isochrones, the best course and the stream's
  // wind shift.
  void GetIsochronicGridRouting(TLegContext& Leg);
};

}  // namespace corvane
