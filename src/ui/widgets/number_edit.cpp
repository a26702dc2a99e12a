#include "ui/widgets/number_edit.h"

#include <QLineEdit>

#include "ui/main/config_tab_logic.h"

TNumberEdit::TNumberEdit(int min, int max, int step, int value, QWidget *parent)
    : TSpinEdit(min, max, step, value, parent) {
  setCorrectionMode(QAbstractSpinBox::CorrectToNearestValue);
}

void TNumberEdit::SetButtonsOnly(bool on) { lineEdit()->setReadOnly(on); }

QValidator::State TNumberEdit::validate(QString &input, int &) const {
  // Anything may be typed; leaving the field brings it into range.
  bool ok = false;
  int v = input.toInt(&ok);
  return ok && v >= minimum() && v <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

int TNumberEdit::valueFromText(const QString &text) const {
  return config_tab::ValueFromText(text.trimmed().toStdString(), {minimum(), maximum()});
}

void TNumberEdit::fixup(QString &input) const { input = QString::number(valueFromText(input)); }
