#include "app/polar_dialogs/polar_plot.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QPointF>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <utility>
#include <vector>

#include "core/constants.h"
#include "polars/polar_exchange.h"

namespace corvane {

namespace {

constexpr int kFirstWindColumn = kPolarTableFirstColumn;
constexpr int kLastWindColumn = kPolarTableLastColumn;
constexpr int kFirstFixedRow = 1;
constexpr int kLastFixedRow = 8;
constexpr int kRunRow = 9;
constexpr double kMarginLeft = 24;
constexpr double kMarginTop = 28;
constexpr double kMarginBottom = 28;
constexpr double kLegendWidth = 70;
constexpr double kSpokeStep = 30;     // degrees between angle spokes
constexpr double kMarkRadius = 3.5;  // beat and gybe marks, pixels

std::size_t At(int i) { return static_cast<std::size_t>(i); }

// Light winds blue, fresh winds red, so the order of the curves reads at a
// glance.
QColor ColumnColour(int column) {
  const double share = double(column - kFirstWindColumn) / double(kLastWindColumn - kFirstWindColumn);
  return QColor::fromHsvF(0.62 * (1 - share), 0.85, 0.8);
}

// The points of one wind column in order of angle (degrees, knots): the beat
// point, the fixed angles and the gybe point. A point without a speed (a
// dinghy's reaching angles) is kept as a gap in the curve: the line must not
// suggest speeds the table does not give.
std::vector<std::pair<double, double>> ColumnPoints(const TPolars& p, int c) {
  std::vector<std::pair<double, double>> points;
  const auto add = [&](double angle, double speed) {
    if (angle >= 0 && angle <= 180) points.emplace_back(double(angle), speed > 0 ? double(speed) : 0.0);
  };
  add(p.BeatAngles[At(c)], p.Velocity[At(c)][0]);
  for (int r = kFirstFixedRow; r <= kLastFixedRow; ++r) add(p.WindAngles[At(r)], p.Velocity[At(c)][At(r)]);
  add(p.GybeAngles[At(c)], p.Velocity[At(c)][kRunRow]);
  std::sort(points.begin(), points.end());
  return points;
}

}  // namespace

TPolarPlot::TPolarPlot(QWidget* parent) : QWidget(parent) {
  polars_.Reset();
  setAutoFillBackground(false);
}

void TPolarPlot::SetPolars(const TPolars& Polars) {
  polars_ = Polars;
  update();
}

QSize TPolarPlot::sizeHint() const { return {330, 360}; }
QSize TPolarPlot::minimumSizeHint() const { return {200, 220}; }

void TPolarPlot::paintEvent(QPaintEvent*) {
  QPainter g(this);
  g.setRenderHint(QPainter::Antialiasing);
  g.fillRect(rect(), Qt::white);

  // The half plot: centre on the left edge, radius to fit the height and the
  // width left of the legend.
  const double radius = std::max(
      10.0, std::min((height() - kMarginTop - kMarginBottom) / 2, width() - kMarginLeft - kLegendWidth - 8));
  const QPointF centre(kMarginLeft, kMarginTop + radius);

  double top = 0;
  const bool drawable = PolarTableShaped(polars_);
  if (drawable) {
    for (int c = kFirstWindColumn; c <= kLastWindColumn; ++c) {
      for (const auto& point : ColumnPoints(polars_, c)) top = std::max(top, point.second);
    }
  }
  // Rings every 2 knots (every 5 above 20 knots) up to the fastest speed.
  const double ringStep = top > 20 ? 5 : 2;
  const double outer = std::max(ringStep, std::ceil(top / ringStep) * ringStep);
  const double scale = radius / outer;
  const auto at = [&](double angle, double speed) {
    const double a = angle * double(kDegreesToRadians);
    return QPointF(centre.x() + speed * scale * std::sin(a), centre.y() - speed * scale * std::cos(a));
  };

  QFont small = font();
  small.setPointSizeF(std::max(6.0, small.pointSizeF() - 1));
  g.setFont(small);

  // Grid: speed rings and angle spokes.
  g.setPen(QPen(QColor(210, 214, 220), 1));
  for (double ring = ringStep; ring <= outer + 1e-9; ring += ringStep) {
    const double r = ring * scale;
    g.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r), -90 * 16, 180 * 16);
  }
  for (double angle = 0; angle <= 180 + 1e-9; angle += kSpokeStep) g.drawLine(centre, at(angle, outer));
  g.setPen(QColor(110, 116, 126));
  for (double ring = ringStep; ring <= outer + 1e-9; ring += ringStep) {
    const QPointF p = at(0, ring);
    g.drawText(QRectF(p.x() - 26, p.y() - 7, 22, 14), Qt::AlignRight | Qt::AlignVCenter, QString::number(ring));
  }
  for (double angle = kSpokeStep; angle < 180; angle += kSpokeStep) {
    const QPointF p = at(angle, outer * 1.07);
    g.drawText(QRectF(p.x() - 16, p.y() - 7, 32, 14), Qt::AlignCenter,
               QString::number(angle) + QString::fromUtf8("\xC2\xB0"));
  }
  g.drawText(QRectF(centre.x() - kMarginLeft + 2, 4, 120, 16), Qt::AlignLeft | Qt::AlignVCenter, "kts");

  if (!drawable || !(top > 0)) {
    g.drawText(QRectF(centre.x(), centre.y() - 10, radius, 20), Qt::AlignCenter, "No polar data");
    return;
  }

  // Curves and their beat and gybe marks.
  for (int c = kFirstWindColumn; c <= kLastWindColumn; ++c) {
    const QColor colour = ColumnColour(c);
    const auto points = ColumnPoints(polars_, c);
    QPainterPath path;
    bool joined = false;  // whether the previous point carried a speed
    for (const auto& [angle, speed] : points) {
      if (speed > 0 && joined) path.lineTo(at(angle, speed));
      if (speed > 0 && !joined) path.moveTo(at(angle, speed));
      joined = speed > 0;
    }
    g.setPen(QPen(colour, 1.6));
    g.setBrush(Qt::NoBrush);
    g.drawPath(path);
    g.setPen(QPen(colour.darker(130), 1));
    g.setBrush(colour);
    if (polars_.Velocity[At(c)][0] > 0) {
      g.drawEllipse(at(double(polars_.BeatAngles[At(c)]), double(polars_.Velocity[At(c)][0])), kMarkRadius,
                    kMarkRadius);
    }
    if (polars_.Velocity[At(c)][kRunRow] > 0) {
      const QPointF gybe = at(double(polars_.GybeAngles[At(c)]), double(polars_.Velocity[At(c)][kRunRow]));
      g.drawRect(QRectF(gybe.x() - kMarkRadius, gybe.y() - kMarkRadius, 2 * kMarkRadius, 2 * kMarkRadius));
    }
  }

  // Legend: the wind speeds and the two marks.
  const double x = width() - kLegendWidth;
  double y = kMarginTop;
  g.setPen(QColor(60, 64, 72));
  g.drawText(QRectF(x, y - 18, kLegendWidth, 16), Qt::AlignLeft | Qt::AlignVCenter, "True wind");
  for (int c = kFirstWindColumn; c <= kLastWindColumn; ++c, y += 16) {
    g.setPen(QPen(ColumnColour(c), 2.5));
    g.drawLine(QPointF(x, y + 8), QPointF(x + 16, y + 8));
    g.setPen(QColor(60, 64, 72));
    g.drawText(QRectF(x + 20, y, kLegendWidth - 20, 16), Qt::AlignLeft | Qt::AlignVCenter,
               QString::number(double(polars_.WindVelocity[At(c)])) + " kts");
  }
  y += 8;
  g.setPen(QColor(60, 64, 72));
  g.setBrush(QColor(160, 164, 172));
  g.drawEllipse(QPointF(x + 8, y + 8), kMarkRadius, kMarkRadius);
  g.drawText(QRectF(x + 20, y, kLegendWidth - 20, 16), Qt::AlignLeft | Qt::AlignVCenter, "Beat");
  y += 16;
  g.drawRect(QRectF(x + 8 - kMarkRadius, y + 8 - kMarkRadius, 2 * kMarkRadius, 2 * kMarkRadius));
  g.drawText(QRectF(x + 20, y, kLegendWidth - 20, 16), Qt::AlignLeft | Qt::AlignVCenter, "Gybe");
}

}  // namespace corvane
