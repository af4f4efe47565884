#pragma once
// The controller of the main window: every window event calls one of its
// operations, which runs the command through the panel binder and the
// application services, refreshes the panels the command affects and
// redraws the chart. It owns the state, the renderer, the tide model, the
// data-set loader, the application services, the panel binder and the map
// interaction, and it runs the start-up sequence with its background task.
//
// It is the map interaction's host (repaints, panel refreshes, land check)
// and the routing run's window (panels, results, progress).

#include <functional>
#include <optional>
#include <string>

#include "analysis/package_apps.h"
#include "analysis/routing_run.h"
#include "analysis/start_time_sweep.h"
#include "app/window/package_forms.h"
#include "app/window/routing_worker.h"
#include "app/window/service_gestures.h"
#include "app/window/window_controls.h"
#include "chart/mobile_graphics.h"
#include "core/date_tools.h"
#include "core/file_tools.h"
#include "core/math_tools.h"
#include "data/package_resource_loader.h"
#include "data/resource_store.h"
#include "print/print_controller_apps.h"
#include "startup/startup.h"
#include "state/application_state.h"
#include "analysis/current_field.h"

class QPainter;

namespace corvane {

inline constexpr const char* kMessageMarkAshore = "Mark ashore!";

class TPackageProcess : public TGestureHost, public TRoutingRunWindow {
 public:
  // controls must outlive the controller. store holds the data sets;
  // fileTools names the program's folder (settings file, own polars, GRIB
  // files).
  TPackageProcess(TWindowControls& controls, TResourceStore store, TFileTools fileTools);
  ~TPackageProcess() override;
  TPackageProcess(const TPackageProcess&) = delete;
  TPackageProcess& operator=(const TPackageProcess&) = delete;

  TMobileGraphics MobileGraphics;
  TInterfaceApplicationMobile InterfaceApplicationMobile;
  TPackageCurrents PackageCurrents;
  // The data sets, for the print sheets (the logo); the same bytes the
  // loader reads, shared.
  TResourceStore Resources;
  TPackageResourceLoader PackageResourceLoader;
  TPackageApps PackageApps;
  TPackageForms PackageForms;
  TServiceGestures ServiceGestures;
  TMathTools MathTools;
  TDateTools DateTools;
  TStartupTask Tasks;
  // What the print manager prints with: this state, renderer and services,
  // each sheet's track routed silently as this window's run.
  TPrintControllerApps PrintController;
  TRoutingWorker RoutingWorker;

  // Runs after every writing of the settings file (the window adds its own
  // section to it).
  std::function<void()> OnSettingsSaved;

  // --- Start-up (run once, at the first activation of the window)
  // The map interaction, the progress bar and the background load started;
  // the window title. The gate stays closed while the task runs, since the
  // window keeps processing events (paints, the loading panel) meanwhile.
  void InitApp();
  // Waits for the background task; may run on any thread, once.
  TStartupResult JoinStartup();
  // After the join: the gate opened, the lists built, the layout and the
  // projection set.
  void InitFormStructure();
  // The tracks, the panels filled, resizing allowed, the first chart.
  void InitFormData();
  bool GetFormActivate() const { return PackageForms.EnableActivate; }
  void SetFormActivate(bool enabled) { PackageForms.EnableActivate = enabled; }
  bool GetEnableEvents() const { return PackageForms.EnableEvents; }

  // --- Painting, layout and the mouse
  void DrawMap(QPainter& painter, const TRectF& rect);
  void DrawProgressBar(QPainter& painter, const TRectF& rect);
  void FormResize();
  void MouseMap(int mouseEvent, float x, float y);

  // --- Commands (the refreshes of each are inside)
  void GetWaypoint(int row);
  void SetIndexWaypoint(int row);
  void AddWaypoint();
  void DeleteAndMoveWaypoint();
  void GetMoveWaypoint(int move);
  void GetValidateShortCuts(bool isBackspace, char keyChar);
  void ProcessValidateShortCuts();
  void GetGotoEndTripleShortCuts();
  void GetShortCutWaypoints();
  void GetClearShortCuts();
  void GetBoatclass(QComboBox* sender);
  void RefreshClasses();
  void ReloadClasses();
  void GetStartDate();
  void GetStartTime();
  void SetTimeNow();
  void GetTimeShift(std::int64_t minutes);
  void GetWind();
  void GetWindAngle();
  void GetGRIBWind();
  void GetAdjustTideTime();
  void GetAdjustTideSpeed();
  void GetDepthLine();
  void GetResultsPage(int page);
  void MapZoomOut();
  void MapZoomIn();
  void MapZoomSlide();
  // Zoom by a number of wheel notches, a quarter step each, about the
  // pointer at (x, y) on the chart.
  void MapZoomWheel(int notches, float x, float y);
  void GetGotoTrack();
  void GetMoveMark(int indexMark);
  // "Routing track" (singleTrack) and "Routing all" on the routing worker:
  // prepared here, the legs routed on the worker's thread while the window
  // paints and the gate stays closed, the results applied here when they
  // come back (OnRoutingFinished then runs). Nothing while the gate is
  // closed or a run is under way.
  // True when a run was started.
  bool StartRouting(bool singleTrack);
  // Asks a run under way to stop; its legs end as "Routing cancelled".
  void CancelRouting();
  bool RoutingBusy() const { return RoutingWorker.Busy(); }
  std::function<void(const TRoutingRunResult&)> OnRoutingFinished;
  // "Live": while it is on, every change of the moment, the wind, the
  // calibration or a mark routes the course again (as the user's last run
  // did: the track or all), without a click; a change that comes while a
  // run is under way waits for it, and only the latest is routed. Turning
  // it on routes the course.
  void SetLiveRouting(bool live);
  bool LiveRouting() const { return live_; }
  // "Start times": a sweep of local start times prepared for the dialog's
  // thread (nothing while the gate is closed or a run is under way; a
  // window it cannot sweep is said in a message), and a start the user
  // picked made the chosen moment and routed.
  std::optional<TPreparedSweep> PrepareStartTimes(TDateTime fromLOC, TDateTime toLOC, int stepMinutes);
  void ChooseStart(TDateTime startLOC);
  // The same run on this thread, to its end; silent for printing.
  TRoutingRunResult GetRoutingNew(bool silentMode, bool singleTrack);
  void SaveAppData();
  // After the print manager has closed, only while the gate is open: the
  // projection again (the sheets drew the chart at their own size), the
  // current field of the moment, whether routing results are shown, and the
  // chart redrawn.
  void GetPostPrint();
  void SetHourGlassCursor() { PackageForms.SetHourGlassCursor(); }
  void SetDefaultCursor() { PackageForms.SetDefaultCursor(); }

  // --- TGestureHost
  bool GetMarkInWater(const TMinutes& position) override;
  void RepaintMap() override;
  void RedrawMap() override;
  void ShowReadout(float x, float y) override;
  void RefreshAfterDragStep() override;
  void SetControlsPanCourse(bool enabled) override;
  void MarkDragArmedOnTrack() override;
  void MarkDragDone() override;

  // --- TRoutingRunWindow
  void SetControlsRouting(bool enabled) override;
  void SetDataResults() override;
  void DrawOffScreen() override;
  void SetTimeSteps() override;

 private:
  void ShowMessage(TMessageKind kind, const std::string& text);
  // After a change that Live follows; true when a run was started.
  bool RerouteIfLive();
  // Around a change that Live follows: while Live is on and no run is under
  // way, the change's own drawing of the chart waits for the run that
  // follows it, which draws the chart with its results (so they come with
  // the change, not a drawing later); when no run starts, the chart is
  // drawn at the end as usual.
  class TLiveChange {
   public:
    explicit TLiveChange(TPackageProcess& process);
    ~TLiveChange();
    TLiveChange(const TLiveChange&) = delete;
    TLiveChange& operator=(const TLiveChange&) = delete;
    // The change was made: the course is routed again.
    void Done() { done_ = true; }

   private:
    TPackageProcess& process_;
    bool deferring_ = false;
    bool done_ = false;
  };
  void AfterZoom();
  // The refreshes after a change of the chosen moment.
  void RefreshMoment();

  TWindowControls& controls_;
  bool live_ = false;
  bool liveSingleTrack_ = false;
  bool rerouteWaiting_ = false;
};

}  // namespace corvane
