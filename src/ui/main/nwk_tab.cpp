#include "ui/main/nwk_tab.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "device/result_code.h"
#include "modem/ziz2400.h"
#include "modem/network_texts.h"
#include "ui/main/page_sheet.h"
#include "ui/widgets/markup_label.h"

TNwkTab::TNwkTab(ui::IPageHost &host, QWidget *sheet) : QWidget(sheet), host_(host) {
  setObjectName("NwkTab");
  ui::FillSheet(sheet, this);
  Button57 = new QPushButton(QStringLiteral("Get route table"));
  Button57->setObjectName("Button57");
  LV_Routes = new QListWidget;
  LV_Routes->setObjectName("LV_Routes");
  LV_Routes->setAccessibleName(QStringLiteral("Route table"));
  LV_Routes->setToolTip(QString::fromUtf8(modem::network_text::kRouteListHint).replace(QStringLiteral("\r\n"), "\n"));
  // Items run down in columns, as a list-style list view lays them out.
  LV_Routes->setFlow(QListView::TopToBottom);
  LV_Routes->setWrapping(true);
  LV_Routes->setResizeMode(QListView::Adjust);
  L_Failure = new TMarkupLabel;
  L_Failure->setObjectName("L_Failure");
  L_Failure->setWordWrap(true);

  auto *layout = new QVBoxLayout(this);
  layout->addWidget(Button57, 0, Qt::AlignLeft);
  layout->addWidget(L_Failure);
  layout->addWidget(LV_Routes, 1);
  connect(Button57, &QPushButton::clicked, this, &TNwkTab::Button57Click);
}

void TNwkTab::Button57Click() {
  auto *node = host_.CurrentNode();
  if (!node) return;
  host_.RunOperation([this, node] {
    modem::ZIZ2400RoutePairs pairs;
    const bool ok = node->ReadRouteTable(pairs);
    // An empty table reads as "no data": that is the table, not a failed read.
    if (!ok && node->ResultCode().Code != device::rcNoData.Code) {
      L_Failure->SetMarkup(modem::network_text::ReadFailureMarkup("Чтение таблицы маршрутизации", node->ResultCode().Msg));
      return;
    }
    L_Failure->SetMarkup(ok ? "" : "Таблица маршрутизации пуста.");
    LV_Routes->setUpdatesEnabled(false);
    LV_Routes->clear();
    for (const auto &p : pairs) LV_Routes->addItem(QString::fromStdString(modem::network_text::RouteItemText(p)));
    LV_Routes->setUpdatesEnabled(true);
  });
}
