#include "modem/mesh_graph.h"

#include <map>

#include "modem/packet_rssi.h"
#include "util/format.h"
#include "util/xml_text.h"

namespace modem::mesh_graph {

namespace {

bool Drawn(const modem::node_tree::NodeTree &tree, const modem::TZT_NodeTableItems &items, int row) {
  return (static_cast<size_t>(row) < items.size() && items[row].InUse()) || !tree.children[row].empty();
}

Node Describe(int address, const modem::node_tree::KnownNodes &known) {
  Node n;
  n.address = address;
  n.title = std::to_string(address);
  if (auto it = known.names.find(address); it != known.names.end() && !it->second.empty()) n.title += " " + it->second;
  if (auto it = known.orva.find(address); it != known.orva.end()) {
    n.subtitle = util::Format("Depth %d, ChildCnt %d", it->second.Depth, it->second.ChildCnt);
    n.inactive = !it->second.Active;
  }
  return n;
}

std::string LinkLabel(int child, const modem::node_tree::KnownNodes &known) {
  auto it = known.orva.find(child);
  if (it == known.orva.end()) return {};
  return util::Format("%d dBm / LQI %d", modem::PacketRssiDbm(it->second.RSSI), it->second.LQI);
}

std::string DotText(const std::string &text) {
  std::string out;
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace

Graph BuildGraph(const modem::node_tree::NodeTree &tree, const modem::TZT_NodeTableItems &items,
                 const modem::node_tree::KnownNodes &known) {
  Graph g;
  std::map<int, int> nodeOf;  // row -> node index
  std::vector<int> depthOf;
  std::vector<int> order;  // rows drawn, depth-first
  for (const auto &line : modem::node_tree::WalkTree(tree)) {
    if (!Drawn(tree, items, line.row)) continue;
    nodeOf[line.row] = static_cast<int>(g.nodes.size());
    Node n = Describe(line.row, known);
    n.mark = tree.marks[line.row];
    g.nodes.push_back(n);
    depthOf.push_back(line.depth);
    order.push_back(line.row);
  }
  // Nodes the mesh layer knows that the table does not hold sit on top, alone.
  for (const auto &[address, fields] : known.orva) {
    if (nodeOf.count(address)) continue;
    nodeOf[address] = static_cast<int>(g.nodes.size());
    Node n = Describe(address, known);
    n.mark = "нет в таблице узлов";
    g.nodes.push_back(n);
    depthOf.push_back(0);
    order.push_back(-1);
  }
  for (size_t k = 0; k < order.size(); ++k) {
    if (order[k] < 0 || tree.parent[order[k]] < 0) continue;
    const int parent = tree.parent[order[k]];
    g.edges.push_back({static_cast<int>(k), nodeOf.at(parent), LinkLabel(order[k], known)});
  }

  // Leaves take the next free column left to right; a parent sits over its children.
  std::vector<double> column(g.nodes.size(), -1);
  std::vector<std::vector<int>> kids(g.nodes.size());
  for (const Edge &e : g.edges) kids[e.to].push_back(e.from);
  double next = 0;
  for (size_t k = 0; k < g.nodes.size(); ++k)
    if (kids[k].empty()) column[k] = next++;
  for (size_t k = g.nodes.size(); k-- > 0;)
    if (!kids[k].empty()) column[k] = (column[kids[k].front()] + column[kids[k].back()]) / 2;
  int maxDepth = 0;
  for (size_t k = 0; k < g.nodes.size(); ++k) {
    g.nodes[k].x = kMargin + column[k] * (kNodeWidth + kGapX);
    g.nodes[k].y = kMargin + depthOf[k] * (kNodeHeight + kGapY);
    maxDepth = std::max(maxDepth, depthOf[k]);
  }
  g.width = 2 * kMargin + (next > 0 ? next * (kNodeWidth + kGapX) - kGapX : 0);
  g.height = 2 * kMargin + (g.nodes.empty() ? 0 : (maxDepth + 1) * (kNodeHeight + kGapY) - kGapY);
  return g;
}

Point LabelCentre(const Graph &g, const Edge &e) {
  const Node &child = g.nodes[e.from], &parent = g.nodes[e.to];
  const double x1 = child.x + kNodeWidth / 2, y1 = child.y;
  const double x2 = parent.x + kNodeWidth / 2, y2 = parent.y + kNodeHeight;
  constexpr double kFromChild = 0.2;
  return {x1 + (x2 - x1) * kFromChild, y1 + (y2 - y1) * kFromChild};
}

std::string GraphSvg(const Graph &g) {
  std::string out = util::Format(
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" viewBox=\"0 0 %d %d\" "
      "font-family=\"sans-serif\" font-size=\"12\">\n"
      "<title>Схема сети</title>\n"
      "<defs><marker id=\"arrow\" viewBox=\"0 0 10 10\" refX=\"10\" refY=\"5\" markerWidth=\"8\" "
      "markerHeight=\"8\" orient=\"auto\"><path d=\"M0,0 L10,5 L0,10 z\" fill=\"#444\"/></marker></defs>\n"
      "<rect width=\"100%%\" height=\"100%%\" fill=\"white\"/>\n",
      static_cast<int>(g.width), static_cast<int>(g.height), static_cast<int>(g.width), static_cast<int>(g.height));
  for (const Edge &e : g.edges) {
    const Node &a = g.nodes[e.from], &b = g.nodes[e.to];
    const double x1 = a.x + kNodeWidth / 2, y1 = a.y, x2 = b.x + kNodeWidth / 2, y2 = b.y + kNodeHeight;
    out += util::Format(
        "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"%s\" stroke-width=\"1.5\" "
        "marker-end=\"url(#arrow)\"/>\n",
        x1, y1, x2, y2, a.inactive ? "#c0c0c0" : "#444");
    if (!e.label.empty()) {
      // A white halo keeps the label readable where it crosses its arrow.
      const Point at = LabelCentre(g, e);
      out += util::Format(
          "<text x=\"%.1f\" y=\"%.1f\" fill=\"#06c\" stroke=\"white\" stroke-width=\"3\" paint-order=\"stroke\" "
          "text-anchor=\"middle\" dominant-baseline=\"middle\">%s</text>\n",
          at.x, at.y, util::XmlEscaped(e.label));
    }
  }
  for (const Node &n : g.nodes) {
    const char *stroke = n.inactive ? "#c0c0c0" : (n.mark.empty() ? "#333" : "#b00");
    const char *text = n.inactive ? "#a0a0a0" : "#000";
    out += util::Format(
        "<g><rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" rx=\"6\" fill=\"%s\" stroke=\"%s\"/>\n",
        n.x, n.y, kNodeWidth, kNodeHeight, n.inactive ? "#f2f2f2" : "#eef4ff", stroke);
    out += util::Format("<text x=\"%.1f\" y=\"%.1f\" fill=\"%s\" font-weight=\"bold\" text-anchor=\"middle\">%s</text>\n",
                        n.x + kNodeWidth / 2, n.y + 18, text, util::XmlEscaped(n.title));
    const std::string second = n.mark.empty() ? n.subtitle : n.mark;
    if (!second.empty())
      out += util::Format("<text x=\"%.1f\" y=\"%.1f\" fill=\"%s\" text-anchor=\"middle\">%s</text>\n",
                          n.x + kNodeWidth / 2, n.y + 36, n.mark.empty() ? text : "#b00", util::XmlEscaped(second));
    out += "</g>\n";
  }
  out += "</svg>\n";
  return out;
}

std::string GraphDot(const Graph &g) {
  std::string out = "digraph mesh {\n  rankdir=BT;\n  node [shape=box, style=rounded];\n";
  for (const Node &n : g.nodes) {
    std::string label = DotText(n.title);
    if (!n.subtitle.empty()) label += "\\n" + DotText(n.subtitle);
    if (!n.mark.empty()) label += "\\n" + DotText(n.mark);
    out += util::Format("  n%d [label=\"%s\"%s];\n", n.address, label,
                        n.inactive ? ", color=gray, fontcolor=gray" : "");
  }
  for (const Edge &e : g.edges) {
    out += util::Format("  n%d -> n%d", g.nodes[e.from].address, g.nodes[e.to].address);
    if (!e.label.empty()) out += " [label=\"" + DotText(e.label) + "\"]";
    out += ";\n";
  }
  out += "}\n";
  return out;
}

std::string GraphText(const Graph &g) {
  std::string out;
  for (const Node &n : g.nodes) {
    out += "узел " + n.title;
    if (!n.subtitle.empty()) out += ", " + n.subtitle;
    if (n.inactive) out += ", неактивен";
    if (!n.mark.empty()) out += ", " + n.mark;
    out += "\n";
  }
  for (const Edge &e : g.edges) {
    out += util::Format("%d -> %d", g.nodes[e.from].address, g.nodes[e.to].address);
    if (!e.label.empty()) out += " (" + e.label + ")";
    out += "\n";
  }
  return out;
}

}  // namespace modem::mesh_graph
