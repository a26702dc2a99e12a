#include "ui/terminal/calculator.h"

#include <QProcess>
#include <QStandardPaths>

#include "ui/terminal/term_form_logic.h"

namespace term {

bool StartCalculator(QString *error) {
  for (const std::string &name : CalculatorPrograms()) {
    const QString path = QStandardPaths::findExecutable(QString::fromStdString(name));
    if (path.isEmpty()) continue;
    if (QProcess::startDetached(path, {})) return true;
    *error = QString("Не удалось запустить %1. Проверьте, что программа работает, или установите другой калькулятор.").arg(path);
    return false;
  }
  *error = QString::fromStdString(NoCalculatorText());
  return false;
}

}  // namespace term
