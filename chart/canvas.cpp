#include "chart/canvas.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPolygonF>

namespace corvane {

namespace {

QPointF ToQPoint(const TPointF& p) { return QPointF(p.X, p.Y); }

QRectF ToQRect(const TRectF& r) { return QRectF(QPointF(r.Left, r.Top), QPointF(r.Right, r.Bottom)); }

QPolygonF ToQPolygon(const TPolygon& polygon) {
  QPolygonF result;
  result.reserve(static_cast<qsizetype>(polygon.size()));
  for (const TPointF& p : polygon) result.append(QPointF(p.X, p.Y));
  return result;
}

// A rectangle whose chosen corners are rounded by elliptic quarter arcs.
QPainterPath RoundedRect(const TRectF& rect, qreal rx, qreal ry, TCorners corners) {
  const QRectF r = ToQRect(rect).normalized();
  rx = std::min(rx, r.width() / 2);
  ry = std::min(ry, r.height() / 2);
  QPainterPath path;
  if (rx <= 0 || ry <= 0) {
    path.addRect(r);
    return path;
  }
  const qreal l = r.left();
  const qreal t = r.top();
  const qreal rt = r.right();
  const qreal b = r.bottom();
  if (corners.TopLeft) {
    path.moveTo(l, t + ry);
    path.arcTo(QRectF(l, t, 2 * rx, 2 * ry), 180, -90);
  } else {
    path.moveTo(l, t);
  }
  if (corners.TopRight) {
    path.lineTo(rt - rx, t);
    path.arcTo(QRectF(rt - 2 * rx, t, 2 * rx, 2 * ry), 90, -90);
  } else {
    path.lineTo(rt, t);
  }
  if (corners.BottomRight) {
    path.lineTo(rt, b - ry);
    path.arcTo(QRectF(rt - 2 * rx, b - 2 * ry, 2 * rx, 2 * ry), 0, -90);
  } else {
    path.lineTo(rt, b);
  }
  if (corners.BottomLeft) {
    path.lineTo(l + rx, b);
    path.arcTo(QRectF(l, b - 2 * ry, 2 * rx, 2 * ry), 270, -90);
  } else {
    path.lineTo(l, b);
  }
  path.closeSubpath();
  return path;
}

}  // namespace

QColor ToQColor(TAlphaColor color) { return QColor::fromRgba(color); }

TImageBitMap::TImageBitMap(int width, int height)
    : Image(std::max(width, 0), std::max(height, 0), QImage::Format_ARGB32_Premultiplied) {
  Image.fill(QColor::fromRgba(0xFFFFFFFF));
}

TCanvas::TCanvas(QPainter& painter) : painter_(&painter) {
  painter_->setRenderHint(QPainter::Antialiasing, true);
  painter_->setRenderHint(QPainter::TextAntialiasing, true);
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, true);
}

TCanvas::TCanvas(QImage& image) : image_(&image) {}

TCanvas::~TCanvas() { EndScene(); }

bool TCanvas::BeginScene() {
  if (image_ == nullptr) return painter_ != nullptr && painter_->isActive();
  if (ownPainter_) return true;
  if (image_->isNull()) return false;
  ownPainter_ = std::make_unique<QPainter>();
  if (!ownPainter_->begin(image_)) {
    ownPainter_.reset();
    return false;
  }
  painter_ = ownPainter_.get();
  painter_->setRenderHint(QPainter::Antialiasing, true);
  painter_->setRenderHint(QPainter::TextAntialiasing, true);
  painter_->setRenderHint(QPainter::SmoothPixmapTransform, true);
  return true;
}

void TCanvas::EndScene() {
  if (!ownPainter_) return;
  ownPainter_->end();
  ownPainter_.reset();
  painter_ = nullptr;
}

bool TCanvas::Active() const { return painter_ != nullptr && painter_->isActive(); }

void TCanvas::Clear(TAlphaColor color) {
  if (!Active()) return;
  const QPainter::CompositionMode mode = painter_->compositionMode();
  painter_->setCompositionMode(QPainter::CompositionMode_Source);
  painter_->fillRect(QRectF(QPointF(0, 0), QSizeF(painter_->device()->width(),
                                                  painter_->device()->height())),
                     ToQColor(color));
  painter_->setCompositionMode(mode);
}

void TCanvas::SetStrokeColor(TAlphaColor color) { stroke_ = ToQColor(color); }
void TCanvas::SetStrokeDash(TStrokeDash dash) { dash_ = dash; }
void TCanvas::SetStrokeThickness(double thickness) { thickness_ = static_cast<qreal>(thickness); }
void TCanvas::SetFillColor(TAlphaColor color) { fill_ = ToQColor(color); }

void TCanvas::ApplyPen() {
  QPen pen(stroke_);
  pen.setWidthF(thickness_);
  pen.setStyle(dash_ == TStrokeDash::Dash  ? Qt::DashLine
               : dash_ == TStrokeDash::Dot ? Qt::DotLine
                                           : Qt::SolidLine);
  pen.setCapStyle(Qt::FlatCap);
  pen.setJoinStyle(Qt::MiterJoin);
  painter_->setPen(pen);
  painter_->setBrush(Qt::NoBrush);
}

void TCanvas::DrawLine(const TPointF& a, const TPointF& b) {
  if (!Active()) return;
  ApplyPen();
  painter_->drawLine(ToQPoint(a), ToQPoint(b));
}

void TCanvas::DrawPolygon(const TPolygon& polygon) {
  if (!Active() || polygon.empty()) return;
  ApplyPen();
  painter_->drawPolygon(ToQPolygon(polygon));
}

void TCanvas::DrawPolyline(const TPolygon& polygon) {
  if (!Active() || polygon.size() < 2) return;
  ApplyPen();
  painter_->drawPolyline(ToQPolygon(polygon));
}

void TCanvas::FillPolygon(const TPolygon& polygon) {
  if (!Active() || polygon.size() < 3) return;
  painter_->setPen(Qt::NoPen);
  painter_->setBrush(fill_);
  painter_->drawPolygon(ToQPolygon(polygon));
}

void TCanvas::DrawEllipse(const TRectF& rect) {
  if (!Active()) return;
  ApplyPen();
  painter_->drawEllipse(ToQRect(rect));
}

void TCanvas::FillEllipse(const TRectF& rect) {
  if (!Active()) return;
  painter_->setPen(Qt::NoPen);
  painter_->setBrush(fill_);
  painter_->drawEllipse(ToQRect(rect));
}

void TCanvas::DrawRect(const TRectF& rect, double radiusX, double radiusY, TCorners corners) {
  if (!Active()) return;
  ApplyPen();
  painter_->drawPath(RoundedRect(rect, static_cast<qreal>(radiusX), static_cast<qreal>(radiusY),
                                 corners));
}

void TCanvas::FillRect(const TRectF& rect, double radiusX, double radiusY, TCorners corners) {
  if (!Active()) return;
  if (radiusX <= 0 || radiusY <= 0) {
    painter_->fillRect(ToQRect(rect).normalized(), fill_);
    return;
  }
  painter_->setPen(Qt::NoPen);
  painter_->setBrush(fill_);
  painter_->drawPath(RoundedRect(rect, static_cast<qreal>(radiusX), static_cast<qreal>(radiusY),
                                 corners));
}

void TCanvas::SetFont(const QString& family, int size, bool bold) {
  font_ = QFont(family);
  font_.setPixelSize(std::max(size, 1));
  font_.setBold(bold);
}

double TCanvas::TextWidth(const std::string& text) const {
  return QFontMetricsF(font_).horizontalAdvance(QString::fromStdString(text));
}

double TCanvas::TextHeight(const std::string& text) const {
  (void)text;  // one line: the font's line height
  return QFontMetricsF(font_).height();
}

void TCanvas::FillText(const TRectF& rect, const std::string& text, TTextAlign align) {
  if (!Active()) return;
  painter_->setFont(font_);
  painter_->setPen(fill_);
  const int horizontal = align == TTextAlign::Center    ? Qt::AlignHCenter
                         : align == TTextAlign::Leading ? Qt::AlignLeft
                                                        : Qt::AlignRight;
  painter_->drawText(ToQRect(rect), horizontal | Qt::AlignVCenter | Qt::TextSingleLine |
                                        Qt::TextDontClip,
                     QString::fromStdString(text));
}

void TCanvas::DrawBitMap(const QImage& image, const TRectF& source, const TRectF& destination) {
  if (!Active()) return;
  painter_->drawImage(ToQRect(destination), image, ToQRect(source));
}

}  // namespace corvane
