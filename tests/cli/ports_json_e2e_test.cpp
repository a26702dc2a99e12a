// The command line as scripts use it: --json on a modem's commands, parsed
// back; the exit codes; port discovery over a fake device tree that udev
// reads as if it were this machine's.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "run_ctl.h"

using cli_test::RunCtl;
using nlohmann::json;

namespace {

json Parsed(const cli_test::CtlRun &run) {
  try {
    return json::parse(run.out);
  } catch (const json::exception &e) {
    ADD_FAILURE() << "not one JSON object: " << e.what() << "\n" << run.out;
    return {};
  }
}

bool HaveUmockdev() { return std::system("command -v umockdev-run >/dev/null 2>&1") == 0; }

// vovorctl under a fake /sys and /dev described by `file`.
cli_test::CtlRun RunOnDeviceTree(const std::string &file, const std::string &args) {
  // The device emulator is preloaded ahead of everything; a sanitizer build
  // of vovorctl must be told that this is expected.
  return cli_test::RunCommand("ASAN_OPTIONS=\"verify_asan_link_order=0:$ASAN_OPTIONS\" umockdev-run --device " +
                              std::string(VOVOR_TEST_DATA) + "/" + file + " -- " + VOVOR_BIN_DIR + "/vovorctl " +
                              args);
}

}  // namespace

TEST(CtlJson, InfoOfTheModemAndOfARemoteNodeParseBack) {
  for (const std::string remote : {"", "--remote 2 "}) {
    auto run = RunCtl("--sim --json " + remote + "info");
    ASSERT_EQ(run.exitCode, 0) << run.err;
    json o = Parsed(run);
    EXPECT_EQ(o["command"], "info");
    EXPECT_EQ(o["exit"], 0);
    EXPECT_EQ(o["result"]["code"], 0);
    EXPECT_TRUE(o["fields"]["version"].is_string()) << run.out;
    EXPECT_TRUE(o["fields"]["temperature"].is_number()) << run.out;
    EXPECT_FALSE(o.contains("output")) << run.out;
  }
}

TEST(CtlJson, FailuresCarryTheirCodeTextAndExitStatus) {
  auto unknownNode = RunCtl("--sim --json --remote 77 info");
  EXPECT_EQ(unknownNode.exitCode, 1);
  json o = Parsed(unknownNode);
  EXPECT_EQ(o["exit"], 1);
  EXPECT_EQ(o["result"]["code"], 18);
  EXPECT_FALSE(o["result"]["text"].get<std::string>().empty());

  auto noPort = RunCtl("--port /dev/no-such-modem-line --json version");
  EXPECT_EQ(noPort.exitCode, 3);
  o = Parsed(noPort);
  EXPECT_EQ(o["exit"], 3);
  EXPECT_NE(o["error"].get<std::string>().find("/dev/no-such-modem-line"), std::string::npos);

  EXPECT_EQ(RunCtl("--sim --bogus version").exitCode, 2);
}

TEST(CtlPorts, ListsUsbAdaptersWithTheirIdentityAndSkipsConsoles) {
  if (!HaveUmockdev()) GTEST_SKIP() << "umockdev-run is not installed";
  auto run = RunOnDeviceTree("two_adapters.umockdev", "--json ports");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  json ports = Parsed(run)["fields"]["ports"];
  ASSERT_EQ(ports.size(), 2u) << run.out;
  json ftdi = ports[0]["port"] == "/dev/ttyUSB0" ? ports[0] : ports[1];
  json acm = ports[0]["port"] == "/dev/ttyUSB0" ? ports[1] : ports[0];
  EXPECT_EQ(ftdi["usb"], "0403:6001");
  EXPECT_EQ(ftdi["manufacturer"], "FTDI");
  EXPECT_EQ(ftdi["product"], "FT232R USB UART");
  EXPECT_EQ(ftdi["serial"], "A50285BI");
  EXPECT_EQ(ftdi["by-id"], "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0");
  EXPECT_EQ(ftdi["driver"], "ftdi_sio");
  EXPECT_EQ(acm["port"], "/dev/ttyACM0");
  EXPECT_EQ(acm["usb"], "0483:5740");
  EXPECT_EQ(acm["serial"], "0042");  // kept as text: a leading zero is part of it

  auto text = RunOnDeviceTree("two_adapters.umockdev", "ports");
  EXPECT_NE(text.out.find("port: /dev/ttyUSB0\nusb: 0403:6001\n"), std::string::npos) << text.out;
}

TEST(CtlPorts, APortNamedByItsSerialNumberOrByIdNameIsTheAdapterBehindIt) {
  if (!HaveUmockdev()) GTEST_SKIP() << "umockdev-run is not installed";
  // The fake tree's nodes open (nothing answers on them): a name that
  // resolves reaches a line and times out; one that does not cannot open.
  for (const std::string name : {"A50285BI", "usb-FTDI_FT232R_USB_UART_A50285BI-if00-port0", "0042"}) {
    auto run = RunOnDeviceTree("two_adapters.umockdev", "--timeout 50 --attempts 1 --port " + name + " version");
    EXPECT_EQ(run.exitCode, 1) << name << ": " << run.err;
  }
  auto unknown = RunOnDeviceTree("two_adapters.umockdev", "--port NOSUCHSERIAL version");
  EXPECT_EQ(unknown.exitCode, 3);
  EXPECT_NE(unknown.err.find("NOSUCHSERIAL"), std::string::npos) << unknown.err;
}

TEST(CtlTrace, EveryFrameBothWaysInWordsOnStandardError) {
  auto run = RunCtl("--sim --trace version");
  ASSERT_EQ(run.exitCode, 0) << run.err;
  EXPECT_NE(run.out.find("version: "), std::string::npos);  // the output itself is untouched
  EXPECT_NE(run.err.find(" → 1B 01 "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find(" ← 1B 01 "), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("BIN, запрос: кому 255, от 0, команда 15"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("BIN, ответ: кому 0, от 1, статус 00"), std::string::npos) << run.err;
}
