#include "ui/log/action_log_frame_logic.h"

#include <algorithm>
#include <utility>

namespace {

constexpr char kLineEnd = '\n';

// Rows from the top level down to the node.
std::vector<int> PathOf(const TLogNode &node) {
  std::vector<int> path;
  for (const TLogNode *n = &node; n; n = n->ParentNode()) path.push_back(n->RowInParent());
  std::reverse(path.begin(), path.end());
  return path;
}

std::string WithSideText(const std::string &text, const std::string &side) {
  return side.empty() ? text : text + " " + side;
}

}  // namespace

std::string LogRowLine(const TLogger &logger, const TLogNode &node, int depth) {
  std::string line(static_cast<size_t>(std::max(depth, 0)) * 2, ' ');
  line += WithSideText(logger.GetCellText(node, 0, TVSTTextType::ttNormal),
                       logger.GetCellText(node, 0, TVSTTextType::ttStatic));
  const std::string outcome = WithSideText(logger.GetCellText(node, 1, TVSTTextType::ttNormal),
                                           logger.GetCellText(node, 1, TVSTTextType::ttStatic));
  if (!outcome.empty()) line += "\t" + outcome;
  return line;
}

std::string LogRowsText(const TLogger &logger, std::vector<const TLogNode *> nodes) {
  std::vector<std::pair<std::vector<int>, const TLogNode *>> ordered;
  for (const TLogNode *node : nodes) {
    if (node) ordered.emplace_back(PathOf(*node), node);
  }
  std::sort(ordered.begin(), ordered.end());
  std::string text;
  for (const auto &[path, node] : ordered) {
    text += LogRowLine(logger, *node, static_cast<int>(path.size()) - 1);
    text += kLineEnd;
  }
  return text;
}

std::string LogTreeText(const TLogger &logger) {
  // Walked with an explicit stack: a log can nest deeper than the call stack.
  struct Level {
    const TLogContainer *owner;
    int next;
  };
  std::string text;
  std::vector<Level> stack{{&logger, 0}};
  while (!stack.empty()) {
    Level &level = stack.back();
    const TLogNode *node = level.owner->ChildAt(level.next++);
    if (level.next > level.owner->ChildCount()) {
      stack.pop_back();
      continue;
    }
    if (!node) continue;
    text += LogRowLine(logger, *node, static_cast<int>(stack.size()) - 1);
    text += kLineEnd;
    if (node->ChildCount() > 0) stack.push_back({node, 0});
  }
  return text;
}

bool CanClearLog(const TLogger &logger) { return logger.Current() == nullptr && logger.ChildCount() > 0; }
