#pragma once
// The one road from a page's button to the modem: the current node, run as
// one operation of the window.
#include <QString>
#include <functional>
#include <string>

#include "modem/ziz2400.h"
#include "ui/main/page_host.h"

namespace ui {

// `work`'s result, or false when there is no node or the window refused
// because another operation waits for its answer: a page shows its failure
// text then, as for any failed read.
inline bool RunOnNode(IPageHost &host, const std::function<bool(modem::ZIZ2400 &)> &work) {
  modem::ZIZ2400 *node = host.CurrentNode();
  if (node == nullptr) return false;
  bool ok = false;
  host.RunOperation([&] { ok = work(*node); });
  return ok;
}

// A page's text for a plain label: CR LF line breaks as Qt's.
inline QString PlainLabelText(const std::string &utf8) {
  return QString::fromStdString(utf8).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

}  // namespace ui
