#include "app/polar_dialogs/view_polars_dialog.h"

#include <QAbstractItemView>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <string>
#include <utility>

#include "app/polar_dialogs/polar_grid.h"
#include "polars/own_polars.h"

namespace corvane {

TFormViewPolars::TFormViewPolars(TFileTools FileTools, QWidget* parent)
    : TPolarDialog("View Boat Polars", std::move(FileTools), parent) {
  Edit_Class->setReadOnly(true);
  StringGrid_Polars->setEditTriggers(QAbstractItemView::NoEditTriggers);
  ButtonRow->addStretch(1);
  Button_Save = new QPushButton("Save as MyBoat", this);
  Button_Close = new QPushButton("Close", this);
  ButtonRow->addWidget(Button_Save);
  ButtonRow->addWidget(Button_Close);
  connect(Button_Save, &QPushButton::clicked, this, [this] { ButtonSaveClick(); });
  connect(Button_Close, &QPushButton::clicked, this, [this] { ButtonCloseClick(); });
}

void TFormViewPolars::SetData(TInterfaceApplicationMobile& State) {
  InterfaceApplicationMobile = &State;
  RefreshData = false;
  Edit_Class->setText(QString::fromStdString(State.BoatClass));
}

void TFormViewPolars::showEvent(QShowEvent* event) {
  ResetGridPolars(*StringGrid_Polars);
  // The table is written when the dialog comes up rather than on every
  // activation, which would gain nothing for a read-only grid.
  if (InterfaceApplicationMobile != nullptr) {
    SetGridPolars(*StringGrid_Polars, InterfaceApplicationMobile->Polars, StringTools);
    Plot->SetPolars(InterfaceApplicationMobile->Polars);
  }
  QDialog::showEvent(event);
}

void TFormViewPolars::hideEvent(QHideEvent* event) {
  ResetGridPolars(*StringGrid_Polars);
  QDialog::hideEvent(event);
}

void TFormViewPolars::ButtonSaveClick() {
  if (InterfaceApplicationMobile == nullptr) return;
  TInterfaceApplicationMobile& state = *InterfaceApplicationMobile;
  std::string name = Edit_Class->text().toStdString();
  if (ValidPolarName(name)) {
    name = StringTools.ToMyBoatName(name);
  } else {
    name = state.BoatClass;
    Edit_Class->setText(QString::fromStdString(state.BoatClass));
  }
  // An own polar whose name differs only in letter case is the same class:
  // the save replaces it under its spelling.
  const TOwnPolarFile target = FindOwnPolarFile(FileTools, name);
  if (target.Exists && !Asker->AskYesNo(this, "Overwrite existing polar diagram?")) return;
  // A failed write is not reported, as the flags are set all the same.
  PackagePolars.SavePolars(target.File, state.Polars);
  if (!target.Exists) {
    state.ListClasses.push_back(target.Name);
    RefreshData = true;
  }
}

void TFormViewPolars::ButtonCloseClick() { close(); }

}  // namespace corvane
