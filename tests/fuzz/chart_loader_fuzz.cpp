// libFuzzer target over the chart loaders: the chart frame, both layers of
// coast tiles and the named points, from one input cut into those data sets
// (kChartDataSets order), loaded in the start-up's order. Any bytes must
// load without reading or writing outside the lists.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/math_tools.h"
#include "data/package_resource_loader.h"
#include "data_set_input.h"

namespace {

const std::vector<std::string> kChartDataSets = {"MAPINI", "TILES", "TILESB", "BUOYS",
                                                 "TOWNS",  "FLATS", "courses"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  TPackageResourceLoader loader = FuzzLoader(data, size, kChartDataSets);
  TInterfaceApplicationMobile state;
  loader.LoadListBuoys(state);
  loader.LoadSettingsMap(state);
  loader.LoadListMapTilesA(state);
  loader.LoadListMapTilesB(state);
  loader.LoadListTowns(state);
  loader.LoadListFlats(state);
  loader.LoadListCourses(state);
  // The corners as `corvane info` shows them.
  const TMathTools math;
  (void)math.MinutesToGeoPos(state.SeaMap.P1);
  (void)math.MinutesToGeoPos(state.SeaMap.P2);
  return 0;
}
