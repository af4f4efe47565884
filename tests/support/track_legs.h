#pragma once
// Tracks laid by bearing and distance, for the tests of routing and of the
// services around it.

#include "core/constants.h"
#include "core/types.h"
#include "routing/routing_data.h"

namespace corvane::test_support {

// Appends a track from `start`, `distance` nautical miles on `bearing`
// degrees (great circle), to `list`; only its two ends are set.
inline TRoutingData& AddTrack(TListRoutingData& list, const TMinutes& start, double bearing, double distance) {
  TRoutingData& track = list.Add();
  TBogen finish;
  list.MathTools.GetOrtWegOrt(list.MathTools.MinutesToBogen(start), TPolar{distance, bearing * kDegreesToRadians},
                              finish);
  track.TrackStart = start;
  track.TrackFinish = list.MathTools.BogenToMinutes(finish);
  return track;
}

}  // namespace corvane::test_support
