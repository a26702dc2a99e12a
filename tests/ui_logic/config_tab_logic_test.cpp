// The configuration page's values, without the page.
#include <gtest/gtest.h>

#include "config/zt_config.h"
#include "modem/config_text.h"
#include "ui/main/config_tab_logic.h"

using namespace config_tab;

TEST(ConfigTabLogic, NewConfigurationShowsTheModuleDefaultsExactly) {
  auto config = config::CreateConfig(nullptr);
  Form f = ShowConfig(*config);
  EXPECT_EQ(f.netAddress, 1);
  EXPECT_EQ(f.baudRateIndex, 4);  // "19200"
  EXPECT_STREQ(modem::UartSpeedCaption(f.baudRateIndex), "19200");
  EXPECT_EQ(f.dataFormat, 0);
  EXPECT_EQ(f.netId, 1);
  EXPECT_EQ(f.nodeId, 1);
  EXPECT_EQ(f.byteTimeout, 10);
  EXPECT_EQ(f.packetTimeout, 300);
  EXPECT_EQ(f.nodeName, "");
  EXPECT_EQ(f.route, "1-0");
  EXPECT_EQ(f.ptpTimeout, 1024);  // outside the field's typing range, shown as it is
  EXPECT_EQ(f.pingPeriod, 12800);
  EXPECT_EQ(f.retries, 3);
  EXPECT_FALSE(f.ptpEnabled);

  WriteForm(*config, f);
  EXPECT_EQ(config->GetPTPSettings()->GetTimeout(), 1024);
}

TEST(ConfigTabLogic, WritingAReadConfigurationTouchesOnlyTheChangedFields) {
  auto config = config::CreateConfig(nullptr);
  config->GetUartSettings()->SetNetAddress(255);
  config->GetUartSettings()->SetDataFormat(3);
  config->GetPTPSettings()->SetTimeout(1500);
  config->GetPTPSettings()->SetPingPeriod(60000);
  config->GetPTPSettings()->SetRetries(20);
  config->GetPTPSettings()->SetRoute(std::string("\x01\x01\x05\x02", 4));
  // Showing a configuration gives it the sections of its modules; the
  // image to keep is the one shown.
  const Form shown = ShowConfig(*config);
  auto original = config->SerializeImage();
  ASSERT_TRUE(original.Ok());
  const std::string before = original.image->Bytes();
  EXPECT_EQ(shown.netAddress, 255);
  EXPECT_EQ(shown.dataFormat, 3);
  EXPECT_EQ(shown.ptpTimeout, 1500);
  EXPECT_EQ(shown.pingPeriod, 60000);
  EXPECT_EQ(shown.retries, 20);
  WriteForm(*config, shown, &shown);
  EXPECT_EQ(config->SerializeImage().image->Bytes(), before) << "nothing changed, nothing written";

  Form edited = shown;
  edited.nodeName = "Узел 1";
  EXPECT_EQ(ChangedFields(shown, edited), std::vector<Field>{Field::NodeName});
  WriteForm(*config, edited, &shown);
  EXPECT_EQ(config->GetUserSettings()->GetNodeName(), "Узел 1");
  Form back = ShowConfig(*config);
  back.nodeName = shown.nodeName;
  EXPECT_TRUE(ChangedFields(shown, back).empty());
}

TEST(ConfigTabLogic, NumberFieldsClampAndTakeTheMinimumForNonNumbers) {
  EXPECT_EQ(ValueFromText("500", kNetAddress), 254);
  EXPECT_EQ(ValueFromText("0", kNetAddress), 1);
  EXPECT_EQ(ValueFromText("abc", kPtpTimeout), 40);
  EXPECT_EQ(ValueFromText("", kRetries), 1);
  EXPECT_EQ(ValueFromText("77", kPtpTimeout), 77);
  EXPECT_EQ(ValueFromText("99999999999999999999", kPingPeriod), 32000);
}
