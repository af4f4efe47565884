#pragma once
// The routing run behind "Routing track", "Routing all" and printing: the
// field and the wind of the chosen moment, the wind-speed check, every leg
// of the course prepared and routed in order (each leg starting when the
// previous one finishes), the message of each leg, and the results and the
// chart refreshed. It links no toolkit: the window's parts of the run come
// through TRoutingRunWindow, messages through the controls' message sink,
// progress through the progress services.
//
// The gate. The window's controller calls GetRoutingNew only while its
// EnableEvents gate is open (or for a silent run); the run itself does not
// look at the gate and does not close it. Instead it disables the panels
// (SetControlsRouting(false)) for the length of a run that is not silent,
// so that the events it lets run cannot start another computation.

#include "app/services/package_apps.h"
#include "app/services/package_controls.h"
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
  // Lets the window process pending events.
  virtual void ProcessMessages() {}
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

  // Every leg tried was routed and none failed.
  bool AllRouted() const { return Started && RoutingValid && LegsRouted == LegsTried && LegsTried > 0; }
};

// Routes the selected track (SingleTrack, "Routing track") or every track
// from the first ("Routing all"). In order:
//  1. the run's cube C (CubeLoRes with a GRIB current, else CubeHiRes); with
//     a GRIB current its routing area is saved and put back after each leg;
//  2. the drawn field of the chosen moment (GetTidalCurrents(1)), the GRIB
//     wind of the moment and a windward-leeward course turned into it; the
//     routing reset; the line styles; the chart drawn off screen;
//  3. unless silent: a true wind below 6 knots shows "Low wind speed"
//     (Information) and ends the run; otherwise the results tab, the panels
//     disabled, the results filled and the chart repainted;
//  4. AppMessage cleared (once) and RoutingValid set; for each track while
//     RoutingValid holds: IndexTrack, RoutingEnabled, its start moment and
//     high-water text; the routing hexagon and the coast tiles under it
//     flagged; unless silent, "Course ashore - routing might fail!" (Plain)
//     when the straight track meets a coast line (the run goes on); the
//     progress bar started; the cube's routing index and the routing field;
//     GetRouting; the line styles, the chart drawn and repainted, the bar
//     stopped, pending events; unless silent, a non-empty AppMessage shown
//     (Plain) — since it is cleared only before the first track, a message
//     of an earlier leg is shown again after each later leg unless a later
//     step replaces it — and the results filled;
//  5. a windward-leeward course (TrackType 1) selects track 0 again;
//  6. unless silent: the results filled, the panels enabled, the time steps.
//
// The tiles of the track's own area are flagged before the course-ashore
// check, so that the check sees the track's coast lines also on the first
// run after start-up (flags are only ever set, so this widens what later
// legs see by nothing they would not flag themselves).
//
// SilentMode suppresses every message, progress report and panel update
// and routes at any wind speed; printing uses it. Messages go to
// PackageControls.Messages and progress to the sink given to
// PackageApps.SetupProgressBar; either may be absent. Window may be nullptr.
TRoutingRunResult GetRoutingNew(bool SilentMode, bool SingleTrack, TPackageApps& PackageApps,
                                TPackageControls& PackageControls,
                                TInterfaceApplicationMobile& InterfaceApplicationMobile,
                                TRoutingRunWindow* Window = nullptr);

}  // namespace corvane
