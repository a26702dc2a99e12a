#include "ui/main/mac_tab.h"

#include <QPushButton>
#include <QVBoxLayout>

#include "modem/ziz2400.h"
#include "modem/network_texts.h"
#include "ui/main/page_sheet.h"
#include "ui/widgets/markup_label.h"

TMacTab::TMacTab(ui::IPageHost &host, QWidget *sheet) : QWidget(sheet), host_(host) {
  setObjectName("MacTab");
  ui::FillSheet(sheet, this);
  Button52 = new QPushButton(QStringLiteral("Read context"));
  Button52->setObjectName("Button52");
  L_MACCtx = new TMarkupLabel;
  L_MACCtx->setObjectName("L_MACCtx");
  L_MACCtx->setAccessibleName(QStringLiteral("MAC Context"));
  L_MACCtx->setTextInteractionFlags(Qt::TextSelectableByMouse);
  L_Failure = new TMarkupLabel;
  L_Failure->setObjectName("L_Failure");
  L_Failure->setWordWrap(true);

  auto *layout = new QVBoxLayout(this);
  layout->addWidget(Button52, 0, Qt::AlignLeft);
  layout->addWidget(L_Failure);
  layout->addWidget(L_MACCtx);
  layout->addStretch(1);
  connect(Button52, &QPushButton::clicked, this, &TMacTab::Button52Click);
}

void TMacTab::Button52Click() {
  auto *node = host_.CurrentNode();
  if (!node) return;
  host_.RunOperation([this, node] {
    modem::TMacContext ctx{};
    if (node->ReadMacContext(ctx)) {
      L_MACCtx->SetMarkup(modem::network_text::MacContextText(ctx));
      L_Failure->SetMarkup("");
    } else {
      L_Failure->SetMarkup(modem::network_text::ReadFailureMarkup("Чтение MAC Context", node->ResultCode().Msg));
    }
  });
}
