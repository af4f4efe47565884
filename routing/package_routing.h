#pragma once
// The small facade over the two routing grids that the routing of a leg
// uses: the mark check, the leg-type decision, a beat or run on the dynamic
// grid with all its results, and a reach on isochrones inside its corridor.
// Also the reset that every command uses to discard routing results.
//
// The per-leg orchestration around it (start times, preparing the stream
// atlas and the tiles for the leg's area, polar validity, whether the
// results are shown) belongs to the application services.

#include "routing/dynamic_grid.h"
#include "routing/isochronic_grid.h"
#include "routing/routing_data.h"
#include "routing/routing_sinks.h"
#include "state/application_state.h"

namespace corvane {

// Stripes of a reach corridor.
inline constexpr int kCountStripes = 41;

class TPackageRouting {
 public:
  TDynamicGrid DynamicGrid;
  TIsochronicGrid IsochronicGrid;

  // Every track's RoutingEnabled, RoutingValid and DrawRouting become
  // false; the result lists stay for the next routing to replace.
  void Reset(TInterfaceApplicationMobile& InterfaceApplicationMobile) const;
  // Hands the progress sink to both grids (nullptr for none).
  void HandleFormControls(TProgressSink* progressSink);
  // Fails the run with "Error: Course marks in shallow waters!" when a mark
  // of the track is not navigable.
  void GetCourseInWater(const TRoutingData& RoutingData,
                        TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // TypeOfCourse: 1 (beat) when the beat cone from the start holds the
  // finish, else 3 (run) when the run cone does, else 2 (reach). Leaves
  // LowVMG as the last cone's time estimate set it.
  void GetTypeOfCourse(bool SilentMode, TRoutingData& RoutingData,
                       TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // A beat (1) or run (3): refused with "Error: Low VMG!" when LowVMG is
  // set; otherwise the grid, the best course, both laylines, the corners
  // without stream, the stream's wind shift and the top-mark approach.
  void GetDynamicGridRouting(bool SilentMode, int TypeOfCourse, TRoutingData& RoutingData,
                             TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // The reach corridor of 41 stripes; its edges go to the track's layline
  // lists and its outline to the run's stream atlas (CubeLoRes with a GRIB
  // current, else CubeHiRes) as routing area.
  void GetStripesReach(TRoutingData& RoutingData,
                       TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // A reach: hours per line (sets LowVMG), refused with "Error: Low VMG!"
  // when set; otherwise the isochrones, the best course and the stream's
  // wind shift. TypeOfCourse is that of a reach (2) and not read.
  void GetIsochronicGridRouting(bool SilentMode, int TypeOfCourse, TRoutingData& RoutingData,
                                TInterfaceApplicationMobile& InterfaceApplicationMobile);
};

}  // namespace corvane
