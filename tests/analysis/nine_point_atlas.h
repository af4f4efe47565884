#pragma once
// A stream atlas of nine points, 1' apart around (-80', 3045'), with 26
// half-hourly fields whose directions turn with the field and the point, for
// the tests of the current field and of a run's conditions.

#include <cstdint>
#include <filesystem>

#include "core/date_time.h"
#include "core/file_tools.h"
#include "core/types.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "state/application_state.h"
#include "tides/package_tides.h"
#include "tides/stream_cube.h"

namespace corvane::nine_point_atlas {

inline constexpr int kFields = 26;
inline constexpr int kSlackPoint = 4;

inline TDateTime At(int year, int month, int day, int hour, int minute) {
  return EncodeDateTime(year, month, day, hour, minute, 0, 0);
}

// Grid point p = 3 x column + row of a 3 x 3 lattice 1' apart around
// (-80', 3045').
inline TMinutes GridPoint(int p) { return TMinutes{-81.0 + p / 3, 3044.0 + p % 3}; }

// Direction of field f at point p in whole degrees, and its spring speed in
// hundredths of a knot (the neap speed is half of it). The centre point has
// no stream at any chart.
inline int Direction(int f, int p) { return (10 * f + 5 * p) % 360; }
inline int Spring(int p) { return p == kSlackPoint ? 0 : 100 + 10 * p; }

inline std::int32_t Packed(int f, int p) {
  if (p == kSlackPoint) return 180000000;
  return Direction(f, p) * 1000000 + Spring(p) * 1000 + Spring(p) / 2;
}

inline TPolygon Square(float west, float south, float east, float north) {
  return TPolygon{{west, south}, {west, north}, {east, north}, {east, south}};
}

// One cube over the lattice with 26 half-hourly fields, its polygon and the
// routing area around it, two label positions and two slack positions.
inline void BuildAtlas(TListVektorCubeLight& atlas) {
  atlas.ClrCubes();
  const int c = atlas.AddCube();
  atlas.AddFields(c, kFields);
  atlas.AddPositions(c, 9);
  for (int p = 0; p < 9; ++p) {
    atlas.SetPosition(c, p, static_cast<float>(GridPoint(p).Lat), static_cast<float>(GridPoint(p).Lon));
  }
  for (int f = 0; f < kFields; ++f) {
    atlas.AddVektors(c, f, 9);
    for (int p = 0; p < 9; ++p) atlas.SetVektorPacked(c, f, Packed(f, p), p);
  }
  atlas.AddVektorArea(c, 4);
  atlas.SetVektorArea(c, 0, 3043, -82);
  atlas.SetVektorArea(c, 1, 3047, -82);
  atlas.SetVektorArea(c, 2, 3047, -78);
  atlas.SetVektorArea(c, 3, 3043, -78);
  atlas.SetDefaultRoutingArea(TRectF{-82, 3047, -78, 3043});
  atlas.AddPositionsText(2);
  atlas.SetPositionText(0, 3044, -81);
  atlas.SetPositionText(1, 3046, -79);
  atlas.AddSlacks(2);
  atlas.SetSlackPosition(0, GridPoint(kSlackPoint));
  atlas.SetSlackPosition(1, GridPoint(0));
}

// The built-in tide table, the atlas as both cubes of the state, and water
// west of -79.5' (the lattice's eastern column is ashore).
inline void SetUpWorld(TInterfaceApplicationMobile& state, TPackageTides& tides) {
  TPackageResourceLoader(BuiltInResourceStore(), TFileTools(std::filesystem::temp_directory_path()))
      .LoadListTides(state, tides);
  BuildAtlas(state.CubeLoRes);
  BuildAtlas(state.CubeHiRes);
  TMapTiles tile;
  tile.InWaterLines.push_back(Square(-90, 3040, -79.5f, 3050));
  state.ListMapTiles.push_back(tile);
}

}  // namespace corvane::nine_point_atlas
