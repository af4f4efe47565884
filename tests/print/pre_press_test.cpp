// The page geometry of a sheet (dots per layout unit, the chart's rectangle
// and its header strip) and the drawing of print lines on a page.

#include "print/pre_press.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cmath>
#include <vector>

#include "datasets/builtin_datasets.h"
#include "print_fixture.h"

namespace corvane {
namespace {

TEST(PrePressGeometryTest, DotsPerUnitFollowThePage) {
  struct Case {
    const char* Name;
    int Width;
    int Height;
    double Hor;
    double Ver;
  };
  const Case cases[] = {
      {"whole dots per unit", 9500, 11080, 5, 4},
      {"A4 at 300 dpi", 2480, 3508, 2480.0 / 1900, 3508.0 / 2770},
      {"no page", 0, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TPrePress sheet;
    sheet.SetPageSize(c.Width, c.Height);
    EXPECT_EQ(sheet.PageWidth, c.Width);
    EXPECT_EQ(sheet.PageHeight, c.Height);
    EXPECT_DOUBLE_EQ(static_cast<double>(sheet.DotsPerMmHor), static_cast<double>(c.Hor));
    EXPECT_DOUBLE_EQ(static_cast<double>(sheet.DotsPerMmVer), static_cast<double>(c.Ver));
  }
}

TEST(PrePressGeometryTest, ChartSitsAtTheFootOfThePage) {
  struct Case {
    const char* Name;
    int Width;
    int Height;
    double Offset;
    TRectF Map;
    float HeaderTop;
  };
  const Case cases[] = {
      // w = 9500 - 420, h = 0.75 w, top = 11080 - h - 40.
      {"whole dots per unit", 9500, 11080, 0, {210, 4230, 9290, 11040}, 4030},
      // 84 units are 109.6 dots, taken as 110; 10 units are 12.7, taken as 13.
      {"A4 at 300 dpi", 2480, 3508, 0, {54.821f, 1717.5f, 2424.821f, 3495}, 1654.179f},
      {"lifted by MapOffsetVer", 9500, 11080, 100, {210, 4130, 9290, 10940}, 3930},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Name);
    TPrePress sheet;
    sheet.SetPageSize(c.Width, c.Height);
    sheet.MapOffsetVer = c.Offset;
    const TRectF map = sheet.MapRect(0.75);
    EXPECT_NEAR(map.Left, c.Map.Left, 1e-3);
    EXPECT_NEAR(map.Top, c.Map.Top, 1e-3);
    EXPECT_NEAR(map.Right, c.Map.Right, 1e-3);
    EXPECT_NEAR(map.Bottom, c.Map.Bottom, 1e-3);
    const TRectF header = sheet.HeaderRect(map);
    EXPECT_NEAR(header.Top, c.HeaderTop, 1e-2);
    EXPECT_EQ(header.Bottom, map.Top);
    EXPECT_EQ(header.Left, map.Left);
    EXPECT_EQ(header.Right, map.Right);
  }
}

class PrintLinesDrawingTest : public testing_print::GuiTest {
 protected:
  // A white page of 950 x 1385 pixels: half a dot per layout unit.
  PrintLinesDrawingTest() : page(950, 1385, QImage::Format_ARGB32) {
    page.fill(Qt::white);
    sheet.SetPageSize(page.width(), page.height());
  }

  // Whether a pixel of the colour lies inside (x0, y0)-(x1, y1), dots.
  bool Has(QRgb rgb, int x0, int y0, int x1, int y1) const {
    for (int y = std::max(y0, 0); y < std::min(y1, page.height()); ++y) {
      for (int x = std::max(x0, 0); x < std::min(x1, page.width()); ++x) {
        if (page.pixel(x, y) == rgb) return true;
      }
    }
    return false;
  }
  // Whether any pixel other than white lies inside the rectangle.
  bool Inked(int x0, int y0, int x1, int y1) const {
    for (int y = std::max(y0, 0); y < std::min(y1, page.height()); ++y) {
      for (int x = std::max(x0, 0); x < std::min(x1, page.width()); ++x) {
        if (page.pixel(x, y) != qRgb(255, 255, 255)) return true;
      }
    }
    return false;
  }

  void Draw() {
    QPainter painter(&page);
    sheet.DrawPrintLines(painter, BuiltInResourceStore());
  }

  QImage page;
  TPrePress sheet;
};

TEST_F(PrintLinesDrawingTest, TextStandsRightAndBelowItsPlaceInItsColour) {
  sheet.AddTextLine(400, 2, "WWWW", 600, 2);  // bold red title text at (300, 200) dots
  Draw();
  EXPECT_TRUE(Has(qRgb(255, 0, 0), 300, 200, 400, 240));
  EXPECT_FALSE(Inked(0, 0, 950, 199));
  EXPECT_FALSE(Inked(0, 0, 298, 1385));
}

TEST_F(PrintLinesDrawingTest, TextSizesFollowTheirFonts) {
  // Capital letters of the title (24) and of the small text (11), blue and
  // black, on rows 400 units apart.
  sheet.AddTextLine(200, 2, "HHHH", 100, 1);
  sheet.AddTextLine(800, 1, "HHHH", 100, 0);
  Draw();
  // Height of the ink of a colour (any pixel darker than mid-grey in its
  // channels other than blue) between two page rows.
  auto inkHeight = [this](int y0, int y1, bool blue) {
    int top = -1;
    int bottom = -1;
    for (int y = y0; y < y1; ++y) {
      for (int x = 0; x < page.width(); ++x) {
        const QRgb p = page.pixel(x, y);
        const bool ink = qRed(p) < 128 && qGreen(p) < 128 && (blue ? qBlue(p) > 200 : qBlue(p) < 128);
        if (!ink) continue;
        if (top < 0) top = y;
        bottom = y;
      }
    }
    return top < 0 ? 0 : bottom - top + 1;
  };
  const int title = inkHeight(100, 300, true);
  const int small = inkHeight(400, 600, false);
  ASSERT_GT(small, 0);
  EXPECT_NEAR(static_cast<double>(title) / small, 24.0 / 11, 0.3);
}

TEST_F(PrintLinesDrawingTest, LogoHangsFromTheTopRightCorner) {
  sheet.AddPictureLine("LOGO");
  Draw();
  // Width 950 / 4.5 = 211 dots, right edge 25 dots in, top 20 dots down;
  // the logo's aspect is 3 : 1.
  const int right = 950 - 25;
  const int left = right - 211;
  EXPECT_TRUE(Inked(left, 20, right, 20 + 70));
  EXPECT_FALSE(Inked(0, 0, 950, 19));
  EXPECT_FALSE(Inked(right + 1, 0, 950, 1385));
  EXPECT_FALSE(Inked(0, 0, left - 1, 1385));
  EXPECT_FALSE(Inked(0, 20 + 72, 950, 1385));
}

TEST_F(PrintLinesDrawingTest, AMissingPictureIsLeftOut) {
  sheet.AddPictureLine("NO-SUCH-PICTURE");
  Draw();
  EXPECT_FALSE(Inked(0, 0, 950, 1385));
}

}  // namespace
}  // namespace corvane
