#pragma once
// The page "Factory": crystal calibration of the transceiver.
#include <QWidget>

#include "ui/main/page_host.h"

class QComboBox;
class QDoubleSpinBox;
class QSpinBox;

class TFactoryTab : public QWidget {
  Q_OBJECT
 public:
  TFactoryTab(ui::IPageHost &host, QWidget *sheet);

  QComboBox *CB_MeasureDivisor;
  QComboBox *CB_UsedCrystal;
  QDoubleSpinBox *SE_MeasuredFreq;
  QSpinBox *SE_Temperature;

 private:
  ui::IPageHost &host_;
};
