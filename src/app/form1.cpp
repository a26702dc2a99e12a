#include "app/form1.h"

#include <algorithm>

#include <QCloseEvent>
#include <QLabel>
#include <QComboBox>
#include <QApplication>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QTabWidget>
#include <QThread>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

#include "app/gui_device_waiter.h"
#include "app/main_window_pages.h"
#include "app/port_choices.h"
#include "modem/frame_codec.h"
#include "modem/frame_recorder.h"
#include "sim/pty_server.h"
#include "ui/main/about_dialog.h"
#include "ui/log/create_action_logger.h"
#include "ui/main/shell_logic.h"
#include "ui/widgets/radio_group.h"
#include "util/tick.h"

TForm1::TForm1(const Options &options, QWidget *parent) : QMainWindow(parent), options_(options) {
  setWindowTitle(QStringLiteral("VO_Vor конфигуратор"));
  setObjectName(QStringLiteral("Form1"));
  resize(841, 398);
  // Every page stays usable down to this size (the pages scroll).
  setMinimumSize(640, 420);
  move(275, 174);
  waiter_ = std::make_shared<GuiDeviceWaiter>();
  BuildWindow();
  FormCreate();
}

TForm1::~TForm1() { FormDestroy(); }

QWidget *TForm1::Sheet(const QString &caption) {
  for (const auto &[c, w] : sheets_)
    if (c == caption) return w;
  return nullptr;
}

void TForm1::AddSetting(ui::TPageSetting setting) { pageSettings_.push_back(std::move(setting)); }

void TForm1::AddStartupStep(std::function<void()> step) { startupSteps_.push_back(std::move(step)); }

std::unique_ptr<ui::IReceiveSubscription> TForm1::SubscribeReceived(std::function<void(const std::string &)> onBytes) {
  return received_.Subscribe(std::move(onBytes));
}

void TForm1::ShowProgress(const std::string &what, int done, int total) {
  if (total <= 0) {
    StatusText->clear();
    StatusProgress->hide();
    return;
  }
  StatusText->setText(QString::fromStdString(what));
  StatusProgress->setRange(0, total);
  StatusProgress->setValue(std::clamp(done, 0, total));
  StatusProgress->show();
}

void TForm1::SetServicePagesVisible(bool visible) {
  const auto &pages = MainWindowPages();
  for (int i = 0; i < PageControl1->count() && i < static_cast<int>(pages.size()); ++i)
    if (!pages[static_cast<size_t>(i)].shown) PageControl1->setTabVisible(i, visible);
  for (QWidget *w : serviceOnlyControls_) w->setVisible(visible);
  if (ServicePagesAction && ServicePagesAction->isChecked() != visible) ServicePagesAction->setChecked(visible);
}

void TForm1::BuildWindow() {
  auto *central = new QWidget(this);
  auto *layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  Splitter1 = new QSplitter(Qt::Vertical, central);
  Splitter1->setObjectName("Splitter1");
  Splitter1->setHandleWidth(3);
  Splitter1->setChildrenCollapsible(false);
  PageControl1 = new QTabWidget(Splitter1);
  PageControl1->setObjectName("PageControl1");
  Panel1 = new QWidget(Splitter1);
  Panel1->setObjectName("Panel1");
  Panel1->setMinimumHeight(40);
  Splitter1->addWidget(PageControl1);
  Splitter1->addWidget(Panel1);
  Splitter1->setStretchFactor(0, 1);
  Splitter1->setStretchFactor(1, 0);
  Splitter1->setSizes({398 - 88 - 3, 88});
  layout->addWidget(Splitter1);
  setCentralWidget(central);

  Button4 = new QPushButton(QStringLiteral("&Stop"), PageControl1);
  Button4->setObjectName("Button4");
  Button4->setFixedSize(48, 22);
  PageControl1->setCornerWidget(Button4, Qt::TopRightCorner);
  Button4->setEnabled(false);  // enabled while an operation runs
  connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);

  for (const TPageEntry &entry : MainWindowPages()) {
    QString name = QString::fromUtf8(entry.caption);
    QWidget *sheet = name == QStringLiteral("Наст") ? BuildSettingsPage() : new QWidget;
    sheet->setObjectName(QStringLiteral("TabSheet_") + name);
    // A page scrolls rather than squeezing the log: the pages are taller in
    // Linux fonts than the window's design size allows for.
    auto *scroller = new QScrollArea;
    scroller->setObjectName(QStringLiteral("TabScroll_") + name);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidget(sheet);
    PageControl1->addTab(scroller, name);
    sheets_.emplace_back(name, sheet);
  }

  auto *view = menuBar()->addMenu(QStringLiteral("Вид"));
  ServicePagesAction = view->addAction(QStringLiteral("Сервисные страницы"));
  ServicePagesAction->setObjectName("ServicePagesAction");
  ServicePagesAction->setCheckable(true);
  connect(ServicePagesAction, &QAction::toggled, this, &TForm1::SetServicePagesVisible);
  MemoryDumpAction = view->addAction(QStringLiteral("Память…"));
  MemoryDumpAction->setObjectName("MemoryDumpAction");
  connect(MemoryDumpAction, &QAction::triggered, this, [this] { ShowMemoryDumpWindow(); });
  auto *help = menuBar()->addMenu(QStringLiteral("Справка"));
  QAction *about = help->addAction(QStringLiteral("О программе"));
  about->setObjectName("AboutAction");
  connect(about, &QAction::triggered, this, [this] { TAboutDialog(options_.settingsPath, this).exec(); });

  StatusText = new QLabel;
  StatusText->setObjectName("StatusText");
  StatusProgress = new QProgressBar;
  StatusProgress->setObjectName("StatusProgress");
  StatusProgress->setMaximumWidth(200);
  StatusProgress->setFormat(QStringLiteral("%v / %m"));
  StatusProgress->hide();
  statusBar()->addWidget(StatusText, 1);
  statusBar()->addPermanentWidget(StatusProgress);

  SetServicePagesVisible(false);
  for (int i = 0; i < PageControl1->count(); ++i)
    if (PageControl1->tabText(i) == QStringLiteral("Config")) PageControl1->setCurrentIndex(i);
}

void TForm1::BuildPages() {
  for (const TPageEntry &entry : MainWindowPages())
    if (entry.make) pageObjects_.push_back(entry.make(*this, Sheet(QString::fromUtf8(entry.caption))));
}

void TForm1::CreateNodes() {
  port_ = std::make_unique<port::TPort>();
  port_->OnReceiveData = [this](const std::string &data) { received_.Deliver(data); };
  // The reader thread sees the line go and come back; the window logs both
  // and shows the port's state on its own thread. The port is closed (its
  // reader joined) before the window goes away.
  port_->OnHangUp = [this](port::TPort &) {
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (logger_) logger_->AddMessageAs(shell::PortLostMessage(lastOpenedPortText_.toStdString()), lsFailure);
          UpdatePortState();
        },
        Qt::QueuedConnection);
  };
  port_->OnLineBack = [this](port::TPort &) {
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (logger_) logger_->AddMessage(shell::PortBackMessage(lastOpenedPortText_.toStdString()));
          UpdatePortState();
        },
        Qt::QueuedConnection);
  };
  // Senders are on this thread (operations, the terminal); the row then
  // lands under the operation whose frame did not get out.
  port_->OnWriteError = [this](port::TPort &, const port::TPortError &error) {
    auto log = [this, error] { LogFailure(shell::PortWriteFailure(lastOpenedPortText_.toStdString(), error)); };
    if (QThread::currentThread() == thread())
      log();
    else
      QMetaObject::invokeMethod(this, log, Qt::QueuedConnection);
  };
  // A lost line is watched for: the same device back takes the port back.
  auto *replugTimer = new QTimer(this);
  connect(replugTimer, &QTimer::timeout, this, [this] {
    if (port_ && port_->LineLost() && !OperationRunning()) port_->Reconnect();
  });
  replugTimer->start(500);

  // Before the node joins the port's links, so the recorder has an answer's
  // bytes by the time the node reports the action done.
  frameRecorder_ = std::make_unique<modem::TFrameRecorder>(port_.get());
  DirectNode = std::make_unique<modem::ZIZ2400>();
  DirectNode->SetPort(port_.get());
  DirectNode->SetDeviceId(255);
  DirectNode->SetTimeOutMs(200);
  DirectNode->Transactions = 1;
  DirectNode->SetProtocol(modem::kProtocolBin);
  DirectNode->SetWaiter(waiter_);
  DirectNode->OnDetailedInfo = [this](device::TCustomDevice &d, device::TDeviceDetailMode m, const std::string &s,
                                      int n) { DeviceDetailedInfo(d, m, s, n); };
  DirectNode->ExternalWaitProc2 = [this](device::TCustomDevice &d, const device::TExtWaitProcParams &p) {
    DeviceWaitStep(d, p);
  };

  RemoteNode = std::make_unique<modem::ZIZ2400_RemoteNode>();
  RemoteNode->SetDeviceId(255);
  RemoteNode->SetTimeOutMs(1000);
  RemoteNode->Transactions = 2;
  RemoteNode->SetWaiter(waiter_);
  RemoteNode->OnDetailedInfo = DirectNode->OnDetailedInfo;
  RemoteNode->ExternalWaitProc2 = DirectNode->ExternalWaitProc2;
  RemoteNode->SetDirectNode(DirectNode.get());
  RemoteNode->SetRemoteAddress(1);
  auto progress = [this](size_t done, size_t total) {
    ShowProgress(StatusText->text().toStdString(), static_cast<int>(done), static_cast<int>(total));
  };
  DirectNode->OnTransferProgress = progress;
  RemoteNode->OnTransferProgress = progress;
  // Pages built now may ask for the node; the choice on "Наст" follows the settings.
  currentNode_ = DirectNode.get();
}

void TForm1::FormCreate() {
  logger_ = CreateActionLogger(Panel1);
  CreateNodes();
  BuildPages();

  const bool firstStart = !LoadSettings();
  if (options_.startSimulated) {
    CB_Port->setEditText(QString::fromUtf8(shell::kSimulatedModemCaption));
  } else if (firstStart) {
    // "COM1" is a Windows habit: on Linux it is a motherboard port rarely
    // wired to a modem.
    shell::FirstStartChoice choice = shell::FirstStartPort(SerialPortCandidates());
    CB_Port->setEditText(QString::fromStdString(choice.portText));
    logger_->AddMessage(choice.message);
  }

  if (options_.showTerminal) QTimer::singleShot(0, this, [this] { ShowTerminal(); });
  OpenPort();
  for (auto &step : startupSteps_) step();
  RG_NodeAccessClick();
  // The stored address and protocol are for the direct node; the change
  // handlers ran before there was a current node to take them.
  DirectNode->SetDeviceId(static_cast<uint8_t>(SE_UartAddr->value()));
  DirectNode->SetProtocol(RG_WorkProt->ItemIndex() == 0 ? modem::kProtocolBin : 0);
  SE_RemoteNodeAddrChange();
}

void TForm1::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  SaveSettings();  // first: the log's column widths go with the log
  logger_.reset();
  // The remote node relays through the direct node, which sits on the port.
  if (RemoteNode) RemoteNode->SetDirectNode(nullptr);
  currentNode_ = nullptr;
  RemoteNode.reset();
  DirectNode.reset();
  frameRecorder_.reset();
  port_.reset();
  simulator_.reset();
}

std::string TForm1::PortPathFor(const std::string &text) {
  if (text == shell::kSimulatedModemCaption) {
    // A simulated modem whose line was dropped is started anew, as a
    // replugged adapter would be.
    if (simulator_ && !simulator_->Serving()) simulator_.reset();
    if (!simulator_) {
      simulator_ = std::make_unique<sim::PtyServer>();
      std::string why;
      if (!simulator_->Start(&why)) {
        simulator_.reset();
        LogFailure(shell::SimulatorFailure(why));
        return text;
      }
    }
    return simulator_->DevicePath();
  }
  return PortNameFromChoice(text);
}

void TForm1::OpenPort() {
  if (!port_ || !DirectNode) return;
  if (port_->GetActive()) port_->SetActive(false);
  lastOpenedPortText_ = CB_Port->currentText();
  const std::string portText = lastOpenedPortText_.toStdString();
  bool ok = false;
  int speed = CB_Speed->currentText().toInt(&ok);
  if (!ok) {  // a speed that is not a number leaves the port closed, silently
    UpdatePortState();
    return;
  }
  port_->Settings().SetPortName(PortPathFor(portText));
  port_->Settings().SetBaudRate(speed);
  DirectNode->SetTimeOutMs(SE_PortTimeOut->value());
  port_->Settings().SetParity(shell::ParityForDataFormat(CB_DataFormat->currentIndex()));
  util::SleepMs(100);
  port_->SetActive(true);
  if (port_->GetActive())
    logger_->AddMessage(shell::PortReadyMessage(port_->Settings()));
  else
    LogFailure(shell::PortOpenFailure(portText, port_->DeviceName(), port_->OpenError()));
  UpdatePortState();
}

void TForm1::LogFailure(const shell::FailureRow &row) {
  if (!logger_) return;
  if (auto node = logger_->AddMessageAs(row.message, lsFailure)) {
    node->SetResult(row.result);
    node->SetDetail(row.advice);
  }
}

void TForm1::DeviceDetailedInfo(device::TCustomDevice &, device::TDeviceDetailMode mode, const std::string &text,
                                int tryNumber) {
  if (!logger_) return;
  if (mode != device::TDeviceDetailMode::dmRepeat) AttachFrames();
  switch (mode) {
    case device::TDeviceDetailMode::dmStart:
      StatusText->setText(QString::fromStdString(text));
      logger_->BeginAction(shell::ActionCaption(QTime::currentTime().toString("HH:mm:ss").toStdString(), text));
      break;
    case device::TDeviceDetailMode::dmRepeat:
      if (auto node = logger_->GetCurrentNode()) {
        node->SetText(text);
        node->SetNote(shell::RepeatNote(tryNumber));
      }
      break;
    case device::TDeviceDetailMode::dmDoneOK: logger_->EndSuccess(text); break;
    case device::TDeviceDetailMode::dmDoneFail: logger_->EndError(text); break;
  }
}

void TForm1::AttachFrames() {
  std::vector<TLogFrame> frames = frameRecorder_->Take();
  auto node = logger_->GetCurrentNode();
  // Traffic outside any action (a channel's data, a terminal's bytes) stays
  // in the terminal; the log keeps the frames of its actions.
  if (!node || node->GetState() != lsRunning) return;
  for (auto &frame : frames) node->AddFrame(std::move(frame));
}

void TForm1::DeviceWaitStep(device::TCustomDevice &, const device::TExtWaitProcParams &params) {
  if (logger_) {
    if (auto node = logger_->GetCurrentNode())
      node->SetNote(shell::WaitNote(params.Transaction, params.TransactionCount));
  }
  QCoreApplication::processEvents();
}

void TForm1::Button4Click() {
  DirectNode->Stop();
  RemoteNode->Stop();
}

void TForm1::ShowTerminal() { ShowTerminalWindow(); }

bool TForm1::RunOperation(const std::function<void()> &operation) {
  if (operationDepth_ > 0 || closePending_) return false;
  // A lost line's device may be back already; else it is awaited, not chosen anew.
  if (port_ && port_->LineLost()) port_->Reconnect();
  if (!port_ || !port_->GetActive()) {
    const std::string portText = lastOpenedPortText_.toStdString();
    logger_->AddMessageAs(port_ && port_->LineLost() ? shell::PortLostRefusedMessage(portText)
                                                     : shell::PortNotOpenMessage(portText),
                          lsWarning);
    return false;
  }
  ++operationDepth_;
  // While it runs: a busy cursor, "&Stop" to end it, its name and progress
  // in the status bar.
  Button4->setEnabled(true);
  QApplication::setOverrideCursor(Qt::BusyCursor);
  operation();
  QApplication::restoreOverrideCursor();
  Button4->setEnabled(false);
  ShowProgress({}, 0, 0);
  --operationDepth_;
  if (closePending_) QTimer::singleShot(0, this, &QWidget::close);
  return true;
}

void TForm1::closeEvent(QCloseEvent *event) {
  bool busy = operationDepth_ > 0 || (DirectNode && DirectNode->Busy()) || (RemoteNode && RemoteNode->Busy());
  if (busy) {
    // Closing in the middle of a wait would pull the window out from under
    // the running operation: stop it, and close when it has returned.
    closePending_ = true;
    Button4Click();
    event->ignore();
    if (operationDepth_ == 0) QTimer::singleShot(50, this, &QWidget::close);
    return;
  }
  closePending_ = false;
  event->accept();
}
