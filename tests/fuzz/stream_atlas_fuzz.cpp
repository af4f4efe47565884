// libFuzzer target over the tidal stream atlas loaders: the tide-table
// header (it says how many fields the atlas has), the grid positions, the
// packed vectors, the cube areas, the label and the slack positions, from
// one input cut into those data sets and loaded in the start-up's order,
// then unpacked for a mid tide range and asked at the middle of the frame.
// Any bytes must load without reading or writing outside the lists the
// grid sized.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/package_resource_loader.h"
#include "data_set_input.h"
#include "tides/package_tides.h"

namespace {

const std::vector<std::string> kAtlasDataSets = {"TIDESINI", "STREAMG", "STREAMF",
                                                 "AREAS",    "STREAMT", "SLACK"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  TPackageResourceLoader loader = FuzzLoader(data, size, kAtlasDataSets);
  TInterfaceApplicationMobile state;
  TPackageTides tides;
  loader.LoadListTides(state, tides);
  LoadStreamAtlas(loader, state, tides);
  tides.GetStreamCubeLightCalculation(state.CubeLoRes, 0, 3);
  const TRectF& frame = state.CubeLoRes.ModelFrame;
  (void)state.CubeLoRes.GetVektorIntpAtPosition(
      TMinutes{(frame.Left + frame.Right) / 2, (frame.Bottom + frame.Top) / 2});
  return 0;
}
