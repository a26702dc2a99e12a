#include "modem/meter_requests.h"

#include <array>
#include <utility>

#include "util/checksums.h"
#include "util/format.h"
#include "util/hex.h"
#include "util/little_endian.h"

namespace modem {

namespace {

std::string Byte(int64_t value) { return std::string(1, static_cast<char>(value & 0xFF)); }

std::string WithCrc(std::string bytes) {
  util::AppendLe16(bytes, util::Crc16Modbus(bytes));
  return bytes;
}

// "/" A "000A!" check: the Vesk request as the meter reads it in ASCII.
std::string VeskAscii(int64_t number) {
  std::string pairs = util::Format("%2.2x", number) + "000A";
  return "/" + pairs + "!" + util::HexByte(util::HexPairSumOf(pairs));
}

// The Vesk request in BIN: the body and its XorSum, every ESC doubled,
// behind ESC SOH (the meter needs no closing ESC NUL).
std::string VeskBin(int64_t number) {
  std::string body = Byte(number) + std::string("\x00\x0A", 2);
  body += Byte(util::XorSumOf(body));
  std::string out = "\x1B\x01";
  for (char c : body) {
    out += c;
    if (c == '\x1B') out += c;
  }
  return out;
}

std::string PscRequest(int64_t number) {
  std::string text = "#" + util::Format("%3.3d", number) + "73519" + "R";
  return text + util::PscChecksum(text) + "\r";
}

// The calculator reads a BIN text as hex pairs; a pair that is not hex
// counts 0, an odd last digit is left out.
std::string PairsToBytes(std::string_view text) {
  std::string bytes;
  bytes.reserve(text.size() / 2);
  for (size_t i = 0; i < text.size() / 2; ++i) bytes += static_cast<char>(util::HexPairValue(text, static_cast<int>(i)));
  return bytes;
}

}  // namespace

int NetNumberKind(TMeterTest test) {
  switch (test) {
    case TMeterTest::Vesk: return 0;
    case TMeterTest::Merc200: return 1;
    case TMeterTest::Merc230: return 2;
    case TMeterTest::Psc: return 3;
    case TMeterTest::SetCs:
    case TMeterTest::SetCrc: return 4;
    case TMeterTest::Ce68: return 5;
  }
  return 0;
}

int64_t NetNumberMaximum(int kind) {
  switch (kind) {
    case 0:
    case 2:
    case 4: return 255;
    case 3: return 999;
    default: return 2147483647;
  }
}

TMeterRequest BuildMeterTest(TMeterTest test, int64_t number, bool binNow) {
  auto bin = [](const std::string &bytes) { return TMeterRequest{util::BytesToHex(bytes), true, bytes}; };
  switch (test) {
    case TMeterTest::Vesk:
      return binNow ? bin(VeskBin(number)) : TMeterRequest{VeskAscii(number), false, {}};
    case TMeterTest::Merc200:
      return bin(WithCrc(Byte(number >> 24) + Byte(number >> 16) + Byte(number >> 8) + Byte(number) + "\x28"));
    case TMeterTest::Merc230:
      return bin(WithCrc(Byte(number) + std::string(1, '\0')));
    case TMeterTest::Psc:
      return bin(PscRequest(number));
    case TMeterTest::SetCs:
      return bin(Byte(number) + std::string(1, '\0') + Byte((number & 0xFF) ^ 0xFF));
    case TMeterTest::SetCrc:
      return bin(WithCrc(Byte(number) + std::string(1, '\0')));
    case TMeterTest::Ce68:
      return {util::Format("/?%d!", number), false, {}};
  }
  return {};
}

std::optional<TMeterTest> MeterTestByName(std::string_view name) {
  static const std::array<std::pair<std::string_view, TMeterTest>, 7> names{{
      {"vesk", TMeterTest::Vesk},
      {"merc200", TMeterTest::Merc200},
      {"merc230", TMeterTest::Merc230},
      {"psc", TMeterTest::Psc},
      {"set-cs", TMeterTest::SetCs},
      {"set-crc", TMeterTest::SetCrc},
      {"ce68", TMeterTest::Ce68},
  }};
  for (const auto &[n, t] : names)
    if (n == name) return t;
  return std::nullopt;
}

std::string MatchingChecksums(std::string_view bytes) {
  std::string found;
  auto add = [&found](const char *name) { found += (found.empty() ? "" : ", ") + std::string(name); };
  if (bytes.size() >= 2) {
    std::string_view body = bytes.substr(0, bytes.size() - 1);
    uint8_t last = static_cast<uint8_t>(bytes.back());
    if (util::XorSumOf(body) == last) add("XorSum");
    if (util::ByteSum(body) == last) add("сумма байтов");
    // A CE68 frame has a start, at least one counted byte and an end.
    if (body.size() >= 3 && util::Ce68Checksum(body) == last) add("ЦЭ68**");
  }
  if (bytes.size() >= 3) {
    std::string_view body = bytes.substr(0, bytes.size() - 2);
    std::string_view tail = bytes.substr(bytes.size() - 2);
    uint16_t crc = util::Crc16Modbus(body);
    if (util::PscChecksum(body) == tail) add("ПСЧ");
    if (tail == Byte(crc) + Byte(crc >> 8)) add("CRC-16/MODBUS (младший байт первым)");
    if (tail == Byte(crc >> 8) + Byte(crc)) add("CRC-16/MODBUS (старший байт первым)");
  }
  return found;
}

std::string ChecksumMessage(std::string_view text, bool bin) {
  std::string message;
  std::string bytes;
  if (bin) {
    bytes = PairsToBytes(text);
    message = util::Format("CS СЭТ-4ТМ/Vesk BIN\t: %.2x\r\n", util::XorSumOf(bytes)) +
              util::Format("CRC A001/FFFF \t: %.4x \r\n", util::Crc16Modbus(bytes)) +
              "CS ПСЧ \t\t: " + util::PscChecksum(bytes) + "\r\n" +
              util::Format("CS ЦЭ68** (7 бит)\t: %.2x\r\n", util::Ce68Checksum(bytes));
  } else {
    bytes = std::string(text);
    message = util::Format("CS Vesk ASCII %.2x", util::HexPairSumOf(text));
  }
  std::string matches = MatchingChecksums(bytes);
  if (!matches.empty()) message += (bin ? "" : "\r\n") + std::string("Последние байты уже: ") + matches;
  return message;
}

}  // namespace modem
