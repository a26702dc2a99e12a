// A section's record in an image: the writer lays out descriptors, data area
// and checksum, then the subsections' records after it; the reader checks a
// record and rebuilds the section from it. Neither ever reports an error:
// what does not fit is left out (and noted), what is damaged reads as empty.
#include <algorithm>

#include "ruvezivevo/byte_stream.h"
#include "ruvezivevo/fe_parameter.h"
#include "ruvezivevo/fe_section.h"
#include "util/little_endian.h"

namespace ruvezivevo {

namespace {

constexpr uint32_t kMaxItemCount = 255;  // the record's item count is one byte
constexpr uint32_t kDescriptorBytes = 4;
constexpr uint32_t kMinBodyLength = 4;

uint8_t XorOf(const uint8_t *bytes, size_t count) {
  uint8_t x = 0;
  for (size_t i = 0; i < count; ++i) x ^= bytes[i];
  return x;
}

}  // namespace

uint16_t TFESection::SaveToBuffer(TFEImageBuffer &buffer, uint16_t parentRef, uint16_t offset) const {
  auto refuse = [&buffer](TFESaveIssue::Kind kind) {
    buffer.issues.push_back({kind, buffer.path, 0});
    return uint16_t{0};
  };
  if (buffer.path.size() > kFEMaxDepth) return refuse(TFESaveIssue::Kind::TooDeep);
  const uint32_t s = offset;
  if (s + 6 > 0xFFFF) return refuse(TFESaveIssue::Kind::SectionTooLarge);

  std::vector<const TFEItem *> present;
  for (const auto &item : items_) {
    if (item) present.push_back(item.get());
  }
  if (present.size() > kMaxItemCount) return refuse(TFESaveIssue::Kind::TooManyItems);

  uint8_t *const b = buffer.bytes.data();
  util::StoreLe16(b + s + 2, parentRef);
  const uint32_t header = 3 + kDescriptorBytes * static_cast<uint32_t>(present.size());
  uint32_t p = s + 2 + header;  // next data byte
  if (p + 3 >= kFEImageLimit) return refuse(TFESaveIssue::Kind::SectionTooLarge);

  b[s + 4] = static_cast<uint8_t>(present.size());
  auto descriptor = [&](size_t k) { return b + s + 5 + kDescriptorBytes * k; };
  for (size_t k = 0; k < present.size(); ++k) {
    uint8_t *d = descriptor(k);
    d[0] = present[k]->GetIndex();
    d[1] = present[k]->GetItemType();
    d[2] = d[3] = 0;
  }

  for (size_t k = 0; k < present.size(); ++k) {
    const TFEParameter *param = present[k]->AsParamItem();
    if (!param) continue;
    if (!IsImageCode(param->GetItemType())) {
      TByteDynArray path = buffer.path;
      path.push_back(param->GetIndex());
      buffer.issues.push_back({TFESaveIssue::Kind::UnknownTypeCode, std::move(path), param->GetItemType()});
      continue;
    }
    bool isInline = false;
    uint32_t length = 0;
    param->GetStoreInfo(isInline, length);
    if (isInline) {
      param->WriteInline(descriptor(k));
      continue;
    }
    if (p + length + 3 >= kFEImageLimit) return refuse(TFESaveIssue::Kind::SectionTooLarge);
    util::StoreLe16(descriptor(k) + 2, static_cast<uint16_t>(p));
    param->WriteValue(b + p);
    p += length;
  }

  const uint32_t bodyLength = p - s - 1;  // header, data and the checksum byte
  util::StoreLe16(b + s, static_cast<uint16_t>(bodyLength));
  uint32_t end = s + 2 + bodyLength;

  for (size_t k = 0; k < present.size(); ++k) {
    const TFESection *child = present[k]->AsSectionItem();
    if (!child) continue;
    buffer.path.push_back(child->GetIndex());
    const uint32_t childEnd = child->SaveToBuffer(buffer, static_cast<uint16_t>(s), static_cast<uint16_t>(end));
    buffer.path.pop_back();
    // A child that did not fit keeps value field 0, which ends the list for a reader.
    if (childEnd > end) util::StoreLe16(descriptor(k) + 2, static_cast<uint16_t>(end));
    end = std::max(end, childEnd);
  }

  // Computed last, so it covers the subsection offsets filled in just above.
  b[s + 1 + bodyLength] = XorOf(b + s + 2, bodyLength - 1);
  return static_cast<uint16_t>(end);
}

void TFESection::LoadFromStream(TStream &stream, uint16_t expectedParentRef, TFELoadContext &context) {
  ClearItem();
  uint8_t head[2];
  if (stream.Read(head, sizeof head) < sizeof head) return context.NoteDamagedSection();
  const uint32_t n = util::LeU16(head);
  if (n < kMinBodyLength) return context.NoteDamagedSection();
  // Offsets reached through descriptors are 16-bit, so this stays below 0x10002.
  const auto bodyStart = static_cast<uint32_t>(stream.Position() - context.base);
  if (context.recordBytesLeft < n + 2) return context.NoteDamagedSection();
  context.recordBytesLeft -= n + 2;

  std::vector<uint8_t> body(n);
  if (stream.Read(body.data(), n) < n) return context.NoteDamagedSection();
  if (XorOf(body.data(), n - 1) != body[n - 1] || util::LeU16(body.data()) != expectedParentRef)
    return context.NoteDamagedSection();

  const uint32_t count = body[2];
  // Descriptors running into the checksum mean a damaged record: keep it empty.
  if (3 + kDescriptorBytes * count > n - 1) return context.NoteDamagedSection();

  const uint32_t bodyEnd = bodyStart + n;
  context.NoteRecordEnd(bodyEnd);
  const auto ownOffset = static_cast<uint16_t>(bodyStart - 2);
  for (uint32_t k = 0; k < count; ++k) {
    const uint8_t *d = body.data() + 3 + kDescriptorBytes * k;
    const uint8_t index = d[0], code = d[1], lo = d[2], hi = d[3];
    if (!IsImageCode(code)) continue;
    if (code != kFECodeSection) {
      auto param = ParamAt(index, true, code);
      param->ReadValue(body.data(), lo, hi, bodyStart, bodyEnd);
      if (context.report && code != kFECodeEmpty && param->GetItemType() == kFECodeEmpty) {
        context.report->damagedValues.push_back(context.path);
        context.report->damagedValues.back().push_back(index);
      }
      continue;
    }
    const uint64_t target = context.base + util::LeU16(d + 2);
    // Records follow their parent; one pointing back ends the list (value
    // field 0 is how a writer marks a subsection it had to leave out). Either
    // way the image lacks a section it lists.
    if (target < context.base + bodyEnd) return context.NoteDamagedSection();
    if (context.depth >= kFEMaxDepth) continue;  // deeper than a writer would store
    auto child = SectionAt(index, true);
    stream.SetPosition(target);
    ++context.depth;
    context.path.push_back(index);
    child->LoadFromStream(stream, ownOffset, context);
    context.path.pop_back();
    --context.depth;
  }
}

}  // namespace ruvezivevo
