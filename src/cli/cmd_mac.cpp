// mac: the MAC layer's context, as the "MAC" page shows it.
#include "cli/command_registry.h"
#include "cli/session.h"
#include "modem/network_texts.h"
#include "util/markup_text.h"

namespace cli {

namespace {

int RunMac(Session &s, const std::vector<std::string> &args) {
  if (!args.empty()) return s.UsageError("mac takes no arguments");
  modem::TMacContext ctx{};
  if (!s.Node().ReadMacContext(ctx)) return s.Fail();
  s.Out() << util::markup::ToPlainText(modem::network_text::MacContextText(ctx)) << "\n";
  return 0;
}

const CommandRegistration mac{{"mac", "mac", "the MAC layer's context: packet, frame, receive stage, handles", RunMac}};

}  // namespace
}  // namespace cli
