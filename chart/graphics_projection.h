#pragma once
// The chart's viewport: the chart sized for the zoom, the off-screen bitmap
// (a window onto the chart, up to three device lengths each way, on which
// every layer is drawn) and the on-screen bitmap (a device-sized window into
// the off-screen bitmap), the coast tiles to draw, the scale factors of the
// symbols and texts, panning and zooming to a track.
//
// Chart pixels: origin at the chart's south-west corner, x east, y north.
// Positions are minutes of arc; sizes pixels.

#include <memory>

#include "chart/mobile_bitmap.h"
#include "chart/service_mercator.h"
#include "core/math_tools.h"
#include "core/types.h"
#include "routing/routing_data.h"
#include "state/application_state.h"

namespace corvane {

// Whole pixels of a size, halves to even (the bitmap sizes).
int RoundPixels(double size);

class TMobileGraphicsProjection {
 public:
  TMobileGraphicsProjection();
  virtual ~TMobileGraphicsProjection() = default;
  TMobileGraphicsProjection(const TMobileGraphicsProjection&) = delete;
  TMobileGraphicsProjection& operator=(const TMobileGraphicsProjection&) = delete;

  double OffScreenDimensionHome = 0;  // device's longer side, pixels
  int SeaMapOrientationHome = 1;   // 1 landscape, 2 portrait
  double SeaMapPixPerSmHome = 1;      // chart pixels per minute of longitude at zoom 0
  double SeaMapPixPerSm = 1;          // ... at the current zoom
  TPointF PanOffset;
  bool ValidDragRight = false;
  bool ValidDragLeft = false;
  bool ValidDragUp = false;
  bool ValidDragDown = false;
  TMathTools MathTools;
  std::unique_ptr<TServiceMercator> ServiceMercator;

  // Scale factors of the symbols, lines and texts (pixels unless a flag);
  // GetScaleFactors derives them from SeaMapPixPerSm.
  double ScaleLineArrow = 1;
  double ScaleArrowCurrents = 1;   // pixels of arrow length per knot
  double ScaleArrowWinds = 1;
  double ScaleArrowWindField = 1;  // wind-barb factor per knot
  double ScaleTextSizeMin = 1;
  double ScaleTextSizeTiny = 1;
  double ScaleTextSizeSmall = 1;
  double ScaleTextSizeCourse = 1;
  double ScaleTextSizeMedium = 1;
  double ScaleTextSizeLarge = 1;
  double ScaleTextSizeTidesBar = 12;
  double ScaleSizeBuoys = 1;
  bool ScaleShowBuoys = false;
  float ScaleSizeCourseLine = 1;  // 32-bit as the canvas takes it
  double ScaleSizeCourseMarks = 1;
  double ScaleSizeCourseGesture = 30;
  double ScaleSizeMovableMarks = 1;
  double ScaleLineRouting = 1;
  double ScaleLineLaylines = 1;
  double ScaleRoutingBestLineDetail = 1;
  double ScaleRoutingApproachLineLength = 1;
  double ScaleGPSLocation = 3;
  double ScaleGPSLocationRadius = 10;
  double ScaleTidesBarMeter = 18;  // pixels per metre
  double ScaleTidesBarWidth = 16;
  double ScaleSizeBoats = 1;
  bool ScaleShowBoats = false;
  bool ScaleShowCourseName = true;

  TMobileBitMap OnScreen;
  TMobileBitMap OffScreen;

  // New device size or centre: a white on-screen bitmap of DeviceWidth x
  // DeviceHeight centred on DeviceCenter (the chart's middle when
  // DeviceCenter lies outside SeaMap), and the zoom-0 chart, whose shorter
  // side equals the device's longer side.
  void InitDeviceProjection(TInterfaceApplicationMobile& state);
  // New zoom: sizes SeaMap for DeviceZoom (never smaller than the device),
  // makes a white off-screen bitmap of at most OffScreenDimension device
  // lengths, places both windows inside the chart, marks the coast tiles
  // to draw and updates the scale factors. Call InitDeviceProjection first.
  void GetDeviceProjection(TInterfaceApplicationMobile& state);
  // The scale factors for SeaMapPixPerSm and the state's user factors and
  // MaxCurrent.
  void GetScaleFactors(const TInterfaceApplicationMobile& state);

  // Panning with the mouse; Location in on-screen pixels (y down).
  void GesturePanStart(const TPointF& location);
  // Moves the on-screen window with the mouse. Where the window leaves the
  // off-screen bitmap and the chart goes on, the off-screen bitmap is
  // re-centred on the window (its layers must then be redrawn); where the
  // chart ends the window stops at the edge, so that moving back responds at
  // once. Sets DeviceCenter to the window's centre.
  struct TPanResult {
    bool Valid = false;           // some drag direction is open (a drag flag is set)
    bool OffScreenMoved = false;  // the off-screen bitmap was re-centred
  };
  TPanResult GesturePanWindow(TInterfaceApplicationMobile& state, const TPointF& location);

  // Zoom to and centre on a track: with a positive TrackDistance the zoom
  // shows the track over half the device's shorter side (clamped to
  // [0, DeviceZoomMax]); a track of length 0 only re-centres. The caller
  // redraws.
  void GetGotoTrack(const TRoutingData& routingData, TInterfaceApplicationMobile& state);

  // The zoom `steps` zoom keys away from the state's: every step multiplies
  // the scale by the same factor, and DeviceZoomMax / DeviceZoomStep steps
  // lead from the whole chart to the largest zoom. Clamped to the range.
  static double ZoomedBySteps(const TInterfaceApplicationMobile& state, double steps);

  // Centres the view for a zoom from the state's to `zoom` so that the chart
  // under the on-screen `point` stays under it (as far as the chart's edges
  // allow). The zoom itself follows with GetDeviceProjection.
  void CentreZoomAbout(TInterfaceApplicationMobile& state, double zoom, const TPointF& point,
                       const TPointF& offset);

 protected:
  // A new white surface of the given size; the canvas renderer overrides it
  // with a bitmap that has pixels.
  virtual std::unique_ptr<TBitMap> NewBitMap(int width, int height) const;

 private:
  // Off-screen placement: clamp Offset into the chart, centre and corners
  // from it, mark the tiles.
  void PlaceOffScreen(TInterfaceApplicationMobile& state);
  void MarkTiles(TInterfaceApplicationMobile& state) const;
  // OnScreen.Center and its MapArea.Center from OnScreen.Offset.
  void SetOnScreenCenter();

 protected:
  TMinutes ChartPixelToMinutes(double x, double y) const;
  // Chart pixels (y up) of an on-screen point (y down); offset as in
  // CentreZoomAbout.
  struct TChartPixel {
    double X = 0;
    double Y = 0;
  };
  TChartPixel OnScreenToChartPixel(const TPointF& point, const TPointF& offset) const;
};

}  // namespace corvane
