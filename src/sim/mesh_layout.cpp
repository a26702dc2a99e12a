#include "sim/mesh_layout.h"

#include <algorithm>

#include "sim/record_bytes.h"
#include "sim/mesh.h"
#include "sim/memory_state.h"

namespace sim {

std::vector<MeshLink> MeshLinks(const Mesh &mesh) {
  const std::vector<uint16_t> addresses = mesh.Addresses();
  std::vector<MeshLink> links;
  for (size_t k = 0; k < addresses.size(); ++k) {
    MeshLink link{addresses[k], k < 2 ? addresses[k] : addresses[0], static_cast<uint8_t>(k < 2 ? 1 : 2)};
    link.rssi = static_cast<uint8_t>(0x58 - 6 * k);
    link.lqi = static_cast<uint8_t>(0x30 - k);
    links.push_back(link);
  }
  return links;
}

std::string DirectNodeTable(const Mesh &mesh, const std::string &ownTable) {
  return MeshNodeTable(MeshLinks(mesh), std::max<size_t>(ownTable.size() / MemoryState::kNodeTableItemBytes, 16));
}

std::string MeshNodeTable(const std::vector<MeshLink> &links, size_t minItems) {
  // Item bytes: in use, depth, parent index, address, RSSI, LQI, flags.
  static constexpr uint16_t kNoParent = 0xFFFF;
  size_t items = minItems;
  for (const MeshLink &l : links) items = std::max<size_t>(items, l.address + 1u);
  std::string out(items * MemoryState::kNodeTableItemBytes, '\0');
  auto put = [&](size_t index, uint8_t depth, uint16_t parent, uint8_t rssi, uint8_t lqi) {
    std::string item;
    PutU8(item, 1);
    PutU8(item, depth);
    util::AppendLe16(item, parent);
    util::AppendLe16(item, static_cast<uint16_t>(index));
    PutU8(item, rssi);
    PutU8(item, lqi);
    PutU8(item, depth <= 1 ? 0x01 : 0x00);
    out.replace(index * MemoryState::kNodeTableItemBytes, item.size(), item);
  };
  put(0, 0, kNoParent, 0, 0);
  for (const MeshLink &l : links) {
    const uint16_t parent = l.nextHop == l.address ? 0 : l.nextHop;
    put(l.address, l.depth, parent, l.rssi, l.lqi);
  }
  // Free items carry no parent.
  for (size_t i = 0; i < items; ++i)
    if (out[i * MemoryState::kNodeTableItemBytes] == 0) {
      out[i * MemoryState::kNodeTableItemBytes + 2] = '\xFF';
      out[i * MemoryState::kNodeTableItemBytes + 3] = '\xFF';
    }
  return out;
}

}  // namespace sim
