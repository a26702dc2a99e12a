#include "ui/log/flat_header_view.h"

#include <QPainter>

void TFlatHeaderView::paintSection(QPainter *painter, const QRect &rect, int logicalIndex) const {
  if (!rect.isValid()) return;
  painter->save();
  painter->fillRect(rect, palette().button());
  painter->setPen(palette().color(QPalette::Mid));
  painter->drawLine(rect.topRight(), rect.bottomRight());
  painter->drawLine(rect.bottomLeft(), rect.bottomRight());
  const QString caption = model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
  if (!caption.isEmpty()) {
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->drawText(rect.adjusted(4, 0, -4, 0), Qt::AlignLeft | Qt::AlignVCenter, caption);
  }
  painter->restore();
}
