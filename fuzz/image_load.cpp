// Arbitrary bytes as a configuration image: the loader must never crash or
// run away, and a complete image it saves must load and save unchanged.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "config/zt_config.h"
#include "ruvezivevo/fe_root_section.h"
#include "ruvezivevo/image_save.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  using namespace ruvezivevo;
  auto root = LoadRootSection(std::string_view(reinterpret_cast<const char *>(data), size));
  const std::string image = root->SaveToString();
  const auto checked = SerializeImage(*root);
  if (checked.Ok() && checked.image->Bytes() != image) std::abort();

  auto again = LoadRootSection(image);
  const std::string imageAgain = again->SaveToString();
  // Only a complete image promises a faithful reload; a partial one drops
  // everything after the first subsection it left out.
  if (checked.Ok() && imageAgain != image) std::abort();

  // The modules read whatever the image holds without failing.
  auto cfg = config::CreateConfig(again);
  volatile unsigned sink = 0;
  sink = sink + cfg->GetUartSettings()->GetLineSettings() + cfg->GetZTNETSettings()->GetNetWord() +
         cfg->GetPTPSettings()->GetTimeout() + cfg->GetPTPSettings()->GetRoute().size() +
         cfg->GetUserSettings()->GetNodeName().size() + cfg->GetZTUARTSettings()->GetPacketTimeout() +
         cfg->GetCC1100PHYSettings()->GetPhyByte3();
  cfg->GetPTPSettings()->SetRetries(1);
  return 0;
}
