#pragma once
// The two painted surfaces of the window: the chart image (Image_Map), which
// forwards paint, mouse, wheel and resize events to the controller, and the
// progress panel (Layout_ProgressBar) over it, which the renderer paints
// during loading and routing. Both hold no state of their own.

#include <QWidget>
#include <functional>

#include "core/types.h"

class QPainter;

namespace corvane {

class TPaintedWidget : public QWidget {
 public:
  explicit TPaintedWidget(QWidget* parent = nullptr);
  // Paints the widget's whole rectangle (pixels, origin top-left).
  std::function<void(QPainter& painter, const TRectF& rect)> OnPaint;

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class TImageMap : public TPaintedWidget {
 public:
  explicit TImageMap(QWidget* parent = nullptr);
  // Mouse down (1), up (2), move (3) at a point of the image, and double
  // click (4) with (0, 0): the codes of the map interaction.
  std::function<void(int mouseEvent, float x, float y)> OnMouse;
  // Wheel turned by whole notches, positive away from the user, with the
  // pointer at (x, y).
  std::function<void(int notches, float x, float y)> OnWheel;
  std::function<void()> OnResize;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  int wheelRest_ = 0;  // eighths of a degree not yet a whole notch
};

}  // namespace corvane
