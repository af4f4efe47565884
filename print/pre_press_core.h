#pragma once
// The base of a printed sheet: the page geometry in layout units, the chart
// bitmap, the state saved while a job runs, and the print lines with their
// drawing on a page.

#include <QImage>
#include <QPainter>
#include <string>

#include "core/types.h"
#include "data/resource_store.h"
#include "print/print_controller.h"
#include "print/print_line.h"
#include "routing/routing_data.h"
#include "state/application_state.h"

namespace corvane {

// The chart bitmap of a sheet: 800 pixels wide, three quarters as high.
inline constexpr int kPrintMapWidth = 800;
inline constexpr double kPrintMapRatio = 0.75;

class TPrePressCore {
 public:
  TPrePressCore() = default;
  virtual ~TPrePressCore() = default;
  TPrePressCore(const TPrePressCore&) = delete;
  TPrePressCore& operator=(const TPrePressCore&) = delete;

  // Page size in printer dots and the dots per layout unit across
  // (page width / 1900) and down (page height / 2770).
  int PageWidth = 0;
  int PageHeight = 0;
  double DotsPerMmHor = 0;
  double DotsPerMmVer = 0;
  // Vertical dots by which the chart is lifted from its place at the foot.
  double MapOffsetVer = 0;
  QImage Map;        // the chart bitmap of the current sheet
  TRectF DestRect;   // where the chart goes on the page, dots

  // The state saved by SaveState for the duration of a job.
  TDateTime DateTimeLOC = 0;
  TDateTime DateTimeGMT = 0;
  double DeviceWidth = 0;
  double DeviceHeight = 0;
  TMinutes DeviceCenter;
  double DeviceZoom = 0;
  double OffScreenDimension = 0;
  TMapArea SeaMap;  // the chart's size, which the projection sets
  double MapRatio = 0;
  int IndexTrack = 0;
  TListRoutingData ListRoutingData;  // a full copy of the tracks
  TListMinutes ListBuoysPosition;
  bool RoutingValid = false;
  bool DrawRouting = false;
  std::string AppMessage;
  int PrinterScaleDetail = 0;

  double Row = 0;       // current row, vertical layout units
  double StoreRow = 0;  // a row kept by SaveRow
  TListPrintLine ListPrintLine;

  // A page of width x height dots: PageWidth, PageHeight and the dots per
  // layout unit. A page of 0 dots gives 0 dots per unit.
  void SetPageSize(int width, int height);
  // Layout units to dots (not rounded).
  double HorToDots(double units) const { return units * DotsPerMmHor; }
  double VerToDots(double units) const { return units * DotsPerMmVer; }

  // Adds rowStep to Row, then a text line at the new Row.
  void AddTextLine(double rowStep, int textFont, const std::string& text, double col, int textColor = 0);
  // A picture line at row 0 showing the picture data set `bitmap`.
  void AddPictureLine(const std::string& bitmap);
  void SaveRow() { StoreRow = Row; }
  void RestoreRow() { Row = StoreRow; }
  // An empty list at row 0.
  void ClearPrintLines();

  // Draws every print line on a page of PageWidth x PageHeight dots. A text
  // line: left and top at its column and row, one line without wrapping, in
  // a box 1.2 times its measured width and its measured height. A picture
  // line: the picture data set scaled to a width of PageWidth / 4.5 with its
  // aspect kept, its right edge 50 units left of the page's right edge and
  // its top 40 units below the page's top; a missing or unreadable picture
  // is left out.
  void DrawPrintLines(QPainter& painter, const TResourceStore& resources) const;

  // Keeps the moment, the view, the selected track, a copy of the tracks
  // and of the buoy positions, the routing flags and message and the
  // printer scale.
  void SaveState(const TInterfaceApplicationMobile& state);
  // Puts every saved value back, recomputes the tracks' line styles and
  // rebuilds the drawn stream field for the restored moment and, when the
  // saved device has a size, the view and the chart, so the window shows
  // what it showed before the job.
  void RestoreState(TPrintController& controller);
};

}  // namespace corvane
