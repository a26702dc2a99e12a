#pragma once
// A spin edit whose Page Up and Page Down move by a page of its own, apart
// from the arrows' step (a time-out stepped by 1 and paged by 100).
#include <QSpinBox>

class TSpinEdit : public QSpinBox {
  Q_OBJECT
 public:
  TSpinEdit(int min, int max, int step, int value, QWidget *parent = nullptr);
  // 0: Qt's own paging (ten steps).
  void SetPageStep(int page) { pageStep_ = page; }
  int PageStep() const { return pageStep_; }

 protected:
  void keyPressEvent(QKeyEvent *event) override;

 private:
  int pageStep_ = 0;
};
