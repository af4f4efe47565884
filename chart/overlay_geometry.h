#pragma once
// The choices and layout of the screen overlays: the current-scale arrow,
// the distance scale, the tide bar and the progress fraction. Pixels of the
// map image (origin top-left, y down).

#include <string>

#include "core/math_tools.h"
#include "core/types.h"

namespace corvane {

// The legend's current arrow: the largest value whose arrow (2 value s
// pixels long for a speed in knots) fits into width w.
struct TCurrentScale {
  ext Value = 0;       // in the unit shown
  ext Knots = 0;       // the value in knots, for the arrow length
  ext NextKnots = 0;   // the next candidate in knots (its half height places the arrow)
  std::string Label;   // "0.75 kts" or "30 m/min"
};
// unitScaleCurrents 0: knots 0, 0.25, ... 2 with 2 decimals; 1: metres per
// minute 0, 10, ... 60 with 0 decimals. s is ScaleArrowCurrents (pixels per
// knot).
TCurrentScale GetCurrentScale(ext w, ext s, int unitScaleCurrents, const TMathTools& mathTools);

// The distance scale: the longest of 0.25, 0.5, 1, 2.5, 5, 10, 15, 20, ...
// nautical miles whose pixel length (miles pixPerSM) fits into room; 0 with
// length 0 when none fits (or pixPerSM is not positive).
struct TDistanceScale {
  ext Miles = 0;
  int Decimals = 0;  // 2 for 0.25, 1 for 0.5 and 2.5, 0 otherwise
  ext Pixels = 0;
};
TDistanceScale GetDistanceScale(ext room, ext pixPerSM);

// The tide bar at the right of an image of width W and height H: m pixels
// per metre, k = trunc(levelMax) + 1 whole metres, height k m + m/2, left
// edge W - 2.25 barWidth, bottom at H - 0.75 height. Hidden when levelMax
// is 0.
struct TTideBar {
  bool Visible = false;
  int Metres = 0;  // k: labels 0 ... k
  ext Left = 0;
  ext Width = 0;
  ext Top = 0;
  ext Bottom = 0;
  ext ColumnTop = 0;  // top of the red column (bottom - |level| m)
  ext LineMax = 0;    // y of the day's highest and lowest level
  ext LineMin = 0;
  ext ChevronRise = 0;  // the chevrons' middle is this many pixels higher (negative: lower)
};
TTideBar GetTideBar(ext W, ext H, ext level, ext levelMin, ext levelMax, ext metrePixels,
                    ext barWidth);
// y of the label and chevron of metre i.
ext GetTideBarMetreY(const TTideBar& bar, int i, ext metrePixels);

// Fraction done of a progress: value / maxValue, at most 1; 1 when the
// maximum is 0 or less.
ext GetProgressFraction(ext value, ext maxValue);

}  // namespace corvane
