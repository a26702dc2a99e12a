#pragma once
// The simulated modem on a pseudo-terminal, paced at a real line speed, with
// a node on it and a count of every byte the line carries: the benches
// measure an operation's time against the time its bytes need on the wire.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "modem/frame_codec.h"
#include "modem/ziz2400.h"
#include "port/port.h"
#include "sim/pty_server.h"

namespace bench {

using Clock = std::chrono::steady_clock;

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
  modem::ZIZ2400 &Node() { return node_; }
  template <typename Fn>
  void WithModem(Fn fn) {
    server_.WithModem(fn);
  }

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

}  // namespace bench
