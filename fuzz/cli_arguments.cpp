// vovorctl's arguments (NUL-separated words): the global options, numbers,
// routes and NAME=VALUE settings must be refused or taken, never crash.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/cli_options.h"
#include "modem/config_text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  std::vector<std::string> words(1);
  for (size_t i = 0; i < size; ++i) {
    if (data[i] == 0)
      words.emplace_back();
    else
      words.back().push_back(static_cast<char>(data[i]));
  }
  cli::GlobalOptions options;
  std::string error;
  if (cli::ParseGlobalOptions(words, &options, &error)) {
    if (options.command.empty() && !options.help && !options.version) __builtin_trap();
    if (options.address < 0 || options.address > 255) __builtin_trap();
  }
  auto config = config::CreateConfig(nullptr);
  for (const auto &word : words) {
    long value = 0;
    if (cli::ParseNumber(word, -1000, 1000, &value) && (value < -1000 || value > 1000)) __builtin_trap();
    modem::ApplySetting(*config, word, &error);
  }
  return 0;
}
