#include <gtest/gtest.h>

#include "modem/node_tree.h"

using namespace modem::node_tree;

namespace {

constexpr int kFree = -1;

// Items from their parent links; kFree marks an item not in use.
modem::TZT_NodeTableItems Items(std::initializer_list<int> parents) {
  modem::TZT_NodeTableItems items;
  for (int p : parents) {
    modem::TZT_NodeTableItem item;
    item.bytes[0] = p == kFree ? 0 : 1;
    const int link = p == kFree ? 0 : p;
    item.bytes[2] = static_cast<uint8_t>(link & 0xFF);
    item.bytes[3] = static_cast<uint8_t>(link >> 8);
    items.push_back(item);
  }
  return items;
}

std::string Shape(const NodeTree &tree) {
  std::string out;
  for (const TreeLine &l : WalkTree(tree)) out += std::string(2 * l.depth, ' ') + std::to_string(l.row) + "\n";
  return out;
}

}  // namespace

TEST(NodeTree, RowsHangUnderTheirParents) {
  // 0xFFFF and 6 (the table's size) lie outside: those rows stay on top.
  const NodeTree tree = BuildNodeTree(Items({0xFFFF, 0, 0, 1, kFree, 6}), 6);
  EXPECT_EQ(Shape(tree), "0\n  1\n    3\n  2\n4\n5\n");
  EXPECT_TRUE(tree.problems.empty());
}

TEST(NodeTree, ChildrenComeInIndexOrderWhateverTheirParentsOrder) {
  const NodeTree tree = BuildNodeTree(Items({3, 0, 3, 0xFFFF}), 4);
  EXPECT_EQ(Shape(tree), "3\n  0\n    1\n  2\n");
}

TEST(NodeTree, CirclesAndSelfLinksStayOnTopMarked) {
  // 1 -> 2 -> 3 -> 1 is a circle, 4 names itself, 5 hangs under the circle.
  const NodeTree tree = BuildNodeTree(Items({0xFFFF, 2, 3, 1, 4, 2}), 6);
  EXPECT_EQ(Shape(tree), "0\n1\n2\n  5\n3\n4\n");
  EXPECT_EQ(tree.marks[1], "родители по кругу");
  EXPECT_EQ(tree.marks[3], "родители по кругу");
  EXPECT_EQ(tree.marks[4], "родитель - сам узел");
  EXPECT_EQ(tree.marks[5], "");
  ASSERT_EQ(tree.problems.size(), 2u);
  EXPECT_NE(tree.problems[0].find("узлы 1, 2, 3"), std::string::npos);
  EXPECT_NE(tree.problems[1].find("узел 4"), std::string::npos);
}

TEST(NodeTree, ShortReadBuildsFromTheItemsItHas) {
  const NodeTree tree = BuildNodeTree(Items({0xFFFF, 0, 5}), 16);
  EXPECT_EQ(tree.Size(), 3u);
  EXPECT_EQ(Shape(tree), "0\n  1\n2\n");
  ASSERT_EQ(tree.problems.size(), 1u);
  EXPECT_NE(tree.problems[0].find("3 из 16"), std::string::npos);
}

TEST(NodeTree, LongChainDoesNotRecurse) {
  modem::TZT_NodeTableItems items = Items({0xFFFF});
  for (int i = 1; i < 2048; ++i) items.push_back(Items({i - 1})[0]);
  const NodeTree tree = BuildNodeTree(items, items.size());
  const auto lines = WalkTree(tree);
  EXPECT_EQ(lines.back().depth, 2047);
  EXPECT_FALSE(NodeTreeHtml(tree, {}).empty());
}

TEST(NodeTreeHtml, NestedListsWithWhatIsKnown) {
  const NodeTree tree = BuildNodeTree(Items({0xFFFF, 0, 1, 2}), 4);
  KnownNodes known;
  known.names[1] = "Щит <1> & ко";
  modem::TORVA_Node entry{0, 2, 0, 0x50, 47, 2, 0, 0x84, 0x03, 0x7D, 0x00, 0x01};
  known.AddOrvaTable({entry});
  const std::string html = NodeTreeHtml(tree, known);
  EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(html.find("<span class=\"name\">Щит &lt;1&gt; &amp; ко</span>"), std::string::npos);
  EXPECT_NE(html.find("<span class=\"orva inactive\">неактивен, RSSI 80 (-96 dbm), LQI 47"), std::string::npos);
  // 3 sits three lists deep under 0.
  const size_t at3 = html.find("<span class=\"node\">3</span>");
  ASSERT_NE(at3, std::string::npos);
  size_t opened = 0, pos = 0;
  while ((pos = html.find("<ul>", pos)) != std::string::npos && pos < at3) ++opened, ++pos;
  EXPECT_EQ(opened, 4u);
}
