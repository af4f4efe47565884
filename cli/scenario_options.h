#pragma once
// The options that set up a race situation on the state, shared by the
// commands that draw or sail a course: the moment, the true wind, the boat
// class, the course of marks and the stream calibration.
//
//   --time "YYYY-MM-DD HH:MM"  local time of the reference port (GMT with
//                              --gmt); default the state's moment
//   --wind SPEED@DIR           true wind, knots and degrees it comes from
//   --boat CLASS               a class of the class list (letter case ignored)
//   --course 183,177,...       buoy numbers, 2 to 12 (the window's waypoint
//                              rows)
//   --shortcuts "4P 3V ..."    the buoys' two-character shortcut codes, 2 to
//                              12
//   --shift MIN, --range PCT   high-water shift and stream speed correction
//   --grib FILE                a GRIB wind file (a path, or a bare name in
//                              the program's folder): its wind replaces the
//                              fixed true wind where and when it covers the
//                              chart and the moment
//   --windward-leeward         instead of a course of marks, a windward-
//                              leeward course between the two movable marks,
//                              out and back, turned into the --wind direction
//   --topmark DEG              with it: the windward mark -10 to 10 whole
//                              degrees off the wind
//   --depth 0..4               the depth line the boat keeps to (0: afloat)
//
// Options not given leave what the settings file (or the defaults) chose,
// except the kind of course: without --windward-leeward it is the course of
// marks, whatever kind the settings file used last.

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "core/types.h"
#include "state/application_state.h"

namespace corvane::cli {

struct TScenarioOptions {
  std::string Time;
  std::string Wind;
  std::string Boat;
  std::string Course;
  std::string ShortCuts;
  std::optional<int> Shift;  // minutes
  std::optional<int> Range;  // percent
  std::string Grib;          // GRIB wind file
  bool WindwardLeeward = false;
  std::optional<int> TopMark;  // degrees off the wind, with WindwardLeeward
  std::optional<int> Depth;    // depth line
};

// Adds the options above to a command, writing into `options` (which must
// outlive the parse).
void AddScenarioOptions(CLI::App& command, TScenarioOptions& options);

// "SPEED@DIR": knots above 0 up to 60 and degrees 0 to 360 (360 is north,
// taken as 0); nothing for other text. The polar's Winkel is the direction
// the wind comes from, radians clockwise from north.
std::optional<TPolar> ParseWind(const std::string& text);

// The buoy numbers of "183,177,..." (commas, blanks allowed around them).
// Throws TUsageError naming --course unless every item is a buoy number of
// the state and there are 2 to kMaxWaypoints of them.
std::vector<int> ParseCourse(const std::string& text, const TInterfaceApplicationMobile& state);
// The buoy numbers of blank-separated shortcut codes ("4P 3V"), each the
// first buoy whose code matches exactly (codes are upper case), read by the
// course services. Throws TUsageError naming --shortcuts for a code no buoy
// carries, fewer than two codes or more than kMaxWaypoints.
std::vector<int> ParseShortCuts(const std::string& text, const TInterfaceApplicationMobile& state);

// Loads the state and applies every given option, the moment last so that
// the drawn stream field is computed with the calibration. Throws
// TUsageError for an option it cannot use: --topmark and --depth out of
// their ranges before anything is loaded, and a windward-leeward course
// that the --wind direction would turn onto land (naming the mark ashore).
void ApplyScenario(TCliContext& context, const TScenarioOptions& options);
// The same, with the notes of the run written to `notes`, one line each
// (the form above writes them to the process's standard error). A --grib
// file that cannot be read or holds no GRIB edition 1 wind is a TUsageError;
// one whose grid covers no corner of the chart, or whose fields do not serve
// the moment, is dropped with a note, and the fixed true wind stays.
void ApplyScenario(TCliContext& context, const TScenarioOptions& options, std::ostream& notes);

// The tracks of ListWayPoints as the window builds them
// (TCourseServices::SetListRoutingData): one per pair of consecutive marks,
// numbers that name no buoy left out, with marks, positions, bearing,
// distance, windward point and centre, the first track selected; with
// TrackType 1 the return track, and the wind turned to the first track.
// Only the course's geometry: the routing fills the rest of each record.
void SetCourseTracks(TInterfaceApplicationMobile& state);

}  // namespace corvane::cli
