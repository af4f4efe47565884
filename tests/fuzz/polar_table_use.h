#pragma once
// What the program does with a polar table once a reader has filled it:
// the routing lookups over the whole wind range and every angle, the
// validity checks, the export as a matrix and the user's polar file. A
// table that a reader lets through must survive all of them, so every
// polar fuzz program runs them on what it read.

#include <string>

#include "polars/package_polars.h"
#include "polars/polar_exchange.h"
#include "polars/polars.h"

namespace corvane {

inline void UsePolarTable(TPolars& polars, const std::string& ownPolarFile) {
  const TPackagePolars package;
  for (double knots = 0; knots <= 30; knots += 2.5) {
    TPolar wind;
    wind.Betrag = knots;
    package.GetPolarData(wind, polars);
    for (double angle = 0; angle <= 3.2; angle += 0.4) (void)package.GetReachSpeed(wind, angle, polars);
  }
  (void)package.GetValidBeat(polars);
  (void)package.GetValidRun(polars);
  (void)package.GetValidReach(polars);
  (void)WritePolarMatrix(polars);
  if (PolarTableShaped(polars)) {
    for (int row = 0; row < kPolarTableRows; ++row) {
      for (int column = kPolarTableFirstColumn; column <= kPolarTableLastColumn; ++column) {
        (void)PolarTableValue(static_cast<const TPolars&>(polars), row, column);
      }
    }
  }
  // The import saves what it read as the user's own polar, which the class
  // list then loads again.
  TPackagePolars own;
  if (own.SavePolars(ownPolarFile, polars)) {
    TPolars again;
    own.LoadPolars(ownPolarFile, again);
  }
}

}  // namespace corvane
