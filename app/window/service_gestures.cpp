#include "app/window/service_gestures.h"

#include <cmath>

namespace corvane {
namespace {

float Distance(const TPointF& a, const TPointF& b) {
  return static_cast<float>(std::hypot(static_cast<double>(a.X) - b.X, static_cast<double>(a.Y) - b.Y));
}

TPointF Shifted(const TPointF& p, float dx, float dy) { return TPointF{p.X + dx, p.Y + dy}; }

}  // namespace

void TServiceGestures::InitService(TGestureHost& host, TInterfaceApplicationMobile& state,
                                   TMobileGraphics& graphics) {
  host_ = &host;
  state_ = &state;
  graphics_ = &graphics;
}

TPointF TServiceGestures::OnScreen(const TMinutes& position) const {
  return graphics_->Minutes_to_OnScreen(position, state_->Offset);
}

TMinutes TServiceGestures::ToMinutes(const TPointF& point) const {
  return graphics_->OnScreen_to_Minutes(point, state_->Offset);
}

void TServiceGestures::MouseMap(int mouseEvent, float x, float y) {
  if (host_ == nullptr) return;
  const TPointF p{x, y};
  switch (mouseEvent) {
    case kMouseDown:
      DblClickPoint = p;
      if (PanMapActivated) {
        graphics_->GesturePanStart(p);
        MouseDown = true;
      }
      if (PanCourseActivated) {
        PanStart = p;
        PanM1 = graphics_->GestureM1;
        PanM2 = graphics_->GestureM2;
        PanMC = graphics_->GestureMC;
        MouseDown = true;
      }
      break;
    case kMouseUp:
      MouseDown = false;
      break;
    case kMouseMove:
      if (MouseDown && PanMapActivated) {
        if (graphics_->GesturePan(*state_, p)) host_->RepaintMap();
      }
      if (MouseDown && PanCourseActivated) {
        DragStep(x, y);
        host_->RefreshAfterDragStep();
      }
      if (!MouseDown) host_->ShowReadout(x, y);
      break;
    case kMouseDoubleClick:
      DoubleClick();
      break;
    default:
      break;
  }
}

void TServiceGestures::HitTest(const TPointF& p) {
  TInterfaceApplicationMobile& state = *state_;
  state.Gesture = kGestureNone;
  if (state.ListBuoysPosition.size() < 2) return;
  SetGesturePoints();
  const float d1 = Distance(p, graphics_->GestureM1);
  const float d2 = Distance(p, graphics_->GestureM2);
  const float d3 = Distance(p, graphics_->GestureMC);
  if (d1 < kGestureHitRadius || d2 < kGestureHitRadius || d3 < kGestureHitRadius) {
    state.Gesture = kGestureMark1;
    if (d1 > d2 || d1 > d3) {
      state.Gesture = kGestureMark2;
      if (d2 > d3 && (state.TrackType == 1 || !state.GRIBWindCourse)) state.Gesture = kGestureCourse;
    }
  }
  // A windward-leeward course that follows the GRIB wind moves only as a
  // whole: its axis is the wind's.
  if (state.TrackType == 1 && state.GRIBWindValid && state.GRIBWindCourse &&
      (state.Gesture == kGestureMark1 || state.Gesture == kGestureMark2)) {
    state.Gesture = kGestureNone;
  }
}

void TServiceGestures::DoubleClick() {
  TInterfaceApplicationMobile& state = *state_;
  HitTest(DblClickPoint);
  bool armed = false;
  if (state.Gesture != kGestureNone) {
    if (state.DeviceGestureMovableMarkActive) {
      EndMarkDrag();
    } else {
      StartMarkDrag();
      armed = true;
    }
  } else if (state.DeviceGestureMovableMarkActive) {
    EndMarkDrag();
  }
  host_->SetControlsPanCourse(!armed);
  if (armed && state.DeviceGestureMovableMarkWaypoint) host_->MarkDragArmedOnTrack();
  if (!armed) host_->MarkDragDone();
  host_->RedrawMap();
}

void TServiceGestures::StartMarkDrag() {
  TInterfaceApplicationMobile& state = *state_;
  state.DeviceGestureMovableMarkActive = true;
  PanMapActivated = false;
  ZoomMapActivated = false;
  LineMapActivated = false;
  PanCourseActivated = true;
  if (state.Gesture == kGestureCourse) ZoomCourseActivated = true;

  bool onTrack = state.Gesture == kGestureCourse;
  if (!onTrack) {
    const int buoy = state.Gesture == kGestureMark1 ? 0 : 1;
    for (const auto& track : state.ListRoutingData.Items) {
      if (track->IndexStart == buoy || track->IndexFinish == buoy) onTrack = true;
    }
  }
  state.DeviceGestureMovableMarkWaypoint = onTrack;
  if (state.DrawRouting && onTrack) state.DrawRouting = false;
  SetGesturePoints();
}

void TServiceGestures::EndMarkDrag() {
  TInterfaceApplicationMobile& state = *state_;
  state.DeviceGestureMovableMarkActive = false;
  state.DeviceGestureMovableMarkWaypoint = false;
  state.Gesture = kGestureNone;
  PanMapActivated = true;
  ZoomMapActivated = true;
  LineMapActivated = false;
  PanCourseActivated = false;
  ZoomCourseActivated = false;
  // The hit test has just taken the gesture points from the marks, so the
  // marks stay where the drag left them.
  if (state.ListBuoysPosition.size() >= 2) {
    state.ListBuoysPosition[0] = ToMinutes(graphics_->GestureM1);
    state.ListBuoysPosition[1] = ToMinutes(graphics_->GestureM2);
  }
}

void TServiceGestures::SetGesturePoints() {
  TInterfaceApplicationMobile& state = *state_;
  if (state.ListBuoysPosition.size() < 2) return;
  graphics_->GestureM1 = OnScreen(state.ListBuoysPosition[0]);
  graphics_->GestureM2 = OnScreen(state.ListBuoysPosition[1]);
  if (const TRoutingData* first = state.ListRoutingData.GetItem(0)) {
    graphics_->GestureMC = OnScreen(first->TrackCenter);
  } else {
    // Without a track the centre lies between the marks.
    graphics_->GestureMC = TPointF{(graphics_->GestureM1.X + graphics_->GestureM2.X) / 2,
                                   (graphics_->GestureM1.Y + graphics_->GestureM2.Y) / 2};
  }
  for (auto& track : state.ListRoutingData.Items) {
    track->GestureTrackStart = OnScreen(track->TrackStart);
    track->GestureTrackFinish = OnScreen(track->TrackFinish);
  }
}

void TServiceGestures::DragStep(float x, float y) {
  TInterfaceApplicationMobile& state = *state_;
  if (state.ListBuoysPosition.size() < 2) return;
  const float dx = x - PanStart.X;
  const float dy = y - PanStart.Y;
  switch (state.Gesture) {
    case kGestureMark1:
      NextLocationMark1 = Shifted(PanM1, dx, dy);
      NextLocationMark2 = PanM2;
      break;
    case kGestureMark2:
      NextLocationMark1 = PanM1;
      NextLocationMark2 = Shifted(PanM2, dx, dy);
      break;
    case kGestureCourse:
      NextLocationMark1 = Shifted(PanM1, dx, dy);
      NextLocationMark2 = Shifted(PanM2, dx, dy);
      NextLocationCenter = Shifted(PanMC, dx, dy);
      break;
    default:
      return;
  }
  NextPositionMark1 = ToMinutes(NextLocationMark1);
  NextPositionMark2 = ToMinutes(NextLocationMark2);
  // A step that would put either mark on land is left out; the drag goes on
  // from the last positions in water.
  if (host_->GetMarkInWater(NextPositionMark1) && host_->GetMarkInWater(NextPositionMark2)) {
    graphics_->GestureM1 = NextLocationMark1;
    graphics_->GestureM2 = NextLocationMark2;
    if (state.Gesture == kGestureCourse) graphics_->GestureMC = NextLocationCenter;
    state.ListBuoysPosition[0] = NextPositionMark1;
    state.ListBuoysPosition[1] = NextPositionMark2;
  }
  TracksFollowMarks();
  host_->RepaintMap();
}

void TServiceGestures::TracksFollowMarks() {
  TInterfaceApplicationMobile& state = *state_;
  if (!state.DeviceGestureMovableMarkWaypoint) return;
  for (auto& track : state.ListRoutingData.Items) {
    if (track->IndexStart == 0) {
      track->TrackStart = state.ListBuoysPosition[0];
      track->GestureTrackStart = graphics_->GestureM1;
    } else if (track->IndexStart == 1) {
      track->TrackStart = state.ListBuoysPosition[1];
      track->GestureTrackStart = graphics_->GestureM2;
    }
    if (track->IndexFinish == 0) {
      track->TrackFinish = state.ListBuoysPosition[0];
      track->GestureTrackFinish = graphics_->GestureM1;
    } else if (track->IndexFinish == 1) {
      track->TrackFinish = state.ListBuoysPosition[1];
      track->GestureTrackFinish = graphics_->GestureM2;
    }
  }
  state.ListRoutingData.SetRoutingDataByMarks();
  // The wind turns with the course axis unless a GRIB wind sets it.
  if (state.TrackType == 1 || !state.GRIBWindCourse) {
    state.Wind.TrueWind.Winkel = state.ListRoutingData.GetTrueWindAngle();
  }
}

void TServiceGestures::HandleGestureMovableMarkContinue() {
  if (host_ == nullptr || !state_->DeviceGestureMovableMarkActive) return;
  PanMapActivated = false;
  ZoomMapActivated = false;
  LineMapActivated = false;
  PanCourseActivated = true;
  SetGesturePoints();
  host_->RedrawMap();
}

}  // namespace corvane
