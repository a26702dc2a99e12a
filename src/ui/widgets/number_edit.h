#pragma once
// A whole-number field that keeps what is typed inside its range: a typed
// value outside becomes the nearest bound, text that is no number the
// minimum. A value put in from a modem is held exactly, even outside the
// range, until the user changes the field.
#include "ui/widgets/spin_edit.h"

class TNumberEdit : public TSpinEdit {
  Q_OBJECT
 public:
  TNumberEdit(int min, int max, int step, int value, QWidget *parent = nullptr);
  // Buttons only: the text cannot be typed.
  void SetButtonsOnly(bool on);

  // Shows `value` as it is; outside the typing range it is marked and kept
  // until the user edits the field.
  void SetModuleValue(int value);
  // True while a value outside the typing range is held.
  bool HoldsOutOfRange() const { return held_; }
  int TypingMinimum() const { return typingMin_; }
  int TypingMaximum() const { return typingMax_; }

 protected:
  QValidator::State validate(QString &input, int &pos) const override;
  int valueFromText(const QString &text) const override;
  void fixup(QString &input) const override;
  void stepBy(int steps) override;

 private:
  void Release();

  int typingMin_, typingMax_;
  bool held_ = false;
  int heldValue_ = 0;
  bool setting_ = false;
};
