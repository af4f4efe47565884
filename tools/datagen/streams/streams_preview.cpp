// Renders the spring field of the low-resolution stream atlas at three charts
// (3 hours before high water, high water, 3 hours after) over the land mask,
// so that the generated atlas can be looked at:
//   corvane_streams_preview <datasets folder> <output folder>
// writes <output folder>/spring_hw-3h.png, spring_hw.png, spring_hw+3h.png.
// Arrows point where the stream goes, their length and colour grow with the
// spring speed; the sub-areas' points are drawn in magenta.

#include <QtCore/QString>
#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPolygonF>

#include <cmath>
#include <fstream>
#include <iostream>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

#include "data/resource_loader.h"
#include "data/resource_store.h"
#include "tools/datagen/bathymetry/land_mask.h"

namespace {

using corvane::TMinutes;

constexpr int kCharts = 26;
constexpr double kWest = -95.5, kEast = -61.5, kSouth = 3040.3, kNorth = 3052.0;
constexpr double kPixelsPerNm = 48;

struct TCube {
  std::vector<TMinutes> Points;
  std::vector<std::vector<std::int32_t>> Packed;  // [chart][point]
};

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Reads the grid and vector data sets of one resolution with the data-set
// reader's primitives.
std::vector<TCube> ReadAtlas(const std::string& folder, const std::string& grid,
                             const std::string& vectors) {
  corvane::TResourceStore store;
  store.Add(grid, ReadFile(folder + "/" + grid));
  store.Add(vectors, ReadFile(folder + "/" + vectors));
  corvane::TPackageSuperResourceLoader reader(store);
  std::vector<TCube> cubes;
  auto g = reader.OpenResource(grid);
  if (!g) return cubes;
  for (int i = 0; i < 4; ++i) reader.ReadFloat(*g);
  reader.ReadString(*g);
  while (g->Remaining() > 0) {
    TCube cube;
    const int k = reader.ReadInt32(*g);
    for (int i = 0; i < k; ++i) cube.Points.push_back(reader.ReadMinutes(*g));
    cubes.push_back(cube);
  }
  auto v = reader.OpenResource(vectors);
  for (TCube& cube : cubes) {
    if (!v) break;
    const int k = reader.ReadInt32(*v);
    cube.Packed.assign(kCharts, std::vector<std::int32_t>(k));
    for (int c = 0; c < kCharts; ++c)
      for (int i = 0; i < k; ++i) cube.Packed[c][i] = reader.ReadInt32(*v);
  }
  return cubes;
}

struct TView {
  double cosLat = std::cos((kSouth + kNorth) / 2 / 60 * std::numbers::pi / 180);
  QPointF operator()(double lon, double lat) const {
    return {(lon - kWest) * cosLat * kPixelsPerNm, (kNorth - lat) * kPixelsPerNm};
  }
};

QColor SpeedColour(double knots) {
  const double t = std::clamp(knots / 4.0, 0.0, 1.0);
  return QColor::fromHsvF(static_cast<float>((1 - t) * 0.62), 0.9f, 0.85f);
}

void DrawArrow(QPainter& painter, QPointF from, double knots, double directionDeg) {
  const double length = 6 + knots * 14;
  const double a = directionDeg * std::numbers::pi / 180;
  const QPointF d(std::sin(a), -std::cos(a));
  const QPointF tip = from + d * length;
  const QPointF side(-d.y(), d.x());
  painter.setPen(QPen(SpeedColour(knots), 1.6));
  painter.drawLine(from, tip);
  QPolygonF head;
  head << tip << tip - d * 5 + side * 2.5 << tip - d * 5 - side * 2.5;
  painter.setBrush(SpeedColour(knots));
  painter.drawPolygon(head);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: corvane_streams_preview <datasets folder> <output folder>\n";
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  std::string error;
  const auto mask = corvane::TLandMask::Load(CORVANE_LAND_MASK_FILE, error);
  if (!mask) {
    std::cerr << error << "\n";
    return 1;
  }
  const std::vector<TCube> cubes = ReadAtlas(argv[1], "STREAMG", "STREAMF");
  if (cubes.empty()) {
    std::cerr << "no atlas in " << argv[1] << "\n";
    return 1;
  }
  const TView view;
  const int width = static_cast<int>((kEast - kWest) * view.cosLat * kPixelsPerNm);
  const int height = static_cast<int>((kNorth - kSouth) * kPixelsPerNm);

  // Land and water once, from the mask.
  QImage base(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    const double lat = kNorth - (y + 0.5) / kPixelsPerNm;
    auto* line = reinterpret_cast<QRgb*>(base.scanLine(y));
    for (int x = 0; x < width; ++x) {
      const double lon = kWest + (x + 0.5) / kPixelsPerNm / view.cosLat;
      line[x] = mask->IsLand(lon, lat) ? qRgb(0xE8, 0xD8, 0xA8) : qRgb(0xDC, 0xEE, 0xF8);
    }
  }
  struct TChart {
    int Field;
    const char* File;
    const char* Title;
  };
  const TChart charts[] = {{7, "spring_hw-3h.png", "Spring streams, 3 h before high water"},
                           {13, "spring_hw.png", "Spring streams at high water"},
                           {19, "spring_hw+3h.png", "Spring streams, 3 h after high water"}};
  for (const TChart& chart : charts) {
    QImage image = base.copy();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    for (std::size_t c = 0; c < cubes.size(); ++c) {
      const TCube& cube = cubes[c];
      for (std::size_t i = 0; i < cube.Points.size(); ++i) {
        const std::int32_t p = cube.Packed.empty() ? 0 : cube.Packed[chart.Field][i];
        const double direction = p / 1000000;
        const double spring = ((p / 1000) % 1000) / 100.0;
        const QPointF at = view(static_cast<double>(cube.Points[i].Lon),
                                static_cast<double>(cube.Points[i].Lat));
        if (c > 0) {
          painter.setPen(Qt::NoPen);
          painter.setBrush(QColor(0xC0, 0x00, 0xC0));
          painter.drawEllipse(at, 2.5, 2.5);
        }
        if (spring > 0) DrawArrow(painter, at, spring, direction);
      }
    }
    painter.setPen(Qt::black);
    painter.setFont(QFont("Liberation Sans", 16));
    painter.drawText(QPointF(12, 26), chart.Title);
    // Speed key.
    for (int k = 0; k <= 4; ++k) {
      const QPointF at(12, 50 + k * 22);
      DrawArrow(painter, at, k, 90);
      painter.setPen(Qt::black);
      painter.setFont(QFont("Liberation Sans", 11));
      painter.drawText(at + QPointF(20 + k * 14, 5), QString::number(k) + " kn");
    }
    painter.end();
    const std::string path = std::string(argv[2]) + "/" + chart.File;
    if (!image.save(QString::fromStdString(path))) {
      std::cerr << "cannot write " << path << "\n";
      return 1;
    }
  }
  return 0;
}
