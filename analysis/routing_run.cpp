#include "analysis/routing_run.h"

#include <atomic>
#include <cmath>
#include <cstdint>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "analysis/run_conditions.h"
#include "core/date_time.h"

namespace corvane {

namespace {

void ShowMessage(TPackageControls& controls, TMessageKind kind, const std::string& text) {
  if (controls.Messages != nullptr) controls.Messages->ShowMessage(kind, text);
}

// The progress of a course whose legs route at the same time: each leg's
// value on the leg scale, and the course's as their mean, handed on with the
// text of the leg that reported last.
class TCourseProgress {
 public:
  TCourseProgress(TRoutingProgress& outer, int legs)
      : outer_(outer), values_(static_cast<std::size_t>(legs)) {
    for (std::atomic<float>& value : values_) value = 0;
  }

  class TLeg : public TRoutingProgress {
   public:
    TLeg(TCourseProgress& course, int leg) : course_(course), leg_(leg) {}
    void Report(const std::string& text, float value) override { course_.Report(leg_, text, value); }
    bool StopRequested() const override { return course_.outer_.StopRequested(); }

   private:
    TCourseProgress& course_;
    int leg_;
  };

 private:
  void Report(int leg, const std::string& text, float value) {
    values_[static_cast<std::size_t>(leg)] = value;
    float sum = 0;
    for (const std::atomic<float>& v : values_) sum += v;
    const std::string label =
        values_.size() > 1 ? "Leg " + std::to_string(leg + 1) + " of " + std::to_string(values_.size()) + ": " + text
                           : text;
    std::lock_guard<std::mutex> lock(mutex_);
    outer_.Report(label, sum / static_cast<float>(values_.size()));
  }

  TRoutingProgress& outer_;
  std::vector<std::atomic<float>> values_;
  std::mutex mutex_;
};

}  // namespace

TRoutingJob PrepareRouting(bool SilentMode, bool SingleTrack, TPackageApps& PackageApps,
                           TPackageControls& PackageControls,
                           TInterfaceApplicationMobile& InterfaceApplicationMobile,
                           TRoutingRunWindow* Window, bool DrawBeforeRun) {
  TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  TPackageApps& apps = PackageApps;
  TRoutingRunWindow none;
  TRoutingRunWindow& window = Window != nullptr ? *Window : none;
  TRoutingJob job;
  job.SilentMode = SilentMode;
  job.SingleTrack = SingleTrack;

  apps.PackageCurrents.GetTidalCurrents(kCurrentsSourceDrawn, state);
  apps.GetGRIBWindField(state);
  apps.GetTrueGRIBWindCourse(state);
  apps.ResetRouting(state);
  apps.SetRoutingLineStroke(state);
  if (DrawBeforeRun) window.DrawOffScreen();

  if (!SilentMode && !(state.Wind.TrueWind.Betrag >= kRoutingMinWindSpeed)) {
    ShowMessage(PackageControls, TMessageKind::Information, kMessageLowWindSpeed);
    return job;
  }
  job.Started = true;
  if (!SilentMode) {
    window.ShowResultsTab();
    window.SetControlsRouting(false);
    window.SetDataResults();
    if (DrawBeforeRun) window.RepaintMap();
  }

  const TListRoutingData& tracks = state.ListRoutingData;
  job.FirstTrack = SingleTrack ? tracks.IndexTrack : 0;
  job.LastTrack = SingleTrack ? tracks.IndexTrack : tracks.Count() - 1;
  for (int i = job.FirstTrack; i <= job.LastTrack; ++i) {
    const TRoutingData* track = tracks.GetItem(i);
    if (track == nullptr) {
      job.LastTrack = i - 1;
      break;
    }
    job.Legs.push_back(*track);
  }
  job.MomentGMT = state.DateTimeGMT;
  job.Conditions = BuildRoutingConditions(state, apps.PackageCurrents);
  job.Polars = state.Polars;
  job.Options.MaxHoursToFinish = state.MaxTimeToFinish;
  job.Options.TraceGrid = apps.DebugGrid;
  return job;
}

TRoutedCourse RouteJob(const TRoutingJob& Job, TRoutingProgress* Progress) {
  TRoutedCourse routed;
  const int legs = static_cast<int>(Job.Legs.size());
  if (!Job.Started || legs == 0) return routed;
  std::unique_ptr<TCourseProgress> course;
  if (Progress != nullptr) course = std::make_unique<TCourseProgress>(*Progress, legs);
  TDateTime start = Job.MomentGMT;
  for (int i = 0; i < legs; ++i) {
    const TRoutingData& leg = Job.Legs[static_cast<std::size_t>(i)];
    std::unique_ptr<TCourseProgress::TLeg> listener;
    if (course) listener = std::make_unique<TCourseProgress::TLeg>(*course, i);
    const double hours = (start - Job.MomentGMT) * 24;
    TLegRouting& result = routed.Legs.emplace_back(
        RouteLeg(leg, hours, Job.Polars, Job.Conditions, Job.Options, listener.get()));
    if (result.Error && result.Error->Kind != TRoutingFailure::PolarsNotValid) break;
    start = result.FinishTimed
                ? IncSecond(start, static_cast<std::int64_t>(std::nearbyint(result.Track.TimeBestCourse * 3600)))
                : leg.DateTimeFinishGMT;
  }
  return routed;
}

TRoutingRunResult ApplyRouting(const TRoutingJob& Job, const TRoutedCourse& Routed,
                               TPackageApps& PackageApps, TPackageControls& PackageControls,
                               TInterfaceApplicationMobile& InterfaceApplicationMobile,
                               TRoutingRunWindow* Window) {
  TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  TPackageApps& apps = PackageApps;
  TRoutingRunWindow none;
  TRoutingRunWindow& window = Window != nullptr ? *Window : none;
  TRoutingRunResult result;
  if (!Job.Started) return result;
  result.Started = true;
  const bool silent = Job.SilentMode;

  TListRoutingData& tracks = state.ListRoutingData;
  state.AppMessage.clear();
  state.RoutingValid = true;
  // Each leg's messages, in order, shown once the chart shows the course.
  std::vector<std::string> messages;
  for (int i = Job.FirstTrack; i <= Job.LastTrack && state.RoutingValid; ++i) {
    TRoutingData* track = tracks.GetItem(i);
    const std::size_t leg = static_cast<std::size_t>(i - Job.FirstTrack);
    if (track == nullptr || leg >= Routed.Legs.size()) break;
    tracks.IndexTrack = i;
    track->RoutingEnabled = true;
    apps.SetTrackStartTime(i, Job.SingleTrack, state);
    apps.SetHoursToRefTideText(*track, state);
    if (!silent && apps.GetCourseAshore(*track, state)) messages.emplace_back(kMessageCourseAshore);

    const TLegRouting& routed = Routed.Legs[leg];
    const bool cancelled = routed.Error && routed.Error->Kind == TRoutingFailure::Cancelled;
    result.Cancelled = result.Cancelled || cancelled;
    ++result.LegsTried;
    if (apps.ApplyLegRouting(silent, routed, *track, state)) ++result.LegsRouted;
    apps.SetRoutingLineStroke(state);
    if (!silent && !cancelled && !state.AppMessage.empty()) messages.push_back(state.AppMessage);
  }

  if (state.TrackType == kTrackTypeWindwardLeeward) tracks.IndexTrack = 0;
  window.DrawOffScreen();
  if (!silent) {
    window.RepaintMap();
    for (const std::string& message : messages) ShowMessage(PackageControls, TMessageKind::Plain, message);
    window.SetDataResults();
    window.SetControlsRouting(true);
    window.SetTimeSteps();
  }
  result.RoutingValid = state.RoutingValid;
  return result;
}

std::string RoutingInputsKey(const TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  const TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  std::ostringstream key;
  key.precision(17);
  key << state.DateTimeGMT << ' ' << state.Wind.TrueWind.Betrag << ' ' << state.Wind.TrueWind.Winkel << ' '
      << state.GRIBWindLoaded << state.GRIBWindValid << state.GRIBCurrentLoaded << ' ' << state.TideTimeShift << ' '
      << state.TideRangeShift << ' ' << state.HideCurrent << ' ' << state.IndexDepthLine << ' ' << state.BoatClass
      << ' ' << state.TrackType << ' ' << state.ListWayPoints << ' ' << state.ListRoutingData.IndexTrack << ' '
      << state.ListRoutingData.IndexTopMark << ' ' << state.MaxTimeToFinish;
  for (const std::vector<double>& column : state.Polars.Velocity) {
    for (const double speed : column) key << ' ' << speed;
  }
  for (const auto& track : state.ListRoutingData.Items) {
    key << " | " << track->TrackStart.Lon << ' ' << track->TrackStart.Lat << ' ' << track->TrackFinish.Lon << ' '
        << track->TrackFinish.Lat;
  }
  return key.str();
}

TRoutingRunResult GetRoutingNew(bool SilentMode, bool SingleTrack, TPackageApps& PackageApps,
                                TPackageControls& PackageControls,
                                TInterfaceApplicationMobile& InterfaceApplicationMobile,
                                TRoutingRunWindow* Window) {
  const TRoutingJob job =
      PrepareRouting(SilentMode, SingleTrack, PackageApps, PackageControls, InterfaceApplicationMobile, Window);
  const TRoutedCourse routed = RouteJob(job);
  return ApplyRouting(job, routed, PackageApps, PackageControls, InterfaceApplicationMobile, Window);
}

}  // namespace corvane
