#include "chart/graphics_draw.h"

#include <cmath>

#include "chart/boat_geometry.h"
#include "chart/chart_font.h"
#include "chart/track_line.h"

namespace corvane {

namespace {

constexpr TAlphaColor kColorFort = 0xFFFFCD65;
constexpr double kCrossHalf = 5;  // pixels

TPointF Point(double x, double y) { return TPointF{static_cast<float>(x), static_cast<float>(y)}; }

TRectF Rect(double left, double top, double right, double bottom) {
  return TRectF{static_cast<float>(left), static_cast<float>(top), static_cast<float>(right),
                static_cast<float>(bottom)};
}

TRectF CircleRect(const TPointF& c, double radius) {
  return Rect(c.X - radius, c.Y - radius, c.X + radius, c.Y + radius);
}

double RoundHalfEven(double value) { return std::nearbyint(static_cast<double>(value)); }

}  // namespace

const QString& TMobileGraphicsDraw::FontFamily() {
  if (fontFamily_.isEmpty()) fontFamily_ = ResolveChartFontFamily();
  return fontFamily_;
}

// ------------------------------------------------------------------ lines

void TMobileGraphicsDraw::DrawLine(TAlphaColor color, const TPointF& a, const TPointF& b,
                                   double thickness, TStrokeDash dash) {
  if (Canvas == nullptr) return;
  Canvas->SetStrokeColor(color);
  Canvas->SetStrokeDash(dash);
  Canvas->SetStrokeThickness(thickness);
  Canvas->SetFillColor(color);
  Canvas->DrawLine(a, b);
}

void TMobileGraphicsDraw::DrawLine(TAlphaColor color, const TMinutes& a, const TMinutes& b,
                                   double thickness, TStrokeDash dash) {
  DrawLine(color, Minutes_to_OffScreen(a), Minutes_to_OffScreen(b), thickness, dash);
}

void TMobileGraphicsDraw::DrawLineHor(TAlphaColor color, const TPointF& a, const TPointF& b,
                                      double thickness) {
  (void)thickness;  // the band is one pixel whatever the stroke
  Bar(color, a.X, a.Y + 1, b.X, b.Y);
}

void TMobileGraphicsDraw::DrawLineVer(TAlphaColor color, const TPointF& a, const TPointF& b,
                                      double thickness) {
  (void)thickness;
  Bar(color, a.X, a.Y, b.X + 1, b.Y);
}

void TMobileGraphicsDraw::DrawCross(TAlphaColor color, double x, double y) {
  DrawCross(color, x, y, kCrossHalf, 1);
}

void TMobileGraphicsDraw::DrawCross(TAlphaColor color, double x, double y, double radius, double thickness) {
  DrawLine(color, Point(x - radius, y), Point(x + radius, y), thickness, TStrokeDash::Solid);
  DrawLine(color, Point(x, y - radius), Point(x, y + radius), thickness, TStrokeDash::Solid);
}

void TMobileGraphicsDraw::DrawCross(TAlphaColor color, const TMinutes& position) {
  const TPointF p = Minutes_to_OffScreen(position);
  DrawCross(color, p.X, p.Y);
}

void TMobileGraphicsDraw::DrawCross(TAlphaColor color, const TMinutes& position, double radius,
                                    double thickness) {
  const TPointF p = Minutes_to_OffScreen(position);
  DrawCross(color, p.X, p.Y, radius, thickness);
}

void TMobileGraphicsDraw::DrawCrossText(const TMinutes& position, TAlphaColor color) {
  const TPointF p = Minutes_to_OffScreen(position);
  DrawCross(color, p.X, p.Y);
  const double s = ScaleTextSizeSmall;
  DrawText(Point(p.X + s, p.Y - s / 2), MathTools.MinutesToGeoPos(position.Lon, 'W', 'E'),
           TTextAlign::Leading, color, s);
  DrawText(Point(p.X + s, p.Y + s / 2), MathTools.MinutesToGeoPos(position.Lat, 'S', 'N'),
           TTextAlign::Leading, color, s);
}

// --------------------------------------------------------------- polygons

void TMobileGraphicsDraw::DrawPolygon(TAlphaColor fillColor, const TPolygon& polygon) {
  if (Canvas == nullptr || polygon.empty()) return;
  Canvas->SetFillColor(fillColor);
  Canvas->FillPolygon(polygon);
}

void TMobileGraphicsDraw::DrawPolygon(TAlphaColor lineColor, const TPolygon& polygon,
                                      TAlphaColor fillColor) {
  if (Canvas == nullptr || polygon.empty()) return;
  if (fillColor != kColorNone) {
    Canvas->SetFillColor(fillColor);
    Canvas->FillPolygon(polygon);
  }
  Canvas->SetStrokeColor(lineColor);
  Canvas->SetStrokeDash(TStrokeDash::Solid);
  Canvas->SetStrokeThickness(1);
  Canvas->DrawPolygon(polygon);
}

void TMobileGraphicsDraw::DrawPolygon(TAlphaColor lineColor, const TPolygon& polygon,
                                      double lineWidth) {
  if (Canvas == nullptr || polygon.empty()) return;
  Canvas->SetStrokeColor(lineColor);
  Canvas->SetStrokeDash(TStrokeDash::Solid);
  Canvas->SetStrokeThickness(lineWidth);
  Canvas->DrawPolygon(polygon);
}

void TMobileGraphicsDraw::DrawPolygon(TAlphaColor lineColor, const TListCoords& positions,
                                      TStrokeDash dash, double lineWidth, bool numbered) {
  if (Canvas == nullptr || positions.Count() == 0) return;
  if (numbered && positions.Count() < 2) return;
  TPolygon pixels;
  pixels.reserve(positions.Items.size());
  for (const TCoords& c : positions.Items) pixels.push_back(Minutes_to_OffScreen(c.CoordM));
  Canvas->SetStrokeColor(lineColor);
  Canvas->SetStrokeDash(dash);
  Canvas->SetStrokeThickness(lineWidth);
  Canvas->DrawPolygon(pixels);
  if (!numbered) return;
  for (std::size_t i = 0; i < pixels.size(); ++i) {
    DrawText(pixels[i], std::to_string(i), TTextAlign::Center, lineColor, ScaleTextSizeSmall);
  }
}

void TMobileGraphicsDraw::DrawScaledPolygon(TAlphaColor fillColor, const TPolygon& minutesPolygon) {
  if (Canvas == nullptr || minutesPolygon.size() < 3) return;
  const TPolygon pixels = ScaleToPix(minutesPolygon);
  Canvas->SetFillColor(fillColor);
  Canvas->FillPolygon(pixels);
  Canvas->SetStrokeColor(fillColor);
  Canvas->SetStrokeDash(TStrokeDash::Solid);
  Canvas->SetStrokeThickness(1);
  Canvas->DrawPolygon(pixels);
}

void TMobileGraphicsDraw::DrawPolyLine(TAlphaColor lineColor, const TListCoords& positions,
                                       TStrokeDash dash, double lineWidth) {
  if (Canvas == nullptr) return;
  TPolygon pixels;
  pixels.reserve(positions.Items.size());
  for (const TCoords& c : positions.Items) pixels.push_back(Minutes_to_OffScreen(c.CoordM));
  Canvas->SetStrokeColor(lineColor);
  Canvas->SetStrokeThickness(lineWidth);
  for (const TTrackSegment& segment : GetTrackSegments(pixels, lineWidth, dash)) {
    Canvas->SetStrokeDash(segment.Dash);
    Canvas->DrawLine(segment.Line.From, segment.Line.To);
  }
}

void TMobileGraphicsDraw::DrawPolyLine(TAlphaColor lineColor, const TPolygon& minutesPolygon,
                                       double lineWidth) {
  if (Canvas == nullptr) return;
  Canvas->SetStrokeColor(lineColor);
  Canvas->SetStrokeDash(TStrokeDash::Solid);
  Canvas->SetStrokeThickness(lineWidth);
  Canvas->DrawPolyline(ScaleToPix(minutesPolygon));
}

// ------------------------------------------------- circles and rectangles

void TMobileGraphicsDraw::DrawCircle(const TMinutes& position, double diameterMinutes,
                                     TStrokeDash dash) {
  if (Canvas == nullptr) return;
  const TPointF p = Minutes_to_OffScreen(position);
  const double radius =
      std::fabs(Latitude_to_yOffScreen(position.Lat + diameterMinutes) - p.Y) / 2;
  Canvas->SetStrokeDash(dash);
  Canvas->DrawEllipse(CircleRect(p, radius));
}

void TMobileGraphicsDraw::DrawCircle(TAlphaColor color, double radius, const TMinutes& center) {
  DrawCircle(color, radius, Minutes_to_OffScreen(center));
}

void TMobileGraphicsDraw::DrawCircle(TAlphaColor color, double radius, const TPointF& center) {
  if (Canvas == nullptr) return;
  Canvas->SetFillColor(color);
  Canvas->FillEllipse(CircleRect(center, radius));
}

void TMobileGraphicsDraw::DrawCircle(TAlphaColor lineColor, double radius, const TPointF& center,
                                     TAlphaColor fillColor, double thickness) {
  if (Canvas == nullptr) return;
  Canvas->SetFillColor(fillColor);
  Canvas->FillEllipse(CircleRect(center, radius));
  Canvas->SetStrokeColor(lineColor);
  Canvas->SetStrokeDash(TStrokeDash::Solid);
  Canvas->SetStrokeThickness(thickness);
  Canvas->DrawEllipse(CircleRect(center, radius));
}

void TMobileGraphicsDraw::DrawCircle(TAlphaColor lineColor, double radius, const TMinutes& center,
                                     TAlphaColor fillColor, double thickness) {
  DrawCircle(lineColor, radius, Minutes_to_OffScreen(center), fillColor, thickness);
}

void TMobileGraphicsDraw::DrawCircle(TAlphaColor color, double radius, double thickness,
                                     const TPointF& center) {
  if (Canvas == nullptr) return;
  Canvas->SetStrokeColor(color);
  Canvas->SetStrokeDash(TStrokeDash::Solid);
  Canvas->SetStrokeThickness(thickness);
  Canvas->DrawEllipse(CircleRect(center, radius));
}

void TMobileGraphicsDraw::DrawSquareMark(TAlphaColor color, double diameterMinutes,
                                         const TMinutes& position) {
  const TPointF p = Minutes_to_OffScreen(position);
  const double half = std::fabs(Latitude_to_yOffScreen(position.Lat + diameterMinutes) - p.Y) / 2;
  Bar(color, p.X - half, p.Y - half, p.X + half, p.Y + half);
}

void TMobileGraphicsDraw::DrawRectangle(TAlphaColor color, const TRectF& pixels, double thickness,
                                        TStrokeDash dash) {
  if (Canvas == nullptr) return;
  Canvas->SetStrokeColor(color);
  Canvas->SetStrokeDash(dash);
  Canvas->SetStrokeThickness(thickness);
  Canvas->DrawRect(pixels);
}

void TMobileGraphicsDraw::DrawRectangle(TAlphaColor color, const TMinutes& a, const TMinutes& b,
                                        double thickness, TStrokeDash dash) {
  const TPointF pa = Minutes_to_OffScreen(a);
  const TPointF pb = Minutes_to_OffScreen(b);
  DrawRectangle(color, TRectF{pa.X, pa.Y, pb.X, pb.Y}, thickness, dash);
}

void TMobileGraphicsDraw::FillRectangle(TAlphaColor fillColor, const TRectF& pixels,
                                        double cornerRadius) {
  if (Canvas == nullptr) return;
  Canvas->SetFillColor(fillColor);
  Canvas->FillRect(pixels, cornerRadius, cornerRadius);
}

// ------------------------------------------------------------------ texts

double TMobileGraphicsDraw::TextWidth(const std::string& text, double size) {
  if (Canvas == nullptr) return 0;
  Canvas->SetFont(FontFamily(), static_cast<int>(RoundHalfEven(size)));
  return Canvas->TextWidth(text);
}

double TMobileGraphicsDraw::TextHeight(const std::string& text, double size) {
  if (Canvas == nullptr) return 0;
  Canvas->SetFont(FontFamily(), static_cast<int>(RoundHalfEven(size)));
  return Canvas->TextHeight(text);
}

void TMobileGraphicsDraw::DrawText(const TPointF& p, const std::string& text, TTextAlign align,
                                   TAlphaColor color, double size) {
  DrawTextStyled(p, text, align, color, size, false);
}

void TMobileGraphicsDraw::DrawTextStyled(const TPointF& p, const std::string& text,
                                         TTextAlign align, TAlphaColor color, double size,
                                         bool bold) {
  if (Canvas == nullptr || text.empty()) return;
  const double fontSize = RoundHalfEven(size);
  if (!(fontSize >= kMinTextSize)) return;
  Canvas->SetFont(FontFamily(), static_cast<int>(fontSize), bold);
  Canvas->SetStrokeColor(color);
  Canvas->SetStrokeThickness(1);
  Canvas->SetFillColor(color);
  // The box is a fifth larger than the text so that no glyph touches its edge.
  const double w = 1.2 * Canvas->TextWidth(text);
  const double h = 1.2 * Canvas->TextHeight(text);
  const double d = align == TTextAlign::Center ? w / 2 : align == TTextAlign::Trailing ? w : 0;
  Canvas->FillText(Rect(p.X - d, p.Y - h / 2, p.X - d + w, p.Y + h / 2), text, align);
}

void TMobileGraphicsDraw::DrawText(const TMinutes& position, const std::string& text,
                                   TTextAlign align, TAlphaColor color, double size) {
  DrawText(Minutes_to_OffScreen(position), text, align, color, size);
}

void TMobileGraphicsDraw::DrawTextTime(const TPointF& p, double hours, TAlphaColor color, double size) {
  if (Canvas == nullptr) return;
  const std::string text = std::string(hours >= 0 ? "+" : " ") + StringTools.ToTimesShort(hours);
  const double plus = 0.8 * TextWidth("+", size);
  const double colon = 0.8 * TextWidth(":", size);
  const double digit = 0.8 * TextWidth("0", size);
  double x = p.X;
  for (char c : text) {
    DrawText(Point(x, p.Y), std::string(1, c), TTextAlign::Leading, color, size);
    x += c == '+' || c == ' ' ? plus : c == ':' ? colon : digit;
  }
}

// ----------------------------------------------------------------- arrows

void TMobileGraphicsDraw::DrawArrow(TAlphaColor lineColor, double length, double angleDegrees,
                                    const TPointF& p, TAlphaColor fillColor) {
  if (Canvas == nullptr) return;
  const TPolygon polygon = GetArrowPolygon(p, length, angleDegrees);
  if (polygon.empty()) return;
  if (fillColor != kColorNone) {
    DrawPolygon(lineColor, polygon, fillColor);
  } else {
    DrawPolygon(lineColor, polygon, ScaleLineArrow);
  }
}

void TMobileGraphicsDraw::DrawArrow(TAlphaColor lineColor, double length, double angleDegrees,
                                    const TMinutes& position, TAlphaColor fillColor) {
  DrawArrow(lineColor, length, angleDegrees, Minutes_to_OffScreen(position), fillColor);
}

void TMobileGraphicsDraw::DrawArrowWind(const TMinutes& position, const TPolar& wind) {
  if (Canvas == nullptr) return;
  for (const TLineF& line :
       GetWindBarbLines(Minutes_to_OffScreen(position), wind, ScaleArrowWindField)) {
    DrawLine(kColorRed, line.From, line.To, 1, TStrokeDash::Solid);
  }
}

void TMobileGraphicsDraw::DrawBitMap(const TRectF& destination, const QImage& image) {
  if (Canvas == nullptr || image.isNull()) return;
  Canvas->DrawBitMap(image, TRectF{0, 0, static_cast<float>(image.width()),
                                   static_cast<float>(image.height())},
                     destination);
}

std::unique_ptr<TBitMap> TMobileGraphicsDraw::NewBitMap(int width, int height) const {
  return std::make_unique<TImageBitMap>(width, height);
}

QImage* TMobileGraphicsDraw::OffScreenImage() {
  auto* bitmap = dynamic_cast<TImageBitMap*>(OffScreen.BitMap.get());
  return bitmap == nullptr ? nullptr : &bitmap->Image;
}

QImage* TMobileGraphicsDraw::OnScreenImage() {
  auto* bitmap = dynamic_cast<TImageBitMap*>(OnScreen.BitMap.get());
  return bitmap == nullptr ? nullptr : &bitmap->Image;
}

void TMobileGraphicsDraw::CopyOffScreenToOnScreen() {
  QImage* source = OffScreenImage();
  QImage* target = OnScreenImage();
  if (source == nullptr || target == nullptr || target->isNull()) return;
  const double offHeight = source->height();
  const double onHeight = target->height();
  const TRectF from = Rect(OnScreen.Offset.X, offHeight - OnScreen.Offset.Y - onHeight,
                           target->width() + OnScreen.Offset.X, offHeight - OnScreen.Offset.Y);
  TCanvas canvas(*target);
  if (!canvas.BeginScene()) return;
  // A window of whole pixels is a plain copy; no smoothing needed.
  canvas.Painter().setRenderHint(QPainter::SmoothPixmapTransform, false);
  canvas.Painter().setCompositionMode(QPainter::CompositionMode_Source);
  canvas.DrawBitMap(*source, from,
                    TRectF{0, 0, static_cast<float>(target->width()),
                           static_cast<float>(target->height())});
  canvas.EndScene();
}

// ---------------------------------------------------------------- symbols

void TMobileGraphicsDraw::Bar(TAlphaColor color, double left, double top, double right, double bottom) {
  if (Canvas == nullptr) return;
  Canvas->SetFillColor(color);
  Canvas->FillRect(Rect(left, top, right, bottom));
}

void TMobileGraphicsDraw::FilledShape(TAlphaColor color, const TPolygon& polygon) {
  if (Canvas == nullptr) return;
  Canvas->SetFillColor(color);
  Canvas->FillPolygon(polygon);
}

void TMobileGraphicsDraw::DrawBuoyShipChannel(TAlphaColor color, const TPointF& p, double b) {
  const double x = p.X;
  const double y = p.Y;
  Bar(kColorBlack, x - b, y - b / 4, x + b, y);
  FilledShape(color, {Point(x - 0.8 * b, y - b / 4), Point(x - 0.7 * b, y - b / 4 - 1.1 * b),
                      Point(x + 0.7 * b, y - b / 4 - 1.1 * b), Point(x + 0.8 * b, y - b / 4)});
}

void TMobileGraphicsDraw::DrawBuoyTarvish(const TPointF& p, double b) {
  const double x = p.X;
  const double y = p.Y;
  Bar(kColorBlack, x - 0.5 * b, y - 0.2 * b, x + 0.5 * b, y);
  Bar(kColorBlack, x - 0.35 * b, y - 1.4 * b, x + 0.35 * b, y - 0.2 * b);
}

void TMobileGraphicsDraw::DrawBuoyRacing(TAlphaColor color, const TPointF& p, double b) {
  if (Canvas == nullptr) return;
  const double x = p.X;
  const double y = p.Y;
  Bar(kColorBlack, x - 0.5 * b, y - 0.2 * b, x + 0.5 * b, y);
  Canvas->SetFillColor(color);
  Canvas->FillRect(Rect(x - 0.5 * b, y - b, x + 0.5 * b, y - 0.2 * b), 0.5 * b, 0.4 * b,
                   TCorners{true, true, false, false});
}

void TMobileGraphicsDraw::DrawSmallBuoyCircleRacing(TAlphaColor color, const TPointF& p, double b) {
  DrawCircle(kColorBlack, b / 3, p, color, 2);
}

void TMobileGraphicsDraw::DrawSmallBuoyTriangleRacing(TAlphaColor color, const TPointF& p, double b) {
  if (Canvas == nullptr) return;
  const double a = b / 3.5;
  const TPolygon triangle{Point(p.X - a, p.Y), Point(p.X, p.Y - 3 * a), Point(p.X + a, p.Y)};
  FilledShape(color, triangle);
  DrawPolygon(kColorBlack, triangle, double{2});
}

void TMobileGraphicsDraw::DrawSmallBuoyZylinderRacing(TAlphaColor color, const TPointF& p, double b) {
  if (Canvas == nullptr) return;
  const TRectF rect = Rect(p.X - 0.28 * b, p.Y - b, p.X + 0.28 * b, p.Y);
  Canvas->SetFillColor(color);
  Canvas->FillRect(rect);
  DrawRectangle(kColorBlack, rect, 2, TStrokeDash::Solid);
}

void TMobileGraphicsDraw::DrawBuoyFlatNS(TAlphaColor topColor, const TPointF& p, double b,
                                         TAlphaColor bottomColor) {
  const double x = p.X;
  const double y = p.Y;
  Bar(kColorBlack, x - 0.3 * b, y - 0.2 * b, x + 0.3 * b, y);
  Bar(bottomColor, x - 0.2 * b, y - 1.6 * b, x + 0.2 * b, y - 0.2 * b);
  Bar(topColor, x - 0.2 * b, y - 3.0 * b, x + 0.2 * b, y - 1.6 * b);
}

void TMobileGraphicsDraw::DrawBuoyFlatEW(TAlphaColor topColor, const TPointF& p, double b,
                                         TAlphaColor bottomColor, TAlphaColor middleColor) {
  const double x = p.X;
  const double y = p.Y;
  Bar(kColorBlack, x - 0.3 * b, y - 0.2 * b, x + 0.3 * b, y);
  const double h = 1.4 * b * 2 / 3;
  const double base = y - 0.2 * b;
  Bar(bottomColor, x - 0.2 * b, base - h, x + 0.2 * b, base);
  Bar(middleColor, x - 0.2 * b, base - 2 * h, x + 0.2 * b, base - h);
  Bar(topColor, x - 0.2 * b, base - 3 * h, x + 0.2 * b, base - 2 * h);
}

void TMobileGraphicsDraw::DrawFort(const TPointF& p, double b) {
  const double x = p.X;
  const double y = p.Y;
  const double h = 0.9 * b;
  const double d = RoundHalfEven(h / 6);
  FilledShape(kColorFort,
              {Point(x - 5 * d, y), Point(x - 5 * d, y - h), Point(x - 3 * d, y - h),
               Point(x - 3 * d, y - h + 2 * d), Point(x - d, y - h + 2 * d), Point(x - d, y - h),
               Point(x + d, y - h), Point(x + d, y - h + 2 * d), Point(x + 3 * d, y - h + 2 * d),
               Point(x + 3 * d, y - h), Point(x + 5 * d, y - h), Point(x + 5 * d, y)});
  Bar(kColorBlack, x - 5 * d, y, x + 5 * d + 1, y + d);
}

void TMobileGraphicsDraw::DrawShip(const TPointF& p, double b) {
  const double x = p.X;
  const double y = p.Y;
  const double a = b / 2.8;
  const double bb = b / 1.8;
  const double c = a / 1.8;
  const double e = 1.2 * a;
  const double f = 1.5 * e;
  FilledShape(kColorBlack, {Point(x - a, y), Point(x - bb, y - e), Point(x - c, y - e),
                            Point(x - c, y - f), Point(x + c, y - f), Point(x + c, y - e),
                            Point(x + bb, y - e), Point(x + a, y), Point(x - a, y)});
}

void TMobileGraphicsDraw::DrawOlvenFlag(const TPointF& p, double b) {
  const double x = p.X;
  const double y = p.Y;
  const double half = b / 10;  // bars 2B/10 wide
  const double h = b / 2;
  const TAlphaColor colors[] = {kColorRed, kColorBlack, kColorRed, kColorBlack};
  for (int i = 0; i < 4; ++i) Bar(colors[i], x - half, y - (i + 1) * h, x + half, y - i * h);
  Bar(kColorBlack, x - b / 8 - 2, y, x + b / 8 + 2, y + b / 8);
}

void TMobileGraphicsDraw::DrawLightHouseSmall(const TPointF& p, double b) {
  const double x = p.X;
  const double y = p.Y;
  const TAlphaColor colors[] = {kColorRed, kColorBlack, kColorRed};
  for (int i = 0; i < 3; ++i) {
    Bar(colors[i], x - b / 2, y - b - (i + 1) * b, x + b / 2, y - b - i * b);
  }
  FilledShape(kColorBlack,
              {Point(x - b / 2, y - b), Point(x + b / 2, y - b), Point(x + b, y), Point(x - b, y)});
}

void TMobileGraphicsDraw::DrawLightHouseHuge(const TPointF& p, double b) {
  const double x = p.X;
  const double y = p.Y;
  FilledShape(kColorBlack,
              {Point(x - b / 2, y - b), Point(x + b / 2, y - b), Point(x + b, y), Point(x - b, y)});
  FilledShape(kColorWhite, {Point(x - b / 2, y - b), Point(x + b / 2, y - b),
                            Point(x + b / 2, y - 5 * b), Point(x - b / 2, y - 5 * b)});
  FilledShape(kColorRed, {Point(x - b / 2, y - 5 * b), Point(x + b / 2, y - 5 * b),
                          Point(x + b / 1.5, y - 5.5 * b), Point(x - b / 1.5, y - 5.5 * b)});
  DrawCircle(kColorRed, b / 3, Point(x, y - 5.5 * b));
}

void TMobileGraphicsDraw::DrawMovableMark(const std::string& name, const TPointF& p) {
  DrawCircle(kColorBlack, ScaleSizeMovableMarks, p, kColorYellow, 1);
  DrawText(p, name, TTextAlign::Center, kColorBlack, ScaleTextSizeCourse);
}

void TMobileGraphicsDraw::DrawMovableMark(const std::string& name, const TMinutes& position) {
  DrawMovableMark(name, Minutes_to_OffScreen(position));
}

void TMobileGraphicsDraw::DrawBoat(TAlphaColor fillColor, const TBoat& boat, int typeOfCourse) {
  if (Canvas == nullptr) return;
  const TPointF p = Minutes_to_OffScreen(boat.CoordM);
  const double heading = boat.Angle;
  const double s = ScaleSizeBoats;
  const TLineF headingLine = GetBoatHeadingLine(p, heading, s);
  DrawLine(kColorBlack, headingLine.From, headingLine.To, 1, TStrokeDash::Solid);
  DrawCircle(kColorBlack, 2, headingLine.To, kColorWhite, 1);
  DrawPolygon(kColorBlack, GetBoatHull(p, heading, s), fillColor);
  const TLineF boom = GetBoatBoom(p, heading, s, boat.Bug, typeOfCourse);
  DrawLine(kColorBlack, boom.From, boom.To, 1, TStrokeDash::Solid);
  const double attack = std::fabs(boat.Attack);
  if (attack >= 2) {
    DrawText(GetBoatLabelPoint(p, heading, s), StringTools.ExtendedToStr(attack, 0) + "°",
             TTextAlign::Center, kColorBlack, ScaleTextSizeCourse);
  }
}

}  // namespace corvane
