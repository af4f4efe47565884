#pragma once
// Tracks of a course and their routing results.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/math_tools.h"
#include "core/types.h"

namespace corvane {

enum class TStrokeDash { Solid, Dash, Dot };

// Leg types, as a track's TypeOfCourse holds them (0: not computed).
inline constexpr int kCourseBeat = 1;
inline constexpr int kCourseReach = 2;
inline constexpr int kCourseRun = 3;

// Opaque ARGB colours of a track's lines.
inline constexpr TAlphaColor kColorTrackDefault = 0xFFFF0000;          // red
inline constexpr TAlphaColor kColorLaylinesDefault = 0xFF008000;       // green
inline constexpr TAlphaColor kColorLaylinesNoCurrentsDefault = 0xFFFFFF00;  // yellow

struct TCoords {
  TMinutes CoordM;

  void Clone(const TCoords& coords) { CoordM = coords.CoordM; }
  void Clone(const TMinutes& coordM) { CoordM = coordM; }
};

// An owned list of positions.
struct TListCoords {
  std::vector<TCoords> Items;
  TMathTools MathTools;

  // Appends the position (0, 0).
  TCoords& Add() { return Items.emplace_back(); }
  TCoords& Add(const TMinutes& minutes) { return Items.emplace_back(TCoords{minutes}); }
  // Longitude and latitude in minutes of arc, east and north positive.
  TCoords& Add(double lon, double lat) { return Add(TMinutes{lon, lat}); }
  // A position as text ("050:47:123N" and "001:17:500W" style), read by
  // GeoPosToMinutes: a text without a hemisphere letter reads 0.
  TCoords& Add(const TGeoPos& geoPos);
  TCoords& Add(const std::string& lon, const std::string& lat);
  // Replaces the content by a copy of another list (itself included).
  void Clone(const TListCoords& listCoords);
  // Whether a position lies inside the list's positions taken as a closed
  // polygon (even-odd rule, a repeated first point is harmless); `fault`
  // when the list holds fewer than 3 positions and so encloses nothing.
  bool GetInPolygon(const TMinutes& minutes, bool fault) const;
  bool GetInPolygon(const TBogen& bogen, bool fault) const;
  int Count() const { return static_cast<int>(Items.size()); }
  void Clear() { Items.clear(); }
};

// One boat marker on a routed track.
struct TBoat {
  TMinutes CoordM;
  bool Tack = false;  // a tack or gybe happens here
  double Angle = 0;      // heading through the water, radians
  std::uint8_t Bug = 0;  // side of the wind of that heading: 1 or 2
  double Attack = 0;     // degrees [0, 180] between heading and course over ground
  double Time = 0;       // hours after the start of the leg
};

struct TListBoat {
  std::vector<TBoat> Items;

  TBoat& Add() { return Items.emplace_back(); }
  // The boat at position i (from 0); nullptr outside the list.
  TBoat* GetItem(int i) {
    return i >= 0 && i < Count() ? &Items[static_cast<std::size_t>(i)] : nullptr;
  }
  const TBoat* GetItem(int i) const {
    return i >= 0 && i < Count() ? &Items[static_cast<std::size_t>(i)] : nullptr;
  }
  // Replaces the content by copies of another list's boats: position, Tack,
  // Angle, Bug and Time. Attack is left 0: it belongs to the drawing of the
  // routed track it was derived for, and the chart derives it again.
  void Clone(const TListBoat& listBoat);
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
  double TrackAngle = 0;  // bearing start -> finish, degrees
  std::string TrackAngleText;
  double TrackDistance = 0;  // nautical miles
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
  double TimeBestCourse = 0;    // hours
  double TimeLaylineLeft = 0;   // hours lost on the left layline
  double TimeLaylineRight = 0;  // hours lost on the right layline
  TListCoords ListBestCourse;  // from the finish back to the start
  TListCoords ListLaylineLeft;
  TListCoords ListLaylineRight;
  bool LayLinesValid = false;
  TMinutes LayLineCrossRight;
  TMinutes LayLineCrossLeft;
  TListBoat ListBoat;
  double TrackVMG = 0;     // knots
  double TrackMinVMG = 0;  // knots
  TCartesian StreamOnTrack;
  TMinutes FinalTack;
  double FinalCourse = 0;        // degrees
  double CurrentsWind = 0;       // radians
  double CurrentsWindShift = 0;  // degrees
  std::string HoursToRefTideText;

  // Copies another track's geometry and routing results (deep copies of the
  // lists) and its line style. The buoy names, the colours, DrawLaylines and
  // the gesture fields keep this record's values, so a fresh copy shows the
  // default colours whatever the source showed.
  void Clone(const TRoutingData& routingData);
};

// The tracks of the course. Items are held by pointer so that a reference to
// a track stays valid while tracks are added.
struct TListRoutingData {
  std::vector<std::unique_ptr<TRoutingData>> Items;
  TMathTools MathTools;
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

  // Derives every track's geometry from its marks: TrackAngle (degrees) and
  // its text (0 decimals + " deg"), TrackDistance (nautical miles) and its
  // text (2 decimals + " nm"), both texts with the user's locale's decimal
  // separator; TrackWindward, the point at the track's distance from the
  // start on the track's bearing turned left by the top-mark offset
  // (IndexTopMark - 10 degrees; the finish itself without offset); and
  // TrackCenter, the mean of start and windward point in minutes.
  void SetRoutingDataByMarks();
  // Lays a windward-leeward pair around the beat's TrackCenter for the wind
  // `wind` (radians, the direction the wind comes from): the beat starts and
  // the run finishes half the beat's distance downwind of the centre; the
  // beat finishes and the run starts the beat's distance from there, upwind
  // turned by the top-mark offset. Call SetRoutingDataByMarks afterwards.
  void SetRoutingDataByWind(TRoutingData& routingDataBeat, TRoutingData& routingDataRun,
                            double wind) const;
  // The wind direction (radians) that the first track and the top-mark
  // offset imply: the first track's bearing turned right by the offset; 0
  // for an empty list.
  double GetTrueWindAngle() const;
  // Copy a track into / out of the spare record RoutingData (Clone rules).
  void Store(const TRoutingData& routingData) { RoutingData.Clone(routingData); }
  void Restore(TRoutingData& routingData) const { routingData.Clone(RoutingData); }
  // Replaces every track by a fresh record cloned from the other list's
  // track, and takes its IndexTrack.
  void Clone(const TListRoutingData& listRoutingData);
  // Display settings of a course of waypoints: the selected track solid in
  // the default colours with its laylines drawn, every other track solid
  // black without laylines.
  void SetRoutingLineStroke();

 private:
  // The top-mark offset in radians, rounded to a 32-bit float as the course
  // layout has always placed the windward mark with it.
  double TopMarkOffset() const;
};

}  // namespace corvane
