#include "ui/main/page_prompts.h"

#include <QFileDialog>
#include <QMessageBox>

namespace ui {

PagePrompts PagePrompts::MessageBoxes() {
  PagePrompts p;
  p.ask = [](QWidget *parent, const QString &text) {
    return QMessageBox::question(parent, QStringLiteral("VO_Vor"), text, QMessageBox::Yes | QMessageBox::No,
                                 QMessageBox::No) == QMessageBox::Yes;
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
