#pragma once
// A header drawn flat: plain sections divided by thin lines, no bevels.
#include <QHeaderView>

class TFlatHeaderView final : public QHeaderView {
  Q_OBJECT

 public:
  using QHeaderView::QHeaderView;

 protected:
  void paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const override;
};
