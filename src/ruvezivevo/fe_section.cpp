#include "ruvezivevo/fe_section.h"

#include <type_traits>

#include "ruvezivevo/fe_parameter.h"

namespace ruvezivevo {

namespace {

bool IsSectionItem(const TFEItem &item) { return item.AsSectionItem() != nullptr; }
bool IsParamItem(const TFEItem &item) { return item.AsParamItem() != nullptr; }

}  // namespace

TFESection::~TFESection() { ClearItem(); }

void TFESection::ClearItem() {
  // Detach everything first: a child released below may be the last
  // reference to a subtree, and it must not find a parent half torn down.
  std::vector<std::shared_ptr<TFEItem>> released;
  released.swap(items_);
  for (auto &item : released) {
    if (item) item->ResetParent();
  }
}

std::shared_ptr<TFESection> TFESection::SharedSection() const {
  auto self = std::const_pointer_cast<TFEItem>(weak_from_this().lock());
  return std::static_pointer_cast<TFESection>(self);
}

std::shared_ptr<IFEItem> TFESection::GetItem(uint8_t index) const {
  if (index >= items_.size()) return nullptr;
  return items_[index];
}

const TFEParameter *TFESection::FindParam(uint8_t index) const {
  if (index >= items_.size() || !items_[index]) return nullptr;
  return items_[index]->AsParamItem();
}

const TFESection *TFESection::FindSection(uint8_t index) const {
  if (index >= items_.size() || !items_[index]) return nullptr;
  return items_[index]->AsSectionItem();
}

std::shared_ptr<IFEItem> TFESection::GetItemByPath(const TByteDynArray &path) const {
  const TFESection *current = this;
  std::shared_ptr<IFEItem> result;
  for (uint8_t index : path) {
    if (index >= current->items_.size() || !current->items_[index]) return nullptr;
    const auto &entry = current->items_[index];
    result = entry;
    current = entry->AsSectionItem();
    if (!current) break;  // a parameter ends the walk and is the result
  }
  return result;
}

template <typename Item, typename Make>
std::shared_ptr<Item> TFESection::GetOrCreate(uint8_t index, bool create, Make make) {
  if (index < items_.size()) {
    auto &entry = items_[index];
    if (entry) {
      const bool matches = std::is_same_v<Item, TFESection> ? IsSectionItem(*entry) : IsParamItem(*entry);
      if (matches) return std::static_pointer_cast<Item>(entry);
    }
    if (!create) return nullptr;
    if (entry) entry->ResetParent();
  } else {
    if (!create) return nullptr;
    items_.resize(size_t{index} + 1);
  }
  std::shared_ptr<Item> item = make();
  items_[index] = item;
  return item;
}

std::shared_ptr<TFESection> TFESection::SectionAt(uint8_t index, bool create) {
  return GetOrCreate<TFESection>(index, create, [&] { return std::make_shared<TFESection>(index, this); });
}

std::shared_ptr<TFEParameter> TFESection::ParamAt(uint8_t index, bool create, uint8_t paramType) {
  return GetOrCreate<TFEParameter>(index, create,
                                   [&] { return std::make_shared<TFEParameter>(index, paramType, this); });
}

std::shared_ptr<IFESection> TFESection::GetSection(uint8_t index, bool create) { return SectionAt(index, create); }

std::shared_ptr<IFEParam> TFESection::GetParam(uint8_t index, bool create, uint8_t paramType) {
  return ParamAt(index, create, paramType);
}

std::shared_ptr<IFESection> TFESection::GetSectionByPath(const TByteDynArray &path, bool create) {
  std::shared_ptr<TFESection> current = SharedSection();
  for (uint8_t index : path) {
    current = current->SectionAt(index, create);
    if (!current) return nullptr;
  }
  return current;
}

TFESection *TFESection::WalkToLast(const TByteDynArray &path, bool create) {
  TFESection *current = this;
  for (size_t i = 0; i + 1 < path.size(); ++i) {
    current = current->SectionAt(path[i], create).get();  // owned by its parent, which we keep
    if (!current) return nullptr;
  }
  return current;
}

std::shared_ptr<IFEParam> TFESection::GetParamByPath(const TByteDynArray &path, bool create, uint8_t paramType) {
  if (path.empty()) return nullptr;
  TFESection *section = WalkToLast(path, create);
  if (!section) return nullptr;
  return section->ParamAt(path.back(), create, paramType);
}

bool TFESection::HasItem(uint8_t index) const { return index < items_.size() && items_[index] != nullptr; }
bool TFESection::HasItemByPath(const TByteDynArray &path) const { return GetItemByPath(path) != nullptr; }
bool TFESection::HasSection(uint8_t index) const { return FindSection(index) != nullptr; }
bool TFESection::HasParam(uint8_t index) const { return FindParam(index) != nullptr; }

// With create false the walks below change nothing.
bool TFESection::HasSectionByPath(const TByteDynArray &path) const {
  return const_cast<TFESection *>(this)->GetSectionByPath(path, false) != nullptr;
}

bool TFESection::HasParamByPath(const TByteDynArray &path) const {
  return const_cast<TFESection *>(this)->GetParamByPath(path, false, kFECodeEmpty) != nullptr;
}

void TFESection::DeleteItem(uint8_t index) {
  if (index >= items_.size() || !items_[index]) return;
  std::shared_ptr<TFEItem> released;
  released.swap(items_[index]);
  released->ResetParent();
}

template <typename Keep>
void TFESection::DeleteWhere(Keep wanted) {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i] && wanted(*items_[i])) DeleteItem(static_cast<uint8_t>(i));
  }
}

void TFESection::DeleteSections() { DeleteWhere(IsSectionItem); }
void TFESection::DeleteParams() { DeleteWhere(IsParamItem); }

template <typename Keep>
TByteDynArray TFESection::IndexesWhere(Keep wanted) const {
  TByteDynArray indexes;
  for (const auto &item : items_) {
    if (item && wanted(*item)) indexes.push_back(item->GetIndex());
  }
  return indexes;
}

TByteDynArray TFESection::GetItemIndexes() const {
  return IndexesWhere([](const TFEItem &) { return true; });
}
TByteDynArray TFESection::GetSectionIndexes() const { return IndexesWhere(IsSectionItem); }
TByteDynArray TFESection::GetParamIndexes() const { return IndexesWhere(IsParamItem); }

TFEItemsArray TFESection::GetItems() const {
  TFEItemsArray result;
  for (const auto &item : items_) {
    if (item) result.push_back(item);
  }
  return result;
}

TFESectionsArray TFESection::GetSections() const {
  TFESectionsArray result;
  for (const auto &item : items_) {
    if (item && IsSectionItem(*item)) result.push_back(std::static_pointer_cast<TFESection>(item));
  }
  return result;
}

TFEParamsArray TFESection::GetParams() const {
  TFEParamsArray result;
  for (const auto &item : items_) {
    if (item && IsParamItem(*item)) result.push_back(std::static_pointer_cast<TFEParameter>(item));
  }
  return result;
}

}  // namespace ruvezivevo
