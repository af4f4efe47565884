#include "app/window/wheel_needs_focus.h"

#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QScrollBar>
#include <QWidget>

namespace corvane {

namespace {

// The widgets whose value a wheel notch changes; scroll bars only scroll.
bool ChangesValueOnWheel(const QObject* object) {
  return qobject_cast<const QComboBox*>(object) || qobject_cast<const QAbstractSpinBox*>(object) ||
         (qobject_cast<const QAbstractSlider*>(object) && !qobject_cast<const QScrollBar*>(object));
}

// Qt hands the focus to such a widget on the first notch over it
// (Qt::WheelFocus), and the notch then changes it: take focus by click or
// tab only.
void SetClickFocus(QWidget* widget) {
  if (widget->focusPolicy() == Qt::WheelFocus) widget->setFocusPolicy(Qt::StrongFocus);
}

}  // namespace

void TWheelNeedsFocus::TakeFocusByClickOnly(QWidget& root) {
  for (QWidget* widget : root.findChildren<QWidget*>()) {
    if (ChangesValueOnWheel(widget)) SetClickFocus(widget);
  }
}

bool TWheelNeedsFocus::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Polish && ChangesValueOnWheel(watched)) {
    SetClickFocus(static_cast<QWidget*>(watched));
  } else if (event->type() == QEvent::Wheel && ChangesValueOnWheel(watched) &&
             !static_cast<QWidget*>(watched)->hasFocus()) {
    // Ignored and filtered: the application passes the event on to the
    // parents, so the scroll area around the widget scrolls.
    event->ignore();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace corvane
