// node-tree: the configured node table as the tree of parent links the
// "Node table" page draws; saved as its HTML page or as a Graphviz graph.
#include <algorithm>

#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "cli/session.h"
#include "modem/mesh_graph.h"
#include "modem/node_tree.h"
#include "util/file_write.h"

namespace cli {

namespace {

using namespace modem::node_tree;

struct TreeOptions {
  long count = 0;  // 0: the whole table
  std::string html, dot;
};

bool ParseTreeOptions(const std::vector<std::string> &args, TreeOptions *o, std::string *error) {
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string &a = args[i];
    const bool hasValue = i + 1 < args.size();
    if (a == "--all") {
      o->count = 0;
    } else if (a == "--count" && hasValue) {
      if (!ParseNumber(args[++i], kCountMin, kCountMax, &o->count)) {
        *error = "--count takes 2 to 2048";
        return false;
      }
    } else if (a == "--html" && hasValue) {
      o->html = args[++i];
    } else if (a == "--dot" && hasValue) {
      o->dot = args[++i];
    } else {
      *error = "node-tree takes [--all | --count N] [--html FILE] [--dot FILE]";
      return false;
    }
  }
  return true;
}

bool Save(Session &s, const std::string &path, const std::string &text) {
  std::string error;
  if (util::WriteFileAtomically(path, text, &error)) return true;
  s.Err() << "error: " << path << " not written: " << error << "\n";
  return false;
}

int RunNodeTree(Session &s, const std::vector<std::string> &args) {
  TreeOptions o;
  std::string error;
  if (!ParseTreeOptions(args, &o, &error)) return s.UsageError(error);
  auto &node = s.Node();
  uint16_t count = static_cast<uint16_t>(o.count);
  if (o.count == 0 && !node.ReadNodeTableCount(count)) return s.Fail();
  modem::TZT_NodeTableItems items;
  if (!node.ReadNodeTableItems(0, count, items)) return s.Fail();
  const NodeTree tree = BuildNodeTree(items, count);
  for (const auto &p : tree.problems) s.Err() << "warning: " << p << "\n";
  for (const TreeLine &line : WalkTree(tree)) {
    s.Out() << std::string(static_cast<size_t>(2 * line.depth), ' ') << line.row;
    if (!items[line.row].InUse()) s.Out() << " (free)";
    if (!tree.marks[line.row].empty()) s.Out() << " [" << tree.marks[line.row] << "]";
    s.Out() << "\n";
  }
  if (o.html.empty() && o.dot.empty()) return 0;
  // The mesh layer's table adds signal and depth; the files are written without it if it cannot be read.
  KnownNodes known;
  modem::TORVA_Nodes entries;
  uint8_t second = 0;
  if (node.ReadOrvaNodeTable(true, entries, second)) known.AddOrvaTable(entries);
  else s.Err() << "warning: mesh node table not read (" << node.ResultCode().Msg << "); written without it\n";
  bool ok = true;
  if (!o.html.empty()) ok = Save(s, o.html, NodeTreeHtml(tree, known)) && ok;
  if (!o.dot.empty()) ok = Save(s, o.dot, modem::mesh_graph::GraphDot(modem::mesh_graph::BuildGraph(tree, items, known))) && ok;
  return ok ? 0 : 1;
}

const CommandRegistration nodeTree{
    {"node-tree", "node-tree [--all | --count N] [--html FILE] [--dot FILE]",
     "the node table as a tree of parent links (the whole table unless --count); saved as an HTML page or a "
     "Graphviz graph with the mesh layer's signal figures",
     RunNodeTree}};

}  // namespace
}  // namespace cli
