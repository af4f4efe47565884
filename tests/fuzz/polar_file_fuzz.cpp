// libFuzzer target over the reader of the user's own polar files ("*.pol"
// in the program's folder, hand-edited or from another computer): any bytes
// must give a table, and that table must survive what the program does with
// it next.

#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz_input.h"
#include "polar_table_use.h"
#include "polars/package_polars.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  const TFuzzScratch& scratch = FuzzScratch();
  const std::string file = scratch.Write("own.pol", std::span<const std::uint8_t>(data, size));
  TPolars polars;
  if (TPackagePolars().LoadPolars(file, polars)) {
    UsePolarTable(polars, (scratch.Folder() / "saved.pol").string());
  }
  return 0;
}
