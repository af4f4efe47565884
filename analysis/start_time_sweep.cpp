#include "analysis/start_time_sweep.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include <tbb/parallel_for.h>

#include "core/date_time.h"
#include "core/date_tools.h"

namespace corvane {

namespace {

constexpr const char* kNoStart = "no start: the leg before was not routed";

int CountStarts(const TSweepRequest& request) {
  const double minutes = (request.ToGMT - request.FromGMT) * 1440;
  // A start a hair past a whole step still counts (date-times are days).
  return static_cast<int>(std::floor(minutes / request.StepMinutes + 1e-6)) + 1;
}

// Asks the legs of one start to stop when the sweep is asked to.
class TStopListener : public TRoutingProgress {
 public:
  explicit TStopListener(const std::atomic<bool>* stop) : stop_(stop) {}
  void Report(const std::string&, float) override {}
  bool StopRequested() const override { return stop_ != nullptr && *stop_; }

 private:
  const std::atomic<bool>* stop_;
};

// What a routed course came to, leg by leg: a leg after one that was not
// routed has no start, whatever the run made of it.
void Summarize(const TRoutingJob& job, const TRoutedCourse& routed, TSweptStart& start) {
  start.Legs.assign(job.Legs.size(), TSweptLeg{});
  bool timed = true;
  TDateTime finish = start.StartGMT;
  double weightedX = 0;
  double weightedY = 0;
  for (std::size_t i = 0; i < job.Legs.size(); ++i) {
    TSweptLeg& leg = start.Legs[i];
    if (!timed || i >= routed.Legs.size()) {
      leg.Failure = kNoStart;
      timed = false;
      continue;
    }
    const TLegRouting& r = routed.Legs[i];
    leg.TypeOfCourse = r.Track.TypeOfCourse;
    if (!r.Routed()) {
      leg.Failure = r.Error->Message;
      timed = false;
      continue;
    }
    leg.Routed = true;
    leg.Hours = r.Track.TimeBestCourse;
    leg.StreamOnTrack = r.Track.StreamOnTrack;
    finish = IncSecond(finish, static_cast<std::int64_t>(std::nearbyint(leg.Hours * 3600)));
    weightedX += leg.StreamOnTrack.x * leg.Hours;
    weightedY += leg.StreamOnTrack.y * leg.Hours;
  }
  start.Complete = timed && !job.Legs.empty();
  if (!start.Complete) return;
  start.TotalHours = (finish - start.StartGMT) * 24;
  start.FinishLOC = start.StartLOC + (finish - start.StartGMT);
  const double hours = std::max(start.TotalHours, 1e-9);
  start.MeanStream = TCartesian{weightedX / hours, weightedY / hours};
}

// The reference port's high and low waters from a little before the first
// start to a little after the last, local times.
void CollectTides(const TSweepRequest& request, TPackageTides& tides, const TInterfaceApplicationMobile& state,
                  TSweep& sweep) {
  const TDateTools dates;
  const double margin = request.StepMinutes / 1440.0;
  std::vector<TDateTime> high;
  std::vector<TDateTime> low;
  for (TDateTime day = request.FromGMT; day <= request.ToGMT + 1; day += 1) {
    if (!tides.GetTides(std::min(day, request.ToGMT))) continue;
    high.insert(high.end(), tides.ListTideTimesHW.Items().begin(), tides.ListTideTimesHW.Items().end());
    low.insert(low.end(), tides.ListTideTimesLW.Items().begin(), tides.ListTideTimesLW.Items().end());
    if (day >= request.ToGMT) break;
  }
  const auto keep = [&](std::vector<TDateTime>& times, std::vector<TDateTime>& into) {
    std::sort(times.begin(), times.end());
    times.erase(std::unique(times.begin(), times.end()), times.end());
    for (const TDateTime t : times) {
      if (t >= request.FromGMT - margin && t <= request.ToGMT + margin) {
        into.push_back(dates.GMTToLocal(state.TimeZoneOffset, state.TimeZone, t));
      }
    }
  };
  keep(high, sweep.HighWatersLOC);
  keep(low, sweep.LowWatersLOC);
}

}  // namespace

std::optional<std::string> CheckSweepRequest(const TSweepRequest& request) {
  if (!(request.StepMinutes > 0)) return std::string("the step must be a whole number of minutes, at least 1");
  if (!(request.ToGMT >= request.FromGMT)) return std::string("the last start comes before the first");
  const int starts = CountStarts(request);
  if (starts > kSweepMaxStarts) {
    return std::to_string(starts) + " starts; at most " + std::to_string(kSweepMaxStarts) +
           " (a longer step or a shorter window)";
  }
  return std::nullopt;
}

TPreparedSweep PrepareSweep(const TSweepRequest& request, TPackageApps& PackageApps,
                            TPackageControls& PackageControls, TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  TPackageTides& tides = PackageApps.PackageCurrents.PackageTides;
  TPreparedSweep prepared;
  TSweep& sweep = prepared.Sweep;
  const TDateTime chosen = state.DateTimeGMT;
  const int count = CountStarts(request);
  prepared.Jobs.reserve(static_cast<std::size_t>(count));
  sweep.Starts.reserve(static_cast<std::size_t>(count));
  for (int k = 0; k < count; ++k) {
    state.DateTimeGMT = IncMinute(request.FromGMT, static_cast<std::int64_t>(k) * request.StepMinutes);
    SetDateTimeLOC(state);
    prepared.Jobs.push_back(PrepareRouting(true, false, PackageApps, PackageControls, state));
    TSweptStart& start = sweep.Starts.emplace_back();
    start.StartGMT = state.DateTimeGMT;
    start.StartLOC = state.DateTimeLOC;
    start.HighWaterText = tides.GetTimeToRefTideText(state.TimeZoneOffset, state.TimeZone, state.DateTimeGMT);
    start.HoursToHighWater = tides.HoursToRefTide;
  }
  prepared.Routed.assign(prepared.Jobs.size(), 0);
  if (!prepared.Jobs.empty()) {
    for (const TRoutingData& leg : prepared.Jobs.front().Legs) {
      sweep.LegNames.push_back(leg.BuoyStart + " to " + leg.BuoyFinish);
    }
  }
  CollectTides(request, tides, state, sweep);

  // The chosen moment again, with its field; the sweep's runs leave no
  // routing results behind.
  state.DateTimeGMT = chosen;
  SetDateTimeLOC(state);
  PackageApps.PackageCurrents.GetTidalCurrents(kCurrentsSourceDrawn, state);
  PackageApps.ResetRouting(state);
  return prepared;
}

void RouteSweep(TPreparedSweep& prepared, const TSweepListener& listener) {
  const auto stopped = [&] { return listener.Stop != nullptr && *listener.Stop; };
  const int count = static_cast<int>(prepared.Jobs.size());
  std::atomic<int> done = 0;
  tbb::parallel_for(std::size_t{0}, prepared.Jobs.size(), [&](std::size_t k) {
    if (stopped()) return;
    TStopListener stop(listener.Stop);
    const TRoutedCourse course = RouteJob(prepared.Jobs[k], &stop);
    if (stopped()) return;  // a start cut short is no result
    Summarize(prepared.Jobs[k], course, prepared.Sweep.Starts[k]);
    prepared.Routed[k] = 1;
    const int finished = ++done;
    if (listener.Progress) listener.Progress(finished, count);
  });
}

TSweep FinishSweep(TPreparedSweep&& prepared, const TSweepListener& listener) {
  TSweep sweep = std::move(prepared.Sweep);
  const bool all = std::all_of(prepared.Routed.begin(), prepared.Routed.end(), [](char r) { return r != 0; });
  sweep.Stopped = !all || (listener.Stop != nullptr && *listener.Stop);
  if (!all) {
    std::vector<TSweptStart> kept;
    for (std::size_t k = 0; k < sweep.Starts.size(); ++k) {
      if (prepared.Routed[k] != 0) kept.push_back(std::move(sweep.Starts[k]));
    }
    sweep.Starts = std::move(kept);
  }
  for (int k = 0; k < static_cast<int>(sweep.Starts.size()); ++k) {
    const TSweptStart& start = sweep.Starts[static_cast<std::size_t>(k)];
    if (!start.Complete) continue;
    if (sweep.Best < 0 || start.TotalHours < sweep.Starts[static_cast<std::size_t>(sweep.Best)].TotalHours) {
      sweep.Best = k;
    }
  }
  if (sweep.Best >= 0) {
    const double best = sweep.Starts[static_cast<std::size_t>(sweep.Best)].TotalHours;
    for (TSweptStart& start : sweep.Starts) {
      if (start.Complete) start.LossHours = start.TotalHours - best;
    }
  }
  return sweep;
}

TSweep SweepStartTimes(const TSweepRequest& request, TPackageApps& PackageApps, TPackageControls& PackageControls,
                       TInterfaceApplicationMobile& InterfaceApplicationMobile, const TSweepListener& listener) {
  TPreparedSweep prepared = PrepareSweep(request, PackageApps, PackageControls, InterfaceApplicationMobile);
  RouteSweep(prepared, listener);
  return FinishSweep(std::move(prepared), listener);
}

}  // namespace corvane
