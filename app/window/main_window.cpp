#include "app/window/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QHBoxLayout>
#include <QPainter>
#include <QShortcut>
#include <cmath>
#include <iostream>

#include "app/window/shortcut_memo.h"
#include "app/window/wheel_needs_focus.h"
#include "app/window/window_settings.h"

namespace corvane {
namespace {

// The loading panel fills towards this share while the task runs; the rest
// waits for the join.
constexpr float kLoadingShare = 95;
constexpr int kLoadingTick = 100;  // milliseconds

}  // namespace

TFormCorvaneDesktop::TFormCorvaneDesktop(TResourceStore store, TFileTools fileTools, QWidget* parent)
    : QMainWindow(parent) {
  process_ = std::make_unique<TPackageProcess>(controls_, std::move(store), std::move(fileTools));

  viewPolars_ = new TFormViewPolars(process_->PackageResourceLoader.FileTools, this);
  editPolars_ = new TFormEditPolars(process_->PackageResourceLoader.FileTools, this);
  printManager_ = new TFormPrintManagerTracks(this);
  printManager_->DocumentsFolder =
      QString::fromStdString(process_->PackageResourceLoader.FileTools.GetDocumentsPathForReading());
  startTimes_ = new TStartTimesDialog(
      [this](TDateTime fromLOC, TDateTime toLOC, int step) { return process_->PrepareStartTimes(fromLOC, toLOC, step); },
      this);
  startTimes_->OnStartChosen = [this](TDateTime startLOC) { process_->ChooseStart(startLOC); };
  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->addWidget(BuildChartArea());
  splitter_->addWidget(BuildSideColumn());
  splitter_->setStretchFactor(0, 1);
  splitter_->setStretchFactor(1, 0);
  splitter_->setChildrenCollapsible(false);
  setCentralWidget(splitter_);
  // On the application, so the dialogs opened from the window are covered.
  QCoreApplication::instance()->installEventFilter(new TWheelNeedsFocus(this));
  TWheelNeedsFocus::TakeFocusByClickOnly(*this);

  // Registration of the controls: the chart controls make this the desktop.
  controls_.Form = this;
  controls_.Device = 2;
  RegisterAdapters();

  TImageMap& map = *controls_.Image_Map;
  map.OnPaint = [this](QPainter& painter, const TRectF& rect) { process_->DrawMap(painter, rect); };
  map.OnMouse = [this](int mouseEvent, float x, float y) {
    if (ready_) process_->MouseMap(mouseEvent, x, y);
  };
  map.OnWheel = [this](int notches, float x, float y) {
    if (ready_) process_->MapZoomWheel(notches, x, y);
  };
  map.OnResize = [this] {
    PlaceProgressPanel();
    if (ready_) process_->FormResize();
  };
  controls_.Layout_ProgressBar->OnPaint = [this](QPainter& painter, const TRectF& rect) {
    if (loading_) {
      process_->MobileGraphics.DrawProgressBar(painter, rect, loadingState_);
    } else {
      process_->DrawProgressBar(painter, rect);
    }
  };
  process_->OnSettingsSaved = [this] { SaveWindowGeometry(); };
  // Esc stops a routing run under way, wherever the focus is.
  auto* cancel = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  cancel->setContext(Qt::ApplicationShortcut);
  connect(cancel, &QShortcut::activated, this, [this] {
    if (process_->RoutingBusy()) process_->CancelRouting();
  });

  loadingState_.ProgressText = "Loading charts, tides and polars";
  loadingState_.ProgressMaxValue = 100;
  loadingTimer_.setInterval(kLoadingTick);
  connect(&loadingTimer_, &QTimer::timeout, this, [this] {
    // Each tick closes a tenth of the remaining way to the share.
    loadingState_.ProgressValue += (kLoadingShare - loadingState_.ProgressValue) / 10;
    controls_.Layout_ProgressBar->update();
  });

  setWindowTitle("Corvane Analyzer");
  RestoreWindowGeometry();
  sideColumn_->setEnabled(false);  // no command before the start-up has ended
}

TFormCorvaneDesktop::~TFormCorvaneDesktop() {
  if (waiter_.valid()) waiter_.wait();
  // The widgets go before the controller they call, with its gate closed.
  process_->PackageForms.EnableEvents = false;
  ready_ = false;
  delete startTimes_;
  delete takeCentralWidget();
}

bool TFormCorvaneDesktop::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) FormActivate();
  return QMainWindow::event(event);
}

void TFormCorvaneDesktop::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // Some platforms (the offscreen one) never activate a window; the first
  // show starts the sequence there, once the window has its size.
  QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TFormCorvaneDesktop::FormActivate() {
  if (!process_->GetFormActivate() || loading_ || ready_) return;
  ++activations_;
  loading_ = true;
  settingsQuarne_.Setup(2, 0, process_->InterfaceApplicationMobile);
  process_->InitApp();
  PlaceProgressPanel();
  controls_.Layout_ProgressBar->show();
  controls_.Layout_ProgressBar->raise();
  loadingTimer_.start();
  waiter_ = std::async(std::launch::async, [this] {
    const TStartupResult result = process_->JoinStartup();
    QMetaObject::invokeMethod(this, [this, result] { FinishActivation(result); }, Qt::QueuedConnection);
  });
}

void TFormCorvaneDesktop::FinishActivation(const TStartupResult& result) {
  loadingTimer_.stop();
  loading_ = false;
  controls_.Layout_ProgressBar->hide();
  for (const std::string& warning : result.Warnings) std::cerr << "settings: " << warning << "\n";
  if (!result.Warnings.empty() && controls_.Messages != nullptr) {
    // A value the program cannot use was replaced: say so, or the user
    // wonders why the window does not show what the file holds.
    std::string text = "Some values of the settings file cannot be used and keep their defaults:";
    for (const std::string& warning : result.Warnings) text += "\n" + warning;
    controls_.Messages->ShowMessage(TMessageKind::Information, text);
  }
  if (!result.Completed && controls_.Messages != nullptr) {
    // The data sets loaded before the failing step stay; the rest keeps its
    // defaults, and the window goes on with them.
    controls_.Messages->ShowMessage(TMessageKind::Error, "Loading the data sets stopped: " + result.Error);
  }
  process_->InitFormStructure();
  BindWaypointRows();
  process_->InitFormData();
  process_->SetFormActivate(false);
  sideColumn_->setEnabled(true);
  ready_ = true;
}

void TFormCorvaneDesktop::BindWaypointRows() {
  for (int i = 0; i < kWaypointRows; ++i) {
    TWaypointBox* box = controls_.ComboBox_Waypoint[static_cast<std::size_t>(i)];
    if (box == nullptr) continue;
    box->show();
    connect(box, &QComboBox::currentIndexChanged, this, [this, i] { process_->GetWaypoint(i); });
    // Opening a row's list makes that row the current waypoint.
    box->OnDropDown = [this, i] { process_->SetIndexWaypoint(i); };
  }
}

void TFormCorvaneDesktop::closeEvent(QCloseEvent* event) {
  if (ready_) SaveWindowGeometry();
  QMainWindow::closeEvent(event);
}

void TFormCorvaneDesktop::ShowStartTimes() {
  if (!ready_) return;
  if (!startTimes_->isVisible()) {
    const TInterfaceApplicationMobile& state = process_->InterfaceApplicationMobile;
    startTimes_->SetStartWindow(state.DateTimeLOC, 12, state.DateTimeMinLOC, state.DateTimeMaxLOC);
  }
  startTimes_->show();
  startTimes_->raise();
  startTimes_->activateWindow();
}

std::string TFormCorvaneDesktop::SettingsFile() const {
  return process_->PackageResourceLoader.GetSettingsFileName(process_->InterfaceApplicationMobile);
}

void TFormCorvaneDesktop::SaveWindowGeometry() {
  TWindowGeometry geometry;
  geometry.Maximized = isMaximized();
  const QSize size = geometry.Maximized ? normalGeometry().size() : this->size();
  geometry.Width = size.width();
  geometry.Height = size.height();
  const QList<int> sizes = splitter_->sizes();
  if (sizes.size() == 2 && sizes[1] > 0) geometry.SideColumnWidth = sizes[1];
  WriteWindowGeometry(SettingsFile(), geometry);
}

void TFormCorvaneDesktop::RestoreWindowGeometry() {
  const std::optional<TWindowGeometry> geometry = ReadWindowGeometry(SettingsFile());
  const TWindowGeometry g = geometry.value_or(TWindowGeometry());
  resize(g.Width, g.Height);
  splitter_->setSizes({g.Width - g.SideColumnWidth, g.SideColumnWidth});
  if (g.Maximized) setWindowState(windowState() | Qt::WindowMaximized);
}

}  // namespace corvane
