#pragma once
// Positions as the window shows them to a navigator; the data formats and
// the edits keep their own form.

#include <string>

namespace corvane {

// A position text of the data formats ("001.18.498W", "050:47:123N") as
// degrees and minutes: "001°18.498'W". A text of another shape comes back
// unchanged.
std::string ToDegreesAndMinutes(const std::string& geoPos);

}  // namespace corvane
