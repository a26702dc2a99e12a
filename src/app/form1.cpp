#include "app/form1.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QSplitter>
#include <QTabWidget>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

#include "app/gui_device_waiter.h"
#include "app/port_choices.h"
#include "modem/frame_codec.h"
#include "sim/pty_server.h"
#include "ui/main/config_tab.h"
#include "ui/main/vcomm_tab.h"
#include "ui/log/create_action_logger.h"
#include "ui/main/shell_logic.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/spin_edit.h"
#include "util/tick.h"

namespace {

const char *const kPageCaptions[] = {"Наст", "Команды", "Регистры", "Info", "PHY", "RTC", "ZT_UART",
                                     "MAC", "ORVA", "NWK", "Config", "Factory", "Node table", "Открытик канала"};
const char *const kShownPages[] = {"Наст", "Config", "Открытик канала"};

QSpinBox *SpinEdit(int min, int max, int step, int value, QWidget *parent) {
  return new TSpinEdit(min, max, step, value, parent);
}

}  // namespace

TForm1::TForm1(const Options &options, QWidget *parent) : QMainWindow(parent), options_(options) {
  setWindowTitle(QStringLiteral("VO_Vor конфигуратор"));
  setObjectName(QStringLiteral("Form1"));
  resize(841, 398);
  move(275, 174);
  waiter_ = std::make_shared<GuiDeviceWaiter>();
  BuildWindow();
  ConfigTab = new TConfigTab(*this);
  ChannelTabs = new TVCommTabs(*this);
  FormCreate();
}

TForm1::~TForm1() { FormDestroy(); }

QWidget *TForm1::Page(const QString &caption) const {
  for (const auto &[c, w] : pages_)
    if (c == caption) return w;
  return nullptr;
}

void TForm1::SetServicePagesVisible(bool visible) {
  for (int i = 0; i < PageControl1->count(); ++i) {
    bool shown = false;
    for (const char *c : kShownPages) shown = shown || PageControl1->tabText(i) == QString::fromUtf8(c);
    if (!shown) PageControl1->setTabVisible(i, visible);
  }
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
  connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);

  for (const char *caption : kPageCaptions) {
    QString name = QString::fromUtf8(caption);
    QWidget *page = name == QStringLiteral("Наст") ? BuildSettingsPage() : new QWidget;
    page->setObjectName(QStringLiteral("TabSheet_") + name);
    // A page scrolls rather than squeezing the log: the pages are taller in
    // Linux fonts than the window's design size allows for.
    auto *scroller = new QScrollArea;
    scroller->setObjectName(QStringLiteral("TabScroll_") + name);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidget(page);
    PageControl1->addTab(scroller, name);
    pages_.emplace_back(name, page);
  }
  BuildServiceSettingControls();

  auto *view = menuBar()->addMenu(QStringLiteral("Вид"));
  ServicePagesAction = view->addAction(QStringLiteral("Сервисные страницы"));
  ServicePagesAction->setObjectName("ServicePagesAction");
  ServicePagesAction->setCheckable(true);
  connect(ServicePagesAction, &QAction::toggled, this, &TForm1::SetServicePagesVisible);
  SetServicePagesVisible(false);
  for (int i = 0; i < PageControl1->count(); ++i)
    if (PageControl1->tabText(i) == QStringLiteral("Config")) PageControl1->setCurrentIndex(i);
}

QWidget *TForm1::BuildSettingsPage() {
  auto *page = new QWidget;
  auto *form = new QFormLayout;
  CB_Port = new QComboBox(page);
  CB_Port->setObjectName("CB_Port");
  CB_Port->setEditable(true);
  CB_Port->setInsertPolicy(QComboBox::NoInsert);
  CB_Port->setMinimumWidth(260);
  CB_Port->setMaximumWidth(420);
  FillPortChoices(CB_Port);
  CB_Port->setEditText(QStringLiteral("COM1"));
  form->addRow(QStringLiteral("Порт:"), CB_Port);

  CB_Speed = new QComboBox(page);
  CB_Speed->setObjectName("CB_Speed");
  for (int s : shell::PortSpeeds()) CB_Speed->addItem(QString::number(s));
  CB_Speed->setCurrentIndex(3);
  CB_Speed->setMaximumWidth(140);
  form->addRow(QStringLiteral("Скорость:"), CB_Speed);

  CB_DataFormat = new QComboBox(page);
  CB_DataFormat->setObjectName("CB_DataFormat");
  CB_DataFormat->addItems({"8N1", "8E1", "8O1"});
  CB_DataFormat->setCurrentIndex(0);
  auto *formatLabel = new QLabel(QStringLiteral("Формат:"), page);
  form->addRow(formatLabel, CB_DataFormat);
  formatLabel->hide();
  CB_DataFormat->hide();

  SE_UartAddr = SpinEdit(1, 255, 1, 255, page);
  SE_UartAddr->setObjectName("SE_UartAddr");
  SE_UartAddr->setMaximumWidth(100);
  form->addRow(QStringLiteral("Сетевой адрес:"), SE_UartAddr);

  auto *hidden = new QWidget(page);
  auto *hiddenLayout = new QHBoxLayout(hidden);
  RG_WorkProt = new TRadioGroup(QStringLiteral("Протокол"), {"BIN", "ASCII"}, hidden);
  RG_WorkProt->setObjectName("RG_WorkProt");
  RG_WorkProt->SetItemIndex(0);
  SE_PortTimeOut = SpinEdit(100, 10000, 100, 300, hidden);
  SE_PortTimeOut->setObjectName("SE_PortTimeOut");
  SE_PortTimeOut->setToolTip(QStringLiteral("в миллисекундах"));
  RG_NodeAccess = new TRadioGroup(QStringLiteral("Обмен"), {"Direct Node", "Remote Node"}, hidden);
  RG_NodeAccess->setObjectName("RG_NodeAccess");
  RG_NodeAccess->SetItemIndex(0);
  SE_RemoteNodeAddr = SpinEdit(0, 65534, 1, 1, hidden);
  SE_RemoteNodeAddr->setObjectName("SE_RemoteNodeAddr");
  hiddenLayout->addWidget(RG_WorkProt);
  hiddenLayout->addWidget(new QLabel(QStringLiteral("Тайм-аут"), hidden));
  hiddenLayout->addWidget(SE_PortTimeOut);
  hiddenLayout->addWidget(RG_NodeAccess);
  hiddenLayout->addWidget(new QLabel(QStringLiteral("Адрес узла:"), hidden));
  hiddenLayout->addWidget(SE_RemoteNodeAddr);
  hidden->hide();

  auto *outer = new QVBoxLayout(page);
  outer->addLayout(form);
  outer->addWidget(hidden);
  outer->addStretch(1);

  // A port chosen from the list opens at once; a typed name when it is
  // complete (Enter, or leaving the field), not at every keystroke.
  connect(CB_Port, &QComboBox::activated, this, [this] { OpenPort(); });
  connect(CB_Port->lineEdit(), &QLineEdit::editingFinished, this, [this] {
    if (CB_Port->currentText() != lastOpenedPortText_) OpenPort();
  });
  connect(CB_Speed, &QComboBox::currentIndexChanged, this, [this] { OpenPort(); });
  connect(CB_DataFormat, &QComboBox::currentIndexChanged, this, [this] { OpenPort(); });
  connect(SE_UartAddr, &QSpinBox::valueChanged, this, [this] { SE_UartAddrChange(); });
  connect(SE_RemoteNodeAddr, &QSpinBox::valueChanged, this, [this] { SE_RemoteNodeAddrChange(); });
  connect(RG_WorkProt, &TRadioGroup::clicked, this, [this] { RG_WorkProtClick(); });
  connect(RG_NodeAccess, &TRadioGroup::clicked, this, [this] { RG_NodeAccessClick(); });
  return page;
}

// The pages that own these controls come later; the controls exist now so
// that their settings survive a run of this program.
void TForm1::BuildServiceSettingControls() {
  auto place = [this](const char *pageCaption, std::initializer_list<std::pair<const char *, QWidget *>> rows) {
    QWidget *page = Page(QString::fromUtf8(pageCaption));
    auto *form = new QFormLayout(page);
    form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
    for (auto [label, w] : rows) form->addRow(QString::fromUtf8(label), w);
  };
  CB_MeasureDivisor = new QComboBox;
  CB_MeasureDivisor->setObjectName("CB_MeasureDivisor");
  CB_MeasureDivisor->addItems({"XOSC/1", "XOSC/1.5", "XOSC/2", "XOSC/3", "XOSC/4", "XOSC/6", "XOSC/8", "XOSC/12",
                               "XOSC/16", "XOSC/24", "XOSC/32", "XOSC/48", "XOSC/64", "XOSC/96", "XOSC/128",
                               "XOSC/192"});
  CB_MeasureDivisor->setCurrentIndex(0);
  CB_UsedCrystal = new QComboBox;
  CB_UsedCrystal->setObjectName("CB_UsedCrystal");
  CB_UsedCrystal->addItems({"26,480 Mhz", "26,208 Mhz"});
  CB_UsedCrystal->setCurrentIndex(0);
  SE_MeasuredFreq = new QDoubleSpinBox;
  SE_MeasuredFreq->setObjectName("SE_MeasuredFreq");
  SE_MeasuredFreq->setDecimals(3);
  SE_MeasuredFreq->setRange(100000, 40000000);
  SE_MeasuredFreq->setValue(26481010);
  SE_Temperature = SpinEdit(-60, 200, 1, 24, nullptr);
  SE_Temperature->setObjectName("SE_Temperature");
  place("Factory", {{"Режим измерения", CB_MeasureDivisor},
                    {"Используемый кварц", CB_UsedCrystal},
                    {"Измеренная величина (в Hz)", SE_MeasuredFreq},
                    {"t в помещении:", SE_Temperature}});

  SE_NT_Cnt = SpinEdit(2, 2048, 1, 16, nullptr);
  SE_NT_Cnt->setObjectName("SE_NT_Cnt");
  CB_NT_ReadAll = new QCheckBox(QStringLiteral("Read all table"));
  CB_NT_ReadAll->setObjectName("CB_NT_ReadAll");
  place("Node table", {{"", SE_NT_Cnt}, {"", CB_NT_ReadAll}});

  SE_ORVARemCh = SpinEdit(1, 2048, 1, 1, nullptr);
  SE_ORVARemCh->setObjectName("SE_ORVARemCh");
  place("ORVA", {{"", SE_ORVARemCh}});

}

void TForm1::FormCreate() {
  Logger = CreateActionLogger(Panel1);

  Port = std::make_unique<port::TPort>();
  Port->OnReceiveData = [this](const std::string &data) {
    if (ChannelTestReceiver) ChannelTestReceiver(data);
  };
  // The reader thread sees the line go; the window says so in the log. The
  // port is closed (its reader joined) before the window goes away.
  Port->OnHangUp = [this](port::TPort &) {
    QMetaObject::invokeMethod(
        this,
        [this] {
          if (Logger) Logger->AddMessage(shell::PortLostMessage(lastOpenedPortText_.toStdString()));
        },
        Qt::QueuedConnection);
  };

  DirectNode = std::make_unique<modem::ZIZ2400>();
  DirectNode->SetPort(Port.get());
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

  LoadSettings();
  if (options_.startSimulated) CB_Port->setEditText(QString::fromUtf8(shell::kSimulatedModemCaption));

  if (options_.showTerminal) QTimer::singleShot(0, this, [this] { ShowTerminal(); });
  OpenPort();
  for (auto &step : StartupSteps) step();
  RG_NodeAccessClick();
  // The stored address and protocol are for the direct node; the change
  // handlers ran before there was a current node to take them.
  DirectNode->SetDeviceId(static_cast<uint8_t>(SE_UartAddr->value()));
  DirectNode->SetProtocol(RG_WorkProt->ItemIndex() == 0 ? modem::kProtocolBin : 0);
  if (CurrentNode == RemoteNode.get()) SE_RemoteNodeAddrChange();
}

void TForm1::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  Logger.reset();
  SaveSettings();
  // The remote node relays through the direct node, which sits on the port.
  if (RemoteNode) RemoteNode->SetDirectNode(nullptr);
  RemoteNode.reset();
  DirectNode.reset();
  Port.reset();
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
        return text;
      }
    }
    return simulator_->DevicePath();
  }
  return PortNameFromChoice(text);
}

void TForm1::OpenPort() {
  if (!Port || !DirectNode) return;
  if (Port->GetActive()) Port->SetActive(false);
  lastOpenedPortText_ = CB_Port->currentText();
  const std::string portText = lastOpenedPortText_.toStdString();
  bool ok = false;
  int speed = CB_Speed->currentText().toInt(&ok);
  if (!ok) return;  // a speed that is not a number leaves the port closed, silently
  Port->Settings().SetPortName(PortPathFor(portText));
  Port->Settings().SetBaudRate(speed);
  DirectNode->SetTimeOutMs(SE_PortTimeOut->value());
  Port->Settings().SetParity(shell::ParityForDataFormat(CB_DataFormat->currentIndex()));
  util::SleepMs(100);
  Port->SetActive(true);
  if (Port->GetActive())
    Logger->AddMessage(shell::PortReadyMessage(Port->Settings()));
  else
    Logger->AddMessage(shell::PortFailedMessage(portText));
}

void TForm1::DeviceDetailedInfo(device::TCustomDevice &, device::TDeviceDetailMode mode, const std::string &text,
                                int tryNumber) {
  if (!Logger) return;
  switch (mode) {
    case device::TDeviceDetailMode::dmStart:
      Logger->BeginAction(shell::ActionCaption(QTime::currentTime().toString("HH:mm:ss").toStdString(), text));
      break;
    case device::TDeviceDetailMode::dmRepeat:
      if (auto node = Logger->GetCurrentNode()) {
        node->SetText(text);
        node->SetNote(shell::RepeatNote(tryNumber));
      }
      break;
    case device::TDeviceDetailMode::dmDoneOK: Logger->EndSuccess(text); break;
    case device::TDeviceDetailMode::dmDoneFail: Logger->EndError(text); break;
  }
}

void TForm1::DeviceWaitStep(device::TCustomDevice &, const device::TExtWaitProcParams &params) {
  if (Logger) {
    if (auto node = Logger->GetCurrentNode()) node->SetNote(shell::WaitNote(params.Transaction, params.TransactionCount));
  }
  QCoreApplication::processEvents();
}

void TForm1::Button4Click() {
  DirectNode->Stop();
  RemoteNode->Stop();
}

void TForm1::ShowTerminal() { emit ShowTerminalRequested(); }

void TForm1::SE_UartAddrChange() {
  if (CurrentNode) CurrentNode->SetDeviceId(static_cast<uint8_t>(SE_UartAddr->value()));
}

void TForm1::SE_RemoteNodeAddrChange() {
  if (CurrentNode) CurrentNode->SetDeviceId(shell::DeviceIdFromRemoteAddress(SE_RemoteNodeAddr->value()));
}

void TForm1::RG_WorkProtClick() {
  if (CurrentNode) CurrentNode->SetProtocol(RG_WorkProt->ItemIndex() == 0 ? modem::kProtocolBin : 0);
}

void TForm1::RG_NodeAccessClick() {
  CurrentNode = RG_NodeAccess->ItemIndex() == 0 ? static_cast<modem::ZIZ2400 *>(DirectNode.get()) : RemoteNode.get();
}

void TForm1::RunOperation(const std::function<void()> &operation) {
  if (operationDepth_ > 0 || closePending_) return;
  ++operationDepth_;
  operation();
  --operationDepth_;
  if (closePending_) QTimer::singleShot(0, this, &QWidget::close);
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
