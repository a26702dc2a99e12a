// What --json prints: values typed as a script expects, repeated fields and
// list entries kept, texts that are not UTF-8 not breaking the object.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/json_report.h"

using cli::JsonReport;
using nlohmann::json;

TEST(JsonReport, NumbersOnlyWhereTheTextIsAPlainNumber) {
  struct Case {
    const char *text;
    json expected;
  } cases[] = {
      {"24", 24},           {"-7", -7},         {"0", 0},         {"2.50", 2.5},
      {"0.05", 0.05},       {"007", "007"},     {"0x0D", "0x0D"}, {"1-2", "1-2"},
      {"12:30", "12:30"},   {"", ""},           {"-", "-"},       {"1.", "1."},
      {".5", ".5"},         {"1e5", "1e5"},     {" 5", " 5"},     {"99999999999999999999", "99999999999999999999"},
  };
  for (const auto &c : cases) EXPECT_EQ(json(JsonReport::Value(c.text)), c.expected) << c.text;
}

TEST(JsonReport, OneObjectWithFieldsListsResultAndOutput) {
  JsonReport r;
  r.Field("version", "ZIZ 2.1");
  r.Field("temperature", "24");
  r.Field("node", "1");
  r.Field("node", "2");
  r.Field("node", "3");
  r.Record("ports", {{"port", "/dev/ttyUSB0"}, {"serial", "A5"}});
  r.Record("ports", {{"port", "/dev/ttyACM0"}});
  r.Result(0, "OK");
  auto o = json::parse(r.Render("info", 0, "line one\nline two\n"));
  EXPECT_EQ(o["command"], "info");
  EXPECT_EQ(o["exit"], 0);
  EXPECT_EQ(o["result"], json({{"code", 0}, {"text", "OK"}}));
  EXPECT_EQ(o["fields"]["version"], "ZIZ 2.1");
  EXPECT_EQ(o["fields"]["temperature"], 24);
  EXPECT_EQ(o["fields"]["node"], json({1, 2, 3}));
  ASSERT_EQ(o["fields"]["ports"].size(), 2u);
  EXPECT_EQ(o["fields"]["ports"][1]["port"], "/dev/ttyACM0");
  EXPECT_EQ(o["output"], json({"line one", "line two"}));
  EXPECT_FALSE(o.contains("error"));
}

TEST(JsonReport, BytesThatAreNotUtf8AreReplacedNotFatal) {
  JsonReport r;
  r.Field("name", std::string("\xCF\xF0\xE8", 3));  // a CP1251 text
  r.Error("bad");
  auto o = json::parse(r.Render("device-name", 1, ""));
  EXPECT_EQ(o["error"], "bad");
  EXPECT_TRUE(o["fields"]["name"].is_string());
}
