#include "app/polar_dialogs/polar_dialog.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include <utility>

#include "polars/own_polars.h"

namespace corvane {

TPolarDialog::TPolarDialog(const QString& caption, TFileTools Files, QWidget* parent)
    : QDialog(parent), FileTools(std::move(Files)), Asker(std::make_unique<TPolarAsker>()) {
  setWindowTitle(caption);
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  auto* panel = new TPolarPanel(this);
  layout->addWidget(panel, 1);
  Edit_Class = panel->EditClass;
  StringGrid_Polars = panel->Grid;
  Plot = panel->Plot;
  ButtonRow = new QHBoxLayout();
  layout->addLayout(ButtonRow);
}

void TPolarDialog::SetAsker(std::unique_ptr<TPolarAsker> NewAsker) {
  if (NewAsker) Asker = std::move(NewAsker);
}

bool TPolarDialog::ValidPolarName(const std::string& name) const {
  return FileTools.GetFileNameValid(PolarFile(name), name);
}

std::string TPolarDialog::PolarFile(const std::string& name) const {
  return FileTools.GetPath(FileTools.GetDocumentsPath(), name + kOwnPolarExtension);
}

}  // namespace corvane
