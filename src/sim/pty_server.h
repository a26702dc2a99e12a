#pragma once
// The simulated modem served on a pseudo-terminal: the program (or a test)
// opens DevicePath() like any serial line; a thread of the server reads the
// requests from the master side and writes the answers back.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "sim/sim_faults.h"

namespace sim {

class SimModem;

class PtyServer {
 public:
  PtyServer();
  ~PtyServer();  // Stop()
  PtyServer(const PtyServer &) = delete;
  PtyServer &operator=(const PtyServer &) = delete;

  // Opens a pseudo-terminal and starts serving it. False (with a reason in
  // *error when given) when no pseudo-terminal could be had.
  bool Start(std::string *error = nullptr);
  // The path of the line to open, such as /dev/pts/7; empty before Start.
  const std::string &DevicePath() const;
  // Stops serving and closes the master side: the other end sees a hang-up.
  void Stop();
  // Whether the line is being served: false before Start, after Stop, and
  // once the hang-up fault has dropped the line.
  bool Serving() const;

  // All setters are safe to call from any thread while serving.
  void SetAddress(uint8_t address);  // the modem answers requests to this address and to 255
  void SetFaults(const Faults &faults);
  Faults GetFaults() const;
  void SetAsciiLowercase(bool on);  // ASCII answers in lower-case hex
  void SetZeroRuns(bool on);        // BIN answers fold zero runs into ESC n (the default)
  // Runs `action` on the modem under the server's lock: set up nodes and
  // faults, read registers, the clock or the tunnel counters.
  void WithModem(const std::function<void(SimModem &)> &action);

  uint64_t RequestsSeen() const;    // well-formed request frames seen, any address
  uint64_t AnswersSent() const;     // answer frames written
  uint64_t BytesReceived() const;   // every byte read from the line

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace sim
