// vovorctl registers against a simulated modem whose registers the test sets
// byte by byte; the expected table is written out here by hand.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "run_ctl.h"
#include "sim/pty_server.h"
#include "sim/sim_modem.h"

using cli_test::FieldOf;
using cli_test::RunCtl;

namespace {

struct ExpectedRow {
  int address;
  const char *caption;
  uint8_t value;
  const char *comment;
};

// The table's line for a row, built with printf, apart from the program's own formatting.
std::string Line(const ExpectedRow &r) {
  char head[64];
  std::snprintf(head, sizeof head, "%-17s  0x%02X  %3u ", r.caption, r.value, r.value);
  std::string line = head;
  for (int k = 0; k < 8; ++k) line += (r.value >> k) & 1 ? "   1" : "   0";
  if (*r.comment) line += std::string("  ") + r.comment;
  return line + "\n";
}

struct CtlRegisters : ::testing::Test {
  sim::PtyServer server;
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(server.Start(&why)) << why;
  }
  void Set(uint8_t address, uint8_t value) {
    server.WithModem([&](sim::SimModem &m) { m.State().registers.Set(address, value); });
  }
  uint8_t Get(uint8_t address) {
    uint8_t v = 0;
    server.WithModem([&](sim::SimModem &m) { v = m.State().registers.Get(address); });
    return v;
  }
  cli_test::CtlRun Ctl(const std::string &args) { return RunCtl("--port " + server.DevicePath() + " " + args); }
  std::filesystem::path Temp(const std::string &name) {
    return std::filesystem::temp_directory_path() / ("vovorctl_registers_" + name);
  }
};

}  // namespace

TEST_F(CtlRegisters, TableMatchesARegisterFileSetByteByByte) {
  const ExpectedRow rows[] = {
      {0x00, "(0x00) IOCFG2", 0x29, ""},
      {0x0B, "(0x0B) FSCTRL1", 0xFF, "IF Freq: 6526 kHz"},
      {0x0C, "(0x0C) FSCTRL0", 0x80, "Freq offset: -204 kHz"},
      {0x0D, "(0x0D) FREQ2", 0x5B, "Base freq [23:0] ($0D:$0F), HIGH byte"},
      {0x0E, "(0x0E) FREQ1", 0xA0, "Freq step: 399.902 Hz"},
      {0x0F, "(0x0F) FREQ0", 0x00, "Base freq: 2401308 kHz"},
      {0x2F, "(0x2F) __Not used", 0x00, ""},
      {0x32, "(0x32) FREQEST", 0xFF, "Est. Freq offset: -1 kHz"},
      {0x34, "(0x34) RSSI", 0x7F, "RSSI: -9 dbm"},
      {0x35, "(0x35) MARCSTATE", 0x17, "Unknown!!!!!"},
      {0x38, "(0x38) PKTSTATUS", 0x91, "GDO0 CCA bit7 "},
      {0x3A, "(0x3A) TXBYTES", 0x05, "TX FIFO Length"},
  };
  for (const auto &r : rows) Set(static_cast<uint8_t>(r.address), r.value);
  auto run = Ctl("registers");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out.substr(0, run.out.find('\n') + 1),
            "Register           Hex   Dec  b.0 b.1 b.2 b.3 b.4 b.5 b.6 b.7  Comment\n");
  for (const auto &r : rows) EXPECT_NE(run.out.find(Line(r)), std::string::npos) << Line(r) << run.out;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1 + 59);  // header and 0x00..0x3A
  EXPECT_EQ(run.out.find("RXBYTES"), std::string::npos);

  // Scripts get the same rows as records.
  auto json = Ctl("--json registers");
  ASSERT_EQ(json.exitCode, 0) << json.err;
  auto o = nlohmann::json::parse(json.out);
  ASSERT_EQ(o["fields"]["registers"].size(), 59u) << json.out;
  const auto &pktstatus = o["fields"]["registers"][0x38];
  EXPECT_EQ(pktstatus["register"], "(0x38) PKTSTATUS");
  EXPECT_EQ(pktstatus["hex"], "0x91");
  EXPECT_EQ(pktstatus["dec"], 145);
  EXPECT_EQ(pktstatus["b.0"], 1);
  EXPECT_EQ(pktstatus["b.1"], 0);
  EXPECT_EQ(pktstatus["b.7"], 1);
  EXPECT_EQ(pktstatus["comment"], "GDO0 CCA bit7 ");
  EXPECT_FALSE(o.contains("output")) << json.out;

  // A remote node's own registers.
  auto remote = Ctl("--remote 2 registers --read 0x35 1");
  ASSERT_EQ(remote.exitCode, 0) << remote.err;
  EXPECT_NE(remote.out.find(Line({0x35, "(0x35) MARCSTATE", 0x0D, "RX"})), std::string::npos) << remote.out;
}

TEST_F(CtlRegisters, SaveCompareAndLoadWithReadBack) {
  const auto file = Temp("saved.txt");
  auto saved = Ctl("registers --save " + file.string());
  ASSERT_EQ(saved.exitCode, 0) << saved.err;
  EXPECT_EQ(FieldOf(saved.out, "saved"), file.string() + " (59 registers)");

  EXPECT_EQ(Ctl("registers --compare defaults").exitCode, 0);
  auto same = Ctl("registers --compare " + file.string());
  EXPECT_EQ(same.exitCode, 0) << same.err;
  EXPECT_EQ(FieldOf(same.out, "differ"), "0 of 59");

  Set(0x0D, 0x5C);
  Set(0x34, 0x80);  // RSSI moves: compared, but never written back
  auto differ = Ctl("registers --compare " + file.string());
  EXPECT_EQ(differ.exitCode, 4);
  EXPECT_EQ(FieldOf(differ.out, "(0x0D) FREQ2"), "0x5C, reference 0x5E");
  EXPECT_EQ(FieldOf(differ.out, "differ"), "2 of 59");
  auto defaults = Ctl("registers --compare defaults");
  EXPECT_EQ(defaults.exitCode, 4);
  EXPECT_EQ(FieldOf(defaults.out, "differ"), "1 of 47");

  auto unconfirmed = Ctl("registers --load " + file.string());
  EXPECT_EQ(unconfirmed.exitCode, 2);
  EXPECT_EQ(FieldOf(unconfirmed.out, "(0x0D) FREQ2"), "0x5C -> 0x5E");
  EXPECT_NE(unconfirmed.err.find("--yes"), std::string::npos);
  EXPECT_EQ(Get(0x0D), 0x5C);

  auto loaded = Ctl("registers --load " + file.string() + " --yes");
  ASSERT_EQ(loaded.exitCode, 0) << loaded.err;
  EXPECT_EQ(FieldOf(loaded.out, "written"), "1 of 1");
  EXPECT_EQ(FieldOf(loaded.out, "verified"), "yes");
  EXPECT_EQ(Get(0x0D), 0x5E);
  EXPECT_EQ(Get(0x34), 0x80);
  std::filesystem::remove(file);
}

TEST_F(CtlRegisters, BadFilesAndRefusedWritesFail) {
  const auto file = Temp("bad.txt");
  std::ofstream(file) << "0x0D FREQ2 0x5D\n0x0E FREQ2 0x00\n";
  auto bad = Ctl("registers --load " + file.string() + " --yes");
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_EQ(bad.err, "error: " + file.string() + ": строка 2: по адресу 0x0E регистр FREQ1, а не «FREQ2»\n");
  EXPECT_EQ(Get(0x0D), 0x5E);

  std::ofstream(file) << "0x0D FREQ2 0x5D\n";
  server.WithModem([](sim::SimModem &m) { m.State().transceiverOn = false; });
  auto refused = Ctl("registers --load " + file.string() + " --yes");
  EXPECT_EQ(refused.exitCode, 1);
  EXPECT_EQ(FieldOf(refused.out, "written"), "0 of 1");
  EXPECT_EQ(refused.err.rfind("error: ", 0), 0u) << refused.err;

  for (const char *args : {"registers --save", "registers --load x --save y", "registers --yes",
                           "registers --compare defaults --read 0 1"}) {
    auto r = Ctl(args);
    EXPECT_EQ(r.exitCode, 2) << args;
  }
  auto missing = Ctl("registers --compare /nonexistent/file");
  EXPECT_EQ(missing.exitCode, 1);
  std::filesystem::remove(file);
}
