#pragma once
// The configured node table as a tree of parent links, without Qt. Rows
// are the items read, in order; an item in use whose parent lies inside the
// table hangs under that parent. Links that run in a circle, or point at the
// item itself, would make a row its own descendant: those rows stay at the
// top level with a mark, and the problem is said once for the log.
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "modem/node_table.h"
#include "modem/orva_records.h"

namespace modem::node_tree {

inline constexpr int kCountMin = 2;
inline constexpr int kCountMax = 2048;
inline constexpr int kCountDefault = 16;

// The tree view's columns ("Node Adress", "Node name", and one without caption).
inline constexpr const char *kColumns[3] = {"Node Adress", "Node name", ""};

struct NodeTree {
  std::vector<int> parent;                 // per row; -1 at the top level
  std::vector<std::vector<int>> children;  // per row, in index order
  std::vector<int> roots;                  // top-level rows, in index order
  std::vector<std::string> marks;          // per row: why it stays on top ("" for most)
  std::vector<std::string> problems;       // one line each, for the log

  size_t Size() const { return parent.size(); }
};

// `asked` is the number of items requested: a read that brought fewer is
// built from what it brought, and said so.
NodeTree BuildNodeTree(const modem::TZT_NodeTableItems &items, size_t asked);

// The rows in the order a depth-first walk meets them, with their depth.
struct TreeLine {
  int row = 0;
  int depth = 0;
};
std::vector<TreeLine> WalkTree(const NodeTree &tree);

// What is known of a node beyond its table item, by its index (the node
// table's index is the node's address): a name, and its entry in the mesh
// layer's node table when that was read.
struct KnownNodes {
  std::map<int, std::string> names;
  std::map<int, modem::OrvaNodeFields> orva;

  void AddOrvaTable(const modem::TORVA_Nodes &entries);
};

// An HTML page of the tree: nested lists with each node's index and, where
// known, its name and mesh fields. Texts are escaped.
std::string NodeTreeHtml(const NodeTree &tree, const KnownNodes &known);

}  // namespace modem::node_tree
