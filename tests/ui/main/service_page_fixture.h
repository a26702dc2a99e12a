#pragma once
// A service page's world without the main window: the simulated modem on a
// pseudo-terminal with a real port and node, the fake page host, a log kept
// in memory, and the page built on the host.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/gui_device_waiter.h"
#include "log/action_logger_controller.h"
#include "log/logger.h"
#include "sim/sim_modem.h"
#include "support/sim_fixture.h"
#include "ui/support/fake_page_host.h"

namespace testing_support {

template <typename Page>
class ServicePageTest : public SimLineTest {
 protected:
  // The caption of the page's sheet.
  virtual const char *Caption() const = 0;

  void SetUp() override {
    SimLineTest::SetUp();
    node.Transactions = 1;
    // Waits as the window waits: timer ticks and clicks go on meanwhile.
    node.SetWaiter(std::make_shared<GuiDeviceWaiter>());
    log = std::make_shared<TLogger>(nullptr, TLoggerOptions{});
    host.logger = std::make_shared<TActionLoggerController>(nullptr, log);
    host.node = &node;
    host.port = &port;
    sheet = host.Sheet(QString::fromUtf8(Caption()));
    page = new Page(host, sheet);  // the sheet owns it
  }
  void TearDown() override {
    delete page;
    SimLineTest::TearDown();
  }

  // Changes the simulated modem's state between requests.
  void WithSim(const std::function<void(sim::NodeState &)> &change) {
    server.WithModem([&](sim::SimModem &m) { change(m.State()); });
  }
  // Every request from now on is answered with this status and no data.
  void AnswerEverythingWith(int status) {
    sim::Faults f;
    f.statusOverride = status;
    SetFaults(f);
  }

  // The log's top-level rows: the text, and " | " and the detail of an
  // action that ended with one.
  std::vector<std::string> TopLevelRows() const {
    std::vector<std::string> rows;
    for (int i = 0; i < log->ChildCount(); ++i) {
      const TLogNode *n = log->ChildAt(i);
      rows.push_back(n->GetDetail().empty() ? n->TextRef() : n->TextRef() + " | " + n->GetDetail());
    }
    return rows;
  }
  // The texts of the children of top-level row `row`.
  std::vector<std::string> ChildTexts(int row) const {
    std::vector<std::string> texts;
    const TLogNode *n = log->ChildAt(row);
    for (int i = 0; n && i < n->ChildCount(); ++i) texts.push_back(n->ChildAt(i)->TextRef());
    return texts;
  }

  std::shared_ptr<TLogger> log;
  FakePageHost host;
  QWidget *sheet = nullptr;
  Page *page = nullptr;
};

}  // namespace testing_support
