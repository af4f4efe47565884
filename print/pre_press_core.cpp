#include "print/pre_press_core.h"

#include <QColor>
#include <QFont>
#include <QFontMetricsF>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "chart/chart_font.h"

namespace corvane {

namespace {

// The logo's width is this fraction of the page width ...
constexpr double kPictureWidthDivisor = 4.5;
// ... with its right edge and its top this many layout units in.
constexpr double kPictureRight = 50;
constexpr double kPictureTop = 40;
// A text's box is wider than the text, so that no renderer clips it.
constexpr qreal kTextBoxWidening = 1.2;
constexpr qreal kPointsPerInch = 72;

// A deep copy of the tracks, every field included (TListRoutingData::Clone
// keeps the names and colours of the target's records).
void CopyTracks(const TListRoutingData& from, TListRoutingData& to) {
  to.Items.clear();
  for (const auto& track : from.Items) to.Items.push_back(std::make_unique<TRoutingData>(*track));
  to.IndexTrack = from.IndexTrack;
  to.IndexTopMark = from.IndexTopMark;
  to.RoutingData = from.RoutingData;
}

}  // namespace

void TPrePressCore::SetPageSize(int width, int height) {
  PageWidth = width;
  PageHeight = height;
  DotsPerMmHor = width / kPageUnitsHor;
  DotsPerMmVer = height / kPageUnitsVer;
}

void TPrePressCore::AddTextLine(double rowStep, int textFont, const std::string& text, double col, int textColor) {
  Row += rowStep;
  TPrintLine& line = ListPrintLine.Add();
  line.Typ = kPrintLineText;
  line.Row = Row;
  line.Col = col;
  line.TextFont = textFont;
  line.TextColor = textColor;
  line.Text = text;
}

void TPrePressCore::AddPictureLine(const std::string& bitmap) {
  TPrintLine& line = ListPrintLine.Add();
  line.Typ = kPrintLinePicture;
  line.Row = 0;
  line.Bitmap = bitmap;
}

void TPrePressCore::ClearPrintLines() {
  ListPrintLine.Clear();
  Row = 0;
  StoreRow = 0;
}

void TPrePressCore::DrawPrintLines(QPainter& painter, const TResourceStore& resources) const {
  const QString family = ResolveChartFontFamily();
  for (const TPrintLine& line : ListPrintLine.Items) {
    if (line.Typ == kPrintLinePicture) {
      std::optional<TResourceStream> stream = resources.Open(line.Bitmap);
      if (!stream) continue;
      std::vector<std::uint8_t> bytes(static_cast<std::size_t>(stream->Size()));
      if (!stream->Read(bytes.data(), bytes.size())) continue;
      QImage picture;
      if (!picture.loadFromData(bytes.data(), static_cast<int>(bytes.size())) || picture.width() == 0) continue;
      const qreal width = PageWidth / static_cast<qreal>(kPictureWidthDivisor);
      const qreal height = width * picture.height() / picture.width();
      const QRectF target(PageWidth - static_cast<qreal>(HorToDots(kPictureRight)) - width,
                          static_cast<qreal>(VerToDots(kPictureTop)), width, height);
      painter.save();
      painter.setRenderHint(QPainter::SmoothPixmapTransform);
      painter.drawImage(target, picture);
      painter.restore();
      continue;
    }
    const TPrintFont style = PrintFont(line.TextFont);
    QFont font(family);
    font.setPointSizeF(style.Size * kPointsPerInch / static_cast<qreal>(kPrintFontUnitsPerInch));
    font.setBold(style.Bold);
    const QString text = QString::fromStdString(line.Text);
    const QFontMetricsF metrics(font, painter.device());
    const QRectF box(static_cast<qreal>(HorToDots(line.Col)), static_cast<qreal>(VerToDots(line.Row)),
                     metrics.horizontalAdvance(text) * kTextBoxWidening, metrics.height());
    painter.setFont(font);
    painter.setPen(QColor::fromRgba(PrintColor(line.TextColor)));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
  }
}

void TPrePressCore::SaveState(const TInterfaceApplicationMobile& state) {
  DateTimeLOC = state.DateTimeLOC;
  DateTimeGMT = state.DateTimeGMT;
  DeviceWidth = state.DeviceWidth;
  DeviceHeight = state.DeviceHeight;
  DeviceCenter = state.DeviceCenter;
  DeviceZoom = state.DeviceZoom;
  OffScreenDimension = state.OffScreenDimension;
  SeaMap = state.SeaMap;
  MapRatio = state.MapRatio;
  IndexTrack = state.ListRoutingData.IndexTrack;
  CopyTracks(state.ListRoutingData, ListRoutingData);
  ListBuoysPosition = state.ListBuoysPosition;
  RoutingValid = state.RoutingValid;
  DrawRouting = state.DrawRouting;
  AppMessage = state.AppMessage;
  PrinterScaleDetail = state.PrinterScaleDetail;
}

void TPrePressCore::RestoreState(TPrintController& controller) {
  TInterfaceApplicationMobile& state = controller.State();
  state.DateTimeLOC = DateTimeLOC;
  state.DateTimeGMT = DateTimeGMT;
  state.DeviceWidth = DeviceWidth;
  state.DeviceHeight = DeviceHeight;
  state.DeviceCenter = DeviceCenter;
  state.DeviceZoom = DeviceZoom;
  state.OffScreenDimension = OffScreenDimension;
  state.SeaMap = SeaMap;
  state.MapRatio = MapRatio;
  state.ListRoutingData.IndexTrack = IndexTrack;
  state.RoutingValid = RoutingValid;
  state.DrawRouting = DrawRouting;
  state.AppMessage = AppMessage;
  state.PrinterScaleDetail = PrinterScaleDetail;
  controller.SetRoutingLineStroke();
  CopyTracks(ListRoutingData, state.ListRoutingData);
  state.ListBuoysPosition = ListBuoysPosition;

  // The drawn field and the renderer's bitmaps still describe the last
  // sheet. A state without a device (the command line) has no view to
  // rebuild, and its chart size stays as saved.
  controller.GetTidalCurrents(1);
  if (DeviceWidth > 0 && DeviceHeight > 0) {
    TMobileGraphics& graphics = controller.Graphics();
    graphics.InitDeviceProjection(state);
    graphics.GetDeviceProjection(state);
    graphics.DrawOffScreen(state);
  }
}

}  // namespace corvane
