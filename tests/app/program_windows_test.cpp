// The memory dump window as the program wires it, driven as an engineer does
// on the built-in simulated modem: opened from the commands page and from the
// menu, beside a live main window, bound to the node chosen on "Наст".
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "app/form1.h"
#include "app/program_windows.h"
#include "sim/pty_server.h"
#include "sim/sim_modem.h"
#include "ui/widgets/hex_view.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/spin_edit.h"
#include "util/ini_file.h"

namespace {

struct DumpInTheProgram : testing::Test {
  void SetUp() override {
    settings = (std::filesystem::temp_directory_path() / "vovor_test_dump_e2e.settings").string();
    std::filesystem::remove(settings);
    std::filesystem::remove(settings + "3");
    TForm1::Options options;
    options.settingsPath = settings;
    options.startSimulated = true;
    form = std::make_unique<TForm1>(options);
    windows = std::make_unique<TProgramWindows>(*form, settings);
    form->show();
  }
  void TearDown() override {
    windows.reset();
    form.reset();
    std::filesystem::remove(settings);
    std::filesystem::remove(settings + "2");
    std::filesystem::remove(settings + "3");
  }
  TDumpForm &Dump() { return windows->dump; }
  // Chooses a memory and a range in the window and clicks "Read".
  void Read(int memType, bool all, int address = 0, int size = 0) {
    Dump().CB_MemType->setCurrentIndex(memType);
    if (Dump().AllCheckBox->isEnabled() && Dump().AllCheckBox->isChecked() != all)
      QTest::mouseClick(Dump().AllCheckBox, Qt::LeftButton);
    Dump().AddrRxSpinEdit->setValue(address);
    Dump().SizeRxSpinEdit->setValue(size);
    QTest::mouseClick(Dump().ReadButton, Qt::LeftButton);
  }
  sim::MemoryState DirectMemory() {
    sim::MemoryState m;
    form->Simulator()->WithModem([&](sim::SimModem &s) { m = s.State().memory; });
    return m;
  }
  std::string Status() { return Dump().StatusLabel->text().toStdString(); }
  std::string Shown() { return Dump().DumpHexEditorEx->Model().AllBytes(); }

  std::string settings;
  std::unique_ptr<TForm1> form;
  std::unique_ptr<TProgramWindows> windows;
};

}  // namespace

TEST_F(DumpInTheProgram, OpenedFromTheCommandsPageReadsBesideALiveMainWindow) {
  EXPECT_FALSE(Dump().isVisible());
  form->ServicePagesAction->trigger();
  auto *memoryMap = form->findChild<QPushButton *>("Button46");
  ASSERT_NE(memoryMap, nullptr);
  QTest::mouseClick(memoryMap, Qt::LeftButton);
  ASSERT_TRUE(Dump().isVisible());
  EXPECT_EQ(Dump().Device(), form->DirectNode.get());
  // A window of its own: the main window stays usable.
  EXPECT_FALSE(Dump().isModal());
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
  EXPECT_TRUE(form->isEnabled());

  Read(5, false, 0x100, 0x40);
  EXPECT_EQ(Dump().DumpHexEditorEx->Model().FirstByte(), 0x100u);
  EXPECT_EQ(Shown(), DirectMemory().config.substr(0x100, 0x40));
  EXPECT_EQ(Status().rfind("Прочитано байт: 64", 0), 0u) << Status();

  // The window keeps its own settings file beside the main one.
  Dump().close();
  util::OrderedIni ini;
  ASSERT_TRUE(ini.Load(settings + "3"));
  EXPECT_EQ(ini.Get("DumpForm", "CB_MemType_ItemIndex"), std::optional<std::string>("5"));
  EXPECT_EQ(ini.Get("DumpForm", "AddrRxSpinEdit_Value"), std::optional<std::string>("256"));
}

TEST_F(DumpInTheProgram, TheMenuBindsItToTheRemoteNodeChosenNow) {
  form->MemoryDumpAction->trigger();
  EXPECT_EQ(Dump().Device(), form->DirectNode.get());
  form->Simulator()->WithModem([](sim::SimModem &m) {
    m.GetMesh().ClearNodes();
    m.GetMesh().AddNode(291, 0).pendingPolls = 0;
  });
  form->RG_NodeAccess->SetItemIndex(1);
  form->RG_NodeAccessClick();
  form->SE_RemoteNodeAddr->setValue(291);
  form->MemoryDumpAction->trigger();
  ASSERT_EQ(Dump().Device(), form->RemoteNode.get());
  Read(2, false, 0x10, 0x20);
  sim::MemoryState remote;
  form->Simulator()->WithModem([&](sim::SimModem &m) { remote = m.GetMesh().FindNode(291)->state.memory; });
  EXPECT_EQ(Shown(), remote.nodeTable.substr(0x10, 0x20)) << Status();
}

// The main window's "&Stop" ends a long read; while it runs both windows
// show how far it got.
TEST_F(DumpInTheProgram, LongReadShowsProgressInBothWindowsAndStops) {
  form->MemoryDumpAction->trigger();
  sim::Faults slow;
  slow.baud = 9600;
  form->Simulator()->SetFaults(slow);
  int barWhileReading = -1;
  bool mainBarShown = false;
  QTimer::singleShot(500, form.get(), [&] {
    barWhileReading = Dump().ReadProgress->value();
    mainBarShown = form->StatusProgress->isVisible();
    QTest::mouseClick(form->Button4, Qt::LeftButton);
  });
  Read(6, false, 0, 0x800);
  EXPECT_GT(barWhileReading, 0);
  EXPECT_LT(barWhileReading, 0x800);
  EXPECT_TRUE(mainBarShown);
  EXPECT_FALSE(form->StatusProgress->isVisible());
  EXPECT_EQ(Status(), "Чтение остановлено");
  EXPECT_TRUE(Dump().ReadButton->isEnabled());
}

// Erasing asks in a message box; "No" leaves the modem's bytes alone.
TEST_F(DumpInTheProgram, EraseAsksInAMessageBoxFirst) {
  form->MemoryDumpAction->trigger();
  const std::string before = DirectMemory().workParams;
  Dump().CB_MemType->setCurrentIndex(3);
  QString question;
  QTimer::singleShot(200, form.get(), [&] {
    auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
    if (!box) return;
    question = box->text();
    box->button(QMessageBox::No)->click();
  });
  QTest::mouseClick(Dump().Button1, Qt::LeftButton);
  EXPECT_EQ(question.toStdString(),
            "Стереть «WorkParams» — прямой узел (адрес 255)?\r\nВсё, что там записано, будет потеряно.");
  EXPECT_EQ(DirectMemory().workParams, before);
}
