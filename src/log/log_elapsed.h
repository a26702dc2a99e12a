#pragma once
#include <cstdint>
#include <string>

#include "util/format.h"

// The elapsed-time detail of a finished action: seconds with three decimals
// and the given decimal separator, e.g. "1.234 сек".
std::string FormatElapsedDetail(uint32_t elapsedMs, const util::FormatSettings &settings);
