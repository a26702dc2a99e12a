#include "ruvezivevo/image_load_report.h"

#include "util/format.h"

namespace ruvezivevo {

std::string SectionPathText(const TByteDynArray &path) {
  if (path.empty()) return "корень";
  std::string text;
  for (uint8_t index : path) {
    if (!text.empty()) text += '.';
    text += std::to_string(index);
  }
  return text;
}

namespace {

std::string JoinPaths(const std::vector<TByteDynArray> &paths) {
  std::string text;
  for (const auto &path : paths) {
    if (!text.empty()) text += ", ";
    text += SectionPathText(path);
  }
  return text;
}

}  // namespace

std::string TFELoadReport::Describe() const {
  std::string text;
  auto add = [&text](const std::string &part) { text += (text.empty() ? "" : "; ") + part; };
  if (!damagedSections.empty())
    add((damagedSections.size() == 1 ? "повреждён раздел: " : "повреждены разделы: ") + JoinPaths(damagedSections));
  if (!damagedValues.empty())
    add((damagedValues.size() == 1 ? "повреждён параметр: " : "повреждены параметры: ") + JoinPaths(damagedValues));
  if (!SizeMatches())
    add(util::Format("длина образа %d байт, записи разделов занимают %d", static_cast<int>(imageBytes),
                     static_cast<int>(recordBytes)));
  return text;
}

}  // namespace ruvezivevo
