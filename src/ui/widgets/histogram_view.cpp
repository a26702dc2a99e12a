#include "ui/widgets/histogram_view.h"

#include <QPainter>
#include <algorithm>

THistogramView::THistogramView(const QString &title, const QString &unit, QWidget *parent)
    : QWidget(parent), title_(title), unit_(unit) {
  setAccessibleName(title);
  setMinimumSize(200, 100);
}

void THistogramView::SetBins(double from, double width, const std::vector<int> &counts) {
  from_ = from;
  width_ = width;
  counts_ = counts;
  QStringList bins;
  for (size_t k = 0; k < counts_.size(); ++k)
    if (counts_[k] > 0)
      bins << QStringLiteral("%1–%2 %3: %4")
                  .arg(from_ + k * width_)
                  .arg(from_ + (k + 1) * width_)
                  .arg(unit_)
                  .arg(counts_[k]);
  setAccessibleDescription(bins.join(QStringLiteral("; ")));
  update();
}

void THistogramView::paintEvent(QPaintEvent *) {
  QPainter p(this);
  p.fillRect(rect(), palette().base());
  const QFontMetrics fm = p.fontMetrics();
  p.setPen(palette().text().color());
  p.drawText(QRect(0, 2, width(), fm.height()), Qt::AlignHCenter, title_);
  const QRect area = rect().adjusted(8, fm.height() + 8, -8, -fm.height() - 8);
  if (counts_.empty() || area.width() < 10 || area.height() < 10) return;
  const int most = std::max(1, *std::max_element(counts_.begin(), counts_.end()));
  const double barWidth = double(area.width()) / counts_.size();
  for (size_t k = 0; k < counts_.size(); ++k) {
    const double h = double(counts_[k]) / most * (area.height() - fm.height());
    const QRectF bar(area.left() + k * barWidth + 1, area.bottom() - h, barWidth - 2, h);
    p.fillRect(bar, palette().highlight());
    if (counts_[k] > 0)
    {
      // A count may be wider than its bar: centred over it, not cut to it.
      const QString count = QString::number(counts_[k]);
      const double w = std::max<double>(bar.width(), fm.horizontalAdvance(count) + 2);
      p.drawText(QRectF(bar.center().x() - w / 2, bar.top() - fm.height(), w, fm.height()), Qt::AlignHCenter, count);
    }
  }
  p.drawLine(area.bottomLeft(), area.bottomRight());
  p.drawText(QRect(area.left(), area.bottom() + 4, area.width(), fm.height()), Qt::AlignLeft,
             QStringLiteral("%1 %2").arg(from_).arg(unit_));
  p.drawText(QRect(area.left(), area.bottom() + 4, area.width(), fm.height()), Qt::AlignRight,
             QStringLiteral("%1 %2").arg(from_ + counts_.size() * width_).arg(unit_));
}
