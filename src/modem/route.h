#pragma once
// A route through the mesh: the nodes of the path in order. The modem takes
// it as a record (a count byte equal to the nodes minus two, then one byte
// per node), requests carry that record as hex, and people read and type it
// as a node list ("1-5-9").
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace modem {

// How many nodes a route may have where it is used. Two is the least any
// record can say (its count byte is the nodes minus two).
struct RouteNodeCount {
  size_t min = 2;
  size_t max = 0;
};
// The point-to-point link route kept in the configuration image (the
// configuration page's field and vovorctl's ptp.route).
inline constexpr RouteNodeCount kPtpRouteNodes{2, 29};
// The route of a channel request: as many nodes as the channel pages' field
// has groups; vovorctl's channel commands take the same.
inline constexpr RouteNodeCount kChannelRouteNodes{2, 24};

class Route {
 public:
  // None for fewer than two nodes or more than a count byte can say.
  static std::optional<Route> FromNodes(std::vector<uint8_t> nodes);
  // None when the count byte disagrees with the record's length.
  static std::optional<Route> FromRecord(std::string_view record);
  // The record as hex text, digits of either case.
  static std::optional<Route> FromHex(std::string_view hex);

  const std::vector<uint8_t> &Nodes() const { return nodes_; }
  std::string Text() const;    // "1-5-9"
  std::string Record() const;  // 01 01 05 09
  std::string Hex() const;     // "01010509"

  bool operator==(const Route &) const = default;

 private:
  explicit Route(std::vector<uint8_t> nodes) : nodes_(std::move(nodes)) {}
  std::vector<uint8_t> nodes_;
};

// Why a typed route has no record.
struct RouteProblem {
  enum Kind {
    NotANumber,    // `part` is no decimal number
    NotANode,      // `part` is a number above 255
    TooFewNodes,   // fewer than `limit` nodes
    TooManyNodes,  // more than `limit` nodes
  } kind = NotANumber;
  std::string part;
  size_t limit = 0;
};

struct ParsedRoute {
  std::optional<Route> route;
  RouteProblem problem;  // meaningful when there is no route
};

// A node list: parts split at "-,./\\ " (minus, comma, full stop, slashes,
// blank); empty parts (two delimiters in a row, one at either end) are not
// parts. Nodes are decimal; leading zeros are allowed. A part that is no node
// number refuses the whole text: a shorter route than typed reaches another
// node.
ParsedRoute ParseRouteText(std::string_view text, RouteNodeCount count);

// The window's words for a refused route ("в маршруте не число: x").
std::string RouteProblemText(const RouteProblem &problem);

// A route typed on vovorctl's command line or in a configuration file; none
// with the reason in English, naming the part, in *error.
std::optional<Route> ParseRouteArgument(const std::string &text, RouteNodeCount count, std::string *error);

}  // namespace modem
