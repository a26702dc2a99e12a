// The channel pages driven as a user would, against the built-in simulated modem.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <filesystem>

#include "app/form1.h"
#include "sim/pty_server.h"
#include "ui/form_fixture.h"
#include "ui/main/channel_tab.h"
#include "ui/main/vcomm_tab.h"
#include "util/tick.h"

namespace {

struct ChannelPages : ::testing::Test {
  std::unique_ptr<TForm1> form;
  TVCommTab *uart = nullptr;
  TChannelTab *channel = nullptr;
  std::vector<std::pair<std::string, int>> sent;  // command, answer time-out while it was sent
  void SetUp() override {
    form = testing_support::MakeSimulatedForm("vcomm_tab_test");
    uart = form->FindPage<TVCommTab>();
    channel = form->FindPage<TChannelTab>();
    ASSERT_TRUE(form->Port()->GetActive());
    form->DirectNode->OnSendPacket = [this](device::TCustomDevice &d, const std::string &, const std::string &cmd) {
      sent.emplace_back(cmd, static_cast<device::TCustomDevice &>(d).GetTimeOutMs());
    };
  }
  std::string LastLogRow() { return testing_support::LogRowsWithResults(*form).back(); }
};

}  // namespace

TEST_F(ChannelPages, OpeningRequestsGetTheLongerTimeOut) {
  uart->SE_VC_CloseTO->setValue(2000);
  QTest::mouseClick(uart->Button28, Qt::LeftButton);  // Open VCOMM
  ASSERT_EQ(sent.size(), 1u);
  EXPECT_EQ(sent[0].first, "120200D007");
  EXPECT_EQ(sent[0].second, 1200);  // four times the 300 ms of the settings page
  EXPECT_EQ(form->DirectNode->GetTimeOutMs(), 300);

  channel->RzMaskEdit2->setText("1-5-9");
  channel->RzComboBox1->setCurrentIndex(3);
  channel->RzSpinEdit2->setValue(2000);
  QTest::mouseClick(channel->Button61, Qt::LeftButton);  // open UART
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1].first, "120303D00703" "01010509");
  EXPECT_EQ(sent[1].second, 1200);
  QTest::mouseClick(channel->Button60, Qt::LeftButton);  // open ROUTE
  EXPECT_EQ(sent.back().first, "1201000000" "03" "01010509");
  QTest::mouseClick(channel->Button65, Qt::LeftButton);  // close TERM: normal time-out
  EXPECT_EQ(sent.back().first, "1284");
  EXPECT_EQ(sent.back().second, 300);
}

TEST_F(ChannelPages, CloseTimeOutFieldsStepAsTheyShould) {
  // The page's close time-out steps by 1 and pages by 100; the channel page's by 500.
  struct Case {
    QSpinBox *field;
    Qt::Key key;
    int expected;
  } cases[] = {{uart->SE_VC_CloseTO, Qt::Key_Up, 2001},
               {uart->SE_VC_CloseTO, Qt::Key_PageUp, 2100},
               {uart->SE_VC_CloseTO, Qt::Key_PageDown, 1900},
               {channel->RzSpinEdit2, Qt::Key_Up, 500}};
  for (const auto &c : cases) {
    c.field->setValue(c.field == channel->RzSpinEdit2 ? 0 : 2000);
    QTest::keyClick(c.field, c.key);
    EXPECT_EQ(c.field->value(), c.expected) << c.field->objectName().toStdString() << " key " << c.key;
  }
}

TEST_F(ChannelPages, MalformedRoutesAreRefused) {
  for (const char *field : {"1", "1-300-2", "abc 1--5 999"}) {
    channel->RzMaskEdit2->setText(field);
    size_t before = sent.size();
    QTest::mouseClick(channel->Button60, Qt::LeftButton);
    EXPECT_EQ(sent.size(), before) << field;
    EXPECT_NE(LastLogRow().find("Маршрут не отправлен"), std::string::npos) << LastLogRow();
  }
}

TEST_F(ChannelPages, CheckerReportsWhatComesBackThroughTheChannel) {
  QTest::mouseClick(uart->Button28, Qt::LeftButton);  // the simulated modem loops raw bytes back
  QTest::mouseClick(uart->Button33, Qt::LeftButton);  // Start checker
  uart->SE_BlockSize->setValue(300);
  uart->Memo1->setPlainText("old report");
  QTest::mouseClick(uart->Button32, Qt::LeftButton);  // Send
  uint32_t start = util::TickMs();
  while (uart->Memo1->toPlainText() == "old report" && util::TicksSince(start) < 5000) QTest::qWait(20);
  EXPECT_EQ(uart->Memo1->toPlainText().toStdString(), "");
  QTest::qWait(150);  // the label shows the state at the start of a tick
  EXPECT_EQ(uart->L_RecvState->text().toStdString(), "Wait start");
  EXPECT_GE(uart->L_RecvBytes->text().toInt(), 303);
  QTest::mouseClick(uart->Button34, Qt::LeftButton);
  QTest::qWait(150);
  EXPECT_EQ(uart->L_RecvState->text().toStdString(), "Off");
  QTest::mouseClick(uart->Button29, Qt::LeftButton);  // Close VCOMM
}
