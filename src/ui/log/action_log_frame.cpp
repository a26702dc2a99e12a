#include "ui/log/action_log_frame.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QSaveFile>
#include <QVBoxLayout>
#include <vector>

#include "ui/log/action_log_frame_logic.h"
#include "ui/log/flat_header_view.h"
#include "ui/log/log_frames_dialog.h"
#include "ui/log/log_images.h"
#include "ui/log/log_json_logic.h"
#include "ui/log/log_tree_model.h"
#include "ui/widgets/dialog_folder.h"

TActionLog_Frame::TActionLog_Frame(QWidget *parent) : QFrame(parent), VST(new QTreeView(this)) {
  setObjectName(QStringLiteral("ActionLog_Frame"));
  resize(566, 240);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(VST);

  VST->setObjectName(QStringLiteral("VST"));
  auto *header = new TFlatHeaderView(Qt::Horizontal, VST);
  VST->setHeader(header);
  header->setSectionsMovable(false);
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setStretchLastSection(false);
  header->setHighlightSections(false);
  VST->setHeaderHidden(false);
  VST->setIconSize(QSize(kLogImageSize, kLogImageSize));
  VST->setUniformRowHeights(true);
  VST->setExpandsOnDoubleClick(true);
  VST->setDragEnabled(false);
  VST->setDragDropMode(QAbstractItemView::NoDragDrop);
  VST->setFocusPolicy(Qt::ClickFocus);
  VST->setEditTriggers(QAbstractItemView::NoEditTriggers);
  VST->setSelectionMode(QAbstractItemView::ExtendedSelection);
  VST->setSelectionBehavior(QAbstractItemView::SelectRows);
  VST->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(VST, &QWidget::customContextMenuRequested, this, &TActionLog_Frame::VSTContextMenu);

  ActCopy = new QAction(QStringLiteral("Копировать"), this);
  ActCopy->setShortcut(QKeySequence::Copy);
  ActCopy->setShortcutContext(Qt::WidgetShortcut);
  VST->addAction(ActCopy);
  connect(ActCopy, &QAction::triggered, this, &TActionLog_Frame::CopySelection);
  ActFrames = new QAction(QStringLiteral("Кадры…"), this);
  connect(ActFrames, &QAction::triggered, this, &TActionLog_Frame::ShowFrames);
  ActSave = new QAction(QStringLiteral("Сохранить журнал…"), this);
  connect(ActSave, &QAction::triggered, this, &TActionLog_Frame::SaveLogAs);
  ActClear = new QAction(QStringLiteral("Очистить"), this);
  connect(ActClear, &QAction::triggered, this, &TActionLog_Frame::ClearLog);
  ApplyColumnLayout();
  connect(header, &QHeaderView::sectionResized, this, [this](int section) {
    if (section == 0 && !fitting_) userSized_ = true;
  });
}

void TActionLog_Frame::RestoreColumnWidth(int column, int width) {
  fitting_ = true;
  VST->header()->resizeSection(column, width);
  fitting_ = false;
}

void TActionLog_Frame::FitFirstColumn() {
  if (userSized_ || !VST->model()) return;
  const int before = VST->header()->sectionSize(0);
  fitting_ = true;
  VST->resizeColumnToContents(0);
  if (VST->header()->sectionSize(0) < before) VST->header()->resizeSection(0, before);  // never narrower
  fitting_ = false;
}

void TActionLog_Frame::ApplyColumnLayout() {
  QHeaderView *header = VST->header();
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setStretchLastSection(false);
  if (header->count() > 0) header->resizeSection(0, kColumn0Width);
  if (header->count() > 1) header->resizeSection(1, kColumn1Width);
}

TLogTreeModel *TActionLog_Frame::LogModel() const { return qobject_cast<TLogTreeModel *>(VST->model()); }

TLogger *TActionLog_Frame::ActiveLogger() const {
  TLogTreeModel *model = LogModel();
  return model ? model->Logger() : nullptr;
}

void TActionLog_Frame::UpdateActions() {
  const TLogger *logger = ActiveLogger();
  ActCopy->setEnabled(logger && VST->selectionModel() && VST->selectionModel()->hasSelection());
  ActSave->setEnabled(logger && logger->ChildCount() > 0);
  const TLogNode *selected = SelectedNode();
  ActFrames->setEnabled(selected && !selected->GetFrames().empty());
  ActClear->setEnabled(logger && CanClearLog(*logger));
}

bool TActionLog_Frame::CopySelection() {
  TLogTreeModel *model = LogModel();
  if (!model || !model->Logger() || !VST->selectionModel()) return false;
  std::vector<const TLogNode *> nodes;
  for (const QModelIndex &index : VST->selectionModel()->selectedRows(0)) nodes.push_back(model->NodeAt(index));
  if (nodes.empty()) return false;
  QGuiApplication::clipboard()->setText(QString::fromStdString(LogRowsText(*model->Logger(), nodes)));
  return true;
}

const TLogNode *TActionLog_Frame::SelectedNode() const {
  TLogTreeModel *model = LogModel();
  if (!model || !VST->selectionModel()) return nullptr;
  const auto rows = VST->selectionModel()->selectedRows(0);
  return rows.size() == 1 ? model->NodeAt(rows.front()) : nullptr;
}

void TActionLog_Frame::ShowFrames() {
  const TLogNode *node = SelectedNode();
  if (!node) return;
  TLogFramesDialog dialog(QString::fromStdString(node->TextRef()), node->GetFrames(), this);
  dialog.exec();
}

bool TActionLog_Frame::SaveLogToFile(const QString &path, QString *error) {
  const TLogger *logger = ActiveLogger();
  if (!logger) return false;
  // The suffix chooses the form: JSON keeps the frames of every action.
  const std::string text =
      path.endsWith(QStringLiteral(".json"), Qt::CaseInsensitive) ? LogTreeJson(*logger) : LogTreeText(*logger);
  // Written aside and renamed into place: a failed save never leaves half a file.
  QSaveFile file(path);
  const bool saved = file.open(QIODevice::WriteOnly) &&
                     file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) &&
                     file.commit();
  if (!saved && error) *error = file.errorString();
  return saved;
}

bool TActionLog_Frame::ClearLog() {
  TLogger *logger = ActiveLogger();
  if (!logger || !CanClearLog(*logger)) return false;
  logger->Clear();
  return true;
}

void TActionLog_Frame::VSTContextMenu(const QPoint &pos) {
  UpdateActions();
  QMenu menu(this);
  menu.addAction(ActCopy);
  menu.addAction(ActFrames);
  menu.addAction(ActSave);
  menu.addSeparator();
  menu.addAction(ActClear);
  menu.exec(VST->viewport()->mapToGlobal(pos));
}

void TActionLog_Frame::SaveLogAs() {
  const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Сохранить журнал"),
                                                    DialogStartPath("log", QStringLiteral("журнал.txt")),
                                                    QStringLiteral("Текстовые файлы (*.txt);;JSON с кадрами (*.json);;Все файлы (*)"));
  if (path.isEmpty()) return;
  RememberDialogFolder("log", path);
  QString error;
  if (!SaveLogToFile(path, &error)) {
    QMessageBox::warning(this, QStringLiteral("Сохранить журнал"),
                         QStringLiteral("Не удалось сохранить журнал в файл\n%1\n%2").arg(path, error));
  }
}
