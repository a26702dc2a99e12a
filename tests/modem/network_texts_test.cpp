#include <gtest/gtest.h>

#include "modem/network_texts.h"

using namespace modem::network_text;

TEST(MacPage, ContextLines) {
  const modem::TMacContext ctx{5, 0x34, 0x12, 7, 3, 2, 0xCD, 0xAB};
  EXPECT_EQ(MacContextText(ctx),
            "PacketID: 5\r\nRXFrame: 0x1234\r\nRXStage: !!! unknown state: 7\r\nFrameCnt: 3\r\n"
            "Last Allocated Frame Idx: 2\r\nACKHandle: 0xABCD");
  struct {
    uint8_t stage;
    const char *name;
  } stages[] = {{0, "Idle"}, {1, "Send ACK"}, {5, "Handling"}, {6, "!!! unknown state: 6"},
                {242, "Unknown CMD"}, {255, "Discard"}};
  for (auto s : stages) EXPECT_EQ(modem::MacRxStageName(s.stage), s.name);
}

TEST(OrvaPage, StateTextWithItsDoubledClosingTags) {
  // Status 9, FilterMode 0x05, DeviceMode 1, PanID 3, NextChildCheckTime 500,
  // RQ_Frame 0x0123, WhoThere 7, WTT_TO 10, NodeCount 2.
  const modem::TORVA_CommonContext ctx{9, 0x05, 1, 3, 0xF4, 0x01, 0x23, 0x01, 7, 10, 2};
  EXPECT_EQ(OrvaStateMarkup(ctx),
            "Status: <b>unknown (9)</b>\r\n"
            "FilterMode: (<b>ZeroPANEnabled </b>UnassocRQEnabled <b>CatchBCast </b>ForMeOnly CollectStatistics "
            "_b5_ _b6_ _b7_ )\r\n"
            "DeviceMode: <b>Tech</b>  PanID: <b>3</b>   </b>  NextChildCheckTime: <b>500</b>   </b>  RQ_Frame: "
            "<b>0123</b>      WhoThereTaskState: <b>!Unknown(7)!</b>\r\n"
            "WTT_TO: <b>10</b>  NodeCount: <b>2</b>");
  const modem::TORVA_CommonContext connected{4, 0, 2, 0, 0, 0, 0, 0, 1, 0, 0};
  const std::string text = OrvaStateMarkup(connected);
  EXPECT_EQ(text.substr(0, 25), "Status: <b>Connected</b>\r");
  EXPECT_NE(text.find("DeviceMode: <b>!Unknown(2)!</b>"), std::string::npos);
  EXPECT_NE(text.find("WhoThereTaskState: <b>WaitingDelay</b>"), std::string::npos);
}

TEST(OrvaPage, RouterText) {
  modem::TORVA_RouterContext ctx{};
  const uint8_t bytes[] = {0x34, 0x12, 0xFB, 0xFF, 30, 0x05, 9, 20, 1, 0x42, 0x00, 150, 0,
                           2,    7,    6,    200,  2,  1,    0,    2, 0,    0,    0,    9, 0};
  std::copy(std::begin(bytes), std::end(bytes), ctx.begin());
  EXPECT_EQ(OrvaRouterMarkup(ctx),
            "NetID: <b>4660</b>   WorkFreqOffs: <b>-5</b> (~-2.00 Khz)  ChangeFreqTO: <b>30</b>\r\n"
            "RouterRegState: (<b>CoordRegged </b>RestoringOS <b>WaitToSave </b>_b3_ _b4_ _b5_ _b6_ _b7_ )\r\n"
            "RegTaskState: <b>!Unknown(9)!</b>  NextRegTime: <b>20</b>  RegTryNum: <b>1</b>  NWKHandle: "
            "<b>0042</b>\r\n"
            "NextPingRQ: <b>150</b>  PingState: <b>WaitForRSP</b>  PacketsSent: <b>7</b>  PacketsACKed: <b>6</b>  "
            "NetKoeff: <b>200</b>  Depth: <b>2</b>\r\nPrefParents: <b>1, 2, 0, 9</b>");
}

TEST(OrvaPage, TableRows) {
  const modem::TORVA_Node entry{0, 0x03, 0x01, 0x50, 47, 2, 1, 0x84, 0x03, 0x7D, 0x00, 0x0D};
  const OrvaRow row = OrvaNodeRow(entry);
  EXPECT_FALSE(row.active);
  const std::array<std::string, kOrvaColumnCount> cells = {"259", "80 (-96 dbm)", "47",  "2",
                                                           "1",   "900",          "125", "knSrc RTC Light"};
  EXPECT_EQ(row.cells, cells);
  struct {
    uint8_t raw;
    const char *text;
  } rssi[] = {{0, "0 (-136 dbm)"}, {127, "127 (-72 dbm)"}, {128, "128 (-72 dbm)"}, {255, "255 (-9 dbm)"}};
  for (auto r : rssi) EXPECT_EQ(RssiText(r.raw), r.text);
  EXPECT_EQ(PingFlagsText(0), "");
  EXPECT_EQ(PingFlagsText(0xF2), "RejectNC");  // bits above 3 have no word
  EXPECT_EQ(PingFlagsText(0x0F), "knSrc RejectNC RTC Light");
}

TEST(NwkPage, RouteItems) {
  EXPECT_EQ(RouteItemText({3, 1}), "3 (MAC: 1)");
  EXPECT_EQ(RouteItemText({65535, 0}), "65535 (MAC: 0)");
}
