#pragma once
// Mouse actions on the chart image: panning the chart, the position readout
// under the mouse, and dragging the two movable marks (or the whole
// windward-leeward course). A double click near a mark or the course centre
// arms a mark drag; the next double click ends it. While marks move, only
// their on-screen points and the state's positions change; the chart layers
// are drawn again when the drag ends.
//
// No toolkit here: what the window does around a step (repaint, refresh the
// panels, the land check, saving) goes through TGestureHost, which the
// controller implements.

#include "chart/mobile_graphics.h"
#include "core/math_tools.h"
#include "core/types.h"
#include "state/application_state.h"

namespace corvane {

// Mouse event codes of MouseMap.
inline constexpr int kMouseDown = 1;
inline constexpr int kMouseUp = 2;
inline constexpr int kMouseMove = 3;
inline constexpr int kMouseDoubleClick = 4;

// Pixels within which a double click hits a mark or the course centre.
inline constexpr float kGestureHitRadius = 120;

// What a mark drag moves (the state's Gesture).
inline constexpr int kGestureNone = 0;
inline constexpr int kGestureCourse = 2;  // both marks by the same offset
inline constexpr int kGestureMark1 = 4;   // buoy 0
inline constexpr int kGestureMark2 = 5;   // buoy 1

class TGestureHost {
 public:
  virtual ~TGestureHost() = default;
  // Whether a position lies in water (the land check of the marks).
  virtual bool GetMarkInWater(const TMinutes& position) = 0;
  // Repaints the chart image from the existing off-screen bitmap.
  virtual void RepaintMap() = 0;
  // Draws the chart layers off screen and repaints the image.
  virtual void RedrawMap() = 0;
  // The position readout at an on-screen point.
  virtual void ShowReadout(float x, float y) = 0;
  // The panels follow a drag step: movable marks, results, wind, GRIB wind.
  virtual void RefreshAfterDragStep() = 0;
  // Enables the panels (false while a mark drag is armed).
  virtual void SetControlsPanCourse(bool enabled) = 0;
  // A drag of a track's end was armed: the routing results are discarded,
  // the time steps and the results table follow.
  virtual void MarkDragArmedOnTrack() = 0;
  // A double click that armed nothing: the results table's buttons come
  // back, the GRIB wind follows the marks, the wind panel is refilled and
  // the settings are saved.
  virtual void MarkDragDone() = 0;
};

class TServiceGestures {
 public:
  bool MouseDown = false;
  TPointF DblClickPoint;
  bool PanMapActivated = true;
  bool PanCourseActivated = false;
  bool ZoomMapActivated = true;
  bool ZoomCourseActivated = false;
  bool LineMapActivated = false;
  TMathTools MathTools;
  TPointF PanStart;
  TPointF PanM1;
  TPointF PanM2;
  TPointF PanMC;
  TPointF NextLocationMark1;
  TPointF NextLocationMark2;
  TPointF NextLocationCenter;
  TMinutes NextPositionMark1;
  TMinutes NextPositionMark2;

  // Stores the references; they must outlive the service. Run once at
  // start-up.
  void InitService(TGestureHost& host, TInterfaceApplicationMobile& state,
                   TMobileGraphics& graphics);

  // kMouseDown, kMouseUp, kMouseMove or kMouseDoubleClick at (x, y), pixels
  // of the chart image (a double click acts at the last mouse-down point
  // and passes 0, 0). Does nothing before InitService.
  void MouseMap(int mouseEvent, float x, float y);
  bool GetMouseDown() const { return MouseDown; }

  // After a zoom: an armed mark drag stays armed, its points taken again
  // from the positions at the new scale.
  void HandleGestureMovableMarkContinue();

  // Sets the state's Gesture from the distances of p to the two marks and
  // the centre of track 0 (and the gesture points from the positions).
  void HitTest(const TPointF& p);
  // One drag step at (x, y): the candidate points, the land check, the
  // tracks following the marks.
  void DragStep(float x, float y);

 private:
  void DoubleClick();
  void StartMarkDrag();
  void EndMarkDrag();
  void TracksFollowMarks();
  // GestureM1, GestureM2, GestureMC and every track's gesture ends from the
  // positions.
  void SetGesturePoints();
  TPointF OnScreen(const TMinutes& position) const;
  TMinutes ToMinutes(const TPointF& point) const;

  TGestureHost* host_ = nullptr;
  TInterfaceApplicationMobile* state_ = nullptr;
  TMobileGraphics* graphics_ = nullptr;
};

}  // namespace corvane
