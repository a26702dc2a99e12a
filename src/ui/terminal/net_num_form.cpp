#include "ui/terminal/net_num_form.h"

#include <QPushButton>
#include <QSpinBox>

#include "modem/meter_requests.h"

TNetNumForm::TNetNumForm(QWidget *parent) : QDialog(parent) {
  setObjectName("NetNumForm");
  setWindowTitle("Сетевой номер");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  setFixedSize(150, 86);
  SpinEdit = new QSpinBox(this);
  SpinEdit->setObjectName("SpinEdit");
  SpinEdit->setAccessibleName("Сетевой номер");
  SpinEdit->setRange(0, 255);
  SpinEdit->setValue(0);
  SpinEdit->setGeometry(8, 8, 134, 24);
  Button1 = new QPushButton("OK", this);
  Button1->setObjectName("Button1");
  Button1->setDefault(true);
  Button1->setGeometry(8, 44, 64, 28);
  // Cancel lies under OK in the design; here it sits beside it, so both can
  // be seen and clicked (Esc still cancels).
  Button2 = new QPushButton("Cancel", this);
  Button2->setObjectName("Button2");
  Button2->setGeometry(78, 44, 64, 28);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
  connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
}

int TNetNumForm::AskNetNumber(int kind) {
  int64_t max = modem::NetNumberMaximum(kind);
  SpinEdit->setMaximum(static_cast<int>(max));
  SpinEdit->selectAll();
  SpinEdit->setFocus();
  return exec() == QDialog::Accepted ? SpinEdit->value() : -1;
}
