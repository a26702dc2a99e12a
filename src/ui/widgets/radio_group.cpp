#include "ui/widgets/radio_group.h"

#include <QRadioButton>
#include <QVBoxLayout>

TRadioGroup::TRadioGroup(const QString &caption, const QStringList &items, QWidget *parent) : QGroupBox(caption, parent) {
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 4, 6, 4);
  for (int i = 0; i < items.size(); ++i) {
    auto *b = new QRadioButton(items[i], this);
    buttons_.addButton(b, i);
    layout->addWidget(b);
  }
  connect(&buttons_, &QButtonGroup::idClicked, this, &TRadioGroup::clicked);
}

int TRadioGroup::ItemIndex() const { return buttons_.checkedId(); }

void TRadioGroup::SetItemIndex(int index) {
  if (auto *b = buttons_.button(index)) {
    b->setChecked(true);
    return;
  }
  buttons_.setExclusive(false);
  for (auto *b : buttons_.buttons()) b->setChecked(false);
  buttons_.setExclusive(true);
}
