// Pictures of both dialogs with their plots, for reviewing the layout. Runs
// only when CORVANE_SCREENS names a folder to write them to.

#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QString>

#include <cstdlib>
#include <string>

#include "app/polar_dialogs/edit_polars_dialog.h"
#include "app/polar_dialogs/view_polars_dialog.h"
#include "dialog_fixture.h"

namespace corvane {
namespace {

class PolarScreenshotsTest : public TPolarDialogTest {
 protected:
  void SetUp() override {
    const char* folder = std::getenv("CORVANE_SCREENS");
    if (folder == nullptr || *folder == '\0') GTEST_SKIP() << "CORVANE_SCREENS is not set";
    Folder = std::string(folder) + "/";
  }

  // The dialog laid out at its preferred size, painted into a PNG.
  static void Save(QDialog& dialog, const std::string& file) {
    dialog.show();
    dialog.resize(dialog.sizeHint());
    const QPixmap picture = dialog.grab();
    ASSERT_FALSE(picture.isNull());
    ASSERT_TRUE(picture.save(QString::fromStdString(file), "PNG")) << file;
    dialog.hide();
  }

  std::string Folder;
};

TEST_F(PolarScreenshotsTest, ViewerAndEditor) {
  TFormViewPolars view(Tools);
  view.SetData(State);
  Save(view, Folder + "polar_view.png");

  // A yacht from the middle of the list, kept as an own polar.
  TFormEditPolars edit(Tools);
  State.BoatClass = State.ListClasses[static_cast<std::size_t>(State.CountDinghy + State.CountORCI / 2)];
  Loader.LoadBoatPolars(State);
  State.BoatClass = "My-Harbour Sprinter";
  edit.SetData(0, State);
  Save(edit, Folder + "polar_edit.png");
}

}  // namespace
}  // namespace corvane
