// A command to a remote node through the tunnel (send, status polls, fetch)
// over a pseudo-terminal against the simulated modem paced at real line
// speeds, the remote node answering a set time after the request. Each
// command's time is set against what it cannot do without: the node's mesh
// delay plus the wire time of the three tunnel exchanges it needs at the
// least (send, the one status poll that sees it finished, fetch). 1.00 would
// be a host that reads the answer the moment it is ready.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "modem/remote_node.h"
#include "paced_modem.h"
#include "sim/sim_modem.h"

namespace {

constexpr uint16_t kNode = 2;

// A batch of commands and the status polls they took.
struct Run {
  bench::Transfer transfer;
  uint64_t polls = 0;
};

class PacedMesh {
 public:
  explicit PacedMesh(uint32_t baud) : modem_(baud) {
    remote_.SetDeviceId(255);
    remote_.Transactions = 1;
    remote_.SetDirectNode(&modem_.Node());
    remote_.SetRemoteAddress(kNode);
  }
  ~PacedMesh() { remote_.SetDirectNode(nullptr); }

  void SetMeshDelay(int ms) {
    modem_.WithModem([ms](sim::SimModem &m) {
      sim::RemoteNode *node = m.GetMesh().FindNode(kNode);
      node->pendingPolls = 0;
      node->meshDelayMs = ms;
    });
  }

  Run Measure(int commands) {
    const uint64_t pollsBefore = Polls();
    Run r;
    r.transfer = modem_.Measure([&](modem::ZIZ2400 &) {
      bool ok = true;
      for (int i = 0; i < commands; ++i) {
        std::string name;
        ok = remote_.ReadDeviceName(name) && ok;
      }
      return ok;
    });
    r.polls = Polls() - pollsBefore;
    return r;
  }
  double WireSeconds(size_t bytes) const { return modem_.WireSeconds(bytes); }

 private:
  uint64_t Polls() {
    uint64_t polls = 0;
    modem_.WithModem([&](sim::SimModem &m) { polls = m.GetMesh().Counters().polls; });
    return polls;
  }

  bench::PacedModem modem_;
  modem::ZIZ2400_RemoteNode remote_;
};

}  // namespace

int main(int argc, char **argv) {
  int commands = 20;
  int delayMs = 20;
  for (int i = 1; i + 1 < argc; ++i) {
    if (std::strcmp(argv[i], "--repeat") == 0) commands = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--mesh-delay") == 0) delayMs = std::max(0, std::atoi(argv[i + 1]));
  }
  bool allOk = true;
  for (uint32_t baud : {115200u, 19200u}) {
    PacedMesh mesh(baud);
    // Without a delay and with no unfinished polls a command takes exactly
    // the three exchanges: their bytes are the wire time any command needs.
    mesh.SetMeshDelay(0);
    const Run least = mesh.Measure(commands);
    mesh.SetMeshDelay(delayMs);
    const Run run = mesh.Measure(commands);
    const double ideal = delayMs / 1000.0 + mesh.WireSeconds(least.transfer.bytes) / commands;
    const double each = run.transfer.seconds / commands;
    std::printf("%6u baud, mesh delay %d ms: %d commands, %.1f ms each, least %.1f ms (%zu bytes of 3 exchanges), "
                "%.2f polls each, ratio %.3f%s\n",
                baud, delayMs, commands, each * 1000, ideal * 1000, least.transfer.bytes / commands,
                static_cast<double>(run.polls) / commands, each / ideal,
                run.transfer.ok && least.transfer.ok ? "" : ", FAILED");
    allOk = allOk && run.transfer.ok && least.transfer.ok;
  }
  return allOk ? 0 : 1;
}
