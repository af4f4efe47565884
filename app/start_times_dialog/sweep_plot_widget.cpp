#include "app/start_times_dialog/sweep_plot_widget.h"

#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <cmath>

#include "core/constants.h"
#include "core/date_time.h"
#include "core/math_tools.h"
#include "core/string_tools.h"

namespace corvane {

namespace {

QString Duration(double hours) {
  const long seconds = std::lround(hours * 3600);
  return QString("%1:%2:%3")
      .arg(seconds / 3600)
      .arg(seconds / 60 % 60, 2, 10, QChar('0'))
      .arg(seconds % 60, 2, 10, QChar('0'));
}

}  // namespace

TSweepPlotWidget::TSweepPlotWidget(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setMinimumSize(480, 300);
}

void TSweepPlotWidget::SetSweep(TSweep sweep) {
  sweep_ = std::move(sweep);
  highlighted_ = -1;
  layout_ = LayOutSweepPlot(sweep_, QSizeF(size()));
  update();
}

QString TSweepPlotWidget::Figures(const TSweep& sweep, int start) {
  if (start < 0 || start >= static_cast<int>(sweep.Starts.size())) return {};
  const TSweptStart& s = sweep.Starts[static_cast<std::size_t>(start)];
  const TStringTools tools;
  QString text = QString("<b>Start %1</b> (%2)")
                     .arg(QString::fromStdString(FormatDateTime("hh:nn", s.StartLOC)))
                     .arg(QString::fromStdString(s.HighWaterText));
  for (std::size_t leg = 0; leg < s.Legs.size(); ++leg) {
    const TSweptLeg& l = s.Legs[leg];
    const QString type = l.TypeOfCourse > 0 ? QString::fromStdString(tools.ToCourseType(l.TypeOfCourse, true)) : "";
    text += QString("<br>Leg %1: %2 ").arg(leg + 1).arg(type);
    text += l.Routed ? Duration(l.Hours) : "not routed: " + QString::fromStdString(l.Failure).toHtmlEscaped();
  }
  if (s.Complete) {
    const TPolar stream = TMathTools().CartesianToPolar(s.MeanStream);
    text += QString("<br>Course %1, finish %2")
                .arg(Duration(s.TotalHours))
                .arg(QString::fromStdString(FormatDateTime("hh:nn:ss", s.FinishLOC)));
    text += QString("<br>Stream %1 kts toward %2 deg")
                .arg(stream.Betrag, 0, 'f', 1)
                .arg(std::lround(stream.Winkel * kRadiansToDegrees) % 360);
    text += start == sweep.Best ? QString("<br><b>Best start</b>") : "<br>Loses " + Duration(s.LossHours);
  }
  return text;
}

void TSweepPlotWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintSweepPlot(painter, sweep_, layout_, highlighted_);
}

void TSweepPlotWidget::resizeEvent(QResizeEvent* event) {
  layout_ = LayOutSweepPlot(sweep_, QSizeF(size()));
  QWidget::resizeEvent(event);
}

void TSweepPlotWidget::mouseMoveEvent(QMouseEvent* event) {
  const int start = layout_.StartAt(event->position());
  if (start != highlighted_) {
    highlighted_ = start;
    update();
  }
  if (start >= 0) {
    QToolTip::showText(event->globalPosition().toPoint(), Figures(sweep_, start), this);
  } else {
    QToolTip::hideText();
  }
}

void TSweepPlotWidget::mousePressEvent(QMouseEvent* event) {
  const int start = layout_.StartAt(event->position());
  if (start >= 0 && event->button() == Qt::LeftButton && OnStartClicked) OnStartClicked(start);
}

void TSweepPlotWidget::leaveEvent(QEvent*) {
  highlighted_ = -1;
  update();
}

}  // namespace corvane
