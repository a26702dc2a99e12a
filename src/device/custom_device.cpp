#include "device/custom_device.h"

#include <algorithm>

#include "port/port.h"
#include "util/tick.h"

namespace device {

TCustomDevice::TCustomDevice() = default;

TCustomDevice::~TCustomDevice() { DetachFromPort(); }

void TCustomDevice::DetachFromPort() {
  Stop();
  SetPort(nullptr);
}

uint8_t TCustomDevice::GetTimeOut() const {
  auto l = LockState();
  int seconds = (timeOutMs_ + 999) / 1000;
  return static_cast<uint8_t>(seconds & 0xFF);
}

void TCustomDevice::SetTimeOut(uint8_t seconds) { SetTimeOutMs(seconds * 1000); }

int TCustomDevice::GetTimeOutMs() const {
  auto l = LockState();
  return timeOutMs_;
}

void TCustomDevice::SetTimeOutMs(int ms) {
  auto l = LockState();
  timeOutMs_ = ms;
}

void TCustomDevice::SetResult(int code, const std::string &msg) { SetResult(TResultCode{code, msg}); }

void TCustomDevice::SetResult(const TResultCode &rc) {
  auto l = LockState();
  resultCode_ = rc;
}

TResultCode TCustomDevice::ResultCode() const {
  auto l = LockState();
  return resultCode_;
}

std::string TCustomDevice::AnswerData() const {
  auto l = LockState();
  return answerData_;
}

std::string TCustomDevice::Packet() const {
  auto l = LockState();
  return packet_;
}

std::string TCustomDevice::RxBuffer() const {
  auto l = LockState();
  return rxBuffer_;
}

int TCustomDevice::WaitTime() const {
  auto l = LockState();
  return waitTime_;
}

bool TCustomDevice::Busy() const {
  auto l = LockState();
  return busy_;
}

bool TCustomDevice::Aborted() const {
  auto l = LockState();
  return aborted_;
}

void TCustomDevice::SetWaiter(std::shared_ptr<IDeviceWaiter> waiter) {
  auto l = LockState();
  waiter_ = std::move(waiter);
}

std::shared_ptr<IDeviceWaiter> TCustomDevice::Waiter() const {
  {
    auto l = LockState();
    if (waiter_) return waiter_;
  }
  return DefaultDeviceWaiter();
}

void TCustomDevice::Stop() {
  {
    auto l = LockState();
    aborted_ = true;
    resultCode_ = rcAborted;
  }
  abortEvent_->Set();
}

bool TCustomDevice::BeforeExecute(TCustomDevice &device, uint8_t transaction) {
  if (Aborted()) return false;
  return OnBeforeExecute ? OnBeforeExecute(device, transaction) : true;
}

void TCustomDevice::NotifyPacket(const std::string &data, bool sent) {
  std::string packet, rx, answer;
  {
    auto l = LockState();
    if (aborted_) return;
    packet = packet_;
    rx = rxBuffer_;
    answer = answerData_;
  }
  if (sent) {
    if (OnSendPacket) OnSendPacket(*this, packet, data);
  } else {
    if (OnReceivePacket) OnReceivePacket(*this, rx, answer);
  }
}

int TCustomDevice::ShowError(const std::string &caption, const std::string &text, const std::vector<int> &ignore,
                             int flags) {
  TResultCode rc = ResultCode();
  if (std::find(ignore.begin(), ignore.end(), rc.Code) != ignore.end() || rc.Msg.empty()) return -1;
  auto presenter = DefaultErrorPresenter();
  if (!presenter) return 0;
  return presenter->ShowError(caption, rc.Msg + "\r" + text, flags);
}

bool TCustomDevice::BeginExecute() {
  {
    auto l = LockState();
    if (busy_ && !aborted_) return false;  // another transaction of this device is waiting
    resultCode_ = rcPending;
    busy_ = true;
  }
  abortEvent_->Reset();
  auto l = LockState();
  aborted_ = false;
  return true;
}

void TCustomDevice::EndExecute() {
  auto l = LockState();
  aborted_ = false;
  busy_ = false;
}

void TCustomDevice::StartAttempt(const std::string &packet) {
  auto l = LockState();
  rxBuffer_.clear();
  answerData_.clear();
  frameSeen_ = false;
  refusedAnswer_ = false;
  packet_ = packet;
}

uint32_t TCustomDevice::QuietGuardMs() const {
  // Three answers of a memory block (about 80 bytes with stuffing) at ten
  // bits a byte: what can still be in flight once the owed answers are in.
  const auto *p = dynamic_cast<const port::TPort *>(GetPort());
  const int baud = p ? p->Settings().GetBaudRate() : 0;
  if (baud <= 0) return 20;
  return std::max<uint32_t>(5, static_cast<uint32_t>(3 * 80 * 10 * 1000 / baud));
}

void TCustomDevice::DrainStaleAnswers() {
  {
    auto l = LockState();
    if (owedAnswers_ == 0) return;
    draining_ = true;
    lastRxTick_ = util::TickMs();
  }
  auto waiter = Waiter();
  // A modem answers in turn: an owed answer can come up to a budget after
  // the one before it was due, so each gets two budgets.
  const uint32_t budget =
      static_cast<uint32_t>(std::max(0, GetTimeOutMs())) * 2 * static_cast<uint32_t>(std::min(owedAnswers_, 20));
  const uint32_t guard = QuietGuardMs();
  const uint32_t start = util::TickMs();
  for (;;) {
    uint32_t quietFor = 0;
    {
      auto l = LockState();
      if (aborted_) break;
      if (owedAnswers_ == 0) {
        quietFor = util::TicksSince(lastRxTick_);
        if (quietFor >= guard) break;
      } else if (util::TicksSince(start) >= budget) {
        // No more came within a whole budget: those answers are lost.
        owedAnswers_ = 0;
        continue;
      }
      rxBuffer_.clear();
      answerData_.clear();
      resultCode_ = rcPending;
    }
    answerEvent_->Reset();
    const uint32_t elapsed = util::TicksSince(start);
    uint32_t step = owedAnswers_ == 0 ? guard - quietFor : (budget > elapsed ? budget - elapsed : 0);
    step = std::clamp<uint32_t>(step, 1, 100);
    const IDeviceWaiter::Outcome outcome = waiter->Wait(step, *answerEvent_, *abortEvent_);
    if (outcome == IDeviceWaiter::Outcome::Input) waiter->ProcessInput();
    if (outcome == IDeviceWaiter::Outcome::Answer) {
      auto l = LockState();
      if (owedAnswers_ > 0) --owedAnswers_;
    }
  }
  auto l = LockState();
  draining_ = false;
  rxBuffer_.clear();
  answerData_.clear();
  resultCode_ = rcPending;
}

bool TCustomDevice::AnswerBelongs(const std::string &) const { return true; }

size_t TCustomDevice::AnswerEnd() const { return rxBuffer_.size(); }

void TCustomDevice::SetAnswerData(const std::string &data) {
  auto l = LockState();
  answerData_ = data;
}

void TCustomDevice::Execute(const std::string &command, uint16_t timeOutFactor, uint16_t transactions) {
  if (!BeginExecute()) return;
  // A line that went away fails at once (the port takes the device back
  // first if it has returned).
  if (port::TCustomPort *p = GetPort(); p && !p->EnsureLine()) {
    SetResult(rcLineLost);
    EndExecute();
    return;
  }
  // The hooks and callbacks are the device class's and the caller's code:
  // whatever they throw ends the transaction "in progress", never busy.
  try {
    Attempt attempt;
    attempt.transactions = transactions;
    attempt.transactionStart = util::TickMs();
    bool ended = false;
    do {
      {
        auto l = LockState();
        waitTime_ = timeOutFactor * timeOutMs_;
      }
      if (attempt.index > 0) DoRepeat(attempt.index);
      {
        auto l = LockState();
        attempt.lastResult = resultCode_;
        resultCode_ = rcPending;
      }
      // A late answer to an earlier attempt of this command is still its
      // answer; only another command's must not be taken.
      if (attempt.index == 0) DrainStaleAnswers();
      if (BeforeExecute(*this, static_cast<uint8_t>(attempt.index))) {
        StartAttempt(BuildPacket(command));
        ended = RunAttempt(command, attempt) == AttemptEnd::Ended;
      }
      ++attempt.index;
    } while (!ended && !Aborted() && ResultCode().Code != rcAborted.Code && attempt.index < transactions);
  } catch (...) {
    SetResult(rcPending);
  }
  EndExecute();
}

TCustomDevice::AttemptEnd TCustomDevice::RunAttempt(const std::string &command, const Attempt &attempt) {
  answerEvent_->Reset();
  port::TCustomPort *p = GetPort();
  if (!p) {
    // Nowhere to send: the transaction ends as one still "in progress".
    SetResult(rcPending);
    return AttemptEnd::Ended;
  }
  p->SendData(Packet());
  NotifyPacket(command, true);
  if (Aborted()) {
    // Stopped while sending: the packet went out, so its answer is owed.
    SetResult(rcAborted);
    auto l = LockState();
    ++owedAnswers_;
    return AttemptEnd::Ended;
  }
  if (StopAfterSend) {
    SetResult(rcOK);
    return AttemptEnd::Ended;
  }
  const WaitEnd end = WaitForAnswer(attempt);
  {
    auto l = LockState();
    // Only answers of the wrong form came: say so rather than "no answer".
    if (end == WaitEnd::Timeout) resultCode_ = refusedAnswer_ ? rcBadFormat : rcNoAnswer;
    // Nothing came for this request (or it was stopped): its answer may
    // still be on its way.
    if (!frameSeen_ || end == WaitEnd::Abort) ++owedAnswers_;
  }
  return end == WaitEnd::Timeout ? AttemptEnd::NoAnswer : AttemptEnd::Ended;
}

TCustomDevice::WaitEnd TCustomDevice::WaitForAnswer(const Attempt &attempt) {
  const uint32_t start = util::TickMs();
  // Read afresh on every step: a busy answer shortens the budget while we wait.
  auto budget = [this] { return static_cast<uint32_t>(std::max(0, WaitTime())); };
  for (;;) {
    const uint32_t elapsed = util::TicksSince(start);
    // Never sleep past the budget: the time-out ends on time, not at the next step.
    const WaitStepEnd step = WaitStep(std::min<uint32_t>(100, budget() > elapsed ? budget() - elapsed : 0));
    if (step != WaitStepEnd::Input) {
      const bool ended = step == WaitStepEnd::Answer || step == WaitStepEnd::Abort;
      const int64_t total = budget();
      ReportWaitStep(attempt, ended, static_cast<int>(total),
                     static_cast<int>(std::max<int64_t>(0, total - util::TicksSince(start))));
      if (step == WaitStepEnd::Answer) return WaitEnd::Answer;
      if (step == WaitStepEnd::Abort) return WaitEnd::Abort;
    }
    if (util::TicksSince(start) >= budget()) return WaitEnd::Timeout;
  }
}

TCustomDevice::WaitStepEnd TCustomDevice::WaitStep(uint32_t stepMs) {
  auto waiter = Waiter();
  switch (waiter->Wait(stepMs, *answerEvent_, *abortEvent_)) {
    case IDeviceWaiter::Outcome::Input:
      waiter->ProcessInput();
      return WaitStepEnd::Input;
    case IDeviceWaiter::Outcome::Answer: {
      std::string answer;
      {
        auto l = LockState();
        if (IsPending(resultCode_)) resultCode_ = rcOK;
        answer = answerData_;
      }
      NotifyPacket(answer, false);
      return WaitStepEnd::Answer;
    }
    case IDeviceWaiter::Outcome::Abort: {
      auto l = LockState();
      resultCode_ = rcAborted;
      aborted_ = true;
      return WaitStepEnd::Abort;
    }
    case IDeviceWaiter::Outcome::Timeout:
      break;
  }
  return WaitStepEnd::Nothing;
}

void TCustomDevice::ReportWaitStep(const Attempt &attempt, bool ended, int totalMs, int remainingMs) {
  if (ExternalWaitProc2) {
    TExtWaitProcParams params;
    params.TotalTime = totalMs;
    params.Remaining = std::max(0, remainingMs);
    params.TransactionCount = attempt.transactions;
    params.Transaction = attempt.index;
    {
      auto l = LockState();
      params.Packet = packet_;
      params.Answer = answerData_;
    }
    params.AbortHandle = abortEvent_.get();
    params.LastResult = attempt.lastResult;
    ExternalWaitProc2(*this, params);
  }
  if (!ended && ExternalWaitProc) ExternalWaitProc(*this, 0, 0);
}

void TCustomDevice::DoReceiveData(const std::string &data) {
  {
    auto l = LockState();
    if (aborted_ || !busy_ || !IsPending(resultCode_) || data.empty()) return;
    if (draining_) lastRxTick_ = util::TickMs();
    rxBuffer_ += data;
    for (;;) {
      if (rxBuffer_.size() > MaxRxBuffer)
        resultCode_ = rcRxOverflow;
      else
        ParseAnswer(rxBuffer_);
      if (IsPending(resultCode_)) return;
      answerData_ = ExtractData(rxBuffer_);
      if (resultCode_.Code != rcOK.Code || draining_ || AnswerBelongs(answerData_)) break;
      // Owed to an earlier request, not this one's: drop it and look on in
      // what came after it, which may already hold this one's answer.
      if (owedAnswers_ > 0) --owedAnswers_;
      refusedAnswer_ = true;
      rxBuffer_.erase(0, std::clamp<size_t>(AnswerEnd(), 1, rxBuffer_.size()));
      answerData_.clear();
      resultCode_ = rcPending;
    }
    frameSeen_ = true;
    if (resultCode_.Code == rcBusy.Code && !draining_) {
      // A busy modem: no hand-over; the attempt runs to a short budget and
      // ends without answer, so the next attempt repeats the command.
      int seconds = ((timeOutMs_ + 999) / 1000) & 0xFF;
      waitTime_ = seconds * 1000 / 5 + 500;
      return;
    }
  }
  answerEvent_->Set();
}

}  // namespace device
