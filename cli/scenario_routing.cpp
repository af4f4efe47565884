#include "cli/scenario_routing.h"

namespace corvane::cli {

TScenarioRouting::TScenarioRouting(TCliContext& context, std::ostream* messages)
    : Apps(context.Currents), state_(context.State),
      messages_(messages != nullptr ? std::make_unique<TStreamMessages>(*messages) : nullptr) {
  Controls.Messages = messages_.get();
  Apps.SetupProgressBar(Controls);
}

TRoutingRunResult TScenarioRouting::Run(bool singleTrack) {
  return GetRoutingNew(false, singleTrack, Apps, Controls, state_);
}

}  // namespace corvane::cli
