#pragma once
// A polar plot of a polar table: boat speed (radius, knots) against true
// wind angle (0 degrees up, 180 degrees down, the starboard half drawn), one
// curve per wind column 6 to 20 knots through its beat point, the fixed
// angles that carry a speed and its gybe point, with the beat and gybe
// points marked. Sailors read polars as such plots; the dialogs keep one
// beside the grid and redraw it as cells change.

#include <QSize>
#include <QWidget>

#include "polars/polars.h"

class QPaintEvent;

namespace corvane {

class TPolarPlot : public QWidget {
 public:
  explicit TPolarPlot(QWidget* parent = nullptr);

  // Draws this table from now on (a copy is kept).
  void SetPolars(const TPolars& Polars);
  const TPolars& Polars() const { return polars_; }

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TPolars polars_;
};

}  // namespace corvane
