#include <gtest/gtest.h>

#include "device/result_code.h"
#include "modem/frame_codec.h"
#include "modem/modem_status.h"
#include "modem/ziz2400.h"
#include "support/scripted_port.h"
#include "util/hex.h"

using namespace modem;
using testing_support::Reply;
using testing_support::ScriptedPort;

namespace {
std::string B(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s.push_back(static_cast<char>(b));
  return s;
}
}  // namespace

TEST(Requests, BinAndAsciiFramesOfVersionCommand) {
  EXPECT_EQ(BuildBinRequest(255, 0, "1501"), B({0x1B, 0x01, 0xFF, 0x00, 0x15, 0x01, 0x14, 0x1B, 0x00}));
  EXPECT_EQ(BuildAsciiRequest(255, 0, "1501"), "/FF001501!15\r\n");
}

TEST(Requests, EscInBodyAndInCheckByteIsDoubled) {
  // Address 27 is ESC.
  EXPECT_EQ(BuildBinRequest(27, 0, "15"), B({0x1B, 0x01, 0x1B, 0x1B, 0x00, 0x15, 0xF1, 0x1B, 0x00}));
  // FF ^ 01 ^ 00 ^ E5 = 1B: the check byte itself is ESC.
  EXPECT_EQ(BuildBinRequest(1, 0, "E5"), B({0x1B, 0x01, 0x01, 0x00, 0xE5, 0x1B, 0x1B, 0x1B, 0x00}));
  // An odd last digit is dropped.
  EXPECT_EQ(BuildBinRequest(255, 0, "15012"), BuildBinRequest(255, 0, "1501"));
}

TEST(BinAnswers, ZeroRunDecodesAndPassesTheCheck) {
  std::string wire = B({0x1B, 0x01, 0x00, 0x05, 0x00, 0x12, 0x1B, 0x02, 0x34, 0xDC, 0x1B, 0x00});
  auto body = UnstuffFrame(wire);
  ASSERT_TRUE(body);
  EXPECT_EQ(util::BytesToHex(*body), "0005001200003" "4DC");
  auto frame = FindBinAnswer(wire, 0, 255);
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->status, 0);
  EXPECT_EQ(frame->frameData, "0012000034");
}

TEST(BinAnswers, SearchRules) {
  const std::string good = B({0x1B, 0x01, 0x00, 0x05, 0x00, 0x12, 0x1B, 0x02, 0x34, 0xDC, 0x1B, 0x00});
  // FF^00^05^00^AA = 50
  const std::string other = B({0x1B, 0x01, 0x00, 0x05, 0x00, 0xAA, 0x50, 0x1B, 0x00});
  std::string badCheck = good;
  badCheck[9] = 0x00;
  struct Case {
    const char *name;
    std::string buffer;
    uint8_t deviceId;
    const char *data;  // nullptr: no answer
  } cases[] = {
      {"any source with 255", good, 255, "0012000034"},
      {"own source", good, 5, "0012000034"},
      {"wrong source", good, 6, nullptr},
      {"noise before", B({0x33, 0x1B, 0x07, 0x1B, 0x01, 0x44}) + good, 255, "0012000034"},
      {"first of two wins", other + good, 255, "00AA"},
      {"bad check then good", badCheck + good, 255, "0012000034"},
      {"no end marker", good.substr(0, good.size() - 1), 255, nullptr},
      {"too short body", B({0x1B, 0x01, 0x00, 0xFF, 0x1B, 0x00}), 255, nullptr},
      {"wrong destination", B({0x1B, 0x01, 0x01, 0x05, 0x00, 0xFB, 0x1B, 0x00}), 255, nullptr},
  };
  for (const auto &c : cases) {
    auto frame = FindBinAnswer(c.buffer, 0, c.deviceId);
    if (!c.data) {
      EXPECT_FALSE(frame) << c.name;
    } else {
      ASSERT_TRUE(frame) << c.name;
      EXPECT_EQ(frame->frameData, c.data) << c.name;
    }
  }
}

TEST(BinAnswers, FloodOfFrameStartsIsSearchedQuickly) {
  std::string flood;
  for (int i = 0; i < 2500; ++i) flood += B({0x1B, 0x01});
  EXPECT_FALSE(FindBinAnswer(flood, 0, 255));
  // A good frame after an unfinished start is still found from its own start.
  EXPECT_TRUE(FindBinAnswer(B({0x1B, 0x01, 0x00, 0x05}) + B({0x1B, 0x01, 0x00, 0x05, 0x00, 0xFA, 0x1B, 0x00}), 0, 255));
}

TEST(AsciiAnswers, SearchRules) {
  struct Case {
    const char *name;
    std::string buffer;
    uint8_t deviceId;
    const char *data;
  } cases[] = {
      {"plain", "/0005001234!4B\r\n", 255, "001234"},
      {"lower case keeps its case", "/0005001a2b!4a\r\n", 5, "001a2b"},
      {"no CR, text before LF", "/000500!05 tail\n", 255, "00"},
      {"wrong source", "/000500!05\r\n", 6, nullptr},
      {"odd digit count", "/00050012345!4B\r\n", 255, nullptr},
      {"bad check", "/000500!06\r\n", 255, nullptr},
      {"no LF yet", "/000500!05\r", 255, nullptr},
      {"LF before bang", "/0005\n00!05\r\n", 255, nullptr},
      {"too short", "/0005!05\r\n", 255, nullptr},
      {"noise and a second slash", "xx/zz/000504!09\r\n", 255, "04"},
      {"noise slash lends no digits", "/000/0005001234!4B\r\n", 255, "001234"},
      {"short noise before the answer", "/0/0005001234!4B\r\n", 255, "001234"},
      {"non-digit inside the data", "/00050012 4!4B\r\n", 255, nullptr},
      {"non-digit check", "/000500!0x\r\n", 255, nullptr},
  };
  for (const auto &c : cases) {
    auto frame = FindAsciiAnswer(c.buffer, 0, c.deviceId);
    if (!c.data) {
      EXPECT_FALSE(frame) << c.name;
    } else {
      ASSERT_TRUE(frame) << c.name;
      EXPECT_EQ(frame->frameData, c.data) << c.name;
    }
  }
}

TEST(ModemStatus, TableAndUnlistedStatuses) {
  EXPECT_EQ(*ModemStatusRecord(0), device::rcOK);
  EXPECT_EQ(ModemStatusRecord(4)->Msg, "временно невозможно выполнить команду");
  EXPECT_EQ(ModemStatusRecord(81)->Code, 81);
  EXPECT_EQ(ModemStatusRecord(1), nullptr);
  EXPECT_EQ(ModemStatusRecord(15), nullptr);
}

TEST(Ziz2400, ExecutesOverAScriptedLineInBothProtocols) {
  ScriptedPort port;
  ZIZ2400 modem;
  modem.SetPort(&port);
  modem.SetDeviceId(255);
  modem.SetTimeOutMs(300);
  EXPECT_EQ(modem.GetHostAddr(), 0);
  EXPECT_EQ(modem.GetProtocol(), 0);

  port.SetResponder([](const std::string &) {
    return std::vector<Reply>{{B({0x1B, 0x01, 0x00, 0x05})}, {B({0x00, 0x12, 0x1B, 0x02, 0x34, 0xDC, 0x1B, 0x00})}};
  });
  modem.SetProtocol(kProtocolBin);
  modem.Execute("1501", 1, 2);
  EXPECT_EQ(modem.ResultCode(), device::rcOK);
  EXPECT_EQ(modem.AnswerData(), "0012000034");

  port.SetResponder([](const std::string &) { return std::vector<Reply>{{"/000504!09\r\n"}}; });
  modem.SetProtocol(0);
  modem.Execute("1501", 1, 2);
  EXPECT_EQ(modem.ResultCode().Msg, "временно невозможно выполнить команду");
  EXPECT_EQ(port.Sent().back(), "/FF001501!15\r\n");
  EXPECT_EQ(port.Sent().size(), 2u);  // status 4 is final: no retry

  // An unlisted status is not final: the attempt times out.
  port.SetResponder([](const std::string &) { return std::vector<Reply>{{"/000501!06\r\n"}}; });
  modem.Execute("1501", 1, 1);
  EXPECT_EQ(modem.ResultCode(), device::rcNoAnswer);
  EXPECT_EQ(modem.GetFrameData(), "01");
}
