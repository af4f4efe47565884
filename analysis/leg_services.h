#pragma once
// The routing of one leg as the application sees it: the leg's start moment
// and its high-water text, what a routed leg (RouteLeg's answer) writes into
// the track and the state, and the flags that say whether the results are
// valid and shown. Also the two operations every other command uses to
// discard routing results or to keep them only while they fit the chosen
// time, and the line styles of the tracks.
//
// Nothing here shows a message: a failing leg leaves RoutingValid false and
// its text in AppMessage for the routing run to show.

#include "analysis/current_field.h"
#include "core/logging.h"
#include "routing/route_leg.h"
#include "routing/routing_data.h"
#include "state/application_state.h"

namespace corvane {

class TLegServices {
 public:
  // The tide model and stream field of the application; it must outlive
  // these services. The start-up fills it; the runs read it.
  explicit TLegServices(TPackageCurrents& packageCurrents) : PackageCurrents(packageCurrents) {}
  TLegServices(const TLegServices&) = delete;
  TLegServices& operator=(const TLegServices&) = delete;

  TPackageCurrents& PackageCurrents;  // not owned

  // Grid debugging: when DebugGrid is set, every beat or run applied by
  // ApplyLegRouting appends the lines of its dynamic grid to GridLog (one
  // line per grid line: its number, points, afloat points, best point and
  // its distance to the finish), after a header with the track's marks, type
  // and result; the run then asks RouteLeg for the grid's lines. Off by
  // default: a course of several legs writes thousands of lines.
  bool DebugGrid = false;
  TLogging GridLog;

  // Writes what routing found for a leg into the track (the state's track
  // IndexTrack) and the state, as the routing of a leg has always left them:
  //  - marks not navigable: "Error: Course marks in shallow waters!", the
  //    routing reset, nothing else;
  //  - a polar table that cannot sail the leg's type: TypeOfCourse and
  //    "Polars not valid beat!" (run, reach) in AppMessage; RoutingValid and
  //    the track's earlier results stay as they were, so the run goes on;
  //  - otherwise the track's results and finish times (from its start
  //    moment), the polar's lookups for the true wind after a beat or run,
  //    the beat's detection cone in ListDetection, and a warning or the
  //    failure's message in AppMessage (a failure sets RoutingValid false).
  // Afterwards DrawRouting is true for a silent leg and as GetDrawRouting
  // decides otherwise; an invalid leg resets the routing. Note that
  // GetDrawRouting judges the leg by the finish time it holds: a leg refused
  // by the polar check that was never routed before ends a run that is not
  // silent there, while one routed before keeps its old finish and the run
  // goes on. True when the leg was routed.
  bool ApplyLegRouting(bool SilentMode, const TLegRouting& Routed, TRoutingData& RoutingData,
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

  // Line styles by TrackType: 0 or 2, track 0 solid; 3 (course of
  // waypoints), the selected track solid in the default colours with its
  // laylines and the others solid black without; 1 (windward-leeward),
  // track 0 solid and track 1 dashed. Missing tracks are skipped.
  void SetRoutingLineStroke(TInterfaceApplicationMobile& InterfaceApplicationMobile);

 private:
  void LogGrid(const TLegRouting& Routed, const TRoutingData& RoutingData,
               const TInterfaceApplicationMobile& state);
};

}  // namespace corvane
