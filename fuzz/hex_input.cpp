// Hex and route texts typed by users or read from files, and the bytes that
// come back through a channel under test: any input must be refused or give
// a well-formed result, never a crash or a read past the text.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "modem/route.h"
#include "ui/main/vcomm_tab_logic.h"
#include "util/hex.h"

namespace {

bool IsUpperHex(const std::string &text) {
  for (char c : text)
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'))) return false;
  return text.size() % 2 == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const std::string text(reinterpret_cast<const char *>(data), size);
  const auto count = static_cast<uint16_t>(size < 2 ? 0 : data[0] | (data[1] << 8));

  if (util::HexToBytes(text, count, false).size() > std::min<size_t>(count, text.size() / 2)) __builtin_trap();
  util::HexToBytes(text, count, true);
  util::HexPairSum(text, count);
  util::HexPairValue(text, count);

  // A route read from text gives its record, which reads back as the same
  // text; the masked field gives well-formed hex.
  auto typed = modem::ParseRouteText(text, modem::kPtpRouteNodes);
  if (typed.route) {
    const std::string record = typed.route->Record();
    const size_t nodes = record.size() - 1;
    if (nodes < 2 || nodes > 29 || static_cast<uint8_t>(record[0]) != nodes - 2) __builtin_trap();
    auto again = modem::ParseRouteText(typed.route->Text(), modem::kPtpRouteNodes);
    if (!again.route || *again.route != *typed.route) __builtin_trap();
  }
  if (auto fromRecord = modem::Route::FromRecord(text)) {
    if (fromRecord->Record() != text) __builtin_trap();
  }
  vcomm_tab::ReceiveChecker checker;
  checker.Start();
  checker.OnReceive(text);
  for (int tick = 0; tick < 6; ++tick) checker.OnTimer();
  return 0;
}
