#include "app/services/leg_services.h"

#include <algorithm>
#include <string>

#include "routing/super_routing.h"

namespace corvane {

namespace {

const char* const kStepCourseType = "Detecting course type";
const char* const kStepStripesReach = "Building stripes reach";
const char* const kStepResults = "Processing results";
const char* const kPolarsNotValidBeat = "Polars not valid beat!";
const char* const kPolarsNotValidRun = "Polars not valid run!";
const char* const kPolarsNotValidReach = "Polars not valid reach!";

// Tile bounds start beyond any index so that the first tile found sets them.
constexpr int kNoTileIndexMin = 255;
constexpr int kNoTileIndexMax = 0;
// A vertex on a tile's edge belongs to it despite the 32-bit corners.
constexpr double kTileTolerance = 0.001;

bool TileHolds(const TMapTiles& tile, const TMinutes& position) {
  return position.Lon >= tile.P1.Lon - kTileTolerance && position.Lon <= tile.P2.Lon + kTileTolerance &&
         position.Lat >= tile.P1.Lat - kTileTolerance && position.Lat <= tile.P2.Lat + kTileTolerance;
}

}  // namespace

TListVektorCubeLight& TLegServices::RoutingCube(TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  return InterfaceApplicationMobile.GRIBCurrentLoaded ? InterfaceApplicationMobile.CubeLoRes
                                                      : InterfaceApplicationMobile.CubeHiRes;
}

bool TLegServices::GetRouting(bool SilentMode, TRoutingData& RoutingData,
                              TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  TDynamicGrid& progress = PackageRouting.DynamicGrid;
  const TPackagePolars& polars = PackageRouting.DynamicGrid.PackagePolars;

  PackageRouting.GetCourseInWater(RoutingData, state);
  if (!state.RoutingValid) {
    // Like every invalid leg, it leaves nothing of the run to draw.
    ResetRouting(state);
    return false;
  }
  if (!SilentMode) progress.StepProgressBar(state, kStepCourseType, 1);
  PackageRouting.GetTypeOfCourse(SilentMode, RoutingData, state);
  if (!SilentMode) progress.FillProgressBar(state, kStepCourseType, kProgressAfterCourseType);

  bool routed = false;
  switch (RoutingData.TypeOfCourse) {
    case kCourseBeat:
    case kCourseRun: {
      const bool beat = RoutingData.TypeOfCourse == kCourseBeat;
      if (beat ? polars.GetValidBeat(state.Polars) : polars.GetValidRun(state.Polars)) {
        PackageRouting.GetDynamicGridRouting(SilentMode, RoutingData.TypeOfCourse, RoutingData, state);
        routed = state.RoutingValid;
        if (DebugGrid) LogGrid(RoutingData, state);
      } else {
        state.AppMessage = beat ? kPolarsNotValidBeat : kPolarsNotValidRun;
      }
      break;
    }
    default:
      if (polars.GetValidReach(state.Polars)) {
        if (!SilentMode) progress.StepProgressBar(state, kStepStripesReach, 1);
        PackageRouting.GetStripesReach(RoutingData, state);
        // The corridor replaces the hexagon: index and field again.
        RoutingCube(state).GetIndexRoutingArea();
        GetRoutingCurrents(state);
        PackageRouting.GetIsochronicGridRouting(SilentMode, kCourseReach, RoutingData, state);
        routed = state.RoutingValid;
      } else {
        state.AppMessage = kPolarsNotValidReach;
      }
      break;
  }

  if (SilentMode) {
    state.DrawRouting = true;
  } else {
    GetDrawRouting(state);
  }
  if (!state.RoutingValid) ResetRouting(state);
  if (!SilentMode) progress.FillProgressBar(state, kStepResults, state.ProgressMaxValue);
  return routed;
}

void TLegServices::SetTrackStartTime(int IndexTrack, bool SingleTrack,
                                     TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  TListRoutingData& tracks = InterfaceApplicationMobile.ListRoutingData;
  TRoutingData* track = tracks.GetItem(IndexTrack);
  if (track == nullptr) return;
  const TRoutingData* previous = tracks.GetItem(IndexTrack - 1);
  if (previous == nullptr || SingleTrack) {
    track->DateTimeStartGMT = InterfaceApplicationMobile.DateTimeGMT;
    track->DateTimeStartLOC = InterfaceApplicationMobile.DateTimeLOC;
  } else {
    track->DateTimeStartGMT = previous->DateTimeFinishGMT;
    track->DateTimeStartLOC = previous->DateTimeFinishLOC;
  }
}

void TLegServices::SetHoursToRefTideText(TRoutingData& RoutingData,
                                         TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  RoutingData.HoursToRefTideText = PackageCurrents.PackageTides.GetTimeToRefTideText(
      InterfaceApplicationMobile.TimeZoneOffset, InterfaceApplicationMobile.TimeZone, RoutingData.DateTimeStartGMT);
}

void TLegServices::GetDrawRouting(TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  const auto& tracks = state.ListRoutingData.Items;
  if (state.DrawBoatsOnTrack) {
    state.DrawRouting = false;
    if (state.RoutingValid) {
      const auto routed = [](const std::unique_ptr<TRoutingData>& track) { return track->RoutingEnabled; };
      const auto first = std::find_if(tracks.begin(), tracks.end(), routed);
      const auto last = std::find_if(tracks.rbegin(), tracks.rend(), routed);
      if (first != tracks.end() && last != tracks.rend()) {
        state.DrawRouting = (*first)->DateTimeStartGMT <= state.DateTimeGMT &&
                            state.DateTimeGMT <= (*last)->DateTimeFinishGMT;
      }
    }
  } else {
    const TRoutingData* first = state.ListRoutingData.GetItem(0);
    state.DrawRouting = first != nullptr && state.DateTimeGMT == first->DateTimeStartGMT &&
                        first->RoutingEnabled && state.RoutingValid;
  }
  if (!state.DrawRouting) ResetRouting(state);
}

void TLegServices::ResetRouting(TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  PackageRouting.Reset(InterfaceApplicationMobile);
}

void TLegServices::SetTilesOnRoutingArea(TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  TListMapTiles& tiles = state.ListMapTiles;
  int hMax = 0;
  int vMax = 0;
  for (const TMapTiles& tile : tiles) {
    hMax = std::max(hMax, tile.IndexH);
    vMax = std::max(vMax, tile.IndexV);
  }
  int minH = kNoTileIndexMin;
  int maxH = kNoTileIndexMax;
  int minV = kNoTileIndexMin;
  int maxV = kNoTileIndexMax;
  const TMapArea& chart = state.SeaMap;
  for (const TMinutes& vertex : RoutingCube(state).ListRoutingArea) {
    // Columns run west to east and rows north to south: a vertex beyond the
    // frame reaches the chart's outermost column or row on that side.
    if (vertex.Lon < chart.P1.Lon) minH = 1;
    if (vertex.Lon > chart.P2.Lon) maxH = hMax;
    if (vertex.Lat < chart.P1.Lat) maxV = vMax;
    if (vertex.Lat > chart.P2.Lat) minV = 1;
    const auto holder = std::find_if(tiles.begin(), tiles.end(),
                                     [&vertex](const TMapTiles& tile) { return TileHolds(tile, vertex); });
    if (holder != tiles.end()) {
      minH = std::min(minH, holder->IndexH);
      maxH = std::max(maxH, holder->IndexH);
      minV = std::min(minV, holder->IndexV);
      maxV = std::max(maxV, holder->IndexV);
    }
  }
  for (TMapTiles& tile : tiles) {
    if (tile.IndexH >= minH && tile.IndexH <= maxH && tile.IndexV >= minV && tile.IndexV <= maxV) {
      tile.Routing = true;
    }
  }
}

void TLegServices::SetTilesOnTrack(const TRoutingData& RoutingData,
                                   TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  PackageCurrents.GetRoutingAreaLight(RoutingData, RoutingCube(InterfaceApplicationMobile));
  SetTilesOnRoutingArea(InterfaceApplicationMobile);
}

void TLegServices::GetRoutingCurrents(TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  if (InterfaceApplicationMobile.AppType == kAppTypeSimulator) return;
  PackageCurrents.GetTidalCurrents(kCurrentsSourceRouting, InterfaceApplicationMobile);
}

void TLegServices::SetRoutingLineStroke(TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  TListRoutingData& tracks = InterfaceApplicationMobile.ListRoutingData;
  switch (InterfaceApplicationMobile.TrackType) {
    case 0:
    case 2:
      if (TRoutingData* track = tracks.GetItem(0)) track->StrokeDash = TStrokeDash::Solid;
      break;
    case 3:
      tracks.SetRoutingLineStroke();
      break;
    case 1:
      if (TRoutingData* beat = tracks.GetItem(0)) beat->StrokeDash = TStrokeDash::Solid;
      if (TRoutingData* run = tracks.GetItem(1)) run->StrokeDash = TStrokeDash::Dash;
      break;
    default:
      break;
  }
}

void TLegServices::LogGrid(const TRoutingData& RoutingData, const TInterfaceApplicationMobile& state) {
  TGrid& grid = PackageRouting.DynamicGrid.Grid;
  GridLog.AddItem();
  GridLog.AddItem("Track", RoutingData.BuoyStart + " -> " + RoutingData.BuoyFinish);
  GridLog.AddItem("TypeOfCourse", RoutingData.TypeOfCourse);
  GridLog.AddItem("RoutingValid", state.RoutingValid);
  GridLog.AddItem("AppMessage", state.AppMessage);
  GridLog.AddItem("TimeDefault", grid.TimeDefault);
  GridLog.AddItem("TimeBestCourse", RoutingData.TimeBestCourse);
  GridLog.AddItem("BestLine", grid.BestLine);
  GridLog.AddItem("BestIndex", grid.BestIndex);
  for (int line = 1; line <= grid.Count(); ++line) {
    const TGridLine& gridLine = *grid.GetLine(line);
    int afloat = 0;
    for (const auto& point : gridLine.ListGridPoint) afloat += point->InWater ? 1 : 0;
    GridLog.AddItem("Line", std::to_string(line) + "   points " + std::to_string(gridLine.Count()) + "   afloat " +
                                std::to_string(afloat) + "   best " + std::to_string(gridLine.BestIndex) + "   " +
                                TLogging::FormatFixed(gridLine.BestDistance, 8, 4) + " nm");
  }
}

}  // namespace corvane
