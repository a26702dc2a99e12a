// The page "Регистры" driven as a user would, on a page host of its own,
// against the simulated modem on a pseudo-terminal.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "sim/sim_modem.h"
#include "support/sim_fixture.h"
#include "ui/form_fixture.h"
#include "ui/main/registers_tab.h"
#include "ui/support/fake_page_host.h"
#include "ui/widgets/spin_edit.h"

namespace {

struct RegistersPage : testing_support::SimLineTest {
  testing_support::FakePageHost host;
  TRegistersTab *tab = nullptr;  // owned by its sheet
  std::vector<std::string> sent;
  QString chosenFile;
  std::vector<QString> confirmations;
  bool confirmAnswer = true;

  void SetUp() override {
    SimLineTest::SetUp();
    host.node = &node;
    QWidget *sheet = host.Sheet("Регистры");
    tab = new TRegistersTab(host, sheet);
    sheet->resize(900, 600);
    sheet->show();  // double-clicks land on rows that are on screen
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));
    tab->ChooseFile = [this](TRegistersTab::FileDialog) { return chosenFile; };
    tab->Confirm = [this](const QString &question, const QString &details) {
      confirmations.push_back(question + "\n" + details);
      return confirmAnswer;
    };
    node.OnSendPacket = [this](device::TCustomDevice &, const std::string &, const std::string &command) {
      sent.push_back(command);
    };
  }
  void TearDown() override {
    node.OnSendPacket = nullptr;
    SimLineTest::TearDown();
  }

  void SetSimRegister(uint8_t address, uint8_t value) {
    server.WithModem([&](sim::SimModem &m) { m.State().registers.Set(address, value); });
  }
  uint8_t SimRegister(uint8_t address) {
    uint8_t value = 0;
    server.WithModem([&](sim::SimModem &m) { value = m.State().registers.Get(address); });
    return value;
  }
  std::string Cell(int row, int column) {
    return tab->VST1->model()->index(row, column).data().toString().toStdString();
  }
  bool Bold(int row) {
    return tab->VST1->model()->index(row, 0).data(Qt::FontRole).value<QFont>().bold();
  }
  std::vector<int> BoldRows() {
    std::vector<int> rows;
    for (int r = 0; r < modem::kRegisterRowCount; ++r)
      if (Bold(r)) rows.push_back(r);
    return rows;
  }
  void Click(QPushButton *b) { QTest::mouseClick(b, Qt::LeftButton); }
  QPushButton *Strobe(const char *caption) {
    for (auto *b : tab->StrobeButtons)
      if (b->text() == caption) return b;
    return nullptr;
  }
  void DoubleClickRow(int row) {
    auto *view = tab->VST1;
    view->scrollTo(view->model()->index(row, 0));
    const QRect cell = view->visualRect(view->model()->index(row, 1));
    // A double-click follows the first click of the pair, as a user's does.
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, cell.center());
  }
  std::string Status() { return tab->L_RegStatus->text().toStdString(); }
  std::string Compare() { return tab->L_RegCompare->text().toStdString(); }
  std::filesystem::path TempFile(const std::string &name) {
    return std::filesystem::temp_directory_path() / ("vovor_registers_tab_" + name);
  }
};

std::string ReadText(const std::filesystem::path &path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

TEST_F(RegistersPage, TableLayoutBeforeAnyRead) {
  auto *model = tab->VST1->model();
  ASSERT_EQ(model->rowCount(), 60);
  const char *captions[] = {"Register", "Hex", "Dec", "b.0", "b.1", "b.2", "b.3", "b.4", "b.5", "b.6", "b.7", "Comment"};
  for (int c = 0; c < 12; ++c)
    EXPECT_EQ(model->headerData(c, Qt::Horizontal).toString().toStdString(), captions[c]) << c;
  EXPECT_EQ(tab->VST1->columnWidth(0), 150);
  EXPECT_EQ(tab->VST1->columnWidth(3), 30);
  EXPECT_GE(tab->VST1->columnWidth(11), 250);  // wider when the font needs it
  EXPECT_EQ(Cell(47, 0), "(0x2F) __Not used");
  EXPECT_EQ(Cell(5, 1), "0x00");  // nothing is read by itself
  EXPECT_EQ(model->index(1, 4).data(Qt::BackgroundRole).value<QBrush>().color(), QColor(231, 243, 228));
  EXPECT_EQ(model->index(2, 4).data(Qt::BackgroundRole).value<QBrush>().style(), Qt::NoBrush);
  EXPECT_TRUE(sent.empty());
  const char *strobes[] = {"SRES", "FSTXON", "XOFF", "CAL", "RX", "TX", "IDLE",
                           "AFC",  "WOR",    "PWD",  "FRX", "FTX", "WORRST", "NOP"};
  for (int i = 0; i < 14; ++i) EXPECT_EQ(tab->StrobeButtons[i]->text().toStdString(), strobes[i]);
}

TEST_F(RegistersPage, ReadShowsTheModemsRegistersAndRxBytesOnlyAfterADoubleClick) {
  SetSimRegister(0x0D, 0x5B);
  SetSimRegister(0x0E, 0xA0);
  SetSimRegister(0x0F, 0x00);
  SetSimRegister(0x34, 0x80);
  SetSimRegister(0x38, 0x91);
  SetSimRegister(0x3B, 0x07);
  Click(tab->Button6);
  EXPECT_EQ(sent, (std::vector<std::string>{"EB010020", "EB01201B"}));
  EXPECT_EQ(Cell(0x0D, 1), "0x5B");
  EXPECT_EQ(Cell(0x0D, 2), "91");
  const char *bits = "11011010";  // 0x5B from b.0 to b.7
  for (int k = 0; k < 8; ++k) EXPECT_EQ(Cell(0x0D, 3 + k), std::string(1, bits[k]));
  EXPECT_EQ(Cell(0x0F, 11), "Base freq: 2401308 kHz");
  EXPECT_EQ(Cell(0x34, 11), "RSSI: -136 dbm");
  EXPECT_EQ(Cell(0x35, 11), "RX");
  EXPECT_EQ(Cell(0x38, 11), "GDO0 CCA bit7 ");
  EXPECT_EQ(Cell(0x3B, 1), "0x00");  // not part of the bulk read

  sent.clear();
  DoubleClickRow(0x3B);
  EXPECT_EQ(sent, (std::vector<std::string>{"EB013B01"}));
  EXPECT_EQ(Cell(0x3B, 1), "0x07");
  EXPECT_TRUE(Bold(0x3B));
}

TEST_F(RegistersPage, RowsAChangeTouchedTurnBold) {
  Click(tab->Button6);
  Click(tab->Button6);
  EXPECT_TRUE(BoldRows().empty());

  Click(Strobe("IDLE"));
  EXPECT_EQ(sent.back(), "1B0336");
  Click(tab->Button6);
  EXPECT_EQ(Cell(0x35, 11), "IDLE");
  EXPECT_EQ(BoldRows(), (std::vector<int>{0x35}));

  // Focus a row: its value goes to the editor; "Write register" writes it there.
  tab->VST1->setCurrentIndex(tab->VST1->model()->index(0x0C, 0));
  EXPECT_EQ(tab->SE_RegValue->value(), 0);
  tab->SE_RegValue->setValue(0x80);
  Click(tab->Button3);
  EXPECT_EQ(sent.back(), "1B020C80");
  EXPECT_EQ(SimRegister(0x0C), 0x80);
  EXPECT_EQ(Cell(0x0C, 1), "0x00");  // the table waits for the next read
  Click(tab->Button6);
  EXPECT_EQ(Cell(0x0C, 11), "Freq offset: -204 kHz");
  EXPECT_EQ(BoldRows(), (std::vector<int>{0x0C}));  // MARCSTATE stayed IDLE: no longer bold
}

TEST_F(RegistersPage, WriteBeforeAnyRowWasFocusedSendsNothing) {
  tab->VST1->setFocus(Qt::TabFocusReason);  // tabbing into the table picks no row
  tab->SE_RegValue->setValue(5);
  Click(tab->Button3);
  EXPECT_TRUE(sent.empty());
  EXPECT_EQ(tab->Page().Selected(), -1);
}

TEST_F(RegistersPage, FailedReadsLeaveZerosAndSayWhatToDo) {
  Click(tab->Button6);
  ASSERT_EQ(Cell(0x35, 1), "0x0D");

  // The first read fails: everything is zero, every non-zero row bold, the second read skipped.
  sim::Faults refuse;
  refuse.statusOverride = 4;
  SetFaults(refuse);
  sent.clear();
  Click(tab->Button6);
  EXPECT_EQ(sent.size(), 1u);
  EXPECT_EQ(Cell(0x35, 1), "0x00");
  EXPECT_EQ(Cell(0x00, 1), "0x00");
  EXPECT_TRUE(Bold(0x00));
  EXPECT_FALSE(Bold(0x09));  // ADDR is 0 either way
  EXPECT_NE(Status().find("Регистры не прочитаны: "), std::string::npos) << Status();
  EXPECT_NE(Status().find("прочитайте регистры ещё раз"), std::string::npos) << Status();

  // The second read fails: rows 0x20 and up stay zero.
  SetFaults({});
  int attempts = 0;
  node.OnBeforeExecute = [&](device::TCustomDevice &, uint8_t) {
    if (++attempts == 2) SetFaults(refuse);
    return true;
  };
  Click(tab->Button6);
  node.OnBeforeExecute = nullptr;
  SetFaults({});
  EXPECT_EQ(Cell(0x1F, 1), "0x6B");
  EXPECT_EQ(Cell(0x20, 1), "0x00");
  EXPECT_EQ(Cell(0x35, 1), "0x00");
  EXPECT_NE(Status().find("Прочитаны только регистры 0x00..0x1F"), std::string::npos) << Status();

  // A failed single re-read sets its row to zero.
  Click(tab->Button6);
  ASSERT_EQ(Cell(0x35, 1), "0x0D");
  SetFaults(refuse);
  DoubleClickRow(0x35);
  EXPECT_EQ(Cell(0x35, 1), "0x00");
  EXPECT_TRUE(Bold(0x35));
  EXPECT_NE(Status().find("(0x35) MARCSTATE не прочитан"), std::string::npos) << Status();
}

TEST_F(RegistersPage, ComparisonWithDefaultsAndWithASavedFile) {
  Click(tab->Button6);
  tab->CB_RegReference->setCurrentIndex(1);  // power-on defaults
  EXPECT_EQ(Compare(), "Сравнение со значениями после сброса: все 47 совпадают");

  SetSimRegister(0x0D, 0x5D);
  Click(tab->Button6);
  EXPECT_EQ(Compare(), "Сравнение со значениями после сброса: отличаются 1 из 47");
  EXPECT_EQ(Cell(0x0D, 12), "0x5E");
  EXPECT_EQ(Cell(0x0E, 12), "");

  // Save, change the modem, load the file: the file is the reference.
  const auto path = TempFile("saved.txt");
  chosenFile = QString::fromStdString(path.string());
  Click(tab->Btn_RegSave);
  const std::string saved = ReadText(path);
  EXPECT_NE(saved.find("0x0D FREQ2      0x5D\n"), std::string::npos) << saved;
  EXPECT_EQ(saved.find("RXBYTES"), std::string::npos);  // never read, so not saved

  SetSimRegister(0x0D, 0x5C);
  SetSimRegister(0x03, 0x0F);
  Click(tab->Button6);
  Click(tab->Btn_RegLoad);
  EXPECT_EQ(tab->CB_RegReference->currentIndex(), 2);
  EXPECT_EQ(Compare(), "Сравнение с файлом «vovor_registers_tab_saved.txt»: отличаются 2 из 59");

  // Writing it back asks first, with the list; "No" writes nothing.
  confirmAnswer = false;
  sent.clear();
  Click(tab->Btn_RegWriteFile);
  ASSERT_EQ(confirmations.size(), 1u);
  EXPECT_NE(confirmations[0].toStdString().find("(0x03) FIFOTHR: 0x0F → 0x07\n(0x0D) FREQ2: 0x5C → 0x5D"),
            std::string::npos)
      << confirmations[0].toStdString();
  EXPECT_EQ(sent, (std::vector<std::string>{"EB010020", "EB01201B"}));
  EXPECT_EQ(SimRegister(0x0D), 0x5C);

  confirmAnswer = true;
  sent.clear();
  Click(tab->Btn_RegWriteFile);
  EXPECT_EQ(sent, (std::vector<std::string>{"EB010020", "EB01201B", "1B020307", "1B020D5D", "EB010020", "EB01201B"}));
  EXPECT_EQ(SimRegister(0x0D), 0x5D);
  EXPECT_EQ(SimRegister(0x03), 0x07);
  EXPECT_EQ(Status(), "Записано регистров: 2; проверка чтением: все совпадают.");
  EXPECT_EQ(Compare(), "Сравнение с файлом «vovor_registers_tab_saved.txt»: все 59 совпадают");
  EXPECT_EQ(host.progress.back(), " 0/0");
  std::filesystem::remove(path);
}

TEST_F(RegistersPage, AMalformedFileIsRefusedAndTheReferenceKept) {
  const auto path = TempFile("bad.txt");
  std::ofstream(path) << "0x00 IOCFG2 0x29\n0x0D FREQ1 0x5B\n";
  chosenFile = QString::fromStdString(path.string());
  Click(tab->Btn_RegLoad);
  EXPECT_EQ(Status(),
            "Файл vovor_registers_tab_bad.txt не загружен: строка 2: по адресу 0x0D регистр FREQ2, а не «FREQ1». "
            "Исправьте файл и загрузите его снова.");
  EXPECT_FALSE(tab->Page().HasFile());
  EXPECT_FALSE(tab->Btn_RegWriteFile->isEnabled());
  std::filesystem::remove(path);
}

TEST_F(RegistersPage, WritingAFileStopsAtTheFirstRefusalAndSaysSo) {
  Click(tab->Button6);
  const auto path = TempFile("two.txt");
  std::ofstream(path) << "0x03 FIFOTHR 0x0F\n0x0D FREQ2 0x5D\n";
  chosenFile = QString::fromStdString(path.string());
  Click(tab->Btn_RegLoad);
  // The transceiver switched off: the modem refuses register writes.
  server.WithModem([](sim::SimModem &m) { m.State().transceiverOn = false; });
  Click(tab->Btn_RegWriteFile);
  EXPECT_EQ(Status().rfind("Запись прервана на регистре (0x03) FIFOTHR: записано 0 из 2. ", 0), 0u) << Status();
  EXPECT_EQ(SimRegister(0x0D), 0x5E);
  std::filesystem::remove(path);
}

TEST_F(RegistersPage, ControlsAreFoundByTheirNames) {
  for (const char *name : {"Read registers", "Write register", "Сохранить…", "Загрузить…", "Экспорт в C…",
                           "Записать файл в модем…", "RX", "WORRST"}) {
    bool found = false;
    for (auto *b : host.Sheet("Регистры")->findChildren<QPushButton *>()) found |= b->text() == name;
    EXPECT_TRUE(found) << name;
  }
  EXPECT_EQ(tab->SE_RegValue->accessibleName().toStdString(), "Значение регистра");
  EXPECT_EQ(tab->VST1->accessibleName().toStdString(), "Регистры");
}

TEST(RegistersPageInTheWindow, ReadsTheWindowsCurrentNodeAndLogsIt) {
  auto form = testing_support::MakeSimulatedForm("registers_tab_test");
  auto *tab = form->FindPage<TRegistersTab>();
  ASSERT_NE(tab, nullptr);
  QTest::mouseClick(tab->Button6, Qt::LeftButton);
  EXPECT_EQ(tab->VST1->model()->index(0x35, 11).data().toString().toStdString(), "RX");
  const auto rows = testing_support::LogRowsWithResults(*form);
  ASSERT_GE(rows.size(), 2u);
  EXPECT_NE(rows[rows.size() - 2].find("Чтение регистров (0x00 - 0x1F) | OK"), std::string::npos) << rows[rows.size() - 2];
  EXPECT_NE(rows.back().find("Чтение регистров (0x20 - 0x3A) | OK"), std::string::npos) << rows.back();
}

TEST_F(RegistersPage, SaveAndExportNeedARead) {
  const auto path = TempFile("export.h");
  std::filesystem::remove(path);
  chosenFile = QString::fromStdString(path.string());
  Click(tab->Btn_RegExport);
  EXPECT_EQ(Status(), "Экспортировать нечего: сначала прочитайте регистры 0x00..0x2E.");
  Click(tab->Btn_RegSave);
  EXPECT_EQ(Status(), "Сохранять нечего: сначала прочитайте регистры.");
  EXPECT_FALSE(std::filesystem::exists(path));

  SetSimRegister(0x0D, 0x5B);
  Click(tab->Button6);
  Click(tab->Btn_RegExport);
  const std::string header = ReadText(path);
  EXPECT_NE(header.find("#define VOVOR_FREQ2      0x5B  /* address 0x0D */\n"), std::string::npos) << header;
  EXPECT_EQ(header.find("MARCSTATE"), std::string::npos);
  std::filesystem::remove(path);
}
