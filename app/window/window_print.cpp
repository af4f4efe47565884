// The "Print manager" button: the print manager dialog over the
// controller's print controller.

#include <QCoreApplication>

#include "app/window/main_window.h"

namespace corvane {

void TFormCorvaneDesktop::PrintManager() {
  if (!process_->GetEnableEvents()) return;
  printManager_->SetData(process_->PrintController);
  ShowPrintManager(*printManager_);
  // The dialog's own closing and repaints first, then the chart.
  QCoreApplication::processEvents();
  process_->GetPostPrint();
}

}  // namespace corvane
