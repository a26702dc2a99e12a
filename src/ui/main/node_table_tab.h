#pragma once
// The page "Node table": the configured node table as a tree of parent
// links, saved as an HTML page, and drawn as a picture of the mesh.
#include <QPointer>
#include <QWidget>

#include "modem/node_table.h"
#include "modem/node_tree.h"
#include "ui/main/page_host.h"
#include "ui/main/page_prompts.h"

class QCheckBox;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class TMarkupLabel;
class TMeshGraphWindow;

class TNodeTableTab : public QWidget {
  Q_OBJECT
 public:
  TNodeTableTab(ui::IPageHost &host, QWidget *sheet);
  ~TNodeTableTab() override;

  QPushButton *Button47;  // "Read"
  QSpinBox *SE_NT_Cnt;
  QCheckBox *CB_NT_ReadAll;
  QPushButton *Button51;  // "Save to file"
  QPushButton *Btn_MeshGraph;
  QTreeWidget *VST;
  TMarkupLabel *L_Failure;
  ui::PagePrompts Prompts = ui::PagePrompts::MessageBoxes();

  void Button47Click();
  void Button51Click();
  void Btn_MeshGraphClick();

  // The directory the save dialog starts in (kept in the settings file).
  QString SaveDirectory() const { return saveDirectory_; }
  // What the page has read: the items, their tree, and what else is known.
  const modem::node_tree::NodeTree &Tree() const { return tree_; }
  const modem::TZT_NodeTableItems &Items() const { return items_; }
  modem::node_tree::KnownNodes &Known() { return known_; }
  TMeshGraphWindow *GraphWindow() const;

  // Reads the table (count and items as the page's fields say); false with
  // the failure shown. The mesh picture reads through it too.
  bool ReadTable();

 private:
  void ShowTree();
  ui::IPageHost &host_;
  QString saveDirectory_;
  modem::TZT_NodeTableItems items_;
  modem::node_tree::NodeTree tree_;
  modem::node_tree::KnownNodes known_;
  QPointer<TMeshGraphWindow> graph_;
};
