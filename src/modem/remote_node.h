#pragma once
// A modem elsewhere in the mesh, made to look like one on the cable: every
// command is handed to the direct node (1801), polled until the remote node
// has finished it (1802) and its answer fetched (1803). Every operation of
// ZIZ2400 runs on it unchanged.
#include <cstdint>
#include <string>

#include "modem/remote_result.h"
#include "modem/ziz2400.h"

namespace modem {

class ZIZ2400_RemoteNode : public ZIZ2400 {
 public:
  ZIZ2400_RemoteNode();
  ~ZIZ2400_RemoteNode() override;

  // The modem that relays the commands; not owned, and it must outlive this node.
  void SetDirectNode(ZIZ2400 *node);
  ZIZ2400 *GetDirectNode() const;
  void SetRemoteAddress(uint16_t address);
  uint16_t GetRemoteAddress() const;
  // The id the direct node gave the command in flight.
  uint8_t RequestId() const;
  // The remote status of the last finished command.
  device::TResultCode RemoteStatus() const;

  // The command's bytes: no address, framing or check.
  std::string BuildPacket(const std::string &command) override;
  // The fetched answer as hex, status byte first, as a direct node gives it.
  std::string ExtractData(const std::string &answer) override;

  // The longest a command may take, from its first send to its answer, polls
  // and repeats included; 0 means no limit. When it strikes the command ends
  // with a result that names it.
  static constexpr int kDefaultCommandTimeoutMs = 30000;
  void SetCommandTimeoutMs(int ms);
  int GetCommandTimeoutMs() const;

 protected:
  // One attempt through the tunnel: send, poll until the node has finished,
  // fetch. The engine runs the attempts; the time-out factor is not used.
  // Polling ends when the node finishes, on Stop or at the command's time-out.
  AttemptEnd RunAttempt(const std::string &command, const Attempt &attempt) override;

 private:
  AttemptEnd Poll(ZIZ2400 &direct, uint8_t requestId, const Attempt &attempt);
  // The node reports the command finished with remote status `status`.
  void Finished(ZIZ2400 &direct, uint8_t requestId, uint8_t status);
  void Fetch(ZIZ2400 &direct, uint8_t requestId);
  // The result after a failed tunnel operation: Stop and a lost line end the
  // command; anything else is a gateway error the next attempt may mend.
  AttemptEnd TunnelFailed(const ZIZ2400 *direct);
  // Waits up to `ms` for Stop, handling user input on the way.
  WaitStepEnd WaitBetweenPolls(uint32_t ms);
  // Milliseconds left of the command's time-out; INT_MAX without one.
  int TimeLeftMs(const Attempt &attempt) const;
  // Ends the command at its time-out.
  AttemptEnd TimedOut(const Attempt &attempt);
  void ReportPoll(const Attempt &attempt, bool ended);

  ZIZ2400 *direct_ = nullptr;
  uint16_t remoteAddress_ = 0;
  uint8_t requestId_ = 0;
  device::TResultCode remoteStatus_{3, ""};
  int commandTimeoutMs_ = kDefaultCommandTimeoutMs;
};

}  // namespace modem
