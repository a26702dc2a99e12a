#pragma once
// The hex view without Qt: the bytes it holds (with cells that hold none, the
// bytes marked as changed and the time each block arrived), the row and
// column maths, the offset column texts and the text of a row. The widget in
// hex_view.h only paints what these give it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace ui::hexview {

// How the offset column writes an offset.
class TOffsetFormat {
 public:
  // "0x" and as many upper-case hex digits as the offset needs: 0x0, 0x1F0.
  static TOffsetFormat Hex();
  // "0x" and five hex digits: 0x001F0.
  static TOffsetFormat HexFiveDigits();
  // A block read from `start`: the start as four hex digits, ":" and the
  // offset from the block's start as free-width hex: 2000:1F0.
  static TOffsetFormat StartAndOffset(uint32_t start);

  std::string Text(size_t offset) const;
  bool operator==(const TOffsetFormat &) const = default;

 private:
  enum class Kind { Hex, HexFive, StartAndOffset };
  Kind kind_ = Kind::Hex;
  uint32_t start_ = 0;
};

// The bytes of the view. Offsets count cells; cells before FirstByte() hold
// no byte (a read that began at address A shows at offset A).
class THexByteModel {
 public:
  size_t Size() const { return first_ + bytes_.size(); }
  bool Empty() const { return Size() == 0; }
  size_t FirstByte() const { return first_; }
  bool HasByte(size_t offset) const { return offset >= first_ && offset < Size(); }
  // The byte at a cell that holds one (0 elsewhere).
  uint8_t At(size_t offset) const;

  // Replaces everything: `bytes` from offset `first` on, nothing before it.
  void SetBytes(std::string_view bytes, size_t first = 0);
  // Adds a block at the end; `timeMs` (milliseconds since the epoch) is kept
  // for every byte of the block.
  void Append(std::string_view bytes, int64_t timeMs = 0);
  void Clear();

  // Marks cells [from, to) as changed; the range is clipped to the bytes.
  void MarkChanged(size_t from, size_t to);
  bool IsChanged(size_t offset) const;

  // The bytes of cells [from, from + count) that hold one, in order.
  std::string Bytes(size_t from, size_t count) const;
  const std::string &AllBytes() const { return bytes_; }

  // When the block holding `offset` arrived; none for cells without a byte
  // or bytes set without a time.
  std::optional<int64_t> TimeAt(size_t offset) const;

 private:
  size_t first_ = 0;
  std::string bytes_;
  std::vector<bool> changed_;
  // (offset of the block's first byte, its time), ascending.
  std::vector<std::pair<size_t, int64_t>> blockTimes_;
};

// Where a cell lies: rows of a fixed number of bytes.
struct TCell {
  size_t row = 0;
  int column = 0;
  bool operator==(const TCell &) const = default;
};

class THexLayout {
 public:
  explicit THexLayout(int bytesPerRow = 16) : bytesPerRow_(bytesPerRow < 1 ? 1 : bytesPerRow) {}
  int BytesPerRow() const { return bytesPerRow_; }

  // Rows needed for `size` cells (none for an empty view).
  size_t RowCount(size_t size) const;
  TCell CellOf(size_t offset) const;
  size_t OffsetOf(TCell cell) const;

  // The column headers over the bytes: "00 01 ... 0F".
  std::string Ruler() const;
  // The hex part of a row: two digits per byte, one blank between, blanks
  // for cells without a byte and past the end.
  std::string HexText(const THexByteModel &model, size_t row) const;
  // The character part: printable ASCII as it is, other bytes as ".",
  // blanks for cells without a byte and past the end.
  std::string CharText(const THexByteModel &model, size_t row) const;
  // Offset, hex and characters of one row, as the view and a text dump show it.
  std::string RowText(const THexByteModel &model, size_t row, const TOffsetFormat &format) const;

 private:
  int bytesPerRow_;
};

// The widest offset text a view of `size` cells needs, so the column keeps
// its width while the view grows within the same number of digits.
size_t OffsetColumnChars(const TOffsetFormat &format, size_t size);

// A selection: the cell where it began and the cell of the cursor.
struct TSelection {
  size_t anchor = 0;
  size_t cursor = 0;
  bool active = false;  // false: only the cursor, nothing selected

  size_t From() const { return active ? std::min(anchor, cursor) : cursor; }
  // One past the last selected cell; equal to From() when nothing is selected.
  size_t To() const { return active ? std::max(anchor, cursor) + 1 : cursor; }
  bool Contains(size_t offset) const { return active && offset >= From() && offset < To(); }
};

enum class TCursorMove { Left, Right, Up, Down, PageUp, PageDown, RowStart, RowEnd, First, Last };

// Where the cursor goes from `offset` in a view of `size` cells, with
// `pageRows` rows on screen. Stays inside the cells.
size_t MoveCursor(size_t offset, TCursorMove move, size_t size, const THexLayout &layout, size_t pageRows);

// Hex text with offsets of the whole view, one row a line, for a ".txt" save.
std::string DumpText(const THexByteModel &model, const THexLayout &layout, const TOffsetFormat &format);

// The bytes as upper-case hex pairs separated by blanks ("0A 1B"), as a copy
// to the clipboard gives them.
std::string SpacedHex(std::string_view bytes);

// The top row of a view scrolled to its end, with `visibleRows` rows on
// screen: the vertical scroll range is [0, LastTopRow].
size_t LastTopRow(size_t rowCount, size_t visibleRows);

}  // namespace ui::hexview
