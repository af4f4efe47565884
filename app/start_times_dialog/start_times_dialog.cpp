#include "app/start_times_dialog/start_times_dialog.h"

#include <QDateTimeEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>

#include "core/date_time.h"

namespace corvane {

namespace {

constexpr const char* kTimeFormat = "dd.MM.yyyy HH:mm";

QDateTime ToQt(TDateTime t) {
  int year, month, day, hour, minute, second, ms;
  DecodeDateTime(t, year, month, day, hour, minute, second, ms);
  return QDateTime(QDate(year, month, day), QTime(hour, minute));
}

TDateTime FromQt(const QDateTime& t) {
  return EncodeDateTime(t.date().year(), t.date().month(), t.date().day(), t.time().hour(), t.time().minute(), 0,
                        0);
}

}  // namespace

TStartTimesDialog::TStartTimesDialog(TPrepare prepare, QWidget* parent)
    : QDialog(parent), prepare_(std::move(prepare)) {
  setWindowTitle("Start times");
  auto* column = new QVBoxLayout(this);
  auto* fields = new QHBoxLayout();
  auto* form = new QFormLayout();
  from_ = new QDateTimeEdit();
  from_->setDisplayFormat(kTimeFormat);
  from_->setToolTip("The first start, local time at the reference port");
  to_ = new QDateTimeEdit();
  to_->setDisplayFormat(kTimeFormat);
  to_->setToolTip("The last start, local time at the reference port");
  step_ = new QSpinBox();
  step_->setRange(1, 180);
  step_->setValue(10);
  step_->setSuffix(" min");
  step_->setToolTip("Minutes between two starts");
  form->addRow("First start", from_);
  form->addRow("Last start", to_);
  form->addRow("Every", step_);
  fields->addLayout(form);
  auto* actions = new QVBoxLayout();
  sweep_ = new QPushButton("Sweep");
  sweep_->setToolTip("Route the course for every start (again to stop)");
  bar_ = new QProgressBar();
  bar_->setTextVisible(true);
  bar_->setRange(0, 1);
  bar_->setValue(0);
  bar_->setFormat("");
  actions->addWidget(sweep_);
  actions->addWidget(bar_);
  actions->addStretch();
  fields->addLayout(actions);
  column->addLayout(fields);
  status_ = new QLabel("Point at a start for its figures; click it to make it the chosen moment and route.");
  status_->setWordWrap(true);
  column->addWidget(status_);
  plot_ = new TSweepPlotWidget();
  column->addWidget(plot_, 1);
  resize(1000, 640);

  connect(sweep_, &QPushButton::clicked, this, [this] { Sweep(); });
  plot_->OnStartClicked = [this](int start) {
    if (busy_ || !OnStartChosen) return;
    OnStartChosen(plot_->Sweep().Starts[static_cast<std::size_t>(start)].StartLOC);
  };
}

TStartTimesDialog::~TStartTimesDialog() { StopAndWait(); }

void TStartTimesDialog::SetStartWindow(TDateTime fromLOC, double hours, TDateTime minLOC, TDateTime maxLOC) {
  from_->setDateTimeRange(ToQt(minLOC), ToQt(maxLOC));
  to_->setDateTimeRange(ToQt(minLOC), ToQt(maxLOC));
  from_->setDateTime(ToQt(fromLOC));
  to_->setDateTime(ToQt(std::min(maxLOC, fromLOC + hours / 24)));
}

void TStartTimesDialog::Sweep() {
  if (busy_) {
    stop_ = true;
    return;
  }
  std::optional<TPreparedSweep> prepared = prepare_(FromQt(from_->dateTime()), FromQt(to_->dateTime()), step_->value());
  if (!prepared) return;
  prepared_ = std::make_unique<TPreparedSweep>(std::move(*prepared));
  const int total = static_cast<int>(prepared_->Jobs.size());
  bar_->setRange(0, total);
  bar_->setValue(0);
  bar_->setFormat("%v of %m starts");
  sweep_->setText("Stop");
  status_->setText("Routing the course for each start ...");
  busy_ = true;
  stop_ = false;
  if (thread_.joinable()) thread_.join();
  thread_ = std::thread([this] {
    TSweepListener listener;
    listener.Stop = &stop_;
    listener.Progress = [this](int done, int) {
      QMetaObject::invokeMethod(this, [this, done] { bar_->setValue(std::max(bar_->value(), done)); },
                                Qt::QueuedConnection);
    };
    RouteSweep(*prepared_, listener);
    QMetaObject::invokeMethod(this, [this] { Finish(); }, Qt::QueuedConnection);
  });
}

void TStartTimesDialog::Finish() {
  if (thread_.joinable()) thread_.join();
  TSweepListener listener;
  listener.Stop = &stop_;
  TSweep sweep = FinishSweep(std::move(*prepared_), listener);
  prepared_.reset();
  busy_ = false;
  sweep_->setText("Sweep");
  if (sweep.Best >= 0) {
    const TSweptStart& best = sweep.Starts[static_cast<std::size_t>(sweep.Best)];
    status_->setText(QString("Best start %1 (%2). Point at a start for its figures; click it to make it the "
                             "chosen moment and route.")
                         .arg(QString::fromStdString(FormatDateTime("dd.mm.yyyy hh:nn", best.StartLOC)))
                         .arg(QString::fromStdString(best.HighWaterText)));
  } else {
    status_->setText(sweep.Stopped ? "Stopped." : "No start routed the whole course.");
  }
  plot_->SetSweep(std::move(sweep));
  if (OnSwept) OnSwept();
}

void TStartTimesDialog::StopAndWait() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void TStartTimesDialog::hideEvent(QHideEvent* event) {
  if (busy_) stop_ = true;
  QDialog::hideEvent(event);
}

}  // namespace corvane
