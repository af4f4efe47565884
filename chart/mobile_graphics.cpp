#include "chart/mobile_graphics.h"

#include <cmath>

#include "chart/overlay_geometry.h"
#include "core/date_time.h"

namespace corvane {

namespace {

constexpr TAlphaColor kColorHeader = 0xFF0000FF;
constexpr double kProgressTextSize = 12;
constexpr double kProgressRadius = 5;
constexpr double kPrinterDetailPerLine = 2500;  // printer detail per pixel of frame line

TPointF Point(double x, double y) { return TPointF{static_cast<float>(x), static_cast<float>(y)}; }

// Restores the renderer's canvas when a drawing on someone else's painter ends.
class TCanvasScope {
 public:
  TCanvasScope(TCanvas*& slot, TCanvas& canvas) : slot_(slot), previous_(slot) { slot_ = &canvas; }
  ~TCanvasScope() { slot_ = previous_; }
  TCanvasScope(const TCanvasScope&) = delete;
  TCanvasScope& operator=(const TCanvasScope&) = delete;

 private:
  TCanvas*& slot_;
  TCanvas* previous_;
};

}  // namespace

template <typename Draw>
void TMobileGraphics::WithCanvas(QPainter& painter, const TRectF& origin, Draw draw) {
  if (!painter.isActive()) return;
  painter.save();
  painter.translate(origin.Left, origin.Top);
  TCanvas canvas(painter);
  {
    TCanvasScope scope(Canvas, canvas);
    draw();
  }
  painter.restore();
}

void TMobileGraphics::DrawOffScreen(const TInterfaceApplicationMobile& state) {
  QImage* image = OffScreenImage();
  if (image == nullptr || image->isNull()) return;
  TCanvas canvas(*image);
  if (!canvas.BeginScene()) return;
  TCanvasScope scope(Canvas, canvas);
  DrawBackground();
  DrawCoastTiles(state);
  DrawDepthLine(state);
  DrawCurrentArrows(state);
  DrawCurrentTexts(state);
  DrawSlacks(state);
  DrawTowns(state);
  DrawFlats(state);
  DrawCourses(state);
  DrawCourseLines(state);
  DrawApproachLines(state);
  DrawLaylines(state);
  DrawBestCourses(state);
  DrawBuoys(state);
  DrawWindArrows(state);
  DrawModelFrame(state);
  DrawBoatsAlongTracks(state);
  DrawBoatsNow(state);
  DrawGRIBWind(state);
  canvas.EndScene();
}

void TMobileGraphics::DrawOnScreen(QPainter& painter, const TRectF& deviceRect) {
  CopyOffScreenToOnScreen();
  QImage* image = OnScreenImage();
  if (image == nullptr || !painter.isActive()) return;
  TCanvas canvas(painter);
  canvas.DrawBitMap(*image,
                    TRectF{0, 0, static_cast<float>(image->width()),
                           static_cast<float>(image->height())},
                    deviceRect);
}

void TMobileGraphics::DrawOnScreen(QPainter& painter, const TRectF& deviceRect,
                                   const TInterfaceApplicationMobile& state) {
  DrawOnScreen(painter, deviceRect);
  const double width = deviceRect.Right - deviceRect.Left;
  const double height = deviceRect.Bottom - deviceRect.Top;
  WithCanvas(painter, deviceRect, [&] {
    DrawGestureMarks(state);
    DrawGestureLine(state);
    DrawLegend(state, width, height);
    DrawTideBar(state, width, height);
  });
}

void TMobileGraphics::DrawProgressBar(QPainter& painter, const TRectF& rect,
                                      const TInterfaceApplicationMobile& state) {
  const double w = rect.Right - rect.Left;
  const double h = rect.Bottom - rect.Top;
  WithCanvas(painter, rect, [&] {
    FillRectangle(kColorProgressBack, TRectF{0, 0, static_cast<float>(w), static_cast<float>(h)},
                  kProgressRadius);
    DrawText(Point(5, 12), state.ProgressText, TTextAlign::Leading, kColorBlack, kProgressTextSize);
    const double fraction = GetProgressFraction(state.ProgressValue, state.ProgressMaxValue);
    DrawText(Point(w - 5, 12), StringTools.ExtendedToStr(fraction * 100, 0) + "%",
             TTextAlign::Trailing, kColorBlack, kProgressTextSize);
    const TRectF track{5, static_cast<float>(h - 17), static_cast<float>(w - 5),
                       static_cast<float>(h - 7)};
    FillRectangle(kColorProgressTrack, track, kProgressRadius);
    if (fraction > 0) {
      const TRectF done{track.Left, track.Top,
                        static_cast<float>(track.Left + fraction * (track.Right - track.Left)),
                        track.Bottom};
      FillRectangle(kColorBlue, done, kProgressRadius);
    }
  });
}

void TMobileGraphics::DrawFrameMap(QPainter& painter, const TRectF& destRect,
                                   const TInterfaceApplicationMobile& state, double fontSize,
                                   const TRectF& headerRect) {
  WithCanvas(painter, TRectF{}, [&] {
    double t = std::nearbyint(static_cast<double>(state.PrinterScaleDetail / kPrinterDetailPerLine));
    if (t == 0) t = 1;
    DrawRectangle(kColorBlack, destRect, t, TStrokeDash::Solid);
    DrawRectangle(kColorBlack, headerRect, t, TStrokeDash::Solid);
    std::string text = state.AppName + "   -   " + FormatDateTime("dd.mm.yyyy", state.DateTimeLOC) +
                       "   " + FormatDateTime("hh:mm", state.DateTimeLOC) + "   -   ";
    if (!state.HideCurrent) text += state.HoursToRefTideText + "   -   ";
    text += "Wind " + StringTools.ToAngle(state.Wind.TrueWind.Winkel) + "°   " +
            StringTools.ExtendedToStr(state.Wind.TrueWind.Betrag, 0) + "kts";
    DrawTextStyled(Point((static_cast<double>(headerRect.Left) + headerRect.Right) / 2,
                         (static_cast<double>(headerRect.Top) + headerRect.Bottom) / 2),
                   text, TTextAlign::Center, kColorHeader, fontSize, true);
  });
}

bool TMobileGraphics::GesturePan(TInterfaceApplicationMobile& state, const TPointF& location) {
  const TPanResult result = GesturePanWindow(state, location);
  if (result.OffScreenMoved) DrawOffScreen(state);
  return result.Valid;
}

void TMobileGraphics::GestureZoom(TInterfaceApplicationMobile& state) {
  GetDeviceProjection(state);
  DrawOffScreen(state);
}

}  // namespace corvane
