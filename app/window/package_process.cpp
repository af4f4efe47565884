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
  RerouteIfLive();
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

void TPackageProcess::StartRouting(bool singleTrack) {
  if (!PackageForms.EnableEvents || RoutingWorker.Busy()) return;
  TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  liveSingleTrack_ = singleTrack;
  TRoutingJob job = PrepareRouting(false, singleTrack, PackageApps, controls_, state, this, !live_);
  if (!job.Started) return;
  // Closed until the results are in: no command may change what the job
  // was copied from, nor start another run.
  PackageForms.EnableEvents = false;
  PackageApps.StartProgressBar(state);
  RoutingWorker.Start(
      std::move(job),
      [this](const std::string& text, float value) {
        InterfaceApplicationMobile.ProgressText = text;
        InterfaceApplicationMobile.ProgressValue = value;
        if (controls_.ProgressBar != nullptr) controls_.ProgressBar->ShowProgress(InterfaceApplicationMobile);
      },
      [this](const TRoutingJob& done, const TRoutedCourse& routed) {
        PackageApps.StopProgressBar(InterfaceApplicationMobile);
        // Open again: the results are applied as a run on this thread would
        // apply them, the panels refreshed through the gate.
        PackageForms.EnableEvents = true;
        const TRoutingRunResult result =
            ApplyRouting(done, routed, PackageApps, controls_, InterfaceApplicationMobile, this);
        if (OnRoutingFinished) OnRoutingFinished(result);
        if (rerouteWaiting_) {
          rerouteWaiting_ = false;
          RerouteIfLive();
        }
      });
}

void TPackageProcess::SetLiveRouting(bool live) {
  live_ = live;
  rerouteWaiting_ = false;
  if (live_) StartRouting(false);
}

void TPackageProcess::RerouteIfLive() {
  if (!live_) return;
  if (RoutingWorker.Busy()) {
    rerouteWaiting_ = true;
    return;
  }
  StartRouting(liveSingleTrack_);
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
