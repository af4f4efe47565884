#pragma once
// What a routing run sails in, handed to the engine whole: the stream and
// the wind at any position and time, whether a position is navigable, and the
// true wind the user chose. A front end builds it once per run from what it
// shows (the tidal stream atlas for the day, a GRIB wind, the chart's water
// for the chosen depth line); a test builds it from a few lambdas.
//
// Times are hours after the conditions' moment (the moment the run was asked
// for), positions minutes of arc (east and north positive), vectors knots
// (x east, y north). The functions must stay valid and give the same answers
// while any run uses them, and be callable from several threads at once.

#include <functional>

#include "core/types.h"

namespace corvane {

// The stream at a position and time: the vector points where the water
// flows; zero where there is none.
using TStreamField = std::function<TCartesian(const TMinutes& position, double hours)>;

struct TRoutingConditions {
  // The chosen true wind (knots, radians it comes from). The leg type, the
  // first estimates of a leg's duration and the laylines without stream
  // always sail in it, so that a forecast does not change what kind of leg a
  // course is.
  TPolar TrueWind;

  // Still water when empty.
  TStreamField Stream;

  // The stream that one leg may use, given the area around the leg (a closed
  // polygon) that it routes in: a stream atlas reads only its points inside
  // the area, and nothing beyond it. Empty: Stream everywhere.
  std::function<TStreamField(const TListMinutes& area)> StreamWithin;

  // The wind over ground at a position and time as a vector that points
  // where the wind comes from (PolarToCartesian of a wind). Empty: the true
  // wind everywhere and always.
  std::function<TCartesian(const TMinutes& position, double hours)> Wind;

  // Whether a boat may sail at a position. Empty: everywhere.
  std::function<bool(const TMinutes& position)> Navigable;

  // The stream a leg routed inside `area` reads.
  TStreamField StreamFor(const TListMinutes& area) const {
    return StreamWithin ? StreamWithin(area) : Stream;
  }
};

}  // namespace corvane
