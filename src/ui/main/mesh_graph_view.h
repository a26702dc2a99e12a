#pragma once
// Draws a laid-out mesh graph: zoom with the wheel (or + and -), pan by
// dragging. Its accessible description lists the nodes and links.
#include <QImage>
#include <QWidget>

#include "modem/mesh_graph.h"

class TMeshGraphView : public QWidget {
  Q_OBJECT
 public:
  explicit TMeshGraphView(QWidget *parent = nullptr);

  void SetGraph(modem::mesh_graph::Graph graph);
  const modem::mesh_graph::Graph &Graph() const { return graph_; }
  double Zoom() const { return zoom_; }
  void SetZoom(double zoom);
  // Fits the whole graph into the view.
  void FitToView();
  // The graph at its own size, on white.
  QImage Render() const;

 protected:
  void paintEvent(QPaintEvent *event) override;
  void wheelEvent(QWheelEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;

 private:
  modem::mesh_graph::Graph graph_;
  double zoom_ = 1;
  QPointF offset_{0, 0};  // where the graph's origin lies in the view
  QPoint dragFrom_;
};
