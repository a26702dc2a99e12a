#include "ui/widgets/collapsible_group.h"

#include <QToolButton>
#include <QVBoxLayout>

TCollapsibleGroup::TCollapsibleGroup(const QString &caption, QWidget *parent) : QWidget(parent) {
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  header_ = new QToolButton(this);
  header_->setText(caption);
  header_->setCheckable(true);
  header_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  header_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  header_->setStyleSheet("QToolButton { font-weight: bold; text-align: left; border: none; padding: 3px; }");
  content_ = new QWidget(this);
  layout->addWidget(header_);
  layout->addWidget(content_);
  connect(header_, &QToolButton::toggled, this, &TCollapsibleGroup::SetOpen);
  SetOpen(false);
}

bool TCollapsibleGroup::IsOpen() const { return header_->isChecked(); }

void TCollapsibleGroup::SetOpen(bool open) {
  if (header_->isChecked() != open) header_->setChecked(open);
  header_->setArrowType(open ? Qt::DownArrow : Qt::RightArrow);
  content_->setVisible(open);
}
