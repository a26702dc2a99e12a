#include "ui/log/log_json_logic.h"

#include <ctime>
#include <nlohmann/json.hpp>

#include "modem/frame_recorder.h"
#include "util/format.h"
#include "util/hex.h"

namespace {

using Json = nlohmann::ordered_json;

const char *StateName(TLogNodeState state) {
  switch (state) {
    case lsMessage: return "message";
    case lsRunning: return "running";
    case lsOK: return "ok";
    case lsError: return "error";
    case lsPartial: return "partial";
    case lsWarning: return "warning";
    case lsFailure: return "failure";
  }
  return "message";
}

std::string IsoTime(int64_t unixMs) {
  std::time_t seconds = static_cast<std::time_t>(unixMs / 1000);
  std::tm utc{};
  gmtime_r(&seconds, &utc);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &utc);
  return util::Format("%s.%3.3dZ", text, static_cast<int>(unixMs % 1000));
}

Json RowJson(const TLogger &logger, const TLogNode &node) {
  Json row;
  row["text"] = node.TextRef();
  if (!node.NoteRef().empty()) row["note"] = node.NoteRef();
  row["state"] = StateName(node.GetState());
  const std::string result = logger.GetCellText(node, 1, TVSTTextType::ttNormal);
  const std::string detail = logger.GetCellText(node, 1, TVSTTextType::ttStatic);
  if (!result.empty()) row["result"] = result;
  if (!detail.empty()) row["detail"] = detail;
  if (node.GetState() != lsMessage) row["elapsed_ms"] = node.GetElapsed();
  auto frames = node.GetFrames();
  if (!frames.empty()) {
    Json list = Json::array();
    for (const auto &f : frames) {
      Json frame = {{"direction", f.sent ? "sent" : "received"},
                    {"time", IsoTime(f.unixMs)},
                    {"hex", util::BytesToHex(f.bytes)}};
      if (auto words = modem::FrameInWords(f); !words.empty()) frame["description"] = words;
      list.push_back(std::move(frame));
    }
    row["frames"] = std::move(list);
  }
  return row;
}

}  // namespace

std::string LogTreeJson(const TLogger &logger) {
  Json root = {{"format", "vovor-log"}, {"version", 1}, {"rows", Json::array()}};
  // Depth first with an explicit stack: a log can nest deeper than the call
  // stack. A row's children array is filled before its parent list grows.
  struct Level {
    const TLogContainer *owner;
    int next;
    Json *rows;
  };
  std::vector<Level> stack{{&logger, 0, &root["rows"]}};
  while (!stack.empty()) {
    Level &level = stack.back();
    const TLogNode *node = level.owner->ChildAt(level.next++);
    if (!node) {
      stack.pop_back();
      continue;
    }
    level.rows->push_back(RowJson(logger, *node));
    if (node->ChildCount() > 0) {
      Json &children = level.rows->back()["children"] = Json::array();
      stack.push_back({node, 0, &children});
    }
  }
  return root.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}
