#pragma once
// The application services on the built-in start-up, for the tests of the
// leg steps, the routing run and the results rows: the state, the tide
// model the services update, a message sink and a window that record what
// they are told, and courses laid on the built-in chart or on the routing
// tests' open water.

#include <string>
#include <utility>
#include <vector>

#include "analysis/message_sink.h"
#include "analysis/package_apps.h"
#include "analysis/routing_run.h"
#include "analysis/run_conditions.h"
#include "core/file_tools.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "open_water_world.h"
#include "startup/startup.h"
#include "support/temp_folder.h"

namespace corvane::services_test {

class TRecordingMessages : public TMessageSink {
 public:
  void ShowMessage(TMessageKind kind, const std::string& text) override { Shown.emplace_back(kind, text); }
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const auto& shown : Shown) texts.push_back(shown.second);
    return texts;
  }
  std::vector<std::pair<TMessageKind, std::string>> Shown;
};

// Records the window's parts of a run by name, in order.
class TRecordingWindow : public TRoutingRunWindow {
 public:
  void ShowResultsTab() override { Calls.push_back("ShowResultsTab"); }
  void SetControlsRouting(bool enabled) override {
    Calls.push_back(enabled ? "SetControlsRouting(true)" : "SetControlsRouting(false)");
  }
  void SetDataResults() override { Calls.push_back("SetDataResults"); }
  void DrawOffScreen() override { Calls.push_back("DrawOffScreen"); }
  void RepaintMap() override { Calls.push_back("RepaintMap"); }
  void SetTimeSteps() override { Calls.push_back("SetTimeSteps"); }
  std::vector<std::string> Calls;
};

class TServicesWorld {
 public:
  TServicesWorld() {
    started_ = RunStartup(loader_, Currents, State).Completed;
    Controls.Messages = &Messages;
    Apps.SetupProgressBar(Controls);
  }
  bool Started() const { return started_; }

  // A course of buoys of the built-in chart ("183;177") with the wind in
  // knots and degrees it comes from.
  void SetCourse(const std::string& waypoints, double knots, double degrees) {
    State.TrackType = 3;
    State.ListWayPoints = waypoints;
    Apps.SetListRoutingData(State);
    State.Wind.TrueWind = TPolar{knots, degrees * kDegreesToRadians};
  }

  // The polar of a class of the built-in library.
  void SetBoat(const std::string& name) {
    State.BoatClass = name;
    loader_.LoadBoatPolars(State);
  }

  // One track of `distance` nautical miles on `bearing` degrees from kStart
  // in the routing tests' open water without stream, wind 12 knots from
  // north; `land` cuts a rectangle out of the water.
  TRoutingData& SetOpenWaterTrack(double bearing, double distance) {
    open_water::SetOpenWater(State);
    State.HideCurrent = true;
    State.TrackType = 3;
    State.Wind.TrueWind = TPolar{12, 0};
    TListRoutingData& tracks = State.ListRoutingData;
    tracks.Clear();
    tracks.IndexTrack = 0;
    TRoutingData& track = test_support::AddTrack(tracks, kStart, bearing, distance);
    track.BuoyStart = "1";
    track.BuoyFinish = "2";
    tracks.SetRoutingDataByMarks();
    return track;
  }

  TRoutingRunResult Run(bool silent, bool singleTrack, TRoutingRunWindow* window = nullptr) {
    return GetRoutingNew(silent, singleTrack, Apps, Controls, State, window);
  }

  // One leg routed in the conditions of the state, as a run routes it.
  TLegRouting RouteOne(const TRoutingData& track) {
    TRoutingOptions options;
    options.MaxHoursToFinish = State.MaxTimeToFinish;
    options.TraceGrid = Apps.DebugGrid;
    return RouteLeg(track, 0, State.Polars, BuildRoutingConditions(State, Currents), options);
  }

  static constexpr TMinutes kStart{-80, 3040};

 private:
  TTempFolder documents_;
  TPackageResourceLoader loader_{BuiltInResourceStore(), TFileTools(documents_.path())};
  bool started_ = false;

 public:
  TPackageCurrents Currents;
  TInterfaceApplicationMobile State;
  TPackageApps Apps{Currents};
  TRecordingMessages Messages;
  TPackageControls Controls;
};

}  // namespace corvane::services_test
