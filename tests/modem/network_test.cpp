// Channel, route and mesh commands over a scripted line: the requests and
// captions, the checks of answer lengths and route texts, and the node and
// route tables built from several requests.
#include <gtest/gtest.h>

#include "device/result_code.h"
#include "modem/ziz2400.h"
#include "scripted_modem.h"

using device::TDeviceDetailMode;
using modem::ZIZ2400;
using modem_test::ScriptedModem;

namespace {

// A 14-byte node answer: the two counts, then a 12-byte entry whose address is `address`.
std::string NodeAnswer(uint8_t first, uint8_t second, uint16_t address) {
  std::string entry = "01" + util::HexByte(address & 0xFF) + util::HexByte(address >> 8) + "50" + "2F" + "01" +
                      "00" + "1000" + "0200" + "05";
  return "00" + util::HexByte(first) + util::HexByte(second) + entry;
}

}  // namespace

TEST(Channels, RequestsAndCaptions) {
  struct Case {
    std::function<bool(ZIZ2400 &)> run;
    const char *command, *caption;
  } cases[] = {
      {[](ZIZ2400 &n) { return n.OpenVComm(0, 2000); }, "120200D007", "Open ZTUART:"},
      {[](ZIZ2400 &n) { return n.CloseVComm(); }, "12820000", "Close VCOMM "},
      {[](ZIZ2400 &n) { return n.OpenRoute(3, "01010509"); }, "120100000003" "01010509", "Open ZT Route:01010509"},
      {[](ZIZ2400 &n) { return n.OpenUart(3, 2000, "01010509", 3); }, "120303D00703" "01010509",
       "Open ZT UART:01010509"},
      {[](ZIZ2400 &n) { return n.OpenUart(14, 0, "00010a", 3); }, "12030E000003" "00010A", "Open ZT UART:00010A"},
      {[](ZIZ2400 &n) { return n.CloseRoute("000102"); }, "128103" "000102", "CloseRoute:000102"},
      {[](ZIZ2400 &n) { return n.OpenTerm(12); }, "12040C", "Open Term:"},
      {[](ZIZ2400 &n) { return n.CloseTerm(); }, "1284", "CloseTerm"},
  };
  for (const auto &c : cases) {
    ScriptedModem m;
    m.AnswerAll("00");
    EXPECT_TRUE(c.run(m.node)) << c.command;
    EXPECT_EQ(m.Commands(), std::vector<std::string>{c.command});
    EXPECT_EQ(m.details.Starts(), std::vector<std::string>{c.caption});
  }
}

TEST(Channels, MalformedRoutesAndSpeedsAreRefusedUnsent) {
  for (const char *route : {"", "0101", "01010", "0101050", "02010509", "00010G", "000102 "}) {
    ScriptedModem m;
    m.AnswerAll("00");
    EXPECT_FALSE(m.node.OpenRoute(3, route)) << route;
    EXPECT_FALSE(m.node.OpenUart(0, 0, route, 3)) << route;
    EXPECT_FALSE(m.node.CloseRoute(route)) << route;
    EXPECT_TRUE(m.Commands().empty()) << route;
    EXPECT_EQ(m.node.ResultCode(), device::rcBadParams);
    EXPECT_EQ(m.details.entries.back().mode, TDeviceDetailMode::dmDoneFail);
  }
  ScriptedModem m;
  EXPECT_FALSE(m.node.OpenVComm(15, 0));
  EXPECT_FALSE(m.node.OpenUart(15, 0, "000102", 3));
  EXPECT_TRUE(m.Commands().empty());
}

TEST(Orva, RemoveChildSendsTheAddressLowByteFirst) {
  ScriptedModem m;
  m.AnswerAll("00");
  m.node.RemoveOrvaChild(0x0123);
  EXPECT_EQ(m.Commands(), std::vector<std::string>{"1EBB2301"});
  EXPECT_EQ(m.details.Starts(), std::vector<std::string>{"ORVA Remove child addr:291"});
  EXPECT_EQ(m.node.ResultCode(), device::rcOK);
  uint16_t address = 0x0123;
  EXPECT_EQ(modem::BufToHex(&address, 2), "2301");  // memory order on this little-endian host
}

TEST(Orva, ContextsAndNodesNeedTheirExactLength) {
  struct Case {
    const char *name;
    size_t bytes;
    std::function<bool(ZIZ2400 &)> read;
  };
  modem::TORVA_CommonContext common;
  modem::TORVA_RouterContext router;
  modem::TORVA_Node entry;
  uint8_t first = 9, second = 9;
  const Case cases[] = {
      {"common", 11, [&](ZIZ2400 &n) { return n.ReadOrvaCommonContext(common); }},
      {"router", 26, [&](ZIZ2400 &n) { return n.ReadOrvaRouterContext(router); }},
      {"node", 14, [&](ZIZ2400 &n) { return n.ReadOrvaNode(3, entry, first, second); }},
  };
  for (const auto &c : cases) {
    for (size_t bytes : {c.bytes - 1, c.bytes + 1, c.bytes}) {
      ScriptedModem m;
      std::string answer = "00";
      for (size_t k = 0; k < bytes; ++k) answer += util::HexByte(static_cast<uint8_t>(k + 1));
      m.AnswerAll(answer);
      EXPECT_EQ(c.read(m.node), bytes == c.bytes) << c.name << " " << bytes;
      EXPECT_EQ(m.node.ResultCode().Code, bytes == c.bytes ? 0 : 11) << c.name << " " << bytes;
    }
  }
  // The last good reads decoded their bytes.
  EXPECT_EQ(common[0], 1);
  EXPECT_EQ(common[10], 11);
  EXPECT_EQ(router[25], 26);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(entry[11], 14);
  ScriptedModem m;
  m.AnswerAll(NodeAnswer(5, 4, 0x0203));
  ASSERT_TRUE(m.node.ReadOrvaNode(3, entry, first, second));
  EXPECT_EQ(m.Commands(), std::vector<std::string>{"1E0A03"});
  EXPECT_EQ(m.details.Starts(), std::vector<std::string>{"Чтение ORVA Node 3"});
  EXPECT_EQ(first, 5);
  EXPECT_EQ(second, 4);
  const auto fields = modem::DecodeOrvaNode(entry);
  EXPECT_TRUE(fields.Active);
  EXPECT_EQ(fields.Addr, 0x0203);
  EXPECT_EQ(fields.RSSI, 0x50);
  EXPECT_EQ(fields.NetKoeffW, 0x10);
  EXPECT_EQ(fields.LastPing, 2);
  EXPECT_EQ(fields.PingFlags, 5);
}

TEST(Orva, NodeTableTakesItsLengthFromEntryZero) {
  struct Case {
    bool useFirst;
    uint8_t first, second;
    int failAt;  // index whose request fails, -1 none
    size_t transactions, entries;
    bool result;
  } cases[] = {
      {true, 1, 7, -1, 1, 1, true},   // first count 1: one transaction
      {true, 3, 7, -1, 3, 3, true},
      {false, 3, 2, -1, 2, 2, true},
      {true, 0, 0, -1, 1, 1, true},
      {true, 4, 4, 2, 3, 2, true},    // a failure in the middle keeps what was read
      {true, 4, 4, 0, 1, 0, false},
  };
  for (const auto &c : cases) {
    ScriptedModem m;
    m.OnCommand([&](const std::string &command) -> std::optional<std::string> {
      const int index = util::HexPairValue(command, 2);
      if (index == c.failAt) return "04";
      return NodeAnswer(c.first, c.second, static_cast<uint16_t>(100 + index));
    });
    modem::TORVA_Nodes nodes;
    uint8_t second = 0;
    EXPECT_EQ(m.node.ReadOrvaNodeTable(c.useFirst, nodes, second), c.result);
    EXPECT_EQ(m.Commands().size(), c.transactions);
    ASSERT_EQ(nodes.size(), c.entries);
    for (size_t i = 0; i < nodes.size(); ++i) EXPECT_EQ(modem::DecodeOrvaNode(nodes[i]).Addr, 100 + i);
    EXPECT_EQ(second, c.failAt == 0 ? 0 : c.second);
    EXPECT_EQ(m.details.entries.front().text, "Чтение ORVA-таблицы узлов");
  }
}

TEST(RouteTable, PairsAreReadEightToARequest) {
  ScriptedModem m;
  m.OnCommand([](const std::string &command) -> std::optional<std::string> {
    if (command == "4011020000000001") return "0009";
    std::string out = "00";
    const int first = util::HexPairValue(command, 3), count = util::HexPairValue(command, 7);
    for (int k = first; k < first + count; ++k) out += util::HexByte(static_cast<uint8_t>(k + 10)) + "00" + "0100";
    return out;
  });
  modem::ZIZ2400RoutePairs pairs;
  ASSERT_TRUE(m.node.ReadRoutePairs(0, 9, pairs));
  EXPECT_EQ(m.Commands(), (std::vector<std::string>{"4010000000000008", "4010000800000001"}));
  ASSERT_EQ(pairs.size(), 9u);
  EXPECT_EQ(pairs[8], (modem::ZIZ2400RoutePair{18, 1}));
  EXPECT_EQ(m.details.Starts().front(), "Чтение записей маршрута (0->8)");

  ScriptedModem t;
  t.OnCommand([](const std::string &command) -> std::optional<std::string> {
    if (command == "4011020000000001") return "0009";
    return "00" + std::string(util::HexPairValue(command, 7) * 8, '1');
  });
  ASSERT_TRUE(t.node.ReadRouteTable(pairs));
  EXPECT_EQ(pairs.size(), 9u);
  EXPECT_EQ(t.details.Starts(), (std::vector<std::string>{"Чтение таблицы маршрутизации",
                                                          "Чтение параметра  \"RoutePairCnt\" (000000, 1 items)",
                                                          "Чтение записей маршрута (0->8)",
                                                          "Чтение области \"RoutePair\" (000000, 8 items)",
                                                          "Чтение области \"RoutePair\" (000008, 1 items)"}));
}

TEST(RouteTable, AnEmptyTableOrABadCountFails) {
  for (const char *countAnswer : {"0000", "00", "000100"}) {
    ScriptedModem m;
    m.AnswerAll(countAnswer);
    modem::ZIZ2400RoutePairs pairs{{1, 1}};
    EXPECT_FALSE(m.node.ReadRouteTable(pairs)) << countAnswer;
    EXPECT_TRUE(pairs.empty());
    EXPECT_EQ(m.Commands().size(), 1u);
    EXPECT_EQ(m.node.ResultCode().Code, std::string(countAnswer) == "0000" ? 104 : 11) << countAnswer;
    EXPECT_EQ(m.details.entries.back().mode, TDeviceDetailMode::dmDoneFail);
  }
}
