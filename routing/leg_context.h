#pragma once
// Everything the routing of one leg works with and on: the leg and its
// results, the polar table, the conditions with the stream of the leg's area,
// and the leg's verdict so far. One exists per RouteLeg call; the grids read
// it and write the leg's results and verdict into it.
//
// The verdict follows one rule throughout: a failing step sets Valid false
// and its message; a later failure replaces the message; a step that finds
// Valid false on entry does nothing. A warning sets the message and leaves
// Valid as it is.

#include <string>

#include "core/math_tools.h"
#include "polars/polars.h"
#include "routing/route_leg.h"
#include "routing/routing_conditions.h"
#include "routing/routing_data.h"
#include "routing/routing_progress.h"

namespace corvane {

class TLegContext {
 public:
  TLegContext(const TRoutingData& leg, double startHours, const TPolars& polars,
              const TRoutingConditions& conditions, const TRoutingOptions& options,
              TRoutingProgress* progress);

  // Declared first: the members below are built with it.
  TMathTools MathTools;
  TRoutingData Track;  // the leg; the grids write its results here
  TPolars Polars;      // the class's table; GetPolarData fills its lookups
  const TRoutingConditions& Conditions;
  const TRoutingOptions& Options;
  TStreamField Stream;  // the stream of the area the leg currently routes in
  const double StartHours;
  TCartesian TrueWindVector;  // PolarToCartesian(Conditions.TrueWind)

  bool Valid = true;
  std::string Message;
  TRoutingFailure FailureKind = TRoutingFailure::Failed;
  bool LowVMG = false;  // the last estimate of the leg's duration exceeds the limit
  bool FinishTimed = false;  // the best course set the track's finish times
  TListCoords Detection;

  void Fail(TRoutingFailure kind, const std::string& message) {
    Valid = false;
    FailureKind = kind;
    Message = message;
  }

  // Stream and wind at a position and elapsed time of the leg (hours since
  // its start), and whether a position is navigable.
  TCartesian StreamAt(const TMinutes& position, double elapsed) const;
  TCartesian StreamAt(const TBogen& position, double elapsed) const;
  TCartesian WindAt(const TBogen& position, double elapsed) const;
  bool Navigable(const TMinutes& position) const;

  // The leg's bar: Step grows it by step unless that would pass its end,
  // Fill sets it, FillToEnd fills it; each reports when there is a listener.
  void Step(const std::string& text, float step);
  void Fill(const std::string& text, float value);
  void FillToEnd(const std::string& text) { Fill(text, kLegProgressEnd); }
  bool StopRequested() const { return progress_ != nullptr && progress_->StopRequested(); }
  bool Reporting() const { return progress_ != nullptr; }

 private:
  TRoutingProgress* progress_;  // not owned; may be null
  float progressValue_ = 0;
};

}  // namespace corvane
