#pragma once
// The window's widgets seen through the toolkit-free control interfaces of
// the services, and the two sinks: message boxes and the progress panel.
// Every adapter points at a widget that the window owns through Qt's
// parent chain and outlives the adapter.

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QWidget>

#include "analysis/package_controls.h"

namespace corvane {

// A list of rows over a combo box or a list widget; the few calls in which
// the two differ are overloads in qt_controls.cpp.
template <typename Widget>
class TQtListControl : public TListControl {
 public:
  explicit TQtListControl(Widget& widget) : widget_(widget) {}
  void Clear() override { widget_.clear(); }
  void Add(const std::string& text) override { widget_.addItem(QString::fromStdString(text)); }
  int Count() const override { return widget_.count(); }
  std::string Text(int row) const override;
  int ItemIndex() const override;
  // A row beyond the list clears the selection.
  void SetItemIndex(int row) override;

 private:
  Widget& widget_;
};

using TComboBoxList = TQtListControl<QComboBox>;
using TListWidgetList = TQtListControl<QListWidget>;

template <>
std::string TComboBoxList::Text(int row) const;
template <>
int TComboBoxList::ItemIndex() const;
template <>
void TComboBoxList::SetItemIndex(int row);
template <>
std::string TListWidgetList::Text(int row) const;
template <>
int TListWidgetList::ItemIndex() const;
template <>
void TListWidgetList::SetItemIndex(int row);

class TLineEditControl : public TEditControl {
 public:
  explicit TLineEditControl(QLineEdit& edit) : edit_(edit) {}
  std::string Text() const override;
  void SetText(const std::string& text) override;

 private:
  QLineEdit& edit_;
};

class TMemoControl : public TEditControl {
 public:
  explicit TMemoControl(QPlainTextEdit& memo) : memo_(memo) {}
  std::string Text() const override;
  void SetText(const std::string& text) override;

 private:
  QPlainTextEdit& memo_;
};

// Messages as the platform's standard boxes over the window.
class TMessageBoxSink : public TMessageSink {
 public:
  explicit TMessageBoxSink(QWidget& parent) : parent_(parent) {}
  void ShowMessage(TMessageKind kind, const std::string& text) override;

 private:
  QWidget& parent_;
};

// The progress panel: repainted at once on every report, and the window's
// pending events run, so the bar moves during a long computation on the
// user interface thread.
class TProgressPanelSink : public TProgressSink {
 public:
  explicit TProgressPanelSink(QWidget& panel) : panel_(panel) {}
  void ShowProgress(const TInterfaceApplicationMobile& state) override;
  void SetProgressVisible(bool visible) override;
  // Hides the panel and lets the window repaint what it covered.
  void Hide() { SetProgressVisible(false); }

 private:
  QWidget& panel_;
};

}  // namespace corvane
