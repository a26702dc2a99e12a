#pragma once
// The page "Config": the modem's configuration as a form of five groups,
// with "Новая", "Прочитать" and "Записать".
#include <QWidget>

namespace config {
class IZTConfig;
}

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QScrollArea;
class TCollapsibleGroup;
class TForm1;
class TNumberEdit;
class TRadioGroup;

class TConfigTab : public QWidget {
  Q_OBJECT
 public:
  // Builds the page into the window's "Config" sheet.
  explicit TConfigTab(TForm1 &form);

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
  TForm1 &form_;
};
