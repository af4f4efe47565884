// libFuzzer target over the settings file: the region defaults, three buoys
// (so the course and the two movable marks are checked as at start-up),
// the file read as the start-up reads it, the settings shown as the
// command-line program and the window show them, then written and read
// again. Any bytes must leave a state that survives all of it.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "core/date_time.h"
#include "core/math_tools.h"
#include "core/string_tools.h"
#include "data/data_set_packer.h"
#include "data/package_resource_loader.h"
#include "data_set_input.h"
#include "fuzz_input.h"
#include "state/settings_quarne.h"

namespace {

using namespace corvane;

// Buoys 0 and 1 are the movable marks; buoy 2 a fixed one.
TResourceStore ThreeBuoys() {
  TDataSetPacker packer;
  packer.PackCount(3);
  const TMinutes positions[] = {{-76.6, 3046.5}, {-75.2, 3047.1}, {-80.0, 3045.0}};
  for (const TMinutes& position : positions) {
    packer.PackCoord(position);
    packer.PackString("Mark");
    packer.PackCount8(0);  // label placement
    packer.PackCount8(1);  // buoy type
    packer.PackString("");
  }
  TResourceStore store;
  store.Add("BUOYS", packer.Bytes());
  return store;
}

void ShowSettings(TInterfaceApplicationMobile& state) {
  const TStringTools strings;
  const TMathTools math;
  SetDateTimeLOC(state);
  (void)FormatDateTime("yyyy-mm-dd hh:mm", state.DateTimeLOC);
  (void)strings.ToWindDirection(state.Wind.TrueWind.Winkel);
  (void)strings.ToAngle(state.Wind.TrueWind.Winkel);
  (void)strings.ToTideShift(state.IndexTideShift);
  (void)strings.ToRangeShift(state.IndexRangeShift);
  (void)math.MinutesToGeoPos(state.DeviceCenter);
  for (const TMinutes& mark : state.ListBuoysPosition) (void)math.MinutesToGeoPos(mark);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const TFuzzScratch& scratch = FuzzScratch();
  const std::string file = scratch.Write("settings.ini", std::span<const std::uint8_t>(data, size));
  TPackageResourceLoader loader = FuzzLoader(ThreeBuoys());
  TInterfaceApplicationMobile state;
  TSettingsQuarne().Setup(2, 0, state);
  loader.LoadListBuoys(state);
  (void)loader.LoadSettingsDevice(state, file);
  ShowSettings(state);

  // What was read is written back when the program ends, and read at the
  // next start.
  const std::string saved = (scratch.Folder() / "saved.ini").string();
  if (loader.SaveSettingsDevice(state, saved)) {
    (void)loader.LoadSettingsDevice(state, saved);
    ShowSettings(state);
  }
  return 0;
}
