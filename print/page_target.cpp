#include "print/page_target.h"

#include <QFile>
#include <QPageSize>

namespace corvane {

void TPrinterPageTarget::Abort(QPainter& painter) {
  printer_.abort();
  if (painter.isActive()) painter.end();
}

TPdfPageTarget::TPdfPageTarget(const QString& fileName, int resolution) : fileName_(fileName), writer_(fileName) {
  writer_.setPageSize(QPageSize(QPageSize::A4));
  writer_.setResolution(resolution);
  writer_.setCreator(QStringLiteral("Corvane Analyzer"));
}

void TPdfPageTarget::Abort(QPainter& painter) {
  if (painter.isActive()) painter.end();
  QFile::remove(fileName_);
}

}  // namespace corvane
