#include "ui/widgets/hex_view_logic.h"

#include <algorithm>

#include "util/hex.h"

namespace ui::hexview {

namespace {

std::string FreeHex(size_t value) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  do {
    out.insert(out.begin(), digits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return out;
}

std::string PaddedHex(size_t value, size_t width) {
  std::string out = FreeHex(value);
  if (out.size() < width) out.insert(0, width - out.size(), '0');
  return out;
}

}  // namespace

TOffsetFormat TOffsetFormat::Hex() { return {}; }

TOffsetFormat TOffsetFormat::HexFiveDigits() {
  TOffsetFormat f;
  f.kind_ = Kind::HexFive;
  return f;
}

TOffsetFormat TOffsetFormat::StartAndOffset(uint32_t start) {
  TOffsetFormat f;
  f.kind_ = Kind::StartAndOffset;
  f.start_ = start;
  return f;
}

std::string TOffsetFormat::Text(size_t offset) const {
  switch (kind_) {
    case Kind::Hex:
      return "0x" + FreeHex(offset);
    case Kind::HexFive:
      return "0x" + PaddedHex(offset, 5);
    case Kind::StartAndOffset:
      return PaddedHex(start_, 4) + ":" + FreeHex(offset);
  }
  return {};
}

size_t OffsetColumnChars(const TOffsetFormat &format, size_t size) {
  // The last offset has the most digits; never narrower than offset 0.
  return std::max(format.Text(0).size(), format.Text(size == 0 ? 0 : size - 1).size());
}

uint8_t THexByteModel::At(size_t offset) const {
  return HasByte(offset) ? static_cast<uint8_t>(bytes_[offset - first_]) : 0;
}

void THexByteModel::SetBytes(std::string_view bytes, size_t first) {
  first_ = bytes.empty() ? 0 : first;
  bytes_.assign(bytes);
  changed_.assign(bytes_.size(), false);
  blockTimes_.clear();
}

void THexByteModel::Append(std::string_view bytes, int64_t timeMs) {
  if (bytes.empty()) return;
  if (timeMs != 0) blockTimes_.emplace_back(Size(), timeMs);
  bytes_.append(bytes);
  changed_.resize(bytes_.size(), false);
}

void THexByteModel::Clear() { SetBytes({}); }

void THexByteModel::MarkChanged(size_t from, size_t to) {
  from = std::max(from, first_);
  to = std::min(to, Size());
  for (size_t i = from; i < to; ++i) changed_[i - first_] = true;
}

bool THexByteModel::IsChanged(size_t offset) const { return HasByte(offset) && changed_[offset - first_]; }

std::string THexByteModel::Bytes(size_t from, size_t count) const {
  size_t begin = std::max(from, first_);
  size_t end = from >= Size() ? from : from + std::min(count, Size() - from);
  if (begin >= end) return {};
  return bytes_.substr(begin - first_, end - begin);
}

std::optional<int64_t> THexByteModel::TimeAt(size_t offset) const {
  if (!HasByte(offset) || blockTimes_.empty()) return std::nullopt;
  auto it = std::upper_bound(blockTimes_.begin(), blockTimes_.end(), offset,
                             [](size_t o, const std::pair<size_t, int64_t> &b) { return o < b.first; });
  if (it == blockTimes_.begin()) return std::nullopt;
  return std::prev(it)->second;
}

size_t THexLayout::RowCount(size_t size) const {
  return (size + static_cast<size_t>(bytesPerRow_) - 1) / static_cast<size_t>(bytesPerRow_);
}

TCell THexLayout::CellOf(size_t offset) const {
  return {offset / static_cast<size_t>(bytesPerRow_), static_cast<int>(offset % static_cast<size_t>(bytesPerRow_))};
}

size_t THexLayout::OffsetOf(TCell cell) const {
  return cell.row * static_cast<size_t>(bytesPerRow_) + static_cast<size_t>(std::clamp(cell.column, 0, bytesPerRow_ - 1));
}

std::string THexLayout::Ruler() const {
  std::string out;
  for (int c = 0; c < bytesPerRow_; ++c) {
    if (c) out += ' ';
    out += PaddedHex(static_cast<size_t>(c), 2);
  }
  return out;
}

std::string THexLayout::HexText(const THexByteModel &model, size_t row) const {
  std::string out;
  out.reserve(static_cast<size_t>(bytesPerRow_) * 3);
  size_t first = row * static_cast<size_t>(bytesPerRow_);
  for (int c = 0; c < bytesPerRow_; ++c) {
    if (c) out += ' ';
    size_t offset = first + static_cast<size_t>(c);
    out += model.HasByte(offset) ? util::HexByte(model.At(offset)) : "  ";
  }
  return out;
}

std::string THexLayout::CharText(const THexByteModel &model, size_t row) const {
  std::string out;
  size_t first = row * static_cast<size_t>(bytesPerRow_);
  for (int c = 0; c < bytesPerRow_; ++c) {
    size_t offset = first + static_cast<size_t>(c);
    if (!model.HasByte(offset)) {
      out += ' ';
      continue;
    }
    uint8_t b = model.At(offset);
    out += (b >= 0x20 && b < 0x7F) ? static_cast<char>(b) : '.';
  }
  return out;
}

std::string THexLayout::RowText(const THexByteModel &model, size_t row, const TOffsetFormat &format) const {
  std::string offset = format.Text(row * static_cast<size_t>(bytesPerRow_));
  size_t width = OffsetColumnChars(format, model.Size());
  if (offset.size() < width) offset.insert(0, width - offset.size(), ' ');
  return offset + "  " + HexText(model, row) + "  " + CharText(model, row);
}

size_t MoveCursor(size_t offset, TCursorMove move, size_t size, const THexLayout &layout, size_t pageRows) {
  if (size == 0) return 0;
  const size_t perRow = static_cast<size_t>(layout.BytesPerRow());
  const size_t last = size - 1;
  const size_t page = std::max<size_t>(pageRows, 1) * perRow;
  offset = std::min(offset, last);
  switch (move) {
    case TCursorMove::Left:
      return offset == 0 ? 0 : offset - 1;
    case TCursorMove::Right:
      return std::min(offset + 1, last);
    case TCursorMove::Up:
      return offset >= perRow ? offset - perRow : offset;
    case TCursorMove::Down:
      return offset + perRow <= last ? offset + perRow : offset;
    case TCursorMove::PageUp:
      return offset >= page ? offset - page : offset % perRow;
    case TCursorMove::PageDown:
      if (offset + page <= last) return offset + page;
      // The same column of the last row, or the last cell when that row is short.
      return std::min(layout.OffsetOf({layout.CellOf(last).row, layout.CellOf(offset).column}), last);
    case TCursorMove::RowStart:
      return offset - offset % perRow;
    case TCursorMove::RowEnd:
      return std::min(offset - offset % perRow + perRow - 1, last);
    case TCursorMove::First:
      return 0;
    case TCursorMove::Last:
      return last;
  }
  return offset;
}

std::string DumpText(const THexByteModel &model, const THexLayout &layout, const TOffsetFormat &format) {
  std::string out;
  const size_t rows = layout.RowCount(model.Size());
  for (size_t row = 0; row < rows; ++row) {
    std::string line = layout.RowText(model, row, format);
    line.erase(line.find_last_not_of(' ') + 1);
    out += line + "\n";
  }
  return out;
}

std::string SpacedHex(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 3);
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (i) out += ' ';
    out += util::HexByte(static_cast<uint8_t>(bytes[i]));
  }
  return out;
}

size_t LastTopRow(size_t rowCount, size_t visibleRows) {
  return rowCount > visibleRows ? rowCount - visibleRows : 0;
}

}  // namespace ui::hexview
