#pragma once
// A modem's configuration image, built byte by byte the way modems keep it:
// section records with item descriptors, a data area and an XOR checksum,
// subsections after their parent, depth first. The simulator writes its
// images itself so that the configurator's reader is checked against bytes
// it did not make.
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct ImageSection {
  struct Param {
    uint8_t index = 0;
    uint8_t code = 0;  // 1 byte, 2 word, 9 byte string
    std::string value;
  };
  uint8_t index = 0;  // its index in the parent section
  std::vector<Param> params;
  std::vector<ImageSection> sections;

  ImageSection &Byte(uint8_t index, uint8_t v);
  ImageSection &Word(uint8_t index, uint16_t v);
  ImageSection &String(uint8_t index, std::string bytes);  // fewer than 256 bytes
  ImageSection &Section(uint8_t index, ImageSection section);
};

std::string BuildImage(const ImageSection &root);

// What the configuration of one simulated node holds.
struct NodeConfigValues {
  std::string nodeName;  // UTF-8; stored in CP1251
  uint8_t lineByte = 0x04;
  uint8_t uartAddress = 1;
  uint8_t phyByte2 = 0;
  uint8_t phyByte3 = 7;
  uint8_t netId = 1;
  uint8_t nodeId = 1;
  uint16_t netParam2 = 100;
  uint8_t byteTimeout = 10;
  uint16_t packetTimeout = 300;
  std::string ptpRecord;  // flags, timeout, ping period, retries, route
};

// The six modules: user, UART, radio, network, virtual channel, PTP link.
std::string BuildNodeConfigImage(const NodeConfigValues &values);

}  // namespace sim
