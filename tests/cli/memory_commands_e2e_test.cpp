// vovorctl's configuration, memory, mesh and channel commands, run as a user
// runs them, against the simulated modem it starts itself.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "run_ctl.h"

using cli_test::FieldOf;
using cli_test::RunCtl;

namespace {

std::string TempPath(const char *name) { return std::string("/tmp/vovorctl_mem_") + std::to_string(getpid()) + name; }

std::string FileBytes(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

void WriteFile(const std::string &path, const std::string &bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace

TEST(CtlConfig, ShowEverySettingOfTheModemAndOfARemoteNode) {
  auto direct = RunCtl("--sim config show");
  ASSERT_EQ(direct.exitCode, 0) << direct.err;
  EXPECT_EQ(FieldOf(direct.out, "user.node-name"), "Узел учёта 1");
  EXPECT_EQ(FieldOf(direct.out, "uart.speed"), "9600");  // as the page lists it
  EXPECT_EQ(FieldOf(direct.out, "net.node-id"), "1");
  EXPECT_EQ(FieldOf(direct.out, "vcomm.packet-timeout"), "300");
  EXPECT_EQ(FieldOf(direct.out, "ptp.enabled"), "yes");
  EXPECT_EQ(FieldOf(direct.out, "ptp.route"), "1-2");
  EXPECT_EQ(std::count(direct.out.begin(), direct.out.end(), '\n'), 16);

  auto remote = RunCtl("--sim --remote 3 config show");
  ASSERT_EQ(remote.exitCode, 0) << remote.err;
  EXPECT_EQ(FieldOf(remote.out, "user.node-name"), "Узел 3");
  EXPECT_EQ(FieldOf(remote.out, "net.node-id"), "3");
}

TEST(CtlConfig, ExportImportAndSetWithVerify) {
  const std::string text = TempPath("config.txt"), raw = TempPath("config.bin");
  auto exported = RunCtl("--sim config export " + text);
  ASSERT_EQ(exported.exitCode, 0) << exported.err;
  const std::string file = FileBytes(text);
  EXPECT_NE(file.find("user.node-name=Узел учёта 1\n"), std::string::npos);
  EXPECT_NE(file.find("net.net-id=1\n"), std::string::npos);

  std::string changed = file;
  changed.replace(changed.find("net.net-id=1"), 12, "net.net-id=77");
  WriteFile(text, changed);
  auto imported = RunCtl("--sim config import " + text + " --verify");
  ASSERT_EQ(imported.exitCode, 0) << imported.err;
  EXPECT_NE(FieldOf(imported.out, "verified"), "");

  auto set = RunCtl("--sim config set net.node-id=9 user.node-name=Котельная --verify");
  ASSERT_EQ(set.exitCode, 0) << set.err;
  EXPECT_EQ(FieldOf(set.out, "verified"), FieldOf(set.out, "written"));

  auto rawExport = RunCtl("--sim --remote 2 config export --raw " + raw);
  ASSERT_EQ(rawExport.exitCode, 0) << rawExport.err;
  const std::string image = FileBytes(raw);
  EXPECT_GT(image.size(), 40u);
  auto rawImport = RunCtl("--sim config import --raw " + raw + " --verify");
  ASSERT_EQ(rawImport.exitCode, 0) << rawImport.err;
  EXPECT_EQ(FieldOf(rawImport.out, "verified"), std::to_string(image.size()) + " bytes");

  WriteFile(text, "# a comment\n\nnet.net-id=5\nuart.baud-index=99\n");
  auto bad = RunCtl("--sim config import " + text);
  EXPECT_EQ(bad.exitCode, 2);
  EXPECT_NE(bad.err.find("line 4: uart.baud-index"), std::string::npos) << bad.err;
  EXPECT_EQ(FieldOf(bad.out, "written"), "");

  WriteFile(raw, "");
  auto empty = RunCtl("--sim config import --raw " + raw);
  EXPECT_EQ(empty.exitCode, 1);
  EXPECT_NE(empty.err.find("1 to 65535 bytes"), std::string::npos) << empty.err;

  for (const char *wrong : {"config", "config set", "config set bogus=1", "config set net.net-id=300",
                            "config set ptp.route=7", "config set ptp.route=1-300-2", "config set ptp.route=1-x-2",
                            "config set uart.speed=57601", "config export", "config show extra", "config import a b"}) {
    auto r = RunCtl(std::string("--sim ") + wrong);
    EXPECT_EQ(r.exitCode, 2) << wrong;
  }
  std::remove(text.c_str());
  std::remove(raw.c_str());
}

TEST(CtlMemory, DumpEveryRegion) {
  const std::string out = TempPath("dump.bin");
  const struct {
    const char *args;
    size_t bytes;
  } cases[] = {
      {"dump config-full", 476}, {"dump node-table", 144}, {"dump work-params", 24}, {"dump eeprom", 2048},
      {"dump ram", 2048},        {"dump fram", 8192},      {"dump ram --address 0x481 --size 129", 129},
      {"--remote 2 dump config-full --address 0x10 --size 0x20", 32}, {"--remote 2 dump node-table", 108},
  };
  for (const auto &c : cases) {
    auto r = RunCtl(std::string("--sim ") + c.args + " -o " + out);
    ASSERT_EQ(r.exitCode, 0) << c.args << r.err;
    EXPECT_EQ(FieldOf(r.out, "bytes"), std::to_string(c.bytes)) << c.args;
    EXPECT_EQ(FileBytes(out).size(), c.bytes) << c.args;
  }
  auto config = RunCtl("--sim dump config -o " + out);
  ASSERT_EQ(config.exitCode, 0) << config.err;
  const std::string image = FileBytes(out);
  auto full = RunCtl("--sim dump config-full -o " + out);
  EXPECT_EQ(FileBytes(out).substr(0, image.size()), image);

  for (const char *wrong : {"dump", "dump flash -o x", "dump ram", "dump ram --address 5 -o x",
                            "dump work-params --address 0x100 --size 1 -o x", "dump ram --size 0 -o x"}) {
    auto r = RunCtl(std::string("--sim ") + wrong);
    EXPECT_EQ(r.exitCode, 2) << wrong;
  }
  auto past = RunCtl("--sim dump fram --address 8190 --size 4 -o " + out);
  EXPECT_EQ(past.exitCode, 1);
  EXPECT_EQ(past.err, "error: 2 неверные параметры команды\n");
  std::remove(out.c_str());
}

TEST(CtlMemory, EraseNeedsYes) {
  EXPECT_EQ(RunCtl("--sim erase fram").exitCode, 2);
  EXPECT_EQ(RunCtl("--sim erase node-table --yes").exitCode, 2);
  for (const char *what : {"fram", "work-params"}) {
    auto r = RunCtl(std::string("--sim erase ") + what + " --yes");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(FieldOf(r.out, "erased"), what);
  }
}

TEST(CtlNetwork, TablesAndMeshState) {
  auto routes = RunCtl("--sim route-table");
  ASSERT_EQ(routes.exitCode, 0) << routes.err;
  EXPECT_EQ(routes.out, "1: via 1\n2: via 2\n3: via 1\n");

  // The modem's table lists its mesh: 1 and 2 below it, 3 below 1.
  auto items = RunCtl("--sim node-table --count 5");
  ASSERT_EQ(items.exitCode, 0) << items.err;
  EXPECT_EQ(FieldOf(items.out, "3"), "in use, parent 1");
  EXPECT_EQ(FieldOf(items.out, "0"), "in use, parent -");
  EXPECT_EQ(FieldOf(items.out, "4"), "free, parent -");
  // Unasked, the first 16 items, but only as many as the table holds (12 on a remote node).
  auto first = RunCtl("--sim node-table");
  ASSERT_EQ(first.exitCode, 0) << first.err;
  EXPECT_EQ(FieldOf(first.out, "15"), "free, parent -");
  auto remoteFirst = RunCtl("--sim --remote 2 node-table");
  ASSERT_EQ(remoteFirst.exitCode, 0) << remoteFirst.err;
  EXPECT_EQ(FieldOf(remoteFirst.out, "4"), "in use, parent 1");
  EXPECT_EQ(FieldOf(remoteFirst.out, "12"), "");
  auto all = RunCtl("--sim --remote 2 node-table --all");
  ASSERT_EQ(all.exitCode, 0) << all.err;
  EXPECT_EQ(FieldOf(all.out, "11"), "free, parent -");

  auto state = RunCtl("--sim orva state");
  ASSERT_EQ(state.exitCode, 0) << state.err;
  EXPECT_EQ(FieldOf(state.out, "status"), "Connected");
  EXPECT_EQ(FieldOf(state.out, "node count"), "3");
  auto router = RunCtl("--sim orva router");
  ASSERT_EQ(router.exitCode, 0) << router.err;
  EXPECT_EQ(FieldOf(router.out, "frequency offset"), "-5 (-2.00 kHz)");
  auto nodes = RunCtl("--sim orva nodes");
  ASSERT_EQ(nodes.exitCode, 0) << nodes.err;
  EXPECT_EQ(FieldOf(nodes.out, "3").substr(0, 6), "active");
  auto removed = RunCtl("--sim orva remove-child 9");
  EXPECT_EQ(removed.exitCode, 1);
  EXPECT_EQ(RunCtl("--sim orva bogus").exitCode, 2);
  EXPECT_EQ(RunCtl("--sim node-table --count 0").exitCode, 2);
}

TEST(CtlChannel, OpenAndCloseEveryKind) {
  for (const char *args : {"open-vcomm --speed 1 --timeout 200", "open-route 1-5-9", "open-uart 1-5-9 --speed 3",
                           "open-term 12", "close-vcomm", "close-route 1-5-9", "close-term"}) {
    auto r = RunCtl(std::string("--sim channel ") + args);
    EXPECT_EQ(r.exitCode, 0) << args << r.err;
  }
  auto routed = RunCtl("--sim channel open-route 1-5-9");
  EXPECT_EQ(FieldOf(routed.out, "done"), "open-route 01010509");
  for (const char *wrong : {"", "open", "open-route 7", "open-route", "open-vcomm --speed 15", "open-term 300",
                            "close-term now", "open-route 1-2 --speed 1",
                            // a part that is no node refuses the route, never shortens it
                            "open-route 1-300-9", "open-uart 1-x-9", "close-route 1-5-9a"}) {
    auto r = RunCtl(std::string("--sim channel ") + wrong);
    EXPECT_EQ(r.exitCode, 2) << wrong;
  }
}
