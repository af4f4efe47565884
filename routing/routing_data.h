#pragma once
// Tracks of a course and their routing results.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/types.h"

namespace corvane {

enum class TStrokeDash { Solid, Dash, Dot };

// Opaque ARGB colours of a track's lines.
inline constexpr TAlphaColor kColorTrackDefault = 0xFFFF0000;          // red
inline constexpr TAlphaColor kColorLaylinesDefault = 0xFF008000;       // green
inline constexpr TAlphaColor kColorLaylinesNoCurrentsDefault = 0xFFFFFF00;  // yellow

struct TCoords {
  TMinutes CoordM;
};

// An owned list of positions.
struct TListCoords {
  std::vector<TCoords> Items;

  TCoords& Add() { return Items.emplace_back(); }
  TCoords& Add(const TMinutes& minutes) { return Items.emplace_back(TCoords{minutes}); }
  int Count() const { return static_cast<int>(Items.size()); }
  void Clear() { Items.clear(); }
};

// One boat marker on a routed track.
struct TBoat {
  TMinutes CoordM;
  bool Tack = false;  // a tack or gybe happens here
  ext Angle = 0;      // heading through the water, radians
  std::uint8_t Bug = 0;  // side of the wind of that heading: 1 or 2
  ext Attack = 0;     // degrees [0, 180] between heading and course over ground
  ext Time = 0;       // hours after the start of the leg
};

struct TListBoat {
  std::vector<TBoat> Items;

  TBoat& Add() { return Items.emplace_back(); }
  int Count() const { return static_cast<int>(Items.size()); }
  void Clear() { Items.clear(); }
};

// One track (leg) of the course with its routing record.
struct TRoutingData {
  int IndexStart = 0;   // buoy index of the start mark
  int IndexFinish = 0;  // buoy index of the finish mark
  std::string BuoyStart;
  std::string BuoyFinish;
  TMinutes TrackStart;
  TMinutes TrackFinish;
  ext TrackAngle = 0;  // bearing start -> finish, degrees
  std::string TrackAngleText;
  ext TrackDistance = 0;  // nautical miles
  std::string TrackDistanceText;
  TMinutes TrackWindward;
  TMinutes TrackCenter;
  bool DrawGesture = false;
  TPointF GestureTrackStart;
  TPointF GestureTrackFinish;
  TStrokeDash StrokeDash = TStrokeDash::Solid;
  TAlphaColor ColorTrack = kColorTrackDefault;
  TAlphaColor ColorLaylines = kColorLaylinesDefault;
  TAlphaColor ColorLaylinesNoCurrents = kColorLaylinesNoCurrentsDefault;
  bool DrawLaylines = true;
  int TypeOfCourse = 0;  // 0 not computed, 1 beat, 2 reach, 3 run
  bool RoutingEnabled = false;
  TDateTime DateTimeStartGMT = 0;
  TDateTime DateTimeStartLOC = 0;
  TDateTime DateTimeFinishGMT = 0;
  TDateTime DateTimeFinishLOC = 0;
  ext TimeBestCourse = 0;    // hours
  ext TimeLaylineLeft = 0;   // hours lost on the left layline
  ext TimeLaylineRight = 0;  // hours lost on the right layline
  TListCoords ListBestCourse;  // from the finish back to the start
  TListCoords ListLaylineLeft;
  TListCoords ListLaylineRight;
  bool LayLinesValid = false;
  TMinutes LayLineCrossRight;
  TMinutes LayLineCrossLeft;
  TListBoat ListBoat;
  ext TrackVMG = 0;     // knots
  ext TrackMinVMG = 0;  // knots
  TCartesian StreamOnTrack;
  TMinutes FinalTack;
  ext FinalCourse = 0;        // degrees
  ext CurrentsWind = 0;       // radians
  ext CurrentsWindShift = 0;  // degrees
  std::string HoursToRefTideText;
};

// The tracks of the course. Items are held by pointer so that a reference to
// a track stays valid while tracks are added.
struct TListRoutingData {
  std::vector<std::unique_ptr<TRoutingData>> Items;
  TRoutingData RoutingData;  // spare record for Store and Restore
  int IndexTrack = 0;        // selected track, from 0
  int IndexTopMark = 10;     // windward-mark offset from the wind, degrees + 10

  TRoutingData& Add() { return *Items.emplace_back(std::make_unique<TRoutingData>()); }
  // The track at position i; nullptr outside the list.
  TRoutingData* GetItem(int i) {
    return i >= 0 && i < Count() ? Items[static_cast<std::size_t>(i)].get() : nullptr;
  }
  const TRoutingData* GetItem(int i) const {
    return i >= 0 && i < Count() ? Items[static_cast<std::size_t>(i)].get() : nullptr;
  }
  int Count() const { return static_cast<int>(Items.size()); }
  void Clear() { Items.clear(); }
};

}  // namespace corvane
