// The "Команды" page: the link test loop and texts, its statistics, and the
// radio debug trace lines.
#include <gtest/gtest.h>

#include "modem/radio_trace.h"
#include "modem/link_test.h"

using namespace modem::link_test;

namespace {

struct ScriptedTest {
  std::vector<int> codes;  // result code of request i; 0 past the end
  std::vector<std::string> messages;
  int calls = 0;
  LinkTestOutcome Run(int total) {
    LinkTestHooks hooks;
    hooks.readVersion = [this] {
      int i = calls++;
      return i < static_cast<int>(codes.size()) ? codes[i] : 0;
    };
    hooks.message = [this](const std::string &m) { messages.push_back(m); };
    return RunLinkTest(total, hooks);
  }
};

}  // namespace

TEST(LinkTest, AllGoodGivesAMessageEveryTwentyRequests) {
  ScriptedTest t;
  auto out = t.Run(kLinkTestRequests);
  EXPECT_EQ(t.calls, 500);
  EXPECT_EQ(out.started, 500);
  EXPECT_EQ(out.good, 500);
  ASSERT_EQ(t.messages.size(), 25u);
  EXPECT_EQ(t.messages[0], "Cycle:0 / Good:0 / Total:500");
  EXPECT_EQ(t.messages[24], "Cycle:480 / Good:480 / Total:500");
  EXPECT_EQ(SummaryText(out, 500), "Cycle:500 / Good:500 / Total:500");
  EXPECT_EQ(out.roundTripsMs.size(), 500u);
}

TEST(LinkTest, StopAt37EndsTheLoopAndStillDividesBy500) {
  ScriptedTest t;
  t.codes.assign(37, 0);
  t.codes[21] = 1;  // one answer missing
  t.codes.push_back(6);
  auto out = t.Run(500);
  EXPECT_EQ(t.calls, 38);
  EXPECT_TRUE(out.stopped);
  EXPECT_EQ(SummaryText(out, 500), "Cycle:38 / Good:36 / Total:500");
  EXPECT_EQ(t.messages.back(), "Cycle:20 / Good:20 / Total:500");
  EXPECT_EQ(EndText(1234, 500), "Test: 1234 msec, 2.468 msec/request");
  auto stats = ComputeStats(out);
  EXPECT_EQ(stats.answered, 36);
  EXPECT_EQ(stats.lost, 1);  // the stopped request is no loss
  EXPECT_NEAR(stats.lostPercent, 100.0 / 37, 1e-9);
}

TEST(LinkTest, RoundTripStatistics) {
  LinkTestOutcome out;
  out.started = 22;
  out.good = 20;
  for (int i = 20; i >= 1; --i) out.roundTripsMs.push_back(i * 10.0);
  auto s = ComputeStats(out);
  EXPECT_EQ(s.minMs, 10);
  EXPECT_EQ(s.medianMs, 105);
  EXPECT_EQ(s.p95Ms, 190);
  EXPECT_EQ(s.maxMs, 200);
  EXPECT_EQ(s.lost, 2);
  EXPECT_EQ(StatsText(s),
            "Round trip: min 10.0 ms, median 105.0 ms, 95% 190.0 ms, max 200.0 ms; lost 9.1 % (2 of 22)");

  LinkTestOutcome none;
  none.started = 4;
  EXPECT_EQ(StatsText(ComputeStats(none)), "Round trip: no answers; lost 100.0 % (4 of 4)");
  EXPECT_EQ(StatsText(ComputeStats(LinkTestOutcome{})), "Round trip: no answers; lost 0.0 % (0 of 0)");
}

TEST(LinkTest, HistogramSpansTheRoundTrips) {
  auto h = MakeHistogram({10.2, 10.9, 11.5, 19.9, 30.0}, 4);
  EXPECT_EQ(h.fromMs, 10);
  EXPECT_EQ(h.binMs, 5);
  EXPECT_EQ(h.counts, (std::vector<int>{3, 1, 0, 1}));
  auto same = MakeHistogram({7.5, 7.5}, 10);
  EXPECT_EQ(same.binMs, 1);
  EXPECT_EQ(same.counts[0], 2);
  EXPECT_TRUE(MakeHistogram({}, 10).counts.empty());
}

namespace {

std::string TraceBytes(uint8_t writeIndex, const std::vector<std::array<int, 3>> &entries) {
  std::string b(1, static_cast<char>(writeIndex));
  for (int k = 0; k < modem::kRadioTraceEntries; ++k) {
    auto e = k < static_cast<int>(entries.size()) ? entries[k] : std::array<int, 3>{8, 1, 0};
    b += static_cast<char>(e[0]);
    b += static_cast<char>(e[1]);
    b += static_cast<char>(e[2] & 0xFF);
    b += static_cast<char>(e[2] >> 8);
  }
  return b;
}

}  // namespace

TEST(RadioTrace, ListsOldestFirstRelativeToTheNewest) {
  // Write index 3: entry 2 is the newest (time 1000), entry 3 the oldest.
  std::vector<std::array<int, 3>> e(32, {8, 0x0B, 900});
  e[0] = {10, 0x01, 961};
  e[1] = {9, 0x0A, 965};
  e[2] = {11, 0x02, 1000};
  e[3] = {7, 0xFF, 900};  // an event type without a name
  modem::RadioTrace trace;
  ASSERT_EQ(modem::DecodeRadioTrace(TraceBytes(3, e), trace), modem::RadioTraceError::None);
  auto lines = RadioTraceLines(trace);
  ASSERT_EQ(lines.size(), 32u);
  EXPECT_EQ(lines[0], "Время:-100:0_событие 7, тип пакета:FF");
  EXPECT_EQ(lines[1], "Время:-100:0_TX старт тип пакета:0B");
  EXPECT_EQ(lines[29], "Время:-39:61_принят пакет для меня: тип01");
  EXPECT_EQ(lines[30], "Время:-35:4_TX CCA тип пакета:0A");
  EXPECT_EQ(lines[31], "Время:0:35_принят пакет не для меня :02");
}

TEST(RadioTrace, WriteIndexZeroListsFromEntryZero) {
  std::vector<std::array<int, 3>> e;
  for (int k = 0; k < 32; ++k) e.push_back({8 + k % 4, k, 65530 + k});  // time marks run past 65535
  modem::RadioTrace trace;
  ASSERT_EQ(modem::DecodeRadioTrace(TraceBytes(0, e), trace), modem::RadioTraceError::None);
  auto lines = RadioTraceLines(trace);
  EXPECT_EQ(lines[0], "Время:0:0_TX старт тип пакета:00");
  EXPECT_EQ(lines[1], "Время:1:1_TX CCA тип пакета:01");
  // No wrapping: an entry past 65535 reads 65536 below the base.
  EXPECT_EQ(lines[6], "Время:-65530:-65535_принят пакет для меня: тип06");
}

TEST(RadioTrace, ShortRecordAndIndexOutsideTheRingAreReported) {
  modem::RadioTrace trace;
  std::string bytes = TraceBytes(0, {});
  EXPECT_EQ(modem::DecodeRadioTrace(bytes.substr(0, 128), trace), modem::RadioTraceError::ShortRecord);
  EXPECT_EQ(modem::DecodeRadioTrace("", trace), modem::RadioTraceError::ShortRecord);
  bytes[0] = 32;
  EXPECT_EQ(modem::DecodeRadioTrace(bytes, trace), modem::RadioTraceError::WriteIndexOutOfRing);
  EXPECT_EQ(RadioTraceErrorText(modem::RadioTraceError::WriteIndexOutOfRing, 129, 32),
            "Индекс записи 32 вне кольца из 32 записей: проверьте адрес");
  EXPECT_EQ(RadioTraceErrorText(modem::RadioTraceError::ShortRecord, 12, 0),
            "Отладочная запись короче 129 байт (прочитано 12): список не построен");
}
