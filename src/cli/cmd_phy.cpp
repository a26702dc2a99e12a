// phy: the radio driver's state as the "PHY" page shows it.
#include "cli/command_registry.h"
#include "cli/page_text.h"
#include "cli/session.h"
#include "modem/phy_texts.h"

namespace cli {

namespace {

int RunPhy(Session &s, const std::vector<std::string> &args) {
  const std::string what = args.size() == 1 ? args[0] : "";
  auto &node = s.Node();
  if (what == "status") {
    modem::TPhyStatus buf{};
    if (!node.ReadPhyStatus(buf)) return s.Fail();
    PrintPageText(s, modem::phy_text::PhyStatusText(buf));
  } else if (what == "errors") {
    modem::TPhyErrorStats buf{};
    if (!node.ReadPhyErrorStats(buf)) return s.Fail();
    PrintPageText(s, modem::phy_text::ErrorStatsText(buf));
  } else if (what == "carrier") {
    modem::TCarrierOffsets buf{};
    if (!node.ReadCarrierOffsets(buf)) return s.Fail();
    PrintPageText(s, modem::phy_text::CarrierText(buf));
  } else if (what == "lps") {
    modem::TLastPacketStatus buf{};
    if (!node.ReadLastPacketStatus(buf)) return s.Fail();
    PrintPageText(s, modem::phy_text::LastPacketText(buf));
  } else if (what == "temperature") {
    int16_t degrees = 0;
    if (!node.ReadTemperature(degrees)) return s.Fail();
    PrintPageText(s, modem::phy_text::TemperatureText(degrees));
  } else {
    return s.UsageError("phy takes status, errors, carrier, lps or temperature");
  }
  return 0;
}

const CommandRegistration phy{{"phy", "phy status|errors|carrier|lps|temperature",
                               "the radio driver's state, error counters, carrier offsets, last received frame or "
                               "transceiver temperature, as the PHY page shows them",
                               RunPhy}};

}  // namespace
}  // namespace cli
