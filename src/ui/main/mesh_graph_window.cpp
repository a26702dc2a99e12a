#include "ui/main/mesh_graph_window.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QImageWriter>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

#include "log/log_intf.h"
#include "modem/ziz2400.h"
#include "ui/main/mesh_graph_view.h"
#include "modem/network_texts.h"
#include "ui/main/node_table_tab.h"
#include "ui/widgets/markup_label.h"

namespace {

QPushButton *Button(const char *name, const QString &caption) {
  auto *b = new QPushButton(caption);
  b->setObjectName(name);
  return b;
}

}  // namespace

TMeshGraphWindow::TMeshGraphWindow(TNodeTableTab &table, ui::IPageHost &host)
    // A window of the page's own: it goes with the program's main window
    // instead of keeping the program running after that is closed.
    : QWidget(&table, Qt::Window), table_(table), host_(host) {
  setObjectName("MeshGraphWindow");
  setWindowTitle(QStringLiteral("Схема сети"));
  resize(900, 600);
  Btn_Refresh = Button("Btn_Refresh", QStringLiteral("Обновить"));
  Btn_SaveSvg = Button("Btn_SaveSvg", QStringLiteral("Сохранить SVG…"));
  Btn_SavePng = Button("Btn_SavePng", QStringLiteral("Сохранить PNG…"));
  Btn_ZoomIn = Button("Btn_ZoomIn", QStringLiteral("+"));
  Btn_ZoomIn->setAccessibleName(QStringLiteral("Крупнее"));
  Btn_ZoomOut = Button("Btn_ZoomOut", QStringLiteral("−"));
  Btn_ZoomOut->setAccessibleName(QStringLiteral("Мельче"));
  Btn_Fit = Button("Btn_Fit", QStringLiteral("Вся схема"));
  View = new TMeshGraphView;
  L_Failure = new TMarkupLabel;
  L_Failure->setObjectName("L_Failure");
  L_Failure->setWordWrap(true);

  auto *bar = new QHBoxLayout;
  for (auto *b : {Btn_Refresh, Btn_SaveSvg, Btn_SavePng}) bar->addWidget(b);
  bar->addStretch(1);
  for (auto *b : {Btn_ZoomOut, Btn_ZoomIn, Btn_Fit}) bar->addWidget(b);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(bar);
  layout->addWidget(L_Failure);
  layout->addWidget(View, 1);

  connect(Btn_Refresh, &QPushButton::clicked, this, &TMeshGraphWindow::Refresh);
  connect(Btn_SaveSvg, &QPushButton::clicked, this,
          [this] { AskAndSave(QStringLiteral("SVG (*.svg)"), QStringLiteral("svg"), &TMeshGraphWindow::SaveSvg); });
  connect(Btn_SavePng, &QPushButton::clicked, this,
          [this] { AskAndSave(QStringLiteral("PNG (*.png)"), QStringLiteral("png"), &TMeshGraphWindow::SavePng); });
  connect(Btn_ZoomIn, &QPushButton::clicked, this, [this] { View->SetZoom(View->Zoom() * 1.25); });
  connect(Btn_ZoomOut, &QPushButton::clicked, this, [this] { View->SetZoom(View->Zoom() * 0.8); });
  connect(Btn_Fit, &QPushButton::clicked, View, &TMeshGraphView::FitToView);
}

void TMeshGraphWindow::Refresh() {
  if (!table_.ReadTable()) {
    L_Failure->SetMarkup("<c:Red>Таблица узлов не прочитана: подробности на странице \"Node table\" и в журнале.</c>");
    Redraw();
    return;
  }
  auto *node = host_.CurrentNode();
  host_.RunOperation([&] {
    modem::TORVA_Nodes entries;
    uint8_t second = 0;
    auto &known = table_.Known();
    if (!node->ReadOrvaNodeTable(true, entries, second)) {
      L_Failure->SetMarkup(modem::network_text::ReadFailureMarkup("Чтение ORVA-таблицы узлов", node->ResultCode().Msg));
      return;
    }
    known.orva.clear();
    known.AddOrvaTable(entries);
    const auto &rc = node->ResultCode();
    L_Failure->SetMarkup(rc.Code == 0 ? "" : modem::network_text::PartialReadMarkup(entries.size(), rc.Msg));
  });
  Redraw();
}

void TMeshGraphWindow::Redraw() {
  View->SetGraph(modem::mesh_graph::BuildGraph(table_.Tree(), table_.Items(), table_.Known()));
}

bool TMeshGraphWindow::SaveSvg(const QString &path) {
  const std::string svg = modem::mesh_graph::GraphSvg(View->Graph());
  QSaveFile out(path);
  return out.open(QIODevice::WriteOnly) && out.write(svg.data(), static_cast<qint64>(svg.size())) == static_cast<qint64>(svg.size()) &&
         out.commit();
}

bool TMeshGraphWindow::SavePng(const QString &path) {
  QSaveFile out(path);
  return out.open(QIODevice::WriteOnly) && View->Render().save(&out, "PNG") && out.commit();
}

void TMeshGraphWindow::AskAndSave(const QString &filter, const QString &suffix,
                                  bool (TMeshGraphWindow::*save)(const QString &)) {
  QString path = Prompts.saveFile(this, QStringLiteral("Сохранить схему сети"), table_.SaveDirectory().isEmpty()
                                                                                    ? QCoreApplication::applicationDirPath()
                                                                                    : table_.SaveDirectory(),
                                  filter);
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += "." + suffix;
  if (!(this->*save)(path)) {
    Prompts.warn(this, QStringLiteral("Файл %1 не записан. Выберите другую папку или освободите место на диске.").arg(path));
    return;
  }
  if (auto logger = host_.Logger()) logger->AddMessage("Схема сети сохранена: " + path.toStdString());
}
