#include "ui/log/log_tree_model.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "ui/log/log_images.h"
#include "ui/log/log_item_delegate.h"

namespace {
constexpr int kColumnCount = 2;
}

TLogTreeModel::TLogTreeModel(QTreeView *view, QObject *parent)
    : QAbstractItemModel(parent), view_(view), delegate_(new TLogItemDelegate(this)) {
  if (view_) connect(view_, &QObject::destroyed, this, [this] { view_ = nullptr; });
}

TLogTreeModel::~TLogTreeModel() {
  if (logger_) logger_->DetachView();
  RestoreView();
}

TLogNode *TLogTreeModel::NodeAt(const QModelIndex &index) const {
  if (!index.isValid() || index.model() != this) return nullptr;
  return static_cast<TLogNode *>(index.internalPointer());
}

QModelIndex TLogTreeModel::IndexOf(const TLogNode &node, int column) const {
  return createIndex(node.RowInParent(), column, const_cast<TLogNode *>(&node));
}

QModelIndex TLogTreeModel::index(int row, int column, const QModelIndex &parent) const {
  if (!logger_ || column < 0 || column >= kColumnCount) return {};
  if (parent.isValid() && parent.column() != 0) return {};
  const TLogContainer *owner = parent.isValid() ? static_cast<const TLogContainer *>(NodeAt(parent)) : logger_;
  if (!owner) return {};
  TLogNode *child = owner->ChildAt(row);
  return child ? createIndex(row, column, child) : QModelIndex();
}

QModelIndex TLogTreeModel::parent(const QModelIndex &child) const {
  const TLogNode *node = NodeAt(child);
  const TLogNode *parentNode = node ? node->ParentNode() : nullptr;
  return parentNode ? IndexOf(*parentNode) : QModelIndex();
}

int TLogTreeModel::rowCount(const QModelIndex &parent) const {
  if (!logger_) return 0;
  if (!parent.isValid()) return logger_->ChildCount();
  if (parent.column() != 0) return 0;
  const TLogNode *node = NodeAt(parent);
  return node ? node->ChildCount() : 0;
}

int TLogTreeModel::columnCount(const QModelIndex &) const { return kColumnCount; }

int TLogTreeModel::ImageIndex(const QModelIndex &index, TVTImageKind kind) const {
  const TLogNode *node = NodeAt(index);
  return node && logger_ ? logger_->GetImageIndex(*node, kind, index.column()) : -1;
}

QVariant TLogTreeModel::data(const QModelIndex &index, int role) const {
  const TLogNode *node = NodeAt(index);
  if (!node || !logger_) return {};
  switch (role) {
    case Qt::DisplayRole:
      return QString::fromUtf8(logger_->GetCellText(*node, index.column(), TVSTTextType::ttNormal));
    case StaticTextRole:
      return QString::fromUtf8(logger_->GetCellText(*node, index.column(), TVSTTextType::ttStatic));
    case ImageIndexRole:
      return ImageIndex(index, TVTImageKind::ikNormal);
    case Qt::DecorationRole: {
      const int image = ImageIndex(index, TVTImageKind::ikNormal);
      return image >= 0 && image < kLogImageCount ? QVariant(LogImages().at(image)) : QVariant();
    }
    default:
      return {};
  }
}

QVariant TLogTreeModel::headerData(int, Qt::Orientation, int) const { return {}; }

Qt::ItemFlags TLogTreeModel::flags(const QModelIndex &index) const {
  return NodeAt(index) ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void TLogTreeModel::AttachLogger(TLogger &logger) {
  beginResetModel();
  logger_ = &logger;
  endResetModel();
  if (!view_) return;
  previousModel_ = view_->model();
  previousSelection_ = view_->selectionModel();
  previousDelegate_ = view_->itemDelegate();
  previousHeader_ = view_->header()->saveState();
  view_->setModel(this);
  view_->setItemDelegate(delegate_);
  expandedConnection_ = connect(view_, &QTreeView::expanded, this, [this](const QModelIndex &i) { OnRowExpansion(i, true); });
  collapsedConnection_ =
      connect(view_, &QTreeView::collapsed, this, [this](const QModelIndex &i) { OnRowExpansion(i, false); });
}

void TLogTreeModel::DetachLogger() {
  RestoreView();
  beginResetModel();
  logger_ = nullptr;
  pendingReveal_ = nullptr;
  endResetModel();
}

void TLogTreeModel::RestoreView() {
  disconnect(expandedConnection_);
  disconnect(collapsedConnection_);
  if (!view_ || view_->model() != this) return;
  QItemSelectionModel *ours = view_->selectionModel();
  view_->setModel(previousModel_.data());
  QItemSelectionModel *fresh = view_->selectionModel();
  if (previousSelection_ && previousSelection_->model() == fresh->model() && previousSelection_ != fresh) {
    view_->setSelectionModel(previousSelection_);
    delete fresh;
  }
  if (ours != view_->selectionModel()) delete ours;
  // A view must always have a delegate to paint with.
  view_->setItemDelegate(previousDelegate_ ? previousDelegate_.data() : new QStyledItemDelegate(view_));
  view_->header()->restoreState(previousHeader_);
}

void TLogTreeModel::OnRowExpansion(const QModelIndex &index, bool expanded) {
  TLogNode *node = NodeAt(index);
  if (node && logger_) logger_->NoteRowExpanded(*node, expanded);
}

void TLogTreeModel::BeginAddRow(const TLogNode *parent, int row) {
  beginInsertRows(parent ? IndexOf(*parent) : QModelIndex(), row, row);
}

void TLogTreeModel::EndAddRow() { endInsertRows(); }

void TLogTreeModel::RepaintRow(const TLogNode &node) {
  emit dataChanged(IndexOf(node, 0), IndexOf(node, kColumnCount - 1));
}

void TLogTreeModel::BeginClear() {
  pendingReveal_ = nullptr;
  beginResetModel();
}

void TLogTreeModel::EndClear() { endResetModel(); }

void TLogTreeModel::SetRowExpanded(const TLogNode &node, bool expanded) {
  if (view_ && view_->model() == this) view_->setExpanded(IndexOf(node), expanded);
}

void TLogTreeModel::RevealRow(const TLogNode &node) {
  pendingReveal_ = &node;
  if (revealQueued_) return;
  revealQueued_ = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        revealQueued_ = false;
        FlushReveal();
      },
      Qt::QueuedConnection);
}

void TLogTreeModel::FlushReveal() {
  const TLogNode *node = pendingReveal_;
  pendingReveal_ = nullptr;
  if (!node || !view_ || view_->model() != this) return;
  const QModelIndex index = IndexOf(*node);
  // Centre the row vertically only; the columns stay where the user put them.
  QScrollBar *horizontal = view_->horizontalScrollBar();
  const int column = horizontal->value();
  view_->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  view_->scrollTo(index, QAbstractItemView::PositionAtCenter);
  horizontal->setValue(column);
}
