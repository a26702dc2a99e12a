#pragma once
// A leaf of the tree: a value as bytes plus the type code that says how the
// image codes it.
#include <string>

#include "ruvezivevo/fe_item.h"

namespace ruvezivevo {

class TFEParameter final : public TFEItem, public virtual IFEParam, public IValueBufWrite {
 public:
  // Type code 0 is reserved for sections; such a parameter becomes empty (255).
  TFEParameter(uint8_t index, uint8_t paramType, TFESection *parent);

  void ClearItem() override;

  bool IsArray() const override;
  bool IsEmpty() const override;
  uint8_t AsByteA() const override { return AsByte(); }
  uint8_t AsByteB() const override { return AsByte(); }
  uint8_t AsByte() const override;
  uint16_t AsWord() const override;
  uint32_t AsLong() const override;
  uint32_t AsLongB() const override { return AsLong(); }
  std::string AsString() const override { return value_; }
  std::u16string AsWideString() const override;
  int64_t AsInt64() const override;
  float AsSingle() const override;
  double AsDouble() const override;
  TExtended AsExtended() const override;
  uint16_t GetSize() const override { return static_cast<uint16_t>(value_.size()); }
  uint16_t GetCount() const override;
  uint32_t GetValueSize() const override { return static_cast<uint32_t>(value_.size()); }

  void SetByteA(uint8_t value) override { SetByte(value); }
  void SetByteB(uint8_t value) override { SetByte(value); }
  void SetByte(uint8_t value) override;
  void SetWord(uint16_t value) override;
  void SetLong(uint32_t value) override;
  void SetLongB(uint32_t value) override { SetLong(value); }
  void SetString(std::string_view value) override;
  void SetWideString(std::u16string_view value) override;
  void SetInt64(int64_t value) override;
  void SetSingle(float value) override;
  void SetDouble(double value) override;
  void SetExtended(const TExtended &value) override;
  void SetArray(std::string_view data, uint16_t count, uint8_t widthCode) override;
  void GetData(std::string &dest) const override { dest = value_; }

  // Image coding (fe_parameter_store.cpp).
  void GetStoreInfo(bool &isInline, uint32_t &length) const override;
  void WriteValue(uint8_t *dest) const override;
  void WriteInline(uint8_t *descriptor) const override;
  void ReadValue(const uint8_t *body, uint8_t lo, uint8_t hi, uint32_t bodyStart, uint32_t bodyEnd) override;

  TFEParameter *AsParamItem() override { return this; }
  const TFEParameter *AsParamItem() const override { return this; }

 private:
  void Store(uint8_t itemType, std::string_view bytes);
  uint64_t LeadingLe(size_t bytes) const;

  std::string value_;  // the value bytes; their count is the value size
};

}  // namespace ruvezivevo
