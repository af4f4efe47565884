#pragma once
// "Start times": which start time the tide favours. The user picks a window
// of start times and a step; the course is routed for every start (prepared
// by the window, routed on a thread of this dialog's own, so the window
// stays live), and the plot shows the course time of each start with the
// best one marked. The pointer over a bar shows that start's figures; a
// click on it makes it the chosen moment and routes the course.

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <thread>

#include <QDialog>

#include "analysis/start_time_sweep.h"
#include "app/start_times_dialog/sweep_plot_widget.h"

class QDateTimeEdit;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;

namespace corvane {

class TStartTimesDialog : public QDialog {
 public:
  // The window prepares a sweep of local start times (nothing when it cannot
  // run one now, for example while a routing run is under way).
  using TPrepare = std::function<std::optional<TPreparedSweep>(TDateTime fromLOC, TDateTime toLOC, int step)>;

  TStartTimesDialog(TPrepare prepare, QWidget* parent = nullptr);
  ~TStartTimesDialog() override;

  // The window of starts the fields offer: from `fromLOC` for `hours`
  // hours, within the selectable moments.
  void SetStartWindow(TDateTime fromLOC, double hours, TDateTime minLOC, TDateTime maxLOC);
  // Sweeps the fields' window (stops a sweep under way instead).
  void Sweep();
  bool Busy() const { return busy_; }
  const TSweep& Result() const { return plot_->Sweep(); }
  TSweepPlotWidget& Plot() { return *plot_; }

  // Called with the local start time the user clicked.
  std::function<void(TDateTime startLOC)> OnStartChosen;
  // Called when a sweep has ended and its plot is shown.
  std::function<void()> OnSwept;

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void Finish();
  void StopAndWait();

  TPrepare prepare_;
  QDateTimeEdit* from_ = nullptr;
  QDateTimeEdit* to_ = nullptr;
  QSpinBox* step_ = nullptr;
  QPushButton* sweep_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QLabel* status_ = nullptr;
  TSweepPlotWidget* plot_ = nullptr;

  std::thread thread_;
  std::atomic<bool> busy_ = false;
  std::atomic<bool> stop_ = false;
  std::unique_ptr<TPreparedSweep> prepared_;
};

}  // namespace corvane
