#include "modem/link_test.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "util/format.h"
#include "util/hex.h"
#include "util/tick.h"

namespace modem::link_test {

namespace {

constexpr int kStoppedCode = 6;
constexpr int kMessageEvery = 20;

}  // namespace

LinkTestOutcome RunLinkTest(int total, const LinkTestHooks &hooks) {
  LinkTestOutcome out;
  const uint32_t t0 = util::TickMs();
  for (int i = 0; i < total; ++i) {
    out.started = i + 1;
    const auto sent = std::chrono::steady_clock::now();
    const int code = hooks.readVersion();
    const std::chrono::duration<double, std::milli> roundTrip = std::chrono::steady_clock::now() - sent;
    if (code == 0) {
      ++out.good;
      out.roundTripsMs.push_back(roundTrip.count());
    }
    if (hooks.progress) hooks.progress(i + 1, total);
    if (code == kStoppedCode) {
      out.stopped = true;
      break;
    }
    if (i % kMessageEvery == 0 && hooks.message) hooks.message(CycleText(i, out.good - 1, total));
  }
  out.elapsedMs = util::TicksSince(t0);
  return out;
}

std::string CycleText(int cycle, int good, int total) {
  return util::Format("Cycle:%d / Good:%d / Total:%d", cycle, good, total);
}

std::string EndText(uint32_t elapsedMs, int total) {
  return util::Format("Test: %d msec, %3.3f msec/request", elapsedMs, total > 0 ? double(elapsedMs) / total : 0.0);
}

std::string SummaryText(const LinkTestOutcome &outcome, int total) {
  return CycleText(outcome.started, outcome.good, total);
}

RoundTripStats ComputeStats(const LinkTestOutcome &outcome) {
  RoundTripStats s;
  s.answered = outcome.good;
  // The request Stop ended was never lost: it was given up.
  const int asked = outcome.started - (outcome.stopped ? 1 : 0);
  s.lost = std::max(0, asked - outcome.good);
  s.lostPercent = asked > 0 ? 100.0 * s.lost / asked : 0;
  std::vector<double> t = outcome.roundTripsMs;
  if (t.empty()) return s;
  std::sort(t.begin(), t.end());
  const size_t n = t.size();
  s.minMs = t.front();
  s.maxMs = t.back();
  s.medianMs = n % 2 ? t[n / 2] : (t[n / 2 - 1] + t[n / 2]) / 2;
  // Nearest rank: the smallest time that at least 95 % of the answers reach.
  s.p95Ms = t[static_cast<size_t>(std::ceil(0.95 * static_cast<double>(n))) - 1];
  return s;
}

std::string StatsText(const RoundTripStats &s) {
  const int asked = s.answered + s.lost;
  if (s.answered == 0)
    return util::Format("Round trip: no answers; lost %.1f %% (%d of %d)", s.lostPercent, s.lost, asked);
  return util::Format("Round trip: min %.1f ms, median %.1f ms, 95%% %.1f ms, max %.1f ms; lost %.1f %% (%d of %d)",
                      s.minMs, s.medianMs, s.p95Ms, s.maxMs, s.lostPercent, s.lost, asked);
}

Histogram MakeHistogram(const std::vector<double> &roundTripsMs, int bins) {
  Histogram h;
  if (roundTripsMs.empty() || bins <= 0) return h;
  const auto [lo, hi] = std::minmax_element(roundTripsMs.begin(), roundTripsMs.end());
  h.fromMs = std::floor(*lo);
  h.binMs = std::max(1.0, std::ceil((*hi - h.fromMs) / bins));
  h.counts.assign(static_cast<size_t>(bins), 0);
  for (double t : roundTripsMs) {
    auto bin = static_cast<size_t>((t - h.fromMs) / h.binMs);
    ++h.counts[std::min(bin, h.counts.size() - 1)];
  }
  return h;
}

std::vector<std::string> RadioTraceLines(const modem::RadioTrace &trace) {
  const int n = trace.WriteIndex;
  const int r = n == 0 ? 0 : n - 1;
  auto mark = [&](int k) { return static_cast<int>(trace.Entries[k].TimeMark); };
  const int base = mark(r);
  int prev = mark(n) - base;
  std::vector<std::string> lines;
  for (int i = 0; i < modem::kRadioTraceEntries; ++i) {
    const int k = (n + i) % modem::kRadioTraceEntries;
    const auto &e = trace.Entries[k];
    const char *name = modem::RadioTraceEventName(e.EventType);
    std::string label = name ? name : util::Format("событие %d, тип пакета:", e.EventType);
    label += util::HexByte(e.PacketType);
    const int rel = mark(k) - base;
    lines.push_back("Время:" + std::to_string(rel) + ":" + std::to_string(rel - prev) + "_" + label);
    prev = rel;
  }
  return lines;
}

std::string RadioTraceErrorText(modem::RadioTraceError error, size_t bytesRead, int writeIndex) {
  switch (error) {
    case modem::RadioTraceError::ShortRecord:
      return util::Format("Отладочная запись короче %d байт (прочитано %d): список не построен", modem::kRadioTraceBytes,
                          static_cast<int64_t>(bytesRead));
    case modem::RadioTraceError::WriteIndexOutOfRing:
      return util::Format("Индекс записи %d вне кольца из %d записей: проверьте адрес", writeIndex,
                          modem::kRadioTraceEntries);
    case modem::RadioTraceError::None: break;
  }
  return {};
}

}  // namespace modem::link_test
