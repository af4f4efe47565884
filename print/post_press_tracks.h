#pragma once
// The print job of track sheets: one page per track, each track routed
// afresh, and the application state put back afterwards.

#include <string>

#include "analysis/package_controls.h"
#include "print/page_target.h"
#include "print/pre_press.h"
#include "print/print_controller.h"

namespace corvane {

// PrintSheet modes.
inline constexpr int kPrintCurrentTrack = 1;
inline constexpr int kPrintAllTracks = 2;

class TPostPressTracks : public TPrePress {
 public:
  // Prints the selected track (mode 1) or every track (mode 2), one page
  // each, on target. For each track the progress edit shows "Printing
  // track " and the track's number from 1; the chart is drawn in an 800 x
  // 600 bitmap for the track after the routing command ran silently for it,
  // and placed at the page's foot below the sheet's text. The state is saved
  // first and put back at the end: also when the job fails, in which case
  // the job is abandoned through the target and the error passed on.
  // False, with nothing changed, when the target's device cannot start a
  // job (a PDF file that cannot be written).
  bool PrintSheet(TEditControl* edit, int mode, TPrintController& controller, TPageTarget& target);

  // The track numbers (from 0) a mode prints: mode 1 the selected track
  // (none when it lies outside the list), mode 2 every track.
  static std::vector<int> TracksToPrint(int mode, const TInterfaceApplicationMobile& state);

 private:
  void PrintPages(QPainter& painter, TEditControl* edit, const std::vector<int>& tracks,
                  TPrintController& controller, TPageTarget& target);
};

}  // namespace corvane
