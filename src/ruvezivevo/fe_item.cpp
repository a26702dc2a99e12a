#include "ruvezivevo/fe_item.h"

#include "ruvezivevo/fe_root_section.h"
#include "ruvezivevo/fe_section.h"

namespace ruvezivevo {

std::shared_ptr<IFESection> TFEItem::GetParentSection() const {
  if (!parent_) return nullptr;
  return parent_->SharedSection();
}

std::shared_ptr<IFERootSection> TFEItem::GetRoot() const {
  const TFEItem *top = this;
  while (top->parent_) top = top->parent_;
  const auto *root = dynamic_cast<const TFERootSection *>(top);
  if (!root) return nullptr;
  return root->SharedRoot();
}

void TFEItem::Detach() {
  if (!parent_) return;
  // The parent may hold the last reference; stay alive until we are done.
  auto self = weak_from_this().lock();
  parent_->DeleteItem(index_);
}

}  // namespace ruvezivevo
