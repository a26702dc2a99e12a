// The page "Config": saving the form to a text file and loading one, in the
// format of vovorctl's config export and import.
#include <QFileDialog>
#include <QLabel>
#include <QSaveFile>

#include "log/log_intf.h"
#include "ui/main/config_tab.h"
#include "ui/widgets/dialog_folder.h"
#include "ui/widgets/file_read_text_logic.h"

namespace {
const QString kPurpose = QStringLiteral("configuration");
const QString kFilter = QStringLiteral("Конфигурации (*.conf *.txt);;Все файлы (*)");
}  // namespace

QString TConfigTab::DefaultChooseFile(bool save) {
  const QString path =
      save ? QFileDialog::getSaveFileName(window(), QStringLiteral("Сохранить конфигурацию"),
                                          DialogStartPath(kPurpose, QStringLiteral("configuration.conf")), kFilter)
           : QFileDialog::getOpenFileName(window(), QStringLiteral("Загрузить конфигурацию"),
                                          DialogStartPath(kPurpose, QString()), kFilter);
  RememberDialogFolder(kPurpose, path);
  return path;
}

void TConfigTab::Report(const std::string &message, bool failed) {
  if (auto logger = host_.Logger()) logger->AddMessage(message);
  SetStatus(QString::fromStdString(message));
  if (!failed) L_ConfigStatus->setStyleSheet("color: #205020;");
}

void TConfigTab::Btn_SaveConfClick() {
  if (!currentConfig_) {
    Report("Сохранять нечего: конфигурации нет. Нажмите «Новая» или «Прочитать».", true);
    return;
  }
  std::string refusal;
  const std::string text =
      config_tab::FormText(*currentConfig_, FormFromControls(), newConfig_ ? nullptr : &shown_, &refusal);
  if (text.empty()) {
    Report(refusal, true);
    return;
  }
  const QString path = ChooseFile(true);
  if (path.isEmpty()) return;
  const std::string name = path.toStdString();
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(text.data(), static_cast<qint64>(text.size())) < 0 ||
      !file.commit()) {
    Report(config_tab::SaveFailedText(name, file.errorString().toStdString()), true);
    return;
  }
  Report(config_tab::SavedText(name), false);
}

void TConfigTab::Btn_LoadConfClick() {
  if (HasUnsavedChanges() &&
      !Ask(QStringLiteral("Изменения на странице не записаны в модем. Загрузить конфигурацию из файла без них?")))
    return;
  const QString path = ChooseFile(false);
  if (path.isEmpty()) return;
  const std::string name = path.toStdString();
  const util::FileRead file = util::ReadBoundedFile(name, config_tab::kMaxConfigTextBytes);
  if (file.status != util::FileReadStatus::Ok) {
    Report(config_tab::LoadFailedText(name, ui::FileReadProblemText(file)), true);
    return;
  }
  std::string why;
  auto loaded = config_tab::LoadedConfig(currentConfig_.get(), file.bytes, &why);
  if (!loaded) {
    Report(config_tab::LoadFailedText(name, why), true);
    return;
  }
  // Only fields changed after loading are put in on "Записать"; the rest of
  // the loaded configuration goes as the file gave it.
  currentConfig_ = loaded;
  newConfig_ = false;
  ShowConfig();
  loadedNotWritten_ = true;
  Report(config_tab::LoadedText(name), false);
}
