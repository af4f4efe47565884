// The widgets of the main window: the chart area, the side column with its
// collapsible panels, the keyboard shortcuts, and the adapters that the
// services see.

#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeySequence>
#include <QShortcut>
#include <QStringList>
#include <cstdlib>

#include "app/window/main_window.h"
#include "app/window/shortcut_memo.h"

namespace corvane {
namespace {

// The time-shift buttons: caption, minutes and keyboard shortcut. Down and
// right go later, as in the time lists of chart and tide programs.
struct TTimeShiftButton {
  const char* Caption;
  int Minutes;
  const char* Keys;
};
constexpr TTimeShiftButton kTimeShiftButtons[] = {
    {"-30 min", -30, "Ctrl+Shift+PgUp"}, {"-15 min", -15, "Ctrl+PgUp"},
    {"-5 min", -5, "Ctrl+Shift+Left"},   {"-1 min", -1, "Ctrl+Left"},
    {"+1 min", 1, "Ctrl+Right"},         {"+5 min", 5, "Ctrl+Shift+Right"},
    {"+15 min", 15, "Ctrl+PgDown"},      {"+30 min", 30, "Ctrl+Shift+PgDown"},
};

constexpr const char* kDepthLines[] = {"Coast Line", "0.0 m + Tide level", "2.0 m + Tide level",
                                       "3.5 m + Tide level", "5.0 m + Tide level"};

// A button whose tooltip names its keyboard shortcuts, bound to them in
// every window of the program: the keys work from any field that has no use
// of its own for them (a text field keeps Ctrl+Left for its words).
QPushButton* ShortcutButton(const QString& caption, const QString& tip, const QList<QKeySequence>& keys,
                            QWidget* window) {
  auto* button = new QPushButton(caption);
  QStringList names;
  for (const QKeySequence& key : keys) {
    names << key.toString(QKeySequence::NativeText);
    auto* shortcut = new QShortcut(key, window);
    shortcut->setContext(Qt::ApplicationShortcut);
    QObject::connect(shortcut, &QShortcut::activated, button, [button] {
      // Also when its panel is folded away; never while the panels are off.
      if (button->isEnabled()) button->click();
    });
  }
  button->setToolTip(tip + " (" + names.join(", ") + ")");
  return button;
}

QTreeWidget* ListView(QWidget* parent) {
  auto* list = new QTreeWidget(parent);
  list->setColumnCount(2);
  list->setHeaderHidden(true);
  list->setRootIsDecorated(false);
  list->setSelectionMode(QAbstractItemView::NoSelection);
  list->setFocusPolicy(Qt::NoFocus);
  list->header()->setSectionResizeMode(0, QHeaderView::Fixed);
  list->header()->setStretchLastSection(true);
  list->setColumnWidth(0, 125);  // the longest label, "Currents Wind"
  list->setTextElideMode(Qt::ElideNone);
  return list;
}

}  // namespace

TCollapsibleSection* TFormCorvaneDesktop::AddSection(QVBoxLayout& column, TCollapsibleSection*& field,
                                                     const QString& caption, bool expanded) {
  field = new TCollapsibleSection(caption, sideColumn_, expanded);
  column.addWidget(field);
  return field;
}

QWidget* TFormCorvaneDesktop::BuildChartArea() {
  controls_.Image_Map = new TImageMap();
  controls_.Layout_ProgressBar = new TPaintedWidget(controls_.Image_Map);
  controls_.Layout_ProgressBar->setFixedSize(420, 56);
  controls_.Layout_ProgressBar->hide();
  return controls_.Image_Map;
}

void TFormCorvaneDesktop::PlaceProgressPanel() {
  if (controls_.Layout_ProgressBar == nullptr || controls_.Image_Map == nullptr) return;
  QWidget& panel = *controls_.Layout_ProgressBar;
  panel.move((controls_.Image_Map->width() - panel.width()) / 2, controls_.Image_Map->height() - panel.height() - 60);
}

void TFormCorvaneDesktop::BuildTimePanels(QVBoxLayout& column) {
  // Chart header: region, moment and hours to high water; the position
  // readout under the mouse.
  TCollapsibleSection* map = AddSection(column, controls_.Expander_Map, "The Quarne");
  controls_.Label_Map = new QLabel();
  controls_.Label_Map->setTextInteractionFlags(Qt::TextSelectableByMouse);
  controls_.Label_Map->setMinimumHeight(20);
  map->Content()->addWidget(controls_.Label_Map);

  TCollapsibleSection* shift = AddSection(column, controls_.Expander_TimeShift, "Time shift");
  auto* grid = new QGridLayout();
  for (int i = 0; i < 8; ++i) {
    const TTimeShiftButton& b = kTimeShiftButtons[i];
    QPushButton* button = ShortcutButton(
        b.Caption, QString("%1 by %2 minutes").arg(b.Minutes < 0 ? "Earlier" : "Later").arg(std::abs(b.Minutes)),
        {QKeySequence(b.Keys)}, this);
    const int minutes = b.Minutes;
    connect(button, &QPushButton::clicked, this, [this, minutes] { process_->GetTimeShift(minutes); });
    grid->addWidget(button, i / 4, i % 4);
  }
  shift->Content()->addLayout(grid);

  TCollapsibleSection* start = AddSection(column, controls_.Expander_StartDate, "Start date");
  auto* form = new QFormLayout();
  controls_.DateEdit_Start = new QDateEdit();
  controls_.DateEdit_Start->setDisplayFormat("dd.MM.yyyy");
  controls_.DateEdit_Start->setCalendarPopup(true);
  controls_.TimeEdit_Start = new QTimeEdit();
  controls_.TimeEdit_Start->setDisplayFormat("HH:mm");
  auto* now = new QPushButton("Now");
  form->addRow("Date", controls_.DateEdit_Start);
  form->addRow("Time", controls_.TimeEdit_Start);
  form->addRow("", now);
  start->Content()->addLayout(form);
  connect(controls_.DateEdit_Start, &QDateEdit::dateChanged, this, [this] { process_->GetStartDate(); });
  connect(controls_.TimeEdit_Start, &QTimeEdit::timeChanged, this, [this] { process_->GetStartTime(); });
  connect(now, &QPushButton::clicked, this, [this] { process_->SetTimeNow(); });
}

void TFormCorvaneDesktop::BuildWindPanels(QVBoxLayout& column) {
  TCollapsibleSection* wind = AddSection(column, controls_.Expander_TrueWind, "True wind");
  auto* form = new QFormLayout();
  controls_.ComboBox_WindSpeedBox = new QComboBox();
  controls_.Edit_WindAngleBox = new QLineEdit();
  controls_.Edit_WindAngleBox->setMaxLength(3);
  controls_.Edit_WindAngleBox->setToolTip("Direction the wind comes from, whole degrees 0 to 359");
  form->addRow("Speed", controls_.ComboBox_WindSpeedBox);
  form->addRow("Direction (deg)", controls_.Edit_WindAngleBox);
  wind->Content()->addLayout(form);
  connect(controls_.ComboBox_WindSpeedBox, &QComboBox::currentIndexChanged, this, [this] { process_->GetWind(); });
  // Every key typed takes effect at once.
  connect(controls_.Edit_WindAngleBox, &QLineEdit::textEdited, this, [this] { process_->GetWindAngle(); });

  TCollapsibleSection* grib = AddSection(column, controls_.Expander_GRIBWind, "GRIB wind", false);
  auto* gribForm = new QFormLayout();
  controls_.ComboBox_GRIBBox = new QComboBox();
  controls_.Edit_GRIBValidFromBox = new QLineEdit();
  controls_.Edit_GRIBValidFromBox->setReadOnly(true);
  controls_.Edit_GRIBValidUntilBox = new QLineEdit();
  controls_.Edit_GRIBValidUntilBox->setReadOnly(true);
  gribForm->addRow("File", controls_.ComboBox_GRIBBox);
  gribForm->addRow("Valid from", controls_.Edit_GRIBValidFromBox);
  gribForm->addRow("Valid until", controls_.Edit_GRIBValidUntilBox);
  grib->Content()->addLayout(gribForm);
  connect(controls_.ComboBox_GRIBBox, &QComboBox::currentIndexChanged, this, [this] { process_->GetGRIBWind(); });

  TCollapsibleSection* calibration = AddSection(column, controls_.Expander_Calibration, "Calibration", false);
  auto* calForm = new QFormLayout();
  controls_.ComboBox_TideTime = new QComboBox();
  controls_.ComboBox_TideSpeed = new QComboBox();
  calForm->addRow("High water shift", controls_.ComboBox_TideTime);
  calForm->addRow("Stream speed", controls_.ComboBox_TideSpeed);
  calibration->Content()->addLayout(calForm);
  connect(controls_.ComboBox_TideTime, &QComboBox::currentIndexChanged, this, [this] { process_->GetAdjustTideTime(); });
  connect(controls_.ComboBox_TideSpeed, &QComboBox::currentIndexChanged, this, [this] { process_->GetAdjustTideSpeed(); });

  TCollapsibleSection* boat = AddSection(column, controls_.Expander_BoatClass, "Boat class");
  auto* boatForm = new QFormLayout();
  controls_.ComboBox_Dinghies = new QComboBox();
  controls_.ComboBox_Yachts = new QComboBox();
  controls_.ComboBox_Individual = new QComboBox();
  boatForm->addRow("Dinghies", controls_.ComboBox_Dinghies);
  boatForm->addRow("Yachts", controls_.ComboBox_Yachts);
  boatForm->addRow("My polars", controls_.ComboBox_Individual);
  boat->Content()->addLayout(boatForm);
  auto* polarButtons = new QHBoxLayout();
  auto* dinghy = new QPushButton("Dinghy");
  dinghy->setToolTip("View the polar of the chosen dinghy class");
  auto* yacht = new QPushButton("Yacht");
  yacht->setToolTip("View the polar of the chosen yacht class");
  auto* my = new QPushButton("My");
  my->setToolTip("Edit your own polar diagrams");
  for (QPushButton* b : {dinghy, yacht, my}) polarButtons->addWidget(b);
  boat->Content()->addLayout(polarButtons);
  connect(dinghy, &QPushButton::clicked, this, [this] { ViewPolars(controls_.ComboBox_Dinghies); });
  connect(yacht, &QPushButton::clicked, this, [this] { ViewPolars(controls_.ComboBox_Yachts); });
  connect(my, &QPushButton::clicked, this, [this] { EditPolars(); });
  for (QComboBox* box : {controls_.ComboBox_Dinghies, controls_.ComboBox_Yachts, controls_.ComboBox_Individual}) {
    box->setMaxVisibleItems(24);
    connect(box, &QComboBox::currentIndexChanged, this, [this, box] { process_->GetBoatclass(box); });
  }
}

void TFormCorvaneDesktop::BuildCoursePanels(QVBoxLayout& column) {
  TCollapsibleSection* waypoints = AddSection(column, controls_.Expander_Waypoints, "Waypoints");
  controls_.ListBox_WaypointsBox = new QListWidget();
  controls_.ListBox_WaypointsBox->setFixedHeight(kWaypointRowHeight * 2 + 4);  // as many rows as the course
  for (auto& box : controls_.ComboBox_Waypoint) {
    box = new TWaypointBox(controls_.ListBox_WaypointsBox);
    box->setMaxVisibleItems(24);
    box->hide();
  }
  waypoints->Content()->addWidget(controls_.ListBox_WaypointsBox);
  connect(controls_.ListBox_WaypointsBox, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { process_->SetIndexWaypoint(controls_.ListBox_WaypointsBox->row(item)); });

  auto* edits = new QHBoxLayout();
  auto* add = new QPushButton("Add");
  add->setToolTip("Append a waypoint (Mark 1)");
  auto* del = new QPushButton("Delete");
  del->setToolTip("Remove the selected waypoint");
  auto* up = new QPushButton(QString::fromUtf8("\u25B2"));
  up->setToolTip("Move the selected waypoint up");
  auto* down = new QPushButton(QString::fromUtf8("\u25BC"));
  down->setToolTip("Move the selected waypoint down");
  for (QPushButton* b : {add, del, up, down}) edits->addWidget(b);
  waypoints->Content()->addLayout(edits);
  connect(add, &QPushButton::clicked, this, [this] { process_->AddWaypoint(); });
  connect(del, &QPushButton::clicked, this, [this] { process_->DeleteAndMoveWaypoint(); });
  connect(up, &QPushButton::clicked, this, [this] { process_->GetMoveWaypoint(-1); });
  connect(down, &QPushButton::clicked, this, [this] { process_->GetMoveWaypoint(1); });

  auto* memoLabel = new QLabel("Shortcuts");
  controls_.Memo_ShortCutWaypointsBox = new TShortCutMemo();
  controls_.Memo_ShortCutWaypointsBox->setFixedHeight(52);
  controls_.Memo_ShortCutWaypointsBox->setToolTip("Type the two-character codes of the buoys, start first");
  TShortCutMemo* memo = controls_.Memo_ShortCutWaypointsBox;
  memo->OnKeyDown = [this](bool backspace, char c) { process_->GetValidateShortCuts(backspace, c); };
  memo->OnKeyUp = [this] { process_->ProcessValidateShortCuts(); };
  memo->OnMouseUp = [this] { process_->GetGotoEndTripleShortCuts(); };
  auto* memoButtons = new QHBoxLayout();
  auto* apply = new QPushButton("Generate List");
  auto* clear = new QPushButton("Clear Shortcuts");
  memoButtons->addWidget(apply);
  memoButtons->addWidget(clear);
  waypoints->Content()->addWidget(memoLabel);
  waypoints->Content()->addWidget(memo);
  waypoints->Content()->addLayout(memoButtons);
  connect(apply, &QPushButton::clicked, this, [this] { process_->GetShortCutWaypoints(); });
  connect(clear, &QPushButton::clicked, this, [this] { process_->GetClearShortCuts(); });

  TCollapsibleSection* marks = AddSection(column, controls_.Expander_MovableMarks, "Movable marks", false);
  auto* markForm = new QFormLayout();
  QLineEdit** fields[] = {&controls_.Edit_M1Lon, &controls_.Edit_M1Lat, &controls_.Edit_M2Lon, &controls_.Edit_M2Lat};
  const char* captions[] = {"Mark 1 longitude", "Mark 1 latitude", "Mark 2 longitude", "Mark 2 latitude"};
  for (int i = 0; i < 4; ++i) {
    *fields[i] = new QLineEdit();
    (*fields[i])->setToolTip("DDD.MM.TTT and the hemisphere letter, for example 001.16.614W");
    markForm->addRow(captions[i], *fields[i]);
    const int mark = i / 2;
    connect(*fields[i], &QLineEdit::editingFinished, this, [this, mark] { process_->GetMoveMark(mark); });
  }
  marks->Content()->addLayout(markForm);

  TCollapsibleSection* routing = AddSection(column, controls_.Expander_Routing, "Routing");
  auto* routingForm = new QFormLayout();
  controls_.ComboBox_DepthLine = new QComboBox();
  for (const char* text : kDepthLines) controls_.ComboBox_DepthLine->addItem(text);
  routingForm->addRow("Depth line", controls_.ComboBox_DepthLine);
  routing->Content()->addLayout(routingForm);
  connect(controls_.ComboBox_DepthLine, &QComboBox::currentIndexChanged, this, [this] { process_->GetDepthLine(); });
  auto* runs = new QHBoxLayout();
  QPushButton* track = ShortcutButton("Routing track", "Route the selected track", {QKeySequence("F8")}, this);
  QPushButton* all = ShortcutButton("Routing all", "Route every track of the course", {QKeySequence("F9")}, this);
  runs->addWidget(track);
  runs->addWidget(all);
  routing->Content()->addLayout(runs);
  connect(track, &QPushButton::clicked, this, [this] { process_->StartRouting(true); });
  connect(all, &QPushButton::clicked, this, [this] { process_->StartRouting(false); });
  auto* tide = new QHBoxLayout();
  QPushButton* starts = ShortcutButton("Start times", "The course time for every start time over the tide, and the "
                                       "best start", {QKeySequence("F7")}, this);
  auto* live = new QCheckBox("Live");
  live->setToolTip("Route again at every change of the moment, the wind, the calibration or a mark");
  tide->addWidget(starts);
  tide->addWidget(live);
  routing->Content()->addLayout(tide);
  connect(starts, &QPushButton::clicked, this, [this] { ShowStartTimes(); });
  connect(live, &QCheckBox::toggled, this, [this](bool on) { process_->SetLiveRouting(on); });
  // The sheets of the routed course: printed next to the routing buttons.
  auto* print = new QPushButton("Print manager");
  print->setToolTip("Print the track sheets, or save them as a PDF file");
  routing->Content()->addWidget(print);
  connect(print, &QPushButton::clicked, this, [this] { PrintManager(); });
}

void TFormCorvaneDesktop::BuildResultPanels(QVBoxLayout& column) {
  TCollapsibleSection* results = AddSection(column, results_, "Results");
  auto* pages = new QHBoxLayout();
  controls_.Button_TrackDown = new QPushButton(QString::fromUtf8("\u25C0"));
  controls_.Button_TrackDown->setToolTip("Previous track");
  controls_.Label_Track = new QLabel();
  controls_.Label_Track->setAlignment(Qt::AlignCenter);
  controls_.Button_TrackUp = new QPushButton(QString::fromUtf8("\u25B6"));
  controls_.Button_TrackUp->setToolTip("Next track");
  pages->addWidget(controls_.Button_TrackDown);
  pages->addWidget(controls_.Label_Track, 1);
  pages->addWidget(controls_.Button_TrackUp);
  results->Content()->addLayout(pages);
  controls_.ListView_Results = ListView(results);
  controls_.ListView_Results->setMinimumHeight(4 * kHeaderRowHeight + 16 * kItemRowHeight + 8);
  results->Content()->addWidget(controls_.ListView_Results);
  connect(controls_.Button_TrackDown, &QPushButton::clicked, this, [this] { process_->GetResultsPage(-1); });
  connect(controls_.Button_TrackUp, &QPushButton::clicked, this, [this] { process_->GetResultsPage(1); });

  TCollapsibleSection* tides = AddSection(column, controls_.Expander_Tides, "Tides", false);
  controls_.ListView_Tides = ListView(tides);
  controls_.ListView_Tides->setMinimumHeight(16 * kItemRowHeight);
  tides->Content()->addWidget(controls_.ListView_Tides);
}

void TFormCorvaneDesktop::BuildChartPanels(QVBoxLayout& column) {
  TCollapsibleSection* zoom = AddSection(column, controls_.Expander_Zoom, "Zoom");
  auto* buttons = new QHBoxLayout();
  QPushButton* out = ShortcutButton("Out", "Zoom out", {QKeySequence(QKeySequence::ZoomOut)}, this);
  // Ctrl+= as well: on most keyboards "+" needs Shift and "=" shares its key.
  QPushButton* in =
      ShortcutButton("In", "Zoom in", {QKeySequence(QKeySequence::ZoomIn), QKeySequence("Ctrl+=")}, this);
  QPushButton* track = ShortcutButton("Track", "Zoom to the selected track", {QKeySequence("Ctrl+T")}, this);
  for (QPushButton* b : {out, in, track}) buttons->addWidget(b);
  controls_.TrackBar_Zoom = new QSlider(Qt::Horizontal);
  controls_.TrackBar_Zoom->setTickPosition(QSlider::TicksBelow);
  zoom->Content()->addWidget(controls_.TrackBar_Zoom);
  zoom->Content()->addLayout(buttons);
  connect(out, &QPushButton::clicked, this, [this] { process_->MapZoomOut(); });
  connect(in, &QPushButton::clicked, this, [this] { process_->MapZoomIn(); });
  connect(track, &QPushButton::clicked, this, [this] { process_->GetGotoTrack(); });
  connect(controls_.TrackBar_Zoom, &QSlider::valueChanged, this, [this] { process_->MapZoomSlide(); });

  TCollapsibleSection* system = AddSection(column, controls_.Expander_System, "System", false);
  auto* quit = new QPushButton("Quit program");
  system->Content()->addWidget(quit);
  connect(quit, &QPushButton::clicked, this, [this] {
    process_->SaveAppData();
    close();
  });
}

QWidget* TFormCorvaneDesktop::BuildSideColumn() {
  sideScroll_ = new QScrollArea();
  sideScroll_->setWidgetResizable(true);
  sideScroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sideScroll_->setMinimumWidth(360);
  sideColumn_ = new QWidget();
  auto* column = new QVBoxLayout(sideColumn_);
  column->setContentsMargins(6, 6, 6, 6);
  column->setSpacing(2);
  BuildTimePanels(*column);
  BuildCoursePanels(*column);
  BuildResultPanels(*column);
  BuildWindPanels(*column);
  BuildChartPanels(*column);
  // Top to bottom: the moment, what is sailed and by whom, the course, the
  // results; then what is set less often.
  QWidget* const order[] = {controls_.Expander_Map, controls_.Expander_TimeShift, controls_.Expander_StartDate,
                            controls_.Expander_TrueWind, controls_.Expander_BoatClass, controls_.Expander_Waypoints,
                            controls_.Expander_Routing, results_, controls_.Expander_MovableMarks,
                            controls_.Expander_Tides, controls_.Expander_GRIBWind, controls_.Expander_Calibration,
                            controls_.Expander_Zoom, controls_.Expander_System};
  for (QWidget* widget : order) {
    column->removeWidget(widget);
    column->addWidget(widget);
  }
  column->addStretch(1);
  sideScroll_->setWidget(sideColumn_);
  return sideScroll_;
}

void TFormCorvaneDesktop::RegisterAdapters() {
  TWindowControls& c = controls_;
  auto list = [this](QComboBox* box) {
    lists_.push_back(std::make_unique<TComboBoxList>(*box));
    return lists_.back().get();
  };
  auto edit = [this](QLineEdit* line) {
    edits_.push_back(std::make_unique<TLineEditControl>(*line));
    return edits_.back().get();
  };
  c.ComboBox_WindSpeed = list(c.ComboBox_WindSpeedBox);
  c.Edit_WindAngle = edit(c.Edit_WindAngleBox);
  c.ComboBox_GRIB = list(c.ComboBox_GRIBBox);
  c.Edit_GRIBValidFrom = edit(c.Edit_GRIBValidFromBox);
  c.Edit_GRIBValidUntil = edit(c.Edit_GRIBValidUntilBox);
  lists_.push_back(std::make_unique<TListWidgetList>(*c.ListBox_WaypointsBox));
  c.ListBox_Waypoints = lists_.back().get();
  edits_.push_back(std::make_unique<TMemoControl>(*c.Memo_ShortCutWaypointsBox));
  c.Memo_ShortCutWaypoints = edits_.back().get();
  messages_ = std::make_unique<TMessageBoxSink>(*this);
  c.Messages = messages_.get();
  progress_ = std::make_unique<TProgressPanelSink>(*c.Layout_ProgressBar);
  c.ProgressBar = progress_.get();
  c.ProgressPanel = progress_.get();
}

}  // namespace corvane
