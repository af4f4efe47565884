#pragma once
// What printing needs from the application's controller: the state, the
// chart renderer, the built-in data sets, the drawn stream field, the
// routing command and the tracks' line styles. The window and the
// command-line program hand over their own controller through this
// interface (TPrintControllerApps is the one over the application
// services), so the sheets are built the same way in both.

#include "chart/mobile_graphics.h"
#include "data/resource_store.h"
#include "state/application_state.h"

namespace corvane {

class TPrintController {
 public:
  virtual ~TPrintController() = default;

  virtual TInterfaceApplicationMobile& State() = 0;
  virtual TMobileGraphics& Graphics() = 0;
  // The built-in data sets (the sheet's logo picture among them).
  virtual const TResourceStore& Resources() const = 0;
  // The tidal model brought up to date for the chosen moment; source 1 is
  // the drawn field.
  virtual void GetTidalCurrents(int source) = 0;
  // The routing command run silently (no dialog, no progress, no panel):
  // the selected track only with singleTrack, otherwise all tracks.
  virtual void GetRoutingSilent(bool singleTrack) = 0;
  // The tracks' line styles for the selected track.
  virtual void SetRoutingLineStroke() = 0;
};

// A controller that hands every call on to another one; a subclass
// overrides what it watches or changes.
class TPrintControllerRelay : public TPrintController {
 public:
  // inner must outlive this object.
  explicit TPrintControllerRelay(TPrintController& inner) : inner_(inner) {}
  TInterfaceApplicationMobile& State() override { return inner_.State(); }
  TMobileGraphics& Graphics() override { return inner_.Graphics(); }
  const TResourceStore& Resources() const override { return inner_.Resources(); }
  void GetTidalCurrents(int source) override { inner_.GetTidalCurrents(source); }
  void GetRoutingSilent(bool singleTrack) override { inner_.GetRoutingSilent(singleTrack); }
  void SetRoutingLineStroke() override { inner_.SetRoutingLineStroke(); }

 private:
  TPrintController& inner_;
};

}  // namespace corvane
