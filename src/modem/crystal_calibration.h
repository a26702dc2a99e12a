#pragma once
// Crystal calibration at production, without Qt: the figures computed from
// a frequency counter's reading, the two words written to the production
// record, and the measurement start (ten temperature reads, then the GDO2
// clock output). The "Factory" page and `vovorctl factory` share it.
#include <cstdint>
#include <optional>
#include <string>

namespace modem {
class ZIZ2400;
}
class ISequentialActionLogger;

namespace modem::crystal_calibration {

inline constexpr int kCrystalCount = 2;
inline constexpr int kDefaultCrystal = 1;  // "26,208 Mhz"
inline constexpr int kDivisorCount = 16;
inline constexpr double kMeasuredMin = 100000;
inline constexpr double kMeasuredMax = 40000000;
inline constexpr double kMeasuredDefault = 26481010;
inline constexpr int kRoomTempMin = -60;
inline constexpr int kRoomTempMax = 200;
inline constexpr int kRoomTempDefault = 24;
// The synthesizer word of the working channel (FREQ2:FREQ1:FREQ0).
inline constexpr uint32_t kBaseFrequencyWord = 0x5BA000;
inline constexpr int kMultiplierBase = 0xA000;
inline constexpr int kTempOffsetBase = 302;
inline constexpr int kTemperatureReads = 10;
// IOCFG2: 0x30 + k puts the crystal clock divided by the k-th divisor on GDO2.
inline constexpr uint8_t kGdo2Register = 0x00;
inline constexpr uint8_t kGdo2ClockOutput = 0x30;

// "26,480 Mhz", "26,208 Mhz" and their frequencies in Hz.
const char *CrystalName(int index);
double CrystalHz(int index);
// "XOSC/1" .. "XOSC/192" and the divisors they stand for.
const char *DivisorName(int index);
double Divisor(int index);
// The list index of a name such as "XOSC/1.5" or "26,208 Mhz"; none when unknown.
std::optional<int> DivisorIndex(const std::string &name);

struct Inputs {
  int crystal = kDefaultCrystal;
  int divisor = 0;
  double measuredHz = kMeasuredDefault;
  int roomTemp = kRoomTempDefault;
  int averageTemp = 0;  // from the last measurement start; 0 before one
};

struct Figures {
  double nominalCrystalHz = 0;
  double baseNominal = 0;  // Hz
  double crystalHz = 0;    // the actual crystal
  double step = 0;         // Hz per synthesizer step
  double baseActual = 0;   // Hz
  int64_t comp = 0;        // correction in steps, negative when the crystal runs fast
  int tempDrift = 0;
  int64_t multiplierSum = 0;  // comp + 0xA000, before it is taken to 16 bits
  int64_t tempOffsetSum = 0;  // drift + 302, likewise
};

Figures Compute(const Inputs &in);

// "Базовая RF-частота: ..." of the base frequency field.
std::string BaseFrequencyText(const Inputs &in);
// The results with their markup, as the page's label shows them.
std::string MeasuresMarkup(const Figures &f);
// "Множитель: %4.4x, Темп.смещение: %d".
std::string ToWriteText(uint16_t multiplier, uint16_t tempOffset);

// Whether a computed sum can be written as the 16-bit word it stands for.
inline bool FitsWord(int64_t v) { return v >= 0 && v <= 0xFFFF; }

// What the page keeps between clicks: the average temperature, the two
// words to write, and where they came from.
class Calibration {
 public:
  // Recomputes from the inputs (their averageTemp is replaced by the kept one).
  void Recalculate(Inputs in);
  // A measurement start that succeeded with this average.
  void SetAverageTemperature(int t);
  // The record read from the device replaces the words to write.
  void SetReadBack(uint16_t multiplier, uint16_t tempOffset);

  int AverageTemperature() const { return averageTemp_; }
  bool Measured() const { return measured_; }
  uint16_t Multiplier() const { return static_cast<uint16_t>(multiplier_); }
  uint16_t TempOffset() const { return static_cast<uint16_t>(tempOffset_); }
  const Figures &Current() const { return figures_; }

  // Why the words may not be written (a sum beyond 16 bits); empty when they may.
  std::string WriteRefusal() const;
  // The same said before any write, as soon as the figures are computed.
  std::string WriteWarning() const;
  // True when the temperature offset rests on no measurement of this session.
  bool WriteNeedsConfirmation() const { return !readBack_ && !measured_; }

 private:
  int averageTemp_ = 0;
  bool measured_ = false;
  bool readBack_ = false;
  int64_t multiplier_ = kMultiplierBase;
  int64_t tempOffset_ = kTempOffsetBase;
  Figures figures_;

  std::string Problem(const char *ending) const;
};

// The refusal and the question the page and the command line put.
std::string MultiplierRefusal(int64_t sum);
std::string TempOffsetRefusal(int64_t sum);
extern const char kUnmeasuredWriteQuestion[];

// The measurement start: ten temperature reads on `node`, and when all
// succeed the GDO2 clock output for `divisor`. Logged as one action
// "Запуск измерений". The average (truncated toward zero) when all ten reads
// succeeded; none otherwise, and then the register is left alone. A clock
// output that could not be set ends the action as failed: the counter would
// measure whatever the pin put out before.
struct Measurement {
  std::optional<int> average;
  bool clockOutput = false;
  bool Succeeded() const { return average && clockOutput; }
};
Measurement StartMeasurement(modem::ZIZ2400 &node, ISequentialActionLogger *logger, int divisor);

// Packs and unpacks the production record's two words (little-endian).
struct ProductionWords {
  uint16_t multiplier = 0;
  uint16_t tempOffset = 0;
};
bool WriteWords(modem::ZIZ2400 &node, ProductionWords words);
std::optional<ProductionWords> ReadWords(modem::ZIZ2400 &node, bool &flag);

}  // namespace modem::crystal_calibration
