#pragma once
// A panel of the side column: a header with an arrow and the caption that
// folds the content away when clicked, so the column shows only the panels
// in use. The caption wraps, since some captions carry a moment and the
// time to high water. Disabling the section disables its content, as the
// panels are disabled during a routing run or a mark drag.

#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidget>

namespace corvane {

class TCollapsibleSection : public QWidget {
 public:
  explicit TCollapsibleSection(const QString& caption, QWidget* parent = nullptr,
                               bool expanded = true);

  // The content's layout: the panel's controls go here.
  QVBoxLayout* Content() const { return contentLayout_; }
  QString Caption() const;
  // The header text changes for the tide list ("Tides " + port) and the
  // chart header (region, moment, hours to high water).
  void SetCaption(const QString& caption);
  bool Expanded() const { return expanded_; }
  void SetExpanded(bool expanded);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QToolButton* arrow_;
  QLabel* caption_;
  QWidget* content_;
  QVBoxLayout* contentLayout_;
  bool expanded_ = true;
};

}  // namespace corvane
