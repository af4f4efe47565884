#pragma once
// How a routing run shows its progress without knowing any window: the
// services update the progress fields of the application state
// (ProgressValue, ProgressMaxValue, ProgressText) on the thread that owns the
// state and then hand the state to a sink, which a window implements by
// repainting its bar. A command-line front end may pass none.

#include <string>

#include "state/application_state.h"

namespace corvane {

class TProgressSink {
 public:
  virtual ~TProgressSink() = default;
  // Called after every change of the progress fields; reads them only.
  virtual void ShowProgress(const TInterfaceApplicationMobile& state) = 0;
  // Shows the bar when a routing run starts and hides it when the run ends.
  // A sink that is always visible (or has nothing to show) keeps the
  // default.
  virtual void SetProgressVisible(bool /*visible*/) {}
};

// ProgressText := text; ProgressValue grows by step unless that would pass
// ProgressMaxValue (so the bar never runs past its end and a step at the end
// only changes the text); then the sink, when there is one, shows the fields.
inline void StepProgress(TInterfaceApplicationMobile& state, const std::string& text, float step,
                         TProgressSink* sink) {
  state.ProgressText = text;
  if (state.ProgressMaxValue - step >= state.ProgressValue) state.ProgressValue += step;
  if (sink != nullptr) sink->ShowProgress(state);
}

// ProgressText := text; ProgressValue := value, unchecked (the callers fill
// the bar to a known stage or to its end); then the sink shows the fields.
inline void FillProgress(TInterfaceApplicationMobile& state, const std::string& text, float value,
                         TProgressSink* sink) {
  state.ProgressText = text;
  state.ProgressValue = value;
  if (sink != nullptr) sink->ShowProgress(state);
}

}  // namespace corvane
