#include "modem/remote_node.h"

#include "util/hex.h"

namespace modem {

using device::IDeviceWaiter;
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

void ZIZ2400_RemoteNode::TunnelFailed() { SetResult(Aborted() ? device::rcAborted : rcGatewayError); }

void ZIZ2400_RemoteNode::Execute(const std::string &command, uint16_t, uint16_t transactions) {
  if (!BeginExecute()) return;
  try {
    bool done = false;
    bool sendFailed = false;
    int attempt = 0;
    do {
      if (attempt > 0) DoRepeat(attempt);
      TResultCode lastResult = ResultCode();
      SetResult(device::rcPending);
      sendFailed = false;
      if (BeforeExecute(*this, static_cast<uint8_t>(attempt))) {
        StartAttempt(BuildPacket(command));
        ZIZ2400 *direct = GetDirectNode();
        uint8_t id = 0;
        if (!direct || !direct->SendRemoteCommand(GetRemoteAddress(), Packet(), id)) {
          sendFailed = true;
          if (Aborted()) SetResult(device::rcAborted);
        } else {
          {
            auto l = LockState();
            requestId_ = id;
          }
          AnswerEvent().Reset();
          NotifyPacket(command, true);
          if (Aborted()) {
            SetResult(device::rcAborted);
            break;
          }
          done = Poll(*direct, id, transactions, attempt, lastResult) == PollEnd::Finished;
        }
      }
      ++attempt;
    } while (!done && !Aborted() && ResultCode().Code != device::rcAborted.Code && attempt < transactions);
    // A command the direct node never took is a gateway failure, not one
    // still "in progress".
    if (sendFailed && device::IsPending(ResultCode())) SetResult(rcGatewayError);
  } catch (...) {
    SetResult(device::rcPending);
  }
  EndExecute();
}

ZIZ2400_RemoteNode::PollEnd ZIZ2400_RemoteNode::Poll(ZIZ2400 &direct, uint8_t requestId, uint16_t transactions,
                                                     int attempt, const TResultCode &lastResult) {
  auto waiter = Waiter();
  for (;;) {
    std::array<uint8_t, 3> status{};
    if (!direct.ReadRemoteStatus(requestId, status)) {
      TunnelFailed();
      return PollEnd::Failed;
    }
    bool done = false;
    if (status[0] == 0) {
      done = true;
      TResultCode remote = RemoteResultCode(status[1]);
      {
        auto l = LockState();
        remoteStatus_ = remote;
      }
      if (status[1] == 0)
        Fetch(direct, requestId);
      else
        SetResult(remote);
    } else {
      IDeviceWaiter::Outcome outcome = waiter->Wait(100, AnswerEvent(), AbortEvent());
      if (outcome == IDeviceWaiter::Outcome::Input) {
        waiter->ProcessInput();
        continue;
      }
      if (outcome == IDeviceWaiter::Outcome::Answer) {
        {
          auto l = LockState();
          if (device::IsPending(ResultCode())) SetResult(device::rcOK);
        }
        NotifyPacket(std::string(), false);
        done = true;
      } else if (outcome == IDeviceWaiter::Outcome::Abort) {
        Stop();  // the result becomes "aborted" and the node stays stopped
        done = true;
      }
    }
    if (ExternalWaitProc2) {
      device::TExtWaitProcParams params;
      params.TransactionCount = transactions;
      params.Transaction = attempt;
      params.Packet = Packet();
      params.Answer = AnswerData();
      params.AbortHandle = &AbortEvent();
      params.LastResult = lastResult;
      ExternalWaitProc2(*this, params);
    }
    if (done) return PollEnd::Finished;
    if (ExternalWaitProc) ExternalWaitProc(*this, 0, 0);
  }
}

void ZIZ2400_RemoteNode::Fetch(ZIZ2400 &direct, uint8_t requestId) {
  SetAnswerData(std::string());
  std::string answer;
  if (!direct.FetchRemoteAnswer(requestId, answer)) {
    TunnelFailed();
  } else if (answer.empty()) {
    SetResult(device::rcNoData);
  } else {
    SetResult(RemoteResultCode(static_cast<uint8_t>(answer[0])));
    SetAnswerData(ExtractData(answer));
  }
  NotifyPacket(std::string(), false);
}

}  // namespace modem
