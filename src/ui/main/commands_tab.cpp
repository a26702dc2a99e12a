#include "ui/main/commands_tab.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "log/log_intf.h"
#include "modem/radio_trace.h"
#include "modem/ziz2400.h"
#include "modem/link_test.h"
#include "ui/main/page_operation.h"
#include "ui/main/page_settings.h"
#include "ui/main/page_sheet.h"
#include "ui/main/service_page_parts.h"
#include "ui/widgets/histogram_view.h"
#include "ui/widgets/hex_spin_edit.h"

namespace {

constexpr int kHistogramBins = 20;
const char kLinkTestCaption[] = "Test 500 Vers";

}  // namespace

TCommandsTab::TCommandsTab(ui::IPageHost &host, QWidget *sheet) : QWidget(sheet), host_(host) {
  ui::FillSheet(sheet, this);
  using ui::NamedButton;
  Button1 = NamedButton("Button1", "Version");
  Button2 = NamedButton("Button2", kLinkTestCaption);
  Button8 = NamedButton("Button8", "Restart");
  Button35 = NamedButton("Button35", "Identify");
  Button37 = NamedButton("Button37", "Технологич");
  Button38 = NamedButton("Button38", "Рабочий");
  Button46 = NamedButton("Button46", "Memory map");
  Button5 = NamedButton("Button5", "Show termnal");
  Button59 = NamedButton("Button59", "debug info");
  SE_debuginfaddr = new THexSpinEdit(modem::link_test::kTraceAddressMin, modem::link_test::kTraceAddressMax, 1,
                                     modem::kRadioTraceDefaultAddress);
  SE_debuginfaddr->setObjectName("SE_debuginfaddr");
  SE_debuginfaddr->setAccessibleName("Адрес отладочной информации (RAM)");
  RzListBox1 = new QListWidget;
  RzListBox1->setObjectName("RzListBox1");
  RzListBox1->setAccessibleName("debug info");
  L_LinkStats = ui::NamedLabel("L_LinkStats", QString());
  L_LinkStats->setAccessibleName("Статистика теста связи");
  LinkHistogram = new THistogramView("Время ответа", "ms");
  LinkHistogram->setObjectName("LinkHistogram");

  auto *box = new QGroupBox("Железка");
  auto *grid = new QGridLayout(box);
  grid->addWidget(Button1, 0, 0);
  grid->addWidget(Button2, 0, 1);
  grid->addWidget(Button8, 0, 2);
  grid->addWidget(Button35, 0, 3);
  grid->addWidget(Button37, 1, 0);
  grid->addWidget(Button38, 1, 1);
  grid->addWidget(Button46, 1, 2);
  grid->addWidget(Button5, 1, 3);
  grid->addWidget(SE_debuginfaddr, 2, 0);
  grid->addWidget(Button59, 2, 1);
  grid->addWidget(L_LinkStats, 3, 0, 1, 4);

  auto *lower = new QHBoxLayout;
  lower->addWidget(RzListBox1, 3);
  lower->addWidget(LinkHistogram, 2);

  auto *page = new QVBoxLayout(this);
  page->addWidget(box);
  page->addLayout(lower, 1);

  connect(Button1, &QPushButton::clicked, this, &TCommandsTab::Button1Click);
  connect(Button5, &QPushButton::clicked, this, [this] { host_.ShowTerminalWindow(); });
  connect(Button2, &QPushButton::clicked, this, &TCommandsTab::Button2Click);
  connect(Button8, &QPushButton::clicked, this, &TCommandsTab::Button8Click);
  connect(Button35, &QPushButton::clicked, this, &TCommandsTab::Button35Click);
  connect(Button37, &QPushButton::clicked, this, &TCommandsTab::Button37Click);
  connect(Button38, &QPushButton::clicked, this, &TCommandsTab::Button38Click);
  connect(Button46, &QPushButton::clicked, this, &TCommandsTab::Button46Click);
  connect(Button59, &QPushButton::clicked, this, &TCommandsTab::Button59Click);

  host.AddSetting(ui::ValueSetting("SE_debuginfaddr.Value", SE_debuginfaddr));
}

void TCommandsTab::Button1Click() {
  modem::TVersion version;
  ui::RunOnNode(host_, [&](modem::ZIZ2400 &n) { return n.ReadVersion(version); });
  if (auto logger = host_.Logger()) logger->AddMessage("Version: " + version.VersionStr);
}

void TCommandsTab::Button2Click() {
  auto logger = host_.Logger();
  modem::ZIZ2400 *node = host_.CurrentNode();
  if (!logger || !node) return;
  const int total = modem::link_test::kLinkTestRequests;
  modem::link_test::LinkTestOutcome outcome;
  const bool ran = host_.RunOperation([&] {
    logger->BeginAction(modem::link_test::kLinkTestAction);
    modem::link_test::LinkTestHooks hooks;
    hooks.readVersion = [node] {
      modem::TVersion version;
      node->ReadVersion(version);
      return node->ResultCode().Code;
    };
    hooks.message = [logger](const std::string &text) { logger->AddMessage(text); };
    hooks.progress = [this](int done, int all) { host_.ShowProgress(kLinkTestCaption, done, all); };
    outcome = modem::link_test::RunLinkTest(total, hooks);
    logger->EndSuccess(modem::link_test::EndText(outcome.elapsedMs, total));
  });
  host_.ShowProgress(kLinkTestCaption, 0, 0);
  if (!ran) {
    logger->AddMessage("Test 500 Vers: другая операция ещё ждёт ответа; повторите, когда она закончится");
    return;
  }
  logger->AddMessage(modem::link_test::SummaryText(outcome, total));
  const auto stats = modem::link_test::ComputeStats(outcome);
  const std::string statsText = modem::link_test::StatsText(stats);
  logger->AddMessage(statsText);
  L_LinkStats->setText(QString::fromStdString(modem::link_test::SummaryText(outcome, total) + "; " + statsText));
  const auto histogram = modem::link_test::MakeHistogram(outcome.roundTripsMs, kHistogramBins);
  LinkHistogram->SetBins(histogram.fromMs, histogram.binMs, histogram.counts);
}

void TCommandsTab::Button8Click() {
  ui::RunOnNode(host_, [](modem::ZIZ2400 &n) { return n.Restart(); });
}

void TCommandsTab::Button35Click() {
  ui::RunOnNode(host_, [](modem::ZIZ2400 &n) { return n.Identify(); });
}

void TCommandsTab::Button37Click() {
  ui::RunOnNode(host_, [](modem::ZIZ2400 &n) { return n.SetMode(1); });
}

void TCommandsTab::Button38Click() {
  ui::RunOnNode(host_, [](modem::ZIZ2400 &n) { return n.SetMode(0); });
}

void TCommandsTab::Button46Click() { host_.ShowMemoryDumpWindow(); }

void TCommandsTab::Button59Click() {
  const int address = SE_debuginfaddr->value();
  std::string bytes;
  if (!ui::RunOnNode(host_, [&](modem::ZIZ2400 &n) {
        return n.ReadPureMemory(static_cast<uint16_t>(address - modem::kRamBaseAddress), modem::kRadioTraceBytes,
                                bytes);
      }))
    return;
  RzListBox1->clear();
  modem::RadioTrace trace;
  const auto error = modem::DecodeRadioTrace(bytes, trace);
  if (error != modem::RadioTraceError::None) {
    const auto text = modem::link_test::RadioTraceErrorText(error, bytes.size(), bytes.empty() ? 0 : uint8_t(bytes[0]));
    RzListBox1->addItem(QString::fromStdString(text));
    if (auto logger = host_.Logger()) logger->AddMessage(text);
    return;
  }
  for (const auto &line : modem::link_test::RadioTraceLines(trace)) RzListBox1->addItem(QString::fromStdString(line));
}
