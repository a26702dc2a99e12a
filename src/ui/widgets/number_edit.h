#pragma once
// A whole-number field that keeps its value inside its range: a typed value
// outside becomes the nearest bound, text that is no number the minimum.
#include "ui/widgets/spin_edit.h"

class TNumberEdit : public TSpinEdit {
  Q_OBJECT
 public:
  TNumberEdit(int min, int max, int step, int value, QWidget *parent = nullptr);
  // Buttons only: the text cannot be typed.
  void SetButtonsOnly(bool on);

 protected:
  QValidator::State validate(QString &input, int &pos) const override;
  int valueFromText(const QString &text) const override;
  void fixup(QString &input) const override;
};
