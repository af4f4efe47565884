#include "app/polar_dialogs/polar_grid.h"

#include <QHeaderView>
#include <QString>
#include <QStringList>

#include <array>
#include <cstddef>
#include <string>

#include "polars/polar_exchange.h"

namespace corvane {

namespace {

constexpr int kLabelWidth = 142;
constexpr int kValueWidth = 70;
constexpr int kRowHeight = 24;

constexpr std::array<const char*, kGridPolarsColumns> kHeaders{
    "True wind speed", "6 kts", "8 kts", "10 kts", "12 kts", "14 kts", "16 kts", "20 kts"};
static_assert(kGridPolarsRows == kPolarTableRows);
static_assert(kGridPolarsColumns == kPolarTableLastColumn + 1);

void SetCellText(QTableWidget& grid, int row, int column, const std::string& text) {
  QTableWidgetItem* item = grid.item(row, column);
  if (item == nullptr) {
    // The grid takes ownership of the item.
    grid.setItem(row, column, new QTableWidgetItem(QString::fromStdString(text)));
  } else {
    item->setText(QString::fromStdString(text));
  }
}

}  // namespace

void ResetGridPolars(QTableWidget& GridPolars) {
  GridPolars.setColumnCount(kGridPolarsColumns);
  GridPolars.setRowCount(kGridPolarsRows);
  QStringList headers;
  for (const char* header : kHeaders) headers << QString::fromUtf8(header);
  GridPolars.setHorizontalHeaderLabels(headers);
  GridPolars.verticalHeader()->setVisible(false);
  GridPolars.setColumnWidth(0, kLabelWidth);
  for (int c = kPolarTableFirstColumn; c <= kPolarTableLastColumn; ++c) GridPolars.setColumnWidth(c, kValueWidth);
  for (int r = 0; r < kGridPolarsRows; ++r) {
    GridPolars.setRowHeight(r, kRowHeight);
    const TPolarTableRow& row = kPolarTableLayout[static_cast<std::size_t>(r)];
    SetCellText(GridPolars, r, 0, row.Label);
    QTableWidgetItem* label = GridPolars.item(r, 0);
    label->setFlags(label->flags() & ~Qt::ItemIsEditable);
    // The reset texts carry a comma whatever the locale.
    for (int c = kPolarTableFirstColumn; c <= kPolarTableLastColumn; ++c) {
      SetCellText(GridPolars, r, c, std::string("0,0") + row.Unit);
      GridPolars.item(r, c)->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
  }
}

void SetGridPolars(QTableWidget& GridPolars, const TPolars& Polars, const TStringTools& StringTools) {
  if (!PolarTableShaped(Polars)) return;
  for (int r = 0; r < kGridPolarsRows && r < GridPolars.rowCount(); ++r) {
    const TPolarTableRow& row = kPolarTableLayout[static_cast<std::size_t>(r)];
    for (int c = kPolarTableFirstColumn; c <= kPolarTableLastColumn && c < GridPolars.columnCount(); ++c) {
      SetCellText(GridPolars, r, c, StringTools.ExtendedToStr(PolarTableValue(Polars, r, c), 1) + row.Unit);
    }
  }
}

void GetGridPolars(const QTableWidget& GridPolars, TPolars& Polars, const TStringTools& StringTools) {
  if (!PolarTableShaped(Polars)) Polars.Reset();
  for (int r = 0; r < kGridPolarsRows && r < GridPolars.rowCount(); ++r) {
    for (int c = kPolarTableFirstColumn; c <= kPolarTableLastColumn && c < GridPolars.columnCount(); ++c) {
      const QTableWidgetItem* item = GridPolars.item(r, c);
      const std::string text = item == nullptr ? std::string() : item->text().toStdString();
      PolarTableValue(Polars, r, c) = StringTools.StrToExtended(text, 0);
    }
  }
}

}  // namespace corvane
