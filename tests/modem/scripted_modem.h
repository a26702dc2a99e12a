#pragma once
// A modem on a scripted line for operation tests: every request frame is
// decoded back to its command text, recorded, and answered by a handler
// with hex text of the status byte and data (or not at all).
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/custom_device.h"
#include "modem/frame_codec.h"
#include "modem/ziz2400.h"
#include "support/scripted_port.h"
#include "util/hex.h"

namespace modem_test {

struct Detail {
  device::TDeviceDetailMode mode;
  std::string text;
  int tryNumber;
};

// Records a device's progress notifications.
class DetailLog {
 public:
  void Attach(device::TCustomDevice &device) {
    device.OnDetailedInfo = [this](device::TCustomDevice &, device::TDeviceDetailMode mode, const std::string &text,
                                   int tryNumber) { entries.push_back({mode, text, tryNumber}); };
  }
  std::vector<std::string> Starts() const {
    std::vector<std::string> out;
    for (const auto &e : entries)
      if (e.mode == device::TDeviceDetailMode::dmStart) out.push_back(e.text);
    return out;
  }
  std::vector<Detail> entries;
};

class ScriptedModem {
 public:
  // Hex of status and data for a command text; nothing keeps the modem silent.
  using Handler = std::function<std::optional<std::string>(const std::string &command)>;

  ScriptedModem() {
    node.SetPort(&port);
    node.SetProtocol(modem::kProtocolBin);
    node.SetDeviceId(255);
    node.SetTimeOutMs(150);
    node.Transactions = 1;
    details.Attach(node);
    port.SetResponder([this](const std::string &packet) -> std::vector<testing_support::Reply> {
      auto body = modem::UnstuffFrame(packet);
      if (!body || body->size() < 3) return {};
      std::string command = util::BytesToHex(body->substr(2, body->size() - 3));
      Handler h;
      {
        std::lock_guard l(mutex_);
        commands_.push_back(command);
        h = handler_;
      }
      auto answer = h ? h(command) : std::nullopt;
      if (!answer) return {};
      return {{modem::BuildBinRequest(0, 0x05, *answer)}};
    });
  }
  ~ScriptedModem() { node.SetPort(nullptr); }

  void OnCommand(Handler h) {
    std::lock_guard l(mutex_);
    handler_ = std::move(h);
  }
  // Every command gets this answer.
  void AnswerAll(const std::string &hex) {
    OnCommand([hex](const std::string &) { return std::optional<std::string>(hex); });
  }
  std::vector<std::string> Commands() const {
    std::lock_guard l(mutex_);
    return commands_;
  }

  testing_support::ScriptedPort port;
  modem::ZIZ2400 node;
  DetailLog details;

 private:
  mutable std::mutex mutex_;
  Handler handler_;
  std::vector<std::string> commands_;
};

}  // namespace modem_test
