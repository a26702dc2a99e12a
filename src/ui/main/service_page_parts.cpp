#include "ui/main/service_page_parts.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include "ui/widgets/time_plot.h"

namespace ui {

QPushButton *NamedButton(const char *name, const QString &caption) {
  auto *b = new QPushButton(caption);
  b->setObjectName(name);
  return b;
}

QLabel *NamedLabel(const char *name, const QString &caption) {
  auto *l = new QLabel(caption);
  l->setObjectName(name);
  l->setTextFormat(Qt::PlainText);
  l->setTextInteractionFlags(Qt::TextSelectableByMouse);
  l->setAccessibleName(QString::fromLatin1(name));
  return l;
}

QCheckBox *NamedCheck(const char *name, const QString &caption) {
  auto *c = new QCheckBox(caption);
  c->setObjectName(name);
  return c;
}

TCycledPoll::TCycledPoll(QCheckBox *box, QTimer *timer, std::function<void()> poll, QObject *parent)
    : QObject(parent), box_(box), timer_(timer), poll_(std::move(poll)) {
  timer_->setSingleShot(false);
  connect(box_, &QCheckBox::toggled, this, [this](bool on) {
    if (on && !polling_) timer_->start();
    if (!on) timer_->stop();
  });
  connect(timer_, &QTimer::timeout, this, &TCycledPoll::Tick);
}

void TCycledPoll::Tick() {
  timer_->stop();
  if (polling_) return;
  polling_ = true;
  poll_();
  polling_ = false;
  if (box_->isChecked()) timer_->start();
}

double PlotSeconds() {
  static QElapsedTimer clock = [] {
    QElapsedTimer t;
    t.start();
    return t;
  }();
  return static_cast<double>(clock.elapsed()) / 1000.0;
}

QPushButton *SavePlotButton(const char *name, TTimePlot *plot, const QString &defaultName) {
  auto *button = NamedButton(name, QStringLiteral("Сохранить PNG…"));
  button->setAccessibleName(QStringLiteral("Сохранить график «%1» в PNG").arg(plot->accessibleName()));
  QObject::connect(button, &QPushButton::clicked, plot, [plot, defaultName] {
    const QString path = QFileDialog::getSaveFileName(plot, QStringLiteral("Сохранить график"), defaultName,
                                                      QStringLiteral("PNG (*.png)"));
    if (path.isEmpty()) return;
    QString error;
    if (!plot->SavePng(path, &error))
      QMessageBox::warning(plot, QStringLiteral("Сохранить график"),
                           QStringLiteral("Не удалось записать %1: %2.\nВыберите другую папку или имя файла.")
                               .arg(path, error));
  });
  return button;
}

}  // namespace ui
