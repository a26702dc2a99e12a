#include "ui/main/rtc_tab.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "modem/ziz2400.h"
#include "ui/main/page_operation.h"
#include "ui/main/page_sheet.h"
#include "ui/main/service_page_parts.h"

TRtcTab::TRtcTab(ui::IPageHost &host, QWidget *sheet) : QWidget(sheet), host_(host) {
  ui::FillSheet(sheet, this);
  Button25 = ui::NamedButton("Button25", "Read RTC");
  Button26 = ui::NamedButton("Button26", "Set Date/time");
  Label4 = ui::NamedLabel("Label4", "Label4");
  L_Drift = ui::NamedLabel("L_Drift", QString::fromStdString(drift_.Text()));

  auto *grid = new QGridLayout(this);
  grid->addWidget(Button25, 0, 0);
  grid->addWidget(Label4, 0, 1);
  grid->addWidget(Button26, 1, 0);
  grid->addWidget(L_Drift, 2, 0, 1, 2);
  grid->setColumnStretch(1, 1);
  grid->setRowStretch(3, 1);

  connect(Button25, &QPushButton::clicked, this, &TRtcTab::Button25Click);
  connect(Button26, &QPushButton::clicked, this, &TRtcTab::Button26Click);
}

void TRtcTab::Button25Click() {
  modem::TDateTime device;
  modem::TDateTime computer;
  const modem::ZIZ2400 *node = host_.CurrentNode();
  const bool ok = ui::RunOnNode(host_, [&](modem::ZIZ2400 &n) {
    const bool read = n.ReadRtc(device);
    computer = modem::LocalNow();
    return read;
  });
  if (!ok) {
    Label4->setText(modem::clock_text::kNoClock);
    return;
  }
  Label4->setText(QString::fromStdString(modem::clock_text::ComparisonText(device, computer)));
  if (node != driftNode_ || node->GetDeviceId() != driftDeviceId_) {
    drift_.Reset();
    driftNode_ = node;
    driftDeviceId_ = node->GetDeviceId();
  }
  drift_.AddReading(device, computer);
  L_Drift->setText(QString::fromStdString(drift_.Text()));
}

void TRtcTab::Button26Click() {
  if (ui::RunOnNode(host_, [](modem::ZIZ2400 &n) { return n.WriteRtc(modem::LocalNow()); })) {
    drift_.Reset();
    L_Drift->setText(QString::fromStdString(drift_.Text()));
  }
}
