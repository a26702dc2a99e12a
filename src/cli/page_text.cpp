#include "cli/page_text.h"

#include <ostream>

#include "cli/session.h"
#include "util/markup_text.h"

namespace cli {

void PrintPageText(Session &session, const std::string &markup) {
  std::string text = util::markup::ToPlainText(markup);
  while (!text.empty() && text.back() == '\n') text.pop_back();
  session.Out() << text << "\n";
}

}  // namespace cli
