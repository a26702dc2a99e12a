#pragma once
// The page "Config": the modem's configuration as a form of five groups,
// with "Новая", "Прочитать" and "Записать".
#include <QWidget>
#include <memory>

#include "ui/main/page_host.h"

namespace config {
class IZTConfig;
}

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QScrollArea;
class TCollapsibleGroup;
class TNumberEdit;
class TRadioGroup;

class TConfigTab : public QWidget {
  Q_OBJECT
 public:
  TConfigTab(ui::IPageHost &host, QWidget *sheet);

  // The configuration on show; none after a failed read.
  const std::shared_ptr<config::IZTConfig> &CurrentConfig() const { return currentConfig_; }

  void Btn_NewConfClick();
  void Btn_ReadConfClick();
  void Btn_WriteConfClick();
  void ShowConfig();

  QScrollArea *RAScrollMax1;
  TCollapsibleGroup *GroupUart, *GroupOrva, *GroupVcomm, *GroupCommon, *GroupPtp;
  TNumberEdit *SE_CUNetAddr;
  QComboBox *CB_CBaudRate;
  QComboBox *CB_CFormat;
  TRadioGroup *RG_Protocol;
  TNumberEdit *SE_CPanID;
  TNumberEdit *SE_CRFAddr;
  TNumberEdit *SE_ru_bytetimeout;
  TNumberEdit *SE_ru_pkttimeout;
  QLineEdit *E_CNodeName;
  QLineEdit *E_PTP_Route;
  TNumberEdit *SE_PTP_Timeout;
  TNumberEdit *SE_PTP_PIGPERIOD;
  TNumberEdit *SE_PTP_ReTry;
  QCheckBox *CB_PTP_Enable;
  QPushButton *Btn_NewConf;
  QPushButton *Btn_ReadConf;
  QPushButton *Btn_WriteConf;
  // Reads the image back after "Записать" and logs an error when it differs.
  QCheckBox *CB_VerifyWrite;

 private:
  void VerifyWrittenImage(config::IZTConfig &written);
  ui::IPageHost &host_;
  std::shared_ptr<config::IZTConfig> currentConfig_;
};
