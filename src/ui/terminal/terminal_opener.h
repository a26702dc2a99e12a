#pragma once
// The main window's terminal: made when it is asked for and there is none,
// freed when the engineer closes it, made anew at the next request. Its
// network-number question is made once and kept, so it remembers the last
// number across terminals.
#include <QPointer>
#include <memory>
#include <string>

class TNetNumForm;
class TTermForm;

namespace ui {
class IPageHost;
}

class TTerminalOpener {
 public:
  // `settingsPath`: the terminal's ".settings2" file.
  TTerminalOpener(ui::IPageHost &host, std::string settingsPath);
  ~TTerminalOpener();  // a terminal still open is closed (and saves its settings)
  TTerminalOpener(const TTerminalOpener &) = delete;
  TTerminalOpener &operator=(const TTerminalOpener &) = delete;

  // Shows the terminal, linked to the host's port.
  TTermForm *ShowTerminal();
  // The open terminal, or null (the pointer clears itself when it is freed).
  TTermForm *Terminal() const;

 private:
  ui::IPageHost &host_;
  std::string settingsPath_;
  std::unique_ptr<TNetNumForm> netNum_;
  QPointer<TTermForm> terminal_;
};
