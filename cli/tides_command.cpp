// corvane tides: the tide list of the day before, the day and the day after
// as the window shows it, the day's range and the time to high water.

#include <cmath>
#include <memory>
#include <string>

#include "cli/commands.h"
#include "core/date_time.h"
#include "core/string_tools.h"

namespace corvane::cli {

namespace {

struct TTidesOptions {
  std::string Date;  // "YYYY-MM-DD"; empty: the date of the chosen moment
  std::string Time;  // "HH:MM"; empty: the time of day of the chosen moment
};

int RunTides(TCliContext& context, const TTidesOptions& options, std::ostream& out) {
  context.Load();
  TInterfaceApplicationMobile& state = context.State;

  // The typed parts replace those of the chosen moment, in the clock the
  // user types in.
  const TDateTime chosen = context.Options().GMT ? state.DateTimeGMT : state.DateTimeLOC;
  TDateTime date = DateOf(chosen);
  TDateTime time = chosen - DateOf(chosen);
  if (!options.Date.empty()) {
    const std::optional<TDateTime> parsed = ParseDate(options.Date);
    if (!parsed) throw TUsageError("--date " + options.Date + ": expected a date YYYY-MM-DD");
    date = *parsed;
  }
  if (!options.Time.empty()) {
    const std::optional<TDateTime> parsed = ParseClockTime(options.Time);
    if (!parsed) throw TUsageError("--time " + options.Time + ": expected a time of day HH:MM");
    time = *parsed;
  }
  context.SetMoment(MillisecondsToDateTime(DateTimeToMilliseconds(date) + DateTimeToMilliseconds(time)));
  if (!state.TidesValid) {
    out << "No tides in the tide table around " << context.MomentText() << ".\n";
    return kExitFailure;
  }

  out << "Tides at " << state.PortName << " (local time)\n";
  for (const TDayTides& day : state.ListDayTides) {
    out << day.Day << "\n";
    for (const std::string& line : day.Tides) out << "  " << line << "\n";
  }
  TStringTools tools;
  const TDateTime moment = state.DateTimeGMT;
  const double range = context.Currents.PackageTides.GetMeanTideRange(state.SecondaryPort, 0, moment);
  out << "\n" << Row("Moment", context.MomentText());
  out << Row("Range of the day", tools.ExtendedToStr(range, 2) + " m (low water " +
                                     tools.ExtendedToStr(state.TideLevelMin, 1) + " m, high water " +
                                     tools.ExtendedToStr(state.TideLevelMax, 1) + " m)");
  if (state.TideLevel != 0) {
    out << Row("Tide level", tools.ExtendedToStr(std::fabs(state.TideLevel), 1) + " m, " +
                                 (state.TideLevel > 0 ? "rising" : "falling"));
  }
  out << Row("High water", state.HoursToRefTideText);
  return kExitOk;
}

}  // namespace

TCommand AddTidesCommand(CLI::App& app) {
  auto options = std::make_shared<TTidesOptions>();
  TCommand command;
  command.Sub = app.add_subcommand("tides", "The tides of the day before, the day and the day after, "
                                            "the day's range and the time to high water");
  command.Sub->add_option("--date", options->Date, "Day to show (default: the chosen moment's)")
      ->type_name("YYYY-MM-DD");
  command.Sub->add_option("--time", options->Time, "Time of day for the time to high water")->type_name("HH:MM");
  command.Run = [options](TCliContext& context, std::ostream& out) { return RunTides(context, *options, out); };
  return command;
}

}  // namespace corvane::cli
