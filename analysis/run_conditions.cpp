#include "analysis/run_conditions.h"

#include <cmath>
#include <memory>

#include "core/date_time.h"
#include "tides/in_water.h"
#include "tides/stream_snapshot.h"

namespace corvane {

namespace {

// Whole seconds of hours, truncated toward zero, as every routing query has
// taken its time.
std::int64_t WholeSeconds(double hours) { return static_cast<std::int64_t>(std::trunc(hours * 3600)); }

// The atlas's charts around the moment: the chart ring that the tide model
// writes into a cube list for that moment.
TChartWindow AtlasWindow(const TPackageTides& tides, std::size_t fields) {
  TListVektorCubeLight indexing;
  indexing.TimeField.assign(fields, 0);
  tides.SetStreamCubeLightIndexing(indexing);
  return ChartWindowOf(indexing);
}

// A cube's fields as they stand (a GRIB current's, or the simulator's cube,
// which the tide model does not touch).
std::shared_ptr<const TUnpackedStreamAtlas> FieldsAsTheyStand(const TListVektorCubeLight& cube) {
  auto atlas = std::make_shared<TUnpackedStreamAtlas>();
  for (const TVektorCubeLight& source : cube.ListVektorCube) {
    TUnpackedStreamAtlas::TCube& out = atlas->Cubes.emplace_back(StreamCubeOf(source));
    for (const TVektorFieldLight& field : source.ListVektorField) out.Fields.push_back(field.ValueC);
  }
  return atlas;
}

std::shared_ptr<const TStreamSnapshot> StreamOfMoment(const TInterfaceApplicationMobile& state,
                                                      TPackageCurrents& currents) {
  if (state.HideCurrent) return nullptr;
  const TDateTime moment = state.DateTimeGMT;
  if (state.GRIBCurrentLoaded && state.GRIBCurrentCube == 0) {
    const TListVektorCubeLight& grib = state.CubeLoRes;
    TChartWindow window;
    for (std::size_t f = 0; f < grib.TimeField.size(); ++f) {
      window.Times.push_back(grib.TimeField[f]);
      window.Fields.push_back(static_cast<int>(f));
    }
    return std::make_shared<TStreamSnapshot>(FieldsAsTheyStand(grib), std::move(window), moment,
                                             state.TideTimeShift);
  }
  if (state.AppType == kAppTypeSimulator) {
    return std::make_shared<TStreamSnapshot>(FieldsAsTheyStand(state.CubeHiRes), ChartWindowOf(state.CubeHiRes),
                                             moment, state.TideTimeShift);
  }
  TPackageTides& tides = currents.PackageTides;
  if (!tides.GetTides(moment)) return nullptr;
  tides.SetListChartTimes(state.RefTide == kGaugeLowWater ? tides.ListTideTimesLW : tides.ListTideTimesHW);
  tides.GetListChartTimeIndex(moment);
  const TListVektorCubeLight& atlas = state.CubeHiRes;
  const double range = tides.GetMeanTideRange(state.SecondaryPort, 0, moment);
  std::shared_ptr<const TUnpackedStreamAtlas> unpacked = currents.StreamAtlases.Get(
      atlas, tides.MeanRangeNeaps, tides.MeanRangeSprings, range, state.TideRangeShift);
  return std::make_shared<TStreamSnapshot>(std::move(unpacked), AtlasWindow(tides, atlas.TimeField.size()),
                                           moment, state.TideTimeShift);
}

}  // namespace

TRoutingConditions BuildRoutingConditions(const TInterfaceApplicationMobile& state,
                                          TPackageCurrents& currents) {
  TRoutingConditions conditions;
  conditions.TrueWind = state.Wind.TrueWind;

  if (std::shared_ptr<const TStreamSnapshot> stream = StreamOfMoment(state, currents)) {
    conditions.Stream = stream->Everywhere();
    conditions.StreamWithin = [stream](const TListMinutes& area) { return stream->Within(area); };
  }
  if (state.AppType != kAppTypeSimulator) {
    auto water = std::make_shared<const TNavigableWater>(state.ListMapTiles, state.ListDrafts,
                                                         state.ListInvDrafts, state.IndexDepthLine);
    conditions.Navigable = [water](const TMinutes& position) { return water->Contains(position); };
  }

  if (state.GRIBWindLoaded && !state.CubeWind.ListVektorCube.empty()) {
    auto wind = std::make_shared<TListVektorCubeLight>(state.CubeWind);
    // The searches build their buckets on first use; build them here, before
    // the cube is shared, so that readers only read.
    wind->GetNearestPositions(0, TMinutes{});
    const TDateTime moment = state.DateTimeGMT;
    const TMathTools math;
    const TCartesian fixed = math.PolarToCartesian(state.Wind.TrueWind);
    std::shared_ptr<const TListVektorCubeLight> shared = std::move(wind);
    conditions.Wind = [shared, moment, fixed](const TMinutes& position, double hours) {
      const TDateTime t = IncSecond(moment, WholeSeconds(hours));
      if (!shared->GetDateTimeInCube(t)) return fixed;
      return shared->GetTINVektor(false, 0, position, t);
    };
  }
  return conditions;
}

}  // namespace corvane
