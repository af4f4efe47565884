#pragma once
// The commands of the command-line program. Each command lives in its own
// file and registers itself on the program's argument parser: it adds its
// subcommand with its own options and returns how to run it once the
// arguments have been read. A later command (route, chart, grib, print) adds
// one file and one line in cli_app.cpp.

#include <functional>
#include <ostream>

#include <CLI/CLI.hpp>

#include "cli/cli_context.h"

namespace corvane::cli {

struct TCommand {
  // The subcommand on the parser; the command runs when it was given.
  CLI::App* Sub = nullptr;
  // Writes the command's output and returns the exit code. Throws
  // TUsageError for an argument it cannot use.
  std::function<int(TCliContext& context, std::ostream& out)> Run;
  // Instead of Run, for a command whose messages go to standard error while
  // its answer goes to out (the messages of a routing run).
  std::function<int(TCliContext& context, std::ostream& out, std::ostream& err)> RunWithMessages;
};

TCommand AddDatasetsCommand(CLI::App& app);
TCommand AddInfoCommand(CLI::App& app);
TCommand AddTidesCommand(CLI::App& app);
TCommand AddCurrentsCommand(CLI::App& app);
TCommand AddGribCommand(CLI::App& app);
TCommand AddChartCommand(CLI::App& app);
TCommand AddRouteCommand(CLI::App& app);
TCommand AddPrintCommand(CLI::App& app);
TCommand AddPolarCommand(CLI::App& app);
TCommand AddSweepCommand(CLI::App& app);

}  // namespace corvane::cli
