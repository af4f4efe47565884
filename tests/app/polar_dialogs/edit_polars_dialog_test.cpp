#include "app/polar_dialogs/edit_polars_dialog.h"

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include <filesystem>
#include <string>
#include <vector>

#include "dialog_fixture.h"
#include "polars/polar_exchange.h"
#include "support/locale_guard.h"

namespace corvane {
namespace {

using Questions = std::vector<std::string>;

class EditPolarsDialogTest : public TPolarDialogTest {
 protected:
  EditPolarsDialogTest() : Dialog(Tools) { Dialog.SetAsker(std::make_unique<TScriptedAsker>(Log)); }

  // The dialog as the "My" button opens it: with the state's class (row 0)
  // or with none (-1).
  void Open(int itemIndex) {
    Dialog.SetData(itemIndex, State);
    Dialog.show();
  }
  void Type(int row, int column, const std::string& text) {
    Dialog.StringGrid_Polars->item(row, column)->setText(QString::fromStdString(text));
  }
  std::string Name() const { return Dialog.Edit_Class->text().toStdString(); }
  std::string GridCell(int row, int column) const { return Cell(*Dialog.StringGrid_Polars, row, column); }
  int PolarFileCount() const {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(Documents.path())) {
      n += entry.path().extension() == ".pol";
    }
    return n;
  }

  testing::TLocaleGuard Point{testing::MakeDecimalLocale('.')};
  TFormEditPolars Dialog;
};

TEST_F(EditPolarsDialogTest, TextsAndStart) {
  Open(-1);
  EXPECT_EQ(Dialog.windowTitle().toStdString(), "Edit polar diagrams");
  EXPECT_EQ(Dialog.Button_Save->text().toStdString(), "Save polar");
  EXPECT_EQ(Dialog.Button_Add->text().toStdString(), "Add polar");
  EXPECT_EQ(Dialog.Button_Delete->text().toStdString(), "Delete polar");
  EXPECT_EQ(Dialog.Button_Close->text().toStdString(), "Close");
  EXPECT_EQ(Name(), "");
  EXPECT_EQ(GridCell(1, 1), "0.0");
  EXPECT_FALSE(Dialog.Edited);

  Dialog.hide();
  Open(0);
  EXPECT_EQ(Name(), "GRAND-SOLEIL39-NEW-C");
  EXPECT_EQ(GridCell(6, 4), TStringTools().ExtendedToStr(State.Polars.Velocity[4][4], 1));
  EXPECT_FALSE(Dialog.Edited);
}

TEST_F(EditPolarsDialogTest, ANamedPrefixIsNotDoubled) {
  struct Case {
    const char* typed;
    const char* saved;
  };
  for (const Case& c : {Case{"My-Dart", "My-Dart"}, Case{"Laser Radial", "My-Laser Radial"}}) {
    SCOPED_TRACE(c.typed);
    Open(-1);
    Dialog.Edit_Class->setText(c.typed);
    Dialog.Button_Save->click();
    EXPECT_EQ(Name(), c.saved);
    EXPECT_TRUE(Exists(c.saved));
    EXPECT_EQ(State.ListClasses.back(), c.saved);
    EXPECT_TRUE(Dialog.RefreshData);
    EXPECT_FALSE(Dialog.ReloadPolars);
    Dialog.hide();
  }
  EXPECT_FALSE(Exists("My-My-Dart"));
  EXPECT_TRUE(Log.Questions.empty());
}

// A class is chosen without regard to letter case: a name that differs from
// an own polar's only in case is that polar, not a second one hidden by it.
TEST_F(EditPolarsDialogTest, ANameDifferingInLetterCaseIsTheSamePolar) {
  Open(-1);
  Dialog.Edit_Class->setText("Dart");
  Dialog.Button_Save->click();
  const std::size_t classes = State.ListClasses.size();
  Dialog.hide();

  Log.Answers = {false, true};
  for (const char* typed : {"DART", "My-dART"}) {
    SCOPED_TRACE(typed);
    Open(-1);
    Dialog.Edit_Class->setText(typed);
    Dialog.Button_Save->click();
    EXPECT_EQ(Name(), "My-Dart");
    EXPECT_EQ(PolarFileCount(), 1);
    EXPECT_EQ(State.ListClasses.size(), classes);
    Dialog.hide();
  }
  EXPECT_EQ(Log.Questions, (Questions{"Overwrite existing polar diagram?", "Overwrite existing polar diagram?"}));
}

TEST_F(EditPolarsDialogTest, CellsWithCommaOrPointAndWithoutDigits) {
  Open(-1);
  Type(1, 1, "7,5");
  Type(1, 2, "7.5");
  Type(6, 3, "fast");
  Type(0, 1, "43,5");
  Dialog.Edit_Class->setText("Dart");
  Dialog.Button_Save->click();
  EXPECT_DOUBLE_EQ(double(Dialog.Polars().Velocity[1][0]), 7.5);
  EXPECT_DOUBLE_EQ(double(Dialog.Polars().Velocity[2][0]), 7.5);
  EXPECT_DOUBLE_EQ(double(Dialog.Polars().Velocity[3][4]), 0);
  EXPECT_DOUBLE_EQ(double(Dialog.Polars().BeatAngles[1]), 43.5);
  // Every cell shows its normalised number after saving.
  EXPECT_EQ(GridCell(1, 1), "7.5");
  EXPECT_EQ(GridCell(6, 3), "0.0");
  EXPECT_EQ(GridCell(0, 1), "43.5\xC2\xB0");
}

TEST_F(EditPolarsDialogTest, AnEmptyNameIsAnInvalidFilename) {
  Open(0);
  Dialog.Button_Add->click();
  EXPECT_EQ(Name(), "");
  Dialog.Button_Save->click();
  EXPECT_EQ(Log.Errors, (std::vector<std::string>{"Invalid filename"}));
  EXPECT_EQ(PolarFileCount(), 0);
  EXPECT_FALSE(Dialog.RefreshData);

  Dialog.Edit_Class->setText("a/b");
  Dialog.Button_Save->click();
  EXPECT_EQ(Log.Errors.size(), 2u);
  EXPECT_EQ(PolarFileCount(), 0);
}

TEST_F(EditPolarsDialogTest, EditedIsSetByACellAndByTheName) {
  Open(0);
  EXPECT_FALSE(Dialog.Edited);
  Type(4, 2, "5.1");
  EXPECT_TRUE(Dialog.Edited);
  // The plot follows the cell.
  EXPECT_DOUBLE_EQ(double(Dialog.Plot->Polars().Velocity[2][2]), 5.1);

  Dialog.hide();
  Open(0);
  EXPECT_FALSE(Dialog.Edited);
  Dialog.Edit_Class->setText("Dart");
  EXPECT_TRUE(Dialog.Edited);
  Dialog.Button_Save->click();
  EXPECT_FALSE(Dialog.Edited);
  // Row 0 of the own list was edited: the window reloads its polar.
  EXPECT_TRUE(Dialog.ReloadPolars);
}

TEST_F(EditPolarsDialogTest, AddAsksToSaveAnEditedPolar) {
  struct Case {
    const char* name;
    bool edit;
    std::deque<bool> answers;
    Questions asked;
    bool saved;
  };
  const std::vector<Case> cases{
      {"not edited", false, {}, {}, false},
      {"edited, No", true, {false}, {"Save polar diagram?"}, false},
      {"edited, Yes", true, {true}, {"Save polar diagram?"}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(PolarFile("My-Dart"));
    Log = TAskLog{};
    Log.Answers = c.answers;
    Open(-1);
    {
      // The name typed is the program's, not an edit, for this case.
      Dialog.Edit_Class->setText("Dart");
      Dialog.Edited = false;
    }
    if (c.edit) Type(1, 1, "6.5");
    Dialog.Button_Add->click();
    EXPECT_EQ(Log.Questions, c.asked);
    EXPECT_EQ(Exists("My-Dart"), c.saved);
    EXPECT_EQ(Name(), "");
    EXPECT_EQ(GridCell(1, 1), "0,0");
    EXPECT_FALSE(Dialog.Edited);
    // A polar saved on the way still reaches the window's lists.
    EXPECT_EQ(Dialog.RefreshData, c.saved);
    Dialog.hide();
  }
}

TEST_F(EditPolarsDialogTest, DeleteAsksAndDeletesOnlyTheOwnFile) {
  ASSERT_TRUE(Tools.SaveTextFile(PolarFile("My-Dart"), {"Beat 5.0"}));
  ASSERT_TRUE(Tools.SaveTextFile(PolarFile("GRAND-SOLEIL39-NEW-C"), {"Beat 5.0"}));
  struct Case {
    const char* name;
    const char* typed;
    bool edit;
    std::deque<bool> answers;
    Questions asked;
    bool deleted;
  };
  const std::vector<Case> cases{
      {"declined", "Dart", false, {false}, {"Delete polar diagram?"}, false},
      {"built-in name", "GRAND-SOLEIL39-NEW-C", false, {true}, {"Delete polar diagram?"}, false},
      {"edited, not saved, deleted",
       "My-Dart",
       true,
       {false, true},
       {"Save polar diagram?", "Delete polar diagram?"},
       true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Log = TAskLog{};
    Log.Answers = c.answers;
    Open(-1);
    Dialog.Edit_Class->setText(c.typed);
    Dialog.Edited = false;
    if (c.edit) Type(1, 1, "6.5");
    Dialog.Button_Delete->click();
    EXPECT_EQ(Log.Questions, c.asked);
    EXPECT_EQ(Dialog.ReloadClasses, c.deleted);
    EXPECT_EQ(Exists("My-Dart"), !c.deleted);
    EXPECT_EQ(Name(), c.deleted ? "" : c.typed);
    Dialog.hide();
  }
  // A built-in class's name never reaches a file of that name.
  EXPECT_TRUE(Exists("GRAND-SOLEIL39-NEW-C"));
}

TEST_F(EditPolarsDialogTest, ImportFillsTheGridAndSavesNothing) {
  const std::string file = Documents.folder() + "Sprinter 33.csv";
  ASSERT_TRUE(Tools.SaveTextFile(file, {"TWA\\TWS;6;20", "40;4;6", "52;4.5;7", "90;5.5;8", "150;4;7.2"}));
  Log.OpenFile = QString::fromStdString(file);
  Open(-1);
  Dialog.Button_Import->click();
  EXPECT_TRUE(Log.Errors.empty());
  EXPECT_EQ(GridCell(1, 1), "4.0");  // beat speed at 6 kts
  EXPECT_EQ(GridCell(0, 7), "40.0\xC2\xB0");
  EXPECT_EQ(GridCell(2, 1), "5.0 sec");
  EXPECT_EQ(Name(), "Sprinter 33");
  EXPECT_TRUE(Dialog.Edited);
  EXPECT_EQ(PolarFileCount(), 0);
  EXPECT_DOUBLE_EQ(double(Dialog.Plot->Polars().Velocity[1][0]), 4.0);
  // The file is clean but for the angles it does not reach.
  for (const std::string& info : Log.Informations) EXPECT_EQ(info.find("not in ascending"), std::string::npos);
}

TEST_F(EditPolarsDialogTest, ABadFileIsRejectedWithItsLineAndChangesNothing) {
  const std::string file = Documents.folder() + "bad.csv";
  ASSERT_TRUE(Tools.SaveTextFile(file, {"TWA;6;8", "52;4;5", "6O;4;5"}));
  Log.OpenFile = QString::fromStdString(file);
  Open(0);
  const std::string before = GridCell(1, 4);
  Dialog.Button_Import->click();
  EXPECT_EQ(Log.Errors, (std::vector<std::string>{"Cannot import bad.csv\nline 3: angle '6O' is not a number"}));
  EXPECT_EQ(GridCell(1, 4), before);
  EXPECT_FALSE(Dialog.Edited);
}

TEST_F(EditPolarsDialogTest, ARepairedFileListsItsRepairs) {
  const std::string file = Documents.folder() + "unordered.txt";
  ASSERT_TRUE(Tools.SaveTextFile(file, {"TWA;20;6", "40;6;4", "52;7;4.5", "150;7.2;4"}));
  Log.OpenFile = QString::fromStdString(file);
  Open(-1);
  Dialog.Button_Import->click();
  ASSERT_EQ(Log.Informations.size(), 1u);
  EXPECT_EQ(Log.Informations.front(),
            "Imported unordered.txt with repairs:\nline 1: wind speeds not in ascending order; the columns were sorted");
  EXPECT_EQ(GridCell(1, 1), "4.0");
}

TEST_F(EditPolarsDialogTest, ExportWritesTheGridAsAMatrix) {
  const std::string file = Documents.folder() + "out.csv";
  Log.SaveFile = QString::fromStdString(file);
  Open(0);
  Type(3, 4, "5.55");  // typed, not yet saved: the export takes the grid
  Dialog.Button_Export->click();
  EXPECT_EQ(Log.ProposedSaveFile.toStdString(), Documents.folder() + "My-GRAND-SOLEIL39-NEW-C.csv");
  const TPolarImport back = ReadPolarExchangeFile(file);
  ASSERT_TRUE(back.Ok) << back.Error;
  EXPECT_NEAR(double(back.Polars.Velocity[4][1]), 5.55, 1e-9);
  EXPECT_NEAR(double(back.Polars.Velocity[3][5]), double(State.Polars.Velocity[3][5]), 0.05);
}

}  // namespace
}  // namespace corvane
