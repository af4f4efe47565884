#pragma once
// Where a print job's pages go: a printer chosen in the print dialog, or a
// PDF file. The job paints on the target's paged device and asks it for new
// pages; after an error it abandons the job through the target.

#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QString>

namespace corvane {

class TPageTarget {
 public:
  virtual ~TPageTarget() = default;
  virtual QPagedPaintDevice& Device() = 0;
  // The next page; false when the device cannot give one.
  virtual bool NewPage() { return Device().newPage(); }
  // Abandons a job whose painter may still be active: ends the painter
  // and throws away what was printed where the device allows it.
  virtual void Abort(QPainter& painter) {
    if (painter.isActive()) painter.end();
  }
};

// A printer (also a QPrinter in PDF mode, as "Save as PDF..." sets it up).
class TPrinterPageTarget : public TPageTarget {
 public:
  explicit TPrinterPageTarget(QPrinter& printer) : printer_(printer) {}
  QPagedPaintDevice& Device() override { return printer_; }
  // The spooler drops the job; a printer that still reports printing is
  // then ended.
  void Abort(QPainter& painter) override;

 private:
  QPrinter& printer_;  // not owned
};

// A PDF file on A4 pages at the given resolution (dots per inch).
class TPdfPageTarget : public TPageTarget {
 public:
  TPdfPageTarget(const QString& fileName, int resolution);
  QPagedPaintDevice& Device() override { return writer_; }
  // The unfinished file is removed.
  void Abort(QPainter& painter) override;

 private:
  QString fileName_;
  QPdfWriter writer_;
};

}  // namespace corvane
