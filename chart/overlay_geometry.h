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
  double Value = 0;       // in the unit shown
  double Knots = 0;       // the value in knots, for the arrow length
  double NextKnots = 0;   // the next candidate in knots (its half height places the arrow)
  std::string Label;   // "0.75 kts" or "30 m/min"
};
// unitScaleCurrents 0: knots 0, 0.25, ... 2 with 2 decimals; 1: metres per
// minute 0, 10, ... 60 with 0 decimals. s is ScaleArrowCurrents (pixels per
// knot).
TCurrentScale GetCurrentScale(double w, double s, int unitScaleCurrents, const TMathTools& mathTools);

// The distance scale: the longest of 0.25, 0.5, 1, 2.5, 5, 10, 15, 20, ...
// nautical miles whose pixel length (miles pixPerSM) fits into room; 0 with
// length 0 when none fits (or pixPerSM is not positive).
struct TDistanceScale {
  double Miles = 0;
  int Decimals = 0;  // 2 for 0.25, 1 for 0.5 and 2.5, 0 otherwise
  double Pixels = 0;
};
TDistanceScale GetDistanceScale(double room, double pixPerSM);

// The tide bar at the right of an image of width W and height H: m pixels
// per metre, k = trunc(levelMax) + 1 whole metres, height k m + m/2, left
// edge W - 2.25 barWidth, bottom at H - 0.75 height. Hidden when levelMax
// is 0.
struct TTideBar {
  bool Visible = false;
  int Metres = 0;  // k: labels 0 ... k
  double Left = 0;
  double Width = 0;
  double Top = 0;
  double Bottom = 0;
  double ColumnTop = 0;  // top of the red column (bottom - |level| m)
  double LineMax = 0;    // y of the day's highest and lowest level
  double LineMin = 0;
  double ChevronRise = 0;  // the chevrons' middle is this many pixels higher (negative: lower)
};
TTideBar GetTideBar(double W, double H, double level, double levelMin, double levelMax, double metrePixels,
                    double barWidth);
// y of the label and chevron of metre i.
double GetTideBarMetreY(const TTideBar& bar, int i, double metrePixels);

// Fraction done of a progress: value / maxValue, at most 1; 1 when the
// maximum is 0 or less.
double GetProgressFraction(double value, double maxValue);

}  // namespace corvane
