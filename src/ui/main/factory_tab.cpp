#include "ui/main/factory_tab.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>

#include "ui/main/page_settings.h"
#include "ui/main/page_sheet.h"
#include "ui/widgets/spin_edit.h"

TFactoryTab::TFactoryTab(ui::IPageHost &host, QWidget *sheet) : QWidget(sheet), host_(host) {
  setObjectName("FactoryTab");
  ui::FillSheet(sheet, this);

  CB_MeasureDivisor = new QComboBox;
  CB_MeasureDivisor->setObjectName("CB_MeasureDivisor");
  CB_MeasureDivisor->addItems({"XOSC/1", "XOSC/1.5", "XOSC/2", "XOSC/3", "XOSC/4", "XOSC/6", "XOSC/8", "XOSC/12",
                               "XOSC/16", "XOSC/24", "XOSC/32", "XOSC/48", "XOSC/64", "XOSC/96", "XOSC/128",
                               "XOSC/192"});
  CB_MeasureDivisor->setCurrentIndex(0);
  CB_UsedCrystal = new QComboBox;
  CB_UsedCrystal->setObjectName("CB_UsedCrystal");
  CB_UsedCrystal->addItems({"26,480 Mhz", "26,208 Mhz"});
  CB_UsedCrystal->setCurrentIndex(0);
  SE_MeasuredFreq = new QDoubleSpinBox;
  SE_MeasuredFreq->setObjectName("SE_MeasuredFreq");
  SE_MeasuredFreq->setDecimals(3);
  SE_MeasuredFreq->setRange(100000, 40000000);
  SE_MeasuredFreq->setValue(26481010);
  SE_Temperature = new TSpinEdit(-60, 200, 1, 24);
  SE_Temperature->setObjectName("SE_Temperature");

  auto *form = new QFormLayout(this);
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->addRow(QStringLiteral("Режим измерения"), CB_MeasureDivisor);
  form->addRow(QStringLiteral("Используемый кварц"), CB_UsedCrystal);
  form->addRow(QStringLiteral("Измеренная величина (в Hz)"), SE_MeasuredFreq);
  form->addRow(QStringLiteral("t в помещении:"), SE_Temperature);

  host_.AddSetting(ui::ItemIndexSetting("CB_MeasureDivisor.ItemIndex", CB_MeasureDivisor));
  host_.AddSetting(ui::ItemIndexSetting("CB_UsedCrystal.ItemIndex", CB_UsedCrystal));
  host_.AddSetting(ui::ValueSetting("SE_Temperature.Value", SE_Temperature));
  host_.AddSetting(ui::ValueSetting("SE_MeasuredFreq.Value", SE_MeasuredFreq));
}
