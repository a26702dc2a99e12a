#include "modem/phy_texts.h"

#include "modem/phy_records.h"
#include "util/format.h"

namespace modem::phy_text {

std::string PhyStatusText(const modem::TPhyStatus &buf) {
  const auto f = modem::DecodePhyStatus(buf);
  const char *name = modem::PhyStatusName(f.Status);
  std::string s = "<b>PHY Flags:</b>  " + modem::PhyFlagWords(f.Flags) + "\r\n<b>PHY Status:</b>  " +
                  (name ? name : "<c:Red>Unknown</c>");
  s = util::Format("%s\r\n<b>RF_Channel:  %d</b>", s, f.RF_Channel);
  s = util::Format("%s\r\n<b>LastRecvTick:  %d</b>", s, f.LastRecvTick);
  s = util::Format("%s\r\n<b>LastTransmitTick:  %d</b>", s, f.LastTransmitTick);
  s = util::Format("%s\r\n<b>LastCalibrationTick:  %d (0x%2.2x)</b>", s, f.LastCalibrationTick,
                   f.LastCalibrationTick);
  s = util::Format("%s\r\n<b>RX_RPtr:  %d</b>", s, f.RX_RPtr);
  s = util::Format("%s\r\n<b>RX_WPtr:  %d</b>", s, f.RX_WPtr);
  s = util::Format("%s\r\n<b>RX_Cnt:  %d</b>", s, f.RX_Cnt);
  s = util::Format("%s\r\n<b>TXFrame:  0x%4.4x</b>", s, f.TXFrame);
  s = util::Format("%s\r\n<b>CSMA_TryNum:  %d</b>", s, f.CSMA_TryNum);
  s = util::Format("%s\r\n<b>CSMA_Start:  %d</b>", s, f.CSMA_Start);
  s = util::Format("%s\r\n<b>CSMA_Delay:  %d</b>", s, f.CSMA_Delay);
  return s;
}

std::string ErrorStatsText(const modem::TPhyErrorStats &buf) {
  const auto e = modem::DecodePhyErrorStats(buf);
  return "<b>TX SEX:</b>  " + std::to_string(e.TxSex) + "\r\n<b>TX WatchDog:</b>  " + std::to_string(e.TxWatchDog) +
         "\r\n<b>RX WatchDog:</b>  " + std::to_string(e.RxWatchDog);
}

std::string TemperatureText(int16_t degrees) { return "CC2500 crystal Temp: " + std::to_string(degrees); }

std::string CarrierText(const modem::TCarrierOffsets &buf) {
  using modem::CarrierOffsetKhz;
  return util::Format("Offs 0: %d Khz \r\nOffs 1: %d Khz \r\nOffs 2: %d Khz \r\nOffs 3: %d Khz \r\nMiddle: %d Khz \r\n",
                      CarrierOffsetKhz(buf[0]), CarrierOffsetKhz(buf[1]), CarrierOffsetKhz(buf[2]),
                      CarrierOffsetKhz(buf[3]), CarrierOffsetKhz(buf[4]));
}

std::string LastPacketText(const modem::TLastPacketStatus &buf) {
  const auto p = modem::DecodeLastPacketStatus(buf);
  return util::Format(
      "Last Packet status:\r\nAddr: %d\r\nPacket Len: %d\r\nRSSI: %d (%d dbm)\r\nLQI: %d\r\nTime Mark: %d\r\n", p.Addr,
      p.PacketLen, p.RSSI, modem::RssiDbm(p.RSSI), p.LQI, p.TimeMark);
}

}  // namespace modem::phy_text
