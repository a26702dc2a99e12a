#include "modem/remote_node.h"

#include <algorithm>
#include <limits>

#include "util/hex.h"
#include "util/tick.h"

namespace modem {

using device::TResultCode;

ZIZ2400_RemoteNode::ZIZ2400_RemoteNode() = default;

ZIZ2400_RemoteNode::~ZIZ2400_RemoteNode() { DetachFromPort(); }

void ZIZ2400_RemoteNode::SetDirectNode(ZIZ2400 *node) {
  auto l = LockState();
  direct_ = node;
}

ZIZ2400 *ZIZ2400_RemoteNode::GetDirectNode() const {
  auto l = LockState();
  return direct_;
}

void ZIZ2400_RemoteNode::SetRemoteAddress(uint16_t address) {
  auto l = LockState();
  remoteAddress_ = address;
}

uint16_t ZIZ2400_RemoteNode::GetRemoteAddress() const {
  auto l = LockState();
  return remoteAddress_;
}

uint8_t ZIZ2400_RemoteNode::RequestId() const {
  auto l = LockState();
  return requestId_;
}

TResultCode ZIZ2400_RemoteNode::RemoteStatus() const {
  auto l = LockState();
  return remoteStatus_;
}

std::string ZIZ2400_RemoteNode::BuildPacket(const std::string &command) {
  return util::HexToBytes(command, static_cast<uint16_t>(command.size() / 2), false);
}

std::string ZIZ2400_RemoteNode::ExtractData(const std::string &answer) { return util::BytesToHex(answer); }

ZIZ2400_RemoteNode::AttemptEnd ZIZ2400_RemoteNode::TunnelFailed(const ZIZ2400 *direct) {
  if (Aborted()) {
    SetResult(device::rcAborted);
    return AttemptEnd::Ended;
  }
  // Another attempt cannot help while the cable is out.
  if (direct && direct->ResultCode() == device::rcLineLost) {
    SetResult(device::rcLineLost);
    return AttemptEnd::Ended;
  }
  SetResult(rcGatewayError);
  return AttemptEnd::NoAnswer;
}

namespace {

// Polls follow the send closely and then spread out: each wait is a quarter
// of the time the command has taken so far, at most 100 ms. A quick node is
// read soon after it finishes, a slow one is not flooded with polls.
uint32_t NextPollWaitMs(uint32_t sinceSendMs) { return std::clamp<uint32_t>(sinceSendMs / 4, 1, 100); }

}  // namespace

void ZIZ2400_RemoteNode::SetCommandTimeoutMs(int ms) {
  auto l = LockState();
  commandTimeoutMs_ = std::max(0, ms);
}

int ZIZ2400_RemoteNode::GetCommandTimeoutMs() const {
  auto l = LockState();
  return commandTimeoutMs_;
}

int ZIZ2400_RemoteNode::TimeLeftMs(const Attempt &attempt) const {
  const int limit = GetCommandTimeoutMs();
  if (limit == 0) return std::numeric_limits<int>::max();
  return static_cast<int>(std::max<int64_t>(0, limit - int64_t{util::TicksSince(attempt.transactionStart)}));
}

ZIZ2400_RemoteNode::AttemptEnd ZIZ2400_RemoteNode::TimedOut(const Attempt &attempt) {
  SetResult(RemoteTimeoutResult(GetCommandTimeoutMs()));
  ReportPoll(attempt, true);
  return AttemptEnd::Ended;
}

void ZIZ2400_RemoteNode::ReportPoll(const Attempt &attempt, bool ended) {
  const int limit = GetCommandTimeoutMs();
  ReportWaitStep(attempt, ended, limit, limit == 0 ? 0 : TimeLeftMs(attempt));
}

ZIZ2400_RemoteNode::AttemptEnd ZIZ2400_RemoteNode::RunAttempt(const std::string &command, const Attempt &attempt) {
  // A repeat after a failed poll is still the same command: its time is up.
  if (TimeLeftMs(attempt) == 0) return TimedOut(attempt);
  ZIZ2400 *direct = GetDirectNode();
  uint8_t id = 0;
  if (!direct || !direct->SendRemoteCommand(GetRemoteAddress(), Packet(), id)) {
    // A command the direct node never took is a gateway failure, not one
    // still "in progress"; the next attempt sends it again.
    return TunnelFailed(direct);
  }
  {
    auto l = LockState();
    requestId_ = id;
  }
  AnswerEvent().Reset();
  NotifyPacket(command, true);
  if (Aborted()) {
    SetResult(device::rcAborted);
    return AttemptEnd::Ended;
  }
  return Poll(*direct, id, attempt);
}

ZIZ2400_RemoteNode::AttemptEnd ZIZ2400_RemoteNode::Poll(ZIZ2400 &direct, uint8_t requestId, const Attempt &attempt) {
  const uint32_t sent = util::TickMs();
  for (;;) {
    std::array<uint8_t, 3> status{};
    if (!direct.ReadRemoteStatus(requestId, status)) return TunnelFailed(&direct);
    if (status[0] == 0) {
      Finished(direct, requestId, status[1]);
      ReportPoll(attempt, true);
      return AttemptEnd::Ended;
    }
    const int left = TimeLeftMs(attempt);
    if (left == 0) return TimedOut(attempt);
    const uint32_t wait = std::min<uint32_t>(NextPollWaitMs(util::TicksSince(sent)), static_cast<uint32_t>(left));
    const WaitStepEnd end = WaitBetweenPolls(wait);
    const bool ended = end == WaitStepEnd::Answer || end == WaitStepEnd::Abort;
    ReportPoll(attempt, ended);
    if (ended) return AttemptEnd::Ended;
  }
}

ZIZ2400_RemoteNode::WaitStepEnd ZIZ2400_RemoteNode::WaitBetweenPolls(uint32_t ms) {
  const uint32_t start = util::TickMs();
  for (;;) {
    const uint32_t elapsed = util::TicksSince(start);
    if (elapsed >= ms) return WaitStepEnd::Nothing;
    const WaitStepEnd end = WaitStep(ms - elapsed);
    if (end != WaitStepEnd::Input) return end;
  }
}

void ZIZ2400_RemoteNode::Finished(ZIZ2400 &direct, uint8_t requestId, uint8_t status) {
  const TResultCode remote = RemoteResultCode(status);
  {
    auto l = LockState();
    remoteStatus_ = remote;
  }
  if (status == 0)
    Fetch(direct, requestId);
  else
    SetResult(remote);
}

void ZIZ2400_RemoteNode::Fetch(ZIZ2400 &direct, uint8_t requestId) {
  SetAnswerData(std::string());
  std::string answer;
  if (!direct.FetchRemoteAnswer(requestId, answer)) {
    TunnelFailed(&direct);
  } else if (answer.empty()) {
    SetResult(device::rcNoData);
  } else {
    SetResult(RemoteResultCode(static_cast<uint8_t>(answer[0])));
    SetAnswerData(ExtractData(answer));
  }
  NotifyPacket(std::string(), false);
}

}  // namespace modem
