#pragma once
// The text blocks of a track sheet: header, boat, start, wind, the day's
// tides, the selected track, its routing results and the stream
// calibration.

#include "core/math_tools.h"
#include "core/string_tools.h"
#include "core/type_names.h"
#include "print/pre_press_core.h"
#include "state/application_state.h"

namespace corvane {

// Columns of the track sheet, horizontal layout units.
inline constexpr double kColTitle = 20;
inline constexpr double kColLabel = 42;
inline constexpr double kColValue = 402;
inline constexpr double kColTime = 652;
inline constexpr double kColTides = 1142;
inline constexpr double kColGauge = 1272;
inline constexpr double kColHeight = 1332;

// The name of the picture data set at the sheet's top right.
inline constexpr const char* kLogoDataSet = "LOGO";

class TPrePressText : public TPrePressCore {
 public:
  TTypes Types;
  TStringTools StringTools;
  TMathTools MathTools;

  // Replaces the print lines by those of the selected track's sheet, in
  // order: the logo and the application name; "Class"; "Start Time" with
  // the start date and time (the track's start when routed, else the chosen
  // moment) and, unless the currents are hidden, the high-water text;
  // "True Wind"; the day's tides in the right-hand column (unless hidden or
  // no tides are known); "Track" with start, finish, distance, course, VMGs
  // and the stream on the track; "Routing" with the leg type, the best
  // course time, the layline losses, the wind shift by the stream and the
  // top-mark approach; and the stream calibration (same condition as the
  // tides). Routed means the track's RoutingEnabled and the state's
  // RoutingValid; a result of a track that is not routed (or that does not
  // apply to its leg type) reads "not computed".
  void PrePressTextTracks(const TInterfaceApplicationMobile& state);

  // Whether the sheet shows a track's routing results.
  static bool Routed(const TRoutingData* track, const TInterfaceApplicationMobile& state);
};

}  // namespace corvane
