#include "ui/main/registers_table_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

using registers_tab::RegisterPage;

namespace {

// A reference value that differs stands out in a pale red.
const QColor kDifferenceColour(248, 203, 203);

}  // namespace

TRegistersTableModel::TRegistersTableModel(const RegisterPage &page, QObject *parent)
    : QAbstractTableModel(parent), page_(page) {}

int TRegistersTableModel::rowCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : modem::kRegisterRowCount;
}

int TRegistersTableModel::columnCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : registers_tab::kColumnCount;
}

QVariant TRegistersTableModel::data(const QModelIndex &index, int role) const {
  if (!index.isValid()) return {};
  const int row = index.row(), column = index.column();
  switch (role) {
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole: return QString::fromStdString(page_.CellText(row, column));
    case Qt::FontRole:
      if (page_.Bold(row)) {
        QFont bold;
        bold.setBold(true);
        return bold;
      }
      return {};
    case Qt::BackgroundRole:
      if (column == registers_tab::colReference && page_.DiffersFromReference(row)) return QBrush(kDifferenceColour);
      if (RegisterPage::Shaded(row)) return QBrush(QColor::fromRgb(registers_tab::kShadedRowRgb));
      return {};
    default: return {};
  }
}

QVariant TRegistersTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole)) return {};
  return QString::fromStdString(registers_tab::ColumnCaption(section));
}

void TRegistersTableModel::RowsChanged(int first, int last) {
  emit dataChanged(index(first, 0), index(last, registers_tab::kColumnCount - 1));
}
