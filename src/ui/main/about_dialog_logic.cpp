#include "ui/main/about_dialog_logic.h"

#include "util/version.h"

namespace about_dialog {

std::vector<AboutLine> AboutLines(const std::string &settingsPath) {
  return {
      {"Версия:", util::VersionNumber()},
      {"Дата сборки:", util::BuildDate()},
      {"Лицензия:", "проприетарная, все права защищены"},
      {"Файл настроек:", settingsPath.empty() ? "не используется" : settingsPath},
  };
}

}  // namespace about_dialog
