#include "modem/phy_records.h"

#include <string_view>

#include "util/little_endian.h"

namespace modem {

namespace {

const char *const kFlagWords[] = {"ClearRXFIFO ", "ClearTXFIFO ", "TXPending ",
                                  "NeededPHYTask ", "TXStarted ", "TXSEX!!! "};
const char *const kStatusNames[] = {"ps_Off", "ps_RX", "ps_Receiving", "ps_PacketReceived", "ps_Transmitting",
                                    "ps_PacketTransmitOK"};

}  // namespace

PhyStatusFields DecodePhyStatus(const TPhyStatus &b) {
  PhyStatusFields f;
  f.Flags = b[0];
  f.Status = b[1];
  f.RF_Channel = b[2];
  f.LastRecvTick = util::LeU16(b, 3);
  f.LastTransmitTick = util::LeU16(b, 5);
  f.LastCalibrationTick = b[7];
  f.RX_RPtr = b[8];
  f.RX_WPtr = b[9];
  f.RX_Cnt = b[10];
  f.TXFrame = util::LeU16(b, 11);
  f.CSMA_TryNum = b[13];
  f.CSMA_Start = b[14];
  f.CSMA_Delay = b[15];
  return f;
}

std::string PhyFlagWords(uint8_t flags) {
  std::string words;
  for (int bit = 0; bit < 6; ++bit)
    if (flags & (1u << bit)) words += kFlagWords[bit];
  return words;
}

const char *PhyStatusName(uint8_t status) {
  return status < sizeof kStatusNames / sizeof kStatusNames[0] ? kStatusNames[status] : nullptr;
}

LastPacketFields DecodeLastPacketStatus(const TLastPacketStatus &b) {
  return {util::LeU16(b, 0), b[2], b[3], util::LeU16(b, 4), b[6]};
}

int RssiDbm(uint8_t raw) { return (raw - 128) / 2 - 72; }

PhyErrorFields DecodePhyErrorStats(const TPhyErrorStats &b) { return {util::LeU16(b, 0), util::LeU16(b, 2), util::LeU16(b, 4)}; }

int CarrierOffsetKhz(uint8_t raw) { return static_cast<int8_t>(raw) * 26208 / 16384; }

}  // namespace modem
