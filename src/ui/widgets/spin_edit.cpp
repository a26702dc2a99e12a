#include "ui/widgets/spin_edit.h"

#include <QKeyEvent>

TSpinEdit::TSpinEdit(int min, int max, int step, int value, QWidget *parent) : QSpinBox(parent) {
  setRange(min, max);
  setSingleStep(step);
  setValue(value);
}

void TSpinEdit::keyPressEvent(QKeyEvent *event) {
  const bool up = event->key() == Qt::Key_PageUp, down = event->key() == Qt::Key_PageDown;
  if (pageStep_ <= 0 || isReadOnly() || !(up || down)) {
    QSpinBox::keyPressEvent(event);
    return;
  }
  setValue(value() + (up ? pageStep_ : -pageStep_));
  selectAll();
  event->accept();
}
