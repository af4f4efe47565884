#include "routing/package_routing.h"

namespace corvane {

namespace {

const char* const kMessageLowVMG = "Error: Low VMG!";

}  // namespace

void TPackageRouting::GetCourseInWater(TLegContext& Leg) { DynamicGrid.GetCourseInWater(Leg); }

void TPackageRouting::GetTypeOfCourse(TLegContext& Leg) {
  Leg.Track.TypeOfCourse = kCourseReach;
  if (DynamicGrid.GetFinishInLaylines(kCourseBeat, Leg)) {
    Leg.Track.TypeOfCourse = kCourseBeat;
  } else if (DynamicGrid.GetFinishInLaylines(kCourseRun, Leg)) {
    Leg.Track.TypeOfCourse = kCourseRun;
  }
}

void TPackageRouting::GetDynamicGridRouting(int TypeOfCourse, TLegContext& Leg) {
  if (Leg.LowVMG) {
    Leg.Fail(TRoutingFailure::LowVMGEstimate, kMessageLowVMG);
    return;
  }
  DynamicGrid.GetDynamicGrid(TypeOfCourse, Leg);
  DynamicGrid.GetRoutingBestLine(TypeOfCourse, Leg);
  DynamicGrid.GetRoutingLaylineLeft(Leg);
  DynamicGrid.GetRoutingLaylineRight(Leg);
  DynamicGrid.GetLaylinesNoCurrents(TypeOfCourse, Leg);
  DynamicGrid.GetCurrentsWindShift(Leg);
  DynamicGrid.GetTopMarkApproach(Leg);
}

void TPackageRouting::GetStripesReach(TLegContext& Leg) {
  TRoutingData& track = Leg.Track;
  const TListMinutes corridor = IsochronicGrid.GetStripesReach(
      track.TrackStart, track.TrackFinish, kCountStripes, track.ListLaylineLeft, track.ListLaylineRight, track);
  Leg.Stream = Leg.Conditions.StreamFor(corridor);
}

void TPackageRouting::GetIsochronicGridRouting(TLegContext& Leg) {
  IsochronicGrid.GetGridTimeDefaultReach(Leg);
  if (Leg.LowVMG) {
    Leg.Fail(TRoutingFailure::LowVMGEstimate, kMessageLowVMG);
    return;
  }
  IsochronicGrid.GetIsochronicGrid(Leg);
  IsochronicGrid.GetRoutingBestLine(Leg);
  IsochronicGrid.GetCurrentsWindShift(Leg);
}

}  // namespace corvane
