#include "sim/pty_server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <deque>
#include <mutex>
#include <optional>
#include <thread>

#include "sim/line_pacer.h"
#include "sim/request_parser.h"
#include "sim/sim_modem.h"

namespace sim {

namespace {

using SteadyClock = std::chrono::steady_clock;
using TimePoint = SteadyClock::time_point;

// Replies queued behind others for a reader that does not read are dropped
// beyond this, as a modem with a full transmit buffer would.
constexpr size_t kMaxQueuedBytes = 1 << 20;
// A timed wake-up comes some tens of microseconds late; the serving thread
// wakes this much early and waits out the rest on the clock itself, so a
// paced answer ends on its byte clock.
constexpr auto kSpinMargin = std::chrono::microseconds(150);
// While a channel is open, bytes that might still become a request frame are
// held back from the loop-back at most this long after the line went quiet.
constexpr auto kLoopbackHold = std::chrono::milliseconds(20);
// Arrival times of recent reads, enough to date the first byte of any frame
// the parser may still complete.
constexpr size_t kMaxArrivals = 512;

std::string ErrnoText(const char *what) { return std::string(what) + ": " + std::strerror(errno); }

void CloseFd(int &fd) {
  if (fd >= 0) ::close(fd);
  fd = -1;
}

struct Transmission {
  std::string bytes;
  std::vector<WriteStep> plan;
  size_t step = 0;
  size_t written = 0;
  TimePoint start;
  bool answerFrame = false;
  bool counted = false;

  TimePoint NextDue() const { return start + plan[step].at; }
};

timespec ToTimespec(SteadyClock::duration d) {
  if (d.count() < 0) d = SteadyClock::duration::zero();
  const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(d).count();
  return timespec{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
}

}  // namespace

struct PtyServer::Impl {
  mutable std::mutex mutex;  // guards modem
  SimModem modem;

  std::string path;
  int master = -1;
  int slave = -1;  // kept open so the master never reads EIO between clients
  int wake = -1;
  std::thread thread;
  std::atomic<bool> stopping{false};
  std::atomic<bool> serving{false};

  std::atomic<uint64_t> requestsSeen{0};
  std::atomic<uint64_t> answersSent{0};
  std::atomic<uint64_t> bytesReceived{0};

  // Owned by the serving thread.
  RequestParser parser;
  uint64_t bytesRead = 0;
  std::deque<std::pair<uint64_t, TimePoint>> arrivals;  // index of a read's first byte, its time
  std::deque<Transmission> queue;
  size_t queuedBytes = 0;
  TimePoint lineFreeAt;
  bool writeBlocked = false;
  std::string heldEcho;  // bytes heard on an open channel, not yet looped back
  TimePoint echoDue;


  bool Open(std::string *error);
  void CloseAll();
  // Counts an answer against the hang-up fault; true when the line is to go.
  bool HangUpDue(bool answerWritten);
  // Lets the last answer be read, then closes both sides of the line.
  void DropLine();
  // Makes the serving thread look at its state again.
  void Wake();
  void Serve();
  void ReadLine();
  TimePoint ArrivalOf(uint64_t byteIndex) const;
  void OnRequest(const RequestFrame &frame, TimePoint firstByte, TimePoint now);
  void Enqueue(std::string bytes, TimePoint readyAt, uint32_t baud, bool split, bool answerFrame);
  void LoopBack(std::string bytes, TimePoint now);
  void WriteDue();
};

bool PtyServer::Impl::Open(std::string *error) {
  auto fail = [&](const char *what) {
    if (error) *error = ErrnoText(what);
    CloseAll();
    return false;
  };
  master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0) return fail("posix_openpt");
  if (::grantpt(master) != 0) return fail("grantpt");
  if (::unlockpt(master) != 0) return fail("unlockpt");
  char name[128] = {};
  if (::ptsname_r(master, name, sizeof name) != 0) return fail("ptsname");
  const int flags = ::fcntl(master, F_GETFL);
  if (flags < 0 || ::fcntl(master, F_SETFL, flags | O_NONBLOCK) != 0) return fail("fcntl");
  ::fcntl(master, F_SETFD, FD_CLOEXEC);
  slave = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slave < 0) return fail("open slave");
  termios tio{};
  if (::tcgetattr(slave, &tio) != 0) return fail("tcgetattr");
  ::cfmakeraw(&tio);
  if (::tcsetattr(slave, TCSANOW, &tio) != 0) return fail("tcsetattr");
  wake = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (wake < 0) return fail("eventfd");
  path = name;
  return true;
}

void PtyServer::Impl::CloseAll() {
  CloseFd(master);
  CloseFd(slave);
  CloseFd(wake);
}

bool PtyServer::Impl::HangUpDue(bool answerWritten) {
  std::lock_guard<std::mutex> lock(mutex);
  Faults f = modem.GetFaults();
  if (f.hangUpAfterAnswers < 0) return false;
  if (answerWritten && f.hangUpAfterAnswers > 0) {
    --f.hangUpAfterAnswers;
    modem.SetFaults(f);
  }
  return f.hangUpAfterAnswers == 0;
}

void PtyServer::Impl::DropLine() {
  // Closing the master flushes what the other end has not read yet, so the
  // line must first stay empty for a while (written bytes reach the other
  // side's queue a little later), a second at most. Then both sides go: the
  // program on the other end sees the hang-up a pulled adapter gives.
  const auto giveUp = SteadyClock::now() + std::chrono::seconds(1);
  auto lastUnread = SteadyClock::now();
  while (SteadyClock::now() - lastUnread < std::chrono::milliseconds(50) && SteadyClock::now() < giveUp &&
         !stopping.load()) {
    int unread = 0;
    if (::ioctl(slave, FIONREAD, &unread) != 0) break;
    if (unread > 0) lastUnread = SteadyClock::now();
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
  CloseFd(master);
  CloseFd(slave);
  serving = false;
}

void PtyServer::Impl::Wake() {
  const uint64_t one = 1;
  ssize_t ignored = ::write(wake, &one, sizeof one);
  (void)ignored;
}

void PtyServer::Impl::Serve() {
  // Paced writes must leave on the byte clock, not some 50 us after it.
  ::prctl(PR_SET_TIMERSLACK, 1000UL, 0, 0, 0);
  while (!stopping.load()) {
    if (HangUpDue(false)) {
      DropLine();
      return;
    }
    pollfd fds[2] = {{master, POLLIN, 0}, {wake, POLLIN, 0}};
    if (writeBlocked) fds[0].events |= POLLOUT;
    std::optional<TimePoint> wakeAt;
    if (!queue.empty() && !writeBlocked) wakeAt = queue.front().NextDue() - kSpinMargin;
    if (!heldEcho.empty() && (!wakeAt || echoDue < *wakeAt)) wakeAt = echoDue;
    timespec timeout{};
    timespec *timeoutPtr = nullptr;
    if (wakeAt) {
      timeout = ToTimespec(*wakeAt - SteadyClock::now());
      timeoutPtr = &timeout;
    }
    const int ready = ::ppoll(fds, 2, timeoutPtr, nullptr);
    if (ready < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[1].revents != 0) {
      // Stop (the loop condition ends it) or new faults to look at.
      uint64_t count = 0;
      ssize_t ignored = ::read(wake, &count, sizeof count);
      (void)ignored;
      continue;
    }
    if (fds[0].revents & POLLOUT) writeBlocked = false;
    if (fds[0].revents & POLLIN) {
      ReadLine();
    } else if (fds[0].revents & (POLLHUP | POLLERR)) {
      // Should not happen while our slave stays open; do not spin on it.
      pollfd wakeOnly{wake, POLLIN, 0};
      ::poll(&wakeOnly, 1, 20);
    }
    if (!heldEcho.empty() && SteadyClock::now() >= echoDue) LoopBack(std::move(heldEcho), SteadyClock::now());
    WriteDue();
  }
}

void PtyServer::Impl::ReadLine() {
  char buffer[4096];
  const ssize_t n = ::read(master, buffer, sizeof buffer);
  if (n <= 0) return;
  const TimePoint now = SteadyClock::now();
  bytesReceived.fetch_add(static_cast<uint64_t>(n));
  arrivals.emplace_back(bytesRead, now);
  if (arrivals.size() > kMaxArrivals) arrivals.pop_front();
  bool looping = false;
  {
    std::lock_guard<std::mutex> lock(mutex);
    looping = modem.ChannelOpen();
  }
  for (ssize_t k = 0; k < n; ++k) {
    if (looping) heldEcho.push_back(buffer[k]);
    std::optional<RequestFrame> frame = parser.Push(static_cast<uint8_t>(buffer[k]));
    if (!frame) continue;
    const uint64_t last = bytesRead + static_cast<uint64_t>(k);
    if (looping) {
      // A request is for the modem itself: only what came before it goes round.
      heldEcho.resize(heldEcho.size() - std::min(heldEcho.size(), frame->wireLength));
      LoopBack(std::move(heldEcho), now);
    }
    OnRequest(*frame, ArrivalOf(last + 1 - frame->wireLength), now);
    std::lock_guard<std::mutex> lock(mutex);
    looping = modem.ChannelOpen();
  }
  bytesRead += static_cast<uint64_t>(n);
  // Bytes no framer holds cannot start a request: they go round at once.
  if (!parser.InFrame()) LoopBack(std::move(heldEcho), now);
  else if (!heldEcho.empty()) echoDue = now + kLoopbackHold;
}

void PtyServer::Impl::LoopBack(std::string bytes, TimePoint now) {
  heldEcho.clear();
  if (bytes.empty()) return;
  uint32_t baud = 0;
  {
    std::lock_guard<std::mutex> lock(mutex);
    modem.NoteChannelTraffic();
    baud = modem.GetFaults().baud;
  }
  Enqueue(std::move(bytes), now, baud, false, false);
}

TimePoint PtyServer::Impl::ArrivalOf(uint64_t byteIndex) const {
  for (auto it = arrivals.rbegin(); it != arrivals.rend(); ++it) {
    if (it->first <= byteIndex) return it->second;
  }
  return arrivals.front().second;
}

void PtyServer::Impl::OnRequest(const RequestFrame &frame, TimePoint firstByte, TimePoint now) {
  requestsSeen.fetch_add(1);
  std::optional<Reply> reply;
  uint32_t baud = 0;
  {
    std::lock_guard<std::mutex> lock(mutex);
    reply = modem.Answer(frame);
    baud = modem.GetFaults().baud;
  }
  if (!reply || reply->bytes.empty()) return;

  // On a paced line the request is complete only once its last byte is in.
  TimePoint readyAt = firstByte + WireTime(frame.wireLength, baud);
  if (readyAt < now) readyAt = now;
  readyAt += std::chrono::milliseconds(reply->delayMs);
  Enqueue(std::move(reply->bytes), readyAt, baud, reply->split, reply->answerFrame);
}

void PtyServer::Impl::Enqueue(std::string bytes, TimePoint readyAt, uint32_t baud, bool split, bool answerFrame) {
  if (!queue.empty() && queuedBytes + bytes.size() > kMaxQueuedBytes) return;
  Transmission tx;
  tx.start = readyAt > lineFreeAt ? readyAt : lineFreeAt;
  tx.plan = PlanTransmission(bytes.size(), baud, split);
  tx.answerFrame = answerFrame;
  tx.bytes = std::move(bytes);
  lineFreeAt = tx.start + tx.plan.back().at;
  queuedBytes += tx.bytes.size();
  queue.push_back(std::move(tx));
}

void PtyServer::Impl::WriteDue() {
  while (!queue.empty() && !writeBlocked) {
    Transmission &tx = queue.front();
    const TimePoint due = tx.NextDue();
    TimePoint now = SteadyClock::now();
    if (due - now > kSpinMargin) return;
    while (now < due) now = SteadyClock::now();
    const size_t end = tx.plan[tx.step].end;
    // Counted before its last bytes become visible, so whoever has read the
    // answer also sees it counted.
    if (tx.answerFrame && !tx.counted && tx.step + 1 == tx.plan.size()) {
      tx.counted = true;
      answersSent.fetch_add(1);
    }
    const ssize_t n = ::write(master, tx.bytes.data() + tx.written, end - tx.written);
    if (n < 0) {
      if (errno == EINTR) continue;
      if (errno == EAGAIN || errno == EWOULDBLOCK) {
        writeBlocked = true;
        return;
      }
      // The line is gone for good: forget what was queued.
      queue.clear();
      queuedBytes = 0;
      return;
    }
    tx.written += static_cast<size_t>(n);
    if (tx.written < end) continue;
    if (++tx.step < tx.plan.size()) continue;
    const bool answer = tx.answerFrame;
    queuedBytes -= tx.bytes.size();
    queue.pop_front();
    if (answer && HangUpDue(true)) return;  // the loop drops the line
  }
}

PtyServer::PtyServer() : impl_(std::make_unique<Impl>()) {}

PtyServer::~PtyServer() { Stop(); }

bool PtyServer::Start(std::string *error) {
  if (impl_->thread.joinable()) {
    if (error) *error = "already serving " + impl_->path;
    return false;
  }
  if (!impl_->Open(error)) return false;
  impl_->stopping = false;
  impl_->parser = RequestParser{};
  impl_->bytesRead = 0;
  impl_->arrivals.clear();
  impl_->queue.clear();
  impl_->queuedBytes = 0;
  impl_->writeBlocked = false;
  impl_->lineFreeAt = SteadyClock::now();
  impl_->serving = true;
  impl_->thread = std::thread([impl = impl_.get()] { impl->Serve(); });
  return true;
}

bool PtyServer::Serving() const { return impl_->serving.load(); }

const std::string &PtyServer::DevicePath() const { return impl_->path; }

void PtyServer::Stop() {
  if (!impl_->thread.joinable()) return;
  impl_->stopping = true;
  impl_->Wake();
  impl_->thread.join();
  impl_->serving = false;
  impl_->CloseAll();
}

void PtyServer::SetAddress(uint8_t address) {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->modem.SetAddress(address);
}

void PtyServer::SetFaults(const Faults &faults) {
  {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->modem.SetFaults(faults);
  }
  // An idle server looks at the faults again: a hang-up may be due at once.
  if (impl_->wake >= 0) impl_->Wake();
}

Faults PtyServer::GetFaults() const {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  return impl_->modem.GetFaults();
}

void PtyServer::SetAsciiLowercase(bool on) {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->modem.SetAsciiLowercase(on);
}

void PtyServer::SetZeroRuns(bool on) {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  impl_->modem.SetZeroRuns(on);
}

void PtyServer::WithModem(const std::function<void(SimModem &)> &action) {
  std::lock_guard<std::mutex> lock(impl_->mutex);
  action(impl_->modem);
}

uint64_t PtyServer::RequestsSeen() const { return impl_->requestsSeen.load(); }
uint64_t PtyServer::AnswersSent() const { return impl_->answersSent.load(); }
uint64_t PtyServer::BytesReceived() const { return impl_->bytesReceived.load(); }

}  // namespace sim
