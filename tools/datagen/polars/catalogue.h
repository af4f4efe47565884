#pragma once
// The hull and rig catalogue of the built-in polar library: 730 yacht
// classes and 10 dinghy classes, each a complete TBoatDesign for the VPP.
//
// Yacht classes come from design families. A family fixes the style of a
// boat (displacement-length ratio, sail-area-displacement ratio, beam,
// ballast, sail coefficient set, spinnaker type, crew on the rail, heel
// limit) and is built at every whole length overall of its range, with each
// of its keel and rig variants. Proportions follow the usual design ratios
// rather than any particular boat, so that every class behaves like a boat of
// its size and type. One class is defined on its own: the default class
// "GRAND-SOLEIL39-NEW-C", a 39 ft cruiser-racer.
//
// Yacht names read FAMILY-LOA-KEEL-RIG, with the length overall in feet,
// keel DEEP, SHOAL or LIFT and rig FR (fractional) or MH (masthead), e.g.
// "CRUISER-RACER-36-SHOAL-MH". Both lists are sorted by name; the catalogue
// is deterministic.

#include <string>
#include <vector>

#include "tools/datagen/polars/vpp.h"

namespace corvane::vpp {

inline constexpr int kYachtClassCount = 730;
inline constexpr int kDinghyClassCount = 10;
inline constexpr char kDefaultClassName[] = "GRAND-SOLEIL39-NEW-C";

// The yacht classes, sorted by name. Throws std::logic_error if the families
// do not add up to kYachtClassCount unique names.
std::vector<TBoatDesign> YachtCatalogue();

// The dinghy classes (3.5 to 5 m, single- and double-handed), sorted by name.
std::vector<TBoatDesign> DinghyCatalogue();

// The design of a class of either list by its name, or nothing.
const TBoatDesign* FindDesign(const std::vector<TBoatDesign>& designs, const std::string& name);

}  // namespace corvane::vpp
