#include "analysis/progress_services.h"

namespace corvane {

void TProgressServices::SetupProgressBar(TPackageControls& PackageControls) {
  progressBar_ = PackageControls.ProgressBar;
}

void TProgressServices::StartProgressBar(TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  InterfaceApplicationMobile.ProgressValue = 0;
  InterfaceApplicationMobile.ProgressMaxValue = kProgressBarMax;
  if (progressBar_ != nullptr) progressBar_->SetProgressVisible(true);
  StepProgressBar(kProgressTextStart, 1, InterfaceApplicationMobile);
}

void TProgressServices::StepProgressBar(const std::string& ProgressText, float Step,
                                        TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  StepProgress(InterfaceApplicationMobile, ProgressText, Step, progressBar_);
}

void TProgressServices::FillProgressBar(const std::string& ProgressText, float Step,
                                        TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  FillProgress(InterfaceApplicationMobile, ProgressText, Step, progressBar_);
}

void TProgressServices::StopProgressBar(TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  InterfaceApplicationMobile.ProgressValue = InterfaceApplicationMobile.ProgressMaxValue;
  StepProgressBar(kProgressTextStop, 1, InterfaceApplicationMobile);
  if (progressBar_ != nullptr) progressBar_->SetProgressVisible(false);
}

}  // namespace corvane
