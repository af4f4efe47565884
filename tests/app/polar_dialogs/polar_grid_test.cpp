#include "app/polar_dialogs/polar_grid.h"

#include <gtest/gtest.h>

#include <QHeaderView>
#include <QTableWidget>

#include <string>
#include <vector>

#include "dialog_fixture.h"
#include "support/locale_guard.h"

namespace corvane {
namespace {

class PolarGridTest : public TPolarDialogTest {
 protected:
  QTableWidget Grid;
  TStringTools StringTools;
};

TEST_F(PolarGridTest, ResetWritesHeadersLabelsAndCommaTexts) {
  // The reset texts keep their comma in a point locale.
  const testing::TLocaleGuard point(testing::MakeDecimalLocale('.'));
  ResetGridPolars(Grid);
  ASSERT_EQ(Grid.columnCount(), 8);
  ASSERT_EQ(Grid.rowCount(), 13);
  EXPECT_EQ(Grid.horizontalHeaderItem(0)->text().toStdString(), "True wind speed");
  EXPECT_EQ(Grid.horizontalHeaderItem(1)->text().toStdString(), "6 kts");
  EXPECT_EQ(Grid.horizontalHeaderItem(7)->text().toStdString(), "20 kts");
  EXPECT_EQ(Grid.columnWidth(0), 142);
  EXPECT_EQ(Grid.columnWidth(5), 70);
  EXPECT_EQ(Grid.rowHeight(12), 24);

  struct Case {
    int row;
    std::string label;
    std::string reset;
  };
  const std::vector<Case> cases{
      {0, "Beat angle", "0,0\xC2\xB0"}, {1, "Beat speed", "0,0"},  {2, "Beat tack time", "0,0 sec"},
      {3, "52\xC2\xB0", "0,0"},         {10, "150\xC2\xB0", "0,0"}, {11, "Run speed", "0,0"},
      {12, "Gybe angle", "0,0\xC2\xB0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    EXPECT_EQ(Cell(Grid, c.row, 0), c.label);
    EXPECT_EQ(Cell(Grid, c.row, 4), c.reset);
    EXPECT_FALSE(Grid.item(c.row, 0)->flags() & Qt::ItemIsEditable);
    EXPECT_TRUE(Grid.item(c.row, 4)->flags() & Qt::ItemIsEditable);
  }
}

TEST_F(PolarGridTest, SetWritesTheTableInTheUsersLocale) {
  TPolars polars;
  polars.Reset();
  polars.BeatAngles[1] = 43.27;
  polars.Velocity[1][0] = 4.26;
  polars.TackTime[7] = 6;
  polars.Velocity[3][3] = 6.72;  // 10 kts at 75 degrees
  polars.Velocity[7][9] = 7.23;
  polars.GybeAngles[7] = 174.79;
  polars.Velocity[0][0] = 99;  // bound columns are not shown
  polars.Velocity[8][0] = 99;
  ResetGridPolars(Grid);
  {
    const testing::TLocaleGuard comma(testing::MakeDecimalLocale(','));
    SetGridPolars(Grid, polars, StringTools);
    EXPECT_EQ(Cell(Grid, 0, 1), "43,3\xC2\xB0");
  }
  const testing::TLocaleGuard point(testing::MakeDecimalLocale('.'));
  SetGridPolars(Grid, polars, StringTools);
  EXPECT_EQ(Cell(Grid, 0, 1), "43.3\xC2\xB0");
  EXPECT_EQ(Cell(Grid, 1, 1), "4.3");
  EXPECT_EQ(Cell(Grid, 2, 7), "6.0 sec");
  EXPECT_EQ(Cell(Grid, 5, 3), "6.7");
  EXPECT_EQ(Cell(Grid, 11, 7), "7.2");
  EXPECT_EQ(Cell(Grid, 12, 7), "174.8\xC2\xB0");
  EXPECT_EQ(Cell(Grid, 1, 2), "0.0");
}

TEST_F(PolarGridTest, GetReadsEitherSeparatorAndUnreadableCellsAsZero) {
  struct Case {
    const char* name;
    int row;
    int column;
    std::string text;
    double expected;
  };
  const std::vector<Case> cases{
      {"comma", 1, 1, "7,5", 7.5},
      {"point", 1, 2, "7.5", 7.5},
      {"no digits", 3, 3, "fast", 0},
      {"empty", 4, 3, "", 0},
      {"degree sign", 0, 4, "43,5\xC2\xB0", 43.5},
      {"seconds", 2, 5, "5.0 sec", 5},
      {"two separators", 6, 6, "1.2.3", 0},
      {"gybe angle", 12, 7, "165", 165},
  };
  ResetGridPolars(Grid);
  for (const Case& c : cases) Grid.item(c.row, c.column)->setText(QString::fromStdString(c.text));
  TPolars polars;
  polars.Reset();
  polars.Velocity[3][1] = 9;  // the "fast" cell makes it 0
  GetGridPolars(Grid, polars, StringTools);
  const auto valueOf = [&](int row, int column) -> double {
    const std::size_t c = static_cast<std::size_t>(column);
    switch (row) {
      case 0:
        return double(polars.BeatAngles[c]);
      case 2:
        return double(polars.TackTime[c]);
      case 12:
        return double(polars.GybeAngles[c]);
      case 1:
        return double(polars.Velocity[c][0]);
      case 11:
        return double(polars.Velocity[c][9]);
      default:
        return double(polars.Velocity[c][static_cast<std::size_t>(row - 2)]);
    }
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_DOUBLE_EQ(valueOf(c.row, c.column), c.expected);
  }
}

}  // namespace
}  // namespace corvane
