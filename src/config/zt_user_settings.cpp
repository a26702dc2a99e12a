#include "config/zt_layout.h"
#include "config/zt_module_settings.h"
#include "util/codepage.h"

namespace config {

std::string TZT_UserSettings::GetNodeName() const {
  return util::Cp1251ToUtf8(Section->GetStringDef(kNodeNameParam, ""));
}

void TZT_UserSettings::SetNodeName(std::string_view name) {
  const std::string stored = util::Utf8ToCp1251(name);
  if (!stored.empty()) {
    Section->SetString(kNodeNameParam, stored);
    return;
  }
  // Clearing keeps the emptied parameter in place rather than deleting it.
  if (auto item = Section->GetItem(kNodeNameParam)) item->ClearItem();
}

}  // namespace config
