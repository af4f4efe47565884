// corvane datasets: the built-in data sets and their sizes.

#include <cstdio>

#include "cli/commands.h"

namespace corvane::cli {

namespace {

int ListDataSets(const TResourceStore& store, std::ostream& out) {
  const auto names = store.Names();
  if (names.empty()) {
    out << "No built-in data sets.\n";
    return kExitOk;
  }
  for (const std::string& name : names) {
    char line[64];
    std::snprintf(line, sizeof line, "%-10s %10lld bytes\n", name.c_str(),
                  static_cast<long long>(store.Open(name)->Size()));
    out << line;
  }
  return kExitOk;
}

}  // namespace

TCommand AddDatasetsCommand(CLI::App& app) {
  TCommand command;
  command.Sub = app.add_subcommand("datasets", "List the built-in data sets and their sizes");
  command.Run = [](TCliContext& context, std::ostream& out) { return ListDataSets(context.Store(), out); };
  return command;
}

}  // namespace corvane::cli
