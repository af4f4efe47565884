#pragma once
// The application services of a command that routes the scenario's course
// (corvane route, corvane chart --route, and corvane print, whose sheets
// route silently): one set-up, so that every command routes with the same
// services the window's buttons use.

#include <memory>
#include <ostream>

#include "analysis/package_apps.h"
#include "analysis/package_controls.h"
#include "analysis/routing_run.h"
#include "cli/cli_context.h"

namespace corvane::cli {

// The messages of a routing run as lines on a stream, exactly as the window
// words them in its dialogs.
class TStreamMessages : public TMessageSink {
 public:
  explicit TStreamMessages(std::ostream& err) : err_(err) {}
  void ShowMessage(TMessageKind /*kind*/, const std::string& text) override { err_ << text << "\n"; }

 private:
  std::ostream& err_;
};

class TScenarioRouting {
 public:
  // Services over the context's tide model (the context must outlive this
  // object). messages: where a run that is not silent writes its messages,
  // one line each; nullptr drops them. There is no progress bar.
  TScenarioRouting(TCliContext& context, std::ostream* messages);
  TScenarioRouting(const TScenarioRouting&) = delete;
  TScenarioRouting& operator=(const TScenarioRouting&) = delete;

  // "Routing track" (singleTrack: the state's selected track) or "Routing
  // all", not silent: a true wind below 6 knots is refused with "Low wind
  // speed", and each leg's message is written.
  TRoutingRunResult Run(bool singleTrack);

  TPackageApps Apps;
  TPackageControls Controls;

 private:
  TInterfaceApplicationMobile& state_;
  std::unique_ptr<TStreamMessages> messages_;
};

}  // namespace corvane::cli
