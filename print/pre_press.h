#pragma once
// The chart of a track sheet: drawn for the track into the sheet's bitmap,
// then placed at the foot of the page with its frame and header.

#include <QPainter>

#include "print/pre_press_text.h"
#include "print/print_controller.h"

namespace corvane {

// Layout of the chart on the page, layout units: its margins left and right
// (together 84), its distance from the page's foot, and the header strip
// above it.
inline constexpr double kMapMarginsHor = 84;
inline constexpr double kMapLeft = 42;
inline constexpr double kMapBottom = 10;
inline constexpr double kMapHeader = 50;
// The header's text height relative to the strip's height.
inline constexpr double kMapHeaderFont = 0.6;

class TPrePress : public TPrePressText {
 public:
  // Selects track n, sets the renderer's viewport up for the bitmap (the
  // state's DeviceWidth x DeviceHeight), zooms to the track, brings the
  // drawn stream field up to date and, when route is set, runs the routing
  // command silently for the track (mode 1) or for every track (mode 2);
  // then renders the chart into Map. A track outside the list only selects
  // nothing and draws the chart as it stands.
  void PrePressMap(int n, bool route, TPrintController& controller, int mode);

  // The chart's rectangle on the page for a height/width ratio: width =
  // page width - 84 units (whole dots), height = ratio x width, left 42
  // units, its bottom 10 units (whole dots) above the page's foot, lifted
  // by MapOffsetVer.
  TRectF MapRect(double ratio) const;
  // The header strip directly above a chart rectangle, 50 units high.
  TRectF HeaderRect(const TRectF& mapRect) const;

  // Sets DestRect to MapRect(ratio), draws Map scaled into it, then the
  // frame and the header (the renderer's DrawFrameMap).
  void PostPressMap(QPainter& painter, TPrintController& controller, double ratio);
};

}  // namespace corvane
