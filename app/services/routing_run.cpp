#include "app/services/routing_run.h"

#include <string>

#include "tides/current_field.h"

namespace corvane {

namespace {

const char* const kStepTidalCurrents = "Preparing tidal currents";
const char* const kStepRoutingCurrents = "Preparing routing currents";

void ShowMessage(TPackageControls& controls, TMessageKind kind, const std::string& text) {
  if (controls.Messages != nullptr) controls.Messages->ShowMessage(kind, text);
}

}  // namespace

TRoutingRunResult GetRoutingNew(bool SilentMode, bool SingleTrack, TPackageApps& PackageApps,
                                TPackageControls& PackageControls,
                                TInterfaceApplicationMobile& InterfaceApplicationMobile,
                                TRoutingRunWindow* Window) {
  TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  TPackageApps& apps = PackageApps;
  TRoutingRunWindow none;
  TRoutingRunWindow& window = Window != nullptr ? *Window : none;
  TRoutingRunResult result;

  TListVektorCubeLight& cube = TLegServices::RoutingCube(state);
  TListMinutes savedRoutingArea;
  const bool gribCurrent = state.GRIBCurrentLoaded;
  if (gribCurrent) cube.UncloneRoutingArea(savedRoutingArea);

  apps.PackageCurrents.GetTidalCurrents(kCurrentsSourceDrawn, state);
  apps.GetGRIBWindField(state);
  apps.GetTrueGRIBWindCourse(state);
  apps.ResetRouting(state);
  apps.SetRoutingLineStroke(state);
  window.DrawOffScreen();

  if (!SilentMode && !(state.Wind.TrueWind.Betrag >= kRoutingMinWindSpeed)) {
    ShowMessage(PackageControls, TMessageKind::Information, kMessageLowWindSpeed);
    return result;
  }
  result.Started = true;
  if (!SilentMode) {
    window.ShowResultsTab();
    window.SetControlsRouting(false);
    window.SetDataResults();
    window.RepaintMap();
  }

  TListRoutingData& tracks = state.ListRoutingData;
  const int first = SingleTrack ? tracks.IndexTrack : 0;
  const int last = SingleTrack ? tracks.IndexTrack : tracks.Count() - 1;
  state.AppMessage.clear();
  state.RoutingValid = true;
  for (int i = first; i <= last && state.RoutingValid; ++i) {
    TRoutingData* track = tracks.GetItem(i);
    if (track == nullptr) break;
    tracks.IndexTrack = i;
    track->RoutingEnabled = true;
    apps.SetTrackStartTime(i, SingleTrack, state);
    apps.SetHoursToRefTideText(*track, state);

    apps.SetTilesOnTrack(*track, state);
    if (!SilentMode && apps.GetCourseAshore(*track, state)) {
      ShowMessage(PackageControls, TMessageKind::Plain, kMessageCourseAshore);
    }
    if (!SilentMode) {
      apps.StartProgressBar(state);
      apps.StepProgressBar(kStepTidalCurrents, 1, state);
    }
    cube.GetIndexRoutingArea();
    if (state.AppType != kAppTypeSimulator) {
      if (!SilentMode) apps.StepProgressBar(kStepRoutingCurrents, 1, state);
      apps.GetRoutingCurrents(state);
    }

    ++result.LegsTried;
    if (apps.GetRouting(SilentMode, *track, state)) ++result.LegsRouted;

    if (gribCurrent) cube.CloneRoutingArea(savedRoutingArea);
    apps.SetRoutingLineStroke(state);
    window.DrawOffScreen();
    if (!SilentMode) {
      window.RepaintMap();
      apps.StopProgressBar(state);
    }
    window.ProcessMessages();
    if (!SilentMode && !state.AppMessage.empty()) {
      ShowMessage(PackageControls, TMessageKind::Plain, state.AppMessage);
    }
    if (!SilentMode) window.SetDataResults();
  }

  if (state.TrackType == kTrackTypeWindwardLeeward) tracks.IndexTrack = 0;
  if (!SilentMode) {
    window.SetDataResults();
    window.SetControlsRouting(true);
    window.SetTimeSteps();
  }
  result.RoutingValid = state.RoutingValid;
  return result;
}

}  // namespace corvane
