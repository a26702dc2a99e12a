// The configuration as modules: defaults, the sections the modules add,
// packed settings, and copying settings between configurations.
#include <gtest/gtest.h>

#include "config/zt_config.h"
#include "config/zt_layout.h"
#include "ruvezivevo/tree_helpers.h"
#include "ruvezivevo/fe_root_section.h"
#include "util/hex.h"

using namespace config;
using ruvezivevo::testing::Bytes;
using ruvezivevo::CreateRootSection;
using ruvezivevo::LoadRootSection;

namespace {

std::shared_ptr<IZTConfig> NewConfig() { return CreateConfig(CreateRootSection()); }

TEST(ZTConfig, EmptyImageReportsEveryDefault) {
  auto config = CreateConfig(LoadRootSection(std::string(16, '\xFF')));  // a blank region
  auto uart = config->GetUartSettings();
  EXPECT_EQ(uart->GetBaudRateIndex(), 4);
  EXPECT_EQ(uart->GetDataFormat(), 0);
  EXPECT_EQ(uart->GetLineSettings(), 4);
  EXPECT_EQ(uart->GetNetAddress(), 1);
  auto net = config->GetZTNETSettings();
  EXPECT_EQ(net->GetNetId(), 1);
  EXPECT_EQ(net->GetNodeId(), 1);
  EXPECT_EQ(net->GetNetWord(), 0x0101);
  EXPECT_EQ(net->GetNetParam2(), 100);
  auto channel = config->GetZTUARTSettings();
  EXPECT_EQ(channel->GetByteTimeout(), 10);
  EXPECT_EQ(channel->GetPacketTimeout(), 300);
  auto phy = config->GetCC1100PHYSettings();
  EXPECT_EQ(phy->GetReserved(), 0);
  EXPECT_EQ(phy->GetPhyByte2(), 0);
  EXPECT_EQ(phy->GetPhyByte3(), 7);
  EXPECT_EQ(config->GetUserSettings()->GetNodeName(), "");
  auto ptp = config->GetPTPSettings();
  EXPECT_FALSE(ptp->GetEnabled());
  EXPECT_EQ(ptp->GetTimeout(), 1024);
  EXPECT_EQ(ptp->GetPingPeriod(), 12800);
  EXPECT_EQ(ptp->GetRetries(), 3);
  EXPECT_EQ(ptp->GetRoute(), Bytes("00 01 00"));
}

TEST(ZTConfig, AskingForAModuleAddsItsEmptySection) {
  auto config = NewConfig();
  auto uart = config->GetUartSettings();
  EXPECT_EQ(config->GetUartSettings(), uart) << "modules are made once";
  EXPECT_EQ(util::BytesToHex(config->SaveToString()), "080000000101000A000A0400000000" "00");
}

TEST(ZTConfig, AllModulesAddSixSectionsInIndexOrder) {
  auto config = NewConfig();
  config->GetPTPSettings();
  config->GetUserSettings();
  config->GetCC1100PHYSettings();
  config->GetZTNETSettings();
  config->GetZTUARTSettings();
  config->GetUartSettings();
  EXPECT_EQ(config->GetRoot()->GetSectionIndexes(), (ruvezivevo::TByteDynArray{0, 1, 2, 3, 4, 5}));
  EXPECT_EQ(config->SaveToString().size(), 2 + 3 + 6 * 4 + 1 + 6 * 6u);
}

TEST(ZTConfig, NetIdAndNodeIdShareOneWord) {
  auto config = NewConfig();
  auto net = config->GetZTNETSettings();
  net->SetNetId(5);
  EXPECT_EQ(net->GetNetWord(), 0x0105);
  EXPECT_EQ(net->GetNodeId(), 1);
  net->SetNodeId(0x22);
  EXPECT_EQ(net->GetNetWord(), 0x2205);
  net->SetNetParam2(1000);
  EXPECT_EQ(net->GetNetParam2(), 1000);
  auto section = config->GetRoot()->GetSection(kNetSection, false);
  EXPECT_EQ(section->GetParam(kNetParam2Param, false)->GetItemType(), ruvezivevo::kFECodeWord);
  EXPECT_EQ(section->GetParam(kNetWordParam, false)->GetItemType(), ruvezivevo::kFECodeWord);
}

TEST(ZTConfig, LineByteBitFieldsStartFromTheDefaultAndKeepTheTopBits) {
  auto config = NewConfig();
  auto uart = config->GetUartSettings();
  uart->SetBaudRateIndex(2);
  EXPECT_EQ(uart->GetLineSettings(), 0x02);

  auto other = NewConfig()->GetUartSettings();
  other->SetDataFormat(1);
  EXPECT_EQ(other->GetLineSettings(), 0x14);

  uart->SetLineSettings(0xC0);
  uart->SetBaudRateIndex(0x1B);  // only the low four bits count
  EXPECT_EQ(uart->GetLineSettings(), 0xCB);
  uart->SetDataFormat(6);  // only two bits
  EXPECT_EQ(uart->GetLineSettings(), 0xEB);
  EXPECT_EQ(uart->GetDataFormat(), 2);
  EXPECT_EQ(uart->GetBaudRateIndex(), 0x0B);
}

TEST(ZTConfig, AnEmptiedLineByteReadsAsTheDefault) {
  auto config = NewConfig();
  auto uart = config->GetUartSettings();
  uart->SetLineSettings(0x33);
  config->GetRoot()->GetSection(kUartSection, false)->GetParam(kLineByteParam, false)->ClearItem();
  EXPECT_EQ(uart->GetLineSettings(), 4);
}

TEST(ZTConfig, SettingsSurviveTheImage) {
  auto config = NewConfig();
  config->GetUartSettings()->SetLineSettings(0x25);
  config->GetUartSettings()->SetNetAddress(17);
  config->GetZTNETSettings()->SetNetWord(0x0A0B);
  config->GetZTNETSettings()->SetNetParam2(555);
  config->GetZTUARTSettings()->SetByteTimeout(3);
  config->GetZTUARTSettings()->SetPacketTimeout(4000);
  config->GetCC1100PHYSettings()->SetPhyByte2(0x12);
  config->GetCC1100PHYSettings()->SetPhyByte3(0x34);
  config->GetUserSettings()->SetNodeName("Счётчик №5");
  config->GetPTPSettings()->SetEnabled(true);
  config->GetPTPSettings()->SetRoute(Bytes("01 07 08 09"));

  const auto image = config->SerializeImage();
  ASSERT_TRUE(image.Ok());
  auto loaded = CreateConfig(LoadRootSection(image.image->Bytes()));
  EXPECT_EQ(loaded->GetUartSettings()->GetLineSettings(), 0x25);
  EXPECT_EQ(loaded->GetUartSettings()->GetNetAddress(), 17);
  EXPECT_EQ(loaded->GetZTNETSettings()->GetNetWord(), 0x0A0B);
  EXPECT_EQ(loaded->GetZTNETSettings()->GetNetParam2(), 555);
  EXPECT_EQ(loaded->GetZTUARTSettings()->GetByteTimeout(), 3);
  EXPECT_EQ(loaded->GetZTUARTSettings()->GetPacketTimeout(), 4000);
  EXPECT_EQ(loaded->GetCC1100PHYSettings()->GetPhyByte2(), 0x12);
  EXPECT_EQ(loaded->GetCC1100PHYSettings()->GetPhyByte3(), 0x34);
  EXPECT_EQ(loaded->GetUserSettings()->GetNodeName(), "Счётчик №5");
  EXPECT_TRUE(loaded->GetPTPSettings()->GetEnabled());
  EXPECT_EQ(loaded->GetPTPSettings()->GetRoute(), Bytes("01 07 08 09"));
  EXPECT_EQ(loaded->SaveToString(), image.image->Bytes());
}

TEST(ZTConfig, NodeNameIsKeptInCp1251) {
  auto config = NewConfig();
  config->GetUserSettings()->SetNodeName("Узел");
  auto user = config->GetRoot()->GetSection(kUserSection, false);
  EXPECT_EQ(user->GetStringDef(kNodeNameParam, ""), Bytes("D3 E7 E5 EB"));
  EXPECT_EQ(user->GetParam(kNodeNameParam, false)->GetItemType(), ruvezivevo::kFECodeBytes8);
}

TEST(ZTConfig, EmptyNodeNameEmptiesTheParameterInPlace) {
  auto config = NewConfig();
  auto user = config->GetUserSettings();
  user->SetNodeName("");
  auto section = config->GetRoot()->GetSection(kUserSection, false);
  EXPECT_FALSE(section->HasItem(kNodeNameParam)) << "nothing to clear, nothing made";

  user->SetNodeName("N1");
  user->SetNodeName("");
  auto param = section->GetParam(kNodeNameParam, false);
  ASSERT_NE(param, nullptr);
  EXPECT_EQ(param->GetItemType(), ruvezivevo::kFECodeEmpty);
  EXPECT_EQ(user->GetNodeName(), "");
}

TEST(ZTConfig, AssignCopiesEveryModuleButThePtpRetries) {
  auto source = NewConfig();
  source->GetUartSettings()->SetLineSettings(0x17);
  source->GetUartSettings()->SetNetAddress(9);
  source->GetUserSettings()->SetNodeName("Источник");
  source->GetZTUARTSettings()->SetByteTimeout(50);
  source->GetZTUARTSettings()->SetPacketTimeout(900);
  source->GetZTNETSettings()->SetNetWord(0x0304);
  source->GetZTNETSettings()->SetNetParam2(7);
  source->GetCC1100PHYSettings()->SetPhyByte2(1);
  source->GetCC1100PHYSettings()->SetPhyByte3(2);
  auto ptp = source->GetPTPSettings();
  ptp->SetEnabled(true);
  ptp->SetTimeout(11);
  ptp->SetPingPeriod(22);
  ptp->SetRetries(7);
  ptp->SetRoute(Bytes("00 04 05"));

  auto target = NewConfig();
  target->GetPTPSettings()->SetRetries(2);
  target->AssignUartSettings(source->GetUartSettings());
  target->AssignUserSettings(source->GetUserSettings());
  target->AssignZTUARTSettings(source->GetZTUARTSettings());
  target->AssignZTNETSettings(source->GetZTNETSettings());
  target->AssignCC1100PHYSettings(source->GetCC1100PHYSettings());
  target->AssignPTPSettings(source->GetPTPSettings());
  target->AssignPTPSettings(nullptr);  // nothing to copy from

  EXPECT_EQ(target->GetUartSettings()->GetLineSettings(), 0x17);
  EXPECT_EQ(target->GetUartSettings()->GetNetAddress(), 9);
  EXPECT_EQ(target->GetUserSettings()->GetNodeName(), "Источник");
  EXPECT_EQ(target->GetZTUARTSettings()->GetByteTimeout(), 50);
  EXPECT_EQ(target->GetZTUARTSettings()->GetPacketTimeout(), 900);
  EXPECT_EQ(target->GetZTNETSettings()->GetNetWord(), 0x0304);
  EXPECT_EQ(target->GetZTNETSettings()->GetNetParam2(), 7);
  EXPECT_EQ(target->GetCC1100PHYSettings()->GetPhyByte2(), 1);
  EXPECT_EQ(target->GetCC1100PHYSettings()->GetPhyByte3(), 2);
  auto copied = target->GetPTPSettings();
  EXPECT_TRUE(copied->GetEnabled());
  EXPECT_EQ(copied->GetTimeout(), 11);
  EXPECT_EQ(copied->GetPingPeriod(), 22);
  EXPECT_EQ(copied->GetRoute(), Bytes("00 04 05"));
  EXPECT_EQ(copied->GetRetries(), 2) << "retries are not copied";
}

TEST(ZTConfig, NullRootStandsForANewEmptyOne) {
  auto config = CreateConfig(nullptr);
  EXPECT_EQ(config->GetUartSettings()->GetNetAddress(), 1);
  EXPECT_NE(config->GetRoot(), nullptr);
}

TEST(ZTConfig, ImageThatDoesNotFitIsNeverHandedOutForWriting) {
  auto config = NewConfig();
  config->GetUartSettings()->SetNetAddress(3);
  auto extra = config->GetRoot()->GetSection(9, true);
  for (uint8_t i = 0; i < 17; ++i) extra->SetString(i, std::string(4096, 'z'));
  EXPECT_TRUE(config->SaveToString().size() > 0) << "the unchecked form writes what fits";
  const auto result = config->SerializeImage();
  EXPECT_FALSE(result.Ok());
  EXPECT_EQ(result.Describe(), "раздел 9 не помещается в образ (64 КБ)");
}

}  // namespace
