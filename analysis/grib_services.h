#pragma once
// The GRIB wind and current selection: the file lists, the loading of a file
// into the state's cube, the validity of a loaded wind for the chart and the
// moment, and the true wind of the wind panel taken either from the GRIB
// field or from the wind controls.
//
// The application services (TPackageApps) inherit these operations; they own
// the one GRIB reader of the program. The window's commands (choosing a file,
// clearing it) run SelectGRIBWind / ClearGRIBWind and show the message they
// return; the command-line program loads a file named on its command line
// with LoadGRIBWindFile.
//
// Every operation receives the application state explicitly. A control that
// is absent from TPackageControls (a null pointer) leaves out the step that
// needs it.

#include <filesystem>
#include <optional>
#include <string>

#include "analysis/package_controls.h"
#include "core/file_tools.h"
#include "core/math_tools.h"
#include "core/string_tools.h"
#include "core/types.h"
#include "grib/fast_grib.h"
#include "state/application_state.h"
#include "analysis/current_field.h"
#include "tides/stream_cube.h"

namespace corvane {

// Extension of GRIB files in the program's folder, and the first row of the
// file lists, which stands for no file.
inline constexpr const char* kGRIBFileExtension = ".grb";
inline constexpr const char* kGRIBFilePattern = "*.grb";
inline constexpr const char* kGRIBNoFile = "None";

// Messages of the GRIB commands, shown as error dialogs with an OK button.
inline constexpr const char* kMessageInvalidGRIBWind = "Invalid GRIB wind file";
inline constexpr const char* kMessageGRIBOutOfMap = "GRIB data out of map";
inline constexpr const char* kMessageInvalidGRIBCurrent = "Invalid GRIB current file";

// Row of the angle offset list to its turn: 10 x row - 20 degrees.
inline constexpr int kGRIBAngleOffsetStep = 10;    // degrees per row
inline constexpr int kGRIBAngleOffsetOrigin = 20;  // degrees of row 0 below zero

// Limits of the true wind taken from a GRIB field (whole knots and degrees).
// The wind speed list starts at "<6 kts", which stands for 5 knots.
inline constexpr int kGRIBWindSpeedMin = 5;
inline constexpr int kGRIBWindSpeedMax = 30;
inline constexpr int kGRIBWindDirectionMax = 359;

// Top-mark offset of a windward mark straight upwind (degrees + 10).
inline constexpr int kTopMarkStraightUpwind = 10;

// Course type of a windward-leeward pair (TrackType).
inline constexpr int kTrackTypeWindwardLeeward = 1;

// What a load of a GRIB wind file came to.
enum class TGRIBWindLoad {
  None,      // no file chosen ("None"): the fixed true wind applies, no message
  Invalid,   // the file gave no wind field (missing, not GRIB 1, no u wind, cut short)
  OutOfMap,  // fields read, but the grid covers no corner of the chart
  Loaded     // fields read and the grid covers the chart; GRIBWindValid tells
             // whether they also cover the moment
};

// The outcome of choosing a GRIB wind file, for the window's command.
struct TGRIBWindSelection {
  TGRIBWindLoad Load = TGRIBWindLoad::None;
  // The messages to show, in this order ("Invalid GRIB wind file", then
  // "GRIB data out of map"; both may come for one choice, none for "None").
  TStringList Messages;
  // GRIBWindLocationValid after the choice: the window then resets the
  // routing, the time steps and the wind panel.
  bool InMap = false;
};

class TGRIBServices {
 public:
  // GRIB files are looked for in the program's folder in the user's
  // documents.
  TGRIBServices() = default;
  // GRIB files are looked for in the program's folder that fileTools gives
  // (TFileTools::ForProgramFolder for a folder of one's own; tests and batch
  // runs).
  explicit TGRIBServices(TFileTools fileTools);
  // GetTidalCurrents may hold a call back into this object (AttachGRIBWind),
  // so it stays where it was made.
  TGRIBServices(const TGRIBServices&) = delete;
  TGRIBServices& operator=(const TGRIBServices&) = delete;
  virtual ~TGRIBServices() = default;

  // The one GRIB reader: keeps the grid of the last file decoded, which the
  // location test answers for.
  TFastGRIB2 FastGRIB2;
  TMathTools MathTools;
  TStringTools StringTools;

  // --- GRIB wind

  // Fills ComboBox_GRIB (when present): "None", then the names without
  // extension of the "*.grb" files of the program's folder in the order the
  // file tools list them (sorted); row 0 selected. A folder that cannot be
  // listed leaves "None" alone.
  void LoadListGRIBWind(TPackageControls& controls) const;

  // Reads the file of the selected row of ComboBox_GRIB (its text + ".grb")
  // into CubeWind, turned by the selected row a of ComboBox_GRIBAngleOffset
  // (10 x a - 20 degrees; 0 without that list or a selection in it).
  // GRIBWindLoaded = cube 0 of
  // CubeWind has a field. CubeWind is cleared first, so row 0 ("None"), an
  // absent list or an unreadable file leave no GRIB wind. Then the drawn
  // current field of the moment (GetTidalCurrents with source 1), which runs
  // the GRIB wind of the moment of this object (GetGRIBWindOfMoment) whether
  // or not it is attached to `currents`.
  void LoadGRIBWind(TPackageControls& controls, TPackageCurrents& currents,
                    TInterfaceApplicationMobile& state);

  // GRIBWindValid = GRIBWindLoaded and the first field time <= DateTimeGMT
  // <= the last field time of CubeWind (both bounds included).
  void GetGRIBWindValid(TInterfaceApplicationMobile& state) const;

  // GRIBWindLocationValid = a corner of SeaMap lies in the grid of the last
  // file decoded, tried in the order south-west (P1), north-east (P2),
  // north-west, south-east. False before any file has been read. A grid
  // wholly inside the chart, covering no corner, counts as out of the map.
  void GetGRIBWindLocationValid(TInterfaceApplicationMobile& state) const;

  // Only when GRIBWindValid: Wind from CubeWind at the TrackCenter of the
  // selected track (ListRoutingData.IndexTrack; the chart's centre when the
  // list has no such track) at DateTimeGMT. The speed is rounded to whole
  // knots, halves to even, and held in 5 ... 30, a speed that is not a
  // number taken as 5 (IndexSpeed = speed - 5); the direction (where the
  // wind comes from) to whole degrees the same way,
  // 360 and above or below 0 giving 0 (IndexDirection = degrees, TrueWind in
  // radians). Sets IndexTopMark to 10, the windward mark straight upwind.
  // A position outside the grid or a moment outside the fields reads the
  // zero vector: 5 knots from north.
  void GetTrueGRIBWind(TInterfaceApplicationMobile& state) const;

  // The routing run's wind: GetGRIBWindValid; when valid, CubeWind
  // interpolated to DateTimeGMT (not indexed) and GetTrueGRIBWind.
  void GetGRIBWindField(TInterfaceApplicationMobile& state) const;

  // Only when GRIBWindValid, GRIBWindCourse and TrackType 1 (windward-
  // leeward): tracks 0 (beat) and 1 (run) are laid around the beat's centre
  // into Wind.TrueWind, their geometry derived again, and the two movable
  // marks (ListBuoysPosition entries 0 and 1, when present) take the beat's
  // start and finish. Nothing when the list has fewer than two tracks.
  void GetTrueGRIBWindCourse(TInterfaceApplicationMobile& state) const;

  // Wind.TrueWind from the wind controls: the speed from the text of row
  // Wind.IndexSpeed of ComboBox_WindSpeed (ToWindSpeed: "<6 kts" is 5,
  // unreadable text 0); with ComboBox_WindAngle the direction from the text
  // of row Wind.IndexDirection ("0" when the list has no such row); with
  // Edit_WindAngle the direction from the edit's whole degrees 0 ... 359
  // (anything else 0), the edit then rewritten as ToAngle of it ("45", no unit).
  void HandleTrueWind(TPackageControls& controls, TInterfaceApplicationMobile& state) const;

  // The GRIB wind of the moment, the step GetTidalCurrents runs for the
  // drawn field: the location test; in the map, the time test and, when
  // valid, CubeWind interpolated to DateTimeGMT and GetTrueGRIBWind, else
  // the wind direction that the first track implies (GetTrueWindAngle);
  // out of the map GRIBWindValid = false.
  void GetGRIBWindOfMoment(TInterfaceApplicationMobile& state) const;

  // Makes GetTidalCurrents of `currents` run GetGRIBWindOfMoment of this
  // object from now on. The owner of both calls it once; this object must
  // outlive that use of `currents` (DetachGRIBWind ends it).
  void AttachGRIBWind(TPackageCurrents& currents) const;
  static void DetachGRIBWind(TPackageCurrents& currents);

  // Qt-free core of the window's command on a change of the GRIB wind list:
  // LoadGRIBWind, the messages it calls for, and GRIBWindLoaded = false when
  // the grid is out of the map. The window shows the messages (error dialogs
  // with OK), and when InMap resets the routing, the time steps and the wind
  // panel; then fills the GRIB wind panel and the results.
  TGRIBWindSelection SelectGRIBWind(TPackageControls& controls, TPackageCurrents& currents,
                                    TInterfaceApplicationMobile& state);

  // Qt-free core of the window's command that clears the GRIB wind: CubeWind
  // emptied, GRIBWindLoaded and GRIBWindValid false, then GetGRIBWindValid.
  // The caller resets the routing before and selects row 0 of the list with
  // its events gate closed.
  void ClearGRIBWind(TInterfaceApplicationMobile& state) const;

  // Reads fileName (a bare name with extension, in the program's folder of
  // FastGRIB2) into CubeWind turned by offsetDegrees, as LoadGRIBWind does
  // for a chosen row, and judges it as SelectGRIBWind does: Invalid (no
  // field, GRIBWindLoaded false), OutOfMap (GRIBWindLoaded false) or Loaded.
  // Then the drawn current field of the moment with the GRIB wind step.
  // The command line's --grib uses it.
  TGRIBWindLoad LoadGRIBWindFile(const std::string& fileName, double offsetDegrees,
                                 TPackageCurrents& currents, TInterfaceApplicationMobile& state);

  // --- GRIB current (no control in the desktop window)

  // The cube a GRIB current is read into: CubeLoRes for GRIBCurrentCube 0,
  // CubeTideTech otherwise.
  static TListVektorCubeLight& GetGRIBCurrentCube(TInterfaceApplicationMobile& state);
  static const TListVektorCubeLight& GetGRIBCurrentCube(const TInterfaceApplicationMobile& state);

  // As LoadListGRIBWind, with ComboBox_GRIBCurrent.
  void LoadListGRIBCurrent(TPackageControls& controls) const;

  // GRIBCurrentLoaded = false and the GRIB current cube cleared; when
  // ComboBox_GRIBCurrent selects a row above 0, its file (text + ".grb")
  // read as u and v current (no angle offset) into that cube and
  // GRIBCurrentLoaded = the cube has a field. Then GetGRIBCurrentValid and
  // the drawn current field of the moment (GetTidalCurrents with source 1,
  // with this object's GRIB wind step). Returns the message to show
  // ("Invalid GRIB current file" for a chosen file without a field).
  std::optional<std::string> LoadGRIBCurrent(TPackageControls& controls, TPackageCurrents& currents,
                                             TInterfaceApplicationMobile& state);

  // GRIBCurrentValid = GRIBCurrentLoaded and the first field time <=
  // DateTimeGMT <= the last field time of the GRIB current cube.
  void GetGRIBCurrentValid(TInterfaceApplicationMobile& state) const;

 private:
  // The files "*.grb" of the program's folder after the row "None".
  void LoadListGRIB(TListControl* list) const;
  // The text of the selected row above 0 followed by ".grb"; nothing for
  // "None", no selection or an absent list.
  static std::optional<std::string> SelectedGRIBFile(const TListControl* list);
  // ReadGRIBWind into CubeWind with the turn; GRIBWindLoaded.
  void ReadGRIBWind(const std::string& fileName, double offsetDegrees, TInterfaceApplicationMobile& state);
  // The verdict on a file just read: "Invalid GRIB wind file" when it gave
  // no field, then "GRIB data out of map" (GRIBWindLoaded = false) when the
  // last grid decoded covers no corner of the chart.
  static TGRIBWindLoad JudgeGRIBWind(TInterfaceApplicationMobile& state, TStringList& messages);
  // GetTidalCurrents with source 1, with GetGRIBWindOfMoment of this object
  // as its GRIB wind step for the call.
  void GetTidalCurrentsWithGRIBWind(TPackageCurrents& currents, TInterfaceApplicationMobile& state) const;
};

}  // namespace corvane
