#pragma once
// The page "ORVA": the mesh layer's common and router state, its node table,
// and the removal of a child node.
#include <QWidget>

#include "ui/main/page_host.h"
#include "ui/main/page_prompts.h"

class QPushButton;
class QSpinBox;
class QTreeWidget;
class TMarkupLabel;

class TOrvaTab : public QWidget {
  Q_OBJECT
 public:
  TOrvaTab(ui::IPageHost &host, QWidget *sheet);

  QPushButton *Button49, *Button50, *Button56, *Button48;
  QSpinBox *SE_ORVARemCh;
  TMarkupLabel *L_ORVAStat;
  TMarkupLabel *L_Failure;
  QTreeWidget *VST_ORVA;
  ui::PagePrompts Prompts = ui::PagePrompts::MessageBoxes();

  void Button49Click();
  void Button50Click();
  void Button56Click();
  void Button48Click();

 private:
  void BuildTable();
  ui::IPageHost &host_;
};
