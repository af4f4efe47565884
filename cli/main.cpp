// corvane: the headless command-line program over the same state and
// services as the window.

#include <CLI/CLI.hpp>

#include <cstdio>
#include <iostream>

#include "datasets/builtin_datasets.h"
#include "state/application_state.h"
#include "state/settings_quarne.h"

namespace {

int ListDataSets() {
  const corvane::TResourceStore store = corvane::BuiltInResourceStore();
  const auto names = store.Names();
  if (names.empty()) {
    std::cout << "No built-in data sets.\n";
    return 0;
  }
  for (const std::string& name : names) {
    std::printf("%-10s %10lld bytes\n", name.c_str(),
                static_cast<long long>(store.Open(name)->Size()));
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  corvane::TInterfaceApplicationMobile state;
  corvane::TSettingsQuarne().Setup(2, 0, state);

  CLI::App app{state.AppName + ": sailing race analysis in tidal streams"};
  app.set_version_flag("--version", state.AppName);
  app.require_subcommand(1);
  auto* datasets = app.add_subcommand("datasets", "List the built-in data sets and their sizes");
  int result = 0;
  datasets->callback([&result] { result = ListDataSets(); });

  CLI11_PARSE(app, argc, argv);
  return result;
}
