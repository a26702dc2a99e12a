#pragma once
// Text of the log for the clipboard and for saving: one line per row,
// indented two blanks per level, the caption with its note, then after a
// tab the result with its detail (left out when both are empty).
#include <string>
#include <vector>

#include "log/logger.h"

// One row as a line, without line end.
std::string LogRowLine(const TLogger &logger, const TLogNode &node, int depth);

// The given rows in tree order, whatever order they were selected in.
std::string LogRowsText(const TLogger &logger, std::vector<const TLogNode *> nodes);

// Every row of the log, each child under its parent.
std::string LogTreeText(const TLogger &logger);

// Clearing is refused while an action is open: it would pull the rows from
// under an operation that is still writing into them.
bool CanClearLog(const TLogger &logger);
