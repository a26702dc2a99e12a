#include "ui/widgets/number_edit.h"

#include <QLineEdit>
#include <algorithm>

#include "ui/main/config_tab_logic.h"
#include "ui/widgets/field_mark.h"

TNumberEdit::TNumberEdit(int min, int max, int step, int value, QWidget *parent)
    : TSpinEdit(min, max, step, value, parent), typingMin_(min), typingMax_(max) {
  setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
  // Any change but the held value itself is the user's: the field is his again.
  connect(this, &QSpinBox::valueChanged, this, [this](int v) {
    if (held_ && !setting_ && v != heldValue_) Release();
  });
}

void TNumberEdit::SetButtonsOnly(bool on) { lineEdit()->setReadOnly(on); }

void TNumberEdit::SetModuleValue(int value) {
  setting_ = true;
  held_ = value < typingMin_ || value > typingMax_;
  heldValue_ = value;
  setRange(std::min(value, typingMin_), std::max(value, typingMax_));
  setValue(value);
  if (!held_) setRange(typingMin_, typingMax_);
  setting_ = false;
  SetFieldMark(this, held_ ? TFieldMark::OutOfRange : TFieldMark::None);
}

void TNumberEdit::Release() {
  held_ = false;
  setRange(typingMin_, typingMax_);  // brings the value into range
  SetFieldMark(this, TFieldMark::None);
}

QValidator::State TNumberEdit::validate(QString &input, int &) const {
  // Anything may be typed; leaving the field brings it into range.
  bool ok = false;
  int v = input.toInt(&ok);
  bool fits = ok && ((v >= typingMin_ && v <= typingMax_) || (held_ && v == heldValue_));
  return fits ? QValidator::Acceptable : QValidator::Intermediate;
}

int TNumberEdit::valueFromText(const QString &text) const {
  bool ok = false;
  if (held_ && text.trimmed().toInt(&ok) == heldValue_ && ok) return heldValue_;
  return config_tab::ValueFromText(text.trimmed().toStdString(), {typingMin_, typingMax_});
}

void TNumberEdit::fixup(QString &input) const { input = QString::number(valueFromText(input)); }

void TNumberEdit::stepBy(int steps) {
  if (held_) Release();
  TSpinEdit::stepBy(steps);
}
