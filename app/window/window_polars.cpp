// The buttons of the boat class panel that open the polar dialogs.

#include "app/window/main_window.h"

namespace corvane {

void TFormCorvaneDesktop::ViewPolars(QComboBox* list) {
  if (!process_->GetEnableEvents() || list == nullptr || list->currentIndex() < 0) return;
  viewPolars_->SetData(process_->InterfaceApplicationMobile);
  viewPolars_->exec();
  // A class saved as the user's own polar joins the class lists.
  if (viewPolars_->RefreshData) process_->RefreshClasses();
}

void TFormCorvaneDesktop::EditPolars() {
  if (!process_->GetEnableEvents()) return;
  QComboBox* own = controls_.ComboBox_Individual;
  editPolars_->SetData(own != nullptr ? own->currentIndex() : -1, process_->InterfaceApplicationMobile);
  editPolars_->exec();
  if (editPolars_->RefreshData) process_->RefreshClasses();
  // The chosen own class's file was rewritten: its polar is loaded again.
  if (editPolars_->ReloadPolars) process_->GetBoatclass(own);
  // A file was deleted: the class list and the polar are read again.
  if (editPolars_->ReloadClasses) process_->ReloadClasses();
}

}  // namespace corvane
