#include "util/file_write.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

namespace util {

namespace {

std::string Why(const std::string &what, const std::string &path) {
  return "cannot " + what + " " + path + ": " + std::strerror(errno);
}

bool Fail(std::string *error, const std::string &text) {
  if (error) *error = text;
  return false;
}

std::string FolderOf(const std::string &path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string &path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A fresh temporary beside the target; -1 when none could be made.
int CreateTemporary(const std::string &path, std::string *temporary) {
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; attempt < 64; ++attempt) {
    char suffix[17];
    std::snprintf(suffix, sizeof suffix, "%016llx", static_cast<unsigned long long>(random()));
    *temporary = FolderOf(path) + "/." + NameOf(path) + "." + suffix + ".tmp";
    const int fd = ::open(temporary->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace

bool WriteFileAtomically(const std::string &path, std::string_view bytes, std::string *error) {
  if (path.empty() || path.back() == '/') return Fail(error, "cannot write \"" + path + "\": no file name");
  std::string temporary;
  const int fd = CreateTemporary(path, &temporary);
  if (fd < 0) return Fail(error, Why("write", path));
  // The old file's permissions stay; a new file gets the usual ones (umask).
  struct stat old {};
  const bool keepMode = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  bool ok = (!keepMode || ::fchmod(fd, old.st_mode & 07777) == 0) && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  std::string reason = ok ? std::string() : Why("write", path);
  if (::close(fd) != 0 && ok) {
    ok = false;
    reason = Why("write", path);
  }
  if (ok && ::rename(temporary.c_str(), path.c_str()) != 0) {
    ok = false;
    reason = Why("replace", path);
  }
  if (!ok) {
    ::unlink(temporary.c_str());
    return Fail(error, reason);
  }
  // The rename itself is on disk only when the folder is synced.
  const int folder = ::open(FolderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder >= 0) {
    ::fsync(folder);
    ::close(folder);
  }
  return true;
}

}  // namespace util
