#pragma once
// A line plot of a few series over the last minutes, painted by hand (a
// handful of points per second needs no chart library). Its accessible
// description is the summary of the latest values.
#include <QColor>
#include <QWidget>
#include <vector>

#include "ui/widgets/time_plot_logic.h"

class TTimePlot : public QWidget {
  Q_OBJECT
 public:
  TTimePlot(const QString &title, double windowSec, QWidget *parent = nullptr);

  size_t AddSeries(const QString &name, const QColor &colour);
  void AddSample(size_t series, double tSec, double value);
  void Clear();
  const time_plot::PlotModel &Model() const { return model_; }

  // Written through a temporary file; false with the reason when it fails.
  bool SavePng(const QString &path, QString *error) const;
  QSize sizeHint() const override { return {420, 180}; }

 protected:
  void paintEvent(QPaintEvent *event) override;

 private:
  void UpdateDescription();
  QString title_;
  time_plot::PlotModel model_;
  std::vector<QColor> colours_;
};
