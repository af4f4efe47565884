#include "state/settings_quarne.h"

#include "core/constants.h"

namespace corvane {

void TSettingsQuarne::Setup(int device, int appType, TInterfaceApplicationMobile& state) const {
  state.Version = ".4";
  state.RegionName = "The Quarne";
  if (appType == 0) state.AppName = MakeAppName(state.RegionName, state.Version);
  state.IniName = "TheQuarne2016.ini";
  state.AppType = appType;

  state.TrackType = 3;
  state.AYear = 2016;
  state.DateTimeMinLOC = DateTimeMinOfYear(state.AYear);
  state.DateTimeMaxLOC = DateTimeMaxOfYear(state.AYear);
  state.AMonth = 9;
  state.ADay = 1;
  state.AHour = 14;
  state.AMinute = 0;

  state.IndexTideShift = 15;
  state.IndexRangeShift = 20;

  state.BoatClass = "GRAND-SOLEIL39-NEW-C";
  state.MaxCurrent = 4;
  state.UnitScaleCurrents = 0;

  state.ListRoutingData.IndexTopMark = 10;
  state.ListWayPoints = "183;177";

  state.Wind.IndexSpeed = 2;
  state.Wind.IndexDirection = 12;
  state.Wind.TrueWind.Winkel = kPi / 3;

  state.DrawBoatsOnTrack = true;
  state.DrawLaylines = true;
  state.AppDrawEddys = true;
  state.DrawCurrentsText = true;

  state.DeviceZoom = 9.81699816298431;
  state.DeviceZoomMax = kZoomMaxQuarne;
  state.DeviceZoomStep = state.DeviceZoomMax / 8;
  state.DeviceCenter = TMinutes{-76.6150016784668, 3046.47497558594};

  if (device == 2) state.DrawLatLonGrid = true;

  state.GRIBIndex = 1;
  state.GRIBCurrentCube = 1;

  // File names of the stream-model editor; the analyzer never opens them.
  state.IniModelName = "TheQuarne2016Model.ini";
  state.IniModelCubeName = "TheQuarne2016ModelCube.ini";
  state.IniPositionsName = "TheQuarne2016Positions.ini";
  state.IniMarksName = "TheQuarne2016Marks.ini";
  state.ScaleModel = 1.175;
  state.AppScaleBuoys = 0.8;
}

}  // namespace corvane
