#pragma once
// The serial port: one open line, a reader in the background, the links.
#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "port/custom_port.h"
#include "port/port_error.h"
#include "port/port_settings.h"
#include "port/serial_line.h"
#include "util/manual_reset_event.h"

namespace port {

enum class TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

class TPort : public TCustomPort {
 public:
  TPort();
  // For tests: the port opens lines made by `factory` instead of the platform's.
  explicit TPort(SerialLineFactory factory);
  ~TPort() override;

  void SetActive(bool value) override;
  bool GetActive() const override;
  void Flush() override;
  void SendData(const std::string &data) override;
  void DataReceived(const std::string &data) override;

  // Takes over an open line descriptor and starts the reader; an invalid one
  // (-1) stops the reader.
  void SetHandle(int handle);
  // Returns the line handle, -1 when the line could not be opened.
  int Open();
  // True when the line was closed without error (and when nothing was open).
  bool Close();

  // While loading, Active only stores the wish; Loaded() applies it.
  void BeginLoading() { loading_ = true; }
  void Loaded();

  TPortSettings &Settings() { return settings_; }
  const TPortSettings &Settings() const { return settings_; }
  // Closes an open port first, then takes the new settings.
  void SetSettings(const TPortSettings &settings);

  TThreadPriority Priority = TThreadPriority::tpNormal;
  TPortStatusEvent OnChangeStatus;
  // Called on the reader thread when the line hangs up (a USB adapter pulled
  // out, the far end of a pseudo-terminal closed); the port then reads as
  // closed and its line as lost.
  TPortEvent OnHangUp;
  // Called on the thread that took a lost line back (Reconnect).
  TPortEvent OnLineBack;
  // Called on the sending thread when bytes given to SendData did not all
  // reach the open line (an error, or the write deadline passed).
  std::function<void(TPort &port, const TPortError &error)> OnWriteError;

  // The line hung up under the open port and has not come back. The port
  // keeps its settings; Close or Open ends the state.
  bool LineLost() const { return lost_.load(); }
  // Takes a lost line back when its device is there again: the same path, or
  // the device the same USB serial number (/dev/serial/by-id) now names.
  // True when the line is open. Callers poll it (the window on a timer, a
  // transaction before it starts).
  bool Reconnect();
  bool EnsureLine() override;

  int Handle() const { return handle_.load(); }
  uint32_t LastReceiveTick() const { return lastReceiveTick_.load(); }
  bool PoolReader() const { return poolReader_.load(); }
  TPortStatus Status() const;
  // Why the last Open failed, for the log; the device is `DeviceName()`.
  std::string LastError() const { return openError_.Text; }
  // The same with its kind (not found, busy, no permission, ...).
  const TPortError &OpenError() const { return openError_; }
  // The last write that did not reach the line whole; cleared by Open.
  TPortError LastWriteError() const;
  // The device path the last Open used.
  std::string DeviceName() const;

  // How often the reader looks at the modem-status lines; the line cannot
  // wake us for them.
  static constexpr int kStatusPollMs = 100;

 private:
  void ReaderLoop();
  int OpenDevice(const std::string &device);
  bool CloseLine();
  void StartReader();
  void StopReader();
  void UpdateStatus();
  void ForEachPortLink(const std::function<void(TPortLink &)> &f);

  SerialLineFactory factory_;
  std::unique_ptr<ISerialLine> line_;
  TPortSettings settings_;
  std::atomic<int> handle_{-1};
  std::atomic<bool> closing_{false};
  std::atomic<bool> hungUp_{false};
  std::atomic<bool> lost_{false};
  std::string serialIdLink_;  // the /dev/serial/by-id name of the open device, if any
  // Writes and the reader's release of a hung-up line do not overlap.
  mutable std::mutex lineMutex_;
  std::atomic<bool> readerRunning_{false};
  std::atomic<bool> poolReader_{false};
  std::atomic<uint32_t> lastReceiveTick_{0};
  bool storedActive_ = false;
  bool loading_ = false;
  bool statusSupported_ = true;
  std::thread reader_;
  // Shared with the reader, which signals it as its very last act.
  std::shared_ptr<util::ManualResetEvent> readerDone_ = std::make_shared<util::ManualResetEvent>();
  mutable std::mutex statusMutex_;
  TPortStatus status_;
  TPortError openError_;
  TPortError writeError_;  // guarded by lineMutex_
  std::string deviceName_;
};

// Whether readers run as pool work items: "USETHREADPOOL" read once at start,
// a value beginning with a capital Y enables it.
bool PoolReaderEnabled();
bool PoolReaderEnabledBy(const char *value);
// Tests switch the pool on and off without touching the environment.
void SetPoolReaderEnabledForTesting(bool enabled);

}  // namespace port
