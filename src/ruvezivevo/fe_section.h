#pragma once
// A section: up to 256 items at indexes 0..255, each a subsection or a
// parameter. It owns its items and clears their parent link before it lets
// one go, so an item a client still holds becomes detached, never dangling.
#include <memory>
#include <vector>

#include "ruvezivevo/fe_item.h"

namespace ruvezivevo {

class TFEParameter;

class TFESection : public TFEItem, public virtual IFESection, public IFEStorable {
 public:
  TFESection(uint8_t index, TFESection *parent) : TFEItem(index, kFECodeSection, parent) {}
  ~TFESection() override;

  void ClearItem() override;

  // Navigation and structure (fe_section.cpp).
  std::shared_ptr<IFEItem> GetItem(uint8_t index) const override;
  std::shared_ptr<IFEItem> GetItemByPath(const TByteDynArray &path) const override;
  std::shared_ptr<IFESection> GetSection(uint8_t index, bool create) override;
  std::shared_ptr<IFESection> GetSectionByPath(const TByteDynArray &path, bool create) override;
  std::shared_ptr<IFEParam> GetParam(uint8_t index, bool create, uint8_t paramType = kFECodeEmpty) override;
  std::shared_ptr<IFEParam> GetParamByPath(const TByteDynArray &path, bool create,
                                           uint8_t paramType = kFECodeEmpty) override;
  bool HasItem(uint8_t index) const override;
  bool HasItemByPath(const TByteDynArray &path) const override;
  bool HasSection(uint8_t index) const override;
  bool HasSectionByPath(const TByteDynArray &path) const override;
  bool HasParam(uint8_t index) const override;
  bool HasParamByPath(const TByteDynArray &path) const override;
  void DeleteItem(uint8_t index) override;
  void DeleteSections() override;
  void DeleteParams() override;
  TByteDynArray GetItemIndexes() const override;
  TByteDynArray GetSectionIndexes() const override;
  TByteDynArray GetParamIndexes() const override;
  TFEItemsArray GetItems() const override;
  TFESectionsArray GetSections() const override;
  TFEParamsArray GetParams() const override;

  // Typed values (fe_section_values.cpp).
  bool SetByteB(uint8_t index, uint8_t value) override;
  bool SetByteA(uint8_t index, uint8_t value) override;
  bool SetByte(uint8_t index, uint8_t value) override;
  bool SetWord(uint8_t index, uint16_t value) override;
  bool SetLongB(uint8_t index, uint32_t value) override;
  bool SetLong(uint8_t index, uint32_t value) override;
  bool SetInt64(uint8_t index, int64_t value) override;
  bool SetString(uint8_t index, std::string_view value) override;
  bool SetWideString(uint8_t index, std::u16string_view value) override;
  bool SetSingle(uint8_t index, float value) override;
  bool SetDouble(uint8_t index, double value) override;
  bool SetExtended(uint8_t index, const TExtended &value) override;
  bool SetArray(uint8_t index, std::string_view data, uint16_t count, uint8_t widthCode) override;

  bool TryGetByteB(uint8_t index, uint8_t &value) const override;
  bool TryGetByteA(uint8_t index, uint8_t &value) const override;
  bool TryGetByte(uint8_t index, uint8_t &value) const override;
  bool TryGetWord(uint8_t index, uint16_t &value) const override;
  bool TryGetLong(uint8_t index, uint32_t &value) const override;
  bool TryGetLongB(uint8_t index, uint32_t &value) const override;
  bool TryGetInt64(uint8_t index, int64_t &value) const override;
  bool TryGetString(uint8_t index, std::string &value) const override;
  bool TryGetWideString(uint8_t index, std::u16string &value) const override;
  bool TryGetSingle(uint8_t index, float &value) const override;
  bool TryGetDouble(uint8_t index, double &value) const override;
  bool TryGetExtended(uint8_t index, TExtended &value) const override;

  uint8_t GetByteBDef(uint8_t index, uint8_t def) const override;
  uint8_t GetByteADef(uint8_t index, uint8_t def) const override;
  uint8_t GetByteDef(uint8_t index, uint8_t def) const override;
  uint16_t GetWordDef(uint8_t index, uint16_t def) const override;
  uint32_t GetLongDef(uint8_t index, uint32_t def) const override;
  uint32_t GetLongBDef(uint8_t index, uint32_t def) const override;
  int64_t GetInt64Def(uint8_t index, int64_t def) const override;
  std::string GetStringDef(uint8_t index, std::string_view def) const override;
  std::u16string GetWideStringDef(uint8_t index, std::u16string_view def) const override;
  float GetSingleDef(uint8_t index, float def) const override;
  double GetDoubleDef(uint8_t index, double def) const override;
  TExtended GetExtendedDef(uint8_t index, const TExtended &def) const override;

  uint16_t GetParamSize(uint8_t index) const override;
  bool IsParamArray(uint8_t index) const override;
  uint16_t GetParamCount(uint8_t index) const override;
  bool GetParamData(uint8_t index, std::string &dest) const override;

  // Image record (fe_section_store.cpp).
  uint16_t SaveToBuffer(TFEImageBuffer &buffer, uint16_t parentRef, uint16_t offset) const override;
  void LoadFromStream(TStream &stream, uint16_t expectedParentRef, TFELoadContext &context) override;

  // For the tree's own code.
  std::shared_ptr<TFESection> SharedSection() const;
  std::shared_ptr<TFESection> SectionAt(uint8_t index, bool create);
  std::shared_ptr<TFEParameter> ParamAt(uint8_t index, bool create, uint8_t paramType);
  const TFEParameter *FindParam(uint8_t index) const;
  const TFESection *FindSection(uint8_t index) const;
  TFESection *AsSectionItem() override { return this; }
  const TFESection *AsSectionItem() const override { return this; }

 private:
  template <typename Item, typename Make>
  std::shared_ptr<Item> GetOrCreate(uint8_t index, bool create, Make make);
  template <typename Keep>
  void DeleteWhere(Keep wanted);
  template <typename Keep>
  TByteDynArray IndexesWhere(Keep wanted) const;
  // Walks every index of path but the last through subsections.
  TFESection *WalkToLast(const TByteDynArray &path, bool create);

  std::vector<std::shared_ptr<TFEItem>> items_;  // by index; empty entries are null
};

}  // namespace ruvezivevo
