#include "log/simple_intf_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Item : IInterface {};

std::vector<std::shared_ptr<IInterface>> MakeItems(int n) {
  std::vector<std::shared_ptr<IInterface>> items;
  for (int i = 0; i < n; ++i) items.push_back(std::make_shared<Item>());
  return items;
}

TEST(SimpleIntfList, CapacityGrowsByFourThenSixteenThenAQuarter) {
  TSimpleInterfaceList list;
  std::vector<int> capacities;
  for (const auto &item : MakeItems(100)) {
    list.Add(item);
    if (capacities.empty() || capacities.back() != list.Capacity()) capacities.push_back(list.Capacity());
  }
  EXPECT_EQ(capacities, (std::vector<int>{4, 8, 12, 28, 44, 60, 76, 95, 118}));
}

TEST(SimpleIntfList, FifthItemGrowsCapacityFourToEight) {
  TSimpleInterfaceList list;
  auto items = MakeItems(5);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(list.Add(items[i]), i);
  EXPECT_EQ(list.Capacity(), 4);
  EXPECT_EQ(list.Add(items[4]), 4);
  EXPECT_EQ(list.Capacity(), 8);
}

TEST(SimpleIntfList, RemoveEmptiesTheSlotAndPackDropsIt) {
  TSimpleInterfaceList list;
  auto items = MakeItems(4);
  for (const auto &item : items) list.Add(item);
  list.Add(items[1]);  // a second reference to the same item

  list.Remove(items[1].get());
  EXPECT_EQ(list.Count(), 5);
  EXPECT_EQ(list.GetItem(1), nullptr);
  EXPECT_EQ(list.IndexOf(items[1].get()), 4) << "only the first slot holding it is emptied";
  list.Remove(items[1].get());
  EXPECT_EQ(list.IndexOf(items[1].get()), -1);
  EXPECT_EQ(items[1].use_count(), 1) << "the list let go of its references";

  list.Pack();
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.GetItem(0), items[0]);
  EXPECT_EQ(list.GetItem(1), items[2]);
  EXPECT_EQ(list.GetItem(2), items[3]);
}

TEST(SimpleIntfList, RemovingAnAbsentItemChangesNothing) {
  TSimpleInterfaceList list;
  auto items = MakeItems(3);
  list.Add(items[0]);
  list.Add(items[1]);
  list.Remove(items[2].get());
  list.Remove(nullptr);
  list.Pack();
  EXPECT_EQ(list.Count(), 2);
}

TEST(SimpleIntfList, IndexOutsideTheListIsIgnored) {
  TSimpleInterfaceList list;
  auto items = MakeItems(2);
  list.Add(items[0]);
  EXPECT_EQ(list.GetItem(-1), nullptr);
  EXPECT_EQ(list.GetItem(1), nullptr);
  list.SetItem(1, items[1]);
  list.SetItem(-1, items[1]);
  EXPECT_EQ(list.Count(), 1);
  list.SetItem(0, items[1]);
  EXPECT_EQ(list.GetItem(0), items[1]);
}

TEST(SimpleIntfList, ClearDropsItemsAndCapacity) {
  auto list = CreateSimpleIntfList();
  auto items = MakeItems(10);
  for (const auto &item : items) list->Add(item);
  list->Clear();
  EXPECT_EQ(list->Count(), 0);
  EXPECT_EQ(items[0].use_count(), 1);
  EXPECT_EQ(static_cast<TSimpleInterfaceList &>(*list).Capacity(), 0);
  EXPECT_EQ(list->Add(items[0]), 0);
}

}  // namespace
