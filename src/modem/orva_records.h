#pragma once
// What the mesh layer ("ORVA") reports about itself, as raw records and as
// their decoded fields. All numbers are little-endian.
#include <array>
#include <cstdint>
#include <vector>

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

OrvaCommonFields DecodeOrvaCommon(const TORVA_CommonContext &ctx);
OrvaRouterFields DecodeOrvaRouter(const TORVA_RouterContext &ctx);
OrvaNodeFields DecodeOrvaNode(const TORVA_Node &entry);

}  // namespace modem
