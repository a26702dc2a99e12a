#include "ui/main/info_tab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "modem/run_counters.h"
#include "modem/counter_texts.h"
#include "ui/main/page_operation.h"
#include "ui/main/page_sheet.h"
#include "ui/main/service_page_parts.h"
#include "ui/widgets/time_plot.h"

namespace {
constexpr int kPollMs = 200;
constexpr double kPlotWindowSec = 300;
}  // namespace

TInfoTab::TInfoTab(ui::IPageHost &host, QWidget *sheet) : QWidget(sheet), host_(host) {
  ui::FillSheet(sheet, this);
  using ui::NamedButton;
  using ui::NamedLabel;
  Button22 = NamedButton("Button22", "Get tick");
  Button23 = NamedButton("Button23", "Cycle time");
  Button27 = NamedButton("Button27", "Test eeprom");
  Button53 = NamedButton("Button53", "Version");
  Button54 = NamedButton("Button54", "Device Desc");
  Btn_GetHWSC = NamedButton("Btn_GetHWSC", "Get HWState");
  CB_HWSC_Cycled = ui::NamedCheck("CB_HWSC_Cycled", "Cycled");
  CB_HWSC_Cycled->setAccessibleName("Cycled (Get HWState)");
  Label2 = NamedLabel("Label2", "Label2");
  Label3 = NamedLabel("Label3", "Label3");
  L_Version = NamedLabel("L_Version", "L_Ver");
  L_DeviceDesc = NamedLabel("L_DeviceDesc", "L_DeviceDesc");
  L_HWSC = NamedLabel("L_HWSC", "L_HWSC");

  SupplyPlot = new TTimePlot("Напряжения питания, V", kPlotWindowSec);
  SupplyPlot->setObjectName("SupplyPlot");
  SupplyPlot->AddSeries("ext, V", QColor(200, 40, 40));
  SupplyPlot->AddSeries("int, V", QColor(30, 90, 200));
  Btn_SaveSupplyPlot = ui::SavePlotButton("Btn_SaveSupplyPlot", SupplyPlot, "supply.png");

  auto *grid = new QGridLayout;
  int row = 0;
  for (auto [button, label] : {std::pair<QPushButton *, QLabel *>{Button22, Label2},
                               {Button23, Label3},
                               {Button27, nullptr},
                               {Button53, L_Version},
                               {Button54, L_DeviceDesc},
                               {Btn_GetHWSC, L_HWSC}}) {
    grid->addWidget(button, row, 0);
    if (label) grid->addWidget(label, row, 1);
    ++row;
  }
  grid->addWidget(CB_HWSC_Cycled, row++, 0);
  grid->setColumnStretch(1, 1);

  auto *page = new QVBoxLayout(this);
  page->addLayout(grid);
  page->addWidget(SupplyPlot, 1);
  page->addWidget(Btn_SaveSupplyPlot, 0, Qt::AlignLeft);

  Timer3 = new QTimer(this);
  Timer3->setObjectName("Timer3");
  Timer3->setInterval(kPollMs);
  HwscPoll = new ui::TCycledPoll(CB_HWSC_Cycled, Timer3, [this] { Btn_GetHWSCClick(); }, this);

  connect(Button22, &QPushButton::clicked, this, &TInfoTab::Button22Click);
  connect(Button23, &QPushButton::clicked, this, &TInfoTab::Button23Click);
  connect(Button27, &QPushButton::clicked, this, &TInfoTab::Button27Click);
  connect(Button53, &QPushButton::clicked, this, &TInfoTab::Button53Click);
  connect(Button54, &QPushButton::clicked, this, &TInfoTab::Button54Click);
  connect(Btn_GetHWSC, &QPushButton::clicked, this, &TInfoTab::Btn_GetHWSCClick);
}

void TInfoTab::Button22Click() {
  std::string text;
  ui::RunOnNode(host_, [&](modem::ZIZ2400 &n) { return n.ReadTickCounter(text); });
  Label2->setText(ui::PlainLabelText(modem::counter_text::TickText(text)));
}

void TInfoTab::Button23Click() {
  std::string tick, cycle;
  ui::RunOnNode(host_, [&](modem::ZIZ2400 &n) {
    n.ReadTickCounter(tick);
    return n.ReadCycleTime(cycle);
  });
  Label3->setText(ui::PlainLabelText(modem::counter_text::CycleText(cycle, modem::TickCountFromHex(tick))));
}

void TInfoTab::Button27Click() {
  uint16_t readTime = 0;
  if (ui::RunOnNode(host_, [&](modem::ZIZ2400 &n) { return n.ReadEepromTestTime(readTime); }))
    Label3->setText(ui::PlainLabelText(modem::counter_text::EepromText(readTime)));
}

void TInfoTab::Button53Click() {
  modem::TVersion version;
  ui::RunOnNode(host_, [&](modem::ZIZ2400 &n) { return n.ReadVersion(version); });
  L_Version->setText(QString::fromStdString(version.VersionStr));
}

void TInfoTab::Button54Click() {
  std::string name;
  const bool ok = ui::RunOnNode(host_, [&](modem::ZIZ2400 &n) { return n.ReadDeviceName(name); });
  L_DeviceDesc->setText(ok ? QString::fromStdString(name) : modem::counter_text::kNoDeviceName);
}

void TInfoTab::Btn_GetHWSCClick() {
  L_HWSC->setText(modem::counter_text::kNoSupplyState);
  uint8_t mains = 0;
  double external = 0, internal = 0;
  const bool ok = ui::RunOnNode(
      host_, [&](modem::ZIZ2400 &n) { return n.ReadVoltageSensor(mains) && n.ReadVoltages(external, internal); });
  if (!ok) return;
  L_HWSC->setText(ui::PlainLabelText(modem::counter_text::SupplyText(mains != 0, external, internal)));
  const double now = ui::PlotSeconds();
  SupplyPlot->AddSample(0, now, external);
  SupplyPlot->AddSample(1, now, internal);
}
