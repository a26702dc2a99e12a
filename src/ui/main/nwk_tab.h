#pragma once
// The page "NWK": the route table of the current node.
#include <QWidget>

#include "ui/main/page_host.h"

class QListWidget;
class QPushButton;
class TMarkupLabel;

class TNwkTab : public QWidget {
  Q_OBJECT
 public:
  TNwkTab(ui::IPageHost &host, QWidget *sheet);

  QPushButton *Button57;
  QListWidget *LV_Routes;
  TMarkupLabel *L_Failure;

  void Button57Click();

 private:
  ui::IPageHost &host_;
};
