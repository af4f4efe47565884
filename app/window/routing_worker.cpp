#include "app/window/routing_worker.h"

#include <utility>

#include <QMetaObject>

namespace corvane {

class TRoutingWorker::TListener : public TRoutingProgress {
 public:
  explicit TListener(TRoutingWorker& worker) : worker_(worker) {}

  void Report(const std::string& text, float value) override {
    {
      std::lock_guard<std::mutex> lock(worker_.progressMutex_);
      worker_.progressText_ = text;
      worker_.progressValue_ = value;
      if (worker_.progressPending_) return;
      worker_.progressPending_ = true;
    }
    TRoutingWorker* worker = &worker_;
    QMetaObject::invokeMethod(
        &worker_.context_,
        [worker] {
          std::string text;
          float value = 0;
          {
            std::lock_guard<std::mutex> lock(worker->progressMutex_);
            worker->progressPending_ = false;
            text = worker->progressText_;
            value = worker->progressValue_;
          }
          if (worker->busy_ && worker->onProgress_) worker->onProgress_(text, value);
        },
        Qt::QueuedConnection);
  }

  bool StopRequested() const override { return worker_.stop_; }

 private:
  TRoutingWorker& worker_;
};

TRoutingWorker::~TRoutingWorker() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void TRoutingWorker::Start(TRoutingJob job, TProgressShown onProgress, TFinished onFinished) {
  if (busy_) return;
  if (thread_.joinable()) thread_.join();
  busy_ = true;
  stop_ = false;
  job_ = std::make_shared<TRoutingJob>(std::move(job));
  routed_ = std::make_shared<TRoutedCourse>();
  onProgress_ = std::move(onProgress);
  onFinished_ = std::move(onFinished);
  thread_ = std::thread([this] {
    TListener listener(*this);
    *routed_ = RouteJob(*job_, &listener);
    QMetaObject::invokeMethod(&context_, [this] { Finish(); }, Qt::QueuedConnection);
  });
}

void TRoutingWorker::Finish() {
  if (thread_.joinable()) thread_.join();
  busy_ = false;
  const std::shared_ptr<TRoutingJob> job = std::move(job_);
  const std::shared_ptr<TRoutedCourse> routed = std::move(routed_);
  TFinished finished = std::move(onFinished_);
  onProgress_ = nullptr;
  if (finished) finished(*job, *routed);
}

}  // namespace corvane
