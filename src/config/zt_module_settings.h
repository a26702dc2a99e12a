#pragma once
// The module classes: each is a view of one section of the image and keeps
// nothing but that section.
#include <memory>

#include "config/zt_modules.h"
#include "ruvezivevo/fe_interfaces.h"

namespace config {

class TZT_ModuleSettings {
 public:
  explicit TZT_ModuleSettings(std::shared_ptr<ruvezivevo::IFESection> section) : Section(std::move(section)) {}
  const std::shared_ptr<ruvezivevo::IFESection> &GetModuleSection() const { return Section; }

 protected:
  ~TZT_ModuleSettings() = default;
  std::shared_ptr<ruvezivevo::IFESection> Section;
};

class TZT_UartSettings final : public TZT_ModuleSettings, public IZT_UartSettings {
 public:
  using TZT_ModuleSettings::TZT_ModuleSettings;
  uint8_t GetBaudRateIndex() const override;
  uint8_t GetDataFormat() const override;
  uint8_t GetLineSettings() const override;
  uint8_t GetNetAddress() const override;
  void SetBaudRateIndex(uint8_t value) override;
  void SetDataFormat(uint8_t value) override;
  void SetLineSettings(uint8_t value) override;
  void SetNetAddress(uint8_t value) override;
};

class TZT_CC1100PHYSettings final : public TZT_ModuleSettings, public IZT_CC1100PHYSettings {
 public:
  using TZT_ModuleSettings::TZT_ModuleSettings;
  uint8_t GetReserved() const override { return 0; }
  uint8_t GetPhyByte2() const override;
  uint8_t GetPhyByte3() const override;
  void SetPhyByte2(uint8_t value) override;
  void SetPhyByte3(uint8_t value) override;
};

class TZT_ZTNETSettings final : public TZT_ModuleSettings, public IZT_ZTNETSettings {
 public:
  using TZT_ModuleSettings::TZT_ModuleSettings;
  uint16_t GetNetWord() const override;
  uint8_t GetNetId() const override;
  uint8_t GetNodeId() const override;
  uint16_t GetNetParam2() const override;
  void SetNetWord(uint16_t value) override;
  void SetNetId(uint8_t value) override;
  void SetNodeId(uint8_t value) override;
  void SetNetParam2(uint16_t value) override;
};

class TZT_ZTUARTSettings final : public TZT_ModuleSettings, public IZT_ZTUARTSettings {
 public:
  using TZT_ModuleSettings::TZT_ModuleSettings;
  uint8_t GetByteTimeout() const override;
  uint16_t GetPacketTimeout() const override;
  void SetByteTimeout(uint8_t value) override;
  void SetPacketTimeout(uint16_t value) override;
};

class TZT_PTPSettings final : public TZT_ModuleSettings, public IZT_PTPSettings {
 public:
  using TZT_ModuleSettings::TZT_ModuleSettings;
  // The stored record, or the default one when it is absent or too short to
  // hold the fixed fields (fewer than 6 bytes).
  std::string GetRecord() const;
  std::string GetRoute() const override;
  bool GetEnabled() const override;
  uint16_t GetTimeout() const override;
  uint16_t GetPingPeriod() const override;
  uint8_t GetRetries() const override;
  void SetPingPeriod(uint16_t value) override;
  void SetTimeout(uint16_t value) override;
  void SetEnabled(bool value) override;
  void SetRoute(std::string_view route) override;
  void SetRetries(uint8_t value) override;

 private:
  uint16_t WordAt(size_t offset) const;
  void PutWordAt(size_t offset, uint16_t value);
  void PutByteAt(size_t offset, uint8_t value);
};

class TZT_UserSettings final : public TZT_ModuleSettings, public IZT_UserSettings {
 public:
  using TZT_ModuleSettings::TZT_ModuleSettings;
  std::string GetNodeName() const override;
  void SetNodeName(std::string_view name) override;
};

}  // namespace config
