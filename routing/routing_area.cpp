#include "routing/routing_area.h"

#include "core/constants.h"

namespace corvane {

TListMinutes GetRoutingHexagon(const TMathTools& math, const TRoutingData& track) {
  const double angle = track.TrackAngle * kDegreesToRadians;
  const double width = kRoutingAreaWidthFactor * track.TrackDistance;
  const TBogen start = math.MinutesToBogen(track.TrackStart);
  const TBogen finish = math.MinutesToBogen(track.TrackFinish);

  const auto vertex = [&math](const TBogen& from, double distance, double direction) {
    TBogen to = from;
    math.GetOrtWegOrt(from, TPolar{distance, direction}, to);
    return math.BogenToMinutes(to);
  };

  TListMinutes hexagon;
  hexagon.push_back(vertex(start, kRoutingAreaBehindStart, math.AddRad(angle, kPi)));
  hexagon.push_back(vertex(start, width, math.AddRad(angle, kPi / 2)));
  hexagon.push_back(vertex(finish, width, math.AddRad(math.AddRad(angle, kPi / 2), kRoutingAreaTurnRight)));
  hexagon.push_back(vertex(finish, width, math.AddRad(math.AddRad(angle, kPi), kRoutingAreaTurnLeft)));
  hexagon.push_back(vertex(start, width, math.AddRad(angle, 3 * kPi / 2)));
  hexagon.push_back(hexagon.front());
  return hexagon;
}

}  // namespace corvane
