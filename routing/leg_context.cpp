#include "routing/leg_context.h"

namespace corvane {

TLegContext::TLegContext(const TRoutingData& leg, double startHours, const TPolars& polars,
                         const TRoutingConditions& conditions, const TRoutingOptions& options,
                         TRoutingProgress* progress)
    : Track(leg),
      Polars(polars),
      Conditions(conditions),
      Options(options),
      Stream(conditions.Stream),
      StartHours(startHours),
      TrueWindVector(MathTools.PolarToCartesian(conditions.TrueWind)),
      progress_(progress) {}

TCartesian TLegContext::StreamAt(const TMinutes& position, double elapsed) const {
  return Stream ? Stream(position, StartHours + elapsed) : TCartesian{};
}

TCartesian TLegContext::StreamAt(const TBogen& position, double elapsed) const {
  return StreamAt(MathTools.BogenToMinutes(position), elapsed);
}

TCartesian TLegContext::WindAt(const TBogen& position, double elapsed) const {
  if (!Conditions.Wind) return TrueWindVector;
  return Conditions.Wind(MathTools.BogenToMinutes(position), StartHours + elapsed);
}

bool TLegContext::Navigable(const TMinutes& position) const {
  return !Conditions.Navigable || Conditions.Navigable(position);
}

void TLegContext::Step(const std::string& text, float step) {
  if (kLegProgressEnd - step >= progressValue_) progressValue_ += step;
  if (progress_ != nullptr) progress_->Report(text, progressValue_);
}

void TLegContext::Fill(const std::string& text, float value) {
  progressValue_ = value;
  if (progress_ != nullptr) progress_->Report(text, progressValue_);
}

}  // namespace corvane
