#include "ui/terminal/terminal_opener.h"

#include "ui/main/page_host.h"
#include "ui/terminal/net_num_form.h"
#include "ui/terminal/term_form.h"

TTerminalOpener::TTerminalOpener(ui::IPageHost &host, std::string settingsPath)
    : host_(host), settingsPath_(std::move(settingsPath)) {}

TTerminalOpener::~TTerminalOpener() { delete terminal_.data(); }

TTermForm *TTerminalOpener::Terminal() const { return terminal_; }

TTermForm *TTerminalOpener::ShowTerminal() {
  if (!netNum_) netNum_ = std::make_unique<TNetNumForm>();
  if (!terminal_) terminal_ = new TTermForm(host_, *netNum_, settingsPath_);
  terminal_->show();
  terminal_->raise();
  terminal_->SetPort(host_.Port());
  return terminal_;
}
