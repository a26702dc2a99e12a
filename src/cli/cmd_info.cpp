// info: what the modem is and how it is doing, in one go.
#include "cli/command_registry.h"
#include "cli/field_format.h"
#include "cli/session.h"

namespace cli {

namespace {

int RunInfo(Session &s, const std::vector<std::string> &args) {
  if (!args.empty()) return s.UsageError("info takes no arguments");
  auto &node = s.Node();
  modem::TVersion version;
  if (!node.ReadVersion(version)) return s.Fail();
  s.Field("version", version.VersionStr);
  std::string name;
  if (!node.ReadDeviceName(name)) return s.Fail();
  s.Field("name", name);
  modem::TDateTime clock;
  if (!node.ReadRtc(clock)) return s.Fail();
  s.Field("clock", FormatClock(clock));
  int16_t temperature = 0;
  if (!node.ReadTemperature(temperature)) return s.Fail();
  s.Field("temperature", std::to_string(temperature));
  uint8_t mains = 0;
  if (!node.ReadVoltageSensor(mains)) return s.Fail();
  s.Field("supply", mains ? "AC detected" : "no AC");
  double external = 0, internal = 0;
  if (!node.ReadVoltages(external, internal)) return s.Fail();
  s.Field("external voltage", FormatVolts(external));
  s.Field("internal voltage", FormatVolts(internal));
  return 0;
}

const CommandRegistration info{{"info", "info",
                                "version, name, clock, transceiver temperature and supply state of the node", RunInfo}};

}  // namespace
}  // namespace cli
