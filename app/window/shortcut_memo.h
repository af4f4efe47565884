#pragma once
// The shortcut course memo: a plain text edit whose keys and clicks go to
// the controller, which applies the typing rules (shortcut_typing.h) and
// writes the text back. The widget itself inserts nothing: every key press
// is handed over and swallowed.

#include <QPlainTextEdit>
#include <functional>

#include "app/window/shortcut_typing.h"

namespace corvane {

class TShortCutMemo : public QPlainTextEdit {
 public:
  explicit TShortCutMemo(QWidget* parent = nullptr);

  // A key went down: Backspace, and the key's character (upper or lower
  // case ASCII; 0 for a key without one, or with Ctrl, Alt or Meta held).
  std::function<void(bool isBackspace, char keyChar)> OnKeyDown;
  std::function<void()> OnKeyUp;
  std::function<void()> OnMouseUp;

  TMemoText Memo() const;
  // Sets the text (upper case) and the caret, with nothing selected.
  void SetMemo(const TMemoText& memo);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

}  // namespace corvane
