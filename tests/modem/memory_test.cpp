// Memory requests and block transfers over a scripted line: request and
// action texts, block splitting, the size parameters and the composite
// operations' log shape, and the answers that must not pass as complete.
#include <gtest/gtest.h>

#include <map>

#include "device/result_code.h"
#include "modem/ziz2400.h"
#include "ruvezivevo/fe_root_section.h"
#include "scripted_modem.h"

using device::TDeviceDetailMode;
using modem::ZIZ2400;
using modem_test::ScriptedModem;

namespace {

// A modem with a configuration region behind the memory command: the size
// parameter (type 1) and the bytes (type 0), read and written as a modem does.
class RegionModem : public ScriptedModem {
 public:
  explicit RegionModem(std::string image = {}) : region(std::move(image)) {
    OnCommand([this](const std::string &command) -> std::optional<std::string> {
      std::lock_guard l(mutex);
      if (command.rfind("40", 0) != 0 || command.size() < 16) return "03";
      const int type = util::HexPairValue(command, 1), mode = util::HexPairValue(command, 2);
      const size_t address = util::HexPairValue(command, 3) | util::HexPairValue(command, 4) << 8;
      const size_t count = util::HexPairValue(command, 7);
      const std::string data = util::HexToBytes(command.substr(16), 255, false);
      if (type == 1 && mode == 0) {
        const std::string size{static_cast<char>(region.size() & 0xFF), static_cast<char>(region.size() >> 8)};
        return "00" + util::BytesToHex(sizeAnswer.value_or(size));
      }
      if (type == 1 && mode == 1) {
        region.assign(static_cast<uint8_t>(data[0]) | static_cast<uint8_t>(data[1]) << 8, '\xFF');
        return "00";
      }
      if (type == 0 && mode == 0) {
        if (address + count > region.size()) return "02";
        size_t give = count - std::min(count, shortBy);
        return "00" + util::BytesToHex(region.substr(address, give));
      }
      if (type == 0 && mode == 1) {
        if (address + data.size() > region.size()) return "02";
        region.replace(address, data.size(), data);
        return "00";
      }
      return "02";
    });
  }

  std::mutex mutex;
  std::string region;
  std::optional<std::string> sizeAnswer;  // replaces the size parameter's bytes
  size_t shortBy = 0;                     // blocks come back this many bytes short
};

std::string Bytes(size_t n) {
  std::string out;
  for (size_t k = 0; k < n; ++k) out.push_back(static_cast<char>(k * 7 + 1));
  return out;
}

}  // namespace

TEST(MemoryTypes, NamesAndModes) {
  const std::map<int, std::string> names{
      {0, "Config"}, {1, "ConfigSize"}, {3, "NodeTable"}, {4, "NodeTableSize"}, {5, "NodeTableCount"},
      {6, "NodeTableItemSize"}, {7, "NodeTableItem"}, {16, "RoutePair"}, {17, "RoutePairCnt"}, {49, "WorkParams"},
      {50, "WorkParamsSize"}, {53, "ProductionInfo"}, {54, "ProdInfoSize"}, {55, "ProdInfoCommit"},
      {133, "PureEEPROM"}, {134, "PureEEPROMSize"}, {136, "PureMemory"}, {137, "PureMemorySize"},
      {144, "PureFRAM"}, {145, "PureFRAMSize"}, {160, "PureDataFlash"}, {161, "PureDataFlashsize"}};
  for (int code = 0; code < 256; ++code) {
    auto it = names.find(code);
    EXPECT_EQ(ZIZ2400::MemTypeName(static_cast<uint8_t>(code)), it == names.end() ? "Unknown MT!" : it->second)
        << code;
  }
  EXPECT_EQ(modem::MemoryModeName(2), "Чтение параметра ");
  EXPECT_EQ(modem::MemoryModeName(3), "Стирание области ");
}

TEST(MemoryRequest, RequestAndActionTexts) {
  struct Case {
    uint8_t mode, type;
    std::string data;
    uint32_t address;
    uint8_t count;
    const char *command, *action;
  } cases[] = {
      {0, 0, "", 0x40, 32, "4000004000000020", "Чтение области \"Config\" (000040, 32 items)"},
      {1, 1, "\x34\x12", 0, 0, "40010100000000003412", "Запись области \"ConfigSize\" (000000, 0 items)"},
      {2, 0x86, "", 0, 1, "4086020000000001", "Чтение параметра  \"PureEEPROMSize\" (000000, 1 items)"},
      {3, 0x90, "", 0x01020304, 1, "4090030403020101", "Стирание области  \"PureFRAM\" (1020304, 1 items)"},
      {0, 2, "", 0xABCDEF, 255, "400200EFCDAB00FF", "Чтение области \"Unknown MT!\" (ABCDEF, 255 items)"},
  };
  for (auto &c : cases) {
    ScriptedModem m;
    m.AnswerAll("00");
    std::vector<std::tuple<int, std::string, int, int>> actions;
    m.node.OnAction = [&](device::TCustomDevice &, uint8_t code, const std::string &text, int size, uint8_t type) {
      actions.emplace_back(code, text, size, type);
    };
    EXPECT_TRUE(m.node.MemoryRequest(c.mode, c.type, c.data, c.address, c.count));
    EXPECT_EQ(m.Commands(), std::vector<std::string>{c.command});
    ASSERT_EQ(actions.size(), 1u);
    EXPECT_EQ(actions[0], std::make_tuple(0, std::string(c.action), 24, 1));
  }
}

TEST(MemoryRequest, DataIsTheAnswerAfterItsFirstByteOrStaysAsItWas) {
  ScriptedModem m;
  std::string data = "kept";
  m.AnswerAll("00");  // the status alone
  ASSERT_TRUE(m.node.MemoryRequest(2, 0x86, data, 0, 1));
  EXPECT_EQ(data, "kept");
  m.AnswerAll("000008");  // three bytes: a 2-byte size
  ASSERT_TRUE(m.node.MemoryRequest(2, 0x86, data, 0, 1));
  EXPECT_EQ(data, std::string("\x00\x08", 2));
  m.AnswerAll("02");  // refused: Data is untouched, the result is the modem's
  data = "kept";
  EXPECT_FALSE(m.node.MemoryRequest(0, 0, data, 0, 1));
  EXPECT_EQ(data, "kept");
  EXPECT_EQ(m.node.ResultCode().Code, 2);
}

TEST(MemoryTransfer, SplitsIntoBlocksCountedInItems) {
  {
    RegionModem m(Bytes(64));
    std::string data;
    ASSERT_TRUE(m.node.ReadConfigBytes(0x10, 33, data));
    EXPECT_EQ(m.Commands(), (std::vector<std::string>{"4000001000000020", "4000003000000001"}));
    EXPECT_EQ(data, Bytes(64).substr(0x10, 33));
  }
  {
    ScriptedModem m;
    m.OnCommand([](const std::string &c) -> std::optional<std::string> {
      return "00" + std::string(util::HexPairValue(c, 7) * 18, 'A');
    });
    modem::TZT_NodeTableItems items;
    ASSERT_TRUE(m.node.ReadNodeTableItems(2, 5, items));
    EXPECT_EQ(m.Commands(), (std::vector<std::string>{"4007000200000003", "4007000500000002"}));
    EXPECT_EQ(items.size(), 5u);
  }
  {
    RegionModem m(std::string(100, '\0'));
    const std::string image = Bytes(100);
    ASSERT_TRUE(m.node.WriteConfigBytes(0, 20, image));
    EXPECT_EQ(m.Commands(), (std::vector<std::string>{"4000010000000010" + util::BytesToHex(image.substr(0, 16)),
                                                      "4000011000000004" + util::BytesToHex(image.substr(16, 4))}));
  }
  {
    // 100 bytes: read as 32 + 32 + 32 + 4, written as six blocks of 16 and one of 4.
    RegionModem m(Bytes(100));
    std::string image;
    ASSERT_TRUE(m.node.ReadConfigImage(image));
    EXPECT_EQ(image, Bytes(100));
    EXPECT_EQ(m.Commands().size(), 5u);  // the size, then four blocks
    EXPECT_EQ(m.Commands().back(), "4000006000000004");
    const size_t before = m.Commands().size();
    ASSERT_TRUE(m.node.WriteConfigImage(image, 100));
    auto commands = m.Commands();
    ASSERT_EQ(commands.size() - before, 8u);  // the size announcement, then seven blocks
    EXPECT_EQ(commands[before], "40010100000000006400");
    EXPECT_EQ(commands.back().substr(0, 16), "4000016000000004");
  }
}

TEST(MemoryTransfer, RequestsThatCannotBeMadeFailUnsent) {
  ScriptedModem m;
  m.AnswerAll("00");
  std::string data = "abc";
  m.node.SetResult(device::rcOK);
  EXPECT_FALSE(m.node.MemoryTransfer(0, 0, data, 0, 0, 1, 32));  // nothing to read
  EXPECT_EQ(m.node.ResultCode(), device::rcBadParams);
  EXPECT_FALSE(m.node.MemoryTransfer(0, 7, data, 0, 4, 9, 8));  // blocks smaller than an item
  EXPECT_FALSE(m.node.MemoryTransfer(1, 0, data, 0, 4, 1, 16));  // fewer bytes than the count
  EXPECT_FALSE(m.node.MemoryTransfer(2, 0, data, 0, 4, 1, 16));  // not a transfer mode
  EXPECT_TRUE(m.Commands().empty());
  // A write of nothing is done at once.
  EXPECT_TRUE(m.node.WriteConfigBytes(0, 0, ""));
  EXPECT_TRUE(m.node.WriteProductionBytes(0, 0, ""));
  EXPECT_TRUE(m.Commands().empty());
}

TEST(MemoryTransfer, ABlockWithFewerOrMoreBytesThanAskedFailsTheRead) {
  for (int shortBy : {1, 32}) {
    RegionModem m(Bytes(64));
    m.shortBy = static_cast<size_t>(shortBy);
    std::string data = "x";
    EXPECT_FALSE(m.node.ReadConfigBytes(0, 64, data));
    EXPECT_EQ(m.node.ResultCode(), device::rcBadFormat);
    EXPECT_EQ(data, "");
    EXPECT_EQ(m.Commands().size(), 1u);  // stops at the first short block
    // The short request is the action that shows the failure.
    EXPECT_EQ(m.details.entries.back().mode, TDeviceDetailMode::dmDoneFail);
  }
  ScriptedModem m;
  m.AnswerAll("00" + std::string(34, '1'));  // 17 bytes for 16
  std::string data;
  EXPECT_FALSE(m.node.ReadPureFRAM(0, 16, data));
  EXPECT_EQ(m.node.ResultCode(), device::rcBadFormat);
}

TEST(CompositeReads, AreOneParentActionWithTheRequestsAsChildren) {
  RegionModem m(Bytes(40));
  std::string image;
  std::vector<std::tuple<int, std::string, int, int>> actions;
  m.node.OnAction = [&](device::TCustomDevice &, uint8_t code, const std::string &text, int size, uint8_t type) {
    actions.emplace_back(code, text, size, type);
  };
  ASSERT_TRUE(m.node.ReadConfigImage(image));
  ASSERT_EQ(actions.size(), 4u);
  EXPECT_EQ(actions[0], std::make_tuple(0, std::string("Чтение конфигурации"), 24, 1));
  EXPECT_EQ(std::get<1>(actions[1]), "Чтение области \"ConfigSize\" (000000, 2 items)");
  EXPECT_EQ(std::get<1>(actions[3]), "Чтение области \"Config\" (000020, 8 items)");
  using M = TDeviceDetailMode;
  std::vector<M> modes;
  for (const auto &e : m.details.entries) modes.push_back(e.mode);
  EXPECT_EQ(modes, (std::vector<M>{M::dmStart, M::dmStart, M::dmDoneOK, M::dmStart, M::dmDoneOK, M::dmStart,
                                   M::dmDoneOK, M::dmDoneOK}));
  EXPECT_EQ(m.details.entries.front().text, "Чтение конфигурации");
}

TEST(CompositeReads, ABadSizeParameterFailsWithoutReadingAndIsLoggedAsFailed) {
  struct Case {
    const char *name;
    std::string sizeBytes;
    int code;
  } cases[] = {
      {"size 0", std::string(2, '\0'), device::rcNoData.Code},
      {"one byte", "\x10", device::rcBadFormat.Code},
      {"three bytes", std::string("\x10\x00\x00", 3), device::rcBadFormat.Code},
  };
  for (const auto &c : cases) {
    RegionModem m(Bytes(40));
    m.sizeAnswer = c.sizeBytes;
    std::string image = "old";
    EXPECT_FALSE(m.node.ReadConfigImage(image)) << c.name;
    EXPECT_EQ(image, "") << c.name;
    EXPECT_EQ(m.node.ResultCode().Code, c.code) << c.name;
    EXPECT_EQ(m.Commands().size(), 1u) << c.name;
    EXPECT_EQ(m.details.entries.back().mode, TDeviceDetailMode::dmDoneFail) << c.name;
    EXPECT_EQ(m.details.entries.back().text, m.node.ResultCode().Msg) << c.name;
  }
}

TEST(CompositeReads, SizeParametersOfEveryRegion) {
  struct Case {
    const char *name;
    std::string answer;  // status and the size parameter
    std::function<bool(ZIZ2400 &, std::string &)> read;
    const char *sizeCommand, *firstBlock;
  } cases[] = {
      {"node table", "0023000000", [](ZIZ2400 &n, std::string &d) { return n.ReadNodeTable(d); }, "4004020000000004",
       "4003000000000020"},
      {"work params", "000501", [](ZIZ2400 &n, std::string &d) { bool f; return n.ReadWorkParams(d, f) && f; },
       "4032020000000002", "4031000000000005"},
      {"production", "000600", [](ZIZ2400 &n, std::string &d) { bool f = true; return n.ReadProductionInfo(d, f) && !f; },
       "4036020000000002", "4035000000000006"},
  };
  for (const auto &c : cases) {
    ScriptedModem m;
    m.OnCommand([&](const std::string &command) -> std::optional<std::string> {
      if (command == c.sizeCommand) return c.answer;
      return "00" + std::string(util::HexPairValue(command, 7) * 2, 'C');
    });
    std::string data;
    ASSERT_TRUE(c.read(m.node, data)) << c.name << " " << m.node.ResultCode().Msg;
    ASSERT_GE(m.Commands().size(), 2u);
    EXPECT_EQ(m.Commands()[0], c.sizeCommand) << c.name;
    EXPECT_EQ(m.Commands()[1], c.firstBlock) << c.name;
  }
  ScriptedModem m;
  m.AnswerAll("000002");
  uint16_t size = 0;
  ASSERT_TRUE(m.node.ReadPureMemorySize(size));
  EXPECT_EQ(size, 0x200);
  ASSERT_TRUE(m.node.ReadNodeTableCount(size));
  EXPECT_EQ(m.Commands(), (std::vector<std::string>{"4089020000000001", "4005020000000001"}));
}

TEST(ProductionRecord, CheckWordWriteAndCommit) {
  ScriptedModem m;
  m.AnswerAll("00");
  modem::TProductionRecord rec{1, 2, 3, 4, 0, 0};
  ASSERT_TRUE(m.node.WriteProductionRecord(rec));
  EXPECT_EQ(rec[4], 0x10);
  EXPECT_EQ(rec[5], 0x00);
  EXPECT_EQ(m.Commands(), (std::vector<std::string>{"4035010000000006010203041000", "4037010000000001"}));
}

TEST(ProductionRecord, ReadCopiesAtMostSixBytes) {
  ScriptedModem m;
  m.OnCommand([](const std::string &command) -> std::optional<std::string> {
    if (command == "4036020000000002") return "000801";
    return "00AABBCCDDEEFF1122";
  });
  modem::TProductionRecord rec{};
  bool flag = false;
  ASSERT_TRUE(m.node.ReadProductionRecord(rec, flag));
  EXPECT_TRUE(flag);
  EXPECT_EQ(rec, (modem::TProductionRecord{0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}));
}

TEST(Erase, WorkParamsAndFram) {
  ScriptedModem m;
  m.AnswerAll("00");
  EXPECT_TRUE(m.node.EraseWorkParams());
  EXPECT_TRUE(m.node.ErasePureFRAM());
  EXPECT_EQ(m.Commands(), (std::vector<std::string>{"4031030000000001", "4090030000000001"}));
}

TEST(WriteConfig, NeverSendsAnEmptyOrPartialImage) {
  RegionModem m(Bytes(40));
  // Values beyond 64 KiB in one section cannot be stored in an image.
  auto config = config::CreateConfig(nullptr);
  for (uint8_t k = 0; k < 17; ++k) config->GetRoot()->SetString(static_cast<uint8_t>(20 + k), std::string(4096, 'N'));
  ASSERT_TRUE(config->SaveToString().empty());
  EXPECT_FALSE(m.node.WriteConfig(config));
  EXPECT_EQ(m.node.ResultCode().Code, device::rcBadParams.Code);
  EXPECT_NE(m.node.ResultCode().Msg.find(device::rcBadParams.Msg), std::string::npos);
  EXPECT_FALSE(m.node.WriteConfig(nullptr));
  EXPECT_FALSE(m.node.WriteConfigImage("", 0));
  EXPECT_FALSE(m.node.WriteConfigImage("abc", 4));
  EXPECT_TRUE(m.Commands().empty());
  EXPECT_EQ(m.region, Bytes(40));
  EXPECT_EQ(m.details.entries.back().mode, TDeviceDetailMode::dmDoneFail);
}

TEST(WriteConfig, WritesTheSerialisedImageAndReadsItBack) {
  RegionModem m;
  auto config = config::CreateConfig(nullptr);
  config->GetZTNETSettings()->SetNetId(7);
  config->GetUserSettings()->SetNodeName("Узел 7");
  ASSERT_TRUE(m.node.WriteConfig(config)) << m.node.ResultCode().Msg;
  EXPECT_EQ(m.region, config->SaveToString());
  std::shared_ptr<config::IZTConfig> back;
  ASSERT_TRUE(m.node.ReadConfig(back));
  EXPECT_EQ(back->GetZTNETSettings()->GetNetId(), 7);
  EXPECT_EQ(back->GetUserSettings()->GetNodeName(), "Узел 7");

  m.AnswerAll("02");
  EXPECT_FALSE(m.node.ReadConfig(back));
  EXPECT_EQ(back, nullptr);
}
