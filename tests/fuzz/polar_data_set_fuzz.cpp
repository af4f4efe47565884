// libFuzzer target over the polar library loaders: the dinghy and yacht
// names and records, from one input cut into those data sets, plus a last
// part naming the chosen boat class; the class list is built and the
// class's polar loaded as at start-up, then used as routing uses it. Any
// bytes must load without reading outside the data sets.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/package_resource_loader.h"
#include "data_set_input.h"
#include "fuzz_input.h"
#include "polar_table_use.h"

namespace {

const std::vector<std::string> kPolarDataSets = {"DINGHYN", "DINGHY", "POLARSN", "POLARS",
                                                 "BOATCLASS"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  const TFuzzScratch& scratch = FuzzScratch();
  const TResourceStore store = FuzzDataSets(data, size, kPolarDataSets);
  TPackageResourceLoader loader = FuzzLoader(store);
  TInterfaceApplicationMobile state;
  state.BoatClass = TResourceStream(*store.Open("BOATCLASS")).ReadAllText();
  loader.LoadListClasses(state);
  loader.LoadBoatPolars(state);
  UsePolarTable(state.Polars, (scratch.Folder() / "class.pol").string());
  return 0;
}
