#include "ui/main/mesh_graph_view.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

using namespace modem::mesh_graph;

namespace {

constexpr double kMinZoom = 0.1, kMaxZoom = 8;

QString Q(const std::string &s) { return QString::fromStdString(s); }

void Arrow(QPainter &p, QPointF from, QPointF to) {
  p.drawLine(from, to);
  const double angle = std::atan2(to.y() - from.y(), to.x() - from.x());
  const double len = 9, spread = 0.45;
  QPainterPath head;
  head.moveTo(to);
  head.lineTo(to - QPointF(len * std::cos(angle - spread), len * std::sin(angle - spread)));
  head.lineTo(to - QPointF(len * std::cos(angle + spread), len * std::sin(angle + spread)));
  head.closeSubpath();
  p.fillPath(head, p.pen().color());
}

void PaintGraph(QPainter &p, const Graph &g) {
  p.setRenderHint(QPainter::Antialiasing);
  const QColor silver(192, 192, 192), grey(160, 160, 160);
  for (const Edge &e : g.edges) {
    const Node &a = g.nodes[e.from], &b = g.nodes[e.to];
    const QPointF from(a.x + kNodeWidth / 2, a.y), to(b.x + kNodeWidth / 2, b.y + kNodeHeight);
    p.setPen(QPen(a.inactive ? silver : QColor(68, 68, 68), 1.5));
    Arrow(p, from, to);
    if (!e.label.empty()) {
      const modem::mesh_graph::Point at = modem::mesh_graph::LabelCentre(g, e);
      const QString text = Q(e.label);
      const double width = p.fontMetrics().horizontalAdvance(text) + 6;
      const QRectF area(at.x - width / 2, at.y - 9, width, 18);
      p.fillRect(area, Qt::white);  // readable where it crosses its arrow
      p.setPen(QColor(0, 102, 204));
      p.drawText(area, Qt::AlignCenter, text);
    }
  }
  for (const Node &n : g.nodes) {
    const QRectF box(n.x, n.y, kNodeWidth, kNodeHeight);
    p.setPen(QPen(n.inactive ? silver : (n.mark.empty() ? QColor(51, 51, 51) : QColor(187, 0, 0)), 1.2));
    p.setBrush(n.inactive ? QColor(242, 242, 242) : QColor(238, 244, 255));
    p.drawRoundedRect(box, 6, 6);
    QFont bold = p.font();
    bold.setBold(true);
    p.setFont(bold);
    p.setPen(n.inactive ? grey : Qt::black);
    p.drawText(box.adjusted(4, 4, -4, -kNodeHeight / 2), Qt::AlignCenter, Q(n.title));
    bold.setBold(false);
    p.setFont(bold);
    const std::string second = n.mark.empty() ? n.subtitle : n.mark;
    if (!n.mark.empty()) p.setPen(QColor(187, 0, 0));
    p.drawText(box.adjusted(4, kNodeHeight / 2, -4, -4), Qt::AlignCenter, Q(second));
  }
}

}  // namespace

TMeshGraphView::TMeshGraphView(QWidget *parent) : QWidget(parent) {
  setObjectName("MeshGraphView");
  setAccessibleName(QStringLiteral("Схема сети"));
  setFocusPolicy(Qt::StrongFocus);
  setMinimumSize(320, 200);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::white);
  setPalette(pal);
}

void TMeshGraphView::SetGraph(modem::mesh_graph::Graph graph) {
  graph_ = std::move(graph);
  setAccessibleDescription(Q(GraphText(graph_)));
  setToolTip(graph_.nodes.empty() ? QStringLiteral("Таблица узлов не прочитана") : QString());
  FitToView();
}

void TMeshGraphView::SetZoom(double zoom) {
  zoom_ = std::clamp(zoom, kMinZoom, kMaxZoom);
  update();
}

void TMeshGraphView::FitToView() {
  if (graph_.width <= 0 || graph_.height <= 0 || width() <= 0) {
    zoom_ = 1;
    offset_ = {0, 0};
  } else {
    zoom_ = std::clamp(std::min(width() / graph_.width, height() / graph_.height), kMinZoom, 1.5);
    offset_ = {(width() - graph_.width * zoom_) / 2, (height() - graph_.height * zoom_) / 2};
  }
  update();
}

QImage TMeshGraphView::Render() const {
  QImage image(std::max(1, static_cast<int>(std::ceil(graph_.width))), std::max(1, static_cast<int>(std::ceil(graph_.height))),
               QImage::Format_ARGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setFont(font());
  PaintGraph(p, graph_);
  return image;
}

void TMeshGraphView::paintEvent(QPaintEvent *) {
  QPainter p(this);
  if (graph_.nodes.empty()) {
    p.setPen(Qt::darkGray);
    p.drawText(rect(), Qt::AlignCenter, QStringLiteral("Нет данных: нажмите \"Обновить\""));
    return;
  }
  p.translate(offset_);
  p.scale(zoom_, zoom_);
  PaintGraph(p, graph_);
}

void TMeshGraphView::wheelEvent(QWheelEvent *event) {
  const double factor = event->angleDelta().y() > 0 ? 1.25 : 0.8;
  const QPointF at = event->position();
  const double old = zoom_;
  SetZoom(zoom_ * factor);
  // Zoom about the pointer: the point under it stays put.
  offset_ = at - (at - offset_) * (zoom_ / old);
  update();
}

void TMeshGraphView::mousePressEvent(QMouseEvent *event) { dragFrom_ = event->pos(); }

void TMeshGraphView::mouseMoveEvent(QMouseEvent *event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  offset_ += event->pos() - dragFrom_;
  dragFrom_ = event->pos();
  update();
}

void TMeshGraphView::keyPressEvent(QKeyEvent *event) {
  switch (event->key()) {
    case Qt::Key_Plus: case Qt::Key_Equal: SetZoom(zoom_ * 1.25); break;
    case Qt::Key_Minus: SetZoom(zoom_ * 0.8); break;
    case Qt::Key_0: FitToView(); break;
    case Qt::Key_Left: offset_.rx() += 40; update(); break;
    case Qt::Key_Right: offset_.rx() -= 40; update(); break;
    case Qt::Key_Up: offset_.ry() += 40; update(); break;
    case Qt::Key_Down: offset_.ry() -= 40; update(); break;
    default: QWidget::keyPressEvent(event);
  }
}
