#include "print/pre_press.h"

#include <QRectF>
#include <cmath>

#include "analysis/current_field.h"

namespace corvane {

void TPrePress::PrePressMap(int n, bool route, TPrintController& controller, int mode) {
  TInterfaceApplicationMobile& state = controller.State();
  TMobileGraphics& graphics = controller.Graphics();
  state.ListRoutingData.IndexTrack = n;
  graphics.InitDeviceProjection(state);
  graphics.GetDeviceProjection(state);
  if (const TRoutingData* track = state.ListRoutingData.GetItem(n)) graphics.GetGotoTrack(*track, state);
  controller.GetTidalCurrents(kCurrentsSourceDrawn);
  if (route) {
    controller.GetRoutingSilent(mode == 1);
    // A windward-leeward run ends with its beat selected; the sheet is
    // track n's.
    state.ListRoutingData.IndexTrack = n;
  }
  graphics.DrawOffScreen(state);

  Map = QImage(RoundPixels(state.DeviceWidth), RoundPixels(state.DeviceHeight), QImage::Format_ARGB32_Premultiplied);
  Map.fill(Qt::white);
  QPainter painter(&Map);
  graphics.DrawOnScreen(painter, TRectF{0, 0, static_cast<float>(Map.width()), static_cast<float>(Map.height())});
}

TRectF TPrePress::MapRect(double ratio) const {
  const double width = PageWidth - std::nearbyint(static_cast<double>(HorToDots(kMapMarginsHor)));
  const double height = ratio * width;
  const double left = HorToDots(kMapLeft);
  const double top = PageHeight - height - std::nearbyint(static_cast<double>(VerToDots(kMapBottom))) - MapOffsetVer;
  return TRectF{static_cast<float>(left), static_cast<float>(top), static_cast<float>(left + width),
                static_cast<float>(top + height)};
}

TRectF TPrePress::HeaderRect(const TRectF& mapRect) const {
  return TRectF{mapRect.Left, static_cast<float>(mapRect.Top - VerToDots(kMapHeader)), mapRect.Right, mapRect.Top};
}

void TPrePress::PostPressMap(QPainter& painter, TPrintController& controller, double ratio) {
  DestRect = MapRect(ratio);
  const TRectF header = HeaderRect(DestRect);
  painter.save();
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawImage(QRectF(DestRect.Left, DestRect.Top, DestRect.Right - DestRect.Left, DestRect.Bottom - DestRect.Top),
                    Map);
  painter.restore();
  controller.Graphics().DrawFrameMap(painter, DestRect, controller.State(),
                                     kMapHeaderFont * (static_cast<double>(header.Bottom) - header.Top), header);
}

}  // namespace corvane
