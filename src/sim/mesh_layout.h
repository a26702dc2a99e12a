#pragma once
// How the simulated mesh hangs together, seen from the modem on the cable:
// the first two remote nodes are its neighbours, the others are reached
// through the first one. The route table and the mesh node table both
// follow from it, so they always agree with the nodes behind the tunnel.
#include <cstdint>
#include <vector>

namespace sim {

class Mesh;

struct MeshLink {
  uint16_t address = 0;
  uint16_t nextHop = 0;  // the neighbour through which the node is reached
  uint8_t depth = 1;     // hops from the modem on the cable
};

std::vector<MeshLink> MeshLinks(const Mesh &mesh);

}  // namespace sim
