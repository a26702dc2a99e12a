#pragma once
// The "Команды" page without Qt: the link test (its loop, messages and
// round-trip statistics) and the lines of the radio debug trace.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "modem/radio_trace.h"

namespace modem::link_test {

// The debug trace address field: a RAM address of the chip.
inline constexpr int kTraceAddressMin = 0x60;
inline constexpr int kTraceAddressMax = 0x860;

inline constexpr int kLinkTestRequests = 500;
inline constexpr char kLinkTestAction[] = "Performing test...";

// What the link test needs of the world: one version request (its result
// code back), the log's messages and a progress report.
struct LinkTestHooks {
  std::function<int()> readVersion;
  std::function<void(const std::string &)> message;
  std::function<void(int done, int total)> progress;
};

struct LinkTestOutcome {
  int started = 0;  // requests sent, the one that was stopped included
  int good = 0;
  bool stopped = false;
  uint32_t elapsedMs = 0;
  std::vector<double> roundTripsMs;  // of the good answers, in order
};

// `total` version requests, or fewer when one ends with result code 6 (Stop).
// Every 20th request gives a "Cycle:…" message.
LinkTestOutcome RunLinkTest(int total, const LinkTestHooks &hooks);

// "Cycle:%d / Good:%d / Total:%d"
std::string CycleText(int cycle, int good, int total);
// "Test: %d msec, %3.3f msec/request": the time per request of the whole
// run, also when Stop ended it early.
std::string EndText(uint32_t elapsedMs, int total);
// The message after the action: cycles started and good answers.
std::string SummaryText(const LinkTestOutcome &outcome, int total);

struct RoundTripStats {
  int answered = 0;
  int lost = 0;
  double minMs = 0, medianMs = 0, p95Ms = 0, maxMs = 0;
  double lostPercent = 0;
};
RoundTripStats ComputeStats(const LinkTestOutcome &outcome);
// "Round trip: min … ms, median … ms, 95% … ms, max … ms; lost … % (n of N)"
std::string StatsText(const RoundTripStats &stats);

// Round trips in equal bins from the smallest to the largest (a bin is at
// least 1 ms wide).
struct Histogram {
  double fromMs = 0;
  double binMs = 1;
  std::vector<int> counts;
};
Histogram MakeHistogram(const std::vector<double> &roundTripsMs, int bins);

// The trace as the list shows it, oldest entry first: "Время:rel:gap_label".
std::vector<std::string> RadioTraceLines(const modem::RadioTrace &trace);
// Why a trace could not be listed.
std::string RadioTraceErrorText(modem::RadioTraceError error, size_t bytesRead, int writeIndex);

}  // namespace modem::link_test
