#include "app/polar_dialogs/polar_panel.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/polar_dialogs/polar_grid.h"

namespace corvane {

TPolarPanel::TPolarPanel(QWidget* parent) : QWidget(parent) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);

  auto* classRow = new QHBoxLayout();
  classRow->addWidget(new QLabel("Boat class", this));
  EditClass = new QLineEdit(this);
  EditClass->setMinimumWidth(260);
  classRow->addWidget(EditClass);
  classRow->addStretch(1);
  layout->addLayout(classRow);

  auto* body = new QHBoxLayout();
  Grid = new QTableWidget(this);
  ResetGridPolars(*Grid);
  Grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Grid->setSelectionMode(QAbstractItemView::SingleSelection);
  Grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  // The whole table shows without scrolling.
  const int frame = 2 * Grid->frameWidth();
  Grid->setFixedSize(Grid->horizontalHeader()->length() + frame,
                     Grid->verticalHeader()->length() + Grid->horizontalHeader()->sizeHint().height() + frame);
  body->addWidget(Grid, 0, Qt::AlignTop);
  Plot = new TPolarPlot(this);
  body->addWidget(Plot, 1);
  layout->addLayout(body, 1);
}

}  // namespace corvane
