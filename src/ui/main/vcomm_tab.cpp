#include "ui/main/vcomm_tab.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "modem/ziz2400.h"
#include "port/port.h"
#include "ui/main/channel_controls.h"
#include "ui/main/page_settings.h"
#include "ui/main/page_sheet.h"
#include "ui/widgets/spin_edit.h"

using namespace channel_controls;
using vcomm_tab::ReceiveChecker;

TVCommTab::TVCommTab(ui::IPageHost &host, QWidget *sheet) : QWidget(sheet), host_(host) {
  setObjectName("VCommTab");
  ui::FillSheet(sheet, this);

  SE_NetAddr = Spin("SE_NetAddr", 0, 100, 1, 12);
  SE_NetAddr->setAccessibleName(QStringLiteral("Адрес"));
  CB_VC_Spd = SpeedList("CB_VC_Spd");
  CB_VC_Fmt = FormatList("CB_VC_Fmt");
  auto *closeTimeout = Spin("SE_VC_CloseTO", 0, 32000, 1, 2000);
  closeTimeout->SetPageStep(100);
  SE_VC_CloseTO = closeTimeout;
  SE_VC_CloseTO->setToolTip(QString::fromUtf8(kCloseTimeoutHint));
  Button28 = Button("Button28", "Open VCOMM");
  Button29 = Button("Button29", "Close VCOMM");
  Button45 = Button("Button45", "Open VCOMM Ext");
  Button45->setToolTip(QStringLiteral("Открыть канал с настройками скорости, формата, таумаута"));
  RzMaskEdit1 = RouteEdit("RzMaskEdit1");

  auto *channel = new QGroupBox(QStringLiteral("VCOMM"));
  auto *cf = new QGridLayout(channel);
  auto label = [](const QString &text, QWidget *buddy) {
    auto *l = new QLabel(text);
    l->setBuddy(buddy);
    return l;
  };
  cf->addWidget(Button28, 0, 0);
  cf->addWidget(SE_NetAddr, 0, 1);
  cf->addWidget(Button29, 0, 2);
  cf->addWidget(Button45, 1, 0);
  cf->addWidget(label(QStringLiteral("Скорость:"), CB_VC_Spd), 1, 1);
  cf->addWidget(CB_VC_Spd, 1, 2);
  cf->addWidget(label(QStringLiteral("Формат:"), CB_VC_Fmt), 1, 3);
  cf->addWidget(CB_VC_Fmt, 1, 4);
  cf->addWidget(label(QStringLiteral("Таймаут:"), SE_VC_CloseTO), 1, 5);
  cf->addWidget(SE_VC_CloseTO, 1, 6);
  cf->addWidget(RzMaskEdit1, 2, 0, 1, 7);

  SE_BlockSize = Spin("SE_BlockSize", 0, 8000, 1, 100);
  RzSpinEdit1 = Spin("RzSpinEdit1", 0, 1000, 1, 5);
  Button32 = Button("Button32", "Send");
  auto *testExchange = Button("ButtonTestExchange", "Test exchange");  // has no action
  L_RecvBytes = new QLabel("0");
  L_RecvBytes->setObjectName("L_RecvBytes");
  L_RecvBytes->setAccessibleName(QStringLiteral("Bytes received:"));
  L_RecvState = new QLabel("Off");
  L_RecvState->setObjectName("L_RecvState");
  L_RecvState->setAccessibleName(QStringLiteral("State:"));
  Button31 = Button("Button31", "Reset");
  Button33 = Button("Button33", "Start checker");
  Button34 = Button("Button34", "Stop checker");
  Memo1 = new QPlainTextEdit;
  Memo1->setObjectName("Memo1");
  Memo1->setAccessibleName(QStringLiteral("Отчёт проверки"));
  Memo1->setReadOnly(true);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setMinimumHeight(100);  // the page scrolls rather than squeezing the report to a sliver

  auto *test = new QGroupBox(QStringLiteral("Тест канала"));
  auto *tf = new QGridLayout(test);
  tf->addWidget(label(QStringLiteral("Размер блока:"), SE_BlockSize), 0, 0);
  tf->addWidget(SE_BlockSize, 0, 1);
  tf->addWidget(label(QStringLiteral("Кол-во блоков:"), RzSpinEdit1), 0, 2);
  tf->addWidget(RzSpinEdit1, 0, 3);
  tf->addWidget(Button32, 0, 4);
  tf->addWidget(testExchange, 0, 5);
  tf->addWidget(new QLabel(QStringLiteral("Bytes received:")), 1, 0);
  tf->addWidget(L_RecvBytes, 1, 1);
  tf->addWidget(Button31, 1, 2);
  tf->addWidget(new QLabel(QStringLiteral("State:")), 1, 3);
  tf->addWidget(L_RecvState, 1, 4);
  tf->addWidget(Button33, 2, 0);
  tf->addWidget(Button34, 2, 1);
  tf->addWidget(Memo1, 3, 0, 1, 6);

  auto *layout = new QVBoxLayout(this);
  layout->addWidget(channel);
  layout->addWidget(test, 1);

  // Blocks reach the checker on the port's reader thread; it keeps its own lock.
  std::weak_ptr<ReceiveChecker> checker = checker_;
  received_ = host_.SubscribeReceived([checker](const std::string &data) {
    if (auto c = checker.lock()) c->OnReceive(data);
  });
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(100);
  connect(Timer1, &QTimer::timeout, this, &TVCommTab::Timer1Timer);
  Timer1->start();

  host_.AddSetting(ui::ValueSetting("SE_NetAddr.Value", SE_NetAddr));
  host_.AddSetting(ui::ItemIndexSetting("CB_VC_Spd.ItemIndex", CB_VC_Spd));
  host_.AddSetting(ui::ItemIndexSetting("CB_VC_Fmt.ItemIndex", CB_VC_Fmt));
  host_.AddSetting(ui::ValueSetting("SE_VC_CloseTO.Value", SE_VC_CloseTO));
  Connect();
}

TVCommTab::~TVCommTab() = default;

void TVCommTab::Connect() {
  connect(Button28, &QPushButton::clicked, this, [this] {
    auto speed = static_cast<uint8_t>(CB_VC_Spd->currentIndex());
    auto closeTo = static_cast<uint16_t>(SE_VC_CloseTO->value());
    Run(host_, true, [=](modem::ZIZ2400 &n) { n.OpenVComm(speed, closeTo); });
  });
  connect(Button29, &QPushButton::clicked, this,
          [this] { Run(host_, false, [](modem::ZIZ2400 &n) { n.CloseVComm(); }); });
  connect(Button45, &QPushButton::clicked, this, [this] {
    std::string route;
    if (!Route(host_, RzMaskEdit1, &route)) return;
    auto speed = static_cast<uint8_t>(CB_VC_Spd->currentIndex());
    auto closeTo = static_cast<uint16_t>(SE_VC_CloseTO->value());
    Run(host_, true, [=](modem::ZIZ2400 &n) { n.OpenUart(speed, closeTo, route, 3); });
  });
  connect(Button32, &QPushButton::clicked, this, &TVCommTab::SendTestBlock);
  connect(Button31, &QPushButton::clicked, this, [this] { checker_->ResetTotal(); });
  connect(Button33, &QPushButton::clicked, this, [this] {
    checker_->Start();
    Memo1->clear();
  });
  connect(Button34, &QPushButton::clicked, this, [this] { checker_->Stop(); });
}

void TVCommTab::SendTestBlock() {
  port::TPort *port = host_.Port();
  if (!port) return;
  port->SendData(vcomm_tab::TestBlock(SE_BlockSize->value()));
  port->Flush();
}

void TVCommTab::Timer1Timer() {
  ReceiveChecker::Tick t = checker_->OnTimer();
  L_RecvBytes->setText(QString::number(t.total));
  L_RecvState->setText(QString::fromLatin1(ReceiveChecker::StateName(t.state)));
  if (!t.compared) return;
  Memo1->setUpdatesEnabled(false);
  Memo1->clear();
  for (const auto &line : t.report) Memo1->appendPlainText(QString::fromStdString(line));
  Memo1->setUpdatesEnabled(true);
}
