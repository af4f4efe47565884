// The built-in data started as the window starts it, with a course of marks
// and a true wind set: what every routing benchmark begins from.

#pragma once

#include <filesystem>
#include <string>

#include "analysis/package_apps.h"
#include "core/constants.h"
#include "core/file_tools.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "startup/startup.h"

namespace corvane {

// Orrasey Post (7Y) to Fennick Post (7S): a beat in a wind from 060.
constexpr const char* kDefaultCourse = "183;177";
// Orrasey Post, Fennick Post, buoy 37, Orrasey Post in 12 knots from 095:
// at the default moment the first leg routes as a reach (the wind 35 degrees
// off its bearing, the stream against it), then a reach and a run.
constexpr const char* kThreeLegCourse = "183;177;37;183";

struct TBuiltInCourse {
  TPackageResourceLoader Loader{BuiltInResourceStore(), TFileTools(std::filesystem::temp_directory_path())};
  TPackageCurrents Currents;
  TInterfaceApplicationMobile State;
  TPackageApps Apps{Currents};
  TPackageControls Controls;
  bool Started = false;

  TBuiltInCourse(const std::string& waypoints, double knots, double degrees) {
    Started = RunStartup(Loader, Currents, State).Completed;
    State.TrackType = 3;
    State.ListWayPoints = waypoints;
    Apps.SetListRoutingData(State);
    State.Wind.TrueWind = TPolar{knots, degrees * kDegreesToRadians};
  }
};

}  // namespace corvane
