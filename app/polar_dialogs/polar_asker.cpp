#include "app/polar_dialogs/polar_asker.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QWidget>

namespace corvane {

namespace {

// The message boxes carry the caption of the dialog that asks.
QString CaptionOf(QWidget* parent) { return parent != nullptr ? parent->windowTitle() : QString(); }

// Polar files of other programs come as text with these extensions.
constexpr const char* kExchangeFilter = "Polar tables (*.csv *.txt *.pol);;All files (*)";

}  // namespace

bool TPolarAsker::AskYesNo(QWidget* parent, const QString& question) {
  return QMessageBox::question(parent, CaptionOf(parent), question, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

void TPolarAsker::ShowError(QWidget* parent, const QString& message) {
  QMessageBox::critical(parent, CaptionOf(parent), message, QMessageBox::Ok);
}

void TPolarAsker::ShowInformation(QWidget* parent, const QString& message) {
  QMessageBox::information(parent, CaptionOf(parent), message, QMessageBox::Ok);
}

QString TPolarAsker::AskOpenFile(QWidget* parent, const QString& caption, const QString& folder) {
  return QFileDialog::getOpenFileName(parent, caption, folder, kExchangeFilter);
}

QString TPolarAsker::AskSaveFile(QWidget* parent, const QString& caption, const QString& fileName) {
  return QFileDialog::getSaveFileName(parent, caption, fileName, kExchangeFilter);
}

}  // namespace corvane
