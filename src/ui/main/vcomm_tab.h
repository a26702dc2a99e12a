#pragma once
// The channel pages: "ZT_UART" (the direct channel, the test block sender
// and the receive checker) and "Открытик канала" (route, UART and terminal
// channels by hand).
#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "ui/main/vcomm_tab_logic.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTimer;
class TForm1;

namespace modem {
class ZIZ2400;
}

class TVCommTabs : public QObject {
  Q_OBJECT
 public:
  explicit TVCommTabs(TForm1 &form);

  // "ZT_UART"
  QPushButton *Button28, *Button29, *Button45, *Button32, *Button31, *Button33, *Button34;
  QLineEdit *RzMaskEdit1;
  QSpinBox *SE_BlockSize, *RzSpinEdit1;
  QLabel *L_RecvBytes, *L_RecvState;
  QPlainTextEdit *Memo1;
  QTimer *Timer1;
  // "Открытик канала"
  QLineEdit *RzMaskEdit2;
  QComboBox *RzComboBox1, *RzComboBox2;
  QSpinBox *RzSpinEdit2, *RzSpinEdit3;
  QPushButton *Button60, *Button61, *Button62, *Button63, *Button64, *Button65;

  vcomm_tab::ReceiveChecker &Checker() { return *checker_; }
  void Timer1Timer();

 private:
  void BuildUartPage(QWidget *page);
  void BuildChannelPage(QWidget *page);
  // One channel request on the current node; `longer` gives it four times
  // the node's answer time-out, as opening a channel through the mesh takes.
  void Run(bool longer, const std::function<void(modem::ZIZ2400 &)> &request);
  // The route of a field, or none with the reason in the log.
  bool Route(QLineEdit *field, std::string *route);
  void SendTestBlock();

  TForm1 &form_;
  std::shared_ptr<vcomm_tab::ReceiveChecker> checker_ = std::make_shared<vcomm_tab::ReceiveChecker>();
};
