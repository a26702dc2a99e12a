#pragma once
// Register values against a reference: an earlier read, the power-on
// defaults or a file. Only addresses both sides know are compared.
#include <vector>

#include "modem/transceiver_registers.h"

namespace modem {

struct RegisterDifference {
  int address = 0;
  uint8_t value = 0;      // what the registers hold
  uint8_t reference = 0;  // what the reference says
};

struct RegisterComparison {
  int compared = 0;  // addresses known on both sides
  std::vector<RegisterDifference> differences;
};

RegisterComparison CompareRegisters(const RegisterSnapshot &values, const RegisterSnapshot &reference);

// What writing `wanted` over `now` changes: its configuration registers that
// differ there (status registers are never written), in address order.
std::vector<RegisterDifference> PlanRegisterWrite(const RegisterSnapshot &now, const RegisterSnapshot &wanted);

}  // namespace modem
