// The main window's shell, driven as a user would, on the built-in simulated modem.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "app/form1.h"
#include "app/port_choices.h"
#include "config/zt_config.h"
#include "modem/frame_codec.h"
#include "sim/pty_server.h"
#include "sim/sim_modem.h"
#include "ui/log/action_log_frame.h"
#include "ui/log/log_tree_model.h"
#include "ui/main/factory_tab.h"
#include "ui/main/node_table_tab.h"
#include "ui/main/orva_tab.h"
#include "ui/main/vcomm_tab.h"
#include "ui/main/shell_logic.h"
#include "ui/widgets/radio_group.h"
#include "util/ini_file.h"
#include "util/tick.h"

namespace {

std::string TempSettings(const char *name) {
  auto p = std::filesystem::temp_directory_path() / (std::string("vovor_test_") + name + ".settings");
  std::filesystem::remove(p);
  return p.string();
}

TForm1::Options SimOptions(const std::string &settings) {
  TForm1::Options o;
  o.settingsPath = settings;
  o.startSimulated = true;
  return o;
}

// The texts of the log's top-level rows, first column.
std::vector<std::string> LogRows(TForm1 &form) {
  std::vector<std::string> rows;
  auto *frame = form.Panel1->findChild<TActionLog_Frame *>();
  if (!frame) return rows;
  auto *model = frame->VST->model();
  for (int r = 0; r < model->rowCount(); ++r) rows.push_back(model->index(r, 0).data().toString().toStdString());
  return rows;
}

// Runs the event loop until `done` holds or `ms` pass.
template <typename F>
bool WaitUntil(F done, int ms = 3000) {
  uint32_t start = util::TickMs();
  while (!done()) {
    if (util::TicksSince(start) > static_cast<uint32_t>(ms)) return false;
    QTest::qWait(10);
  }
  return true;
}

bool Contains(const std::vector<std::string> &rows, const std::string &part) {
  for (const auto &r : rows)
    if (r.find(part) != std::string::npos) return true;
  return false;
}

}  // namespace

TEST(MainWindow, FirstStartOnTheSimulatedModem) {
  std::string settings = TempSettings("first");
  TForm1 form(SimOptions(settings));
  QSignalSpy terminal(&form, &TForm1::ShowTerminalRequested);
  EXPECT_EQ(form.windowTitle().toStdString(), "VO_Vor конфигуратор");
  EXPECT_TRUE(form.Port()->GetActive());
  auto rows = LogRows(form);
  ASSERT_FALSE(rows.empty());
  EXPECT_EQ(rows[0].rfind("Порт настроен: /dev/pts/", 0), 0u) << rows[0];
  EXPECT_NE(rows[0].find(", 19200, 8N1"), std::string::npos);
  EXPECT_EQ(form.DirectNode->GetDeviceId(), 255);
  EXPECT_EQ(form.DirectNode->GetProtocol(), modem::kProtocolBin);
  EXPECT_EQ(form.DirectNode->GetTimeOutMs(), 300);
  EXPECT_EQ(form.DirectNode->Transactions, 1);
  EXPECT_EQ(form.RemoteNode->GetTimeOutMs(), 1000);
  EXPECT_EQ(form.RemoteNode->Transactions, 2);
  EXPECT_EQ(form.CurrentNode(), form.DirectNode.get());
  EXPECT_EQ(form.PageControl1->tabText(form.PageControl1->currentIndex()).toStdString(), "Config");
  EXPECT_FALSE(form.PageControl1->isTabVisible(1));  // "Команды" is a service page
  EXPECT_TRUE(WaitUntil([&] { return terminal.count() == 1; }));
}

TEST(MainWindow, PortThatDoesNotExistAndSpeedChange) {
  TForm1 form(SimOptions(TempSettings("ports")));
  form.CB_Speed->setCurrentIndex(0);  // 115200: the port is opened again
  auto rows = LogRows(form);
  ASSERT_GE(rows.size(), 2u);
  EXPECT_NE(rows.back().find(", 115200, 8N1"), std::string::npos) << rows.back();
  EXPECT_TRUE(form.L_PortProblem->isHidden());

  form.CB_Port->lineEdit()->setText("COM9");
  emit form.CB_Port->lineEdit()->editingFinished();
  EXPECT_EQ(LogRows(form).back(), "Порт COM9не открывается!");
  EXPECT_FALSE(form.Port()->GetActive());
  // Beside it, why and what to do: the line COM9 stands for is not there.
  if (std::filesystem::exists("/dev/ttyS8")) return;
  auto *model = form.Panel1->findChild<TActionLog_Frame *>()->VST->model();
  const QModelIndex outcome = model->index(model->rowCount() - 1, 1);
  EXPECT_EQ(outcome.data().toString().toStdString(), "порт не найден: /dev/ttyS8: No such file or directory");
  EXPECT_NE(outcome.data(TLogTreeModel::StaticTextRole).toString().indexOf("имя порта"), -1);
  // And on "Наст" in full, where no column cuts it short.
  EXPECT_FALSE(form.L_PortProblem->isHidden());
  EXPECT_EQ(form.L_PortProblem->text().indexOf("порт не найден: /dev/ttyS8"), 0);
  EXPECT_NE(form.L_PortProblem->text().indexOf("Что делать: проверьте имя порта"), -1);
}

TEST(MainWindow, AddressesAndProtocolReachTheCurrentNode) {
  TForm1 form(SimOptions(TempSettings("nodes")));
  form.SE_UartAddr->setValue(7);
  EXPECT_EQ(form.DirectNode->GetDeviceId(), 7);
  form.RG_WorkProt->SetItemIndex(1);
  form.RG_WorkProtClick();
  EXPECT_EQ(form.DirectNode->GetProtocol(), 0);
  form.RG_NodeAccess->SetItemIndex(1);
  form.RG_NodeAccessClick();
  EXPECT_EQ(form.CurrentNode(), form.RemoteNode.get());
  form.SE_RemoteNodeAddr->setValue(300);
  EXPECT_EQ(form.RemoteNode->GetRemoteAddress(), 300) << "the remote node tunnels to the address typed";
  EXPECT_EQ(form.RemoteNode->GetDeviceId(), 44);
  EXPECT_EQ(form.DirectNode->GetDeviceId(), 7) << "the direct node keeps its own address";
}

TEST(MainWindow, SettingsSurviveARestartInTheirOrder) {
  std::string settings = TempSettings("restart");
  {
    TForm1 form(SimOptions(settings));
    form.SE_UartAddr->setValue(42);
    form.CB_Speed->setCurrentIndex(4);
    form.SE_PortTimeOut->setValue(700);
    form.RG_WorkProt->SetItemIndex(1);
    form.FindPage<TVCommTab>()->SE_VC_CloseTO->setValue(1500);
    form.SetServicePagesVisible(true);
    form.RemoteNode->SetCommandTimeoutMs(4500);
  }
  util::OrderedIni ini;
  ASSERT_TRUE(ini.Load(settings));
  std::vector<std::string> keys;
  for (auto &kv : ini.Keys("Form1")) keys.push_back(kv.first);
  const std::vector<std::string> documented{
      "Panel1.Height", "CB_Port.Text", "CB_Speed.ItemIndex", "SE_UartAddr.Value", "CB_DataFormat.ItemIndex",
      "CB_MeasureDivisor.ItemIndex", "CB_UsedCrystal.ItemIndex", "SE_Temperature.Value", "SE_MeasuredFreq.Value",
      "SE_NetAddr.Value", "CB_VC_Spd.ItemIndex", "CB_VC_Fmt.ItemIndex", "SE_VC_CloseTO.Value", "SE_NT_Cnt.Value",
      "CB_NT_ReadAll.Checked", "RG_WorkProt.ItemIndex", "SE_PortTimeOut.Value", "SE_ORVARemCh.Value", ".Left",
      ".Top", ".Right", ".Bottom", ".WindowState"};
  ASSERT_GE(keys.size(), documented.size());
  EXPECT_EQ(std::vector<std::string>(keys.begin(), keys.begin() + static_cast<long>(documented.size())), documented);
  EXPECT_EQ(ini.Get("Form1", "SE_UartAddr.Value"), "42");
  EXPECT_EQ(ini.Get("Form1", "SE_MeasuredFreq.Value"), "26481010");

  TForm1 again(SimOptions(settings));
  EXPECT_EQ(again.SE_UartAddr->value(), 42);
  EXPECT_EQ(again.CB_Speed->currentIndex(), 4);
  EXPECT_EQ(again.FindPage<TVCommTab>()->SE_VC_CloseTO->value(), 1500);
  EXPECT_TRUE(again.PageControl1->isTabVisible(1));
  // The stored address, protocol and time-out reach the direct node at start.
  EXPECT_EQ(again.DirectNode->GetDeviceId(), 42);
  EXPECT_EQ(again.DirectNode->GetProtocol(), 0);
  EXPECT_EQ(again.DirectNode->GetTimeOutMs(), 700);
  EXPECT_EQ(again.RemoteNode->GetCommandTimeoutMs(), 4500);
}

// The file a start and a close leave is the file they found: every key
// is kept, in its place, whichever page registered it.
TEST(MainWindow, AStartAndCloseCycleKeepsTheSettingsFileByteForByte) {
  std::string settings = TempSettings("cycle");
  std::filesystem::copy_file(std::string(VOVOR_TEST_DATA) + "/app/every_key.settings", settings);
  auto bytes = [](const std::string &path) {
    std::ifstream f(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
  };
  const std::string before = bytes(settings);
  {
    TForm1 form(SimOptions(settings));
    form.show();
    QTest::qWait(50);
  }
  EXPECT_EQ(bytes(settings), before);
}

TEST(MainWindow, ServicePageSettingsTakeTheirWholeRange) {
  std::string settings = TempSettings("service");
  {
    std::ofstream f(settings);
    f << "[Form1]\nCB_MeasureDivisor.ItemIndex=15\nCB_UsedCrystal.ItemIndex=1\nSE_Temperature.Value=-10\n"
         "SE_MeasuredFreq.Value=26480500.125\nSE_NT_Cnt.Value=2048\nSE_ORVARemCh.Value=7\n";
  }
  {
    TForm1 form(SimOptions(settings));
    auto *factory = form.FindPage<TFactoryTab>();
    EXPECT_EQ(factory->CB_MeasureDivisor->currentText().toStdString(), "XOSC/192");
    EXPECT_EQ(factory->CB_UsedCrystal->currentText().toStdString(), "26,208 Mhz");
    EXPECT_EQ(factory->SE_Temperature->value(), -10);
    EXPECT_EQ(form.FindPage<TNodeTableTab>()->SE_NT_Cnt->value(), 2048);
    EXPECT_EQ(form.FindPage<TOrvaTab>()->SE_ORVARemCh->value(), 7);
    EXPECT_FALSE(Contains(LogRows(form), "не применена"));
  }
  util::OrderedIni ini;
  ASSERT_TRUE(ini.Load(settings));
  EXPECT_EQ(ini.Get("Form1", "CB_MeasureDivisor.ItemIndex"), "15");
  EXPECT_EQ(ini.Get("Form1", "SE_MeasuredFreq.Value"), "26480500.125");
  EXPECT_EQ(ini.Get("Form1", "SE_ORVARemCh.Value"), "7");
}

TEST(MainWindow, PlacementStateAndLogHeightAreRestored) {
  struct Case {
    const char *state;
    Qt::WindowState expected;
  } cases[] = {{"0", Qt::WindowNoState}, {"1", Qt::WindowMinimized}, {"2", Qt::WindowMaximized}};
  for (const auto &c : cases) {
    std::string settings = TempSettings("placement");
    {
      std::ofstream f(settings);
      f << "[Form1]\nPanel1.Height=150\n.Left=100\n.Top=50\n.Right=740\n.Bottom=550\n.WindowState=" << c.state
        << "\n";
    }
    TForm1 form(SimOptions(settings));
    EXPECT_EQ(form.normalGeometry().isValid() ? form.normalGeometry() : form.geometry(), QRect(100, 50, 640, 500))
        << c.state;
    EXPECT_EQ(form.windowState() & (Qt::WindowMinimized | Qt::WindowMaximized), c.expected) << c.state;
    if (c.expected != Qt::WindowNoState) continue;
    form.show();
    QTest::qWait(50);
    EXPECT_EQ(form.Panel1->height(), 150);
  }
}

TEST(MainWindow, GarbageSettingsStillStart) {
  std::string settings = TempSettings("garbage");
  {
    std::ofstream f(settings, std::ios::binary);
    f << "\x01\x02 not ini\n[Form1]\nCB_Speed.ItemIndex=banana\nSE_UartAddr.Value=12\nPanel1.Height=-5\n";
  }
  TForm1 form(SimOptions(settings));
  EXPECT_EQ(form.SE_UartAddr->value(), 12);
  EXPECT_EQ(form.CB_Speed->currentIndex(), 3);
  EXPECT_TRUE(form.Port()->GetActive());
  auto rows = LogRows(form);
  EXPECT_TRUE(Contains(rows, "CB_Speed.ItemIndex")) << "a value that cannot be applied is named in the log";
  EXPECT_TRUE(Contains(rows, "Порт настроен:"));
}

TEST(MainWindow, StopEndsAWaitingOperationAndTheWindowStaysLive) {
  TForm1 form(SimOptions(TempSettings("stop")));
  ASSERT_NE(form.Simulator(), nullptr);
  sim::Faults slow;
  slow.delayMs = 4000;
  form.Simulator()->SetFaults(slow);
  form.DirectNode->SetTimeOutMs(5000);
  int ticks = 0;
  QTimer ticker;
  QObject::connect(&ticker, &QTimer::timeout, [&] { ++ticks; });
  ticker.start(20);
  uint32_t stoppedAt = 0;
  QTimer::singleShot(300, [&] {
    stoppedAt = util::TickMs();
    QTest::mouseClick(form.Button4, Qt::LeftButton);
  });
  form.RunOperation([&] { form.DirectNode->Execute("1501", 1, 1); });
  uint32_t afterStop = util::TicksSince(stoppedAt);
  EXPECT_EQ(form.DirectNode->ResultCode().Code, 6);
  EXPECT_LT(afterStop, 1000u);
  EXPECT_GT(ticks, 5) << "the window's timers ran during the wait";

  // Stop with nothing running changes nothing; the next operation is normal.
  form.Simulator()->SetFaults(sim::Faults{});
  QTest::qWait(4200);  // let the stopped request's late answer pass
  form.Button4Click();
  form.RunOperation([&] { form.DirectNode->Execute("1501", 1, 1); });
  EXPECT_EQ(form.DirectNode->ResultCode().Code, 0);
}

TEST(MainWindow, ClosingDuringAWaitStopsFirstAndClosesAfter) {
  TForm1 form(SimOptions(TempSettings("close")));
  form.show();
  sim::Faults slow;
  slow.delayMs = 3000;
  form.Simulator()->SetFaults(slow);
  form.DirectNode->SetTimeOutMs(5000);
  QTimer::singleShot(200, [&] { form.close(); });
  form.RunOperation([&] { form.DirectNode->Execute("1501", 1, 1); });
  EXPECT_EQ(form.DirectNode->ResultCode().Code, 6);
  EXPECT_TRUE(form.isVisible()) << "still open while the operation returned";
  EXPECT_TRUE(WaitUntil([&] { return !form.isVisible(); }));
}

// The adapter is pulled out: the log says so; choosing the simulated modem
// again gives a working line.
TEST(MainWindow, ALineThatGoesIsLoggedAndCanBeOpenedAgain) {
  TForm1 form(SimOptions(TempSettings("hangup")));
  sim::Faults drop;
  drop.hangUpAfterAnswers = 0;
  form.Simulator()->SetFaults(drop);
  EXPECT_TRUE(WaitUntil([&] { return Contains(LogRows(form), "Имитатор модема отключён"); }));
  EXPECT_FALSE(form.Port()->GetActive());

  form.OpenPort();
  EXPECT_TRUE(form.Port()->GetActive());
  form.RunOperation([&] { form.DirectNode->Execute("1501", 1, 1); });
  EXPECT_EQ(form.DirectNode->ResultCode().Code, 0);
}

TEST(MainWindow, OperationsAreLoggedWithTheirAttempts) {
  TForm1 form(SimOptions(TempSettings("log")));
  form.RunOperation([&] {
    form.DirectNode->DoAction(0, "Чтение версии устройства", 24, 1);
    form.DirectNode->DetailStart();
    form.DirectNode->Execute("1501", 1, form.DirectNode->Transactions);
    form.DirectNode->DetailDone();
  });
  auto rows = LogRows(form);
  ASSERT_FALSE(rows.empty());
  EXPECT_NE(rows.back().find("  Чтение версии устройства"), std::string::npos) << rows.back();
  auto *frame = form.Panel1->findChild<TActionLog_Frame *>();
  auto *model = frame->VST->model();
  QModelIndex last = model->index(model->rowCount() - 1, 1);
  EXPECT_EQ(last.data().toString().toStdString(), "OK");
}

// "Сервисные страницы" also shows the hidden controls of "Наст", so the
// engineer can switch to a remote node from the window; the menu opens
// the dump window; the status bar carries a page's progress.
TEST(MainWindow, ServiceViewMemoryWindowAndProgress) {
  TForm1 form(SimOptions(TempSettings("service_view")));
  form.show();
  EXPECT_FALSE(form.SE_RemoteNodeAddr->isVisible());
  EXPECT_FALSE(form.CB_DataFormat->isVisible());
  form.ServicePagesAction->trigger();
  QWidget *settingsPage = form.Sheet("Наст");
  for (QWidget *w : std::initializer_list<QWidget *>{form.CB_DataFormat, form.RG_WorkProt, form.SE_PortTimeOut,
                                                     form.RG_NodeAccess, form.SE_RemoteNodeAddr})
    EXPECT_TRUE(w->isVisibleTo(settingsPage)) << w->objectName().toStdString();
  EXPECT_TRUE(form.PageControl1->isTabVisible(1));
  form.ServicePagesAction->trigger();
  EXPECT_FALSE(form.SE_RemoteNodeAddr->isVisibleTo(settingsPage));

  QSignalSpy dump(&form, &TForm1::ShowMemoryDumpRequested);
  form.MemoryDumpAction->trigger();
  EXPECT_EQ(dump.count(), 1);
  EXPECT_EQ(form.MemoryDumpAction->text().toStdString(), "Память…");

  form.ShowProgress("Чтение памяти", 3, 8);
  EXPECT_TRUE(form.StatusProgress->isVisible());
  EXPECT_EQ(form.StatusProgress->value(), 3);
  EXPECT_EQ(form.StatusProgress->maximum(), 8);
  EXPECT_EQ(form.StatusText->text().toStdString(), "Чтение памяти");
  form.ShowProgress("", 0, 0);
  EXPECT_FALSE(form.StatusProgress->isVisible());
}

// A remote node chosen on "Наст" is reached at the address typed there.
TEST(MainWindow, RemoteNodeAtTheTypedAddress) {
  TForm1 form(SimOptions(TempSettings("remote")));
  form.RG_NodeAccess->SetItemIndex(1);
  form.RG_NodeAccessClick();
  // Node 291 is the only node of the mesh: a command to any other fails.
  form.Simulator()->WithModem([](sim::SimModem &m) {
    m.GetMesh().ClearNodes();
    m.GetMesh().AddNode(291, 0);
  });
  form.SE_RemoteNodeAddr->setValue(291);
  modem::TVersion version;
  form.RunOperation([&] { form.CurrentNode()->ReadVersion(version); });
  EXPECT_EQ(form.RemoteNode->ResultCode().Code, 0) << form.RemoteNode->ResultCode().Msg;
}

// With the port closed an operation is refused at once, and the log says
// which port and what to do; "Наст" shows the port's state.
TEST(MainWindow, AnOperationOnAClosedPortIsRefusedAtOnce) {
  TForm1 form(SimOptions(TempSettings("closed")));
  EXPECT_TRUE(form.L_PortState->text().startsWith(QStringLiteral("Порт открыт: /dev/pts/")));
  form.CB_Port->lineEdit()->setText("COM9");
  emit form.CB_Port->lineEdit()->editingFinished();
  EXPECT_EQ(form.L_PortState->text().toStdString(), "Порт COM9 не открыт");
  uint32_t start = util::TickMs();
  bool ran = false;
  EXPECT_FALSE(form.RunOperation([&] { ran = true; }));
  EXPECT_FALSE(ran);
  EXPECT_LT(util::TicksSince(start), 100u);
  EXPECT_EQ(LogRows(form).back(), "Порт COM9 не открыт: операция не выполнена. Выберите порт на странице «Наст».");
}

// While an operation runs: "&Stop" is enabled, the cursor is busy, the
// status bar names it and a transfer of several blocks shows its progress.
TEST(MainWindow, ARunningOperationIsVisible) {
  TForm1 form(SimOptions(TempSettings("busy")));
  EXPECT_FALSE(form.Button4->isEnabled());
  bool stopEnabled = false, busyCursor = false;
  int progressMax = 0, progressSeen = 0;
  QString status;
  auto windowsOwn = form.DirectNode->OnTransferProgress;
  form.DirectNode->OnTransferProgress = [&](size_t done, size_t total) {
    windowsOwn(done, total);
    stopEnabled = form.Button4->isEnabled();
    busyCursor = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::BusyCursor;
    progressMax = std::max(progressMax, form.StatusProgress->maximum());
    progressSeen += form.StatusProgress->isVisibleTo(&form) ? 1 : 0;
    if (status.isEmpty()) status = form.StatusText->text();
  };
  std::shared_ptr<config::IZTConfig> config;
  EXPECT_TRUE(form.RunOperation([&] { form.DirectNode->ReadConfig(config); }));
  EXPECT_TRUE(stopEnabled);
  EXPECT_TRUE(busyCursor);
  EXPECT_GT(progressMax, 32) << "the image takes more than one block";
  EXPECT_GT(progressSeen, 1);
  EXPECT_FALSE(status.isEmpty());
  EXPECT_FALSE(form.Button4->isEnabled());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(form.StatusProgress->isVisibleTo(&form));
}

// A stored place off the screen, or a size beyond it, is replaced by a
// visible one.
TEST(MainWindow, AStoredPlacementOffTheScreenIsMadeVisible) {
  std::string settings = TempSettings("offscreen_place");
  {
    std::ofstream f(settings);
    f << "[Form1]\n.Left=-30000\n.Top=90000\n.Right=2767\n.Bottom=99000\n.WindowState=0\n";
  }
  TForm1 form(SimOptions(settings));
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  const QRect placed = form.normalGeometry().isValid() ? form.normalGeometry() : form.geometry();
  EXPECT_TRUE(screen.contains(placed)) << placed.x() << "," << placed.y() << " " << placed.width() << "x"
                                       << placed.height();
}

// The first start (no settings file) takes no motherboard port on a guess:
// here, with no USB adapter, the simulated modem, and the log says so.
TEST(MainWindow, FirstStartChoosesTheSimulatedModemWithoutAUsbAdapter) {
  for (const auto &p : SerialPortCandidates())
    if (p.usb) GTEST_SKIP() << "a USB adapter is present: " << p.path;
  TForm1::Options o;
  o.settingsPath = TempSettings("first_start");
  o.showTerminal = false;
  TForm1 form(o);
  EXPECT_EQ(form.CB_Port->currentText().toStdString(), shell::kSimulatedModemCaption);
  EXPECT_TRUE(form.Port()->GetActive());
  EXPECT_TRUE(Contains(LogRows(form), "Первый запуск: USB-адаптер не найден, выбран имитатор модема"));
}
