#pragma once
// The register file moved between a node and the program: read in the two
// bulk reads the register page makes, and a set of changes written register
// by register, then read back to check that each one holds.
#include <functional>
#include <vector>

#include "modem/register_comparison.h"
#include "modem/ziz2400.h"

namespace modem {

// Rows 0x00..0x1F, then (only when that succeeded) 0x20..0x3A; RXBYTES at
// 0x3B is not part of it. `image` gets what came and 0 elsewhere, `read`
// the rows that came. False when either read failed (the node's ResultCode
// says why).
bool ReadRegisterFile(ZIZ2400 &node, TRegisterImage &image, RegisterSnapshot &read);

struct RegisterWriteOutcome {
  int written = 0;              // changes the node accepted, in order
  bool writeFailed = false;     // the write after the last accepted one failed (or was stopped)
  bool readBackFailed = false;  // the check read failed
  std::vector<RegisterDifference> mismatches;  // written registers reading back otherwise (value: read back)
  TRegisterImage image{};      // the register file as read back
  RegisterSnapshot readBack;   // its rows that came
  bool Succeeded() const { return !writeFailed && !readBackFailed && mismatches.empty(); }
};

// Writes each change's reference value, stopping at the first failure, then
// reads the register file back and checks the written registers.
// `progress` hears (done, total) after each write.
RegisterWriteOutcome WriteRegisterChanges(ZIZ2400 &node, const std::vector<RegisterDifference> &changes,
                                          const std::function<void(int, int)> &progress = {});

}  // namespace modem
