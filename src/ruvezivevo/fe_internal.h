#pragma once
// Interfaces the tree's own classes use among themselves: the parent link a
// section clears before letting an item go, and the reader and writer hooks.
#include <cstdint>
#include <vector>

#include "ruvezivevo/fe_save_issue.h"
#include "ruvezivevo/image_load_report.h"
#include "ruvezivevo/fe_types.h"

namespace ruvezivevo {

class TStream;

class IFEParentLink {
 public:
  virtual void ResetParent() = 0;

 protected:
  ~IFEParentLink() = default;
};

// An image is smaller than 64 KiB; the writer builds it in a buffer of that
// size and notes every part it could not store.
inline constexpr uint32_t kFEImageLimit = 0x10000;

// Sections nest at most this deep below the root. Reader and writer recurse
// once per level; a 64 KiB image could otherwise chain 6500 levels, more
// than a thread's stack takes in a sanitizer build. Real images use two.
inline constexpr size_t kFEMaxDepth = 255;

struct TFEImageBuffer {
  std::vector<uint8_t> bytes = std::vector<uint8_t>(kFEImageLimit);
  std::vector<TFESaveIssue> issues;
  TByteDynArray path;  // of the section being written
};

// State of one load. The records of a sound image never overlap, so they
// total less than 64 KiB; a damaged image whose descriptors point at the same
// records again and again would otherwise grow a tree without bound.
struct TFELoadContext {
  uint64_t base = 0;                      // stream position of the image's first byte
  uint32_t recordBytesLeft = kFEImageLimit;
  size_t depth = 0;                       // of the section being read; the root is 0
  TByteDynArray path;                     // of the section being read
  TFELoadReport *report = nullptr;        // where damage is noted, when asked

  void NoteDamagedSection() {
    if (report) report->damagedSections.push_back(path);
  }
  void NoteRecordEnd(uint32_t end) {
    if (report && end > report->recordBytes) report->recordBytes = end;
  }
};

class IFEStorable {
 public:
  // Writes this section's record at offset and its descendants after it;
  // returns the offset past the last byte written, 0 when it does not fit.
  virtual uint16_t SaveToBuffer(TFEImageBuffer &buffer, uint16_t parentRef, uint16_t offset) const = 0;
  // Replaces the contents by the record at the stream's position.
  virtual void LoadFromStream(TStream &stream, uint16_t expectedParentRef, TFELoadContext &context) = 0;

 protected:
  ~IFEStorable() = default;
};

class IValueBufWrite {
 public:
  // Inline values live in their descriptor; others take `length` data bytes.
  virtual void GetStoreInfo(bool &isInline, uint32_t &length) const = 0;
  virtual void WriteValue(uint8_t *dest) const = 0;
  virtual void WriteInline(uint8_t *descriptor) const = 0;
  // Sets the value from a descriptor's value field and its record's body
  // (body[0] is at image offset bodyStart, the checksum at bodyEnd - 1).
  virtual void ReadValue(const uint8_t *body, uint8_t lo, uint8_t hi, uint32_t bodyStart, uint32_t bodyEnd) = 0;

 protected:
  ~IValueBufWrite() = default;
};

}  // namespace ruvezivevo
