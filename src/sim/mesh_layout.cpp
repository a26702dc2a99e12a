#include "sim/mesh_layout.h"

#include "sim/mesh.h"

namespace sim {

std::vector<MeshLink> MeshLinks(const Mesh &mesh) {
  const std::vector<uint16_t> addresses = mesh.Addresses();
  std::vector<MeshLink> links;
  for (size_t k = 0; k < addresses.size(); ++k) {
    if (k < 2) links.push_back({addresses[k], addresses[k], 1});
    else links.push_back({addresses[k], addresses[0], 2});
  }
  return links;
}

}  // namespace sim
