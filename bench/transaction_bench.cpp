// Round trips of the version command over a pseudo-terminal against the
// simulated modem: unpaced (the engine's own overhead, in microseconds) and
// paced at real line speeds (total time against the time the bytes need on
// the wire).
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "modem/frame_codec.h"
#include "modem/ziz2400.h"
#include "port/port.h"
#include "sim/pty_server.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Link : port::TCustomPortLink {
  size_t received = 0;
  size_t sent = 0;
  void DoReceiveData(const std::string &d) override { received += d.size(); }
  void DoSendData(const std::string &d) override { sent += d.size(); }
};

struct Run {
  std::vector<double> roundTripsUs;
  double totalSeconds = 0;
  size_t bytesOnWire = 0;
  int failures = 0;
};

// With lossEvery > 0, every lossEvery-th transaction loses its first answer
// (a second attempt gets it); only the transaction right after it is timed:
// the price of waiting out the answer still owed before the next request.
Run Measure(uint32_t baud, int count, int lossEvery = 0, int timeOutMs = 2000) {
  Run run;
  sim::PtyServer server;
  std::string why;
  if (!server.Start(&why)) {
    std::fprintf(stderr, "no pseudo-terminal: %s\n", why.c_str());
    std::exit(1);
  }
  sim::Faults faults;
  faults.baud = baud;
  server.SetFaults(faults);
  port::TPort port;
  port.Settings().SetPortName(server.DevicePath());
  port.Settings().SetBaudRate(baud ? static_cast<int>(baud) : 115200);
  port.SetActive(true);
  if (!port.GetActive()) {
    std::fprintf(stderr, "cannot open %s: %s\n", server.DevicePath().c_str(), port.LastError().c_str());
    std::exit(1);
  }
  Link counter;
  counter.SetPort(&port);
  modem::ZIZ2400 node;
  node.SetPort(&port);
  node.SetProtocol(modem::kProtocolBin);
  node.SetDeviceId(255);
  node.SetTimeOutMs(timeOutMs);

  auto begin = Clock::now();
  for (int i = 0; i < count; ++i) {
    if (lossEvery > 0) {
      sim::Faults lose = faults;
      lose.dropNextAnswers = 1;
      server.SetFaults(lose);
      node.Execute("1501", 1, 2);
    }
    auto t0 = Clock::now();
    node.Execute("1501", 1, 1);
    auto t1 = Clock::now();
    if (node.ResultCode().Code != 0) ++run.failures;
    run.roundTripsUs.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
  }
  run.totalSeconds = std::chrono::duration<double>(Clock::now() - begin).count();
  run.bytesOnWire = counter.received + counter.sent;
  node.SetPort(nullptr);
  counter.SetPort(nullptr);
  return run;
}

double Percentile(std::vector<double> v, double p) {
  std::sort(v.begin(), v.end());
  size_t k = static_cast<size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
  return v[k];
}

}  // namespace

int main(int argc, char **argv) {
  int count = 2000;
  int slowCount = 200;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--count") == 0) count = std::atoi(argv[i + 1]);
    if (std::strcmp(argv[i], "--slow-count") == 0) slowCount = std::atoi(argv[i + 1]);
  }
  Run fast = Measure(0, count);
  std::printf("unpaced: %d transactions, median %.0f us, p99 %.0f us, failures %d\n", count,
              Percentile(fast.roundTripsUs, 0.5), Percentile(fast.roundTripsUs, 0.99), fast.failures);
  for (auto [baud, n] : {std::pair<uint32_t, int>{115200, count}, {9600, slowCount}}) {
    Run paced = Measure(baud, n);
    double wire = static_cast<double>(paced.bytesOnWire) * 10.0 / baud;
    std::printf("paced %u baud: %d transactions, %.3f s total, %.3f s on the wire, ratio %.3f, failures %d\n", baud, n,
                paced.totalSeconds, wire, paced.totalSeconds / wire, paced.failures);
  }
  // After a lost answer the next request waits for it up to one attempt
  // budget (here 300 ms) and a quiet guard; on a clean line it waits nothing.
  const int afterLoss = std::max(1, slowCount / 10);
  Run lossy = Measure(0, afterLoss, 1, 300);
  const double clean = Percentile(fast.roundTripsUs, 0.5);
  std::printf("after a lost answer (300 ms budget): %d transactions, median %.0f us, %.0fx a clean one, failures %d\n",
              afterLoss, Percentile(lossy.roundTripsUs, 0.5), Percentile(lossy.roundTripsUs, 0.5) / clean,
              lossy.failures);
  return 0;
}
