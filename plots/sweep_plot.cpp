#include "plots/sweep_plot.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QString>
#include <algorithm>
#include <array>
#include <cmath>

#include "core/date_time.h"

namespace corvane {

namespace {

// The size the plot is drawn for; fonts and margins grow and shrink with it.
constexpr double kDesignWidth = 1200;
constexpr double kDesignHeight = 700;
constexpr double kMinutesPerDay = 1440;

double ScaleOf(const QSizeF& size) {
  return std::clamp(std::min(size.width() / kDesignWidth, size.height() / kDesignHeight), 0.5, 3.0);
}

QFont Font(double scale, double points, bool bold = false) {
  QFont font("Liberation Sans");
  font.setPixelSize(std::max(8, static_cast<int>(std::lround(points * scale))));
  font.setBold(bold);
  return font;
}

// A step for about `wanted` ticks over `range`, from the steps given.
double TickStep(double range, double wanted, std::initializer_list<double> steps) {
  for (const double step : steps) {
    if (range / step <= wanted) return step;
  }
  return *(steps.end() - 1) * std::ceil(range / wanted / *(steps.end() - 1));
}

QString Clock(double dayLOC) { return QString::fromStdString(FormatDateTime("hh:nn", dayLOC)); }

QString Duration(double hours) {
  const auto seconds = static_cast<long>(std::lround(hours * 3600));
  return QString("%1:%2:%3")
      .arg(seconds / 3600)
      .arg(seconds / 60 % 60, 2, 10, QChar('0'))
      .arg(seconds % 60, 2, 10, QChar('0'));
}

double RoutedMinutes(const TSweptStart& start) {
  double minutes = 0;
  for (const TSweptLeg& leg : start.Legs) {
    if (leg.Routed) minutes += leg.Hours * 60;
  }
  return minutes;
}

}  // namespace

double TSweepPlotLayout::XOf(double dayLOC) const {
  const double span = LastDay - FirstDay;
  return Area.left() + (span > 0 ? (dayLOC - FirstDay) / span : 0.5) * Area.width();
}

double TSweepPlotLayout::YOf(double minutes) const {
  return Area.bottom() - minutes / MaxMinutes * Area.height();
}

int TSweepPlotLayout::StartAt(const QPointF& point) const {
  for (std::size_t k = 0; k < Bars.size(); ++k) {
    const QRectF column(Bars[k].left(), Area.top(), Bars[k].width(), Area.height());
    if (column.contains(point)) return static_cast<int>(k);
  }
  return -1;
}

QColor SweepLegColor(int leg) {
  static const std::array<QColor, 6> colors{QColor(31, 119, 180), QColor(255, 127, 14), QColor(44, 160, 44),
                                            QColor(148, 103, 189), QColor(140, 86, 75), QColor(23, 190, 207)};
  return colors[static_cast<std::size_t>(leg) % colors.size()];
}

TSweepPlotLayout LayOutSweepPlot(const TSweep& sweep, const QSizeF& size) {
  TSweepPlotLayout layout;
  layout.Size = size;
  const double scale = ScaleOf(size);
  layout.Area = QRectF(QPointF(78 * scale, 92 * scale),
                       QPointF(size.width() - 24 * scale, size.height() - 62 * scale));
  const std::vector<TSweptStart>& starts = sweep.Starts;
  if (starts.empty()) return layout;

  const double first = starts.front().StartLOC;
  const double last = starts.back().StartLOC;
  const double step = starts.size() > 1 ? (last - first) / static_cast<double>(starts.size() - 1) : 30 / kMinutesPerDay;
  layout.FirstDay = first - step / 2;
  layout.LastDay = last + step / 2;

  double longest = 0;
  for (const TSweptStart& start : starts) longest = std::max(longest, start.Complete ? start.TotalHours * 60 : RoutedMinutes(start));
  const double tick = TickStep(std::max(longest, 1.0), 6, {1, 2, 5, 10, 15, 20, 30, 60, 120, 240});
  layout.MaxMinutes = std::max(tick, std::ceil(longest * 1.08 / tick) * tick);

  const double slot = layout.Area.width() / static_cast<double>(starts.size());
  const double width = std::max(1.0, slot * 0.8);
  for (const TSweptStart& start : starts) {
    const double minutes = start.Complete ? start.TotalHours * 60 : RoutedMinutes(start);
    const double x = layout.XOf(start.StartLOC);
    layout.Bars.emplace_back(QPointF(x - width / 2, layout.YOf(minutes)), QPointF(x + width / 2, layout.Area.bottom()));
  }
  return layout;
}

void PaintSweepPlot(QPainter& painter, const TSweep& sweep, const TSweepPlotLayout& layout, int highlighted) {
  const double scale = ScaleOf(layout.Size);
  const QRectF& area = layout.Area;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(QRectF(QPointF(0, 0), layout.Size), Qt::white);
  if (sweep.Starts.empty()) {
    painter.setPen(QColor(90, 90, 90));
    painter.setFont(Font(scale, 16));
    painter.drawText(QRectF(QPointF(0, 0), layout.Size), Qt::AlignCenter,
                     sweep.Stopped ? "Stopped before a start was routed" : "No start routed yet");
    painter.restore();
    return;
  }

  // Title and legend.
  painter.setPen(Qt::black);
  painter.setFont(Font(scale, 20, true));
  painter.drawText(QRectF(area.left(), 8 * scale, area.width(), 30 * scale), Qt::AlignLeft | Qt::AlignVCenter,
                   "Course time by start time");
  painter.setFont(Font(scale, 13));
  double x = area.left();
  const double legendY = 48 * scale;
  const QFontMetricsF metrics(painter.font());
  for (std::size_t leg = 0; leg < sweep.LegNames.size(); ++leg) {
    const QString text = QString("Leg %1: %2").arg(leg + 1).arg(QString::fromStdString(sweep.LegNames[leg]));
    painter.fillRect(QRectF(x, legendY + 3 * scale, 14 * scale, 14 * scale), SweepLegColor(static_cast<int>(leg)));
    painter.drawText(QPointF(x + 19 * scale, legendY + 15 * scale), text);
    x += 19 * scale + metrics.horizontalAdvance(text) + 18 * scale;
  }
  painter.setPen(QPen(QColor(200, 30, 30), 2 * scale));
  painter.drawLine(QPointF(x, legendY + 4 * scale), QPointF(x + 12 * scale, legendY + 16 * scale));
  painter.drawLine(QPointF(x, legendY + 16 * scale), QPointF(x + 12 * scale, legendY + 4 * scale));
  painter.setPen(Qt::black);
  painter.drawText(QPointF(x + 19 * scale, legendY + 15 * scale), "not routed");

  // Course-time grid and axis.
  painter.setFont(Font(scale, 12));
  const double yTick = TickStep(layout.MaxMinutes, 7, {1, 2, 5, 10, 15, 20, 30, 60, 120, 240});
  for (double minutes = 0; minutes <= layout.MaxMinutes + 1e-9; minutes += yTick) {
    const double y = layout.YOf(minutes);
    painter.setPen(QPen(QColor(225, 225, 225), 1));
    painter.drawLine(QPointF(area.left(), y), QPointF(area.right(), y));
    painter.setPen(Qt::black);
    painter.drawText(QRectF(0, y - 10 * scale, area.left() - 8 * scale, 20 * scale), Qt::AlignRight | Qt::AlignVCenter,
                     QString::number(minutes, 'f', 0));
  }
  painter.save();
  painter.translate(16 * scale, area.center().y());
  painter.rotate(-90);
  painter.setFont(Font(scale, 14));
  painter.drawText(QRectF(-area.height() / 2, -12 * scale, area.height(), 24 * scale), Qt::AlignCenter,
                   "Course time (min)");
  painter.restore();

  // Start-time axis: ticks on whole hours (or half and quarter hours).
  const double spanMinutes = (layout.LastDay - layout.FirstDay) * kMinutesPerDay;
  const double xTick = TickStep(spanMinutes, 14, {15, 30, 60, 120, 180, 360}) / kMinutesPerDay;
  painter.setFont(Font(scale, 12));
  for (double day = std::ceil(layout.FirstDay / xTick) * xTick; day <= layout.LastDay; day += xTick) {
    const double tx = layout.XOf(day);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawLine(QPointF(tx, area.bottom()), QPointF(tx, area.bottom() + 5 * scale));
    painter.drawText(QRectF(tx - 40 * scale, area.bottom() + 6 * scale, 80 * scale, 18 * scale), Qt::AlignCenter,
                     Clock(day));
  }
  painter.setFont(Font(scale, 14));
  painter.drawText(QRectF(area.left(), area.bottom() + 28 * scale, area.width(), 24 * scale), Qt::AlignCenter,
                   "Start time (local)");

  // High and low waters of the reference port.
  painter.setFont(Font(scale, 12, true));
  const auto tideLine = [&](double dayLOC, const QColor& color, const QString& label) {
    if (dayLOC < layout.FirstDay || dayLOC > layout.LastDay) return;
    const double tx = layout.XOf(dayLOC);
    painter.setPen(QPen(color, 2 * scale, Qt::DashLine));
    painter.drawLine(QPointF(tx, area.top()), QPointF(tx, area.bottom()));
    painter.setPen(color);
    painter.drawText(QRectF(tx - 60 * scale, area.top() - 20 * scale, 120 * scale, 18 * scale), Qt::AlignCenter,
                     label + " " + Clock(dayLOC));
  };
  for (const double hw : sweep.HighWatersLOC) tideLine(hw, QColor(0, 70, 170), "HW");
  for (const double lw : sweep.LowWatersLOC) tideLine(lw, QColor(120, 90, 40), "LW");

  // The bars, stacked leg by leg from the axis up.
  for (std::size_t k = 0; k < sweep.Starts.size() && k < layout.Bars.size(); ++k) {
    const TSweptStart& start = sweep.Starts[k];
    const QRectF& bar = layout.Bars[k];
    double minutes = 0;
    for (std::size_t leg = 0; leg < start.Legs.size(); ++leg) {
      if (!start.Legs[leg].Routed) break;
      const double top = minutes + start.Legs[leg].Hours * 60;
      painter.fillRect(QRectF(QPointF(bar.left(), layout.YOf(top)), QPointF(bar.right(), layout.YOf(minutes))),
                       SweepLegColor(static_cast<int>(leg)));
      minutes = top;
    }
    if (!start.Complete) {
      const double cy = layout.YOf(minutes) - 8 * scale;
      const double r = std::min(6 * scale, bar.width() / 2 + 2 * scale);
      painter.setPen(QPen(QColor(200, 30, 30), 2 * scale));
      painter.drawLine(QPointF(bar.center().x() - r, cy - r), QPointF(bar.center().x() + r, cy + r));
      painter.drawLine(QPointF(bar.center().x() - r, cy + r), QPointF(bar.center().x() + r, cy - r));
    }
  }
  if (highlighted >= 0 && highlighted < static_cast<int>(layout.Bars.size())) {
    painter.setPen(QPen(QColor(90, 90, 90), 1.5 * scale));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(layout.Bars[static_cast<std::size_t>(highlighted)].adjusted(-1, -1, 1, 1));
  }

  // The best start: outlined, pointed at and named.
  if (sweep.Best >= 0 && sweep.Best < static_cast<int>(layout.Bars.size())) {
    const QRectF& bar = layout.Bars[static_cast<std::size_t>(sweep.Best)];
    const TSweptStart& best = sweep.Starts[static_cast<std::size_t>(sweep.Best)];
    painter.setPen(QPen(QColor(200, 0, 0), 2.5 * scale));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(bar.adjusted(-2 * scale, -2 * scale, 2 * scale, 0));
    QPainterPath arrow;
    const double tip = bar.top() - 4 * scale;
    arrow.moveTo(bar.center().x(), tip);
    arrow.lineTo(bar.center().x() - 7 * scale, tip - 12 * scale);
    arrow.lineTo(bar.center().x() + 7 * scale, tip - 12 * scale);
    arrow.closeSubpath();
    painter.fillPath(arrow, QColor(200, 0, 0));
    painter.setFont(Font(scale, 14, true));
    painter.setPen(QColor(200, 0, 0));
    painter.drawText(QRectF(area.left(), 8 * scale, area.width(), 30 * scale), Qt::AlignRight | Qt::AlignVCenter,
                     "Best start " + Clock(best.StartLOC) + ": " + Duration(best.TotalHours));
  }

  painter.setPen(QPen(Qt::black, 1.5 * scale));
  painter.drawLine(area.bottomLeft(), area.bottomRight());
  painter.drawLine(area.bottomLeft(), area.topLeft());
  painter.restore();
}

bool WriteSweepPlotPng(const TSweep& sweep, const std::string& fileName, int width, int height, std::string& error) {
  QImage image(width, height, QImage::Format_RGB32);
  {
    QPainter painter(&image);
    PaintSweepPlot(painter, sweep, LayOutSweepPlot(sweep, QSizeF(width, height)));
  }
  if (!image.save(QString::fromStdString(fileName), "PNG")) {
    error = "the picture cannot be written there";
    return false;
  }
  return true;
}

}  // namespace corvane
