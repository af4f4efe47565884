#pragma once
// The lines of a printed sheet: texts and pictures placed in layout units,
// with the sheet's text styles and colours.
//
// Layout units: a horizontal position or size is 1/1900 of the page width,
// a vertical one 1/2770 of the page height, whatever the page's resolution.

#include <iterator>
#include <string>
#include <vector>

#include "core/types.h"

namespace corvane {

// Layout units across and down a page.
inline constexpr double kPageUnitsHor = 1900;
inline constexpr double kPageUnitsVer = 2770;

// Kinds of print line.
inline constexpr int kPrintLineText = 0;
inline constexpr int kPrintLinePicture = 2;

// The font family of every printed text.
inline constexpr const char* kPrintFontFamily = "ArialMT";

// Text sizes are device-independent pixels of 1/96 inch, the unit of the
// sheet's design: a body line (14) then just fills a row step of 40 units.
inline constexpr double kPrintFontUnitsPerInch = 96;

// A text style of the sheet: size (see above) and weight.
struct TPrintFont {
  int Size = 0;
  bool Bold = false;
};

// TextFont 0-4: body text, small text, title, label, sub-title.
inline constexpr TPrintFont kPrintFonts[] = {{14, false}, {11, false}, {24, true}, {14, true}, {13, true}};
static_assert(std::size(kPrintFonts) == 5);

// TextColor 0-2, opaque ARGB: black, blue, red.
inline constexpr TAlphaColor kPrintColors[] = {0xFF000000, 0xFF0000FF, 0xFFFF0000};
static_assert(std::size(kPrintColors) == 3);

// The style of a TextFont code; the body text for a code outside 0-4.
TPrintFont PrintFont(int textFont);
// The colour of a TextColor code; black for a code outside 0-2.
TAlphaColor PrintColor(int textColor);

struct TPrintLine {
  int Typ = kPrintLineText;  // kPrintLineText or kPrintLinePicture
  double Row = 0;               // top, vertical layout units
  double Col = 0;               // left, horizontal layout units
  int TextFont = 0;          // 0-4, see kPrintFonts
  int TextColor = 0;         // 0-2, see kPrintColors
  std::string Text;
  std::string Bitmap;  // name of the picture data set of a picture line
};

// The lines of one sheet in the order they are drawn.
struct TListPrintLine {
  std::vector<TPrintLine> Items;

  TPrintLine& Add() { return Items.emplace_back(); }
  int Count() const { return static_cast<int>(Items.size()); }
  void Clear() { Items.clear(); }
};

}  // namespace corvane
