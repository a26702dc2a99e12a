#pragma once
// The protocol core of the simulated modem: a request frame in, the bytes of
// its reply out, with the faults it was told to show. No I/O and no threads;
// the pseudo-terminal server (or a test) feeds it and puts the reply on the
// line. Not thread-safe: its owner serialises the calls.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/answer_encoder.h"
#include "sim/command_table.h"
#include "sim/mesh.h"
#include "sim/node_state.h"
#include "sim/request_parser.h"
#include "sim/sim_faults.h"

namespace sim {

struct Reply {
  std::string bytes;         // what goes on the line: noise, then the frame or a flood
  bool answerFrame = false;  // bytes end with an answer frame
  bool split = false;        // one byte per write
  uint32_t delayMs = 0;      // hold the reply back this long
};

class SimModem {
 public:
  // Monotonic milliseconds; the default reads the steady clock.
  using Clock = std::function<int64_t()>;

  explicit SimModem(Clock clock = {});

  void SetAddress(uint8_t address) { address_ = address; }
  uint8_t Address() const { return address_; }
  void SetAsciiLowercase(bool on) { style_.lowercaseHex = on; }
  void SetZeroRuns(bool on) { style_.zeroRuns = on; }
  void SetFaults(const Faults &faults) { faults_ = faults; }
  const Faults &GetFaults() const { return faults_; }

  // The reply to one well-formed request; nothing when the request is not
  // for us or the modem keeps silent.
  std::optional<Reply> Answer(const RequestFrame &request);

  // The direct modem's own state, and the mesh behind its tunnel.
  NodeState &State() { return node_; }
  // While a channel is open raw bytes are looped back; traffic keeps an
  // idle channel from closing on its time-out.
  bool ChannelOpen() { return node_.channel.StillOpen(clock_()); }
  void NoteChannelTraffic() { node_.channel.lastTrafficMs = clock_(); }
  Mesh &GetMesh() { return mesh_; }
  // The node table the modem answers with: it follows the mesh.
  std::string NodeTable() const;
  int64_t Now() const { return clock_(); }

  // While on, the command bytes of every request for us are kept, so a test
  // can check what went out on the line from a process it does not see into.
  void SetCommandLogging(bool on) {
    logCommands_ = on;
    commandLog_.clear();
  }
  const std::vector<std::string> &CommandLog() const { return commandLog_; }

 private:
  CommandResult Execute(const std::string &command);
  std::string Flood(size_t count) const;

  Clock clock_;
  uint8_t address_ = 1;
  AnswerStyle style_;
  Faults faults_;
  CommandTable nodeCommands_;    // what every node understands
  CommandTable directCommands_;  // and the tunnel on top, for the modem on the cable
  NodeState node_;
  Mesh mesh_;
  bool logCommands_ = false;
  std::vector<std::string> commandLog_;
};

}  // namespace sim
