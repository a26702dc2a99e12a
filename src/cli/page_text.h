#pragma once
// The service pages' texts as the command line prints them: the label markup
// removed, every word and number as the window shows it.
#include <string>

namespace cli {

class Session;

// Prints `markup` without its markup, one line each, no blank line at the end.
void PrintPageText(Session &session, const std::string &markup);

}  // namespace cli
