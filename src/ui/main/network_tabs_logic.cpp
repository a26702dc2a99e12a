#include "ui/main/network_tabs_logic.h"

#include "modem/packet_rssi.h"
#include "util/format.h"

namespace network_tabs {

namespace {

using Names = std::vector<const char *>;

// Eight flag words, each as given (with its trailing blank), bold when its bit is set.
std::string FlagWordsMarkup(uint8_t value, const std::array<const char *, 8> &words) {
  std::string out;
  for (int bit = 0; bit < 8; ++bit) {
    if (value & (1u << bit)) out += std::string("<b>") + words[bit] + "</b>";
    else out += words[bit];
  }
  return out;
}

// The name of a state, or "!Unknown(N)!" as the router and task states read.
std::string StateName(uint8_t value, const Names &names) {
  if (value < names.size()) return names[value];
  return "!Unknown(" + std::to_string(value) + ")!";
}

const Names kOrvaStatus = {"Disconnected", "ConnectStart",     "Connecting",      "Completing connection",
                           "Connected",    "Disconnecting",    "DisconnectSending", "DisconnectWaiting"};
const std::array<const char *, 8> kFilterWords = {"ZeroPANEnabled ", "UnassocRQEnabled ", "CatchBCast ", "ForMeOnly ",
                                                  "CollectStatistics ", "_b5_ ", "_b6_ ", "_b7_ "};
const std::array<const char *, 8> kRouterRegWords = {"CoordRegged ", "RestoringOS ", "WaitToSave ", "_b3_ ",
                                                     "_b4_ ",        "_b5_ ",        "_b6_ ",        "_b7_ "};
const Names kDeviceModes = {"Work", "Tech"};
const Names kWhoThereStates = {"Idle", "WaitingDelay", "SendingRSP"};
const Names kRegTaskStates = {"Idle", "NWKPrepare", "SendingRQ", "WaitForRSP"};
const Names kPingStates = {"Idle", "SendingRQ", "WaitForRSP"};
const std::array<const char *, 4> kPingFlagWords = {"knSrc ", "RejectNC ", "RTC ", "Light "};

std::string N(unsigned v) { return std::to_string(v); }

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
  s += f.Status < kOrvaStatus.size() ? std::string(kOrvaStatus[f.Status]) : "unknown (" + N(f.Status) + ")";
  s += "</b>\r\n";
  s += "FilterMode: (" + FlagWordsMarkup(f.FilterMode, kFilterWords) + ")\r\n";
  s += "DeviceMode: <b>" + StateName(f.DeviceMode, kDeviceModes);
  s += "</b>  PanID: <b>" + N(f.PanID) + "</b>   ";
  // The closing tags that open the next two pieces are part of the text.
  s += "</b>  NextChildCheckTime: <b>" + N(f.NextChildCheckTime) + "</b>   ";
  s += "</b>  RQ_Frame: <b>" + util::Format("%4.4x", f.RQ_Frame) + "</b>   ";
  s += "   WhoThereTaskState: <b>" + StateName(f.WhoThereTaskState, kWhoThereStates) + "</b>\r\n";
  s += "WTT_TO: <b>" + N(f.WTT_TO) + "</b>  NodeCount: <b>" + N(f.NodeCount) + "</b>";
  return s;
}

std::string OrvaRouterMarkup(const modem::TORVA_RouterContext &ctx) {
  const auto f = modem::DecodeOrvaRouter(ctx);
  std::string s = util::Format("NetID: <b>%d</b>   WorkFreqOffs: <b>%d</b> (~%2.2f Khz)  ", f.NetID, f.WorkFreqOffs,
                               f.WorkFreqOffs * 0.4) +
                  util::Format("ChangeFreqTO: <b>%d</b>\r\n", f.ChangeFreqTO);
  s += "RouterRegState: (" + FlagWordsMarkup(f.RouterRegState, kRouterRegWords) + ")\r\n";
  s += "RegTaskState: <b>" + StateName(f.RegTaskState, kRegTaskStates);
  s += "</b>  NextRegTime: <b>" + N(f.NextRegTime);
  s += "</b>  RegTryNum: <b>" + N(f.RegTryNum);
  s += "</b>  NWKHandle: <b>" + util::Format("%4.4x", f.NWKHandle);
  s += "</b>\r\n";
  s += "NextPingRQ: <b>" + N(f.NextPingRQ) + "</b>  PingState: <b>" + StateName(f.PingState, kPingStates);
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
  for (size_t bit = 0; bit < kPingFlagWords.size(); ++bit)
    if (flags & (1u << bit)) out += kPingFlagWords[bit];
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

}  // namespace network_tabs
