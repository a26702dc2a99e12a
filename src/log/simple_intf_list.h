#pragma once
// A growable array of interface references. The log keeps every child list
// in one of these; its growth rule keeps small lists small (most actions
// have a handful of children) and large lists cheap to extend.
#include <cstddef>
#include <memory>
#include <vector>

// Root of the log's reference-counted interfaces: anything a list can hold.
class IInterface {
 public:
  virtual ~IInterface() = default;
};

class ISimpleIntfList : public IInterface {
 public:
  virtual int Count() const = 0;
  // Empty reference when Index is out of range.
  virtual std::shared_ptr<IInterface> GetItem(int Index) const = 0;
  // Ignored when Index is out of range.
  virtual void SetItem(int Index, std::shared_ptr<IInterface> Item) = 0;
  // Index of the new item.
  virtual int Add(std::shared_ptr<IInterface> Item) = 0;
  // First index holding Item, -1 when absent.
  virtual int IndexOf(const IInterface *Item) const = 0;
  // Empties the first slot holding Item; Count stays the same.
  virtual void Remove(const IInterface *Item) = 0;
  // Drops empty slots, keeping the order of the rest.
  virtual void Pack() = 0;
  // No items and no capacity.
  virtual void Clear() = 0;
};

class TSimpleInterfaceList final : public ISimpleIntfList {
 public:
  int Count() const override { return static_cast<int>(items_.size()); }
  std::shared_ptr<IInterface> GetItem(int Index) const override { return At(Index); }
  void SetItem(int Index, std::shared_ptr<IInterface> Item) override;
  int Add(std::shared_ptr<IInterface> Item) override;
  int IndexOf(const IInterface *Item) const override;
  void Remove(const IInterface *Item) override;
  void Pack() override;
  void Clear() override;

  // Reads a slot without touching its reference count (the log's views read
  // rows this way while painting).
  const std::shared_ptr<IInterface> &At(int Index) const;
  int Capacity() const { return capacity_; }
  // Moves every reference out, leaving the list cleared.
  std::vector<std::shared_ptr<IInterface>> TakeAll();

  // Capacity after growing a full array of `capacity` slots.
  static int GrownCapacity(int capacity);

 private:
  std::vector<std::shared_ptr<IInterface>> items_;
  int capacity_ = 0;
};

std::shared_ptr<ISimpleIntfList> CreateSimpleIntfList();
