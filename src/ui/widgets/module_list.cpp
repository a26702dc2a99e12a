#include "ui/widgets/module_list.h"

#include "ui/widgets/field_mark.h"

TModuleList::TModuleList(QWidget *parent) : QComboBox(parent) {
  connect(this, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (!setting_ && extraItem_ && index != count() - 1) DropExtraItem();
  });
}

void TModuleList::SetModuleIndex(int value) {
  setting_ = true;
  DropExtraItem();
  if (value >= 0 && value < count()) {
    setCurrentIndex(value);
  } else {
    addItem(QString::number(value), value);
    extraItem_ = true;
    setCurrentIndex(count() - 1);
    SetFieldMark(this, TFieldMark::OutOfRange);
  }
  setting_ = false;
}

int TModuleList::ModuleIndex() const {
  if (extraItem_ && currentIndex() == count() - 1) return itemData(currentIndex()).toInt();
  return currentIndex();
}

void TModuleList::DropExtraItem() {
  if (!extraItem_) return;
  extraItem_ = false;
  const bool wasSetting = setting_;
  setting_ = true;
  removeItem(count() - 1);
  setting_ = wasSetting;
  SetFieldMark(this, TFieldMark::None);
}
