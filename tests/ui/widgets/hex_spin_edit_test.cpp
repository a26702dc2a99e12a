// The hexadecimal spin edit as a user types into it.
#include <gtest/gtest.h>

#include <QTest>

#include "ui/widgets/hex_spin_edit.h"

TEST(HexSpinEdit, ShowsUpperCaseAndTakesEitherCase) {
  THexSpinEdit edit(0x60, 0x860, 1, 0x4E1);
  EXPECT_EQ(edit.text(), "0x4E1");
  edit.selectAll();
  QTest::keyClicks(&edit, "7ff");
  QTest::keyClick(&edit, Qt::Key_Return);
  EXPECT_EQ(edit.value(), 0x7FF);
  EXPECT_EQ(edit.text(), "0x7FF");
  edit.stepUp();
  EXPECT_EQ(edit.text(), "0x800");
  edit.setValue(0x900);  // beyond the range: the largest value
  EXPECT_EQ(edit.text(), "0x860");
}
