#include "ui/main/vcomm_tab.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <QVBoxLayout>

#include "app/form1.h"
#include "ui/widgets/spin_edit.h"

using namespace vcomm_tab;

namespace {

const char kCloseTimeoutHint[] =
    "Тайм-аут принудительного разрыва канала\r\n1 слоник - 5 мсек, т.е. 200 слоников - 1 сек.\r\nЕсли 0 слоников - "
    "тайм-аут отключается.";

QComboBox *SpeedList(const char *name) {
  auto *c = new QComboBox;
  c->setObjectName(name);
  for (int i = 0; i < kSpeedItemCount; ++i) c->addItem(QString::fromUtf8(SpeedItems()[i]));
  c->setCurrentIndex(0);
  return c;
}

QComboBox *FormatList(const char *name) {
  auto *c = new QComboBox;
  c->setObjectName(name);
  c->addItems({"8N1", "8E1", "8O1"});
  c->setCurrentIndex(0);
  return c;
}

TSpinEdit *Spin(const char *name, int min, int max, int step, int value) {
  auto *s = new TSpinEdit(min, max, step, value);
  s->setObjectName(name);
  return s;
}

QLineEdit *RouteEdit(const char *name) {
  auto *e = new QLineEdit;
  e->setObjectName(name);
  e->setInputMask(QString::fromLatin1(kRouteMask));
  e->setMaxLength(static_cast<int>(sizeof kRouteMask) - 1);
  e->setMinimumWidth(560);
  e->setText(QString());
  return e;
}

QPushButton *Button(const char *name, const QString &caption) {
  auto *b = new QPushButton(caption);
  b->setObjectName(name);
  return b;
}

}  // namespace

TVCommTabs::TVCommTabs(TForm1 &form) : QObject(&form), form_(form) {
  BuildUartPage(form.Page(QStringLiteral("ZT_UART")));
  BuildChannelPage(form.Page(QStringLiteral("Открытик канала")));
  // Blocks reach the checker on the port's reader thread; it keeps its own lock.
  std::weak_ptr<ReceiveChecker> checker = checker_;
  form_.ChannelTestReceiver = [checker](const std::string &data) {
    if (auto c = checker.lock()) c->OnReceive(data);
  };
  Timer1 = new QTimer(this);
  Timer1->setObjectName("Timer1");
  Timer1->setInterval(100);
  connect(Timer1, &QTimer::timeout, this, &TVCommTabs::Timer1Timer);
  Timer1->start();
}

void TVCommTabs::BuildUartPage(QWidget *page) {
  form_.SE_NetAddr = Spin("SE_NetAddr", 0, 100, 1, 12);
  form_.CB_VC_Spd = SpeedList("CB_VC_Spd");
  form_.CB_VC_Fmt = FormatList("CB_VC_Fmt");
  auto *closeTimeout = Spin("SE_VC_CloseTO", 0, 32000, 1, 2000);
  closeTimeout->SetPageStep(100);
  form_.SE_VC_CloseTO = closeTimeout;
  form_.SE_VC_CloseTO->setToolTip(QString::fromUtf8(kCloseTimeoutHint));
  Button28 = Button("Button28", "Open VCOMM");
  Button29 = Button("Button29", "Close VCOMM");
  Button45 = Button("Button45", "Open VCOMM Ext");
  Button45->setToolTip(QStringLiteral("Открыть канал с настройками скорости, формата, таумаута"));
  RzMaskEdit1 = RouteEdit("RzMaskEdit1");

  auto *channel = new QGroupBox(QStringLiteral("VCOMM"));
  auto *cf = new QGridLayout(channel);
  cf->addWidget(Button28, 0, 0);
  cf->addWidget(form_.SE_NetAddr, 0, 1);
  cf->addWidget(Button29, 0, 2);
  cf->addWidget(Button45, 1, 0);
  cf->addWidget(new QLabel(QStringLiteral("Скорость:")), 1, 1);
  cf->addWidget(form_.CB_VC_Spd, 1, 2);
  cf->addWidget(new QLabel(QStringLiteral("Формат:")), 1, 3);
  cf->addWidget(form_.CB_VC_Fmt, 1, 4);
  cf->addWidget(new QLabel(QStringLiteral("Таймаут:")), 1, 5);
  cf->addWidget(form_.SE_VC_CloseTO, 1, 6);
  cf->addWidget(RzMaskEdit1, 2, 0, 1, 7);

  SE_BlockSize = Spin("SE_BlockSize", 0, 8000, 1, 100);
  RzSpinEdit1 = Spin("RzSpinEdit1", 0, 1000, 1, 5);
  Button32 = Button("Button32", "Send");
  auto *testExchange = Button("ButtonTestExchange", "Test exchange");  // has no action
  L_RecvBytes = new QLabel("0");
  L_RecvBytes->setObjectName("L_RecvBytes");
  L_RecvState = new QLabel("Off");
  L_RecvState->setObjectName("L_RecvState");
  Button31 = Button("Button31", "Reset");
  Button33 = Button("Button33", "Start checker");
  Button34 = Button("Button34", "Stop checker");
  Memo1 = new QPlainTextEdit;
  Memo1->setObjectName("Memo1");
  Memo1->setReadOnly(true);
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  Memo1->setMinimumHeight(100);  // the page scrolls rather than squeezing the report to a sliver

  auto *test = new QGroupBox(QStringLiteral("Тест канала"));
  auto *tf = new QGridLayout(test);
  tf->addWidget(new QLabel(QStringLiteral("Размер блока:")), 0, 0);
  tf->addWidget(SE_BlockSize, 0, 1);
  tf->addWidget(new QLabel(QStringLiteral("Кол-во блоков:")), 0, 2);
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

  auto *layout = new QVBoxLayout(page);
  layout->addWidget(channel);
  layout->addWidget(test, 1);

  connect(Button28, &QPushButton::clicked, this, [this] {
    auto speed = static_cast<uint8_t>(form_.CB_VC_Spd->currentIndex());
    auto closeTo = static_cast<uint16_t>(form_.SE_VC_CloseTO->value());
    Run(true, [=](modem::ZIZ2400 &n) { n.OpenVComm(speed, closeTo); });
  });
  connect(Button29, &QPushButton::clicked, this, [this] { Run(false, [](modem::ZIZ2400 &n) { n.CloseVComm(); }); });
  connect(Button45, &QPushButton::clicked, this, [this] {
    std::string route;
    if (!Route(RzMaskEdit1, &route)) return;
    auto speed = static_cast<uint8_t>(form_.CB_VC_Spd->currentIndex());
    auto closeTo = static_cast<uint16_t>(form_.SE_VC_CloseTO->value());
    Run(true, [=](modem::ZIZ2400 &n) { n.OpenUart(speed, closeTo, route, 3); });
  });
  connect(Button32, &QPushButton::clicked, this, &TVCommTabs::SendTestBlock);
  connect(Button31, &QPushButton::clicked, this, [this] { checker_->ResetTotal(); });
  connect(Button33, &QPushButton::clicked, this, [this] {
    checker_->Start();
    Memo1->clear();
  });
  connect(Button34, &QPushButton::clicked, this, [this] { checker_->Stop(); });
}

void TVCommTabs::BuildChannelPage(QWidget *page) {
  RzMaskEdit2 = RouteEdit("RzMaskEdit2");
  RzComboBox1 = SpeedList("RzComboBox1");
  RzComboBox2 = FormatList("RzComboBox2");
  RzSpinEdit2 = Spin("RzSpinEdit2", 0, 32000, 500, 0);
  RzSpinEdit2->setToolTip(QString::fromUtf8(kCloseTimeoutHint));
  RzSpinEdit3 = Spin("RzSpinEdit3", 0, 100, 1, 1);
  Button60 = Button("Button60", "ROUTE");
  Button61 = Button("Button61", "UART");
  Button62 = Button("Button62", "TERM");
  Button63 = Button("Button63", "ROUTE");
  Button64 = Button("Button64", "UART");
  Button65 = Button("Button65", "TERM");

  auto *settings = new QHBoxLayout;
  settings->addWidget(new QLabel(QStringLiteral("Скорость:")));
  settings->addWidget(RzComboBox1);
  settings->addWidget(new QLabel(QStringLiteral("Формат:")));
  settings->addWidget(RzComboBox2);
  settings->addWidget(new QLabel(QStringLiteral("Таймаут:")));
  settings->addWidget(RzSpinEdit2);
  settings->addWidget(new QLabel(QStringLiteral("Адрес:")));
  settings->addWidget(RzSpinEdit3);
  settings->addStretch(1);

  auto *open = new QGroupBox(QStringLiteral("Открыть"));
  auto *ol = new QVBoxLayout(open);
  for (auto *b : {Button60, Button61, Button62}) ol->addWidget(b);
  auto *close = new QGroupBox(QStringLiteral("Закрыть"));
  auto *cl = new QVBoxLayout(close);
  for (auto *b : {Button63, Button64, Button65}) cl->addWidget(b);
  auto *columns = new QHBoxLayout;
  columns->addWidget(open);
  columns->addWidget(close);
  columns->addStretch(1);

  auto *layout = new QVBoxLayout(page);
  layout->addWidget(RzMaskEdit2);
  layout->addLayout(settings);
  layout->addLayout(columns);
  layout->addStretch(1);

  connect(Button60, &QPushButton::clicked, this, [this] {
    std::string route;
    if (Route(RzMaskEdit2, &route)) Run(true, [=](modem::ZIZ2400 &n) { n.OpenRoute(3, route); });
  });
  connect(Button61, &QPushButton::clicked, this, [this] {
    std::string route;
    if (!Route(RzMaskEdit2, &route)) return;
    auto speed = static_cast<uint8_t>(RzComboBox1->currentIndex());
    auto closeTo = static_cast<uint16_t>(RzSpinEdit2->value());
    Run(true, [=](modem::ZIZ2400 &n) { n.OpenUart(speed, closeTo, route, 3); });
  });
  connect(Button62, &QPushButton::clicked, this, [this] {
    auto address = static_cast<uint8_t>(RzSpinEdit3->value());
    Run(false, [=](modem::ZIZ2400 &n) { n.OpenTerm(address); });
  });
  connect(Button63, &QPushButton::clicked, this, [this] {
    std::string route;
    if (Route(RzMaskEdit2, &route)) Run(true, [=](modem::ZIZ2400 &n) { n.CloseRoute(route); });
  });
  connect(Button64, &QPushButton::clicked, this, [this] { Run(false, [](modem::ZIZ2400 &n) { n.CloseVComm(); }); });
  connect(Button65, &QPushButton::clicked, this, [this] { Run(false, [](modem::ZIZ2400 &n) { n.CloseTerm(); }); });
}

void TVCommTabs::Run(bool longer, const std::function<void(modem::ZIZ2400 &)> &request) {
  modem::ZIZ2400 *node = form_.CurrentNode;
  if (!node) return;
  form_.RunOperation([&] {
    const int normal = node->GetTimeOutMs();
    if (longer) node->SetTimeOutMs(normal * 4);
    request(*node);
    if (longer) node->SetTimeOutMs(normal);
  });
}

bool TVCommTabs::Route(QLineEdit *field, std::string *route) {
  RouteField r = RouteFromField(field->displayText().toStdString());
  if (!r.route) {
    if (form_.Logger) form_.Logger->AddMessage("Маршрут не отправлен: " + r.error);
    return false;
  }
  *route = *r.route;
  return true;
}

void TVCommTabs::SendTestBlock() {
  if (!form_.Port) return;
  form_.Port->SendData(TestBlock(SE_BlockSize->value()));
  form_.Port->Flush();
}

void TVCommTabs::Timer1Timer() {
  ReceiveChecker::Tick t = checker_->OnTimer();
  L_RecvBytes->setText(QString::number(t.total));
  L_RecvState->setText(QString::fromLatin1(ReceiveChecker::StateName(t.state)));
  if (!t.compared) return;
  Memo1->setUpdatesEnabled(false);
  Memo1->clear();
  for (const auto &line : t.report) Memo1->appendPlainText(QString::fromStdString(line));
  Memo1->setUpdatesEnabled(true);
}
