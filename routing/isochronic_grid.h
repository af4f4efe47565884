#pragma once
// Routing of reaches on isochrones.
//
// A reach is sailed without tacks, but its fastest course bends with the
// stream. From the start a fan of headings (every 5 degrees from the beat
// angle to the gybe angle, on the side of the wind the course lies on) is
// sailed for one time step; from every point of that line a narrow fan
// (its own angle and 5 degrees either side) for the next step, and so on.
// Each new line is thinned to a corridor of stripes around the track and to
// the points nearest the finish, and lines are added until the best
// distance to the finish stops shrinking. The best point of the line before
// the last is the arrival; the course is traced back through each point's
// predecessor.
//
// Failures never raise: "Routing failed" (no arrival within 0.3 nm of the
// finish, or a broken predecessor chain), "Low VMG!" and "Routing
// cancelled" end the leg (TLegContext); "Low VMG - routing might fail!" only
// warns.

#include <vector>

#include "core/list_extended.h"
#include "routing/grid.h"
#include "routing/leg_context.h"
#include "routing/routing_data.h"
#include "routing/super_routing.h"

namespace corvane {

// One stripe of the corridor: a closed quadrilateral of four positions.
struct TStripes {
  TListCoords ListCoords;
};

struct TListStripes {
  std::vector<TStripes> Items;

  TStripes& Add() { return Items.emplace_back(); }
  // The stripe at position i (from 0); nullptr outside the list.
  TStripes* GetItem(int i) {
    return i >= 0 && i < Count() ? &Items[static_cast<std::size_t>(i)] : nullptr;
  }
  void SetItem(int i, const TStripes& stripes) {
    if (GetItem(i) != nullptr) Items[static_cast<std::size_t>(i)] = stripes;
  }
  int Count() const { return static_cast<int>(Items.size()); }
  void Clear() { Items.clear(); }
};

class TIsochronicGrid : public TSuperRouting {
 public:
  double WidthStripes = 0;  // nautical miles
  TGrid Grid;
  // Stripe 0 is the whole corridor, stripes 1 ... n its slices from the
  // left of the track to its right.
  TListStripes ListStripes;
  TListExtended ListDistBound;  // work list of the thinning steps
  // The corridor's two corners at the start, left and right.
  std::vector<TMinutes> StripeCorners;

  // The corridor around the track: D' = max(TrackDistance, 0.5) nm long
  // plus D'/5 beyond the finish, D'/2 wide, cut along the track into
  // CountStripes stripes of width D' / (2 CountStripes). StripesStart and
  // StripesFinish receive the CountStripes + 1 stripe corners on the start
  // and the far edge, left to right. Returns the corridor's outline (its four
  // corners, closed), the area whose stream the reach reads.
  TListMinutes GetStripesReach(const TMinutes& Start, const TMinutes& Finish, int CountStripes,
                               TListCoords& StripesStart, TListCoords& StripesFinish,
                               const TRoutingData& RoutingData);
  // Clears the grid and sets 25 planned lines and the hours per line of a
  // reach (sets LowVMG).
  void GetGridTimeDefaultReach(TLegContext& Leg);
  // Builds the isochrones, sets the track's TimeBestCourse to the elapsed
  // time of the last line and the grid's arrival; fails with "Routing
  // failed" when neither of the last two lines comes within 0.3 nm of the
  // finish.
  void GetIsochronicGrid(TLegContext& Leg);
  // Only while the leg is valid: best course from the finish over the
  // arrival (or the previous line's best point when the arrival lies beyond
  // the finish) back to the start, its boats, the duration (plus the time to
  // sail straight on to the finish), finish times, VMG and mean stream.
  void GetRoutingBestLine(TLegContext& Leg);

  // The fan from the predecessor `before` (index j, from 1, in the line
  // before) into line `line`: angles |a0 + h 5 deg| held within [beta,
  // gamma], negative when the side value s <= pi, until one reaches a1 or
  // passes gamma, and never more than 37 headings (half a turn in 5 degree
  // steps, whatever the angles); points not afloat are dropped. r is the
  // time step and elapsed the line's elapsed time, hours, carried as 32-bit
  // floats.
  void AddFan(int line, const TGridPoint& before, int j, double beta, double gamma, double a0,
              double a1, float r, float elapsed, double s, const TLegContext& Leg);

 private:
  // The fan of AddFan, its afloat points appended to `afloat`; reads the
  // grid and the leg only, so fans may be sailed at the same time.
  void SailFan(const TGridPoint& before, int j, double beta, double gamma, double a0, double a1, float r,
               float elapsed, double s, const TLegContext& Leg, std::vector<TGridPoint>& afloat) const;
  // The positions (from 1, the line's end points left out) of the points of
  // a line in each stripe 1 ... n, ascending.
  std::vector<std::vector<int>> PointsByStripe(int line) const;
  // Removes the points of a line for which `drop` holds.
  template <typename Drop>
  void RemovePoints(int line, Drop drop);
  void SetBestPoint(int line);
};

}  // namespace corvane
