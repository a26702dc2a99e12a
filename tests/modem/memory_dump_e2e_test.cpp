// Dump reads of every memory, whole and in part, against the simulated
// modem: the requests that go out, where the bytes belong and what they are.
#include <gtest/gtest.h>

#include <functional>

#include "modem/memory_dump.h"
#include "sim/sim_modem.h"
#include "support/sim_fixture.h"

using modem::TDumpMemory;
using modem::TDumpRequest;

namespace {

class DumpReads : public testing_support::SimLineTest {
 protected:
  void SetUp() override {
    SimLineTest::SetUp();
    node.OnSendPacket = [this](device::TCustomDevice &, const std::string &, const std::string &command) {
      sent.push_back(command);
    };
  }
  sim::MemoryState Memories() {
    sim::MemoryState m;
    server.WithModem([&](sim::SimModem &s) {
      m = s.State().memory;
      m.nodeTable = s.NodeTable();  // the direct modem's table follows its mesh
    });
    return m;
  }
  std::vector<std::string> sent;
};

struct Row {
  const char *what;
  TDumpRequest request;
  std::vector<std::string> firstRequests;  // the requests that open the read
  size_t requestCount;
  uint32_t address;  // where the bytes belong
  std::function<std::string(const sim::MemoryState &)> expected;
};

TEST_F(DumpReads, EveryRowOfTheReadTable) {
  const Row rows[] = {
      {"used configuration", {TDumpMemory::ConfigUsed, false, 0x40, 0x10}, {"4001000000000002", "4000000000000020"}, 0,
       0, [](const sim::MemoryState &m) { return m.config.substr(0, m.configSize); }},
      {"full configuration: 14 blocks of 32 and one of 28",
       {TDumpMemory::ConfigFull, true, 0, 0},
       {"4000000000000020"},
       15,
       0,
       [](const sim::MemoryState &m) { return m.config; }},
      {"configuration part, address and size modulo 65536",
       {TDumpMemory::ConfigFull, false, 0x10010, 0x10020},
       {"4000001000000020"},
       1,
       0x10,
       [](const sim::MemoryState &m) { return m.config.substr(0x10, 0x20); }},
      {"node table whole",
       {TDumpMemory::NodeTable, true, 0, 0},
       {"4004020000000004", "4003000000000020"},
       6,
       0,
       [](const sim::MemoryState &m) { return m.nodeTable; }},
      {"node table from 0x10",
       {TDumpMemory::NodeTable, false, 0x10, 0x20},
       {"4003001000000020"},
       1,
       0x10,
       [](const sim::MemoryState &m) { return m.nodeTable.substr(0x10, 0x20); }},
      {"work parameters whole",
       {TDumpMemory::WorkParams, true, 0, 0},
       {"4032020000000002", "4031000000000018"},
       2,
       0,
       [](const sim::MemoryState &m) { return m.workParams; }},
      {"work parameters at 0x110 read from 0x10",
       {TDumpMemory::WorkParams, false, 0x110, 8},
       {"4031001000000008"},
       1,
       0x10,
       [](const sim::MemoryState &m) { return m.workParams.substr(0x10, 8); }},
      {"production information is not read", {TDumpMemory::ProductionInfo, true, 0, 0}, {}, 0, 0, nullptr},
      {"EEPROM whole", {TDumpMemory::PureEEPROM, true, 0, 0}, {"4086020000000001", "4085000000000020"}, 65, 0,
       [](const sim::MemoryState &m) { return m.config.substr(0, 0x20); }},
      {"EEPROM part", {TDumpMemory::PureEEPROM, false, 0x200, 0x18}, {"4085000002000018"}, 1, 0x200,
       [](const sim::MemoryState &m) { return m.workParams; }},
      {"EEPROM part of size 0 reads nothing", {TDumpMemory::PureEEPROM, false, 0x200, 0x10000}, {}, 0, 0x200, nullptr},
      {"RAM part", {TDumpMemory::PureMemory, false, 0x481, 0x81}, {"4088008104000020"}, 5, 0x481,
       [](const sim::MemoryState &m) { return m.ram.substr(0x481, 0x81); }},
      {"FRAM whole", {TDumpMemory::PureFRAM, true, 0, 0}, {"4091020000000001", "4090000000000020"}, 257, 0,
       [](const sim::MemoryState &m) { return m.fram.substr(0, 0x20); }},
      {"data flash is not read", {TDumpMemory::PureDataFlash, false, 0, 0x10}, {}, 0, 0, nullptr},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.what);
    sent.clear();
    const modem::TDumpRead read = modem::ReadDump(node, row.request);
    ASSERT_GE(sent.size(), row.firstRequests.size());
    for (size_t k = 0; k < row.firstRequests.size(); ++k) EXPECT_EQ(sent[k], row.firstRequests[k]) << k;
    if (row.requestCount > 0) {
      EXPECT_EQ(sent.size(), row.requestCount);
    }
    EXPECT_EQ(read.address, row.address);
    if (!row.expected) {
      EXPECT_TRUE(sent.empty());
      EXPECT_FALSE(read.attempted);
      continue;
    }
    ASSERT_TRUE(read.ok) << node.ResultCode().Msg;
    const std::string want = row.expected(Memories());
    EXPECT_EQ(read.bytes.substr(0, want.size()), want);
  }
  EXPECT_EQ(sent.size(), 0u);
}

TEST_F(DumpReads, WholeReadsHaveTheRegionSizes) {
  const std::pair<TDumpMemory, size_t> sizes[] = {
      {TDumpMemory::ConfigFull, 476}, {TDumpMemory::NodeTable, 144}, {TDumpMemory::WorkParams, 24},
      {TDumpMemory::PureEEPROM, 2048}, {TDumpMemory::PureMemory, 2048}, {TDumpMemory::PureFRAM, 8192}};
  for (auto [memory, size] : sizes) {
    const auto read = modem::ReadDump(node, {memory, true, 0, 0});
    EXPECT_TRUE(read.ok) << modem::DumpMemoryInfo(memory).name;
    EXPECT_EQ(read.bytes.size(), size) << modem::DumpMemoryInfo(memory).name;
  }
}

TEST_F(DumpReads, FramWhoseSizeIsNotToldIsReadForOneByte) {
  node.Transactions = 1;
  sim::Faults faults;
  faults.dropNextAnswers = 1;
  SetFaults(faults);
  const auto read = modem::ReadDump(node, {TDumpMemory::PureFRAM, true, 0, 0});
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0], "4091020000000001");
  EXPECT_EQ(sent[1], "4090000000000001");
  ASSERT_TRUE(read.ok);
  EXPECT_EQ(read.bytes, Memories().fram.substr(0, 1));
  EXPECT_TRUE(read.sizeGuessed);
}

TEST_F(DumpReads, ProgressCountsBytesOfTheTransfer) {
  std::vector<std::pair<size_t, size_t>> steps;
  node.OnTransferProgress = [&](size_t done, size_t total) { steps.emplace_back(done, total); };
  ASSERT_TRUE(modem::ReadDump(node, {TDumpMemory::PureMemory, false, 0x481, 0x81}).ok);
  const std::vector<std::pair<size_t, size_t>> expected{{0, 129}, {32, 129}, {64, 129}, {96, 129}, {128, 129},
                                                        {129, 129}};
  EXPECT_EQ(steps, expected);
}

TEST_F(DumpReads, OnlyWorkParametersAndFramAreErased) {
  for (const auto &m : modem::DumpMemories()) {
    sent.clear();
    EXPECT_EQ(modem::EraseDumpMemory(node, m.memory), m.erasable) << m.name;
    EXPECT_EQ(sent.size(), m.erasable ? 1u : 0u) << m.name;
  }
  const auto memories = Memories();
  EXPECT_EQ(memories.workParams, std::string(memories.workParams.size(), '\xFF'));
  EXPECT_EQ(memories.fram, std::string(memories.fram.size(), '\xFF'));
}

TEST(DumpMemoryNames, FoundByCaptionOrNameInAnyCase) {
  EXPECT_EQ(modem::FindDumpMemory("Pure EEPROM")->memory, TDumpMemory::PureEEPROM);
  EXPECT_EQ(modem::FindDumpMemory("pure memory")->memory, TDumpMemory::PureMemory);
  EXPECT_EQ(modem::FindDumpMemory("FRAM")->memory, TDumpMemory::PureFRAM);
  EXPECT_EQ(modem::FindDumpMemory("flash"), nullptr);
}

}  // namespace
