// The one file writer and the bounded reader: what they refuse, and that a
// link or a stale temporary beside the target changes nothing but the target.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "util/file_read.h"
#include "util/file_write.h"
#include "util/ini_file.h"

namespace fs = std::filesystem;

namespace {

class FileWrite : public ::testing::Test {
 protected:
  void SetUp() override {
    dir = fs::temp_directory_path() / ("vovor_file_write_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
  }
  void TearDown() override { fs::remove_all(dir); }

  std::string Path(const std::string &name) const { return (dir / name).string(); }
  static std::string Read(const std::string &path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  }

  fs::path dir;
};

TEST_F(FileWrite, ReplacesTheFileKeepingItsPermissionsAndLeavesNoTemporary) {
  const std::string target = Path("vovor.settings");
  ASSERT_TRUE(util::WriteFileAtomically(target, "first"));
  ASSERT_EQ(chmod(target.c_str(), 0640), 0);
  ASSERT_TRUE(util::WriteFileAtomically(target, std::string("second\0bytes", 12)));
  EXPECT_EQ(Read(target), std::string("second\0bytes", 12));
  struct stat st {};
  ASSERT_EQ(stat(target.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(FileWrite, LinksPlantedUnderTheOldFixedTemporaryNamesAreNotFollowed) {
  const std::string victim = Path("victim");
  std::ofstream(victim) << "precious";
  const std::string target = Path("dump.map");
  for (const char *planted : {"dump.map.part", "dump.map.tmp"}) fs::create_symlink(victim, Path(planted));
  ASSERT_TRUE(util::WriteFileAtomically(target, "dump"));
  EXPECT_EQ(Read(victim), "precious");
  EXPECT_EQ(Read(target), "dump");
  // A target that is itself a link is replaced, its target left alone.
  fs::remove(target);
  fs::create_symlink(victim, target);
  ASSERT_TRUE(util::WriteFileAtomically(target, "new"));
  EXPECT_FALSE(fs::is_symlink(target));
  EXPECT_EQ(Read(victim), "precious");
}

TEST_F(FileWrite, AFolderThatCannotBeWrittenFailsWithTheReasonAndKeepsTheOldFile) {
  std::string error;
  EXPECT_FALSE(util::WriteFileAtomically(Path("no/such/folder/file"), "x", &error));
  EXPECT_NE(error.find("cannot write"), std::string::npos) << error;
  EXPECT_FALSE(util::WriteFileAtomically(Path("folder/"), "x", &error));
  // A target that is a folder cannot be replaced: the temporary goes.
  fs::create_directories(dir / "taken");
  EXPECT_FALSE(util::WriteFileAtomically(Path("taken"), "x", &error));
  EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1);
}

TEST_F(FileWrite, TheReaderTakesRegularFilesWithinItsLimitOnly) {
  const std::string small = Path("config.txt");
  std::ofstream(small) << "net.node-id=5\n";
  const std::string fifo = Path("fifo");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::string path;
    size_t limit;
    bool ok;
    const char *why;
  } cases[] = {
      {small, 100, true, ""},
      {small, 5, false, "more than the 5"},
      {dir.string(), 100, false, "folder"},
      {fifo, 100, false, "not a regular file"},  // must not block waiting for a writer
      {"/dev/zero", 100, false, "not a regular file"},
      {Path("missing"), 100, false, "No such file"},
  };
  for (const auto &c : cases) {
    std::string bytes = "untouched", error;
    EXPECT_EQ(util::ReadRegularFile(c.path, c.limit, &bytes, &error), c.ok) << c.path;
    if (c.ok) {
      EXPECT_EQ(bytes, "net.node-id=5\n");
    } else {
      EXPECT_EQ(bytes, "untouched") << c.path;
      EXPECT_NE(error.find(c.why), std::string::npos) << c.path << ": " << error;
    }
  }
}

TEST_F(FileWrite, SettingsFilesOverTheLimitAreRefusedAndManyKeysReadQuickly) {
  const std::string path = Path("big.settings");
  std::string text = "[Form1]\n";
  for (int i = 0; text.size() <= util::OrderedIni::kMaxBytes; ++i) text += "key" + std::to_string(i) + "=1\n";
  ASSERT_TRUE(util::WriteFileAtomically(path, text));
  util::OrderedIni ini;
  std::string error;
  EXPECT_FALSE(ini.Load(path, &error));
  EXPECT_NE(error.find("bytes"), std::string::npos) << error;

  // 80,000 keys, each set again: a reader that searched every key would
  // take minutes here.
  std::string many = "[S]\n";
  for (int i = 0; i < 80000; ++i) many += "k" + std::to_string(i) + "=" + std::to_string(i) + "\n";
  many += "k17=again\n";
  ini.FromText(many);
  EXPECT_EQ(ini.Keys("S").size(), 80000u);
  EXPECT_EQ(ini.Get("S", "k17"), "again");
  EXPECT_EQ(ini.Keys("S")[17].first, "k17");
  EXPECT_EQ(ini.Get("S", "k79999"), "79999");
}

}  // namespace
