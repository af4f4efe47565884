#pragma once
// "View Boat Polars": the polar of the chosen built-in class as a table of
// numbers and a plot, with a button that keeps a copy as the user's own
// polar ("My-" + class name + ".pol" in the documents folder).
//
// Use from the main window ("Dinghy" and "Yacht" buttons):
//
//   TFormViewPolars view(loader.FileTools, this);   // once, kept hidden
//   ...
//   view.SetData(state);          // state.BoatClass and state.Polars shown
//   view.exec();                  // modal
//   if (view.RefreshData) ...     // a class name was added to
//                                 // state.ListClasses: rebuild the lists
//
// The state must outlive the dialog's use of it (SetData to exec); the
// dialog does not load polars, it shows state.Polars as they are.

#include "app/polar_dialogs/polar_dialog.h"

class QHideEvent;
class QPushButton;
class QShowEvent;

namespace corvane {

class TFormViewPolars : public TPolarDialog {
 public:
  // FileTools names the documents folder the polar files are written to.
  explicit TFormViewPolars(TFileTools FileTools, QWidget* parent = nullptr);

  // Remembers the state, clears RefreshData and shows BoatClass as the name.
  void SetData(TInterfaceApplicationMobile& InterfaceApplicationMobile);

  // "Save as MyBoat": writes the state's Polars to "My-" + the class name +
  // ".pol" (the prefix not doubled) in the documents folder, asking
  // "Overwrite existing polar diagram?" when an own polar of that name in
  // any letter case exists (No writes nothing; Yes replaces that polar, see
  // own_polars.h). A new file's name is added to ListClasses and sets
  // RefreshData. A class name that is no valid file name writes BoatClass +
  // ".pol" instead.
  void ButtonSaveClick();
  void ButtonCloseClick();

  // Set when a class name was added to the state's ListClasses.
  bool RefreshData = false;

  // The buttons (children of the dialog); the name and the grid are
  // read-only here.
  QPushButton* Button_Save = nullptr;
  QPushButton* Button_Close = nullptr;

 protected:
  // Shown: the grid is reset and filled from the state's Polars. Hidden: the
  // grid is reset.
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
};

}  // namespace corvane
