#pragma once
// A page host without the main window: sheets made on demand, a logger of
// the log model, a node the test sets (often on a simulated modem), the
// settings and start-up steps a page registers, and received bytes the test
// delivers by hand.
#include <QWidget>
#include <algorithm>
#include <map>
#include <memory>
#include <vector>

#include "log/action_logger_controller.h"
#include "ui/main/page_host.h"

namespace testing_support {

class FakePageHost : public ui::IPageHost {
 public:
  modem::ZIZ2400 *node = nullptr;
  port::TPort *port = nullptr;
  std::shared_ptr<ISequentialActionLogger> logger;
  std::vector<ui::TPageSetting> settings;
  std::vector<std::function<void()>> startupSteps;
  std::vector<std::string> progress;  // "what done/total" of every report
  int operationsRun = 0;
  bool refuseOperations = false;

  modem::ZIZ2400 *CurrentNode() override { return node; }
  port::TPort *Port() override { return port; }
  std::shared_ptr<ISequentialActionLogger> Logger() override { return logger; }
  bool RunOperation(const std::function<void()> &operation) override {
    if (refuseOperations || running_) return false;
    running_ = true;
    ++operationsRun;
    operation();
    running_ = false;
    return true;
  }
  bool OperationRunning() const override { return running_; }
  QWidget *Sheet(const QString &caption) override {
    auto &sheet = sheets_[caption];
    if (!sheet) sheet = std::make_unique<QWidget>();
    return sheet.get();
  }
  void AddSetting(ui::TPageSetting setting) override { settings.push_back(std::move(setting)); }
  void AddStartupStep(std::function<void()> step) override { startupSteps.push_back(std::move(step)); }
  std::unique_ptr<ui::IReceiveSubscription> SubscribeReceived(
      std::function<void(const std::string &)> onBytes) override {
    return std::make_unique<Subscription>(*this, std::move(onBytes));
  }
  void ShowProgress(const std::string &what, int done, int total) override {
    progress.push_back(what + " " + std::to_string(done) + "/" + std::to_string(total));
  }

  // Hands bytes to every subscriber, as the port's reader would.
  void Deliver(const std::string &bytes) {
    for (auto *s : subscribers_) s->onBytes(bytes);
  }
  const ui::TPageSetting *Setting(const std::string &key) const {
    for (auto &s : settings)
      if (s.key == key) return &s;
    return nullptr;
  }

 private:
  struct Subscription : ui::IReceiveSubscription {
    Subscription(FakePageHost &h, std::function<void(const std::string &)> f) : host(h), onBytes(std::move(f)) {
      host.subscribers_.push_back(this);
    }
    ~Subscription() override {
      auto &v = host.subscribers_;
      v.erase(std::remove(v.begin(), v.end(), this), v.end());
    }
    FakePageHost &host;
    std::function<void(const std::string &)> onBytes;
  };
  std::map<QString, std::unique_ptr<QWidget>> sheets_;
  std::vector<Subscription *> subscribers_;
  bool running_ = false;
};

}  // namespace testing_support
