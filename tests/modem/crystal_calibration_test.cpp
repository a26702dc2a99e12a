#include <gtest/gtest.h>

#include "modem/crystal_calibration.h"

using namespace modem::crystal_calibration;

namespace {

Inputs Reading(int crystal, const char *divisor, double measured, int room = 24, int average = 0) {
  Inputs in;
  in.crystal = crystal;
  in.divisor = *DivisorIndex(divisor);
  in.measuredHz = measured;
  in.roomTemp = room;
  in.averageTemp = average;
  return in;
}

}  // namespace

TEST(FactoryFigures, FastCrystalGivesTheDocumentedTexts) {
  const Figures f = Compute(Reading(0, "XOSC/1", 26481010));
  EXPECT_EQ(f.comp, -229);
  EXPECT_EQ(f.multiplierSum, 0x9F1B);
  EXPECT_EQ(MeasuresMarkup(f),
            "Уход кварца: <b> 1010.000 Hz </b>\r\n"
            "Базовая частота: <b> 2426.323 Mhz</b>\r\n"
            "Шаг подстройки частоты: <b> 404.06815 Hz</b>\r\n"
            "Уход базовой RF-частоты: <b> 92.541 KHz </b>\r\n"
            "Компенсация в шагах (Dec/HEX): <b>229 / 0x00E5</b>\r\n"
            "Результирующий умножитель (HEX): <b>0x9F1B</b>\r\n"
            "Уход показаний температуры: <b> -24 C </b>\r\n");
  // The counter on a divided output reads half as much: the same crystal.
  EXPECT_EQ(MeasuresMarkup(Compute(Reading(0, "XOSC/2", 13240505))), MeasuresMarkup(f));
  EXPECT_EQ(MeasuresMarkup(Compute(Reading(0, "XOSC/1.5", 26481010 / 1.5))), MeasuresMarkup(f));
}

TEST(FactoryFigures, BaseFrequencyFieldFollowsTheCrystal) {
  EXPECT_EQ(BaseFrequencyText(Reading(1, "XOSC/1", 1e6)),
            "Базовая RF-частота: 2401.308 Mhz, Шаг подстройки: 399.90234 Hz");
  EXPECT_EQ(BaseFrequencyText(Reading(0, "XOSC/1", 1e6)),
            "Базовая RF-частота: 2426.230 Mhz, Шаг подстройки: 404.05273 Hz");
}

TEST(FactoryFigures, SlowCrystalCorrectsUpwards) {
  const Figures f = Compute(Reading(0, "XOSC/1", 26479000));
  EXPECT_EQ(f.comp, 226);
  EXPECT_GT(f.multiplierSum, 0xA000);
  EXPECT_NE(MeasuresMarkup(f).find("<b>226 / 0x00E2</b>"), std::string::npos);
}

TEST(FactoryFigures, TemperatureOffsetFollowsTheDrift) {
  Calibration c;
  c.SetAverageTemperature(27);
  c.Recalculate(Reading(0, "XOSC/1", 26481010, 24));
  EXPECT_EQ(c.Current().tempDrift, 3);
  EXPECT_EQ(c.TempOffset(), 305);
  EXPECT_EQ(ToWriteText(c.Multiplier(), c.TempOffset()), "Множитель: 9F1B, Темп.смещение: 305");
  EXPECT_TRUE(c.WriteRefusal().empty());
  EXPECT_FALSE(c.WriteNeedsConfirmation());
}

TEST(FactoryFigures, WrongCrystalIsShownWrappedButNeverWritten) {
  Calibration c;
  c.Recalculate(Reading(1, "XOSC/1", 26481010));
  EXPECT_EQ(c.Current().comp, -61906);
  EXPECT_EQ(c.Multiplier(), 0xAE2E);  // what a blind write would have sent
  const std::string text = MeasuresMarkup(c.Current());
  EXPECT_NE(text.find("<b>61906 / 0xF1D2</b>"), std::string::npos);
  EXPECT_NE(text.find("<b>0xFFFFAE2E</b>"), std::string::npos);
  EXPECT_EQ(c.WriteRefusal(), MultiplierRefusal(-20946));
  EXPECT_NE(c.WriteRefusal().find("-20946"), std::string::npos);

  // Words read back from the device are whole words: they may go back.
  c.SetReadBack(0xAE2E, 302);
  EXPECT_TRUE(c.WriteRefusal().empty());
  EXPECT_FALSE(c.WriteNeedsConfirmation());
}

TEST(FactoryFigures, TemperatureOffsetBeyondSixteenBitsIsRefused) {
  Calibration c;
  c.SetAverageTemperature(-32768);
  c.Recalculate(Reading(0, "XOSC/1", 26481010, 24));
  EXPECT_EQ(c.WriteRefusal(), TempOffsetRefusal(-32768 - 24 + 302));
}

TEST(FactoryFigures, WriteBeforeAnyMeasurementAsksFirst) {
  Calibration c;
  c.Recalculate(Reading(0, "XOSC/1", 26481010));
  EXPECT_TRUE(c.WriteNeedsConfirmation());
  EXPECT_EQ(c.TempOffset(), 302 - 24);
  c.SetAverageTemperature(24);
  c.Recalculate(Reading(0, "XOSC/1", 26481010));
  EXPECT_FALSE(c.WriteNeedsConfirmation());
  EXPECT_EQ(c.TempOffset(), 302);
}

TEST(FactoryLists, NamesAndValues) {
  EXPECT_STREQ(CrystalName(kDefaultCrystal), "26,208 Mhz");
  EXPECT_EQ(CrystalHz(0), 26480000);
  EXPECT_EQ(Divisor(*DivisorIndex("XOSC/192")), 192);
  EXPECT_EQ(*DivisorIndex("XOSC/192"), 15);
  EXPECT_FALSE(DivisorIndex("XOSC/5"));
}
