#pragma once
// The plot of a start-time sweep: the time the whole course takes against
// the start time, each start's bar stacked from its legs' times in the legs'
// colours, the best start highlighted, the high and low waters of the
// reference port marked, axes labelled with their units. The same layout
// serves painting and finding the start under a point, so a window can
// answer the pointer with the bar it sees.

#include <string>
#include <vector>

#include <QColor>
#include <QPointF>
#include <QRectF>
#include <QSizeF>

#include "analysis/start_time_sweep.h"

class QPainter;

namespace corvane {

struct TSweepPlotLayout {
  QSizeF Size;
  QRectF Area;              // the plotting area inside the axes
  double FirstDay = 0;      // local date-time at the area's left edge
  double LastDay = 0;       // and at its right edge
  double MaxMinutes = 1;    // course time at the area's top
  std::vector<QRectF> Bars; // per start of the sweep; empty for none

  // The start whose bar (or, for a start without a course time, its column)
  // holds the point; -1 for none.
  int StartAt(const QPointF& point) const;
  double XOf(double dayLOC) const;
  double YOf(double minutes) const;
};

TSweepPlotLayout LayOutSweepPlot(const TSweep& sweep, const QSizeF& size);

// The colour of leg `leg` (from 0) of the plot's bars.
QColor SweepLegColor(int leg);

// Paints the plot into the layout's size from (0, 0); `highlighted` is a
// start to outline (the one under the pointer), -1 for none.
void PaintSweepPlot(QPainter& painter, const TSweep& sweep, const TSweepPlotLayout& layout,
                    int highlighted = -1);

// Writes the plot as a PNG image of width x height pixels; false with the
// reason when the file cannot be written.
bool WriteSweepPlotPng(const TSweep& sweep, const std::string& fileName, int width, int height,
                       std::string& error);

}  // namespace corvane
