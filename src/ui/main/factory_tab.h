#pragma once
// The page "Factory": crystal calibration of the transceiver at production.
#include <QWidget>

#include "modem/crystal_calibration.h"
#include "ui/main/page_host.h"
#include "ui/main/page_prompts.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class TMarkupLabel;

class TFactoryTab : public QWidget {
  Q_OBJECT
 public:
  TFactoryTab(ui::IPageHost &host, QWidget *sheet);

  QComboBox *CB_MeasureDivisor;
  QComboBox *CB_UsedCrystal;
  QLabel *ST_BaseFreq;
  QLabel *Label27;
  QPushButton *Button41;  // "Запуск измерения"
  QDoubleSpinBox *SE_MeasuredFreq;
  QSpinBox *SE_Temperature;
  TMarkupLabel *L_FMeasures;
  QLabel *L_ToWrite;
  QPushButton *Button43;  // "Чтение"
  QPushButton *Button42;  // "Запись "
  TMarkupLabel *L_WriteWarning;  // the computed words do not fit 16 bits
  TMarkupLabel *L_Failure;
  ui::PagePrompts Prompts = ui::PagePrompts::MessageBoxes();

  void Recalculate();
  void Button41Click();
  void Button42Click();
  void Button43Click();

  const modem::crystal_calibration::Calibration &Calibration() const { return calibration_; }

 private:
  void ShowToWrite(bool recordValid);
  modem::crystal_calibration::Inputs CurrentInputs() const;
  ui::IPageHost &host_;
  modem::crystal_calibration::Calibration calibration_;
};
