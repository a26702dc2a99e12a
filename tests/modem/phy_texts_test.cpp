// The "PHY" page's texts from records set byte by byte.
#include <gtest/gtest.h>

#include "modem/phy_records.h"
#include "modem/phy_texts.h"
#include "util/markup_text.h"

using namespace modem::phy_text;

TEST(PhyTabLogic, StatusTextNamesEveryFieldInOrder) {
  modem::TPhyStatus b{0x15, 1, 7, 0x34, 0x12, 0xFF, 0xFF, 0x0A, 3, 4, 5, 0xCD, 0xAB, 6, 7, 8};
  EXPECT_EQ(PhyStatusText(b),
            "<b>PHY Flags:</b>  ClearRXFIFO TXPending TXStarted \r\n<b>PHY Status:</b>  ps_RX"
            "\r\n<b>RF_Channel:  7</b>\r\n<b>LastRecvTick:  4660</b>\r\n<b>LastTransmitTick:  65535</b>"
            "\r\n<b>LastCalibrationTick:  10 (0x0A)</b>\r\n<b>RX_RPtr:  3</b>\r\n<b>RX_WPtr:  4</b>"
            "\r\n<b>RX_Cnt:  5</b>\r\n<b>TXFrame:  0xABCD</b>\r\n<b>CSMA_TryNum:  6</b>\r\n<b>CSMA_Start:  7</b>"
            "\r\n<b>CSMA_Delay:  8</b>");
}

TEST(PhyTabLogic, UnknownStatusIsRedAndHighFlagsHaveNoWords) {
  modem::TPhyStatus b{};
  b[0] = 0xC0;
  b[1] = 6;
  const std::string text = PhyStatusText(b);
  EXPECT_EQ(text.rfind("<b>PHY Flags:</b>  \r\n<b>PHY Status:</b>  <c:Red>Unknown</c>\r\n<b>RF_", 0), 0u) << text;
  b[0] = 0x3F;
  b[1] = 5;
  EXPECT_EQ(PhyStatusText(b).rfind("<b>PHY Flags:</b>  ClearRXFIFO ClearTXFIFO TXPending NeededPHYTask TXStarted "
                                   "TXSEX!!! \r\n<b>PHY Status:</b>  ps_PacketTransmitOK\r\n",
                                   0),
            0u);
  const char *names[] = {"ps_Off", "ps_RX", "ps_Receiving", "ps_PacketReceived", "ps_Transmitting",
                         "ps_PacketTransmitOK"};
  for (uint8_t s = 0; s < 6; ++s) EXPECT_STREQ(modem::PhyStatusName(s), names[s]);
  EXPECT_EQ(modem::PhyStatusName(255), nullptr);
}

TEST(PhyTabLogic, ErrorStatisticsAndTemperature) {
  modem::TPhyErrorStats e{0x01, 0x00, 0xFF, 0xFF, 0x10, 0x27};
  EXPECT_EQ(ErrorStatsText(e), "<b>TX SEX:</b>  1\r\n<b>TX WatchDog:</b>  65535\r\n<b>RX WatchDog:</b>  10000");
  EXPECT_EQ(TemperatureText(-10), "CC2500 crystal Temp: -10");
}

TEST(PhyTabLogic, CarrierOffsetsInKilohertzTruncatedTowardZero) {
  // 1 step is 1.6 kHz; -1 gives -1.6, shown as -1; 127 gives 203.15; -128 gives -204.75.
  modem::TCarrierOffsets b{1, 0xFF, 127, 0x80, 0xFE};
  EXPECT_EQ(CarrierText(b),
            "Offs 0: 1 Khz \r\nOffs 1: -1 Khz \r\nOffs 2: 203 Khz \r\nOffs 3: -204 Khz \r\nMiddle: -3 Khz \r\n");
}

TEST(PhyTabLogic, LastPacketRssiInDbm) {
  struct {
    uint8_t raw;
    int dbm;
  } cases[] = {{0, -136}, {1, -135}, {0x50, -96}, {127, -72}, {128, -72}, {129, -72}, {130, -71}, {255, -9}};
  for (auto c : cases) EXPECT_EQ(modem::RssiDbm(c.raw), c.dbm) << int(c.raw);
  modem::TLastPacketStatus b{0x02, 0x01, 0x50, 0x2F, 0x10, 0x00, 20};
  EXPECT_EQ(LastPacketText(b),
            "Last Packet status:\r\nAddr: 258\r\nPacket Len: 20\r\nRSSI: 80 (-96 dbm)\r\nLQI: 47\r\nTime Mark: 16\r\n");
  // The command line prints the same words without the markup.
  EXPECT_EQ(util::markup::ToPlainText(LastPacketText(b)),
            "Last Packet status:\nAddr: 258\nPacket Len: 20\nRSSI: 80 (-96 dbm)\nLQI: 47\nTime Mark: 16\n");
}
