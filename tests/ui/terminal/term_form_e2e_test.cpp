// The terminal on the simulated modem's line: the program's own requests
// show as sent, the modem's answers as received, in the order they passed.
#include <gtest/gtest.h>

#include <QTest>

#include <QLineEdit>

#include "modem/frame_codec.h"
#include "modem/ziz2400.h"
#include "ui/widgets/radio_group.h"
#include "port/port.h"
#include "sim/pty_server.h"
#include "ui/terminal/term_rig.h"
#include "util/hex.h"
#include "util/tick.h"

namespace {

struct TermOnSimulatedModem : ::testing::Test {
  sim::PtyServer server;
  port::TPort port;
  modem::ZIZ2400 node;
  testing_support::TermRig rig{"term_e2e"};
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(server.Start(&why)) << why;
    port.Settings().SetPortName(server.DevicePath());
    port.Settings().SetBaudRate(115200);
    port.SetActive(true);
    ASSERT_TRUE(port.GetActive()) << port.LastError();
    node.SetPort(&port);
    node.SetProtocol(modem::kProtocolBin);
    node.SetDeviceId(255);
    node.SetTimeOutMs(500);
    rig.host.port = &port;
    rig.host.node = &node;
    rig.Open();
  }
  void TearDown() override {
    rig.Close();
    node.SetPort(nullptr);
    port.SetActive(false);
  }
  // Waits (with the window's timer running) until the view holds `size` bytes.
  bool WaitForView(size_t size) {
    for (uint64_t start = util::TickMs(); util::TickMs() - start < 3000;) {
      QTest::qWait(50);
      if (rig.form->MPHexEditorEx1->Size() >= size) return true;
    }
    return false;
  }
};

}  // namespace

TEST_F(TermOnSimulatedModem, RequestInChangedColoursAnswerInNormalOnes) {
  const std::string request = modem::BuildBinRequest(255, 0, "1501");
  modem::TVersion version;
  ASSERT_TRUE(node.ReadVersion(version));
  rig.form->Timer1Timer();
  const std::string shown = rig.ViewBytes();
  ASSERT_GT(shown.size(), request.size());
  EXPECT_EQ(shown.substr(0, request.size()), request);
  EXPECT_EQ(rig.Marks(), std::string(request.size(), 'S') + std::string(shown.size() - request.size(), 'r'));
  // Pointing at either frame names it.
  auto &view = *rig.form->MPHexEditorEx1;
  EXPECT_EQ(view.ExtraToolTip(3).rfind("BIN, запрос: кому 255, от 0, команда 15", 0), 0u) << view.ExtraToolTip(3);
  EXPECT_EQ(view.ExtraToolTip(request.size() + 3).rfind("BIN, ответ: кому 0, от 1, статус 00 (OK), данные", 0), 0u)
      << view.ExtraToolTip(request.size() + 3);
}

TEST_F(TermOnSimulatedModem, ABlockSentByHandReachesTheModemAndItsAnswerFollows) {
  const std::string request = modem::BuildBinRequest(255, 0, "1501");
  rig.form->FormatRadioGroup->SetItemIndex(1);
  rig.form->ToSendEdit->setText(QString::fromStdString(util::BytesToHex(request)));
  QTest::keyClick(rig.form->ToSendEdit, Qt::Key_Return);
  ASSERT_TRUE(WaitForView(request.size() + 8)) << rig.ViewBytes().size();
  EXPECT_EQ(rig.ViewBytes().substr(0, request.size()), request);
  EXPECT_EQ(rig.Marks().substr(0, request.size() + 1), std::string(request.size(), 'S') + "r");
  EXPECT_EQ(server.RequestsSeen(), 1u);
}
