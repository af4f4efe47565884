#include "print/post_press_tracks.h"

#include <cmath>
#include <stdexcept>

#include "chart/graphics_projection.h"

namespace corvane {

namespace {

// The chart renderer draws the bitmap as its whole device: no off-screen
// margin around the visible window.
constexpr double kPrintOffScreenDimension = 1;

void ShowProgress(TEditControl* edit, const std::string& text) {
  if (edit != nullptr) edit->SetText(text);
}

}  // namespace

std::vector<int> TPostPressTracks::TracksToPrint(int mode, const TInterfaceApplicationMobile& state) {
  const TListRoutingData& tracks = state.ListRoutingData;
  std::vector<int> numbers;
  if (mode == kPrintAllTracks) {
    for (int n = 0; n < tracks.Count(); ++n) numbers.push_back(n);
  } else if (tracks.GetItem(tracks.IndexTrack) != nullptr) {
    numbers.push_back(tracks.IndexTrack);
  }
  return numbers;
}

bool TPostPressTracks::PrintSheet(TEditControl* edit, int mode, TPrintController& controller,
                                  TPageTarget& target) {
  TInterfaceApplicationMobile& state = controller.State();
  const std::vector<int> tracks = TracksToPrint(mode, state);
  SaveState(state);
  QPainter painter;
  if (!painter.begin(&target.Device())) return false;
  try {
    PrintPages(painter, edit, tracks, controller, target);
  } catch (...) {
    target.Abort(painter);
    ShowProgress(edit, "");
    RestoreState(controller);
    throw;
  }
  painter.end();
  RestoreState(controller);
  return true;
}

void TPostPressTracks::PrintPages(QPainter& painter, TEditControl* edit, const std::vector<int>& tracks,
                                  TPrintController& controller, TPageTarget& target) {
  TInterfaceApplicationMobile& state = controller.State();
  const QPaintDevice& device = *painter.device();
  SetPageSize(device.width(), device.height());
  MapOffsetVer = 0;
  state.PrinterScaleDetail = PageWidth;

  state.DeviceWidth = kPrintMapWidth;
  state.DeviceHeight = std::nearbyint(static_cast<double>(kPrintMapWidth * kPrintMapRatio));
  state.OffScreenDimension = kPrintOffScreenDimension;

  for (std::size_t i = 0; i < tracks.size(); ++i) {
    const int n = tracks[i];
    ShowProgress(edit, "Printing track " + std::to_string(n + 1));
    PrePressMap(n, true, controller, kPrintCurrentTrack);
    PostPressMap(painter, controller, kPrintMapRatio);
    PrePressTextTracks(state);
    DrawPrintLines(painter, controller.Resources());
    if (i + 1 < tracks.size() && !target.NewPage()) {
      throw std::runtime_error("The printer gave no page for track " + std::to_string(tracks[i + 1] + 1));
    }
  }
  ShowProgress(edit, "");
}

}  // namespace corvane
