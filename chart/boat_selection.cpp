#include "chart/boat_selection.h"

#include <cmath>

namespace corvane {

std::vector<int> GetBoatsAlongTrack(const TListBoat& boats, const TPolygon& pixels,
                                    double boatSpacing, const TMathTools& mathTools) {
  std::vector<int> drawn;
  const int count = boats.Count();
  if (count < 2 || pixels.size() != boats.Items.size() || !(boatSpacing > 0)) return drawn;
  int j = 0;
  for (int k = 1; k < count; ++k) {
    if (!boats.Items[static_cast<std::size_t>(k)].Tack && k != count - 1) continue;
    const TBoat& first = boats.Items[static_cast<std::size_t>(j)];
    const TPointF& a = pixels[static_cast<std::size_t>(j)];
    const TPointF& b = pixels[static_cast<std::size_t>(k)];
    const double pixelDistance = std::hypot(static_cast<double>(b.X) - a.X, static_cast<double>(b.Y) - a.Y);
    const int c = static_cast<int>(std::trunc(pixelDistance / boatSpacing));
    const double step =
        mathTools.DistanceOfMinutes(first.CoordM, boats.Items[static_cast<std::size_t>(k)].CoordM) /
        (c + 1);
    int i = 1;
    for (int m = j; m <= k && i <= c; ++m) {
      const double distance =
          mathTools.DistanceOfMinutes(first.CoordM, boats.Items[static_cast<std::size_t>(m)].CoordM);
      if (distance >= i * step) {
        drawn.push_back(m);
        ++i;
      }
    }
    j = k;
  }
  return drawn;
}

int GetBoatAtTime(const TListBoat& boats, double hours, double timeBestCourse) {
  if (boats.Count() == 0) return -1;
  int best = 0;
  double bestDifference = timeBestCourse;
  for (int i = 0; i < boats.Count(); ++i) {
    const double difference = std::fabs(boats.Items[static_cast<std::size_t>(i)].Time - hours);
    if (difference < bestDifference) {
      best = i;
      bestDifference = difference;
    }
  }
  return best;
}

}  // namespace corvane
