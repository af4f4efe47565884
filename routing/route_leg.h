#pragma once
// The routing of one leg as a function: a leg, the boat's polar table, the
// conditions and the options in; the routed leg or the reason it could not be
// routed out. Nothing outside its arguments is read or written, so legs (and
// runs for other moments) may route at the same time on other threads, each
// with its own call.
//
// In order: both marks must be navigable; the leg type is decided from the
// cones of the two courses sailable from the start (beat, else run, else
// reach); the polar table must be able to sail that type; a beat or run is
// routed on the dynamic grid with its laylines and top-mark approach, a reach
// on isochrones inside a corridor of 41 stripes. A beat or run reads the
// stream of the hexagon around the leg, a reach that of its corridor.

#include <optional>
#include <string>
#include <vector>

#include "polars/polars.h"
#include "routing/routing_conditions.h"
#include "routing/routing_data.h"
#include "routing/routing_progress.h"

namespace corvane {

enum class TLegType { Beat = 1, Reach = 2, Run = 3 };

// Why a leg was not routed. Each carries the message the user reads.
enum class TRoutingFailure {
  MarksAshore,      // "Error: Course marks in shallow waters!"
  PolarsNotValid,   // "Polars not valid beat!" (run!, reach!)
  LowVMGEstimate,   // "Error: Low VMG!": the leg would take longer than the limit
  GridLimits,       // "Error: Grid exceeds limits!"
  Shallows,         // "Error: Routing across shallow waters!"
  MarkNotReached,   // "Error: Mark not reached!"
  LowVMG,           // "Low VMG!": the routed course makes good below 0.5 kn
  Failed,           // "Routing failed": the isochrones do not reach the mark
  Cancelled,        // "Routing cancelled"
};

inline constexpr const char* kMessageRoutingCancelled = "Routing cancelled";

struct TRoutingError {
  TRoutingFailure Kind = TRoutingFailure::Failed;
  std::string Message;
};

struct TRoutingOptions {
  // A leg whose first estimate exceeds this many hours is refused.
  double MaxHoursToFinish = 5;
  // Keep one summary line per line of the dynamic grid (GridTrace).
  bool TraceGrid = false;
};

// One line of the dynamic grid, for a debugging log.
struct TGridLineTrace {
  int Points = 0;
  int Afloat = 0;
  int BestIndex = 0;
  double BestDistance = 0;  // nautical miles to the finish
};

struct TLegRouting {
  // The leg with what routing found: TypeOfCourse (once decided),
  // TimeBestCourse and whatever the steps before a failure computed; on
  // success every result of the routing record.
  TRoutingData Track;
  // The best course was walked: the track's finish times follow from its
  // start moment and TimeBestCourse.
  bool FinishTimed = false;
  std::optional<TRoutingError> Error;
  // A routed leg's warning ("Low VMG - routing might fail!"), empty when none.
  std::string Warning;
  // The polar table with its lookups for the true wind (BeatSpeed, BeatAngle,
  // RunSpeed, GybeAngle, BeatTackTime) when a beat or run was routed.
  std::optional<TPolars> PolarsForWind;
  // The cone of the beat detection (from the start along the left edge and
  // back along the right edge, closed).
  TListCoords Detection;
  // The dynamic grid's lines when asked for (TRoutingOptions::TraceGrid).
  double GridHoursPerLine = 0;
  int GridBestLine = 0;
  int GridBestIndex = 0;
  std::vector<TGridLineTrace> GridTrace;

  bool Routed() const { return !Error.has_value(); }
  TLegType Type() const { return static_cast<TLegType>(Track.TypeOfCourse); }
};

// Routes `leg` (its marks and the geometry SetRoutingDataByMarks derives),
// starting `startHours` after the conditions' moment. Progress goes to
// `progress` when given. The results of `leg` are not read.
TLegRouting RouteLeg(const TRoutingData& leg, double startHours, const TPolars& polars,
                     const TRoutingConditions& conditions, const TRoutingOptions& options,
                     TRoutingProgress* progress = nullptr);

}  // namespace corvane
