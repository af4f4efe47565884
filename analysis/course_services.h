#pragma once
// The services around the course of marks: the waypoint text that stores
// the course, its edits from the waypoint rows, the track list built from
// it, the shortcut text from which a course can be typed, the two movable
// marks and the land checks that guard them.
//
// The waypoint text (ListWayPoints) is a sequence of decimal buoy indices
// (0-based into ListBuoysName / ListBuoysPosition) separated by ";", the
// start first; each consecutive pair is one leg. It is split by removing one
// trailing ";" and cutting at every ";" without trimming, so ";;" leaves an
// empty item; it is joined without a trailing ";". Every edit splits, changes
// the items and stores the joined text, so the text stays in that form.
//
// Texts the commands never write. The commands only ever store buoy
// indices, and the settings reader refuses a WAYPOINTS value that names no
// buoy. A waypoint item that is nevertheless not a decimal integer, or names
// no buoy of the state, is treated like an empty item: GetIndexBuoy answers
// -1 for it (the row shows no buoy) and the track builder skips it, so a
// track never joins marks that do not exist and no buoy list is indexed out
// of range. The items themselves are kept: a later edit of that row replaces
// them.

#include <string>

#include "core/math_tools.h"
#include "core/string_tools.h"
#include "core/types.h"
#include "routing/routing_data.h"
#include "state/application_state.h"

namespace corvane {

// A deletion keeps at least one leg.
inline constexpr int kMinWaypoints = 2;

// A shortcut text read as a course: the buoys found, in the order typed,
// and the typed codes that found none (items that are not two characters
// long or that no buoy carries; runs of blanks are not items).
struct TShortCutCourse {
  TIntegerArray Buoys;
  TStringList Skipped;
};

class TCourseServices {
 public:
  // The items of the last split (waypoint text or shortcut text); scratch,
  // refilled by every operation that splits.
  TStringList DelimitedStringList;

  // ------------------------------------------------------------ waypoints

  // Number of items of the waypoint text, empty items included ("183;;177"
  // counts 3, "183;177;" counts 2).
  int GetCountWaypoints(const TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // The buoy index stored at a waypoint (from 0); -1 when IndexWaypoint is
  // negative or beyond the list, or the item is empty, not a decimal integer
  // or names no buoy of ListBuoysPosition.
  int GetIndexBuoy(int IndexWaypoint, const TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // IndexWaypoint := the waypoint row the user acted on: the selected row of
  // ListBox_Waypoints, or the row of the list box that holds the combo box
  // that changed. The window resolves the control that raised the event to
  // that row and passes it; a negative row (no selection) stores -1.
  void SetIndexWaypointByIndex(int row, TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // Stores IndexBuoy (decimal) at waypoint IndexWaypoint. A waypoint beyond
  // the list is reached by appending empty items first ("183" with
  // IndexWaypoint 2 and buoy 7 gives "183;;7"). Nothing for a negative
  // IndexWaypoint.
  void ModifyListWaypoints(int IndexBuoy, TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // Appends waypoint "0" (movable mark 1) unless the list already holds
  // kMaxWaypoints items.
  void AddListWaypoints(TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // Removes a waypoint, the later ones moving up, when the list holds more
  // than kMinWaypoints items and the index lies inside it; true when removed.
  bool DeleteAndMoveListWaypoints(int IndexWaypoint,
                                  TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // Moves a waypoint to another row: nothing when the rows are equal, either
  // is negative or the old row is beyond the list; with both rows inside the
  // list the item is taken out and put in at the new row; with the new row
  // beyond the list the item is appended and its old row left empty.
  void MoveListWaypoints(int IndexWaypointOld, int IndexWaypointNew,
                         TInterfaceApplicationMobile& InterfaceApplicationMobile);

  // -------------------------------------------------------------- tracks

  // Rebuilds ListRoutingData from the waypoint text: IndexTrack := 0, one
  // track per pair of consecutive buoys (empty items and items that name no
  // buoy skipped) with marks, names, positions and DrawGesture; for TrackType
  // 1 a return track mirroring the last one, not draggable. Then the derived
  // geometry of every track (TListRoutingData::SetRoutingDataByMarks) and,
  // for TrackType 1 with at least one track, the wind direction the course
  // implies (TListRoutingData::GetTrueWindAngle) in Wind.TrueWind.Winkel.
  // With fewer than two buoys the list stays empty and the wind unchanged.
  void SetListRoutingData(TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // A movable mark (buoy IndexMark) moved to PositionMark: every track end at
  // that buoy takes the position, and every track's geometry is derived
  // again. True when at least one end moved. The buoy list itself is the
  // caller's to update.
  bool GetMovableMarkIsWaypoint(int IndexMark, const TMinutes& PositionMark,
                                TInterfaceApplicationMobile& InterfaceApplicationMobile);

  // ----------------------------------------------------------- shortcuts

  // The buoy of a shortcut code: the first buoy whose ListBuoysShortCut
  // equals it exactly (case-sensitive; codes are upper case); -1 for a text
  // that is not two characters long or that no buoy carries.
  int GetIndexBuoyOfShortCut(const std::string& code,
                             const TInterfaceApplicationMobile& InterfaceApplicationMobile) const;
  // Reads a blank-separated shortcut text ("4P 3V"): every item looked up
  // with GetIndexBuoyOfShortCut, in the order typed; the same buoy may come
  // several times.
  TShortCutCourse GetShortCutCourse(const std::string& text,
                                    const TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // The course typed as shortcuts (the text of Memo_ShortCutWaypoints): with
  // at least two buoys found, ListWayPoints := their indices joined with ";"
  // and true; otherwise false and the course unchanged. Codes that find no
  // buoy are skipped without a message. The caller rebuilds the tracks.
  bool GetShortCutWaypoints(const std::string& memoText,
                            TInterfaceApplicationMobile& InterfaceApplicationMobile);

  // ---------------------------------------------------------- land checks

  // See land_checks.h.
  bool GetMarkInWater(const TMinutes& Minutes,
                      const TInterfaceApplicationMobile& InterfaceApplicationMobile) const;
  bool GetCourseAshore(const TRoutingData& RoutingData,
                       const TInterfaceApplicationMobile& InterfaceApplicationMobile) const;

 private:
  TStringTools courseStrings_;
  TMathTools courseMath_;

  // DelimitedStringList := the items of the waypoint text; returns their count.
  int SplitWaypoints(const TInterfaceApplicationMobile& state);
  // The buoy of item index of DelimitedStringList; -1 for an item outside
  // the list, not a decimal integer, or naming no buoy of the state.
  int BuoyOfItem(int index, const TInterfaceApplicationMobile& state) const;
  // ListWayPoints := DelimitedStringList joined with ";".
  void StoreWaypoints(TInterfaceApplicationMobile& state) const;
};

}  // namespace corvane
