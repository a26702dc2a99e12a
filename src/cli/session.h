#pragma once
// What a vovorctl run talks through: the line (a real one, or the simulated
// modem on a pseudo-terminal), the port and the modem node on it.
#include <atomic>
#include <iosfwd>
#include <mutex>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "cli/cli_options.h"
#include "cli/json_report.h"
#include "device/result_code.h"
#include "modem/frame_recorder.h"
#include "modem/remote_node.h"
#include "modem/ziz2400.h"
#include "port/port.h"

namespace sim {
class PtyServer;
}

namespace cli {

class Session {
 public:
  Session(const GlobalOptions &options, std::ostream &out, std::ostream &err);
  ~Session();

  // Starts the simulated modem when asked and opens the line. False, with
  // the reason on the error stream, when the line cannot be had.
  bool Open();

  // The node commands run on: the direct node, or with --remote the remote
  // node reached through it.
  modem::ZIZ2400 &Node();
  modem::ZIZ2400 &DirectNode() { return *direct_; }
  sim::PtyServer *Simulator() { return simulator_.get(); }
  const GlobalOptions &Options() const { return options_; }

  // A signal asked vovorctl to stop (any thread). Gently: a configuration
  // write finishes its block in flight and sends no more, anything else
  // stops at once. At once: every wait ends now.
  void Interrupt(bool atOnce);
  bool Interrupted() const { return interrupted_; }

  // One "name: value" line.
  void Field(const std::string &name, const std::string &value);
  // One entry of a list (a table's row): "name: value" lines and a blank
  // line; with --json an object in the array `list`.
  void Record(const std::string &list, const std::vector<std::pair<std::string, std::string>> &fields);
  // Prints the node's result code and text; returns the exit status 1.
  int Fail();
  int Fail(const device::TResultCode &rc);
  // Prints a usage error; returns the exit status 2.
  int UsageError(const std::string &message);

  // With --json the fields, result and errors gather here instead.
  JsonReport *Report() { return options_.json ? &report_ : nullptr; }

  std::ostream &Out() { return out_; }
  std::ostream &Err() { return err_; }

 private:
  void PortError(const std::string &message);

  GlobalOptions options_;
  std::ostream &out_;
  std::ostream &err_;
  JsonReport report_;
  std::unique_ptr<sim::PtyServer> simulator_;
  std::unique_ptr<port::TPort> port_;
  std::unique_ptr<modem::TFrameRecorder> trace_;
  std::mutex traceMutex_;
  std::unique_ptr<modem::ZIZ2400> direct_;
  std::unique_ptr<modem::ZIZ2400_RemoteNode> remote_;
  std::atomic<bool> interrupted_{false};
  // Interrupt may come while Open builds the nodes.
  std::mutex nodesMutex_;
};

}  // namespace cli
