#include "config/zt_config.h"

#include "config/zt_layout.h"
#include "config/zt_module_settings.h"
#include "ruvezivevo/fe_root_section.h"

namespace config {

namespace {

class TZTConfig final : public IZTConfig {
 public:
  explicit TZTConfig(std::shared_ptr<ruvezivevo::IFERootSection> root) : Root(std::move(root)) {}

  std::shared_ptr<IZT_UartSettings> GetUartSettings() override { return Module<TZT_UartSettings>(uart_, kUartSection); }
  std::shared_ptr<IZT_UserSettings> GetUserSettings() override { return Module<TZT_UserSettings>(user_, kUserSection); }
  std::shared_ptr<IZT_ZTUARTSettings> GetZTUARTSettings() override {
    return Module<TZT_ZTUARTSettings>(channel_, kChannelSection);
  }
  std::shared_ptr<IZT_ZTNETSettings> GetZTNETSettings() override { return Module<TZT_ZTNETSettings>(net_, kNetSection); }
  std::shared_ptr<IZT_CC1100PHYSettings> GetCC1100PHYSettings() override {
    return Module<TZT_CC1100PHYSettings>(phy_, kPhySection);
  }
  std::shared_ptr<IZT_PTPSettings> GetPTPSettings() override { return Module<TZT_PTPSettings>(ptp_, kPtpSection); }

  void AssignUartSettings(const std::shared_ptr<IZT_UartSettings> &source) override {
    if (!source) return;
    auto target = GetUartSettings();
    target->SetLineSettings(source->GetLineSettings());
    target->SetNetAddress(source->GetNetAddress());
  }
  void AssignUserSettings(const std::shared_ptr<IZT_UserSettings> &source) override {
    if (source) GetUserSettings()->SetNodeName(source->GetNodeName());
  }
  void AssignZTUARTSettings(const std::shared_ptr<IZT_ZTUARTSettings> &source) override {
    if (!source) return;
    auto target = GetZTUARTSettings();
    target->SetByteTimeout(source->GetByteTimeout());
    target->SetPacketTimeout(source->GetPacketTimeout());
  }
  void AssignZTNETSettings(const std::shared_ptr<IZT_ZTNETSettings> &source) override {
    if (!source) return;
    auto target = GetZTNETSettings();
    target->SetNetWord(source->GetNetWord());
    target->SetNetParam2(source->GetNetParam2());
  }
  void AssignCC1100PHYSettings(const std::shared_ptr<IZT_CC1100PHYSettings> &source) override {
    if (!source) return;
    auto target = GetCC1100PHYSettings();
    target->SetPhyByte2(source->GetPhyByte2());
    target->SetPhyByte3(source->GetPhyByte3());
  }
  void AssignPTPSettings(const std::shared_ptr<IZT_PTPSettings> &source) override {
    if (!source) return;
    auto target = GetPTPSettings();
    target->SetEnabled(source->GetEnabled());
    target->SetPingPeriod(source->GetPingPeriod());
    target->SetTimeout(source->GetTimeout());
    target->SetRoute(source->GetRoute());
  }

  void SaveToStream(ruvezivevo::TStream *stream) const override { Root->SaveToStream(stream); }
  std::string SaveToString() const override { return Root->SaveToString(); }
  ruvezivevo::TFEImageResult SerializeImage() const override { return ruvezivevo::SerializeImage(*Root); }
  std::shared_ptr<ruvezivevo::IFERootSection> GetRoot() const override { return Root; }

 private:
  template <typename Class, typename Interface>
  std::shared_ptr<Interface> Module(std::shared_ptr<Interface> &cache, uint8_t sectionIndex) {
    if (!cache) cache = std::make_shared<Class>(Root->GetSection(sectionIndex, true));
    return cache;
  }

  std::shared_ptr<ruvezivevo::IFERootSection> Root;
  std::shared_ptr<IZT_UartSettings> uart_;
  std::shared_ptr<IZT_UserSettings> user_;
  std::shared_ptr<IZT_ZTUARTSettings> channel_;
  std::shared_ptr<IZT_ZTNETSettings> net_;
  std::shared_ptr<IZT_CC1100PHYSettings> phy_;
  std::shared_ptr<IZT_PTPSettings> ptp_;
};

}  // namespace

std::shared_ptr<IZTConfig> CreateConfig(std::shared_ptr<ruvezivevo::IFERootSection> root) {
  if (!root) root = ruvezivevo::CreateRootSection();
  return std::make_shared<TZTConfig>(std::move(root));
}

}  // namespace config
