// Soak: N operations of every kind against the simulated modem over a
// pseudo-terminal while the simulator injects random faults at random
// moments, direct and through a remote node. Every success is checked
// against the simulator's own state; a success with other data is a wrong
// result. Prints operations, successes, clear failures by code, wrong
// results, hangs (past a per-operation deadline), RSS and descriptors.
//
//   soak_bench [--ops N] [--seed S] [--timeout MS] [--no-faults]
#include <dirent.h>

#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "config/zt_config.h"
#include "modem/frame_codec.h"
#include "modem/remote_node.h"
#include "modem/ziz2400.h"
#include "port/port.h"
#include "sim/pty_server.h"
#include "sim/sim_modem.h"

namespace {

using Clock = std::chrono::steady_clock;

long StatusKb(const char *field) {
  std::ifstream in("/proc/self/status");
  for (std::string line; std::getline(in, line);)
    if (line.rfind(field, 0) == 0) return std::atol(line.c_str() + std::strlen(field));
  return -1;
}

int OpenDescriptors() {
  int n = 0;
  if (DIR *d = opendir("/proc/self/fd")) {
    while (dirent *e = readdir(d))
      if (e->d_name[0] != '.') ++n;
    closedir(d);
  }
  return n - 1;  // the listing's own
}

enum class Outcome { Success, Failure, Wrong };

struct Options {
  int ops = 10000;
  unsigned seed = 1;
  int timeoutMs = 150;
  bool faults = true;
};

class Soak {
 public:
  explicit Soak(const Options &o) : options_(o), random_(o.seed) {}

  bool Start() {
    std::string why;
    if (!server_.Start(&why)) {
      std::fprintf(stderr, "simulator: %s\n", why.c_str());
      return false;
    }
    port_.Settings().SetPortName(server_.DevicePath());
    port_.Settings().SetBaudRate(115200);
    port_.SetActive(true);
    if (!port_.GetActive()) return false;
    direct_.SetPort(&port_);
    direct_.SetDeviceId(255);
    direct_.SetProtocol(modem::kProtocolBin);
    direct_.SetTimeOutMs(options_.timeoutMs);
    direct_.Transactions = 2;
    remote_.SetDeviceId(255);
    remote_.SetTimeOutMs(options_.timeoutMs);
    remote_.Transactions = 2;
    remote_.SetDirectNode(&direct_);
    remote_.SetRemoteAddress(2);
    return true;
  }

  int Run() {
    const int fdsBefore = OpenDescriptors();
    const long rssStart = StatusKb("VmRSS:");
    long rssAfterWarmUp = 0;
    // A per-operation deadline: every attempt of every request of the longest
    // operation, with room to spare. A watchdog stops an operation past it.
    std::atomic<int64_t> opStartedMs{-1};
    std::atomic<bool> done{false};
    std::thread watchdog([&] {
      while (!done) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        const int64_t started = opStartedMs;
        if (started >= 0 && NowMs() - started > DeadlineMs() * 2) {
          direct_.Stop();
          remote_.Stop();
        }
      }
    });
    const auto start = Clock::now();
    const char *previousKind = "nothing";
    for (int i = 0; i < options_.ops; ++i) {
      if (options_.faults) MaybeChangeFaults();
      const size_t kind = std::uniform_int_distribution<size_t>(0, Kinds().size() - 1)(random_);
      opStartedMs = NowMs();
      const Outcome outcome = (this->*Kinds()[kind].run)();
      const int64_t took = NowMs() - opStartedMs;
      opStartedMs = -1;
      auto &counts = byKind_[Kinds()[kind].name];
      ++counts[static_cast<int>(outcome)];
      if (took > DeadlineMs()) ++hangs_;
      if (outcome == Outcome::Failure) ++failuresByCode_[lastCode_];
      if (outcome == Outcome::Wrong) {
        ++wrong_;
        if (wrong_ <= 5)
          std::fprintf(stderr, "wrong result: %s (faults: %s) after %s: %s\n", Kinds()[kind].name,
                       faultText_.c_str(), previousKind, wrongDetail_.c_str());
      }
      previousKind = Kinds()[kind].name;
      wrongDetail_.clear();
      if (i == 999) rssAfterWarmUp = StatusKb("VmRSS:");
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    done = true;
    watchdog.join();
    server_.SetFaults(sim::Faults{});

    int ok = 0, failed = 0;
    std::printf("soak: %d operations in %.0f s, seed %u, attempt time-out %d ms\n", options_.ops, seconds,
                options_.seed, options_.timeoutMs);
    std::printf("%-16s %8s %8s %8s\n", "kind", "success", "failure", "wrong");
    for (const auto &[name, c] : byKind_) {
      std::printf("%-16s %8d %8d %8d\n", name.c_str(), c[0], c[1], c[2]);
      ok += c[0];
      failed += c[1];
    }
    std::printf("successes: %d, clear failures: %d, wrong results: %d, crashes: 0, hangs: %d\n", ok, failed, wrong_,
                hangs_);
    std::printf("failures by code:");
    for (const auto &[code, n] : failuresByCode_) std::printf(" %d:%d", code, n);
    std::printf("\n");
    const long rssEnd = StatusKb("VmRSS:");
    std::printf("RSS: start %ld KiB, after 1000 ops %ld KiB, peak %ld KiB, end %ld KiB (end/after-1000 %.2f)\n",
                rssStart, rssAfterWarmUp, StatusKb("VmHWM:"), rssEnd,
                rssAfterWarmUp > 0 ? double(rssEnd) / double(rssAfterWarmUp) : 0.0);
    std::printf("descriptors: %d before, %d after\n", fdsBefore, OpenDescriptors());
    return wrong_ == 0 && hangs_ == 0 ? 0 : 1;
  }

 private:
  struct Kind {
    const char *name;
    Outcome (Soak::*run)();
  };
  static const std::vector<Kind> &Kinds() {
    static const std::vector<Kind> kinds = {
        {"version", &Soak::Version},         {"name", &Soak::Name},
        {"config-read", &Soak::ConfigRead},  {"config-write", &Soak::ConfigWrite},
        {"dump-fram", &Soak::DumpFram},      {"registers-read", &Soak::RegistersRead},
        {"register-write", &Soak::RegisterWrite}, {"remote-version", &Soak::RemoteVersion},
        {"channel", &Soak::Channel},
    };
    return kinds;
  }

  static int64_t NowMs() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now().time_since_epoch()).count();
  }
  // The longest operation (a configuration write with its read-back, about
  // 30 requests, or a remote command's polls) waiting out every attempt.
  int DeadlineMs() const { return 40 * 2 * options_.timeoutMs + 3000; }

  Outcome Failed(modem::ZIZ2400 &node) {
    lastCode_ = node.ResultCode().Code;
    return Outcome::Failure;
  }
  template <class F>
  auto Sim(F f) {
    decltype(f(std::declval<sim::SimModem &>())) result{};
    server_.WithModem([&](sim::SimModem &m) { result = f(m); });
    return result;
  }

  // A text result against the simulator's; what differed is kept for the report.
  Outcome Compare(const std::string &got, const std::string &expected) {
    if (got == expected) return Outcome::Success;
    wrongDetail_ = "got \"" + got + "\", expected \"" + expected + "\"";
    return Outcome::Wrong;
  }
  Outcome Version() {
    modem::TVersion v;
    if (!direct_.ReadVersion(v)) return Failed(direct_);
    return Compare(v.VersionStr, Sim([](sim::SimModem &m) { return m.State().versionText; }));
  }
  Outcome Name() {
    std::string name;
    if (!direct_.ReadDeviceName(name)) return Failed(direct_);
    return Compare(name, Sim([](sim::SimModem &m) { return m.State().deviceName; }));
  }
  std::string SimImage() {
    return Sim([](sim::SimModem &m) { return m.State().memory.config.substr(0, m.State().memory.configSize); });
  }
  Outcome ConfigRead() {
    std::string image;
    if (!direct_.ReadConfigImage(image)) return Failed(direct_);
    return image == SimImage() ? Outcome::Success : Outcome::Wrong;
  }
  Outcome ConfigWrite() {
    std::shared_ptr<config::IZTConfig> config;
    if (!direct_.ReadConfig(config)) {
      // A write interrupted earlier may have left a damaged image: repair it.
      if (direct_.ResultCode().Code != 20) return Failed(direct_);
      config = config::CreateConfig(nullptr);
    }
    config->GetUserSettings()->SetNodeName("Узел " + std::to_string(++writes_));
    const std::string image = config->SerializeImage().image->Bytes();
    if (!direct_.WriteConfig(config)) return Failed(direct_);
    std::string back;
    if (!direct_.ReadConfigImage(back)) return Failed(direct_);
    return back == image && SimImage() == image ? Outcome::Success : Outcome::Wrong;
  }
  Outcome DumpFram() {
    const uint16_t at = std::uniform_int_distribution<uint16_t>(0, 8000)(random_);
    std::string data;
    if (!direct_.ReadPureFRAM(at, 128, data)) return Failed(direct_);
    return data == Sim([&](sim::SimModem &m) { return m.State().memory.fram.substr(at, 128); }) ? Outcome::Success
                                                                                               : Outcome::Wrong;
  }
  Outcome RegistersRead() {
    modem::TRegisterImage regs{};
    if (!direct_.ReadRegisters(0, 0x2F, regs)) return Failed(direct_);
    const auto sim = Sim([](sim::SimModem &m) { return m.State().registers.Values(); });
    for (int r = 0; r < 0x2F; ++r)
      if (regs[r] != sim[r]) return Outcome::Wrong;
    return Outcome::Success;
  }
  Outcome RegisterWrite() {
    const uint8_t value = std::uniform_int_distribution<int>(0, 255)(random_);
    if (!direct_.WriteRegister(0x0D, value)) return Failed(direct_);
    return Sim([](sim::SimModem &m) { return m.State().registers.Get(0x0D); }) == value ? Outcome::Success
                                                                                         : Outcome::Wrong;
  }
  Outcome RemoteVersion() {
    modem::TVersion v;
    if (!remote_.ReadVersion(v)) return Failed(remote_);
    const std::string expected = Sim([](sim::SimModem &m) {
      auto *node = m.GetMesh().FindNode(2);
      return node ? node->state.versionText : std::string();
    });
    return Compare(v.VersionStr, expected);
  }
  Outcome Channel() {
    if (!direct_.OpenVComm(3, 100)) return Failed(direct_);
    const bool open = Sim([](sim::SimModem &m) { return m.State().channel.kind == sim::ChannelState::Kind::kVcomm; });
    // The modem loops bytes back while the channel is open: closing needs no frame.
    const bool closed = direct_.CloseVComm();
    if (!open) return Outcome::Wrong;
    if (!closed) return Failed(direct_);
    return Outcome::Success;
  }

  void MaybeChangeFaults() {
    if (std::uniform_int_distribution<int>(0, 9)(random_) != 0) return;
    sim::Faults f;
    faultText_.clear();
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); };
    if (pick(3) == 0) {  // a third of the time the line is clean
      server_.SetFaults(f);
      return;
    }
    for (int k = 0, n = 1 + pick(2); k < n; ++k) {
      switch (pick(9)) {
        case 0: f.dropNextAnswers = 1 + pick(3); faultText_ += "drop "; break;
        case 1: f.corruptCheck = pick(2) == 0; faultText_ += "corrupt "; break;
        case 2: f.noiseBefore = pick(2) ? std::string("\x1B\x01\x00", 3) : "/000"; faultText_ += "noise "; break;
        case 3: f.splitAnswer = true; faultText_ += "split "; break;
        case 4: f.busyNextAnswers = 1 + pick(2); faultText_ += "busy "; break;
        case 5: f.floodNextBytes = 100 + pick(6000); faultText_ += "flood "; break;
        case 6: f.delayMs = options_.timeoutMs * (5 + pick(11)) / 10; faultText_ += "delay "; break;
        case 7: f.statusOverride = 4; faultText_ += "status "; break;
        default: f.answerFromAddress = 7; faultText_ += "from "; break;
      }
    }
    server_.SetFaults(f);
  }

  Options options_;
  std::mt19937 random_;
  sim::PtyServer server_;
  port::TPort port_;
  modem::ZIZ2400 direct_;
  modem::ZIZ2400_RemoteNode remote_;
  std::map<std::string, std::array<int, 3>> byKind_;
  std::map<int, int> failuresByCode_;
  int lastCode_ = 0;
  int wrong_ = 0;
  int hangs_ = 0;
  int writes_ = 0;
  std::string faultText_;
  std::string wrongDetail_;
};

}  // namespace

int main(int argc, char **argv) {
  Options options;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a == "--ops" && i + 1 < argc) options.ops = std::atoi(argv[++i]);
    else if (a == "--seed" && i + 1 < argc) options.seed = static_cast<unsigned>(std::atoi(argv[++i]));
    else if (a == "--timeout" && i + 1 < argc) options.timeoutMs = std::atoi(argv[++i]);
    else if (a == "--no-faults") options.faults = false;
    else {
      std::fprintf(stderr, "usage: soak_bench [--ops N] [--seed S] [--timeout MS] [--no-faults]\n");
      return 2;
    }
  }
  Soak soak(options);
  if (!soak.Start()) return 1;
  return soak.Run();
}
