#pragma once
// "Сетевой номер": the small question a test request asks before it is
// built. One instance serves every terminal, so the last number is kept.
#include <QDialog>

class QPushButton;
class QSpinBox;

class TNetNumForm : public QDialog {
  Q_OBJECT
 public:
  explicit TNetNumForm(QWidget *parent = nullptr);

  // The number for a request of `kind` (its largest value by kind), or -1
  // when the question is cancelled.
  int AskNetNumber(int kind);

  QSpinBox *SpinEdit;
  QPushButton *Button1, *Button2;
};
