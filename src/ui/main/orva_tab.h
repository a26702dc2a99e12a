#pragma once
// The page "ORVA": the mesh router's state and its children.
#include <QWidget>

#include "ui/main/page_host.h"

class QSpinBox;

class TOrvaTab : public QWidget {
  Q_OBJECT
 public:
  TOrvaTab(ui::IPageHost &host, QWidget *sheet);

  QSpinBox *SE_ORVARemCh;

 private:
  ui::IPageHost &host_;
};
