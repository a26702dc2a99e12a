#include "modem/route.h"

#include "util/format.h"
#include "util/hex.h"
#include "util/number_text.h"

namespace modem {

namespace {

// The count byte says nodes minus two.
constexpr size_t kMostNodesARecordHolds = 255 + 2;

// One typed part: a node, or why it is none.
std::optional<uint8_t> NodeOf(const std::string &part, RouteProblem *problem) {
  const util::IntegerText read = util::ReadInteger(part, util::NumberBase::Decimal);
  const bool number = read.status == util::IntegerText::TooLarge || (read.status == util::IntegerText::Ok && read.value >= 0);
  if (number && read.status == util::IntegerText::Ok && read.value <= 255) return static_cast<uint8_t>(read.value);
  *problem = {number ? RouteProblem::NotANode : RouteProblem::NotANumber, part, 0};
  return std::nullopt;
}

ParsedRoute Counted(std::vector<uint8_t> nodes, RouteNodeCount count) {
  ParsedRoute result;
  if (nodes.size() < count.min) {
    result.problem = {RouteProblem::TooFewNodes, {}, count.min};
  } else if (nodes.size() > count.max) {
    result.problem = {RouteProblem::TooManyNodes, {}, count.max};
  } else {
    result.route = Route::FromNodes(std::move(nodes));
  }
  return result;
}

}  // namespace

std::optional<Route> Route::FromNodes(std::vector<uint8_t> nodes) {
  if (nodes.size() < 2 || nodes.size() > kMostNodesARecordHolds) return std::nullopt;
  return Route(std::move(nodes));
}

std::optional<Route> Route::FromRecord(std::string_view record) {
  if (record.size() < 3 || static_cast<uint8_t>(record[0]) + 3u != record.size()) return std::nullopt;
  return Route(std::vector<uint8_t>(record.begin() + 1, record.end()));
}

std::optional<Route> Route::FromHex(std::string_view hex) {
  if (hex.size() % 2 != 0) return std::nullopt;
  for (char c : hex)
    if (util::HexDigitValue(c) < 0) return std::nullopt;
  return FromRecord(util::HexToBytes(hex, static_cast<uint16_t>(std::min<size_t>(hex.size() / 2, 0xFFFF)), false));
}

std::string Route::Text() const {
  std::string text;
  for (uint8_t node : nodes_) {
    if (!text.empty()) text += "-";
    text += std::to_string(node);
  }
  return text;
}

std::string Route::Record() const {
  std::string record(1, static_cast<char>(nodes_.size() - 2));
  record.append(nodes_.begin(), nodes_.end());
  return record;
}

std::string Route::Hex() const { return util::BytesToHex(Record()); }

ParsedRoute ParseRouteText(std::string_view text, RouteNodeCount count) {
  static constexpr std::string_view kDelimiters = "-,./\\ ";
  std::vector<uint8_t> nodes;
  std::optional<RouteProblem> refused;
  std::string part;
  auto take = [&] {
    if (part.empty()) return;
    RouteProblem problem;
    if (auto node = NodeOf(part, &problem)) nodes.push_back(*node);
    else if (!refused) refused = problem;
    part.clear();
  };
  for (char c : text) {
    if (kDelimiters.find(c) != std::string_view::npos) take();
    else part.push_back(c);
  }
  take();
  if (refused) return {std::nullopt, *refused};
  return Counted(std::move(nodes), count);
}

std::string RouteProblemText(const RouteProblem &problem) {
  switch (problem.kind) {
    case RouteProblem::NotANumber: return "в маршруте не число: " + problem.part;
    case RouteProblem::NotANode: return "адрес " + problem.part + " в маршруте больше 255";
    case RouteProblem::TooFewNodes: return "в маршруте меньше двух адресов";
    case RouteProblem::TooManyNodes: return util::Format("в маршруте больше %d адресов", problem.limit);
  }
  return {};
}

std::optional<Route> ParseRouteArgument(const std::string &text, RouteNodeCount count, std::string *error) {
  auto parsed = ParseRouteText(text, count);
  if (parsed.route) return parsed.route;
  const RouteProblem &p = parsed.problem;
  switch (p.kind) {
    case RouteProblem::NotANumber:
    case RouteProblem::NotANode:
      *error = "\"" + p.part + "\" in \"" + text + "\" is no node number (0 to 255)";
      break;
    case RouteProblem::TooFewNodes:
    case RouteProblem::TooManyNodes:
      *error = "\"" + text + "\" is no route of " + std::to_string(count.min) + " to " + std::to_string(count.max) +
               " nodes, such as 1-5-9";
      break;
  }
  return std::nullopt;
}

}  // namespace modem
