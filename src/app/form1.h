#pragma once
// The configurator's main window: the page control, the action log below it,
// the serial port and the two modem nodes every page works through. The
// pages see it only as their page host.
#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "device/custom_device.h"
#include "log/log_intf.h"
#include "modem/remote_node.h"
#include "modem/ziz2400.h"
#include "port/port.h"
#include "ui/main/page_host.h"
#include "ui/main/receive_fan_out_logic.h"

class QAction;
class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTabWidget;
class TRadioGroup;
class GuiDeviceWaiter;

namespace modem {
class TFrameRecorder;
}

namespace sim {
class PtyServer;
}
namespace shell {
struct FailureRow;
}
namespace util {
class OrderedIni;
}

class TForm1 : public QMainWindow, public ui::IPageHost {
  Q_OBJECT
 public:
  struct Options {
    std::string settingsPath;  // the ".settings" file
    bool startSimulated = false;  // choose the built-in simulated modem at start
    bool showTerminal = true;     // post the terminal window's opening at start
  };
  explicit TForm1(const Options &options, QWidget *parent = nullptr);
  ~TForm1() override;

  // The page host.
  modem::ZIZ2400 *CurrentNode() override { return currentNode_; }
  port::TPort *Port() override { return port_.get(); }
  std::shared_ptr<ISequentialActionLogger> Logger() override { return logger_; }
  // Refuses a second operation while one waits (the window stays live and a
  // click could start another) and closes a window whose closing was asked
  // for meanwhile, once the operation has returned.
  bool RunOperation(const std::function<void()> &operation) override;
  bool OperationRunning() const override { return operationDepth_ > 0; }
  QWidget *Sheet(const QString &caption) override;
  void AddSetting(ui::TPageSetting setting) override;
  void AddStartupStep(std::function<void()> step) override;
  std::unique_ptr<ui::IReceiveSubscription> SubscribeReceived(
      std::function<void(const std::string &)> onBytes) override;
  void ShowProgress(const std::string &what, int done, int total) override;
  void ShowTerminalWindow() override { emit ShowTerminalRequested(); }
  void ShowMemoryDumpWindow() override { emit ShowMemoryDumpRequested(); }

  // The page built into the sheet of that type, if any.
  template <typename Page>
  Page *FindPage() const {
    for (QObject *p : pageObjects_)
      if (auto *page = dynamic_cast<Page *>(p)) return page;
    return nullptr;
  }

  std::unique_ptr<modem::ZIZ2400> DirectNode;
  std::unique_ptr<modem::ZIZ2400_RemoteNode> RemoteNode;

  QTabWidget *PageControl1 = nullptr;
  QSplitter *Splitter1 = nullptr;
  QWidget *Panel1 = nullptr;
  QPushButton *Button4 = nullptr;
  QAction *ServicePagesAction = nullptr;
  QAction *MemoryDumpAction = nullptr;
  QLabel *StatusText = nullptr;  // the running operation
  QLabel *L_PortState = nullptr;  // on "Наст": open, closed, or lost and its device awaited
  QLabel *L_PortProblem = nullptr;  // under it: why the port would not open, and what to do
  QProgressBar *StatusProgress = nullptr;

  // Page "Наст".
  QComboBox *CB_Port = nullptr;
  QComboBox *CB_Speed = nullptr;
  QComboBox *CB_DataFormat = nullptr;
  QSpinBox *SE_UartAddr = nullptr;
  TRadioGroup *RG_WorkProt = nullptr;
  QSpinBox *SE_PortTimeOut = nullptr;
  TRadioGroup *RG_NodeAccess = nullptr;
  QSpinBox *SE_RemoteNodeAddr = nullptr;

  // Shows or hides the service pages' tabs and the hidden controls of "Наст".
  void SetServicePagesVisible(bool visible);

  // The built-in simulated modem, when it is the chosen port.
  sim::PtyServer *Simulator() const { return simulator_.get(); }

  void OpenPort();
  // Shows on "Наст" whether the port is open.
  void UpdatePortState();
  void DeviceDetailedInfo(device::TCustomDevice &device, device::TDeviceDetailMode mode, const std::string &text,
                          int tryNumber);
  void DeviceWaitStep(device::TCustomDevice &device, const device::TExtWaitProcParams &params);
  void Button4Click();
  void ShowTerminal();
  void SE_UartAddrChange();
  void SE_RemoteNodeAddrChange();
  void RG_WorkProtClick();
  void RG_NodeAccessClick();

 signals:
  void ShowTerminalRequested();
  void ShowMemoryDumpRequested();

 protected:
  void closeEvent(QCloseEvent *event) override;

 private:
  // The frames recorded since the last call go to the open action.
  void AttachFrames();
  void FormCreate();
  void FormDestroy();
  void CreateNodes();
  void BuildWindow();
  void BuildPages();
  QWidget *BuildSettingsPage();
  void ConnectSettingsPage();
  // False when there is no settings file yet (the program's first start).
  bool LoadSettings();
  void LoadPlacement(const util::OrderedIni &ini);
  void SaveSettings();
  std::vector<ui::TPageSetting> ShellSettings();
  std::string PortPathFor(const std::string &text);
  // One failure row of the log, its remedy in the detail.
  void LogFailure(const shell::FailureRow &row);

  Options options_;
  std::unique_ptr<port::TPort> port_;
  std::unique_ptr<modem::TFrameRecorder> frameRecorder_;
  modem::ZIZ2400 *currentNode_ = nullptr;
  std::shared_ptr<ISequentialActionLogger> logger_;
  ui::ReceiveFanOut received_;
  std::vector<ui::TPageSetting> pageSettings_;
  std::vector<std::function<void()>> startupSteps_;
  std::vector<QObject *> pageObjects_;
  std::vector<std::pair<QString, QWidget *>> sheets_;
  std::vector<QWidget *> serviceOnlyControls_;  // the hidden controls of "Наст"
  std::unique_ptr<sim::PtyServer> simulator_;
  std::shared_ptr<GuiDeviceWaiter> waiter_;
  QString lastOpenedPortText_;
  int operationDepth_ = 0;
  bool closePending_ = false;
  bool destroyed_ = false;
};
