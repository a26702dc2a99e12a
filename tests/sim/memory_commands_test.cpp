// The simulated modem's memories, mesh layer and channels, request by
// request, with a clock the test moves by hand.
#include <gtest/gtest.h>

#include "answer_decoder.h"
#include "sim/config_image.h"
#include "sim/sim_modem.h"
#include "util/format.h"
#include "util/hex.h"

namespace sim {
namespace {

using sim_test::Bytes;

class MemoryCommandsTest : public ::testing::Test {
 protected:
  int64_t now_ = 50000;
  SimModem modem{[this] { return now_; }};

  // Status and data of one request given in hex.
  std::pair<int, std::string> Ask(const std::string &hex) {
    RequestFrame frame;
    frame.destination = 255;
    frame.command = util::HexToBytes(hex, static_cast<uint16_t>(hex.size() / 2), false);
    auto reply = modem.Answer(frame);
    if (!reply) return {-1, {}};
    auto answer = sim_test::DecodeBinAnswer(reply->bytes);
    EXPECT_TRUE(answer.ok) << hex;
    return {answer.status, answer.data};
  }
  std::string Data(const std::string &hex) {
    auto [status, data] = Ask(hex);
    EXPECT_EQ(status, 0) << hex;
    return data;
  }
};

TEST(ConfigImage, TheDocumentedExampleByteForByte) {
  ImageSection root;
  root.Byte(1, 5).Section(2, ImageSection().String(10, "AB"));
  EXPECT_EQ(util::BytesToHex(BuildImage(root)), "0C000000020101050002000E000B" "0B00000001" "0A091700024142" "14");
}

TEST_F(MemoryCommandsTest, TheConfigurationRegionTakesANewImageThroughTheSizeAndTheBlocks) {
  const std::string size = Data("4001000000000002");
  const uint16_t imageSize = static_cast<uint16_t>(static_cast<uint8_t>(size[0]) | static_cast<uint8_t>(size[1]) << 8);
  EXPECT_GT(imageSize, 40);
  EXPECT_LE(imageSize, MemoryState::kConfigCapacity);
  // The whole region reads, one byte past it does not.
  EXPECT_EQ(Data("40000000000000FF").size(), 255u);
  EXPECT_EQ(Data("400000C00100001C").size(), 28u);
  EXPECT_EQ(Ask("400000DC01000001").first, 2);

  EXPECT_EQ(Ask("40010100000000000000").first, 2);  // an empty image is refused
  EXPECT_EQ(Ask("4001010000000000DD01").first, 2);  // 477 bytes do not fit
  EXPECT_EQ(Ask("40010100000000000400").first, 0);
  EXPECT_EQ(Data("4001000000000002"), std::string("\x04\x00", 2));
  EXPECT_EQ(Ask("400001000000000404000000").first, 0);
  EXPECT_EQ(Ask("400001030000000201").first, 2);  // past the announced size
  EXPECT_EQ(Ask("400001000000000201").first, 2);  // count and data disagree
  EXPECT_EQ(Data("4000000000000004"), std::string("\x04\x00\x00\x00", 4));
}

TEST_F(MemoryCommandsTest, TablesAndParameters) {
  // The modem's table lists its mesh: 16 items, node 3 below node 1, item 4 free.
  EXPECT_EQ(Data("4004020000000004"), std::string("\x90\x00\x00\x00", 4));
  EXPECT_EQ(Data("4005020000000001"), std::string("\x10\x00", 2));
  const std::string items = Data("4007000300000002");  // items 3 and 4
  ASSERT_EQ(items.size(), 18u);
  EXPECT_EQ(items[0], 1);  // in use
  EXPECT_EQ(items.substr(2, 2), std::string("\x01\x00", 2));  // parent: item 1
  EXPECT_EQ(items[9], 0);  // free
  EXPECT_EQ(items.substr(9 + 2, 2), std::string("\xFF\xFF", 2));
  EXPECT_EQ(Data("4003000900000009"), Data("4007000100000001"));  // raw bytes and items agree
  EXPECT_EQ(Ask("4007000F00000002").first, 2);  // past the last item

  EXPECT_EQ(Data("4011020000000001"), std::string(1, '\x03'));  // a route per remote node
  EXPECT_EQ(Data("4010000200000001"), std::string("\x03\x00\x01\x00", 4));  // node 3 through node 1
  EXPECT_EQ(Data("4086020000000001"), std::string("\x00\x08", 2));
  EXPECT_EQ(Data("4089020000000001"), std::string("\x00\x08", 2));
  EXPECT_EQ(Data("4091020000000001"), std::string("\x00\x20", 2));
  EXPECT_EQ(Ask("4091020000000002").first, 2);
}

TEST_F(MemoryCommandsTest, TheRadioTraceSitsAtItsRamAddress) {
  const std::string trace = Data("4088008104000020") + Data("408800A104000020") + Data("408800C104000020") +
                            Data("408800E104000020") + Data("4088000105000001");
  ASSERT_EQ(trace.size(), 129u);
  EXPECT_LT(static_cast<uint8_t>(trace[0]), 32);
  for (size_t k = 0; k < 32; ++k) {
    const int event = static_cast<uint8_t>(trace[1 + 4 * k]);
    EXPECT_TRUE(event >= 8 && event <= 11) << k;
  }
}

TEST_F(MemoryCommandsTest, ProductionBytesTakeEffectOnCommit) {
  const std::string before = Data("4035000000000006");
  EXPECT_EQ(Data("4036020000000002"), std::string("\x06\x01", 2));
  ASSERT_EQ(Ask("4035010000000006010203041000").first, 0);
  EXPECT_EQ(Data("4035000000000006"), before);
  ASSERT_EQ(Ask("4037010000000001").first, 0);
  EXPECT_EQ(Data("4035000000000006"), std::string("\x01\x02\x03\x04\x10\x00", 6));
  EXPECT_EQ(Data("4036020000000002"), std::string("\x06\x01", 2));
  // A wrong check word is stored but flagged.
  ASSERT_EQ(Ask("4035010000000006010203040000").first, 0);
  ASSERT_EQ(Ask("4037010000000001").first, 0);
  EXPECT_EQ(Data("4036020000000002"), std::string("\x06\x00", 2));
  EXPECT_EQ(Ask("4037010000000001").first, 2);  // nothing written since
}

TEST_F(MemoryCommandsTest, EraseWorkParamsAndFram) {
  EXPECT_EQ(Data("4032020000000002")[1], 1);
  ASSERT_EQ(Ask("4031030000000001").first, 0);
  EXPECT_EQ(Data("4032020000000002")[1], 0);
  EXPECT_EQ(Data("4031000000000004"), std::string(4, '\xFF'));
  EXPECT_NE(Data("4090001000000004"), std::string(4, '\xFF'));
  ASSERT_EQ(Ask("4090030000000001").first, 0);
  EXPECT_EQ(Data("4090001000000004"), std::string(4, '\xFF'));
  EXPECT_EQ(Ask("4088030000000001").first, 2);  // RAM cannot be erased
}

TEST_F(MemoryCommandsTest, MeshNodeTableFollowsTheRemoteNodes) {
  const std::string first = Data("1E0A00");
  ASSERT_EQ(first.size(), 14u);
  EXPECT_EQ(first[0], 3);  // entries
  EXPECT_EQ(first[1], 3);  // active
  modem.GetMesh().AddNode(9, now_);
  EXPECT_EQ(Data("1E0A00")[0], 4);
  EXPECT_EQ(Data("1E0A03").substr(3, 2), std::string("\x09\x00", 2));
  EXPECT_EQ(Ask("1E0A04").first, 2);
  EXPECT_EQ(Data("1E01")[10], 4);  // node count of the common context

  EXPECT_EQ(Ask("1EBB0200").first, 0);
  EXPECT_EQ(Data("1E0A01")[2], 0);  // node 2 stays listed, inactive
  EXPECT_EQ(Data("1E01")[10], 3);
  EXPECT_EQ(Ask("1EBB0200").first, 18);  // already gone
  EXPECT_EQ(Ask("1EBB0300").first, 18);  // not a child of ours: it hangs below node 1
  EXPECT_EQ(Data("1E02").size(), 26u);
}

TEST_F(MemoryCommandsTest, NodeTableRoutesAndMeshTableDescribeTheSameNodes) {
  modem.GetMesh().AddNode(9, now_);
  const std::string countBytes = Data("4005020000000001");
  const size_t count = static_cast<uint8_t>(countBytes[0]) | static_cast<uint8_t>(countBytes[1]) << 8;
  EXPECT_EQ(count, 16u);  // never shorter than what the node-table page reads by default
  std::string items;
  for (size_t first = 0; first < count; first += 3)
    items += Data(util::Format("4007%2.2x%2.2x000000%2.2x", 0, first, std::min<size_t>(3, count - first)));
  ASSERT_EQ(items.size(), count * 9);
  auto inUse = [&](size_t i) { return items[i * 9] != 0; };
  auto parent = [&](size_t i) { return static_cast<uint8_t>(items[i * 9 + 2]) | static_cast<uint8_t>(items[i * 9 + 3]) << 8; };
  EXPECT_TRUE(inUse(0));
  EXPECT_EQ(parent(0), 0xFFFF);

  const std::string routes = Data("4010000000000004");
  ASSERT_EQ(Data("4011020000000001"), std::string(1, '\x04'));
  const size_t entries = static_cast<uint8_t>(Data("1E0A00")[0]);
  ASSERT_EQ(entries, 4u);
  size_t used = 0;
  for (size_t i = 1; i < count; ++i) used += inUse(i) ? 1 : 0;
  EXPECT_EQ(used, entries);
  for (size_t k = 0; k < entries; ++k) {
    const std::string entry = Data(util::Format("1E0A%2.2x", k)).substr(2);
    const size_t address = static_cast<uint8_t>(entry[1]) | static_cast<uint8_t>(entry[2]) << 8;
    const size_t destination = static_cast<uint8_t>(routes[4 * k]) | static_cast<uint8_t>(routes[4 * k + 1]) << 8;
    const size_t hop = static_cast<uint8_t>(routes[4 * k + 2]) | static_cast<uint8_t>(routes[4 * k + 3]) << 8;
    SCOPED_TRACE(address);
    EXPECT_EQ(destination, address);
    ASSERT_TRUE(inUse(address));
    // A neighbour hangs under the modem (item 0), the others under their hop.
    EXPECT_EQ(parent(address), hop == address ? 0u : hop);
    EXPECT_EQ(items[address * 9 + 1], entry[5]);  // the same depth in both tables
    EXPECT_EQ(items[address * 9 + 6], entry[3]);  // and the same RSSI
  }
}

TEST_F(MemoryCommandsTest, ChannelsOpenCloseAndTimeOut) {
  EXPECT_FALSE(modem.ChannelOpen());
  ASSERT_EQ(Ask("120200C800").first, 0);  // one second of idle time-out
  EXPECT_TRUE(modem.ChannelOpen());
  now_ += 900;
  modem.NoteChannelTraffic();
  now_ += 900;
  EXPECT_TRUE(modem.ChannelOpen());
  now_ += 100;
  EXPECT_FALSE(modem.ChannelOpen());

  ASSERT_EQ(Ask("120303D0070301010509").first, 0);
  EXPECT_EQ(Ask("128103000102").first, 0);  // another route: stays open
  EXPECT_TRUE(modem.ChannelOpen());
  EXPECT_EQ(Ask("12810301010509").first, 0);
  EXPECT_FALSE(modem.ChannelOpen());

  EXPECT_EQ(Ask("12010000000302010509").first, 2);  // count byte disagrees
  EXPECT_EQ(Ask("120210D007").first, 2);            // speed code 16
  ASSERT_EQ(Ask("12040C").first, 0);
  EXPECT_EQ(modem.State().channel.termAddress, 12);
  EXPECT_EQ(Ask("1284").first, 0);
  EXPECT_FALSE(modem.ChannelOpen());
  ASSERT_EQ(Ask("1202000000").first, 0);  // no time-out
  now_ += 3600 * 1000;
  EXPECT_TRUE(modem.ChannelOpen());
  EXPECT_EQ(Ask("12820000").first, 0);
  EXPECT_FALSE(modem.ChannelOpen());
}

TEST_F(MemoryCommandsTest, RemoteNodesKeepTheirOwnMemories) {
  RemoteNode *node = modem.GetMesh().FindNode(2);
  ASSERT_NE(node, nullptr);
  EXPECT_NE(node->state.memory.config, modem.State().memory.config);
  EXPECT_EQ(node->state.memory.routes.size(), 4u);
}

}  // namespace
}  // namespace sim
