#include "routing/package_routing.h"

namespace corvane {

namespace {

const char* const kMessageLowVMG = "Error: Low VMG!";

void RefuseLowVMG(TInterfaceApplicationMobile& state) {
  state.AppMessage = kMessageLowVMG;
  state.RoutingValid = false;
}

}  // namespace

void TPackageRouting::Reset(TInterfaceApplicationMobile& InterfaceApplicationMobile) const {
  for (const std::unique_ptr<TRoutingData>& track : InterfaceApplicationMobile.ListRoutingData.Items) {
    track->RoutingEnabled = false;
  }
  InterfaceApplicationMobile.RoutingValid = false;
  InterfaceApplicationMobile.DrawRouting = false;
}

void TPackageRouting::HandleFormControls(TProgressSink* progressSink) {
  DynamicGrid.HandleFormControls(progressSink);
  IsochronicGrid.HandleFormControls(progressSink);
}

void TPackageRouting::GetCourseInWater(const TRoutingData& RoutingData,
                                       TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  DynamicGrid.GetCourseInWater(RoutingData, InterfaceApplicationMobile);
}

void TPackageRouting::GetTypeOfCourse(bool SilentMode, TRoutingData& RoutingData,
                                      TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  RoutingData.TypeOfCourse = kCourseReach;
  if (DynamicGrid.GetFinishInLaylines(SilentMode, kCourseBeat, RoutingData, InterfaceApplicationMobile)) {
    RoutingData.TypeOfCourse = kCourseBeat;
  } else if (DynamicGrid.GetFinishInLaylines(SilentMode, kCourseRun, RoutingData,
                                             InterfaceApplicationMobile)) {
    RoutingData.TypeOfCourse = kCourseRun;
  }
}

void TPackageRouting::GetDynamicGridRouting(bool SilentMode, int TypeOfCourse,
                                            TRoutingData& RoutingData,
                                            TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  if (state.LowVMG) {
    RefuseLowVMG(state);
    return;
  }
  DynamicGrid.GetDynamicGrid(SilentMode, TypeOfCourse, RoutingData, state);
  DynamicGrid.GetRoutingBestLine(SilentMode, TypeOfCourse, RoutingData, state);
  DynamicGrid.GetRoutingLaylineLeft(SilentMode, RoutingData, state);
  DynamicGrid.GetRoutingLaylineRight(SilentMode, RoutingData, state);
  DynamicGrid.GetLaylinesNoCurrents(TypeOfCourse, RoutingData, state);
  DynamicGrid.GetCurrentsWindShift(RoutingData, state);
  DynamicGrid.GetTopMarkApproach(RoutingData, state);
}

void TPackageRouting::GetStripesReach(TRoutingData& RoutingData,
                                      TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  TListVektorCubeLight& cube = InterfaceApplicationMobile.GRIBCurrentLoaded
                                   ? InterfaceApplicationMobile.CubeLoRes
                                   : InterfaceApplicationMobile.CubeHiRes;
  IsochronicGrid.GetStripesReach(RoutingData.TrackStart, RoutingData.TrackFinish, kCountStripes,
                                 RoutingData.ListLaylineLeft, RoutingData.ListLaylineRight, cube,
                                 RoutingData);
}

void TPackageRouting::GetIsochronicGridRouting(bool SilentMode, int /*TypeOfCourse*/,
                                               TRoutingData& RoutingData,
                                               TInterfaceApplicationMobile& InterfaceApplicationMobile) {
  TInterfaceApplicationMobile& state = InterfaceApplicationMobile;
  IsochronicGrid.GetGridTimeDefaultReach(RoutingData, state);
  if (state.LowVMG) {
    RefuseLowVMG(state);
    return;
  }
  IsochronicGrid.GetIsochronicGrid(SilentMode, RoutingData, state);
  IsochronicGrid.GetRoutingBestLine(RoutingData, state);
  IsochronicGrid.GetCurrentsWindShift(RoutingData, state);
}

}  // namespace corvane
