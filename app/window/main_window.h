#pragma once
// The main window: the chart image fills the main area, the panels sit in a
// scrollable column beside it as collapsible sections. The window only
// builds and registers its widgets, binds their events to the controller and
// runs the start-up once, at its first activation: the background load runs
// while the window shows a loading panel, then the panels are built and
// filled and the first chart is drawn. No command runs before that.

#include <QMainWindow>
#include <QScrollArea>
#include <QSplitter>
#include <QTimer>
#include <functional>
#include <future>
#include <memory>
#include <vector>

#include "app/polar_dialogs/edit_polars_dialog.h"
#include "app/polar_dialogs/view_polars_dialog.h"
#include "app/print_dialog/print_manager_dialog.h"
#include "app/start_times_dialog/start_times_dialog.h"
#include "app/window/package_process.h"
#include "app/window/qt_controls.h"
#include "app/window/window_controls.h"
#include "data/resource_store.h"
#include "state/settings_quarne.h"

namespace corvane {

class TFormCorvaneDesktop : public QMainWindow {
 public:
  // store holds the data sets; fileTools names the program's folder.
  TFormCorvaneDesktop(TResourceStore store, TFileTools fileTools, QWidget* parent = nullptr);
  ~TFormCorvaneDesktop() override;

  TWindowControls& Controls() { return controls_; }
  TPackageProcess& Process() { return *process_; }
  QSplitter& Splitter() { return *splitter_; }

  // The activation sequence; runs only while the controller's EnableActivate
  // holds, so only the first activation starts it.
  void FormActivate();
  // True once the sequence has ended (panels filled, first chart drawn).
  bool Ready() const { return ready_; }
  // Number of times the start-up sequence was started (1 after start-up).
  int ActivationCount() const { return activations_; }

  // "Print manager" (window_print.cpp): only while the gate is open, the
  // dialog gets the controller's print controller and is shown; when it has
  // closed, pending events run and the chart is drawn again for the state.
  void PrintManager();
  // How the dialog is shown: modally by default. A test puts its own here to
  // drive the dialog without a modal event loop.
  std::function<void(TFormPrintManagerTracks& dialog)> ShowPrintManager = [](TFormPrintManagerTracks& dialog) {
    dialog.exec();
  };

  // "Start times": the dialog shown beside the window, its window of starts
  // from the chosen moment on for twelve hours when it was hidden.
  void ShowStartTimes();
  TStartTimesDialog& StartTimes() { return *startTimes_; }

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  // --- Building (window_layout.cpp)
  QWidget* BuildChartArea();
  QWidget* BuildSideColumn();
  TCollapsibleSection* AddSection(QVBoxLayout& column, TCollapsibleSection*& field, const QString& caption,
                                  bool expanded = true);
  void BuildTimePanels(QVBoxLayout& column);
  void BuildWindPanels(QVBoxLayout& column);
  void BuildCoursePanels(QVBoxLayout& column);
  void BuildResultPanels(QVBoxLayout& column);
  void BuildChartPanels(QVBoxLayout& column);
  void RegisterAdapters();
  void PlaceProgressPanel();

  // --- The polar dialogs (window_polars.cpp): "Dinghy" and "Yacht" view
  // the chosen class's polar, "My" edits the user's own.
  void ViewPolars(QComboBox* list);
  void EditPolars();

  // --- Start-up (main_window.cpp)
  void FinishActivation(const TStartupResult& result);
  void BindWaypointRows();
  void SaveWindowGeometry();
  void RestoreWindowGeometry();
  std::string SettingsFile() const;

  TWindowControls controls_;
  std::unique_ptr<TPackageProcess> process_;
  TSettingsQuarne settingsQuarne_;

  // Adapters of the service-facing controls and the sinks.
  std::vector<std::unique_ptr<TListControl>> lists_;
  std::vector<std::unique_ptr<TEditControl>> edits_;
  std::unique_ptr<TMessageBoxSink> messages_;
  std::unique_ptr<TProgressPanelSink> progress_;

  // The dialogs, made once and kept hidden (owned through Qt's parent chain).
  TFormViewPolars* viewPolars_ = nullptr;
  TFormEditPolars* editPolars_ = nullptr;
  TFormPrintManagerTracks* printManager_ = nullptr;
  TStartTimesDialog* startTimes_ = nullptr;
  QSplitter* splitter_ = nullptr;
  TCollapsibleSection* results_ = nullptr;
  QScrollArea* sideScroll_ = nullptr;
  QWidget* sideColumn_ = nullptr;

  // The loading panel draws its own small state: the application state
  // belongs to the background task until the join.
  TInterfaceApplicationMobile loadingState_;
  QTimer loadingTimer_;
  bool loading_ = false;
  bool ready_ = false;
  int activations_ = 0;
  // Waits for the background task off the user interface thread, so the
  // window keeps painting; declared last, so it is waited for first.
  std::future<void> waiter_;
};

}  // namespace corvane
