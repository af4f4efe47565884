// The lists of the window, built once at start-up, and the layout of the
// chart image.

#include <QGuiApplication>
#include <QHBoxLayout>
#include <cmath>

#include "analysis/package_apps.h"
#include "analysis/results_rows.h"
#include "app/window/package_forms.h"
#include "app/window/qt_controls.h"
#include "app/window/shortcut_memo.h"

namespace corvane {

TPackageForms::TPackageForms(TInterfaceApplicationMobile& state, TPackageApps& apps,
                             TPackageResourceLoader& loader, TMobileGraphics& graphics)
    : state_(state), apps_(apps), loader_(loader), graphics_(graphics) {}

void TPackageForms::SetHourGlassCursor() {
  if (cursorSet_) return;
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  cursorSet_ = true;
}

void TPackageForms::SetDefaultCursor() {
  if (!cursorSet_) return;
  QGuiApplication::restoreOverrideCursor();
  cursorSet_ = false;
}

void TPackageForms::SetupResults(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open() || c.ListView_Results == nullptr) return;
  c.ListView_Results->clear();
  for (const TResultsRow& row : GetResultsRowsSetup(state_.TrackType)) {
    AddListRow(*c.ListView_Results, row.Text, row.Header, false);
  }
}

QTreeWidgetItem* AddListRow(QTreeWidget& list, const std::string& text, bool header, bool spanned) {
  auto* item = new QTreeWidgetItem(&list);
  item->setText(0, QString::fromStdString(text));
  item->setFirstColumnSpanned(header || spanned);
  item->setSizeHint(0, QSize(0, header ? kHeaderRowHeight : kItemRowHeight));
  if (header) {
    QFont font = item->font(0);
    font.setBold(true);
    item->setFont(0, font);
    item->setBackground(0, QColor(0xE4, 0xEC, 0xF4));
  }
  return item;
}

void TPackageForms::SetupClasses(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return;
  QComboBox* lists[] = {c.ComboBox_Dinghies, c.ComboBox_Yachts, c.ComboBox_Individual};
  for (QComboBox* box : lists) {
    if (box != nullptr) box->clear();
  }
  const int dinghies = state_.CountDinghy;
  const int yachts = state_.CountORCI;
  for (int i = 0; i < static_cast<int>(state_.ListClasses.size()); ++i) {
    QComboBox* box = i < dinghies ? lists[0] : i < dinghies + yachts ? lists[1] : lists[2];
    if (box != nullptr) box->addItem(QString::fromStdString(state_.ListClasses[static_cast<std::size_t>(i)]));
  }
  for (QComboBox* box : lists) {
    if (box != nullptr) box->setCurrentIndex(-1);
  }
}

void TPackageForms::SetupWaypoints(TWindowControls& c) {
  // The memo accepts the codes of the buoys loaded.
  ShortCuts.SetCodes(state_.ListBuoysShortCut);
  GetClearShortCuts(c);
  TEventsGate gate(EnableEvents);
  if (!gate.Open() || c.ListBox_WaypointsBox == nullptr) return;
  QListWidget& list = *c.ListBox_WaypointsBox;
  // Clearing the list deletes the row widgets; the combo boxes, bound to the
  // waypoint commands once, are kept out of them first.
  for (QComboBox* box : c.ComboBox_Waypoint) {
    if (box != nullptr) box->setParent(&list);
  }
  list.clear();
  QStringList names;
  for (const std::string& name : state_.ListBuoysName) names << QString::fromStdString(name);
  for (int i = 0; i < kWaypointRows; ++i) {
    auto* item = new QListWidgetItem(QString::number(i + 1), &list);
    item->setSizeHint(QSize(0, kWaypointRowHeight));
    // The row's number shows in the 30-pixel margin left of its combo box.
    auto* row = new QWidget(&list);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(30, 2, 4, 2);
    TWaypointBox* box = c.ComboBox_Waypoint[static_cast<std::size_t>(i)];
    if (box == nullptr) continue;
    box->setParent(row);
    box->clear();
    box->addItems(names);  // a row index of the box is a buoy index
    layout->addWidget(box);
    box->show();
    list.setItemWidget(item, row);
  }
}

void TPackageForms::SetupTrueWind(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open() || c.ComboBox_WindSpeedBox == nullptr) return;
  c.ComboBox_WindSpeedBox->clear();
  c.ComboBox_WindSpeedBox->addItem("<6 kts");
  for (int n = kWindSpeedFirst; n <= kWindSpeedLast; ++n) {
    c.ComboBox_WindSpeedBox->addItem(QString::number(n) + " kts");
  }
}

void TPackageForms::SetupGRIBWind(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return;
  apps_.LoadListGRIBWind(c);
}

void TPackageForms::SetupTidesAdjustment(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return;
  if (c.ComboBox_TideTime != nullptr) {
    c.ComboBox_TideTime->clear();
    for (int i = 0; i < kTideShiftRows; ++i) {
      c.ComboBox_TideTime->addItem(QString::fromStdString(StringTools.ToTideShift(i)));
    }
  }
  if (c.ComboBox_TideSpeed != nullptr) {
    c.ComboBox_TideSpeed->clear();
    for (int i = 0; i < kRangeShiftRows; ++i) {
      c.ComboBox_TideSpeed->addItem(QString::fromStdString(StringTools.ToRangeShift(i)));
    }
  }
}

void TPackageForms::SetupZoomSlide(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open() || c.TrackBar_Zoom == nullptr) return;
  // The slider counts hundredths, so the zoom of a track or of
  // the settings file shows without rounding to whole steps.
  c.TrackBar_Zoom->setRange(0, static_cast<int>(state_.DeviceZoomMax * kZoomSliderScale));
  c.TrackBar_Zoom->setTickInterval(static_cast<int>(state_.DeviceZoomStep * kZoomSliderScale));
  c.TrackBar_Zoom->setPageStep(static_cast<int>(state_.DeviceZoomStep * kZoomSliderScale));
  SetZoomSlider(c);
}

void TPackageForms::SetZoomSlider(TWindowControls& c) {
  if (c.TrackBar_Zoom == nullptr) return;
  c.TrackBar_Zoom->setValue(static_cast<int>(std::lround(static_cast<double>(state_.DeviceZoom * kZoomSliderScale))));
}

void TPackageForms::FormSetup(TWindowControls& c) {
  if (c.Image_Map != nullptr) {
    state_.DeviceWidth = c.Image_Map->width();
    state_.DeviceHeight = c.Image_Map->height();
  }
  if (c.ProgressPanel != nullptr) c.ProgressPanel->Hide();
  graphics_.InitDeviceProjection(state_);
  graphics_.GetDeviceProjection(state_);
}

void TPackageForms::FormResize(TWindowControls& c) {
  if (!EnableResize || !EnableEvents) return;
  FormSetup(c);
  graphics_.DrawOffScreen(state_);
  Repaint(c);
}

void TPackageForms::Redraw(TWindowControls& c) {
  if (DeferRedraw) {
    RedrawDeferred = true;
    return;
  }
  graphics_.DrawOffScreen(state_);
  Repaint(c);
}

void TPackageForms::Repaint(TWindowControls& c) {
  if (c.Image_Map != nullptr) c.Image_Map->update();
}

void TPackageForms::Save() {
  if (SaveAppData) SaveAppData();
}

}  // namespace corvane
