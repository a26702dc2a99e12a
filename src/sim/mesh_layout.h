#pragma once
// How the simulated mesh hangs together, seen from the modem on the cable:
// the first two remote nodes are its neighbours, the others are reached
// through the first one. The route table, the mesh node table and the
// configured node table all follow from it, so they always agree with the
// nodes behind the tunnel.
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

class Mesh;

struct MeshLink {
  uint16_t address = 0;
  uint16_t nextHop = 0;  // the neighbour through which the node is reached
  uint8_t depth = 1;     // hops from the modem on the cable
  uint8_t rssi = 0;      // raw signal strength of the node as last heard
  uint8_t lqi = 0;
};

std::vector<MeshLink> MeshLinks(const Mesh &mesh);

// The node table of the modem on the cable: item N describes the node at
// address N, item 0 the modem itself (the root); items of no node are free.
// Never shorter than `minItems`.
std::string MeshNodeTable(const std::vector<MeshLink> &links, size_t minItems);

// The node table the modem on the cable answers with: its mesh's table, at
// least as long as its own stored one and the 16 items the node-table page
// reads unless told otherwise.
std::string DirectNodeTable(const Mesh &mesh, const std::string &ownTable);

}  // namespace sim
