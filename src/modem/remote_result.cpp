#include "modem/remote_result.h"

#include <string>

#include "modem/modem_status.h"

namespace modem {

const device::TResultCode rcGatewayError{513, "Ошибка шлюза"};

device::TResultCode RemoteResultCode(uint8_t status) {
  if (const device::TResultCode *rc = ModemStatusRecord(status)) return *rc;
  return {status, "Ошибка " + std::to_string(status)};
}

device::TResultCode RemoteTimeoutResult(int ms) {
  return {device::rcNoAnswer.Code, "нет ответа от удаленного узла за " + std::to_string(ms) + " мс"};
}

}  // namespace modem
