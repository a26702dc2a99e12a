#pragma once
// The outcome of a transaction. Records come whole from fixed tables, so the
// same code may carry different texts depending on the table.
#include <string>

namespace device {

struct TResultCode {
  int Code = 3;
  std::string Msg;
  bool operator==(const TResultCode &) const = default;
};

// "In progress" is the record (3, empty). The modem's own status 3
// ("неизвестная команда") shares the code but is a final answer: telling
// them apart by code alone would report a modem that refused a command as
// one that never answered.
inline bool IsPending(const TResultCode &rc) { return rc.Code == 3 && rc.Msg.empty(); }

// The engine's table (there is no code 5).
extern const TResultCode rcOK;
extern const TResultCode rcError;
extern const TResultCode rcNoAnswer;
extern const TResultCode rcPending;
extern const TResultCode rcChannelInit;
// rcChannelInit's code, saying why: the port's line went away.
extern const TResultCode rcLineLost;
extern const TResultCode rcAborted;
extern const TResultCode rcModemCommand;
extern const TResultCode rcIdentError;
extern const TResultCode rcBadDateTime;
extern const TResultCode rcBadParams;
extern const TResultCode rcBadFormat;
extern const TResultCode rcRxOverflow;
extern const TResultCode rcChecksum;
extern const TResultCode rcNoRecord;
extern const TResultCode rcBusy;
extern const TResultCode rcHardware;
extern const TResultCode rcExecError;
extern const TResultCode rcBadDeviceNo;
extern const TResultCode rcStrangePacket;
extern const TResultCode rcRecordChecksum;

// The adapter-answer table.
extern const TResultCode rcBadCommand;
extern const TResultCode rcBadCommandParams;
extern const TResultCode rcWrongMode;
extern const TResultCode rcNoData;
extern const TResultCode rcNoAdapterAnswer;
extern const TResultCode rcAdapterBusy;
extern const TResultCode rcAdapterFault;

}  // namespace device
