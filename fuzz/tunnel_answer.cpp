// The tunnel's answers from any bytes: commands run on a remote node, sent,
// polled and fetched through a direct node whose every answer comes from the
// input. Whatever the answers hold, each command must end with a result, and
// a success must carry whole hex pairs.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "modem/remote_node.h"
#include "modem/ziz2400.h"
#include "port/custom_port.h"
#include "sim/answer_encoder.h"

namespace {

constexpr uint8_t kDirectAddress = 1;

// Answers every request at once, on the caller's thread, with the next answer
// of the input (status, length, data), framed as the direct modem frames it.
// Once the input is used up the modem is silent.
class InputPort : public port::TCustomPort {
 public:
  InputPort(const uint8_t *data, size_t size, uint8_t hostAddr) : data_(data), size_(size), hostAddr_(hostAddr) {}
  void SetActive(bool) override {}
  bool GetActive() const override { return true; }
  void SendData(const std::string &packet) override {
    TCustomPort::SendData(packet);
    if (pos_ + 2 > size_) return;
    const uint8_t status = data_[pos_];
    const size_t length = std::min<size_t>(data_[pos_ + 1], size_ - pos_ - 2);
    pos_ += 2;
    std::string_view body(reinterpret_cast<const char *>(data_ + pos_), length);
    pos_ += length;
    DataReceived(sim::EncodeBinAnswer({hostAddr_, kDirectAddress, status}, body, {}));
  }

 private:
  const uint8_t *data_;
  size_t size_;
  size_t pos_ = 0;
  uint8_t hostAddr_;
};

void CheckOutcome(const modem::ZIZ2400 &node) {
  const auto result = node.ResultCode();
  if (result.Code == 0 && node.AnswerData().size() % 2 != 0) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  modem::ZIZ2400 direct;
  InputPort line(data, size, direct.GetHostAddr());
  direct.SetPort(&line);
  direct.SetDeviceId(kDirectAddress);
  // Answers arrive before the wait begins, so no wait is needed: silence
  // then costs nothing.
  direct.SetTimeOutMs(0);
  direct.Transactions = 1;

  modem::ZIZ2400_RemoteNode remote;
  remote.SetDirectNode(&direct);
  remote.SetRemoteAddress(2);
  // A status that keeps saying "running" is polled with growing pauses until
  // the command's limit: a short limit keeps a run to milliseconds (with the
  // default 30 s, one run took most of a second).
  remote.SetCommandTimeoutMs(5);

  remote.Execute("1501", 1, 2);
  CheckOutcome(remote);
  modem::TVersion version;
  remote.ReadVersion(version);
  CheckOutcome(remote);
  int16_t temperature = 0;
  remote.ReadTemperature(temperature);
  CheckOutcome(remote);
  direct.SetPort(nullptr);
  return 0;
}
