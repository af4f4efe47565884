// corvane-analyzer: the desktop program. The chart window is not built yet;
// until then it prepares the state on the built-in data and says so.

#include <iostream>

#include "datasets/builtin_datasets.h"
#include "state/application_state.h"
#include "state/settings_quarne.h"

int main() {
  corvane::TInterfaceApplicationMobile state;
  corvane::TSettingsQuarne().Setup(2, 0, state);
  const auto names = corvane::BuiltInResourceStore().Names();
  std::cout << state.AppName << "\n"
            << "Built-in data sets: " << names.size() << "\n"
            << "No window yet: the chart window comes in a later version. "
               "Use the command-line program 'corvane' meanwhile.\n";
  return 0;
}
