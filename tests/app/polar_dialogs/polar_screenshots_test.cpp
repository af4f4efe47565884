// Both dialogs with their plots paint at their preferred size into PNG
// files: into the folder CORVANE_SCREENS names, for reviewing the layout by
// hand, or else into a temporary folder.

#include <gtest/gtest.h>

#include <QImage>
#include <QLineEdit>
#include <QPixmap>
#include <QString>

#include <cstdlib>
#include <set>
#include <string>

#include "app/polar_dialogs/edit_polars_dialog.h"
#include "app/polar_dialogs/view_polars_dialog.h"
#include "dialog_fixture.h"
#include "support/temp_folder.h"

namespace corvane {
namespace {

class PolarScreenshotsTest : public TPolarDialogTest {
 protected:
  void SetUp() override {
    const char* folder = std::getenv("CORVANE_SCREENS");
    Folder = (folder == nullptr || *folder == '\0' ? Temp.path().string() : std::string(folder)) + "/";
  }

  // The dialog laid out at its preferred size, painted into a PNG.
  static void Save(QDialog& dialog, const std::string& file) {
    dialog.show();
    dialog.resize(dialog.sizeHint());
    const QPixmap picture = dialog.grab();
    ASSERT_FALSE(picture.isNull());
    ASSERT_TRUE(picture.save(QString::fromStdString(file), "PNG")) << file;
    dialog.hide();
    // The grid and the plot both leave their marks: the picture is not a
    // blank dialog face.
    const QImage image(QString::fromStdString(file), "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 300);
    EXPECT_GT(image.height(), 200);
    EXPECT_GT(CountColours(image), 20);
  }

  static int CountColours(const QImage& image) {
    std::set<QRgb> colours;
    for (int y = 0; y < image.height(); y += 3) {
      for (int x = 0; x < image.width(); x += 3) colours.insert(image.pixel(x, y));
    }
    return static_cast<int>(colours.size());
  }

  TTempFolder Temp;
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
