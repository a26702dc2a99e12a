#include "modem/network_texts.h"

#include <iterator>

#include "modem/packet_rssi.h"
#include "util/format.h"

namespace modem::network_text {

namespace {

std::string N(unsigned v) { return std::to_string(v); }

// Eight flag words, each followed by a blank ("_bN_" for a bit without a
// name), bold when its bit is set.
std::string FlagWordsMarkup(uint8_t value, modem::BitNames names) {
  std::string out;
  for (unsigned bit = 0; bit < 8; ++bit) {
    const char *name = modem::BitName(bit, names);
    const std::string word = (name ? std::string(name) : "_b" + N(bit) + "_") + " ";
    out += (value & (1u << bit)) ? "<b>" + word + "</b>" : word;
  }
  return out;
}

// The name of a state, or "!Unknown(N)!" as the router and task states read.
std::string StateName(uint8_t value, modem::ValueNames names) {
  const char *name = modem::NameOf(value, names);
  return name ? name : "!Unknown(" + N(value) + ")!";
}

}  // namespace

std::string MacContextText(const modem::TMacContext &ctx) {
  const auto f = modem::DecodeMacContext(ctx);
  return "PacketID: " + N(f.PacketID) + "\r\n" + "RXFrame: 0x" + util::Format("%4.4x", f.RXFrame) + "\r\n" +
         "RXStage: " + modem::MacRxStageName(f.RXStage) + "\r\n" + "FrameCnt: " + N(f.FrameCnt) + "\r\n" +
         "Last Allocated Frame Idx: " + N(f.LastAllocatedFrameIdx) + "\r\n" + "ACKHandle: 0x" +
         util::Format("%4.4x", f.ACKHandle);
}

std::string OrvaStateMarkup(const modem::TORVA_CommonContext &ctx) {
  const auto f = modem::DecodeOrvaCommon(ctx);
  std::string s = "Status: <b>";
  const char *status = modem::NameOf(f.Status, modem::kOrvaStatusNames);
  s += status ? std::string(status) : "unknown (" + N(f.Status) + ")";
  s += "</b>\r\n";
  s += "FilterMode: (" + FlagWordsMarkup(f.FilterMode, modem::kOrvaFilterModeBits) + ")\r\n";
  s += "DeviceMode: <b>" + StateName(f.DeviceMode, modem::kOrvaDeviceModeNames);
  s += "</b>  PanID: <b>" + N(f.PanID) + "</b>   ";
  // The closing tags that open the next two pieces are part of the text.
  s += "</b>  NextChildCheckTime: <b>" + N(f.NextChildCheckTime) + "</b>   ";
  s += "</b>  RQ_Frame: <b>" + util::Format("%4.4x", f.RQ_Frame) + "</b>   ";
  s += "   WhoThereTaskState: <b>" + StateName(f.WhoThereTaskState, modem::kOrvaWhoThereTaskNames) + "</b>\r\n";
  s += "WTT_TO: <b>" + N(f.WTT_TO) + "</b>  NodeCount: <b>" + N(f.NodeCount) + "</b>";
  return s;
}

std::string OrvaRouterMarkup(const modem::TORVA_RouterContext &ctx) {
  const auto f = modem::DecodeOrvaRouter(ctx);
  std::string s = util::Format("NetID: <b>%d</b>   WorkFreqOffs: <b>%d</b> (~%2.2f Khz)  ", f.NetID, f.WorkFreqOffs,
                               f.WorkFreqOffs * 0.4) +
                  util::Format("ChangeFreqTO: <b>%d</b>\r\n", f.ChangeFreqTO);
  s += "RouterRegState: (" + FlagWordsMarkup(f.RouterRegState, modem::kOrvaRouterRegStateBits) + ")\r\n";
  s += "RegTaskState: <b>" + StateName(f.RegTaskState, modem::kOrvaRegTaskNames);
  s += "</b>  NextRegTime: <b>" + N(f.NextRegTime);
  s += "</b>  RegTryNum: <b>" + N(f.RegTryNum);
  s += "</b>  NWKHandle: <b>" + util::Format("%4.4x", f.NWKHandle);
  s += "</b>\r\n";
  s += "NextPingRQ: <b>" + N(f.NextPingRQ) + "</b>  PingState: <b>" + StateName(f.PingState, modem::kOrvaPingStateNames);
  s += "</b>  PacketsSent: <b>" + N(f.PacketsSent);
  s += "</b>  PacketsACKed: <b>" + N(f.PacketsACKed);
  s += "</b>  NetKoeff: <b>" + N(f.NetKoeff);
  s += "</b>  Depth: <b>" + N(f.Depth);
  return util::Format("%s</b>\r\nPrefParents: <b>%d, %d, %d, %d</b>", s, f.PrefParents[0], f.PrefParents[1],
                      f.PrefParents[2], f.PrefParents[3]);
}

const std::array<const char *, kOrvaColumnCount> &OrvaColumns() {
  static const std::array<const char *, kOrvaColumnCount> columns = {"Addr",      "RSSI",     "LQI",     "Depth",
                                                                     "ChildCnt",  "NetKoeffW", "LastPing", "PingFlags"};
  return columns;
}

std::string RssiText(uint8_t raw) { return util::Format("%d (%d dbm)", raw, modem::PacketRssiDbm(raw)); }

std::string PingFlagsText(uint8_t flags) {
  std::string out;
  for (unsigned bit = 0; bit < std::size(modem::kOrvaPingFlagBits); ++bit)
    if (flags & (1u << bit)) out += std::string(modem::kOrvaPingFlagBits[bit]) + " ";
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

OrvaRow OrvaNodeRow(const modem::TORVA_Node &entry) {
  const auto f = modem::DecodeOrvaNode(entry);
  OrvaRow row;
  row.active = f.Active;
  row.cells = {N(f.Addr),      RssiText(f.RSSI), N(f.LQI),      N(f.Depth),
               N(f.ChildCnt), N(f.NetKoeffW),   N(f.LastPing), PingFlagsText(f.PingFlags)};
  return row;
}

std::string RouteItemText(const modem::ZIZ2400RoutePair &pair) {
  return util::Format("%d (MAC: %d)", pair.Destination, pair.NextHop);
}

std::string ReadFailureMarkup(const std::string &what, const std::string &result) {
  return "<c:Red>" + what + " не удалось: " + result +
         ". Проверьте связь с узлом и повторите; на странице прежние данные.</c>";
}

std::string PartialReadMarkup(size_t entriesRead, const std::string &result) {
  return util::Format("<c:Red>Прочитано записей: %d; чтение следующей не удалось: %s. Повторите чтение.</c>",
                      entriesRead, result);
}

}  // namespace modem::network_text
