// tick, cycle-time, eeprom-test, device-name and hw-state: the "Info" page's
// readings, in its words.
#include "cli/command_registry.h"
#include "cli/page_text.h"
#include "cli/session.h"
#include "modem/run_counters.h"
#include "modem/counter_texts.h"

namespace cli {

namespace {

int RunTick(Session &s, const std::vector<std::string> &args) {
  if (!args.empty()) return s.UsageError("tick takes no arguments");
  std::string text;
  if (!s.Node().ReadTickCounter(text)) return s.Fail();
  PrintPageText(s, modem::counter_text::TickText(text));
  return 0;
}

int RunCycleTime(Session &s, const std::vector<std::string> &args) {
  if (!args.empty()) return s.UsageError("cycle-time takes no arguments");
  std::string tick, cycle;
  if (!s.Node().ReadTickCounter(tick) || !s.Node().ReadCycleTime(cycle)) return s.Fail();
  PrintPageText(s, modem::counter_text::CycleText(cycle, modem::TickCountFromHex(tick)));
  return modem::DecodeCycleTime(cycle) ? 0 : 1;
}

int RunEepromTest(Session &s, const std::vector<std::string> &args) {
  if (!args.empty()) return s.UsageError("eeprom-test takes no arguments");
  uint16_t readTime = 0;
  if (!s.Node().ReadEepromTestTime(readTime)) return s.Fail();
  PrintPageText(s, modem::counter_text::EepromText(readTime));
  return 0;
}

int RunDeviceName(Session &s, const std::vector<std::string> &args) {
  if (!args.empty()) return s.UsageError("device-name takes no arguments");
  std::string name;
  if (!s.Node().ReadDeviceName(name)) return s.Fail();
  s.Out() << name << "\n";
  return 0;
}

int RunHwState(Session &s, const std::vector<std::string> &args) {
  if (!args.empty()) return s.UsageError("hw-state takes no arguments");
  uint8_t mains = 0;
  double external = 0, internal = 0;
  if (!s.Node().ReadVoltageSensor(mains) || !s.Node().ReadVoltages(external, internal)) return s.Fail();
  PrintPageText(s, modem::counter_text::SupplyText(mains != 0, external, internal));
  return 0;
}

const CommandRegistration tick{
    {"tick", "tick", "the tick counter and the work time since the node started", RunTick}};
const CommandRegistration cycleTime{
    {"cycle-time", "cycle-time", "the main cycle's timing and rate (exit 1 when the answer is no timing)",
     RunCycleTime}};
const CommandRegistration eepromTest{{"eeprom-test", "eeprom-test", "the EEPROM test's read time", RunEepromTest}};
const CommandRegistration deviceName{{"device-name", "device-name", "the node's device name", RunDeviceName}};
const CommandRegistration hwState{
    {"hw-state", "hw-state", "supply state: mains present, external and internal voltage", RunHwState}};

}  // namespace
}  // namespace cli
