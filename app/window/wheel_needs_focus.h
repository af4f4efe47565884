#pragma once
// The mouse wheel turned over the side column scrolls the column; it changes
// a combo box, spin box or slider only after the user has clicked into it.
// Without this a notch over the wind speed or a course mark on the way down
// the column changed the scenario, and the settings file kept the change.

#include <QObject>

class QEvent;
class QWidget;

namespace corvane {

// Installed on the application, so it covers the window and every dialog.
class TWheelNeedsFocus : public QObject {
 public:
  explicit TWheelNeedsFocus(QObject* parent = nullptr) : QObject(parent) {}

  // For the widgets under `root` made before the filter was installed (the
  // filter sets the focus policy of later ones as they are polished).
  static void TakeFocusByClickOnly(QWidget& root);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace corvane
