#pragma once
// The routing run behind "Routing track", "Routing all" and printing: the
// field and the wind of the chosen moment, the wind-speed check, every leg
// of the course routed, the message of each leg, and the results and the
// chart refreshed. It links no toolkit: the window's parts of the run come
// through TRoutingRunWindow, messages through the controls' message sink.
//
// A run has three parts, so that a window can route on a worker thread and
// keep painting:
//  1. PrepareRouting, on the thread that owns the state: the drawn field of
//     the moment, the wind, the wind-speed check, and a job that holds
//     copies of everything the legs need (the conditions of the run, the
//     legs, the polar table);
//  2. RouteJob, on any thread: the legs routed, in parallel on the cores;
//     it reads nothing but the job;
//  3. ApplyRouting, on the owner's thread again: the results written into
//     the tracks leg after leg, each leg's message shown, the chart and the
//     results refreshed.
// GetRoutingNew runs the three in a row.
//
// The gate. The window's controller calls a run only while its EnableEvents
// gate is open (or for a silent run); the run itself does not look at the
// gate and does not close it. Instead it disables the panels
// (SetControlsRouting(false)) from PrepareRouting to the end of ApplyRouting
// for a run that is not silent, so that nothing starts another computation
// while the job is away.

#include <memory>
#include <string>
#include <vector>

#include "analysis/package_apps.h"
#include "analysis/package_controls.h"
#include "routing/route_leg.h"
#include "routing/routing_conditions.h"
#include "routing/routing_progress.h"
#include "state/application_state.h"

namespace corvane {

// A run that is not silent refuses a true wind below this speed, knots.
inline constexpr double kRoutingMinWindSpeed = 6;

inline constexpr const char* kMessageLowWindSpeed = "Low wind speed";
inline constexpr const char* kMessageCourseAshore = "Course ashore - routing might fail!";

// The window's parts of a run. Every operation is optional: the defaults do
// nothing, so the command-line program passes none and the window overrides
// what it has.
class TRoutingRunWindow {
 public:
  virtual ~TRoutingRunWindow() = default;
  // The options tab control shows its results tab.
  virtual void ShowResultsTab() {}
  // Enables or disables the panels for the length of the run.
  virtual void SetControlsRouting(bool /*Enabled*/) {}
  // Fills the results list from the selected track (see results_rows.h).
  virtual void SetDataResults() {}
  // Draws the chart off screen from the state (no repaint).
  virtual void DrawOffScreen() {}
  // Repaints the chart image from the off-screen chart.
  virtual void RepaintMap() {}
  // The time-step fields after a run.
  virtual void SetTimeSteps() {}
};

// What a run came to.
struct TRoutingRunResult {
  // False when the run was refused for a true wind below 6 knots ("Low wind
  // speed"): nothing was routed and the state's results are reset.
  bool Started = false;
  // Legs the run tried and legs routed (a leg whose polar check failed is
  // tried but not routed; a failing leg ends the run).
  int LegsTried = 0;
  int LegsRouted = 0;
  // The state's RoutingValid at the end: no leg failed.
  bool RoutingValid = false;
  // The run was stopped before its legs were routed.
  bool Cancelled = false;

  // Every leg tried was routed and none failed.
  bool AllRouted() const { return Started && RoutingValid && LegsRouted == LegsTried && LegsTried > 0; }
};

// Everything the legs of a run need, copied out of the state.
struct TRoutingJob {
  bool Started = false;
  bool SilentMode = false;
  bool SingleTrack = false;
  TDateTime MomentGMT = 0;  // the chosen moment: the first leg's start
  int FirstTrack = 0;
  int LastTrack = -1;
  TRoutingConditions Conditions;
  std::vector<TRoutingData> Legs;  // tracks FirstTrack ... LastTrack
  TPolars Polars;
  TRoutingOptions Options;
};

// The legs of a job as routed, in order.
struct TRoutedCourse {
  std::vector<TLegRouting> Legs;
};

// Step 1 of a run. In order: the drawn field of the chosen moment
// (GetTidalCurrents(1)), the GRIB wind of the moment and a windward-leeward
// course turned into it; the routing reset; the line styles; the chart drawn
// off screen; unless silent, a true wind below 6 knots shows "Low wind
// speed" (Information) and gives a job that is not Started; otherwise,
// unless silent, the results tab, the panels disabled, the results filled
// and the chart repainted; then the job for the selected track
// (SingleTrack, "Routing track") or every track from the first ("Routing
// all"). SilentMode suppresses every message and panel update and routes at
// any wind speed; printing uses it. Window may be nullptr.
// DrawBeforeRun false leaves out both drawings of the chart before the run
// (a run that follows a change at once: the chart of the results comes
// within moments).
TRoutingJob PrepareRouting(bool SilentMode, bool SingleTrack, TPackageApps& PackageApps,
                           TPackageControls& PackageControls,
                           TInterfaceApplicationMobile& InterfaceApplicationMobile,
                           TRoutingRunWindow* Window = nullptr, bool DrawBeforeRun = true);

// Step 2 of a run. Routes the legs of the job one after the other, each from the
// moment the previous one finishes, as a course is sailed: the first leg
// (and a track routed alone) at the job's moment, a later leg at the finish
// of the leg before (the finish that leg held before the run when it could
// not be routed for its polar table). A leg that fails ends the course: no
// later leg has a start. Progress of the course (on the leg scale 0 ...
// kLegProgressEnd) goes to `progress`; it may ask the run to stop. Reads
// nothing but the job, so it may run on any thread, and jobs for other
// moments at the same time.
TRoutedCourse RouteJob(const TRoutingJob& Job, TRoutingProgress* Progress = nullptr);

// Step 3 of a run. AppMessage cleared (once) and RoutingValid set; for each leg while
// RoutingValid holds: IndexTrack, RoutingEnabled, its start moment (the
// previous leg's finish) and high-water text; the leg's results
// (ApplyLegRouting) and the line styles. A windward-leeward course (TrackType
// 1) then selects track 0 again. The chart is drawn once, with the whole
// course; unless silent it is repainted, and then come the messages, in the
// order of the legs: "Course ashore - routing might fail!" for a leg whose
// straight track meets a coast line (its leg is routed all the same), and
// after each leg a non-empty AppMessage — since it is cleared only before
// the first leg, a message of an earlier leg comes again after each later
// leg unless a later step replaces it; a cancelled leg says nothing. Unless
// silent, the results are filled, the panels enabled and the time steps set.
TRoutingRunResult ApplyRouting(const TRoutingJob& Job, const TRoutedCourse& Routed,
                               TPackageApps& PackageApps, TPackageControls& PackageControls,
                               TInterfaceApplicationMobile& InterfaceApplicationMobile,
                               TRoutingRunWindow* Window = nullptr);

// What a run is prepared from, as a text: the moment, the wind (and
// whether a GRIB wind is loaded), the calibration, the depth line, the boat
// and its polar table, and the course with its marks. Two states with equal
// texts give equal runs, so a front end that lets the user go on while a run
// is away can tell whether its results still fit.
std::string RoutingInputsKey(const TInterfaceApplicationMobile& InterfaceApplicationMobile);

// The three parts in a row, on the calling thread (the legs on the cores).
TRoutingRunResult GetRoutingNew(bool SilentMode, bool SingleTrack, TPackageApps& PackageApps,
                                TPackageControls& PackageControls,
                                TInterfaceApplicationMobile& InterfaceApplicationMobile,
                                TRoutingRunWindow* Window = nullptr);

}  // namespace corvane
