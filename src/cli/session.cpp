#include "cli/session.h"

#include <ostream>

#include "modem/frame_codec.h"
#include "port/port_list.h"
#include "sim/pty_server.h"
#include "util/control_escape.h"

namespace cli {

Session::Session(const GlobalOptions &options, std::ostream &out, std::ostream &err)
    : options_(options), out_(out), err_(err) {}

Session::~Session() {
  // The remote node lets go of the direct one first; the node leaves the
  // port before the port, the port before the line's far end.
  std::lock_guard lock(nodesMutex_);
  remote_.reset();
  direct_.reset();
  trace_.reset();
  port_.reset();
  simulator_.reset();
}

bool Session::Open() {
  std::string path = options_.port;
  // A bare name may be a by-id name or a USB serial number of a port present.
  if (path.find('/') == std::string::npos) path = port::ResolvePortName(path, port::ListSerialPorts());
  if (options_.sim) {
    simulator_ = std::make_unique<sim::PtyServer>();
    std::string why;
    if (!simulator_->Start(&why)) {
      PortError("the simulated modem could not start: " + why);
      return false;
    }
    path = simulator_->DevicePath();
  }
  port_ = std::make_unique<port::TPort>();
  port_->Settings().SetPortName(path);
  port_->Settings().SetBaudRate(options_.baud);
  port_->SetActive(true);
  if (!port_->GetActive()) {
    const port::TPortError &why = port_->OpenError();
    PortError("cannot open " + path + ": " + port::PortErrorKindName(why.Kind) + ": " + why.Text);
    if (why.Kind == port::TPortErrorKind::peNoPermission)
      err_ << "hint: serial ports belong to the dialout group; join it with\n"
              "  sudo usermod -aG dialout $USER\n"
              "then log in again\n";
    return false;
  }
  // A frame that did not reach the modem whole is said so, not left to time
  // out unexplained. Sends come from this thread.
  port_->OnWriteError = [this](port::TPort &p, const port::TPortError &why) {
    std::lock_guard lock(traceMutex_);  // --trace writes the error stream from the reader
    PortError("write to " + p.DeviceName() + " failed: " + port::PortErrorKindName(why.Kind) + ": " + why.Text);
  };
  if (options_.trace) {
    // Frames complete on the reader thread too; one line at a time.
    trace_ = std::make_unique<modem::TFrameRecorder>(port_.get());
    trace_->OnFrame = [this](const TLogFrame &frame) {
      const modem::TFrameLine line = modem::FrameLine(frame);
      std::lock_guard lock(traceMutex_);
      err_ << line.time << " " << line.direction << " " << line.hex << "\n";
      if (!line.description.empty()) err_ << "    " << line.description << "\n";
    };
  }
  std::lock_guard lock(nodesMutex_);
  direct_ = std::make_unique<modem::ZIZ2400>();
  direct_->SetPort(port_.get());
  direct_->SetProtocol(options_.ascii ? 0 : modem::kProtocolBin);
  direct_->SetDeviceId(static_cast<uint8_t>(options_.address));
  direct_->SetTimeOutMs(options_.timeoutMs);
  direct_->Transactions = static_cast<uint8_t>(options_.attempts);
  if (options_.remote >= 0) {
    remote_ = std::make_unique<modem::ZIZ2400_RemoteNode>();
    remote_->SetDeviceId(255);
    remote_->SetTimeOutMs(options_.timeoutMs);
    remote_->Transactions = static_cast<uint8_t>(options_.attempts);
    remote_->SetDirectNode(direct_.get());
    remote_->SetRemoteAddress(static_cast<uint16_t>(options_.remote));
    if (options_.remoteTimeoutMs >= 0) remote_->SetCommandTimeoutMs(options_.remoteTimeoutMs);
  }
  return true;
}

void Session::Interrupt(bool atOnce) {
  interrupted_ = true;
  std::lock_guard lock(nodesMutex_);
  const std::initializer_list<modem::ZIZ2400 *> nodes{remote_.get(), direct_.get()};
  bool writing = false;
  for (auto *node : nodes) writing = writing || (node && node->ConfigWriteIncomplete());
  for (auto *node : nodes) {
    if (!node) continue;
    node->RequestEndAfterBlock();
    // A write in progress keeps its block in flight; nothing else needs to.
    if (atOnce || !writing) node->Stop();
  }
}

modem::ZIZ2400 &Session::Node() { return remote_ ? *remote_ : *direct_; }

void Session::Field(const std::string &name, const std::string &value) {
  // Values come from the modem: a control character must not reach the
  // terminal (a JSON report escapes them itself).
  if (auto *report = Report())
    report->Field(name, value);
  else
    out_ << name << ": " << util::EscapeControlCharacters(value) << "\n";
}

void Session::Record(const std::string &list, const std::vector<std::pair<std::string, std::string>> &fields) {
  if (auto *report = Report()) {
    report->Record(list, fields);
    return;
  }
  for (const auto &[name, value] : fields) out_ << name << ": " << util::EscapeControlCharacters(value) << "\n";
  out_ << "\n";
}

void Session::PortError(const std::string &message) {
  err_ << "error: " << message << "\n";
  if (auto *report = Report()) report->Error(message);
}

int Session::Fail() { return Fail(Node().ResultCode()); }

int Session::Fail(const device::TResultCode &rc) {
  err_ << "error: " << rc.Code << " " << rc.Msg << "\n";
  if (auto *report = Report()) report->Result(rc.Code, rc.Msg);
  return 1;
}

int Session::UsageError(const std::string &message) {
  err_ << "vovorctl: " << message << "\n";
  if (auto *report = Report()) report->Error(message);
  return 2;
}

}  // namespace cli
