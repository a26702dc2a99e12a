#pragma once
// A port and the links that attach its consumers. Every block written by any
// party and every block read from the line reaches every link, so the
// terminal sees the engine's traffic and the engine sees the terminal's.
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "port/port_status.h"

namespace port {

class TCustomPort;
class TPort;

using TDataEvent = std::function<void(const std::string &data)>;
using TPortStatusEvent = std::function<void(TPort &port, const TPortStatus &status)>;
using TPortEvent = std::function<void(TPort &port)>;

class TCustomPortLink {
 public:
  TCustomPortLink() = default;
  virtual ~TCustomPortLink();  // detaches
  TCustomPortLink(const TCustomPortLink &) = delete;
  TCustomPortLink &operator=(const TCustomPortLink &) = delete;

  TCustomPort *GetPort() const { return port_; }
  // Leaves the current port's links and joins `value`'s (nothing when equal).
  void SetPort(TCustomPort *value);

  virtual void DoReceiveData(const std::string &data) = 0;
  virtual void DoSendData(const std::string &data) = 0;

 private:
  friend class TCustomPort;
  TCustomPort *port_ = nullptr;
};

class TCustomPort {
 public:
  TCustomPort() = default;
  virtual ~TCustomPort();  // detaches every link, last first
  TCustomPort(const TCustomPort &) = delete;
  TCustomPort &operator=(const TCustomPort &) = delete;

  virtual void SetActive(bool value) = 0;
  virtual bool GetActive() const = 0;
  virtual void Flush() {}
  // Reports the data to the listeners; a real port writes it first.
  virtual void SendData(const std::string &data);
  // Reports received data to the listeners.
  virtual void DataReceived(const std::string &data);
  // Asked before a transaction: false when the port's line went away and has
  // not come back, so the transaction fails at once instead of waiting out
  // its attempts. A port may take the returned device back here.
  virtual bool EnsureLine() { return true; }

  TDataEvent OnReceiveData;
  TDataEvent OnSendData;

  // A snapshot of the links, in list order.
  std::vector<TCustomPortLink *> Links() const;

 protected:
  // Calls `f` for every link in list order. The link list stays locked
  // meanwhile, so a link cannot go away in the middle of a delivery.
  void ForEachLink(const std::function<void(TCustomPortLink &)> &f);
  void DetachAllLinks();

 private:
  friend class TCustomPortLink;
  void AddLink(TCustomPortLink *link);
  void RemoveLink(TCustomPortLink *link);

  mutable std::recursive_mutex linksMutex_;
  std::vector<TCustomPortLink *> links_;
};

// A link for consumers that want plain callbacks (the terminal window).
class TPortLink : public TCustomPortLink {
 public:
  TDataEvent OnReceiveData;
  TDataEvent OnSendData;
  TPortStatusEvent OnChangeStatus;
  TPortEvent OnOpen;
  TPortEvent OnClose;

  TPort *GetTPort() const;
  void SetTPort(TPort *value);

  void DoReceiveData(const std::string &data) override;
  void DoSendData(const std::string &data) override;
  virtual void DoChangeStatus(TPort &port, const TPortStatus &status);
  virtual void DoOpen(TPort &port);
  virtual void DoClose(TPort &port);
};

}  // namespace port
