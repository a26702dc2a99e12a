// The node tree as a page a browser opens.
#include "modem/packet_rssi.h"
#include "modem/node_tree.h"
#include "util/format.h"
#include "util/xml_text.h"

namespace modem::node_tree {

namespace {

std::string OrvaSummary(const modem::OrvaNodeFields &f) {
  return util::Format("%s, RSSI %d (%d dbm), LQI %d, Depth %d, ChildCnt %d, NetKoeffW %d, LastPing %d",
                      f.Active ? "активен" : "неактивен", f.RSSI, modem::PacketRssiDbm(f.RSSI), f.LQI, f.Depth,
                      f.ChildCnt, f.NetKoeffW, f.LastPing);
}

void Item(const NodeTree &tree, const KnownNodes &known, int row, int depth, std::string &out) {
  // Indentation stops growing at some depth: a long chain would make the page quadratic.
  const std::string pad(static_cast<size_t>(2 * (depth < 16 ? depth : 16) + 2), ' ');
  out += pad + "<li><span class=\"node\">" + std::to_string(row) + "</span>";
  if (auto n = known.names.find(row); n != known.names.end() && !n->second.empty())
    out += " <span class=\"name\">" + util::XmlEscaped(n->second) + "</span>";
  if (auto o = known.orva.find(row); o != known.orva.end())
    out += " <span class=\"orva" + std::string(o->second.Active ? "" : " inactive") + "\">" +
           util::XmlEscaped(OrvaSummary(o->second)) + "</span>";
  if (!tree.marks[row].empty()) out += " <span class=\"mark\">" + util::XmlEscaped(tree.marks[row]) + "</span>";
  const auto &kids = tree.children[row];
  if (kids.empty()) {
    out += "</li>\n";
    return;
  }
  out += "\n" + pad + "<ul>\n";
  for (int k : kids) Item(tree, known, k, depth + 1, out);
  out += pad + "</ul></li>\n";
}

}  // namespace

void KnownNodes::AddOrvaTable(const modem::TORVA_Nodes &entries) {
  for (const auto &e : entries) {
    const auto f = modem::DecodeOrvaNode(e);
    orva[f.Addr] = f;
  }
}

std::string NodeTreeHtml(const NodeTree &tree, const KnownNodes &known) {
  std::string out =
      "<!DOCTYPE html>\n<html lang=\"ru\">\n<head>\n<meta charset=\"utf-8\">\n"
      "<title>Структура сети</title>\n<style>\n"
      "body { font-family: sans-serif; }\n"
      "ul { list-style: none; border-left: 1px solid #bbb; margin-left: 0.6em; padding-left: 1.2em; }\n"
      ".node { font-weight: bold; }\n.name { color: #036; }\n.orva { color: #555; font-size: 90%; }\n"
      ".inactive { color: #c0c0c0; }\n.mark { color: #b00; }\n"
      "</style>\n</head>\n<body>\n<h1>Структура сети</h1>\n";
  out += util::Format("<p>Узлов в таблице: %d</p>\n", tree.Size());
  out += "<ul>\n";
  for (int r : tree.roots) Item(tree, known, r, 0, out);
  out += "</ul>\n</body>\n</html>\n";
  return out;
}

}  // namespace modem::node_tree
