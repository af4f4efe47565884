#pragma once
// The questions, messages and file choices of the polar dialogs. The
// dialogs ask through this class rather than calling the message boxes
// themselves, so that a test (or a batch front end) can answer them without a
// modal loop: derive, override, and hand an instance to the dialog.

#include <QString>

class QWidget;

namespace corvane {

class TPolarAsker {
 public:
  virtual ~TPolarAsker() = default;

  // A confirmation with Yes and No; true for Yes.
  virtual bool AskYesNo(QWidget* parent, const QString& question);
  // An error message with an OK button.
  virtual void ShowError(QWidget* parent, const QString& message);
  // An information message with an OK button.
  virtual void ShowInformation(QWidget* parent, const QString& message);
  // A file to read, starting in folder; empty when the user cancels.
  virtual QString AskOpenFile(QWidget* parent, const QString& caption, const QString& folder);
  // A file to write, proposing fileName (a full path); empty when the user
  // cancels. The dialog asks before replacing an existing file.
  virtual QString AskSaveFile(QWidget* parent, const QString& caption, const QString& fileName);
};

}  // namespace corvane
