#pragma once
// The configurator's main window: the page control, the action log below it,
// the serial port and the two modem nodes every page works through.
#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/zt_config.h"
#include "device/custom_device.h"
#include "log/log_intf.h"
#include "modem/remote_node.h"
#include "modem/ziz2400.h"
#include "port/port.h"

class QAction;
class QComboBox;
class QDoubleSpinBox;
class QCheckBox;
class QPushButton;
class QSpinBox;
class QSplitter;
class QTabWidget;
class TRadioGroup;
class GuiDeviceWaiter;
class TConfigTab;
class TVCommTabs;

namespace sim {
class PtyServer;
}

class TForm1 : public QMainWindow {
  Q_OBJECT
 public:
  struct Options {
    std::string settingsPath;  // the ".settings" file
    bool startSimulated = false;  // choose the built-in simulated modem at start
    bool showTerminal = true;     // post the terminal window's opening at start
  };
  explicit TForm1(const Options &options, QWidget *parent = nullptr);
  ~TForm1() override;

  // The fields every page uses.
  std::unique_ptr<port::TPort> Port;
  std::unique_ptr<modem::ZIZ2400> DirectNode;
  std::unique_ptr<modem::ZIZ2400_RemoteNode> RemoteNode;
  modem::ZIZ2400 *CurrentNode = nullptr;
  std::shared_ptr<ISequentialActionLogger> Logger;
  // The configuration on show on the page "Config"; none after a failed read.
  std::shared_ptr<config::IZTConfig> CurrentConfig;

  QTabWidget *PageControl1 = nullptr;
  QSplitter *Splitter1 = nullptr;
  QWidget *Panel1 = nullptr;
  QPushButton *Button4 = nullptr;
  QAction *ServicePagesAction = nullptr;
  TConfigTab *ConfigTab = nullptr;
  TVCommTabs *ChannelTabs = nullptr;
  // Every block the port reads, on the port's reader thread: the channel
  // test's checker takes them.
  std::function<void(const std::string &)> ChannelTestReceiver;

  // Page "Наст".
  QComboBox *CB_Port = nullptr;
  QComboBox *CB_Speed = nullptr;
  QComboBox *CB_DataFormat = nullptr;
  QSpinBox *SE_UartAddr = nullptr;
  TRadioGroup *RG_WorkProt = nullptr;
  QSpinBox *SE_PortTimeOut = nullptr;
  TRadioGroup *RG_NodeAccess = nullptr;
  QSpinBox *SE_RemoteNodeAddr = nullptr;

  // Controls of the service pages that the settings file keeps (the
  // channel pages make the last four).
  QComboBox *CB_MeasureDivisor = nullptr;
  QComboBox *CB_UsedCrystal = nullptr;
  QSpinBox *SE_Temperature = nullptr;
  QDoubleSpinBox *SE_MeasuredFreq = nullptr;
  QSpinBox *SE_NT_Cnt = nullptr;
  QCheckBox *CB_NT_ReadAll = nullptr;
  QSpinBox *SE_ORVARemCh = nullptr;
  QSpinBox *SE_NetAddr = nullptr;
  QComboBox *CB_VC_Spd = nullptr;
  QComboBox *CB_VC_Fmt = nullptr;
  QSpinBox *SE_VC_CloseTO = nullptr;

  // The pages in order; hidden ones have their tab hidden.
  QWidget *Page(const QString &caption) const;
  void SetServicePagesVisible(bool visible);

  // The built-in simulated modem, when it is the chosen port.
  sim::PtyServer *Simulator() const { return simulator_.get(); }

  void OpenPort();
  void DeviceDetailedInfo(device::TCustomDevice &device, device::TDeviceDetailMode mode, const std::string &text,
                          int tryNumber);
  void DeviceWaitStep(device::TCustomDevice &device, const device::TExtWaitProcParams &params);
  void Button4Click();
  void ShowTerminal();
  void SE_UartAddrChange();
  void SE_RemoteNodeAddrChange();
  void RG_WorkProtClick();
  void RG_NodeAccessClick();

  // Runs one page operation; refuses a second while one waits (its window
  // stays live and a click could start another) and closes a window whose
  // closing was asked for meanwhile, once the operation has returned.
  void RunOperation(const std::function<void()> &operation);
  bool OperationRunning() const { return operationDepth_ > 0; }

  // A setting a page keeps in the settings file beyond the documented keys;
  // pages add theirs before the settings are loaded.
  struct SettingBinding {
    std::string key;
    std::function<std::string()> save;
    std::function<bool(const std::string &)> load;  // false: the value cannot be applied
  };
  std::vector<SettingBinding> ExtraSettings;

  // Called by the page that owns a start-up step (the configuration page
  // starts with a new configuration, for example).
  std::vector<std::function<void()>> StartupSteps;

 signals:
  void ShowTerminalRequested();

 protected:
  void closeEvent(QCloseEvent *event) override;

 private:
  void FormCreate();
  void FormDestroy();
  void BuildWindow();
  QWidget *BuildSettingsPage();
  void BuildServiceSettingControls();
  void LoadSettings();
  void SaveSettings();
  std::vector<SettingBinding> SettingBindings();
  std::string PortPathFor(const std::string &text);

  Options options_;
  std::unique_ptr<sim::PtyServer> simulator_;
  std::shared_ptr<GuiDeviceWaiter> waiter_;
  std::vector<std::pair<QString, QWidget *>> pages_;
  std::vector<QString> hiddenPages_;
  QString lastOpenedPortText_;
  int operationDepth_ = 0;
  bool closePending_ = false;
  bool destroyed_ = false;
};
