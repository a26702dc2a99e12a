// Load and save of a configuration image of about 60 KiB (the largest a
// configuration region is likely to hold): time per operation and MB/s.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "ruvezivevo/fe_root_section.h"
#include "ruvezivevo/image_save.h"

namespace {

using Clock = std::chrono::steady_clock;
using namespace ruvezivevo;

constexpr size_t kTargetBytes = 60 * 1024;

// Sections of mixed parameters, as a full configuration would have, added
// until the image reaches the target size.
std::shared_ptr<IFERootSection> BuildTree() {
  auto root = CreateRootSection();
  for (uint8_t s = 0;; ++s) {
    auto section = root->GetSectionByPath({s, static_cast<uint8_t>(s % 3)}, true);
    for (uint8_t i = 0; i < 20; ++i) {
      switch (i % 5) {
        case 0: section->SetByte(i, i); break;
        case 1: section->SetWord(i, static_cast<uint16_t>(i * 257)); break;
        case 2: section->SetLong(i, 0x01020304u * i); break;
        case 3: section->SetString(i, std::string(40 + i, static_cast<char>('A' + i % 26))); break;
        default: section->SetWideString(i, std::u16string(20, static_cast<char16_t>(0x0410 + i))); break;
      }
    }
    const std::string image = root->SaveToString();
    if (image.size() >= kTargetBytes) return root;
  }
}

template <typename Op>
double MedianSeconds(int rounds, int perRound, Op op) {
  std::vector<double> times;
  for (int r = 0; r < rounds; ++r) {
    const auto start = Clock::now();
    for (int i = 0; i < perRound; ++i) op();
    times.push_back(std::chrono::duration<double>(Clock::now() - start).count() / perRound);
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  auto tree = BuildTree();
  const auto checked = SerializeImage(*tree);
  if (!checked.Ok()) {
    std::fprintf(stderr, "image_bench: the test tree does not fit: %s\n", checked.Describe().c_str());
    return 1;
  }
  const std::string image = checked.image->Bytes();
  const double mb = static_cast<double>(image.size()) / 1e6;
  size_t sink = 0;

  const double load = MedianSeconds(9, 50, [&] { sink += LoadRootSection(image)->GetItemIndexes().size(); });
  const double save = MedianSeconds(9, 50, [&] { sink += tree->SaveToString().size(); });
  const double checkedSave = MedianSeconds(9, 50, [&] { sink += SerializeImage(*tree).issues.size(); });

  std::printf("image: %zu bytes, %zu top-level sections\n", image.size(), tree->GetSectionIndexes().size());
  std::printf("load:                %8.1f us  %7.1f MB/s\n", load * 1e6, mb / load);
  std::printf("save:                %8.1f us  %7.1f MB/s\n", save * 1e6, mb / save);
  std::printf("serialise (checked): %8.1f us  %7.1f MB/s\n", checkedSave * 1e6, mb / checkedSave);
  return sink == 0 ? 1 : 0;
}
