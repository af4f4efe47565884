#pragma once
// The routing of one leg as the application sees it: the leg's start moment
// and its high-water text, the stream atlas and the coast tiles prepared for
// the leg's area, the polar checks, the leg type with the matching grid, and
// the flags that say whether the results are valid and shown. Also the two
// operations every other command uses to discard routing results or to keep
// them only while they fit the chosen time, and the line styles of the
// tracks.
//
// Progress of a leg goes to the progress sink handed to the routing package
// (PackageRouting.HandleFormControls); a silent leg reports none. Nothing
// here shows a message: a failing step leaves RoutingValid false and its
// text in AppMessage for the routing run to show.

#include "core/logging.h"
#include "routing/package_routing.h"
#include "routing/routing_data.h"
#include "state/application_state.h"
#include "tides/current_field.h"

namespace corvane {

// Progress value after the leg-type step: 2 K + 5 with K = 5 grid-line
// divisions.
inline constexpr float kProgressAfterCourseType = 15;

class TLegServices {
 public:
  // The tide model and stream field of the application; it must outlive
  // these services. The start-up fills it; the legs read and update its
  // routing field.
  explicit TLegServices(TPackageCurrents& packageCurrents) : PackageCurrents(packageCurrents) {}
  TLegServices(const TLegServices&) = delete;
  TLegServices& operator=(const TLegServices&) = delete;

  TPackageRouting PackageRouting;
  TPackageCurrents& PackageCurrents;  // not owned

  // Grid debugging: when DebugGrid is set, every beat or run routed by
  // GetRouting appends the lines of its dynamic grid to GridLog (one line
  // per grid line: its number, points, afloat points, best point and its
  // distance to the finish), after a header with the track's marks, type and
  // result. Off by default: a course of several legs writes thousands of
  // lines.
  bool DebugGrid = false;
  TLogging GridLog;

  // Routes one leg, RoutingData being the state's track IndexTrack, whose
  // area the caller has prepared (SetTilesOnTrack, the cube's routing
  // index, GetRoutingCurrents). In order: the marks must be navigable (else
  // "Error: Course marks in shallow waters!", the routing reset and no
  // further step); the leg type (1 beat, 3 run, else 2 reach); a beat or run on the
  // dynamic grid, a reach on isochrones inside its 41-stripe corridor (the
  // stream field is then prepared again for the corridor). A polar table
  // that cannot sail the leg's type leaves "Polars not valid beat!" (run,
  // reach) in AppMessage, RoutingValid true and the track's earlier results
  // as they were, so the run goes on with the next leg. Afterwards
  // DrawRouting is true for a silent leg and as GetDrawRouting decides
  // otherwise; an invalid leg resets the routing. Note that GetDrawRouting
  // judges the leg by the finish time it holds: a leg refused by the polar
  // check that was never routed before ends a run that is not silent there,
  // while one routed before keeps its old finish and the run goes on. True
  // when the leg was
  // routed: its grid ran and RoutingValid still holds.
  bool GetRouting(bool SilentMode, TRoutingData& RoutingData,
                  TInterfaceApplicationMobile& InterfaceApplicationMobile);

  // The leg's start moment: the chosen moment (DateTimeGMT and DateTimeLOC)
  // for the first track and for any track when SingleTrack is set,
  // otherwise the previous track's finish, so that a course is sailed leg
  // after leg. An index outside the track list does nothing.
  void SetTrackStartTime(int IndexTrack, bool SingleTrack,
                         TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // The track's HoursToRefTideText for its start moment ("01:35 before HW
  // at 14:20"; empty when the tide table holds no high water around it).
  void SetHoursToRefTideText(TRoutingData& RoutingData,
                             TInterfaceApplicationMobile& InterfaceApplicationMobile);

  // Whether the chart shows the routing results at the chosen time. With
  // DrawBoatsOnTrack: while RoutingValid and the chosen moment lies within
  // the routed legs (from the start of the first enabled track to the finish
  // of the last, both ends included). Without it: only at exactly the start
  // of track 0, when track 0 was routed and RoutingValid. When not shown,
  // the routing is reset.
  void GetDrawRouting(TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // Discards the routing: every track's RoutingEnabled, RoutingValid and
  // DrawRouting false; the result lists stay for the next routing.
  void ResetRouting(TInterfaceApplicationMobile& InterfaceApplicationMobile);

  // Flags for routing every coast tile that the routing area of the run's
  // cube (CubeLoRes with a GRIB current, else CubeHiRes) touches: the
  // rectangle of tile columns and rows spanned by the tiles that hold one of
  // the area's vertices (0.001' tolerance), widened to the chart's first or
  // last column or row for a vertex beyond the chart frame (SeaMap). Flags
  // are only ever set, never cleared. The land tests of routing look only at
  // flagged tiles, so a leg whose tiles are not flagged finds no navigable
  // grid point.
  void SetTilesOnRoutingArea(TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // The routing hexagon of a track on the run's cube and the tiles under it
  // flagged (SetTilesOnRoutingArea). Run before the course-ashore check of a
  // track, so that the check sees the track's own coast lines also on the
  // first run after start-up.
  void SetTilesOnTrack(const TRoutingData& RoutingData,
                       TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // The routing stream field (GetTidalCurrents(3)) for the cube's current
  // routing index; nothing for the simulator application type.
  void GetRoutingCurrents(TInterfaceApplicationMobile& InterfaceApplicationMobile);

  // Line styles by TrackType: 0 or 2, track 0 solid; 3 (course of
  // waypoints), the selected track solid in the default colours with its
  // laylines and the others solid black without; 1 (windward-leeward),
  // track 0 solid and track 1 dashed. Missing tracks are skipped.
  void SetRoutingLineStroke(TInterfaceApplicationMobile& InterfaceApplicationMobile);

  // The run's stream cube: CubeLoRes when a GRIB current is loaded, else
  // CubeHiRes.
  static TListVektorCubeLight& RoutingCube(TInterfaceApplicationMobile& InterfaceApplicationMobile);

 private:
  void LogGrid(const TRoutingData& RoutingData, const TInterfaceApplicationMobile& state);
};

}  // namespace corvane
