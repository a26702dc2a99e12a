#include "modem/register_transfer.h"

namespace modem {

namespace {

struct BulkRead {
  uint8_t first;
  uint8_t count;
};
constexpr BulkRead kBulkReads[] = {{0x00, 32}, {0x20, 27}};

}  // namespace

bool ReadRegisterFile(ZIZ2400 &node, TRegisterImage &image, RegisterSnapshot &read) {
  image.fill(0);
  read = {};
  for (const auto &r : kBulkReads) {
    TRegisterImage buffer;
    if (!node.ReadRegisters(r.first, r.count, buffer)) return false;
    for (int a = r.first; a < r.first + r.count; ++a) {
      image[a] = buffer[a];
      read.values[a] = buffer[a];
    }
  }
  return true;
}

RegisterWriteOutcome WriteRegisterChanges(ZIZ2400 &node, const std::vector<RegisterDifference> &changes,
                                          const std::function<void(int, int)> &progress) {
  RegisterWriteOutcome outcome;
  const int total = static_cast<int>(changes.size());
  for (const auto &c : changes) {
    if (!node.WriteRegister(static_cast<uint8_t>(c.address), c.reference)) {
      outcome.writeFailed = true;
      return outcome;
    }
    ++outcome.written;
    if (progress) progress(outcome.written, total);
  }
  if (!ReadRegisterFile(node, outcome.image, outcome.readBack)) {
    outcome.readBackFailed = true;
    return outcome;
  }
  for (const auto &c : changes) {
    const uint8_t held = outcome.image[c.address];
    if (held != c.reference) outcome.mismatches.push_back({c.address, held, c.reference});
  }
  return outcome;
}

}  // namespace modem
