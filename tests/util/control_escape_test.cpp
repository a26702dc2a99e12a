#include <gtest/gtest.h>

#include "util/control_escape.h"

TEST(ControlEscape, ControlCharactersBecomeHexAndTextStays) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"ORVA-SIM", "ORVA-SIM"},
      {"Узел учёта", "Узел учёта"},
      {"\x1B]0;owned\x07", "\\x1B]0;owned\\x07"},
      {"a\r\nb\tc\x7F", "a\\x0D\\x0Ab\\x09c\\x7F"},
      {"\xC2\x9B" "31m", "\\x9B31m"},  // C1 CSI as UTF-8
      {"C:\\temp", "C:\\\\temp"},
      {std::string("a\0b", 3), "a\\x00b"},
  };
  for (const auto &c : cases) EXPECT_EQ(util::EscapeControlCharacters(c.in), c.out) << c.out;
}
