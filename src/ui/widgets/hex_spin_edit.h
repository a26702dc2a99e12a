#pragma once
// A spin edit that shows and takes its value in hexadecimal, upper case,
// with a "0x" prefix ("0x4E1"); typing accepts either case.
#include "ui/widgets/spin_edit.h"

class THexSpinEdit : public TSpinEdit {
  Q_OBJECT
 public:
  THexSpinEdit(int min, int max, int step, int value, QWidget *parent = nullptr);

 protected:
  QString textFromValue(int value) const override;
};
