#pragma once
// How the services and commands show a message without knowing any window.
// The window shows a dialog and waits for OK; the command-line program
// writes the text to standard error.

#include <string>

namespace corvane {

enum class TMessageKind {
  Information,  // an information dialog with an OK button
  Error,        // an error dialog with an OK button
  Plain         // a plain message box
};

class TMessageSink {
 public:
  virtual ~TMessageSink() = default;
  // The text exactly as it is to be read; returns when the user has seen it.
  virtual void ShowMessage(TMessageKind kind, const std::string& text) = 0;
};

}  // namespace corvane
