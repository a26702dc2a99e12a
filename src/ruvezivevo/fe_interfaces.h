#pragma once
// The client side of the section tree. Clients hold items only through these
// interfaces (by shared_ptr); a section owns its items, an item points back
// to its parent without owning it. Nothing here throws: absent items come
// back as nullptr, reads of absent values report false or a given default.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "ruvezivevo/extended.h"
#include "ruvezivevo/fe_types.h"

namespace ruvezivevo {

class TStream;

class IFEItem {
 public:
  virtual ~IFEItem() = default;

  virtual uint8_t GetIndex() const = 0;
  virtual std::shared_ptr<IFESection> GetParentSection() const = 0;
  // The root at the top of the parent chain; nullptr when the chain does not
  // end in a root (a detached item or anything below one).
  virtual std::shared_ptr<IFERootSection> GetRoot() const = 0;
  virtual uint8_t GetItemType() const = 0;
  // Lets the parent delete this item's entry; the item itself stays usable.
  virtual void Detach() = 0;
  // Section: drops every item. Parameter: drops the value, type code 255.
  virtual void ClearItem() = 0;
};

class IFEParam : public virtual IFEItem {
 public:
  virtual bool IsArray() const = 0;
  virtual bool IsEmpty() const = 0;

  // Reads take the leading value bytes whatever the type code says; a value
  // too short for the read gives 0. The A and B forms equal the plain ones.
  virtual uint8_t AsByteA() const = 0;
  virtual uint8_t AsByteB() const = 0;
  virtual uint8_t AsByte() const = 0;
  virtual uint16_t AsWord() const = 0;
  virtual uint32_t AsLong() const = 0;
  virtual uint32_t AsLongB() const = 0;
  virtual std::string AsString() const = 0;
  virtual std::u16string AsWideString() const = 0;
  virtual int64_t AsInt64() const = 0;
  virtual float AsSingle() const = 0;
  virtual double AsDouble() const = 0;
  virtual TExtended AsExtended() const = 0;

  // Number of value bytes (low 16 bits) and, for arrays, of elements.
  virtual uint16_t GetSize() const = 0;
  virtual uint16_t GetCount() const = 0;
  // The full number of value bytes; a value built by SetArray may pass 64 KiB.
  virtual uint32_t GetValueSize() const = 0;

  virtual void SetByteA(uint8_t value) = 0;
  virtual void SetByteB(uint8_t value) = 0;
  virtual void SetByte(uint8_t value) = 0;
  virtual void SetWord(uint16_t value) = 0;
  virtual void SetLong(uint32_t value) = 0;
  virtual void SetLongB(uint32_t value) = 0;
  // At most 4096 bytes are kept; code 17 from 256 bytes on, else 9.
  virtual void SetString(std::string_view value) = 0;
  // At most 2048 code units are kept; code 18 from 256 units on, else 10.
  virtual void SetWideString(std::u16string_view value) = 0;
  virtual void SetInt64(int64_t value) = 0;
  virtual void SetSingle(float value) = 0;
  virtual void SetDouble(double value) = 0;
  virtual void SetExtended(const TExtended &value) = 0;
  // Stores count elements of the width given by widthCode taken from data
  // (missing bytes are zero). The type code is kept when it already describes
  // such an array, otherwise it becomes the matching array code, so what is
  // saved always reads back the same.
  virtual void SetArray(std::string_view data, uint16_t count, uint8_t widthCode) = 0;
  // Dest receives all value bytes.
  virtual void GetData(std::string &dest) const = 0;
};

class IFESection : public virtual IFEItem {
 public:
  // Navigation and structure.
  virtual std::shared_ptr<IFEItem> GetItem(uint8_t index) const = 0;
  virtual std::shared_ptr<IFEItem> GetItemByPath(const TByteDynArray &path) const = 0;
  virtual std::shared_ptr<IFESection> GetSection(uint8_t index, bool create) = 0;
  virtual std::shared_ptr<IFESection> GetSectionByPath(const TByteDynArray &path, bool create) = 0;
  virtual std::shared_ptr<IFEParam> GetParam(uint8_t index, bool create, uint8_t paramType = kFECodeEmpty) = 0;
  virtual std::shared_ptr<IFEParam> GetParamByPath(const TByteDynArray &path, bool create,
                                                   uint8_t paramType = kFECodeEmpty) = 0;
  virtual bool HasItem(uint8_t index) const = 0;
  virtual bool HasItemByPath(const TByteDynArray &path) const = 0;
  virtual bool HasSection(uint8_t index) const = 0;
  virtual bool HasSectionByPath(const TByteDynArray &path) const = 0;
  virtual bool HasParam(uint8_t index) const = 0;
  virtual bool HasParamByPath(const TByteDynArray &path) const = 0;
  virtual void DeleteItem(uint8_t index) = 0;
  virtual void DeleteSections() = 0;
  virtual void DeleteParams() = 0;
  virtual TByteDynArray GetItemIndexes() const = 0;
  virtual TByteDynArray GetSectionIndexes() const = 0;
  virtual TByteDynArray GetParamIndexes() const = 0;
  virtual TFEItemsArray GetItems() const = 0;
  virtual TFESectionsArray GetSections() const = 0;
  virtual TFEParamsArray GetParams() const = 0;

  // Typed writes: get or create the parameter, write it, report true.
  virtual bool SetByteB(uint8_t index, uint8_t value) = 0;
  virtual bool SetByteA(uint8_t index, uint8_t value) = 0;
  virtual bool SetByte(uint8_t index, uint8_t value) = 0;
  virtual bool SetWord(uint8_t index, uint16_t value) = 0;
  virtual bool SetLongB(uint8_t index, uint32_t value) = 0;
  virtual bool SetLong(uint8_t index, uint32_t value) = 0;
  virtual bool SetInt64(uint8_t index, int64_t value) = 0;
  virtual bool SetString(uint8_t index, std::string_view value) = 0;
  virtual bool SetWideString(uint8_t index, std::u16string_view value) = 0;
  virtual bool SetSingle(uint8_t index, float value) = 0;
  virtual bool SetDouble(uint8_t index, double value) = 0;
  virtual bool SetExtended(uint8_t index, const TExtended &value) = 0;
  virtual bool SetArray(uint8_t index, std::string_view data, uint16_t count, uint8_t widthCode) = 0;

  // Typed reads: true and the value when the parameter exists and is long
  // enough, else false with `value` untouched (the string forms clear it).
  virtual bool TryGetByteB(uint8_t index, uint8_t &value) const = 0;
  virtual bool TryGetByteA(uint8_t index, uint8_t &value) const = 0;
  virtual bool TryGetByte(uint8_t index, uint8_t &value) const = 0;
  virtual bool TryGetWord(uint8_t index, uint16_t &value) const = 0;
  virtual bool TryGetLong(uint8_t index, uint32_t &value) const = 0;
  virtual bool TryGetLongB(uint8_t index, uint32_t &value) const = 0;
  virtual bool TryGetInt64(uint8_t index, int64_t &value) const = 0;
  virtual bool TryGetString(uint8_t index, std::string &value) const = 0;
  virtual bool TryGetWideString(uint8_t index, std::u16string &value) const = 0;
  virtual bool TryGetSingle(uint8_t index, float &value) const = 0;
  virtual bool TryGetDouble(uint8_t index, double &value) const = 0;
  virtual bool TryGetExtended(uint8_t index, TExtended &value) const = 0;

  virtual uint8_t GetByteBDef(uint8_t index, uint8_t def) const = 0;
  virtual uint8_t GetByteADef(uint8_t index, uint8_t def) const = 0;
  virtual uint8_t GetByteDef(uint8_t index, uint8_t def) const = 0;
  virtual uint16_t GetWordDef(uint8_t index, uint16_t def) const = 0;
  virtual uint32_t GetLongDef(uint8_t index, uint32_t def) const = 0;
  virtual uint32_t GetLongBDef(uint8_t index, uint32_t def) const = 0;
  virtual int64_t GetInt64Def(uint8_t index, int64_t def) const = 0;
  virtual std::string GetStringDef(uint8_t index, std::string_view def) const = 0;
  virtual std::u16string GetWideStringDef(uint8_t index, std::u16string_view def) const = 0;
  virtual float GetSingleDef(uint8_t index, float def) const = 0;
  virtual double GetDoubleDef(uint8_t index, double def) const = 0;
  virtual TExtended GetExtendedDef(uint8_t index, const TExtended &def) const = 0;

  // Parameter facts.
  virtual uint16_t GetParamSize(uint8_t index) const = 0;
  virtual bool IsParamArray(uint8_t index) const = 0;
  virtual uint16_t GetParamCount(uint8_t index) const = 0;
  virtual bool GetParamData(uint8_t index, std::string &dest) const = 0;
};

class IFERootSection : public virtual IFESection {
 public:
  // Writes the image at the stream's position; nothing when stream is null
  // or the tree does not fit an image.
  virtual void SaveToStream(TStream *stream) const = 0;
  // The image; empty when the tree does not fit. Before sending an image
  // anywhere use SerializeImage (image_save.h), which cannot yield an empty one.
  virtual std::string SaveToString() const = 0;
};

// Type queries on items held through IFEItem.
inline std::shared_ptr<IFESection> AsSection(const std::shared_ptr<IFEItem> &item) {
  return std::dynamic_pointer_cast<IFESection>(item);
}
inline std::shared_ptr<IFEParam> AsParam(const std::shared_ptr<IFEItem> &item) {
  return std::dynamic_pointer_cast<IFEParam>(item);
}

}  // namespace ruvezivevo
