#pragma once
// Routes a job away from the window's thread, so that the window keeps
// painting and answering while the legs are routed. Progress and the end of
// the job come back on the window's thread; a new report replaces one the
// window has not taken yet, so a slow window never falls behind the legs.
// One job at a time; Cancel asks the legs to stop at their next grid line.

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include <QObject>

#include "analysis/routing_run.h"

namespace corvane {

class TRoutingWorker {
 public:
  using TProgressShown = std::function<void(const std::string& text, float value)>;
  using TFinished = std::function<void(const TRoutingJob& job, const TRoutedCourse& routed)>;

  TRoutingWorker() = default;
  TRoutingWorker(const TRoutingWorker&) = delete;
  TRoutingWorker& operator=(const TRoutingWorker&) = delete;
  // Cancels a job under way and waits for its thread.
  ~TRoutingWorker();

  bool Busy() const { return busy_; }
  // Routes the job on a thread of its own. onProgress and onFinished run on
  // the thread that called Start (it must run a Qt event loop); onFinished
  // once, after the thread has ended.
  void Start(TRoutingJob job, TProgressShown onProgress, TFinished onFinished);
  void Cancel() { stop_ = true; }

 private:
  class TListener;
  void Finish();

  QObject context_;  // delivers to the window's thread
  std::thread thread_;
  std::atomic<bool> busy_ = false;
  std::atomic<bool> stop_ = false;
  std::shared_ptr<TRoutingJob> job_;
  std::shared_ptr<TRoutedCourse> routed_;
  TProgressShown onProgress_;
  TFinished onFinished_;

  std::mutex progressMutex_;
  bool progressPending_ = false;
  std::string progressText_;
  float progressValue_ = 0;
};

}  // namespace corvane
