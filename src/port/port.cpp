#include "port/port.h"

#include <cstdlib>
#include <exception>

#include "port/device_name.h"
#include "port/reader_pool.h"
#include "util/tick.h"

namespace port {

namespace {

std::mutex &OpenLock() {
  static std::mutex lock;
  return lock;
}

std::atomic<int> &PoolOverride() {
  static std::atomic<int> v{-1};
  return v;
}

}  // namespace

bool PoolReaderEnabledBy(const char *value) { return value && value[0] == 'Y'; }

bool PoolReaderEnabled() {
  int forced = PoolOverride().load();
  if (forced >= 0) return forced != 0;
  static const bool enabled = PoolReaderEnabledBy(std::getenv("USETHREADPOOL"));
  return enabled;
}

void SetPoolReaderEnabledForTesting(bool enabled) { PoolOverride() = enabled ? 1 : 0; }

TPort::TPort() : TPort(SerialLineFactory(&CreatePlatformLine)) {}

TPort::TPort(SerialLineFactory factory) : factory_(std::move(factory)) {}

TPort::~TPort() {
  loading_ = false;
  Close();
  DetachAllLinks();
}

void TPort::SetActive(bool value) {
  storedActive_ = value;
  if (loading_) return;
  if (value)
    Open();
  else
    Close();
}

bool TPort::GetActive() const {
  if (loading_) return storedActive_;
  return handle_.load() >= 0 && !hungUp_.load();
}

void TPort::Loaded() {
  loading_ = false;
  if (storedActive_) Open();
}

void TPort::SetSettings(const TPortSettings &settings) {
  if (GetActive()) Close();
  settings_.Assign(settings);
}

void TPort::Flush() {
  if (GetActive() && line_) line_->Flush();
}

TPortStatus TPort::Status() const {
  std::lock_guard lock(statusMutex_);
  return status_;
}

TPortError TPort::LastWriteError() const {
  std::lock_guard lock(lineMutex_);
  return writeError_;
}

std::string TPort::DeviceName() const { return deviceName_; }

void TPort::ForEachPortLink(const std::function<void(TPortLink &)> &f) {
  ForEachLink([&](TCustomPortLink &l) {
    if (auto *pl = dynamic_cast<TPortLink *>(&l)) f(*pl);
  });
}

int TPort::Open() {
  if (handle_.load() >= 0) Close();
  lost_ = false;
  const int handle = OpenDevice(PosixDeviceName(settings_.GetPortName()));
  if (handle >= 0) serialIdLink_ = SerialIdLinkOf(deviceName_);
  return handle;
}

int TPort::OpenDevice(const std::string &device) {
  deviceName_ = device;
  openError_ = {};
  {
    std::lock_guard lock(lineMutex_);
    writeError_ = {};
  }
  bool ok = false;
  {
    std::lock_guard lock(OpenLock());
    try {
      line_ = factory_ ? factory_() : nullptr;
      ok = line_ && line_->Open(deviceName_, settings_, &openError_);
    } catch (const std::exception &e) {
      openError_ = {TPortErrorKind::peIO, e.what()};
      ok = false;
    } catch (...) {
      ok = false;
    }
  }
  // A line that failed without saying why still fails with a kind.
  if (!ok && !openError_.Failed()) openError_ = {TPortErrorKind::peIO, "the line could not be opened"};
  if (!ok) {
    line_.reset();
    return -1;
  }
  hungUp_ = false;
  handle_ = line_->Handle();
  ForEachPortLink([&](TPortLink &l) { l.DoOpen(*this); });
  readerDone_->Reset();
  StartReader();
  return handle_.load();
}

bool TPort::Close() {
  lost_ = false;
  return CloseLine();
}

bool TPort::Reconnect() {
  if (!lost_.load()) return GetActive();
  const std::string configured = PosixDeviceName(settings_.GetPortName());
  std::string device = DeviceOfSerialIdLink(serialIdLink_);
  if (device.empty() && DeviceExists(configured)) device = configured;
  if (device.empty()) return false;
  CloseLine();
  if (OpenDevice(device) < 0) return false;
  lost_ = false;
  if (OnLineBack) OnLineBack(*this);
  return true;
}

bool TPort::EnsureLine() { return !lost_.load() || Reconnect(); }

bool TPort::CloseLine() {
  if (closing_.exchange(true)) return false;
  bool result = true;
  if (handle_.load() >= 0) {
    handle_ = -1;
    // The reader stops before the descriptor goes, so it never polls a
    // number the system may already have handed to someone else.
    StopReader();
    result = line_ ? line_->Close() : true;
    line_.reset();
  }
  ForEachPortLink([&](TPortLink &l) { l.DoClose(*this); });
  closing_ = false;
  return result;
}

void TPort::SetHandle(int handle) {
  // The reader of a hung-up line has ended (or is ending) on its own: it is
  // no reader any more, so the handed-over line gets a new one.
  if (handle >= 0 && hungUp_.load()) StopReader();
  if (handle >= 0 && !readerRunning_.load() && !reader_.joinable()) {
    if (!line_) line_ = factory_ ? factory_() : nullptr;
    if (!line_ || !line_->Adopt(handle)) return;
    hungUp_ = false;
    lost_ = false;
    handle_ = handle;
    readerDone_->Reset();
    StartReader();
    return;
  }
  if (readerRunning_.load() || reader_.joinable()) {
    bool wasClosing = closing_.exchange(true);
    handle_ = -1;
    StopReader();
    if (line_) line_->Close();
    line_.reset();
    closing_ = wasClosing;
  }
}

void TPort::StartReader() {
  if (!GetActive() || readerRunning_.load() || reader_.joinable()) return;
  unsigned bits = 0;
  bool dtr = false;
  statusSupported_ = line_->ModemStatus(&bits, &dtr);
  readerRunning_ = true;
  auto done = readerDone_;
  if (PoolReaderEnabled() && QueueLongRunningWork([this, done] { ReaderLoop(); done->Set(); })) {
    poolReader_ = true;
    return;
  }
  done->Reset();
  UpdateStatus();
  reader_ = std::thread([this, done] {
    ReaderLoop();
    done->Set();
  });
}

void TPort::StopReader() {
  if (!readerRunning_.load() && !reader_.joinable()) {
    poolReader_ = false;
    return;
  }
  auto done = readerDone_;
  bool stopped = false;
  for (int round = 0; round < 6 && !stopped; ++round) {
    if (line_) line_->Wake();
    stopped = done->Wait(600);
  }
  // The loop always ends once woken; a reader still busy in a receive
  // handler is waited for rather than abandoned, since it uses this port.
  while (!stopped) {
    if (line_) line_->Wake();
    stopped = done->Wait(600);
  }
  if (reader_.joinable()) reader_.join();
  poolReader_ = false;
}

void TPort::UpdateStatus() {
  if (!line_ || !statusSupported_) return;
  unsigned bits = 0;
  bool dtr = false;
  if (!line_->ModemStatus(&bits, &dtr)) return;
  TPortStatus s;
  s.CTS = bits & kStatusCts;
  s.DSR = bits & kStatusDsr;
  s.Ring = bits & kStatusRing;
  s.RLSD = bits & kStatusRlsd;
  s.DTR = dtr;
  {
    std::lock_guard lock(statusMutex_);
    if (s == status_) return;
    status_ = s;
  }
  if (OnChangeStatus) OnChangeStatus(*this, s);
  ForEachPortLink([&](TPortLink &l) { l.DoChangeStatus(*this, s); });
}

void TPort::ReaderLoop() {
  while (!closing_.load()) {
    if (!line_ || !line_->IsOpen() || handle_.load() < 0) break;
    LineEvents ev = line_->WaitEvents(statusSupported_ ? kStatusPollMs : -1);
    if (closing_.load() || ev.failed) break;
    UpdateStatus();
    if (ev.readable) {
      size_t n = line_->BytesWaiting();
      if (n > 0) {
        std::string data = line_->Read(n);
        if (!data.empty()) DataReceived(data);
      }
    }
    if (ev.hangUp) {
      hungUp_ = true;
      lost_ = true;
      // Let go of the device at once: a pseudo-terminal's number (a USB
      // adapter's name) is free for its return only once nobody holds it.
      {
        std::lock_guard lock(lineMutex_);
        line_->ReleaseDevice();
      }
      if (OnHangUp) OnHangUp(*this);
      break;
    }
  }
  readerRunning_ = false;
}

void TPort::DataReceived(const std::string &data) {
  lastReceiveTick_ = util::TickMs();
  TCustomPort::DataReceived(data);
}

void TPort::SendData(const std::string &data) {
  if (!data.empty()) {
    uint32_t pause = settings_.GetLinePause();
    if (pause != 0) {
      int64_t e = static_cast<int64_t>(util::TickMs()) - static_cast<int64_t>(lastReceiveTick_.load());
      if (e < 0) e = -e;
      if (e < pause) util::SleepMs(static_cast<uint32_t>(pause - e));
    }
  }
  // Reported before it is written: an answer read the moment the write is
  // done must reach the listeners after the request, never before it.
  TCustomPort::SendData(data);
  if (data.empty() || !GetActive() || !line_) return;
  uint32_t deadline = WriteTimeoutPerByte(settings_.GetBaudRate()) * static_cast<uint32_t>(data.size());
  TPortError error;
  {
    std::lock_guard lock(lineMutex_);
    if (line_->Write(data, deadline, &error)) return;
    if (!error.Failed()) error = {TPortErrorKind::peIO, "write failed"};
    writeError_ = error;
  }
  // Outside the lock: the handler may well ask the port for its state.
  if (OnWriteError) OnWriteError(*this, error);
}

}  // namespace port
