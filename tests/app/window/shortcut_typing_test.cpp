#include "app/window/shortcut_typing.h"

#include <gtest/gtest.h>

#include <string>

#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"

namespace corvane {
namespace {

// A few codes of the buoy set, as the buoy list holds them.
const TStringList kCodes{"4P", "3V", "7A", "8N", "HE", "JB", "XB", "", "1"};

TShortCutTyping Typing() {
  TShortCutTyping typing;
  typing.SetCodes(kCodes);
  return typing;
}

// A key as the memo sees it: a character, or Backspace ('\b'), or another
// key without a character (0).
void Type(TShortCutTyping& typing, TMemoText& memo, const std::string& keys) {
  for (char key : keys) {
    typing.KeyDown(key == '\b', key == '\b' ? 0 : key, memo);
    typing.KeyUp(memo);
  }
}

TEST(ShortCutTypingTest, KeysGiveGroupsOfCodeAndBlank) {
  struct Case {
    const char* name;
    std::string keys;
    std::string text;
    int caret;
  };
  const Case cases[] = {
      {"two codes", "4p3v", "4P 3V ", 6},
      {"backspace removes the last group", "4p3v\b", "4P ", 3},
      {"9 starts no code", "9", "", 0},
      {"8 waits for an accepted second character", "81", "8", 1},
      {"8 then an accepted second character", "81n", "8N ", 3},
      {"lower case reads as upper case", "xb", "XB ", 3},
      {"letters of other codes", "hejbxb", "HE JB XB ", 9},
      {"a key without a character is swallowed", std::string("4") + '\0' + "p", "4P ", 3},
      {"backspace at the start removes the first group", "\b", "", 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TShortCutTyping typing = Typing();
    TMemoText memo;
    typing.Clear(memo);
    Type(typing, memo, c.keys);
    EXPECT_EQ(memo.Text, c.text);
    EXPECT_EQ(memo.Caret, c.caret);
  }
}

TEST(ShortCutTypingTest, BackspaceInsideRemovesThatGroupAndStartsANewCode) {
  TShortCutTyping typing = Typing();
  TMemoText memo;
  typing.Clear(memo);
  Type(typing, memo, "4p3v7a");
  memo.Caret = 4;  // inside "3V "
  typing.KeyDown(true, 0, memo);
  EXPECT_EQ(memo.Text, "4P 7A ");
  EXPECT_EQ(memo.Caret, 3);
  EXPECT_EQ(typing.IndexShortCut, 1);
  EXPECT_EQ(typing.CharShortCut, 0);
}

TEST(ShortCutTypingTest, BlankGoesInAtTheCaretInTheMiddle) {
  TShortCutTyping typing = Typing();
  TMemoText memo{"4P 3V ", 3};
  Type(typing, memo, "7a");
  EXPECT_EQ(memo.Text, "4P 7A 3V ");
  EXPECT_EQ(memo.Caret, 6);
}

TEST(ShortCutTypingTest, ClickPutsTheCaretAfterTheGroupsBlank) {
  struct Case {
    int click;
    int caret;
  };
  const Case cases[] = {{0, 3}, {1, 3}, {3, 3}, {4, 6}, {5, 6}, {6, 6}, {7, 9}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.click);
    TShortCutTyping typing;
    TMemoText memo{"4P 3V 7A ", c.click};
    typing.MouseUp(memo);
    EXPECT_EQ(memo.Caret, c.caret);
  }
  TShortCutTyping typing;
  TMemoText cut{"4P 3", 4};
  typing.MouseUp(cut);
  EXPECT_EQ(cut.Caret, 4) << "never past the end of the text";
}

TEST(ShortCutTypingTest, NoCodeBeforeTheBuoysAreKnown) {
  TShortCutTyping typing;
  TMemoText memo;
  Type(typing, memo, "4p");
  EXPECT_EQ(memo.Text, "");
}

// The codes of the built-in buoy set: the first characters 1 to 8, H, J
// and X, each with its own seconds.
TEST(ShortCutTypingTest, CodesOfTheBuiltInBuoys) {
  TInterfaceApplicationMobile state;
  TPackageResourceLoader loader(BuiltInResourceStore(), TFileTools());
  loader.LoadListBuoys(state);
  TShortCutTyping typing;
  typing.SetCodes(state.ListBuoysShortCut);
  struct Case {
    char first;
    char second;
    bool accepted;
  };
  const Case cases[] = {{'1', '1', true},  {'1', '2', false}, {'1', 'D', false}, {'2', '7', false},
                        {'2', 'V', false}, {'3', 'M', false}, {'3', 'N', true},  {'4', 'P', true},
                        {'4', 'O', false}, {'5', 'L', false}, {'6', 'Q', false}, {'7', '6', false},
                        {'8', 'Y', true},  {'H', 'E', true},  {'J', 'A', false}, {'X', 'B', true}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(1, c.first) + c.second);
    EXPECT_EQ(typing.IsShortCutSecond(c.first, c.second), c.accepted);
  }
  for (char c : std::string("12345678HJX")) EXPECT_TRUE(typing.IsShortCutFirst(c)) << c;
  for (char c : std::string("90AZ")) EXPECT_FALSE(typing.IsShortCutFirst(c)) << c;
}

}  // namespace
}  // namespace corvane
