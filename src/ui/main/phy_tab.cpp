#include "ui/main/phy_tab.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "modem/phy_records.h"
#include "ui/main/page_operation.h"
#include "ui/main/page_sheet.h"
#include "modem/phy_texts.h"
#include "ui/main/service_page_parts.h"
#include "ui/widgets/markup_label.h"
#include "ui/widgets/time_plot.h"

namespace {

constexpr int kPollMs = 200;
constexpr double kPlotWindowSec = 300;

}  // namespace

TPhyTab::TPhyTab(ui::IPageHost &host, QWidget *sheet) : QWidget(sheet), host_(host) {
  ui::FillSheet(sheet, this);
  using ui::NamedButton;
  Button24 = NamedButton("Button24", "Get status");
  Button55 = NamedButton("Button55", "Get errors stat");
  Button36 = NamedButton("Button36", "Temperature");
  Button39 = NamedButton("Button39", "PHY_OFF");
  Button40 = NamedButton("Button40", "PHY_ON");
  Button44 = NamedButton("Button44", "Get CarrierOffs");
  Btn_GetLPS = NamedButton("Btn_GetLPS", "Get LPS");
  CB_CycleLPS = ui::NamedCheck("CB_CycleLPS", "Cycled");
  CB_CycleLPS->setAccessibleName("Cycled (Get LPS)");
  PHYS_L = new TMarkupLabel("PHYS_L");
  PHYS_L->setObjectName("PHYS_L");
  PHYS_L->setAlignment(Qt::AlignTop | Qt::AlignLeft);
  L_Temper = ui::NamedLabel("L_Temper", "L_Temper");
  L_PHYCarrier = ui::NamedLabel("L_PHYCarrier", "L_PHYCarrier");
  L_PHYCarrier->setAlignment(Qt::AlignTop | Qt::AlignLeft);

  RssiPlot = new TTimePlot("RSSI последнего пакета, dBm", kPlotWindowSec);
  RssiPlot->setObjectName("RssiPlot");
  RssiPlot->AddSeries("RSSI, dBm", QColor(200, 40, 40));
  LqiPlot = new TTimePlot("LQI последнего пакета", kPlotWindowSec);
  LqiPlot->setObjectName("LqiPlot");
  LqiPlot->AddSeries("LQI", QColor(30, 90, 200));
  Btn_SaveRssiPlot = ui::SavePlotButton("Btn_SaveRssiPlot", RssiPlot, "rssi.png");
  Btn_SaveLqiPlot = ui::SavePlotButton("Btn_SaveLqiPlot", LqiPlot, "lqi.png");

  auto *buttons = new QGridLayout;
  buttons->addWidget(Button24, 0, 0);
  buttons->addWidget(Button55, 1, 0);
  buttons->addWidget(Button36, 2, 0);
  buttons->addWidget(L_Temper, 2, 1);
  buttons->addWidget(Button39, 3, 0);
  buttons->addWidget(Button40, 3, 1);
  buttons->addWidget(Button44, 4, 0);
  buttons->addWidget(Btn_GetLPS, 5, 0);
  buttons->addWidget(CB_CycleLPS, 5, 1);
  buttons->setRowStretch(6, 1);

  auto *labels = new QHBoxLayout;
  labels->addLayout(buttons);
  labels->addWidget(PHYS_L, 1);
  labels->addWidget(L_PHYCarrier, 1);

  auto *plots = new QGridLayout;
  plots->addWidget(RssiPlot, 0, 0);
  plots->addWidget(LqiPlot, 0, 1);
  plots->addWidget(Btn_SaveRssiPlot, 1, 0, Qt::AlignLeft);
  plots->addWidget(Btn_SaveLqiPlot, 1, 1, Qt::AlignLeft);

  auto *page = new QVBoxLayout(this);
  page->addLayout(labels);
  page->addLayout(plots, 1);

  Timer2 = new QTimer(this);
  Timer2->setObjectName("Timer2");
  Timer2->setInterval(kPollMs);
  LpsPoll = new ui::TCycledPoll(CB_CycleLPS, Timer2, [this] { Btn_GetLPSClick(); }, this);

  connect(Button24, &QPushButton::clicked, this, &TPhyTab::Button24Click);
  connect(Button55, &QPushButton::clicked, this, &TPhyTab::Button55Click);
  connect(Button36, &QPushButton::clicked, this, &TPhyTab::Button36Click);
  connect(Button39, &QPushButton::clicked, this, &TPhyTab::Button39Click);
  connect(Button40, &QPushButton::clicked, this, &TPhyTab::Button40Click);
  connect(Button44, &QPushButton::clicked, this, &TPhyTab::Button44Click);
  connect(Btn_GetLPS, &QPushButton::clicked, this, &TPhyTab::Btn_GetLPSClick);
}

void TPhyTab::Button24Click() {
  modem::TPhyStatus buf{};
  const bool ok = ui::RunOnNode(host_, [&](modem::ZIZ2400 &n) { return n.ReadPhyStatus(buf); });
  PHYS_L->SetMarkup(ok ? modem::phy_text::PhyStatusText(buf) : std::string());
}

void TPhyTab::Button55Click() {
  modem::TPhyErrorStats buf{};
  const bool ok = ui::RunOnNode(host_, [&](modem::ZIZ2400 &n) { return n.ReadPhyErrorStats(buf); });
  PHYS_L->SetMarkup(ok ? modem::phy_text::ErrorStatsText(buf) : modem::phy_text::kNoErrorStats);
}

void TPhyTab::Button36Click() {
  int16_t degrees = 0;
  const bool ok = ui::RunOnNode(host_, [&](modem::ZIZ2400 &n) { return n.ReadTemperature(degrees); });
  L_Temper->setText(ok ? ui::PlainLabelText(modem::phy_text::TemperatureText(degrees)) : modem::phy_text::kNoTemperature);
}

void TPhyTab::Button39Click() {
  ui::RunOnNode(host_, [](modem::ZIZ2400 &n) { return n.SetTransceiver(0); });
}

void TPhyTab::Button40Click() {
  ui::RunOnNode(host_, [](modem::ZIZ2400 &n) { return n.SetTransceiver(1); });
}

void TPhyTab::Button44Click() {
  modem::TCarrierOffsets buf{};
  if (ui::RunOnNode(host_, [&](modem::ZIZ2400 &n) { return n.ReadCarrierOffsets(buf); }))
    L_PHYCarrier->setText(ui::PlainLabelText(modem::phy_text::CarrierText(buf)));
}

void TPhyTab::Btn_GetLPSClick() {
  modem::TLastPacketStatus buf{};
  if (!ui::RunOnNode(host_, [&](modem::ZIZ2400 &n) { return n.ReadLastPacketStatus(buf); })) return;
  L_PHYCarrier->setText(ui::PlainLabelText(modem::phy_text::LastPacketText(buf)));
  const auto packet = modem::DecodeLastPacketStatus(buf);
  const double now = ui::PlotSeconds();
  RssiPlot->AddSample(0, now, modem::RssiDbm(packet.RSSI));
  LqiPlot->AddSample(0, now, packet.LQI);
}
