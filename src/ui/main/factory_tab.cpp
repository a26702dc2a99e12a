#include "ui/main/factory_tab.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "log/log_intf.h"
#include "modem/ziz2400.h"
#include "ui/main/page_settings.h"
#include "ui/main/page_sheet.h"
#include "ui/widgets/markup_label.h"
#include "ui/widgets/spin_edit.h"
#include "util/format.h"

using namespace modem::crystal_calibration;

namespace {

QString Q(const std::string &s) { return QString::fromStdString(s); }

QPushButton *Button(const char *name, const QString &caption) {
  auto *b = new QPushButton(caption);
  b->setObjectName(name);
  return b;
}

}  // namespace

TFactoryTab::TFactoryTab(ui::IPageHost &host, QWidget *sheet) : QWidget(sheet), host_(host) {
  setObjectName("FactoryTab");
  ui::FillSheet(sheet, this);

  CB_MeasureDivisor = new QComboBox;
  CB_MeasureDivisor->setObjectName("CB_MeasureDivisor");
  for (int k = 0; k < kDivisorCount; ++k) CB_MeasureDivisor->addItem(DivisorName(k));
  CB_MeasureDivisor->setCurrentIndex(0);
  CB_UsedCrystal = new QComboBox;
  CB_UsedCrystal->setObjectName("CB_UsedCrystal");
  for (int k = 0; k < kCrystalCount; ++k) CB_UsedCrystal->addItem(CrystalName(k));
  CB_UsedCrystal->setCurrentIndex(kDefaultCrystal);
  ST_BaseFreq = new QLabel;
  ST_BaseFreq->setObjectName("ST_BaseFreq");
  ST_BaseFreq->setFrameShape(QFrame::StyledPanel);
  ST_BaseFreq->setAccessibleName(QStringLiteral("Базовая частота:"));
  Label27 = new QLabel(QStringLiteral(
      "Измерение производится на контакте GDO2 трансивера. Перед измерением нажать \"Запуск измерения\""));
  Label27->setObjectName("Label27");
  Label27->setWordWrap(true);
  Button41 = Button("Button41", QStringLiteral("Запуск измерения"));
  SE_MeasuredFreq = new QDoubleSpinBox;
  SE_MeasuredFreq->setObjectName("SE_MeasuredFreq");
  SE_MeasuredFreq->setDecimals(3);
  SE_MeasuredFreq->setRange(kMeasuredMin, kMeasuredMax);
  SE_MeasuredFreq->setValue(kMeasuredDefault);
  SE_Temperature = new TSpinEdit(kRoomTempMin, kRoomTempMax, 1, kRoomTempDefault);
  SE_Temperature->setObjectName("SE_Temperature");
  L_FMeasures = new TMarkupLabel;
  L_FMeasures->setObjectName("L_FMeasures");
  L_FMeasures->setTextInteractionFlags(Qt::TextSelectableByMouse);
  L_ToWrite = new QLabel;
  L_ToWrite->setObjectName("L_ToWrite");
  L_ToWrite->setAutoFillBackground(true);
  L_ToWrite->setAccessibleName(QStringLiteral("Значения для записи"));
  Button43 = Button("Button43", QStringLiteral("Чтение"));
  Button42 = Button("Button42", QStringLiteral("Запись "));
  L_WriteWarning = new TMarkupLabel;
  L_WriteWarning->setObjectName("L_WriteWarning");
  L_WriteWarning->setWordWrap(true);
  L_Failure = new TMarkupLabel;
  L_Failure->setObjectName("L_Failure");
  L_Failure->setWordWrap(true);

  auto *form = new QFormLayout;
  form->setFieldGrowthPolicy(QFormLayout::FieldsStayAtSizeHint);
  form->addRow(QStringLiteral("Режим измерения"), CB_MeasureDivisor);
  form->addRow(QStringLiteral("Используемый кварц"), CB_UsedCrystal);
  auto *measure = new QHBoxLayout;
  measure->addWidget(Label27, 1);
  measure->addWidget(Button41);
  form->addRow(QStringLiteral("Измеренная величина (в Hz)"), SE_MeasuredFreq);
  form->addRow(QStringLiteral("t в помещении:"), SE_Temperature);
  auto *record = new QHBoxLayout;
  record->addWidget(L_ToWrite, 1);
  record->addWidget(Button43);
  record->addWidget(Button42);
  auto *layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(ST_BaseFreq);
  layout->addLayout(measure);
  layout->addWidget(L_FMeasures);
  layout->addLayout(record);
  layout->addWidget(L_WriteWarning);
  layout->addWidget(L_Failure);
  layout->addStretch(1);

  connect(CB_MeasureDivisor, &QComboBox::currentIndexChanged, this, &TFactoryTab::Recalculate);
  connect(CB_UsedCrystal, &QComboBox::currentIndexChanged, this, &TFactoryTab::Recalculate);
  connect(SE_MeasuredFreq, &QDoubleSpinBox::valueChanged, this, &TFactoryTab::Recalculate);
  connect(SE_Temperature, &QSpinBox::valueChanged, this, &TFactoryTab::Recalculate);
  connect(Button41, &QPushButton::clicked, this, &TFactoryTab::Button41Click);
  connect(Button42, &QPushButton::clicked, this, &TFactoryTab::Button42Click);
  connect(Button43, &QPushButton::clicked, this, &TFactoryTab::Button43Click);

  host_.AddSetting(ui::ItemIndexSetting("CB_MeasureDivisor.ItemIndex", CB_MeasureDivisor));
  host_.AddSetting(ui::ItemIndexSetting("CB_UsedCrystal.ItemIndex", CB_UsedCrystal));
  host_.AddSetting(ui::ValueSetting("SE_Temperature.Value", SE_Temperature));
  host_.AddSetting(ui::ValueSetting("SE_MeasuredFreq.Value", SE_MeasuredFreq));
  host_.AddStartupStep([this] { Recalculate(); });
}

Inputs TFactoryTab::CurrentInputs() const {
  Inputs in;
  in.crystal = CB_UsedCrystal->currentIndex();
  in.divisor = CB_MeasureDivisor->currentIndex();
  in.measuredHz = SE_MeasuredFreq->value();
  in.roomTemp = SE_Temperature->value();
  return in;
}

void TFactoryTab::Recalculate() {
  const Inputs in = CurrentInputs();
  calibration_.Recalculate(in);
  ST_BaseFreq->setText(Q(BaseFrequencyText(in)));
  L_FMeasures->SetMarkup(MeasuresMarkup(calibration_.Current()));
  ShowToWrite(true);
  // Wrapped words look plausible: say at once that they will not be written.
  const std::string warning = calibration_.WriteWarning();
  L_WriteWarning->SetMarkup(warning.empty() ? "" : "<c:Red>" + warning + "</c>");
}

void TFactoryTab::ShowToWrite(bool recordValid) {
  L_ToWrite->setText(Q(ToWriteText(calibration_.Multiplier(), calibration_.TempOffset())));
  QPalette pal = palette();
  pal.setColor(QPalette::Window, recordValid ? palette().color(QPalette::Window) : QColor(Qt::red));
  L_ToWrite->setPalette(pal);
}

void TFactoryTab::Button41Click() {
  auto *node = host_.CurrentNode();
  if (!node) return;
  const int divisor = CB_MeasureDivisor->currentIndex();
  host_.RunOperation([&] {
    const Measurement m = StartMeasurement(*node, host_.Logger().get(), divisor);
    if (m.average) calibration_.SetAverageTemperature(*m.average);
    if (!m.average)
      L_Failure->SetMarkup("<c:Red>Запуск измерения не удался: " + node->ResultCode().Msg +
                           ". Средняя температура и выход GDO2 не изменены; проверьте связь и повторите.</c>");
    else if (!m.clockOutput)
      L_Failure->SetMarkup(util::Format("<c:Red>Температура измерена (%d C), но выход GDO2 не настроен: %s. "
                                        "Повторите запуск измерения, прежде чем мерить частоту.</c>",
                                        *m.average, node->ResultCode().Msg));
    else
      L_Failure->SetMarkup("");
  });
  Recalculate();
}

void TFactoryTab::Button42Click() {
  auto *node = host_.CurrentNode();
  if (!node) return;
  if (const std::string refusal = calibration_.WriteRefusal(); !refusal.empty()) {
    L_Failure->SetMarkup("<c:Red>" + refusal + "</c>");
    if (auto logger = host_.Logger()) logger->AddMessage(refusal);
    Prompts.warn(this, Q(refusal));
    return;
  }
  const ProductionWords words{calibration_.Multiplier(), calibration_.TempOffset()};
  std::string question = util::Format(
      "Записать в заводскую запись модема множитель %4.4x и температурное смещение %d? Прежние значения будут "
      "заменены.",
      words.multiplier, words.tempOffset);
  if (calibration_.WriteNeedsConfirmation()) question = std::string(kUnmeasuredWriteQuestion) + "\r\n\r\n" + question;
  if (!Prompts.ask(this, Q(question).replace(QStringLiteral("\r\n"), "\n"))) return;
  host_.RunOperation([&] {
    if (WriteWords(*node, words)) L_Failure->SetMarkup("");
    else
      L_Failure->SetMarkup("<c:Red>Запись заводской записи не удалась: " + node->ResultCode().Msg +
                           ". Проверьте связь и повторите; проверить записанное можно кнопкой \"Чтение\".</c>");
  });
}

void TFactoryTab::Button43Click() {
  auto *node = host_.CurrentNode();
  if (!node) return;
  host_.RunOperation([&] {
    bool flag = false;
    const auto words = ReadWords(*node, flag);
    if (!words) {
      // The values to write stay as they were; the label says why nothing new is shown.
      L_Failure->SetMarkup("<c:Red>Чтение заводской записи не удалось: " + node->ResultCode().Msg +
                           ". Показаны прежние значения; проверьте связь и повторите.</c>");
      return;
    }
    L_Failure->SetMarkup(flag ? "" : "<c:Red>Заводская запись модема недействительна (флаг записи сброшен).</c>");
    calibration_.SetReadBack(words->multiplier, words->tempOffset);
    L_WriteWarning->SetMarkup("");  // the words now come from the record itself
    ShowToWrite(flag);
  });
}
