// The configuration page's values, without the page.
#include <gtest/gtest.h>

#include "config/zt_config.h"
#include "ui/main/config_tab_logic.h"

using namespace config_tab;

TEST(ConfigTabLogic, NewConfigurationShowsTheDefaultsInFieldRanges) {
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
  EXPECT_EQ(f.ptpTimeout, 1000);  // the default 1024 brought into the field's range
  EXPECT_EQ(f.pingPeriod, 12800);
  EXPECT_EQ(f.retries, 3);
  EXPECT_FALSE(f.ptpEnabled);

  WriteForm(*config, f);
  EXPECT_EQ(config->GetPTPSettings()->GetTimeout(), 1000);
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

TEST(ConfigTabLogic, WriteKeepsAnUnshownFormatAndAnUnchangedRoute) {
  auto config = config::CreateConfig(nullptr);
  config->GetUartSettings()->SetDataFormat(3);
  config->GetPTPSettings()->SetRoute(std::string("\x01\x01\x05\x02", 4));
  Form f = ShowConfig(*config);
  EXPECT_EQ(f.dataFormat, -1);
  f.route = "7";  // one node: refused, the stored route stays
  f.nodeName = "Узел 1";
  WriteForm(*config, f);
  EXPECT_EQ(config->GetUartSettings()->GetDataFormat(), 3);
  EXPECT_EQ(config->GetPTPSettings()->GetRoute(), std::string("\x01\x01\x05\x02", 4));
  EXPECT_EQ(ShowConfig(*config).route, "1-5-2");
  EXPECT_EQ(config->GetUserSettings()->GetNodeName(), "Узел 1");
}

TEST(ConfigTabLogic, NumberFieldsClampAndTakeTheMinimumForNonNumbers) {
  EXPECT_EQ(ValueFromText("500", kNetAddress), 254);
  EXPECT_EQ(ValueFromText("0", kNetAddress), 1);
  EXPECT_EQ(ValueFromText("abc", kPtpTimeout), 40);
  EXPECT_EQ(ValueFromText("", kRetries), 1);
  EXPECT_EQ(ValueFromText("77", kPtpTimeout), 77);
  EXPECT_EQ(ValueFromText("99999999999999999999", kPingPeriod), 32000);
}
