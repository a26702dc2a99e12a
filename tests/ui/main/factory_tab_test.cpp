// The page "Factory" driven as a user would, against the simulated modem.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include "sim/register_file.h"
#include "ui/main/factory_tab.h"
#include "ui/main/net_page_fixture.h"
#include "ui/widgets/markup_label.h"

using namespace modem::crystal_calibration;

namespace {

class FactoryPage : public testing_support::NetPageTest {
 protected:
  void SetUp() override {
    NetPageTest::SetUp();
    tab = std::make_unique<TFactoryTab>(host, host.Sheet("Factory"));
    tab->Prompts = Prompts();
    for (auto &step : host.startupSteps) step();
  }
  void Click(QPushButton *b) { QTest::mouseClick(b, Qt::LeftButton); }
  std::string Production() {
    std::string record;
    server.WithModem([&](sim::SimModem &m) { record = m.State().memory.production; });
    return record;
  }
  std::unique_ptr<TFactoryTab> tab;
};

}  // namespace

TEST_F(FactoryPage, StartsWithTheDocumentedDefaults) {
  EXPECT_EQ(tab->CB_UsedCrystal->currentText().toStdString(), "26,208 Mhz");
  EXPECT_EQ(tab->CB_MeasureDivisor->currentText().toStdString(), "XOSC/1");
  EXPECT_EQ(tab->CB_MeasureDivisor->count(), 16);
  EXPECT_EQ(tab->SE_MeasuredFreq->value(), 26481010);
  EXPECT_EQ(tab->SE_MeasuredFreq->decimals(), 3);
  EXPECT_EQ(tab->SE_Temperature->minimum(), -60);
  EXPECT_EQ(tab->SE_Temperature->maximum(), 200);
  EXPECT_EQ(tab->ST_BaseFreq->text().toStdString(), "Базовая RF-частота: 2401.308 Mhz, Шаг подстройки: 399.90234 Hz");
  EXPECT_EQ(tab->L_ToWrite->text().toStdString(), "Множитель: AE2E, Темп.смещение: 278");
  EXPECT_TRUE(tab->L_FMeasures->Markup().find("<b>0xFFFFAE2E</b>") != std::string::npos);
  // The wrapped multiplier is said to be unwritable before anyone clicks "Запись ".
  EXPECT_TRUE(tab->L_WriteWarning->PlainText().contains("-20946 не помещается в 16 бит"));
  EXPECT_TRUE(tab->L_WriteWarning->PlainText().contains("записать нельзя"));
}

TEST_F(FactoryPage, WrongCrystalIsNeverWritten) {
  const std::string before = Production();
  Click(tab->Button42);
  ASSERT_EQ(warned.size(), 1u);
  EXPECT_EQ(warned[0], MultiplierRefusal(-20946));
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(host.operationsRun, 0);
  EXPECT_EQ(Production(), before);
  EXPECT_TRUE(tab->L_Failure->PlainText().contains("не помещается в 16 бит"));
}

TEST_F(FactoryPage, MeasureComputeWriteAndReadBack) {
  tab->CB_UsedCrystal->setCurrentIndex(0);
  tab->CB_MeasureDivisor->setCurrentIndex(2);  // XOSC/2
  tab->SE_MeasuredFreq->setValue(13240505);
  EXPECT_NE(tab->L_FMeasures->Markup().find("<b>229 / 0x00E5</b>"), std::string::npos);
  EXPECT_TRUE(tab->L_WriteWarning->PlainText().isEmpty());
  server.WithModem([](sim::SimModem &m) { m.State().temperature = 27; });
  Click(tab->Button41);
  EXPECT_EQ(tab->Calibration().AverageTemperature(), 27);
  EXPECT_NE(tab->L_FMeasures->Markup().find("Уход показаний температуры: <b> 3 C </b>"), std::string::npos);
  EXPECT_EQ(tab->L_ToWrite->text().toStdString(), "Множитель: 9F1B, Темп.смещение: 305");
  uint8_t iocfg2 = 0;
  server.WithModem([&](sim::SimModem &m) { iocfg2 = m.State().registers.Get(0x00); });
  EXPECT_EQ(iocfg2, 0x32);
  const auto log = LogTexts();
  EXPECT_NE(std::find(log.begin(), log.end(), "Запуск измерений"), log.end());

  Click(tab->Button42);
  ASSERT_EQ(asked.size(), 1u);  // writing replaces the modem's record: asked, but not about the measurement
  EXPECT_EQ(asked[0].find("Измерение в этом сеансе"), std::string::npos);
  EXPECT_EQ(Production().substr(0, 4), std::string("\x1B\x9F\x31\x01", 4));

  tab->SE_Temperature->setValue(20);  // shows recomputed words until the next read
  Click(tab->Button43);
  EXPECT_EQ(tab->L_ToWrite->text().toStdString(), "Множитель: 9F1B, Темп.смещение: 305");
  EXPECT_NE(tab->L_ToWrite->palette().color(QPalette::Window), QColor(Qt::red));
}

TEST_F(FactoryPage, WriteBeforeMeasuringAsksAboutTheTemperature) {
  tab->CB_UsedCrystal->setCurrentIndex(0);
  const std::string before = Production();
  answer = false;
  Click(tab->Button42);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_EQ(asked[0].rfind("Измерение в этом сеансе не запускалось", 0), 0u);
  EXPECT_EQ(Production(), before);
}

TEST_F(FactoryPage, FailedMeasurementKeepsTheTemperatureAndTheRegister) {
  sim::Faults f;
  f.statusOverride = 1;
  SetFaults(f);
  Click(tab->Button41);
  EXPECT_EQ(tab->Calibration().AverageTemperature(), 0);
  EXPECT_FALSE(tab->Calibration().Measured());
  EXPECT_TRUE(tab->L_Failure->PlainText().contains("Запуск измерения не удался"));
  SetFaults({});
  uint8_t iocfg2 = 0;
  server.WithModem([&](sim::SimModem &m) { iocfg2 = m.State().registers.Get(0x00); });
  EXPECT_NE(iocfg2 & 0xF0, 0x30);
}

TEST_F(FactoryPage, InvalidRecordShowsRedAndAFailedReadKeepsTheValues) {
  server.WithModem([](sim::SimModem &m) { m.State().memory.productionValid = false; });
  Click(tab->Button43);
  EXPECT_EQ(tab->L_ToWrite->text().toStdString(), "Множитель: 3412, Темп.смещение: 1280");
  EXPECT_EQ(tab->L_ToWrite->palette().color(QPalette::Window), QColor(Qt::red));
  sim::Faults f;
  f.statusOverride = 1;
  SetFaults(f);
  Click(tab->Button43);
  EXPECT_EQ(tab->L_ToWrite->text().toStdString(), "Множитель: 3412, Темп.смещение: 1280");
  EXPECT_TRUE(tab->L_Failure->PlainText().contains("Чтение заводской записи не удалось"));
}

TEST_F(FactoryPage, MeasuresThroughTheTunnel) {
  UseRemote(3);
  Click(tab->Button41);
  EXPECT_TRUE(tab->Calibration().Measured());
  EXPECT_EQ(tab->Calibration().AverageTemperature(), 23);  // node 3 runs at 20 + 3 degrees
}
