#include "ui/main/registers_tab.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSaveFile>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "modem/register_file_text.h"
#include "ui/main/page_host.h"
#include "ui/main/page_sheet.h"
#include "ui/main/registers_table_model.h"
#include "ui/widgets/dialog_folder.h"
#include "ui/widgets/file_read_text_logic.h"
#include "ui/widgets/spin_edit.h"

using registers_tab::ReferenceKind;

namespace {

// A register file is a few kilobytes; anything far larger is not one.
constexpr size_t kLargestRegisterFile = 1 << 20;

QPushButton *Button(const char *name, const QString &caption) {
  auto *b = new QPushButton(caption);
  b->setObjectName(name);
  return b;
}

QString Text(const std::string &s) { return QString::fromStdString(s); }

// Keyboard focus alone does not make the first row current (Qt's habit):
// a register is chosen by a click or the arrow keys, so "Write register"
// never writes a row the user did not pick.
class TRegisterTableView : public QTableView {
 protected:
  void focusInEvent(QFocusEvent *event) override {
    QFocusEvent asByMouse(event->type(), Qt::MouseFocusReason);
    QTableView::focusInEvent(&asByMouse);
  }
};

}  // namespace

TRegistersTab::TRegistersTab(ui::IPageHost &host, QWidget *sheet)
    : QWidget(sheet), host_(host), model_(new TRegistersTableModel(page_, this)) {
  setObjectName("RegistersTab");
  ui::FillSheet(sheet, this);
  ChooseFile = [this](FileDialog kind) { return DefaultChooseFile(kind); };
  Confirm = [this](const QString &question, const QString &details) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Регистры"), question, QMessageBox::Yes | QMessageBox::No,
                    VST1->window());
    box.setInformativeText(details);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
  };
  BuildPage();
}

void TRegistersTab::BuildPage() {
  VST1 = new TRegisterTableView;
  VST1->setObjectName("VST1");
  VST1->setAccessibleName(QStringLiteral("Регистры"));
  VST1->setModel(model_);
  VST1->setSelectionBehavior(QAbstractItemView::SelectRows);
  VST1->setSelectionMode(QAbstractItemView::SingleSelection);
  VST1->setEditTriggers(QAbstractItemView::NoEditTriggers);
  VST1->setShowGrid(true);
  VST1->verticalHeader()->hide();
  VST1->verticalHeader()->setDefaultSectionSize(VST1->fontMetrics().height() + 4);
  auto *header = VST1->horizontalHeader();
  header->setStretchLastSection(false);
  for (int c = 0; c < registers_tab::kColumnCount; ++c) {
    header->setSectionResizeMode(c, c == registers_tab::colComment ? QHeaderView::Interactive : QHeaderView::Fixed);
    VST1->setColumnWidth(c, registers_tab::ColumnWidth(c));
  }
  // Linux fonts run wider than the design's: the comment column grows to its
  // longest text in bold (all bits set gives the longest ones).
  QFont bold = VST1->font();
  bold.setBold(true);
  const QFontMetrics metrics(bold);
  modem::TRegisterImage allSet;
  allSet.fill(0xFF);
  int commentWidth = registers_tab::ColumnWidth(registers_tab::colComment);
  for (int row = 0; row < modem::kRegisterRowCount; ++row)
    commentWidth = std::max(commentWidth, metrics.horizontalAdvance(Text(modem::RegisterComment(allSet, row))) + 12);
  VST1->setColumnWidth(registers_tab::colComment, commentWidth);

  Button6 = Button("Button6", QStringLiteral("Read registers"));
  auto *strobes = new QGridLayout;
  strobes->setSpacing(2);
  const auto &commands = modem::StrobeCommands();
  for (int i = 0; i < modem::kStrobeCount; ++i) {
    const auto &s = commands[i];
    StrobeButtons[i] = Button((std::string("Btn_Strobe") + s.caption).c_str(), QString::fromLatin1(s.caption));
    StrobeButtons[i]->setToolTip(Text(std::string(s.name) + " (" + modem::RegisterHexText(s.code) + ")"));
    strobes->addWidget(StrobeButtons[i], i / 7, i % 7);
    connect(StrobeButtons[i], &QPushButton::clicked, this, [this, code = s.code] { StrobeClick(code); });
  }
  SE_RegValue = new TSpinEdit(0, 255, 1, 0);
  SE_RegValue->setObjectName("SE_RegValue");
  SE_RegValue->setAccessibleName(QStringLiteral("Значение регистра"));
  Button3 = Button("Button3", QStringLiteral("Write register"));

  auto *actions = new QHBoxLayout;
  actions->addWidget(Button6, 0, Qt::AlignTop);
  actions->addLayout(strobes);
  actions->addStretch(1);
  actions->addWidget(SE_RegValue, 0, Qt::AlignTop);
  actions->addWidget(Button3, 0, Qt::AlignTop);

  auto *referenceLabel = new QLabel(QStringLiteral("Сравнить с:"));
  CB_RegReference = new QComboBox;
  CB_RegReference->setObjectName("CB_RegReference");
  CB_RegReference->addItems({QStringLiteral("предыдущим чтением"), QStringLiteral("значениями после сброса"),
                             QStringLiteral("файлом")});
  referenceLabel->setBuddy(CB_RegReference);
  L_RegCompare = new QLabel;
  L_RegCompare->setObjectName("L_RegCompare");
  Btn_RegSave = Button("Btn_RegSave", QStringLiteral("Сохранить…"));
  Btn_RegLoad = Button("Btn_RegLoad", QStringLiteral("Загрузить…"));
  Btn_RegExport = Button("Btn_RegExport", QStringLiteral("Экспорт в C…"));
  Btn_RegWriteFile = Button("Btn_RegWriteFile", QStringLiteral("Записать файл в модем…"));
  auto *files = new QHBoxLayout;
  files->addWidget(referenceLabel);
  files->addWidget(CB_RegReference);
  files->addWidget(L_RegCompare, 1);
  for (auto *b : {Btn_RegSave, Btn_RegLoad, Btn_RegExport, Btn_RegWriteFile}) files->addWidget(b);

  L_RegStatus = new QLabel;
  L_RegStatus->setObjectName("L_RegStatus");
  L_RegStatus->setWordWrap(true);
  L_RegStatus->setTextInteractionFlags(Qt::TextSelectableByMouse);

  auto *layout = new QVBoxLayout(this);
  layout->addWidget(VST1, 1);
  layout->addLayout(files);
  layout->addLayout(actions);
  layout->addWidget(L_RegStatus);

  connect(Button6, &QPushButton::clicked, this, &TRegistersTab::Button6Click);
  connect(Button3, &QPushButton::clicked, this, &TRegistersTab::Button3Click);
  connect(VST1, &QTableView::doubleClicked, this, [this](const QModelIndex &index) { VST1DblClick(index.row()); });
  connect(VST1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex &current) {
            if (current.isValid()) VST1FocusChanged(current.row());
          });
  connect(CB_RegReference, &QComboBox::currentIndexChanged, this, &TRegistersTab::ReferenceChosen);
  connect(Btn_RegSave, &QPushButton::clicked, this, &TRegistersTab::SaveClick);
  connect(Btn_RegExport, &QPushButton::clicked, this, &TRegistersTab::ExportClick);
  connect(Btn_RegLoad, &QPushButton::clicked, this, &TRegistersTab::LoadClick);
  connect(Btn_RegWriteFile, &QPushButton::clicked, this, &TRegistersTab::WriteFileClick);
  Refresh();
}

bool TRegistersTab::Run(const std::function<void(modem::ZIZ2400 &)> &work) {
  modem::ZIZ2400 *node = host_.CurrentNode();
  if (!node) {
    Report("Нет модема: откройте порт на странице «Наст».", true);
    return false;
  }
  if (!host_.RunOperation([&] { work(*node); })) {
    Report("Идёт другая операция: дождитесь её конца и повторите.", true);
    return false;
  }
  return true;
}

void TRegistersTab::Report(const std::string &text, bool failed) {
  L_RegStatus->setText(Text(text));
  L_RegStatus->setStyleSheet(failed ? QStringLiteral("color: #B00000") : QString());
}

void TRegistersTab::Refresh(int first, int last) {
  model_->RowsChanged(first, last);
  L_RegCompare->setText(Text(page_.ComparisonLine()));
  Btn_RegWriteFile->setEnabled(page_.HasFile());
}

void TRegistersTab::Button6Click() {
  Run([this](modem::ZIZ2400 &node) {
    if (page_.ReadAll(node))
      Report("Регистры прочитаны.", false);
    else
      Report(registers_tab::ReadFailureText(page_.ReadValues(), node.ResultCode().Msg), true);
  });
  Refresh();
}

void TRegistersTab::VST1DblClick(int row) {
  if (row < 0 || row >= modem::kRegisterRowCount) return;
  Run([this, row](modem::ZIZ2400 &node) {
    if (page_.ReadRow(node, row))
      Report(modem::RegisterCaption(row) + " прочитан.", false);
    else
      Report(modem::RegisterCaption(row) + " не прочитан: " + node.ResultCode().Msg + ". Проверьте связь с модемом.",
             true);
  });
  Refresh(row, row);
}

void TRegistersTab::VST1FocusChanged(int row) { SE_RegValue->setValue(page_.Focus(row)); }

void TRegistersTab::Button3Click() {
  if (page_.Selected() == -1) {
    Report("Выберите регистр в таблице, затем запишите его.", true);
    return;
  }
  const auto value = static_cast<uint8_t>(SE_RegValue->value());
  Run([this, value](modem::ZIZ2400 &node) {
    const std::string what = modem::RegisterCaption(page_.Selected()) + " = " + modem::RegisterHexText(value);
    if (page_.WriteSelected(node, value))
      Report("Записано: " + what + ".", false);
    else
      Report("Не записано " + what + ": " + node.ResultCode().Msg + ".", true);
  });
}

void TRegistersTab::StrobeClick(uint8_t code) {
  Run([this, code](modem::ZIZ2400 &node) {
    const std::string what = "Строб " + modem::RegisterHexText(code);
    if (node.Strobe(code))
      Report(what + " отправлен.", false);
    else
      Report(what + " не выполнен: " + node.ResultCode().Msg + ".", true);
  });
}

void TRegistersTab::ReferenceChosen(int index) {
  page_.SetReference(static_cast<ReferenceKind>(index));
  Refresh();
}

QString TRegistersTab::DefaultChooseFile(FileDialog kind) {
  const QString filter = QStringLiteral("Файлы регистров (*.txt);;Все файлы (*)");
  const QString purpose = QStringLiteral("registers");
  QString path;
  switch (kind) {
    case FileDialog::Save:
      path = QFileDialog::getSaveFileName(VST1->window(), QStringLiteral("Сохранить регистры"),
                                          DialogStartPath(purpose, QStringLiteral("registers.txt")), filter);
      break;
    case FileDialog::Export:
      path = QFileDialog::getSaveFileName(VST1->window(), QStringLiteral("Экспорт регистров в C"),
                                          DialogStartPath(purpose, QStringLiteral("registers.h")),
                                          QStringLiteral("Заголовки C (*.h);;Все файлы (*)"));
      break;
    default:
      path = QFileDialog::getOpenFileName(VST1->window(), QStringLiteral("Загрузить регистры"),
                                          DialogStartPath(purpose, QString()), filter);
      break;
  }
  RememberDialogFolder(purpose, path);
  return path;
}

void TRegistersTab::SaveText(FileDialog kind, const std::string &text) {
  const QString path = ChooseFile(kind);
  if (path.isEmpty()) return;
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), static_cast<qint64>(text.size())) < 0 ||
      !file.commit()) {
    Report("Файл " + path.toStdString() + " не сохранён: " + file.errorString().toStdString() +
               ". Выберите другую папку или имя.",
           true);
    return;
  }
  Report("Сохранено в " + path.toStdString() + ".", false);
}

void TRegistersTab::SaveClick() {
  if (page_.ReadValues().Count() == 0) {
    Report("Сохранять нечего: сначала прочитайте регистры.", true);
    return;
  }
  SaveText(FileDialog::Save, modem::FormatRegisterFile(page_.ReadValues()));
}

void TRegistersTab::ExportClick() {
  if (!page_.ConfigurationRead()) {
    Report("Экспортировать нечего: сначала прочитайте регистры 0x00..0x2E.", true);
    return;
  }
  SaveText(FileDialog::Export, modem::FormatRegisterHeader(page_.ReadValues()));
}

void TRegistersTab::LoadClick() {
  const QString path = ChooseFile(FileDialog::Load);
  if (path.isEmpty()) return;
  const std::string name = QFileInfo(path).fileName().toStdString();
  const util::FileRead file = util::ReadBoundedFile(path.toStdString(), kLargestRegisterFile);
  std::string error = ui::FileReadProblemText(file);
  std::optional<modem::RegisterSnapshot> values;
  if (error.empty()) values = modem::ParseRegisterFile(file.bytes, &error);
  if (!values) {
    Report("Файл " + name + " не загружен: " + error + ". Исправьте файл и загрузите его снова.", true);
    return;
  }
  page_.SetFileReference(*values, name);
  {
    const QSignalBlocker quiet(CB_RegReference);
    CB_RegReference->setCurrentIndex(static_cast<int>(ReferenceKind::File));
  }
  Report("Загружен файл " + name + ": регистров " + std::to_string(values->Count()) + ".", false);
  Refresh();
}

void TRegistersTab::WriteFileClick() {
  if (!page_.HasFile()) return;
  // The changes are worked out against a fresh read, not whatever the table last showed.
  bool read = false;
  Run([&](modem::ZIZ2400 &node) {
    read = page_.ReadAll(node);
    if (!read) Report(registers_tab::ReadFailureText(page_.ReadValues(), node.ResultCode().Msg), true);
  });
  Refresh();
  if (!read) return;
  const auto plan = page_.FileWritePlan();
  if (plan.empty()) {
    Report("Регистры модема уже совпадают с файлом " + page_.FileName() + ": записывать нечего.", false);
    return;
  }
  const QString question =
      QStringLiteral("Записать в модем регистры из файла «%1»? Изменится регистров: %2, их прежние значения будут потеряны.")
          .arg(Text(page_.FileName()))
          .arg(plan.size());
  if (!Confirm(question, Text(registers_tab::PlanText(plan)))) {
    Report("Запись файла отменена: ничего не записано.", false);
    return;
  }
  Run([&](modem::ZIZ2400 &node) {
    auto outcome = page_.WriteFile(node, plan, [this](int done, int total) {
      host_.ShowProgress("Запись регистров", done, total);
    });
    host_.ShowProgress("", 0, 0);
    Report(registers_tab::WriteOutcomeText(outcome, plan, node.ResultCode().Msg), !outcome.Succeeded());
  });
  Refresh();
}
