#pragma once
// The terminal window's texts and bytes without Qt: what "Отправить" sends,
// what "Копировать для отправки" puts into the send box, the macro captions,
// and where the view's sent bytes begin.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace term {

// The view is cleared before it would hold more than this.
inline constexpr size_t kViewLimit = 1048576;

// The bytes of a BIN text: hex digit pairs, capital or small letters. A
// character that is not a hex digit, or an odd count of digits, gives no
// bytes and the place of the fault.
struct TBinText {
  std::string bytes;
  std::optional<size_t> faultAt;  // character index of the fault
  std::string fault;              // what is wrong there, as the window says it
};
TBinText ParseBinText(std::string_view text);

// What "Отправить" sends for the send box text (UTF-8): in ASCII the text in
// the line's single-byte code page followed by CR LF; in BIN the bytes of
// the hex text (none when it is faulty; `fault` then says why).
struct TSendData {
  std::string bytes;
  bool ok = true;
  std::optional<size_t> faultAt;
  std::string fault;
};
TSendData SendData(std::string_view text, bool bin);

// The send box text for bytes taken from the view: two capital digits per
// byte in BIN, the characters themselves (as UTF-8) in ASCII.
std::string SendBoxText(std::string_view bytes, bool bin);

// The bytes a send box text stands for, as the checksum calculator reads
// them in ASCII (the line's code page).
std::string LineBytes(std::string_view utf8);

// Macro menu items: "3 0102"; the text is what follows the first blank.
std::string MacroCaption(int number, std::string_view text);
std::string MacroTextOfCaption(std::string_view caption);

// AppendToView: the view is cleared first when it already holds more than
// the limit. A block appended to a view of `sizeBefore` bytes begins at
// AppendedAt: the sent bytes are marked from there, also after a clear.
bool ClearsBeforeAppend(size_t size);
size_t AppendedAt(size_t sizeBefore);

// "Калькулятор": the desktop calculators tried in this order, and what the
// window says when none is installed.
const std::vector<std::string> &CalculatorPrograms();
std::string NoCalculatorText();

}  // namespace term
