#pragma once
// The records an answer's status byte selects. Codes equal the status
// values; the texts differ from the engine's table for the same numbers.
#include <cstdint>

#include "device/result_code.h"

namespace modem {

extern const device::TResultCode msBadParams;
extern const device::TResultCode msNoSuchCommand;
extern const device::TResultCode msTempUnable;
extern const device::TResultCode msNoResources;
extern const device::TResultCode msDepthLimit;
extern const device::TResultCode msBadDataCS;
extern const device::TResultCode msNoSuchTask;
extern const device::TResultCode msBufferFull;
extern const device::TResultCode msNoSuchNode;
extern const device::TResultCode msNodeOffline;
extern const device::TResultCode msTimeout;
extern const device::TResultCode msNotDelivered;
extern const device::TResultCode msNoSuchRoute;
extern const device::TResultCode msAccessDenied;
extern const device::TResultCode msNotSupported;

// The record of a status: rcOK for 0, a table record, or none for statuses
// outside the table.
const device::TResultCode *ModemStatusRecord(uint8_t status);

}  // namespace modem
