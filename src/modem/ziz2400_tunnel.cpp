// The direct node's side of the tunnel to remote nodes: hand over a
// command, ask whether it has finished, fetch its answer.
#include "modem/answer_decoding.h"
#include "modem/ziz2400.h"
#include "util/format.h"
#include "util/little_endian.h"

namespace modem {

using device::rcBadFormat;
using device::TResultCode;

bool ZIZ2400::SendRemoteCommand(uint16_t address, const std::string &command, uint8_t &requestId) {
  std::string text = "1801" + util::LeHex16(address) + util::BytesToHex(command);
  return RunOperation("Удаленная команда узлу " + std::to_string(address), text,
                      [&](const std::string &data) -> std::optional<TResultCode> {
                        // Without the id nothing could be polled or fetched.
                        if (DataByteCount(data) < 1) return rcBadFormat;
                        requestId = util::HexPairValue(data, 0);
                        return std::nullopt;
                      });
}

bool ZIZ2400::ReadRemoteStatus(uint8_t requestId, std::array<uint8_t, 3> &status) {
  return RunOperation("Чтение статуса выполнения удаленной команды", "1802" + util::HexByte(requestId),
                      [&](const std::string &data) -> std::optional<TResultCode> {
                        if (DataByteCount(data) < status.size()) return rcBadFormat;
                        for (size_t i = 0; i < status.size(); ++i)
                          status[i] = util::HexPairValue(data, static_cast<int>(i));
                        return TResultCode{0, util::Format("OK (S:%d RC:%d BL:%d)", status[0], status[1], status[2])};
                      });
}

bool ZIZ2400::FetchRemoteAnswer(uint8_t requestId, std::string &answer) {
  answer.clear();
  return RunOperation("Чтение буфера удаленной команды", "1803" + util::HexByte(requestId),
                      [&](const std::string &data) -> std::optional<TResultCode> {
                        answer = DataBytes(data);
                        return std::nullopt;
                      });
}

}  // namespace modem
