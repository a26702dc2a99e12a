#pragma once
// The page "Config": the modem's configuration as a form of five groups,
// with "Новая", "Прочитать" and "Записать".
#include <QWidget>
#include <functional>
#include <memory>

#include "ui/main/config_tab_logic.h"
#include "ui/main/page_host.h"

namespace config {
class IZTConfig;
}

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class TCollapsibleGroup;
class TModuleList;
class TNumberEdit;
class TRadioGroup;

class TConfigTab : public QWidget {
  Q_OBJECT
 public:
  TConfigTab(ui::IPageHost &host, QWidget *sheet);

  // The configuration on show: the last one read, or a new one. A failed
  // read keeps it, and the form with it.
  const std::shared_ptr<config::IZTConfig> &CurrentConfig() const { return currentConfig_; }
  // Fields changed since the configuration was shown.
  bool HasUnsavedChanges() const;
  // Asks the user a yes/no question; tests answer it themselves.
  std::function<bool(const QString &question)> Ask;

  void Btn_NewConfClick();
  void Btn_ReadConfClick();
  void Btn_WriteConfClick();
  // The form in vovorctl's name=value text, and back: a configuration moves
  // freely between the window and scripts.
  void Btn_SaveConfClick();
  void Btn_LoadConfClick();
  void ShowConfig();

  // The file dialogs, replaced by tests: an empty path when the user cancels.
  std::function<QString(bool save)> ChooseFile;

  QScrollArea *RAScrollMax1;
  TCollapsibleGroup *GroupUart, *GroupOrva, *GroupVcomm, *GroupCommon, *GroupPtp;
  TNumberEdit *SE_CUNetAddr;
  TModuleList *CB_CBaudRate;
  TModuleList *CB_CFormat;
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
  QPushButton *Btn_SaveConf;
  QPushButton *Btn_LoadConf;
  // Reads the image back after "Записать" and logs an error when it differs.
  QCheckBox *CB_VerifyWrite;
  // What became of the last read or write when it did not succeed.
  QLabel *L_ConfigStatus;

 private:
  void BuildControls();
  void ConnectControls();
  config_tab::Form FormFromControls() const;
  void FillControls(const config_tab::Form &form);
  // Changed fields are marked; untouched ones keep the mark of a value
  // outside their range.
  void UpdateMarks();
  void WriteToModem(const std::shared_ptr<config::IZTConfig> &config);
  void SetStatus(const QString &text);
  void VerifyWrittenImage(config::IZTConfig &written);
  QString DefaultChooseFile(bool save);
  void Report(const std::string &message, bool failed);
  ui::IPageHost &host_;
  std::shared_ptr<config::IZTConfig> currentConfig_;
  // The form as it was shown for the current configuration: what is
  // written is what differs from it, except for a new configuration, which
  // is written whole.
  config_tab::Form shown_;
  bool newConfig_ = true;
  // A configuration loaded from a file and not yet written to the modem.
  bool loadedNotWritten_ = false;
  bool filling_ = false;
};
