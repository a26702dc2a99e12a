// The memory command: one request, the block transfer built on it, and the
// frame of the operations made of several requests.
#include <algorithm>

#include "modem/answer_decoding.h"
#include "modem/ziz2400.h"
#include "util/format.h"

namespace modem {

using device::TResultCode;

namespace {

// Log texts are kept to 255 characters, cut between characters.
std::string CutToCharacters(const std::string &text, size_t max) {
  size_t chars = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<uint8_t>(text[i]) & 0xC0) == 0x80) continue;
    if (chars++ == max) return text.substr(0, i);
  }
  return text;
}

std::string LittleEndianHex(uint32_t value) {
  std::string hex;
  for (int k = 0; k < 4; ++k) hex += util::HexByte(static_cast<uint8_t>(value >> (8 * k)));
  return hex;
}

}  // namespace

std::string ZIZ2400::MemTypeName(uint8_t memType) { return MemoryTypeName(memType); }

bool ZIZ2400::MemoryRequest(uint8_t mode, uint8_t memType, std::string &data, uint32_t address, uint8_t count) {
  return RunMemoryRequest(mode, memType, data, address, count, std::nullopt);
}

bool ZIZ2400::RunMemoryRequest(uint8_t mode, uint8_t memType, std::string &data, uint32_t address, uint8_t count,
                               std::optional<size_t> expectedBytes) {
  const std::string text = util::Format("%s \"%s\" (%6.6x, %d items)", MemoryModeName(mode), MemTypeName(memType),
                                        address, count);
  const std::string command =
      "40" + util::HexByte(memType) + util::HexByte(mode) + LittleEndianHex(address) + util::HexByte(count) +
      util::BytesToHex(data);
  const TAnswerForm form = expectedBytes ? TAnswerForm::Exactly(*expectedBytes) : TAnswerForm::Any();
  return RunOperation(CutToCharacters(text, 255), command, form, [&](const std::string &dataHex) -> std::optional<TResultCode> {
    if (expectedBytes && DataByteCount(dataHex) != *expectedBytes) return device::rcBadFormat;
    // Only an answer that carries bytes replaces what data held.
    if (DataByteCount(dataHex) > 0) data = DataBytes(dataHex);
    return std::nullopt;
  });
}

bool ZIZ2400::MemoryTransfer(uint8_t mode, uint8_t memType, std::string &data, uint32_t address, uint32_t count,
                             uint32_t itemSize, uint32_t blockBytes) {
  const bool reading = mode == memmode::kRead;
  if (reading) data.clear();
  // Nothing to move, or blocks that cannot hold one item, is a request
  // that cannot be made: a failure, never a result of 0 left over.
  const bool writing = mode == memmode::kWrite;
  if ((!reading && !writing) || count == 0 || itemSize == 0 || blockBytes < itemSize ||
      (writing && data.size() < uint64_t{count} * itemSize)) {
    SetResult(device::rcBadParams);
    return false;
  }
  const uint32_t start = address;
  const size_t totalBytes = size_t{count} * itemSize;
  auto progress = [&] {
    if (OnTransferProgress) OnTransferProgress(size_t{address - start} * itemSize, totalBytes);
  };
  progress();
  std::string read;
  while (count > 0) {
    if (endAfterBlock_) {
      SetResult(device::rcAborted);
      return false;
    }
    uint32_t n = uint64_t{itemSize} * count > blockBytes ? blockBytes / itemSize : count;
    n = std::min<uint32_t>(n, 255);  // one count byte per request
    std::string chunk = writing ? data.substr(size_t{address - start} * itemSize, size_t{n} * itemSize) : std::string();
    std::optional<size_t> expected;
    if (reading) expected = size_t{n} * itemSize;
    if (!RunMemoryRequest(mode, memType, chunk, address, static_cast<uint8_t>(n), expected)) return false;
    if (reading) read += chunk;
    address += n;
    count -= n;
    progress();
  }
  if (reading) data = std::move(read);
  return true;
}

bool ZIZ2400::RunCompositeOperation(uint8_t actionCode, const std::string &actionText, int actionSize,
                                    uint8_t actionType, const std::function<bool()> &work) {
  DoAction(actionCode, actionText, actionSize, actionType);
  DetailStart();
  const bool ok = work();
  if (!ok && ResultCode().Code == 0) SetResult(device::rcError);
  DetailDone();
  return ok;
}

bool ZIZ2400::ReadMemoryParameter(uint8_t memType, uint8_t count, size_t bytes, std::string &data) {
  data.clear();
  return RunMemoryRequest(memmode::kReadParam, memType, data, 0, count, bytes);
}

bool ZIZ2400::ReadSizedRegion(const std::function<bool(uint32_t &size)> &readSize,
                              const std::function<bool(uint32_t size)> &readBytes) {
  uint32_t size = 0;
  if (!readSize(size)) return false;
  if (size == 0) {
    // The size was read fine, but there is no region to read.
    SetResult(device::rcNoData);
    return false;
  }
  return readBytes(size);
}

}  // namespace modem
