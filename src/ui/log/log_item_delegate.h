#pragma once
// Paints a log cell: icon, the normal text, then the static text in grey
// right after it (the selected text toned down, on a selected row); a cell
// too narrow for both shows them whole in a tooltip.
#include <QRect>
#include <QString>
#include <QStyledItemDelegate>

class TLogItemDelegate final : public QStyledItemDelegate {
  Q_OBJECT

 public:
  static inline const QColor kStaticTextColor{128, 128, 128};

  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
  QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
  bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                 const QModelIndex &index) override;

  // Both texts of the cell when they do not fit, else nothing.
  QString CellToolTip(const QStyleOptionViewItem &option, const QModelIndex &index) const;

 private:
  struct CellLayout {
    QRect textRect;
    QString text;
    QRect staticRect;
    QString staticText;
    QString fullText;  // normal and static text, uncut
    bool cut = false;
  };
  CellLayout Layout(const QStyleOptionViewItem &option, const QModelIndex &index) const;
};
