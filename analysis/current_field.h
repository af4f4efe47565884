#pragma once
// The current field of the chosen moment: one call brings the tide lists,
// the tide texts and one stream cube up to date for the application state's
// DateTimeGMT, and two smaller services answer the stream at one position and
// narrow a cube's routing area to a track.
//
// The pipeline of GetTidalCurrents: the tides of the day before, the day and
// the day after -> the atlas chart times around the reference tides -> the
// window of charts around the moment, mapped onto the atlas fields -> every
// stream vector unpacked for the day's tide range and the user's speed
// correction -> the whole field interpolated in time at the moment minus the
// user's time correction. The application services own one TPackageCurrents
// and call it whenever the moment, the calibration, the wind or the course
// changes.

#include <functional>

#include "core/math_tools.h"
#include "core/types.h"
#include "state/application_state.h"
#include "tides/package_tides.h"
#include "tides/stream_cube.h"
#include "tides/stream_snapshot.h"

namespace corvane {

// Sources of GetTidalCurrents.
inline constexpr int kCurrentsSourceDrawn = 1;    // CubeLoRes: arrows, labels, slack marks
inline constexpr int kCurrentsSourceRouting2 = 2;  // CubeHiRes (accepted, not used)
inline constexpr int kCurrentsSourceRouting = 3;   // CubeHiRes before routing a track

// Application type of the simulator, for which the tidal model is not run.
inline constexpr int kAppTypeSimulator = 4;

class TPackageCurrents {
 public:
  // The tide model; the tide-table loader fills its table.
  TPackageTides PackageTides;
  TMathTools MathTools;
  // The atlas unpacked per tide range and speed correction, for the
  // conditions of routing runs.
  TStreamAtlasCache StreamAtlases;

  // The GRIB wind of the moment, run by GetTidalCurrents for the drawn field
  // (the wind taken from a loaded GRIB wind file, or the course direction
  // when the file does not cover the moment). Set by the owner that holds
  // the GRIB reader; while it is empty that step is left out.
  std::function<void(TInterfaceApplicationMobile&)> GRIBWindOfMoment;

  // Brings the tide model and one stream cube up to date for
  // state.DateTimeGMT. source 1 computes the drawn field on CubeLoRes with
  // its labels (when DrawCurrentsText), slack flags and tide bar; 2 and 3
  // (and any other value) compute the routing field on CubeHiRes only. Does
  // nothing for the simulator application type.
  //
  // Sets TidesValid (false until the field is computed, and false when the
  // tide table does not hold the day before, the day and the day after the
  // moment: the cube then keeps its previous interpolation),
  // HoursToRefTide, HoursToRefTideText ("01:35 before HW at 14:20", empty
  // when invalid) and ListDayTides. The field is read at DateTimeGMT minus
  // TideTimeShift minutes (rounded to whole minutes); the tide lists, the
  // text and the tide bar refer to DateTimeGMT itself. With HideCurrent the
  // drawn vectors and labels are zero. A loaded GRIB current that covers the
  // moment is interpolated into CubeLoRes (GRIBCurrentCube 0, sources 1 and
  // 3; the field is then valid) or CubeTideTech (GRIBCurrentCube 1).
  void GetTidalCurrents(int source, TInterfaceApplicationMobile& state);

  // The stream of CubeLoRes at a position (minutes of arc) for the chosen
  // moment (DateTimeGMT minus TideTimeShift), as speed in knots and the
  // direction it flows toward in radians. Zero when HideCurrent is set, the
  // position is not navigable (GetInWater), or no cube's validity polygon
  // contains it; otherwise the three nearest grid points of the first cube
  // that contains it, blended in time between the two charts around the
  // moment. GetTidalCurrents(1) for the moment must come first.
  TPolar GetCurrents(const TInterfaceApplicationMobile& state, const TMinutes& position) const;

  // Whether a position is navigable: with no depth line chosen (IndexDepthLine
  // 0) inside one of the InWaterLines polygons of a chart tile whose Typ is
  // not 1; with depth line k inside ListDrafts[k - 1] and inside none of
  // ListInvDrafts[k - 1] (false when the state has no such depth line).
  bool GetInWater(const TMinutes& position, const TInterfaceApplicationMobile& state) const;

 private:
  // True when a loaded GRIB current's times include moment (both ends).
  static bool GetGRIBCurrentCovers(const TInterfaceApplicationMobile& state,
                                   const TListVektorCubeLight& cube, TDateTime moment);
};

}  // namespace corvane
