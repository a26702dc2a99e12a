// The clock record and the two clock operations.
#include <gtest/gtest.h>

#include "device/result_code.h"
#include "modem/rtc_record.h"
#include "modem/ziz2400.h"
#include "scripted_modem.h"
#include "util/hex.h"

using device::TDeviceDetailMode;
using modem::TDateTime;
using modem_test::ScriptedModem;

TEST(RtcRecord, EncodesAndDecodesTheMarchFirstExample) {
  TDateTime t{2024, 3, 1, 12, 34, 56, 789};
  EXPECT_EQ(util::BytesToHex(modem::EncodeRtcRecord(t)), "9DE80703010C2238");
  auto back = modem::DecodeRtcRecord(util::HexToBytes("9DE80703010C2238", 8, false));
  ASSERT_TRUE(back);
  EXPECT_EQ(*back, (TDateTime{2024, 3, 1, 12, 34, 56, 785}));
}

TEST(RtcRecord, ImpossibleRecordsDoNotDecode) {
  struct Case {
    const char *name;
    const char *hex;
    bool valid;
  } cases[] = {
      {"month 0", "00E8070001000000", false},
      {"month 13", "00E8070D01000000", false},
      {"day 0", "00E8070300000000", false},
      {"31 April", "00E807041F000000", false},
      {"29 February 2023", "00E707021D000000", false},
      {"29 February 2024", "00E807021D000000", true},
      {"hour 24", "00E8070301180000", false},
      {"minute 60", "00E80703010C3C00", false},
      {"second 60", "00E80703010C003C", false},
      {"995 ms", "C7E80703010C0000", true},
      {"1000 ms", "C8E80703010C0000", false},
      {"year 0", "0000000101000000", false},
      {"short", "00E80703010C00", false},
      {"long", "00E80703010C000000", false},
  };
  for (const auto &c : cases) {
    std::string bytes = util::HexToBytes(c.hex, 16, false);
    EXPECT_EQ(modem::DecodeRtcRecord(bytes).has_value(), c.valid) << c.name;
  }
}

TEST(RtcRecord, MillisecondsBetweenTimesCrossDaysAndLeapYears) {
  TDateTime a{2024, 2, 28, 23, 59, 59, 500};
  TDateTime b{2024, 3, 1, 0, 0, 0, 250};
  EXPECT_EQ(modem::ToMilliseconds(b) - modem::ToMilliseconds(a), 86400000 + 750);
  EXPECT_TRUE(modem::IsValidDateTime(modem::LocalNow()));
}

TEST(Clock, ReadRtcDecodesTheRecord) {
  ScriptedModem m;
  m.AnswerAll("009DE80703010C2238");
  TDateTime t;
  ASSERT_TRUE(m.node.ReadRtc(t));
  EXPECT_EQ(t, (TDateTime{2024, 3, 1, 12, 34, 56, 785}));
}

TEST(Clock, AnImpossibleDateFailsTheOperationAndEndsItsLogAction) {
  ScriptedModem m;
  m.AnswerAll("0000E8070001000000");  // month 0
  TDateTime t{2000, 1, 1, 0, 0, 0, 0};
  EXPECT_FALSE(m.node.ReadRtc(t));
  EXPECT_EQ(m.node.ResultCode(), device::rcBadDateTime);
  EXPECT_EQ(t, (TDateTime{2000, 1, 1, 0, 0, 0, 0}));
  ASSERT_EQ(m.details.entries.size(), 2u);
  EXPECT_EQ(m.details.entries[1].mode, TDeviceDetailMode::dmDoneFail);
  EXPECT_EQ(m.details.entries[1].text, "некорректное значение даты/времени");
}

TEST(Clock, WriteRtcSendsTheRecordAndRefusesAnImpossibleTime) {
  ScriptedModem m;
  m.AnswerAll("00");
  ASSERT_TRUE(m.node.WriteRtc(TDateTime{1999, 12, 31, 23, 59, 58, 4}));
  EXPECT_EQ(m.Commands().back(), "240200CF070C1F173B3A");
  EXPECT_FALSE(m.node.WriteRtc(TDateTime{2024, 2, 30, 0, 0, 0, 0}));
  EXPECT_EQ(m.node.ResultCode(), device::rcBadDateTime);
  EXPECT_EQ(m.Commands().size(), 1u);
  EXPECT_EQ(m.details.entries.back().mode, TDeviceDetailMode::dmDoneFail);
}
