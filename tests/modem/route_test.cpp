// Routes as typed, as the modem's record and as request hex.
#include <gtest/gtest.h>

#include "modem/route.h"

using namespace modem;

namespace {

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out.push_back(static_cast<char>(v));
  return out;
}

std::optional<std::string> RecordOf(const ParsedRoute &p) {
  return p.route ? std::optional<std::string>(p.route->Record()) : std::nullopt;
}

std::string NodeList(int from, int to) {
  std::string text;
  for (int i = from; i <= to; ++i) text += std::to_string(i) + (i < to ? "-" : "");
  return text;
}

}  // namespace

TEST(Route, RecordTextAndHexAreOneRoute) {
  auto route = Route::FromRecord(Bytes({1, 1, 5, 9}));
  ASSERT_TRUE(route);
  EXPECT_EQ(route->Text(), "1-5-9");
  EXPECT_EQ(route->Hex(), "01010509");
  EXPECT_EQ(Route::FromHex("01010509"), route);
  EXPECT_EQ(Route::FromHex("0001ff")->Hex(), "0001FF");  // lower-case digits are sent as capitals
  EXPECT_EQ(Route::FromNodes({1, 5, 9}), route);
  // The count byte must agree with the length; a record names two nodes at least.
  for (const std::string &bad : {Bytes({}), Bytes({0, 1}), Bytes({1, 1, 5}), Bytes({0, 1, 5, 9})})
    EXPECT_FALSE(Route::FromRecord(bad)) << bad.size();
  for (const char *bad : {"", "0001", "00010", "0001GG", "01010509 "}) EXPECT_FALSE(Route::FromHex(bad)) << bad;
  EXPECT_FALSE(Route::FromNodes({7}));
  EXPECT_FALSE(Route::FromNodes(std::vector<uint8_t>(258, 1)));
}

TEST(Route, TypedNodeLists) {
  struct Case {
    const char *text;
    std::optional<std::string> record;
  } cases[] = {
      {"1-5-2", Bytes({1, 1, 5, 2})},
      {"7", std::nullopt},
      {"1, 2", Bytes({0, 1, 2})},  // two delimiters in a row
      {"1-2 ", Bytes({0, 1, 2})},  // a trailing delimiter
      {"1.2/3\\4 5", Bytes({3, 1, 2, 3, 4, 5})},
      {"0000000001-00000000000000000002", Bytes({0, 1, 2})},  // zeros in front are decimal
      {"010-2", Bytes({0, 10, 2})},
      {"abc 1--5 999", std::nullopt},  // never written as 1-5
      {"", std::nullopt},
  };
  for (const auto &c : cases)
    EXPECT_EQ(RecordOf(ParseRouteText(c.text, kPtpRouteNodes)), c.record) << c.text;
  EXPECT_TRUE(ParseRouteText(NodeList(1, 29), kPtpRouteNodes).route);
  auto thirty = ParseRouteText(NodeList(1, 30), kPtpRouteNodes);
  EXPECT_FALSE(thirty.route);
  EXPECT_EQ(thirty.problem.kind, RouteProblem::TooManyNodes);
  EXPECT_EQ(thirty.problem.limit, 29u);
}

TEST(Route, RefusingNamesThePartThatIsNoNode) {
  struct Case {
    const char *text;
    RouteProblem::Kind kind;
    const char *part;
  } cases[] = {
      {"1-300-2", RouteProblem::NotANode, "300"},
      {"1-x-2", RouteProblem::NotANumber, "x"},
      {"1-+5-2", RouteProblem::NotANumber, "+5"},
      {"1-0x05-2", RouteProblem::NotANumber, "0x05"},  // nodes are decimal
      {"1-99999999999999999999-2", RouteProblem::NotANode, "99999999999999999999"},
      {"1-5-9a", RouteProblem::NotANumber, "9a"},
  };
  for (const auto &c : cases) {
    auto parsed = ParseRouteText(c.text, kChannelRouteNodes);
    EXPECT_FALSE(parsed.route) << c.text;
    EXPECT_EQ(parsed.problem.kind, c.kind) << c.text;
    EXPECT_EQ(parsed.problem.part, c.part) << c.text;
  }
  // Empty parts are still no parts.
  EXPECT_EQ(RecordOf(ParseRouteText("1, 2 ", kChannelRouteNodes)), Bytes({0, 1, 2}));
  // Each use has its own count: a 25-node route is a link route, not a channel's.
  EXPECT_TRUE(ParseRouteText(NodeList(1, 25), kPtpRouteNodes).route);
  EXPECT_FALSE(ParseRouteText(NodeList(1, 25), kChannelRouteNodes).route);
}

TEST(Route, ChannelRoutesInTheWindowsWords) {
  struct Case {
    std::string text;
    const char *hex;      // nullptr: refused
    const char *problem;  // the window's words for a refusal
  } cases[] = {
      {"001 002 003", "01010203", nullptr},  // the grouped form of older versions
      {"1-7", "000107", nullptr},
      {"12  34  255", "010C22FF", nullptr},
      {"1  ", nullptr, "в маршруте меньше двух адресов"},
      {"", nullptr, "в маршруте меньше двух адресов"},
      {"001 300 002", nullptr, "адрес 300 в маршруте больше 255"},
      {"1-0x1-2", nullptr, "в маршруте не число: 0x1"},
      {NodeList(1, 25), nullptr, "в маршруте больше 24 адресов"},
  };
  for (const auto &c : cases) {
    auto parsed = ParseRouteText(c.text, kChannelRouteNodes);
    if (c.hex) {
      ASSERT_TRUE(parsed.route) << c.text << ": " << RouteProblemText(parsed.problem);
      EXPECT_EQ(parsed.route->Hex(), c.hex) << c.text;
    } else {
      EXPECT_FALSE(parsed.route) << c.text;
      EXPECT_EQ(RouteProblemText(parsed.problem), c.problem) << c.text;
    }
  }
}
