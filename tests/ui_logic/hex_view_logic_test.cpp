#include "ui/widgets/hex_view_logic.h"

#include <gtest/gtest.h>

using namespace ui::hexview;

TEST(HexViewOffsetFormat, WritesTheThreeForms) {
  struct Case {
    TOffsetFormat format;
    size_t offset;
    const char *text;
  } cases[] = {
      {TOffsetFormat::Hex(), 0, "0x0"},
      {TOffsetFormat::Hex(), 0x1F0, "0x1F0"},
      {TOffsetFormat::Hex(), 0x100000, "0x100000"},
      {TOffsetFormat::HexFiveDigits(), 0, "0x00000"},
      {TOffsetFormat::HexFiveDigits(), 0x1DC, "0x001DC"},
      {TOffsetFormat::HexFiveDigits(), 0x123456, "0x123456"},
      {TOffsetFormat::StartAndOffset(0x2000), 0x10, "2000:10"},
      {TOffsetFormat::StartAndOffset(0x1A), 0, "001A:0"},
  };
  for (const auto &c : cases) EXPECT_EQ(c.format.Text(c.offset), c.text) << c.text;
}

TEST(HexViewOffsetFormat, ColumnWidthFollowsTheLastOffset) {
  EXPECT_EQ(OffsetColumnChars(TOffsetFormat::Hex(), 0), 3u);
  EXPECT_EQ(OffsetColumnChars(TOffsetFormat::Hex(), 0x100), 4u);      // last is 0xFF
  EXPECT_EQ(OffsetColumnChars(TOffsetFormat::Hex(), 0x101), 5u);      // last is 0x100
  EXPECT_EQ(OffsetColumnChars(TOffsetFormat::HexFiveDigits(), 16), 7u);
}

TEST(HexByteModel, CellsBeforeTheFirstByteHoldNone) {
  THexByteModel m;
  m.SetBytes("\x01\x02\x03", 0x10);
  EXPECT_EQ(m.Size(), 0x13u);
  EXPECT_FALSE(m.HasByte(0x0F));
  EXPECT_TRUE(m.HasByte(0x10));
  EXPECT_EQ(m.At(0x12), 3);
  EXPECT_FALSE(m.HasByte(0x13));
  // A range across the empty cells gives only the bytes there are.
  EXPECT_EQ(m.Bytes(0, 0x100), std::string("\x01\x02\x03"));
  EXPECT_EQ(m.Bytes(0x11, 1), std::string("\x02"));
  EXPECT_EQ(m.Bytes(0x13, 5), "");
  EXPECT_EQ(m.Bytes(SIZE_MAX - 1, 5), "");

  m.SetBytes("", 0x10);  // nothing read: nothing shown, no empty cells either
  EXPECT_EQ(m.Size(), 0u);
}

TEST(HexByteModel, ChangedMarksStayWithTheirBytesAndClip) {
  THexByteModel m;
  m.Append("abc");
  m.MarkChanged(2, 10);
  m.Append("de");
  EXPECT_FALSE(m.IsChanged(1));
  EXPECT_TRUE(m.IsChanged(2));
  EXPECT_FALSE(m.IsChanged(3));  // appended after the mark
  m.MarkChanged(3, 5);
  EXPECT_TRUE(m.IsChanged(4));
  EXPECT_FALSE(m.IsChanged(5));
  m.Clear();
  EXPECT_TRUE(m.Empty());
  EXPECT_FALSE(m.IsChanged(2));
}

TEST(HexByteModel, EachBlockKeepsItsTime) {
  THexByteModel m;
  m.Append("ab", 1000);
  m.Append("c", 2000);
  m.Append("de", 3000);
  EXPECT_EQ(m.TimeAt(0), 1000);
  EXPECT_EQ(m.TimeAt(1), 1000);
  EXPECT_EQ(m.TimeAt(2), 2000);
  EXPECT_EQ(m.TimeAt(4), 3000);
  EXPECT_EQ(m.TimeAt(5), std::nullopt);
  m.SetBytes("xyz");
  EXPECT_EQ(m.TimeAt(0), std::nullopt);
}

TEST(HexLayout, RowsAndCells) {
  THexLayout l(16);
  EXPECT_EQ(l.RowCount(0), 0u);
  EXPECT_EQ(l.RowCount(1), 1u);
  EXPECT_EQ(l.RowCount(16), 1u);
  EXPECT_EQ(l.RowCount(17), 2u);
  EXPECT_EQ(l.CellOf(0x23), (TCell{2, 3}));
  EXPECT_EQ(l.OffsetOf({2, 3}), 0x23u);
  EXPECT_EQ(l.OffsetOf({1, 99}), 0x1Fu);  // a column past the row ends at its last cell
  for (size_t o : {0u, 15u, 16u, 1000u}) EXPECT_EQ(l.OffsetOf(l.CellOf(o)), o);
}

TEST(HexLayout, RowTextShowsHexCharactersAndEmptyCells) {
  THexLayout l(4);
  THexByteModel m;
  m.SetBytes("A\x01\x7F" "B\xFFz", 2);  // cells 2..7
  EXPECT_EQ(l.Ruler(), "00 01 02 03");
  EXPECT_EQ(l.RowText(m, 0, TOffsetFormat::Hex()), "0x0        41 01    A.");
  EXPECT_EQ(l.RowText(m, 1, TOffsetFormat::Hex()), "0x4  7F 42 FF 7A  .B.z");
  EXPECT_EQ(DumpText(m, l, TOffsetFormat::HexFiveDigits()),
            "0x00000        41 01    A.\n"
            "0x00004  7F 42 FF 7A  .B.z\n");
}

TEST(HexLayout, OffsetsAreRightAlignedToTheWidestOne) {
  THexLayout l(16);
  THexByteModel m;
  m.SetBytes(std::string(0x110, 'x'));
  EXPECT_EQ(l.RowText(m, 0, TOffsetFormat::Hex()).substr(0, 6), "  0x0 ");
  EXPECT_EQ(l.RowText(m, 0x10, TOffsetFormat::Hex()).substr(0, 6), "0x100 ");
}

TEST(HexCursor, MovesStayInsideTheCells) {
  THexLayout l(16);
  const size_t size = 40;  // rows 0,1 full, row 2 holds 8
  struct Case {
    size_t from;
    TCursorMove move;
    size_t to;
  } cases[] = {
      {0, TCursorMove::Left, 0},        {5, TCursorMove::Left, 4},
      {39, TCursorMove::Right, 39},     {5, TCursorMove::Up, 5},
      {20, TCursorMove::Up, 4},         {20, TCursorMove::Down, 36},
      {30, TCursorMove::Down, 30},      {20, TCursorMove::RowStart, 16},
      {20, TCursorMove::RowEnd, 31},    {33, TCursorMove::RowEnd, 39},
      {20, TCursorMove::First, 0},      {3, TCursorMove::Last, 39},
      {3, TCursorMove::PageDown, 35},   {13, TCursorMove::PageDown, 39},
      {36, TCursorMove::PageUp, 4},     {100, TCursorMove::Left, 38},
  };
  for (const auto &c : cases) EXPECT_EQ(MoveCursor(c.from, c.move, size, l, 2), c.to) << c.from << " " << int(c.move);
  EXPECT_EQ(MoveCursor(7, TCursorMove::Right, 0, l, 2), 0u);
}

TEST(HexSelection, RangeRunsEitherWay) {
  TSelection s{10, 4, true};
  EXPECT_EQ(s.From(), 4u);
  EXPECT_EQ(s.To(), 11u);
  EXPECT_TRUE(s.Contains(10));
  EXPECT_FALSE(s.Contains(11));
  TSelection cursorOnly{7, 7, false};
  EXPECT_EQ(cursorOnly.To() - cursorOnly.From(), 0u);
  EXPECT_FALSE(cursorOnly.Contains(7));
}

TEST(HexViewTexts, SpacedHexAndScrollEnd) {
  EXPECT_EQ(SpacedHex(std::string("\x0A\x1B\x00", 3)), "0A 1B 00");
  EXPECT_EQ(SpacedHex(""), "");
  EXPECT_EQ(LastTopRow(100, 20), 80u);
  EXPECT_EQ(LastTopRow(10, 20), 0u);
}
