#pragma once
// The register table's rows for a view: texts, bold rows, shaded odd rows and
// the reference column marked where it differs. All of it comes from the
// page's Qt-free state; the model only hands it over.
#include <QAbstractTableModel>

#include "ui/main/registers_tab_logic.h"

class TRegistersTableModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  TRegistersTableModel(const registers_tab::RegisterPage &page, QObject *parent);

  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Repaints rows first..last (all of them by default).
  void RowsChanged(int first = 0, int last = modem::kRegisterRowCount - 1);

 private:
  const registers_tab::RegisterPage &page_;
};
