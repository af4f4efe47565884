#pragma once
// The progress bar of a routing run. The state's progress fields
// (ProgressValue, ProgressMaxValue, ProgressText) are what the chart renderer
// draws on the bar; these services change them and hand the state to the
// progress sink of the controls (the window's bar, which repaints and lets
// pending events run so the bar is seen during a long computation). Without
// a sink the fields still change.
//
// The routing package steps the same fields with the same arithmetic
// (StepProgress, FillProgress); the owner hands it the same sink.

#include <string>

#include "analysis/package_controls.h"
#include "routing/routing_progress.h"
#include "analysis/progress_sink.h"
#include "state/application_state.h"

namespace corvane {

// The bar's end, 2 K + 76 with K = kProgressK (the divisor of the dynamic
// grid's lines): the stages of a leg are placed on this scale (the leg type
// decided at 2 K + 5, the dynamic grid built at 2 K + 70).
inline constexpr float kProgressBarMax = 2 * kProgressK + 76;
static_assert(kProgressBarMax == 86);

inline constexpr const char* kProgressTextStart = "Initializing routing";
inline constexpr const char* kProgressTextStop = "Routing finished";

class TProgressServices {
 public:
  // Remembers the controls' progress sink (ProgressBar, may be none); it
  // must outlive these services or be replaced by another setup. The owner
  // hands the same sink to the routing package.
  void SetupProgressBar(TPackageControls& PackageControls);
  // The sink remembered by SetupProgressBar; nullptr for none.
  TProgressSink* ProgressBar() const { return progressBar_; }

  // ProgressValue := 0, ProgressMaxValue := kProgressBarMax, the bar shown,
  // then one step of 1 with "Initializing routing".
  void StartProgressBar(TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // ProgressText := the text; ProgressValue += Step unless that would pass
  // ProgressMaxValue (then the value stays); the bar repainted.
  void StepProgressBar(const std::string& ProgressText, float Step,
                       TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // ProgressText := the text; ProgressValue := Step; the bar repainted.
  void FillProgressBar(const std::string& ProgressText, float Step,
                       TInterfaceApplicationMobile& InterfaceApplicationMobile);
  // ProgressValue := ProgressMaxValue, a last step of 1 with "Routing
  // finished" (which no longer moves the value), the bar hidden.
  void StopProgressBar(TInterfaceApplicationMobile& InterfaceApplicationMobile);

 private:
  TProgressSink* progressBar_ = nullptr;  // not owned
};

}  // namespace corvane
