#include "ui/main/page_prompts.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace ui {

PagePrompts PagePrompts::MessageBoxes() {
  PagePrompts p;
  p.ask = [](QWidget *parent, const QString &text) {
    // No Qt translations ship with the program: the buttons get their words here.
    QMessageBox box(QMessageBox::Question, QStringLiteral("VO_Vor"), text, QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("Да"));
    box.button(QMessageBox::No)->setText(QStringLiteral("Нет"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
  };
  p.warn = [](QWidget *parent, const QString &text) {
    QMessageBox::warning(parent, QStringLiteral("VO_Vor"), text);
  };
  p.saveFile = [](QWidget *parent, const QString &title, const QString &directory, const QString &filter) {
    // The overwrite prompt is the dialog's own; the folder must exist to be chosen.
    return QFileDialog::getSaveFileName(parent, title, directory, filter);
  };
  return p;
}

}  // namespace ui
