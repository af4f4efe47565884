#include "routing/route_leg.h"

#include <cmath>

#include "routing/leg_context.h"
#include "routing/package_routing.h"
#include "routing/routing_area.h"

namespace corvane {

namespace {

const char* const kStepCourseType = "Detecting course type";
const char* const kStepStripesReach = "Building stripes reach";
const char* const kStepResults = "Processing results";
const char* const kPolarsNotValidBeat = "Polars not valid beat!";
const char* const kPolarsNotValidRun = "Polars not valid run!";
const char* const kPolarsNotValidReach = "Polars not valid reach!";

void TraceGrid(TGrid& grid, TLegRouting& result) {
  result.GridHoursPerLine = grid.TimeDefault;
  result.GridBestLine = grid.BestLine;
  result.GridBestIndex = grid.BestIndex;
  for (int line = 1; line <= grid.Count(); ++line) {
    const TGridLine& gridLine = *grid.GetLine(line);
    TGridLineTrace& trace = result.GridTrace.emplace_back();
    trace.Points = gridLine.Count();
    for (const TGridPoint& point : gridLine.Points) trace.Afloat += point.InWater ? 1 : 0;
    trace.BestIndex = gridLine.BestIndex;
    trace.BestDistance = gridLine.BestDistance;
  }
}

}  // namespace

TLegRouting RouteLeg(const TRoutingData& leg, double startHours, const TPolars& polars,
                     const TRoutingConditions& conditions, const TRoutingOptions& options,
                     TRoutingProgress* progress) {
  // The leg type, the fans and the laylines compare the wind's direction with
  // courses within one turn; a direction of several turns (or below zero)
  // would turn those tests over, so it is reduced once here.
  const double direction = TMathTools().ReduceRad(conditions.TrueWind.Winkel);
  if (direction != conditions.TrueWind.Winkel && !std::isnan(direction)) {
    TRoutingConditions reduced = conditions;
    reduced.TrueWind.Winkel = direction;
    return RouteLeg(leg, startHours, polars, reduced, options, progress);
  }
  TLegContext context(leg, startHours, polars, conditions, options, progress);
  TLegRouting result;
  TPackageRouting routing;
  const TPackagePolars& lookups = routing.DynamicGrid.PackagePolars;
  context.Stream = conditions.StreamFor(GetRoutingHexagon(routing.DynamicGrid.MathTools, context.Track));

  routing.GetCourseInWater(context);
  if (context.Valid) {
    context.Step(kStepCourseType, 1);
    routing.GetTypeOfCourse(context);
    result.Detection = context.Detection;
    context.Fill(kStepCourseType, kLegProgressAfterCourseType);

    const int type = context.Track.TypeOfCourse;
    if (type == kCourseBeat || type == kCourseRun) {
      const bool beat = type == kCourseBeat;
      if (beat ? lookups.GetValidBeat(context.Polars) : lookups.GetValidRun(context.Polars)) {
        // The table's lookups for the true wind, also for a leg refused for
        // its estimate: they describe the wind, not the routing.
        lookups.GetPolarData(conditions.TrueWind, context.Polars);
        routing.GetDynamicGridRouting(type, context);
        result.PolarsForWind = context.Polars;
        if (options.TraceGrid) TraceGrid(routing.DynamicGrid.Grid, result);
      } else {
        context.Fail(TRoutingFailure::PolarsNotValid, beat ? kPolarsNotValidBeat : kPolarsNotValidRun);
      }
    } else if (lookups.GetValidReach(context.Polars)) {
      context.Step(kStepStripesReach, 1);
      routing.GetStripesReach(context);
      routing.GetIsochronicGridRouting(context);
    } else {
      context.Fail(TRoutingFailure::PolarsNotValid, kPolarsNotValidReach);
    }
    context.FillToEnd(kStepResults);
  }

  result.Track = std::move(context.Track);
  result.FinishTimed = context.FinishTimed;
  if (!context.Valid) {
    result.Error = TRoutingError{context.FailureKind, context.Message};
  } else {
    result.Warning = context.Message;
  }
  return result;
}

}  // namespace corvane
