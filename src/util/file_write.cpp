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

bool ReadRegularFile(const std::string &path, size_t maxBytes, std::string *bytes, std::string *error) {
  // O_NONBLOCK: opening a FIFO must not wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Fail(error, Why("read", path));
  struct stat st {};
  std::string reason;
  if (::fstat(fd, &st) != 0) {
    reason = Why("read", path);
  } else if (!S_ISREG(st.st_mode)) {
    reason = "cannot read " + path + ": " + (S_ISDIR(st.st_mode) ? "it is a folder" : "it is not a regular file");
  } else if (static_cast<uint64_t>(st.st_size) > maxBytes) {
    reason = "cannot read " + path + ": " + std::to_string(st.st_size) + " bytes, more than the " +
             std::to_string(maxBytes) + " accepted";
  }
  std::string data;
  if (reason.empty()) {
    // Read one byte past the limit, in case the file grows meanwhile.
    data.resize(maxBytes + 1);
    size_t got = 0;
    while (got < data.size()) {
      const ssize_t n = ::read(fd, data.data() + got, data.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        reason = Why("read", path);
        break;
      }
      if (n == 0) break;
      got += static_cast<size_t>(n);
    }
    if (reason.empty() && got > maxBytes)
      reason = "cannot read " + path + ": more than the " + std::to_string(maxBytes) + " bytes accepted";
    data.resize(got);
  }
  ::close(fd);
  if (!reason.empty()) return Fail(error, reason);
  *bytes = std::move(data);
  return true;
}

}  // namespace util
