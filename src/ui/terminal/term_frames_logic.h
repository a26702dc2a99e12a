#pragma once
// The modem frame under a byte of the terminal's view, in words. Bytes the
// program sent are marked as changed in the view, so a frame that starts on
// such a byte is a request and any other an answer.
#include <cstddef>
#include <string>

#include "ui/widgets/hex_view_logic.h"

namespace term {

// Empty when no whole frame holds the byte.
std::string FrameDescriptionAt(const ui::hexview::THexByteModel &model, size_t offset);

}  // namespace term
