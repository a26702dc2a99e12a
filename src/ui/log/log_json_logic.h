#pragma once
// The log as data: every row with its outcome, elapsed time and the frames
// behind it, for saving as JSON.
#include <string>
#include <vector>

#include "log/log_frame.h"
#include "log/logger.h"

// The whole log as one JSON document (UTF-8).
std::string LogTreeJson(const TLogger &logger);
