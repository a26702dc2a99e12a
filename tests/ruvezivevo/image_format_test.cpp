// The image format: exact bytes of the writer, the reader's checks, the
// 64 KiB limit, damaged images, and roots bound to streams.
#include <gtest/gtest.h>

#include <functional>

#include "ruvezivevo/byte_stream.h"
#include "ruvezivevo/fe_internal.h"
#include "ruvezivevo/fe_root_section.h"
#include "ruvezivevo/image_save.h"
#include "tree_helpers.h"

using namespace ruvezivevo;
using ruvezivevo::testing::Bytes;
using ruvezivevo::testing::Hex;
using ruvezivevo::testing::Record;
using ruvezivevo::testing::TreesEqual;

namespace {

const char *const kExample =
    "0C00 0000 02 01010500 02000E00 0B"
    "0B00 0000 01 0A091700 024142 14";

std::shared_ptr<IFERootSection> ExampleTree() {
  auto root = CreateRootSection();
  root->SetByte(1, 5);
  root->GetSection(2, true)->SetString(10, "AB");
  return root;
}

size_t CountSections(const IFESection &section) {
  size_t n = 1;
  for (const auto &child : section.GetSections()) n += CountSections(*child);
  return n;
}

TEST(ImageFormat, EmptyRootIsOneEmptyRecord) {
  EXPECT_EQ(Hex(CreateRootSection()->SaveToString()), "040000000000");
}

TEST(ImageFormat, ExampleTreeSavesAsTheKnownBytesAndLoadsBack) {
  EXPECT_EQ(Hex(ExampleTree()->SaveToString()), Hex(Bytes(kExample)));
  auto loaded = LoadRootSection(Bytes(kExample));
  EXPECT_TRUE(TreesEqual(*loaded, *ExampleTree()));
  EXPECT_EQ(loaded->GetParam(1, false)->GetItemType(), kFECodeByte);
  EXPECT_EQ(loaded->GetSectionByPath({2}, false)->GetStringDef(10, ""), "AB");
}

TEST(ImageFormat, LongValueIsStoredAsItsFourBytes) {
  auto root = CreateRootSection();
  root->SetLong(1, 0x12345678);
  const std::string image = root->SaveToString();
  EXPECT_EQ(Hex(image), "0C0000000101030900785634120" "2");
  EXPECT_EQ(LoadRootSection(image)->GetLongDef(1, 0), 0x12345678u);
}

// Codes 1, 2 and 255 keep their value in the descriptor: the record has no
// data area, so its body is the header and the checksum only.
struct InlineCase {
  const char *name;
  std::function<void(IFESection &)> fill;
  const char *descriptor;
};

class ImageInlineValues : public ::testing::TestWithParam<InlineCase> {};

TEST_P(ImageInlineValues, LiveInTheirDescriptor) {
  auto root = CreateRootSection();
  GetParam().fill(*root);
  const std::string image = root->SaveToString();
  EXPECT_EQ(Hex(image), Hex(Record(Bytes(std::string("0000 01 ") + GetParam().descriptor))));
  EXPECT_EQ(Hex(LoadRootSection(image)->SaveToString()), Hex(image));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImageInlineValues,
    ::testing::Values(InlineCase{"Byte", [](IFESection &s) { s.SetByte(1, 0xAB); }, "01 01 AB 00"},
                      InlineCase{"Word", [](IFESection &s) { s.SetWord(1, 0x1234); }, "01 02 34 12"},
                      InlineCase{"NewEmpty", [](IFESection &s) { s.GetParam(1, true, kFECodeEmpty); }, "01 FF 00 00"},
                      InlineCase{"Cleared",
                                 [](IFESection &s) {
                                   s.SetString(1, "AB");
                                   s.GetParam(1, false)->ClearItem();
                                 },
                                 "01 FF 00 00"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ImageFormat, WideStringsUseTheCountWidthTheirLengthNeeds) {
  auto root = CreateRootSection();
  root->SetWideString(1, std::u16string(200, u'z'));
  std::string image = root->SaveToString();
  ASSERT_EQ(image.size(), 9u + 1 + 400 + 1);
  EXPECT_EQ(image.substr(5, 4), Bytes("01 0A 09 00"));
  EXPECT_EQ(static_cast<uint8_t>(image[9]), 200);
  EXPECT_EQ(LoadRootSection(image)->GetWideStringDef(1, u""), std::u16string(200, u'z'));

  root->SetWideString(1, std::u16string(300, u'z'));
  image = root->SaveToString();
  ASSERT_EQ(image.size(), 9u + 2 + 600 + 1);
  EXPECT_EQ(image.substr(5, 6), Bytes("01 12 09 00 2C 01"));
  auto loaded = LoadRootSection(image);
  EXPECT_EQ(loaded->GetParam(1, false)->GetItemType(), kFECodeWords16);
  EXPECT_EQ(loaded->GetWideStringDef(1, u""), std::u16string(300, u'z'));
}

TEST(ImageFormat, ArraysOfEveryWidthRoundTrip) {
  auto root = CreateRootSection();
  root->GetParam(1, true, kFECodeLongs8)->SetArray(Bytes("01020304 05060708"), 2, 3);
  root->GetParam(2, true, kFECodeLongs16)->SetArray(std::string(1200, '\x5A'), 300, 3);
  root->GetParam(3, true, kFECodeBytes16)->SetArray("xy", 2, 1);
  root->SetWord(4, 0xABCD);
  root->GetParam(5, true, kFECodeEmpty);
  auto loaded = LoadRootSection(root->SaveToString());
  EXPECT_TRUE(TreesEqual(*loaded, *root));
  EXPECT_EQ(loaded->GetParamCount(2), 300);
  EXPECT_EQ(loaded->GetParam(3, false)->GetItemType(), kFECodeBytes16);
}

TEST(ImageFormat, DescriptorWithAnUnknownCodeIsSkipped) {
  const std::string image = Record(Bytes("0000 03 01010700 02050000 03023412"));
  auto root = LoadRootSection(image);
  EXPECT_EQ(root->GetItemIndexes(), (TByteDynArray{1, 3}));
  EXPECT_EQ(root->GetByteDef(1, 0), 7);
  EXPECT_EQ(root->GetWordDef(3, 0), 0x1234);
}

std::string Corrupt(std::string bytes, size_t at, uint8_t value) {
  bytes[at] = static_cast<char>(value);
  return bytes;
}

// Each case is a damaged image and what must survive of it.
struct DamageCase {
  const char *name;
  std::function<std::string()> image;
  TByteDynArray rootIndexes;
};

class ImageDamage : public ::testing::TestWithParam<DamageCase> {};

TEST_P(ImageDamage, LoadsWhatIsSoundAndNothingElse) {
  auto root = LoadRootSection(GetParam().image());
  EXPECT_EQ(root->GetItemIndexes(), GetParam().rootIndexes);
}

TEST_P(ImageDamage, IsReportedAsNotWhole) {
  TFELoadReport report;
  auto root = LoadRootSection(GetParam().image(), report);
  EXPECT_FALSE(report.Whole());
  EXPECT_FALSE(report.Describe().empty());
  EXPECT_EQ(root->GetItemIndexes(), GetParam().rootIndexes);
}

TEST(ImageLoadReport, NamesDamagedSectionsValuesAndASizeMismatch) {
  TFELoadReport report;
  LoadRootSection(Bytes(kExample), report);
  EXPECT_TRUE(report.Whole()) << report.Describe();
  EXPECT_EQ(report.recordBytes, 27u);

  // An interrupted write: the subsection's record only half new.
  std::string mixed = Bytes(kExample);
  mixed[24] = 'X';
  LoadRootSection(mixed, report);
  EXPECT_EQ(report.damagedSections, std::vector<TByteDynArray>{{2}});
  EXPECT_EQ(report.Describe(), "повреждён раздел: 2; длина образа 27 байт, записи разделов занимают 14");

  LoadRootSection(Bytes(kExample) + "tail", report);
  EXPECT_TRUE(report.damagedSections.empty());
  EXPECT_FALSE(report.Whole());

  LoadRootSection(Record(Bytes("0000 02 01091500 02031500 0541")), report);
  EXPECT_EQ(report.Describe(), "повреждены параметры: 1, 2");

  LoadRootSection(Corrupt(Bytes(kExample), 13, 0x0C), report);
  EXPECT_EQ(report.damagedSections, std::vector<TByteDynArray>{{}});
  EXPECT_EQ(SectionPathText({1, 2}), "1.2");
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImageDamage,
    ::testing::Values(
        DamageCase{"RootChecksum", [] { return Corrupt(Bytes(kExample), 13, 0x0C); }, {}},
        DamageCase{"Empty", [] { return std::string(); }, {}},
        DamageCase{"OneByte", [] { return Bytes("0C"); }, {}},
        DamageCase{"BodyTooShortToBeARecord", [] { return Bytes("0300 000000"); }, {}},
        DamageCase{"Truncated", [] { return Bytes(kExample).substr(0, 12); }, {}},
        DamageCase{"BlankRegion", [] { return std::string(64, '\xFF'); }, {}},
        DamageCase{"RootParentRefNotZero", [] { return Record(Bytes("0100 00")); }, {}},
        DamageCase{"ItemCountRunsPastTheBody", [] { return Record(Bytes("0000 03 01010700")); }, {}},
        // A subsection offset pointing into its parent ends the list; what came before stays.
        DamageCase{"SubsectionPointsBack", [] { return Record(Bytes("0000 03 01010700 02000000 03010100")); }, {1}},
        DamageCase{"SubsectionPointsIntoTheParent", [] { return Record(Bytes("0000 02 01010700 02000500")); }, {1}},
        // A subsection record beyond the stream's end reads as an empty subsection.
        DamageCase{"SubsectionBeyondTheEnd", [] { return Record(Bytes("0000 01 02004000")); }, {2}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ImageFormat, SubsectionWithAWrongParentRefLoadsEmpty) {
  std::string image = Bytes(kExample);
  image[16] = 0x01;
  image[26] = 0x15;  // checksum still right: only the ParentRef is wrong
  auto root = LoadRootSection(image);
  EXPECT_EQ(root->GetByteDef(1, 0), 5);
  ASSERT_TRUE(root->HasSection(2));
  EXPECT_TRUE(root->GetSection(2, false)->GetItemIndexes().empty());
}

// Values whose data-area bytes would lie outside the body become empty parameters.
TEST(ImageFormat, ValuesOutsideTheirBodyReadAsEmptyParameters) {
  const std::string image = Record(Bytes(
      "0000 04"
      "01091500"  // count 5 at 21, only two bytes follow before the checksum
      "02030200"  // a long at offset 2: that is the body's first byte
      "03031500"  // a long whose last byte would be the checksum
      "040A1500"  // count 5 words at 21
      "054142"));
  auto root = LoadRootSection(image);
  for (uint8_t i : {1, 2, 3, 4}) {
    auto param = root->GetParam(i, false);
    ASSERT_NE(param, nullptr) << int(i);
    EXPECT_EQ(param->GetItemType(), kFECodeEmpty) << int(i);
    EXPECT_TRUE(param->IsEmpty()) << int(i);
  }
}

TEST(ImageFormat, AnUnwrittenLongParameterCannotBorrowTheNextValue) {
  auto root = CreateRootSection();
  root->GetParam(1, true, kFECodeLong);
  root->SetString(2, "XYZW");
  auto loaded = LoadRootSection(root->SaveToString());
  EXPECT_EQ(loaded->GetLongDef(1, 7), 0u);
  EXPECT_EQ(loaded->GetStringDef(2, ""), "XYZW");
  EXPECT_EQ(Hex(loaded->SaveToString()), Hex(root->SaveToString()));
}

TEST(ImageFormat, RootWhoseValuesPass64KiBGivesNoImage) {
  auto root = CreateRootSection();
  for (uint8_t i = 0; i < 16; ++i) root->SetString(i, std::string(4096, static_cast<char>('a' + i)));
  EXPECT_EQ(root->SaveToString(), "");
  TByteStringStream stream("keep");
  stream.SetPosition(4);
  root->SaveToStream(&stream);
  EXPECT_EQ(stream.Bytes(), "keep");
  const auto result = SerializeImage(*root);
  EXPECT_FALSE(result.Ok());
  ASSERT_EQ(result.issues.size(), 1u);
  EXPECT_EQ(result.issues[0], (TFESaveIssue{TFESaveIssue::Kind::SectionTooLarge, {}, 0}));
  EXPECT_EQ(result.Describe(), "корневой раздел не помещается в образ (64 КБ)");

  root->DeleteItem(15);
  EXPECT_TRUE(SerializeImage(*root).Ok()) << "15 strings of 4096 bytes fit";
}

TEST(ImageFormat, SubsectionThatDoesNotFitIsLeftOutAndReported) {
  auto root = CreateRootSection();
  root->SetByte(1, 1);
  auto big = root->GetSection(2, true);
  for (uint8_t i = 0; i < 14; ++i) big->SetString(i, std::string(4096, 'b'));
  auto tooBig = root->GetSection(3, true);
  for (uint8_t i = 0; i < 2; ++i) tooBig->SetString(i, std::string(4096, 'c'));
  root->GetSection(4, true)->SetByte(0, 4);

  const std::string image = root->SaveToString();
  ASSERT_FALSE(image.empty());
  // Root descriptors: 1 at 5, 2 at 9, 3 at 13, 4 at 17.
  EXPECT_EQ(image.substr(13, 4), Bytes("03 00 00 00")) << "the left-out subsection keeps value field 0";
  EXPECT_NE(image.substr(19, 2), Bytes("00 00")) << "the subsection after it is still written";
  auto loaded = LoadRootSection(image);
  EXPECT_EQ(loaded->GetItemIndexes(), (TByteDynArray{1, 2})) << "a reader stops at value field 0";

  const auto result = SerializeImage(*root);
  EXPECT_FALSE(result.Ok());
  ASSERT_EQ(result.issues.size(), 1u);
  EXPECT_EQ(result.issues[0].path, TByteDynArray{3});
  EXPECT_EQ(result.Describe(), "раздел 3 не помещается в образ (64 КБ)");
}

TEST(ImageFormat, SectionUsingAll256IndexesIsRefusedNotCut) {
  auto root = CreateRootSection();
  auto full = root->GetSectionByPath({5, 6}, true);
  for (int i = 0; i < 256; ++i) full->SetByte(static_cast<uint8_t>(i), static_cast<uint8_t>(i));
  const auto result = SerializeImage(*root);
  EXPECT_FALSE(result.Ok());
  ASSERT_EQ(result.issues.size(), 1u);
  EXPECT_EQ(result.issues[0].kind, TFESaveIssue::Kind::TooManyItems);
  EXPECT_EQ(result.issues[0].path, (TByteDynArray{5, 6}));

  full->DeleteItem(0);
  const auto fits = SerializeImage(*root);
  ASSERT_TRUE(fits.Ok());
  auto loaded = LoadRootSection(fits.image->Bytes());
  EXPECT_EQ(loaded->GetSectionByPath({5, 6}, false)->GetItemIndexes().size(), 255u);
}

TEST(ImageFormat, ParameterWithACodeNoReaderTakesIsReported) {
  auto root = CreateRootSection();
  root->GetSection(2, true)->GetParam(7, true, 5)->SetByte(1);  // SetByte makes it code 1
  root->GetSection(2, true)->GetParam(8, true, 5);
  const auto result = SerializeImage(*root);
  EXPECT_FALSE(result.Ok());
  ASSERT_EQ(result.issues.size(), 1u);
  EXPECT_EQ(result.issues[0], (TFESaveIssue{TFESaveIssue::Kind::UnknownTypeCode, {2, 8}, 5}));
  EXPECT_EQ(result.Describe(), "параметр 2.8: тип 5 не сохраняется в образе");
  EXPECT_EQ(LoadRootSection(root->SaveToString())->GetSectionByPath({2}, false)->GetItemIndexes(), TByteDynArray{7});
}

// Descriptors that all point at the same records again and again would grow
// a tree of 255^60 sections from 60 KiB; the load stops when the records it
// has read reach the size of a whole image.
TEST(ImageFormat, RecordsReferencedOverAndOverDoNotGrowTheTreeWithoutBound) {
  constexpr int kLevels = 60;
  constexpr int kRecordSize = 2 + 3 + 255 * 4 + 1;
  std::string image;
  for (int level = 0; level < kLevels; ++level) {
    const int offset = level * kRecordSize;
    const int parent = level == 0 ? 0 : offset - kRecordSize;
    std::string body{static_cast<char>(parent & 0xFF), static_cast<char>(parent >> 8), static_cast<char>(255)};
    const int next = level + 1 < kLevels ? offset + kRecordSize : 0;
    for (int i = 0; i < 255; ++i) {
      body += {static_cast<char>(i), 0, static_cast<char>(next & 0xFF), static_cast<char>(next >> 8)};
    }
    image += Record(body);
  }
  auto root = LoadRootSection(image);
  // Each record read makes its 255 subsections; only the first of them is read.
  EXPECT_LE(CountSections(*root), size_t{0x10000 / kRecordSize * 255 + 1});
}

size_t ChainDepth(const std::shared_ptr<IFESection> &top, uint8_t index) {
  size_t depth = 0;
  for (auto s = top; s; s = s->GetSection(index, false)) ++depth;
  return depth;
}

// A 64 KiB image can chain 6500 subsections; reading and writing recurse per
// level, so nesting stops at a depth no real image comes near.
TEST(ImageFormat, NestingDeeperThanTheLimitIsNotFollowed) {
  constexpr int kDepth = 6500;  // ten bytes a record: about all an image can hold
  std::string image;
  for (int level = 0; level < kDepth; ++level) {
    const int offset = level * 10, parent = level == 0 ? 0 : offset - 10, next = offset + 10;
    std::string body{static_cast<char>(parent & 0xFF), static_cast<char>(parent >> 8)};
    if (level + 1 < kDepth) {
      body += {1, 7, 0, static_cast<char>(next & 0xFF), static_cast<char>(next >> 8)};  // one item: 7, a section
    } else {
      body += '\0';
    }
    image += Record(body);
  }
  auto root = LoadRootSection(image);
  EXPECT_EQ(ChainDepth(root, 7), kFEMaxDepth + 1) << "the root and 255 levels below it";
  const auto saved = SerializeImage(*root);
  ASSERT_TRUE(saved.Ok());
  // Levels 0..254 as they were; level 255 now an empty record below level 254.
  const int lastParent = (kFEMaxDepth - 1) * 10;
  EXPECT_EQ(saved.image->Bytes(),
            image.substr(0, kFEMaxDepth * 10) +
                Record(std::string{static_cast<char>(lastParent & 0xFF), static_cast<char>(lastParent >> 8), 0}));

  auto built = CreateRootSection();
  built->GetSectionByPath(TByteDynArray(kFEMaxDepth + 1, 7), true);
  const auto refused = SerializeImage(*built);
  ASSERT_EQ(refused.issues.size(), 1u);
  EXPECT_EQ(refused.issues[0].kind, TFESaveIssue::Kind::TooDeep);
  EXPECT_EQ(refused.issues[0].path.size(), kFEMaxDepth + 1);
  EXPECT_EQ(ChainDepth(LoadRootSection(built->SaveToString()), 7), kFEMaxDepth + 1);
}

TEST(ImageFormat, LoadStartsAtTheStreamPosition) {
  TByteStringStream stream("XYZ" + Bytes(kExample) + "tail");
  stream.SetPosition(3);
  auto root = LoadRootSection(&stream, false, false);
  EXPECT_TRUE(TreesEqual(*root, *ExampleTree()));
  EXPECT_NE(LoadRootSection(nullptr, true, true), nullptr) << "no stream: an empty root";
}

TEST(ImageFormat, SaveToStreamAppendsAtThePosition) {
  TByteStringStream stream("AB");
  stream.SetPosition(2);
  ExampleTree()->SaveToStream(&stream);
  EXPECT_EQ(stream.Bytes(), "AB" + Bytes(kExample));
  ExampleTree()->SaveToStream(nullptr);
}

// Reports its own end, so a test can see who frees it.
class TrackedStream : public TStream {
 public:
  TrackedStream(std::string bytes, bool *destroyed, std::string *finalBytes)
      : inner_(std::move(bytes)), destroyed_(destroyed), finalBytes_(finalBytes) {}
  ~TrackedStream() override {
    *destroyed_ = true;
    *finalBytes_ = inner_.Bytes();
  }
  size_t Read(void *dest, size_t count) override { return inner_.Read(dest, count); }
  size_t Write(const void *src, size_t count) override { return inner_.Write(src, count); }
  uint64_t Position() const override { return inner_.Position(); }
  void SetPosition(uint64_t position) override { inner_.SetPosition(position); }
  uint64_t Size() const override { return inner_.Size(); }
  void SetSize(uint64_t size) override { inner_.SetSize(size); }

 private:
  TByteStringStream inner_;
  bool *destroyed_;
  std::string *finalBytes_;
};

TEST(ImageFormat, BoundStreamReceivesTheTreeWhenTheRootGoesAway) {
  TByteStringStream stream(Bytes(kExample));
  {
    auto root = LoadRootSection(&stream, true, false);
    root->SetByte(1, 6);
    EXPECT_EQ(stream.Bytes(), Bytes(kExample)) << "nothing is written before the root goes";
  }
  auto expected = ExampleTree();
  expected->SetByte(1, 6);
  EXPECT_EQ(Hex(stream.Bytes()), Hex(expected->SaveToString()));
}

TEST(ImageFormat, OwnedStreamIsFreedBoundOrNot) {
  bool destroyed = false;
  std::string finalBytes;
  {
    auto root = LoadRootSection(new TrackedStream(Bytes(kExample), &destroyed, &finalBytes), true, true);
    root->DeleteItem(2);
    EXPECT_FALSE(destroyed);
  }
  EXPECT_TRUE(destroyed);
  EXPECT_EQ(Hex(finalBytes), "08000000010101050004");

  destroyed = false;
  auto root = LoadRootSection(new TrackedStream(Bytes(kExample), &destroyed, &finalBytes), false, true);
  EXPECT_TRUE(destroyed) << "an owned stream the root is not bound to is not kept";
  EXPECT_TRUE(root->HasSection(2));
}

TEST(ImageFormat, BoundStreamKeepsItsImageWhenTheTreeCannotBeStored) {
  TByteStringStream stream(Bytes(kExample));
  {
    auto root = LoadRootSection(&stream, true, false);
    for (uint8_t i = 0; i < 16; ++i) root->SetString(i, std::string(4096, 'x'));
  }
  EXPECT_EQ(stream.Bytes(), Bytes(kExample));
}

}  // namespace
