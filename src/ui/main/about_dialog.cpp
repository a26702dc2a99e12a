#include "ui/main/about_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/main/about_dialog_logic.h"

TAboutDialog::TAboutDialog(const std::string &settingsPath, QWidget *parent) : QDialog(parent) {
  setObjectName("AboutDialog");
  setWindowTitle(QStringLiteral("О программе"));
  auto *layout = new QVBoxLayout(this);
  auto *title = new QLabel(QStringLiteral("<b>VO_Vor конфигуратор</b>"), this);
  title->setAccessibleName(QStringLiteral("VO_Vor конфигуратор"));
  layout->addWidget(title);
  layout->addWidget(new QLabel(QStringLiteral("Настройка и диагностика радиомодемов сети ORVA"), this));
  auto *form = new QFormLayout;
  for (const auto &line : about_dialog::AboutLines(settingsPath)) {
    auto *value = new QLabel(QString::fromStdString(line.value), this);
    // The path is long and people copy it to find the file.
    value->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    value->setAccessibleName(QString::fromStdString(line.caption));
    form->addRow(QString::fromStdString(line.caption), value);
  }
  layout->addLayout(form);
  auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  // Qt's own word would be English: the program ships no Qt translations.
  buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Закрыть"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}
