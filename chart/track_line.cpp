#include "chart/track_line.h"

#include <cmath>

namespace corvane {

namespace {

// Segments at least this long (pixels) show the dash pattern themselves.
constexpr double kDashMinLength = 15;

double Distance(const TPointF& a, const TPointF& b) {
  return std::hypot(static_cast<double>(b.X) - a.X, static_cast<double>(b.Y) - a.Y);
}

}  // namespace

std::vector<TTrackSegment> GetTrackSegments(const TPolygon& pixels, double lineWidth,
                                            TStrokeDash dash) {
  std::vector<TTrackSegment> segments;
  if (pixels.size() < 2) return segments;
  std::size_t start = 0;
  int n = 0;
  while (start + 1 < pixels.size()) {
    std::size_t end = start + 1;
    while (end + 1 < pixels.size() && Distance(pixels[start], pixels[end]) < lineWidth) ++end;
    const TLineF line{pixels[start], pixels[end]};
    if (dash == TStrokeDash::Solid) {
      segments.push_back(TTrackSegment{line, TStrokeDash::Solid});
    } else if (Distance(line.From, line.To) >= kDashMinLength) {
      segments.push_back(TTrackSegment{line, dash});
    } else if (n % 4 != 0) {
      segments.push_back(TTrackSegment{line, TStrokeDash::Solid});
    }
    ++n;
    start = end;
  }
  return segments;
}

}  // namespace corvane
