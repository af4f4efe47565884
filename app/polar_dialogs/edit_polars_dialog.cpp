#include "app/polar_dialogs/edit_polars_dialog.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTableWidget>

#include <string>
#include <utility>

#include "app/polar_dialogs/polar_grid.h"
#include "polars/own_polars.h"
#include "polars/polar_exchange.h"

namespace corvane {

namespace {

constexpr const char* kExportExtension = ".csv";

// Sets a flag for the lifetime of the guard and puts it back.
class TFlagGuard {
 public:
  explicit TFlagGuard(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
  TFlagGuard(const TFlagGuard&) = delete;
  TFlagGuard& operator=(const TFlagGuard&) = delete;
  ~TFlagGuard() { flag_ = previous_; }

 private:
  bool& flag_;
  bool previous_;
};

}  // namespace

TFormEditPolars::TFormEditPolars(TFileTools FileTools, QWidget* parent)
    : TPolarDialog("Edit polar diagrams", std::move(FileTools), parent) {
  polars_.Reset();
  Button_Import = new QPushButton(QString::fromUtf8("Import\xE2\x80\xA6"), this);
  Button_Export = new QPushButton(QString::fromUtf8("Export\xE2\x80\xA6"), this);
  Button_Save = new QPushButton("Save polar", this);
  Button_Add = new QPushButton("Add polar", this);
  Button_Delete = new QPushButton("Delete polar", this);
  Button_Close = new QPushButton("Close", this);
  ButtonRow->addWidget(Button_Import);
  ButtonRow->addWidget(Button_Export);
  ButtonRow->addStretch(1);
  for (QPushButton* button : {Button_Save, Button_Add, Button_Delete, Button_Close}) ButtonRow->addWidget(button);

  connect(Button_Save, &QPushButton::clicked, this, [this] { ButtonSaveClick(); });
  connect(Button_Add, &QPushButton::clicked, this, [this] { ButtonAddClick(); });
  connect(Button_Delete, &QPushButton::clicked, this, [this] { ButtonDeleteClick(); });
  connect(Button_Import, &QPushButton::clicked, this, [this] { ButtonImportClick(); });
  connect(Button_Export, &QPushButton::clicked, this, [this] { ButtonExportClick(); });
  connect(Button_Close, &QPushButton::clicked, this, [this] { ButtonCloseClick(); });
  connect(StringGrid_Polars, &QTableWidget::itemChanged, this, [this] { UserChanged(); });
  connect(Edit_Class, &QLineEdit::textChanged, this, [this] { UserChanged(); });
}

void TFormEditPolars::SetData(int Index, TInterfaceApplicationMobile& State) {
  InterfaceApplicationMobile = &State;
  ItemIndex = Index;
  RefreshData = ReloadPolars = ReloadClasses = false;
  const TFlagGuard filling(filling_);
  if (ItemIndex < 0) {
    polars_.Reset();
    Edit_Class->clear();
  } else {
    polars_.Clone(State.Polars);
    Edit_Class->setText(QString::fromStdString(State.BoatClass));
  }
}

void TFormEditPolars::showEvent(QShowEvent* event) {
  Button_Delete->setEnabled(true);
  Button_Add->setEnabled(true);
  Edited = false;
  {
    const TFlagGuard filling(filling_);
    ResetGridPolars(*StringGrid_Polars);
  }
  // The table is written when the dialog comes up, not on every activation:
  // coming back from a message box or a file dialog must not overwrite the
  // cells the user is typing.
  ShowTable();
  QDialog::showEvent(event);
}

void TFormEditPolars::hideEvent(QHideEvent* event) {
  {
    const TFlagGuard filling(filling_);
    ResetGridPolars(*StringGrid_Polars);
  }
  QDialog::hideEvent(event);
}

void TFormEditPolars::ShowTable() {
  const TFlagGuard filling(filling_);
  SetGridPolars(*StringGrid_Polars, polars_, StringTools);
  Plot->SetPolars(polars_);
}

void TFormEditPolars::ClearTable() {
  const TFlagGuard filling(filling_);
  polars_.Reset();
  ResetGridPolars(*StringGrid_Polars);
  Plot->SetPolars(polars_);
  Edit_Class->clear();
  Edited = false;
}

void TFormEditPolars::UserChanged() {
  if (filling_) return;
  Edited = true;
  // The plot follows the cells as they are typed; the table itself takes
  // them on "Save polar".
  TPolars shown = polars_;
  GetGridPolars(*StringGrid_Polars, shown, StringTools);
  Plot->SetPolars(shown);
}

void TFormEditPolars::ButtonSaveClick() {
  if (InterfaceApplicationMobile == nullptr) return;
  GetGridPolars(*StringGrid_Polars, polars_, StringTools);
  ShowTable();

  std::string name = Edit_Class->text().toStdString();
  if (!ValidPolarName(name)) {
    Asker->ShowError(this, "Invalid filename");
    return;
  }
  // An own polar whose name differs only in letter case is the same class:
  // the save replaces it under its spelling.
  const TOwnPolarFile target = FindOwnPolarFile(FileTools, StringTools.ToMyBoatName(name));
  {
    const TFlagGuard filling(filling_);
    Edit_Class->setText(QString::fromStdString(target.Name));
  }
  if (target.Exists && !Asker->AskYesNo(this, "Overwrite existing polar diagram?")) return;
  // A failed write is not reported, as the flags are set all the same.
  PackagePolars.SavePolars(target.File, polars_);
  Edited = false;
  if (!target.Exists) {
    InterfaceApplicationMobile->ListClasses.push_back(target.Name);
    RefreshData = true;
  }
  if (ItemIndex >= 0) ReloadPolars = true;
}

void TFormEditPolars::AskSaveEdited() {
  if (Edited && Asker->AskYesNo(this, "Save polar diagram?")) ButtonSaveClick();
}

void TFormEditPolars::ButtonAddClick() {
  AskSaveEdited();
  // RefreshData stays as it is: a polar saved just now must still reach the
  // main window's class lists.
  ClearTable();
  Edit_Class->setFocus();
}

void TFormEditPolars::ButtonDeleteClick() {
  AskSaveEdited();
  if (!Asker->AskYesNo(this, "Delete polar diagram?")) return;
  const std::string name = StringTools.ToMyBoatName(Edit_Class->text().toStdString());
  // The name is made an own-polar name first, so a built-in class's name can
  // never delete anything but the user's file of that name; as a class is
  // chosen, the letter case does not matter.
  if (!ValidPolarName(name)) return;
  const TOwnPolarFile target = FindOwnPolarFile(FileTools, name);
  if (!target.Exists || !FileTools.DeleteFile(target.File)) return;
  ClearTable();
  ReloadClasses = true;
}

void TFormEditPolars::ButtonImportClick() {
  const QString file = Asker->AskOpenFile(this, "Import polar diagram", QString::fromStdString(FileTools.GetDocumentsPath()));
  if (file.isEmpty()) return;
  const TPolarImport result = ReadPolarExchangeFile(file.toStdString());
  const QString fileName = QFileInfo(file).fileName();
  if (!result.Ok) {
    Asker->ShowError(this, "Cannot import " + fileName + "\n" + QString::fromStdString(result.Error));
    return;
  }
  polars_ = result.Polars;
  ShowTable();
  if (Edit_Class->text().trimmed().isEmpty()) {
    const TFlagGuard filling(filling_);
    Edit_Class->setText(QFileInfo(file).completeBaseName());
  }
  // Not saved yet: the user decides.
  Edited = true;
  if (!result.Repairs.empty()) {
    QStringList repairs;
    for (const std::string& repair : result.Repairs) repairs << QString::fromStdString(repair);
    Asker->ShowInformation(this, "Imported " + fileName + " with repairs:\n" + repairs.join("\n"));
  }
}

void TFormEditPolars::ButtonExportClick() {
  TPolars table = polars_;
  GetGridPolars(*StringGrid_Polars, table, StringTools);
  const std::string name = StringTools.ToMyBoatName(Edit_Class->text().trimmed().toStdString());
  const QString proposed = QString::fromStdString(FileTools.GetPath(FileTools.GetDocumentsPath(), name + kExportExtension));
  const QString file = Asker->AskSaveFile(this, "Export polar diagram", proposed);
  if (file.isEmpty()) return;
  if (!SavePolarMatrix(file.toStdString(), table)) {
    Asker->ShowError(this, "Cannot write " + file);
  }
}

void TFormEditPolars::ButtonCloseClick() { close(); }

}  // namespace corvane
