#include "ui/log/log_item_delegate.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

#include "ui/log/log_tree_model.h"

namespace {

QStyle *StyleOf(const QStyleOptionViewItem &option) {
  return option.widget ? option.widget->style() : QApplication::style();
}

QString StaticTextOf(const QModelIndex &index) { return index.data(TLogTreeModel::StaticTextRole).toString(); }

constexpr int kTextFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;

// Grey on the selection colour is all but invisible, and the log keeps its
// newest row selected: there the side text is the selected text toned down.
QColor StaticTextColor(const QPalette &palette, QPalette::ColorGroup group, bool selected) {
  if (!selected) return TLogItemDelegate::kStaticTextColor;
  const QColor text = palette.color(group, QPalette::HighlightedText);
  const QColor back = palette.color(group, QPalette::Highlight);
  auto mix = [](int t, int b) { return (t * 2 + b) / 3; };
  return QColor(mix(text.red(), back.red()), mix(text.green(), back.green()), mix(text.blue(), back.blue()));
}

}  // namespace

TLogItemDelegate::CellLayout TLogItemDelegate::Layout(const QStyleOptionViewItem &option,
                                                      const QModelIndex &index) const {
  QStyleOptionViewItem opt(option);
  initStyleOption(&opt, index);
  QStyle *style = StyleOf(opt);
  CellLayout layout;
  QRect area = style->subElementRect(QStyle::SE_ItemViewItemText, &opt, opt.widget);
  // The same inner margin the style keeps around an item's own text.
  const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1;
  area.adjust(margin, 0, -margin, 0);

  const QFontMetrics metrics(opt.font);
  const QString staticText = StaticTextOf(index);
  const int textWidth = metrics.horizontalAdvance(opt.text);
  const int gap = staticText.isEmpty() ? 0 : metrics.horizontalAdvance(QLatin1Char(' '));
  const int staticWidth = metrics.horizontalAdvance(staticText);

  layout.fullText = staticText.isEmpty() ? opt.text : opt.text + QLatin1Char(' ') + staticText;
  layout.cut = textWidth + gap + staticWidth > area.width();
  const int shownWidth = std::min(textWidth, std::max(area.width(), 0));
  layout.textRect = QRect(area.left(), area.top(), shownWidth, area.height());
  layout.text = metrics.elidedText(opt.text, Qt::ElideRight, std::max(area.width(), 0));
  const int staticLeft = area.left() + shownWidth + gap;
  layout.staticRect = QRect(staticLeft, area.top(), std::max(area.right() + 1 - staticLeft, 0), area.height());
  layout.staticText = metrics.elidedText(staticText, Qt::ElideRight, layout.staticRect.width());
  return layout;
}

void TLogItemDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const {
  const CellLayout layout = Layout(option, index);
  QStyleOptionViewItem opt(option);
  initStyleOption(&opt, index);
  opt.text.clear();  // background, selection, icon and focus only; the texts follow
  QStyle *style = StyleOf(opt);
  style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);

  const bool enabled = opt.state & QStyle::State_Enabled;
  const QPalette::ColorGroup group =
      !enabled ? QPalette::Disabled : (opt.state & QStyle::State_Active ? QPalette::Normal : QPalette::Inactive);
  const bool selected = opt.state & QStyle::State_Selected;
  painter->save();
  painter->setFont(opt.font);
  painter->setPen(opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text));
  painter->drawText(layout.textRect.adjusted(0, 0, 1, 0), kTextFlags, layout.text);
  if (!layout.staticText.isEmpty()) {
    painter->setPen(StaticTextColor(opt.palette, group, selected));
    painter->drawText(layout.staticRect, kTextFlags, layout.staticText);
  }
  painter->restore();
}

QSize TLogItemDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const {
  QSize size = QStyledItemDelegate::sizeHint(option, index);
  const QString staticText = StaticTextOf(index);
  if (!staticText.isEmpty()) {
    const QFontMetrics metrics(option.font);
    size.rwidth() += metrics.horizontalAdvance(QLatin1Char(' ') + staticText);
  }
  return size;
}

QString TLogItemDelegate::CellToolTip(const QStyleOptionViewItem &option, const QModelIndex &index) const {
  const CellLayout layout = Layout(option, index);
  return layout.cut ? layout.fullText : QString();
}

bool TLogItemDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) {
  if (!event || event->type() != QEvent::ToolTip) return QStyledItemDelegate::helpEvent(event, view, option, index);
  const QString tip = CellToolTip(option, index);
  if (tip.isEmpty()) {
    QToolTip::hideText();
  } else {
    QToolTip::showText(event->globalPos(), tip, view ? view->viewport() : nullptr, option.rect);
  }
  return true;
}
