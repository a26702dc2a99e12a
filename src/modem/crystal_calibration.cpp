#include "modem/crystal_calibration.h"

#include <cmath>
#include <cstdlib>

#include "log/log_intf.h"
#include "modem/ziz2400.h"
#include "util/format.h"

namespace modem::crystal_calibration {

namespace {

struct Named {
  const char *name;
  double value;
};

constexpr Named kCrystals[kCrystalCount] = {{"26,480 Mhz", 26480000}, {"26,208 Mhz", 26208000}};
constexpr Named kDivisors[kDivisorCount] = {
    {"XOSC/1", 1},   {"XOSC/1.5", 1.5}, {"XOSC/2", 2},   {"XOSC/3", 3},   {"XOSC/4", 4},     {"XOSC/6", 6},
    {"XOSC/8", 8},   {"XOSC/12", 12},   {"XOSC/16", 16}, {"XOSC/24", 24}, {"XOSC/32", 32},   {"XOSC/48", 48},
    {"XOSC/64", 64}, {"XOSC/96", 96},   {"XOSC/128", 128}, {"XOSC/192", 192}};

int Clamp(int index, int count) { return index < 0 ? 0 : index >= count ? count - 1 : index; }

}  // namespace

const char kUnmeasuredWriteQuestion[] =
    "Измерение в этом сеансе не запускалось: температурное смещение рассчитано по средней температуре 0 C.\r\n"
    "Записать всё равно?";

const char *CrystalName(int index) { return kCrystals[Clamp(index, kCrystalCount)].name; }
double CrystalHz(int index) { return kCrystals[Clamp(index, kCrystalCount)].value; }
const char *DivisorName(int index) { return kDivisors[Clamp(index, kDivisorCount)].name; }
double Divisor(int index) { return kDivisors[Clamp(index, kDivisorCount)].value; }

std::optional<int> DivisorIndex(const std::string &name) {
  for (int k = 0; k < kDivisorCount; ++k)
    if (name == kDivisors[k].name) return k;
  return std::nullopt;
}

Figures Compute(const Inputs &in) {
  Figures f;
  const double word = kBaseFrequencyWord;
  f.nominalCrystalHz = CrystalHz(in.crystal);
  f.baseNominal = f.nominalCrystalHz / 65536 * word;
  f.crystalHz = in.measuredHz * Divisor(in.divisor);
  f.step = f.crystalHz / 65536;
  f.baseActual = f.step * word;
  f.comp = static_cast<int64_t>(std::trunc((f.baseNominal - f.baseActual) / f.step));
  f.tempDrift = in.averageTemp - in.roomTemp;
  f.multiplierSum = f.comp + kMultiplierBase;
  f.tempOffsetSum = static_cast<int64_t>(f.tempDrift) + kTempOffsetBase;
  return f;
}

std::string BaseFrequencyText(const Inputs &in) {
  const double x = CrystalHz(in.crystal);
  return util::Format("Базовая RF-частота: %3.3f Mhz, Шаг подстройки: %5.5f Hz", x / 65536 * kBaseFrequencyWord * 1e-6,
                      x / 65536);
}

std::string MeasuresMarkup(const Figures &f) {
  const int64_t magnitude = std::llabs(f.comp);
  return util::Format(
      "Уход кварца: <b> %3.3f Hz </b>\r\nБазовая частота: <b> %3.3f Mhz</b>\r\nШаг подстройки частоты: <b> %5.5f "
      "Hz</b>\r\nУход базовой RF-частоты: <b> %3.3f KHz </b>\r\nКомпенсация в шагах (Dec/HEX): <b>%d / "
      "0x%4.4x</b>\r\nРезультирующий умножитель (HEX): <b>0x%4.4x</b>\r\nУход показаний температуры: <b> %d C "
      "</b>\r\n",
      f.crystalHz - f.nominalCrystalHz, f.baseActual * 1e-6, f.step,
      (f.baseActual - f.baseNominal) * 0.001, magnitude, magnitude, f.multiplierSum, f.tempDrift);
}

std::string ToWriteText(uint16_t multiplier, uint16_t tempOffset) {
  return util::Format("Множитель: %4.4x, Темп.смещение: %d", multiplier, tempOffset);
}

namespace {

// The check on a sum, closed by what follows from it: a write refused, or
// (before any write) values that cannot be written.
std::string MultiplierProblem(int64_t sum, const char *ending) {
  return util::Format(
      "Результирующий умножитель %d не помещается в 16 бит (0..65535): проверьте используемый кварц, режим "
      "измерения и измеренную величину. %s",
      sum, ending);
}

std::string TempOffsetProblem(int64_t sum, const char *ending) {
  return util::Format(
      "Температурное смещение %d не помещается в 16 бит (0..65535): проверьте температуру в помещении и "
      "запустите измерение снова. %s",
      sum, ending);
}

constexpr char kNotWritten[] = "Запись не выполнена.";
constexpr char kCannotBeWritten[] = "Эти значения записать нельзя.";

}  // namespace

std::string MultiplierRefusal(int64_t sum) { return MultiplierProblem(sum, kNotWritten); }
std::string TempOffsetRefusal(int64_t sum) { return TempOffsetProblem(sum, kNotWritten); }

void Calibration::Recalculate(Inputs in) {
  in.averageTemp = averageTemp_;
  figures_ = Compute(in);
  multiplier_ = figures_.multiplierSum & 0xFFFF;
  tempOffset_ = figures_.tempOffsetSum & 0xFFFF;
  readBack_ = false;
}

void Calibration::SetAverageTemperature(int t) {
  averageTemp_ = t;
  measured_ = true;
}

void Calibration::SetReadBack(uint16_t multiplier, uint16_t tempOffset) {
  multiplier_ = multiplier;
  tempOffset_ = tempOffset;
  readBack_ = true;
}

std::string Calibration::Problem(const char *ending) const {
  if (readBack_) return {};
  if (!FitsWord(figures_.multiplierSum)) return MultiplierProblem(figures_.multiplierSum, ending);
  if (!FitsWord(figures_.tempOffsetSum)) return TempOffsetProblem(figures_.tempOffsetSum, ending);
  return {};
}

std::string Calibration::WriteRefusal() const { return Problem(kNotWritten); }
std::string Calibration::WriteWarning() const { return Problem(kCannotBeWritten); }

Measurement StartMeasurement(modem::ZIZ2400 &node, ISequentialActionLogger *logger, int divisor) {
  Measurement m;
  if (logger) logger->BeginAction("Запуск измерений");
  int sum = 0;
  int reads = 0;
  for (; reads < kTemperatureReads; ++reads) {
    int16_t value = 0;
    if (!node.ReadTemperature(value)) break;
    sum += value;
  }
  if (reads == kTemperatureReads) {
    m.average = sum / kTemperatureReads;  // integer division truncates toward zero
    m.clockOutput =
        node.WriteRegister(kGdo2Register, static_cast<uint8_t>(kGdo2ClockOutput + Clamp(divisor, kDivisorCount)));
  }
  if (logger) {
    if (m.Succeeded()) logger->EndSuccess("");
    else logger->EndError("");
  }
  return m;
}

bool WriteWords(modem::ZIZ2400 &node, ProductionWords words) {
  modem::TProductionRecord rec{static_cast<uint8_t>(words.multiplier & 0xFF), static_cast<uint8_t>(words.multiplier >> 8),
                               static_cast<uint8_t>(words.tempOffset & 0xFF), static_cast<uint8_t>(words.tempOffset >> 8),
                               0, 0};
  return node.WriteProductionRecord(rec);
}

std::optional<ProductionWords> ReadWords(modem::ZIZ2400 &node, bool &flag) {
  modem::TProductionRecord rec{};
  if (!node.ReadProductionRecord(rec, flag)) return std::nullopt;
  return ProductionWords{static_cast<uint16_t>(rec[0] | (rec[1] << 8)), static_cast<uint16_t>(rec[2] | (rec[3] << 8))};
}

}  // namespace modem::crystal_calibration
