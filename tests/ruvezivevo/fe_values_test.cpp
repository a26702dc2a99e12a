// Parameter values: sizes, type codes, limits, and the typed reads and writes
// of a section by index.
#include <gtest/gtest.h>

#include <numbers>
#include <limits>

#include "ruvezivevo/fe_root_section.h"
#include "tree_helpers.h"

using namespace ruvezivevo;
using ruvezivevo::testing::Bytes;

namespace {

struct StringCase {
  size_t length;
  bool wide;
  uint8_t code;
  uint16_t size;
};

class FEStringLimits : public ::testing::TestWithParam<StringCase> {};

TEST_P(FEStringLimits, CodeAndSizeFollowTheLength) {
  const StringCase &c = GetParam();
  auto root = CreateRootSection();
  if (c.wide) {
    root->SetWideString(1, std::u16string(c.length, u'Ж'));
  } else {
    root->SetString(1, std::string(c.length, 'x'));
  }
  auto param = root->GetParam(1, false);
  EXPECT_EQ(param->GetItemType(), c.code);
  EXPECT_EQ(param->GetSize(), c.size);
  EXPECT_EQ(param->GetCount(), c.wide ? c.size / 2 : c.size);
}

INSTANTIATE_TEST_SUITE_P(Cases, FEStringLimits,
                         ::testing::Values(StringCase{0, false, kFECodeBytes8, 0}, StringCase{255, false, kFECodeBytes8, 255},
                                           StringCase{256, false, kFECodeBytes16, 256},
                                           StringCase{300, false, kFECodeBytes16, 300},
                                           StringCase{5000, false, kFECodeBytes16, 4096},
                                           StringCase{200, true, kFECodeWords8, 400},
                                           StringCase{300, true, kFECodeWords16, 600},
                                           StringCase{3000, true, kFECodeWords16, 4096}));

TEST(FEValues, ShortValuesReadAsZeroAndTryGetLeavesTheOutputAlone) {
  auto root = CreateRootSection();
  root->SetByte(1, 0x7F);
  uint16_t word = 0xBEEF;
  EXPECT_FALSE(root->TryGetWord(1, word));
  EXPECT_EQ(word, 0xBEEF);
  EXPECT_EQ(root->GetWordDef(1, 100), 100);
  EXPECT_EQ(root->GetParam(1, false)->AsWord(), 0);
  EXPECT_EQ(root->GetParam(1, false)->AsLong(), 0u);
  uint8_t byte = 0;
  EXPECT_TRUE(root->TryGetByte(1, byte));
  EXPECT_EQ(byte, 0x7F);
  EXPECT_EQ(root->GetByteDef(9, 4), 4) << "absent parameter";
  uint32_t longValue = 5;
  EXPECT_FALSE(root->TryGetLong(9, longValue));
  EXPECT_EQ(longValue, 5u);
}

TEST(FEValues, StringReadsClearTheirOutputWhenAbsent) {
  auto root = CreateRootSection();
  std::string text = "old";
  EXPECT_FALSE(root->TryGetString(3, text));
  EXPECT_EQ(text, "");
  std::u16string wide = u"old";
  EXPECT_FALSE(root->TryGetWideString(3, wide));
  EXPECT_EQ(wide, u"");
  EXPECT_EQ(root->GetStringDef(3, "dflt"), "dflt");
  root->GetParam(3, true);  // present but empty: a string read succeeds
  EXPECT_TRUE(root->TryGetString(3, text));
  EXPECT_EQ(root->GetStringDef(3, "dflt"), "");
}

TEST(FEValues, ReadsTakeTheLeadingBytesWhateverTheCode) {
  auto root = CreateRootSection();
  root->SetString(1, Bytes("41 42"));
  EXPECT_EQ(root->GetParam(1, false)->AsWord(), 0x4241);
  root->SetWideString(2, u"Ая");
  EXPECT_EQ(root->GetParam(2, false)->AsString(), Bytes("10 04 4F 04"));
  EXPECT_EQ(root->GetParam(2, false)->AsWideString(), u"Ая");
  EXPECT_EQ(root->GetParam(2, false)->AsLong(), 0x044F0410u);
}

TEST(FEValues, CountsDependOnTheWidthAndArrayBits) {
  auto root = CreateRootSection();
  root->GetParam(1, true, kFECodeWords8)->SetArray(Bytes("01 00 02 00 03 00"), 3, 2);
  EXPECT_EQ(root->GetParamCount(1), 3);
  EXPECT_EQ(root->GetParamSize(1), 6);
  EXPECT_TRUE(root->IsParamArray(1));
  root->SetWord(2, 9);
  EXPECT_EQ(root->GetParamCount(2), 0);
  EXPECT_FALSE(root->IsParamArray(2));
  EXPECT_EQ(root->GetParam(2, false)->GetCount(), 0);
  EXPECT_EQ(root->GetParamSize(7), 0);
  std::string data = "untouched";
  EXPECT_FALSE(root->GetParamData(7, data));
  EXPECT_EQ(data, "untouched");
  EXPECT_TRUE(root->GetParamData(1, data));
  EXPECT_EQ(data, Bytes("01 00 02 00 03 00"));
}

TEST(FEValues, ClearItemEmptiesAParameter) {
  auto root = CreateRootSection();
  root->SetLong(1, 1);
  auto param = root->GetParam(1, false);
  EXPECT_FALSE(param->IsEmpty());
  param->ClearItem();
  EXPECT_TRUE(param->IsEmpty());
  EXPECT_EQ(param->GetItemType(), kFECodeEmpty);
  EXPECT_EQ(param->GetSize(), 0);
  EXPECT_TRUE(root->HasParam(1)) << "the empty parameter stays in its section";
}

TEST(FEValues, NumbersRoundTripThroughTheirByteArrays) {
  auto root = CreateRootSection();
  root->SetInt64(1, -2);
  root->SetSingle(2, 1.5f);
  root->SetDouble(3, -0.1);
  root->SetLongB(4, 0xCAFEBABE);
  root->SetByteA(5, 0xA5);
  root->SetByteB(6, 0x5A);
  EXPECT_EQ(root->GetInt64Def(1, 0), -2);
  EXPECT_EQ(root->GetSingleDef(2, 0), 1.5f);
  EXPECT_EQ(root->GetDoubleDef(3, 0), -0.1);
  EXPECT_EQ(root->GetLongBDef(4, 0), 0xCAFEBABEu);
  EXPECT_EQ(root->GetByteADef(5, 0), 0xA5);
  EXPECT_EQ(root->GetByteBDef(6, 0), 0x5A);
  for (uint8_t i : {1, 2, 3}) EXPECT_EQ(root->GetParam(i, false)->GetItemType(), kFECodeBytes8) << int(i);
  EXPECT_EQ(root->GetParam(1, false)->AsString(), Bytes("FE FF FF FF FF FF FF FF"));
  EXPECT_EQ(root->GetParam(2, false)->AsString(), Bytes("00 00 C0 3F"));
  EXPECT_EQ(root->GetDoubleDef(2, 7.0), 7.0) << "4 bytes are too few for a double";
  EXPECT_EQ(root->GetParam(4, false)->GetItemType(), kFECodeLong);
}

TEST(FEValues, ExtendedKeepsItsTenBytes) {
  auto root = CreateRootSection();
  TExtended pi;
  pi.Bytes = {0x35, 0xC2, 0x68, 0x21, 0xA2, 0xDA, 0x0F, 0xC9, 0x00, 0x40};  // pi in x87 form
  root->SetExtended(1, pi);
  EXPECT_EQ(root->GetParamSize(1), 10);
  EXPECT_EQ(root->GetExtendedDef(1, {}), pi);
  TExtended none;
  EXPECT_FALSE(root->TryGetExtended(2, none));
  EXPECT_EQ(root->GetExtendedDef(2, pi), pi);
#ifdef VOVOR_HAS_X87_LONG_DOUBLE
  EXPECT_NEAR(static_cast<double>(pi.ToLongDouble()), std::numbers::pi, 1e-15);
  const long double third = 1.0L / 3.0L;
  EXPECT_EQ(TExtended::FromLongDouble(third).ToLongDouble(), third);
#endif
}

// A write of a byte array over a parameter of another code would leave a code
// that the writer stores differently from what a reader takes back.
TEST(FEValues, ArrayWritesKeepAFittingCodeAndReplaceOneThatDoesNotFit) {
  auto root = CreateRootSection();
  root->SetWord(1, 5);
  root->SetInt64(1, 1);
  EXPECT_EQ(root->GetParam(1, false)->GetItemType(), kFECodeBytes8);

  root->GetParam(2, true, kFECodeBytes16)->SetArray("abc", 3, 1);
  EXPECT_EQ(root->GetParam(2, false)->GetItemType(), kFECodeBytes16) << "a two-byte count holds any count";

  auto param = root->GetParam(3, true, kFECodeBytes8);
  param->SetArray(std::string(600, 'q'), 300, 1);
  EXPECT_EQ(param->GetItemType(), kFECodeBytes16) << "300 elements need the two-byte count";
  EXPECT_EQ(param->GetSize(), 300);

  param->SetArray("", 2, 3);
  EXPECT_EQ(param->GetItemType(), kFECodeLongs8);
  EXPECT_EQ(param->AsString(), std::string(8, '\0')) << "missing data bytes are zero";

  param->SetArray("abc", 3, 7);  // no such width: nothing stored
  EXPECT_EQ(param->GetSize(), 0);
}

}  // namespace
