#pragma once
// Region defaults of The Quarne, written over the construction defaults of
// the application state at the first activation of the window.

#include "state/application_state.h"

namespace corvane {

// The largest zoom of the chart of The Quarne (0 shows the whole chart).
inline constexpr double kZoomMaxQuarne = 25;

class TSettingsQuarne {
 public:
  // Device 2 is the desktop (it turns the latitude/longitude grid on);
  // AppType 0 is the analyzer.
  void Setup(int device, int appType, TInterfaceApplicationMobile& state) const;
};

}  // namespace corvane
