// Draws the polar diagrams of a few classes of the generated library into
// one PNG for review: boat speed against true wind angle, one curve per wind
// speed, the beat and run points marked.
//
//   corvane_plot_polars <datasets folder> <output.png> <class> [<class> ...]
//
// Reads POLARSN/POLARS and DINGHYN/DINGHY from the folder with the library's
// own record reader, so the picture shows what the program will load.

#include <QtGui/QColor>
#include <QtGui/QFont>
#include <QtGui/QGuiApplication>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QPainterPath>
#include <QtGui/QPen>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <numbers>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "polars/polar_records.h"

namespace {

using corvane::TPolars;

std::vector<std::uint8_t> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Consecutive short strings: a length byte, then the characters.
std::vector<std::string> ReadNames(const std::vector<std::uint8_t>& bytes) {
  std::vector<std::string> names;
  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::size_t n = bytes[at++];
    const std::size_t end = std::min(bytes.size(), at + n);
    names.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(at),
                       bytes.begin() + static_cast<std::ptrdiff_t>(end));
    at = end;
  }
  return names;
}

std::optional<TPolars> FindClass(const std::string& folder, const std::string& name) {
  for (const auto& [namesSet, recordsSet] :
       {std::pair{"POLARSN", "POLARS"}, std::pair{"DINGHYN", "DINGHY"}}) {
    const auto names = ReadNames(ReadFile(folder + "/" + namesSet));
    const auto it = std::find(names.begin(), names.end(), name);
    if (it == names.end()) continue;
    const auto records = ReadFile(folder + "/" + recordsSet);
    TPolars polars;
    corvane::ReadPolarsRecord(records, static_cast<int>(it - names.begin()), polars);
    return polars;
  }
  return std::nullopt;
}

// The points of one wind column, ordered by angle: the beat, the filled
// fixed-angle rows and the run.
std::vector<std::pair<double, double>> Curve(const TPolars& p, std::size_t col) {
  std::vector<std::pair<double, double>> points;
  const auto runRow = static_cast<std::size_t>(p.nRows - 1);
  points.emplace_back(static_cast<double>(p.BeatAngles[col]), static_cast<double>(p.Velocity[col][0]));
  for (std::size_t r = 1; r < runRow; ++r) {
    if (p.Velocity[col][r] > 0) {
      points.emplace_back(static_cast<double>(p.WindAngles[r]), static_cast<double>(p.Velocity[col][r]));
    }
  }
  points.emplace_back(static_cast<double>(p.GybeAngles[col]), static_cast<double>(p.Velocity[col][runRow]));
  std::sort(points.begin(), points.end());
  return points;
}

void DrawPanel(QPainter& g, const QRectF& box, const std::string& name, const TPolars& p) {
  const double maxSpeed = [&] {
    double m = 0;
    for (const auto& column : p.Velocity) {
      for (const auto v : column) m = std::max(m, static_cast<double>(v));
    }
    return std::ceil(m / 2) * 2;
  }();
  const QPointF centre(box.left() + 40, box.top() + box.height() / 2 + 10);
  const double radius = std::min(box.width() - 80, box.height() / 2 - 40);
  const double scale = radius / maxSpeed;
  const auto at = [&](double angleDeg, double speed) {
    const double a = angleDeg * std::numbers::pi / 180;
    return QPointF(centre.x() + speed * scale * std::sin(a), centre.y() - speed * scale * std::cos(a));
  };

  g.setPen(QPen(QColor(0, 0, 0), 1));
  QFont title("Liberation Sans", 13);
  title.setBold(true);
  g.setFont(title);
  g.drawText(QRectF(box.left(), box.top() + 4, box.width(), 22), Qt::AlignHCenter, QString::fromStdString(name));

  g.setFont(QFont("Liberation Sans", 9));
  g.setPen(QPen(QColor(190, 190, 190), 1));
  for (double s = 2; s <= maxSpeed + 1e-9; s += 2) {
    QPainterPath arc;
    arc.moveTo(at(0, s));
    for (int a = 1; a <= 180; ++a) arc.lineTo(at(a, s));
    g.drawPath(arc);
    g.drawText(at(0, s) + QPointF(-28, 4), QString::number(s, 'f', 0) + " kts");
  }
  for (int a = 0; a <= 180; a += 15) {
    g.drawLine(centre, at(a, maxSpeed));
    if (a % 30 == 0) g.drawText(at(a, maxSpeed * 1.06) + QPointF(-8, 4), QString::number(a) + "°");
  }

  static const QColor colours[] = {QColor(31, 119, 180), QColor(255, 127, 14), QColor(44, 160, 44),
                                   QColor(214, 39, 40), QColor(148, 103, 189), QColor(140, 86, 75),
                                   QColor(227, 119, 194)};
  for (int c = 1; c <= p.nCols - 2; ++c) {
    const auto col = static_cast<std::size_t>(c);
    const QColor colour = colours[(c - 1) % 7];
    const auto points = Curve(p, col);
    QPainterPath path;
    path.moveTo(at(points.front().first, points.front().second));
    for (const auto& [angle, speed] : points) path.lineTo(at(angle, speed));
    g.setPen(QPen(colour, 2));
    g.drawPath(path);
    g.setBrush(colour);
    g.drawEllipse(at(static_cast<double>(p.BeatAngles[col]), static_cast<double>(p.Velocity[col][0])), 3.5, 3.5);
    g.drawEllipse(at(static_cast<double>(p.GybeAngles[col]),
                     static_cast<double>(p.Velocity[col][static_cast<std::size_t>(p.nRows - 1)])),
                  3.5, 3.5);
    g.setBrush(Qt::NoBrush);
    const double y = box.bottom() - 20 - 16.0 * (p.nCols - 2 - c);
    g.drawLine(QPointF(box.right() - 110, y), QPointF(box.right() - 85, y));
    g.setPen(QPen(QColor(0, 0, 0), 1));
    g.drawText(QPointF(box.right() - 78, y + 4), QString::number(static_cast<double>(p.WindVelocity[col]), 'f', 0) + " kts TWS");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: %s <datasets folder> <output.png> <class> [<class> ...]\n", argv[0]);
    return 2;
  }
  // Renders without a display.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);

  const std::string folder = argv[1];
  std::vector<std::pair<std::string, TPolars>> classes;
  for (int i = 3; i < argc; ++i) {
    const auto polars = FindClass(folder, argv[i]);
    if (!polars) {
      std::fprintf(stderr, "class %s not found in %s\n", argv[i], folder.c_str());
      return 1;
    }
    classes.emplace_back(argv[i], *polars);
  }

  constexpr int kPanel = 480;
  const int columns = classes.size() > 1 ? 2 : 1;
  const int rows = static_cast<int>((classes.size() + 1) / static_cast<std::size_t>(columns));
  QImage image(columns * kPanel, rows * kPanel, QImage::Format_RGB32);
  image.fill(QColor(255, 255, 255));
  QPainter g(&image);
  g.setRenderHint(QPainter::Antialiasing);
  for (std::size_t i = 0; i < classes.size(); ++i) {
    const int col = static_cast<int>(i) % columns;
    const int row = static_cast<int>(i) / columns;
    DrawPanel(g, QRectF(col * kPanel, row * kPanel, kPanel, kPanel), classes[i].first, classes[i].second);
  }
  g.end();
  if (!image.save(QString::fromStdString(argv[2]), "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("%s\n", argv[2]);
  return 0;
}
