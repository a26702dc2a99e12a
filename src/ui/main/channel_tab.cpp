#include "ui/main/channel_tab.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "modem/ziz2400.h"
#include "ui/main/channel_controls.h"
#include "ui/main/page_sheet.h"
#include "ui/widgets/spin_edit.h"

using namespace channel_controls;

TChannelTab::TChannelTab(ui::IPageHost &host, QWidget *sheet) : QWidget(sheet), host_(host) {
  setObjectName("ChannelTab");
  ui::FillSheet(sheet, this);

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
  auto labelled = [settings](const QString &text, QWidget *field) {
    auto *l = new QLabel(text);
    l->setBuddy(field);
    settings->addWidget(l);
    settings->addWidget(field);
  };
  labelled(QStringLiteral("Скорость:"), RzComboBox1);
  labelled(QStringLiteral("Формат:"), RzComboBox2);
  labelled(QStringLiteral("Таймаут:"), RzSpinEdit2);
  labelled(QStringLiteral("Адрес:"), RzSpinEdit3);
  settings->addStretch(1);

  auto *open = new QGroupBox(QStringLiteral("Открыть"));
  auto *ol = new QVBoxLayout(open);
  for (auto *b : {Button60, Button61, Button62}) {
    b->setAccessibleName(QStringLiteral("Открыть ") + b->text());
    ol->addWidget(b);
  }
  auto *close = new QGroupBox(QStringLiteral("Закрыть"));
  auto *cl = new QVBoxLayout(close);
  for (auto *b : {Button63, Button64, Button65}) {
    b->setAccessibleName(QStringLiteral("Закрыть ") + b->text());
    cl->addWidget(b);
  }
  auto *columns = new QHBoxLayout;
  columns->addWidget(open);
  columns->addWidget(close);
  columns->addStretch(1);

  auto *layout = new QVBoxLayout(this);
  layout->addWidget(RzMaskEdit2);
  layout->addLayout(settings);
  layout->addLayout(columns);
  layout->addStretch(1);
  Connect();
}

void TChannelTab::Connect() {
  connect(Button60, &QPushButton::clicked, this, [this] {
    std::string route;
    if (Route(host_, RzMaskEdit2, &route)) Run(host_, true, [=](modem::ZIZ2400 &n) { n.OpenRoute(3, route); });
  });
  connect(Button61, &QPushButton::clicked, this, [this] {
    std::string route;
    if (!Route(host_, RzMaskEdit2, &route)) return;
    auto speed = static_cast<uint8_t>(RzComboBox1->currentIndex());
    auto closeTo = static_cast<uint16_t>(RzSpinEdit2->value());
    Run(host_, true, [=](modem::ZIZ2400 &n) { n.OpenUart(speed, closeTo, route, 3); });
  });
  connect(Button62, &QPushButton::clicked, this, [this] {
    auto address = static_cast<uint8_t>(RzSpinEdit3->value());
    Run(host_, false, [=](modem::ZIZ2400 &n) { n.OpenTerm(address); });
  });
  connect(Button63, &QPushButton::clicked, this, [this] {
    std::string route;
    if (Route(host_, RzMaskEdit2, &route)) Run(host_, true, [=](modem::ZIZ2400 &n) { n.CloseRoute(route); });
  });
  connect(Button64, &QPushButton::clicked, this,
          [this] { Run(host_, false, [](modem::ZIZ2400 &n) { n.CloseVComm(); }); });
  connect(Button65, &QPushButton::clicked, this,
          [this] { Run(host_, false, [](modem::ZIZ2400 &n) { n.CloseTerm(); }); });
}
