#include "app/window/paint_widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

namespace corvane {
namespace {

// Angle of one wheel notch in Qt's units (eighths of a degree).
constexpr int kWheelNotch = 120;

}  // namespace

TPaintedWidget::TPaintedWidget(QWidget* parent) : QWidget(parent) {}

void TPaintedWidget::paintEvent(QPaintEvent*) {
  if (!OnPaint) return;
  QPainter painter(this);
  OnPaint(painter, TRectF{0, 0, static_cast<float>(width()), static_cast<float>(height())});
}

TImageMap::TImageMap(QWidget* parent) : TPaintedWidget(parent) {
  setMouseTracking(true);  // moves without a button give the position readout
  // Sea colour under the chart until the first chart is drawn.
  setAutoFillBackground(true);
  QPalette sea = palette();
  sea.setColor(QPalette::Window, QColor(0xB4, 0xD6, 0xF1));
  setPalette(sea);
  setMinimumSize(200, 200);
  setFocusPolicy(Qt::ClickFocus);
}

void TImageMap::mousePressEvent(QMouseEvent* event) {
  if (OnMouse && event->button() == Qt::LeftButton) {
    OnMouse(1, static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
  }
}

void TImageMap::mouseReleaseEvent(QMouseEvent* event) {
  if (OnMouse && event->button() == Qt::LeftButton) {
    OnMouse(2, static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
  }
}

void TImageMap::mouseMoveEvent(QMouseEvent* event) {
  if (OnMouse) {
    OnMouse(3, static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
  }
}

void TImageMap::mouseDoubleClickEvent(QMouseEvent* event) {
  if (OnMouse && event->button() == Qt::LeftButton) OnMouse(4, 0, 0);
}

void TImageMap::wheelEvent(QWheelEvent* event) {
  wheelRest_ += event->angleDelta().y();
  const int notches = wheelRest_ / kWheelNotch;
  wheelRest_ -= notches * kWheelNotch;
  if (notches != 0 && OnWheel) {
    OnWheel(notches, static_cast<float>(event->position().x()), static_cast<float>(event->position().y()));
  }
  event->accept();
}

void TImageMap::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (OnResize) OnResize();
}

}  // namespace corvane
