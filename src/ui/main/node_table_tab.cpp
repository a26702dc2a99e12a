#include "ui/main/node_table_tab.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/main/page_settings.h"
#include "ui/main/page_sheet.h"
#include "ui/widgets/spin_edit.h"

TNodeTableTab::TNodeTableTab(ui::IPageHost &host, QWidget *sheet) : QWidget(sheet), host_(host) {
  setObjectName("NodeTableTab");
  ui::FillSheet(sheet, this);

  SE_NT_Cnt = new TSpinEdit(2, 2048, 1, 16);
  SE_NT_Cnt->setObjectName("SE_NT_Cnt");
  SE_NT_Cnt->setAccessibleName(QStringLiteral("Кол-во узлов"));
  CB_NT_ReadAll = new QCheckBox(QStringLiteral("Read all table"));
  CB_NT_ReadAll->setObjectName("CB_NT_ReadAll");

  auto *row = new QHBoxLayout;
  row->addWidget(SE_NT_Cnt);
  row->addWidget(CB_NT_ReadAll);
  row->addStretch(1);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addStretch(1);

  host_.AddSetting(ui::ValueSetting("SE_NT_Cnt.Value", SE_NT_Cnt));
  host_.AddSetting(ui::CheckedSetting("CB_NT_ReadAll.Checked", CB_NT_ReadAll));
}
