#include "cli/cli_app.h"

#include <algorithm>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "cli/cli_context.h"
#include "cli/commands.h"
#include "state/application_state.h"
#include "state/settings_quarne.h"

namespace corvane::cli {

namespace {

// The parser's messages may run over several lines; the user gets one.
std::string OneLine(std::string text) {
  std::replace(text.begin(), text.end(), '\n', ' ');
  while (!text.empty() && text.back() == ' ') text.pop_back();
  return text;
}

std::string ProgramName() {
  TInterfaceApplicationMobile state;
  TSettingsQuarne().Setup(2, 0, state);
  return state.AppName;
}

}  // namespace

int RunCorvane(int argc, const char* const argv[], std::ostream& out, std::ostream& err,
               const TResourceStore& store) {
  const std::string name = ProgramName();
  CLI::App app{name + ": sailing race analysis in tidal streams", "corvane"};
  app.set_version_flag("--version", name);
  app.require_subcommand(1);
  // The common options are accepted after the command's name as well.
  app.fallthrough();

  TCommonOptions options;
  app.add_option("--documents", options.Documents,
                 "Program folder to use instead of yours (settings file, own polars, "
                 "GRIB files)")
      ->type_name("DIR");
  app.add_option("--settings", options.Settings, "Settings file to read (it is never written)")
      ->type_name("FILE");
  app.add_flag("--gmt", options.GMT, "Times are GMT instead of local time at the reference port");

  const std::vector<TCommand> commands{AddDatasetsCommand(app), AddInfoCommand(app), AddTidesCommand(app),
                                       AddCurrentsCommand(app), AddGribCommand(app), AddChartCommand(app),
                                       AddRouteCommand(app), AddSweepCommand(app), AddPrintCommand(app),
                                       AddPolarCommand(app)};

  try {
    app.parse(argc, argv);
  } catch (const CLI::Success& success) {
    return app.exit(success, out, err);
  } catch (const CLI::ParseError& error) {
    // A word that names no command is left over; say that rather than
    // that a command is missing.
    const std::vector<std::string> left = app.remaining();
    if (!left.empty() && !left.front().empty() && left.front().front() != '-') {
      std::string names;
      for (const TCommand& command : commands) names += (names.empty() ? "" : ", ") + command.Sub->get_name();
      err << "corvane: unknown command '" << left.front() << "' (the commands are " << names << ")\n";
    } else {
      err << "corvane: " << OneLine(error.what()) << "\n";
    }
    return kExitUsage;
  }

  for (const TCommand& command : commands) {
    if (!command.Sub->parsed()) continue;
    try {
      TCliContext context(options, store);
      return command.RunWithMessages ? command.RunWithMessages(context, out, err) : command.Run(context, out);
    } catch (const TUsageError& error) {
      err << "corvane: " << OneLine(error.what()) << "\n";
      return kExitUsage;
    } catch (const TContentError& error) {
      err << "corvane: " << OneLine(error.what()) << "\n";
      return kExitFailure;
    }
  }
  return kExitUsage;
}

}  // namespace corvane::cli
