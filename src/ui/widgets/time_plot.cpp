#include "ui/widgets/time_plot.h"

#include <QPainter>
#include <QPainterPath>
#include <QSaveFile>

TTimePlot::TTimePlot(const QString &title, double windowSec, QWidget *parent)
    : QWidget(parent), title_(title), model_(windowSec) {
  setAccessibleName(title);
  setMinimumSize(240, 120);
  UpdateDescription();
}

size_t TTimePlot::AddSeries(const QString &name, const QColor &colour) {
  colours_.push_back(colour);
  const size_t index = model_.AddSeries(name.toStdString());
  UpdateDescription();
  return index;
}

void TTimePlot::AddSample(size_t series, double tSec, double value) {
  model_.Add(series, tSec, value);
  UpdateDescription();
  update();
}

void TTimePlot::Clear() {
  model_.Clear();
  UpdateDescription();
  update();
}

void TTimePlot::UpdateDescription() { setAccessibleDescription(QString::fromStdString(model_.Summary())); }

bool TTimePlot::SavePng(const QString &path, QString *error) const {
  QSaveFile file(path);
  const QImage image = const_cast<TTimePlot *>(this)->grab().toImage();
  if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
    if (error) *error = file.errorString();
    return false;
  }
  return true;
}

void TTimePlot::paintEvent(QPaintEvent *) {
  QPainter p(this);
  p.fillRect(rect(), palette().base());
  const QFontMetrics fm = p.fontMetrics();
  const int left = fm.horizontalAdvance(QStringLiteral("-000.00")) + 8;
  const QRect area = rect().adjusted(left, fm.height() + 8, -8, -fm.height() - 8);
  if (area.width() < 10 || area.height() < 10) return;

  p.setPen(palette().text().color());
  p.drawText(QRect(0, 2, width(), fm.height()), Qt::AlignHCenter, title_);

  const auto values = model_.ValueRange();
  const auto times = model_.TimeRange();
  auto x = [&](double t) { return area.left() + (t - times.lo) / (times.hi - times.lo) * area.width(); };
  auto y = [&](double v) { return area.bottom() - (v - values.lo) / (values.hi - values.lo) * area.height(); };

  // Value grid with its labels, and the time span below the plot.
  const auto ticks = model_.ValueTicks(5);
  const double step = ticks.size() > 1 ? ticks[1] - ticks[0] : 1;
  for (double v : ticks) {
    p.setPen(QPen(palette().mid().color(), 0, Qt::DotLine));
    p.drawLine(QPointF(area.left(), y(v)), QPointF(area.right(), y(v)));
    p.setPen(palette().text().color());
    p.drawText(QRectF(0, y(v) - fm.height() / 2.0, left - 4, fm.height()), Qt::AlignRight | Qt::AlignVCenter,
               QString::fromStdString(time_plot::TickText(v, step)));
  }
  p.setPen(palette().text().color());
  p.drawRect(area);
  p.drawText(QRect(area.left(), area.bottom() + 4, area.width(), fm.height()), Qt::AlignLeft,
             QStringLiteral("−%1 с").arg(times.hi - times.lo, 0, 'f', 0));
  p.drawText(QRect(area.left(), area.bottom() + 4, area.width(), fm.height()), Qt::AlignRight, QStringLiteral("сейчас"));

  // Series, and their names in their colours at the top.
  p.setRenderHint(QPainter::Antialiasing);
  int legendX = area.left() + 4;
  for (size_t s = 0; s < model_.SeriesCount(); ++s) {
    QPainterPath path;
    bool first = true;
    for (const auto &sample : model_.Samples(s)) {
      const QPointF point(x(sample.tSec), y(sample.value));
      if (first) path.moveTo(point); else path.lineTo(point);
      first = false;
    }
    p.setPen(QPen(colours_[s], 2));
    p.drawPath(path);
    if (model_.Samples(s).size() == 1) p.drawEllipse(path.currentPosition(), 2, 2);
    const QString name = QString::fromStdString(model_.SeriesName(s));
    p.drawText(legendX, area.top() + fm.ascent() + 2, name);
    legendX += fm.horizontalAdvance(name) + 16;
  }
}
