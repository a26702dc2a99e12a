// vovorctl dump and dump-diff as a script runs them: against a simulated
// modem served by the test itself, so the requests on the line and the
// bytes saved are checked against the modem's own memories.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "run_ctl.h"
#include "sim/pty_server.h"
#include "sim/sim_modem.h"
#include "util/dump_file.h"
#include "util/hex.h"

using cli_test::FieldOf;
using cli_test::RunCtl;

namespace {

std::string TempPath(const std::string &name) {
  return "/tmp/vovorctl_dump_" + std::to_string(getpid()) + "_" + name;
}

std::string FileBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

class CtlDump : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string why;
    ASSERT_TRUE(server.Start(&why)) << why;
    server.WithModem([](sim::SimModem &m) { m.SetCommandLogging(true); });
  }
  void TearDown() override { server.Stop(); }

  cli_test::CtlRun Run(const std::string &args) {
    server.WithModem([](sim::SimModem &m) { m.SetCommandLogging(true); });
    return RunCtl("--port " + server.DevicePath() + " --timeout 500 " + args);
  }
  std::vector<std::string> Requests() {
    std::vector<std::string> hex;
    server.WithModem([&](sim::SimModem &m) {
      for (const auto &c : m.CommandLog()) hex.push_back(util::BytesToHex(c));
    });
    return hex;
  }
  sim::MemoryState Memories() {
    sim::MemoryState m;
    server.WithModem([&](sim::SimModem &s) {
      m = s.State().memory;
      m.nodeTable = s.NodeTable();  // the direct modem's table follows its mesh
    });
    return m;
  }

  sim::PtyServer server;
};

TEST_F(CtlDump, PartsInEachFormatCarryTheirAddress) {
  const std::string file = TempPath("table");
  const struct {
    const char *format;
    util::TDumpFormat kind;
  } formats[] = {{"ihex", util::TDumpFormat::IntelHex}, {"hex", util::TDumpFormat::HexText}};
  const std::string expected = Memories().nodeTable.substr(0x10, 0x20);
  for (const auto &f : formats) {
    auto r = Run(std::string("dump \"Node Table\" --address 0x10 --size 0x20 --format ") + f.format + " -o " + file);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(Requests(), std::vector<std::string>{"4003001000000020"});
    const std::string saved = FileBytes(file);
    EXPECT_EQ(saved, util::DumpFileText({0x10, expected}, f.kind));
    std::string error;
    auto back = util::ParseDumpFile(saved, file, &error);
    ASSERT_TRUE(back) << error;
    EXPECT_EQ(back->start, 0x10u);
    EXPECT_EQ(back->bytes, expected);
  }
  std::remove(file.c_str());
}

TEST_F(CtlDump, WindowNamesAndWholeReads) {
  const std::string file = TempPath("ram.map");
  auto r = Run("dump \"pure memory\" --address 0x481 --size 0x81 -o " + file);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(FieldOf(r.out, "address"), "0x0481");
  const auto requests = Requests();
  ASSERT_EQ(requests.size(), 5u);
  EXPECT_EQ(requests[4], "4088000105000001");
  EXPECT_EQ(FileBytes(file), Memories().ram.substr(0x481, 0x81));

  r = Run("dump work-params -o " + file);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(Requests(), (std::vector<std::string>{"4032020000000002", "4031000000000018"}));
  EXPECT_EQ(FileBytes(file), Memories().workParams);

  for (const char *refused : {"dump \"Production Info\" -o x", "dump dataflash -o x",
                              "dump config --address 0 --size 4 -o x", "dump ram --format elf -o x"}) {
    r = Run(refused);
    EXPECT_EQ(r.exitCode, 2) << refused;
    EXPECT_TRUE(Requests().empty()) << refused;
  }
  std::remove(file.c_str());
}

TEST_F(CtlDump, FramThatDoesNotTellItsSizeFails) {
  sim::Faults faults;
  faults.dropNextAnswers = 1;
  server.SetFaults(faults);
  auto r = RunCtl("--port " + server.DevicePath() + " --timeout 300 --attempts 1 dump fram -o " + TempPath("f"));
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_EQ(r.err, "error: 1 fram did not tell its size\n");
}

TEST(CtlDumpDiff, RangesThatDifferAndWhatOnlyOneHolds) {
  const std::string a = TempPath("eeprom_0x0100.map"), b = TempPath("b.hex");
  std::string bytes(64, '\x11');
  std::ofstream(a, std::ios::binary) << bytes;
  bytes[3] = 0;
  bytes[4] = 0;
  bytes[40] = 0;
  std::ofstream(b, std::ios::binary) << util::DumpFileText({0xF0, bytes}, util::TDumpFormat::IntelHex);

  auto r = RunCtl("dump-diff " + a + " " + b);  // no line is needed
  EXPECT_EQ(r.exitCode, 1) << r.err;
  EXPECT_EQ(r.out,
            "common: 48\n"
            "differing: 1\n"
            "differ: 0x00118 (1 byte)\n"
            "only-in-first: 0x00130-0x0013F (16 bytes)\n"
            "only-in-second: 0x000F0-0x000FF (16 bytes)\n");

  auto same = RunCtl("dump-diff " + a + " " + a);
  EXPECT_EQ(same.exitCode, 0);
  EXPECT_EQ(FieldOf(same.out, "differing"), "0");

  std::ofstream(b) << ":0100000003FD\n:00000001FF\n";
  auto damaged = RunCtl("dump-diff " + a + " " + b);
  EXPECT_EQ(damaged.exitCode, 2);
  EXPECT_EQ(damaged.err, "dump-diff: " + b + ": строка 1 файла Intel HEX: неверная контрольная сумма\n");
  std::remove(a.c_str());
  std::remove(b.c_str());
}

}  // namespace
