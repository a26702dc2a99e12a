// Decoding of the table records the memory and mesh commands return.
#include "modem/node_table.h"
#include "modem/orva_records.h"
#include "modem/route_pairs.h"
#include "util/hex.h"
#include "util/little_endian.h"

namespace modem {

using util::LeU16;

TZT_NodeTableItems NodeTableItemsFromBytes(std::string_view bytes) {
  TZT_NodeTableItems items(bytes.size() / 9);
  for (size_t i = 0; i < items.size(); ++i)
    for (size_t k = 0; k < 9; ++k) items[i].bytes[k] = static_cast<uint8_t>(bytes[i * 9 + k]);
  return items;
}

ZIZ2400RoutePairs RoutePairsFromBytes(std::string_view bytes) {
  ZIZ2400RoutePairs pairs(bytes.size() / 4);
  for (size_t i = 0; i < pairs.size(); ++i) pairs[i] = {LeU16(bytes, i * 4), LeU16(bytes, i * 4 + 2)};
  return pairs;
}

std::string BufToHex(const void *buffer, size_t n) {
  return util::BytesToHex(std::string_view(static_cast<const char *>(buffer), n));
}

OrvaCommonFields DecodeOrvaCommon(const TORVA_CommonContext &c) {
  return {c[0], c[1], c[2], c[3], LeU16(c, 4), LeU16(c, 6), c[8], c[9], c[10]};
}

OrvaRouterFields DecodeOrvaRouter(const TORVA_RouterContext &c) {
  OrvaRouterFields f;
  f.NetID = LeU16(c, 0);
  f.WorkFreqOffs = static_cast<int16_t>(LeU16(c, 2));
  f.ChangeFreqTO = c[4];
  f.RouterRegState = c[5];
  f.RegTaskState = c[6];
  f.NextRegTime = c[7];
  f.RegTryNum = c[8];
  f.NWKHandle = LeU16(c, 9);
  f.NextPingRQ = LeU16(c, 11);
  f.PingState = c[13];
  f.PacketsSent = c[14];
  f.PacketsACKed = c[15];
  f.NetKoeff = c[16];
  f.Depth = c[17];
  for (size_t k = 0; k < 4; ++k) f.PrefParents[k] = LeU16(c, 18 + 2 * k);
  return f;
}

OrvaNodeFields DecodeOrvaNode(const TORVA_Node &e) {
  return {e[0] != 0, LeU16(e, 1), e[3], e[4], e[5], e[6], LeU16(e, 7), LeU16(e, 9), e[11]};
}

}  // namespace modem
