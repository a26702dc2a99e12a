// The PTP record: its fixed fields, the route and its count byte, and
// records of the wrong length found in a modem's image.
#include <gtest/gtest.h>

#include "config/zt_config.h"
#include "config/zt_layout.h"
#include "ruvezivevo/tree_helpers.h"
#include "ruvezivevo/fe_root_section.h"

using namespace config;
using ruvezivevo::testing::Bytes;

namespace {

class PtpRecord : public ::testing::Test {
 protected:
  std::shared_ptr<IZTConfig> config = CreateConfig(ruvezivevo::CreateRootSection());
  std::shared_ptr<IZT_PTPSettings> ptp = config->GetPTPSettings();

  void Store(const std::string &record) {
    config->GetRoot()->GetSection(kPtpSection, false)->SetString(kPtpRecordParam, record);
  }
  std::string Stored() const {
    return config->GetRoot()->GetSection(kPtpSection, false)->GetStringDef(kPtpRecordParam, "<absent>");
  }
};

TEST_F(PtpRecord, SetRouteAppendsToTheFixedFields) {
  ptp->SetRoute(Bytes("01 01 05 02"));
  EXPECT_EQ(Stored(), Bytes("00 00 04 00 32 03 01 01 05 02"));
  EXPECT_EQ(ptp->GetRoute(), Bytes("01 01 05 02"));
}

TEST_F(PtpRecord, RouteWhoseCountDisagreesWithTheLengthIsEmptyButTheFieldsStillRead) {
  Store(Bytes("04 10 00 20 00 05 00 01 02 03"));  // 10 bytes, count says 9
  EXPECT_EQ(ptp->GetRoute(), "");
  EXPECT_TRUE(ptp->GetEnabled());
  EXPECT_EQ(ptp->GetTimeout(), 0x0010);
  EXPECT_EQ(ptp->GetPingPeriod(), 0x0020);
  EXPECT_EQ(ptp->GetRetries(), 5);
  Store(Bytes("04 10 00 20 00 05 00 01"));  // 8 bytes: too short for a route
  EXPECT_EQ(ptp->GetRoute(), "");
}

TEST_F(PtpRecord, SettersRewriteOnlyTheirBytes) {
  ptp->SetTimeout(0x1234);
  ptp->SetPingPeriod(0xABCD);
  ptp->SetRetries(9);
  EXPECT_EQ(Stored(), Bytes("00 34 12 CD AB 09 00 01 00"));
  Store(Bytes("FF 00 00 00 00 00 00 01 00"));
  ptp->SetEnabled(true);
  EXPECT_EQ(Stored()[0], '\x04') << "the other flag bits are cleared";
  Store(Bytes("FB 00 00 00 00 00 00 01 00"));
  EXPECT_FALSE(ptp->GetEnabled());
  ptp->SetEnabled(false);
  EXPECT_EQ(Stored()[0], '\x00');
}

// Fewer than 6 bytes cannot hold the fixed fields: such a record reads, and
// is patched, as the default one.
TEST_F(PtpRecord, RecordShorterThanItsFixedFieldsReadsAsTheDefault) {
  Store(Bytes("04 10"));
  EXPECT_FALSE(ptp->GetEnabled());
  EXPECT_EQ(ptp->GetTimeout(), 1024);
  EXPECT_EQ(ptp->GetRetries(), 3);
  EXPECT_EQ(ptp->GetRoute(), Bytes("00 01 00"));
  ptp->SetRetries(1);
  EXPECT_EQ(Stored(), Bytes("00 00 04 00 32 01 00 01 00"));
  Store("");
  ptp->SetRoute(Bytes("00 02 03"));
  EXPECT_EQ(Stored(), Bytes("00 00 04 00 32 03 00 02 03"));
}

TEST_F(PtpRecord, SixByteRecordKeepsItsFieldsAndHasNoRoute) {
  Store(Bytes("04 01 00 02 00 03"));
  EXPECT_EQ(ptp->GetTimeout(), 1);
  EXPECT_EQ(ptp->GetRoute(), "");
  ptp->SetRoute(Bytes("00 07 08"));
  EXPECT_EQ(Stored(), Bytes("04 01 00 02 00 03 00 07 08"));
}

}  // namespace
