// The page "Config" driven as a user would, against the built-in simulated modem.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>

#include "app/form1.h"
#include "ruvezivevo/fe_root_section.h"
#include "sim/pty_server.h"
#include "ui/form_fixture.h"
#include "ui/main/config_tab.h"
#include "ui/widgets/collapsible_group.h"
#include "ui/widgets/module_list.h"
#include "ui/widgets/number_edit.h"
#include "util/hex.h"
#include "util/tick.h"

namespace {

struct ConfigPage : ::testing::Test {
  std::unique_ptr<TForm1> form;
  TConfigTab *tab = nullptr;
  void SetUp() override {
    form = testing_support::MakeSimulatedForm("config_tab_test");
    tab = form->FindPage<TConfigTab>();
    tab->Ask = [](const QString &) { return true; };  // a question never waits for a click
    ASSERT_TRUE(form->Port()->GetActive());
  }
  std::string ModemImage() {
    std::string image;
    EXPECT_TRUE(form->DirectNode->ReadConfigImage(image));
    return image;
  }
  std::string StoredRoute() {
    std::shared_ptr<config::IZTConfig> c;
    EXPECT_TRUE(form->DirectNode->ReadConfig(c));
    return c ? c->GetPTPSettings()->GetRoute() : "";
  }
  std::vector<std::string> LogResults() { return testing_support::LogRowsWithResults(*form); }
};

}  // namespace

TEST_F(ConfigPage, StartsWithANewConfigurationsDefaults) {
  EXPECT_FALSE(tab->RAScrollMax1->isHidden());
  EXPECT_EQ(tab->SE_CUNetAddr->value(), 1);
  EXPECT_EQ(tab->CB_CBaudRate->currentText().toStdString(), "19200");
  EXPECT_EQ(tab->CB_CFormat->currentText().toStdString(), "8N1");
  EXPECT_EQ(tab->SE_CPanID->value(), 1);
  EXPECT_EQ(tab->SE_CRFAddr->value(), 1);
  EXPECT_EQ(tab->SE_ru_bytetimeout->value(), 10);
  EXPECT_EQ(tab->SE_ru_pkttimeout->value(), 300);
  EXPECT_EQ(tab->E_CNodeName->text().toStdString(), "");
  EXPECT_EQ(tab->E_PTP_Route->text().toStdString(), "1-0");
  // The module's default lies outside the field's typing range: shown as it is.
  EXPECT_EQ(tab->SE_PTP_Timeout->value(), 1024);
  EXPECT_TRUE(tab->SE_PTP_Timeout->HoldsOutOfRange());
  EXPECT_EQ(tab->SE_PTP_Timeout->toolTip().toStdString(), "значение модема вне диапазона поля");
  EXPECT_EQ(tab->SE_PTP_PIGPERIOD->value(), 12800);
  EXPECT_EQ(tab->SE_PTP_ReTry->value(), 3);
  EXPECT_FALSE(tab->CB_PTP_Enable->isChecked());
}

TEST_F(ConfigPage, ReadEditWriteAndReadBack) {
  QTest::mouseClick(tab->Btn_ReadConf, Qt::LeftButton);
  ASSERT_TRUE(tab->CurrentConfig());
  EXPECT_FALSE(tab->RAScrollMax1->isHidden());
  std::string before = ModemImage();
  ASSERT_FALSE(before.empty());
  // What the page shows is what the modem holds.
  EXPECT_EQ(tab->E_CNodeName->text().toStdString(), tab->CurrentConfig()->GetUserSettings()->GetNodeName());

  tab->SE_CPanID->setValue(77);
  tab->E_CNodeName->setText(QStringLiteral("Подстанция 5"));
  tab->E_PTP_Route->setText("1-5-2");
  tab->CB_VerifyWrite->setChecked(true);
  QTest::mouseClick(tab->Btn_WriteConf, Qt::LeftButton);

  std::string after = ModemImage();
  auto expected = tab->CurrentConfig()->SerializeImage();
  ASSERT_TRUE(expected.Ok());
  EXPECT_EQ(util::BytesToHex(after), util::BytesToHex(expected.image->Bytes()));
  EXPECT_NE(after, before);
  EXPECT_EQ(StoredRoute(), std::string("\x01\x01\x05\x02", 4));
  auto log = LogResults();
  EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const std::string &row) {
    return row.find("Проверка записанной конфигурации | OK") != std::string::npos;
  }));

  tab->E_PTP_Route->clear();
  QTest::mouseClick(tab->Btn_ReadConf, Qt::LeftButton);
  EXPECT_EQ(tab->E_PTP_Route->text().toStdString(), "1-5-2");
  EXPECT_EQ(tab->SE_CPanID->value(), 77);
  EXPECT_EQ(tab->E_CNodeName->text(), QStringLiteral("Подстанция 5"));
}

TEST_F(ConfigPage, ALongNodeNameFromTheModemSurvivesAWrite) {
  // The field's 42 characters limit typing, not what a modem already holds.
  const QString name = QStringLiteral("Подстанция 5, ячейка 12, ввод 2, счётчик ТП-17");
  ASSERT_GT(name.size(), 42);
  auto stored = config::CreateConfig(ruvezivevo::CreateRootSection());
  stored->GetUserSettings()->SetNodeName(name.toStdString());
  ASSERT_TRUE(form->DirectNode->WriteConfig(stored));

  QTest::mouseClick(tab->Btn_ReadConf, Qt::LeftButton);
  EXPECT_EQ(tab->E_CNodeName->text(), name);
  tab->SE_CPanID->setValue(9);
  QTest::mouseClick(tab->Btn_WriteConf, Qt::LeftButton);
  std::shared_ptr<config::IZTConfig> back;
  ASSERT_TRUE(form->DirectNode->ReadConfig(back));
  EXPECT_EQ(QString::fromStdString(back->GetUserSettings()->GetNodeName()), name);
  EXPECT_EQ(back->GetZTNETSettings()->GetNetId(), 9);

  QTest::mouseClick(tab->Btn_NewConf, Qt::LeftButton);
  tab->E_CNodeName->setFocus();
  QTest::keyClicks(tab->E_CNodeName, QString(50, QChar('x')));
  EXPECT_EQ(tab->E_CNodeName->text().size(), 42);
}

TEST_F(ConfigPage, NewDuringAWriteDoesNotSpoilItsCheck) {
  QTest::mouseClick(tab->Btn_ReadConf, Qt::LeftButton);
  tab->SE_CPanID->setValue(77);
  tab->CB_VerifyWrite->setChecked(true);
  sim::Faults slow;
  slow.delayMs = 100;
  form->Simulator()->SetFaults(slow);
  form->DirectNode->SetTimeOutMs(1000);
  tab->Ask = [](const QString &) { return true; };
  QTimer::singleShot(150, [&] { QTest::mouseClick(tab->Btn_NewConf, Qt::LeftButton); });
  QTest::mouseClick(tab->Btn_WriteConf, Qt::LeftButton);
  form->Simulator()->SetFaults(sim::Faults{});
  auto log = LogResults();
  ASSERT_FALSE(log.empty());
  EXPECT_NE(log.back().find("Проверка записанной конфигурации | OK"), std::string::npos) << log.back();
  std::shared_ptr<config::IZTConfig> back;
  ASSERT_TRUE(form->DirectNode->ReadConfig(back));
  EXPECT_EQ(back->GetZTNETSettings()->GetNetId(), 77);
}

TEST_F(ConfigPage, TypedNumbersAreBroughtIntoRangeOnLeaving) {
  form->show();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
  tab->GroupPtp->SetOpen(true);
  struct Case {
    TNumberEdit *field;
    const char *typed;
    int expected;
  } cases[] = {{tab->SE_PTP_Timeout, "5000", 1000}, {tab->SE_PTP_Timeout, "abc", 40},
               {tab->SE_PTP_Timeout, "77", 77},     {tab->SE_PTP_ReTry, "0", 1},
               {tab->SE_PTP_PIGPERIOD, "", 1000}};
  for (const auto &c : cases) {
    c.field->setFocus();
    c.field->selectAll();
    QTest::keyClick(c.field, Qt::Key_Delete);
    QTest::keyClicks(c.field, c.typed);
    tab->E_PTP_Route->setFocus();  // leave the field
    QTest::qWait(1);
    EXPECT_EQ(c.field->value(), c.expected) << c.typed;
    EXPECT_EQ(c.field->text().toInt(), c.expected) << c.typed;
  }
  // Typed and written at once: the click on "Записать" leaves the field first.
  tab->SE_PTP_Timeout->setFocus();
  tab->SE_PTP_Timeout->selectAll();
  QTest::keyClicks(tab->SE_PTP_Timeout, "5000");
  QTest::mouseClick(tab->Btn_WriteConf, Qt::LeftButton);
  std::shared_ptr<config::IZTConfig> back;
  ASSERT_TRUE(form->DirectNode->ReadConfig(back));
  EXPECT_EQ(back->GetPTPSettings()->GetTimeout(), 1000);
}

TEST_F(ConfigPage, ARouteWithJunkIsRefusedAndNothingIsWritten) {
  QTest::mouseClick(tab->Btn_ReadConf, Qt::LeftButton);
  const std::string before = ModemImage();
  std::string thirty;
  for (int i = 1; i <= 30; ++i) thirty += std::to_string(i) + (i < 30 ? "-" : "");
  struct Case {
    std::string route;
    const char *named;  // what the refusal says
  } cases[] = {{"abc 1--5 999", "в маршруте не число: abc"},
               {"1-300-2", "адрес 300 в маршруте больше 255"},
               {"7", "в маршруте меньше двух адресов"},
               {thirty, "в маршруте больше 29 адресов"}};
  for (const auto &c : cases) {
    tab->SE_CPanID->setValue(77);  // another change that must not go out either
    tab->E_PTP_Route->setText(QString::fromStdString(c.route));
    QTest::mouseClick(tab->Btn_WriteConf, Qt::LeftButton);
    EXPECT_EQ(util::BytesToHex(ModemImage()), util::BytesToHex(before)) << c.route;
    EXPECT_NE(tab->L_ConfigStatus->text().toStdString().find(c.named), std::string::npos)
        << tab->L_ConfigStatus->text().toStdString();
    EXPECT_FALSE(tab->L_ConfigStatus->isHidden());
  }
  // Blanks, commas and slashes separate nodes as everywhere else.
  tab->E_PTP_Route->setText("1, 5/9");
  QTest::mouseClick(tab->Btn_WriteConf, Qt::LeftButton);
  EXPECT_EQ(StoredRoute(), std::string("\x01\x01\x05\x09", 4));
  EXPECT_TRUE(tab->L_ConfigStatus->isHidden());
}

TEST_F(ConfigPage, AFailedReadKeepsTheEditsAndSaysWhy) {
  QTest::mouseClick(tab->Btn_ReadConf, Qt::LeftButton);
  tab->E_CNodeName->setText(QStringLiteral("Ввод 2"));
  tab->SE_CPanID->setValue(77);
  sim::Faults silent;
  silent.dropNextAnswers = 1000;
  form->Simulator()->SetFaults(silent);
  form->DirectNode->SetTimeOutMs(100);
  tab->Ask = [](const QString &) { return true; };  // read over the edits
  QTest::mouseClick(tab->Btn_ReadConf, Qt::LeftButton);
  EXPECT_TRUE(tab->CurrentConfig());
  EXPECT_FALSE(tab->RAScrollMax1->isHidden());
  EXPECT_EQ(tab->E_CNodeName->text(), QStringLiteral("Ввод 2"));
  EXPECT_EQ(tab->SE_CPanID->value(), 77);
  EXPECT_TRUE(tab->L_ConfigStatus->isVisibleTo(tab));
  EXPECT_TRUE(tab->L_ConfigStatus->text().startsWith(QStringLiteral("Конфигурация не прочитана: нет ответа")))
      << tab->L_ConfigStatus->text().toStdString();

  // The edits are still there to be written once the modem answers again.
  form->Simulator()->SetFaults(sim::Faults{});
  QTest::mouseClick(tab->Btn_WriteConf, Qt::LeftButton);
  std::shared_ptr<config::IZTConfig> back;
  ASSERT_TRUE(form->DirectNode->ReadConfig(back));
  EXPECT_EQ(back->GetZTNETSettings()->GetNetId(), 77);
  EXPECT_FALSE(tab->L_ConfigStatus->isVisibleTo(tab));
}

TEST_F(ConfigPage, StopDuringASlowRead) {
  sim::Faults slow;
  slow.delayMs = 2000;
  form->Simulator()->SetFaults(slow);
  form->DirectNode->SetTimeOutMs(3000);
  QTimer::singleShot(300, [&] { QTest::mouseClick(form->Button4, Qt::LeftButton); });
  uint32_t start = util::TickMs();
  QTest::mouseClick(tab->Btn_ReadConf, Qt::LeftButton);
  EXPECT_LT(util::TicksSince(start), 1500u);
  EXPECT_TRUE(tab->CurrentConfig()) << "the configuration shown before stays";
  EXPECT_FALSE(tab->RAScrollMax1->isHidden());
  EXPECT_TRUE(tab->L_ConfigStatus->isVisibleTo(tab));
}

// A modem holding values outside every field's range: read, change only the
// node name, write. The image differs from the original in the name alone.
TEST_F(ConfigPage, ValuesOutsideTheFieldsSurviveAReadThenWrite) {
  auto stored = config::CreateConfig(ruvezivevo::CreateRootSection());
  stored->GetUartSettings()->SetNetAddress(255);
  stored->GetUartSettings()->SetDataFormat(3);
  stored->GetZTNETSettings()->SetNetId(0);
  stored->GetZTNETSettings()->SetNodeId(255);
  stored->GetZTUARTSettings()->SetByteTimeout(0);
  stored->GetZTUARTSettings()->SetPacketTimeout(50);
  stored->GetPTPSettings()->SetTimeout(1500);
  stored->GetPTPSettings()->SetPingPeriod(60000);
  stored->GetPTPSettings()->SetRetries(20);
  ASSERT_TRUE(form->DirectNode->WriteConfig(stored));
  stored->GetUserSettings()->SetNodeName("ТП-17");
  auto expected = stored->SerializeImage();
  ASSERT_TRUE(expected.Ok());

  QTest::mouseClick(tab->Btn_ReadConf, Qt::LeftButton);
  struct Shown {
    TNumberEdit *field;
    int value;
  } shown[] = {{tab->SE_CUNetAddr, 255},     {tab->SE_CPanID, 0},          {tab->SE_CRFAddr, 255},
               {tab->SE_ru_bytetimeout, 0},  {tab->SE_ru_pkttimeout, 50},  {tab->SE_PTP_Timeout, 1500},
               {tab->SE_PTP_PIGPERIOD, 60000}, {tab->SE_PTP_ReTry, 20}};
  for (const auto &c : shown) {
    EXPECT_EQ(c.field->value(), c.value) << c.field->objectName().toStdString();
    EXPECT_TRUE(c.field->HoldsOutOfRange()) << c.field->objectName().toStdString();
  }
  EXPECT_EQ(tab->CB_CFormat->ModuleIndex(), 3);
  EXPECT_FALSE(tab->HasUnsavedChanges());

  tab->E_CNodeName->setText(QStringLiteral("ТП-17"));
  EXPECT_TRUE(tab->HasUnsavedChanges());
  tab->CB_VerifyWrite->setChecked(true);
  QTest::mouseClick(tab->Btn_WriteConf, Qt::LeftButton);
  EXPECT_EQ(util::BytesToHex(ModemImage()), util::BytesToHex(expected.image->Bytes()));
  EXPECT_FALSE(tab->HasUnsavedChanges());
}

// Typing into a field that holds a value from outside its range makes it
// the user's field again: the range applies.
TEST_F(ConfigPage, EditingAHeldValueBringsItIntoRange) {
  tab->SE_PTP_Timeout->SetModuleValue(1500);
  QTest::keyClick(tab->SE_PTP_Timeout, Qt::Key_Down);
  EXPECT_FALSE(tab->SE_PTP_Timeout->HoldsOutOfRange());
  EXPECT_LE(tab->SE_PTP_Timeout->value(), 1000);
  EXPECT_EQ(tab->SE_PTP_Timeout->maximum(), 1000);
}

TEST_F(ConfigPage, NewConfigurationIsWrittenWithTheModuleDefaultsAsTheyAre) {
  QTest::mouseClick(tab->Btn_WriteConf, Qt::LeftButton);
  std::shared_ptr<config::IZTConfig> back;
  ASSERT_TRUE(form->DirectNode->ReadConfig(back));
  EXPECT_EQ(back->GetPTPSettings()->GetTimeout(), 1024);
  EXPECT_EQ(back->GetPTPSettings()->GetPingPeriod(), 12800);
}

TEST_F(ConfigPage, UnsavedChangesAreMarkedAndNewOrReadAsksFirst) {
  QTest::mouseClick(tab->Btn_ReadConf, Qt::LeftButton);
  tab->SE_CPanID->setValue(42);
  EXPECT_EQ(tab->SE_CPanID->toolTip().toStdString(), "изменено, ещё не записано");
  std::vector<QString> asked;
  bool answer = false;
  tab->Ask = [&](const QString &q) {
    asked.push_back(q);
    return answer;
  };
  QTest::mouseClick(tab->Btn_NewConf, Qt::LeftButton);
  QTest::mouseClick(tab->Btn_ReadConf, Qt::LeftButton);
  EXPECT_EQ(asked.size(), 2u);
  EXPECT_EQ(tab->SE_CPanID->value(), 42) << "refused: the edits stay";
  answer = true;
  QTest::mouseClick(tab->Btn_ReadConf, Qt::LeftButton);
  EXPECT_NE(tab->SE_CPanID->value(), 42);
  EXPECT_TRUE(tab->SE_CPanID->toolTip().isEmpty());
}

// A write stopped halfway says the modem may now hold a mix, and offers to
// write again; the second write completes it.
TEST_F(ConfigPage, AStoppedWriteWarnsAndOffersToWriteAgain) {
  QTest::mouseClick(tab->Btn_ReadConf, Qt::LeftButton);
  tab->E_CNodeName->setText(QString(40, QChar('N')));  // an image of several blocks
  sim::Faults slow;
  slow.delayMs = 150;
  form->Simulator()->SetFaults(slow);
  form->DirectNode->SetTimeOutMs(1000);
  std::vector<QString> asked;
  tab->Ask = [&](const QString &q) {
    asked.push_back(q);
    form->Simulator()->SetFaults(sim::Faults{});
    return asked.size() == 1;  // write again once
  };
  QTimer::singleShot(400, [&] { QTest::mouseClick(form->Button4, Qt::LeftButton); });
  QTest::mouseClick(tab->Btn_WriteConf, Qt::LeftButton);
  ASSERT_EQ(asked.size(), 1u);
  EXPECT_TRUE(asked[0].contains(QStringLiteral("смесь старых и новых настроек"))) << asked[0].toStdString();
  std::shared_ptr<config::IZTConfig> back;
  ASSERT_TRUE(form->DirectNode->ReadConfig(back));
  EXPECT_EQ(back->GetUserSettings()->GetNodeName(), std::string(40, 'N'));
  EXPECT_FALSE(tab->L_ConfigStatus->isVisibleTo(tab));
}

TEST_F(ConfigPage, AFileSavedFromTheFormLoadsBackAndIsWrittenAsShown) {
  const QString path = QString::fromStdString(testing::TempDir() + "config_tab_test.conf");
  tab->ChooseFile = [&](bool) { return path; };
  QTest::mouseClick(tab->Btn_ReadConf, Qt::LeftButton);
  tab->SE_CPanID->setValue(77);  // saved although never written
  tab->CB_CBaudRate->setCurrentIndex(2);
  QTest::mouseClick(tab->Btn_SaveConf, Qt::LeftButton);
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  const std::string text = saved.readAll().toStdString();
  EXPECT_NE(text.find("net.net-id=77\n"), std::string::npos) << text;
  EXPECT_NE(text.find("uart.speed=57600\n"), std::string::npos) << text;

  QTest::mouseClick(tab->Btn_NewConf, Qt::LeftButton);
  QTest::mouseClick(tab->Btn_LoadConf, Qt::LeftButton);
  EXPECT_EQ(tab->SE_CPanID->value(), 77);
  EXPECT_EQ(tab->CB_CBaudRate->currentIndex(), 2);
  EXPECT_TRUE(tab->HasUnsavedChanges());  // loaded, not yet in the modem
  EXPECT_NE(tab->L_ConfigStatus->text().toStdString().find("Конфигурация загружена из"), std::string::npos);

  QTest::mouseClick(tab->Btn_WriteConf, Qt::LeftButton);
  EXPECT_FALSE(tab->HasUnsavedChanges());
  std::shared_ptr<config::IZTConfig> back;
  ASSERT_TRUE(form->DirectNode->ReadConfig(back));
  EXPECT_EQ(back->GetZTNETSettings()->GetNetId(), 77);
  EXPECT_EQ(back->GetUartSettings()->GetBaudRateIndex(), 2);
  QFile::remove(path);
}

TEST_F(ConfigPage, AFileThatCannotBeLoadedLeavesTheFormAsItWas) {
  const QString path = QString::fromStdString(testing::TempDir() + "config_tab_bad.conf");
  tab->ChooseFile = [&](bool) { return path; };
  QTest::mouseClick(tab->Btn_ReadConf, Qt::LeftButton);
  tab->E_CNodeName->setText(QStringLiteral("Ввод 2"));
  for (const char *content : {"net.net-id=5\nnet.net-id=300\n", "ptp.route=1-x-2\n"}) {
    QFile bad(path);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write(content);
    bad.close();
    QTest::mouseClick(tab->Btn_LoadConf, Qt::LeftButton);
    EXPECT_EQ(tab->E_CNodeName->text(), QStringLiteral("Ввод 2")) << content;
    EXPECT_NE(tab->SE_CPanID->value(), 5) << content;
    EXPECT_NE(tab->L_ConfigStatus->text().toStdString().find("не загружена"), std::string::npos)
        << tab->L_ConfigStatus->text().toStdString();
  }
  // A folder is refused before anything is read.
  tab->ChooseFile = [](bool) { return QString::fromStdString(testing::TempDir()); };
  QTest::mouseClick(tab->Btn_LoadConf, Qt::LeftButton);
  EXPECT_NE(tab->L_ConfigStatus->text().toStdString().find("это папка"), std::string::npos);
  QFile::remove(path);
}
