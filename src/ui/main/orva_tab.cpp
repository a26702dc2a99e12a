#include "ui/main/orva_tab.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "modem/ziz2400.h"
#include "modem/network_texts.h"
#include "ui/main/page_settings.h"
#include "ui/main/page_sheet.h"
#include "ui/widgets/markup_label.h"
#include "ui/widgets/spin_edit.h"
#include "util/format.h"

namespace {

QPushButton *Button(const char *name, const char *caption) {
  auto *b = new QPushButton(QString::fromUtf8(caption));
  b->setObjectName(name);
  return b;
}

}  // namespace

TOrvaTab::TOrvaTab(ui::IPageHost &host, QWidget *sheet) : QWidget(sheet), host_(host) {
  setObjectName("OrvaTab");
  ui::FillSheet(sheet, this);

  Button49 = Button("Button49", "Get state");
  Button50 = Button("Button50", "Get router state");
  Button56 = Button("Button56", "RemoveChild");
  Button48 = Button("Button48", "Read table");
  SE_ORVARemCh = new TSpinEdit(1, 2048, 1, 1);
  SE_ORVARemCh->setObjectName("SE_ORVARemCh");
  SE_ORVARemCh->setAccessibleName(QStringLiteral("Адрес дочернего узла"));
  L_ORVAStat = new TMarkupLabel;
  L_ORVAStat->setObjectName("L_ORVAStat");
  L_ORVAStat->setAccessibleName(QStringLiteral("ORVA"));
  L_ORVAStat->setTextInteractionFlags(Qt::TextSelectableByMouse);
  L_Failure = new TMarkupLabel;
  L_Failure->setObjectName("L_Failure");
  L_Failure->setWordWrap(true);
  BuildTable();

  auto *top = new QHBoxLayout;
  top->addWidget(Button49);
  top->addWidget(Button50);
  top->addStretch(1);
  top->addWidget(SE_ORVARemCh);
  top->addWidget(Button56);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(L_Failure);
  layout->addWidget(L_ORVAStat);
  layout->addWidget(Button48, 0, Qt::AlignLeft);
  layout->addWidget(VST_ORVA, 1);

  connect(Button49, &QPushButton::clicked, this, &TOrvaTab::Button49Click);
  connect(Button50, &QPushButton::clicked, this, &TOrvaTab::Button50Click);
  connect(Button56, &QPushButton::clicked, this, &TOrvaTab::Button56Click);
  connect(Button48, &QPushButton::clicked, this, &TOrvaTab::Button48Click);
  host_.AddSetting(ui::ValueSetting("SE_ORVARemCh.Value", SE_ORVARemCh));
}

void TOrvaTab::BuildTable() {
  VST_ORVA = new QTreeWidget;
  VST_ORVA->setObjectName("VST_ORVA");
  VST_ORVA->setAccessibleName(QStringLiteral("ORVA node table"));
  VST_ORVA->setRootIsDecorated(false);
  VST_ORVA->setSelectionBehavior(QAbstractItemView::SelectRows);
  VST_ORVA->setAllColumnsShowFocus(true);
  QStringList captions;
  for (const char *c : modem::network_text::OrvaColumns()) captions << QString::fromUtf8(c);
  VST_ORVA->setHeaderLabels(captions);
  auto *header = VST_ORVA->header();
  header->setSectionsMovable(true);
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setStretchLastSection(true);  // PingFlags takes the spare width
  const int widths[modem::network_text::kOrvaColumnCount] = {60, 80, 50, 50, 60, 70, 70, 150};
  for (int c = 0; c < modem::network_text::kOrvaColumnCount; ++c) VST_ORVA->setColumnWidth(c, widths[c]);
  // The designed width was made for a smaller font: widen RSSI until its
  // longest text ("100 (-122 dbm)") shows whole instead of cut.
  const int rssiText = VST_ORVA->fontMetrics().horizontalAdvance(
      QString::fromStdString(modem::network_text::RssiText(100)));
  const int margins = 2 * VST_ORVA->style()->pixelMetric(QStyle::PM_HeaderMargin) + 8;
  VST_ORVA->setColumnWidth(1, std::max(widths[1], rssiText + margins));
}

void TOrvaTab::Button49Click() {
  auto *node = host_.CurrentNode();
  if (!node) return;
  host_.RunOperation([this, node] {
    modem::TORVA_CommonContext ctx{};
    if (node->ReadOrvaCommonContext(ctx)) {
      L_ORVAStat->SetMarkup(modem::network_text::OrvaStateMarkup(ctx));
      L_Failure->SetMarkup("");
    } else {
      L_Failure->SetMarkup(modem::network_text::ReadFailureMarkup("Чтение ORVA Common Context", node->ResultCode().Msg));
    }
  });
}

void TOrvaTab::Button50Click() {
  auto *node = host_.CurrentNode();
  if (!node) return;
  host_.RunOperation([this, node] {
    modem::TORVA_RouterContext ctx{};
    if (node->ReadOrvaRouterContext(ctx)) {
      L_ORVAStat->SetMarkup(modem::network_text::OrvaRouterMarkup(ctx));
      L_Failure->SetMarkup("");
    } else {
      L_Failure->SetMarkup(modem::network_text::ReadFailureMarkup("Чтение ORVA Router Context", node->ResultCode().Msg));
    }
  });
}

void TOrvaTab::Button56Click() {
  auto *node = host_.CurrentNode();
  if (!node) return;
  const int address = SE_ORVARemCh->value();
  // The node loses its place in the mesh and has to register anew.
  if (!Prompts.ask(this, QString::fromStdString(util::Format(
                             "Удалить дочерний узел %d из сети? Ему придётся заново регистрироваться.", address))))
    return;
  host_.RunOperation([this, node, address] {
    node->RemoveOrvaChild(static_cast<uint16_t>(address));
    if (node->ResultCode().Code != 0)
      Prompts.warn(this, QString::fromStdString(util::Format(
                             "Узел %d не удалён: %s. Удалить можно только активный дочерний узел этого узла; "
                             "проверьте адрес по таблице (\"Read table\").",
                             address, node->ResultCode().Msg)));
  });
}

void TOrvaTab::Button48Click() {
  auto *node = host_.CurrentNode();
  if (!node) return;
  host_.RunOperation([this, node] {
    modem::TORVA_Nodes nodes;
    uint8_t second = 0;
    const bool ok = node->ReadOrvaNodeTable(true, nodes, second);
    if (!ok) {
      L_Failure->SetMarkup(modem::network_text::ReadFailureMarkup("Чтение ORVA-таблицы узлов", node->ResultCode().Msg));
      return;
    }
    // A failure after the first entry still shows the entries read before it.
    const auto &rc = node->ResultCode();
    L_Failure->SetMarkup(rc.Code == 0 ? "" : modem::network_text::PartialReadMarkup(nodes.size(), rc.Msg));
    VST_ORVA->clear();
    const QBrush silver(QColor(192, 192, 192));
    for (const auto &entry : nodes) {
      const auto row = modem::network_text::OrvaNodeRow(entry);
      auto *item = new QTreeWidgetItem(VST_ORVA);
      for (int c = 0; c < modem::network_text::kOrvaColumnCount; ++c) {
        item->setText(c, QString::fromStdString(row.cells[c]));
        if (!row.active) item->setForeground(c, silver);
      }
    }
  });
}
