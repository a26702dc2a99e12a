#pragma once
// The configuration's settings by name, as vovorctl shows, exports, imports
// and sets them: "net.node-id=5". Every module setting has one name.
#include <optional>
#include <string>
#include <vector>

#include "config/zt_config.h"

namespace cli {

struct ConfigSetting {
  const char *name;
  const char *meaning;
  std::string (*get)(config::IZTConfig &config);
  // Nothing on success, else why the value is not taken.
  std::optional<std::string> (*set)(config::IZTConfig &config, const std::string &value);
};

const std::vector<ConfigSetting> &ConfigSettings();
const ConfigSetting *FindConfigSetting(const std::string &name);

// Every setting as a "name=value" line, in table order.
std::string ExportConfigText(config::IZTConfig &config);
// Applies "name=value" lines; blank lines and lines starting with '#' are
// skipped. Stops at the first bad line with "line N: why" in *error; the
// settings before it are applied.
bool ImportConfigText(config::IZTConfig &config, const std::string &text, std::string *error);
// One "name=value" word of `config set`.
bool ApplySetting(config::IZTConfig &config, const std::string &assignment, std::string *error);

}  // namespace cli
