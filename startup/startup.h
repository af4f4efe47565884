#pragma once
// The start-up sequence without a window: the region defaults, one
// background task that loads every built-in data set and the settings file
// in a fixed order and then computes the current field of the chosen moment,
// and the join. The window starts the same task and joins it before it
// builds its panels; the command-line program joins it at once.
//
// This is a library of its own because it calls both the data-set loaders
// (data/) and the tidal model (tides/), which sit above the application
// state (state/ links only core/); placed in state/ it would make a cycle.
//
// Concurrency: exactly one task runs at a time. While it runs it writes the
// application state, the loader and the tide model without any lock; the
// caller must not touch any of them until Join has returned. The join is the
// only synchronisation.

#include <exception>
#include <future>
#include <string>

#include "core/types.h"
#include "data/package_resource_loader.h"
#include "state/application_state.h"
#include "analysis/current_field.h"

namespace corvane {

// What the start-up left for the user to read.
struct TStartupResult {
  // True when every step ran; false when a step raised (Error then says
  // which), in which case the state holds the data sets loaded before that
  // step and the defaults for the rest.
  bool Completed = false;
  std::string Error;
  // Problems that did not stop the start-up, one line each: settings values
  // that could not be used, a chosen moment outside the tide table.
  TStringList Warnings;
};

// Sets the selectable window of local times to the years of the loaded tide
// table: 2 January of YearOfTidesFrom 01:00 to 29 December of YearOfTidesTo
// 23:00 (a table of 2016 to 2040 allows every day it can serve with the day
// before and the day after). Leaves the window as it was when either year
// is not a decimal integer from 1 to 9999 or the last year comes before the
// first (no tide table loaded, say). True when the window was set.
bool SetDateTimeWindowOfTides(TInterfaceApplicationMobile& state);

// Loads, in this order: buoys and marks; the chart frame; the settings file
// (file, or the documents folder's when file is empty); the two sets of
// coast tiles; the tide table (into currents.PackageTides) and with it the
// selectable window; the positions of the high- and low-resolution stream
// grids, then their vectors; the validity areas of both grids and the label
// positions of the low-resolution one; slack positions, towns, flats,
// courses; the class list and the polar of BoatClass; finally DateTimeLOC
// from DateTimeGMT. The buoys and the chart frame come before the settings
// file because the file holds the positions of the two movable marks, buoys
// 0 and 1, and the chart's centre, which must lie in the frame. A missing
// data set leaves its lists empty. Returns the warnings of the settings
// file, a line naming a BoatClass that the class list does not hold (the
// first class is taken) and, when the chosen moment lies outside the
// selectable window, a line that says so.
TStringList LoadAppResources(TPackageResourceLoader& loader, TPackageCurrents& currents,
                             TInterfaceApplicationMobile& state, const std::string& settingsFile = "");

// The background task of the start-up.
class TStartupTask {
 public:
  TStartupTask() = default;
  TStartupTask(const TStartupTask&) = delete;
  TStartupTask& operator=(const TStartupTask&) = delete;
  // A task still running is joined, its result dropped: the loader, the
  // tide model and the state it writes must outlive it.
  ~TStartupTask();

  // Sets DrawCurrentsText, starts one task that runs LoadAppResources and
  // then, for the analyzer (AppType 0), GetTidalCurrents(1), and sets Offset
  // to (0, 0). loader, currents and state must outlive the join. Starting
  // while an earlier task has not been joined is a programming error and
  // throws std::logic_error: the sequence is not re-entrant.
  void Start(TPackageResourceLoader& loader, TPackageCurrents& currents,
             TInterfaceApplicationMobile& state, const std::string& settingsFile = "");

  // True between Start and Join.
  bool Started() const { return task_.valid(); }

  // Waits without time limit for the task and returns its result; an
  // exception raised inside the task ends up in Error. Joining without a
  // started task is a programming error and throws std::logic_error.
  TStartupResult Join();

 private:
  std::future<TStartupResult> task_;
};

// The whole sequence for a caller without a window: TSettingsQuarne Setup
// with device 2 and AppType 0, Start, Join.
TStartupResult RunStartup(TPackageResourceLoader& loader, TPackageCurrents& currents,
                          TInterfaceApplicationMobile& state, const std::string& settingsFile = "");

}  // namespace corvane
