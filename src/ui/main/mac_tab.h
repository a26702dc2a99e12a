#pragma once
// The page "MAC": the MAC layer's context of the current node.
#include <QWidget>

#include "ui/main/page_host.h"

class QPushButton;
class TMarkupLabel;

class TMacTab : public QWidget {
  Q_OBJECT
 public:
  TMacTab(ui::IPageHost &host, QWidget *sheet);

  QPushButton *Button52;
  TMarkupLabel *L_MACCtx;
  TMarkupLabel *L_Failure;  // what the last read could not do

  void Button52Click();

 private:
  ui::IPageHost &host_;
};
