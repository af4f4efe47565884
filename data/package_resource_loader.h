#pragma once
// The loaders of the built-in data sets into the application state. Every
// load does nothing when its data set is missing, and never writes outside
// the lists it fills. The operations are defined in one file per kind of
// data: chart_loader.cpp, stream_atlas_loader.cpp, tide_table_loader.cpp,
// polar_loader.cpp, settings_loader.cpp.

#include <string>

#include "core/file_tools.h"
#include "data/resource_loader.h"
#include "polars/package_polars.h"
#include "state/application_state.h"
#include "tides/stream_cube.h"

namespace corvane {

class TPackageTides;

class TPackageResourceLoader : public TPackageSuperResourceLoader {
 public:
  // fileTools names the user's documents folder (the user's own polars).
  TPackageResourceLoader(TResourceStore store, TFileTools fileTools);

  // --- Chart ("MAPINI", "TILES", "TILESB", "BUOYS", "TOWNS", "FLATS",
  // "courses")
  //
  // LoadSettingsMap sets SeaMap's corners P1 (LonW, LatS) and P2 (LonE,
  // LatN), defaults 180 W, 90 S, 180 E, 90 N for a missing key, and Center
  // as their mean; Width and Height (pixels) are left to the projection.
  // LoadListMapTilesA replaces ListMapTiles. LoadListMapTilesB adds the
  // second layer (Lines10m, Lines5m, Heights) to the loaded tiles by
  // position, then replaces ListDrafts and ListInvDrafts; a "TILESB" that
  // names more tiles than are loaded is rejected whole, leaving the tiles,
  // ListDrafts and ListInvDrafts as they were. The named-point loaders
  // replace their parallel lists; LoadListBuoys lists a buoy with a
  // shortcut as name + " - " + shortcut. A tile, polygon, point or hole
  // group is created only when its record begins inside the data set, so a
  // corrupt count never allocates beyond what the data set holds; the
  // record that the end cuts is completed with zeros.
  void LoadSettingsMap(TInterfaceApplicationMobile& state);
  void LoadListMapTilesA(TInterfaceApplicationMobile& state);
  void LoadListMapTilesB(TInterfaceApplicationMobile& state);
  void LoadListBuoys(TInterfaceApplicationMobile& state);
  void LoadListTowns(TInterfaceApplicationMobile& state);
  void LoadListFlats(TInterfaceApplicationMobile& state);
  void LoadListCourses(TInterfaceApplicationMobile& state);
  void LoadSettingsTrainer() {}

  // --- Tidal stream atlas ("STREAMP"/"STREAMG", "STREAMV"/"STREAMF",
  // "AREAS", "STREAMT", "SLACK"); the tide table is loaded first, since it
  // says how many fields the atlas has.
  void LoadListCurrentsPositionsLight(const std::string& name, TListVektorCubeLight& cube,
                                      const TPackageTides& tides);
  void LoadListCurrentsVektorsLight(const std::string& name, const TPackageTides& tides,
                                    TListVektorCubeLight& cube);
  void LoadListCurrentsAreasLight(TListVektorCubeLight& cube);
  void LoadListCurrentsTextLight(TListVektorCubeLight& cube);
  void LoadListSlacks(TInterfaceApplicationMobile& state);

  // --- Tide table ("TIDESINI", "TIDES", "tides2")
  void LoadListTides(TInterfaceApplicationMobile& state, TPackageTides& tides);

  // --- Polars ("DINGHYN", "DINGHY", "POLARSN", "POLARS", user files)
  //
  // LoadListClasses replaces ListClasses by the dinghy names (CountDinghy),
  // the yacht names (CountORCI) and the names of the "*.pol" files of the
  // documents folder without extension, sorted. LoadBoatPolars finds
  // BoatClass in ListClasses (letter case ignored, first match); an unknown
  // class becomes the first of a non-empty list. It then loads record i of
  // "dinghy", record i - CountDinghy of "polars", or the user's file.
  // ReadClassNames appends the names of a names data set and returns their
  // number (0 when it is missing). ReadPolarsRecord resets the state's
  // Polars and reads record index; it does nothing when the data set is
  // missing or index is negative, and values past the end read 0.
  // LoadUserPolars loads <documents folder>/<className>.pol when className
  // is a valid file name and the file exists (false otherwise, the table
  // unchanged), and returns LoadPolars' result.
  void LoadListClasses(TInterfaceApplicationMobile& state);
  void LoadBoatPolars(TInterfaceApplicationMobile& state);
  int ReadClassNames(const std::string& resourceName, TStringList& strings);
  void ReadPolarsRecord(int index, const std::string& resourceName,
                        TInterfaceApplicationMobile& state);
  bool LoadUserPolars(const std::string& className, TInterfaceApplicationMobile& state);

  // --- Settings file (IniName in the documents folder, or a file the caller
  // names)
  //
  // LoadSettingsDevice reads the file when it exists, key by key with the
  // field's current value as default, then builds DateTimeGMT from AYear ..
  // AMinute and derives TideTimeShift (minutes) and TideRangeShift (a
  // fraction) from the two calibration indices; it does that last step with
  // or without a file. A missing key or an empty value keeps the field. The
  // two movable marks (buoys 0 and 1) take the file's positions only when at
  // least two buoys are loaded and both coordinates of the mark are present.
  //
  // A value that cannot be used does not end the load: the field keeps its
  // value and the problem is returned as one line naming the key and the
  // value. That covers an integer key that is not a decimal integer, a float
  // key that is not a decimal number (nan and inf are not), and every value
  // outside its range:
  //   DEVICEZOOM 0 to kZoomMaxQuarne (25); DEVICECENTERLON/LAT and the marks'
  //   M1LON, M1LAT, M2LON, M2LAT (minutes) within the chart frame SeaMap, or
  //   within +-180 and +-90 degrees while no frame is loaded (P1 = P2);
  //   TIDESHIFT 0-30, CURRENTSSPEED 0-40, BOATDEPTH 0-4; COURSETYPE 1 or 3;
  //   INDEXTOPMARK 0-20; INDEXSPEED 0-25; INDEXDIRECTION 0-359; DIRECTION
  //   (radians) within +-1e6, then reduced to [0, 2 pi); T_YEAR .. T_MINUTE
  //   0-65535 and together a date that exists (the five date fields then
  //   all keep their values); T_HOURBEGIN and T_HOUREND 0-23, T_MINUTEBEGIN
  //   and T_MINUTEEND 0-59; T_TIMEINTERVAL 0-1440;
  //   WAYPOINTS at most kMaxWaypoints items, each a buoy number of the loaded
  //   buoy list (with no buoys loaded the numbers are not checked).
  // A mark with one coordinate unusable keeps both. A file that exists but
  // cannot be read counts as missing and is reported; so does a UTF-16 file
  // (named by its encoding). Lines ended by a carriage return alone are read
  // as lines, with a warning. The result is empty when nothing was wrong.
  TStringList LoadSettingsDevice(TInterfaceApplicationMobile& state);
  TStringList LoadSettingsDevice(TInterfaceApplicationMobile& state, const std::string& file);
  // SaveSettingsDevice first splits DateTimeGMT into AYear .. AMinute
  // (seconds dropped) and the times of day of DateTimeMinLOC and
  // DateTimeMaxLOC into AHourBegin .. AMinuteEnd, then writes every key in
  // its fixed order, replacing the file. The file is written to a temporary
  // file beside it and renamed, so a crash leaves the old or the new file,
  // never a cut one. The first form creates the documents folder. False when
  // the file could not be written; the program goes on either way.
  bool SaveSettingsDevice(TInterfaceApplicationMobile& state);
  bool SaveSettingsDevice(TInterfaceApplicationMobile& state, const std::string& file);
  // The settings file of the documents folder: folder + IniName. Nothing is
  // created: saving creates the folder.
  std::string GetSettingsFileName(const TInterfaceApplicationMobile& state) const;

  TFileTools FileTools;

 private:
  TPackagePolars PackagePolars;
};

}  // namespace corvane
