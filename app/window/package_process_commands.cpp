// The window's commands: each runs through the panel binder and then
// refreshes the panels it affects.

#include <QCoreApplication>
#include <cmath>

#include "app/window/package_process.h"
#include "app/window/shortcut_memo.h"

namespace corvane {
namespace {

// Wheel notches per zoom button step.
constexpr int kWheelNotchesPerStep = 4;

}  // namespace

void TPackageProcess::GetWaypoint(int row) {
  if (PackageForms.GetWaypoint(controls_, row)) PackageForms.SetDataResults(controls_);
}

void TPackageProcess::SetIndexWaypoint(int row) { PackageForms.SetIndexWaypoint(row); }

void TPackageProcess::AddWaypoint() {
  if (PackageForms.AddWaypoint(controls_)) PackageForms.SetDataWaypoints(controls_);
}

void TPackageProcess::DeleteAndMoveWaypoint() {
  if (!PackageForms.DeleteAndMoveWaypoint(controls_)) return;
  PackageForms.SetDataWaypoints(controls_);
  PackageForms.SetDataResults(controls_);
}

void TPackageProcess::GetMoveWaypoint(int move) {
  if (!PackageForms.GetMoveWaypoint(controls_, move)) return;
  PackageForms.SetDataWaypoints(controls_);
  PackageForms.SetDataResults(controls_);
}

void TPackageProcess::GetValidateShortCuts(bool isBackspace, char keyChar) {
  PackageForms.GetValidateShortCuts(controls_, isBackspace, keyChar);
}

void TPackageProcess::ProcessValidateShortCuts() { PackageForms.ProcessValidateShortCuts(controls_); }

void TPackageProcess::GetGotoEndTripleShortCuts() { PackageForms.GetGotoEndTripleShortCuts(controls_); }

void TPackageProcess::GetShortCutWaypoints() {
  if (!PackageForms.GetShortCutWaypoints(controls_)) return;
  // A course typed as shortcuts is not saved until the next saving command.
  PackageForms.SetDataWaypoints(controls_);
  PackageForms.SetDataResults(controls_);
  PackageForms.Redraw(controls_);
}

void TPackageProcess::GetClearShortCuts() { PackageForms.GetClearShortCuts(controls_); }

void TPackageProcess::GetBoatclass(QComboBox* sender) {
  if (!PackageForms.GetBoatclass(controls_, sender)) return;
  PackageForms.SetDataBoatclass(controls_);
  PackageForms.SetDataResults(controls_);
}

void TPackageProcess::RefreshClasses() {
  if (PackageForms.RefreshClasses(controls_)) PackageForms.SetDataBoatclass(controls_);
}

void TPackageProcess::ReloadClasses() {
  if (!PackageForms.EnableEvents) return;
  PackageApps.ResetRouting(InterfaceApplicationMobile);
  PackageResourceLoader.LoadListClasses(InterfaceApplicationMobile);
  PackageResourceLoader.LoadBoatPolars(InterfaceApplicationMobile);
  PackageForms.SetupClasses(controls_);
  PackageForms.SetDataBoatclass(controls_);
}

void TPackageProcess::RefreshMoment() {
  PackageForms.SetDataMapHeader(controls_);
  PackageForms.SetDataTabWind(controls_);
  PackageForms.SetDataTides(controls_);
  PackageForms.SetDataResults(controls_);
  PackageForms.SetDataMovableMarks(controls_);
}

void TPackageProcess::GetStartDate() {
  TLiveChange change(*this);
  if (!PackageForms.GetStartDate(controls_)) return;
  RefreshMoment();
  change.Done();
}

void TPackageProcess::GetStartTime() {
  TLiveChange change(*this);
  if (!PackageForms.GetStartTime(controls_)) return;
  RefreshMoment();
  change.Done();
}

void TPackageProcess::SetTimeNow() {
  TLiveChange change(*this);
  if (!PackageForms.SetTimeNow(controls_)) return;
  PackageApps.GetGRIBWindValid(InterfaceApplicationMobile);
  PackageForms.SetDataTabGRIBWind(controls_);
  RefreshMoment();
  change.Done();
}

void TPackageProcess::GetTimeShift(std::int64_t minutes) {
  TLiveChange change(*this);
  if (!PackageForms.GetTimeShift(controls_, minutes)) return;
  PackageForms.SetDataMapHeader(controls_);
  PackageForms.SetDataTabWind(controls_);
  PackageForms.SetDataTabStart(controls_);
  PackageForms.SetDataMovableMarks(controls_);
  PackageForms.SetDataResults(controls_);
  change.Done();
}

void TPackageProcess::GetWind() {
  TLiveChange change(*this);
  if (!PackageForms.GetWind(controls_)) return;
  PackageForms.SetDataResults(controls_);
  change.Done();
}

void TPackageProcess::GetWindAngle() {
  TLiveChange change(*this);
  if (!PackageForms.GetWindAngle(controls_)) return;
  PackageForms.SetDataMovableMarks(controls_);
  PackageForms.SetDataResults(controls_);
  change.Done();
}

void TPackageProcess::GetGRIBWind() {
  const std::optional<TGRIBWindSelection> selection = PackageForms.GetGRIBWind(controls_);
  if (!selection) return;
  for (const std::string& message : selection->Messages) ShowMessage(TMessageKind::Error, message);
  if (selection->InMap) {
    PackageForms.SetTimeSteps();
    PackageForms.SetDataTabWind(controls_);
  }
  GetWindAngle();
  PackageForms.SetDataTabGRIBWind(controls_);
  PackageForms.SetDataTabWind(controls_);
  PackageForms.SetDataResults(controls_);
  if (InterfaceApplicationMobile.TrackType == 1) PackageForms.SetDataMovableMarks(controls_);
}

void TPackageProcess::GetAdjustTideTime() {
  TLiveChange change(*this);
  if (!PackageForms.GetAdjustTideTime(controls_)) return;
  PackageForms.SetDataResults(controls_);
  change.Done();
}

void TPackageProcess::GetAdjustTideSpeed() {
  TLiveChange change(*this);
  if (!PackageForms.GetAdjustTideSpeed(controls_)) return;
  PackageForms.SetDataResults(controls_);
  change.Done();
}

void TPackageProcess::GetDepthLine() { PackageForms.GetDepthLine(controls_); }

void TPackageProcess::GetResultsPage(int page) {
  if (PackageForms.GetResultsPage(controls_, page)) PackageForms.SetDataResults(controls_);
}

void TPackageProcess::AfterZoom() {
  // A mark drag armed before the zoom goes on at the new scale.
  ServiceGestures.HandleGestureMovableMarkContinue();
  QCoreApplication::processEvents();
}

void TPackageProcess::MapZoomOut() {
  const double zoom = TMobileGraphics::ZoomedBySteps(InterfaceApplicationMobile, -1);
  if (PackageForms.MapZoom(controls_, zoom, true)) AfterZoom();
}

void TPackageProcess::MapZoomIn() {
  const double zoom = TMobileGraphics::ZoomedBySteps(InterfaceApplicationMobile, +1);
  if (PackageForms.MapZoom(controls_, zoom, true)) AfterZoom();
}

void TPackageProcess::MapZoomSlide() {
  if (controls_.TrackBar_Zoom == nullptr) return;
  const double zoom = static_cast<double>(controls_.TrackBar_Zoom->value()) / kZoomSliderScale;
  if (PackageForms.MapZoom(controls_, zoom, false)) AfterZoom();
}

void TPackageProcess::MapZoomWheel(int notches, float x, float y) {
  const double zoom =
      TMobileGraphics::ZoomedBySteps(InterfaceApplicationMobile, static_cast<double>(notches) / kWheelNotchesPerStep);
  const TPointF pointer{x, y};
  if (PackageForms.MapZoom(controls_, zoom, true, &pointer)) AfterZoom();
}

void TPackageProcess::GetPostPrint() {
  TEventsGate gate(PackageForms.EnableEvents);
  if (!gate.Open()) return;
  PackageForms.FormSetup(controls_);
  PackageApps.PackageCurrents.GetTidalCurrents(kCurrentsSourceDrawn, InterfaceApplicationMobile);
  PackageApps.GetDrawRouting(InterfaceApplicationMobile);
  PackageForms.Redraw(controls_);
}

void TPackageProcess::GetGotoTrack() { PackageForms.GetGotoTrack(controls_); }

void TPackageProcess::GetMoveMark(int indexMark) {
  TLiveChange change(*this);
  const std::optional<bool> inWater = PackageForms.GetMoveMark(controls_, indexMark);
  if (!inWater) return;
  PackageForms.SetDataTabWind(controls_);
  PackageForms.SetDataMovableMarks(controls_);
  PackageForms.SetDataResults(controls_);
  if (!*inWater) {
    ShowMessage(TMessageKind::Information, kMessageMarkAshore);
    return;
  }
  change.Done();
}

}  // namespace corvane
