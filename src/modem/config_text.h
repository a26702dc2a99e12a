#pragma once
// The configuration's settings by name, as vovorctl shows, exports, imports
// and sets them and the configuration page saves and loads them:
// "net.node-id=5". Every module setting has one name.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/zt_config.h"

namespace modem {

struct ConfigSetting {
  const char *name;
  const char *meaning;
  std::string (*get)(config::IZTConfig &config);
  // Nothing on success, else why the value is not taken.
  std::optional<std::string> (*set)(config::IZTConfig &config, const std::string &value);
};

const std::vector<ConfigSetting> &ConfigSettings();

// The module's serial speeds by baud-rate index (four bits), as the
// configuration page lists them ("--поумолчанию", "115200", ... "---резерв2").
inline constexpr int kUartSpeedCount = 16;
const char *UartSpeedCaption(int index);
// The same speed as a setting's value: "9600", "default", or "index-N" for
// an index without a speed of its own, so every index survives a file.
std::string UartSpeedText(int index);
std::optional<int> UartSpeedIndex(const std::string &text);

// A copy that shares nothing with `config`; none when its tree is no image.
std::shared_ptr<config::IZTConfig> CopyConfig(const config::IZTConfig &config);
const ConfigSetting *FindConfigSetting(const std::string &name);

// Every setting as a "name=value" line, in table order.
std::string ExportConfigText(config::IZTConfig &config);
// Applies "name=value" lines; blank lines and lines starting with '#' are
// skipped. Stops at the first bad line with "line N: why" in *error; the
// settings before it are applied.
bool ImportConfigText(config::IZTConfig &config, const std::string &text, std::string *error);
// The first setting, in table order, that no line of `text` names; empty
// when the text names them all.
std::string FirstUnnamedSetting(const std::string &text);
// One "name=value" word of `config set`.
bool ApplySetting(config::IZTConfig &config, const std::string &assignment, std::string *error);

}  // namespace modem
