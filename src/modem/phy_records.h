#pragma once
// The radio driver's records (PHY status, last packet, error counters,
// carrier offsets) as fields, with the names of their values.
#include <cstdint>
#include <string>

#include "modem/ziz2400.h"

namespace modem {

struct PhyStatusFields {
  uint8_t Flags = 0;
  uint8_t Status = 0;
  uint8_t RF_Channel = 0;
  uint16_t LastRecvTick = 0;
  uint16_t LastTransmitTick = 0;
  uint8_t LastCalibrationTick = 0;
  uint8_t RX_RPtr = 0;
  uint8_t RX_WPtr = 0;
  uint8_t RX_Cnt = 0;
  uint16_t TXFrame = 0;
  uint8_t CSMA_TryNum = 0;
  uint8_t CSMA_Start = 0;
  uint8_t CSMA_Delay = 0;
};
PhyStatusFields DecodePhyStatus(const TPhyStatus &buf);

// The words of the set flag bits 0..5 in bit order, each with its trailing
// blank ("ClearRXFIFO TXPending "); bits 6 and 7 have no word.
std::string PhyFlagWords(uint8_t flags);
// "ps_Off" ... "ps_PacketTransmitOK"; nothing for any other value.
const char *PhyStatusName(uint8_t status);

struct LastPacketFields {
  uint16_t Addr = 0;
  uint8_t RSSI = 0;  // raw reading
  uint8_t LQI = 0;
  uint16_t TimeMark = 0;
  uint8_t PacketLen = 0;
};
LastPacketFields DecodeLastPacketStatus(const TLastPacketStatus &buf);
// The raw RSSI in dBm: half the distance from 128, truncated toward zero,
// less 72 (0 gives -136, 128 gives -72, 255 gives -9).
int RssiDbm(uint8_t raw);

struct PhyErrorFields {
  uint16_t TxSex = 0;
  uint16_t TxWatchDog = 0;
  uint16_t RxWatchDog = 0;
};
PhyErrorFields DecodePhyErrorStats(const TPhyErrorStats &buf);

// A carrier offset byte (signed, one step 26.208 MHz / 2^14) in kHz,
// truncated toward zero. Index 4 of TCarrierOffsets is the mean.
int CarrierOffsetKhz(uint8_t raw);

}  // namespace modem
