// The page "Наст": port, speed, addresses, protocol and node access.
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "app/form1.h"
#include "app/port_choices.h"
#include "modem/frame_codec.h"
#include "ui/main/shell_logic.h"
#include "ui/widgets/radio_group.h"
#include "ui/widgets/spin_edit.h"

namespace {

QSpinBox *SpinEdit(const char *name, int min, int max, int step, int value, QWidget *parent) {
  auto *s = new TSpinEdit(min, max, step, value, parent);
  s->setObjectName(name);
  return s;
}

QLabel *Label(const QString &text, QWidget *buddy, QWidget *parent) {
  auto *l = new QLabel(text, parent);
  l->setBuddy(buddy);
  return l;
}

}  // namespace

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
  auto *formatLabel = Label(QStringLiteral("Формат:"), CB_DataFormat, page);
  form->addRow(formatLabel, CB_DataFormat);

  SE_UartAddr = SpinEdit("SE_UartAddr", 1, 255, 1, 255, page);
  SE_UartAddr->setMaximumWidth(100);
  form->addRow(QStringLiteral("Сетевой адрес:"), SE_UartAddr);

  // The controls below are for service work: "Сервисные страницы" shows them.
  auto *hidden = new QWidget(page);
  hidden->setObjectName("ServiceSettings");
  auto *hiddenLayout = new QHBoxLayout(hidden);
  RG_WorkProt = new TRadioGroup(QStringLiteral("Протокол"), {"BIN", "ASCII"}, hidden);
  RG_WorkProt->setObjectName("RG_WorkProt");
  RG_WorkProt->SetItemIndex(0);
  SE_PortTimeOut = SpinEdit("SE_PortTimeOut", 100, 10000, 100, 300, hidden);
  SE_PortTimeOut->setToolTip(QStringLiteral("в миллисекундах"));
  RG_NodeAccess = new TRadioGroup(QStringLiteral("Обмен"), {"Direct Node", "Remote Node"}, hidden);
  RG_NodeAccess->setObjectName("RG_NodeAccess");
  RG_NodeAccess->SetItemIndex(0);
  SE_RemoteNodeAddr = SpinEdit("SE_RemoteNodeAddr", 0, 65534, 1, 1, hidden);
  hiddenLayout->addWidget(RG_WorkProt);
  hiddenLayout->addWidget(Label(QStringLiteral("Тайм-аут"), SE_PortTimeOut, hidden));
  hiddenLayout->addWidget(SE_PortTimeOut);
  hiddenLayout->addWidget(RG_NodeAccess);
  hiddenLayout->addWidget(Label(QStringLiteral("Адрес узла:"), SE_RemoteNodeAddr, hidden));
  hiddenLayout->addWidget(SE_RemoteNodeAddr);
  hiddenLayout->addStretch(1);
  serviceOnlyControls_ = {formatLabel, CB_DataFormat, hidden};

  L_PortState = new QLabel(page);
  L_PortState->setObjectName("L_PortState");
  L_PortState->setAccessibleName(QStringLiteral("Состояние порта"));
  form->addRow(QString(), L_PortState);
  // Why a port would not open and what to do, in full: the log's column cuts
  // it short, and the command it may suggest is there to be copied.
  L_PortProblem = new QLabel(page);
  L_PortProblem->setObjectName("L_PortProblem");
  L_PortProblem->setAccessibleName(QStringLiteral("Причина"));
  L_PortProblem->setWordWrap(true);
  L_PortProblem->setTextInteractionFlags(Qt::TextSelectableByMouse);
  L_PortProblem->hide();
  form->addRow(QString(), L_PortProblem);

  auto *outer = new QVBoxLayout(page);
  outer->addLayout(form);
  outer->addWidget(hidden);
  outer->addStretch(1);
  ConnectSettingsPage();
  return page;
}

void TForm1::ConnectSettingsPage() {
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
}

void TForm1::UpdatePortState() {
  if (!L_PortState || !port_) return;
  const bool open = port_->GetActive();
  const shell::TPortState state = port_->LineLost() ? shell::TPortState::psLost
                                  : open            ? shell::TPortState::psOpen
                                                    : shell::TPortState::psClosed;
  L_PortState->setText(
      QString::fromStdString(shell::PortStateText(state, port_->Settings(), lastOpenedPortText_.toStdString())));
  L_PortState->setStyleSheet(open ? QString() : QStringLiteral("color: #b00000;"));
  const std::string problem = state == shell::TPortState::psClosed
                                  ? shell::PortProblemText(port_->DeviceName(), port_->OpenError())
                                  : std::string();
  L_PortProblem->setText(QString::fromStdString(problem));
  L_PortProblem->setVisible(!problem.empty());
}

void TForm1::SE_UartAddrChange() {
  if (currentNode_) currentNode_->SetDeviceId(static_cast<uint8_t>(SE_UartAddr->value()));
}

// The remote node tunnels to the address typed here; the direct node keeps
// its own address.
void TForm1::SE_RemoteNodeAddrChange() {
  if (!RemoteNode) return;
  RemoteNode->SetRemoteAddress(static_cast<uint16_t>(SE_RemoteNodeAddr->value()));
  RemoteNode->SetDeviceId(shell::DeviceIdFromRemoteAddress(SE_RemoteNodeAddr->value()));
}

void TForm1::RG_WorkProtClick() {
  if (currentNode_) currentNode_->SetProtocol(RG_WorkProt->ItemIndex() == 0 ? modem::kProtocolBin : 0);
}

void TForm1::RG_NodeAccessClick() {
  currentNode_ =
      RG_NodeAccess->ItemIndex() == 0 ? static_cast<modem::ZIZ2400 *>(DirectNode.get()) : RemoteNode.get();
}
