// `config import` text over a configuration: whatever it accepts must give
// an image that is written whole and reads back whole, with the same values.
#include <cstddef>
#include <cstdint>
#include <string>

#include "modem/config_text.h"
#include "ruvezivevo/fe_root_section.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string text(reinterpret_cast<const char *>(data), size);
  auto config = config::CreateConfig(nullptr);
  std::string error;
  modem::FirstUnnamedSetting(text);
  if (!modem::ImportConfigText(*config, text, &error)) return 0;
  const std::string exported = modem::ExportConfigText(*config);
  const auto image = config->SerializeImage();
  if (!image.Ok()) __builtin_trap();
  ruvezivevo::TFELoadReport report;
  auto reread = config::CreateConfig(ruvezivevo::LoadRootSection(image.image->Bytes(), report));
  if (!report.Whole()) __builtin_trap();
  if (modem::ExportConfigText(*reread) != exported) __builtin_trap();
  return 0;
}
