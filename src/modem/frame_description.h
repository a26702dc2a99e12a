#pragma once
// What a frame seen on the line says, in words: the terminal shows it when
// the engineer points at a frame's bytes.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace modem {

struct TFrameOnLine {
  size_t start = 0;   // offset of its ESC SOH or "/" in the traffic
  size_t length = 0;  // bytes on the line, the end marker included
  bool bin = true;
  std::string body;   // decoded bytes: addresses, command or status, data, check
  bool checkOk = false;
};

// The modem frame that holds byte `offset` of `traffic` (BIN or ASCII, its
// end seen), searching back at most `reach` bytes for its start.
std::optional<TFrameOnLine> FrameAround(std::string_view traffic, size_t offset, size_t reach = 600);

// "BIN, запрос: кому 255, от 0, команда 15, параметры 01, контрольная сумма
// верна". A request carries a command code and parameters, an answer a
// status (with its text) and data.
std::string DescribeFrame(const TFrameOnLine &frame, bool request);

}  // namespace modem
