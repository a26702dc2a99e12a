#include "cli/route_argument.h"

namespace cli {

std::optional<modem::Route> ParseRouteArgument(const std::string &text, modem::RouteNodeCount count,
                                               std::string *error) {
  auto parsed = modem::ParseRouteText(text, count);
  if (parsed.route) return parsed.route;
  const modem::RouteProblem &p = parsed.problem;
  const std::string range = std::to_string(count.min) + " to " + std::to_string(count.max) + " nodes";
  switch (p.kind) {
    case modem::RouteProblem::NotANumber:
    case modem::RouteProblem::NotANode:
      *error = "\"" + p.part + "\" in \"" + text + "\" is no node number (0 to 255)";
      break;
    case modem::RouteProblem::TooFewNodes:
    case modem::RouteProblem::TooManyNodes:
      *error = "\"" + text + "\" is no route of " + range + ", such as 1-5-9";
      break;
  }
  return std::nullopt;
}

}  // namespace cli
