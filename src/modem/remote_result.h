#pragma once
// How a remote node's status byte reads as a result.
#include <cstdint>

#include "device/result_code.h"

namespace modem {

// The direct node failed to relay a command (status poll or fetch).
extern const device::TResultCode rcGatewayError;

// 0 is "OK"; statuses of the modem's table keep their records; any other
// status n is (n, "Ошибка n").
device::TResultCode RemoteResultCode(uint8_t status);

// A remote command that did not finish within its deadline of `ms`.
device::TResultCode RemoteTimeoutResult(int ms);

}  // namespace modem
