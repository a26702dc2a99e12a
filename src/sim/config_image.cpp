#include "sim/config_image.h"

#include <algorithm>

#include "sim/record_bytes.h"
#include "util/codepage.h"

namespace sim {

ImageSection &ImageSection::Byte(uint8_t index, uint8_t v) {
  params.push_back({index, 1, std::string(1, static_cast<char>(v))});
  return *this;
}

ImageSection &ImageSection::Word(uint8_t index, uint16_t v) {
  params.push_back({index, 2, util::LeBytes(v, 2)});
  return *this;
}

ImageSection &ImageSection::String(uint8_t index, std::string bytes) {
  params.push_back({index, 9, std::move(bytes)});
  return *this;
}

ImageSection &ImageSection::Section(uint8_t index, ImageSection section) {
  section.index = index;
  sections.push_back(std::move(section));
  return *this;
}

namespace {

void SetU16(std::string &image, size_t at, uint16_t v) {
  image.replace(at, 2, util::LeBytes(v, 2));
}

// Appends the record of `section` and its descendants; returns its offset.
// Items go in ascending index, as the firmware lists them.
size_t WriteSection(std::string &image, const ImageSection &section, uint16_t parentRef) {
  struct Entry {
    uint8_t index;
    const ImageSection::Param *param;
    const ImageSection *sub;
  };
  std::vector<Entry> entries;
  for (const auto &p : section.params) entries.push_back({p.index, &p, nullptr});
  for (const auto &sub : section.sections) entries.push_back({sub.index, nullptr, &sub});
  std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) { return a.index < b.index; });

  const size_t start = image.size();
  image.append(4, '\0');  // body length, parent reference
  SetU16(image, start + 2, parentRef);
  PutU8(image, static_cast<uint8_t>(entries.size()));
  const size_t descriptors = image.size();
  image.append(4 * entries.size(), '\0');
  for (size_t k = 0; k < entries.size(); ++k) {
    const size_t d = descriptors + 4 * k;
    image[d] = static_cast<char>(entries[k].index);
    const auto *p = entries[k].param;
    if (p == nullptr) continue;  // a subsection: its offset is filled in below
    image[d + 1] = static_cast<char>(p->code);
    if (p->code == 1) {
      image[d + 2] = p->value[0];
    } else if (p->code == 2) {
      image[d + 2] = p->value[0];
      image[d + 3] = p->value[1];
    } else {
      SetU16(image, d + 2, static_cast<uint16_t>(image.size()));
      PutU8(image, static_cast<uint8_t>(p->value.size()));
      image += p->value;
    }
  }
  const size_t checksumAt = image.size();
  image.push_back('\0');
  SetU16(image, start, static_cast<uint16_t>(image.size() - start - 2));
  for (size_t k = 0; k < entries.size(); ++k) {
    if (entries[k].sub == nullptr) continue;
    const size_t offset = WriteSection(image, *entries[k].sub, static_cast<uint16_t>(start));
    SetU16(image, descriptors + 4 * k + 2, static_cast<uint16_t>(offset));
  }
  // The checksum covers the subsection offsets, so it is computed last.
  uint8_t x = 0;
  for (size_t i = start + 2; i < checksumAt; ++i) x ^= static_cast<uint8_t>(image[i]);
  image[checksumAt] = static_cast<char>(x);
  return start;
}

}  // namespace

std::string BuildImage(const ImageSection &root) {
  std::string image;
  WriteSection(image, root, 0);
  return image;
}

std::string BuildNodeConfigImage(const NodeConfigValues &v) {
  ImageSection root;
  root.Section(0, ImageSection().String(10, util::Utf8ToCp1251(v.nodeName)))
      .Section(1, ImageSection().Byte(1, v.lineByte).Byte(2, v.uartAddress))
      .Section(2, ImageSection().Byte(2, v.phyByte2).Byte(3, v.phyByte3))
      .Section(3, ImageSection().Word(1, static_cast<uint16_t>(v.netId | (v.nodeId << 8))).Word(2, v.netParam2))
      .Section(4, ImageSection().Byte(1, v.byteTimeout).Word(2, v.packetTimeout))
      .Section(5, ImageSection().String(1, v.ptpRecord));
  return BuildImage(root);
}

}  // namespace sim
