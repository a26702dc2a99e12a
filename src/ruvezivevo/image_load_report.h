#pragma once
// What a load found wrong with an image. The reader never fails (a damaged
// record reads as an empty section), so a caller that must not take a
// damaged image for the modem's values asks for this report.
#include <cstdint>
#include <string>
#include <vector>

#include "ruvezivevo/fe_types.h"

namespace ruvezivevo {

struct TFELoadReport {
  // Sections whose record was short, failed its check, named the wrong
  // parent or listed more than it holds; the root is the empty path.
  std::vector<TByteDynArray> damagedSections;
  // Parameters whose value lay outside their record.
  std::vector<TByteDynArray> damagedValues;
  uint32_t imageBytes = 0;   // the bytes handed to the reader
  uint32_t recordBytes = 0;  // the end of the last record read whole

  // A complete write leaves records that end exactly where the image does.
  bool SizeMatches() const { return imageBytes == recordBytes; }
  bool Whole() const { return damagedSections.empty() && damagedValues.empty() && SizeMatches(); }
  // One line naming what is wrong, e.g. "повреждены разделы: 3, 5"; empty when whole.
  std::string Describe() const;
};

// "1.2" for the path 1, 2; "корень" for the root.
std::string SectionPathText(const TByteDynArray &path);

}  // namespace ruvezivevo
