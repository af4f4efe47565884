// libFuzzer target over the import of another program's polar (both text
// formats, through the file reader `corvane polar --import` calls): any
// bytes must give a table or a rejection with a message, and a table it
// gives must survive what the program does with it next.

#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz_input.h"
#include "polar_table_use.h"
#include "polars/polar_exchange.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace corvane;
  const TFuzzScratch& scratch = FuzzScratch();
  const std::string file = scratch.Write("import.csv", std::span<const std::uint8_t>(data, size));
  TPolarImport polar = ReadPolarExchangeFile(file);
  if (polar.Ok) UsePolarTable(polar.Polars, (scratch.Folder() / "imported.pol").string());
  return 0;
}
