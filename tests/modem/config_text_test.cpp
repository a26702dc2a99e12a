// The configuration as name=value text: what vovorctl and the configuration
// page save, load, show and set.
#include <gtest/gtest.h>

#include "config/zt_config.h"
#include "modem/config_text.h"
#include "util/hex.h"

using namespace modem;

TEST(ConfigText, SpeedsReadAsThePageListsThem) {
  struct Case {
    int index;
    const char *text;
  } cases[] = {{0, "default"}, {1, "115200"}, {5, "9600"}, {13, "50"}, {14, "index-14"}, {15, "index-15"}};
  for (const auto &c : cases) {
    EXPECT_EQ(UartSpeedText(c.index), c.text);
    EXPECT_EQ(UartSpeedIndex(c.text), c.index) << c.text;
  }
  for (const char *wrong : {"", "9601", "index-", "index-16", "index-x", "Default", "---резерв1"})
    EXPECT_FALSE(UartSpeedIndex(wrong)) << wrong;
  EXPECT_STREQ(UartSpeedCaption(4), "19200");
  EXPECT_STREQ(UartSpeedCaption(kUartSpeedCount), "");
}

TEST(ConfigText, ATextRoundTripKeepsTheImageByteForByte) {
  // Values no field of the page would let a user type survive a file.
  // Every setting held in the image, as in one read from a modem.
  auto original = config::CreateConfig(nullptr);
  std::string error;
  ASSERT_TRUE(ImportConfigText(*original, ExportConfigText(*original), &error)) << error;
  original->GetUartSettings()->SetBaudRateIndex(15);
  original->GetUartSettings()->SetNetAddress(255);
  original->GetUartSettings()->SetDataFormat(3);
  original->GetPTPSettings()->SetTimeout(1500);
  original->GetPTPSettings()->SetPingPeriod(60000);
  original->GetPTPSettings()->SetRetries(20);
  original->GetZTUARTSettings()->SetByteTimeout(0);
  original->GetUserSettings()->SetNodeName("Подстанция 5 = ввод 2");
  const std::string text = ExportConfigText(*original);
  EXPECT_NE(text.find("uart.speed=index-15\n"), std::string::npos) << text;

  auto loaded = config::CreateConfig(nullptr);
  ASSERT_TRUE(ImportConfigText(*loaded, text, &error)) << error;
  EXPECT_EQ(util::BytesToHex(loaded->SaveToString()), util::BytesToHex(original->SaveToString()));
}

TEST(ConfigText, FilesOfEarlierVersionsAndBadLines) {
  auto config = config::CreateConfig(nullptr);
  std::string error;
  ASSERT_TRUE(ImportConfigText(*config, "# saved earlier\r\nuart.baud-index=2\r\n", &error)) << error;
  EXPECT_EQ(config->GetUartSettings()->GetBaudRateIndex(), 2);

  struct Case {
    const char *text;
    const char *said;
  } cases[] = {{"uart.speed=57601\n", "line 1: uart.speed"},
               {"\nnet.net-id=5\nptp.route=1-x-2\n", "line 3: ptp.route: \"x\" in \"1-x-2\" is no node number"},
               {"bogus=1\n", "line 1: unknown setting \"bogus\""},
               {"net.net-id\n", "line 1: \"net.net-id\" is not name=value"}};
  for (const auto &c : cases) {
    EXPECT_FALSE(ImportConfigText(*config, c.text, &error)) << c.text;
    EXPECT_NE(error.find(c.said), std::string::npos) << error;
  }
}

TEST(ConfigText, ACopySharesNothing) {
  auto original = config::CreateConfig(nullptr);
  original->GetZTNETSettings()->SetNetId(7);
  auto copy = CopyConfig(*original);
  ASSERT_TRUE(copy);
  copy->GetZTNETSettings()->SetNetId(9);
  EXPECT_EQ(original->GetZTNETSettings()->GetNetId(), 7);
  EXPECT_EQ(copy->GetZTNETSettings()->GetNetId(), 9);
}
