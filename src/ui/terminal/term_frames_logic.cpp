#include "ui/terminal/term_frames_logic.h"

#include "modem/frame_description.h"

namespace term {

std::string FrameDescriptionAt(const ui::hexview::THexByteModel &model, size_t offset) {
  if (!model.HasByte(offset)) return {};
  const size_t first = model.FirstByte();
  auto frame = modem::FrameAround(model.AllBytes(), offset - first);
  if (!frame) return {};
  return modem::DescribeFrame(*frame, model.IsChanged(frame->start + first));
}

}  // namespace term
