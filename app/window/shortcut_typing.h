#pragma once
// The typing rules of the shortcut course memo. The memo holds a run of
// three-character groups: a two-character buoy code and one blank ("4P 3V ").
// The rules let only codes of the loaded buoy set be typed, insert the blank
// after each completed code, delete whole groups with Backspace and put the
// caret at the end of the group clicked, so the text always keeps that form.
// No toolkit here: the memo widget hands in its text and caret.

#include <map>
#include <string>

#include "core/types.h"

namespace corvane {

// The memo's text and caret (a character position, 0 before the first).
struct TMemoText {
  std::string Text;
  int Caret = 0;
};

class TShortCutTyping {
 public:
  // The codes that can be typed: the two-character shortcut codes of the
  // buoy list (ListBuoysShortCut), upper-cased; other entries are left out.
  // Until this is called no code can be typed.
  void SetCodes(const TStringList& shortCuts);
  // Whether c (upper case) starts a code.
  bool IsShortCutFirst(char c) const;
  // Whether c (upper case) completes a code that begins with first.
  bool IsShortCutSecond(char first, char c) const;

  // 1 while the next character starts a code, 2 while it completes one.
  int IndexShortCut = 1;
  // The first character of the code being typed (upper case), 0 when none.
  char CharShortCut = 0;
  // A code was just completed: the key release inserts the blank.
  bool BlankAfterShortCut = false;

  // Empties the memo and starts a new code.
  void Clear(TMemoText& memo);

  // A key went down. keyChar is the key's character (0 for a key without
  // one: arrows, Delete, Backspace). Backspace (isBackspace) removes the
  // group under the caret. An accepted character goes in at the caret in
  // upper case and is returned; 0 when the key is swallowed: every key
  // without a character is, and every character that does not fit the code
  // table.
  char KeyDown(bool isBackspace, char keyChar, TMemoText& memo);

  // A key went up: after a completed code a blank goes in at the caret (at
  // the end or in the middle) and the caret moves past it. True when the
  // text changed.
  bool KeyUp(TMemoText& memo);

  // The mouse went up in the memo: the caret moves to the end of the group
  // it is in (after that group's blank), never past the end of the text.
  void MouseUp(TMemoText& memo) const;

 private:
  // First character -> every second character that completes a code.
  std::map<char, std::string> codes_;
};

}  // namespace corvane
