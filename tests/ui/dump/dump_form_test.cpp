// The memory dump window driven as a user drives it, against the simulated
// modem on a pseudo-terminal: every row of the read table, the offsets,
// saving and comparing, erasing, a remote node, progress and Stop, settings.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QAccessible>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/gui_device_waiter.h"
#include "modem/remote_node.h"
#include "sim/sim_modem.h"
#include "support/sim_fixture.h"
#include "ui/dump/dump_form.h"
#include "ui/support/fake_page_host.h"
#include "ui/widgets/hex_view.h"
#include "ui/widgets/spin_edit.h"
#include "util/dump_file.h"
#include "util/tick.h"

using ui::hexview::TOffsetFormat;

namespace {

std::string TempPath(const std::string &name) {
  return (std::filesystem::temp_directory_path() / ("vovor_dump_" + std::to_string(getpid()) + "_" + name)).string();
}

std::string FileBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

class DumpWindow : public testing_support::SimLineTest {
 protected:
  void SetUp() override {
    SimLineTest::SetUp();
    host.node = &node;
    form = std::make_unique<TDumpForm>(host, "");
    form->ShowForCurrentNode();
    node.OnSendPacket = [this](device::TCustomDevice &, const std::string &, const std::string &command) {
      sent.push_back(command);
    };
  }
  void TearDown() override {
    form.reset();
    SimLineTest::TearDown();
  }
  // Chooses a memory and a range as a user does, then clicks "Read".
  void Read(int memType, bool all, int address = 0, int size = 0) {
    form->CB_MemType->setCurrentIndex(memType);
    if (form->AllCheckBox->isEnabled() && form->AllCheckBox->isChecked() != all)
      QTest::mouseClick(form->AllCheckBox, Qt::LeftButton);
    form->AddrRxSpinEdit->setValue(address);
    form->SizeRxSpinEdit->setValue(size);
    sent.clear();
    QTest::mouseClick(form->ReadButton, Qt::LeftButton);
  }
  sim::MemoryState Memories() {
    sim::MemoryState m;
    server.WithModem([&](sim::SimModem &s) {
      m = s.State().memory;
      m.nodeTable = s.NodeTable();  // the one it answers with follows the mesh
    });
    return m;
  }
  const ui::hexview::THexByteModel &View() { return form->DumpHexEditorEx->Model(); }
  std::string Status() { return form->StatusLabel->text().toStdString(); }

  testing_support::FakePageHost host;
  std::unique_ptr<TDumpForm> form;
  std::vector<std::string> sent;
};

TEST_F(DumpWindow, ControlsTheirDefaultsAndTheirUpdate) {
  EXPECT_EQ(form->windowTitle(), QStringLiteral("Память"));
  EXPECT_GE(form->width(), 681);
  EXPECT_EQ(form->height(), 371);
  // A whole row shows, whatever fixed-pitch font stands in.
  form->show();
  EXPECT_EQ(form->DumpHexEditorEx->horizontalScrollBar()->maximum(), 0);
  EXPECT_EQ(form->minimumSize(), QSize(640, 200));
  EXPECT_EQ(form->CB_MemType->count(), 9);
  EXPECT_EQ(form->CB_MemType->currentIndex(), 0);
  EXPECT_EQ(form->CB_MemType->itemText(8), QStringLiteral("Pure DataFlash"));
  EXPECT_EQ(form->SizeRxSpinEdit->value(), 0x80);
  EXPECT_EQ(form->AddrRxSpinEdit->singleStep(), 16);
  EXPECT_EQ(form->AddrRxSpinEdit->displayIntegerBase(), 16);
  // The used part of the configuration is always read whole.
  EXPECT_TRUE(form->AllCheckBox->isChecked());
  EXPECT_FALSE(form->AllCheckBox->isEnabled());
  EXPECT_FALSE(form->AddrRxSpinEdit->isEnabled());
  form->CB_MemType->setCurrentIndex(2);
  EXPECT_TRUE(form->AllCheckBox->isEnabled());
  QTest::mouseClick(form->AllCheckBox, Qt::LeftButton);
  EXPECT_FALSE(form->AllCheckBox->isChecked());
  EXPECT_TRUE(form->AddrRxSpinEdit->isEnabled());
  EXPECT_TRUE(form->SizeRxSpinEdit->isEnabled());
  form->CB_MemType->setCurrentIndex(0);
  EXPECT_TRUE(form->AllCheckBox->isChecked());
  EXPECT_FALSE(form->SizeRxSpinEdit->isEnabled());
  for (int k = 0; k < form->CB_MemType->count(); ++k) {
    form->CB_MemType->setCurrentIndex(k);
    EXPECT_EQ(form->Button1->isEnabled(), k == 3 || k == 7) << k;
  }
  // Every control is found by its caption or label.
  for (QWidget *w : std::initializer_list<QWidget *>{form->CB_MemType, form->ReadButton, form->SaveButton,
                                                     form->Button1, form->CompareButton, form->StopButton,
                                                     form->AddrRxSpinEdit, form->SizeRxSpinEdit, form->AllCheckBox,
                                                     form->DumpHexEditorEx, form->ReadProgress})
    EXPECT_FALSE(QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name).isEmpty())
        << w->objectName().toStdString();
  EXPECT_EQ(QAccessible::queryAccessibleInterface(form->AddrRxSpinEdit)->text(QAccessible::Name),
            QStringLiteral("Адрес"));
}

struct Row {
  const char *what;
  int memType;
  bool all;
  int address, size;
  std::vector<std::string> firstRequests;
  size_t requestCount;
  size_t viewFirst;  // the view offset of the first byte
  std::function<std::string(const sim::MemoryState &)> expected;
};

TEST_F(DumpWindow, EveryRowOfTheReadTable) {
  const Row rows[] = {
      {"used configuration", 0, true, 0, 0, {"4001000000000002", "4000000000000020"}, 0, 0,
       [](const sim::MemoryState &m) { return m.config.substr(0, m.configSize); }},
      {"full configuration: 14 requests of 32 and one of 28", 1, true, 0, 0, {"4000000000000020"}, 15, 0,
       [](const sim::MemoryState &m) { return m.config; }},
      {"configuration from 0x20", 1, false, 0x20, 0x40, {"4000002000000020", "4000004000000020"}, 2, 0x20,
       [](const sim::MemoryState &m) { return m.config.substr(0x20, 0x40); }},
      {"node table whole (its length follows the mesh)", 2, true, 0, 0, {"4004020000000004"}, 0, 0,
       [](const sim::MemoryState &m) { return m.nodeTable; }},
      {"node table from 0x10 at 0x10..0x2F", 2, false, 0x10, 0x20, {"4003001000000020"}, 1, 0x10,
       [](const sim::MemoryState &m) { return m.nodeTable.substr(0x10, 0x20); }},
      {"work parameters whole", 3, true, 0, 0, {"4032020000000002", "4031000000000018"}, 2, 0,
       [](const sim::MemoryState &m) { return m.workParams; }},
      {"work parameters at 0x110 read from 0x10 and shown there", 3, false, 0x110, 8, {"4031001000000008"}, 1, 0x10,
       [](const sim::MemoryState &m) { return m.workParams.substr(0x10, 8); }},
      {"production information sends nothing", 4, true, 0, 0, {}, 0, 0, nullptr},
      {"EEPROM whole", 5, true, 0, 0, {"4086020000000001"}, 65, 0,
       [](const sim::MemoryState &m) { return m.config; }},
      {"EEPROM from 0x200", 5, false, 0x200, 0x18, {"4085000002000018"}, 1, 0x200,
       [](const sim::MemoryState &m) { return m.workParams; }},
      {"RAM from 0x481, shown from 0", 6, false, 0x481, 0x81, {"4088008104000020"}, 5, 0,
       [](const sim::MemoryState &m) { return m.ram.substr(0x481, 0x81); }},
      {"FRAM from 0x100", 7, false, 0x100, 0x10, {"4090000001000010"}, 1, 0x100,
       [](const sim::MemoryState &m) { return m.fram.substr(0x100, 0x10); }},
      {"data flash sends nothing", 8, false, 0, 0x10, {}, 0, 0, nullptr},
  };
  for (const Row &row : rows) {
    SCOPED_TRACE(row.what);
    Read(row.memType, row.all, row.address, row.size);
    ASSERT_GE(sent.size(), row.firstRequests.size());
    for (size_t k = 0; k < row.firstRequests.size(); ++k) EXPECT_EQ(sent[k], row.firstRequests[k]) << k;
    if (row.requestCount) {
      EXPECT_EQ(sent.size(), row.requestCount);
    }
    if (!row.expected) {
      EXPECT_TRUE(sent.empty());
      EXPECT_EQ(View().Size(), 0u);
      EXPECT_NE(Status().find("не читается"), std::string::npos) << Status();
      continue;
    }
    const std::string want = row.expected(Memories());
    EXPECT_EQ(View().FirstByte(), row.viewFirst);
    EXPECT_EQ(View().AllBytes().substr(0, want.size()), want);
    EXPECT_EQ(Status().rfind("Прочитано байт: ", 0), 0u) << Status();
  }
}

TEST_F(DumpWindow, PartialReadLeavesCellsBeforeItsAddressEmpty) {
  Read(2, false, 0x10, 0x20);
  EXPECT_FALSE(View().HasByte(0x0F));
  EXPECT_TRUE(View().HasByte(0x10));
  EXPECT_TRUE(View().HasByte(0x2F));
  EXPECT_EQ(View().Size(), 0x30u);
  EXPECT_EQ(form->DumpHexEditorEx->OffsetFormat(), TOffsetFormat::HexFiveDigits());
  // Far from 0 the window opens at the row of the first byte read, with no
  // "К концу" of a view that would follow new bytes.
  Read(5, false, 0x308, 0x40);
  EXPECT_FALSE(View().HasByte(0x307));
  const THexView &view = *form->DumpHexEditorEx;
  EXPECT_LE(view.TopRow(), 0x30u);
  EXPECT_LT(0x30u, view.TopRow() + view.VisibleRows());
  EXPECT_GT(view.TopRow(), 0u);
  EXPECT_TRUE(form->DumpHexEditorEx->ToEndButton()->isHidden());
  EXPECT_EQ(form->ReadProgress->text().toStdString(), "64 из 64 байт");
}

TEST_F(DumpWindow, RamOffsetFormFollowsTheMemoryOnShow) {
  Read(6, false, 0x481, 0x20);
  EXPECT_EQ(form->DumpHexEditorEx->OffsetFormat(), TOffsetFormat::StartAndOffset(0x481));
  Read(2, false, 0x10, 0x20);
  EXPECT_EQ(form->DumpHexEditorEx->OffsetFormat(), TOffsetFormat::HexFiveDigits());
}

TEST_F(DumpWindow, FailedReadEmptiesTheViewAndSaysWhatToDo) {
  Read(2, false, 0x10, 0x20);
  node.Transactions = 1;
  sim::Faults faults;
  faults.dropNextAnswers = 1;
  SetFaults(faults);
  Read(2, false, 0x10, 0x20);
  EXPECT_EQ(View().Size(), 0u);
  EXPECT_FALSE(form->SaveButton->isEnabled());
  EXPECT_EQ(Status(), "Чтение не удалось: " + node.ResultCode().Msg + ". Проверьте связь с модемом и повторите");
}

TEST_F(DumpWindow, FramWithoutItsSizeShowsOneByte) {
  node.Transactions = 1;
  sim::Faults faults;
  faults.dropNextAnswers = 1;
  SetFaults(faults);
  Read(7, true);
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[1], "4090000000000001");
  EXPECT_EQ(View().AllBytes(), Memories().fram.substr(0, 1));
}

TEST_F(DumpWindow, SaveProposesANameWithTheStartAndComparesLater) {
  Read(5, false, 0x100, 0x40);
  QString proposed;
  const std::string raw = TempPath("eeprom_0x0100.map"), hex = TempPath("eeprom.hex");
  form->AskSaveFileName = [&](const QString &p) {
    proposed = p;
    return QString::fromStdString(raw);
  };
  QTest::mouseClick(form->SaveButton, Qt::LeftButton);
  EXPECT_TRUE(proposed.endsWith("/eeprom_0x0100.map")) << proposed.toStdString();
  const std::string bytes = Memories().config.substr(0x100, 0x40);
  EXPECT_EQ(FileBytes(raw), bytes);  // the file starts at the address read
  form->AskSaveFileName = [&](const QString &) { return QString::fromStdString(hex); };
  QTest::mouseClick(form->SaveButton, Qt::LeftButton);
  EXPECT_EQ(FileBytes(hex), util::DumpFileText({0x100, bytes}, util::TDumpFormat::IntelHex));

  // The modem changes two bytes; a new read compared with each file marks them.
  server.WithModem([](sim::SimModem &m) {
    m.State().memory.config[0x105] ^= 0x5A;
    m.State().memory.config[0x106] ^= 0x5A;
  });
  Read(5, false, 0x100, 0x40);
  for (const std::string &file : {raw, hex}) {
    form->AskCompareFileName = [file](const QString &) { return QString::fromStdString(file); };
    QTest::mouseClick(form->CompareButton, Qt::LeftButton);
    EXPECT_EQ(Status(), "Различаются байт: 2 из 64; первый — по адресу 0x00105") << file;
    EXPECT_FALSE(View().IsChanged(0x104));
    EXPECT_TRUE(View().IsChanged(0x105));
    EXPECT_TRUE(View().IsChanged(0x106));
    EXPECT_FALSE(View().IsChanged(0x107));
  }
  std::ofstream(hex) << ":0100000003FD\n:00000001FF\n";
  form->AskCompareFileName = [&](const QString &) { return QString::fromStdString(hex); };
  QTest::mouseClick(form->CompareButton, Qt::LeftButton);
  EXPECT_EQ(Status(), "Файл " + hex + " не прочитан: строка 1 файла Intel HEX: неверная контрольная сумма");
  // A FIFO chosen by mistake is refused at once instead of waiting for a writer.
  std::filesystem::remove(hex);
  ASSERT_EQ(mkfifo(hex.c_str(), 0600), 0);
  QTest::mouseClick(form->CompareButton, Qt::LeftButton);
  EXPECT_EQ(Status(), "Файл " + hex + " не прочитан: это не обычный файл");
  std::filesystem::remove(raw);
  std::filesystem::remove(hex);
}

TEST_F(DumpWindow, EraseAsksFirstAndNamesTheMemoryAndTheNode) {
  Read(3, true);
  ASSERT_EQ(View().Size(), 24u);
  QString asked;
  form->Confirm = [&](const QString &q) {
    asked = q;
    return false;
  };
  sent.clear();
  QTest::mouseClick(form->Button1, Qt::LeftButton);
  EXPECT_EQ(asked.toStdString(),
            "Стереть «WorkParams» — прямой узел (адрес 255)?\r\nВсё, что там записано, будет потеряно.");
  EXPECT_TRUE(sent.empty());
  EXPECT_EQ(View().Size(), 24u);  // "No" keeps what is shown

  form->Confirm = [](const QString &) { return true; };
  QTest::mouseClick(form->Button1, Qt::LeftButton);
  EXPECT_EQ(sent, std::vector<std::string>{"4031030000000001"});
  EXPECT_EQ(View().Size(), 0u);
  EXPECT_EQ(Status(), "Стирание «WorkParams» выполнено");
  EXPECT_EQ(Memories().workParams, std::string(24, '\xFF'));

  // Memories that cannot be erased: the button is off, and nothing happens.
  Read(2, false, 0x10, 0x20);
  sent.clear();
  form->Button1Click();
  EXPECT_TRUE(sent.empty());
  EXPECT_EQ(View().Size(), 0x30u);
}

TEST_F(DumpWindow, ReadsARemoteNodeBoundOnShow) {
  modem::ZIZ2400_RemoteNode remote;
  remote.SetDirectNode(&node);
  remote.SetRemoteAddress(2);
  remote.SetDeviceId(255);
  server.WithModem([](sim::SimModem &m) { m.GetMesh().FindNode(2)->pendingPolls = 0; });
  host.node = &remote;
  form->ShowForCurrentNode();
  EXPECT_EQ(form->Device(), &remote);
  Read(2, false, 0x10, 0x20);
  sim::MemoryState remoteMemory;
  server.WithModem([&](sim::SimModem &m) { remoteMemory = m.GetMesh().FindNode(2)->state.memory; });
  EXPECT_EQ(View().FirstByte(), 0x10u);
  EXPECT_EQ(View().AllBytes(), remoteMemory.nodeTable.substr(0x10, 0x20));
  form->Confirm = [](const QString &q) {
    EXPECT_NE(q.toStdString().find("удалённый узел 2"), std::string::npos);
    return false;
  };
  form->CB_MemType->setCurrentIndex(7);
  QTest::mouseClick(form->Button1, Qt::LeftButton);
  host.node = &node;
  form->ShowForCurrentNode();
}

TEST_F(DumpWindow, LongReadShowsProgressAndStops) {
  auto waiter = std::make_shared<GuiDeviceWaiter>();
  node.SetWaiter(waiter);
  sim::Faults faults;
  faults.baud = 9600;
  SetFaults(faults);
  std::vector<std::pair<int, int>> seen;  // progress bar value and maximum while reading
  std::string statusWhileReading;
  QTimer::singleShot(400, form.get(), [&] {
    seen.emplace_back(form->ReadProgress->value(), form->ReadProgress->maximum());
    statusWhileReading = Status();
    EXPECT_TRUE(form->Reading());
    EXPECT_TRUE(form->StopButton->isEnabled());
    EXPECT_FALSE(form->ReadButton->isEnabled());
    QTest::mouseClick(form->StopButton, Qt::LeftButton);
  });
  const uint32_t start = util::TickMs();
  Read(6, false, 0, 0x800);  // 2 KiB of RAM: over two seconds at 9600 baud
  EXPECT_LT(util::TicksSince(start), 2000u);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0].second, 0x800);
  EXPECT_GT(seen[0].first, 0);
  EXPECT_LT(seen[0].first, 0x800);
  EXPECT_EQ(statusWhileReading, "Прочитано байт: " + std::to_string(seen[0].first) + " из 2048");
  EXPECT_FALSE(host.progress.empty());
  EXPECT_EQ(Status(), "Чтение остановлено");
  EXPECT_EQ(View().Size(), 0u);
  EXPECT_FALSE(form->Reading());
  EXPECT_TRUE(form->ReadButton->isEnabled());
  node.SetWaiter(nullptr);
}

TEST_F(DumpWindow, SettingsKeepTheFiveValuesAfterThePlacement) {
  const std::string path = TempPath("dump.settings3");
  std::filesystem::remove(path);
  {
    TDumpForm first(host, path);
    first.CB_MemType->setCurrentIndex(5);
    first.AllCheckBox->setChecked(false);
    first.AddrRxSpinEdit->setValue(0x120);
    first.SizeRxSpinEdit->setValue(0x40);
    first.SaveDialogInitialDir = "/tmp";
  }
  const std::string text = FileBytes(path);
  EXPECT_EQ(text.rfind("[DumpForm]\nFormVersion=0\nFlags=0\nShowCmd=1\n", 0), 0u) << text;
  EXPECT_NE(text.find("\nVisible=1\nAddrRxSpinEdit_Value=288\nSizeRxSpinEdit_Value=64\nAllCheckBox_Checked=False\n"
                      "CB_MemType_ItemIndex=5\nSaveDialog_InitialDir=/tmp\n"),
            std::string::npos)
      << text;
  TDumpForm second(host, path);
  EXPECT_EQ(second.CB_MemType->currentIndex(), 5);
  EXPECT_FALSE(second.AllCheckBox->isChecked());
  EXPECT_TRUE(second.AddrRxSpinEdit->isEnabled());
  EXPECT_EQ(second.AddrRxSpinEdit->value(), 0x120);
  EXPECT_EQ(second.SizeRxSpinEdit->value(), 0x40);
  EXPECT_EQ(second.SaveDialogInitialDir, QStringLiteral("/tmp"));
  std::filesystem::remove(path);
}

}  // namespace
