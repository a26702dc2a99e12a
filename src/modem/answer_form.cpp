#include "modem/answer_form.h"

#include "modem/answer_decoding.h"

namespace modem {

namespace {

// Text in any of the modem's code pages: every byte from 0x80 up is a
// letter in one of them, below 0x20 only line breaks and tabs are.
bool IsTextByte(uint8_t b) { return b >= 0x20 ? b != 0x7F : b == '\t' || b == '\n' || b == '\r'; }

}  // namespace

bool TAnswerForm::Fits(const std::string &dataHex) const {
  const size_t bytes = DataByteCount(dataHex);
  if (bytes < minBytes || bytes > maxBytes) return false;
  if (!text) return true;
  bool padding = false;  // a NUL ends the text; only NULs may follow it
  for (size_t i = 0; i < bytes; ++i) {
    const uint8_t b = util::HexPairValue(dataHex, static_cast<int>(i));
    if (b == 0) {
      padding = true;
    } else if (padding || !IsTextByte(b)) {
      return false;
    }
  }
  return true;
}

}  // namespace modem
