// corvane print: the track sheets as the print manager prints them, one A4
// page per track (the first track, track N with --track, or every track
// with --all), written to a PDF file for a moment, a wind, a course and a
// calibration (the options of corvane route that set up the course,
// --windward-leeward, --topmark and --depth included).
//
// Each sheet routes its track afresh with the routing command run silently,
// exactly as printing from the window does; the sheets are painted by the
// same print layout, so the file shows what a printer would get. The
// renderer's fonts need a GUI application object, made here on the
// offscreen platform when the program has none.

#include <QGuiApplication>
#include <QString>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <stdexcept>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "analysis/package_controls.h"
#include "chart/mobile_graphics.h"
#include "cli/commands.h"
#include "cli/offscreen_application.h"
#include "cli/scenario_options.h"
#include "cli/scenario_routing.h"
#include "core/string_tools.h"
#include "print/page_target.h"
#include "print/post_press_tracks.h"
#include "print/print_controller_apps.h"

namespace corvane::cli {

namespace {

// Dots per inch of the PDF pages: the chart bitmap and the text stay sharp
// when printed, and the frame lines come out a few dots wide.
constexpr int kPdfResolution = 600;

struct TPrintOptions {
  std::string Out;
  bool All = false;
  std::optional<int> Track;  // from 1
  TScenarioOptions Scenario;
};

// The progress edit of the print manager as lines of the output.
class TProgressLines : public TEditControl {
 public:
  explicit TProgressLines(std::ostream& out) : out_(out) {}
  std::string Text() const override { return text_; }
  void SetText(const std::string& text) override {
    text_ = text;
    if (!text.empty()) out_ << "  " << text << "\n";
  }

 private:
  std::ostream& out_;
  std::string text_;
};

// One line per printed track: its marks and what its sheet shows of its
// routing.
std::string TrackSummary(const TRoutingData& track, const TInterfaceApplicationMobile& state) {
  TStringTools tools;
  std::string text = tools.ToExtendedNameMovableMark(track.BuoyStart) + " to " +
                     tools.ToExtendedNameMovableMark(track.BuoyFinish) + ", " + tools.ToDistance(track.TrackDistance);
  if (!TPrePressText::Routed(&track, state)) return text + ", not routed" +
                                                    (state.AppMessage.empty() ? "" : " (" + state.AppMessage + ")");
  return text + ", " + tools.ToCourseType(track.TypeOfCourse, true) + " in " + tools.ToTimes(track.TimeBestCourse, true);
}

// The application's controller, noting after each sheet's routing what the
// sheet will show: the job puts the state back afterwards.
class TSummaryController : public TPrintControllerRelay {
 public:
  using TPrintControllerRelay::TPrintControllerRelay;
  void GetRoutingSilent(bool singleTrack) override {
    // The sheet's track is the one selected before the run (a
    // windward-leeward run ends with its beat selected).
    const int n = State().ListRoutingData.IndexTrack;
    TPrintControllerRelay::GetRoutingSilent(singleTrack);
    const TInterfaceApplicationMobile& state = State();
    if (const TRoutingData* track = state.ListRoutingData.GetItem(n)) {
      Summaries.push_back({n, TrackSummary(*track, state)});
    }
  }
  std::vector<std::pair<int, std::string>> Summaries;  // track number from 0, text
};

int RunPrint(TCliContext& context, const TPrintOptions& options, std::ostream& out) {
  ApplyScenario(context, options.Scenario);
  TInterfaceApplicationMobile& state = context.State;
  const int tracks = state.ListRoutingData.Count();
  if (tracks == 0) throw TUsageError("the course " + state.ListWayPoints + " has no track to print");
  if (options.Track && (*options.Track < 1 || *options.Track > tracks)) {
    throw TUsageError("--track " + std::to_string(*options.Track) + ": the course has " + std::to_string(tracks) +
                      " track(s), numbered from 1");
  }
  if (options.Track) state.ListRoutingData.IndexTrack = *options.Track - 1;

  // The PDF writer would only say that its painter did not start.
  const TUsageError cannotWrite("--out " + options.Out + ": the PDF file cannot be written there");
  if (!std::ofstream(options.Out, std::ios::binary | std::ios::trunc)) throw cannotWrite;
  const TOffscreenApplication application;
  TMobileGraphics graphics;
  // The sheets route silently: no messages.
  TScenarioRouting routing(context, nullptr);
  TPrintControllerApps appsController(state, graphics, routing.Apps, routing.Controls, context.Store());
  TSummaryController controller(appsController);
  TProgressLines progress(out);
  TPdfPageTarget target(QString::fromStdString(options.Out), kPdfResolution);
  TPostPressTracks printer;
  const int mode = options.All ? kPrintAllTracks : kPrintCurrentTrack;
  const std::size_t pages = TPostPressTracks::TracksToPrint(mode, state).size();

  out << Row("Moment", context.MomentText());
  bool started = false;
  try {
    started = printer.PrintSheet(&progress, mode, controller, target);
  } catch (const std::runtime_error& error) {
    // The job was abandoned and its file removed.
    throw TContentError("the sheets could not be printed: " + std::string(error.what()));
  }
  if (!started) throw cannotWrite;
  out << Row("Sheets", options.Out + ", " + std::to_string(pages) + " A4 page(s)");
  for (const auto& [n, summary] : controller.Summaries) out << Row("Track " + std::to_string(n + 1), summary);
  return kExitOk;
}

}  // namespace

TCommand AddPrintCommand(CLI::App& app) {
  auto options = std::make_shared<TPrintOptions>();
  TCommand command;
  command.Sub = app.add_subcommand(
      "print", "The track sheets as the print manager prints them, one A4 page per track, written to a PDF file");
  command.Sub->add_option("--out", options->Out, "PDF file to write")->type_name("FILE.pdf")->required();
  CLI::Option* all = command.Sub->add_flag("--all", options->All, "Every track of the course, one page each");
  command.Sub->add_option("--track", options->Track, "Print track N of the course (from 1; default 1)")
      ->type_name("N")
      ->excludes(all);
  AddScenarioOptions(*command.Sub, options->Scenario);
  command.Run = [options](TCliContext& context, std::ostream& out) { return RunPrint(context, *options, out); };
  return command;
}

}  // namespace corvane::cli
