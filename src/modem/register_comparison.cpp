#include "modem/register_comparison.h"

namespace modem {

RegisterComparison CompareRegisters(const RegisterSnapshot &values, const RegisterSnapshot &reference) {
  RegisterComparison result;
  for (int a = 0; a < kRegisterRowCount; ++a) {
    if (!values.Has(a) || !reference.Has(a)) continue;
    ++result.compared;
    if (*values.values[a] != *reference.values[a])
      result.differences.push_back({a, *values.values[a], *reference.values[a]});
  }
  return result;
}

std::vector<RegisterDifference> PlanRegisterWrite(const RegisterSnapshot &now, const RegisterSnapshot &wanted) {
  std::vector<RegisterDifference> plan;
  for (const auto &d : CompareRegisters(now, wanted).differences)
    if (IsConfigurationRegister(d.address)) plan.push_back(d);
  return plan;
}

}  // namespace modem
