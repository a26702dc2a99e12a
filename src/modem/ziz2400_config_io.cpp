// The configuration image: its size, its bytes, and the image as a section
// tree and as configuration modules.
#include "modem/ziz2400.h"
#include "ruvezivevo/fe_root_section.h"
#include "util/little_endian.h"

namespace modem {

bool ZIZ2400::ReadConfigSize(uint16_t &size) {
  size = 0;
  std::string data;
  if (!RunMemoryRequest(memmode::kRead, memtype::kConfigSize, data, 0, 2, 2)) return false;
  size = util::LeU16(data);
  return true;
}

bool ZIZ2400::ReadConfigBytes(uint16_t address, uint16_t count, std::string &data) {
  return MemoryTransfer(memmode::kRead, memtype::kConfig, data, address, count, 1, BlockSize);
}

bool ZIZ2400::ReadConfigImage(std::string &data) {
  data.clear();
  return RunCompositeOperation(0, "Чтение конфигурации", 24, 1, [&] {
    return ReadSizedRegion(
        [&](uint32_t &size) {
          uint16_t s = 0;
          bool ok = ReadConfigSize(s);
          size = s;
          return ok;
        },
        [&](uint32_t size) { return ReadConfigBytes(0, static_cast<uint16_t>(size), data); });
  });
}

bool ZIZ2400::ReadConfigRoot(std::shared_ptr<ruvezivevo::IFERootSection> &root,
                             ruvezivevo::TFELoadReport &report) {
  root.reset();
  report = {};
  std::string image;
  if (!ReadConfigImage(image)) return false;
  root = ruvezivevo::LoadRootSection(std::string_view(image), report);
  return true;
}

bool ZIZ2400::ReadConfigRoot(std::shared_ptr<ruvezivevo::IFERootSection> &root) {
  ruvezivevo::TFELoadReport report;
  if (!ReadConfigRoot(root, report)) return false;
  if (report.Whole()) return true;
  root.reset();
  return RefuseOperation("Проверка образа конфигурации", DamagedImageResult(report));
}

bool ZIZ2400::ReadConfig(std::shared_ptr<config::IZTConfig> &config, ruvezivevo::TFELoadReport &report) {
  config.reset();
  std::shared_ptr<ruvezivevo::IFERootSection> root;
  if (!ReadConfigRoot(root, report)) return false;
  config = config::CreateConfig(std::move(root));
  return true;
}

bool ZIZ2400::ReadConfig(std::shared_ptr<config::IZTConfig> &config) {
  config.reset();
  std::shared_ptr<ruvezivevo::IFERootSection> root;
  if (!ReadConfigRoot(root)) return false;
  config = config::CreateConfig(std::move(root));
  return true;
}

device::TResultCode DamagedImageResult(const ruvezivevo::TFELoadReport &report) {
  return {device::rcRecordChecksum.Code,
          "образ конфигурации повреждён (" + report.Describe() + "); запишите конфигурацию заново"};
}

bool ZIZ2400::WriteConfigSize(uint16_t size) {
  std::string data = util::LeBytes(size, 2);
  return RunMemoryRequest(memmode::kWrite, memtype::kConfigSize, data, 0, 0, std::nullopt);
}

bool ZIZ2400::WriteConfigBytes(uint16_t address, uint16_t count, const std::string &data) {
  if (count == 0) return true;
  std::string bytes = data;
  return MemoryTransfer(memmode::kWrite, memtype::kConfig, bytes, address, count, 1, kWriteBlockBytes);
}

bool ZIZ2400::WriteConfigImage(const std::string &data, uint16_t length) {
  return RunCompositeOperation(0, "Запись конфигурации", length, 1, [&] {
    // Announcing a size of 0 would leave the modem without a configuration.
    if (length == 0 || data.size() < length) {
      SetResult(device::rcBadParams);
      return false;
    }
    if (endAfterBlock_) {
      SetResult(device::rcAborted);
      return false;
    }
    // From the size on, the modem's image is changed until the last block.
    configWriteIncomplete_ = true;
    const bool written = WriteConfigSize(length) && WriteConfigBytes(0, length, data);
    if (written) configWriteIncomplete_ = false;
    return written;
  });
}

bool ZIZ2400::WriteConfig(const std::shared_ptr<config::IZTConfig> &config) {
  if (!config) return RefuseOperation("Запись конфигурации", device::rcBadParams);
  const ruvezivevo::TFEImageResult image = config->SerializeImage();
  if (!image.Ok()) {
    return RefuseOperation("Запись конфигурации",
                           {device::rcBadParams.Code, device::rcBadParams.Msg + ": " + image.Describe()});
  }
  const std::string &bytes = image.image->Bytes();
  if (bytes.size() > 0xFFFF) return RefuseOperation("Запись конфигурации", device::rcBadParams);
  return WriteConfigImage(bytes, static_cast<uint16_t>(bytes.size()));
}

}  // namespace modem
