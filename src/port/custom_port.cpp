#include "port/custom_port.h"

#include <algorithm>

#include "port/port.h"

namespace port {

TCustomPortLink::~TCustomPortLink() { SetPort(nullptr); }

void TCustomPortLink::SetPort(TCustomPort *value) {
  if (value == port_) return;
  if (port_) port_->RemoveLink(this);
  port_ = value;
  if (port_) port_->AddLink(this);
}

TCustomPort::~TCustomPort() { DetachAllLinks(); }

void TCustomPort::DetachAllLinks() {
  std::lock_guard lock(linksMutex_);
  while (!links_.empty()) links_.back()->SetPort(nullptr);
}

void TCustomPort::AddLink(TCustomPortLink *link) {
  std::lock_guard lock(linksMutex_);
  links_.push_back(link);
}

void TCustomPort::RemoveLink(TCustomPortLink *link) {
  std::lock_guard lock(linksMutex_);
  auto it = std::find(links_.begin(), links_.end(), link);
  if (it != links_.end()) links_.erase(it);
}

std::vector<TCustomPortLink *> TCustomPort::Links() const {
  std::lock_guard lock(linksMutex_);
  return links_;
}

void TCustomPort::ForEachLink(const std::function<void(TCustomPortLink &)> &f) {
  std::lock_guard lock(linksMutex_);
  // Index walk: a handler may detach its own link during the call.
  for (size_t i = 0; i < links_.size(); ++i) {
    TCustomPortLink *link = links_[i];
    f(*link);
    if (i < links_.size() && links_[i] != link) --i;
  }
}

void TCustomPort::SendData(const std::string &data) {
  if (OnSendData) OnSendData(data);
  ForEachLink([&](TCustomPortLink &l) { l.DoSendData(data); });
}

void TCustomPort::DataReceived(const std::string &data) {
  if (OnReceiveData) OnReceiveData(data);
  ForEachLink([&](TCustomPortLink &l) { l.DoReceiveData(data); });
}

TPort *TPortLink::GetTPort() const { return dynamic_cast<TPort *>(GetPort()); }
void TPortLink::SetTPort(TPort *value) { SetPort(value); }

void TPortLink::DoReceiveData(const std::string &data) {
  if (OnReceiveData) OnReceiveData(data);
}
void TPortLink::DoSendData(const std::string &data) {
  if (OnSendData) OnSendData(data);
}
void TPortLink::DoChangeStatus(TPort &port, const TPortStatus &status) {
  if (OnChangeStatus) OnChangeStatus(port, status);
}
void TPortLink::DoOpen(TPort &port) {
  if (OnOpen) OnOpen(port);
}
void TPortLink::DoClose(TPort &port) {
  if (OnClose) OnClose(port);
}

}  // namespace port
