#pragma once
// The rows of the results table of one track, as the window's results list
// shows them after a routing run and the command-line program prints them:
// header rows with a text, item rows with a label and a value. Two layouts,
// by TrackType: a course of waypoints (3, twenty rows) and a
// windward-leeward course (1, fifteen rows); no rows for any other type.
//
// A value is shown only when the track's results are valid: the track was
// routed in the current run (RoutingEnabled), the run succeeded
// (RoutingValid) and the results are shown at the chosen time
// (DrawRouting); otherwise "not computed". The layline losses need a beat or
// a run and the top-mark approach a beat, since only those legs have
// laylines and a windward mark.

#include <string>
#include <vector>

#include "state/application_state.h"

namespace corvane {

struct TResultsRow {
  bool Header = false;  // a header row (upper-case text, no value)
  std::string Text;     // the row's label
  std::string Detail;   // the value; empty for a header row
  // Why a routed leg has no such value (the window's tooltip); empty when it has.
  std::string Note;
};

struct TResultsTable {
  // "Track 2" for a course of waypoints; "Track Beat" / "Track Run" for the
  // two tracks of a windward-leeward course; empty for other track types.
  std::string LabelTrack;
  std::vector<TResultsRow> Rows;
};

// The rows as the list is built before any result is known: the set-up
// texts ("Track", "Start", ..., "Results", ...) and no values.
std::vector<TResultsRow> GetResultsRowsSetup(int TrackType);

// The rows of track IndexTrack (from 0) filled from the state: header texts
// in their upper-case form ("TRACK", "ROUTING", "RESULTS BEAT", ...) and
// every value formatted as the window shows it. An index outside the track
// list gives the filled header texts and empty values.
TResultsTable GetResultsRows(const TInterfaceApplicationMobile& InterfaceApplicationMobile, int IndexTrack);
// The same for the selected track (ListRoutingData.IndexTrack).
TResultsTable GetResultsRows(const TInterfaceApplicationMobile& InterfaceApplicationMobile);

}  // namespace corvane
