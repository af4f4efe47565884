#include "app/window/package_process.h"

#include <QCoreApplication>
#include <QPainter>
#include <cmath>
#include <utility>

namespace corvane {

TPackageProcess::TPackageProcess(TWindowControls& controls, TResourceStore store, TFileTools fileTools)
    : Resources(store),
      PackageResourceLoader(std::move(store), fileTools),
      PackageApps(PackageCurrents, fileTools),
      PackageForms(InterfaceApplicationMobile, PackageApps, PackageResourceLoader, MobileGraphics),
      PrintController(InterfaceApplicationMobile, MobileGraphics, PackageApps, controls, Resources, this),
      controls_(controls) {
  // The drawn field runs the GRIB wind of the moment of the one GRIB reader.
  PackageApps.AttachGRIBWind(PackageCurrents);
  PackageForms.SaveAppData = [this] { SaveAppData(); };
}

TPackageProcess::~TPackageProcess() { TGRIBServices::DetachGRIBWind(PackageCurrents); }

// ---------------------------------------------------------------- start-up

void TPackageProcess::InitApp() {
  ServiceGestures.InitService(*this, InterfaceApplicationMobile, MobileGraphics);
  PackageApps.SetupProgressBar(controls_);
  // The title is read before the task starts writing the state.
  if (controls_.Form != nullptr) {
    controls_.Form->setWindowTitle(QString::fromStdString(InterfaceApplicationMobile.AppName));
  }
  Tasks.Start(PackageResourceLoader, PackageCurrents, InterfaceApplicationMobile);
}

TStartupResult TPackageProcess::JoinStartup() { return Tasks.Join(); }

void TPackageProcess::InitFormStructure() {
  TPackageForms& forms = PackageForms;
  forms.EnableEvents = true;
  forms.SetupResults(controls_);
  forms.SetupClasses(controls_);
  forms.SetupWaypoints(controls_);
  forms.SetupTrueWind(controls_);
  forms.SetupGRIBWind(controls_);
  forms.SetupTidesAdjustment(controls_);
  forms.FormSetup(controls_);
}

void TPackageProcess::InitFormData() {
  TPackageForms& forms = PackageForms;
  TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  PackageApps.SetListRoutingData(state);
  forms.SetDataBoatclass(controls_);
  forms.SetDataTabStart(controls_);
  forms.SetDataMapHeader(controls_);
  forms.SetDataTabWind(controls_);
  forms.SetDataTabGRIBWind(controls_);
  PackageApps.HandleTrueWind(controls_, state);
  forms.SetDataResults(controls_);
  forms.SetDataWaypoints(controls_);
  forms.SetDataTides(controls_);
  forms.SetDataTidesAdjustment(controls_);
  forms.SetupZoomSlide(controls_);
  forms.SetDataMovableMarks(controls_);
  forms.EnableResize = true;
  forms.Redraw(controls_);
}

// ------------------------------------------------- painting, layout, mouse

void TPackageProcess::DrawMap(QPainter& painter, const TRectF& rect) {
  if (!PackageForms.EnableEvents || MobileGraphics.OnScreen.BitMap == nullptr) return;
  MobileGraphics.DrawOnScreen(painter, rect, InterfaceApplicationMobile);
}

void TPackageProcess::DrawProgressBar(QPainter& painter, const TRectF& rect) {
  MobileGraphics.DrawProgressBar(painter, rect, InterfaceApplicationMobile);
}

void TPackageProcess::FormResize() { PackageForms.FormResize(controls_); }

void TPackageProcess::MouseMap(int mouseEvent, float x, float y) {
  ServiceGestures.MouseMap(mouseEvent, x, y);
}

// --------------------------------------------------------------- messages

void TPackageProcess::ShowMessage(TMessageKind kind, const std::string& text) {
  if (controls_.Messages != nullptr) controls_.Messages->ShowMessage(kind, text);
}

void TPackageProcess::SaveAppData() {
  PackageResourceLoader.SaveSettingsDevice(InterfaceApplicationMobile);
  if (OnSettingsSaved) OnSettingsSaved();
}

// ---------------------------------------------------------- gesture host

bool TPackageProcess::GetMarkInWater(const TMinutes& position) {
  return PackageApps.GetMarkInWater(position, InterfaceApplicationMobile);
}

void TPackageProcess::RepaintMap() {
  if (controls_.Image_Map != nullptr) controls_.Image_Map->repaint();
}

void TPackageProcess::RedrawMap() { PackageForms.Redraw(controls_); }

void TPackageProcess::ShowReadout(float x, float y) { PackageForms.GetMoveMouseMap(controls_, x, y); }

void TPackageProcess::RefreshAfterDragStep() {
  PackageForms.SetDataMovableMarks(controls_);
  PackageForms.SetDataResults(controls_);
  PackageForms.SetDataTabWind(controls_);
  PackageForms.SetDataTabGRIBWind(controls_);
}

void TPackageProcess::SetControlsPanCourse(bool enabled) {
  PackageForms.SetControlsPanCourse(controls_, enabled);
}

void TPackageProcess::MarkDragArmedOnTrack() {
  PackageApps.ResetRouting(InterfaceApplicationMobile);
  PackageApps.GetDrawRouting(InterfaceApplicationMobile);
  PackageForms.SetTimeSteps();
  PackageForms.ResetDataResults(controls_, false);
  PackageForms.SetDataResults(controls_);
}

void TPackageProcess::MarkDragDone() {
  PackageForms.ResetDataResults(controls_, true);
  PackageApps.GetTrueGRIBWind(InterfaceApplicationMobile);
  PackageApps.GetTrueGRIBWindCourse(InterfaceApplicationMobile);
  PackageForms.SetDataTabWind(controls_);
  SaveAppData();
  TLiveChange(*this).Done();
}

// ------------------------------------------------------ routing run window

void TPackageProcess::SetControlsRouting(bool enabled) { PackageForms.SetControlsRouting(controls_, enabled); }
void TPackageProcess::SetDataResults() { PackageForms.SetDataResults(controls_); }
void TPackageProcess::DrawOffScreen() { MobileGraphics.DrawOffScreen(InterfaceApplicationMobile); }
void TPackageProcess::SetTimeSteps() { PackageForms.SetTimeSteps(); }
TRoutingRunResult TPackageProcess::GetRoutingNew(bool silentMode, bool singleTrack) {
  if (!silentMode && (!PackageForms.EnableEvents || RoutingWorker.Busy())) return {};
  return corvane::GetRoutingNew(silentMode, singleTrack, PackageApps, controls_, InterfaceApplicationMobile,
                                this);
}

namespace {

// The window's parts of a run that follows a change with Live on: the
// panels stay as they are, so that the user goes on changing while it runs.
class TLiveRunWindow : public TRoutingRunWindow {
 public:
  explicit TLiveRunWindow(TRoutingRunWindow& window) : window_(window) {}
  void ShowResultsTab() override { window_.ShowResultsTab(); }
  void SetDataResults() override { window_.SetDataResults(); }
  void DrawOffScreen() override { window_.DrawOffScreen(); }
  void RepaintMap() override { window_.RepaintMap(); }
  void SetTimeSteps() override { window_.SetTimeSteps(); }

 private:
  TRoutingRunWindow& window_;
};

}  // namespace

bool TPackageProcess::StartRouting(bool singleTrack) {
  if (!PackageForms.EnableEvents || RoutingWorker.Busy()) return false;
  TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  liveSingleTrack_ = singleTrack;
  const bool live = live_;
  TLiveRunWindow liveWindow(*this);
  TRoutingRunWindow* window = live ? static_cast<TRoutingRunWindow*>(&liveWindow) : this;
  TRoutingJob job = PrepareRouting(false, singleTrack, PackageApps, controls_, state, window, !live);
  if (!job.Started) return false;
  // A run of a button is closed off until its results are in: no command
  // may change what the job was copied from, nor start another run. A live
  // run leaves the window open and keeps what it was prepared from, to
  // throw away results that no longer fit.
  if (!live) PackageForms.EnableEvents = false;
  const std::string inputs = live ? RoutingInputsKey(state) : std::string();
  PackageApps.StartProgressBar(state);
  RoutingWorker.Start(
      std::move(job),
      [this](const std::string& text, float value) {
        InterfaceApplicationMobile.ProgressText = text;
        InterfaceApplicationMobile.ProgressValue = value;
        if (controls_.ProgressBar != nullptr) controls_.ProgressBar->ShowProgress(InterfaceApplicationMobile);
      },
      [this, live, inputs](const TRoutingJob& done, const TRoutedCourse& routed) {
        PackageApps.StopProgressBar(InterfaceApplicationMobile);
        if (live && RoutingInputsKey(InterfaceApplicationMobile) != inputs) {
          // The user changed the course's situation meanwhile: the latest
          // one is routed instead.
          rerouteWaiting_ = false;
          if (!RerouteIfLive()) PackageForms.Redraw(controls_);
          return;
        }
        // Open again: the results are applied as a run on this thread would
        // apply them, the panels refreshed through the gate.
        PackageForms.EnableEvents = true;
        TLiveRunWindow liveWindow(*this);
        TRoutingRunWindow* window = live ? static_cast<TRoutingRunWindow*>(&liveWindow) : this;
        const TRoutingRunResult result =
            ApplyRouting(done, routed, PackageApps, controls_, InterfaceApplicationMobile, window);
        if (OnRoutingFinished) OnRoutingFinished(result);
        if (rerouteWaiting_) {
          rerouteWaiting_ = false;
          RerouteIfLive();
        }
      });
  return true;
}

void TPackageProcess::SetLiveRouting(bool live) {
  live_ = live;
  rerouteWaiting_ = false;
  if (live_) StartRouting(false);
}

bool TPackageProcess::RerouteIfLive() {
  if (!live_) return false;
  if (RoutingWorker.Busy()) {
    rerouteWaiting_ = true;
    return false;
  }
  return StartRouting(liveSingleTrack_);
}

TPackageProcess::TLiveChange::TLiveChange(TPackageProcess& process) : process_(process) {
  TPackageForms& forms = process_.PackageForms;
  deferring_ = process_.live_ && !process_.RoutingWorker.Busy() && !forms.DeferRedraw;
  if (deferring_) {
    forms.DeferRedraw = true;
    forms.RedrawDeferred = false;
  }
}

TPackageProcess::TLiveChange::~TLiveChange() {
  TPackageForms& forms = process_.PackageForms;
  if (deferring_) forms.DeferRedraw = false;
  const bool routing = done_ && process_.RerouteIfLive();
  if (deferring_ && forms.RedrawDeferred) {
    forms.RedrawDeferred = false;
    if (!routing) forms.Redraw(process_.controls_);
  }
}

std::optional<TPreparedSweep> TPackageProcess::PrepareStartTimes(TDateTime fromLOC, TDateTime toLOC,
                                                                 int stepMinutes) {
  if (!PackageForms.EnableEvents || RoutingWorker.Busy()) return std::nullopt;
  TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  TSweepRequest request;
  request.FromGMT = DateTools.LocalToGMT(state.TimeZoneOffset, state.TimeZone, fromLOC);
  request.ToGMT = DateTools.LocalToGMT(state.TimeZoneOffset, state.TimeZone, toLOC);
  request.StepMinutes = stepMinutes;
  if (const std::optional<std::string> why = CheckSweepRequest(request)) {
    ShowMessage(TMessageKind::Error, "Start times: " + *why);
    return std::nullopt;
  }
  TPreparedSweep prepared = PrepareSweep(request, PackageApps, controls_, state);
  // The sweep left no routing results: the panels and the chart say so.
  PackageForms.SetDataResults(controls_);
  DrawOffScreen();
  RepaintMap();
  return prepared;
}

void TPackageProcess::ChooseStart(TDateTime startLOC) {
  const TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  const auto minutes = static_cast<std::int64_t>(std::llround((startLOC - state.DateTimeLOC) * 1440));
  const bool live = live_;
  live_ = false;  // one run for the change, routed below
  if (minutes != 0) GetTimeShift(minutes);
  live_ = live;
  StartRouting(false);
}

void TPackageProcess::CancelRouting() { RoutingWorker.Cancel(); }

}  // namespace corvane
