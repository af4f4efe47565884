#pragma once
// How long routing work shows its progress without knowing any window: the
// routing updates the progress fields of the application state
// (ProgressValue, ProgressMaxValue, ProgressText) and then hands the state
// to a sink, which a window implements by repainting its bar and letting
// pending events run. A command-line front end may pass none.

#include "state/application_state.h"

namespace corvane {

class TProgressSink {
 public:
  virtual ~TProgressSink() = default;
  // Called after every change of the progress fields; reads them only.
  virtual void ShowProgress(const TInterfaceApplicationMobile& state) = 0;
};

}  // namespace corvane
