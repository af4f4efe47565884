#pragma once
// The chart's layers, drawn from the application state onto the off-screen
// bitmap, and the screen overlays drawn over the on-screen copy. The
// renderer reads the state; apart from the tiles' Draw flags, which the
// viewport keeps, it changes nothing in it.

#include <string>

#include "chart/graphics_draw.h"
#include "core/date_tools.h"
#include "core/math_tools.h"
#include "core/string_tools.h"
#include "core/types.h"
#include "state/application_state.h"

namespace corvane {

// Colours of the chart's layers.
inline constexpr TAlphaColor kColorSea = 0xFFB4D6F1;
inline constexpr TAlphaColor kColorDeep = 0xFFFFFFFF;       // beyond the 10 m line
inline constexpr TAlphaColor kColorLine5m = 0xFF66AEF3;
inline constexpr TAlphaColor kColorShallow = 0xFF669965;
inline constexpr TAlphaColor kColorLand = 0xFFFFCD65;
inline constexpr TAlphaColor kColorTideBar = 0xFFFFFFB7;
inline constexpr TAlphaColor kColorProgressBack = 0xFFEBEBEB;
inline constexpr TAlphaColor kColorProgressTrack = 0xFFF5F5DC;

// Colour of height polygon i (later polygons keep the last colour).
TAlphaColor HeightColor(int i);

class TMobileGraphicsCustomDraw : public TMobileGraphicsDraw {
 public:
  TDateTools DateTools;
  // On-screen points of the two movable marks and of their centre while a
  // mark gesture runs, and the polygon of a line gesture (set by the map
  // interaction).
  TPointF GestureM1;
  TPointF GestureM2;
  TPointF GestureMC;
  TPolygon GestureLine;

  // --- Layers, bottom to top (each checks its own switches)
  void DrawBackground();
  void DrawCoastTiles(const TInterfaceApplicationMobile& state);
  void DrawDepthLine(const TInterfaceApplicationMobile& state);
  void DrawCurrentArrows(const TInterfaceApplicationMobile& state);
  void DrawCurrentTexts(const TInterfaceApplicationMobile& state);
  void DrawSlacks(const TInterfaceApplicationMobile& state);
  void DrawTowns(const TInterfaceApplicationMobile& state);
  void DrawFlats(const TInterfaceApplicationMobile& state);
  void DrawCourses(const TInterfaceApplicationMobile& state);
  void DrawCourseLines(const TInterfaceApplicationMobile& state);
  void DrawApproachLines(const TInterfaceApplicationMobile& state);
  void DrawLaylines(const TInterfaceApplicationMobile& state);
  void DrawBestCourses(const TInterfaceApplicationMobile& state);
  void DrawBuoys(const TInterfaceApplicationMobile& state);
  void DrawWindArrows(const TInterfaceApplicationMobile& state);
  void DrawModelFrame(const TInterfaceApplicationMobile& state);
  void DrawBoatsAlongTracks(const TInterfaceApplicationMobile& state);
  void DrawBoatsNow(const TInterfaceApplicationMobile& state);
  void DrawGRIBWind(const TInterfaceApplicationMobile& state);

  // One buoy's symbol by its type (B = size in pixels).
  void DrawBuoySymbol(int type, const std::string& name, const TPointF& p, double b,
                      const TInterfaceApplicationMobile& state);

  // --- Screen overlays in the pixels of an image width x height
  void DrawGestureMarks(const TInterfaceApplicationMobile& state);
  void DrawGestureLine(const TInterfaceApplicationMobile& state);
  void DrawLegend(const TInterfaceApplicationMobile& state, double width, double height);
  void DrawTideBar(const TInterfaceApplicationMobile& state, double width, double height);

 protected:
  // Whether a track is shown with its routing results.
  static bool ShownRouted(const TRoutingData& track, const TInterfaceApplicationMobile& state);
};

}  // namespace corvane
