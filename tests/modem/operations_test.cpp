// Identification, control and transceiver operations over a scripted line:
// the exact command and action texts, decoding, length checks and the
// values outputs hold when nothing could be decoded.
#include <gtest/gtest.h>

#include <cmath>

#include "device/result_code.h"
#include "modem/ziz2400.h"
#include "scripted_modem.h"
#include "util/codepage.h"

using device::TDeviceDetailMode;
using modem::ZIZ2400;
using modem_test::ScriptedModem;

namespace {

struct OperationCase {
  const char *command;
  const char *action;
  std::function<bool(ZIZ2400 &)> run;
};

const modem::TDateTime kMarch1st{2024, 3, 1, 12, 34, 56, 789};

// Somewhere for every operation to put its results.
struct Outputs {
  modem::TVersion version;
  std::string text;
  modem::TRegisterImage regs;
  modem::TPhyStatus phy;
  modem::TCarrierOffsets offsets;
  modem::TLastPacketStatus lps;
  modem::TPhyErrorStats errors;
  modem::TMacContext mac;
  modem::TDateTime clock;
  int16_t temperature = 0;
  uint16_t eeprom = 0;
  uint8_t sensor = 0;
  double v1 = 0, v2 = 0;
};

std::vector<OperationCase> AllOperations(Outputs &o) {
  return {
      {"1501", "Чтение версии устройства", [&](ZIZ2400 &n) { return n.ReadVersion(o.version); }},
      {"1503", "Чтение названия устройства", [&](ZIZ2400 &n) { return n.ReadDeviceName(o.text); }},
      {"1A01", "Визуальная идентификация ", [&](ZIZ2400 &n) { return n.Identify(); }},
      {"FD", "Restart ", [&](ZIZ2400 &n) { return n.Restart(); }},
      {"2C00", "Установление рабочего режима", [&](ZIZ2400 &n) { return n.SetMode(0); }},
      {"2C01", "Установление технологического режима", [&](ZIZ2400 &n) { return n.SetMode(1); }},
      {"1C0400", "Выключение трансивера", [&](ZIZ2400 &n) { return n.SetTransceiver(0); }},
      {"1C0401", "Включение трансивера", [&](ZIZ2400 &n) { return n.SetTransceiver(1); }},
      {"EB01201B", "Чтение регистров (0x20 - 0x3A)", [&](ZIZ2400 &n) { return n.ReadRegisters(0x20, 27, o.regs); }},
      {"1B020D5B", "Запись регистра (Reg.0D = 5B)", [&](ZIZ2400 &n) { return n.WriteRegister(0x0D, 0x5B); }},
      {"1B0336", "0x36 strobe", [&](ZIZ2400 &n) { return n.Strobe(0x36); }},
      {"1C01", "Чтение PHY Status", [&](ZIZ2400 &n) { return n.ReadPhyStatus(o.phy); }},
      {"1C02", "Чтение температуры CC2500", [&](ZIZ2400 &n) { return n.ReadTemperature(o.temperature); }},
      {"1C05", "Чтение массива смещений RF-несущей ", [&](ZIZ2400 &n) { return n.ReadCarrierOffsets(o.offsets); }},
      {"1C06", "Чтение статуса последнего RF-фрейма", [&](ZIZ2400 &n) { return n.ReadLastPacketStatus(o.lps); }},
      {"1CC1", "Чтение PHY Error Statistics", [&](ZIZ2400 &n) { return n.ReadPhyErrorStats(o.errors); }},
      {"1DDF", "Чтение MAC Context", [&](ZIZ2400 &n) { return n.ReadMacContext(o.mac); }},
      {"2401", "Чтение RTC", [&](ZIZ2400 &n) { return n.ReadRtc(o.clock); }},
      {"24029DE80703010C2238", "Установка RTC", [&](ZIZ2400 &n) { return n.WriteRtc(kMarch1st); }},
      {"1602", "Чтение счетчика выполнения ", [&](ZIZ2400 &n) { return n.ReadTickCounter(o.text); }},
      {"1603", "Время выполнения цикла ", [&](ZIZ2400 &n) { return n.ReadCycleTime(o.text); }},
      {"26", "Чтение RTC", [&](ZIZ2400 &n) { return n.ReadEepromTestTime(o.eeprom); }},
      {"3101", "Чтение состояния датчика напряжения", [&](ZIZ2400 &n) { return n.ReadVoltageSensor(o.sensor); }},
      {"3102", "Чтение напряжений устройства", [&](ZIZ2400 &n) { return n.ReadVoltages(o.v1, o.v2); }},
  };
}

}  // namespace

TEST(Operations, SendTheirCommandInOneLoggedAction) {
  Outputs outputs;
  for (const auto &c : AllOperations(outputs)) {
    ScriptedModem m;
    m.AnswerAll("04");  // a final answer that needs no decoding
    std::vector<std::tuple<int, std::string, int, int>> actions;
    m.node.OnAction = [&](device::TCustomDevice &, uint8_t code, const std::string &text, int size, uint8_t type) {
      actions.emplace_back(code, text, size, type);
    };
    EXPECT_FALSE(c.run(m.node)) << c.command;
    EXPECT_EQ(m.Commands(), std::vector<std::string>{c.command});
    ASSERT_EQ(actions.size(), 1u) << c.command;
    EXPECT_EQ(actions[0], std::make_tuple(0, std::string(c.action), 24, 1));
    ASSERT_EQ(m.details.entries.size(), 2u) << c.command;
    EXPECT_EQ(m.details.entries[0].mode, TDeviceDetailMode::dmStart);
    EXPECT_EQ(m.details.entries[0].text, c.action);
    EXPECT_EQ(m.details.entries[1].mode, TDeviceDetailMode::dmDoneFail);
    EXPECT_EQ(m.details.entries[1].text, "временно невозможно выполнить команду");
    EXPECT_EQ(m.node.ResultCode().Code, 4);
  }
}

TEST(Operations, AnswersOfTheWrongLengthFailWithTheirRecord) {
  Outputs o;
  auto &[version, text, regs, phy, offsets, lps, errors, mac, clock, temperature, eeprom, sensor, v1, v2] = o;
  clock = {1, 1, 1, 0, 0, 0, 0};
  temperature = eeprom = sensor = 5;
  v1 = v2 = 1;
  const std::string data26(52, '7');
  struct Case {
    const char *name;
    std::string answer;
    std::function<bool(ZIZ2400 &)> run;
    int code;
  } cases[] = {
      {"registers 26 of 27", "00" + data26, [&](ZIZ2400 &n) { return n.ReadRegisters(0x20, 27, regs); }, 11},
      {"phy status 15", "00" + std::string(30, '1'), [&](ZIZ2400 &n) { return n.ReadPhyStatus(phy); }, 11},
      {"phy status 17", "00" + std::string(34, '1'), [&](ZIZ2400 &n) { return n.ReadPhyStatus(phy); }, 11},
      {"error stats 7", "00" + std::string(14, '1'), [&](ZIZ2400 &n) { return n.ReadPhyErrorStats(errors); }, 11},
      {"mac context 7", "00" + std::string(14, '1'), [&](ZIZ2400 &n) { return n.ReadMacContext(mac); }, 11},
      {"last packet 6", "00" + std::string(12, '1'), [&](ZIZ2400 &n) { return n.ReadLastPacketStatus(lps); }, 102},
      {"offsets 3", "00010203", [&](ZIZ2400 &n) { return n.ReadCarrierOffsets(offsets); }, 102},
      {"sensor 2", "000101", [&](ZIZ2400 &n) { return n.ReadVoltageSensor(sensor); }, 102},
      {"sensor none", "00", [&](ZIZ2400 &n) { return n.ReadVoltageSensor(sensor); }, 102},
      {"voltages 3", "00400180", [&](ZIZ2400 &n) { return n.ReadVoltages(v1, v2); }, 102},
      {"voltages 5", "004001800200", [&](ZIZ2400 &n) { return n.ReadVoltages(v1, v2); }, 102},
      {"clock 7", "009DE80703010C22", [&](ZIZ2400 &n) { return n.ReadRtc(clock); }, 11},
      {"temperature none", "00", [&](ZIZ2400 &n) { return n.ReadTemperature(temperature); }, 11},
      {"eeprom none", "00", [&](ZIZ2400 &n) { return n.ReadEepromTestTime(eeprom); }, 11},
  };
  for (const auto &c : cases) {
    ScriptedModem m;
    m.AnswerAll(c.answer);
    EXPECT_FALSE(c.run(m.node)) << c.name;
    EXPECT_EQ(m.node.ResultCode().Code, c.code) << c.name;
    // The replaced result is what the log shows.
    ASSERT_FALSE(m.details.entries.empty());
    EXPECT_EQ(m.details.entries.back().mode, TDeviceDetailMode::dmDoneFail) << c.name;
    EXPECT_EQ(m.details.entries.back().text, m.node.ResultCode().Msg) << c.name;
  }
  EXPECT_EQ(regs, modem::TRegisterImage{});
  EXPECT_EQ(phy, modem::TPhyStatus{});
  EXPECT_EQ(clock, (modem::TDateTime{1, 1, 1, 0, 0, 0, 0}));
  EXPECT_EQ(temperature, -100);
  EXPECT_EQ(eeprom, 0);
  EXPECT_EQ(sensor, 0);
  EXPECT_EQ(v1, 0);
  EXPECT_EQ(v2, 0);
}

TEST(Operations, OutputsKeepTheirPresetValuesWhenTheModemIsSilent) {
  ScriptedModem m;
  int16_t temperature = 25;
  std::string ticks = "old";
  uint16_t eeprom = 9;
  double v1 = 3, v2 = 3;
  modem::TVersion version{"old", 1, 2, "x"};
  std::string name = "old";
  modem::TRegisterImage regs;
  regs.fill(0xAA);
  EXPECT_FALSE(m.node.ReadTemperature(temperature));
  EXPECT_EQ(m.node.ResultCode(), device::rcNoAnswer);
  EXPECT_FALSE(m.node.ReadTickCounter(ticks));
  EXPECT_FALSE(m.node.ReadEepromTestTime(eeprom));
  EXPECT_FALSE(m.node.ReadVoltages(v1, v2));
  EXPECT_FALSE(m.node.ReadVersion(version));
  EXPECT_FALSE(m.node.ReadDeviceName(name));
  EXPECT_FALSE(m.node.ReadRegisters(0, 32, regs));
  EXPECT_EQ(temperature, -100);
  EXPECT_EQ(ticks, "");
  EXPECT_EQ(eeprom, 0);
  EXPECT_EQ(v1, 0);
  EXPECT_EQ(v2, 0);
  EXPECT_EQ(version.VersionStr, "");
  EXPECT_EQ(version.Reserved1, 0);
  EXPECT_EQ(name, "");
  EXPECT_EQ(regs, modem::TRegisterImage{});
}

TEST(Operations, ReturnTheirOwnOutcomeWhenTheEndHandlerRunsAnotherOne) {
  // A handler of the end notification may run a further command on the same
  // node; the first operation still reports how it itself ended.
  struct Case {
    const char *name;
    const char *temperatureAnswer;
    const char *identifyAnswer;
    bool expected;
  } cases[] = {
      {"success, then a failure", "00F6", "04", true},
      {"failure, then a success", "04", "00", false},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.name);
    ScriptedModem m;
    m.OnCommand([&](const std::string &command) -> std::optional<std::string> {
      return command == "1C02" ? c.temperatureAnswer : c.identifyAnswer;
    });
    bool nested = false;
    m.node.OnDetailedInfo = [&](device::TCustomDevice &, TDeviceDetailMode mode, const std::string &, int) {
      if (mode == TDeviceDetailMode::dmStart || nested) return;
      nested = true;
      m.node.Identify();
    };
    int16_t temperature = 0;
    EXPECT_EQ(m.node.ReadTemperature(temperature), c.expected);
    EXPECT_EQ(m.Commands(), (std::vector<std::string>{"1C02", "1A01"}));
    EXPECT_EQ(m.node.ResultCode().Code == 0, !c.expected);  // the handler's command ran last
  }
}

TEST(Registers, ReadIntoTheImageFromTheFirstAddressButNeverPastTheEnd) {
  ScriptedModem m;
  modem::TRegisterImage regs;
  m.AnswerAll("00A1B2");
  ASSERT_TRUE(m.node.ReadRegisters(0x3F, 2, regs));
  modem::TRegisterImage expected{};
  expected[0x3F] = 0xA1;
  EXPECT_EQ(regs, expected);
  EXPECT_EQ(m.Commands().back(), "EB013F02");

  m.AnswerAll("00112233");
  ASSERT_TRUE(m.node.ReadRegisters(0x05, 3, regs));
  expected = {};
  expected[5] = 0x11;
  expected[6] = 0x22;
  expected[7] = 0x33;
  EXPECT_EQ(regs, expected);
}

TEST(Transceiver, TemperatureOffsetsAndCountersDecode) {
  ScriptedModem m;
  int16_t temperature = 0;
  m.AnswerAll("00F6");
  ASSERT_TRUE(m.node.ReadTemperature(temperature));
  EXPECT_EQ(temperature, -10);
  m.AnswerAll("0019");
  ASSERT_TRUE(m.node.ReadTemperature(temperature));
  EXPECT_EQ(temperature, 25);

  // The mean truncates toward zero: 3+2-1-1 = 3 gives 0; -3-2-1-1 = -7 gives -1.
  modem::TCarrierOffsets offsets;
  m.AnswerAll("000302FFFF");
  ASSERT_TRUE(m.node.ReadCarrierOffsets(offsets));
  EXPECT_EQ(offsets, (modem::TCarrierOffsets{0x03, 0x02, 0xFF, 0xFF, 0x00}));
  m.AnswerAll("00FDFEFFFF77");  // a fifth byte is ignored
  ASSERT_TRUE(m.node.ReadCarrierOffsets(offsets));
  EXPECT_EQ(offsets, (modem::TCarrierOffsets{0xFD, 0xFE, 0xFF, 0xFF, 0xFF}));

  modem::TPhyStatus phy;
  m.AnswerAll("00000102030405060708090A0B0C0D0E0F");
  ASSERT_TRUE(m.node.ReadPhyStatus(phy));
  EXPECT_EQ(phy[0], 0x00);
  EXPECT_EQ(phy[15], 0x0F);

  std::string text;
  m.AnswerAll("0010203040");
  ASSERT_TRUE(m.node.ReadTickCounter(text));
  EXPECT_EQ(text, "10203040");
  m.AnswerAll("00");
  ASSERT_TRUE(m.node.ReadCycleTime(text));
  EXPECT_EQ(text, "");

  uint16_t eeprom = 0;
  m.AnswerAll("00C8FF");
  ASSERT_TRUE(m.node.ReadEepromTestTime(eeprom));
  EXPECT_EQ(eeprom, 200);
}

TEST(Supply, SensorAndVoltages) {
  ScriptedModem m;
  uint8_t sensor = 7;
  for (auto [answer, expected] : {std::pair{"0000", 0}, {"0001", 1}, {"0080", 1}}) {
    m.AnswerAll(answer);
    ASSERT_TRUE(m.node.ReadVoltageSensor(sensor)) << answer;
    EXPECT_EQ(sensor, expected) << answer;
  }
  double v1 = 0, v2 = 0;
  m.AnswerAll("0040018002");
  ASSERT_TRUE(m.node.ReadVoltages(v1, v2));
  EXPECT_NEAR(v1, 320 / 65.57377, 1e-9);
  EXPECT_NEAR(v2, 640 / 65.57377, 1e-9);
  EXPECT_EQ(std::round(v1 * 100), 488);
  EXPECT_EQ(std::round(v2 * 100), 976);
}

TEST(Identity, VersionInTheDosCodePageAndNameInTheWindowsOne) {
  ScriptedModem m;
  const std::string versionText = "Модем ORVA в2.4";
  const std::string nameText = "Узел №7";
  m.OnCommand([&](const std::string &command) -> std::optional<std::string> {
    if (command == "1501") return "00" + util::BytesToHex(util::Utf8ToCp866(versionText));
    if (command == "1503") return "00" + util::BytesToHex(util::Utf8ToCp1251(nameText));
    return std::nullopt;
  });
  modem::TVersion version;
  ASSERT_TRUE(m.node.ReadVersion(version));
  EXPECT_EQ(version.VersionStr, versionText);
  std::string name;
  ASSERT_TRUE(m.node.ReadDeviceName(name));
  EXPECT_EQ(name, nameText);
}

TEST(Identity, SwitchesOutsideTheirTwoValuesAreRefusedUnsent) {
  ScriptedModem m;
  m.AnswerAll("00");
  EXPECT_FALSE(m.node.SetMode(2));
  EXPECT_EQ(m.node.ResultCode(), device::rcBadParams);
  EXPECT_FALSE(m.node.SetTransceiver(5));
  EXPECT_FALSE(m.node.Strobe(0x130));
  EXPECT_TRUE(m.Commands().empty());
  // Each still shows in the log as a failed action.
  ASSERT_EQ(m.details.entries.size(), 6u);
  EXPECT_EQ(m.details.entries[1].mode, TDeviceDetailMode::dmDoneFail);
  EXPECT_EQ(m.details.entries[1].text, "некорректные значения входных параметров");
}
