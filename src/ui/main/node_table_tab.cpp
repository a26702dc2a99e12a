#include "ui/main/node_table_tab.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QSaveFile>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "log/log_intf.h"
#include "modem/ziz2400.h"
#include "ui/main/mesh_graph_window.h"
#include "modem/network_texts.h"
#include "ui/main/page_settings.h"
#include "ui/main/page_sheet.h"
#include "ui/widgets/markup_label.h"
#include "ui/widgets/spin_edit.h"

using namespace modem::node_tree;

TNodeTableTab::TNodeTableTab(ui::IPageHost &host, QWidget *sheet) : QWidget(sheet), host_(host) {
  setObjectName("NodeTableTab");
  ui::FillSheet(sheet, this);

  Button47 = new QPushButton(QStringLiteral("Read"));
  Button47->setObjectName("Button47");
  SE_NT_Cnt = new TSpinEdit(kCountMin, kCountMax, 1, kCountDefault);
  SE_NT_Cnt->setObjectName("SE_NT_Cnt");
  SE_NT_Cnt->setAccessibleName(QStringLiteral("Кол-во узлов"));
  CB_NT_ReadAll = new QCheckBox(QStringLiteral("Read all table"));
  CB_NT_ReadAll->setObjectName("CB_NT_ReadAll");
  Button51 = new QPushButton(QStringLiteral("Save to file"));
  Button51->setObjectName("Button51");
  Btn_MeshGraph = new QPushButton(QStringLiteral("Схема сети"));
  Btn_MeshGraph->setObjectName("Btn_MeshGraph");
  L_Failure = new TMarkupLabel;
  L_Failure->setObjectName("L_Failure");
  L_Failure->setWordWrap(true);

  VST = new QTreeWidget;
  VST->setObjectName("VST");
  VST->setAccessibleName(QStringLiteral("Node table"));
  VST->setColumnCount(3);
  VST->setHeaderLabels({kColumns[0], kColumns[1], kColumns[2]});
  VST->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  VST->setColumnWidth(0, 704);

  auto *row = new QHBoxLayout;
  row->addWidget(Button47);
  row->addWidget(SE_NT_Cnt);
  row->addWidget(CB_NT_ReadAll);
  row->addWidget(Button51);
  row->addWidget(Btn_MeshGraph);
  row->addStretch(1);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(row);
  layout->addWidget(L_Failure);
  layout->addWidget(VST, 1);

  connect(Button47, &QPushButton::clicked, this, &TNodeTableTab::Button47Click);
  connect(Button51, &QPushButton::clicked, this, &TNodeTableTab::Button51Click);
  connect(Btn_MeshGraph, &QPushButton::clicked, this, &TNodeTableTab::Btn_MeshGraphClick);

  host_.AddSetting(ui::ValueSetting("SE_NT_Cnt.Value", SE_NT_Cnt));
  host_.AddSetting(ui::CheckedSetting("CB_NT_ReadAll.Checked", CB_NT_ReadAll));
  host_.AddSetting({"Save node table directory", [this] { return saveDirectory_.toStdString(); },
                    [this](const std::string &v) {
                      saveDirectory_ = QString::fromStdString(v);
                      return true;
                    },
                    "Dialogs"});
}

TNodeTableTab::~TNodeTableTab() { delete graph_; }

TMeshGraphWindow *TNodeTableTab::GraphWindow() const { return graph_; }

bool TNodeTableTab::ReadTable() {
  auto *node = host_.CurrentNode();
  if (!node) return false;
  bool ok = false;
  host_.RunOperation([&] {
    uint16_t count = static_cast<uint16_t>(SE_NT_Cnt->value());
    if (CB_NT_ReadAll->isChecked() && !node->ReadNodeTableCount(count)) {
      L_Failure->SetMarkup(modem::network_text::ReadFailureMarkup("Чтение числа записей таблицы узлов", node->ResultCode().Msg));
      return;
    }
    modem::TZT_NodeTableItems items;
    if (!node->ReadNodeTableItems(0, count, items)) {
      L_Failure->SetMarkup(modem::network_text::ReadFailureMarkup("Чтение таблицы узлов", node->ResultCode().Msg));
      return;
    }
    items_ = std::move(items);
    tree_ = BuildNodeTree(items_, count);
    if (auto logger = host_.Logger())
      for (const auto &p : tree_.problems) logger->AddMessage(p);
    L_Failure->SetMarkup(tree_.problems.empty() ? "" : "<c:Red>" + tree_.problems.front() + "</c>");
    ShowTree();
    ok = true;
  });
  return ok;
}

void TNodeTableTab::Button47Click() { ReadTable(); }

void TNodeTableTab::ShowTree() {
  VST->setUpdatesEnabled(false);
  VST->clear();
  std::vector<QTreeWidgetItem *> rows(tree_.Size(), nullptr);
  for (const TreeLine &line : WalkTree(tree_)) {
    const int parent = tree_.parent[line.row];
    auto *item = parent < 0 ? new QTreeWidgetItem(VST) : new QTreeWidgetItem(rows[parent]);
    rows[line.row] = item;
    item->setText(0, QString::number(line.row));
    if (auto n = known_.names.find(line.row); n != known_.names.end()) item->setText(1, QString::fromStdString(n->second));
    if (!tree_.marks[line.row].empty()) {
      item->setText(2, QString::fromStdString(tree_.marks[line.row]));
      item->setForeground(2, QBrush(Qt::red));
    }
  }
  VST->expandAll();
  VST->setUpdatesEnabled(true);
}

void TNodeTableTab::Button51Click() {
  QString start = saveDirectory_;
  if (start.isEmpty() || !QDir(start).exists()) start = QCoreApplication::applicationDirPath();
  const QString path = Prompts.saveFile(this, QStringLiteral("Сохранить информацию по структуре сети"), start,
                                        QStringLiteral("HTML (*.html)"));
  // The key keeps the directory the dialog started in, as it always has.
  saveDirectory_ = start;
  if (path.isEmpty()) return;
  const QString file = QFileInfo(path).suffix().isEmpty() ? path + ".html" : path;
  const std::string html = NodeTreeHtml(tree_, known_);
  QSaveFile out(file);
  if (!out.open(QIODevice::WriteOnly) || out.write(html.data(), static_cast<qint64>(html.size())) != static_cast<qint64>(html.size()) ||
      !out.commit()) {
    Prompts.warn(this, QStringLiteral("Файл %1 не записан: %2. Выберите другую папку или освободите место на диске.")
                           .arg(file, out.errorString()));
    return;
  }
  if (auto logger = host_.Logger()) logger->AddMessage("Структура сети сохранена: " + file.toStdString());
}

void TNodeTableTab::Btn_MeshGraphClick() {
  if (!graph_) {
    graph_ = new TMeshGraphWindow(*this, host_);
    graph_->Prompts = Prompts;
  }
  graph_->show();
  graph_->raise();
  graph_->Refresh();
}
