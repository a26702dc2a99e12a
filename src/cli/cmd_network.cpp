// route-table, node-table and orva: the node's view of the mesh.
#include <algorithm>

#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "cli/session.h"
#include "util/format.h"

namespace cli {

namespace {

int RunRouteTable(Session &s, const std::vector<std::string> &args) {
  if (!args.empty()) return s.UsageError("route-table takes no arguments");
  modem::ZIZ2400RoutePairs pairs;
  if (!s.Node().ReadRouteTable(pairs)) return s.Fail();
  for (const auto &p : pairs) s.Field(std::to_string(p.Destination), "via " + std::to_string(p.NextHop));
  return 0;
}

int RunNodeTable(Session &s, const std::vector<std::string> &args) {
  // Without a count: the first 16 items, as the node-table page reads, but
  // never past the table's end (a modem refuses a read beyond it).
  long count = 16;
  const bool all = args.size() == 1 && args[0] == "--all";
  const bool counted = args.size() == 2 && args[0] == "--count";
  if (counted) {
    if (!ParseNumber(args[1], 1, 2048, &count)) return s.UsageError("node-table: --count takes 1 to 2048");
  } else if (!all && !args.empty()) {
    return s.UsageError("node-table takes --all or --count N");
  }
  auto &node = s.Node();
  if (!counted) {
    uint16_t n = 0;
    if (!node.ReadNodeTableCount(n)) return s.Fail();
    if (n == 0) return s.Fail(device::rcNoData);
    count = all ? n : std::min<long>(count, n);
  }
  modem::TZT_NodeTableItems items;
  if (!node.ReadNodeTableItems(0, static_cast<uint16_t>(count), items)) return s.Fail();
  for (size_t i = 0; i < items.size(); ++i) {
    const auto &item = items[i];
    std::string parent = item.ParentIndex() < items.size() ? std::to_string(item.ParentIndex()) : "-";
    s.Field(std::to_string(i), std::string(item.InUse() ? "in use" : "free") + ", parent " + parent);
  }
  return 0;
}

// The bit names set in `flags`, blank-separated; "-" for none.
std::string FlagWords(uint8_t flags, modem::BitNames names) {
  std::string out;
  for (unsigned bit = 0; bit < 8; ++bit) {
    if (!(flags & (1u << bit))) continue;
    if (!out.empty()) out += " ";
    const char *name = modem::BitName(bit, names);
    out += name ? name : "b" + std::to_string(bit);
  }
  return out.empty() ? "-" : out;
}

std::string Named(uint8_t value, modem::ValueNames names) {
  const char *name = modem::NameOf(value, names);
  return name ? name : "unknown (" + std::to_string(value) + ")";
}

int OrvaState(Session &s) {
  modem::TORVA_CommonContext ctx;
  if (!s.Node().ReadOrvaCommonContext(ctx)) return s.Fail();
  const auto f = modem::DecodeOrvaCommon(ctx);
  s.Field("status", Named(f.Status, modem::kOrvaStatusNames));
  s.Field("filter mode", FlagWords(f.FilterMode, modem::kOrvaFilterModeBits));
  s.Field("device mode", Named(f.DeviceMode, modem::kOrvaDeviceModeNames));
  s.Field("PAN id", std::to_string(f.PanID));
  s.Field("next child check", std::to_string(f.NextChildCheckTime));
  s.Field("RQ frame", util::Format("0x%4.4x", f.RQ_Frame));
  s.Field("who-there task", Named(f.WhoThereTaskState, modem::kOrvaWhoThereTaskNames));
  s.Field("WTT time-out", std::to_string(f.WTT_TO));
  s.Field("node count", std::to_string(f.NodeCount));
  return 0;
}

int OrvaRouter(Session &s) {
  modem::TORVA_RouterContext ctx;
  if (!s.Node().ReadOrvaRouterContext(ctx)) return s.Fail();
  const auto f = modem::DecodeOrvaRouter(ctx);
  s.Field("net id", std::to_string(f.NetID));
  s.Field("frequency offset", util::Format("%d (%2.2f kHz)", f.WorkFreqOffs, f.WorkFreqOffs * 0.4));
  s.Field("change frequency time-out", std::to_string(f.ChangeFreqTO));
  s.Field("registration", FlagWords(f.RouterRegState, modem::kOrvaRouterRegStateBits));
  s.Field("registration task", Named(f.RegTaskState, modem::kOrvaRegTaskNames));
  s.Field("next registration", std::to_string(f.NextRegTime));
  s.Field("registration tries", std::to_string(f.RegTryNum));
  s.Field("NWK handle", util::Format("0x%4.4x", f.NWKHandle));
  s.Field("next ping", std::to_string(f.NextPingRQ));
  s.Field("ping state", Named(f.PingState, modem::kOrvaPingStateNames));
  s.Field("packets sent", std::to_string(f.PacketsSent));
  s.Field("packets acknowledged", std::to_string(f.PacketsACKed));
  s.Field("net coefficient", std::to_string(f.NetKoeff));
  s.Field("depth", std::to_string(f.Depth));
  s.Field("preferred parents", util::Format("%d, %d, %d, %d", f.PrefParents[0], f.PrefParents[1], f.PrefParents[2],
                                            f.PrefParents[3]));
  return 0;
}

int OrvaNodes(Session &s) {
  modem::TORVA_Nodes nodes;
  uint8_t second = 0;
  if (!s.Node().ReadOrvaNodeTable(true, nodes, second)) return s.Fail();
  for (const auto &entry : nodes) {
    const auto f = modem::DecodeOrvaNode(entry);
    s.Field(std::to_string(f.Addr),
            util::Format("%s, RSSI %d, LQI %d, depth %d, children %d, koeff %d, last ping %d, flags %s",
                         f.Active ? "active" : "inactive", f.RSSI, f.LQI, f.Depth, f.ChildCnt, f.NetKoeffW,
                         f.LastPing, FlagWords(f.PingFlags, modem::kOrvaPingFlagBits)));
  }
  // Entries after a failure in the middle are missing: say so.
  if (s.Node().ResultCode().Code != 0) return s.Fail();
  return 0;
}

int OrvaRemove(Session &s, const std::string &text) {
  long address = 0;
  if (!ParseNumber(text, 0, 0xFFFF, &address)) return s.UsageError("orva remove-child takes an address 0 to 65535");
  s.Node().RemoveOrvaChild(static_cast<uint16_t>(address));
  if (s.Node().ResultCode().Code != 0) return s.Fail();
  s.Field("removed", std::to_string(address));
  return 0;
}

int RunOrva(Session &s, const std::vector<std::string> &args) {
  if (args.size() == 1 && args[0] == "state") return OrvaState(s);
  if (args.size() == 1 && args[0] == "router") return OrvaRouter(s);
  if (args.size() == 1 && args[0] == "nodes") return OrvaNodes(s);
  if (args.size() == 2 && args[0] == "remove-child") return OrvaRemove(s, args[1]);
  return s.UsageError("orva takes state, router, nodes or remove-child ADDRESS");
}

const CommandRegistration routeTable{
    {"route-table", "route-table", "read the route table: each destination and its next hop", RunRouteTable}};
const CommandRegistration nodeTable{{"node-table", "node-table [--all | --count N]",
                                     "read the node table (its first 16 items unless told otherwise)", RunNodeTable}};
const CommandRegistration orva{{"orva", "orva state|router|nodes|remove-child ADDRESS",
                                "the mesh layer: its state, router state, node table; drop a child node", RunOrva}};

}  // namespace
}  // namespace cli
