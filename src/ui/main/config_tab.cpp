#include "ui/main/config_tab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QTime>
#include <QVBoxLayout>
#include <algorithm>

#include "config/zt_config.h"
#include "log/log_intf.h"
#include "modem/config_text.h"
#include "modem/ziz2400.h"
#include "ruvezivevo/fe_root_section.h"
#include "ui/main/config_tab_logic.h"
#include "ui/main/page_settings.h"
#include "ui/main/page_sheet.h"
#include "ui/main/shell_logic.h"
#include "ui/widgets/collapsible_group.h"
#include "ui/widgets/module_list.h"
#include "ui/widgets/number_edit.h"
#include "ui/widgets/radio_group.h"

using namespace config_tab;

namespace {

TNumberEdit *NumberField(Range r, int step, int value, const char *name) {
  auto *e = new TNumberEdit(r.min, r.max, step, value);
  e->setObjectName(name);
  e->setMinimumWidth(90);
  e->setMaximumWidth(140);
  return e;
}

QFormLayout *FormIn(TCollapsibleGroup *g) {
  auto *f = new QFormLayout(g->Content());
  f->setContentsMargins(16, 2, 8, 6);
  return f;
}

}  // namespace

TConfigTab::TConfigTab(ui::IPageHost &host, QWidget *sheet) : QWidget(sheet), host_(host) {
  setObjectName("ConfigTab");
  ui::FillSheet(sheet, this);
  Ask = [this](const QString &question) {
    return QMessageBox::question(this, QStringLiteral("Config"), question) == QMessageBox::Yes;
  };
  BuildControls();
  ConnectControls();
  connect(Btn_NewConf, &QPushButton::clicked, this, &TConfigTab::Btn_NewConfClick);
  connect(Btn_ReadConf, &QPushButton::clicked, this, &TConfigTab::Btn_ReadConfClick);
  connect(Btn_WriteConf, &QPushButton::clicked, this, &TConfigTab::Btn_WriteConfClick);
  connect(Btn_SaveConf, &QPushButton::clicked, this, &TConfigTab::Btn_SaveConfClick);
  connect(Btn_LoadConf, &QPushButton::clicked, this, &TConfigTab::Btn_LoadConfClick);
  ChooseFile = [this](bool save) { return DefaultChooseFile(save); };

  host_.AddStartupStep([this] { Btn_NewConfClick(); });
  host_.AddSetting(ui::CheckedSetting("CB_VerifyWrite.Checked", CB_VerifyWrite));
}

void TConfigTab::BuildControls() {
  RAScrollMax1 = new QScrollArea(this);
  RAScrollMax1->setObjectName("RAScrollMax1");
  RAScrollMax1->setWidgetResizable(true);
  auto *bands = new QWidget;
  auto *bandsLayout = new QVBoxLayout(bands);
  bandsLayout->setContentsMargins(2, 2, 2, 2);
  GroupUart = new TCollapsibleGroup("UART", bands);
  GroupOrva = new TCollapsibleGroup("ORVA", bands);
  GroupVcomm = new TCollapsibleGroup("VCOMM", bands);
  GroupCommon = new TCollapsibleGroup(QStringLiteral("Общие настройки"), bands);
  GroupPtp = new TCollapsibleGroup("PTP", bands);
  for (auto *g : {GroupUart, GroupOrva, GroupVcomm, GroupCommon, GroupPtp}) bandsLayout->addWidget(g);
  bandsLayout->addStretch(1);
  GroupUart->SetOpen(true);
  RAScrollMax1->setWidget(bands);

  auto *uart = FormIn(GroupUart);
  SE_CUNetAddr = NumberField(kNetAddress, 1, 1, "SE_CUNetAddr");
  uart->addRow(QStringLiteral("Сетевой адрес:"), SE_CUNetAddr);
  CB_CBaudRate = new TModuleList;
  CB_CBaudRate->setObjectName("CB_CBaudRate");
  for (int i = 0; i < modem::kUartSpeedCount; ++i) CB_CBaudRate->addItem(QString::fromUtf8(modem::UartSpeedCaption(i)));
  CB_CBaudRate->setCurrentIndex(0);
  CB_CBaudRate->setMaximumWidth(180);
  uart->addRow(QStringLiteral("Скорость:"), CB_CBaudRate);
  CB_CFormat = new TModuleList;
  CB_CFormat->setObjectName("CB_CFormat");
  CB_CFormat->addItems({"8N1", "8E1", "8O1"});
  CB_CFormat->setCurrentIndex(0);
  auto *formatLabel = new QLabel(QStringLiteral("Формат:"));
  uart->addRow(formatLabel, CB_CFormat);
  formatLabel->hide();
  CB_CFormat->hide();
  RG_Protocol = new TRadioGroup(QStringLiteral("Протокол"), {"BIN", "ASCII"});
  RG_Protocol->setObjectName("RG_Protocol");
  RG_Protocol->SetItemIndex(0);
  uart->addRow(RG_Protocol);
  RG_Protocol->hide();

  auto *orva = FormIn(GroupOrva);
  SE_CPanID = NumberField(kNetId, 1, 1, "SE_CPanID");
  orva->addRow(QStringLiteral("Номер сети (NET ID):"), SE_CPanID);
  SE_CRFAddr = NumberField(kNodeId, 1, 1, "SE_CRFAddr");
  auto *nodeLabel = new QLabel(QStringLiteral("Сетевой адрес (NodeID):"));
  nodeLabel->setStyleSheet("color: blue;");
  orva->addRow(nodeLabel, SE_CRFAddr);

  auto *vcomm = FormIn(GroupVcomm);
  SE_ru_bytetimeout = NumberField(kByteTimeout, 1, 10, "SE_ru_bytetimeout");
  SE_ru_bytetimeout->SetButtonsOnly(true);
  vcomm->addRow(QStringLiteral("Межбайтный интервал"), SE_ru_bytetimeout);
  SE_ru_pkttimeout = NumberField(kPacketTimeout, 10, 300, "SE_ru_pkttimeout");
  SE_ru_pkttimeout->SetButtonsOnly(true);
  vcomm->addRow(QStringLiteral("Время восстановления последовательности"), SE_ru_pkttimeout);

  auto *common = FormIn(GroupCommon);
  E_CNodeName = new QLineEdit;
  E_CNodeName->setObjectName("E_CNodeName");
  E_CNodeName->setMaxLength(kNodeNameMaxLength);
  E_CNodeName->setMinimumWidth(260);
  E_CNodeName->setMaximumWidth(380);
  common->addRow(QStringLiteral("Название узла: "), E_CNodeName);

  auto *ptp = FormIn(GroupPtp);
  E_PTP_Route = new QLineEdit(QStringLiteral("1-2"));
  E_PTP_Route->setObjectName("E_PTP_Route");
  E_PTP_Route->setMaximumWidth(380);
  ptp->addRow(QStringLiteral("Маршрут"), E_PTP_Route);
  SE_PTP_Timeout = NumberField(kPtpTimeout, 1, 100, "SE_PTP_Timeout");
  ptp->addRow(QStringLiteral("Таймаут"), SE_PTP_Timeout);
  SE_PTP_PIGPERIOD = NumberField(kPingPeriod, 1, 1000, "SE_PTP_PIGPERIOD");
  ptp->addRow(QStringLiteral("период пингов"), SE_PTP_PIGPERIOD);
  SE_PTP_ReTry = NumberField(kRetries, 1, 3, "SE_PTP_ReTry");
  ptp->addRow(QStringLiteral("попытки"), SE_PTP_ReTry);
  CB_PTP_Enable = new QCheckBox(QStringLiteral("Включен"));
  CB_PTP_Enable->setObjectName("CB_PTP_Enable");
  ptp->addRow(CB_PTP_Enable);

  Btn_NewConf = new QPushButton(QStringLiteral("Новая"));
  Btn_NewConf->setObjectName("Btn_NewConf");
  Btn_ReadConf = new QPushButton(QStringLiteral("Прочитать"));
  Btn_ReadConf->setObjectName("Btn_ReadConf");
  Btn_WriteConf = new QPushButton(QStringLiteral("Записать"));
  Btn_WriteConf->setObjectName("Btn_WriteConf");
  Btn_SaveConf = new QPushButton(QStringLiteral("Сохранить в файл…"));
  Btn_SaveConf->setObjectName("Btn_SaveConf");
  Btn_LoadConf = new QPushButton(QStringLiteral("Загрузить из файла…"));
  Btn_LoadConf->setObjectName("Btn_LoadConf");
  CB_VerifyWrite = new QCheckBox(QStringLiteral("Проверить после записи"));
  CB_VerifyWrite->setObjectName("CB_VerifyWrite");
  auto *buttons = new QHBoxLayout;
  buttons->addWidget(Btn_NewConf);
  buttons->addWidget(Btn_ReadConf);
  buttons->addWidget(Btn_WriteConf);
  buttons->addSpacing(12);
  buttons->addWidget(CB_VerifyWrite);
  buttons->addStretch(1);
  buttons->addWidget(Btn_SaveConf);
  buttons->addWidget(Btn_LoadConf);

  L_ConfigStatus = new QLabel;
  L_ConfigStatus->setObjectName("L_ConfigStatus");
  L_ConfigStatus->setWordWrap(true);
  L_ConfigStatus->setStyleSheet("color: #b00000;");
  L_ConfigStatus->hide();

  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(RAScrollMax1, 1);
  layout->addWidget(L_ConfigStatus);
  layout->addLayout(buttons);
}


void TConfigTab::Btn_NewConfClick() {
  if (HasUnsavedChanges() &&
      !Ask(QStringLiteral("Изменения на странице не записаны в модем. Начать новую конфигурацию без них?")))
    return;
  currentConfig_ = config::CreateConfig(ruvezivevo::CreateRootSection());
  newConfig_ = true;
  loadedNotWritten_ = false;
  SetStatus({});
  ShowConfig();
}

void TConfigTab::Btn_ReadConfClick() {
  if (HasUnsavedChanges() &&
      !Ask(QStringLiteral("Изменения на странице не записаны в модем. Прочитать конфигурацию модема без них?")))
    return;
  std::shared_ptr<config::IZTConfig> read;
  std::string why;
  const bool ran = host_.RunOperation([&] {
    modem::ZIZ2400 *node = host_.CurrentNode();
    if (node && node->ReadConfig(read)) return;
    read.reset();
    why = node ? node->ResultCode().Msg : "нет узла";
  });
  // A failed read keeps the form: the edits and the last configuration read
  // are still there to be written.
  if (!ran || !read) {
    SetStatus(QString::fromStdString(config_tab::ReadFailedText(ran ? why : "операция не начата, см. журнал")));
    return;
  }
  currentConfig_ = read;
  newConfig_ = false;
  loadedNotWritten_ = false;
  SetStatus({});
  ShowConfig();
}

void TConfigTab::ShowConfig() {
  if (!currentConfig_) {
    RAScrollMax1->setEnabled(false);
    RAScrollMax1->hide();
    return;
  }
  RAScrollMax1->setEnabled(true);
  RAScrollMax1->show();
  shown_ = config_tab::ShowConfig(*currentConfig_);
  FillControls(shown_);
}

void TConfigTab::Btn_WriteConfClick() {
  // The configuration being written: "Новая" during the wait replaces the
  // page's one, and the check compares against what was sent.
  const std::shared_ptr<config::IZTConfig> config = currentConfig_;
  if (!config) {
    if (auto logger = host_.Logger()) logger->AddMessageAs(config_tab::kNothingToWrite, lsWarning);
    SetStatus(QString::fromUtf8(config_tab::kNothingToWrite));
    return;
  }
  const config_tab::Form now = FormFromControls();
  const config_tab::Form *shown = newConfig_ ? nullptr : &shown_;
  if (auto refusal = config_tab::WriteRefusal(now, shown)) {
    if (auto logger = host_.Logger()) logger->AddMessage(*refusal);
    SetStatus(QString::fromStdString(*refusal));
    return;
  }
  config_tab::WriteForm(*config, now, shown);
  WriteToModem(config);
}

void TConfigTab::WriteToModem(const std::shared_ptr<config::IZTConfig> &config) {
  for (;;) {
    bool written = false;
    std::string why;
    const bool ran = host_.RunOperation([&] {
      modem::ZIZ2400 *node = host_.CurrentNode();
      written = node && node->WriteConfig(config);
      if (!written) why = node ? node->ResultCode().Msg : "нет узла";
    });
    if (!ran) return;  // nothing was sent; the host says why
    if (written) {
      if (config == currentConfig_) {
        newConfig_ = false;
        loadedNotWritten_ = false;
        SetStatus({});
        ShowConfig();
      }
      if (CB_VerifyWrite->isChecked()) VerifyWrittenImage(*config);
      return;
    }
    // Blocks before the failure may have been written: the modem can now
    // hold part of the old configuration and part of the new one.
    const QString warning = QString::fromStdString(config_tab::WriteEndedEarlyText(why));
    SetStatus(warning);
    if (!Ask(warning + QStringLiteral("\n\nЗаписать конфигурацию снова?"))) return;
  }
}

void TConfigTab::SetStatus(const QString &text) {
  L_ConfigStatus->setStyleSheet("color: #b00000;");
  L_ConfigStatus->setText(text);
  L_ConfigStatus->setVisible(!text.isEmpty());
}

void TConfigTab::VerifyWrittenImage(config::IZTConfig &written) {
  auto expected = written.SerializeImage();
  std::string actual;
  bool read = false;
  host_.RunOperation([&] { read = host_.CurrentNode() && host_.CurrentNode()->ReadConfigImage(actual); });
  if (!host_.Logger()) return;
  host_.Logger()->BeginAction(shell::ActionCaption(QTime::currentTime().toString("HH:mm:ss").toStdString(),
                                                 "Проверка записанной конфигурации"));
  if (!read)
    host_.Logger()->EndError("образ не прочитан");
  else if (!expected.Ok() || actual != expected.image->Bytes())
    host_.Logger()->EndError("образ в модеме отличается от записанного");
  else
    host_.Logger()->EndSuccess("OK");
}
