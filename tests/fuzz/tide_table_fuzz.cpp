// libFuzzer target over the tide-table loader: the header "TIDESINI" and
// the records of "TIDES" and "tides2" from one input cut into those data
// sets, then the tides of a day of the table's first year, as the chart
// header asks for them. Any bytes must load and be asked without reading
// or writing outside the table.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/date_time.h"
#include "data/package_resource_loader.h"
#include "data_set_input.h"
#include "tides/package_tides.h"

namespace {

const std::vector<std::string> kTideDataSets = {"TIDESINI", "TIDES", "tides2"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  TPackageResourceLoader loader = FuzzLoader(data, size, kTideDataSets);
  TInterfaceApplicationMobile state;
  TPackageTides tides;
  loader.LoadListTides(state, tides);
  if (const std::optional<TDateTime> moment = TryEncodeDateTime(tides.TidalYearBegin, 6, 1, 12, 0, 0, 0)) {
    TListDayTides day;
    (void)tides.GetTides(day, *moment);
  }
  return 0;
}
