#include "sim/orva_commands.h"

#include "sim/record_bytes.h"
#include "sim/mesh_layout.h"
#include "sim/node_state.h"

namespace sim {

namespace {

struct OrvaEntry {
  bool active = true;
  uint16_t address = 0;
  uint8_t rssi = 0;
  uint8_t lqi = 0;
  uint8_t depth = 1;
  uint8_t children = 0;
  uint16_t netKoeff = 0;
  uint16_t lastPing = 0;
  uint8_t pingFlags = 0;
};

// The modem on the cable sees the nodes of its mesh; a remote node sees
// only the node above it.
std::vector<OrvaEntry> Entries(const CommandContext &context) {
  const OrvaState &orva = context.node.orva;
  std::vector<OrvaEntry> out;
  if (context.mesh == nullptr) {
    out.push_back({true, orva.parent, 0x60, 0x2C, static_cast<uint8_t>(orva.depth - 1), 1, 900, 40, 0x05});
    return out;
  }
  const std::vector<MeshLink> links = MeshLinks(*context.mesh);
  for (size_t k = 0; k < links.size(); ++k) {
    OrvaEntry e;
    e.address = links[k].address;
    e.active = orva.removedChildren.count(e.address) == 0;
    e.rssi = links[k].rssi;
    e.lqi = links[k].lqi;
    e.depth = links[k].depth;
    for (const MeshLink &other : links)
      if (other.nextHop == e.address && other.address != e.address) ++e.children;
    e.netKoeff = static_cast<uint16_t>(1000 / e.depth);
    e.lastPing = static_cast<uint16_t>(100 + 25 * k);
    e.pingFlags = e.depth == 1 ? 0x01 : 0x04;
    out.push_back(e);
  }
  return out;
}

size_t ActiveCount(const std::vector<OrvaEntry> &entries) {
  size_t n = 0;
  for (const auto &e : entries) n += e.active ? 1 : 0;
  return n;
}

CommandResult ReadCommonContext(CommandContext &context, std::string_view) {
  const OrvaState &orva = context.node.orva;
  std::string out;
  PutU8(out, orva.status);
  PutU8(out, orva.filterMode);
  PutU8(out, context.node.mode);
  PutU8(out, orva.panId);
  util::AppendLe16(out, 500);  // next child check
  util::AppendLe16(out, orva.rqFrame);
  PutU8(out, 0);     // who-there task idle
  PutU8(out, 10);
  PutU8(out, static_cast<uint8_t>(ActiveCount(Entries(context))));
  return Answered(out);
}

CommandResult ReadRouterContext(CommandContext &context, std::string_view) {
  const OrvaState &orva = context.node.orva;
  std::string out;
  util::AppendLe16(out, orva.panId);
  util::AppendLe16(out, static_cast<uint16_t>(orva.workFreqOffs));
  PutU8(out, 30);    // change-frequency time-out
  PutU8(out, 0x01);  // registered with the coordinator
  PutU8(out, 0);     // registration idle
  PutU8(out, 20);
  PutU8(out, 0);
  util::AppendLe16(out, 0x0042);
  util::AppendLe16(out, 150);
  PutU8(out, 0);     // ping idle
  PutU8(out, context.node.macPacketId);
  PutU8(out, context.node.macPacketId);
  PutU8(out, 200);
  PutU8(out, orva.depth);
  for (int k = 0; k < 4; ++k) util::AppendLe16(out, k == 0 ? orva.parent : 0);
  return Answered(out);
}

CommandResult ReadNode(CommandContext &context, std::string_view params) {
  const std::vector<OrvaEntry> entries = Entries(context);
  const size_t index = ByteAt(params, 0);
  if (index >= entries.size()) return Failed(status::kBadParams);
  const OrvaEntry &e = entries[index];
  std::string out;
  PutU8(out, static_cast<uint8_t>(entries.size()));
  PutU8(out, static_cast<uint8_t>(ActiveCount(entries)));
  PutU8(out, e.active ? 1 : 0);
  util::AppendLe16(out, e.address);
  PutU8(out, e.rssi);
  PutU8(out, e.lqi);
  PutU8(out, e.depth);
  PutU8(out, e.children);
  util::AppendLe16(out, e.netKoeff);
  util::AppendLe16(out, e.lastPing);
  PutU8(out, e.pingFlags);
  return Answered(out);
}

CommandResult RemoveChild(CommandContext &context, std::string_view params) {
  const uint16_t address = util::LeU16(params, 0);
  for (const OrvaEntry &e : Entries(context)) {
    if (e.address == address && e.active && e.depth == context.node.orva.depth + 1) {
      context.node.orva.removedChildren.insert(address);
      return Answered();
    }
  }
  return Failed(status::kNoSuchNode);
}

}  // namespace

void AddOrvaCommands(CommandTable &table) {
  table.Add("\x1E\x01", ReadCommonContext);
  table.Add("\x1E\x02", ReadRouterContext);
  table.Add("\x1E\x0A", ReadNode, 1);
  table.Add("\x1E\xBB", RemoveChild, 2);
}

}  // namespace sim
