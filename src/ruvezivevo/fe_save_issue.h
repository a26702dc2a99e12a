#pragma once
// What the image writer could not store. A tree that yields any of these is
// not saved faithfully, so a checked save refuses it.
#include <cstdint>
#include <string>

#include "ruvezivevo/fe_types.h"

namespace ruvezivevo {

struct TFESaveIssue {
  enum class Kind {
    SectionTooLarge,  // the section's record or one of its values would pass 64 KiB; left out
    TooManyItems,     // all 256 indexes used: the one-byte item count cannot list them; left out
    UnknownTypeCode,  // a parameter whose type code no reader takes; its value is lost
    TooDeep,          // nested deeper than a reader follows; left out
  };
  Kind kind = Kind::SectionTooLarge;
  TByteDynArray path;    // from the root to the section (or parameter) concerned
  uint8_t typeCode = 0;  // for UnknownTypeCode

  bool operator==(const TFESaveIssue &) const = default;
};

// A line for the action log, e.g. "раздел 1.2 не помещается в образ (64 КБ)".
std::string DescribeSaveIssue(const TFESaveIssue &issue);

}  // namespace ruvezivevo
