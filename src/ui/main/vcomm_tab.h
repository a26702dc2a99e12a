#pragma once
// The page "ZT_UART": the direct node's channel, the test block sender and
// the receive checker.
#include <QWidget>
#include <memory>
#include <string>

#include "ui/main/page_host.h"
#include "ui/main/vcomm_tab_logic.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QSpinBox;
class QTimer;

class TVCommTab : public QWidget {
  Q_OBJECT
 public:
  TVCommTab(ui::IPageHost &host, QWidget *sheet);
  ~TVCommTab() override;

  QPushButton *Button28, *Button29, *Button45, *Button32, *Button31, *Button33, *Button34;
  QSpinBox *SE_NetAddr;
  QComboBox *CB_VC_Spd, *CB_VC_Fmt;
  QSpinBox *SE_VC_CloseTO;
  QLineEdit *RzMaskEdit1;
  QSpinBox *SE_BlockSize, *RzSpinEdit1;
  QLabel *L_RecvBytes, *L_RecvState;
  QPlainTextEdit *Memo1;
  QTimer *Timer1;

  vcomm_tab::ReceiveChecker &Checker() { return *checker_; }
  void Timer1Timer();

 private:
  void Connect();
  void SendTestBlock();

  ui::IPageHost &host_;
  std::shared_ptr<vcomm_tab::ReceiveChecker> checker_ = std::make_shared<vcomm_tab::ReceiveChecker>();
  std::unique_ptr<ui::IReceiveSubscription> received_;
};
