#pragma once
// A drop-down list whose position is a module value. A value the list has
// no item for is shown as an extra, marked item and kept until the user
// picks another one.
#include <QComboBox>

class TModuleList : public QComboBox {
  Q_OBJECT
 public:
  explicit TModuleList(QWidget *parent = nullptr);

  void SetModuleIndex(int value);
  // The position picked, or the value held when it has no item.
  int ModuleIndex() const;
  bool HoldsOutOfRange() const { return extraItem_; }
  // The items of the list proper, without a held value's item.
  int ItemCount() const { return count() - (extraItem_ ? 1 : 0); }

 private:
  void DropExtraItem();
  bool extraItem_ = false;
  bool setting_ = false;
};
