#include <gtest/gtest.h>

#include <cmath>

#include "modem/mesh_graph.h"

using namespace modem::mesh_graph;

namespace {

modem::TZT_NodeTableItem Item(bool used, uint16_t parent) {
  modem::TZT_NodeTableItem item;
  item.bytes[0] = used ? 1 : 0;
  item.bytes[2] = static_cast<uint8_t>(parent & 0xFF);
  item.bytes[3] = static_cast<uint8_t>(parent >> 8);
  return item;
}

modem::TORVA_Node Entry(bool active, uint16_t addr, uint8_t rssi, uint8_t lqi, uint8_t depth) {
  return {static_cast<uint8_t>(active), static_cast<uint8_t>(addr), static_cast<uint8_t>(addr >> 8), rssi, lqi,
          depth, 0, 0, 0, 0, 0, 0};
}

struct MeshFixture : ::testing::Test {
  // 0 is the root; 1 and 2 under it, 3 under 1; item 4 free; the mesh layer
  // also knows 9, which the table lacks, and 2 is inactive.
  modem::TZT_NodeTableItems items{Item(true, 0xFFFF), Item(true, 0), Item(true, 0), Item(true, 1),
                                  Item(false, 0)};
  modem::node_tree::KnownNodes known;
  Graph graph;
  void SetUp() override {
    known.names[0] = "Шлюз \"A\"";
    known.AddOrvaTable({Entry(true, 1, 0x58, 48, 1), Entry(false, 2, 0x52, 47, 1), Entry(true, 3, 0x4C, 46, 2),
                        Entry(true, 9, 0x40, 40, 1)});
    graph = BuildGraph(modem::node_tree::BuildNodeTree(items, items.size()), items, known);
  }
};

}  // namespace

TEST_F(MeshFixture, NodesLinksAndLayout) {
  EXPECT_EQ(GraphText(graph),
            "узел 0 Шлюз \"A\"\n"
            "узел 1, Depth 1, ChildCnt 0\n"
            "узел 3, Depth 2, ChildCnt 0\n"
            "узел 2, Depth 1, ChildCnt 0, неактивен\n"
            "узел 9, Depth 1, ChildCnt 0, нет в таблице узлов\n"
            "1 -> 0 (-92 dBm / LQI 48)\n"
            "3 -> 1 (-98 dBm / LQI 46)\n"
            "2 -> 0 (-95 dBm / LQI 47)\n");
  // Parents sit above their children, centred over them; leaves do not overlap.
  const auto &n = graph.nodes;
  EXPECT_LT(n[0].y, n[1].y);
  EXPECT_LT(n[1].y, n[2].y);
  EXPECT_DOUBLE_EQ(n[1].x, n[2].x);
  EXPECT_DOUBLE_EQ(n[0].x, (n[1].x + n[3].x) / 2);
  EXPECT_GE(n[3].x - n[2].x, kNodeWidth);
  EXPECT_GE(graph.width, n[4].x + kNodeWidth);
}

TEST_F(MeshFixture, LinkLabelsOfSiblingsStandApartAndOffTheirBoxes) {
  // Links 1 -> 0 and 2 -> 0 meet at the root; a label as wide as a box must
  // not run into its sibling's, nor into the boxes at either end.
  ASSERT_GE(graph.edges.size(), 3u);
  const Point a = LabelCentre(graph, graph.edges[0]), b = LabelCentre(graph, graph.edges[2]);
  EXPECT_GE(std::abs(a.x - b.x), kNodeWidth - 10);
  for (const Edge &e : graph.edges) {
    const Point at = LabelCentre(graph, e);
    EXPECT_GT(at.y, graph.nodes[e.to].y + kNodeHeight + 9);
    EXPECT_LT(at.y, graph.nodes[e.from].y - 9);
  }
}

TEST_F(MeshFixture, SvgAndDotCarryTheSameGraph) {
  const std::string svg = GraphSvg(graph);
  EXPECT_EQ(svg.find("<?xml"), 0u);
  EXPECT_NE(svg.find("Шлюз &quot;A&quot;"), std::string::npos);
  EXPECT_NE(svg.find("-92 dBm / LQI 48"), std::string::npos);
  size_t arrows = 0;
  for (size_t p = 0; (p = svg.find("marker-end", p)) != std::string::npos; ++p) ++arrows;
  EXPECT_EQ(arrows, 3u);

  const std::string dot = GraphDot(graph);
  EXPECT_NE(dot.find("n0 [label=\"0 Шлюз \\\"A\\\"\"];"), std::string::npos);
  EXPECT_NE(dot.find("n2 [label=\"2\\nDepth 1, ChildCnt 0\", color=gray, fontcolor=gray];"), std::string::npos);
  EXPECT_NE(dot.find("n3 -> n1 [label=\"-98 dBm / LQI 46\"];"), std::string::npos);
}

TEST(MeshGraph, EmptyTableGivesAnEmptyPicture) {
  const Graph g = BuildGraph(modem::node_tree::BuildNodeTree({}, 0), {}, {});
  EXPECT_TRUE(g.nodes.empty());
  EXPECT_NE(GraphSvg(g).find("</svg>"), std::string::npos);
}
