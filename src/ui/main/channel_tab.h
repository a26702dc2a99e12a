#pragma once
// The page "Открытик канала": route, UART and terminal channels by hand.
#include <QWidget>

#include "ui/main/page_host.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

class TChannelTab : public QWidget {
  Q_OBJECT
 public:
  TChannelTab(ui::IPageHost &host, QWidget *sheet);

  QLineEdit *RzMaskEdit2;
  QComboBox *RzComboBox1, *RzComboBox2;
  QSpinBox *RzSpinEdit2, *RzSpinEdit3;
  QPushButton *Button60, *Button61, *Button62, *Button63, *Button64, *Button65;

 private:
  void Connect();

  ui::IPageHost &host_;
};
