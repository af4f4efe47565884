#include "app/window/collapsible_section.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QMouseEvent>

namespace corvane {

TCollapsibleSection::TCollapsibleSection(const QString& caption, QWidget* parent, bool expanded)
    : QWidget(parent), arrow_(new QToolButton(this)), caption_(new QLabel(caption, this)),
      content_(new QWidget(this)), contentLayout_(new QVBoxLayout(content_)) {
  arrow_->setAutoRaise(true);
  arrow_->setFocusPolicy(Qt::NoFocus);
  caption_->setWordWrap(true);
  caption_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  QFont bold = caption_->font();
  bold.setBold(true);
  caption_->setFont(bold);
  caption_->installEventFilter(this);  // a click on the caption folds too
  contentLayout_->setContentsMargins(8, 2, 4, 6);
  contentLayout_->setSpacing(4);

  auto* header = new QHBoxLayout();
  header->setContentsMargins(0, 0, 0, 0);
  header->setSpacing(2);
  header->addWidget(arrow_, 0, Qt::AlignTop);
  header->addWidget(caption_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(header);
  layout->addWidget(content_);
  QObject::connect(arrow_, &QToolButton::clicked, this, [this] { SetExpanded(!expanded_); });
  SetExpanded(expanded);
}

QString TCollapsibleSection::Caption() const { return caption_->text(); }

void TCollapsibleSection::SetCaption(const QString& caption) { caption_->setText(caption); }

void TCollapsibleSection::SetExpanded(bool expanded) {
  expanded_ = expanded;
  arrow_->setArrowType(expanded ? Qt::DownArrow : Qt::RightArrow);
  content_->setVisible(expanded);
}

bool TCollapsibleSection::eventFilter(QObject* watched, QEvent* event) {
  if (watched == caption_ && event->type() == QEvent::MouseButtonRelease && isEnabled()) {
    SetExpanded(!expanded_);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace corvane
