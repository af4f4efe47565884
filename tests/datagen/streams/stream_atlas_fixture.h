#pragma once
// The built-in tidal stream atlas loaded as the analyzer loads it, the
// packed vectors unpacked, and the generator's calibration report.

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <map>
#include <numbers>
#include <string>
#include <vector>

#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "state/application_state.h"
#include "tides/package_tides.h"
#include "tools/datagen/bathymetry/land_mask.h"

namespace corvane::stream_atlas_test {

constexpr int kCharts = 26;
constexpr std::int32_t kNoStream = 180000000;

struct TAtlas {
  TInterfaceApplicationMobile State;
  TPackageTides Tides;
};

inline void Load(TAtlas& atlas) {
  TPackageResourceLoader loader(BuiltInResourceStore(),
                                TFileTools(std::filesystem::temp_directory_path()));
  loader.LoadListTides(atlas.State, atlas.Tides);
  loader.LoadListCurrentsPositionsLight("STREAMP", atlas.State.CubeHiRes, atlas.Tides);
  loader.LoadListCurrentsPositionsLight("STREAMG", atlas.State.CubeLoRes, atlas.Tides);
  loader.LoadListCurrentsVektorsLight("STREAMV", atlas.Tides, atlas.State.CubeHiRes);
  loader.LoadListCurrentsVektorsLight("STREAMF", atlas.Tides, atlas.State.CubeLoRes);
  loader.LoadListCurrentsAreasLight(atlas.State.CubeHiRes);
  loader.LoadListCurrentsAreasLight(atlas.State.CubeLoRes);
  loader.LoadListCurrentsTextLight(atlas.State.CubeLoRes);
  loader.LoadListSlacks(atlas.State);
}

struct TVector {
  double Direction = 0;  // degrees toward which the stream flows
  double Spring = 0;     // knots
  double Neap = 0;
  bool Stream = true;    // false: no stream at this chart
};

inline TVector Unpack(std::int32_t p) {
  TVector v;
  v.Stream = p != kNoStream;
  v.Direction = p / 1000000;
  v.Spring = ((p / 1000) % 1000) / 100.0;
  v.Neap = (p % 1000) / 100.0;
  return v;
}

inline TVector At(const TListVektorCubeLight& cube, int c, int f, int point) {
  return Unpack(cube.ListVektorCube[c].ListVektorField[f].ValuePacked[point]);
}

inline double AngleBetween(double a, double b) {
  const double d = std::fmod(std::abs(a - b), 360.0);
  return std::min(d, 360 - d);
}

inline std::map<std::string, std::string> ReadReport() {
  std::map<std::string, std::string> values;
  std::ifstream in(CORVANE_STREAMS_CALIBRATION_REPORT);
  std::string line;
  while (std::getline(in, line)) {
    if (line.empty() || line[0] == '#') continue;
    const auto eq = line.find('=');
    if (eq != std::string::npos) values[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return values;
}

}  // namespace corvane::stream_atlas_test
