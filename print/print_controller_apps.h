#pragma once
// The printing controller over the application services: the drawn field
// from the application's tide model, the routing command of the services
// run silently, the line styles of the services.

#include "analysis/package_apps.h"
#include "analysis/package_controls.h"
#include "analysis/routing_run.h"
#include "print/print_controller.h"

namespace corvane {

class TPrintControllerApps : public TPrintController {
 public:
  // Every object is the caller's and must outlive this one. window is the
  // window's part of a routing run (nullptr on the command line).
  TPrintControllerApps(TInterfaceApplicationMobile& state, TMobileGraphics& graphics, TPackageApps& apps,
                       TPackageControls& controls, const TResourceStore& resources,
                       TRoutingRunWindow* window = nullptr)
      : state_(state), graphics_(graphics), apps_(apps), controls_(controls), resources_(resources),
        window_(window) {}

  TInterfaceApplicationMobile& State() override { return state_; }
  TMobileGraphics& Graphics() override { return graphics_; }
  const TResourceStore& Resources() const override { return resources_; }
  void GetTidalCurrents(int source) override { apps_.PackageCurrents.GetTidalCurrents(source, state_); }
  void GetRoutingSilent(bool singleTrack) override {
    GetRoutingNew(true, singleTrack, apps_, controls_, state_, window_);
  }
  void SetRoutingLineStroke() override { apps_.SetRoutingLineStroke(state_); }

 private:
  TInterfaceApplicationMobile& state_;
  TMobileGraphics& graphics_;
  TPackageApps& apps_;
  TPackageControls& controls_;
  const TResourceStore& resources_;
  TRoutingRunWindow* window_;
};

}  // namespace corvane
