// corvane sweep: the best start time over a tide. Routes the whole course
// for every start time from --from to --to every --step minutes, each leg
// starting when the one before finishes, and prints one row per start: the
// start (local) and its time to high water at the reference port, each
// leg's type and time, the course's time, the finish, the mean stream on
// the course and what the start loses against the best one (marked "*").
// A leg that cannot be routed at a start is shown as such in its row and
// the sweep goes on. --json prints every figure as JSON, --csv and --plot
// write a table and a picture as well.
//
// The situation options are those of corvane route (the moment is the
// sweep's). On an interactive terminal a sweep that takes longer than a
// second shows its progress on standard error; Ctrl+C stops it and what is
// done is printed (exit code 130). Exit code 0 when some start routed the
// whole course, 1 when none did, 2 for bad arguments.

#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <csignal>
#include <fstream>
#include <iostream>
#include <memory>
#include <mutex>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "analysis/start_time_sweep.h"
#include "cli/commands.h"
#include "cli/offscreen_application.h"
#include "cli/scenario_options.h"
#include "cli/scenario_routing.h"
#include "core/constants.h"
#include "core/date_time.h"
#include "core/math_tools.h"
#include "core/string_tools.h"
#include "plots/sweep_plot.h"

namespace corvane::cli {

namespace {

constexpr int kExitInterrupted = 130;
constexpr int kDefaultPlotWidth = 1200;
constexpr int kDefaultPlotHeight = 700;
constexpr int kMaxPlotSide = 4000;

struct TSweepOptions {
  TScenarioOptions Scenario;
  std::string From;
  std::string To;
  int Step = 10;
  bool Json = false;
  std::string Csv;
  std::string Plot;
  int Width = kDefaultPlotWidth;
  int Height = kDefaultPlotHeight;
};

// Ctrl+C sets it; the sweep's threads read it. A signal handler can reach
// nothing but an object of static storage.
std::atomic<bool> interrupted = false;

extern "C" void OnInterrupt(int) { interrupted = true; }

// Ctrl+C stops the sweep instead of the program while it lives.
class TInterruptGuard {
 public:
  TInterruptGuard() {
    interrupted = false;
    previous_ = std::signal(SIGINT, OnInterrupt);
  }
  ~TInterruptGuard() { std::signal(SIGINT, previous_); }
  TInterruptGuard(const TInterruptGuard&) = delete;
  TInterruptGuard& operator=(const TInterruptGuard&) = delete;

 private:
  void (*previous_)(int) = SIG_DFL;
};

// A bar on an interactive standard error once the sweep has run a second.
class TProgressBar {
 public:
  explicit TProgressBar(std::ostream& err) : shown_(&err == &std::cerr && isatty(STDERR_FILENO) == 1) {}
  ~TProgressBar() {
    if (drawn_) err() << "\r" << std::string(60, ' ') << "\r" << std::flush;
  }
  void Show(int done, int total) {
    if (!shown_) return;
    std::lock_guard<std::mutex> lock(mutex_);
    if (std::chrono::steady_clock::now() - begun_ < std::chrono::seconds(1)) return;
    constexpr int kWidth = 30;
    const int filled = total > 0 ? done * kWidth / total : 0;
    err() << "\rSweeping " << std::string(static_cast<std::size_t>(filled), '#')
          << std::string(static_cast<std::size_t>(kWidth - filled), '.') << " " << done << "/" << total
          << " starts" << std::flush;
    drawn_ = true;
  }

 private:
  static std::ostream& err() { return std::cerr; }
  bool shown_;
  bool drawn_ = false;
  std::mutex mutex_;
  std::chrono::steady_clock::time_point begun_ = std::chrono::steady_clock::now();
};

std::string Clock(TDateTime t) { return FormatDateTime("hh:nn", t); }

// "h:mm:ss", hours not limited to two digits.
std::string Duration(double hours) {
  const long seconds = std::lround(hours * 3600);
  char text[32];
  std::snprintf(text, sizeof(text), "%ld:%02ld:%02ld", seconds / 3600, seconds / 60 % 60, seconds % 60);
  return text;
}

// "HW-4:16", "HW+0:05", "HW" from signed hours (whole minutes).
std::string ToHighWater(double hours) {
  const long minutes = std::lround(hours * 60);
  if (minutes == 0) return "HW";
  char text[32];
  std::snprintf(text, sizeof(text), "HW%c%ld:%02ld", minutes < 0 ? '-' : '+', std::labs(minutes) / 60,
                std::labs(minutes) % 60);
  return text;
}

// Speed in knots and the direction it flows toward in whole degrees.
std::pair<double, int> SpeedAndToward(const TCartesian& stream) {
  const TMathTools math;
  const TPolar polar = math.CartesianToPolar(stream);
  int degrees = static_cast<int>(std::lround(polar.Winkel * kRadiansToDegrees)) % 360;
  if (degrees < 0) degrees += 360;
  return {polar.Betrag, degrees};
}

std::string LegCell(const TSweptLeg& leg) {
  const std::string type = leg.TypeOfCourse > 0 ? TStringTools().ToCourseType(leg.TypeOfCourse, true) : "";
  if (leg.Routed) return type + " " + Duration(leg.Hours);
  return (type.empty() ? "" : type + " ") + "not routed";
}

std::string Note(const TSweptStart& start) {
  for (const TSweptLeg& leg : start.Legs) {
    if (!leg.Routed) return leg.Failure;
  }
  return "";
}

std::string Padded(std::string text, std::size_t width) {
  if (text.size() < width) text.resize(width, ' ');
  return text + "  ";
}

void PrintTable(const TSweep& sweep, const TCliContext& context, std::ostream& out) {
  const TInterfaceApplicationMobile& state = context.State;
  const TStringTools tools;
  out << Row("Course", state.ListWayPoints);
  for (std::size_t leg = 0; leg < sweep.LegNames.size(); ++leg) {
    out << Row("Leg " + std::to_string(leg + 1), sweep.LegNames[leg]);
  }
  out << Row("Boat", state.BoatClass);
  out << Row("Wind", tools.ToSpeed(state.Wind.TrueWind.Betrag, 1) + " from " +
                         tools.ToWindDirection(state.Wind.TrueWind.Winkel));
  out << Row("Calibration", tools.ToCalibrationText(state.IndexTideShift, state.IndexRangeShift));
  out << Row("Starts", std::to_string(sweep.Starts.size()) + (sweep.Stopped ? " (stopped)" : ""));
  if (sweep.Best >= 0) {
    const TSweptStart& best = sweep.Starts[static_cast<std::size_t>(sweep.Best)];
    out << Row("Best start", FormatDateTime(kMomentFormat, best.StartLOC) + " local, " + ToHighWater(best.HoursToHighWater) +
                                 ", course " + Duration(best.TotalHours) + ", finish " + Clock(best.FinishLOC));
  } else {
    out << Row("Best start", "none: no start routed the whole course");
  }
  out << "\n";

  std::size_t legWidth = 5;
  for (const TSweptStart& start : sweep.Starts) {
    for (const TSweptLeg& leg : start.Legs) legWidth = std::max(legWidth, LegCell(leg).size());
  }
  std::ostringstream header;
  header << "  " << Padded("Start", 5) << Padded("To HW", 7);
  for (std::size_t leg = 0; leg < sweep.LegNames.size(); ++leg) header << Padded("Leg " + std::to_string(leg + 1), legWidth);
  header << Padded("Course", 8) << Padded("Finish", 6) << Padded("Stream", 16) << "Loss";
  out << header.str() << "\n";
  for (std::size_t k = 0; k < sweep.Starts.size(); ++k) {
    const TSweptStart& start = sweep.Starts[k];
    const bool best = static_cast<int>(k) == sweep.Best;
    std::ostringstream row;
    row << (best ? "* " : "  ") << Padded(Clock(start.StartLOC), 5) << Padded(ToHighWater(start.HoursToHighWater), 7);
    for (const TSweptLeg& leg : start.Legs) row << Padded(LegCell(leg), legWidth);
    if (start.Complete) {
      const auto [speed, toward] = SpeedAndToward(start.MeanStream);
      std::ostringstream stream;
      stream << std::fixed;
      stream.precision(1);
      stream << speed << " kts " << toward << " deg";
      row << Padded(Duration(start.TotalHours), 8) << Padded(Clock(start.FinishLOC), 6) << Padded(stream.str(), 16)
          << (best ? "best" : "+" + Duration(start.LossHours));
    } else {
      row << Padded("-", 8) << Padded("-", 6) << Padded("-", 16) << "- " << Note(start);
    }
    std::string line = row.str();
    while (!line.empty() && line.back() == ' ') line.pop_back();
    out << line << "\n";
  }
}

nlohmann::json SweepJson(const TSweep& sweep) {
  nlohmann::json starts = nlohmann::json::array();
  for (const TSweptStart& start : sweep.Starts) {
    nlohmann::json legs = nlohmann::json::array();
    for (const TSweptLeg& leg : start.Legs) {
      legs.push_back({{"TypeOfCourse", leg.TypeOfCourse},
                      {"Routed", leg.Routed},
                      {"Hours", leg.Hours},
                      {"Failure", leg.Failure}});
    }
    const auto [speed, toward] = SpeedAndToward(start.MeanStream);
    starts.push_back({{"StartLOC", FormatDateTime(kMomentFormat, start.StartLOC)},
                      {"StartGMT", FormatDateTime(kMomentFormat, start.StartGMT)},
                      {"HoursToHighWater", start.HoursToHighWater},
                      {"HighWater", start.HighWaterText},
                      {"Legs", legs},
                      {"Complete", start.Complete},
                      {"TotalHours", start.TotalHours},
                      {"FinishLOC", start.Complete ? FormatDateTime("yyyy-mm-dd hh:nn:ss", start.FinishLOC) : ""},
                      {"MeanStreamKnots", speed},
                      {"MeanStreamToward", toward},
                      {"LossHours", start.LossHours}});
  }
  nlohmann::json highs = nlohmann::json::array();
  for (const TDateTime t : sweep.HighWatersLOC) highs.push_back(FormatDateTime(kMomentFormat, t));
  nlohmann::json lows = nlohmann::json::array();
  for (const TDateTime t : sweep.LowWatersLOC) lows.push_back(FormatDateTime(kMomentFormat, t));
  return {{"Legs", sweep.LegNames}, {"Starts", starts},     {"Best", sweep.Best},
          {"Stopped", sweep.Stopped}, {"HighWatersLOC", highs}, {"LowWatersLOC", lows}};
}

void WriteCsv(const TSweep& sweep, std::ostream& csv) {
  csv << "start_local,hours_to_high_water";
  for (std::size_t leg = 0; leg < sweep.LegNames.size(); ++leg) {
    csv << ",leg" << leg + 1 << "_type,leg" << leg + 1 << "_seconds";
  }
  csv << ",course_seconds,finish_local,stream_knots,stream_toward_deg,loss_seconds,best,note\n";
  for (std::size_t k = 0; k < sweep.Starts.size(); ++k) {
    const TSweptStart& start = sweep.Starts[k];
    csv << FormatDateTime(kMomentFormat, start.StartLOC) << "," << start.HoursToHighWater;
    for (const TSweptLeg& leg : start.Legs) {
      csv << "," << (leg.TypeOfCourse > 0 ? TStringTools().ToCourseType(leg.TypeOfCourse, true) : "") << ",";
      if (leg.Routed) csv << std::lround(leg.Hours * 3600);
    }
    if (start.Complete) {
      const auto [speed, toward] = SpeedAndToward(start.MeanStream);
      csv << "," << std::lround(start.TotalHours * 3600) << "," << FormatDateTime("yyyy-mm-dd hh:nn:ss", start.FinishLOC)
          << "," << speed << "," << toward << "," << std::lround(start.LossHours * 3600);
    } else {
      csv << ",,,,,";
    }
    std::string note = Note(start);
    for (char& c : note) {
      if (c == ',' || c == '"') c = ' ';
    }
    csv << "," << (static_cast<int>(k) == sweep.Best ? "1" : "0") << "," << note << "\n";
  }
}

TDateTime Typed(const std::string& option, const std::string& text) {
  const std::optional<TDateTime> typed = ParseDateAndTime(text);
  if (!typed) throw TUsageError(option + " " + text + ": expected a date and time \"YYYY-MM-DD HH:MM\"");
  return *typed;
}

int RunSweep(TCliContext& context, const TSweepOptions& options, std::ostream& out, std::ostream& err) {
  if (!options.Scenario.Time.empty()) {
    throw TUsageError("--time " + options.Scenario.Time + ": a sweep's starts are set by --from and --to");
  }
  Typed("--from", options.From);
  const TDateTime to = Typed("--to", options.To);
  if (!options.Plot.empty() && (options.Width < 200 || options.Height < 150 || options.Width > kMaxPlotSide ||
                                options.Height > kMaxPlotSide)) {
    throw TUsageError("--width " + std::to_string(options.Width) + " --height " + std::to_string(options.Height) +
                      ": the plot is 200 x 150 to " + std::to_string(kMaxPlotSide) + " x " +
                      std::to_string(kMaxPlotSide) + " pixels");
  }
  std::ofstream csv;
  if (!options.Csv.empty()) {
    csv.open(options.Csv, std::ios::binary | std::ios::trunc);
    if (!csv) throw TUsageError("--csv " + options.Csv + ": the file cannot be written there");
  }

  // The last start first, so that a moment outside the tide table is named;
  // then the scenario at the first start.
  context.SetMoment(to);
  const TDateTime toGMT = context.State.DateTimeGMT;
  TScenarioOptions scenario = options.Scenario;
  scenario.Time = options.From;
  ApplyScenario(context, scenario, err);
  TSweepRequest request;
  request.FromGMT = context.State.DateTimeGMT;
  request.ToGMT = toGMT;
  request.StepMinutes = options.Step;
  if (const std::optional<std::string> why = CheckSweepRequest(request)) {
    throw TUsageError("--from " + options.From + " --to " + options.To + " --step " + std::to_string(options.Step) +
                      ": " + *why);
  }
  if (context.State.ListRoutingData.Count() == 0) {
    throw TUsageError("the course " + context.State.ListWayPoints + " has no track to route");
  }

  TScenarioRouting routing(context, nullptr);
  TProgressBar bar(err);
  TInterruptGuard guard;
  TSweepListener listener;
  listener.Stop = &interrupted;
  listener.Progress = [&bar](int done, int total) { bar.Show(done, total); };
  const TSweep sweep = SweepStartTimes(request, routing.Apps, routing.Controls, context.State, listener);

  if (options.Json) {
    out << SweepJson(sweep).dump(2) << "\n";
  } else {
    PrintTable(sweep, context, out);
  }
  if (csv.is_open()) WriteCsv(sweep, csv);
  if (!options.Plot.empty()) {
    TOffscreenApplication application;
    std::string why;
    if (!WriteSweepPlotPng(sweep, options.Plot, options.Width, options.Height, why)) {
      throw TUsageError("--plot " + options.Plot + ": " + why);
    }
  }
  if (sweep.Stopped) return kExitInterrupted;
  return sweep.Best >= 0 ? kExitOk : kExitFailure;
}

}  // namespace

TCommand AddSweepCommand(CLI::App& app) {
  auto options = std::make_shared<TSweepOptions>();
  TCommand command;
  command.Sub = app.add_subcommand(
      "sweep", "Routes the course for every start time of a window and finds the best start over the tide");
  AddScenarioOptions(*command.Sub, options->Scenario);
  command.Sub->add_option("--from", options->From, "First start \"YYYY-MM-DD HH:MM\"")->required();
  command.Sub->add_option("--to", options->To, "Last start \"YYYY-MM-DD HH:MM\"")->required();
  command.Sub->add_option("--step", options->Step, "Minutes between starts (default 10)")->type_name("MIN");
  command.Sub->add_flag("--json", options->Json, "Every figure of every start as JSON");
  command.Sub->add_option("--csv", options->Csv, "Write the table as comma-separated values")->type_name("FILE");
  command.Sub->add_option("--plot", options->Plot, "Write the plot of course time against start time as PNG")
      ->type_name("FILE.png");
  command.Sub->add_option("--width", options->Width, "Plot width in pixels (default 1200)")->type_name("W");
  command.Sub->add_option("--height", options->Height, "Plot height in pixels (default 700)")->type_name("H");
  command.RunWithMessages = [options](TCliContext& context, std::ostream& out, std::ostream& err) {
    return RunSweep(context, *options, out, err);
  };
  return command;
}

}  // namespace corvane::cli
