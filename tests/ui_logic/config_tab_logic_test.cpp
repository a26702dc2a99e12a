// The configuration page's values, without the page.
#include <gtest/gtest.h>

#include "config/zt_config.h"
#include "ui/main/config_tab_logic.h"

using namespace config_tab;

TEST(ConfigTabLogic, NewConfigurationShowsTheModuleDefaultsExactly) {
  auto config = config::CreateConfig(nullptr);
  Form f = ShowConfig(*config);
  EXPECT_EQ(f.netAddress, 1);
  EXPECT_EQ(f.baudRateIndex, 4);  // "19200"
  EXPECT_STREQ(BaudRateItems()[f.baudRateIndex], "19200");
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

TEST(ConfigTabLogic, RouteTexts) {
  struct Case {
    const char *text;
    std::optional<std::string> route;
  } cases[] = {
      {"1-5-2", std::string("\x01\x01\x05\x02", 4)},
      {"1-300-2", std::string("\x00\x01\x02", 3)},
      {"7", std::nullopt},
      {"1, 2", std::string("\x00\x01\x02", 3)},   // two delimiters in a row
      {"1-2 ", std::string("\x00\x01\x02", 3)},   // a trailing delimiter
      {"1.2/3\\4 5", std::string("\x03\x01\x02\x03\x04\x05", 6)},
      {"1-x-2", std::string("\x00\x01\x02", 3)},
      {"0000000001-00000000000000000002", std::string("\x00\x01\x02", 3)},  // zeros in front
      {"1-99999999999999999999-2", std::string("\x00\x01\x02", 3)},
      {"", std::nullopt},
  };
  for (const auto &c : cases) EXPECT_EQ(ParseRouteText(c.text), c.route) << c.text;
  // Refusing: a part that is no node number refuses the route; empty parts
  // still do not count as parts.
  for (const char *text : {"1-300-2", "1-x-2", "1-99999999999999999999-2"})
    EXPECT_FALSE(ParseRouteText(text, BadRoutePart::Refuse)) << text;
  EXPECT_EQ(ParseRouteText("1, 2 ", BadRoutePart::Refuse), std::string("\x00\x01\x02", 3));
  std::string thirty;
  for (int i = 1; i <= 30; ++i) thirty += std::to_string(i) + (i < 30 ? "-" : "");
  EXPECT_FALSE(ParseRouteText(thirty));
  std::string twentyNine = thirty.substr(0, thirty.rfind('-'));
  EXPECT_EQ(ParseRouteText(twentyNine)->size(), 30u);

  EXPECT_EQ(RouteText(std::string("\x01\x01\x05\x02", 4)), "1-5-2");
  EXPECT_EQ(RouteText(""), "");
}

// Only what the user changed is put into a configuration read from a modem:
// every other value, in range or not, keeps its bytes.
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
