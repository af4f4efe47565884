#include "startup/startup.h"

#include <stdexcept>

#include "core/date_time.h"
#include "state/settings_quarne.h"

namespace corvane {

namespace {

constexpr int kFirstYear = 1;
constexpr int kLastYear = 9999;

// The analyzer computes the drawn field of the chosen moment once loading
// is done; the other application types do not draw the tidal streams.
constexpr int kAppTypeAnalyzer = 0;

std::optional<int> TideYear(const std::string& text) {
  const std::optional<int> year = ParseDecimalInteger(text);
  if (!year || *year < kFirstYear || *year > kLastYear) return std::nullopt;
  return year;
}

TStartupResult RunTask(TPackageResourceLoader& loader, TPackageCurrents& currents,
                       TInterfaceApplicationMobile& state, const std::string& settingsFile) {
  TStartupResult result;
  result.Warnings = LoadAppResources(loader, currents, state, settingsFile);
  if (state.AppType == kAppTypeAnalyzer) currents.GetTidalCurrents(kCurrentsSourceDrawn, state);
  result.Completed = true;
  return result;
}

}  // namespace

bool SetDateTimeWindowOfTides(TInterfaceApplicationMobile& state) {
  const std::optional<int> from = TideYear(state.YearOfTidesFrom);
  const std::optional<int> to = TideYear(state.YearOfTidesTo);
  if (!from || !to || *to < *from) return false;
  state.DateTimeMinLOC = DateTimeMinOfYear(*from);
  state.DateTimeMaxLOC = DateTimeMaxOfYear(*to);
  return true;
}

TStringList LoadAppResources(TPackageResourceLoader& loader, TPackageCurrents& currents,
                             TInterfaceApplicationMobile& state, const std::string& settingsFile) {
  TPackageTides& tides = currents.PackageTides;

  loader.LoadListBuoys(state);
  // The chart frame first: the settings' chart centre and marks must lie in it.
  loader.LoadSettingsMap(state);
  TStringList warnings = settingsFile.empty() ? loader.LoadSettingsDevice(state)
                                              : loader.LoadSettingsDevice(state, settingsFile);
  loader.LoadListMapTilesA(state);
  loader.LoadListMapTilesB(state);
  loader.LoadListTides(state, tides);
  SetDateTimeWindowOfTides(state);

  loader.LoadListCurrentsPositionsLight("streamp", state.CubeHiRes, tides);
  loader.LoadListCurrentsPositionsLight("streamg", state.CubeLoRes, tides);
  loader.LoadListCurrentsVektorsLight("streamv", tides, state.CubeHiRes);
  loader.LoadListCurrentsVektorsLight("streamf", tides, state.CubeLoRes);
  loader.LoadListCurrentsAreasLight(state.CubeHiRes);
  loader.LoadListCurrentsAreasLight(state.CubeLoRes);
  loader.LoadListCurrentsTextLight(state.CubeLoRes);

  loader.LoadListSlacks(state);
  loader.LoadListTowns(state);
  loader.LoadListFlats(state);
  loader.LoadListCourses(state);

  loader.LoadListClasses(state);
  const std::string chosenClass = state.BoatClass;
  loader.LoadBoatPolars(state);
  // The polar loader takes the first class for a name it does not know.
  if (state.BoatClass != chosenClass) {
    warnings.push_back("The boat class " + chosenClass + " is not in the class list; the first class, " +
                       state.BoatClass + ", is taken.");
  }

  SetDateTimeLOC(state);
  if (CompareDateTime(state.DateTimeLOC, state.DateTimeMinLOC) < 0 ||
      CompareDateTime(state.DateTimeLOC, state.DateTimeMaxLOC) > 0) {
    const char* format = "yyyy-mm-dd hh:mm";
    warnings.push_back("The chosen moment " + FormatDateTime(format, state.DateTimeLOC) +
                       " (local time) lies outside the tide table, which serves " +
                       FormatDateTime(format, state.DateTimeMinLOC) + " to " +
                       FormatDateTime(format, state.DateTimeMaxLOC) + ": no tides or streams for it.");
  }
  return warnings;
}

TStartupTask::~TStartupTask() {
  if (task_.valid()) task_.wait();
}

void TStartupTask::Start(TPackageResourceLoader& loader, TPackageCurrents& currents,
                         TInterfaceApplicationMobile& state, const std::string& settingsFile) {
  if (task_.valid()) throw std::logic_error("the start-up task was started twice");
  state.DrawCurrentsText = true;
  task_ = std::async(std::launch::async, [&loader, &currents, &state, settingsFile] {
    return RunTask(loader, currents, state, settingsFile);
  });
  state.Offset = TPointF{0, 0};
}

TStartupResult TStartupTask::Join() {
  if (!task_.valid()) throw std::logic_error("the start-up task was joined without being started");
  try {
    return task_.get();
  } catch (const std::exception& error) {
    TStartupResult result;
    result.Error = error.what();
    return result;
  }
}

TStartupResult RunStartup(TPackageResourceLoader& loader, TPackageCurrents& currents,
                          TInterfaceApplicationMobile& state, const std::string& settingsFile) {
  TSettingsQuarne().Setup(2, 0, state);
  TStartupTask task;
  task.Start(loader, currents, state, settingsFile);
  return task.Join();
}

}  // namespace corvane
