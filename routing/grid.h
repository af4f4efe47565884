#pragma once
// The routing grid: lines of points, each line one time step further from
// the start. Lines and points are numbered from 1. Points are held by value;
// a point's address stays valid while points are added to other lines (a
// line's points live in their own buffer), not while its own line grows.

#include <cstdint>
#include <vector>

#include "core/math_tools.h"
#include "core/types.h"

namespace corvane {

struct TGridPoint {
  TBogen Position;
  TCartesian Stream;  // knots, at the position and the point's elapsed time
  TCartesian Wind;    // wind over ground, knots
  bool BeforeLeftExists = false;
  bool BeforeRightExists = false;
  double TimeFromLeft = 0;   // elapsed hours when reached sailing to the right
  double TimeFromRight = 0;  // elapsed hours when reached sailing to the left
  double TimeFromBeforeLeft = 0;
  double TimeFromBeforeRight = 0;
  bool FromLeftWithTack = false;
  bool FromRightWithTack = false;
  double DistanceToFinish = 0;  // nautical miles
  double DistanceToStart = 0;   // nautical miles
  bool InWater = false;
  TPolar SailingVektor;
  TPolar SailingVektorLeft;
  TPolar SailingVektorRight;
  double PolarAngle = 0;  // signed boat angle, radians
  bool Valid = false;
  double VMG = 0;
  double VMG_STB = 0;
  double VMG_BBB = 0;
  double SailingLeft = 0;   // heading through the water, radians
  double SailingRight = 0;  // heading through the water, radians
  int IndexBefore = 0;   // predecessor position (from 1) in the previous line
  std::uint8_t Bug = 0;  // 1 SailingRight, 2 SailingLeft
};

struct TGridLine {
  int BestIndex = 0;  // point nearest to the finish, from 1; 0 when none
  double BestDistance = 0;
  std::vector<TGridPoint> Points;

  int Count() const { return static_cast<int>(Points.size()); }
};

class TGrid {
 public:
  TMathTools MathTools;
  bool EndBuildGrid = false;
  int IndexLine = 0;
  int IndexPoint = 0;
  int IndexPointLeft = -1;
  int IndexPointRight = -1;
  int IndexBeforeLeft = 0;
  int IndexBeforeRight = 0;
  int GridModula = 0;
  int DefaultGridLines = 0;
  double TimeDefault = 0;  // hours per line
  int BestLine = 0;
  int BestIndex = 0;
  double BestDistance = 0;
  double TimeLeft = 0;
  double TimeRight = 0;

  // Removes every line; building may start again.
  void Clear() {
    lines_.clear();
    EndBuildGrid = false;
  }
  void SetDefaultGridLines(int n) { DefaultGridLines = n; }
  // Appends a line of n zeroed points.
  void AddLine(int n) {
    const int line = AddLine();
    GetLine(line)->Points.resize(static_cast<std::size_t>(n));
  }
  // Appends an empty line and returns the number of lines.
  int AddLine() {
    lines_.emplace_back();
    return Count();
  }
  int Count() const { return static_cast<int>(lines_.size()); }
  // The line numbered from 1; nullptr outside [1, Count()].
  TGridLine* GetLine(int line) {
    if (line < 1 || line > Count()) return nullptr;
    return &lines_[static_cast<std::size_t>(line - 1)];
  }
  const TGridLine* GetLine(int line) const {
    if (line < 1 || line > Count()) return nullptr;
    return &lines_[static_cast<std::size_t>(line - 1)];
  }
  // Appends a zeroed point to a line; nullptr when the line does not exist.
  TGridPoint* AddPoint(int line) {
    TGridLine* gridLine = GetLine(line);
    if (gridLine == nullptr) return nullptr;
    return &gridLine->Points.emplace_back();
  }
  // nullptr when line or index lie outside the grid.
  TGridPoint* GetPoint(int line, int index) {
    TGridLine* gridLine = GetLine(line);
    if (gridLine == nullptr || index < 1 || index > gridLine->Count()) return nullptr;
    return &gridLine->Points[static_cast<std::size_t>(index - 1)];
  }

  // Whether the arrival (BestLine, BestIndex) is acceptable for the
  // closest-approach margin m (nautical miles, taken as a 32-bit float as
  // the grid has always compared it): an arrival on the first afloat point
  // from either end of its line lies on the edge of what the grid could
  // reach, and counts only when it lies within m of the finish; an arrival
  // inside the afloat stretch is always valid.
  bool GetBestPointValid(double minDistanceFinish) {
    const TGridLine* line = GetLine(BestLine);
    const TGridPoint* best = GetPoint(BestLine, BestIndex);
    if (line == nullptr || best == nullptr) return false;
    int left = -1;
    int right = -1;
    for (int i = 1; i <= line->Count() && left < 0; ++i) {
      if (GetPoint(BestLine, i)->InWater) left = i;
    }
    for (int i = line->Count(); i >= 1 && right < 0; --i) {
      if (GetPoint(BestLine, i)->InWater) right = i;
    }
    if (BestIndex != left && BestIndex != right) return true;
    return best->DistanceToFinish <= static_cast<float>(minDistanceFinish);
  }
  // Whether the arrival lies within 2 m of the finish.
  bool GetBestPointDistanceValid(double minDistanceFinish) {
    const TGridPoint* best = GetPoint(BestLine, BestIndex);
    if (best == nullptr) return false;
    return best->DistanceToFinish <= 2 * static_cast<float>(minDistanceFinish);
  }

 private:
  // Lines move when more are added; their points' buffers do not.
  std::vector<TGridLine> lines_;
};

}  // namespace corvane
