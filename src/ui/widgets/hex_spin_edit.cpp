#include "ui/widgets/hex_spin_edit.h"

THexSpinEdit::THexSpinEdit(int min, int max, int step, int value, QWidget *parent)
    : TSpinEdit(min, max, step, value, parent) {
  setDisplayIntegerBase(16);
  setPrefix(QStringLiteral("0x"));
  setValue(value);
}

QString THexSpinEdit::textFromValue(int value) const { return QString::number(value, 16).toUpper(); }
