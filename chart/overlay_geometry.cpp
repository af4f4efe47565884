#include "chart/overlay_geometry.h"

#include <algorithm>
#include <cmath>

#include "chart/arrow_geometry.h"
#include "core/string_tools.h"

namespace corvane {

namespace {

constexpr double kKnotsStep = 0.25;
constexpr double kKnotsLast = 2;
constexpr double kMetresPerMinuteStep = 10;
constexpr double kMetresPerMinuteLast = 60;

// The fixed start of the distance-scale candidates; after them every 5 nm.
struct TDistanceCandidate {
  double Miles;
  int Decimals;
};
constexpr TDistanceCandidate kDistanceStart[] = {{0.25, 2}, {0.5, 1}, {1, 0}, {2.5, 1}, {5, 0}};

}  // namespace

TCurrentScale GetCurrentScale(double w, double s, int unitScaleCurrents, const TMathTools& mathTools) {
  TStringTools stringTools;
  TCurrentScale scale;
  const bool metres = unitScaleCurrents == 1;
  const double step = metres ? kMetresPerMinuteStep : kKnotsStep;
  const double last = metres ? kMetresPerMinuteLast : kKnotsLast;
  auto knots = [&](double value) { return metres ? mathTools.MMinToKn(value) : value; };
  double r = 0;
  while (r + step <= last && GetArrowWidth(knots(r + step) * s) <= w) r += step;
  scale.Value = r;
  scale.Knots = knots(r);
  scale.NextKnots = knots(r + step);
  scale.Label = metres ? stringTools.ExtendedToStr(r, 0) + " m/min"
                       : stringTools.ExtendedToStr(r, 2) + " kts";
  return scale;
}

TDistanceScale GetDistanceScale(double room, double pixPerSM) {
  TDistanceScale scale;
  if (!(pixPerSM > 0)) return scale;
  auto fits = [&](double miles) { return miles * pixPerSM <= room; };
  for (const TDistanceCandidate& candidate : kDistanceStart) {
    if (!fits(candidate.Miles)) return scale;
    scale.Miles = candidate.Miles;
    scale.Decimals = candidate.Decimals;
    scale.Pixels = candidate.Miles * pixPerSM;
  }
  for (double miles = 10; fits(miles); miles += 5) {
    scale.Miles = miles;
    scale.Decimals = 0;
    scale.Pixels = miles * pixPerSM;
  }
  return scale;
}

TTideBar GetTideBar(double W, double H, double level, double levelMin, double levelMax, double metrePixels,
                    double barWidth) {
  TTideBar bar;
  if (levelMax == 0) return bar;
  bar.Visible = true;
  bar.Metres = static_cast<int>(std::trunc(levelMax)) + 1;
  const double height = bar.Metres * metrePixels + metrePixels / 2;
  bar.Left = W - 2.25 * barWidth;
  bar.Width = barWidth;
  bar.Bottom = H - 0.75 * height;
  bar.Top = bar.Bottom - height;
  bar.ColumnTop = bar.Bottom - std::fabs(level) * metrePixels;
  bar.LineMax = bar.Bottom - levelMax * metrePixels;
  bar.LineMin = bar.Bottom - levelMin * metrePixels;
  bar.ChevronRise = level >= 0 ? 3 : -3;
  return bar;
}

double GetTideBarMetreY(const TTideBar& bar, int i, double metrePixels) {
  return bar.Bottom - i * metrePixels;
}

double GetProgressFraction(double value, double maxValue) {
  if (!(maxValue > 0)) return 1;
  return std::min<double>(1, value / maxValue);
}

}  // namespace corvane
