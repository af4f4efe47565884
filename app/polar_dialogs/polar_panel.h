#pragma once
// The body both polar dialogs share: the class name above, the grid of
// numbers on the left and the polar plot beside it.

#include <QWidget>

#include "app/polar_dialogs/polar_plot.h"

class QLineEdit;
class QTableWidget;

namespace corvane {

class TPolarPanel : public QWidget {
 public:
  explicit TPolarPanel(QWidget* parent = nullptr);

  // Owned by the panel (children in Qt's ownership).
  QLineEdit* EditClass = nullptr;
  QTableWidget* Grid = nullptr;
  TPolarPlot* Plot = nullptr;
};

}  // namespace corvane
