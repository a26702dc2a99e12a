#include "modem/ziz2400.h"

#include "modem/frame_codec.h"
#include "modem/modem_status.h"

namespace modem {

ZIZ2400::ZIZ2400() = default;

ZIZ2400::~ZIZ2400() { DetachFromPort(); }

uint8_t ZIZ2400::GetHostAddr() const {
  auto l = LockState();
  return hostAddr_;
}

uint8_t ZIZ2400::GetProtocol() const {
  auto l = LockState();
  return protocol_;
}

void ZIZ2400::SetProtocol(uint8_t protocol) {
  auto l = LockState();
  protocol_ = protocol;
}

std::string ZIZ2400::GetFrameData() const {
  auto l = LockState();
  return frameData_;
}

void ZIZ2400::SetAnswerStatus(uint8_t status) {
  if (const device::TResultCode *rc = ModemStatusRecord(status)) SetResult(*rc);
}

std::string ZIZ2400::BuildPacket(const std::string &command) {
  auto l = LockState();
  uint8_t id = GetDeviceId();
  return protocol_ == kProtocolBin ? BuildBinRequest(id, hostAddr_, command) : BuildAsciiRequest(id, hostAddr_, command);
}

bool ZIZ2400::ParseAnswer(const std::string &buffer) {
  auto l = LockState();
  frameData_.clear();
  uint8_t id = GetDeviceId();
  auto frame = protocol_ == kProtocolBin ? FindBinAnswer(buffer, hostAddr_, id) : FindAsciiAnswer(buffer, hostAddr_, id);
  if (!frame) return false;
  SetAnswerStatus(frame->status);
  frameData_ = std::move(frame->frameData);
  frameEnd_ = frame->end;
  return true;
}

std::string ZIZ2400::ExtractData(const std::string &) { return GetFrameData(); }

size_t ZIZ2400::AnswerEnd() const {
  auto l = LockState();
  return frameEnd_;
}

bool ZIZ2400::BeforeExecute(device::TCustomDevice &device, uint8_t transaction) {
  {
    auto l = LockState();
    frameData_.clear();
  }
  return TDevice::BeforeExecute(device, transaction);
}

}  // namespace modem
