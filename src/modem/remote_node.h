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
  // Sends, polls and fetches; the time-out factor is not used. Polling has
  // no time limit of its own: it ends when the node finishes or on Stop.
  void Execute(const std::string &command, uint16_t timeOutFactor, uint16_t transactions) override;

 private:
  enum class PollEnd { Finished, Failed };
  PollEnd Poll(ZIZ2400 &direct, uint8_t requestId, uint16_t transactions, int attempt,
               const device::TResultCode &lastResult);
  void Fetch(ZIZ2400 &direct, uint8_t requestId);
  // The result after a failed tunnel operation: Stop wins over the gateway error.
  void TunnelFailed();

  ZIZ2400 *direct_ = nullptr;
  uint16_t remoteAddress_ = 0;
  uint8_t requestId_ = 0;
  device::TResultCode remoteStatus_{3, ""};
};

}  // namespace modem
