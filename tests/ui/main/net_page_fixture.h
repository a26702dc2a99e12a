#pragma once
// A page on the fake host over the simulated modem on a pseudo-terminal:
// the direct node, or a remote node behind its tunnel. The page's prompts
// answer as the test says and are recorded.
#include <memory>
#include <string>
#include <vector>

#include "log/action_logger_controller.h"
#include "log/logger.h"
#include "modem/log_wiring.h"
#include "modem/remote_node.h"
#include "sim/sim_modem.h"
#include "support/sim_fixture.h"
#include "ui/main/page_prompts.h"
#include "ui/support/fake_page_host.h"

namespace testing_support {

class NetPageTest : public SimLineTest {
 protected:
  void SetUp() override {
    SimLineTest::SetUp();
    host.node = &node;
    host.logger = std::make_shared<TActionLoggerController>(nullptr, log);
    modem_test::LogTo(*log, node);
  }
  void TearDown() override {
    remote.SetDirectNode(nullptr);
    SimLineTest::TearDown();
  }
  // Pages talk to remote node `address` from here on.
  void UseRemote(uint16_t address) {
    remote.SetDirectNode(&node);
    remote.SetRemoteAddress(address);
    remote.SetDeviceId(255);
    remote.SetTimeOutMs(1000);
    remote.Transactions = 2;
    server.WithModem([&](sim::SimModem &m) { m.GetMesh().FindNode(address)->pendingPolls = 0; });
    modem_test::LogTo(*log, remote);
    host.node = &remote;
  }
  ui::PagePrompts Prompts() {
    ui::PagePrompts p;
    p.ask = [this](QWidget *, const QString &text) {
      asked.push_back(text.toStdString());
      return answer;
    };
    p.warn = [this](QWidget *, const QString &text) { warned.push_back(text.toStdString()); };
    p.saveFile = [this](QWidget *, const QString &, const QString &dir, const QString &) {
      dialogDirs.push_back(dir.toStdString());
      return QString::fromStdString(saveAs);
    };
    return p;
  }
  // Texts of the log's top-level rows.
  std::vector<std::string> LogTexts() const {
    std::vector<std::string> out;
    for (int i = 0; i < log->ChildCount(); ++i) out.push_back(log->ChildAt(i)->GetText());
    return out;
  }

  FakePageHost host;
  std::shared_ptr<TLogger> log = std::make_shared<TLogger>(nullptr, TLoggerOptions{});
  modem::ZIZ2400_RemoteNode remote;
  bool answer = true;
  std::string saveAs;
  std::vector<std::string> asked, warned, dialogDirs;
};

}  // namespace testing_support
