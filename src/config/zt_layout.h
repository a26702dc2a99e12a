#pragma once
// Where each module keeps its settings in the configuration image, and the
// value a setting has when the image lacks it.
#include <cstdint>
#include <string_view>

namespace config {

// Top-level sections of the root, one per module.
inline constexpr uint8_t kUserSection = 0;
inline constexpr uint8_t kUartSection = 1;
inline constexpr uint8_t kPhySection = 2;
inline constexpr uint8_t kNetSection = 3;
inline constexpr uint8_t kChannelSection = 4;  // the virtual serial channel
inline constexpr uint8_t kPtpSection = 5;

// Parameter indexes inside their module's section.
inline constexpr uint8_t kNodeNameParam = 10;
inline constexpr uint8_t kLineByteParam = 1;
inline constexpr uint8_t kNetAddressParam = 2;
inline constexpr uint8_t kPhyByte2Param = 2;
inline constexpr uint8_t kPhyByte3Param = 3;
inline constexpr uint8_t kNetWordParam = 1;
inline constexpr uint8_t kNetParam2Param = 2;
inline constexpr uint8_t kByteTimeoutParam = 1;
inline constexpr uint8_t kPacketTimeoutParam = 2;
inline constexpr uint8_t kPtpRecordParam = 1;

inline constexpr uint8_t kDefaultLineByte = 4;  // baud-rate index 4, 8N1
inline constexpr uint8_t kDefaultNetAddress = 1;
inline constexpr uint8_t kDefaultPhyByte2 = 0;
inline constexpr uint8_t kDefaultPhyByte3 = 7;
inline constexpr uint16_t kDefaultNetWord = 0x0101;  // NET ID 1, NodeID 1
inline constexpr uint16_t kDefaultNetParam2 = 100;
inline constexpr uint8_t kDefaultByteTimeout = 10;
inline constexpr uint16_t kDefaultPacketTimeout = 300;

// Link disabled, timeout 1024, ping period 12800, 3 retries, route 1 -> 0.
inline constexpr std::string_view kDefaultPtpRecord{"\x00\x00\x04\x00\x32\x03\x00\x01\x00", 9};

}  // namespace config
