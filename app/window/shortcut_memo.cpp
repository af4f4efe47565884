#include "app/window/shortcut_memo.h"

#include <QKeyEvent>
#include <algorithm>
#include <QTextCursor>

namespace corvane {

TShortCutMemo::TShortCutMemo(QWidget* parent) : QPlainTextEdit(parent) {
  setTabChangesFocus(true);
  setLineWrapMode(QPlainTextEdit::WidgetWidth);
  setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
}

TMemoText TShortCutMemo::Memo() const {
  return TMemoText{toPlainText().toStdString(), textCursor().position()};
}

void TShortCutMemo::SetMemo(const TMemoText& memo) {
  const QString text = QString::fromStdString(memo.Text).toUpper();
  if (toPlainText() != text) setPlainText(text);
  QTextCursor cursor = textCursor();
  cursor.setPosition(std::clamp(memo.Caret, 0, static_cast<int>(text.size())));
  setTextCursor(cursor);
}

void TShortCutMemo::keyPressEvent(QKeyEvent* event) {
  char keyChar = 0;
  const QString text = event->text();
  const bool command = (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0;
  if (!command && text.size() == 1 && text[0].unicode() > 32 && text[0].unicode() < 127) {
    keyChar = static_cast<char>(text[0].unicode());
  }
  if (OnKeyDown) OnKeyDown(event->key() == Qt::Key_Backspace, keyChar);
  event->accept();
}

void TShortCutMemo::keyReleaseEvent(QKeyEvent* event) {
  if (OnKeyUp) OnKeyUp();
  event->accept();
}

void TShortCutMemo::mouseReleaseEvent(QMouseEvent* event) {
  QPlainTextEdit::mouseReleaseEvent(event);
  if (OnMouseUp) OnMouseUp();
}

}  // namespace corvane
