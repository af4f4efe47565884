#pragma once
// One fuzz input as the data sets a loader reads together: the parts of the
// input (see SplitFuzzInput) in the order of the names given.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "data/package_resource_loader.h"
#include "data/resource_store.h"
#include "fuzz_input.h"
#include "tides/package_tides.h"

namespace corvane {

inline TResourceStore FuzzDataSets(const std::uint8_t* data, std::size_t size,
                                   const std::vector<std::string>& names) {
  TResourceStore store;
  const auto parts = SplitFuzzInput(data, size, names.size());
  for (std::size_t i = 0; i < names.size(); ++i) store.Add(names[i], FuzzBytes(parts[i]));
  return store;
}

// A loader over those data sets; its documents folder (the user's polar
// files) is the fuzz program's scratch folder.
inline TPackageResourceLoader FuzzLoader(const TResourceStore& store) {
  return TPackageResourceLoader(store, TFileTools(FuzzScratch().Folder()));
}
inline TPackageResourceLoader FuzzLoader(const std::uint8_t* data, std::size_t size,
                                         const std::vector<std::string>& names) {
  return FuzzLoader(FuzzDataSets(data, size, names));
}

// The low-resolution stream atlas and the slack positions, loaded in the
// start-up's order; the tide table must be loaded first.
inline void LoadStreamAtlas(TPackageResourceLoader& loader, TInterfaceApplicationMobile& state,
                            const TPackageTides& tides) {
  loader.LoadListCurrentsPositionsLight("streamg", state.CubeLoRes, tides);
  loader.LoadListCurrentsVektorsLight("streamf", tides, state.CubeLoRes);
  loader.LoadListCurrentsAreasLight(state.CubeLoRes);
  loader.LoadListCurrentsTextLight(state.CubeLoRes);
  loader.LoadListSlacks(state);
}

}  // namespace corvane
