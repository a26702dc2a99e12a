#pragma once
// The page "Node table": the modem's table of known nodes.
#include <QWidget>

#include "ui/main/page_host.h"

class QCheckBox;
class QSpinBox;

class TNodeTableTab : public QWidget {
  Q_OBJECT
 public:
  TNodeTableTab(ui::IPageHost &host, QWidget *sheet);

  QSpinBox *SE_NT_Cnt;
  QCheckBox *CB_NT_ReadAll;

 private:
  ui::IPageHost &host_;
};
