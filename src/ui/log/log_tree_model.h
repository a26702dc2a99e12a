#pragma once
// The log as a Qt item model: each row is a log node of the logger, found
// through the node's row in its parent, so the view stays fast with a hundred
// thousand rows. It is also the view the logger drives: attaching installs
// the model and its delegate into a tree view, detaching gives the view back
// the model, selection and delegate it had before.
#include <QAbstractItemModel>
#include <QByteArray>
#include <QPointer>
#include <QTreeView>

#include "log/logger.h"

class TLogItemDelegate;

class TLogTreeModel final : public QAbstractItemModel, public ILogView {
  Q_OBJECT

 public:
  enum Role {
    StaticTextRole = Qt::UserRole + 1,  // the grey text after the cell's text
    ImageIndexRole,                     // index into LogImages(), -1 for none
  };

  explicit TLogTreeModel(QTreeView *view, QObject *parent = nullptr);
  ~TLogTreeModel() override;

  QModelIndex index(int row, int column, const QModelIndex &parent = QModelIndex()) const override;
  QModelIndex parent(const QModelIndex &child) const override;
  int rowCount(const QModelIndex &parent = QModelIndex()) const override;
  int columnCount(const QModelIndex &parent = QModelIndex()) const override;
  QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex &index) const override;

  void AttachLogger(TLogger &logger) override;
  void DetachLogger() override;
  void BeginAddRow(const TLogNode *parent, int row) override;
  void EndAddRow() override;
  void RepaintRow(const TLogNode &node) override;
  void BeginClear() override;
  void EndClear() override;
  void SetRowExpanded(const TLogNode &node, bool expanded) override;
  // Applied once control returns to the event loop: a burst of operations
  // reveals only its last row instead of laying the view out for each one.
  void RevealRow(const TLogNode &node) override;

  // Applies a pending reveal at once.
  void FlushReveal();

  TLogger *Logger() const { return logger_; }
  TLogNode *NodeAt(const QModelIndex &index) const;
  QModelIndex IndexOf(const TLogNode &node, int column = 0) const;
  int ImageIndex(const QModelIndex &index, TVTImageKind kind) const;

 private:
  void RestoreView();
  void OnRowExpansion(const QModelIndex &index, bool expanded);

  // Cleared as soon as the view starts going away (QWidget announces that
  // before it frees its children, which may include this model).
  QTreeView *view_;
  TLogger *logger_ = nullptr;
  TLogItemDelegate *delegate_;
  const TLogNode *pendingReveal_ = nullptr;
  bool revealQueued_ = false;

  // What the view had before the logger took it over.
  QPointer<QAbstractItemModel> previousModel_;
  QPointer<QItemSelectionModel> previousSelection_;
  QPointer<QAbstractItemDelegate> previousDelegate_;
  QByteArray previousHeader_;
  QMetaObject::Connection expandedConnection_;
  QMetaObject::Connection collapsedConnection_;
};
