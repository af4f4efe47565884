// Renders the chart data sets to a PNG so that they can be looked at:
//   corvane_chart_preview <datasets folder> <out.png> [pixels per nm] [depth line 0-4]
//                         [west south east north]
// (the window in minutes of arc, the whole frame by default).
// The layers are painted in the chart's order and colours (deep water, the
// shallower water inside it, shallow water, drying flats, land, height bands),
// then the chosen draft line in red, the marks, the towns and the flats.

#include <QtCore/QString>
#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPolygonF>

#include <cmath>
#include <iostream>
#include <numbers>
#include <string>

#include "tools/datagen/chart/chart_sets.h"

namespace {

using corvane::TChartSets;
using corvane::TPolygon;

struct TView {
  double west, south, east, north;
  double pixelsPerNm;
  double cosLat;
  QPointF operator()(double lon, double lat) const {
    return {(lon - west) * cosLat * pixelsPerNm, (north - lat) * pixelsPerNm};
  }
};

QPolygonF ToScreen(const TView& view, const TPolygon& polygon) {
  QPolygonF out;
  for (const auto& p : polygon) out << view(p.X, p.Y);
  return out;
}

void Fill(QPainter& painter, const TView& view, const corvane::TListPolygon& group, QRgb colour) {
  painter.setPen(QPen(QColor::fromRgba(colour), 1));
  painter.setBrush(QColor::fromRgba(colour));
  for (const TPolygon& polygon : group) {
    if (polygon.size() >= 3) painter.drawPolygon(ToScreen(view, polygon), Qt::OddEvenFill);
  }
}

QColor BuoyColour(int type) {
  switch (type) {
    case 1: case 16: case 17: case 20: return QColor(0xFF, 0xFF, 0x00);
    case 2: case 19: return QColor(0xFF, 0xA5, 0x00);
    case 18: case 24: return QColor(0xFF, 0xFF, 0xFF);
    case 3: return QColor(0x00, 0x80, 0x00);
    case 4: case 21: return QColor(0xFF, 0x00, 0x00);
    case 5: return QColor(0xFF, 0xCD, 0x65);
    case 11: case 12: return QColor(0xFF, 0x00, 0xFF);
    case 13: return QColor(0x00, 0xFF, 0xFF);
    default: return QColor(0x20, 0x20, 0x20);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::cerr << "usage: corvane_chart_preview <datasets folder> <out.png> [pixels per nm] [depth line 0-4]\n";
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  std::string error;
  const std::optional<TChartSets> sets = corvane::ReadChartSets(argv[1], error);
  if (!sets) {
    std::cerr << "corvane_chart_preview: " << error << "\n";
    return 1;
  }
  const double pixelsPerNm = argc > 3 ? std::stod(argv[3]) : 40;
  const int depthLine = argc > 4 ? std::stoi(argv[4]) : 2;
  double window[4] = {-100, 3032, -60, 3052};
  if (argc == 9) {
    for (int i = 0; i < 4; ++i) window[i] = std::stod(argv[5 + i]);
  }
  const TView view{window[0], window[1], window[2], window[3], pixelsPerNm,
                   std::cos(3042.0 / 60 * std::numbers::pi / 180)};
  const QPointF corner = view(window[2], window[1]);
  QImage image(static_cast<int>(std::ceil(corner.x())), static_cast<int>(std::ceil(corner.y())),
               QImage::Format_RGB32);
  image.fill(QColor(0xB4, 0xD6, 0xF1));
  QPainter painter(&image);

  for (const corvane::TMapTiles& tile : sets->Tiles) {
    if (tile.Typ != 1) {
      Fill(painter, view, tile.Lines10m, 0xFFFFFFFF);
      Fill(painter, view, tile.Waters, 0xFFB4D6F1);
      Fill(painter, view, tile.Lines5m, 0xFF66AEF3);
      Fill(painter, view, tile.ShallowWaters, 0xFF669965);
    }
    Fill(painter, view, tile.CoastLines, 0xFFFFCD65);
    for (std::size_t i = 0; i < tile.Heights.size(); ++i) {
      const QRgb colour = i <= 2 ? 0xFFDFA200 : i <= 5 ? 0xFFA87A00 : i <= 7 ? 0xFF775600 : 0xFF281E00;
      Fill(painter, view, {tile.Heights[i]}, colour);
    }
  }
  painter.setPen(QPen(QColor(0, 0, 0, 90), 0));
  painter.setBrush(Qt::NoBrush);
  for (const corvane::TMapTiles& tile : sets->Tiles) {
    painter.drawRect(QRectF(view(static_cast<double>(tile.P1.Lon), static_cast<double>(tile.P2.Lat)),
                            view(static_cast<double>(tile.P2.Lon), static_cast<double>(tile.P1.Lat))));
  }
  if (depthLine >= 1 && depthLine <= static_cast<int>(sets->Drafts.size())) {
    painter.setPen(QPen(QColor(0xFF, 0, 0), 1));
    painter.drawPolygon(ToScreen(view, sets->Drafts[depthLine - 1]));
    for (const TPolygon& hole : sets->InvDrafts[depthLine - 1]) painter.drawPolygon(ToScreen(view, hole));
  }

  painter.setRenderHint(QPainter::Antialiasing, true);
  QFont small("Liberation Sans");
  small.setPixelSize(std::max(7, static_cast<int>(pixelsPerNm / 5)));
  QFont large("Liberation Sans");
  large.setPixelSize(std::max(9, static_cast<int>(pixelsPerNm / 3)));
  large.setBold(true);
  const double r = std::max(2.0, pixelsPerNm / 14);
  for (const corvane::TChartPoint& buoy : sets->Buoys) {
    const QPointF p = view(static_cast<double>(buoy.Position.Lon), static_cast<double>(buoy.Position.Lat));
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(BuoyColour(buoy.Type));
    if (buoy.Type == 5 || buoy.Type == 11 || buoy.Type == 12 || buoy.Type == 6) {
      painter.drawRect(QRectF(p.x() - r, p.y() - r, 2 * r, 2 * r));
    } else {
      painter.drawEllipse(p, r, r);
    }
    painter.setFont(small);
    const QString label = buoy.ShortCut.empty() ? QString::fromStdString(buoy.Name)
                                                : QString::fromStdString(buoy.ShortCut);
    const double w = painter.fontMetrics().horizontalAdvance(label);
    painter.drawText(p + QPointF(buoy.Align == 2 ? -r - 1 - w : r + 1, -r), label);
  }
  painter.setFont(large);
  for (const corvane::TChartPoint& town : sets->Towns) {
    const QPointF p = view(static_cast<double>(town.Position.Lon), static_cast<double>(town.Position.Lat));
    painter.fillRect(QRectF(p.x() - 3, p.y() - 3, 6, 6), Qt::black);
    const QString name = QString::fromStdString(town.Name).toUpper();
    const double w = painter.fontMetrics().horizontalAdvance(name);
    const double x = town.Align == 2 ? p.x() - 5 - w : town.Align == 1 ? p.x() + 5 : p.x() - w / 2;
    painter.drawText(QPointF(x, p.y() + (town.Align == 0 ? 14 : 4)), name);
  }
  QFont italic = small;
  italic.setItalic(true);
  painter.setFont(italic);
  painter.setPen(QColor(0x10, 0x40, 0x10));
  for (const corvane::TChartPoint& flat : sets->Flats) {
    const QPointF p = view(static_cast<double>(flat.Position.Lon), static_cast<double>(flat.Position.Lat));
    const QString name = QString::fromStdString(flat.Name);
    const double w = painter.fontMetrics().horizontalAdvance(name);
    const double x = flat.Align == 2 ? p.x() - w : flat.Align == 1 ? p.x() : p.x() - w / 2;
    painter.drawText(QPointF(x, p.y() + 4), name);
  }
  painter.end();
  if (!image.save(QString::fromStdString(argv[2]), "PNG")) {
    std::cerr << "corvane_chart_preview: cannot write " << argv[2] << "\n";
    return 1;
  }
  return 0;
}
