// corvane-analyzer: the desktop program. One window over the built-in data
// sets; the user's settings, own polars and GRIB files live in the
// program's folder in the documents folder.

#include <QApplication>

#include "app/window/main_window.h"
#include "core/file_tools.h"
#include "datasets/builtin_datasets.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Corvane Analyzer");
  corvane::TFormCorvaneDesktop window(corvane::BuiltInResourceStore(), corvane::TFileTools());
  window.show();
  return QApplication::exec();
}
