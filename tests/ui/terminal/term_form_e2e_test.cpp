// The terminal on the simulated modem's line: the program's own requests
// show as sent, the modem's answers as received, in the order they passed.
#include <gtest/gtest.h>

#include <QTest>

#include <QLabel>
#include <QLineEdit>

#include "modem/frame_codec.h"
#include "modem/ziz2400.h"
#include "ui/widgets/radio_group.h"
#include "port/port.h"
#include "support/sim_fixture.h"
#include "ui/terminal/term_rig.h"
#include "util/hex.h"
#include "util/tick.h"

namespace {

struct TermOnSimulatedModem : testing_support::SimLineTest {
  testing_support::TermRig rig{"term_e2e"};
  void SetUp() override {
    SimLineTest::SetUp();
    rig.host.port = &port;
    rig.host.node = &node;
    rig.Open();
  }
  void TearDown() override {
    rig.Close();
    SimLineTest::TearDown();
  }
  // Waits (with the window's timer running) until `done` holds.
  template <typename Done>
  bool WaitUntil(Done done) {
    for (uint64_t start = util::TickMs(); util::TickMs() - start < 3000;) {
      QTest::qWait(20);
      if (done()) return true;
    }
    return false;
  }
  // The view ends with a whole frame the modem sent.
  bool AnswerShown() {
    auto &view = *rig.form->MPHexEditorEx1;
    return view.Size() > 0 && view.ExtraToolTip(view.Size() - 1).rfind("BIN, ответ", 0) == 0;
  }
};

}  // namespace

TEST_F(TermOnSimulatedModem, RequestInChangedColoursAnswerInNormalOnes) {
  const std::string request = modem::BuildBinRequest(255, 0, "1501");
  modem::TVersion version;
  ASSERT_TRUE(node.ReadVersion(version));
  // The engine's link may take the answer before the terminal's gets it.
  ASSERT_TRUE(WaitUntil([this] { return AnswerShown(); })) << rig.ViewBytes().size();
  const std::string shown = rig.ViewBytes();
  ASSERT_GT(shown.size(), request.size());
  EXPECT_EQ(shown.substr(0, request.size()), request);
  EXPECT_EQ(rig.Marks(), std::string(request.size(), 'S') + std::string(shown.size() - request.size(), 'r'));
  // Pointing at either frame names it.
  auto &view = *rig.form->MPHexEditorEx1;
  EXPECT_EQ(view.ExtraToolTip(3).rfind("BIN, запрос: кому 255, от 0, команда 15", 0), 0u) << view.ExtraToolTip(3);
  EXPECT_EQ(view.ExtraToolTip(request.size() + 3).rfind("BIN, ответ: кому 0, от 1, статус 00 (OK), данные", 0), 0u)
      << view.ExtraToolTip(request.size() + 3);
  // Selecting a byte of it names it in the line under the view.
  view.Select(request.size() + 2, request.size() + 4);
  EXPECT_TRUE(rig.form->FrameLabel->text().startsWith("BIN, ответ: кому 0, от 1")) << rig.form->FrameLabel->text().toStdString();
}

TEST_F(TermOnSimulatedModem, ABlockSentByHandReachesTheModemAndItsAnswerFollows) {
  const std::string request = modem::BuildBinRequest(255, 0, "1501");
  rig.form->FormatRadioGroup->SetItemIndex(1);
  rig.form->ToSendEdit->setText(QString::fromStdString(util::BytesToHex(request)));
  QTest::keyClick(rig.form->ToSendEdit, Qt::Key_Return);
  ASSERT_TRUE(WaitUntil([this] { return AnswerShown(); })) << rig.ViewBytes().size();
  EXPECT_EQ(rig.ViewBytes().substr(0, request.size()), request);
  EXPECT_EQ(rig.Marks().substr(0, request.size() + 1), std::string(request.size(), 'S') + "r");
  EXPECT_EQ(server.RequestsSeen(), 1u);
}
