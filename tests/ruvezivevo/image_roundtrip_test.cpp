// Property: any tree built through the interfaces saves to an image that
// loads back as an equal tree and saves again to the very same bytes.
#include <gtest/gtest.h>

#include <random>

#include "ruvezivevo/fe_root_section.h"
#include "ruvezivevo/image_save.h"
#include "tree_helpers.h"

using namespace ruvezivevo;
using ruvezivevo::testing::TreesEqual;

namespace {

class RandomTree {
 public:
  explicit RandomTree(uint32_t seed) : rng_(seed) {}

  std::shared_ptr<IFERootSection> Make() {
    auto root = CreateRootSection();
    Fill(*root, 0);
    return root;
  }

 private:
  uint32_t Below(uint32_t n) { return std::uniform_int_distribution<uint32_t>(0, n - 1)(rng_); }

  std::string RandomBytes(size_t n) {
    std::string s(n, '\0');
    for (auto &c : s) c = static_cast<char>(Below(256));
    return s;
  }

  // Mostly short counts, now and then one that needs a two-byte count.
  uint16_t Count() { return static_cast<uint16_t>(Below(8) == 0 ? 256 + Below(200) : Below(20)); }

  void Fill(IFESection &section, int depth) {
    const uint32_t items = Below(14);
    for (uint32_t k = 0; k < items; ++k) {
      const auto index = static_cast<uint8_t>(Below(256));
      switch (Below(14)) {
        case 0:
          if (depth < 4) Fill(*section.GetSection(index, true), depth + 1);
          break;
        case 1: section.SetByte(index, static_cast<uint8_t>(Below(256))); break;
        case 2: section.SetWord(index, static_cast<uint16_t>(Below(65536))); break;
        case 3: section.SetLong(index, static_cast<uint32_t>(rng_())); break;
        case 4: case 5: case 6: case 7: case 8: case 9: {
          // codes 9, 10, 11, 17, 18, 19
          const auto width = static_cast<uint8_t>(1 + Below(3));
          const auto code = static_cast<uint8_t>((Below(2) ? kFECount16Flag : kFECount8Flag) | width);
          const uint16_t count = Count();
          section.GetParam(index, true, code)->SetArray(RandomBytes(size_t{count} * ElementWidth(width)), count, width);
          break;
        }
        case 10: section.SetString(index, RandomBytes(Count())); break;
        case 11: section.SetWideString(index, std::u16string(Count(), static_cast<char16_t>(rng_()))); break;
        case 12: section.SetDouble(index, std::uniform_real_distribution<double>(-1e9, 1e9)(rng_)); break;
        default: section.GetParam(index, true, kFECodeEmpty); break;
      }
    }
  }

  std::mt19937 rng_;
};

TEST(ImageRoundTrip, RandomTreesSaveLoadAndSaveAgainUnchanged) {
  int checked = 0;
  for (uint32_t seed = 1; seed <= 400; ++seed) {
    auto tree = RandomTree(seed).Make();
    const auto result = SerializeImage(*tree);
    if (!result.Ok()) continue;  // a rare tree passes 64 KiB
    const std::string &image = result.image->Bytes();
    EXPECT_EQ(tree->SaveToString(), image) << "seed " << seed;
    auto loaded = LoadRootSection(image);
    ASSERT_TRUE(TreesEqual(*tree, *loaded)) << "seed " << seed;
    ASSERT_EQ(loaded->SaveToString(), image) << "seed " << seed;
    ++checked;
  }
  EXPECT_GT(checked, 350);
}

}  // namespace
