#include "analysis/current_field.h"

#include <cmath>

#include "core/constants.h"
#include "core/date_time.h"
#include "tides/in_water.h"

namespace corvane {

bool TPackageCurrents::GetGRIBCurrentCovers(const TInterfaceApplicationMobile& state,
                                            const TListVektorCubeLight& cube,
                                            TDateTime moment) {
  if (!state.GRIBCurrentLoaded || cube.GetCountFields(0) == 0) return false;
  return CompareDateTime(cube.GetTimeFirstField(), moment) <= 0 &&
         CompareDateTime(moment, cube.GetTimeLastField()) <= 0;
}

void TPackageCurrents::GetTidalCurrents(int source, TInterfaceApplicationMobile& state) {
  if (state.AppType == kAppTypeSimulator) return;
  const TDateTime moment = state.DateTimeGMT;

  state.TidesValid = false;
  state.HoursToRefTideText.clear();

  if (PackageTides.GetTides(state.ListDayTides, moment)) {
    const TListDateTimes& referenceTides =
        state.RefTide == kGaugeLowWater ? PackageTides.ListTideTimesLW : PackageTides.ListTideTimesHW;
    PackageTides.SetListChartTimes(referenceTides);
    PackageTides.GetListChartTimeIndex(moment);
    TListVektorCubeLight& cube = source == kCurrentsSourceDrawn ? state.CubeLoRes : state.CubeHiRes;
    PackageTides.SetStreamCubeLightIndexing(cube);
    state.HoursToRefTide = PackageTides.GetTimeToRefTide(referenceTides, moment);
    state.HoursToRefTideText =
        PackageTides.GetTimeToRefTideText(state.TimeZoneOffset, state.TimeZone, moment);
    const double range = PackageTides.GetMeanTideRange(state.SecondaryPort, 0, moment);
    PackageTides.GetStreamCubeLightCalculation(cube, state.TideRangeShift, range);
    PackageTides.GetStreamFieldLightFixed(cube, state.TideTimeShift, moment);
    if (state.HideCurrent) cube.ClrVektorFieldFixed();
    if (source == kCurrentsSourceDrawn && !state.HideCurrent) {
      if (state.DrawCurrentsText) {
        PackageTides.GetStreamFieldTextLightFixed(state.CubeLoRes, state.TideTimeShift, moment);
      }
      PackageTides.GetSlackFieldLight(state.CubeLoRes, state.SlackMin);
      PackageTides.GetTidesBar(state.TideLevelMin, state.TideLevelMax, state.TideLevel, moment);
    }
    state.TidesValid = true;
  }

  if (source == kCurrentsSourceDrawn && GRIBWindOfMoment) GRIBWindOfMoment(state);

  // A GRIB current file replaces the atlas where it covers the moment; its
  // fields are in chronological order, so they are read without the ring.
  if (state.GRIBCurrentCube == 0 &&
      (source == kCurrentsSourceDrawn || source == kCurrentsSourceRouting) &&
      GetGRIBCurrentCovers(state, state.CubeLoRes, moment)) {
    state.CubeLoRes.GetFieldsIntp(false, moment);
    state.TidesValid = true;
  }
  if (state.GRIBCurrentCube == 1 && GetGRIBCurrentCovers(state, state.CubeTideTech, moment)) {
    state.CubeTideTech.GetFieldsIntp(false, moment);
  }
}

bool TPackageCurrents::GetInWater(const TMinutes& position,
                                  const TInterfaceApplicationMobile& state) const {
  return GetInNavigableWater(MathTools, position, state.ListMapTiles, state.ListDrafts, state.ListInvDrafts,
                             state.IndexDepthLine);
}

TPolar TPackageCurrents::GetCurrents(const TInterfaceApplicationMobile& state,
                                     const TMinutes& position) const {
  if (state.HideCurrent) return TPolar{};
  const TListVektorCubeLight& cubes = state.CubeLoRes;
  int cube = -1;
  for (int c = 0; c < cubes.GetCountCubes(); ++c) {
    if (MathTools.GetInPolygon(position, cubes.ListVektorCube[static_cast<std::size_t>(c)].VektorArea)) {
      cube = c;
      break;
    }
  }
  if (cube < 0 || !GetInWater(position, state)) return TPolar{};
  const TDateTime moment = IncMinute(state.DateTimeGMT, -std::llround(state.TideTimeShift));
  return MathTools.CartesianToPolar(cubes.GetTINVektor(true, cube, position, moment));
}

}  // namespace corvane
