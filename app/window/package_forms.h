#pragma once
// The panel binder of the main window: builds the window's lists once at
// start-up (Setup...), writes the state into the controls after every command
// (SetData...), runs the commands behind the panels (Get...), owns the gate
// flags that keep changes made by the program from starting commands, the
// typing rules of the shortcut memo and the position readout, and enables or
// disables the panels during a routing run or a mark drag.
//
// Gate: every operation except FormSetup, the cursor, the readout and the
// memo's key-down, mouse-up and clear returns at once while EnableEvents is
// false, and otherwise closes it while it works. A control changed from here
// raises its change event like a user's choice; that event finds the gate
// closed and does nothing.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include <QCursor>

#include "analysis/grib_services.h"
#include "app/window/shortcut_typing.h"
#include "app/window/window_controls.h"
#include "chart/mobile_graphics.h"
#include "core/date_tools.h"
#include "core/math_tools.h"
#include "core/string_tools.h"
#include "state/application_state.h"

namespace corvane {

class TPackageApps;
class TPackageResourceLoader;

// Closes a gate flag for the length of a scope when it was open; Open()
// tells whether it was (the operation may run).
class TEventsGate {
 public:
  explicit TEventsGate(bool& flag) : flag_(flag), open_(flag) {
    if (open_) flag_ = false;
  }
  ~TEventsGate() {
    if (open_) flag_ = true;
  }
  TEventsGate(const TEventsGate&) = delete;
  TEventsGate& operator=(const TEventsGate&) = delete;
  bool Open() const { return open_; }

 private:
  bool& flag_;
  bool open_;
};

// Rows of the wind speed list: "<6 kts", then 6 to 30 knots.
inline constexpr int kWindSpeedFirst = 6;
inline constexpr int kWindSpeedLast = 30;
// Rows of the calibration lists.
inline constexpr int kTideShiftRows = 31;
inline constexpr int kRangeShiftRows = 41;
// The zoom slider counts hundredths of a zoom unit.
inline constexpr int kZoomSliderScale = 100;
// Heights of the list rows (pixels).
inline constexpr int kHeaderRowHeight = 28;
inline constexpr int kItemRowHeight = 24;
inline constexpr int kWaypointRowHeight = 28;

// A row of a list view (results, tides): a header row (bold, 28 high,
// across both columns) or an item row (24 high; across both columns when
// spanned, else a label with its value in the second column).
QTreeWidgetItem* AddListRow(QTreeWidget& list, const std::string& text, bool header, bool spanned);

class TPackageForms {
 public:
  TPackageForms(TInterfaceApplicationMobile& state, TPackageApps& apps, TPackageResourceLoader& loader,
                TMobileGraphics& graphics);
  TPackageForms(const TPackageForms&) = delete;
  TPackageForms& operator=(const TPackageForms&) = delete;

  TStringTools StringTools;
  TMathTools MathTools;
  TDateTools DateTools;
  TShortCutTyping ShortCuts;

  bool EnableResize = false;
  bool EnableEvents = false;
  bool EnableActivate = true;

  // Writes the settings file (set by the controller; the window adds its
  // own section).
  std::function<void()> SaveAppData;

  // --- Cursor
  void SetHourGlassCursor();
  void SetDefaultCursor();

  // --- Building the lists
  void SetupResults(TWindowControls& c);
  void SetupClasses(TWindowControls& c);
  void SetupWaypoints(TWindowControls& c);
  void SetupTrueWind(TWindowControls& c);
  void SetupGRIBWind(TWindowControls& c);
  void SetupTidesAdjustment(TWindowControls& c);
  void SetupZoomSlide(TWindowControls& c);
  // DeviceWidth and DeviceHeight from the chart image, the progress panel
  // hidden, the projection computed for them.
  void FormSetup(TWindowControls& c);
  // FormSetup and the chart off screen, only once the panels are filled.
  void FormResize(TWindowControls& c);

  // --- Filling from the state
  void SetDataMapHeader(TWindowControls& c);
  void SetDataBoatclass(TWindowControls& c);
  void SetDataTabStart(TWindowControls& c);
  void SetDataTabWind(TWindowControls& c);
  void SetDataTabGRIBWind(TWindowControls& c);
  void SetDataWaypoints(TWindowControls& c);
  void SetDataTides(TWindowControls& c);
  void SetDataTidesAdjustment(TWindowControls& c);
  void SetDataResults(TWindowControls& c);
  void ResetDataResults(TWindowControls& c, bool enabled);
  void SetDataMovableMarks(TWindowControls& c);

  // --- Panels during long operations
  void SetControlsRouting(TWindowControls& c, bool enabled);
  void SetControlsPanCourse(TWindowControls& c, bool enabled);
  void SetTimeSteps();

  // --- Shortcut memo
  void GetClearShortCuts(TWindowControls& c);
  void GetValidateShortCuts(TWindowControls& c, bool isBackspace, char keyChar);
  void ProcessValidateShortCuts(TWindowControls& c);
  void GetGotoEndTripleShortCuts(TWindowControls& c);

  // --- Position readout under the mouse
  void GetMoveMouseMap(TWindowControls& c, float x, float y);

  // --- Commands (each inside the gate; the controller refreshes after)
  // Returns false when the gate was closed and nothing ran.
  bool GetWaypoint(TWindowControls& c, int row);
  bool SetIndexWaypoint(int row);
  bool AddWaypoint(TWindowControls& c);
  // True when a waypoint was removed.
  bool DeleteAndMoveWaypoint(TWindowControls& c);
  bool GetMoveWaypoint(TWindowControls& c, int move);
  // True when the shortcut text gave a new course.
  bool GetShortCutWaypoints(TWindowControls& c);
  bool GetBoatclass(TWindowControls& c, QComboBox* sender);
  bool RefreshClasses(TWindowControls& c);
  bool GetStartDate(TWindowControls& c);
  bool GetStartTime(TWindowControls& c);
  // True when the computer's clock lay within the selectable days.
  bool SetTimeNow(TWindowControls& c);
  bool GetTimeShift(TWindowControls& c, std::int64_t minutes);
  bool GetWind(TWindowControls& c);
  bool GetWindAngle(TWindowControls& c);
  // Loads the chosen GRIB wind file; nothing when the gate is closed.
  std::optional<TGRIBWindSelection> GetGRIBWind(TWindowControls& c);
  bool GetAdjustTideTime(TWindowControls& c);
  bool GetAdjustTideSpeed(TWindowControls& c);
  bool GetDepthLine(TWindowControls& c);
  bool GetResultsPage(TWindowControls& c, int page);
  // With `about` (on-screen pixels) the chart under that point stays put.
  bool MapZoom(TWindowControls& c, double zoom, bool setSlider, const TPointF* about = nullptr);
  bool GetGotoTrack(TWindowControls& c);
  // Nothing when the gate is closed; false when the typed position is on
  // land (the mark keeps its place).
  std::optional<bool> GetMoveMark(TWindowControls& c, int indexMark);

  // Draws the chart layers off screen and repaints the image.
  void Redraw(TWindowControls& c);
  // While DeferRedraw is set, Redraw only notes in RedrawDeferred that the
  // chart wants drawing (a run that follows the change draws it).
  bool DeferRedraw = false;
  bool RedrawDeferred = false;
  void Repaint(TWindowControls& c);

 private:
  // The date (or time) of an edit put into the chosen moment, clamped to the
  // selectable window, then the currents and the routing flags.
  void SetMoment(TWindowControls& c, TDateTime local);
  void AfterMomentChange(TWindowControls& c);
  void RebuildTracks();
  // The routing results discarded, and whether any are shown decided again.
  void DiscardRouting();
  void RedrawAndSave(TWindowControls& c);
  // TrackBar_Zoom at DeviceZoom (its change event finds the gate closed).
  void SetZoomSlider(TWindowControls& c);
  void Save();

  TInterfaceApplicationMobile& state_;
  TPackageApps& apps_;
  TPackageResourceLoader& loader_;
  TMobileGraphics& graphics_;
  bool cursorSet_ = false;
};

}  // namespace corvane
