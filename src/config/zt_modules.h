#pragma once
// The six configuration modules. Each reads its settings from its section
// anew on every call and writes them back at once; a setting the image lacks
// reads as its default (zt_layout.h). No operation fails.
#include <cstdint>
#include <string>
#include <string_view>

namespace config {

class IZT_UartSettings {
 public:
  virtual ~IZT_UartSettings() = default;
  virtual uint8_t GetBaudRateIndex() const = 0;  // bits 0..3 of the line byte
  virtual uint8_t GetDataFormat() const = 0;     // bits 4..5: 0 = 8N1, 1 = 8E1, 2 = 8O1
  virtual uint8_t GetLineSettings() const = 0;   // the whole line byte
  virtual uint8_t GetNetAddress() const = 0;
  virtual void SetBaudRateIndex(uint8_t value) = 0;
  virtual void SetDataFormat(uint8_t value) = 0;
  virtual void SetLineSettings(uint8_t value) = 0;
  virtual void SetNetAddress(uint8_t value) = 0;
};

// Radio bytes 2 and 3 belong to the modem; they are carried, not interpreted.
class IZT_CC1100PHYSettings {
 public:
  virtual ~IZT_CC1100PHYSettings() = default;
  virtual uint8_t GetReserved() const = 0;  // always 0
  virtual uint8_t GetPhyByte2() const = 0;
  virtual uint8_t GetPhyByte3() const = 0;
  virtual void SetPhyByte2(uint8_t value) = 0;
  virtual void SetPhyByte3(uint8_t value) = 0;
};

class IZT_ZTNETSettings {
 public:
  virtual ~IZT_ZTNETSettings() = default;
  virtual uint16_t GetNetWord() const = 0;  // low byte NET ID, high byte NodeID
  virtual uint8_t GetNetId() const = 0;
  virtual uint8_t GetNodeId() const = 0;
  virtual uint16_t GetNetParam2() const = 0;
  virtual void SetNetWord(uint16_t value) = 0;
  virtual void SetNetId(uint8_t value) = 0;
  virtual void SetNodeId(uint8_t value) = 0;
  virtual void SetNetParam2(uint16_t value) = 0;
};

// Timing of the virtual serial channel.
class IZT_ZTUARTSettings {
 public:
  virtual ~IZT_ZTUARTSettings() = default;
  virtual uint8_t GetByteTimeout() const = 0;     // inter-byte interval
  virtual uint16_t GetPacketTimeout() const = 0;  // sequence recovery time
  virtual void SetByteTimeout(uint8_t value) = 0;
  virtual void SetPacketTimeout(uint16_t value) = 0;
};

// The point-to-point link, kept as one record: flags, timeout, ping period,
// retries, then the route as its count byte (nodes minus 2) and the nodes.
class IZT_PTPSettings {
 public:
  virtual ~IZT_PTPSettings() = default;
  // The count byte and the nodes; empty when the record's length disagrees with its count.
  virtual std::string GetRoute() const = 0;
  virtual bool GetEnabled() const = 0;
  virtual uint16_t GetTimeout() const = 0;
  virtual uint16_t GetPingPeriod() const = 0;
  virtual uint8_t GetRetries() const = 0;
  virtual void SetPingPeriod(uint16_t value) = 0;
  virtual void SetTimeout(uint16_t value) = 0;
  virtual void SetEnabled(bool value) = 0;
  // route must be the count byte followed by the nodes.
  virtual void SetRoute(std::string_view route) = 0;
  virtual void SetRetries(uint8_t value) = 0;
};

// The node name is UTF-8 here and CP1251 in the image, as modems keep it.
class IZT_UserSettings {
 public:
  virtual ~IZT_UserSettings() = default;
  virtual std::string GetNodeName() const = 0;
  // An empty name empties the stored parameter (it stays, with type code 255).
  virtual void SetNodeName(std::string_view name) = 0;
};

}  // namespace config
