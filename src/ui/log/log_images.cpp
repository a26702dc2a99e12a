#include "ui/log/log_images.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QPolygonF>

namespace {

void PaintRunning(QPainter &p) {
  const QPolygonF triangle{{4.0, 2.0}, {13.5, 8.0}, {4.0, 14.0}};
  p.setPen(QPen(QColor(20, 110, 30), 1.0));
  p.setBrush(QColor(40, 170, 60));
  p.drawPolygon(triangle);
}

void PaintArrow(QPainter &p) {
  const QColor teal(0, 128, 128);
  p.setPen(Qt::NoPen);
  p.setBrush(teal);
  p.drawRect(QRectF(2.0, 6.5, 7.0, 3.0));
  p.drawPolygon(QPolygonF{{8.0, 3.0}, {14.5, 8.0}, {8.0, 13.0}});
}

void PaintTick(QPainter &p, const QPointF &start, const QPointF &corner, const QPointF &end) {
  QPainterPath path(start);
  path.lineTo(corner);
  path.lineTo(end);
  p.setPen(QPen(QColor(0, 0, 139), 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
}

void PaintOK(QPainter &p) { PaintTick(p, {3.0, 8.5}, {6.5, 12.0}, {13.0, 4.0}); }

void PaintError(QPainter &p) {
  p.setPen(QPen(QColor(150, 10, 10), 1.0));
  p.setBrush(QColor(215, 35, 35));
  p.drawEllipse(QRectF(1.5, 1.5, 13.0, 13.0));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRoundedRect(QRectF(7.0, 4.0, 2.0, 5.5), 0.8, 0.8);
  p.drawEllipse(QPointF(8.0, 11.5), 1.15, 1.15);
}

void PaintPartial(QPainter &p) {
  PaintTick(p, {1.5, 7.0}, {4.5, 10.0}, {10.5, 3.0});
  p.setPen(QPen(QColor(160, 0, 0), 0.8));
  p.setBrush(QColor(225, 30, 30));
  p.drawPolygon(QPolygonF{{11.5, 8.5}, {15.5, 15.2}, {7.5, 15.2}});
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(11.0, 10.5, 1.0, 2.5));
  p.drawRect(QRectF(11.0, 13.6, 1.0, 1.0));
}

void PaintInformation(QPainter &p) {
  p.setPen(QPen(QColor(20, 70, 160), 1.0));
  p.setBrush(QColor(40, 110, 210));
  p.drawEllipse(QRectF(1.5, 1.5, 13.0, 13.0));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(8.0, 4.8), 1.2, 1.2);
  p.drawRoundedRect(QRectF(7.0, 6.8, 2.0, 6.0), 0.6, 0.6);
}

void PaintWarning(QPainter &p) {
  p.setPen(QPen(QColor(150, 100, 0), 1.0));
  p.setBrush(QColor(250, 190, 30));
  p.drawPolygon(QPolygonF{{8.0, 1.5}, {15.0, 14.5}, {1.0, 14.5}});
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::black);
  p.drawRoundedRect(QRectF(7.2, 5.5, 1.6, 5.0), 0.6, 0.6);
  p.drawEllipse(QPointF(8.0, 12.3), 0.95, 0.95);
}

void PaintImage(QPainter &p, int index) {
  switch (index) {
    case 0: PaintRunning(p); break;
    case 1: PaintArrow(p); break;
    case 3: PaintOK(p); break;
    case 4: PaintError(p); break;
    case 5: PaintPartial(p); break;
    case 6: PaintInformation(p); break;
    case 7: PaintWarning(p); break;
    default: break;  // 2 stays fully transparent
  }
}

QPixmap RenderImage(int index, int scale) {
  QPixmap pixmap(kLogImageSize * scale, kLogImageSize * scale);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.scale(scale, scale);
  PaintImage(p, index);
  return pixmap;
}

}  // namespace

const QList<QIcon> &LogImages() {
  static const QList<QIcon> images = [] {
    QList<QIcon> list;
    for (int i = 0; i < kLogImageCount; ++i) {
      QIcon icon;
      icon.addPixmap(RenderImage(i, 1));
      icon.addPixmap(RenderImage(i, 2));  // sharp on high-density screens
      list.push_back(icon);
    }
    return list;
  }();
  return images;
}
