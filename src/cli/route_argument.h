#pragma once
// Routes typed on vovorctl's command line ("1-5-9").
#include <optional>
#include <string>

#include "modem/route.h"

namespace cli {

// The route of a node list within `count`; a part that is no node number
// refuses the whole route (a shorter route than typed reaches another node).
// None with the reason, naming the part, in *error.
std::optional<modem::Route> ParseRouteArgument(const std::string &text, modem::RouteNodeCount count,
                                               std::string *error);

}  // namespace cli
