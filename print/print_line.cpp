#include "print/print_line.h"

namespace corvane {

TPrintFont PrintFont(int textFont) {
  if (textFont < 0 || textFont >= static_cast<int>(std::size(kPrintFonts))) return kPrintFonts[0];
  return kPrintFonts[static_cast<std::size_t>(textFont)];
}

TAlphaColor PrintColor(int textColor) {
  if (textColor < 0 || textColor >= static_cast<int>(std::size(kPrintColors))) return kPrintColors[0];
  return kPrintColors[static_cast<std::size_t>(textColor)];
}

}  // namespace corvane
