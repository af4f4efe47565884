// corvane_logo_generator BOLD.ttf REGULAR.ttf OUT: the logo of the printed
// track sheets as a PNG of 900 x 300 pixels: a badge with a sail over two
// waves, and "Corvane" over "Analyzer" beside it.
//
// Everything is drawn from fixed coordinates with fonts loaded from the
// given files, and the PNG carries no time or text chunks, so that the same
// fonts give the same bytes.

#include <QBuffer>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QStringList>
#include <cstdio>

namespace {

constexpr int kWidth = 900;
constexpr int kHeight = 300;
const QColor kNavy(0x0B, 0x2E, 0x59);
const QColor kSea(0x1F, 0x78, 0xC8);
const QColor kSail(0xFF, 0xFF, 0xFF);
const QColor kAccent(0xE8, 0x4A, 0x27);

QString FamilyOf(const QString& file) {
  const int id = QFontDatabase::addApplicationFont(file);
  const QStringList families = id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
  return families.isEmpty() ? QString() : families.front();
}

// The badge: a rounded square with a mainsail, a jib and two waves.
void DrawBadge(QPainter& painter) {
  painter.setPen(Qt::NoPen);
  painter.setBrush(kNavy);
  painter.drawRoundedRect(QRectF(20, 20, 260, 260), 40, 40);

  QPainterPath mainsail;
  mainsail.moveTo(150, 50);
  mainsail.cubicTo(185, 110, 205, 160, 215, 200);
  mainsail.lineTo(150, 200);
  mainsail.closeSubpath();
  painter.setBrush(kSail);
  painter.drawPath(mainsail);

  QPainterPath jib;
  jib.moveTo(138, 70);
  jib.lineTo(138, 200);
  jib.lineTo(78, 200);
  jib.closeSubpath();
  painter.setBrush(kAccent);
  painter.drawPath(jib);

  QPen wave(kSea, 12, Qt::SolidLine, Qt::RoundCap);
  painter.setPen(wave);
  painter.setBrush(Qt::NoBrush);
  for (int i = 0; i < 2; ++i) {
    const qreal y = 222 + 26 * i;
    QPainterPath path;
    path.moveTo(52, y);
    path.cubicTo(82, y - 16, 112, y + 16, 150, y);
    path.cubicTo(188, y - 16, 218, y + 16, 248, y);
    painter.drawPath(path);
  }
}

void DrawName(QPainter& painter, const QString& bold, const QString& regular) {
  QFont title(bold);
  title.setPixelSize(118);
  title.setBold(true);
  painter.setFont(title);
  painter.setPen(kNavy);
  painter.drawText(QRectF(310, 28, 580, 140), Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("Corvane"));

  QFont subtitle(regular);
  subtitle.setPixelSize(86);
  painter.setFont(subtitle);
  painter.setPen(kSea);
  painter.drawText(QRectF(314, 168, 580, 110), Qt::AlignLeft | Qt::AlignTop, QStringLiteral("Analyzer"));

  painter.setPen(QPen(kAccent, 6));
  painter.drawLine(QPointF(314, 166), QPointF(870, 166));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: corvane_logo_generator BOLD.ttf REGULAR.ttf OUT\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QString bold = FamilyOf(QString::fromLocal8Bit(argv[1]));
  const QString regular = FamilyOf(QString::fromLocal8Bit(argv[2]));
  if (bold.isEmpty() || regular.isEmpty()) {
    std::fprintf(stderr, "corvane_logo_generator: cannot load the fonts %s and %s\n", argv[1], argv[2]);
    return 1;
  }

  QImage image(kWidth, kHeight, QImage::Format_ARGB32);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setRenderHint(QPainter::TextAntialiasing);
  DrawBadge(painter);
  DrawName(painter, bold, regular);
  painter.end();

  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "PNG")) {
    std::fprintf(stderr, "corvane_logo_generator: the PNG could not be encoded\n");
    return 1;
  }
  QFile out(QString::fromLocal8Bit(argv[3]));
  if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size()) {
    std::fprintf(stderr, "corvane_logo_generator: cannot write %s\n", argv[3]);
    return 1;
  }
  std::printf("wrote %s (%lld bytes)\n", argv[3], static_cast<long long>(bytes.size()));
  return 0;
}
