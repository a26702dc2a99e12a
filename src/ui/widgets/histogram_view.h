#pragma once
// Bars of counts over equal bins of a measured value (round-trip times),
// painted by hand. Its accessible description lists the bins.
#include <QWidget>
#include <vector>

class THistogramView : public QWidget {
  Q_OBJECT
 public:
  THistogramView(const QString &title, const QString &unit, QWidget *parent = nullptr);

  // Bin k covers [from + k·width, from + (k+1)·width).
  void SetBins(double from, double width, const std::vector<int> &counts);
  const std::vector<int> &Counts() const { return counts_; }
  QSize sizeHint() const override { return {420, 160}; }

 protected:
  void paintEvent(QPaintEvent *event) override;

 private:
  QString title_, unit_;
  double from_ = 0, width_ = 1;
  std::vector<int> counts_;
};
