#include "app/window/position_text.h"

#include <algorithm>
#include <cstddef>

namespace corvane {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool AllDigits(const std::string& text, std::size_t from, std::size_t to) {
  return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(from), text.begin() + static_cast<std::ptrdiff_t>(to),
                     IsDigit);
}

}  // namespace

std::string ToDegreesAndMinutes(const std::string& geoPos) {
  // Degrees, a separator, two digits of minutes, a separator, at least one
  // digit of thousandths, the hemisphere letter.
  const std::size_t first = geoPos.find_first_of(".:");
  if (first == std::string::npos || first == 0 || geoPos.size() < first + 6) return geoPos;
  const std::size_t second = first + 3;
  const char hemisphere = geoPos.back();
  const bool shaped = AllDigits(geoPos, 0, first) && AllDigits(geoPos, first + 1, second) &&
                      (geoPos[second] == '.' || geoPos[second] == ':') &&
                      AllDigits(geoPos, second + 1, geoPos.size() - 1) &&
                      std::string("NSEW").find(hemisphere) != std::string::npos;
  if (!shaped) return geoPos;
  return geoPos.substr(0, first) + "\u00B0" + geoPos.substr(first + 1, 2) + "." +
         geoPos.substr(second + 1, geoPos.size() - second - 2) + "'" + hemisphere;
}

}  // namespace corvane
