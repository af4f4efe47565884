#pragma once
// The desktop window's control holder: the service-facing controls of
// TPackageControls (set to adapters over the widgets) plus the widgets that
// only the panels and commands touch. Every pointer is optional and not
// owned: the widgets belong to the window through Qt's parent chain, and an
// absent one (a test that builds only some panels) makes the operations
// that need it skip that part of their work.

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QSlider>
#include <QTimeEdit>
#include <QTreeWidget>
#include <array>
#include <functional>

#include "analysis/package_controls.h"
#include "app/window/collapsible_section.h"
#include "app/window/paint_widgets.h"

namespace corvane {

class TShortCutMemo;

// The combo box of a waypoint row; opening its list makes its row the
// current waypoint.
class TWaypointBox : public QComboBox {
 public:
  using QComboBox::QComboBox;
  std::function<void()> OnDropDown;
  void showPopup() override {
    if (OnDropDown) OnDropDown();
    QComboBox::showPopup();
  }
};

class TProgressPanelSink;

// Rows of the waypoint list.
inline constexpr int kWaypointRows = 12;

struct TWindowControls : TPackageControls {
  // Kind of window: 2 is the desktop.
  int Device = 0;

  // --- System and chart
  QMainWindow* Form = nullptr;
  TCollapsibleSection* Expander_System = nullptr;
  TImageMap* Image_Map = nullptr;
  QLabel* Label_Map = nullptr;
  TPaintedWidget* Layout_ProgressBar = nullptr;
  TProgressPanelSink* ProgressPanel = nullptr;
  QSlider* TrackBar_Zoom = nullptr;
  TCollapsibleSection* Expander_Zoom = nullptr;

  // --- Time
  TCollapsibleSection* Expander_StartDate = nullptr;
  TCollapsibleSection* Expander_TimeShift = nullptr;
  TCollapsibleSection* Expander_Map = nullptr;
  QDateEdit* DateEdit_Start = nullptr;
  QTimeEdit* TimeEdit_Start = nullptr;

  // --- Wind and GRIB wind
  TCollapsibleSection* Expander_TrueWind = nullptr;
  QComboBox* ComboBox_WindSpeedBox = nullptr;
  QLineEdit* Edit_WindAngleBox = nullptr;
  TCollapsibleSection* Expander_GRIBWind = nullptr;
  QComboBox* ComboBox_GRIBBox = nullptr;
  QLineEdit* Edit_GRIBValidFromBox = nullptr;
  QLineEdit* Edit_GRIBValidUntilBox = nullptr;

  // --- Results
  QTreeWidget* ListView_Results = nullptr;
  QLabel* Label_Track = nullptr;
  QPushButton* Button_TrackDown = nullptr;
  QPushButton* Button_TrackUp = nullptr;

  // --- Boat classes
  TCollapsibleSection* Expander_BoatClass = nullptr;
  QComboBox* ComboBox_Dinghies = nullptr;
  QComboBox* ComboBox_Yachts = nullptr;
  QComboBox* ComboBox_Individual = nullptr;

  // --- Movable marks
  TCollapsibleSection* Expander_MovableMarks = nullptr;
  QLineEdit* Edit_M1Lon = nullptr;
  QLineEdit* Edit_M1Lat = nullptr;
  QLineEdit* Edit_M2Lon = nullptr;
  QLineEdit* Edit_M2Lat = nullptr;

  // --- Tides and calibration
  TCollapsibleSection* Expander_Tides = nullptr;
  QTreeWidget* ListView_Tides = nullptr;
  TCollapsibleSection* Expander_Calibration = nullptr;
  QComboBox* ComboBox_TideTime = nullptr;
  QComboBox* ComboBox_TideSpeed = nullptr;

  // --- Waypoints
  TCollapsibleSection* Expander_Waypoints = nullptr;
  QListWidget* ListBox_WaypointsBox = nullptr;
  std::array<TWaypointBox*, kWaypointRows> ComboBox_Waypoint{};
  TShortCutMemo* Memo_ShortCutWaypointsBox = nullptr;

  // --- Routing
  TCollapsibleSection* Expander_Routing = nullptr;
  QComboBox* ComboBox_DepthLine = nullptr;
};

}  // namespace corvane
