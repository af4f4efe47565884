#pragma once
// The chart renderer: all layers painted into the off-screen bitmap, the
// visible window copied out of it with the screen overlays on top, the
// progress panel and the header of a printed chart. The window, the printer
// and the picture export draw through this one object.

#include <QPainter>

#include "chart/graphics_custom_draw.h"
#include "core/math_tools.h"
#include "core/types.h"
#include "state/application_state.h"

namespace corvane {

class TMobileGraphics : public TMobileGraphicsCustomDraw {
 public:
  double yOffset = 0;

  // Repaints the whole off-screen bitmap, layer by layer, in one drawing
  // pass. Nothing before the viewport made the bitmap.
  void DrawOffScreen(const TInterfaceApplicationMobile& state);
  // The map image's paint: the visible window copied out of the off-screen
  // bitmap, drawn into deviceRect, then the mark gesture, the line gesture,
  // the legend and the tide bar in deviceRect's pixels.
  void DrawOnScreen(QPainter& painter, const TRectF& deviceRect,
                    const TInterfaceApplicationMobile& state);
  // The copy and the bitmap only (printing).
  void DrawOnScreen(QPainter& painter, const TRectF& deviceRect);
  // The progress panel in rect: the progress text, the percentage and a bar.
  void DrawProgressBar(QPainter& painter, const TRectF& rect,
                       const TInterfaceApplicationMobile& state);
  // The frame and header line of a printed chart.
  void DrawFrameMap(QPainter& painter, const TRectF& destRect,
                    const TInterfaceApplicationMobile& state, double fontSize,
                    const TRectF& headerRect);

  // Panning: the on-screen window follows the mouse; when the off-screen
  // bitmap had to move, its layers are redrawn. True while some drag
  // direction is open.
  bool GesturePan(TInterfaceApplicationMobile& state, const TPointF& location);
  // After DeviceZoom changed: the viewport for the zoom and a redraw.
  void GestureZoom(TInterfaceApplicationMobile& state);

 private:
  // Runs draw with Canvas on a canvas over painter, translated to origin.
  template <typename Draw>
  void WithCanvas(QPainter& painter, const TRectF& origin, Draw draw);
};

}  // namespace corvane
