#include "ui/main/orva_tab.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/main/page_settings.h"
#include "ui/main/page_sheet.h"
#include "ui/widgets/spin_edit.h"

TOrvaTab::TOrvaTab(ui::IPageHost &host, QWidget *sheet) : QWidget(sheet), host_(host) {
  setObjectName("OrvaTab");
  ui::FillSheet(sheet, this);

  SE_ORVARemCh = new TSpinEdit(1, 2048, 1, 1);
  SE_ORVARemCh->setObjectName("SE_ORVARemCh");
  SE_ORVARemCh->setAccessibleName(QStringLiteral("Адрес дочернего узла"));

  auto *row = new QHBoxLayout;
  row->addStretch(1);
  row->addWidget(SE_ORVARemCh);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addStretch(1);

  host_.AddSetting(ui::ValueSetting("SE_ORVARemCh.Value", SE_ORVARemCh));
}
