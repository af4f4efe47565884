// Generates the built-in polar library: runs the VPP over the hull and rig
// catalogue and writes POLARSN, POLARS, DINGHYN and DINGHY into the folder
// given as the first argument.
//
//   corvane_generate_polars <datasets folder>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "tools/datagen/polars/catalogue.h"
#include "tools/datagen/polars/polar_pack.h"
#include "tools/datagen/polars/vpp.h"

namespace {

using corvane::TDataSetPacker;
using corvane::TPolars;
using corvane::vpp::TBoatDesign;

bool Write(const TDataSetPacker& packer, const std::string& folder, const std::string& name) {
  const std::string path = folder + "/" + name;
  if (!packer.SaveByteArray(path)) {
    std::fprintf(stderr, "cannot write %s\n", path.c_str());
    return false;
  }
  std::printf("%s: %zu bytes\n", path.c_str(), packer.Bytes().size());
  return true;
}

// Computes the tables of a list of designs and writes its two data sets.
bool WriteLibrary(const std::vector<TBoatDesign>& designs, bool reachRows, const std::string& folder,
                  const std::string& namesSet, const std::string& recordsSet) {
  std::vector<std::string> names;
  std::vector<TPolars> tables;
  for (const TBoatDesign& design : designs) {
    names.push_back(design.Name);
    tables.push_back(corvane::vpp::Polars(design, reachRows));
    if (tables.size() % 50 == 0) std::printf("  %zu / %zu classes\n", tables.size(), designs.size());
  }
  return Write(corvane::vpp::PackClassNames(names), folder, namesSet) &&
         Write(corvane::vpp::PackPolarsRecords(tables), folder, recordsSet);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <datasets folder>\n", argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  try {
    const bool ok =
        WriteLibrary(corvane::vpp::DinghyCatalogue(), false, folder, "DINGHYN", "DINGHY") &&
        WriteLibrary(corvane::vpp::YachtCatalogue(), true, folder, "POLARSN", "POLARS");
    return ok ? 0 : 1;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "polar generation failed: %s\n", e.what());
    return 1;
  }
}
