// The terminal window driven as a user would, on a port that is not open:
// the port still reports every send to its links, as a closed line does.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <thread>

#include "port/port.h"
#include "ui/terminal/term_rig.h"
#include "ui/terminal/terminal_opener.h"
#include "ui/widgets/radio_group.h"
#include "util/ini_file.h"

using testing_support::TermRig;

namespace {

struct TermWindow : ::testing::Test {
  port::TPort port;
  std::vector<std::string> written;
  std::unique_ptr<TermRig> rig;
  void SetUp() override {
    port.OnSendData = [this](const std::string &d) { written.push_back(d); };
    rig = std::make_unique<TermRig>(::testing::UnitTest::GetInstance()->current_test_info()->name());
    rig->host.port = &port;
    rig->Open();
  }
  TTermForm &F() { return *rig->form; }
  void Send(const QString &text, bool bin) {
    F().FormatRadioGroup->SetItemIndex(bin ? 1 : 0);
    F().ToSendEdit->setText(text);
    QTest::mouseClick(F().SendButton, Qt::LeftButton);
  }
};

}  // namespace

TEST_F(TermWindow, ShowsItsControlsWithTheirDefaults) {
  EXPECT_EQ(F().windowTitle(), "Терминал");
  EXPECT_EQ(F().size(), QSize(629, 475));
  EXPECT_EQ(F().minimumSize(), QSize(629, 200));
  // Closing the main window ends the program; an open terminal does not keep it alive.
  EXPECT_FALSE(F().testAttribute(Qt::WA_QuitOnClose));
  EXPECT_EQ(F().FormatRadioGroup->ItemIndex(), 0);
  EXPECT_EQ(F().TimeOutSpinEdit->value(), 300);
  EXPECT_EQ(F().TimeOutSpinEdit->singleStep(), 50);
  EXPECT_EQ(F().TimeOutSpinEdit->maximum(), 12750);
  EXPECT_EQ(F().MarkerRxSpinEdit->text(), "0xff");
  EXPECT_FALSE(F().TransitPanel->isEnabled());
  QTest::mouseClick(F().TransitCheckBox, Qt::LeftButton);
  EXPECT_TRUE(F().TransitPanel->isEnabled());
  EXPECT_EQ(F().Timer1->interval(), 200);
  EXPECT_TRUE(F().SendButton->isDefault());
  QStringList tests;
  for (QAction *a : F().OutBufPopupMenu->actions()) tests << a->text();
  EXPECT_EQ(tests.join("|"), "Тест ВЕСК|Тест Меркурий 200.02|Тест Меркурий 230|Тест ПСЧ|Тест СЭТ-4ТМ (CS)|"
                             "Тест СЭТ-4ТМ (CRC)|Тест ЦЭ68**|Выбрать макрос|Сохранить макрос||Контрольная сумма");
}

TEST_F(TermWindow, EveryControlIsFoundByItsCaptionInTheAccessibilityTree) {
  QStringList names;
  for (QWidget *w : F().findChildren<QWidget *>())
    if (QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w)) names << a->text(QAccessible::Name);
  for (const char *name : {"Байты на линии", "Кадр", "Формат", "Буфер отправки", "Отправить", "Транзит", "Канал",
                           "Передача", "Прием", "Таймаут", "Разд.", "Длина", "Интерфейс", "Ответ", "Порт",
                           "Калькулятор", "Макро"})
    EXPECT_TRUE(names.contains(name)) << name;
}

TEST_F(TermWindow, SendsAsciiWithLineEndAndBinAsBytes) {
  Send("ATI", false);
  Send("0A1b", true);
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(written[0], "ATI\r\n");
  EXPECT_EQ(written[1], std::string("\x0A\x1B", 2));
  EXPECT_EQ(rig->ViewBytes(), std::string("ATI\r\n\x0A\x1B", 7));
  EXPECT_EQ(rig->Marks(), "SSSSSSS");
}

TEST_F(TermWindow, FaultyBinTextSendsNothingAndShowsWhere) {
  struct Case {
    const char *text;
    int selectedAt;
  } cases[] = {{"0A1G", 3}, {"0A 1B", 2}, {"0A1", 2}};
  for (const auto &c : cases) {
    Send(c.text, true);
    EXPECT_TRUE(written.empty()) << c.text;
    EXPECT_FALSE(F().SendFaultLabel->isHidden()) << c.text;
    EXPECT_EQ(F().ToSendEdit->selectionStart(), c.selectedAt) << c.text;
    EXPECT_TRUE(F().SendFaultLabel->text().startsWith(QString("Не отправлено: символ %1").arg(c.selectedAt + 1)))
        << F().SendFaultLabel->text().toStdString();
  }
  Send("0A1B", true);
  EXPECT_EQ(written.size(), 1u);
  EXPECT_TRUE(F().SendFaultLabel->isHidden());
}

TEST_F(TermWindow, BytesReceivedBeforeASendAreShownBeforeIt) {
  // The reader thread delivers while the window's thread is busy.
  std::thread reader([this] { port.DataReceived("RX"); });
  reader.join();
  EXPECT_EQ(rig->ViewBytes(), "");  // not before the timer or a send
  Send("ATI", false);
  EXPECT_EQ(rig->ViewBytes(), "RXATI\r\n");
  EXPECT_EQ(rig->Marks(), "rrSSSSS");
  port.DataReceived("OK");
  F().Timer1Timer();
  EXPECT_EQ(rig->Marks(), "rrSSSSSrr");
}

TEST_F(TermWindow, PastOneMegabyteTheViewIsClearedAndTheSendStillMarked) {
  port.DataReceived(std::string(1048576 + 1, 'x'));
  F().FlushReceived();
  EXPECT_EQ(F().MPHexEditorEx1->Size(), 1048577u);
  Send("0102", true);
  EXPECT_EQ(rig->ViewBytes(), std::string("\x01\x02", 2));
  EXPECT_EQ(rig->Marks(), "SS");
  // At exactly one megabyte nothing is cleared yet.
  F().ClearItemClick();
  port.DataReceived(std::string(1048576, 'x'));
  Send("03", true);
  EXPECT_EQ(F().MPHexEditorEx1->Size(), 1048577u);
  EXPECT_TRUE(F().MPHexEditorEx1->Model().IsChanged(1048576));
}

TEST_F(TermWindow, TestRequestsFillTheSendBox) {
  struct Case {
    QAction *item;
    int number;
    bool binBefore;
    const char *text;
    int format;
    int kind;
  } cases[] = {
      {F().TestMerc230, 5, false, "050002E0", 1, 2},
      {F().CE68__Test, 12, true, "/?12!", 0, 5},
      {F().TestVesk, 5, false, "/05000A!0F", 0, 0},
      {F().TestVesk, 0x1B, true, "1B011B1B000AEE", 1, 0},
      {F().TestSET_CS, 5, false, "0500FA", 1, 4},
      {F().TestMerc200, 0x123456, false, "00123456285F08", 1, 1},
  };
  for (const auto &c : cases) {
    F().FormatRadioGroup->SetItemIndex(c.binBefore ? 1 : 0);
    rig->answerNumber = c.number;
    c.item->trigger();
    EXPECT_EQ(F().ToSendEdit->text(), c.text);
    EXPECT_EQ(F().FormatRadioGroup->ItemIndex(), c.format) << c.text;
    EXPECT_EQ(rig->askedKinds.back(), c.kind) << c.text;
  }
  rig->answerNumber = -1;  // the question cancelled
  F().TestPSC->trigger();
  EXPECT_EQ(F().ToSendEdit->text(), "00123456285F08");
}

TEST_F(TermWindow, ChecksumOfTheSelectionOrTheSendBox) {
  port.DataReceived(std::string("\x05\x00\xFA", 3));
  F().FlushReceived();
  F().MPHexEditorEx1->Select(0, 2);
  F().FormatRadioGroup->SetItemIndex(1);
  F().N1->trigger();
  ASSERT_EQ(rig->messages.size(), 1u);
  EXPECT_TRUE(rig->messages[0].startsWith("CS СЭТ-4ТМ/Vesk BIN\t: FA\r\nCRC A001/FFFF \t: E002 \r\n"));

  F().CopyItem->trigger();
  EXPECT_EQ(F().ToSendEdit->text(), "0500");
  F().ClearItemClick();
  port.DataReceived("AB\xFA");
  F().FlushReceived();
  F().MPHexEditorEx1->SelectAll();
  F().FormatRadioGroup->SetItemIndex(0);
  F().CopyItem->trigger();  // ASCII: the characters themselves, in the line's code page
  EXPECT_EQ(F().ToSendEdit->text(), "ABъ");

  F().ToSendEdit->setText("05000A");
  F().ToSendEdit->setFocus();
  F().ToSendEdit->setSelection(0, 4);
  F().CSItemClick();
  EXPECT_EQ(rig->messages.back(), "CS Vesk ASCII 05");
  F().ToSendEdit->deselect();
  F().CSItemClick();
  EXPECT_EQ(rig->messages.back(), "CS Vesk ASCII 0F");
  F().ToSendEdit->clear();
  F().CSItemClick();  // nothing to sum: no message
  EXPECT_EQ(rig->messages.size(), 3u);
}

TEST_F(TermWindow, MacrosAndSettingsSurviveARestart) {
  F().ToSendEdit->setText("0102");
  QAction *save3 = F().SetMacroItem->actions().at(2);
  EXPECT_EQ(save3->text(), "3 ");
  save3->trigger();
  EXPECT_EQ(save3->text(), "3 0102");
  EXPECT_EQ(F().GetMacroItem->actions().at(2)->text(), "3 0102");
  F().ChannelComboBox->setCurrentIndex(3);
  F().LenSpinEdit->setValue(17);
  F().TransitCheckBox->setChecked(true);
  rig->Close();
  EXPECT_TRUE(rig->form.isNull());

  util::OrderedIni ini;
  ASSERT_TRUE(ini.Load(rig->settingsPath));
  std::vector<std::string> keys;
  for (auto &[k, v] : ini.Keys("TermForm")) keys.push_back(k.find('(') == std::string::npos ? k : k.substr(0, k.find('(')) + "(WxH)");
  const std::vector<std::string> expected{
      "FormVersion", "Flags", "ShowCmd", "PixelsPerInch", "MinMaxPos(WxH)", "MinMaxPos", "NormPos(WxH)", "NormPos",
      "Visible", "ChannelComboBox_ItemIndex", "FormatComboBox_ItemIndex", "FormatRadioGroup_ItemIndex",
      "InSpeedComboBox_ItemIndex", "LenSpinEdit_Value", "MarkerRxSpinEdit_Value", "OutSpeedComboBox_ItemIndex",
      "TimeOutSpinEdit_Value", "ToSendEdit_Text", "TransitCheckBox_Checked", "InterfaceComboBox_ItemIndex",
      "1", "2", "3", "4", "5", "6", "7", "8", "9", "10"};
  EXPECT_EQ(keys, expected);
  EXPECT_EQ(ini.Get("TermForm", "3"), "0102");
  EXPECT_EQ(ini.Get("TermForm", "TransitCheckBox_Checked"), "True");
  EXPECT_EQ(ini.Get("TermForm", "MarkerRxSpinEdit_Value"), "255");

  TTermForm &again = rig->Open();
  EXPECT_EQ(again.GetMacroItem->actions().at(2)->text(), "3 0102");
  EXPECT_EQ(again.ChannelComboBox->currentIndex(), 3);
  EXPECT_EQ(again.LenSpinEdit->value(), 17);
  EXPECT_TRUE(again.TransitPanel->isEnabled());
  again.ToSendEdit->clear();
  again.GetMacroItem->actions().at(2)->trigger();
  EXPECT_EQ(again.ToSendEdit->text(), "0102");
}

TEST_F(TermWindow, StoredValuesTheControlsCannotHoldAreWrittenBackAsRead) {
  rig->Close();
  util::OrderedIni ini;
  ini.Load(rig->settingsPath);
  ini.Set("TermForm", "LenSpinEdit_Value", "300");
  ini.Set("TermForm", "ChannelComboBox_ItemIndex", "x");
  ini.Save(rig->settingsPath);
  rig->Open();
  EXPECT_EQ(F().LenSpinEdit->value(), 255);
  rig->Close();
  ini.Load(rig->settingsPath);
  EXPECT_EQ(ini.Get("TermForm", "LenSpinEdit_Value"), "300");
  EXPECT_EQ(ini.Get("TermForm", "ChannelComboBox_ItemIndex"), "x");
}

TEST(TermOpener, ClosingFreesTheTerminalAndTheNextRequestMakesANewOne) {
  testing_support::FakePageHost host;
  port::TPort port;
  host.port = &port;
  auto path = (std::filesystem::temp_directory_path() / "vovor_term_opener.settings2").string();
  TTerminalOpener opener(host, path);
  QPointer<TTermForm> first = opener.ShowTerminal();
  ASSERT_TRUE(first);
  EXPECT_EQ(opener.ShowTerminal(), first.data());  // one at a time
  EXPECT_TRUE(first->isVisible());
  EXPECT_EQ(first->PortLink1.GetTPort(), &port);
  EXPECT_EQ(port.Links().size(), 1u);
  first->close();
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(first.isNull());
  EXPECT_EQ(opener.Terminal(), nullptr);
  EXPECT_TRUE(port.Links().empty());
  TTermForm *second = opener.ShowTerminal();
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(port.Links().size(), 1u);
}

TEST(NetNumForm, LimitsTheNumberByKindAndKeepsTheLastOne) {
  TNetNumForm dialog;
  auto answer = [&](int value, bool ok) {
    QTimer::singleShot(0, [&dialog, value, ok] {
      if (value >= 0) dialog.SpinEdit->setValue(value);
      if (ok) QTest::mouseClick(dialog.Button1, Qt::LeftButton);
      else QTest::keyClick(&dialog, Qt::Key_Escape);
    });
  };
  answer(300, true);
  EXPECT_EQ(dialog.AskNetNumber(0), 255);  // Vesk: one byte
  answer(1000, true);
  EXPECT_EQ(dialog.AskNetNumber(3), 999);  // PSC: three digits
  answer(-1, true);
  EXPECT_EQ(dialog.AskNetNumber(1), 999);  // the last value is kept
  answer(261, true);
  EXPECT_EQ(dialog.AskNetNumber(4), 255);  // SET-4TM: one address byte
  answer(7, false);
  EXPECT_EQ(dialog.AskNetNumber(5), -1);
  EXPECT_EQ(dialog.windowTitle(), "Сетевой номер");
}
