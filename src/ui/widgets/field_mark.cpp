#include "ui/widgets/field_mark.h"

#include <QColor>
#include <QPalette>
#include <QVariant>
#include <QWidget>

namespace {

constexpr char kMarkProperty[] = "vovorFieldMark";
constexpr char kOwnToolTip[] = "vovorOwnToolTip";

}  // namespace

void SetFieldMark(QWidget *field, TFieldMark mark) {
  if (FieldMark(field) == mark) return;
  // The field's own hint comes back when the mark goes.
  if (FieldMark(field) == TFieldMark::None) field->setProperty(kOwnToolTip, field->toolTip());
  field->setProperty(kMarkProperty, static_cast<int>(mark));
  QPalette p = field->palette();
  QPalette plain = field->parentWidget() ? field->parentWidget()->palette() : QPalette();
  QColor base = plain.color(QPalette::Base), button = plain.color(QPalette::Button);
  QString tip = field->property(kOwnToolTip).toString();
  if (mark == TFieldMark::OutOfRange) {
    base = button = QColor(255, 205, 160);
    tip = QString::fromUtf8(kOutOfRangeHint);
  } else if (mark == TFieldMark::Changed) {
    base = button = QColor(255, 244, 170);
    tip = QString::fromUtf8(kChangedHint);
  }
  p.setColor(QPalette::Base, base);
  p.setColor(QPalette::Button, button);
  field->setPalette(p);
  field->setToolTip(tip);
}

TFieldMark FieldMark(const QWidget *field) {
  return static_cast<TFieldMark>(field->property(kMarkProperty).toInt());
}
