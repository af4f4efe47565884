// The panels filled from the state after every command, and the panels
// enabled or disabled around long operations.

#include <QDate>
#include <algorithm>
#include <QTime>

#include "analysis/package_apps.h"
#include "app/window/package_forms.h"
#include "core/date_time.h"

namespace corvane {
namespace {

QString ToQ(const std::string& text) { return QString::fromStdString(text); }

// A date-time's date and time of day as Qt values.
QDate ToQDate(TDateTime value) {
  const TDateTimeParts p = DecodeDateTime(value);
  return QDate(p.Year, p.Month, p.Day);
}
QTime ToQTime(TDateTime value) {
  const TDateTimeParts p = DecodeDateTime(value);
  return QTime(p.Hour, p.Minute, p.Second);
}

void SetEnabled(QWidget* widget, bool enabled) {
  if (widget != nullptr) widget->setEnabled(enabled);
}

void SetText(QLineEdit* edit, const std::string& text) {
  if (edit != nullptr) edit->setText(ToQ(text));
}

}  // namespace

void TPackageForms::SetDataMapHeader(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open() || c.Expander_Map == nullptr) return;
  std::string text = state_.RegionName + " - " + FormatDateTime("dd.mm.yyyy - hh:nn", state_.DateTimeLOC);
  if (!state_.HoursToRefTideText.empty()) text += " - " + state_.HoursToRefTideText;
  c.Expander_Map->SetCaption(ToQ(text));
}

void TPackageForms::SetDataBoatclass(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return;
  int index = -1;
  for (std::size_t i = 0; i < state_.ListClasses.size(); ++i) {
    if (state_.ListClasses[i] == state_.BoatClass) {
      index = static_cast<int>(i);
      break;
    }
  }
  const int dinghies = state_.CountDinghy;
  const int yachts = state_.CountORCI;
  const int inList[] = {index >= 0 && index < dinghies ? index : -1,
                        index >= dinghies && index < dinghies + yachts ? index - dinghies : -1,
                        index >= dinghies + yachts ? index - dinghies - yachts : -1};
  QComboBox* lists[] = {c.ComboBox_Dinghies, c.ComboBox_Yachts, c.ComboBox_Individual};
  for (int i = 0; i < 3; ++i) {
    if (lists[i] != nullptr) lists[i]->setCurrentIndex(inList[i]);
  }
  if (c.ComboBox_DepthLine != nullptr) c.ComboBox_DepthLine->setCurrentIndex(state_.IndexDepthLine);
}

void TPackageForms::SetDataTabStart(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return;
  if (c.DateEdit_Start != nullptr) c.DateEdit_Start->setDate(ToQDate(state_.DateTimeLOC));
  if (c.TimeEdit_Start != nullptr) c.TimeEdit_Start->setTime(ToQTime(state_.DateTimeLOC));
}

void TPackageForms::SetDataTabWind(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return;
  if (c.ComboBox_WindSpeedBox != nullptr) {
    c.ComboBox_WindSpeedBox->setCurrentIndex(state_.Wind.IndexSpeed);
    c.ComboBox_WindSpeedBox->setEnabled(!state_.GRIBWindValid);
  }
  if (c.Edit_WindAngleBox != nullptr) {
    c.Edit_WindAngleBox->setText(ToQ(StringTools.ToAngle(state_.Wind.TrueWind.Winkel)));
    c.Edit_WindAngleBox->setEnabled(!(state_.GRIBWindValid && state_.GRIBWindCourse));
  }
}

void TPackageForms::SetDataTabGRIBWind(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return;
  std::string from;
  std::string until;
  const auto& fields = state_.CubeWind.TimeField;
  if (state_.GRIBWindLoaded && !fields.empty()) {
    from = FormatDateTime("dd.mm.yyyy - hh:mm", fields.front());
    until = FormatDateTime("dd.mm.yyyy - hh:mm", fields.back());
  }
  SetText(c.Edit_GRIBValidFromBox, from);
  SetText(c.Edit_GRIBValidUntilBox, until);
}

void TPackageForms::SetDataWaypoints(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open() || c.ListBox_WaypointsBox == nullptr) return;
  TStringList items;
  StringTools.GetDelimitedStringList(state_.ListWayPoints, ';', items);
  QListWidget& list = *c.ListBox_WaypointsBox;
  for (int i = 0; i < kWaypointRows && i < list.count(); ++i) {
    const bool used = i < static_cast<int>(items.size());
    list.item(i)->setHidden(!used);
    QComboBox* box = c.ComboBox_Waypoint[static_cast<std::size_t>(i)];
    if (used && box != nullptr) {
      const int buoy = StringTools.GetDelimitedInteger(i, ';', state_.ListWayPoints);
      box->setCurrentIndex(items[static_cast<std::size_t>(i)].empty() ? -1 : buoy);
    }
  }
  list.setCurrentRow(state_.IndexWaypoint);
  // The list is as high as the course's rows, so the panel needs no scroll.
  const int rows = std::clamp(static_cast<int>(items.size()), 2, kWaypointRows);
  list.setFixedHeight(rows * kWaypointRowHeight + 2 * list.frameWidth());
  list.viewport()->update();
}

void TPackageForms::SetDataTides(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return;
  if (c.Expander_Tides != nullptr) c.Expander_Tides->SetCaption(ToQ("Tides " + state_.PortName));
  if (c.ListView_Tides == nullptr) return;
  c.ListView_Tides->clear();
  for (const TDayTides& day : state_.ListDayTides) {
    AddListRow(*c.ListView_Tides, day.Day, true, true);
    for (const std::string& tide : day.Tides) AddListRow(*c.ListView_Tides, tide, false, true);
  }
}

void TPackageForms::SetDataTidesAdjustment(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return;
  if (c.ComboBox_TideTime != nullptr) c.ComboBox_TideTime->setCurrentIndex(state_.IndexTideShift);
  if (c.ComboBox_TideSpeed != nullptr) c.ComboBox_TideSpeed->setCurrentIndex(state_.IndexRangeShift);
}

void TPackageForms::ResetDataResults(TWindowControls& c, bool enabled) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return;
  if (state_.TrackType == 1) state_.ListRoutingData.IndexTrack = 0;
  SetEnabled(c.Button_TrackDown, enabled);
  SetEnabled(c.Button_TrackUp, enabled);
}

void TPackageForms::SetDataMovableMarks(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return;
  const auto& buoys = state_.ListBuoysPosition;
  if (buoys.size() >= 1) {
    SetText(c.Edit_M1Lon, MathTools.MinutesToGeoPos(buoys[0].Lon, 'W', 'E'));
    SetText(c.Edit_M1Lat, MathTools.MinutesToGeoPos(buoys[0].Lat, 'S', 'N'));
  }
  if (buoys.size() >= 2) {
    SetText(c.Edit_M2Lon, MathTools.MinutesToGeoPos(buoys[1].Lon, 'W', 'E'));
    SetText(c.Edit_M2Lat, MathTools.MinutesToGeoPos(buoys[1].Lat, 'S', 'N'));
  }
  const bool enabled = !(state_.GRIBWindValid && state_.GRIBWindCourse);
  for (QLineEdit* edit : {c.Edit_M1Lon, c.Edit_M1Lat, c.Edit_M2Lon, c.Edit_M2Lat}) SetEnabled(edit, enabled);
}

void TPackageForms::SetControlsRouting(TWindowControls& c, bool enabled) {
  for (QWidget* panel : {static_cast<QWidget*>(c.Expander_BoatClass), static_cast<QWidget*>(c.Expander_StartDate),
                         static_cast<QWidget*>(c.Expander_TrueWind), static_cast<QWidget*>(c.Expander_GRIBWind),
                         static_cast<QWidget*>(c.Expander_Calibration), static_cast<QWidget*>(c.Expander_System),
                         static_cast<QWidget*>(c.Expander_TimeShift), static_cast<QWidget*>(c.Expander_Waypoints),
                         static_cast<QWidget*>(c.Expander_Zoom), static_cast<QWidget*>(c.Expander_MovableMarks),
                         static_cast<QWidget*>(c.Expander_Routing)}) {
    SetEnabled(panel, enabled);
  }
}

void TPackageForms::SetControlsPanCourse(TWindowControls& c, bool enabled) {
  for (QWidget* panel : {static_cast<QWidget*>(c.Expander_BoatClass), static_cast<QWidget*>(c.Expander_StartDate),
                         static_cast<QWidget*>(c.Expander_TrueWind), static_cast<QWidget*>(c.Expander_Calibration),
                         static_cast<QWidget*>(c.Expander_System), static_cast<QWidget*>(c.Expander_TimeShift),
                         static_cast<QWidget*>(c.Expander_Waypoints), static_cast<QWidget*>(c.Expander_MovableMarks),
                         static_cast<QWidget*>(c.Expander_Routing)}) {
    SetEnabled(panel, enabled);
  }
}

void TPackageForms::SetTimeSteps() {
  TEventsGate gate(EnableEvents);
  if (!gate.Open() || state_.AppType == kAppTypeSimulator) return;
  state_.TimeStep_M30 = -30;
  state_.TimeStep_P30 = 30;
  int step = 15;
  if (state_.DrawRouting) {
    const TRoutingData* first = state_.ListRoutingData.GetItem(0);
    const double hours = first != nullptr ? first->TimeBestCourse : 0;
    step = hours < double(1) / 6 ? 1 : hours < double(1) / 3 ? 2 : 5;
  }
  state_.TimeStep_M15 = -step;
  state_.TimeStep_P15 = step;
}

}  // namespace corvane
