#include "ui/terminal/term_form.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QThread>
#include <QTimer>
#include <QVBoxLayout>

#include "modem/meter_requests.h"
#include "port/port.h"
#include "ui/main/page_host.h"
#include "ui/terminal/calculator.h"
#include "ui/terminal/net_num_form.h"
#include "ui/terminal/term_form_logic.h"
#include "ui/terminal/term_frames_logic.h"
#include "ui/widgets/hex_view.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/spin_edit.h"

TTermForm::TTermForm(ui::IPageHost &host, TNetNumForm &netNum, std::string settingsPath, QWidget *parent)
    : QWidget(parent, Qt::Window), host_(host), netNum_(netNum), settingsPath_(std::move(settingsPath)) {
  setObjectName("TermForm");
  setWindowTitle("Терминал");
  setAttribute(Qt::WA_DeleteOnClose);
  // Closing the main window ends the program even while the terminal is open.
  setAttribute(Qt::WA_QuitOnClose, false);
  resize(629, 475);
  setMinimumSize(629, 200);
  AskNetNumber = [this](int kind) { return netNum_.AskNetNumber(kind); };
  ShowMessage = [this](const QString &text) { QMessageBox::information(this, "Контрольная сумма", text); };

  BuildControls();
  BuildMenus();

  PortLink1.OnReceiveData = [this](const std::string &data) { PortLink1ReceiveData(data); };
  PortLink1.OnSendData = [this](const std::string &data) { PortLink1SendData(data); };

  Timer1 = new QTimer(this);
  Timer1->setInterval(200);
  connect(Timer1, &QTimer::timeout, this, &TTermForm::Timer1Timer);
  Timer1->start();

  RestoreSettings();
  BuildMacroItems();
}

TTermForm::~TTermForm() {
  // Off the port first: the reader thread must not reach a half-destroyed window.
  PortLink1.SetPort(nullptr);
  SaveSettings();
}

void TTermForm::BuildControls() {
  auto *root = new QVBoxLayout(this);
  MPHexEditorEx1 = new THexView(this);
  MPHexEditorEx1->setObjectName("MPHexEditorEx1");
  MPHexEditorEx1->setAccessibleName("Байты на линии");
  MPHexEditorEx1->ExtraToolTip = [this](size_t offset) {
    return term::FrameDescriptionAt(MPHexEditorEx1->Model(), offset);
  };
  root->addWidget(MPHexEditorEx1, 1);
  FrameLabel = new QLabel(this);
  FrameLabel->setObjectName("FrameLabel");
  FrameLabel->setAccessibleName("Кадр");
  FrameLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  root->addWidget(FrameLabel);
  connect(MPHexEditorEx1, &THexView::SelectionChanged, this, [this] {
    // The frame at the selection's start (or the cursor) in words.
    const auto s = MPHexEditorEx1->Selection();
    FrameLabel->setText(QString::fromStdString(term::FrameDescriptionAt(MPHexEditorEx1->Model(), s.From())));
  });

  auto *sendRow = new QHBoxLayout;
  FormatRadioGroup = new TRadioGroup("Формат", {"ASCII", "BIN"}, this);
  FormatRadioGroup->setObjectName("FormatRadioGroup");
  FormatRadioGroup->SetItemIndex(0);
  sendRow->addWidget(FormatRadioGroup);
  auto *sendBox = new QVBoxLayout;
  auto *sendLabel = new QLabel("Буфер отправки", this);
  ToSendEdit = new QLineEdit(this);
  ToSendEdit->setObjectName("ToSendEdit");
  sendLabel->setBuddy(ToSendEdit);
  ToSendEdit->setContextMenuPolicy(Qt::CustomContextMenu);
  SendFaultLabel = new QLabel(this);
  SendFaultLabel->setObjectName("SendFaultLabel");
  SendFaultLabel->setStyleSheet("color: #B00000;");
  SendFaultLabel->setWordWrap(true);
  SendFaultLabel->hide();
  sendBox->addWidget(sendLabel);
  sendBox->addWidget(ToSendEdit);
  sendBox->addWidget(SendFaultLabel);
  sendRow->addLayout(sendBox, 1);
  SendButton = new QPushButton("Отправить", this);
  SendButton->setObjectName("SendButton");
  SendButton->setDefault(true);
  sendRow->addWidget(SendButton, 0, Qt::AlignBottom);
  root->addLayout(sendRow);

  auto *lower = new QHBoxLayout;
  GroupBox1 = new QGroupBox("Транзит", this);
  GroupBox1->setObjectName("GroupBox1");
  BuildTransitGroup(GroupBox1);
  lower->addWidget(GroupBox1, 1);
  auto *buttons = new QVBoxLayout;
  PortButton = new QPushButton("Порт", this);
  PortButton->setObjectName("PortButton");
  CalcButton = new QPushButton("Калькулятор", this);
  CalcButton->setObjectName("CalcButton");
  Button1 = new QPushButton("Макро", this);
  Button1->setObjectName("Button1");
  for (auto *b : {PortButton, CalcButton, Button1}) {
    b->setAutoDefault(false);
    buttons->addWidget(b);
  }
  buttons->addStretch();
  lower->addLayout(buttons);
  root->addLayout(lower);

  connect(SendButton, &QPushButton::clicked, this, &TTermForm::SendButtonClick);
  connect(ToSendEdit, &QLineEdit::returnPressed, this, &TTermForm::SendButtonClick);
  connect(ToSendEdit, &QLineEdit::textEdited, SendFaultLabel, &QLabel::hide);
  connect(CalcButton, &QPushButton::clicked, this, &TTermForm::CalcButtonClick);
  connect(Button1, &QPushButton::clicked, this, &TTermForm::Button1Click);
  connect(TransitCheckBox, &QCheckBox::clicked, this, &TTermForm::TransitCheckBoxClick);
  // "Порт" has no action of its own.
}

void TTermForm::BuildTransitGroup(QWidget *parent) {
  auto *box = new QHBoxLayout(parent);
  TransitCheckBox = new QCheckBox(parent);
  TransitCheckBox->setObjectName("TransitCheckBox");
  TransitCheckBox->setAccessibleName("Транзит");
  box->addWidget(TransitCheckBox, 0, Qt::AlignTop);
  TransitPanel = new QWidget(parent);
  TransitPanel->setObjectName("TransitPanel");
  box->addWidget(TransitPanel, 1);
  auto *grid = new QGridLayout(TransitPanel);
  grid->setContentsMargins(0, 0, 0, 0);
  int cell = 0;
  auto place = [&](const QString &label, QWidget *w, const char *name) {
    w->setObjectName(name);
    auto *l = new QLabel(label, TransitPanel);
    l->setBuddy(w);
    w->setAccessibleName(QString(label).remove(':').trimmed());
    grid->addWidget(l, (cell / 5) * 2, cell % 5);
    grid->addWidget(w, (cell / 5) * 2 + 1, cell % 5);
    ++cell;
  };
  const QStringList speeds{"57600", "28800", "19200", "9600", "4800", "2400", "1200",
                           "600",   "300",   "150",   "110",  "100",  "75"};
  ChannelComboBox = new QComboBox(TransitPanel);
  ChannelComboBox->addItems({"0", "1", "2", "Осн.", "Доп."});
  ChannelComboBox->setCurrentIndex(1);
  place("Канал", ChannelComboBox, "ChannelComboBox");
  OutSpeedComboBox = new QComboBox(TransitPanel);
  OutSpeedComboBox->addItems(speeds);
  OutSpeedComboBox->setCurrentIndex(3);
  place("Передача", OutSpeedComboBox, "OutSpeedComboBox");
  InSpeedComboBox = new QComboBox(TransitPanel);
  InSpeedComboBox->addItems(speeds);
  InSpeedComboBox->setCurrentIndex(3);
  place("Прием", InSpeedComboBox, "InSpeedComboBox");
  FormatComboBox = new QComboBox(TransitPanel);
  FormatComboBox->addItems({"8N1", "8O1", "8E1"});
  place("Формат", FormatComboBox, "FormatComboBox");
  TimeOutSpinEdit = new TSpinEdit(0, 12750, 50, 300, TransitPanel);
  place("Таймаут", TimeOutSpinEdit, "TimeOutSpinEdit");
  MarkerRxSpinEdit = new TSpinEdit(0, 255, 1, 0xFF, TransitPanel);
  MarkerRxSpinEdit->setDisplayIntegerBase(16);
  MarkerRxSpinEdit->setPrefix("0x");
  place("Разд.", MarkerRxSpinEdit, "MarkerRxSpinEdit");
  LenSpinEdit = new TSpinEdit(0, 255, 1, 255, TransitPanel);
  place("Длина", LenSpinEdit, "LenSpinEdit");
  InterfaceComboBox = new QComboBox(TransitPanel);
  InterfaceComboBox->setEditable(true);
  InterfaceComboBox->addItems({"RS232TTL", "RS232", "RS485", "RS232TTL-Multical"});
  InterfaceComboBox->setCurrentIndex(2);
  place("Интерфейс", InterfaceComboBox, "InterfaceComboBox");
  TransitAnswerLabel = new QLineEdit(TransitPanel);
  TransitAnswerLabel->setReadOnly(true);
  TransitAnswerLabel->setStyleSheet("background: silver;");
  place("Ответ :", TransitAnswerLabel, "TransitAnswerLabel");
  TransitPanel->setEnabled(false);
}

void TTermForm::BuildMenus() {
  ClearItem = new QAction("Очистить", this);
  CopyItem = new QAction("Копировать для отправки", this);
  N1 = new QAction("Контрольная сумма", this);
  connect(ClearItem, &QAction::triggered, this, &TTermForm::ClearItemClick);
  connect(CopyItem, &QAction::triggered, this, &TTermForm::CopyItemClick);
  connect(N1, &QAction::triggered, this, &TTermForm::CSItemClick);
  MPHexEditorEx1->SetOwnerActions({ClearItem, CopyItem, N1});

  OutBufPopupMenu = new QMenu(this);
  OutBufPopupMenu->setObjectName("OutBufPopupMenu");
  auto test = [this](const char *caption, modem::TMeterTest kind) {
    QAction *a = OutBufPopupMenu->addAction(caption);
    connect(a, &QAction::triggered, this, [this, kind] { RunTest(kind); });
    return a;
  };
  TestVesk = test("Тест ВЕСК", modem::TMeterTest::Vesk);
  TestMerc200 = test("Тест Меркурий 200.02", modem::TMeterTest::Merc200);
  TestMerc230 = test("Тест Меркурий 230", modem::TMeterTest::Merc230);
  TestPSC = test("Тест ПСЧ", modem::TMeterTest::Psc);
  TestSET_CS = test("Тест СЭТ-4ТМ (CS)", modem::TMeterTest::SetCs);
  TestSET_CRC = test("Тест СЭТ-4ТМ (CRC)", modem::TMeterTest::SetCrc);
  CE68__Test = test("Тест ЦЭ68**", modem::TMeterTest::Ce68);
  GetMacroItem = OutBufPopupMenu->addMenu("Выбрать макрос");
  SetMacroItem = OutBufPopupMenu->addMenu("Сохранить макрос");
  OutBufPopupMenu->addSeparator();
  CSItem = OutBufPopupMenu->addAction("Контрольная сумма");
  connect(CSItem, &QAction::triggered, this, &TTermForm::CSItemClick);
  connect(ToSendEdit, &QLineEdit::customContextMenuRequested, this,
          [this](const QPoint &pos) { OutBufPopupMenu->popup(ToSendEdit->mapToGlobal(pos)); });
}

// An '&' in a macro would read as a mnemonic marker in a menu caption.
static QString MenuText(const std::string &caption) { return QString::fromStdString(caption).replace("&", "&&"); }

void TTermForm::BuildMacroItems() {
  for (int n = 1; n <= 10; ++n) {
    const QString caption = MenuText(term::MacroCaption(n, macros_[static_cast<size_t>(n - 1)]));
    QAction *get = new QAction(caption, GetMacroItem);
    get->setData(n);
    GetMacroItem->addAction(get);
    connect(get, &QAction::triggered, this, [this, n] { ToSendEdit->setText(QString::fromStdString(Macro(n))); });
    QAction *set = new QAction(caption, SetMacroItem);
    set->setData(n);
    SetMacroItem->addAction(set);
    connect(set, &QAction::triggered, this, [this, n] { SetMacro(n); });
    getMacroActions_[static_cast<size_t>(n - 1)] = get;
    setMacroActions_[static_cast<size_t>(n - 1)] = set;
  }
}

void TTermForm::SetMacro(int number) {
  const auto i = static_cast<size_t>(number - 1);
  macros_[i] = ToSendEdit->text().toStdString();
  const QString caption = MenuText(term::MacroCaption(number, macros_[i]));
  getMacroActions_[i]->setText(caption);
  setMacroActions_[i]->setText(caption);
}

void TTermForm::SetPort(port::TPort *port) { PortLink1.SetTPort(port); }

bool TTermForm::Bin() const { return FormatRadioGroup->ItemIndex() == 1; }

void TTermForm::PortLink1ReceiveData(const std::string &data) {
  std::lock_guard<std::mutex> lock(RxLock);
  PendingRx += data;
}

void TTermForm::PortLink1SendData(const std::string &data) {
  // Every sender in the program runs on the window's thread; one that does
  // not is shown when the window's thread gets to it, never from its own.
  if (QThread::currentThread() != thread()) {
    QMetaObject::invokeMethod(this, [this, data] { PortLink1SendData(data); }, Qt::QueuedConnection);
    return;
  }
  FlushReceived();
  const size_t at = AppendToView(data);
  MPHexEditorEx1->MarkChanged(at, at + data.size());
}

void TTermForm::Timer1Timer() { FlushReceived(); }

void TTermForm::FlushReceived() {
  std::string bytes;
  {
    std::lock_guard<std::mutex> lock(RxLock);
    bytes.swap(PendingRx);
  }
  if (!bytes.empty()) AppendToView(bytes);
}

size_t TTermForm::AppendToView(const std::string &bytes) {
  if (term::ClearsBeforeAppend(MPHexEditorEx1->Size())) MPHexEditorEx1->Clear();
  const size_t at = MPHexEditorEx1->Size();
  MPHexEditorEx1->Append(bytes);
  return at;
}

void TTermForm::SendButtonClick() {
  const term::TSendData data = term::SendData(ToSendEdit->text().toStdString(), Bin());
  if (!data.ok) {
    ShowSendFault(*data.faultAt, data.fault);
    return;
  }
  SendFaultLabel->hide();
  if (data.bytes.empty()) return;
  if (port::TPort *port = PortLink1.GetTPort()) port->SendData(data.bytes);
}

void TTermForm::ShowSendFault(size_t at, const std::string &why) {
  const QString text = ToSendEdit->text();
  // The fault's place counts bytes of UTF-8; the edit counts characters.
  const int position = static_cast<int>(QString::fromUtf8(text.toUtf8().left(static_cast<qsizetype>(at))).size());
  ToSendEdit->setFocus();
  ToSendEdit->setSelection(position, 1);
  SendFaultLabel->setText(QString("Не отправлено: символ %1 «%2» — %3. Исправьте текст (пары шестнадцатеричных цифр) или выберите формат ASCII.")
                              .arg(position + 1)
                              .arg(text.mid(position, 1), QString::fromStdString(why)));
  SendFaultLabel->show();
}

void TTermForm::ClearItemClick() { MPHexEditorEx1->Clear(); }

void TTermForm::CopyItemClick() {
  ToSendEdit->setText(QString::fromStdString(term::SendBoxText(MPHexEditorEx1->SelectedBytes(), Bin())));
}

QString TTermForm::SourceText() const {
  if (ToSendEdit->hasFocus()) return ToSendEdit->hasSelectedText() ? ToSendEdit->selectedText() : ToSendEdit->text();
  return QString::fromStdString(term::SendBoxText(MPHexEditorEx1->SelectedBytes(), Bin()));
}

void TTermForm::CSItemClick() {
  const QString text = SourceText();
  if (text.isEmpty()) return;
  // ASCII text is summed as the line would carry it.
  const std::string source = Bin() ? text.toStdString() : term::LineBytes(text.toStdString());
  ShowMessage(QString::fromStdString(modem::ChecksumMessage(source, Bin())));
}

void TTermForm::PutToSend(const std::string &bytes) {
  ToSendEdit->setText(QString::fromStdString(term::SendBoxText(bytes, true)));
  FormatRadioGroup->SetItemIndex(1);
}

void TTermForm::RunTest(modem::TMeterTest test) {
  const int number = AskNetNumber(modem::NetNumberKind(test));
  if (number < 0) return;
  const modem::TMeterRequest request = modem::BuildMeterTest(test, number, Bin());
  SendFaultLabel->hide();
  if (request.bin) return PutToSend(request.bytes);
  ToSendEdit->setText(QString::fromStdString(request.text));
  FormatRadioGroup->SetItemIndex(0);
}

void TTermForm::TransitCheckBoxClick() { TransitPanel->setEnabled(TransitCheckBox->isChecked()); }

void TTermForm::CalcButtonClick() {
  QString error;
  if (!term::StartCalculator(&error)) QMessageBox::information(this, "Калькулятор", error);
}

void TTermForm::Button1Click() { OutBufPopupMenu->popup(QCursor::pos()); }

void TTermForm::closeEvent(QCloseEvent *event) {
  // WA_DeleteOnClose frees the window; the host's pointer to it clears itself.
  event->accept();
}
