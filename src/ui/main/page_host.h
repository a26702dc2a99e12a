#pragma once
// What a page of the main window, and the terminal and dump windows, may use
// of the window that holds them. The main window implements it; page tests
// use a small fake. A page never reaches into the main window itself.
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "ui/main/receive_fan_out_logic.h"

class ISequentialActionLogger;
class QWidget;

namespace modem {
class ZIZ2400;
}
namespace port {
class TPort;
}

namespace ui {

// One key a page keeps in the main settings file. `load` returns false when
// the stored text cannot be applied (the start goes on, the log names it).
struct TPageSetting {
  TPageSetting() = default;
  TPageSetting(std::string k, std::function<std::string()> s, std::function<bool(const std::string &)> l,
               std::string sec = {})
      : key(std::move(k)), save(std::move(s)), load(std::move(l)), section(std::move(sec)) {}

  std::string key;
  std::function<std::string()> save;
  std::function<bool(const std::string &)> load;
  std::string section;  // empty: the window's own section
};

class IPageHost {
 public:
  virtual ~IPageHost() = default;

  // The node the pages talk to (direct or remote, as chosen on "Наст");
  // null while there is none.
  virtual modem::ZIZ2400 *CurrentNode() = 0;
  // The open line, for pages that send raw bytes (the channel test block).
  virtual port::TPort *Port() = 0;
  virtual std::shared_ptr<ISequentialActionLogger> Logger() = 0;

  // Runs one operation of a page. Refused (false, nothing run) while another
  // one waits for its answer: the window stays live during the wait and a
  // click could start a second one.
  virtual bool RunOperation(const std::function<void()> &operation) = 0;
  virtual bool OperationRunning() const = 0;

  // The page's sheet by its tab caption ("Config", "PHY", ...).
  virtual QWidget *Sheet(const QString &caption) = 0;

  // A page registers its settings and start-up steps in its constructor,
  // before the settings file is loaded.
  virtual void AddSetting(TPageSetting setting) = 0;
  virtual void AddStartupStep(std::function<void()> step) = 0;

  // Every block the port reads reaches every subscriber.
  virtual std::unique_ptr<IReceiveSubscription> SubscribeReceived(
      std::function<void(const std::string &)> onBytes) = 0;

  // Long work of a page's own (a test of many requests, a dump read): the
  // window's status bar shows it; total 0 clears it.
  virtual void ShowProgress(const std::string & /*what*/, int /*done*/, int /*total*/) {}

  // The program's two other windows, one each for the program's life; the
  // dump window binds to the current node when shown.
  virtual void ShowTerminalWindow() {}
  virtual void ShowMemoryDumpWindow() {}
};

}  // namespace ui
