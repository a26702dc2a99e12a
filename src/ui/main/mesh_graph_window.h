#pragma once
// "Схема сети": the mesh drawn from the node table and the mesh layer's
// node table of the current node, saved as SVG or PNG.
#include <QWidget>

#include "ui/main/page_host.h"
#include "ui/main/page_prompts.h"

class QLabel;
class QPushButton;
class TMarkupLabel;
class TMeshGraphView;
class TNodeTableTab;

class TMeshGraphWindow : public QWidget {
  Q_OBJECT
 public:
  TMeshGraphWindow(TNodeTableTab &table, ui::IPageHost &host);

  QPushButton *Btn_Refresh, *Btn_SaveSvg, *Btn_SavePng, *Btn_ZoomIn, *Btn_ZoomOut, *Btn_Fit;
  TMeshGraphView *View;
  TMarkupLabel *L_Failure;
  ui::PagePrompts Prompts = ui::PagePrompts::MessageBoxes();

  // Reads the node table and the mesh layer's table, then draws them.
  void Refresh();
  // Draws what the node-table page holds, without reading.
  void Redraw();
  bool SaveSvg(const QString &path);
  bool SavePng(const QString &path);

 private:
  void AskAndSave(const QString &filter, const QString &suffix, bool (TMeshGraphWindow::*save)(const QString &));
  TNodeTableTab &table_;
  ui::IPageHost &host_;
};
