#pragma once
// Coast tiles of the chart and their polygon layers (minutes of arc, x
// longitude and y latitude as 32-bit floats).

#include <vector>

#include "core/types.h"

namespace corvane {

struct TMapTiles {
  TMinutes P1;  // south-west corner
  TMinutes P2;  // north-east corner
  int IndexH = 0;  // column, from 1, west to east
  int IndexV = 0;  // row, from 1, north to south
  // 0 ordinary; 1 water layers ignored by the afloat test and the water
  // drawing; 2 built at run time by the simulator.
  int Typ = 0;
  bool Draw = false;     // inside the drawn window
  bool Routing = false;  // inside the routing area of the track being routed
  TListPolygon CoastLines;
  TListPolygon ShallowWaters;
  TListPolygon InWaterLines;  // a position inside one of them is afloat
  TListPolygon Lines10m;
  TListPolygon Lines5m;
  TListPolygon Heights;
  TListPolygon Waters;
};

using TListMapTiles = std::vector<TMapTiles>;

}  // namespace corvane
