#include "chart/overlay_geometry.h"

#include <algorithm>
#include <cmath>

#include "chart/arrow_geometry.h"
#include "core/string_tools.h"

namespace corvane {

namespace {

constexpr ext kKnotsStep = 0.25L;
constexpr ext kKnotsLast = 2;
constexpr ext kMetresPerMinuteStep = 10;
constexpr ext kMetresPerMinuteLast = 60;

// The fixed start of the distance-scale candidates; after them every 5 nm.
struct TDistanceCandidate {
  ext Miles;
  int Decimals;
};
constexpr TDistanceCandidate kDistanceStart[] = {{0.25L, 2}, {0.5L, 1}, {1, 0}, {2.5L, 1}, {5, 0}};

}  // namespace

TCurrentScale GetCurrentScale(ext w, ext s, int unitScaleCurrents, const TMathTools& mathTools) {
  TStringTools stringTools;
  TCurrentScale scale;
  const bool metres = unitScaleCurrents == 1;
  const ext step = metres ? kMetresPerMinuteStep : kKnotsStep;
  const ext last = metres ? kMetresPerMinuteLast : kKnotsLast;
  auto knots = [&](ext value) { return metres ? mathTools.MMinToKn(value) : value; };
  ext r = 0;
  while (r + step <= last && GetArrowWidth(knots(r + step) * s) <= w) r += step;
  scale.Value = r;
  scale.Knots = knots(r);
  scale.NextKnots = knots(r + step);
  scale.Label = metres ? stringTools.ExtendedToStr(r, 0) + " m/min"
                       : stringTools.ExtendedToStr(r, 2) + " kts";
  return scale;
}

TDistanceScale GetDistanceScale(ext room, ext pixPerSM) {
  TDistanceScale scale;
  if (!(pixPerSM > 0)) return scale;
  auto fits = [&](ext miles) { return miles * pixPerSM <= room; };
  for (const TDistanceCandidate& candidate : kDistanceStart) {
    if (!fits(candidate.Miles)) return scale;
    scale.Miles = candidate.Miles;
    scale.Decimals = candidate.Decimals;
    scale.Pixels = candidate.Miles * pixPerSM;
  }
  for (ext miles = 10; fits(miles); miles += 5) {
    scale.Miles = miles;
    scale.Decimals = 0;
    scale.Pixels = miles * pixPerSM;
  }
  return scale;
}

TTideBar GetTideBar(ext W, ext H, ext level, ext levelMin, ext levelMax, ext metrePixels,
                    ext barWidth) {
  TTideBar bar;
  if (levelMax == 0) return bar;
  bar.Visible = true;
  bar.Metres = static_cast<int>(std::trunc(levelMax)) + 1;
  const ext height = bar.Metres * metrePixels + metrePixels / 2;
  bar.Left = W - 2.25L * barWidth;
  bar.Width = barWidth;
  bar.Bottom = H - 0.75L * height;
  bar.Top = bar.Bottom - height;
  bar.ColumnTop = bar.Bottom - std::fabs(level) * metrePixels;
  bar.LineMax = bar.Bottom - levelMax * metrePixels;
  bar.LineMin = bar.Bottom - levelMin * metrePixels;
  bar.ChevronRise = level >= 0 ? 3 : -3;
  return bar;
}

ext GetTideBarMetreY(const TTideBar& bar, int i, ext metrePixels) {
  return bar.Bottom - i * metrePixels;
}

ext GetProgressFraction(ext value, ext maxValue) {
  if (!(maxValue > 0)) return 1;
  return std::min<ext>(1, value / maxValue);
}

}  // namespace corvane
