// vovorctl's network and factory forms against the simulated modem. The
// expected texts are the documented examples and the simulated mesh's own
// layout, not what the page code computes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "run_ctl.h"

using cli_test::FieldOf;
using cli_test::RunCtl;

namespace {

std::string Slurp(const std::filesystem::path &p) {
  std::ifstream in(p);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

const char kCalc[] = "--crystal 26.48 --divisor XOSC/2 --measured 13240505 --room-temp 24 --avg-temp 27";

}  // namespace

TEST(CtlFactory, CalcPrintsThePagesTexts) {
  auto r = RunCtl(std::string("--sim factory calc ") + kCalc);
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out,
            "Базовая RF-частота: 2426.230 Mhz, Шаг подстройки: 404.05273 Hz\n"
            "Уход кварца:  1010.000 Hz \n"
            "Базовая частота:  2426.323 Mhz\n"
            "Шаг подстройки частоты:  404.06815 Hz\n"
            "Уход базовой RF-частоты:  92.541 KHz \n"
            "Компенсация в шагах (Dec/HEX): 229 / 0x00E5\n"
            "Результирующий умножитель (HEX): 0x9F1B\n"
            "Уход показаний температуры:  3 C \n"
            "Множитель: 9F1B, Темп.смещение: 305\n");
}

TEST(CtlFactory, WrongCrystalIsShownButRefused) {
  auto r = RunCtl("--sim factory calc --crystal 26.208 --divisor XOSC/1 --measured 26481010 --room-temp 24");
  EXPECT_EQ(r.exitCode, 1);
  EXPECT_NE(r.out.find("Компенсация в шагах (Dec/HEX): 61906 / 0xF1D2"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("Результирующий умножитель (HEX): 0xFFFFAE2E"), std::string::npos);
  EXPECT_NE(r.err.find("-20946"), std::string::npos) << r.err;
  auto w = RunCtl("--sim factory write --crystal 26.208 --divisor XOSC/1 --measured 26481010 --room-temp 24 "
                  "--avg-temp 24");
  EXPECT_EQ(w.exitCode, 1);
  EXPECT_EQ(w.out, "");  // nothing written
}

TEST(CtlFactory, UsageErrors) {
  for (const char *args : {"factory", "factory calc --crystal 27 --divisor XOSC/1 --measured 26481010 --room-temp 24",
                           "factory calc --crystal 26.48 --divisor XOSC/5 --measured 26481010 --room-temp 24",
                           "factory calc --crystal 26.48 --divisor XOSC/1 --measured 99 --room-temp 24",
                           "factory calc --crystal 26.48 --divisor XOSC/1 --measured 26481010 --room-temp 201",
                           "factory write --crystal 26.48 --divisor XOSC/1 --measured 26481010 --room-temp 24",
                           "factory write --multiplier 0x9F1B", "factory measure --divisor"})
    EXPECT_EQ(RunCtl(std::string("--sim ") + args).exitCode, 2) << args;
}

TEST(CtlFactory, MeasureWriteVerifyAndRead) {
  auto m = RunCtl("--sim factory measure --divisor XOSC/1.5");
  ASSERT_EQ(m.exitCode, 0) << m.err;
  EXPECT_EQ(FieldOf(m.out, "average temperature"), "24");
  EXPECT_EQ(FieldOf(m.out, "GDO2"), "XOSC/1.5");

  auto w = RunCtl(std::string("--sim factory write ") + kCalc + " --verify");
  ASSERT_EQ(w.exitCode, 0) << w.err;
  EXPECT_EQ(w.out, "Множитель: 9F1B, Темп.смещение: 305\nverified: the record reads back as written\n");
  auto words = RunCtl("--sim --remote 3 factory write --multiplier 0xA000 --temp-offset 302 --verify");
  ASSERT_EQ(words.exitCode, 0) << words.err;

  auto r = RunCtl("--sim factory read");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "Множитель: 3412, Темп.смещение: 1280\nrecord: valid\n");
}

TEST(CtlNetworkPages, MacContextAsThePageShowsIt) {
  for (const char *args : {"--sim mac", "--sim --remote 2 mac"}) {
    auto r = RunCtl(args);
    ASSERT_EQ(r.exitCode, 0) << r.err;
    std::istringstream lines(r.out);
    std::vector<std::string> names;
    for (std::string line; std::getline(lines, line);) names.push_back(line.substr(0, line.find(':')));
    EXPECT_EQ(names, (std::vector<std::string>{"PacketID", "RXFrame", "RXStage", "FrameCnt",
                                                "Last Allocated Frame Idx", "ACKHandle"}))
        << r.out;
    EXPECT_EQ(FieldOf(r.out, "RXFrame").rfind("0x", 0), 0u);
  }
}

TEST(CtlNetworkPages, NodeTreeFollowsTheSimulatedMesh) {
  auto r = RunCtl("--sim node-tree --count 6");
  ASSERT_EQ(r.exitCode, 0) << r.err;
  EXPECT_EQ(r.out, "0\n  1\n    3\n  2\n4 (free)\n5 (free)\n");

  const auto dir = std::filesystem::temp_directory_path() / ("vovorctl_tree_" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  auto saved = RunCtl("--sim node-tree --html " + (dir / "t.html").string() + " --dot " + (dir / "t.dot").string());
  ASSERT_EQ(saved.exitCode, 0) << saved.err;
  const std::string html = Slurp(dir / "t.html");
  EXPECT_NE(html.find("<span class=\"node\">3</span> <span class=\"orva\">активен"), std::string::npos) << html;
  const std::string dot = Slurp(dir / "t.dot");
  EXPECT_EQ(dot.rfind("digraph mesh {", 0), 0u);
  for (const char *edge : {"n1 -> n0", "n2 -> n0", "n3 -> n1"}) EXPECT_NE(dot.find(edge), std::string::npos) << edge;
  std::filesystem::remove_all(dir);

  EXPECT_EQ(RunCtl("--sim node-tree --count 1").exitCode, 2);
  EXPECT_EQ(RunCtl("--sim node-tree --html").exitCode, 2);
}
