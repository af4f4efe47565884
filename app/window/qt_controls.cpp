#include "app/window/qt_controls.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace corvane {
namespace {

QString ToQ(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

template <>
std::string TComboBoxList::Text(int row) const {
  return row >= 0 && row < widget_.count() ? widget_.itemText(row).toStdString() : std::string();
}
template <>
int TComboBoxList::ItemIndex() const {
  return widget_.currentIndex();
}
template <>
void TComboBoxList::SetItemIndex(int row) {
  widget_.setCurrentIndex(row < widget_.count() ? row : -1);
}

template <>
std::string TListWidgetList::Text(int row) const {
  const QListWidgetItem* item = widget_.item(row);
  return item != nullptr ? item->text().toStdString() : std::string();
}
template <>
int TListWidgetList::ItemIndex() const {
  return widget_.currentRow();
}
template <>
void TListWidgetList::SetItemIndex(int row) {
  widget_.setCurrentRow(row < widget_.count() ? row : -1);
}

std::string TLineEditControl::Text() const { return edit_.text().toStdString(); }
void TLineEditControl::SetText(const std::string& text) { edit_.setText(ToQ(text)); }

std::string TMemoControl::Text() const { return memo_.toPlainText().toStdString(); }
void TMemoControl::SetText(const std::string& text) { memo_.setPlainText(ToQ(text)); }

void TMessageBoxSink::ShowMessage(TMessageKind kind, const std::string& text) {
  const QString title = QCoreApplication::applicationName();
  switch (kind) {
    case TMessageKind::Information:
      QMessageBox::information(&parent_, title, ToQ(text));
      break;
    case TMessageKind::Error:
      QMessageBox::critical(&parent_, title, ToQ(text));
      break;
    case TMessageKind::Plain: {
      QMessageBox box(QMessageBox::NoIcon, title, ToQ(text), QMessageBox::Ok, &parent_);
      box.exec();
      break;
    }
  }
}

void TProgressPanelSink::ShowProgress(const TInterfaceApplicationMobile&) {
  if (panel_.isVisible()) panel_.update();
}

void TProgressPanelSink::SetProgressVisible(bool visible) {
  if (visible) {
    panel_.raise();
    panel_.show();
  } else {
    panel_.hide();
  }
}

}  // namespace corvane
