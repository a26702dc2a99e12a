#pragma once
// What the mesh layer ("ORVA") reports about itself, as raw records and as
// their decoded fields. All numbers are little-endian.
#include <array>
#include <cstdint>
#include <vector>

#include "modem/value_names.h"

namespace modem {

using TORVA_CommonContext = std::array<uint8_t, 11>;
using TORVA_RouterContext = std::array<uint8_t, 26>;
// One entry of the mesh node table.
using TORVA_Node = std::array<uint8_t, 12>;
using TORVA_Nodes = std::vector<TORVA_Node>;

struct OrvaCommonFields {
  uint8_t Status = 0;  // 0 Disconnected ... 7 DisconnectWaiting
  uint8_t FilterMode = 0;
  uint8_t DeviceMode = 0;  // 0 Work, 1 Tech
  uint8_t PanID = 0;
  uint16_t NextChildCheckTime = 0;
  uint16_t RQ_Frame = 0;
  uint8_t WhoThereTaskState = 0;
  uint8_t WTT_TO = 0;
  uint8_t NodeCount = 0;
};

struct OrvaRouterFields {
  uint16_t NetID = 0;
  int16_t WorkFreqOffs = 0;  // steps of 0.4 kHz
  uint8_t ChangeFreqTO = 0;
  uint8_t RouterRegState = 0;
  uint8_t RegTaskState = 0;
  uint8_t NextRegTime = 0;
  uint8_t RegTryNum = 0;
  uint16_t NWKHandle = 0;
  uint16_t NextPingRQ = 0;
  uint8_t PingState = 0;
  uint8_t PacketsSent = 0;
  uint8_t PacketsACKed = 0;
  uint8_t NetKoeff = 0;
  uint8_t Depth = 0;
  std::array<uint16_t, 4> PrefParents{};
};

struct OrvaNodeFields {
  bool Active = false;
  uint16_t Addr = 0;
  uint8_t RSSI = 0;
  uint8_t LQI = 0;
  uint8_t Depth = 0;
  uint8_t ChildCnt = 0;
  uint16_t NetKoeffW = 0;
  uint16_t LastPing = 0;
  uint8_t PingFlags = 0;  // 0x01 knSrc, 0x02 RejectNC, 0x04 RTC, 0x08 Light
};

inline constexpr ValueName kOrvaStatusNames[] = {
    {0, "Disconnected"}, {1, "ConnectStart"},  {2, "Connecting"},        {3, "Completing connection"},
    {4, "Connected"},    {5, "Disconnecting"}, {6, "DisconnectSending"}, {7, "DisconnectWaiting"}};
inline constexpr const char *kOrvaFilterModeBits[] = {"ZeroPANEnabled", "UnassocRQEnabled", "CatchBCast", "ForMeOnly",
                                                      "CollectStatistics"};
inline constexpr ValueName kOrvaDeviceModeNames[] = {{0, "Work"}, {1, "Tech"}};
inline constexpr ValueName kOrvaWhoThereTaskNames[] = {{0, "Idle"}, {1, "WaitingDelay"}, {2, "SendingRSP"}};

inline constexpr const char *kOrvaRouterRegStateBits[] = {"CoordRegged", "RestoringOS", "WaitToSave"};
inline constexpr ValueName kOrvaRegTaskNames[] = {{0, "Idle"}, {1, "NWKPrepare"}, {2, "SendingRQ"}, {3, "WaitForRSP"}};
inline constexpr ValueName kOrvaPingStateNames[] = {{0, "Idle"}, {1, "SendingRQ"}, {2, "WaitForRSP"}};

inline constexpr const char *kOrvaPingFlagBits[] = {"knSrc", "RejectNC", "RTC", "Light"};

OrvaCommonFields DecodeOrvaCommon(const TORVA_CommonContext &ctx);
OrvaRouterFields DecodeOrvaRouter(const TORVA_RouterContext &ctx);
OrvaNodeFields DecodeOrvaNode(const TORVA_Node &entry);

}  // namespace modem
