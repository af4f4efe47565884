// The commands behind the panels: the course, the boat class, the wind, the
// calibration, the depth line, the results pages, the zoom and the movable
// marks. Each runs inside the gate; the controller refreshes the panels
// afterwards.

#include <QDate>
#include <QTime>
#include <algorithm>
#include <cctype>
#include <cmath>

#include "analysis/package_apps.h"
#include "app/window/package_forms.h"
#include "app/window/shortcut_memo.h"
#include "core/date_time.h"
#include "data/package_resource_loader.h"

namespace corvane {

void TPackageForms::RebuildTracks() { apps_.SetListRoutingData(state_); }

void TPackageForms::DiscardRouting() {
  apps_.ResetRouting(state_);
  apps_.GetDrawRouting(state_);
}

void TPackageForms::RedrawAndSave(TWindowControls& c) {
  Redraw(c);
  Save();
}

bool TPackageForms::GetWaypoint(TWindowControls& c, int row) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return false;
  DiscardRouting();
  apps_.SetIndexWaypointByIndex(row, state_);
  QComboBox* box = row >= 0 && row < kWaypointRows ? c.ComboBox_Waypoint[static_cast<std::size_t>(row)] : nullptr;
  if (box != nullptr && box->currentIndex() >= 0) apps_.ModifyListWaypoints(box->currentIndex(), state_);
  RebuildTracks();
  RedrawAndSave(c);
  return true;
}

bool TPackageForms::SetIndexWaypoint(int row) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return false;
  apps_.SetIndexWaypointByIndex(row, state_);
  return true;
}

bool TPackageForms::AddWaypoint(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return false;
  DiscardRouting();
  apps_.AddListWaypoints(state_);
  state_.IndexWaypoint = apps_.GetCountWaypoints(state_) - 1;
  RebuildTracks();
  RedrawAndSave(c);
  return true;
}

bool TPackageForms::DeleteAndMoveWaypoint(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open() || state_.IndexWaypoint < 0) return false;
  if (!apps_.DeleteAndMoveListWaypoints(state_.IndexWaypoint, state_)) return false;
  DiscardRouting();
  RebuildTracks();
  const int last = apps_.GetCountWaypoints(state_) - 1;
  if (state_.IndexWaypoint > last) state_.IndexWaypoint = last;
  RedrawAndSave(c);
  return true;
}

bool TPackageForms::GetMoveWaypoint(TWindowControls& c, int move) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return false;
  DiscardRouting();
  const int old = state_.IndexWaypoint;
  int row = old + move;
  if (row < 0 || row > apps_.GetCountWaypoints(state_) - 1) row = old;
  apps_.MoveListWaypoints(old, row, state_);
  state_.IndexWaypoint = row;
  RebuildTracks();
  RedrawAndSave(c);
  return true;
}

bool TPackageForms::GetShortCutWaypoints(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open() || c.Memo_ShortCutWaypointsBox == nullptr) return false;
  if (!apps_.GetShortCutWaypoints(c.Memo_ShortCutWaypointsBox->toPlainText().toStdString(), state_)) {
    return false;
  }
  DiscardRouting();
  RebuildTracks();
  return true;
}

bool TPackageForms::GetBoatclass(TWindowControls& c, QComboBox* sender) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return false;
  apps_.ResetRouting(state_);
  if (sender != nullptr && sender->currentIndex() >= 0) {
    apps_.GetDrawRouting(state_);
    state_.BoatClass = sender->currentText().toStdString();
    loader_.LoadBoatPolars(state_);
    RedrawAndSave(c);
  }
  return true;
}

bool TPackageForms::RefreshClasses(TWindowControls& c) {
  {
    TEventsGate gate(EnableEvents);
    if (!gate.Open()) return false;
    apps_.ResetRouting(state_);
  }
  SetupClasses(c);
  return true;
}

void TPackageForms::SetMoment(TWindowControls& c, TDateTime local) {
  state_.DateTimeLOC = local;
  SetDateTimeGMT(state_);
  TDateTime bound = 0;
  if (state_.DateTimeLOC < state_.DateTimeMinLOC) bound = state_.DateTimeMinLOC;
  if (state_.DateTimeLOC > state_.DateTimeMaxLOC) bound = state_.DateTimeMaxLOC;
  if (bound != 0) {
    state_.DateTimeLOC = bound;
    SetDateTimeGMT(state_);
    // The edits show the bound (their change events find the gate closed).
    const TDateTimeParts p = DecodeDateTime(bound);
    if (c.DateEdit_Start != nullptr) c.DateEdit_Start->setDate(QDate(p.Year, p.Month, p.Day));
    if (c.TimeEdit_Start != nullptr) c.TimeEdit_Start->setTime(QTime(p.Hour, p.Minute, p.Second));
  }
  AfterMomentChange(c);
}

void TPackageForms::AfterMomentChange(TWindowControls& c) {
  apps_.PackageCurrents.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  apps_.GetTrueGRIBWindCourse(state_);
  DiscardRouting();
  Redraw(c);
}

bool TPackageForms::GetStartDate(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open() || c.DateEdit_Start == nullptr) return false;
  const QDate date = c.DateEdit_Start->date();
  const TDateTime time = state_.DateTimeLOC - DateOf(state_.DateTimeLOC);
  SetMoment(c, EncodeDate(date.year(), date.month(), date.day()) + time);
  Save();
  return true;
}

bool TPackageForms::GetStartTime(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open() || c.TimeEdit_Start == nullptr) return false;
  apps_.GetGRIBWindValid(state_);
  const QTime time = c.TimeEdit_Start->time();
  SetMoment(c, DateOf(state_.DateTimeLOC) + EncodeTime(time.hour(), time.minute(), time.second(), 0));
  return true;
}

bool TPackageForms::SetTimeNow(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return false;
  const TDateTime now = NowLocal();
  if (now < DateOf(state_.DateTimeMinLOC) || now > DateOf(state_.DateTimeMaxLOC)) return false;
  state_.DateTimeLOC = now;
  SetDateTimeGMT(state_);
  const TDateTimeParts p = DecodeDateTime(now);
  if (c.DateEdit_Start != nullptr) c.DateEdit_Start->setDate(QDate(p.Year, p.Month, p.Day));
  if (c.TimeEdit_Start != nullptr) c.TimeEdit_Start->setTime(QTime(p.Hour, p.Minute, p.Second));
  AfterMomentChange(c);
  Save();
  return true;
}

bool TPackageForms::GetTimeShift(TWindowControls& c, std::int64_t minutes) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return false;
  state_.DateTimeGMT = IncMinute(state_.DateTimeGMT, minutes);
  SetDateTimeLOC(state_);
  state_.DateTimeLOC = std::clamp(state_.DateTimeLOC, state_.DateTimeMinLOC, state_.DateTimeMaxLOC);
  SetDateTimeGMT(state_);
  // The routing results stay: the boats move to the new time.
  apps_.GetDrawRouting(state_);
  apps_.PackageCurrents.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  if (!state_.DrawRouting) apps_.GetTrueGRIBWindCourse(state_);
  Redraw(c);
  return true;
}

bool TPackageForms::GetWind(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open() || c.ComboBox_WindSpeedBox == nullptr) return false;
  DiscardRouting();
  state_.Wind.IndexSpeed = c.ComboBox_WindSpeedBox->currentIndex();
  apps_.HandleTrueWind(c, state_);
  RedrawAndSave(c);
  return true;
}

bool TPackageForms::GetWindAngle(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return false;
  DiscardRouting();
  TListRoutingData& tracks = state_.ListRoutingData;
  TRoutingData* beat = tracks.GetItem(0);
  TRoutingData* run = tracks.GetItem(1);
  // Only a windward-leeward pair is laid out around the wind; the marks of
  // a course of waypoints stay where they are.
  if (state_.TrackType == 1 && beat != nullptr && run != nullptr) {
    const TWind oldWind = state_.Wind;
    const TMinutes beatStart = beat->TrackStart, beatFinish = beat->TrackFinish;
    const TMinutes runStart = run->TrackStart, runFinish = run->TrackFinish;
    apps_.HandleTrueWind(c, state_);
    tracks.SetRoutingDataByWind(*beat, *run, state_.Wind.TrueWind.Winkel);
    if (!apps_.GetMarkInWater(beat->TrackStart, state_) || !apps_.GetMarkInWater(beat->TrackFinish, state_)) {
      // A direction that moves a mark onto land is refused silently.
      state_.Wind = oldWind;
      beat->TrackStart = beatStart;
      beat->TrackFinish = beatFinish;
      run->TrackStart = runStart;
      run->TrackFinish = runFinish;
      if (c.Edit_WindAngleBox != nullptr) {
        c.Edit_WindAngleBox->setText(QString::fromStdString(StringTools.ToAngle(oldWind.TrueWind.Winkel)));
      }
    }
    tracks.SetRoutingDataByMarks();
    if (state_.ListBuoysPosition.size() >= 2) {
      state_.ListBuoysPosition[0] = beat->TrackStart;
      state_.ListBuoysPosition[1] = beat->TrackFinish;
    }
  } else {
    apps_.HandleTrueWind(c, state_);
  }
  RedrawAndSave(c);
  return true;
}

std::optional<TGRIBWindSelection> TPackageForms::GetGRIBWind(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return std::nullopt;
  SetHourGlassCursor();
  TGRIBWindSelection selection = apps_.SelectGRIBWind(c, apps_.PackageCurrents, state_);
  SetDefaultCursor();
  if (selection.InMap) apps_.ResetRouting(state_);
  return selection;
}

bool TPackageForms::GetAdjustTideTime(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open() || c.ComboBox_TideTime == nullptr) return false;
  DiscardRouting();
  state_.IndexTideShift = c.ComboBox_TideTime->currentIndex();
  state_.TideTimeShift = StringTools.ToTideShift(c.ComboBox_TideTime->currentText().toStdString());
  apps_.PackageCurrents.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  RedrawAndSave(c);
  return true;
}

bool TPackageForms::GetAdjustTideSpeed(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open() || c.ComboBox_TideSpeed == nullptr) return false;
  DiscardRouting();
  state_.IndexRangeShift = c.ComboBox_TideSpeed->currentIndex();
  state_.TideRangeShift = StringTools.ToRangeShift(c.ComboBox_TideSpeed->currentText().toStdString()) / 100;
  apps_.PackageCurrents.GetTidalCurrents(kCurrentsSourceDrawn, state_);
  RedrawAndSave(c);
  return true;
}

bool TPackageForms::GetDepthLine(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open() || c.ComboBox_DepthLine == nullptr) return false;
  DiscardRouting();
  state_.IndexDepthLine = c.ComboBox_DepthLine->currentIndex();
  RedrawAndSave(c);
  return true;
}

bool TPackageForms::GetResultsPage(TWindowControls& c, int page) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return false;
  TListRoutingData& tracks = state_.ListRoutingData;
  tracks.IndexTrack = std::clamp(tracks.IndexTrack + page, 0, std::max(0, tracks.Count() - 1));
  apps_.SetRoutingLineStroke(state_);
  RedrawAndSave(c);
  return true;
}

bool TPackageForms::MapZoom(TWindowControls& c, double zoom, bool setSlider, const TPointF* about) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return false;
  zoom = std::clamp(zoom, double(0), state_.DeviceZoomMax);
  if (about != nullptr) graphics_.CentreZoomAbout(state_, zoom, *about, state_.Offset);
  state_.DeviceZoom = zoom;
  if (setSlider) SetZoomSlider(c);
  graphics_.GestureZoom(state_);
  Repaint(c);
  Save();
  return true;
}

bool TPackageForms::GetGotoTrack(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return false;
  const TRoutingData* track = state_.ListRoutingData.GetItem(state_.ListRoutingData.IndexTrack);
  if (track == nullptr) return true;
  graphics_.GetGotoTrack(*track, state_);
  SetZoomSlider(c);
  RedrawAndSave(c);
  return true;
}

std::optional<bool> TPackageForms::GetMoveMark(TWindowControls& c, int indexMark) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return std::nullopt;
  if (indexMark < 0 || indexMark > 1 || static_cast<int>(state_.ListBuoysPosition.size()) <= indexMark) {
    return true;
  }
  QLineEdit* lonEdit = indexMark == 0 ? c.Edit_M1Lon : c.Edit_M2Lon;
  QLineEdit* latEdit = indexMark == 0 ? c.Edit_M1Lat : c.Edit_M2Lat;
  TMinutes& mark = state_.ListBuoysPosition[static_cast<std::size_t>(indexMark)];
  TMinutes typed = mark;
  // A text that is no position puts the mark's back, and says why: the
  // user would otherwise see the typing vanish.
  std::string unreadable;
  const auto read = [&](QLineEdit* edit, double& field, char negative, char positive, const char* what) {
    if (edit == nullptr) return;
    const std::string typedText = edit->text().toStdString();
    const bool hasDigits = std::any_of(typedText.begin(), typedText.end(),
                                       [](unsigned char ch) { return std::isdigit(ch) != 0; });
    std::string text = hasDigits ? StringTools.ToFormatGeoPos(typedText, "") : std::string();
    if (text.empty()) {
      text = MathTools.MinutesToGeoPos(field, negative, positive);
      unreadable += "\"" + typedText + "\" is not a " + what + ": type degrees, minutes and thousandths with " +
                    negative + " or " + positive + ", as " + text + ".\n";
    }
    edit->setText(QString::fromStdString(text));
    field = MathTools.GeoPosToMinutes(text);
  };
  read(lonEdit, typed.Lon, 'W', 'E', "longitude");
  read(latEdit, typed.Lat, 'S', 'N', "latitude");
  if (!unreadable.empty()) {
    if (c.Messages != nullptr) {
      c.Messages->ShowMessage(TMessageKind::Information, unreadable + "The mark stays where it was.");
    }
    return true;
  }
  const bool inWater = apps_.GetMarkInWater(typed, state_);
  if (inWater) {
    mark = typed;
    if (apps_.GetMovableMarkIsWaypoint(indexMark, typed, state_)) {
      DiscardRouting();
    }
  }
  if (state_.TrackType == 1 && !state_.GRIBWindValid) {
    state_.Wind.TrueWind.Winkel = state_.ListRoutingData.GetTrueWindAngle();
  }
  RedrawAndSave(c);
  return inWater;
}

}  // namespace corvane
