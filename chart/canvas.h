#pragma once
// The 2-D canvas the chart draws on: a thin layer over QPainter that offers
// exactly the operations the chart needs, so that the window, the printer
// and the picture export draw through one renderer. Points and rectangles
// are 32-bit float pixels (origin top-left, y down), colours ARGB.

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPen>
#include <memory>
#include <string>

#include "chart/mobile_bitmap.h"
#include "core/types.h"
#include "routing/routing_data.h"

namespace corvane {

// A bitmap with pixels: an image of premultiplied ARGB, the fastest format
// to paint on.
class TImageBitMap : public TBitMap {
 public:
  TImageBitMap(int width, int height);
  int Width() const override { return Image.width(); }
  int Height() const override { return Image.height(); }
  QImage Image;
};

enum class TTextAlign { Center, Leading, Trailing };

// Which corners of a rectangle are rounded.
struct TCorners {
  bool TopLeft = true;
  bool TopRight = true;
  bool BottomLeft = true;
  bool BottomRight = true;
};

class TCanvas {
 public:
  // A canvas on a painter that someone else runs (the window's paint event).
  explicit TCanvas(QPainter& painter);
  // A canvas that runs its own painter on an image between BeginScene and
  // EndScene.
  explicit TCanvas(QImage& image);
  ~TCanvas();
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  // A drawing pass on the image; false when the painter cannot start. Does
  // nothing on a canvas over a running painter.
  bool BeginScene();
  void EndScene();
  bool Active() const;

  void Clear(TAlphaColor color);
  void SetStrokeColor(TAlphaColor color);
  void SetStrokeDash(TStrokeDash dash);
  void SetStrokeThickness(double thickness);
  void SetFillColor(TAlphaColor color);

  void DrawLine(const TPointF& a, const TPointF& b);
  void DrawPolygon(const TPolygon& polygon);  // outline, closed
  void DrawPolyline(const TPolygon& polygon);  // outline, open
  void FillPolygon(const TPolygon& polygon);
  void DrawEllipse(const TRectF& rect);
  void FillEllipse(const TRectF& rect);
  // Rectangles with corners rounded by radiusX across and radiusY up.
  void DrawRect(const TRectF& rect, double radiusX = 0, double radiusY = 0, TCorners corners = {});
  void FillRect(const TRectF& rect, double radiusX = 0, double radiusY = 0, TCorners corners = {});

  // Font family and size in points (the size is used as given).
  void SetFont(const QString& family, int size, bool bold = false);
  double TextWidth(const std::string& text) const;
  double TextHeight(const std::string& text) const;
  // The text in the fill colour inside rect, aligned across as asked and
  // centred up and down, on one line.
  void FillText(const TRectF& rect, const std::string& text, TTextAlign align);

  // The source rectangle of image scaled into the destination rectangle.
  void DrawBitMap(const QImage& image, const TRectF& source, const TRectF& destination);

  QPainter& Painter() { return *painter_; }

 private:
  void ApplyPen();
  QImage* image_ = nullptr;
  std::unique_ptr<QPainter> ownPainter_;
  QPainter* painter_ = nullptr;  // not owned when set from outside
  QColor stroke_{Qt::black};
  TStrokeDash dash_ = TStrokeDash::Solid;
  qreal thickness_ = 1;
  QColor fill_{Qt::black};
  QFont font_;
};

QColor ToQColor(TAlphaColor color);

}  // namespace corvane
