#pragma once
// The loaders of the built-in data sets into the application state. Every
// load does nothing when its data set is missing, and never writes outside
// the lists it fills. The operations are defined in one file per kind of
// data: chart_loader.cpp, stream_atlas_loader.cpp, tide_table_loader.cpp,
// polar_loader.cpp.

#include <string>

#include "core/file_tools.h"
#include "data/resource_loader.h"
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
  void LoadListClasses(TInterfaceApplicationMobile& state);
  void LoadBoatPolars(TInterfaceApplicationMobile& state);
  int ReadClassNames(const std::string& resourceName, TStringList& strings);
  void ReadPolarsRecord(int index, const std::string& resourceName,
                        TInterfaceApplicationMobile& state);
  bool LoadUserPolars(const std::string& className, TInterfaceApplicationMobile& state);

  TFileTools FileTools;
};

}  // namespace corvane
