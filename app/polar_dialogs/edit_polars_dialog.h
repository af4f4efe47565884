#pragma once
// "Edit polar diagrams": edits, creates, deletes, imports and exports the
// user's own polars, the files "My-<name>.pol" in the documents folder.
//
// Use from the main window ("My" button):
//
//   TFormEditPolars edit(loader.FileTools, this);  // once, kept hidden
//   ...
//   edit.SetData(itemIndex, state);  // itemIndex: row of the own-polar list,
//                                    // -1 for none; with a row the dialog
//                                    // edits a copy of state.Polars and
//                                    // shows state.BoatClass as the name
//   edit.exec();                     // modal
//   if (edit.RefreshData)   ...  // a name was added to state.ListClasses:
//                                // rebuild the class lists
//   if (edit.ReloadPolars)  ...  // the selected own class's file was
//                                // rewritten: load its polar again
//   if (edit.ReloadClasses) ...  // a polar file was deleted: reload the
//                                // class list and the polar
//
// The dialog never changes state.Polars; it writes files, and adds names to
// state.ListClasses. The state must outlive the dialog's use of it.
//
// Edited is set when the user changes a cell or the name, and cleared on
// show, after saving and when the table is replaced by "Add polar" or
// "Delete polar"; while it is set, "Add polar" and "Delete polar" first ask
// "Save polar diagram?" and save on Yes.
//
// "Import…" reads a polar of another navigation program (see
// polars/polar_exchange.h) into the grid; a rejected file shows its
// "line N: ..." message and changes nothing, a repaired one lists the
// repairs. Nothing is written until "Save polar". "Export…" writes the
// grid's table as a TWA/TWS matrix.

#include "app/polar_dialogs/polar_dialog.h"
#include "polars/polars.h"

class QHideEvent;
class QPushButton;
class QShowEvent;

namespace corvane {

class TFormEditPolars : public TPolarDialog {
 public:
  // FileTools names the documents folder of the polar files.
  explicit TFormEditPolars(TFileTools FileTools, QWidget* parent = nullptr);

  // Remembers both and clears the three result flags. ItemIndex < 0: an
  // empty polar and an empty name; otherwise a copy of the state's Polars
  // and BoatClass as the name.
  void SetData(int ItemIndex, TInterfaceApplicationMobile& InterfaceApplicationMobile);

  // "Save polar": reads the grid (every cell then shows its normalised
  // number); a name that is no valid file name shows "Invalid filename" and
  // writes nothing; the name gets the "My-" prefix (not doubled) and is
  // shown; an existing own polar of that name in any letter case (see
  // own_polars.h; its spelling is then shown and kept) is replaced only
  // after "Overwrite existing polar diagram?" is answered Yes. A new file's
  // name is added to ListClasses (RefreshData); with an ItemIndex >= 0,
  // ReloadPolars is set.
  void ButtonSaveClick();
  // "Add polar": an empty table and name, the focus on the name.
  void ButtonAddClick();
  // "Delete polar": after "Delete polar diagram?" is answered Yes, deletes
  // the own polar "My-" + name (in any letter case) when it exists
  // (ReloadClasses, empty table and name); a missing file does nothing.
  void ButtonDeleteClick();
  // "Import…" and "Export…" (see above).
  void ButtonImportClick();
  void ButtonExportClick();
  void ButtonCloseClick();

  // The table being edited (the grid's content after a save).
  const TPolars& Polars() const { return polars_; }

  bool Edited = false;
  bool RefreshData = false;
  bool ReloadPolars = false;
  bool ReloadClasses = false;

  // The buttons (children of the dialog); the grid's column 0 is read-only.
  QPushButton* Button_Save = nullptr;
  QPushButton* Button_Add = nullptr;
  QPushButton* Button_Delete = nullptr;
  QPushButton* Button_Import = nullptr;
  QPushButton* Button_Export = nullptr;
  QPushButton* Button_Close = nullptr;

 protected:
  // Shown: the buttons enabled, Edited cleared, the grid reset and filled
  // from the dialog's table. Hidden: the grid is reset.
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  // Writes the table into the grid and the plot; the changes made here are
  // the program's, not the user's, and leave Edited alone.
  void ShowTable();
  // Empties the table, the grid and the name.
  void ClearTable();
  // Asks "Save polar diagram?" when Edited and saves on Yes.
  void AskSaveEdited();
  // A user's change of a cell or of the name.
  void UserChanged();

  TPolars polars_;
  int ItemIndex = -1;
  // True while the program itself writes the grid or the name.
  bool filling_ = false;
};

}  // namespace corvane
