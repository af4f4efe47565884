#pragma once
// The application services: one object that the window's controller and the
// command-line program hold, with every service operation on it — the
// course and its marks with the land checks, the progress bar, the routing
// of a leg, and the GRIB wind and current selection.
//
// It does not own the tide model: the start-up fills one TPackageCurrents
// (the window's controller and the command-line context each hold one), and
// these services read and update its fields through a reference, so the
// object given must outlive them. The GRIB wind step of the drawn field is
// attached by the owner (TGRIBServices::AttachGRIBWind), because only the
// owner knows which GRIB reader decoded the file in use.

#include <utility>

#include "analysis/course_services.h"
#include "analysis/grib_services.h"
#include "analysis/leg_services.h"
#include "analysis/package_controls.h"
#include "analysis/progress_services.h"
#include "analysis/current_field.h"

namespace corvane {

class TPackageApps : public TCourseServices,
                     public TProgressServices,
                     public TLegServices,
                     public TGRIBServices {
 public:
  explicit TPackageApps(TPackageCurrents& packageCurrents) : TLegServices(packageCurrents) {}
  // GRIB files are looked for in the program's folder that fileTools gives.
  TPackageApps(TPackageCurrents& packageCurrents, TFileTools fileTools)
      : TLegServices(packageCurrents), TGRIBServices(std::move(fileTools)) {}
};

}  // namespace corvane
