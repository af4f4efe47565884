#pragma once
// Region defaults of The Quarne, written over the construction defaults of
// the application state at the first activation of the window.

#include "state/application_state.h"

namespace corvane {

class TSettingsQuarne {
 public:
  // Device 2 is the desktop (it turns the latitude/longitude grid on);
  // AppType 0 is the analyzer.
  void Setup(int device, int appType, TInterfaceApplicationMobile& state) const;
};

}  // namespace corvane
