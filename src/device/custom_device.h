#pragma once
// The request/answer engine every device class builds on. One Execute is one
// transaction: the class encodes the command, the packet goes out through the
// port, received blocks are handed to the class until it recognises an
// answer; up to N attempts, each with its time budget.
//
// The caller's thread runs Execute and every callback; the port's reader
// thread runs the receive path and the class's ParseAnswer/ExtractData. The
// transaction state they share is guarded by one lock; the hand-over of a
// complete answer is the answer event.
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "device/device_waiter.h"
#include "device/result_code.h"
#include "port/custom_port.h"
#include "util/manual_reset_event.h"

namespace device {

class TCustomDevice;

enum class TDeviceDetailMode { dmStart, dmRepeat, dmDoneOK, dmDoneFail };

struct TExtWaitProcParams {
  int TotalTime = 0;
  int Remaining = 0;
  int TransactionCount = 0;
  int Transaction = 0;
  std::string Packet;
  std::string Answer;
  util::ManualResetEvent *AbortHandle = nullptr;
  TResultCode LastResult;
};

using TPacketEvent = std::function<void(TCustomDevice &device, const std::string &packet, const std::string &data)>;
using TDeviceActionEvent = std::function<void(TCustomDevice &device, uint8_t actionCode, const std::string &actionStr,
                                              int actionSize, uint8_t actionType)>;
using TExecuteEvent = std::function<bool(TCustomDevice &device, uint8_t transaction)>;
using TExternalWaitProc = std::function<void(TCustomDevice &device, int timeOut, uint8_t transaction)>;
using TExternalWaitProc2 = std::function<void(TCustomDevice &device, const TExtWaitProcParams &params)>;
using TDetailInfoEvent =
    std::function<void(TCustomDevice &device, TDeviceDetailMode mode, const std::string &text, int tryNumber)>;

inline constexpr size_t MaxRxBuffer = 5000;

class TCustomDevice : public port::TCustomPortLink {
 public:
  TCustomDevice();
  ~TCustomDevice() override;

  // Published properties.
  uint8_t GetTimeOut() const;  // TimeOutMs rounded up to whole seconds, modulo 256
  void SetTimeOut(uint8_t seconds);
  uint8_t Transactions = 20;
  bool StopAfterSend = false;
  uint16_t BlockSize = 32;
  TPacketEvent OnReceivePacket;
  TPacketEvent OnSendPacket;
  TDeviceActionEvent OnAction;
  TExecuteEvent OnBeforeExecute;
  TDetailInfoEvent OnDetailedInfo;
  TExternalWaitProc ExternalWaitProc;
  TExternalWaitProc2 ExternalWaitProc2;

  int GetTimeOutMs() const;
  void SetTimeOutMs(int ms);

  // One transaction; the outcome is left in ResultCode, the answer in AnswerData.
  // Device classes change what one attempt does (RunAttempt), never the loop.
  void Execute(const std::string &command, uint16_t timeOutFactor, uint16_t transactions);
  void Stop();
  void SetResult(int code, const std::string &msg);
  void SetResult(const TResultCode &rc);
  TResultCode ResultCode() const;
  std::string AnswerData() const;
  std::string Packet() const;
  std::string RxBuffer() const;
  int WaitTime() const;
  bool Busy() const;
  bool Aborted() const;
  util::ManualResetEvent &AbortEvent() { return *abortEvent_; }
  util::ManualResetEvent &AnswerEvent() { return *answerEvent_; }

  // -1 when the result is one of `ignore` or has no text; otherwise shows
  // Msg + CR + text and returns the button pressed (0 with no presenter).
  virtual int ShowError(const std::string &caption, const std::string &text, const std::vector<int> &ignore,
                        int flags);

  // The wait used by Execute; the process default unless set.
  void SetWaiter(std::shared_ptr<IDeviceWaiter> waiter);

  // Port link: the receive path (reader thread) and the send report.
  void DoReceiveData(const std::string &data) override;
  void DoSendData(const std::string &) override {}

 protected:
  // Device class hooks. ParseAnswer and ExtractData run on the reader thread
  // with the state lock held; BuildPacket on the caller's thread.
  virtual std::string ExtractData(const std::string &answer) = 0;
  virtual std::string BuildPacket(const std::string &command) = 0;
  virtual bool ParseAnswer(const std::string &buffer) = 0;
  virtual bool BeforeExecute(TCustomDevice &device, uint8_t transaction);
  virtual void DoRepeat(int tryNumber) = 0;
  // Whether a successful answer (ExtractData's text) can be the answer to
  // the request in flight. One that cannot is a late answer to an earlier
  // request: it is dropped and the wait goes on. Reader thread, lock held.
  virtual bool AnswerBelongs(const std::string &answerData) const;
  // Where in the receive buffer the answer ParseAnswer last found ends (all
  // of it unless the class knows better). Reader thread, lock held.
  virtual size_t AnswerEnd() const;

  // One attempt of a transaction, as the transaction loop hands it on.
  struct Attempt {
    uint16_t transactions = 0;      // attempts allowed in this transaction
    int index = 0;                  // from 0
    TResultCode lastResult;         // the result as it stood when the attempt began
    uint32_t transactionStart = 0;  // tick at which the transaction began
  };
  enum class AttemptEnd {
    Ended,     // an answer, Stop or a final result: no further attempt
    NoAnswer,  // the next attempt, if any, repeats the command
  };
  // What one attempt does once its packet is built (Packet()): here, write
  // it to the port and wait for the answer. A device that reaches its node
  // another way replaces only this; the attempts, Stop and the progress
  // reports stay with Execute.
  virtual AttemptEnd RunAttempt(const std::string &command, const Attempt &attempt);

  enum class WaitStepEnd { Input, Answer, Abort, Nothing };
  // One wait of at most stepMs for the answer, Stop or user input. Input is
  // handled here; an answer or Stop sets the result.
  WaitStepEnd WaitStep(uint32_t stepMs);
  // The progress reports after a wait step: ExternalWaitProc2 with every
  // field of the attempt, then ExternalWaitProc unless the attempt ended.
  void ReportWaitStep(const Attempt &attempt, bool ended, int totalMs, int remainingMs);

  void NotifyPacket(const std::string &data, bool sent);
  // Every concrete device class calls this first in its destructor, so the
  // reader thread never calls a hook of a half-destroyed object.
  void DetachFromPort();

  // The state lock; recursive because ParseAnswer sets the result under it.
  std::unique_lock<std::recursive_mutex> LockState() const { return std::unique_lock(stateMutex_); }

  void SetAnswerData(const std::string &data);

 private:
  // Refuses (false) while another transaction of this device waits;
  // otherwise the result is pending, the device busy, a previous Stop forgotten.
  bool BeginExecute();
  void EndExecute();
  // A new attempt: nothing received yet, `packet` is what goes out.
  void StartAttempt(const std::string &packet);
  std::shared_ptr<IDeviceWaiter> Waiter() const;
  enum class WaitEnd { Answer, Abort, Timeout };
  // Waits out the attempt's budget for its answer.
  WaitEnd WaitForAnswer(const Attempt &attempt);
  // Answers owed to earlier requests (an attempt that timed out, a stop) may
  // still come and would be taken for the next command's. Before a new
  // command they are waited for (up to an attempt's budget) and dropped,
  // then the line must stay quiet for a few frame times. A clean line skips
  // this.
  void DrainStaleAnswers();
  uint32_t QuietGuardMs() const;

  mutable std::recursive_mutex stateMutex_;
  int timeOutMs_ = 5000;
  int waitTime_ = 0;
  std::string packet_;
  bool busy_ = false;
  bool aborted_ = false;
  std::string rxBuffer_;
  std::string answerData_;
  TResultCode resultCode_{3, ""};
  int owedAnswers_ = 0;       // requests sent whose answer was never taken
  bool frameSeen_ = false;    // the current attempt received a complete frame
  bool refusedAnswer_ = false;  // the current attempt dropped an answer of the wrong form
  bool draining_ = false;     // DrainStaleAnswers is dropping what arrives
  uint32_t lastRxTick_ = 0;   // when the last block arrived while draining
  // Owned through shared pointers so a GUI waiter's queued wake-up can never
  // outlive them.
  std::shared_ptr<util::ManualResetEvent> abortEvent_ = std::make_shared<util::ManualResetEvent>();
  std::shared_ptr<util::ManualResetEvent> answerEvent_ = std::make_shared<util::ManualResetEvent>();
  std::shared_ptr<IDeviceWaiter> waiter_;
};

}  // namespace device
