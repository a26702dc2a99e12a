#pragma once
// What the data of a successful answer to a request can look like. Answers
// carry no command code, so a late answer to an earlier request is told
// apart by its form: a register block where a version text is due cannot be
// the version.
#include <cstddef>
#include <limits>
#include <string>

namespace modem {

struct TAnswerForm {
  size_t minBytes = 0;
  size_t maxBytes = std::numeric_limits<size_t>::max();
  bool text = false;  // printable characters, line breaks, trailing NUL padding

  static TAnswerForm Any() { return {}; }
  static TAnswerForm Exactly(size_t bytes) { return {bytes, bytes, false}; }
  static TAnswerForm AtLeast(size_t bytes) { return {bytes, std::numeric_limits<size_t>::max(), false}; }
  static TAnswerForm Text() { return {0, std::numeric_limits<size_t>::max(), true}; }

  // `dataHex`: the answer's data bytes as hex text, two digits a byte.
  bool Fits(const std::string &dataHex) const;
};

}  // namespace modem
