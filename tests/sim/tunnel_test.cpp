// The tunnel to remote nodes, driven with raw BIN frames on the wire: each
// request is built by the framing rules, parsed by the modem's own parser,
// and its answer decoded by the test's decoder.
#include <gtest/gtest.h>

#include <set>

#include "answer_decoder.h"
#include "sim/sim_modem.h"
#include "util/codepage.h"

namespace sim {
namespace {

using sim_test::Bytes;

// Destination 255, source 0, check byte, ESC doubled.
std::string BinRequest(const std::string &command) {
  std::string body = Bytes({0xFF, 0x00}) + command;
  uint8_t check = 0xFF;
  for (char c : body) check ^= static_cast<uint8_t>(c);
  body.push_back(static_cast<char>(check));
  std::string wire = Bytes({0x1B, 0x01});
  for (char c : body) {
    wire.push_back(c);
    if (c == '\x1B') wire.push_back(c);
  }
  return wire + Bytes({0x1B, 0x00});
}

struct Status3 {
  int s, rc, bl;
  bool operator==(const Status3 &) const = default;
};

std::ostream &operator<<(std::ostream &out, const Status3 &st) {
  return out << "S:" << st.s << " RC:" << st.rc << " BL:" << st.bl;
}

class TunnelTest : public ::testing::Test {
 protected:
  int64_t now_ = 1000;
  SimModem modem{[this] { return now_; }};
  RequestParser parser;

  sim_test::DecodedAnswer Exchange(const std::string &command) {
    std::optional<RequestFrame> frame;
    for (char c : BinRequest(command)) {
      if (auto f = parser.Push(static_cast<uint8_t>(c))) frame = f;
    }
    EXPECT_TRUE(frame);
    if (!frame) return {};
    auto reply = modem.Answer(*frame);
    EXPECT_TRUE(reply);
    if (!reply) return {};
    auto answer = sim_test::DecodeBinAnswer(reply->bytes);
    EXPECT_TRUE(answer.ok);
    return answer;
  }

  uint8_t Send(uint16_t address, const std::string &command) {
    auto answer = Exchange(Bytes({0x18, 0x01, address & 0xFF, address >> 8}) + command);
    EXPECT_EQ(answer.status, 0);
    EXPECT_EQ(answer.data.size(), 1u);
    return answer.data.empty() ? 0 : static_cast<uint8_t>(answer.data[0]);
  }
  Status3 Poll(uint8_t id) {
    auto answer = Exchange(Bytes({0x18, 0x02, id}));
    EXPECT_EQ(answer.status, 0);
    EXPECT_EQ(answer.data.size(), 3u);
    if (answer.data.size() != 3) return {-1, -1, -1};
    return {static_cast<uint8_t>(answer.data[0]), static_cast<uint8_t>(answer.data[1]),
            static_cast<uint8_t>(answer.data[2])};
  }
  sim_test::DecodedAnswer Fetch(uint8_t id) { return Exchange(Bytes({0x18, 0x03, id})); }

  // Sends, polls until finished (at most `maxPolls`), returns the last status.
  Status3 RunToEnd(uint8_t id, int maxPolls, int *polls) {
    Status3 st{};
    for (*polls = 1; *polls <= maxPolls; ++*polls) {
      st = Poll(id);
      if (st.s == 0) break;
    }
    return st;
  }
};

TEST_F(TunnelTest, DefaultMeshHasThreeNodesThatAnswerAfterOneUnfinishedPoll) {
  EXPECT_EQ(modem.GetMesh().Addresses(), (std::vector<uint16_t>{1, 2, 3}));
  const uint8_t id = Send(2, Bytes({0x15, 0x01}));
  EXPECT_EQ(Poll(id), (Status3{1, 0, 0}));
  const std::string version = util::Utf8ToCp866(modem.GetMesh().FindNode(2)->state.versionText);
  EXPECT_EQ(Poll(id), (Status3{0, 0, static_cast<int>(version.size() + 1)}));
  const auto answer = Fetch(id);
  EXPECT_EQ(answer.status, 0);
  EXPECT_EQ(answer.data, '\x00' + version);  // the remote node's status, then its data
  EXPECT_NE(util::Cp866ToUtf8(version).find("узел 2"), std::string::npos);
  EXPECT_NE(Send(2, Bytes({0x15, 0x01})), id);  // every send gets a new id
}

TEST_F(TunnelTest, CommandStaysUnfinishedForTheSettablePolls) {
  modem.GetMesh().FindNode(1)->pendingPolls = 3;
  const uint8_t id = Send(1, Bytes({0x1C, 0xC1}));
  int polls = 0;
  EXPECT_EQ(RunToEnd(id, 10, &polls), (Status3{0, 0, 7}));
  EXPECT_EQ(polls, 4);
  EXPECT_EQ(Fetch(id).data, Bytes({0, 0, 0, 0, 0, 0, 0}));
  // Polling a finished command again repeats its status; fetching again repeats its answer.
  EXPECT_EQ(Poll(id), (Status3{0, 0, 7}));
  EXPECT_EQ(Fetch(id).data.size(), 7u);
  const TunnelCounters &counters = modem.GetMesh().Counters();
  EXPECT_EQ(counters.sends, 1u);
  EXPECT_EQ(counters.polls, 5u);
  EXPECT_EQ(counters.fetches, 2u);
}

TEST_F(TunnelTest, MeshDelayKeepsTheCommandUnfinishedUntilItsTime) {
  RemoteNode *node = modem.GetMesh().FindNode(2);
  node->pendingPolls = 0;
  node->meshDelayMs = 20;
  const uint8_t id = Send(2, Bytes({0x15, 0x01}));
  now_ += 19;
  EXPECT_EQ(Poll(id).s, 1);
  now_ += 1;
  EXPECT_EQ(Poll(id).s, 0);
  // Polls and time both hold a command back: the later of the two decides.
  node->pendingPolls = 2;
  const uint8_t second = Send(2, Bytes({0x15, 0x01}));
  now_ += 50;
  int polls = 0;
  EXPECT_EQ(RunToEnd(second, 10, &polls).s, 0);
  EXPECT_EQ(polls, 3);
}

TEST_F(TunnelTest, UnknownNodeFinishesAtOnceWithStatus18) {
  const uint8_t id = Send(0x1234, Bytes({0x15, 0x01}));
  EXPECT_EQ(Poll(id), (Status3{0, 0x12, 0}));
  EXPECT_EQ(Fetch(id).data, "");
}

TEST_F(TunnelTest, PerNodeFaults) {
  Mesh &mesh = modem.GetMesh();
  mesh.FindNode(1)->faults.noAnswer = true;
  mesh.FindNode(2)->faults.emptyAnswer = true;
  mesh.FindNode(3)->faults.remoteStatus = 0x13;
  mesh.AddNode(7, now_).faults.answerStatus = 0x42;

  int polls = 0;
  const uint8_t silent = Send(1, Bytes({0x15, 0x01}));
  EXPECT_EQ(RunToEnd(silent, 20, &polls), (Status3{1, 0, 0}));
  EXPECT_EQ(Fetch(silent).status, 4);  // nothing to fetch yet

  const uint8_t empty = Send(2, Bytes({0x15, 0x01}));
  EXPECT_EQ(RunToEnd(empty, 5, &polls), (Status3{0, 0, 0}));
  EXPECT_EQ(Fetch(empty).data, "");

  const uint8_t refused = Send(3, Bytes({0x1B, 0x02, 0x0A, 0x05}));
  EXPECT_EQ(RunToEnd(refused, 5, &polls), (Status3{0, 0x13, 0}));
  EXPECT_EQ(mesh.FindNode(3)->commandsRun, 0u);
  EXPECT_EQ(mesh.FindNode(3)->state.registers.Get(0x0A), 0);

  const uint8_t failing = Send(7, Bytes({0x15, 0x01}));
  EXPECT_EQ(RunToEnd(failing, 5, &polls), (Status3{0, 0, 1}));
  EXPECT_EQ(Fetch(failing).data, Bytes({0x42}));
}

TEST_F(TunnelTest, EachNodeKeepsItsOwnState) {
  int polls = 0;
  const uint8_t write = Send(3, Bytes({0x1B, 0x02, 0x0A, 0x1B}));  // an ESC in the command, too
  RunToEnd(write, 5, &polls);
  EXPECT_EQ(Fetch(write).data, Bytes({0x00}));
  const uint8_t read = Send(3, Bytes({0xEB, 0x01, 0x0A, 0x01}));
  RunToEnd(read, 5, &polls);
  EXPECT_EQ(Fetch(read).data, Bytes({0x00, 0x1B}));
  EXPECT_EQ(modem.State().registers.Get(0x0A), 0);  // the direct modem's radio is untouched
  EXPECT_EQ(modem.GetMesh().FindNode(2)->state.registers.Get(0x0A), 0);
  EXPECT_EQ(modem.State().lastPacket.address, 3);  // the last node heard from

  // A remote node has no tunnel of its own.
  const uint8_t nested = Send(3, Bytes({0x18, 0x01, 0x01, 0x00, 0x15, 0x01}));
  RunToEnd(nested, 5, &polls);
  EXPECT_EQ(Fetch(nested).data, Bytes({0x03}));
}

TEST_F(TunnelTest, RemoteRestartTakesTheNodeOffTheNetForAWhile) {
  int polls = 0;
  const uint8_t restart = Send(1, Bytes({0xFD}));
  RunToEnd(restart, 5, &polls);
  const uint8_t during = Send(1, Bytes({0x15, 0x01}));
  EXPECT_EQ(RunToEnd(during, 5, &polls), (Status3{0, 0x13, 0}));
  now_ += modem.GetMesh().FindNode(1)->state.restartSilenceMs;
  const uint8_t after = Send(1, Bytes({0x15, 0x01}));
  EXPECT_EQ(RunToEnd(after, 5, &polls).rc, 0);
}

TEST_F(TunnelTest, DirectModemRestartForgetsTheRequestsInFlight) {
  const uint8_t id = Send(1, Bytes({0x15, 0x01}));
  EXPECT_EQ(Exchange(Bytes({0xFD})).status, 0);
  now_ += modem.State().restartSilenceMs;
  EXPECT_EQ(Exchange(Bytes({0x18, 0x02, id})).status, 16);
}

TEST_F(TunnelTest, BadTunnelRequests) {
  EXPECT_EQ(Exchange(Bytes({0x18, 0x01, 0x01, 0x00})).status, 2);  // no command
  EXPECT_EQ(Exchange(Bytes({0x18, 0x02})).status, 2);
  EXPECT_EQ(Exchange(Bytes({0x18, 0x02, 0x77})).status, 16);  // no such request
  EXPECT_EQ(Exchange(Bytes({0x18, 0x03, 0x77})).status, 16);
  // The modem remembers a limited number of requests.
  const uint8_t first = Send(1, Bytes({0x15, 0x01}));
  for (size_t k = 0; k < Mesh::kMaxRequests; ++k) Send(1, Bytes({0x15, 0x01}));
  EXPECT_EQ(Exchange(Bytes({0x18, 0x02, first})).status, 16);
}

TEST_F(TunnelTest, RequestIdsWrapAroundWithoutZero) {
  std::set<int> seen;
  for (int k = 0; k < 300; ++k) seen.insert(Send(1, Bytes({0x15, 0x01})));
  EXPECT_EQ(seen.size(), 255u);
  EXPECT_EQ(seen.count(0), 0u);
}

}  // namespace
}  // namespace sim
