// Reading and writing the whole 476-byte configuration region over a
// pseudo-terminal against the simulated modem paced at real line speeds:
// the total time of each transfer against the time its bytes (requests and
// answers, framing included) need on the wire. 1.00 would be a line that
// never idles between a request and its answer.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "modem/frame_codec.h"
#include "modem/ziz2400.h"
#include "port/port.h"
#include "sim/pty_server.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr uint16_t kRegionBytes = 476;

// Counts every byte the line carries in either direction.
struct ByteCounter : port::TCustomPortLink {
  size_t bytes = 0;
  void DoReceiveData(const std::string &d) override { bytes += d.size(); }
  void DoSendData(const std::string &d) override { bytes += d.size(); }
};

struct Transfer {
  double seconds = 0;
  size_t bytes = 0;
  bool ok = true;
};

class PacedModem {
 public:
  explicit PacedModem(uint32_t baud) : baud_(baud) {
    std::string why;
    if (!server_.Start(&why)) Die("no pseudo-terminal: " + why);
    sim::Faults faults;
    faults.baud = baud;
    server_.SetFaults(faults);
    port_.Settings().SetPortName(server_.DevicePath());
    port_.Settings().SetBaudRate(static_cast<int>(baud));
    port_.SetActive(true);
    if (!port_.GetActive()) Die("cannot open " + server_.DevicePath() + ": " + port_.LastError());
    counter_.SetPort(&port_);
    node_.SetPort(&port_);
    node_.SetProtocol(modem::kProtocolBin);
    node_.SetDeviceId(255);
    node_.SetTimeOutMs(3000);
    node_.Transactions = 1;
  }
  ~PacedModem() {
    node_.SetPort(nullptr);
    counter_.SetPort(nullptr);
  }

  template <typename Op>
  Transfer Measure(Op op) {
    const size_t before = counter_.bytes;
    const auto t0 = Clock::now();
    Transfer t;
    t.ok = op(node_);
    t.seconds = std::chrono::duration<double>(Clock::now() - t0).count();
    t.bytes = counter_.bytes - before;
    return t;
  }
  double WireSeconds(size_t bytes) const { return static_cast<double>(bytes) * 10.0 / baud_; }

 private:
  static void Die(const std::string &why) {
    std::fprintf(stderr, "%s\n", why.c_str());
    std::exit(1);
  }

  uint32_t baud_;
  sim::PtyServer server_;
  port::TPort port_;
  ByteCounter counter_;
  modem::ZIZ2400 node_;
};

void Report(const char *what, uint32_t baud, int repeats, const Transfer &sum, const PacedModem &m) {
  const double wire = m.WireSeconds(sum.bytes);
  std::printf("%6u baud %-5s %d x 476 bytes: %.3f s total, %.3f s on the wire (%zu bytes), ratio %.3f%s\n", baud, what,
              repeats, sum.seconds, wire, sum.bytes, sum.seconds / wire, sum.ok ? "" : ", FAILED");
}

}  // namespace

int main(int argc, char **argv) {
  int repeats = 5;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--repeat") == 0) repeats = std::max(1, std::atoi(argv[i + 1]));
  bool allOk = true;
  for (uint32_t baud : {19200u, 115200u}) {
    PacedModem modem(baud);
    Transfer read, write, step;
    std::string region;
    for (int r = 0; r < repeats; ++r) {
      step = modem.Measure([&](modem::ZIZ2400 &n) { return n.ReadConfigBytes(0, kRegionBytes, region); });
      read = {read.seconds + step.seconds, read.bytes + step.bytes, read.ok && step.ok};
      step = modem.Measure([&](modem::ZIZ2400 &n) { return n.WriteConfigImage(region, kRegionBytes); });
      write = {write.seconds + step.seconds, write.bytes + step.bytes, write.ok && step.ok};
    }
    Report("read", baud, repeats, read, modem);
    Report("write", baud, repeats, write, modem);
    Report("both", baud, repeats, {read.seconds + write.seconds, read.bytes + write.bytes, read.ok && write.ok},
           modem);
    allOk = allOk && read.ok && write.ok;
  }
  return allOk ? 0 : 1;
}
