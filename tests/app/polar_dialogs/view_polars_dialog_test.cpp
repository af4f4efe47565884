#include "app/polar_dialogs/view_polars_dialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>
#include <string>

#include "dialog_fixture.h"
#include "polars/package_polars.h"
#include "support/locale_guard.h"

namespace corvane {
namespace {

class ViewPolarsDialogTest : public TPolarDialogTest {
 protected:
  ViewPolarsDialogTest() : Dialog(Tools) { Dialog.SetAsker(std::make_unique<TScriptedAsker>(Log)); }

  long Count(const std::string& name) const {
    return std::count(State.ListClasses.begin(), State.ListClasses.end(), name);
  }

  testing::TLocaleGuard Point{testing::MakeDecimalLocale('.')};
  TFormViewPolars Dialog;
};

TEST_F(ViewPolarsDialogTest, ShowsTheStatePolarAndResetsOnHide) {
  Dialog.SetData(State);
  EXPECT_EQ(Dialog.windowTitle().toStdString(), "View Boat Polars");
  EXPECT_EQ(Dialog.Edit_Class->text().toStdString(), "GRAND-SOLEIL39-NEW-C");
  EXPECT_TRUE(Dialog.Edit_Class->isReadOnly());
  EXPECT_EQ(Dialog.Button_Save->text().toStdString(), "Save as MyBoat");
  Dialog.show();
  EXPECT_EQ(Cell(*Dialog.StringGrid_Polars, 1, 4), TStringTools().ExtendedToStr(State.Polars.Velocity[4][0], 1));
  EXPECT_NE(Cell(*Dialog.StringGrid_Polars, 1, 4), "0.0");
  Dialog.hide();
  EXPECT_EQ(Cell(*Dialog.StringGrid_Polars, 1, 4), "0,0");
}

TEST_F(ViewPolarsDialogTest, SaveWritesTheOwnPolarOnceAndAsksBeforeOverwriting) {
  const std::string own = "My-GRAND-SOLEIL39-NEW-C";
  Dialog.SetData(State);
  Dialog.show();
  Dialog.Button_Save->click();
  EXPECT_TRUE(Log.Questions.empty());
  ASSERT_TRUE(Exists(own));
  EXPECT_EQ(State.ListClasses.back(), own);
  EXPECT_TRUE(Dialog.RefreshData);

  // The file reads back as the class's table.
  TPolars back;
  ASSERT_TRUE(TPackagePolars().LoadPolars(PolarFile(own), back));
  EXPECT_NEAR(double(back.Velocity[4][3]), double(State.Polars.Velocity[4][3]), 0.05);

  // A second save asks; No writes nothing and changes no flag.
  ASSERT_TRUE(Tools.SaveTextFile(PolarFile(own), {"kept"}));
  Dialog.SetData(State);
  Log.Answers = {false};
  Dialog.Button_Save->click();
  EXPECT_EQ(Log.Questions, (std::vector<std::string>{"Overwrite existing polar diagram?"}));
  TStringList lines;
  ASSERT_TRUE(Tools.ReadTextFile(PolarFile(own), lines));
  EXPECT_EQ(lines, (TStringList{"kept"}));
  EXPECT_FALSE(Dialog.RefreshData);

  // Yes writes it, and the name is not added again.
  Log.Answers = {true};
  Dialog.Button_Save->click();
  ASSERT_TRUE(Tools.ReadTextFile(PolarFile(own), lines));
  EXPECT_EQ(lines.size(), 14u);
  EXPECT_EQ(Count(own), 1);
  EXPECT_FALSE(Dialog.RefreshData);
}

TEST_F(ViewPolarsDialogTest, AnOwnClassIsNotPrefixedTwice) {
  State.BoatClass = "My-Dart";
  Dialog.SetData(State);
  Dialog.ButtonSaveClick();
  EXPECT_TRUE(Exists("My-Dart"));
  EXPECT_FALSE(Exists("My-My-Dart"));
  EXPECT_EQ(Count("My-Dart"), 1);
}

}  // namespace
}  // namespace corvane
