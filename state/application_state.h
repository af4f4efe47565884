#pragma once
// The one record of application state that every operation receives
// explicitly: the user's choices, the loaded data sets and the routing
// results. It owns everything it holds.

#include <cstdint>
#include <string>
#include <vector>

#include "core/constants.h"
#include "core/types.h"
#include "data/map_tiles.h"
#include "polars/polars.h"
#include "routing/routing_data.h"
#include "tides/day_tides.h"
#include "tides/stream_cube.h"

namespace corvane {

// The waypoint rows of the window: a course holds at most this many marks.
inline constexpr int kMaxWaypoints = 12;

class TInterfaceApplicationMobile {
 public:
  // Sets the construction defaults; Setup of the region defaults overrides
  // Version, MaxCurrent, DeviceZoomMax, DeviceZoomStep, ScaleModel and
  // AppScaleBuoys.
  TInterfaceApplicationMobile();
  TInterfaceApplicationMobile(const TInterfaceApplicationMobile&) = delete;
  TInterfaceApplicationMobile& operator=(const TInterfaceApplicationMobile&) = delete;

  // --- Identity and files
  int AppType = 0;  // 0: the analyzer
  std::string Version = ".1";
  std::string RegionName = "The Quarne";
  std::string AppName;  // window title
  std::string IniName = "TheQuarne2016.ini";
  std::string AppMessage;  // left by a routing run for the user

  // --- Viewport and chart frame
  TMinutes DeviceCenter{-76.6150016784668, 3046.47497558594};
  double DeviceZoom = 9.81699816298431;  // 0 = whole chart
  double DeviceZoomMax = 5;
  double DeviceZoomStep = 1;
  double DeviceZoomBucket = 0;
  double DeviceWidth = 0;   // pixels of the chart image
  double DeviceHeight = 0;  // pixels of the chart image
  bool DeviceZoomActive = false;
  bool DeviceGestureMovableMarkActive = false;
  bool DeviceGestureMovableMarkWaypoint = false;
  bool DeviceGestureLinesActive = false;
  double OffScreenDimension = 3;  // off-screen chart size relative to the screen
  TPointF Offset;
  double MapRatio = 0;
  TMapArea SeaMap;
  int Gesture = 0;

  // --- Drawing options
  double MaxCurrent = 2;     // knots at the top of the current scale
  double CurrentsMin = 0.2;  // knots at or below which no arrow is drawn
  int UnitScaleCurrents = 0;
  double AppScaleBuoys = 1;
  double AppScaleWinds = 1;
  double AppScaleCourseBuoys = 1;
  double AppScaleLines = 1;
  double AppScaleTextSizeTiny = 1;
  double AppScaleTextSizeSmall = 1;
  double AppScaleTextSizeCourse = 1;
  double AppScaleTextSizeMedium = 1;
  double AppScaleSizeBoats = 1;
  bool AppDrawEddys = true;
  bool DrawCourse = true;
  bool DrawCurrents = true;
  bool DrawCurrentsText = true;
  bool DrawLatLonGrid = false;
  bool DrawBoatsOnTrack = true;
  bool DrawLaylines = true;
  bool DrawRouting = false;
  bool DrawGRIB = false;
  bool HideCurrent = false;
  int PrinterScaleDetail = 0;
  std::vector<double> PrinterTimeLeft;
  std::vector<double> PrinterTimeRight;

  // --- Chart data (parallel lists: entry i of each list of a kind belongs
  // to the same object)
  TListMapTiles ListMapTiles;
  TListPolygon ListDrafts;                  // per depth line, the deep area
  std::vector<TListPolygon> ListInvDrafts;  // per depth line, holes cut out of it
  TStringList ListTownsName;
  TListMinutes ListTownsPosition;
  std::vector<std::uint8_t> ListTownsAlign;
  TStringList ListFlatsName;
  TListMinutes ListFlatsPosition;
  std::vector<std::uint8_t> ListFlatsAlign;
  TStringList ListCoursesName;
  TListMinutes ListCoursesPosition;
  std::vector<double> ListCoursesDiameter;
  TStringList ListBuoysName;  // "name - shortcut" where a shortcut exists
  TListMinutes ListBuoysPosition;
  std::vector<std::uint8_t> ListBuoysAlign;
  std::vector<std::uint8_t> ListBuoysType;
  TStringList ListBuoysShortCut;

  // --- Date and time
  TDateTime DateTimeGMT = 0;
  TDateTime DateTimeLOC = 0;
  TDateTime DateTimeMinLOC = 0;
  TDateTime DateTimeMaxLOC = 0;
  std::uint16_t AYear = 2016;
  std::uint16_t AMonth = 9;
  std::uint16_t ADay = 1;
  std::uint16_t AHour = 14;
  std::uint16_t AMinute = 0;
  std::uint16_t AHourBegin = 0;
  std::uint16_t AMinuteBegin = 0;
  std::uint16_t AHourEnd = 0;
  std::uint16_t AMinuteEnd = 0;
  int TimeInterval = 4;
  int TimeZone = 0;
  int TimeZoneOffset = 0;

  // --- Tides and calibration
  TListDayTides ListDayTides;
  std::string YearOfTidesFrom;
  std::string YearOfTidesTo;
  std::string PortName;
  std::uint8_t RefTide = 0;
  bool SecondaryPort = false;
  bool TidesValid = false;
  double HoursToRefTide = 0;  // signed hours to the nearest reference tide
  std::string HoursToRefTideText;
  int IndexTideShift = 15;  // shift = index * 10 - 150 minutes
  int IndexRangeShift = 20;  // shift = index * 5 - 100 percent
  double TideTimeShift = 0;   // minutes
  double TideRangeShift = 0;  // fraction
  double TideLevelMin = 0;
  double TideLevelMax = 0;
  double TideLevel = 0;
  float TideTime = 0;
  double SlackMin = 0.15;  // knots

  // --- Current cubes
  TListVektorCubeLight CubeLoRes;
  TListVektorCubeLight CubeHiRes;
  TListVektorCubeLight CubeWind;
  TListVektorCubeLight CubeCurrentNow;
  TListVektorCubeLight CubeTideBot;
  TListVektorCubeLight CubeFetch;
  TListVektorCubeLight CubeGRIBMax;
  TListVektorCubeLight CubeGRIBMin;
  TListVektorCubeLight CubeTideTech;
  int IndexCube = 0;
  TDateTime GRIBHighWaterMax = 0;
  TDateTime GRIBHighWaterMin = 0;

  // --- Course of marks and tracks
  std::string ListWayPoints = "183;177";  // buoy indices separated by ";"
  int IndexWaypoint = 0;
  int TrackType = 3;  // 3 course of waypoints, 1 windward-leeward
  TListRoutingData ListRoutingData;

  // --- Wind and GRIB
  TWind Wind{2, 12, TPolar{0, kPi / 3}};  // 7 knots from 60 degrees
  bool GRIBWindLoaded = false;
  bool GRIBWindValid = false;
  bool GRIBWindLocationValid = false;
  bool GRIBWindCourse = true;
  bool GRIBCurrentLoaded = false;
  bool GRIBCurrentValid = false;
  int GRIBCurrentCube = 1;
  int GRIBIndex = 1;

  // --- Boat
  std::string BoatClass = "GRAND-SOLEIL39-NEW-C";
  TStringList ListClasses;  // dinghies, yachts, then the user's "My-" classes
  int CountDinghy = 0;
  int CountORCI = 0;
  TPolars Polars;

  // --- Routing
  bool RoutingValid = false;
  bool LowVMG = false;
  float MaxTimeToFinish = 5;  // hours
  int IndexDepthLine = 0;
  float ProgressValue = 0;
  float ProgressMaxValue = 0;
  std::string ProgressText;
  TListCoords ListDetection;
  int TimeStep_M30 = 0;
  int TimeStep_P30 = 0;
  int TimeStep_M15 = 0;
  int TimeStep_P15 = 0;

  // --- Model editor, simulator and live feeds (kept at their defaults here)
  bool ShowGPSLocation = false;
  TMinutes GPSLocation;
  double SeaMapDimensionSimulator = 6;
  double DataRadiusSimulator = 0;
  TMinutes DataCenterSimulator;
  int IndexPosition = -1;
  int ModelDataSource = 1;
  double ScaleModel = 1;
  std::string IniModelName;
  std::string IniModelCubeName;
  std::string IniPositionsName;
  std::string IniMarksName;
  std::string WinPath;
  std::string WinPathCurrentNow;
  bool DrawTideBot = false;
  bool DrawCurrentNow = false;
  bool DrawCurrentNowFlat = false;
  bool DrawFetchCurrentNow = false;
  bool DrawDesignerPositions = false;
  bool DrawDesignerCurrents = false;
  bool DrawGRIBMax = false;
  bool DrawGRIBMin = false;
  bool DrawGrid = false;
  bool DrawInterpolationCurrent = false;
};

// The window title for the analyzer: "CORVANE ANALYZER - " + region + " 2016"
// + version.
std::string MakeAppName(const std::string& regionName, const std::string& version);

// The selectable window of local times for a year: 2 January 01:00 to
// 29 December 23:00.
TDateTime DateTimeMinOfYear(int year);
TDateTime DateTimeMaxOfYear(int year);

// The chosen moment: DateTimeLOC from DateTimeGMT, and the reverse, with the
// state's time-zone settings.
void SetDateTimeLOC(TInterfaceApplicationMobile& state);
void SetDateTimeGMT(TInterfaceApplicationMobile& state);

}  // namespace corvane
