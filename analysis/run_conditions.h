#pragma once
// The conditions of a routing run, built once from the application state when
// the run is asked for: the tidal stream of the chosen moment (the atlas
// unpacked for the day's range and the user's speed correction, read at the
// moment shifted by the user's time correction), the wind (the loaded GRIB
// wind where and when it covers a query, otherwise the chosen true wind) and
// the chart's water for the chosen depth line. The result shares nothing
// that the state may change afterwards, so the run may go on while the user
// moves on, on any thread.

#include "analysis/current_field.h"
#include "routing/routing_conditions.h"
#include "state/application_state.h"

namespace corvane {

// The stream is still water when HideCurrent is set, when the tide table
// does not hold the days around the moment, and where the atlas has no
// cube; a loaded GRIB current replaces the atlas and is read through its
// fields in time order. The simulator application type reads the routing
// cube's fields as they stand, through the cube's own chart window, and
// sails everywhere.
TRoutingConditions BuildRoutingConditions(const TInterfaceApplicationMobile& state,
                                          TPackageCurrents& currents);

}  // namespace corvane
