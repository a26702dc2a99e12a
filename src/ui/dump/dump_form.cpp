#include "ui/dump/dump_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSaveFile>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "device/custom_device.h"
#include "device/result_code.h"
#include "modem/remote_node.h"
#include "ui/main/page_host.h"
#include "ui/widgets/file_read_text_logic.h"
#include "ui/widgets/hex_view.h"
#include "ui/widgets/spin_edit.h"

namespace {

constexpr int kWidth = 681, kHeight = 371;
// A dump file bigger than this is no dump of a modem's memory.
constexpr size_t kMaxCompareFileBytes = 64 * 1024 * 1024;

QString Q(const std::string &text) { return QString::fromStdString(text); }

ui::hexview::TOffsetFormat OffsetFormatOf(const std::optional<dump_form::TViewContent> &content) {
  if (content && content->offsetsFromBlock) return ui::hexview::TOffsetFormat::StartAndOffset(content->address);
  return ui::hexview::TOffsetFormat::HexFiveDigits();
}

}  // namespace

TDumpForm::TDumpForm(ui::IPageHost &host, std::string settingsPath, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                          Qt::WindowCloseButtonHint),
      host_(host),
      settingsPath_(std::move(settingsPath)) {
  // The main window's closing ends the program, whether this one is open or not.
  setAttribute(Qt::WA_QuitOnClose, false);
  BuildWindow();
  LoadSettings();
  UpdateControls();
}

TDumpForm::~TDumpForm() {
  if (device_) device_->OnTransferProgress = nullptr;
  SaveSettings();
}

void TDumpForm::BuildWindow() {
  setObjectName("DumpForm");
  setWindowTitle(QStringLiteral("Память"));
  setMinimumSize(640, 200);

  auto button = [this](const char *name, const QString &caption) {
    auto *b = new QPushButton(caption, this);
    b->setObjectName(name);
    b->setAccessibleName(QString(caption).remove('&'));
    return b;
  };
  CB_MemType = new QComboBox(this);
  CB_MemType->setObjectName("CB_MemType");
  CB_MemType->setAccessibleName(QStringLiteral("Память"));
  for (const auto &caption : dump_form::MemoryCaptions()) CB_MemType->addItem(Q(caption));
  ReadButton = button("ReadButton", QStringLiteral("Read"));
  SaveButton = button("SaveButton", QStringLiteral("Save to file"));
  Button1 = button("Button1", QStringLiteral("Erase"));
  CompareButton = button("CompareButton", QStringLiteral("Сравнить с файлом…"));

  auto edit = [this](const char *name, int value, QLabel *label) {
    auto *e = new TSpinEdit(0, dump_form::kEditMax, dump_form::kEditStep, 0, this);
    e->setObjectName(name);
    e->setDisplayIntegerBase(16);
    e->setPrefix(QStringLiteral("0x"));
    e->setValue(value);
    label->setBuddy(e);
    e->setAccessibleName(label->text());
    return e;
  };
  Label1 = new QLabel(QStringLiteral("Адрес"), this);
  Label1->setObjectName("Label1");
  Label2 = new QLabel(QStringLiteral("Размер"), this);
  Label2->setObjectName("Label2");
  AddrRxSpinEdit = edit("AddrRxSpinEdit", 0, Label1);
  SizeRxSpinEdit = edit("SizeRxSpinEdit", dump_form::kDefaultSize, Label2);
  AllCheckBox = new QCheckBox(QStringLiteral("полностью"), this);
  AllCheckBox->setObjectName("AllCheckBox");
  AllCheckBox->setAccessibleName(AllCheckBox->text());

  DumpHexEditorEx = new THexView(this);
  DumpHexEditorEx->setObjectName("DumpHexEditorEx");
  DumpHexEditorEx->setAccessibleName(QStringLiteral("Содержимое памяти"));
  DumpHexEditorEx->SetFontPixelSize(15);
  DumpHexEditorEx->SetOffsetFormat(ui::hexview::TOffsetFormat::HexFiveDigits());
  // The view's own save would write without the start address the window's
  // save keeps; its menu offers the window's save and compare instead.
  DumpHexEditorEx->SaveAction()->setVisible(false);
  DumpHexEditorEx->SetEndButtonWanted(false);

  ReadProgress = new QProgressBar(this);
  ReadProgress->setObjectName("ReadProgress");
  ReadProgress->setAccessibleName(QStringLiteral("Ход чтения"));
  // Empty until the first read: "0 из 1 байт" would tell of a read that never ran.
  ReadProgress->setFormat(QString());
  ReadProgress->setRange(0, 1);
  ReadProgress->setValue(0);
  StopButton = button("StopButton", QStringLiteral("&Stop"));
  StatusLabel = new QLabel(this);
  StatusLabel->setObjectName("StatusLabel");
  StatusLabel->setAccessibleName(QStringLiteral("Состояние"));
  StatusLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
  StatusLabel->setWordWrap(true);

  auto *top = new QHBoxLayout;
  top->addWidget(CB_MemType, 1);
  top->addWidget(ReadButton);
  top->addWidget(SaveButton);
  top->addWidget(CompareButton);
  top->addWidget(Button1);
  auto *range = new QHBoxLayout;
  range->addWidget(Label1);
  range->addWidget(AddrRxSpinEdit);
  range->addSpacing(12);
  range->addWidget(Label2);
  range->addWidget(SizeRxSpinEdit);
  range->addSpacing(12);
  range->addWidget(AllCheckBox);
  range->addStretch(1);
  auto *bottom = new QHBoxLayout;
  bottom->addWidget(ReadProgress, 1);
  bottom->addWidget(StopButton);
  auto *layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addLayout(top);
  layout->addLayout(range);
  layout->addWidget(DumpHexEditorEx, 1);
  layout->addLayout(bottom);
  layout->addWidget(StatusLabel);
  // Wider than the usual size where the fixed-pitch font is wider, so a
  // whole row of the dump shows without scrolling sideways.
  resize(std::max(kWidth, sizeHint().width()), kHeight);
  if (QScreen *screen = QGuiApplication::primaryScreen())
    move(screen->availableGeometry().center() - QPoint(width() / 2, height() / 2));

  auto *saveAction = new QAction(SaveButton->text(), this);
  auto *compareAction = new QAction(CompareButton->text(), this);
  connect(saveAction, &QAction::triggered, this, [this] { SaveButtonClick(); });
  connect(compareAction, &QAction::triggered, this, [this] { CompareButtonClick(); });
  DumpHexEditorEx->SetOwnerActions({saveAction, compareAction});

  connect(ReadButton, &QPushButton::clicked, this, [this] { ReadButtonClick(); });
  connect(SaveButton, &QPushButton::clicked, this, [this] { SaveButtonClick(); });
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
  connect(CompareButton, &QPushButton::clicked, this, [this] { CompareButtonClick(); });
  connect(StopButton, &QPushButton::clicked, this, [this] { StopButtonClick(); });
  connect(CB_MemType, &QComboBox::currentIndexChanged, this, [this] { CB_MemTypeChange(); });
  connect(AllCheckBox, &QCheckBox::clicked, this, [this] { AllCheckBoxClick(); });
}

void TDumpForm::ShowForCurrentNode() {
  if (!reading_) SetDevice(host_.CurrentNode());
  show();
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
}

void TDumpForm::closeEvent(QCloseEvent *event) {
  StopButtonClick();
  SaveSettings();
  QWidget::closeEvent(event);
}

void TDumpForm::CB_MemTypeChange() { UpdateControls(); }
void TDumpForm::AllCheckBoxClick() { UpdateControls(); }

void TDumpForm::UpdateControls() {
  const auto state = dump_form::ControlState(CB_MemType->currentIndex(), AllCheckBox->isChecked());
  if (AllCheckBox->isChecked() != state.allChecked) AllCheckBox->setChecked(state.allChecked);
  const bool idle = !reading_;
  AllCheckBox->setEnabled(idle && state.allEnabled);
  AddrRxSpinEdit->setEnabled(idle && state.editsEnabled);
  SizeRxSpinEdit->setEnabled(idle && state.editsEnabled);
  Button1->setEnabled(idle && state.eraseEnabled);
  CB_MemType->setEnabled(idle);
  ReadButton->setEnabled(idle);
  SaveButton->setEnabled(idle && content_.has_value());
  CompareButton->setEnabled(idle && content_.has_value());
  StopButton->setEnabled(reading_);
}

void TDumpForm::SetStatus(const std::string &text) { StatusLabel->setText(Q(text)); }

void TDumpForm::ShowContent() {
  DumpHexEditorEx->SetOffsetFormat(OffsetFormatOf(content_));
  if (content_) {
    DumpHexEditorEx->SetBytes(content_->bytes, content_->viewStart);
    // A partial read starts at its address: show that row, not the empty ones above it.
    DumpHexEditorEx->Select(content_->viewStart, content_->viewStart);
    DumpHexEditorEx->ScrollToOffset(content_->viewStart);
  } else
    DumpHexEditorEx->Clear();
}

void TDumpForm::OnProgress(size_t done, size_t total) {
  ReadProgress->setFormat(QStringLiteral("%v из %m байт"));
  ReadProgress->setRange(0, static_cast<int>(std::max<size_t>(total, 1)));
  ReadProgress->setValue(static_cast<int>(std::min(done, total)));
  SetStatus(dump_form::ProgressText(done, total));
  host_.ShowProgress(windowTitle().toStdString(), static_cast<int>(done), static_cast<int>(total));
}

void TDumpForm::ReadButtonClick() {
  if (reading_) return;
  const int index = CB_MemType->currentIndex();
  const auto request =
      dump_form::Request(index, AllCheckBox->isChecked(), AddrRxSpinEdit->value(), SizeRxSpinEdit->value());
  content_.reset();
  ShowContent();
  if (!device_) {
    SetStatus(dump_form::kNoNodeText);
    UpdateControls();
    return;
  }
  modem::ZIZ2400 &node = *device_;
  reading_ = true;
  stopRequested_ = false;
  ReadProgress->setFormat(QString());
  ReadProgress->setRange(0, 1);
  ReadProgress->setValue(0);
  UpdateControls();
  node.OnTransferProgress = [this](size_t done, size_t total) { OnProgress(done, total); };
  modem::TDumpRead read;
  const bool ran = host_.RunOperation([&] { read = modem::ReadDump(node, request); });
  node.OnTransferProgress = nullptr;
  host_.ShowProgress({}, 0, 0);
  reading_ = false;

  const auto memory = request.memory;
  content_ = dump_form::ViewContent(memory, read);
  ShowContent();
  if (!ran)
    SetStatus(dump_form::kBusyText);
  else if (!read.ok && (stopRequested_ || node.ResultCode().Code == device::rcAborted.Code))
    SetStatus(dump_form::kStoppedText);
  else
    SetStatus(dump_form::ReadOutcomeText(memory, read, node.ResultCode().Code == 0 ? "" : node.ResultCode().Msg));
  UpdateControls();
}

void TDumpForm::StopButtonClick() {
  if (!reading_ || !device_) return;
  stopRequested_ = true;
  device_->Stop();
  // A remote node's request waits inside the direct node's transaction.
  if (auto *remote = dynamic_cast<modem::ZIZ2400_RemoteNode *>(device_))
    if (remote->GetDirectNode()) remote->GetDirectNode()->Stop();
}

std::string TDumpForm::NodeText() const {
  if (auto *remote = dynamic_cast<modem::ZIZ2400_RemoteNode *>(device_))
    return dump_form::NodeText(true, remote->GetRemoteAddress());
  return dump_form::NodeText(false, device_ ? device_->GetDeviceId() : 0);
}

void TDumpForm::Button1Click() {
  const auto memory = dump_form::MemoryAt(CB_MemType->currentIndex());
  if (reading_ || !modem::DumpMemoryInfo(memory).erasable) return;
  if (!device_) {
    SetStatus(dump_form::kNoNodeText);
    return;
  }
  const QString question = Q(dump_form::EraseQuestion(memory, NodeText()));
  const bool yes = Confirm ? Confirm(question)
                           : QMessageBox::question(this, windowTitle(), question, QMessageBox::Yes | QMessageBox::No,
                                                   QMessageBox::No) == QMessageBox::Yes;
  if (!yes) return;
  // What the view shows is no longer in the modem.
  content_.reset();
  ShowContent();
  modem::ZIZ2400 &node = *device_;
  bool ok = false;
  if (!host_.RunOperation([&] { ok = modem::EraseDumpMemory(node, memory); })) {
    SetStatus(dump_form::kBusyText);
  } else {
    SetStatus(dump_form::EraseOutcomeText(memory, ok, node.ResultCode().Msg));
  }
  UpdateControls();
}

QString TDumpForm::DefaultAskSaveFileName(const QString &proposedPath) {
  QFileDialog dialog(this, QStringLiteral("Save to file"), proposedPath);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  const QStringList filters{QStringLiteral("Map (*.map)"), QStringLiteral("Intel HEX (*.hex)"),
                            QStringLiteral("Текст (*.txt)"), QStringLiteral("Все (*.*)")};
  dialog.setNameFilters(filters);
  dialog.setDefaultSuffix(QStringLiteral("map"));
  connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, filters](const QString &filter) {
    const int k = static_cast<int>(filters.indexOf(filter));
    dialog.setDefaultSuffix(k == 1 ? QStringLiteral("hex") : k == 2 ? QStringLiteral("txt") : QStringLiteral("map"));
  });
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

void TDumpForm::SaveButtonClick() {
  if (!content_) {
    SetStatus(dump_form::kNothingReadText);
    return;
  }
  if (!SaveDialogInitialDir.isEmpty() && !QDir(SaveDialogInitialDir).exists()) SaveDialogInitialDir.clear();
  const QString proposed = QDir(SaveDialogInitialDir.isEmpty() ? QDir::currentPath() : SaveDialogInitialDir)
                               .filePath(Q(dump_form::ProposedFileName(*content_)));
  const QString path = AskSaveFileName ? AskSaveFileName(proposed) : DefaultAskSaveFileName(proposed);
  if (path.isEmpty()) return;
  SaveDialogInitialDir = QFileInfo(path).absolutePath();
  const std::string text =
      util::DumpFileText(content_->Image(), dump_form::FormatForFileName(path.toStdString()));
  QSaveFile file(path);
  const bool ok = file.open(QIODevice::WriteOnly) &&
                  file.write(text.data(), static_cast<qint64>(text.size())) == static_cast<qint64>(text.size()) &&
                  file.commit();
  SetStatus(ok ? dump_form::SavedText(path.toStdString(), content_->bytes.size())
               : dump_form::NotSavedText(path.toStdString(), file.errorString().toStdString()));
}

void TDumpForm::CompareButtonClick() {
  if (!content_) {
    SetStatus(dump_form::kNothingReadText);
    return;
  }
  const QString folder = SaveDialogInitialDir.isEmpty() ? QDir::currentPath() : SaveDialogInitialDir;
  const QString path =
      AskCompareFileName
          ? AskCompareFileName(folder)
          : QFileDialog::getOpenFileName(this, QStringLiteral("Сравнить с файлом"), folder,
                                         QStringLiteral("Дампы (*.map *.hex *.txt);;Все (*.*)"));
  if (path.isEmpty()) return;
  const util::FileRead file = util::ReadBoundedFile(path.toStdString(), kMaxCompareFileBytes);
  std::string error = ui::FileReadProblemText(file);
  std::optional<util::TDumpImage> other;
  if (error.empty()) other = util::ParseDumpFile(file.bytes, path.toStdString(), &error);
  if (!other) {
    SetStatus(dump_form::NotReadText(path.toStdString(), error));
    return;
  }
  const auto comparison = util::CompareDumps(content_->Image(), *other);
  ShowContent();  // marks of an earlier comparison go
  for (const auto &r : dump_form::ViewRanges(*content_, comparison.differing))
    DumpHexEditorEx->MarkChanged(r.first, size_t{r.last} + 1);
  DumpHexEditorEx->viewport()->update();
  SetStatus(dump_form::CompareSummary(comparison));
}
