#include "app/window/shortcut_typing.h"

#include <algorithm>
#include <cctype>

namespace corvane {
namespace {

constexpr int kGroup = 3;  // two code characters and a blank

char Upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

// (p - 1) div 3 with division truncating towards zero, so a caret at the
// very start counts as being in the first group.
int GroupOf(int caret) { return (caret - 1) / kGroup; }

// Puts c in at the caret and moves the caret past it.
void Insert(char c, TMemoText& memo) {
  const int p = std::clamp(memo.Caret, 0, static_cast<int>(memo.Text.size()));
  memo.Text.insert(memo.Text.begin() + p, c);
  memo.Caret = p + 1;
}

}  // namespace

void TShortCutTyping::SetCodes(const TStringList& shortCuts) {
  codes_.clear();
  for (const std::string& code : shortCuts) {
    if (code.size() != 2) continue;
    std::string& seconds = codes_[Upper(code[0])];
    const char second = Upper(code[1]);
    if (seconds.find(second) == std::string::npos) seconds += second;
  }
}

bool TShortCutTyping::IsShortCutFirst(char c) const { return c != 0 && codes_.count(c) > 0; }

bool TShortCutTyping::IsShortCutSecond(char first, char c) const {
  const auto row = codes_.find(first);
  return row != codes_.end() && c != 0 && row->second.find(c) != std::string::npos;
}

void TShortCutTyping::Clear(TMemoText& memo) {
  memo.Text.clear();
  memo.Caret = 0;
  IndexShortCut = 1;
  CharShortCut = 0;
  BlankAfterShortCut = false;
}

char TShortCutTyping::KeyDown(bool isBackspace, char keyChar, TMemoText& memo) {
  if (keyChar == 0) {
    if (isBackspace) {
      const int start = GroupOf(memo.Caret) * kGroup;
      if (start < static_cast<int>(memo.Text.size())) {
        memo.Text.erase(static_cast<std::size_t>(start), kGroup);
      }
      memo.Caret = std::min(start, static_cast<int>(memo.Text.size()));
      IndexShortCut = 1;
      CharShortCut = 0;
    }
    return 0;
  }
  const char c = Upper(keyChar);
  if (IndexShortCut == 1) {
    if (!IsShortCutFirst(c)) return 0;
    CharShortCut = c;
    IndexShortCut = 2;
    Insert(c, memo);
    return c;
  }
  const bool accepted = IsShortCutSecond(CharShortCut, c);
  if (accepted) IndexShortCut = 1;
  BlankAfterShortCut = IndexShortCut == 1;
  if (!accepted) return 0;
  Insert(c, memo);
  return c;
}

bool TShortCutTyping::KeyUp(TMemoText& memo) {
  if (!BlankAfterShortCut) return false;
  const int p = std::clamp(memo.Caret, 0, static_cast<int>(memo.Text.size()));
  memo.Text.insert(memo.Text.begin() + p, ' ');
  memo.Caret = p + 1;
  BlankAfterShortCut = false;
  return true;
}

void TShortCutTyping::MouseUp(TMemoText& memo) const {
  memo.Caret = std::min(GroupOf(memo.Caret) * kGroup + kGroup, static_cast<int>(memo.Text.size()));
}

}  // namespace corvane
