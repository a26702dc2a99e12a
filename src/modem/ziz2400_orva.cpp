// The mesh layer's state and node table, the removal of a child, and the
// route table.
#include "modem/answer_decoding.h"
#include "modem/ziz2400.h"
#include "util/format.h"
#include "util/little_endian.h"

namespace modem {

using device::TResultCode;

bool ZIZ2400::ReadOrvaCommonContext(TORVA_CommonContext &ctx) {
  ctx.fill(0);
  return RunOperation("Чтение ORVA Common Context", "1E01", TAnswerForm::Exactly(ctx.size()),
                      [&](const std::string &data) { return CopyExactly(data, ctx, device::rcBadFormat); });
}

bool ZIZ2400::ReadOrvaRouterContext(TORVA_RouterContext &ctx) {
  ctx.fill(0);
  return RunOperation("Чтение ORVA Router Context", "1E02", TAnswerForm::Exactly(ctx.size()),
                      [&](const std::string &data) { return CopyExactly(data, ctx, device::rcBadFormat); });
}

bool ZIZ2400::ReadOrvaNode(uint8_t index, TORVA_Node &entry, uint8_t &firstCount, uint8_t &secondCount) {
  entry.fill(0);
  firstCount = 0;
  secondCount = 0;
  return RunOperation("Чтение ORVA Node " + std::to_string(index), "1E0A" + util::HexByte(index), TAnswerForm::Exactly(14),
                      [&](const std::string &data) -> std::optional<TResultCode> {
                        std::array<uint8_t, 14> answer{};
                        if (auto failed = CopyExactly(data, answer, device::rcBadFormat)) return failed;
                        firstCount = answer[0];
                        secondCount = answer[1];
                        std::copy(answer.begin() + 2, answer.end(), entry.begin());
                        return std::nullopt;
                      });
}

bool ZIZ2400::ReadOrvaNodeTable(bool useFirstCount, TORVA_Nodes &nodes, uint8_t &secondCount) {
  nodes.clear();
  secondCount = 0;
  return RunCompositeOperation(0, "Чтение ORVA-таблицы узлов", 24, 1, [&] {
    TORVA_Node entry{};
    uint8_t first = 0, second = 0;
    if (!ReadOrvaNode(0, entry, first, second)) return false;
    nodes.push_back(entry);
    secondCount = second;
    const unsigned n = useFirstCount ? first : second;
    for (unsigned i = 1; i < n; ++i) {
      uint8_t ignoredFirst = 0, ignoredSecond = 0;
      if (!ReadOrvaNode(static_cast<uint8_t>(i), entry, ignoredFirst, ignoredSecond)) break;
      nodes.push_back(entry);
    }
    return true;
  });
}

void ZIZ2400::RemoveOrvaChild(uint16_t address) {
  RunOperation("ORVA Remove child addr:" + std::to_string(address), "1EBB" + util::LeHex16(address));
}

bool ZIZ2400::ReadRoutePairCount(uint8_t &count) {
  count = 0;
  std::string data;
  if (!ReadMemoryParameter(memtype::kRoutePairCnt, 1, 1, data)) return false;
  count = static_cast<uint8_t>(data[0]);
  return true;
}

bool ZIZ2400::ReadRoutePairs(uint8_t first, uint8_t count, ZIZ2400RoutePairs &pairs) {
  pairs.clear();
  const std::string caption = util::Format("Чтение записей маршрута (%d->%d)", first, first + count - 1);
  return RunCompositeOperation(0, caption, 24, 1, [&] {
    std::string data;
    if (!MemoryTransfer(memmode::kRead, memtype::kRoutePair, data, first, count, kRoutePairBytes, BlockSize))
      return false;
    pairs = RoutePairsFromBytes(data);
    return true;
  });
}

bool ZIZ2400::ReadRouteTable(ZIZ2400RoutePairs &pairs) {
  pairs.clear();
  return RunCompositeOperation(0, "Чтение таблицы маршрутизации", 24, 1, [&] {
    return ReadSizedRegion(
        [&](uint32_t &size) {
          uint8_t count = 0;
          bool ok = ReadRoutePairCount(count);
          size = count;
          return ok;
        },
        [&](uint32_t count) { return ReadRoutePairs(0, static_cast<uint8_t>(count), pairs); });
  });
}

}  // namespace modem
