#include "log/simple_intf_list.h"

#include <algorithm>
#include <utility>

namespace {
const std::shared_ptr<IInterface> kNoItem;
}

int TSimpleInterfaceList::GrownCapacity(int capacity) {
  if (capacity > 64) return capacity + capacity / 4;
  if (capacity > 8) return capacity + 16;
  return capacity + 4;
}

const std::shared_ptr<IInterface> &TSimpleInterfaceList::At(int Index) const {
  if (Index < 0 || Index >= Count()) return kNoItem;
  return items_[static_cast<size_t>(Index)];
}

void TSimpleInterfaceList::SetItem(int Index, std::shared_ptr<IInterface> Item) {
  if (Index < 0 || Index >= Count()) return;
  items_[static_cast<size_t>(Index)] = std::move(Item);
}

int TSimpleInterfaceList::Add(std::shared_ptr<IInterface> Item) {
  if (Count() == capacity_) {
    capacity_ = GrownCapacity(capacity_);
    items_.reserve(static_cast<size_t>(capacity_));
  }
  items_.push_back(std::move(Item));
  return Count() - 1;
}

int TSimpleInterfaceList::IndexOf(const IInterface *Item) const {
  for (size_t i = 0; i < items_.size(); ++i) {
    if (items_[i].get() == Item) return static_cast<int>(i);
  }
  return -1;
}

void TSimpleInterfaceList::Remove(const IInterface *Item) {
  // An empty slot is no item: removing "nothing" must not count as a hit.
  if (Item == nullptr) return;
  const int index = IndexOf(Item);
  if (index >= 0) items_[static_cast<size_t>(index)].reset();
}

void TSimpleInterfaceList::Pack() {
  items_.erase(std::remove(items_.begin(), items_.end(), nullptr), items_.end());
}

void TSimpleInterfaceList::Clear() {
  std::vector<std::shared_ptr<IInterface>>().swap(items_);
  capacity_ = 0;
}

std::vector<std::shared_ptr<IInterface>> TSimpleInterfaceList::TakeAll() {
  std::vector<std::shared_ptr<IInterface>> taken;
  taken.swap(items_);
  capacity_ = 0;
  return taken;
}

std::shared_ptr<ISimpleIntfList> CreateSimpleIntfList() { return std::make_shared<TSimpleInterfaceList>(); }
