#include "analysis/results_rows.h"

#include <array>
#include <functional>
#include <optional>

#include "core/constants.h"
#include "core/math_tools.h"
#include "core/string_tools.h"
#include "core/type_names.h"
#include "routing/super_routing.h"

namespace corvane {

namespace {

constexpr int kLayoutWaypoints = 3;
constexpr int kLayoutWindwardLeeward = 1;

// What the values of one track are formatted from.
struct TRowSource {
  const TInterfaceApplicationMobile& State;
  const TRoutingData& Track;
  const TStringTools& Tools;
  bool V;  // the results are valid and shown
  bool B;  // ... and the leg is a beat
  bool R;  // ... and the leg is a run
};

using TDetail = std::function<std::string(const TRowSource&)>;

struct TRowLayout {
  bool Header;
  const char* SetupText;
  // The text once filled; nullptr keeps the set-up text.
  const char* FilledText;
  TDetail Detail;
  // Why the detail is kNotApplicable, when it can be.
  const char* Note = nullptr;
};

std::string BoatClass(const TRowSource& s) { return s.State.BoatClass; }
std::string TrackDirection(const TRowSource& s) { return s.Track.TrackAngleText; }
std::string TrackDistance(const TRowSource& s) { return s.Track.TrackDistanceText; }
std::string BestCourse(const TRowSource& s) { return s.Tools.ToTimes(s.Track.TimeBestCourse, s.V); }
std::string LossesLeft(const TRowSource& s) {
  return s.V && !(s.B || s.R) ? kNotApplicable : s.Tools.ToTimes(s.Track.TimeLaylineLeft, s.B || s.R);
}
std::string LossesRight(const TRowSource& s) {
  return s.V && !(s.B || s.R) ? kNotApplicable : s.Tools.ToTimes(s.Track.TimeLaylineRight, s.B || s.R);
}
std::string CurrentsWind(const TRowSource& s) { return s.Tools.ToWindshift(s.Track.CurrentsWindShift, s.V, true); }
std::string TopApproach(const TRowSource& s) {
  return s.V && !s.B ? kNotApplicable : s.Tools.ToCompass(s.Track.FinalCourse, s.B);
}

constexpr const char* kNoteLaylines = "Laylines belong to beats and runs; a reach has none";
constexpr const char* kNoteApproach = "The approach to the mark is found on beats only";
std::string VMGAverage(const TRowSource& s) { return s.Tools.ToSpeed(s.Track.TrackVMG, s.V); }
std::string VMGMinimum(const TRowSource& s) { return s.Tools.ToSpeed(s.Track.TrackMinVMG, s.V); }

TPolar StreamOnTrack(const TRowSource& s) { return TMathTools().CartesianToPolar(s.Track.StreamOnTrack); }

const std::array<TRowLayout, 20> kWaypointRows{{
    {true, "Track", "TRACK", nullptr},
    {false, "Start", nullptr, [](const TRowSource& s) { return s.Tools.ToExtendedNameMovableMark(s.Track.BuoyStart); }},
    {false, "Finish", nullptr, [](const TRowSource& s) { return s.Tools.ToExtendedNameMovableMark(s.Track.BuoyFinish); }},
    {false, "Distance", nullptr, TrackDistance},
    {false, "Course", nullptr, TrackDirection},
    {true, "Results", "ROUTING", nullptr},
    {false, "Boatclass", nullptr, BoatClass},
    {false, "Course", nullptr, [](const TRowSource& s) { return s.Tools.ToCourseType(s.Track.TypeOfCourse, s.V); }},
    {false, "Start", nullptr, [](const TRowSource& s) { return s.Tools.ToTimeOfDay(s.Track.DateTimeStartLOC, s.V); }},
    {false, "Best Course", nullptr, BestCourse},
    {false, "Losses Left", nullptr, LossesLeft, kNoteLaylines},
    {false, "Losses Right", nullptr, LossesRight, kNoteLaylines},
    {false, "Currents Wind", nullptr, CurrentsWind},
    {false, "Top Approach", nullptr, TopApproach, kNoteApproach},
    {true, "VMG on Track", "VMG ON TRACK", nullptr},
    {false, "VMG Average", nullptr, VMGAverage},
    {false, "VMG Minimum", nullptr, VMGMinimum},
    {true, "Currents Track", "CURRENTS ON TRACK", nullptr},
    {false, "Direction", nullptr,
     [](const TRowSource& s) { return s.Tools.ToCompass(StreamOnTrack(s).Winkel * kRadiansToDegrees, s.V); }},
    {false, "Speed", nullptr, [](const TRowSource& s) { return s.Tools.ToSpeed(StreamOnTrack(s).Betrag, s.V); }},
}};

// The results header names the leg type; its text depends on the track and
// is made in GetResultsRows.
const std::array<TRowLayout, 15> kWindwardLeewardRows{{
    {true, "Settings", "SETTINGS", nullptr},
    {false, "Boatclass", nullptr, BoatClass},
    {false, "True Wind", nullptr, [](const TRowSource& s) { return s.Tools.ToWind(s.State.Wind.TrueWind); }},
    {true, "Track", "TRACK", nullptr},
    {false, "Direction", nullptr, TrackDirection},
    {false, "Distance", nullptr, TrackDistance},
    {false, "Topmark", nullptr, [](const TRowSource& s) { return s.Tools.ToTopmark(s.State.ListRoutingData.IndexTopMark); }},
    {true, "Results", "RESULTS ", nullptr},
    {false, "Best Course", nullptr, BestCourse},
    {false, "Losses Left", nullptr, LossesLeft, kNoteLaylines},
    {false, "Losses Right", nullptr, LossesRight, kNoteLaylines},
    {false, "Currents Wind", nullptr, CurrentsWind},
    {false, "Top Approach", nullptr, TopApproach, kNoteApproach},
    {false, "VMG Average", nullptr, VMGAverage},
    {false, "VMG Minimum", nullptr, VMGMinimum},
}};
constexpr std::size_t kRowResultsWindwardLeeward = 7;

template <std::size_t N>
std::vector<TResultsRow> SetupRows(const std::array<TRowLayout, N>& layout) {
  std::vector<TResultsRow> rows;
  for (const TRowLayout& row : layout) rows.push_back(TResultsRow{row.Header, row.SetupText, ""});
  return rows;
}

template <std::size_t N>
std::vector<TResultsRow> FilledRows(const std::array<TRowLayout, N>& layout, const TRowSource* source) {
  std::vector<TResultsRow> rows;
  for (const TRowLayout& row : layout) {
    TResultsRow filled{row.Header, row.FilledText != nullptr ? row.FilledText : row.SetupText, ""};
    if (row.Detail && source != nullptr) filled.Detail = row.Detail(*source);
    if (row.Note != nullptr && filled.Detail == kNotApplicable) filled.Note = row.Note;
    rows.push_back(filled);
  }
  return rows;
}

}  // namespace

std::vector<TResultsRow> GetResultsRowsSetup(int TrackType) {
  if (TrackType == kLayoutWaypoints) return SetupRows(kWaypointRows);
  if (TrackType == kLayoutWindwardLeeward) return SetupRows(kWindwardLeewardRows);
  return {};
}

TResultsTable GetResultsRows(const TInterfaceApplicationMobile& InterfaceApplicationMobile, int IndexTrack) {
  const TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  const TRoutingData* track = state.ListRoutingData.GetItem(IndexTrack);
  const TStringTools tools;
  std::optional<TRowSource> source;
  if (track != nullptr) {
    const bool v = track->RoutingEnabled && state.DrawRouting && state.RoutingValid;
    source.emplace(TRowSource{state, *track, tools, v, v && track->TypeOfCourse == kCourseBeat,
                              v && track->TypeOfCourse == kCourseRun});
  }
  const TRowSource* from = source ? &*source : nullptr;

  TResultsTable table;
  if (state.TrackType == kLayoutWaypoints) {
    table.LabelTrack = "Track " + std::to_string(IndexTrack + 1);
    table.Rows = FilledRows(kWaypointRows, from);
  } else if (state.TrackType == kLayoutWindwardLeeward) {
    table.LabelTrack = IndexTrack == 0 ? "Track Beat" : (IndexTrack == 1 ? "Track Run" : "");
    table.Rows = FilledRows(kWindwardLeewardRows, from);
    if (track != nullptr) table.Rows[kRowResultsWindwardLeeward].Text += TTypes().GetTypeOfCourse(track->TypeOfCourse);
  }
  return table;
}

TResultsTable GetResultsRows(const TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  return GetResultsRows(InterfaceApplicationMobile, InterfaceApplicationMobile.ListRoutingData.IndexTrack);
}

}  // namespace corvane
