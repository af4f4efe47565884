#include "analysis/leg_services.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

#include "core/date_time.h"

namespace corvane {

namespace {

// Whole seconds, halves to even (the default rounding mode), as the grids
// time a leg's finish.
std::int64_t WholeSeconds(double hours) {
  return static_cast<std::int64_t>(std::nearbyint(hours * 3600));
}

// The fields a leg's routing writes.
void CopyResults(const TRoutingData& from, TRoutingData& to) {
  to.TypeOfCourse = from.TypeOfCourse;
  to.TimeBestCourse = from.TimeBestCourse;
  to.TimeLaylineLeft = from.TimeLaylineLeft;
  to.TimeLaylineRight = from.TimeLaylineRight;
  to.ListBestCourse.Clone(from.ListBestCourse);
  to.ListLaylineLeft.Clone(from.ListLaylineLeft);
  to.ListLaylineRight.Clone(from.ListLaylineRight);
  to.LayLinesValid = from.LayLinesValid;
  to.LayLineCrossRight = from.LayLineCrossRight;
  to.LayLineCrossLeft = from.LayLineCrossLeft;
  to.ListBoat = from.ListBoat;
  to.TrackVMG = from.TrackVMG;
  to.TrackMinVMG = from.TrackMinVMG;
  to.StreamOnTrack = from.StreamOnTrack;
  to.FinalTack = from.FinalTack;
  to.FinalCourse = from.FinalCourse;
  to.CurrentsWind = from.CurrentsWind;
  to.CurrentsWindShift = from.CurrentsWindShift;
}

}  // namespace

bool TLegServices::ApplyLegRouting(bool SilentMode, const TLegRouting& Routed, TRoutingData& RoutingData,
                                   TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  const std::optional<TRoutingError>& error = Routed.Error;
  if (error && error->Kind == TRoutingFailure::MarksAshore) {
    state.RoutingValid = false;
    state.AppMessage = error->Message;
    // Like every invalid leg, it leaves nothing of the run to draw.
    ResetRouting(state);
    return false;
  }
  state.ListDetection.Clone(Routed.Detection);
  if (error && error->Kind == TRoutingFailure::PolarsNotValid) {
    RoutingData.TypeOfCourse = Routed.Track.TypeOfCourse;
    state.AppMessage = error->Message;
  } else {
    CopyResults(Routed.Track, RoutingData);
    if (Routed.FinishTimed) {
      const std::int64_t seconds = WholeSeconds(RoutingData.TimeBestCourse);
      RoutingData.DateTimeFinishGMT = IncSecond(RoutingData.DateTimeStartGMT, seconds);
      RoutingData.DateTimeFinishLOC = IncSecond(RoutingData.DateTimeStartLOC, seconds);
    }
    if (Routed.PolarsForWind) {
      const TPolars& lookups = *Routed.PolarsForWind;
      state.Polars.BeatSpeed = lookups.BeatSpeed;
      state.Polars.BeatAngle = lookups.BeatAngle;
      state.Polars.RunSpeed = lookups.RunSpeed;
      state.Polars.GybeAngle = lookups.GybeAngle;
      state.Polars.BeatTackTime = lookups.BeatTackTime;
    }
    if (error) {
      state.RoutingValid = false;
      state.AppMessage = error->Message;
    } else if (!Routed.Warning.empty()) {
      state.AppMessage = Routed.Warning;
    }
    if (DebugGrid && !Routed.GridTrace.empty()) LogGrid(Routed, RoutingData, state);
  }

  if (SilentMode) {
    state.DrawRouting = true;
  } else {
    GetDrawRouting(state);
  }
  if (!state.RoutingValid) ResetRouting(state);
  return Routed.Routed();
}

void TLegServices::SetTrackStartTime(int IndexTrack, bool SingleTrack,
                                     TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  TListRoutingData& tracks = InterfaceApplicationMobile.ListRoutingData;
  TRoutingData* track = tracks.GetItem(IndexTrack);
  if (track == nullptr) return;
  const TRoutingData* previous = tracks.GetItem(IndexTrack - 1);
  if (previous == nullptr || SingleTrack) {
    track->DateTimeStartGMT = InterfaceApplicationMobile.DateTimeGMT;
    track->DateTimeStartLOC = InterfaceApplicationMobile.DateTimeLOC;
  } else {
    track->DateTimeStartGMT = previous->DateTimeFinishGMT;
    track->DateTimeStartLOC = previous->DateTimeFinishLOC;
  }
}

void TLegServices::SetHoursToRefTideText(TRoutingData& RoutingData,
                                         TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  RoutingData.HoursToRefTideText = PackageCurrents.PackageTides.GetTimeToRefTideText(
      InterfaceApplicationMobile.TimeZoneOffset, InterfaceApplicationMobile.TimeZone, RoutingData.DateTimeStartGMT);
}

void TLegServices::GetDrawRouting(TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  const auto& tracks = state.ListRoutingData.Items;
  if (state.DrawBoatsOnTrack) {
    state.DrawRouting = false;
    if (state.RoutingValid) {
      const auto routed = [](const std::unique_ptr<TRoutingData>& track) { return track->RoutingEnabled; };
      const auto first = std::find_if(tracks.begin(), tracks.end(), routed);
      const auto last = std::find_if(tracks.rbegin(), tracks.rend(), routed);
      if (first != tracks.end() && last != tracks.rend()) {
        state.DrawRouting = (*first)->DateTimeStartGMT <= state.DateTimeGMT &&
                            state.DateTimeGMT <= (*last)->DateTimeFinishGMT;
      }
    }
  } else {
    const TRoutingData* first = state.ListRoutingData.GetItem(0);
    state.DrawRouting = first != nullptr && state.DateTimeGMT == first->DateTimeStartGMT &&
                        first->RoutingEnabled && state.RoutingValid;
  }
  if (!state.DrawRouting) ResetRouting(state);
}

void TLegServices::ResetRouting(TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  for (const std::unique_ptr<TRoutingData>& track : InterfaceApplicationMobile.ListRoutingData.Items) {
    track->RoutingEnabled = false;
  }
  InterfaceApplicationMobile.RoutingValid = false;
  InterfaceApplicationMobile.DrawRouting = false;
}

void TLegServices::SetRoutingLineStroke(TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  TListRoutingData& tracks = InterfaceApplicationMobile.ListRoutingData;
  switch (InterfaceApplicationMobile.TrackType) {
    case 0:
    case 2:
      if (TRoutingData* track = tracks.GetItem(0)) track->StrokeDash = TStrokeDash::Solid;
      break;
    case 3:
      tracks.SetRoutingLineStroke();
      break;
    case 1:
      if (TRoutingData* beat = tracks.GetItem(0)) beat->StrokeDash = TStrokeDash::Solid;
      if (TRoutingData* run = tracks.GetItem(1)) run->StrokeDash = TStrokeDash::Dash;
      break;
    default:
      break;
  }
}

void TLegServices::LogGrid(const TLegRouting& Routed, const TRoutingData& RoutingData,
                           const TInterfaceApplicationMobile& state) {
  GridLog.AddItem();
  GridLog.AddItem("Track", RoutingData.BuoyStart + " -> " + RoutingData.BuoyFinish);
  GridLog.AddItem("TypeOfCourse", RoutingData.TypeOfCourse);
  GridLog.AddItem("RoutingValid", state.RoutingValid);
  GridLog.AddItem("AppMessage", state.AppMessage);
  GridLog.AddItem("TimeDefault", Routed.GridHoursPerLine);
  GridLog.AddItem("TimeBestCourse", RoutingData.TimeBestCourse);
  GridLog.AddItem("BestLine", Routed.GridBestLine);
  GridLog.AddItem("BestIndex", Routed.GridBestIndex);
  int line = 0;
  for (const TGridLineTrace& trace : Routed.GridTrace) {
    GridLog.AddItem("Line", std::to_string(++line) + "   points " + std::to_string(trace.Points) + "   afloat " +
                                std::to_string(trace.Afloat) + "   best " + std::to_string(trace.BestIndex) +
                                "   " + TLogging::FormatFixed(trace.BestDistance, 8, 4) + " nm");
  }
}

}  // namespace corvane
