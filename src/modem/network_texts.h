#pragma once
// The texts of the network pages "MAC", "ORVA" and "NWK", without Qt: the
// labels' markup and the table cells, built from the decoded records. The
// command line prints the same texts with the markup removed.
#include <array>
#include <string>
#include <vector>

#include "modem/mac_context.h"
#include "modem/orva_records.h"
#include "modem/route_pairs.h"

namespace modem::network_text {

// "PacketID: ..." of the MAC page, six lines.
std::string MacContextText(const modem::TMacContext &ctx);

// The ORVA page's label after "Get state" and after "Get router state".
std::string OrvaStateMarkup(const modem::TORVA_CommonContext &ctx);
std::string OrvaRouterMarkup(const modem::TORVA_RouterContext &ctx);

// The ORVA table's columns and one row's cells in their order.
inline constexpr int kOrvaColumnCount = 8;
const std::array<const char *, kOrvaColumnCount> &OrvaColumns();
struct OrvaRow {
  std::array<std::string, kOrvaColumnCount> cells;
  bool active = false;  // inactive rows are drawn in silver
};
OrvaRow OrvaNodeRow(const modem::TORVA_Node &entry);
// "%d (%d dbm)" of a raw RSSI.
std::string RssiText(uint8_t raw);
// "knSrc RejectNC ..." of the set bits 0..3, trimmed.
std::string PingFlagsText(uint8_t flags);

// "%d (MAC: %d)": the destination and the hop it is reached through.
std::string RouteItemText(const modem::ZIZ2400RoutePair &pair);
inline constexpr char kRouteListHint[] = "Формат записи:\r\nКому (Через Кого)";

// A read that failed leaves the page as it was and says so in red: what
// failed, the modem's answer, and what to do.
std::string ReadFailureMarkup(const std::string &what, const std::string &result);
// A table read that stopped part-way: the entries before it are shown.
std::string PartialReadMarkup(size_t entriesRead, const std::string &result);

}  // namespace modem::network_text
