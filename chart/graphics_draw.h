#pragma once
// Drawing primitives and chart symbols on the current canvas. Positions are
// either bitmap pixels (TPointF, origin top-left, y down) or minutes of arc
// (TMinutes, converted to off-screen pixels). Every symbol is drawn around
// one anchor point P = (x, y) and scaled by one size B in pixels. Colours
// are opaque ARGB.

#include <QString>
#include <memory>
#include <string>

#include "chart/arrow_geometry.h"
#include "chart/canvas.h"
#include "chart/graphics_transformation.h"
#include "core/string_tools.h"
#include "core/types.h"
#include "routing/routing_data.h"

namespace corvane {

// Colours of the chart.
inline constexpr TAlphaColor kColorBlack = 0xFF000000;
inline constexpr TAlphaColor kColorWhite = 0xFFFFFFFF;
inline constexpr TAlphaColor kColorRed = 0xFFFF0000;
inline constexpr TAlphaColor kColorGreen = 0xFF008000;
inline constexpr TAlphaColor kColorBlue = 0xFF0000FF;
inline constexpr TAlphaColor kColorYellow = 0xFFFFFF00;
inline constexpr TAlphaColor kColorOrange = 0xFFFFA500;
inline constexpr TAlphaColor kColorCyan = 0xFF00FFFF;
inline constexpr TAlphaColor kColorLightGreen = 0xFF90EE90;
inline constexpr TAlphaColor kColorNone = 0;  // "no fill"

// Texts below this size (pixels) cannot be read and are not drawn.
inline constexpr double kMinTextSize = 6;

class TMobileGraphicsDraw : public TMobileGraphicsTransformation {
 public:
  TStringTools StringTools;

  // --- Canvas
  // The canvas the primitives draw on (not owned); null draws nothing.
  TCanvas* Canvas = nullptr;
  // The font family of the texts ("ArialMT" or its stand-in), found at the
  // first text.
  const QString& FontFamily();

  // --- Lines
  // One line; the fill colour is set to the same colour.
  void DrawLine(TAlphaColor color, const TPointF& a, const TPointF& b, double thickness,
                TStrokeDash dash);
  void DrawLine(TAlphaColor color, const TMinutes& a, const TMinutes& b, double thickness,
                TStrokeDash dash);
  // A band one pixel thick: from a.X to b.X between a.Y + 1 and b.Y.
  void DrawLineHor(TAlphaColor color, const TPointF& a, const TPointF& b, double thickness);
  // A band one pixel thick: from a.Y to b.Y between a.X and b.X + 1.
  void DrawLineVer(TAlphaColor color, const TPointF& a, const TPointF& b, double thickness);
  // A cross of solid lines +-5 pixels (or +-radius) around (x, y).
  void DrawCross(TAlphaColor color, double x, double y);
  void DrawCross(TAlphaColor color, double x, double y, double radius, double thickness);
  void DrawCross(TAlphaColor color, const TMinutes& position);
  void DrawCross(TAlphaColor color, const TMinutes& position, double radius, double thickness);
  // The cross and the position's longitude and latitude texts beside it.
  void DrawCrossText(const TMinutes& position, TAlphaColor color);

  // --- Polygons (pixel polygons unless said)
  // Fill only, in its own drawing pass; nothing for an empty polygon.
  void DrawPolygon(TAlphaColor fillColor, const TPolygon& polygon);
  // Fill (unless fillColor is kColorNone), then a 1-pixel solid outline.
  void DrawPolygon(TAlphaColor lineColor, const TPolygon& polygon, TAlphaColor fillColor);
  // Outline only.
  void DrawPolygon(TAlphaColor lineColor, const TPolygon& polygon, double lineWidth);
  // The outline of positions; with numbered, each corner is labelled with
  // its index (only for two or more corners).
  void DrawPolygon(TAlphaColor lineColor, const TListCoords& positions, TStrokeDash dash,
                   double lineWidth, bool numbered = false);
  // A polygon of positions (X longitude, Y latitude): fill and 1-pixel
  // outline in the colour, for three or more points.
  void DrawScaledPolygon(TAlphaColor fillColor, const TPolygon& minutesPolygon);
  // A track line of positions, thinned to the line width, with dashes that
  // still show on short steps (chart/track_line.h).
  void DrawPolyLine(TAlphaColor lineColor, const TListCoords& positions, TStrokeDash dash,
                    double lineWidth);
  // Solid segments between consecutive positions (X longitude, Y latitude).
  void DrawPolyLine(TAlphaColor lineColor, const TPolygon& minutesPolygon, double lineWidth);

  // --- Circles and rectangles
  // Outline in the current stroke; the radius is half the pixel height of
  // diameterMinutes (minutes of latitude) at the position.
  void DrawCircle(const TMinutes& position, double diameterMinutes, TStrokeDash dash);
  // Filled disc, no outline.
  void DrawCircle(TAlphaColor color, double radius, const TMinutes& center);
  void DrawCircle(TAlphaColor color, double radius, const TPointF& center);
  // Filled disc, then a solid outline.
  void DrawCircle(TAlphaColor lineColor, double radius, const TPointF& center, TAlphaColor fillColor,
                  double thickness = 1);
  void DrawCircle(TAlphaColor lineColor, double radius, const TMinutes& center, TAlphaColor fillColor,
                  double thickness = 1);
  // Outline only.
  void DrawCircle(TAlphaColor color, double radius, double thickness, const TPointF& center);
  // Filled square whose half side is half the pixel height of
  // diameterMinutes at the position.
  void DrawSquareMark(TAlphaColor color, double diameterMinutes, const TMinutes& position);
  void DrawRectangle(TAlphaColor color, const TRectF& pixels, double thickness, TStrokeDash dash);
  // The rectangle between two positions.
  void DrawRectangle(TAlphaColor color, const TMinutes& a, const TMinutes& b, double thickness,
                     TStrokeDash dash);
  void FillRectangle(TAlphaColor fillColor, const TRectF& pixels, double cornerRadius);

  // --- Texts
  // The text at size round(size) (halves to even) in "ArialMT", centred
  // vertically on p and aligned across: centre, leading (starts at p) or
  // trailing (ends at p). Not drawn below kMinTextSize.
  void DrawText(const TPointF& p, const std::string& text, TTextAlign align, TAlphaColor color,
                double size);
  void DrawText(const TMinutes& position, const std::string& text, TTextAlign align,
                TAlphaColor color, double size);
  // "+mm:ss" (or " mm:ss" for negative hours) starting at p, one character
  // at a time so that the digits stay in fixed columns.
  void DrawTextTime(const TPointF& p, double hours, TAlphaColor color, double size);
  // Measured text of the chart font at a size (pixels).
  double TextWidth(const std::string& text, double size);
  double TextHeight(const std::string& text, double size);

  // --- Arrows
  // The stream arrow of length L (pixels) centred on p, pointing to
  // angleDegrees (clockwise from up). With a fill colour: filled and
  // outlined 1 pixel; with kColorNone: outline only, ScaleLineArrow wide.
  // Nothing for L <= 0.
  void DrawArrow(TAlphaColor lineColor, double length, double angleDegrees, const TPointF& p,
                 TAlphaColor fillColor);
  void DrawArrow(TAlphaColor lineColor, double length, double angleDegrees, const TMinutes& position,
                 TAlphaColor fillColor);
  // A red wind barb at the position for the wind (knots, radians).
  void DrawArrowWind(const TMinutes& position, const TPolar& wind);

  // --- Bitmaps
  // The whole image scaled into the rectangle.
  void DrawBitMap(const TRectF& destination, const QImage& image);

  // The on-screen window cut out of the off-screen bitmap onto the whole
  // on-screen bitmap, at full opacity; nothing until both exist.
  void CopyOffScreenToOnScreen();
  // The pixels of the two bitmaps; null before the viewport made them.
  QImage* OffScreenImage();
  QImage* OnScreenImage();

  // --- Symbols (B in pixels)
  void DrawBuoyShipChannel(TAlphaColor color, const TPointF& p, double b);
  void DrawBuoyTarvish(const TPointF& p, double b);
  void DrawBuoyRacing(TAlphaColor color, const TPointF& p, double b);
  void DrawSmallBuoyCircleRacing(TAlphaColor color, const TPointF& p, double b);
  void DrawSmallBuoyTriangleRacing(TAlphaColor color, const TPointF& p, double b);
  void DrawSmallBuoyZylinderRacing(TAlphaColor color, const TPointF& p, double b);
  void DrawBuoyFlatNS(TAlphaColor topColor, const TPointF& p, double b, TAlphaColor bottomColor);
  void DrawBuoyFlatEW(TAlphaColor topColor, const TPointF& p, double b, TAlphaColor bottomColor,
                      TAlphaColor middleColor);
  void DrawFort(const TPointF& p, double b);
  void DrawShip(const TPointF& p, double b);
  void DrawOlvenFlag(const TPointF& p, double b);
  void DrawLightHouseSmall(const TPointF& p, double b);
  void DrawLightHouseHuge(const TPointF& p, double b);
  // Yellow disc of radius ScaleSizeMovableMarks, black outline, the name
  // centred on it.
  void DrawMovableMark(const std::string& name, const TPointF& p);
  void DrawMovableMark(const std::string& name, const TMinutes& position);
  // The boat at its position heading along its Angle: heading line, hull
  // filled in fillColor, boom on the side of its Bug for the course type,
  // and its attack angle when 2 degrees or more.
  void DrawBoat(TAlphaColor fillColor, const TBoat& boat, int typeOfCourse);

 protected:
  // Bitmaps with pixels, cleared to opaque white.
  std::unique_ptr<TBitMap> NewBitMap(int width, int height) const override;
  // The text as DrawText, optionally bold.
  void DrawTextStyled(const TPointF& p, const std::string& text, TTextAlign align,
                      TAlphaColor color, double size, bool bold);
  // A filled rectangle between two corners, no outline.
  void Bar(TAlphaColor color, double left, double top, double right, double bottom);
  void FilledShape(TAlphaColor color, const TPolygon& polygon);

 private:
  QString fontFamily_;
};

}  // namespace corvane
