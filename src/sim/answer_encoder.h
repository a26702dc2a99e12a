#pragma once
// Builds answer frames the way the modems write them: BIN with doubled ESC
// bytes and zero runs folded into ESC n pairs, or ASCII text with a CR LF.
#include <cstdint>
#include <string>
#include <string_view>

#include "sim/wire_format.h"

namespace sim {

struct AnswerStyle {
  bool zeroRuns = true;       // BIN: write runs of zero bytes as ESC n
  bool lowercaseHex = false;  // ASCII: hex digits in lower case
  bool corruptCheck = false;  // a wrong check byte (BIN) or check pair (ASCII)
};

struct AnswerHeader {
  uint8_t destination = 0;  // the station that asked
  uint8_t source = 0;       // the answering modem
  uint8_t status = 0;
};

std::string EncodeAnswer(WireProtocol protocol, const AnswerHeader &header, std::string_view data,
                         const AnswerStyle &style);

std::string EncodeBinAnswer(const AnswerHeader &header, std::string_view data, const AnswerStyle &style);
std::string EncodeAsciiAnswer(const AnswerHeader &header, std::string_view data, const AnswerStyle &style);

}  // namespace sim
