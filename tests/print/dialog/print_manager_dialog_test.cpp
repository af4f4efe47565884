// The print manager dialog: its controls as the user first sees them, and
// "Save as PDF..." printing the chosen tracks to a PDF file.

#include "app/print_dialog/print_manager_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <memory>

#include "print/print_fixture.h"

namespace corvane {
namespace {

using testing_print::PdfPageCount;

class PrintManagerDialogTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QApplication>(argc_, argv_);
  }
  static void TearDownTestSuite() { app_.reset(); }

  TFormPrintManagerTracks dialog;

 private:
  static inline int argc_ = 1;
  static inline char arg0_[] = "print_dialog_tests";
  static inline char* argv_[] = {arg0_, nullptr};
  static inline std::unique_ptr<QApplication> app_;
};

TEST_F(PrintManagerDialogTest, OpensOnTheSingleTrack) {
  EXPECT_EQ(dialog.windowTitle(), "Print manager");
  EXPECT_EQ(dialog.rbtPrintSingleTrack->text(), "Print single track");
  EXPECT_EQ(dialog.rbtPrintAllTracks->text(), "Print all tracks");
  EXPECT_TRUE(dialog.rbtPrintSingleTrack->isChecked());
  EXPECT_EQ(dialog.Mode(), kPrintCurrentTrack);
  EXPECT_EQ(dialog.btnPrint->text(), "Print");
  EXPECT_EQ(dialog.btnQuit->text(), "Close");  // it closes the dialog, not the program
  EXPECT_EQ(dialog.PdfSuggestion(), "Track sheets.pdf");
  dialog.DocumentsFolder = "/home/skipper/Corvane";
  EXPECT_EQ(dialog.PdfSuggestion(), "/home/skipper/Corvane/Track sheets.pdf");
  EXPECT_EQ(dialog.btnSavePdf->text(), "Save as PDF…");
}

TEST_F(PrintManagerDialogTest, SavesTheChosenTracksAsPdf) {
  testing_print::TPrintedCourse course;
  ASSERT_TRUE(course.SetUp());
  dialog.SetData(course.controller);
  struct Case {
    const char* Name;
    bool All;
    int Pages;
  };
  for (const Case& c : {Case{"single track", false, 1}, Case{"all tracks", true, 3}}) {
    SCOPED_TRACE(c.Name);
    (c.All ? dialog.rbtPrintAllTracks : dialog.rbtPrintSingleTrack)->setChecked(true);
    const auto file = course.File("dialog.pdf");
    ASSERT_TRUE(dialog.SaveAsPdf(QString::fromStdString(file.string()))) << dialog.LastError;
    EXPECT_EQ(PdfPageCount(file), c.Pages);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.edtPrinting->text(), "");
    EXPECT_EQ(course.state.ListRoutingData.IndexTrack, 1);
  }
}

TEST_F(PrintManagerDialogTest, NothingIsPrintedWithoutAController) {
  EXPECT_FALSE(dialog.SaveAsPdf("never-written.pdf"));
  EXPECT_EQ(dialog.LastError, "Nothing to print");
}

}  // namespace
}  // namespace corvane
