#pragma once
// The picture of the mesh, without Qt: the nodes of the node table and of
// the mesh layer's table, parent links as arrows from child to parent with
// the child's RSSI/LQI on them, inactive nodes grey. Laid out as a tree
// (parents above their children), and written as SVG or as a Graphviz file.
#include <string>
#include <vector>

#include "modem/node_table.h"
#include "modem/node_tree.h"

namespace modem::mesh_graph {

inline constexpr double kNodeWidth = 140;
inline constexpr double kNodeHeight = 46;
inline constexpr double kGapX = 28;
inline constexpr double kGapY = 90;
inline constexpr double kMargin = 24;

struct Node {
  int address = 0;
  std::string title;     // the address, and the name where known
  std::string subtitle;  // mesh fields where known
  std::string mark;      // a broken parent link
  bool inactive = false;
  double x = 0, y = 0;   // top-left corner
};

struct Edge {
  int from = 0, to = 0;  // node indexes: child, parent
  std::string label;     // "RSSI dBm / LQI" of the child, where known
};

struct Graph {
  std::vector<Node> nodes;
  std::vector<Edge> edges;
  double width = 0, height = 0;
};

Graph BuildGraph(const modem::node_tree::NodeTree &tree, const modem::TZT_NodeTableItems &items,
                 const modem::node_tree::KnownNodes &known);

struct Point {
  double x = 0, y = 0;
};
// Where a link's label is centred: near the child's end of the arrow, so the
// labels of siblings stand apart instead of meeting over their parent.
Point LabelCentre(const Graph &graph, const Edge &edge);

std::string GraphSvg(const Graph &graph);
std::string GraphDot(const Graph &graph);
// One line per node and link, for screen readers and the command line.
std::string GraphText(const Graph &graph);

}  // namespace modem::mesh_graph
