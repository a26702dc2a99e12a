#include "modem/node_tree.h"

#include "util/format.h"

namespace modem::node_tree {

namespace {

// The row an item hangs under, or -1.
int LinkOf(const modem::TZT_NodeTableItems &items, size_t rows, size_t i) {
  if (!items[i].InUse()) return -1;
  const size_t p = items[i].ParentIndex();
  return p < rows ? static_cast<int>(p) : -1;
}

std::string JoinIndexes(const std::vector<int> &rows) {
  std::string out;
  for (int r : rows) out += (out.empty() ? "" : ", ") + std::to_string(r);
  return out;
}

// Marks every row that lies on a circle of links; each circle is reported once.
void BreakCircles(const std::vector<int> &link, NodeTree &tree) {
  enum : char { kNew, kOnPath, kDone };
  std::vector<char> state(link.size(), kNew);
  for (size_t start = 0; start < link.size(); ++start) {
    std::vector<int> path;
    int r = static_cast<int>(start);
    while (r >= 0 && state[r] == kNew) {
      state[r] = kOnPath;
      path.push_back(r);
      r = link[r];
    }
    if (r >= 0 && state[r] == kOnPath) {
      std::vector<int> circle;
      for (size_t k = 0; k < path.size(); ++k)
        if (path[k] == r) circle.assign(path.begin() + static_cast<long>(k), path.end());
      if (circle.size() == 1) {
        tree.marks[r] = "родитель - сам узел";
        tree.problems.push_back(util::Format(
            "Таблица узлов: узел %d указан родителем самому себе; он оставлен на верхнем уровне", r));
      } else {
        for (int c : circle) tree.marks[c] = "родители по кругу";
        tree.problems.push_back(util::Format(
            "Таблица узлов: узлы %s ссылаются на родителей по кругу; они оставлены на верхнем уровне",
            JoinIndexes(circle)));
      }
    }
    for (int p : path) state[p] = kDone;
  }
}

}  // namespace

NodeTree BuildNodeTree(const modem::TZT_NodeTableItems &items, size_t asked) {
  NodeTree tree;
  const size_t rows = items.size() < asked ? items.size() : asked;
  if (items.size() < asked)
    tree.problems.push_back(util::Format("Таблица узлов: прочитано записей %d из %d; дерево построено из прочитанных",
                                         items.size(), asked));
  std::vector<int> link(rows);
  for (size_t i = 0; i < rows; ++i) link[i] = LinkOf(items, rows, i);
  tree.marks.assign(rows, "");
  BreakCircles(link, tree);
  tree.parent.assign(rows, -1);
  tree.children.assign(rows, {});
  for (size_t i = 0; i < rows; ++i) {
    const int p = tree.marks[i].empty() ? link[i] : -1;
    tree.parent[i] = p;
    if (p < 0) tree.roots.push_back(static_cast<int>(i));
    else tree.children[p].push_back(static_cast<int>(i));
  }
  return tree;
}

std::vector<TreeLine> WalkTree(const NodeTree &tree) {
  std::vector<TreeLine> out;
  std::vector<TreeLine> stack;
  for (auto it = tree.roots.rbegin(); it != tree.roots.rend(); ++it) stack.push_back({*it, 0});
  while (!stack.empty()) {
    const TreeLine line = stack.back();
    stack.pop_back();
    out.push_back(line);
    const auto &kids = tree.children[line.row];
    for (auto it = kids.rbegin(); it != kids.rend(); ++it) stack.push_back({*it, line.depth + 1});
  }
  return out;
}

}  // namespace modem::node_tree
