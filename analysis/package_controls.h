#pragma once
// The controls the application services read and fill, seen through small
// interfaces so that the services link no toolkit. The window registers
// adapters over its widgets; the command-line program registers plain
// in-memory ones or none. Every reference is optional: a service tests a
// control for presence and silently skips the part of its work that needs
// an absent one.

#include <string>

#include "analysis/message_sink.h"
#include "analysis/progress_sink.h"

namespace corvane {

// A list of text rows with at most one selected row: a combo box or a list
// box.
class TListControl {
 public:
  virtual ~TListControl() = default;
  virtual void Clear() = 0;
  virtual void Add(const std::string& text) = 0;
  virtual int Count() const = 0;
  // The text of a row; empty for a row outside the list.
  virtual std::string Text(int row) const = 0;
  // The selected row, -1 when none.
  virtual int ItemIndex() const = 0;
  // Selects a row (-1 clears the selection). Raises the control's change
  // event like a user's choice would; the controller's gate decides whether
  // that event does anything.
  virtual void SetItemIndex(int row) = 0;
};

// A one-line edit or a memo.
class TEditControl {
 public:
  virtual ~TEditControl() = default;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& text) = 0;
};

// The controls of the services (GRIB wind and current, true wind, the
// course) and the two sinks. The window's own control holder extends this
// with the widgets only the panels touch.
struct TPackageControls {
  TListControl* ComboBox_GRIB = nullptr;
  TListControl* ComboBox_GRIBAngleOffset = nullptr;
  TListControl* ComboBox_GRIBCurrent = nullptr;
  TListControl* ComboBox_WindSpeed = nullptr;
  TListControl* ComboBox_WindAngle = nullptr;
  TEditControl* Edit_WindAngle = nullptr;
  TEditControl* Edit_GRIBValidFrom = nullptr;
  TEditControl* Edit_GRIBValidUntil = nullptr;
  TListControl* ListBox_Waypoints = nullptr;
  TEditControl* Memo_ShortCutWaypoints = nullptr;

  // The progress bar (Layout_ProgressBar with the application object that
  // lets pending events run) and the message boxes.
  TProgressSink* ProgressBar = nullptr;
  TMessageSink* Messages = nullptr;
};

}  // namespace corvane
