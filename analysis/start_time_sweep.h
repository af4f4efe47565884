#pragma once
// The best start time over a tide: the course routed for every start time of
// a window, leg after leg as it would be sailed, and the starts compared by
// the time the whole course takes.
//
// Each start is a routing run of its own (a job of the routing run, prepared
// for that moment: its stream, its wind, its high-water text), so the sweep
// gives for each start exactly what "Routing all" gives at that moment. The
// jobs are prepared one after the other on the thread that owns the state
// and routed on the cores, several starts at a time. The state's moment is
// put back afterwards and its routing results are reset, as after any
// change of the moment.

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/package_apps.h"
#include "analysis/package_controls.h"
#include "analysis/routing_run.h"
#include "core/types.h"
#include "state/application_state.h"

namespace corvane {

// The start times of a sweep: From, From + Step, ... up to To (included
// when it falls on a step), GMT.
struct TSweepRequest {
  TDateTime FromGMT = 0;
  TDateTime ToGMT = 0;
  int StepMinutes = 10;
};

// At most this many starts in one sweep.
inline constexpr int kSweepMaxStarts = 2000;

// Why a request cannot be swept; nothing when it can.
std::optional<std::string> CheckSweepRequest(const TSweepRequest& request);

struct TSweptLeg {
  int TypeOfCourse = 0;  // 1 beat, 2 reach, 3 run; 0 when never decided
  bool Routed = false;
  double Hours = 0;  // elapsed time of a routed leg
  // Why a leg was not routed: the routing's message, or that the leg before
  // could not be routed (so this one has no start).
  std::string Failure;
  TCartesian StreamOnTrack;  // knots, mean along the routed leg
};

struct TSweptStart {
  TDateTime StartGMT = 0;
  TDateTime StartLOC = 0;
  // Signed hours from the nearest high water at the reference port
  // (negative before it), and its text ("01:35 before HW at 14:20").
  double HoursToHighWater = 0;
  std::string HighWaterText;
  std::vector<TSweptLeg> Legs;
  // Every leg routed: the course's time, its finish and the mean stream on
  // its legs (weighted by their durations).
  bool Complete = false;
  double TotalHours = 0;
  TDateTime FinishLOC = 0;
  TCartesian MeanStream;
  double LossHours = 0;  // against the best start; 0 for the best
};

struct TSweep {
  std::vector<TSweptStart> Starts;
  int Best = -1;  // the complete start of the shortest course, earliest at a tie
  bool Stopped = false;  // the sweep was asked to stop before its end
  // The high and low waters at the reference port within the window (local
  // times), for plots.
  std::vector<TDateTime> HighWatersLOC;
  std::vector<TDateTime> LowWatersLOC;
  // The legs as "start to finish" texts of their marks.
  std::vector<std::string> LegNames;
};

// Listens to a sweep from any thread: how many starts are routed, and
// whether to stop (the starts routed so far are kept).
struct TSweepListener {
  std::function<void(int done, int total)> Progress;
  const std::atomic<bool>* Stop = nullptr;
};

// A sweep in its three parts, so that a window can route the starts away
// from its thread: PrepareSweep where the state lives (each start's job, its
// high-water text, the tides of the window; the state's moment put back and
// its routing reset), RouteSweep anywhere (reads only the prepared sweep and
// fills its starts), FinishSweep (the best start and the losses; the starts
// a stop left unrouted are dropped).
struct TPreparedSweep {
  std::vector<TRoutingJob> Jobs;
  TSweep Sweep;               // a start per job, its results still empty
  std::vector<char> Routed;   // per start: routed to its end
};

TPreparedSweep PrepareSweep(const TSweepRequest& request, TPackageApps& PackageApps,
                            TPackageControls& PackageControls, TInterfaceApplicationMobile& InterfaceApplicationMobile);
void RouteSweep(TPreparedSweep& prepared, const TSweepListener& listener = {});
TSweep FinishSweep(TPreparedSweep&& prepared, const TSweepListener& listener = {});

// The three in a row: sweeps the course of the state over the request's
// start times (check it first). The wind, boat, calibration, depth line and
// course are the state's; a start whose wind is below 6 knots is still
// routed, as printing routes.
TSweep SweepStartTimes(const TSweepRequest& request, TPackageApps& PackageApps, TPackageControls& PackageControls,
                       TInterfaceApplicationMobile& InterfaceApplicationMobile,
                       const TSweepListener& listener = {});

}  // namespace corvane
