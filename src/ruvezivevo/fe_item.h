#pragma once
// Base of every tree item: its index, its type code and a non-owning link to
// the parent, cleared by the parent before it lets the item go.
#include <cstdint>
#include <memory>

#include "ruvezivevo/fe_interfaces.h"
#include "ruvezivevo/fe_internal.h"

namespace ruvezivevo {

class TFESection;
class TFEParameter;

class TFEItem : public virtual IFEItem, public IFEParentLink, public std::enable_shared_from_this<TFEItem> {
 public:
  TFEItem(uint8_t index, uint8_t itemType, TFESection *parent)
      : index_(index), itemType_(itemType), parent_(parent) {}
  TFEItem(const TFEItem &) = delete;
  TFEItem &operator=(const TFEItem &) = delete;

  uint8_t GetIndex() const override { return index_; }
  std::shared_ptr<IFESection> GetParentSection() const override;
  std::shared_ptr<IFERootSection> GetRoot() const override;
  uint8_t GetItemType() const override { return itemType_; }
  void Detach() override;

  void ResetParent() override { parent_ = nullptr; }

  // Cheap type queries for the tree's own code.
  virtual TFESection *AsSectionItem() { return nullptr; }
  virtual const TFESection *AsSectionItem() const { return nullptr; }
  virtual TFEParameter *AsParamItem() { return nullptr; }
  virtual const TFEParameter *AsParamItem() const { return nullptr; }

 protected:
  void SetItemType(uint8_t itemType) { itemType_ = itemType; }
  TFESection *Parent() const { return parent_; }

 private:
  uint8_t index_;
  uint8_t itemType_;
  TFESection *parent_;
};

}  // namespace ruvezivevo
