#pragma once
// The plot of a sweep on the screen: the pointer over a start outlines its
// bar and shows its figures, a click picks the start.

#include <functional>

#include <QWidget>

#include "analysis/start_time_sweep.h"
#include "plots/sweep_plot.h"

namespace corvane {

class TSweepPlotWidget : public QWidget {
 public:
  explicit TSweepPlotWidget(QWidget* parent = nullptr);

  void SetSweep(TSweep sweep);
  const TSweep& Sweep() const { return sweep_; }
  // The start under a point of the widget, -1 for none.
  int StartAt(const QPointF& point) const { return layout_.StartAt(point); }
  // The figures of a start as the pointer shows them.
  static QString Figures(const TSweep& sweep, int start);

  // Called with a start's index when the user clicks its bar.
  std::function<void(int start)> OnStartClicked;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  TSweep sweep_;
  TSweepPlotLayout layout_;
  int highlighted_ = -1;
};

}  // namespace corvane
