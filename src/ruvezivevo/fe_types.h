#pragma once
// Basic types of the section tree: index lists, item collections and the
// one-byte type codes that tell how a value is coded in an image.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace ruvezivevo {

class IFEItem;
class IFESection;
class IFEParam;
class IFERootSection;

// Index lists and paths: one byte per index.
using TByteDynArray = std::vector<uint8_t>;
using TFEItemsArray = std::vector<std::shared_ptr<IFEItem>>;
using TFESectionsArray = std::vector<std::shared_ptr<IFESection>>;
using TFEParamsArray = std::vector<std::shared_ptr<IFEParam>>;

// Type codes. Bits 0..2 give the element width, bit 3 marks an array with a
// one-byte count, bit 4 an array with a two-byte count.
inline constexpr uint8_t kFECodeSection = 0;
inline constexpr uint8_t kFECodeByte = 1;
inline constexpr uint8_t kFECodeWord = 2;
inline constexpr uint8_t kFECodeLong = 3;
inline constexpr uint8_t kFECodeBytes8 = 9;
inline constexpr uint8_t kFECodeWords8 = 10;
inline constexpr uint8_t kFECodeLongs8 = 11;
inline constexpr uint8_t kFECodeBytes16 = 17;
inline constexpr uint8_t kFECodeWords16 = 18;
inline constexpr uint8_t kFECodeLongs16 = 19;
inline constexpr uint8_t kFECodeEmpty = 255;

inline constexpr uint8_t kFEWidthMask = 0x07;
inline constexpr uint8_t kFECount8Flag = 0x08;
inline constexpr uint8_t kFECount16Flag = 0x10;
inline constexpr uint8_t kFEArrayMask = kFECount8Flag | kFECount16Flag;

// Width codes 1, 2, 3 stand for 1, 2 and 4 bytes; any other code for 0.
constexpr uint32_t ElementWidth(uint8_t widthCode) {
  switch (widthCode) {
    case 1: return 1;
    case 2: return 2;
    case 3: return 4;
    default: return 0;
  }
}

constexpr bool IsArrayCode(uint8_t code) { return (code & kFEArrayMask) != 0; }

// The codes an image may carry; a reader skips descriptors with any other.
constexpr bool IsImageCode(uint8_t code) {
  switch (code) {
    case kFECodeSection: case kFECodeByte: case kFECodeWord: case kFECodeLong:
    case kFECodeBytes8: case kFECodeWords8: case kFECodeLongs8:
    case kFECodeBytes16: case kFECodeWords16: case kFECodeLongs16:
    case kFECodeEmpty:
      return true;
    default:
      return false;
  }
}

}  // namespace ruvezivevo
