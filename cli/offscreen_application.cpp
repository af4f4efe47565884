#include "cli/offscreen_application.h"

#include <QString>
#include <cstdlib>

namespace corvane::cli {

namespace {

// Qt's note that it picks a runtime folder of its own on a machine without
// a desktop session says nothing about the output; other messages pass.
void DropRuntimeFolderNote(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QStringLiteral("QStandardPaths:"))) return;
  qt_message_output(type, context, message);
}

}  // namespace

TOffscreenApplication::TOffscreenApplication() {
  if (QGuiApplication::instance() != nullptr) return;
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) qputenv("QT_QPA_PLATFORM", "offscreen");
  previous_ = qInstallMessageHandler(DropRuntimeFolderNote);
  app_ = std::make_unique<QGuiApplication>(argc_, argv_.data());
}

TOffscreenApplication::~TOffscreenApplication() {
  if (!app_) return;
  app_.reset();
  qInstallMessageHandler(previous_);
}

}  // namespace corvane::cli
