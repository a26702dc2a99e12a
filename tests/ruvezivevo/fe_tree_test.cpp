// The section tree: get-or-create, replacement, detaching, paths and the
// parent links that keep items held by clients safe.
#include <gtest/gtest.h>

#include "ruvezivevo/fe_root_section.h"

using namespace ruvezivevo;

namespace {

TEST(FETree, GetSectionWithoutCreateFindsNothingAndAddsNothing) {
  auto root = CreateRootSection();
  EXPECT_EQ(root->GetSection(5, false), nullptr);
  EXPECT_TRUE(root->GetItemIndexes().empty());
  EXPECT_EQ(root->SaveToString().size(), 6u);
}

TEST(FETree, GetSectionWithCreateMakesOneSectionAndLeavesLowerIndexesEmpty) {
  auto root = CreateRootSection();
  auto section = root->GetSection(5, true);
  ASSERT_NE(section, nullptr);
  EXPECT_EQ(section->GetIndex(), 5);
  EXPECT_EQ(section->GetItemType(), kFECodeSection);
  EXPECT_EQ(section->GetParentSection(), root);
  EXPECT_EQ(root->GetItemIndexes(), TByteDynArray{5});
  for (uint8_t i = 0; i < 5; ++i) EXPECT_FALSE(root->HasItem(i));
  EXPECT_EQ(root->GetSection(5, true), section) << "an existing section is returned, not replaced";
}

TEST(FETree, GetParamReplacesASectionAndTheOldSectionIsDetached) {
  auto root = CreateRootSection();
  auto old = root->GetSection(3, true);
  auto child = old->GetSection(1, true);
  auto param = root->GetParam(3, true, kFECodeWord);
  ASSERT_NE(param, nullptr);
  EXPECT_EQ(param->GetItemType(), kFECodeWord);
  EXPECT_TRUE(root->HasParam(3));
  EXPECT_FALSE(root->HasSection(3));
  EXPECT_EQ(old->GetParentSection(), nullptr);
  EXPECT_EQ(old->GetRoot(), nullptr) << "a detached section has no root";
  EXPECT_EQ(child->GetRoot(), nullptr) << "nor has anything below it";
  EXPECT_EQ(child->GetParentSection(), old) << "the detached section keeps its own items";
}

TEST(FETree, GetParamReturnsAnExistingParameterUnchanged) {
  auto root = CreateRootSection();
  root->SetString(3, "AB");
  auto param = root->GetParam(3, true, kFECodeWord);
  EXPECT_EQ(param->GetItemType(), kFECodeBytes8);
  EXPECT_EQ(param->AsString(), "AB");
  param->SetWord(7);
  EXPECT_EQ(param->GetItemType(), kFECodeWord);
  EXPECT_EQ(root->GetParam(3, true, kFECodeBytes8), param) << "same object";
}

TEST(FETree, ParameterCreatedWithSectionCodeIsEmpty) {
  auto root = CreateRootSection();
  EXPECT_EQ(root->GetParam(1, true, kFECodeSection)->GetItemType(), kFECodeEmpty);
  EXPECT_TRUE(root->HasParam(1));
}

TEST(FETree, DetachRemovesTheItemWhichKeepsItsValue) {
  auto root = CreateRootSection();
  root->SetLong(2, 0x12345678);
  auto param = root->GetParam(2, false);
  param->Detach();
  EXPECT_FALSE(root->HasItem(2));
  EXPECT_EQ(param->AsLong(), 0x12345678u);
  EXPECT_EQ(param->GetParentSection(), nullptr);
  EXPECT_EQ(param->GetRoot(), nullptr);
  param->Detach();  // a detached item has nothing to leave
  root->GetSection(4, true);
  root->GetItem(4)->Detach();  // the section's own reference was the last one
  EXPECT_FALSE(root->HasItem(4));
}

TEST(FETree, ItemsHeldByClientsOutliveTheirRootSafely) {
  std::shared_ptr<IFEParam> param;
  std::shared_ptr<IFESection> section;
  {
    auto root = CreateRootSection();
    section = root->GetSectionByPath({1, 2}, true);
    param = section->GetParam(7, true, kFECodeByte);
    param->SetByte(9);
    EXPECT_EQ(param->GetRoot(), root);
  }
  EXPECT_EQ(param->GetParentSection(), section);
  EXPECT_EQ(section->GetParentSection(), nullptr);
  EXPECT_EQ(param->GetRoot(), nullptr);
  EXPECT_EQ(param->AsByte(), 9);
}

TEST(FETree, ClearItemLetsEveryItemGo) {
  auto root = CreateRootSection();
  auto sub = root->GetSection(0, true);
  root->SetByte(9, 1);
  root->ClearItem();
  EXPECT_TRUE(root->GetItemIndexes().empty());
  EXPECT_FALSE(root->HasItem(9));
  EXPECT_EQ(sub->GetParentSection(), nullptr);
}

TEST(FETree, IndexListsAndCollectionsAreAscendingAndTyped) {
  auto root = CreateRootSection();
  root->SetByte(200, 1);
  root->GetSection(7, true);
  root->SetWord(3, 2);
  root->GetSection(250, true);
  EXPECT_EQ(root->GetItemIndexes(), (TByteDynArray{3, 7, 200, 250}));
  EXPECT_EQ(root->GetSectionIndexes(), (TByteDynArray{7, 250}));
  EXPECT_EQ(root->GetParamIndexes(), (TByteDynArray{3, 200}));
  ASSERT_EQ(root->GetItems().size(), 4u);
  EXPECT_EQ(root->GetItems()[2]->GetIndex(), 200);
  ASSERT_EQ(root->GetSections().size(), 2u);
  EXPECT_EQ(root->GetSections()[1]->GetIndex(), 250);
  ASSERT_EQ(root->GetParams().size(), 2u);
  EXPECT_EQ(root->GetParams()[0]->AsWord(), 2);

  root->DeleteSections();
  EXPECT_EQ(root->GetItemIndexes(), (TByteDynArray{3, 200}));
  root->DeleteParams();
  EXPECT_TRUE(root->GetItemIndexes().empty());
  root->DeleteItem(255);  // beyond the table: nothing happens
}

TEST(FETree, GetRootFromDeepInsideReachesTheRoot) {
  auto root = CreateRootSection();
  auto deep = root->GetParamByPath({1, 2, 3, 4}, true, kFECodeLong);
  ASSERT_NE(deep, nullptr);
  EXPECT_EQ(deep->GetRoot(), root);
  EXPECT_EQ(root->GetRoot(), root);
  EXPECT_EQ(root->GetParentSection(), nullptr);
  EXPECT_TRUE(root->HasSectionByPath({1, 2, 3}));
  EXPECT_EQ(deep->GetItemType(), kFECodeLong);
}

struct PathCase {
  TByteDynArray path;
  bool hasItem, hasSection, hasParam;
  int itemIndex;  // of what GetItemByPath yields, -1 for none
};

class FETreePaths : public ::testing::TestWithParam<PathCase> {};

// The tree: 1 = parameter, 2 = section { 5 = section { 6 = parameter } }.
TEST_P(FETreePaths, WalksStopAtParametersAndEmptyEntries) {
  auto root = CreateRootSection();
  root->SetByte(1, 0x11);
  root->GetSectionByPath({2, 5}, true)->SetByte(6, 0x66);
  const PathCase &c = GetParam();
  auto item = root->GetItemByPath(c.path);
  EXPECT_EQ(item ? item->GetIndex() : -1, c.itemIndex);
  EXPECT_EQ(root->HasItemByPath(c.path), c.hasItem);
  EXPECT_EQ(root->HasSectionByPath(c.path), c.hasSection);
  EXPECT_EQ(root->HasParamByPath(c.path), c.hasParam);
  EXPECT_EQ(root->GetItemIndexes(), (TByteDynArray{1, 2})) << "lookups never create";
}

INSTANTIATE_TEST_SUITE_P(Cases, FETreePaths,
                         ::testing::Values(PathCase{{}, false, true, false, -1},
                                           PathCase{{1}, true, false, true, 1},
                                           PathCase{{1, 2}, true, false, false, 1},  // the parameter met on the way
                                           PathCase{{2}, true, true, false, 2},
                                           PathCase{{2, 5, 6}, true, false, true, 6},
                                           PathCase{{2, 5, 9}, false, false, false, -1},
                                           PathCase{{3}, false, false, false, -1}));

TEST(FETree, PathWalksCreateAndReplaceAlongTheWay) {
  auto root = CreateRootSection();
  EXPECT_EQ(root->GetSectionByPath({}, false), root);
  EXPECT_EQ(root->GetParamByPath({}, true, kFECodeByte), nullptr);

  root->SetByte(1, 5);
  auto section = root->GetSectionByPath({1, 2}, true);  // the parameter at 1 gives way to a section
  ASSERT_NE(section, nullptr);
  EXPECT_TRUE(root->HasSection(1));
  EXPECT_EQ(section->GetParentSection()->GetIndex(), 1);

  EXPECT_EQ(root->GetParamByPath({4, 5}, false), nullptr);
  EXPECT_FALSE(root->HasItem(4));
  auto param = root->GetParamByPath({4, 5}, true, kFECodeWord);
  ASSERT_NE(param, nullptr);
  EXPECT_EQ(param->GetItemType(), kFECodeWord);
  EXPECT_TRUE(root->HasParamByPath({4, 5}));
}

}  // namespace
